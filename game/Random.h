// The game's one pseudo-random generator, shared by the whole process.
//
// Values run from 0 to 32767. The generator seeds itself once, from the
// calendar time in seconds, at the first draw; SeedRandom fixes the sequence
// instead (tests, benchmarks) and counts as that seeding.
#pragma once

namespace VeRize {

constexpr int RandomMax = 32767;

int NextRandom();      // 0..RandomMax
int RandomUpTo(int n); // NextRandom() mod n, plus 1: 1..n
int DrawColumn();      // RandomUpTo(10): 1..10
int DrawColour();      // NextRandom() mod 4, plus 1: 1..4
void SeedRandom(unsigned seed);

} // namespace VeRize
