// The key table: every named key, the name scripts give it and the key string
// the game reads for it. The hosts' key maps, the script runner and the
// game's own comparisons all read the strings from here.
//
// Key strings: one byte for a typed character; byte 255 and a second byte for
// the extended keys (the DOS scan codes: Up 255 'H', F1 255 ';', the close key
// 255 'k'). The editing keys take second bytes that no scan code uses: the
// key's letter with bit 7 set, capital with Shift.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

enum class Key : uint8_t {
    Escape,
    Enter,
    Backspace,
    Tab,
    Space,
    Up,
    Down,
    Left,
    Right,
    Home,
    End,
    PageUp,
    PageDown,
    Insert,
    Delete,
    F1,
    F2,
    F3,
    F4,
    F5,
    F6,
    F7,
    F8,
    F9,
    F10,
    Undo,       // Ctrl+Z
    Redo,       // Ctrl+Y
    ShiftRedo,  // Ctrl+Shift+Z
    Close,      // the window's close button
};

struct KeyEntry {
    Key key;
    std::string_view name;    // as a script's `key` command names it; "" for none
    std::string_view string;  // what the game reads
};

// In the order of Key. Split literals keep a hex escape from running on.
// clang-format off
inline constexpr KeyEntry kKeyTable[] = {
    {Key::Escape,    "Escape",       "\x1B"},
    {Key::Enter,     "Enter",        "\r"},
    {Key::Backspace, "Backspace",    "\b"},
    {Key::Tab,       "Tab",          "\t"},
    {Key::Space,     "Space",        " "},
    {Key::Up,        "Up",           "\xFF" "H"},
    {Key::Down,      "Down",         "\xFF" "P"},
    {Key::Left,      "Left",         "\xFF" "K"},
    {Key::Right,     "Right",        "\xFF" "M"},
    {Key::Home,      "Home",         "\xFF" "G"},
    {Key::End,       "End",          "\xFF" "O"},
    {Key::PageUp,    "PageUp",       "\xFF" "I"},
    {Key::PageDown,  "PageDown",     "\xFF" "Q"},
    {Key::Insert,    "Insert",       "\xFF" "R"},
    {Key::Delete,    "Delete",       "\xFF" "S"},
    {Key::F1,        "F1",           "\xFF" ";"},
    {Key::F2,        "F2",           "\xFF" "<"},
    {Key::F3,        "F3",           "\xFF" "="},
    {Key::F4,        "F4",           "\xFF" ">"},
    {Key::F5,        "F5",           "\xFF" "?"},
    {Key::F6,        "F6",           "\xFF" "@"},
    {Key::F7,        "F7",           "\xFF" "A"},
    {Key::F8,        "F8",           "\xFF" "B"},
    {Key::F9,        "F9",           "\xFF" "C"},
    {Key::F10,       "F10",          "\xFF" "D"},
    {Key::Undo,      "Ctrl+Z",       "\xFF" "\xFA"},
    {Key::Redo,      "Ctrl+Y",       "\xFF" "\xF9"},
    {Key::ShiftRedo, "Ctrl+Shift+Z", "\xFF" "\xDA"},
    {Key::Close,     "",             "\xFF" "k"},
};
// clang-format on

constexpr size_t kKeyCount = sizeof kKeyTable / sizeof kKeyTable[0];

constexpr bool keyTableInOrder() {
    for (size_t i = 0; i < kKeyCount; ++i) {
        if (static_cast<size_t>(kKeyTable[i].key) != i) return false;
    }
    return kKeyCount == static_cast<size_t>(Key::Close) + 1;
}
static_assert(keyTableInOrder(), "kKeyTable lists the keys in the order of Key");

constexpr std::string_view keyString(Key key) {
    return kKeyTable[static_cast<size_t>(key)].string;
}

// The keys the game compares by name.
constexpr std::string_view kKeyEscape = keyString(Key::Escape);
constexpr std::string_view kKeyBackspace = keyString(Key::Backspace);
constexpr std::string_view kKeyPageUp = keyString(Key::PageUp);
constexpr std::string_view kKeyPageDown = keyString(Key::PageDown);
constexpr std::string_view kKeyInsert = keyString(Key::Insert);
constexpr std::string_view kKeyDelete = keyString(Key::Delete);
constexpr std::string_view kKeyF1 = keyString(Key::F1);
constexpr std::string_view kKeyF2 = keyString(Key::F2);
constexpr std::string_view kKeyF3 = keyString(Key::F3);
constexpr std::string_view kKeyUndo = keyString(Key::Undo);
constexpr std::string_view kKeyRedo = keyString(Key::Redo);
constexpr std::string_view kKeyShiftRedo = keyString(Key::ShiftRedo);
constexpr std::string_view kKeyClose = keyString(Key::Close);

// True for the three editing keys.
constexpr bool isEditingKey(std::string_view key) {
    return key == kKeyUndo || key == kKeyRedo || key == kKeyShiftRedo;
}
