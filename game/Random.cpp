#include "game/Random.h"

#include <cstdint>
#include <ctime>

namespace VeRize {

namespace {

// A linear congruential generator giving 15-bit values, the same on every
// platform and compiler.
struct Generator {
    std::uint32_t state = 0;
    bool seeded = false;
};

Generator &TheGenerator() {
    static Generator generator;
    return generator;
}

} // namespace

void SeedRandom(unsigned seed) {
    Generator &g = TheGenerator();
    g.state = static_cast<std::uint32_t>(seed);
    g.seeded = true;
}

int NextRandom() {
    Generator &g = TheGenerator();
    if (!g.seeded)
        SeedRandom(static_cast<unsigned>(std::time(nullptr)));
    g.state = g.state * 214013u + 2531011u;
    return static_cast<int>((g.state >> 16) & 0x7FFFu);
}

int RandomUpTo(int n) {
    const int value = NextRandom();
    return n > 0 ? value % n + 1 : 1; // an empty range has only its start
}

int DrawColumn() {
    return RandomUpTo(10);
}

int DrawColour() {
    return NextRandom() % 4 + 1;
}

} // namespace VeRize
