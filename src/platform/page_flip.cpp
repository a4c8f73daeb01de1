// The page alternation shared by every loop that shows frames.
#include "platform/page_flip.h"

#include "platform/platform.h"

uint8_t drawPage = 0;

void flipPages() {
    setPages(drawPage, 1 - drawPage);
    drawPage = static_cast<uint8_t>(1 - drawPage);
}
