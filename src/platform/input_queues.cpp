// The key-string and window-event queues, and the reads the game polls.
#include <deque>
#include <mutex>

#include "platform/host.h"
#include "platform/platform.h"

namespace {

// Keys beyond this many unread ones are dropped.
constexpr size_t kKeyQueueLimit = 1024;

// A backend may collect input on its own thread; the lock keeps a reader from
// seeing a half-written entry.
std::mutex queueLock;
std::deque<std::string> keys;
WindowEvent events[kEventQueueSize];
int eventHead = 0;
int eventCount = 0;

}  // namespace

void queueKey(const std::string& keyString) {
    if (keyString.empty()) return;
    std::lock_guard<std::mutex> hold(queueLock);
    if (keys.size() < kKeyQueueLimit) keys.push_back(keyString);
}

void queueEvent(int32_t type) {
    std::lock_guard<std::mutex> hold(queueLock);
    if (eventCount == kEventQueueSize) return;
    events[(eventHead + eventCount) % kEventQueueSize].type = type;
    ++eventCount;
}

void queueCloseRequest() {
    queueEvent(kEventClose);
    queueKey(std::string(kKeyClose));
}

bool inputQueued() {
    std::lock_guard<std::mutex> hold(queueLock);
    return !keys.empty() || eventCount > 0;
}

void clearInputQueues() {
    std::lock_guard<std::mutex> hold(queueLock);
    keys.clear();
    eventHead = 0;
    eventCount = 0;
}

std::string readKey() {
    hostPoll();
    std::lock_guard<std::mutex> hold(queueLock);
    if (keys.empty()) return std::string();
    std::string key = std::move(keys.front());
    keys.pop_front();
    return key;
}

MouseReading readMouse() {
    hostPoll();
    MouseReading reading = hostReadMouse();
    if (!reading.ok) reading = {-1, -1, -1, -1, -1, false};
    return reading;
}

bool popEvent(WindowEvent& e) {
    hostPoll();
    std::lock_guard<std::mutex> hold(queueLock);
    if (eventCount == 0) return false;
    e = events[eventHead];
    eventHead = (eventHead + 1) % kEventQueueSize;
    --eventCount;
    return true;
}

double timer() {
    return hostTimer();
}
