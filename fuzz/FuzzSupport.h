#pragma once
// Small helpers shared by the fuzz targets: turning the fuzzer's bytes into
// the program's kinds of input, and a random source fed from those bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <string_view>

#include "cipher/RandomSource.h"

namespace kirimo::fuzz {

// A property the target checks did not hold: libFuzzer keeps the input.
[[noreturn]] inline void Violated(const char* what) {
  std::fprintf(stderr, "property violated: %s\n", what);
  std::abort();
}

// Reads the input front to back; what runs out reads as zeros.
class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  char16_t Unit() { return static_cast<char16_t>(Byte() | (Byte() << 8)); }
  // A length-prefixed piece of the rest.
  std::string_view Piece(std::size_t longest) {
    std::size_t n = (static_cast<std::size_t>(Byte()) << 8 | Byte()) % (longest + 1);
    n = std::min(n, size_ - at_);
    std::string_view piece(reinterpret_cast<const char*>(data_ + at_), n);
    at_ += n;
    return piece;
  }
  std::string_view Rest() {
    std::string_view rest(reinterpret_cast<const char*>(data_ + at_), size_ - at_);
    at_ = size_;
    return rest;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Draws taken from the input, so that a crash replays exactly.
class BytesRandom : public RandomSource {
 public:
  explicit BytesRandom(Bytes& bytes) : bytes_(bytes) {}
  double NextUniform() override {
    const unsigned value = bytes_.Byte() | bytes_.Byte() << 8;
    return value / 65536.0;
  }

 private:
  Bytes& bytes_;
};

inline std::u16string Utf16(std::string_view bytes) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                         static_cast<unsigned char>(bytes[i + 1]) << 8));
  return text;
}

}  // namespace kirimo::fuzz
