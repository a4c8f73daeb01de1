// The fixed texts of the menu, the help page and the chooser, as
// Windows-1251 byte strings, with the help page's layout.
#pragma once

#include <cstdint>
#include <string_view>

extern const std::string_view kPageWord;      // "страна " before the page number
extern const std::string_view kHelpItem;      // "помоћ"
extern const std::string_view kChecksumItem;  // "рачунај CRC"
extern const std::string_view kContinueItem;  // "настави"
extern const std::string_view kSaveItem;      // "запамти"
extern const std::string_view kExitItem;      // "изађи"

// One text of the help page: baseline, characters per line, bytes.
struct HelpLine {
    int16_t baseline;
    uint8_t perLine;
    std::string_view text;
};
constexpr int kHelpLineCount = 7;
extern const HelpLine kHelpLines[kHelpLineCount];
