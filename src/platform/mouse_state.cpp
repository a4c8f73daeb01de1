// The pointer state shared by the game's loops.
#include "platform/mouse_state.h"

#include "platform/platform.h"

int32_t mouseX = 0;
int32_t mouseY = 0;
int32_t mouseButtons = 0;
int32_t mouseFailed = 0;

void readMouseState(LastGoodPosition& lastGood) {
    const MouseReading reading = readMouse();
    mouseX = reading.x == -1 ? lastGood.x : reading.x;
    mouseY = reading.y == -1 ? lastGood.y : reading.y;
    lastGood.x = mouseX;
    lastGood.y = mouseY;
    mouseButtons = reading.buttons;
    mouseFailed = reading.confined;
}
