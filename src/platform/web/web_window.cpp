// Opening the canvas, the page title, full screen, the timer and the poll
// that gives the browser its turn: a sleep until the next thing the game
// does by itself, which the page's input ends early.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>

#include "platform/cp1251.h"
#include "platform/host.h"
#include "platform/web/web_host.h"
#include "platform/window/input_feed.h"
#include "platform/window/poll_pacing.h"

WebHost webHost;

namespace {

// Longest stretch the game may run without letting the browser handle its
// events and paint: one display refresh.
constexpr double kLongestTurn = 1.0 / 60;
// A present costs the page its copy through the palette and putImageData,
// about 1 ms with the CPU slowed 4x, and the browser composites the canvas
// in a thread of its own: a dragged knot is shown at every refresh, and with
// a slow CPU at least 40 times a second, so that timer slack still leaves 30.
constexpr double kPagePresentShare = 0.25;
constexpr double kPageLongestPresentWait = 1.0 / 40;
// A page behind another tab gets no input, and nothing it draws can be seen;
// being shown again or any input ends its sleep at once. The browser wakes
// a hidden page's timers at most once a second anyway.
constexpr double kPageHiddenWait = 1.0;

// clang-format off
EM_JS(int, pageHidden, (), {
    return document.hidden ? 1 : 0;
});

// The page shows the puzzle's name beside its guide (Module.orvetTitle).
EM_JS(void, setPageTitle, (const char* utf8), {
    document.title = UTF8ToString(utf8);
    if (Module['orvetTitle']) Module['orvetTitle'](document.title);
});
// clang-format on

}  // namespace

// The browser's turn for up to ms milliseconds, ended early by the page's
// input (sleep_library.js).
extern "C" void orvet_sleep_until_woken(double ms);

bool hostOpenWindow() {
    if (webHost.open) return true;
    if (emscripten_set_canvas_element_size("#canvas", kScreenWidth, kScreenHeight) !=
        EMSCRIPTEN_RESULT_SUCCESS) {
        return false;
    }
    webHost.open = true;
    resetInputFeed();
    resetPollPacing(60);
    setPresentLimits(kPagePresentShare, kPageLongestPresentWait);
    setHiddenWait(kPageHiddenWait);
    listenForInput();
    webHost.shown.redrawNeeded = true;
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
    comparePicture();
    PollView view;
    view.generation = displayGeneration();
    view.pictureWaiting = presentWanted(webHost.shown);
    view.hidden = pageHidden();
    view.inputWaiting = inputQueued() || pointerUnread();
    const double wait = waitDue(now, view);
    // The canvas shows what was put on it when the browser next paints, in
    // the turn below.
    presentIfDue(now);
    if (wait > 0.0) {
        // Input, a resize or the page shown again ends the sleep at once.
        orvet_sleep_until_woken(std::max(1.0, std::ceil(wait * 1000.0)));
        // The game reads that input before its next poll could see it
        // waiting: the pacing sees it now, so that the answer is drawn and
        // shown before the next wait rather than after it.
        if (inputQueued() || pointerUnread()) {
            view.generation = displayGeneration();
            view.inputWaiting = true;
            waitDue(hostTimer(), view);
        }
    } else if (now - webHost.lastYield >= kLongestTurn) {
        orvet_sleep_until_woken(0.0);
    } else {
        return;
    }
    webHost.lastYield = hostTimer();
}

MouseReading hostReadMouse() {
    return takeMouseReading();
}
