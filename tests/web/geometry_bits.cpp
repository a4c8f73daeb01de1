// Writes the bits of the geometry that decides solving and flights, and of
// the C library's sin, cos and atan2 at the inputs the game gives them, so
// that the native and the WebAssembly build can be compared bit for bit
// (compare-geometry.js).
//
//   geometry_bits OUT_FILE
//
// The file is a list of records: a kind byte, the input's bits and the
// result's bits (little-endian 32-bit words). Kinds: 1 a sample of a worst-
// case level's curve (level, segment, sample number; x, y), 2 isNear of a
// sample and a point (level, segment, sample, point; result), 3 cos and 4 sin
// of a whole number of degrees (the stroke font's turns), 5 sinf and 6 cosf
// of a spiral angle, 7 atan2 of an arrow's direction (u, v; degrees as a
// double's two words), 8 the frame's own samples of a segment, worked out
// many at once (level, segment, sample number; x, y).
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "../../bench/worst_case_level.h"
#include "geometry/path.h"
#include "geometry/vector.h"
#include "level/level_set.h"
#include "platform/host.h"
#include "platform/platform.h"
#include "scene/scene_points.h"

namespace {

std::vector<uint32_t> out;

uint32_t bits(float v) {
    uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

void record(uint32_t kind, std::initializer_list<uint32_t> words) {
    out.push_back(kind << 24 | uint32_t(words.size()));
    out.insert(out.end(), words);
}

void curves(int levelCount) {
    for (int l = 0; l < levelCount; ++l) {
        seedRandom(1000 + l);
        Level level;
        makeWorstCaseLevel(level);
        const int segments = segmentCount(level.paths);
        for (int s = 0; s < segments; ++s) {
            const Segment seg = segmentOf(level.paths, 2 * s);
            int n = 0;
            for (float t = 0.0f; t <= 1.0f && n < kSegmentSamples; t += 0.01f, ++n) {
                const Vector p = pathPointAt(seg, t, level.attractor);
                record(1, {uint32_t(l), uint32_t(s), uint32_t(n), bits(p.x), bits(p.y)});
                // Every point against the sample, and the nudged copies of the
                // sample that lie on the edge of the 5-pixel test.
                uint32_t near = 0;
                for (int j = 0; j < levelPointCount(level); ++j) {
                    near += isNear(p, level.points[size_t(j)]) ? 1 : 0;
                }
                for (int dx = -5; dx <= 5; dx += 5) {
                    for (int step = -2; step <= 2; ++step) {
                        const Vector q{nudged(std::round(p.x) + float(dx), step),
                                       nudged(std::round(p.y) + 5.0f, -step), 0};
                        near = near * 3 + (isNear(p, q) ? 1 : 0);
                    }
                }
                record(2, {uint32_t(l), uint32_t(s), uint32_t(n), near});
            }
            const SampleWeights& weights = sampleWeights();
            float xs[kSegmentSamples];
            float ys[kSegmentSamples];
            pathPointsWithWeights(seg, weights.w, weights.count, level.attractor, xs, ys);
            for (int k = 0; k < weights.count; ++k) {
                record(8, {uint32_t(l), uint32_t(s), uint32_t(k), bits(xs[k]), bits(ys[k])});
            }
        }
    }
}

void strokeTurns() {
    for (int degrees = 0; degrees < 360; ++degrees) {
        const double radians = static_cast<double>(degrees) * 3.14159265358979323846 / 180.0;
        record(3, {uint32_t(degrees), bits(static_cast<float>(std::cos(radians)))});
        record(4, {uint32_t(degrees), bits(static_cast<float>(std::sin(radians)))});
    }
}

// The spiral turns 5 radians a second from 2 pi down, drawn at angle + m for
// m = 0, 0.5, ... 15: every float the angle passes in its first hour, thinned.
void spiralAngles(int count) {
    for (int i = 0; i < count; ++i) {
        const float angle = float(6.2831855 - 18000.0 * i / count);
        for (float m = 0.0f; m <= 15.0f; m += 0.5f) {
            const float a = angle + m;
            record(5, {bits(a), bits(std::sin(a))});
            record(6, {bits(a), bits(std::cos(a))});
        }
    }
}

// Arrows point along differences of curve points: whole and fractional
// offsets over the screen.
void arrowDirections(int count) {
    seedRandom(7);
    for (int i = 0; i < count; ++i) {
        const float u = float((randomUnit() - 0.5) * (i % 2 ? 1280.0 : 8.0));
        const float v = float((randomUnit() - 0.5) * (i % 3 ? 960.0 : 8.0));
        const double degrees = std::atan2(static_cast<double>(u), static_cast<double>(v)) * 180.0 /
                               3.14159265358979323846;
        uint64_t d;
        std::memcpy(&d, &degrees, sizeof d);
        record(7, {bits(u), bits(v), uint32_t(d), uint32_t(d >> 32)});
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: geometry_bits OUT_FILE\n");
        return 2;
    }
    curves(40);
    strokeTurns();
    spiralAngles(20000);
    arrowDirections(200000);
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr) return 1;
    const bool written = std::fwrite(out.data(), 4, out.size(), file) == out.size();
    std::printf("%zu words\n", out.size());
    return std::fclose(file) == 0 && written ? 0 : 1;
}
