// The host's clock for pumping, showing and napping.
#include "platform/sdl/poll_pacing.h"

PollPacing pollPacing;

void resetPollPacing(int refreshHz) {
    pollPacing = PollPacing();
    setRefreshRate(refreshHz);
}

void setRefreshRate(int refreshHz) {
    pollPacing.refreshInterval = 1.0 / (refreshHz > 0 ? refreshHz : kDefaultRefreshHz);
}

bool pumpDue(double now) {
    PollPacing& p = pollPacing;
    if (p.pumped && now - p.lastPump < kPumpInterval) return false;
    p.pumped = true;
    p.lastPump = now;
    return true;
}

bool presentDue(double now, bool changed) {
    PollPacing& p = pollPacing;
    if (!changed) return false;
    double interval = p.presentCost / kPresentShare;
    if (interval > kLongestPresentWait) interval = kLongestPresentWait;
    if (interval < p.refreshInterval) interval = p.refreshInterval;
    if (p.presented && now - p.lastPresent < interval) return false;
    p.presented = true;
    p.lastPresent = now;
    return true;
}

bool napDue(double now, unsigned generation) {
    PollPacing& p = pollPacing;
    if (!p.changeSeen || generation != p.napGeneration) {
        // A new pass: nap only when the previous one was quicker than a refresh.
        const bool quick = p.changeSeen && now - p.lastChange < p.refreshInterval;
        p.changeSeen = true;
        p.napGeneration = generation;
        p.lastChange = now;
        return quick;
    }
    // Nothing drawn for a whole refresh: the loop only polls, nap every time.
    return now - p.lastChange >= p.refreshInterval;
}

void recordPresentCost(double seconds) {
    PollPacing& p = pollPacing;
    if (!(seconds >= 0.0)) return;
    if (seconds > 1.0) seconds = 1.0;  // a stall (suspend, a debugger) is not the renderer's cost
    p.presentCost = p.presentCost == 0.0 ? seconds : 0.75 * p.presentCost + 0.25 * seconds;
}
