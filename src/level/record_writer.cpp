// The writers' number forms: integers without a decimal point, whole floats
// and doubles as bare integers, CR LF line ends.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "level/text_records.h"

namespace {

template <typename T>
void putInteger(std::string& out, T v) {
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, v);
    out.append(text, result.ptr);
}

// A real number with at most `digits` significant digits. Whole values are
// written as bare integers (never in exponent form, which the number rule
// would misread); other values in plain decimal.
void putReal(std::string& out, double v, int digits) {
    char text[400];  // room for the 309 digits of the largest double
    int length = 0;
    if (!std::isfinite(v)) {
        length = std::snprintf(text, sizeof text, "0");
    } else if (v == std::trunc(v)) {
        // -0 is written as 0.
        length = std::snprintf(text, sizeof text, "%.0f", v == 0.0 ? 0.0 : v);
    } else if (std::fabs(v) >= 1e-4) {
        // Non-whole values lie below 2^53, so %g stays in plain form. Rounding
        // to the digits may carry into the integer part (0.99999999 -> 1);
        // then the integer part alone is written, since that is what a reader
        // takes from the number.
        length = std::snprintf(text, sizeof text, "%.*g", digits, v);
        if (std::trunc(std::strtod(text, nullptr)) != std::trunc(v)) {
            const double whole = std::trunc(v);
            length = std::snprintf(text, sizeof text, "%.0f", whole == 0.0 ? 0.0 : whole);
        }
    } else {
        // Tiny values: fixed notation with as many decimals as the digits need.
        int decimals = digits - 1 - static_cast<int>(std::floor(std::log10(std::fabs(v))));
        if (decimals > 60) decimals = 60;
        length = std::snprintf(text, sizeof text, "%.*f", decimals, v);
    }
    if (length > 0 && static_cast<size_t>(length) < sizeof text) out.append(text, length);
}

}  // namespace

void putKeyword(std::string& out, std::string_view keyword) {
    out += '"';
    out += keyword;
    out += "\"\r\n";
}

void putInt8(std::string& out, int8_t v) {
    putInteger(out, static_cast<int>(v));
    out += ',';
}

void putUInt16(std::string& out, uint16_t v) {
    putInteger(out, static_cast<unsigned>(v));
    out += ',';
}

void putFloat(std::string& out, float v) {
    putReal(out, v, 7);
    out += ',';
}

void putDouble(std::string& out, double v) {
    putReal(out, v, 16);
    out += ',';
}

void putUInt32Line(std::string& out, uint32_t v) {
    putInteger(out, v);
    out += "\r\n";
}

void putLineEnd(std::string& out) {
    out += "\r\n";
}

void putCodeBytes(std::string& out, std::string_view code) {
    for (char c : code) putInt8(out, static_cast<int8_t>(c));
}

std::string codeFromPending() {
    std::string code(pendingNumbers.size(), '\0');
    for (size_t i = 0; i < pendingNumbers.size(); ++i) {
        code[i] = static_cast<char>(static_cast<uint8_t>(pendingNumbers[i] & 0xff));
    }
    return code;
}
