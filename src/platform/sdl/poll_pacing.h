// How often the window host does its periodic work, in seconds of the host's
// timer: pumping window-system events, showing the visible page at most once
// per display refresh, and a short nap per game pass so that a game that polls
// flat out does not keep a processor core busy.
#pragma once

// Events are pumped at most this often.
constexpr double kPumpInterval = 0.0005;
// The nap taken once per fast game pass.
constexpr double kNapSeconds = 0.001;
// Used when the display does not report its refresh rate.
constexpr int kDefaultRefreshHz = 60;
// The share of the time that showing pictures may take. Where a present is
// cheap (a GPU) this allows every refresh; where it is dear (a software
// renderer scaling a large window) pictures are shown less often, so a
// turning spiral cannot keep a core busy.
constexpr double kPresentShare = 0.04;
// However dear a present is, a changed picture waits no longer than this.
constexpr double kLongestPresentWait = 0.2;

struct PollPacing {
    double refreshInterval = 1.0 / kDefaultRefreshHz;
    double lastPump = 0.0;
    bool pumped = false;
    double lastPresent = 0.0;
    bool presented = false;
    double presentCost = 0.0;  // running mean of one present, in seconds
    unsigned napGeneration = 0;
    double lastChange = 0.0;
    bool changeSeen = false;
};

extern PollPacing pollPacing;

// Starts afresh with the display's refresh rate (0 or less: not reported).
void resetPollPacing(int refreshHz);
void setRefreshRate(int refreshHz);
// True (and the time is taken) when events should be pumped now.
bool pumpDue(double now);
// True (and the time is taken) when a changed picture should be shown now:
// at most once per refresh, and no more often than the present's own cost
// allows within kPresentShare, but at least every kLongestPresentWait.
bool presentDue(double now, bool changed);
// Notes how long one present took.
void recordPresentCost(double seconds);
// True when the game should nap now. generation is the display generation:
// its change marks a new pass of a drawing loop. A loop that draws nothing
// for a whole refresh interval naps at every poll; a drawing loop naps once
// per pass while its passes come faster than the display refreshes.
bool napDue(double now, unsigned generation);
