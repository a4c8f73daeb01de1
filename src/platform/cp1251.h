// Conversion between UTF-8 and the game's Windows-1251 byte strings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// Windows-1251 bytes to UTF-8 (every byte has a character or is kept as '?').
std::string cp1251ToUtf8(std::string_view cp1251);
// UTF-8 to Windows-1251; nullopt when a character has no Windows-1251 byte
// or the input is not valid UTF-8.
std::optional<std::string> utf8ToCp1251(std::string_view utf8);

// A file name as the game shows it. Names on this system are UTF-8 bytes;
// one that converts to Windows-1251 is shown converted, so a Cyrillic name
// reads as itself in the chooser and the title. Any other name is shown as
// its bytes. The file is always opened by its own bytes.
std::string displayFileName(std::string_view name);
