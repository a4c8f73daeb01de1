// Uniform random numbers in [0, 1).
#include <cstring>
#include <random>

#include "platform/platform.h"

namespace {

std::mt19937_64 engine;

}  // namespace

double randomUnit() {
    // The top 53 bits give every double of [0, 1) on a 2^-53 grid.
    return static_cast<double>(engine() >> 11) * 0x1.0p-53;
}

void seedRandom(double seed) {
    if (seed == -1.0) seed = timer();
    uint64_t bits = 0;
    static_assert(sizeof bits == sizeof seed);
    std::memcpy(&bits, &seed, sizeof bits);
    engine.seed(bits);
}
