// Opening the canvas, the page title, full screen, the timer and the poll
// that gives the browser its turn.
#include <emscripten.h>
#include <emscripten/html5.h>

#include "platform/cp1251.h"
#include "platform/host.h"
#include "platform/sdl/input_feed.h"
#include "platform/sdl/poll_pacing.h"
#include "platform/web/web_host.h"

WebHost webHost;

namespace {

// Longest stretch the game may run without letting the browser handle its
// events and paint: one display refresh.
constexpr double kLongestTurn = 1.0 / 60;
// Every wake-up costs the browser far more than a desktop nap costs the
// system: once the picture shown has stayed the same this long (the game may
// well draw it again and again), the nap lasts a whole refresh; input then
// waits at most that long, as it waits for a picture anyway.
constexpr double kStillBeforeLongNaps = 0.25;
constexpr unsigned kLongNapMs = 16;

// clang-format off
EM_JS(void, setPageTitle, (const char* utf8), {
    document.title = UTF8ToString(utf8);
});
// clang-format on

}  // namespace

bool hostOpenWindow() {
    if (webHost.open) return true;
    if (emscripten_set_canvas_element_size("#canvas", kScreenWidth, kScreenHeight) !=
        EMSCRIPTEN_RESULT_SUCCESS) {
        return false;
    }
    webHost.open = true;
    resetInputFeed();
    resetPollPacing(60);
    listenForInput();
    webHost.redrawNeeded = true;
    presentIfDue(hostTimer());
    return true;
}

void hostTitleChanged(const std::string& cp1251Title) {
    setPageTitle(cp1251ToUtf8(cp1251Title).c_str());
}

double hostTimer() {
    static const double origin = emscripten_get_now();
    return (emscripten_get_now() - origin) / 1000.0;
}

void hostPoll() {
    if (!webHost.open) return;
    flushStorageIfChanged();
    const double now = hostTimer();
    presentIfDue(now);
    // A loop with a still picture naps at every poll and a fast drawing loop
    // once per pass, as on the desktop; the nap is the browser's turn. A
    // loop that never naps still yields once per refresh.
    if (napDue(now, displayGeneration())) {
        emscripten_sleep(now - webHost.lastNewPicture >= kStillBeforeLongNaps ? kLongNapMs : 1);
    } else if (now - webHost.lastYield >= kLongestTurn) {
        emscripten_sleep(0);
    } else {
        return;
    }
    webHost.lastYield = hostTimer();
}

MouseReading hostReadMouse() {
    return takeMouseReading();
}
