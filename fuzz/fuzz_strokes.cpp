// Stroke strings, text and heading arrows with arbitrary bytes and extreme
// numbers: every call must end quickly and draw only on the work page, in the
// foreground colour.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_files.h"
#include "platform/host.h"
#include "platform/platform.h"
#include "text/stroke_font.h"

namespace {

constexpr int kCanary = 9;  // fills the page that must stay untouched
constexpr int kInk = 5;     // the foreground colour
constexpr int kPaper = 0;   // the work page's background
constexpr int kMaxCalls = 8;

// Any 32 bits as a float: NaN, infinities and huge magnitudes included.
float anyFloat(FuzzedDataProvider& in) {
    const uint32_t bits = in.ConsumeIntegral<uint32_t>();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

Vector anyVector(FuzzedDataProvider& in) {
    Vector v;
    v.x = anyFloat(in);
    v.y = anyFloat(in);
    return v;
}

void preparePages() {
    setPages(1, 1);
    setBackground(kCanary);
    clearPage();
    setPages(0, 1);
    setBackground(kPaper);
    setForeground(kInk);
    clearPage();
}

// Eight pixels at a time: this runs after every input.
void checkPages() {
    constexpr size_t kWords = kScreenWidth * kScreenHeight / 8;
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    constexpr uint64_t kHighs = 0x8080808080808080ULL;
    // 0x80 in each byte of v that is zero, 0 in every other byte.
    const auto zeroBytes = [](uint64_t v) { return ~(((v & ~kHighs) + ~kHighs) | v) & kHighs; };
    const uint8_t* other = pagePixels(1);
    const uint8_t* work = pagePixels(0);
    for (size_t i = 0; i < kWords; ++i) {
        uint64_t o;
        uint64_t w;
        std::memcpy(&o, other + 8 * i, 8);
        std::memcpy(&w, work + 8 * i, 8);
        if (o != kOnes * kCanary) fuzzFail("drawing reached the other page", static_cast<long>(i));
        // Every byte must be ink or paper (0): ink bytes xor ink become 0.
        const uint64_t paper = zeroBytes(w);
        const uint64_t ink = zeroBytes(w ^ (kOnes * kInk));
        if ((paper | ink) != kHighs) {
            fuzzFail("a pixel in a colour never drawn", static_cast<long>(i));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    preparePages();
    turnAngle = in.ConsumeIntegral<int32_t>();
    setLastPoint(anyFloat(in), anyFloat(in));
    for (int call = 0; call < kMaxCalls && in.remaining_bytes() > 0; ++call) {
        switch (in.ConsumeIntegralInRange<int>(0, 3)) {
            case 0:
                drawStrokes(in.ConsumeRandomLengthString(512));
                break;
            case 1: {
                const int16_t x = in.ConsumeIntegral<int16_t>();
                const int16_t y = in.ConsumeIntegral<int16_t>();
                const uint8_t perLine = in.ConsumeIntegral<uint8_t>();
                drawText(x, y, in.ConsumeRandomLengthString(512), perLine);
                break;
            }
            case 2: {
                const Vector p = anyVector(in);
                drawArrow(p, anyVector(in));
                break;
            }
            default:
                drawGlyph(in.ConsumeIntegral<uint8_t>());
                break;
        }
    }
    checkPages();
    return 0;
}
