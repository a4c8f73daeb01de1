// How often the window host does its periodic work, in seconds of the host's
// timer: pumping window-system events, showing the visible page at most once
// per display refresh, and a short nap per game pass so that a game that polls
// flat out does not keep a processor core busy.
#pragma once

// Events are pumped at most this often.
constexpr double kPumpInterval = 0.0005;
// The nap taken once per fast game pass.
constexpr double kNapSeconds = 0.00025;
// Used when the display does not report its refresh rate.
constexpr int kDefaultRefreshHz = 60;

struct PollPacing {
    double refreshInterval = 1.0 / kDefaultRefreshHz;
    double lastPump = 0.0;
    bool pumped = false;
    double lastPresent = 0.0;
    bool presented = false;
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
// True (and the time is taken) when a changed picture should be shown now.
bool presentDue(double now, bool changed);
// True when the game should nap now. generation is the display generation:
// its change marks a new pass of a drawing loop. A loop that draws nothing
// for a whole refresh interval naps at every poll; a drawing loop naps once
// per pass while its passes come faster than the display refreshes.
bool napDue(double now, unsigned generation);
