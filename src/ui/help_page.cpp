// The help page reached from the menu in play mode, and from F1 in the main
// loop.
#include "platform/mouse_state.h"
#include "platform/platform.h"
#include "text/stroke_font.h"
#include "ui/menu.h"
#include "ui/menu_pointer.h"
#include "ui/row_pick.h"
#include "ui/ui_texts.h"

void showHelpPage() {
    clearPage();
    for (const HelpLine& line : kHelpLines) drawText(20, line.baseline, line.text, line.perLine);
    copyPage(-1, -1);

    waitForRelease();
    while (!programEnding()) {
        WindowEvent event;
        if (popEvent(event) && event.type == kEventClose) {
            endProgram();
            return;
        }
        readMouseState(menuLastGood);
        const std::string key = readKey();
        if ((mouseButtons & ~mouseFailed) != 0 || key == kKeyEscape) break;
    }
    waitForRelease();
}

void openHelpPage() {
    menuLastGood = LastGoodPosition{};
    showHelpPage();
}
