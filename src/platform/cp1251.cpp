// Windows-1251 <-> UTF-8, with the code page's table taken from iconv.
#include "platform/cp1251.h"

#include <iconv.h>

#include <cstdint>
#include <unordered_map>

namespace {

constexpr uint32_t kNoCharacter = 0xFFFFFFFF;

struct CodePage {
    uint32_t toUnicode[256];
    std::unordered_map<uint32_t, char> fromUnicode;
};

void appendUtf8(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 character at pos; kNoCharacter for a malformed sequence
// (overlong forms, surrogates and values past U+10FFFF included).
uint32_t decodeUtf8(std::string_view s, size_t& pos) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
    const uint8_t lead = byte(pos);
    int extra;
    uint32_t cp;
    uint32_t least;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
        least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
        least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
        least = 0x10000;
    } else {
        return kNoCharacter;
    }
    if (pos + extra >= s.size()) return kNoCharacter;
    for (int i = 1; i <= extra; ++i) {
        const uint8_t b = byte(pos + i);
        if ((b & 0xC0) != 0x80) return kNoCharacter;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kNoCharacter;
    pos += extra + 1;
    return cp;
}

// The byte's character as iconv knows it, or kNoCharacter.
uint32_t characterOf(iconv_t cd, uint8_t b) {
    char in[1] = {static_cast<char>(b)};
    char out[8];
    char* inPtr = in;
    char* outPtr = out;
    size_t inLeft = 1;
    size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
        return kNoCharacter;
    }
    std::string_view utf8(out, sizeof out - outLeft);
    if (utf8.empty()) return kNoCharacter;
    size_t pos = 0;
    const uint32_t cp = decodeUtf8(utf8, pos);
    return pos == utf8.size() ? cp : kNoCharacter;
}

CodePage buildCodePage() {
    CodePage page;
    iconv_t cd = iconv_open("UTF-8", "WINDOWS-1251");
    for (int b = 0; b < 256; ++b) {
        if (b < 0x80) {
            page.toUnicode[b] = static_cast<uint32_t>(b);
        } else if (cd != reinterpret_cast<iconv_t>(-1)) {
            page.toUnicode[b] = characterOf(cd, static_cast<uint8_t>(b));
        } else if (b >= 0xC0) {
            // Without iconv at least the Cyrillic alphabet is known.
            page.toUnicode[b] = 0x0410 + (b - 0xC0);
        } else {
            page.toUnicode[b] = kNoCharacter;
        }
    }
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    for (int b = 255; b >= 0; --b) {
        if (page.toUnicode[b] != kNoCharacter) {
            page.fromUnicode[page.toUnicode[b]] = static_cast<char>(b);
        }
    }
    return page;
}

const CodePage& codePage() {
    static const CodePage page = buildCodePage();
    return page;
}

}  // namespace

std::string cp1251ToUtf8(std::string_view cp1251) {
    const CodePage& page = codePage();
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (char c : cp1251) {
        const uint32_t cp = page.toUnicode[static_cast<uint8_t>(c)];
        appendUtf8(out, cp == kNoCharacter ? '?' : cp);
    }
    return out;
}

std::optional<std::string> utf8ToCp1251(std::string_view utf8) {
    const CodePage& page = codePage();
    std::string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        const uint32_t cp = decodeUtf8(utf8, pos);
        if (cp == kNoCharacter) return std::nullopt;
        const auto found = page.fromUnicode.find(cp);
        if (found == page.fromUnicode.end()) return std::nullopt;
        out += found->second;
    }
    return out;
}

std::string displayFileName(std::string_view name) {
    bool ascii = true;
    for (const char c : name) ascii = ascii && static_cast<uint8_t>(c) < 0x80;
    if (ascii) return std::string(name);
    std::optional<std::string> converted = utf8ToCp1251(name);
    return converted ? *converted : std::string(name);
}
