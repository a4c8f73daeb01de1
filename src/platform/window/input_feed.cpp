// Key strings, close requests and mouse readings from window-system input.
#include "platform/window/input_feed.h"

#include <array>
#include <cstdint>

#include "platform/cp1251.h"
#include "platform/host.h"

namespace {

// Button changes the game has not read yet. Several can arrive between two
// readings (a busy machine hands over a whole click, or two, at once); each
// is read in turn, at the place it happened, so no click is lost or moved.
constexpr size_t kPendingCapacity = 16;

struct PointerState {
    bool inside = false;  // the window has the pointer
    int x = -1;
    int y = -1;
    int held = 0;  // buttons down now, game mask
    uint32_t wheel = 0;
    bool closeInBatch = false;
    std::array<MouseReading, kPendingCapacity> pending{};  // oldest at pendingFirst
    size_t pendingFirst = 0;
    size_t pendingCount = 0;
    MouseReading lastGiven{};  // the latest reading kept or handed to the game
};

PointerState pointer;

// Bytes in the UTF-8 sequence that starts with lead; 1 for a stray byte, so
// that it is passed on alone and rejected by the conversion.
size_t sequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF7) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

bool onSurface(int x, int y) {
    return x >= 0 && y >= 0 && x < kScreenWidth && y < kScreenHeight;
}

// The reading of the pointer as it is now.
MouseReading currentReading() {
    if (!pointer.inside || !onSurface(pointer.x, pointer.y)) return {-1, -1, -1, -1, -1, false};
    return {pointer.x, pointer.y, static_cast<int32_t>(pointer.wheel), pointer.held, 0, true};
}

// Keeps the reading after a button change for the game to read in turn. A
// change off the picture is not kept: a click on the bars is no click on the
// game, and a release anywhere shows in every later reading anyway. When the
// game falls this far behind, later changes show only in the current state.
void keepButtonChange() {
    const MouseReading reading = currentReading();
    if (!reading.ok || pointer.pendingCount == kPendingCapacity) return;
    pointer.pending[(pointer.pendingFirst + pointer.pendingCount) % kPendingCapacity] = reading;
    ++pointer.pendingCount;
    pointer.lastGiven = reading;
}

}  // namespace

void feedText(std::string_view utf8) {
    size_t pos = 0;
    while (pos < utf8.size()) {
        size_t length = sequenceLength(static_cast<unsigned char>(utf8[pos]));
        if (length > utf8.size() - pos) length = utf8.size() - pos;
        const std::optional<std::string> byte = utf8ToCp1251(utf8.substr(pos, length));
        if (byte && byte->size() == 1) queueKey(*byte);
        pos += length;
    }
}

void feedSpecialKey(Key key) {
    queueKey(std::string(keyString(key)));
}

void feedBatchStart() {
    pointer.closeInBatch = false;
}

void feedCloseRequest() {
    if (pointer.closeInBatch) return;
    pointer.closeInBatch = true;
    queueCloseRequest();
}

int gameButtonBit(int windowButton) {
    switch (windowButton) {
        case 1:
            return 1;  // left
        case 2:
            return 4;  // middle
        case 3:
            return 2;  // right
        default:
            return 0;
    }
}

void feedPointerMoved(int x, int y) {
    pointer.inside = true;
    pointer.x = x;
    pointer.y = y;
}

void feedButton(int x, int y, int windowButton, bool down) {
    const int bit = gameButtonBit(windowButton);
    feedPointerMoved(x, y);
    if (bit == 0 || ((pointer.held & bit) != 0) == down) return;
    // A drag that ends before the game saw where it went: the game first
    // reads the button still down at the place of the release.
    const MouseReading& last = pointer.lastGiven;
    if (pointer.held != 0 && (last.x != pointer.x || last.y != pointer.y)) keepButtonChange();
    // A release counts wherever it happens, so a drag that ends outside does
    // not leave the button down.
    if (down) {
        pointer.held |= bit;
    } else {
        pointer.held &= ~bit;
    }
    keepButtonChange();
}

void feedPointerEntered() {
    pointer.inside = true;
}

void feedPointerLeft() {
    pointer.inside = false;
}

void feedWheel(int steps) {
    pointer.wheel += static_cast<uint32_t>(steps);
}

MouseReading takeMouseReading() {
    if (pointer.pendingCount == 0) return pointer.lastGiven = currentReading();
    const MouseReading reading = pointer.pending[pointer.pendingFirst];
    pointer.pendingFirst = (pointer.pendingFirst + 1) % kPendingCapacity;
    --pointer.pendingCount;
    return reading;
}

bool pointerUnread() {
    if (pointer.pendingCount > 0) return true;
    const MouseReading now = currentReading();
    const MouseReading& last = pointer.lastGiven;
    return now.x != last.x || now.y != last.y || now.wheel != last.wheel ||
           now.buttons != last.buttons || now.ok != last.ok;
}

void resetInputFeed() {
    pointer = PointerState();
}
