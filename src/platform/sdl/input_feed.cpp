// Key strings, close requests and mouse readings from window-system input.
#include "platform/sdl/input_feed.h"

#include <cstdint>

#include "platform/cp1251.h"
#include "platform/host.h"

namespace {

struct PointerState {
    bool inside = false;  // the window has the pointer
    int x = -1;
    int y = -1;
    int held = 0;     // buttons down now, game mask
    int pressed = 0;  // buttons pressed since the last reading, game mask
    uint32_t wheel = 0;
    bool closeInBatch = false;
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

}  // namespace

std::string specialKeyString(SpecialKey key) {
    switch (key) {
        case SpecialKey::Escape:
            return "\x1B";
        case SpecialKey::Enter:
            return "\r";
        case SpecialKey::Backspace:
            return "\b";
        case SpecialKey::Tab:
            return "\t";
        default:
            break;
    }
    // The extended keys: byte 255 and a code letter.
    static const char codes[] = "HPKMGOIQRS;<=>?@ABCD";
    const int index = static_cast<int>(key) - static_cast<int>(SpecialKey::Up);
    return std::string("\xFF") + codes[index];
}

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

void feedSpecialKey(SpecialKey key) {
    queueKey(specialKeyString(key));
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
    if (down) {
        pointer.held |= bit;
        // Only a press on the picture is kept for a reading that comes after
        // the release; a click on the bars around it is no click on the game.
        if (onSurface(x, y)) pointer.pressed |= bit;
    } else {
        // A release counts wherever it happens, so a drag that ends outside
        // does not leave the button down.
        pointer.held &= ~bit;
    }
    feedPointerMoved(x, y);
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
    const int pressed = pointer.pressed;
    pointer.pressed = 0;
    if (!pointer.inside || !onSurface(pointer.x, pointer.y)) return {-1, -1, -1, -1, -1, false};
    return {pointer.x, pointer.y, static_cast<int32_t>(pointer.wheel), pointer.held | pressed,
            0,         true};
}

void resetInputFeed() {
    pointer = PointerState();
}
