// The host's clock for pumping, showing and waiting.
#include "platform/window/poll_pacing.h"

#include <cmath>

PollPacing pollPacing;

void resetPollPacing(int refreshHz) {
    pollPacing = PollPacing();
    setRefreshRate(refreshHz);
}

void setRefreshRate(int refreshHz) {
    pollPacing.refreshInterval = 1.0 / (refreshHz > 0 ? refreshHz : kDefaultRefreshHz);
}

void setPresentLimits(double share, double longestWait) {
    if (share > 0.0 && share <= 1.0) pollPacing.presentShare = share;
    if (longestWait > 0.0) pollPacing.longestPresentWait = longestWait;
}

void setHiddenWait(double seconds) {
    if (seconds > 0.0) pollPacing.hiddenWait = seconds;
}

bool pumpDue(double now) {
    PollPacing& p = pollPacing;
    if (p.pumped && now - p.lastPump < kPumpInterval) return false;
    p.pumped = true;
    p.lastPump = now;
    return true;
}

void notePump(double now) {
    pollPacing.pumped = true;
    pollPacing.lastPump = now;
}

double presentInterval() {
    const PollPacing& p = pollPacing;
    double interval = p.presentCost / p.presentShare;
    if (interval > p.longestPresentWait) interval = p.longestPresentWait;
    if (interval < p.refreshInterval) interval = p.refreshInterval;
    return interval;
}

bool presentDue(double now, bool changed) {
    PollPacing& p = pollPacing;
    if (!changed) return false;
    const double interval = presentInterval();
    if (p.presented && now - p.lastPresent < interval) return false;
    // Kept in step with the interval, so that a present a little late (the
    // waits end on whole milliseconds) does not make the next one late too;
    // after a pause the step starts anew.
    const bool inStep = p.presented && now - p.lastPresent < 2.0 * interval;
    p.lastPresent = inStep ? p.lastPresent + interval : now;
    p.presented = true;
    return true;
}

void recordPresentCost(double seconds) {
    PollPacing& p = pollPacing;
    if (!(seconds >= 0.0)) return;
    if (seconds > 1.0) seconds = 1.0;  // a stall (suspend, a debugger) is not the renderer's cost
    p.presentCost = p.presentCost == 0.0 ? seconds : 0.75 * p.presentCost + 0.25 * seconds;
}

double waitDue(double now, const PollView& view) {
    PollPacing& p = pollPacing;
    if (!p.moveSeen || view.pictureWaiting || view.inputWaiting) {
        p.moveSeen = true;
        p.lastMove = now;
    }
    if (view.pictureWaiting) p.lastPicture = now;
    if (view.inputWaiting) {
        if (!p.inputWaiting) {
            p.inputWaiting = true;
            p.inputSince = now;
        }
        p.answerAwaited = true;
        p.inputLastSeen = now;
        p.inputGeneration = view.generation;
        // The game reads it within this pass; a loop that has left it
        // unread for a whole refresh does not read it at all.
        if (now - p.inputSince < p.refreshInterval) return 0.0;
    } else {
        p.inputWaiting = false;
        // Read: the pass that read it draws the answer and the next flip of
        // the pages shows it; waiting before then would show it a refresh
        // late.
        if (p.answerAwaited) {
            if (view.generation - p.inputGeneration < 2 &&
                now - p.inputLastSeen < p.refreshInterval) {
                return 0.0;
            }
            p.answerAwaited = false;
        }
    }

    // One wait per pass: the passes of a drawing loop poll a few times each,
    // and a second wait in the same pass would halve the loop's rate. A
    // hidden window shows no pass, and waits at every poll.
    const bool samePass = p.waited && view.generation == p.waitGeneration;
    if (samePass && !view.hidden && ++p.pollsSinceWait < kPollsPerPass) return 0.0;

    double until;
    if (view.hidden) {
        until = now + p.hiddenWait;
    } else if (!view.pictureWaiting && now - p.lastMove >= kStillAfter) {
        until = now + kHiddenWait;
    } else if (view.pictureWaiting) {
        until = p.presented ? p.lastPresent + presentInterval() : now;
    } else if (samePass && now - p.lastPicture < kOwnTimingGap) {
        // A loop that only polls between pictures it times itself.
        until = now + kOwnTimingWait;
    } else {
        if (now >= p.refreshEnd) {
            // Refreshes are counted from the last present, so that a picture
            // that moves again is shown in step.
            const double from = p.presented ? p.lastPresent : now;
            const double passed = std::floor((now - from) / p.refreshInterval);
            p.refreshEnd = from + (passed + 1.0) * p.refreshInterval;
        }
        until = p.refreshEnd;
    }
    // The picture may be shown now: show it first, wait at the next poll.
    if (until <= now) return 0.0;
    p.waited = true;
    p.waitGeneration = view.generation;
    p.pollsSinceWait = 0;
    return until - now;
}
