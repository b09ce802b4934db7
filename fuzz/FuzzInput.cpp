#include "FuzzInput.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

std::uint8_t FuzzInput::byte() {
  if (empty()) return 0;
  return data_[position_++];
}

int FuzzInput::intInRange(int low, int high) {
  const auto span = static_cast<std::uint32_t>(static_cast<std::int64_t>(high) - low) + 1u;
  std::uint32_t value = 0;
  for (std::uint32_t reach = 1; reach < span && reach != 0; reach <<= 8) value = (value << 8) | byte();
  return low + static_cast<int>(value % span);
}

double FuzzInput::anyDouble() {
  std::uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) bits = (bits << 8) | byte();
  double value = 0.0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::string FuzzInput::text(std::size_t maxLength) {
  std::string out;
  while (!empty() && out.size() < maxLength) {
    const auto c = static_cast<char>(byte());
    if (c == '\0') break;
    out.push_back(c);
  }
  return out;
}

std::string FuzzInput::rest() {
  std::string out;
  if (!empty()) out.assign(reinterpret_cast<const char*>(data_ + position_), size_ - position_);
  position_ = size_;
  return out;
}

void FuzzFailure(const std::string& what) {
  std::fprintf(stderr, "fuzz target property broken: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}
