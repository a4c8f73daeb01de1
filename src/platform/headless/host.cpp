// The headless host: the host functions on a virtual clock, the pointer set by
// tests or the script, and the orvet-script driver's close-and-timeout rule.
#include "platform/host.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/headless/headless.h"
#include "platform/headless/host_state.h"

namespace {

constexpr int64_t kDefaultMicrosPerRead = 1000;
constexpr int64_t kMaxMicrosPerRead = 1000000;
constexpr int64_t kDriverGraceMicros = 60 * 1000000LL;

struct HeadlessHost {
    // Virtual time in whole microseconds, so that script times are exact.
    int64_t nowMicros = 0;
    // How far each key read, mouse reading and event pop moves the clock.
    int64_t microsPerRead = kDefaultMicrosPerRead;
    // A read happened since the last poll: its millisecond is still owed.
    bool readOwed = false;
    int mouseX = -1;
    int mouseY = -1;
    bool mouseInside = false;
    int buttons = 0;
    void (*titleListener)(const std::string&) = nullptr;
    bool closeWhenDone = false;
    bool closePressed = false;
    int64_t closePressedAt = 0;
};

HeadlessHost host;

void driverStep(bool scriptWasDone) {
    if (!host.closeWhenDone) return;
    if (!host.closePressed) {
        // Pressed at the first poll after the one that applied the last
        // command, so that command is seen by at least one read.
        if (!scriptWasDone) return;
        queueCloseRequest();
        host.closePressed = true;
        host.closePressedAt = host.nowMicros;
        return;
    }
    if (host.nowMicros - host.closePressedAt > kDriverGraceMicros) {
        std::fprintf(stderr,
                     "orvet-script: the game did not end within 60 s of the close button "
                     "(at %.3f s)\n",
                     static_cast<double>(host.nowMicros) / 1e6);
        std::fflush(stdout);
        std::fflush(stderr);
        std::exit(3);
    }
}

}  // namespace

bool hostOpenWindow() {
    return true;
}

void hostTitleChanged(const std::string& cp1251Title) {
    if (host.titleListener != nullptr) host.titleListener(cp1251Title);
}

void hostPoll() {
    if (host.readOwed) host.nowMicros += host.microsPerRead;
    host.readOwed = true;
    const bool scriptWasDone = headlessScriptDone();
    applyDueScriptCommands(host.nowMicros);
    driverStep(scriptWasDone);
}

MouseReading hostReadMouse() {
    if (!host.mouseInside) return {-1, -1, -1, -1, -1, false};
    return {host.mouseX, host.mouseY, 0, host.buttons, 0, true};
}

double hostTimer() {
    return headlessNow();
}

void hostDisplayChanged() {}

void headlessReset() {
    clearScript();
    host = HeadlessHost();
}

double headlessNow() {
    return static_cast<double>(host.nowMicros + (host.readOwed ? host.microsPerRead : 0)) / 1e6;
}

void headlessAdvance(double seconds) {
    if (!std::isfinite(seconds) || seconds <= 0.0) return;
    host.nowMicros += std::llround(seconds * 1e6);
}

void headlessSetReadStep(double seconds) {
    if (!std::isfinite(seconds) || seconds <= 0.0) return;
    // A read already made keeps the step it was made at.
    if (host.readOwed) host.nowMicros += host.microsPerRead;
    host.readOwed = false;
    host.microsPerRead = std::clamp<int64_t>(std::llround(seconds * 1e6), 1, kMaxMicrosPerRead);
}

void headlessSetMouse(int x, int y, int buttons) {
    host.mouseX = x;
    host.mouseY = y;
    host.mouseInside = x >= 0 && y >= 0 && x < kScreenWidth && y < kScreenHeight;
    host.buttons = buttons;
}

void headlessLeave() {
    host.mouseInside = false;
}

void headlessOnTitle(void (*listener)(const std::string& cp1251Title)) {
    host.titleListener = listener;
}

void headlessCloseWhenDone(bool on) {
    host.closeWhenDone = on;
}

int headlessButtons() {
    return host.buttons;
}
void headlessSetButtons(int buttons) {
    host.buttons = buttons;
}
int headlessMouseX() {
    return host.mouseX;
}
int headlessMouseY() {
    return host.mouseY;
}
bool headlessMouseInside() {
    return host.mouseInside;
}
