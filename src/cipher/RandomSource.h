#pragma once
// The cipher's random choices come through this interface so that tests can
// fix them; decoding never depends on the values drawn.

#include <cstdint>
#include <random>

namespace kirimo {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A uniform draw u with 0 <= u < 1.
  virtual double NextUniform() = 0;
};

// The program's source: a uniform generator seeded once, from the system's
// entropy source mixed with the clock.
class SystemRandomSource final : public RandomSource {
 public:
  SystemRandomSource();
  double NextUniform() override;

 private:
  std::mt19937_64 engine_;
};

}  // namespace kirimo
