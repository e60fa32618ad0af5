#include "cipher/RandomSource.h"

#include <chrono>

namespace kirimo {

namespace {

std::seed_seq::result_type LowBits(std::uint64_t value) {
  return static_cast<std::seed_seq::result_type>(value & 0xFFFFFFFFu);
}

}  // namespace

SystemRandomSource::SystemRandomSource() {
  const auto now =
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  const auto wall =
      static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  std::seed_seq::result_type entropy[4] = {LowBits(now), LowBits(now >> 32), LowBits(wall),
                                           LowBits(wall >> 32)};
  // Some platforms have no entropy device and throw; the clock alone is then
  // still a fine seed for choices that only hide the text's layout.
  try {
    std::random_device device;
    entropy[0] ^= device();
    entropy[1] ^= device();
    entropy[2] ^= device();
  } catch (...) {
  }
  std::seed_seq seed(std::begin(entropy), std::end(entropy));
  engine_.seed(seed);
}

double SystemRandomSource::NextUniform() {
  // 53 random bits give every double of [0, 1) on an even grid; unlike
  // uniform_real_distribution this can never come out as 1.0.
  return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

}  // namespace kirimo
