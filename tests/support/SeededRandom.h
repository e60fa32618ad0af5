#pragma once
// A reproducible stand-in for the program's random source, so that a
// failing test fails the same way again.

#include <cstdint>
#include <random>

#include "cipher/RandomSource.h"

namespace kirimo::testing_support {

class SeededRandom : public RandomSource {
 public:
  explicit SeededRandom(std::uint64_t seed = 20261210) : engine_(seed) {}
  double NextUniform() override { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

 private:
  std::mt19937_64 engine_;
};

}  // namespace kirimo::testing_support
