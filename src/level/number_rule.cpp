// The number rule and the pending numbers.
#include "level/pending_numbers.h"
#include "level/text_records.h"

std::vector<int32_t> pendingNumbers;

namespace {

// Value of c as a digit of base, or -1.
int digitValue(char c, unsigned base) {
    int d = -1;
    if (c >= '0' && c <= '9') {
        d = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        d = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        d = c - 'A' + 10;
    }
    return d >= 0 && static_cast<unsigned>(d) < base ? d : -1;
}

bool isWhite(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

int32_t numberValue(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    uint32_t value = 0;  // unsigned: wraps modulo 2^32 without overflow
    if (i + 1 < text.size() && text[i] == '&') {
        unsigned base = 0;
        switch (text[i + 1]) {
            case 'H':
            case 'h':
                base = 16;
                break;
            case 'B':
            case 'b':
                base = 2;
                break;
            case 'O':
            case 'o':
                base = 8;
                break;
            default:
                break;
        }
        if (base != 0) {
            for (i += 2; i < text.size(); ++i) {
                const int d = digitValue(text[i], base);
                if (d < 0) break;
                value = value * base + static_cast<uint32_t>(d);
            }
            return static_cast<int32_t>(value);
        }
    }
    while (i < text.size() && isWhite(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    }
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
}
