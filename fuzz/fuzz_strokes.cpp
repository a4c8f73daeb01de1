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

void checkPages() {
    const uint8_t* other = pagePixels(1);
    const uint8_t* work = pagePixels(0);
    for (int i = 0; i < kScreenWidth * kScreenHeight; ++i) {
        if (other[i] != kCanary) fuzzFail("drawing reached the other page", i);
        if (work[i] != kInk && work[i] != kPaper) fuzzFail("a pixel in a colour never drawn", i);
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
