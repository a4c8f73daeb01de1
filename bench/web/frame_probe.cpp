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
    const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
    setUpWorstCaseScene(20240601);
    for (int i = 0; i < 20; ++i) drawFrame();  // warm-up
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) drawFrame();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("frame_us %.1f\n", seconds / frames * 1e6);
    return 0;
}
