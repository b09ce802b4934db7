#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Takes a fuzzer's bytes apart into the values a target needs. Reading past
// the end gives zeros and empty texts, so every input is usable.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool empty() const { return position_ >= size_; }
  std::size_t remaining() const { return empty() ? 0 : size_ - position_; }

  std::uint8_t byte();
  bool flag() { return (byte() & 1u) != 0; }
  // An integer from low to high, both included (low when the bytes ran out).
  int intInRange(int low, int high);
  // Any double, from eight bytes as they lie (NaN and infinities included).
  double anyDouble();
  // The bytes up to the next zero byte (dropped) or maxLength bytes.
  std::string text(std::size_t maxLength);
  // Everything not read yet.
  std::string rest();

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

// Reports a broken property of a fuzz target and stops the run, so the
// fuzzer keeps the input that broke it.
[[noreturn]] void FuzzFailure(const std::string& what);
