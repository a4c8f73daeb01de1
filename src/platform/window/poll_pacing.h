// How often the window host does its periodic work, in seconds of the host's
// timer: pumping window-system events, showing the visible page at most once
// per display refresh, and waiting for window-system events whenever waiting
// cannot be seen, so that a game whose loops poll flat out sleeps while its
// picture stands still and runs about once per refresh while it moves.
#pragma once

// Events are pumped at most this often while the game runs.
constexpr double kPumpInterval = 0.0005;
// Used when the display does not report its refresh rate.
constexpr int kDefaultRefreshHz = 60;
// The share of the time that showing pictures may take. Where a present is
// cheap (a GPU) this allows every refresh; where it is dear (a software
// renderer) pictures are shown less often, so a turning spiral cannot keep a
// core busy.
constexpr double kPresentShare = 0.04;
// However dear a present is, a moving picture is shown at least this often
// (32 a second: a drag follows the pointer with at least 30 however the waits
// fall), unless the display refreshes less often still.
constexpr double kLongestPresentWait = 1.0 / 32;
// A minimized or hidden window waits this long at a time.
constexpr double kHiddenWait = 0.1;
// A picture that has stood still this long, with no input, waits as long as
// a hidden one: nothing in the game starts moving by itself (the attractor
// turns all the time, a flight starts with a click), and any input or
// window-system event still ends the wait at once.
constexpr double kStillAfter = 1.0;
// A loop that only polls, with a new picture no longer ago than
// kOwnTimingGap, draws its pictures when its own clock says (the flight, one
// every 40 ms): it waits kOwnTimingWait at a time, so that each is drawn on
// time rather than at the next refresh.
constexpr double kOwnTimingGap = 0.1;
constexpr double kOwnTimingWait = 0.002;
// The polls after a wait that belong to the same pass of a drawing loop. A
// loop that polls this often without a new picture only polls (the help
// page, a wait for a release) and may wait at each further poll.
constexpr int kPollsPerPass = 8;

struct PollPacing {
    double refreshInterval = 1.0 / kDefaultRefreshHz;
    double lastPump = 0.0;
    bool pumped = false;
    double lastPresent = 0.0;
    bool presented = false;
    double presentCost = 0.0;                         // running mean of one present, in seconds
    double presentShare = kPresentShare;              // see setPresentLimits
    double longestPresentWait = kLongestPresentWait;  // see setPresentLimits
    double hiddenWait = kHiddenWait;                  // see setHiddenWait
    double refreshEnd = 0.0;                          // a standing picture waits until then
    double lastPicture = 0.0;                         // when a new picture last waited to be shown
    double lastMove = 0.0;         // when the picture last changed or input last waited
    bool moveSeen = false;         // lastMove holds a time
    bool waited = false;           // a wait was started since the last reset
    unsigned waitGeneration = 0;   // the display generation at the last wait
    int pollsSinceWait = 0;        // polls since then with that same generation
    bool inputWaiting = false;     // the game had not read all input at the last poll
    double inputSince = 0.0;       // since when it has not
    bool answerAwaited = false;    // input was read; its answer may not be shown yet
    double inputLastSeen = 0.0;    // the last poll that found input unread
    unsigned inputGeneration = 0;  // the display generation then
};

extern PollPacing pollPacing;

// What a poll knows when it decides whether to wait.
struct PollView {
    unsigned generation = 0;      // the display generation: a new one marks a new pass
    bool pictureWaiting = false;  // the visible picture differs from the one shown
    bool hidden = false;          // the window is minimized or hidden
    bool inputWaiting = false;    // keys, events or pointer changes the game has not read
};

// Starts afresh with the display's refresh rate (0 or less: not reported).
void resetPollPacing(int refreshHz);
void setRefreshRate(int refreshHz);
// A host whose present is cheap to the machine but dear to its own clock (a
// browser page: the picture is handed on, and the page's one thread pays for
// the copy) may allow presents a larger share and a shorter longest wait than
// kPresentShare and kLongestPresentWait. Kept until the next reset.
void setPresentLimits(double share, double longestWait);
// A host whose hidden window can have nothing to do until it is shown again
// or gets input (a browser tab behind another, which the browser itself
// wakes at most once a second) may wait longer than kHiddenWait at a time.
// Kept until the next reset.
void setHiddenWait(double seconds);
// True (and the time is taken) when events should be pumped now.
bool pumpDue(double now);
// Events were pumped now by other means (a wait for them).
void notePump(double now);
// The time between two shown pictures while the picture keeps changing: a
// refresh, or longer where the present's own cost would take more than
// kPresentShare of the time, but never longer than kLongestPresentWait (or a
// refresh, if that is longer).
double presentInterval();
// True (and the time is taken) when a changed picture should be shown now.
bool presentDue(double now, bool changed);
// Notes how long one present took.
void recordPresentCost(double seconds);
// How long the poll may wait for window-system events now (0: not at all);
// any event ends the wait at once.
// - Input the game has not read keeps it awake for up to a refresh (a loop
//   that does not read it then waits anyway), and read input until the
//   display generation has moved twice (the answer drawn, then shown) or a
//   refresh has passed.
// - A hidden window waits kHiddenWait (or setHiddenWait's) at every poll.
// - Otherwise a drawing loop waits once per pass (at the first poll after a
//   new display generation, and again after kPollsPerPass more polls): a
//   changed picture until it may be shown; a standing one until the end of
//   the refresh, or kHiddenWait once it has stood still for kStillAfter; a
//   loop that only polls between pictures of its own timing kOwnTimingWait.
double waitDue(double now, const PollView& view);
