// The worst-case frame timed alone, with no benchmark library, so that the
// same source runs natively and in a browser page (built by the web preset;
// tests/web/measure.js runs both and prints them side by side).
//
//   orvet_frame_probe [FRAMES]      prints "frame_us <mean microseconds>"
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "../bench_scene.h"
#include "scene/scene.h"

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 1000;
    setUpWorstCaseScene(20240601);
    // A second of warm-up: a browser first runs a module's code from a quick
    // baseline compile and swaps in its optimised code only once it is hot,
    // as it is after the first second of play.
    const auto warm = std::chrono::steady_clock::now();
    for (int i = 0; i < 20 || std::chrono::steady_clock::now() - warm < std::chrono::seconds(1);
         ++i) {
        drawFrame();
    }
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) drawFrame();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("frame_us %.1f\n", seconds / frames * 1e6);
    return 0;
}
