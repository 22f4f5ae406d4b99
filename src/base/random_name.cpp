#include "base/random_name.h"

#include <chrono>
#include <cstdint>
#include <random>

namespace quintora::base {

std::string random_hex(int digits) {
  static std::mt19937_64 generator{[] {
    std::random_device device;
    const auto now = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return (static_cast<std::uint64_t>(device()) << 32) ^ now;
  }()};
  static constexpr char hex[] = "0123456789abcdef";
  std::uint64_t value = generator();
  std::string text(static_cast<std::size_t>(digits < 1 ? 1 : digits > 16 ? 16 : digits), '0');
  for (char& c : text) {
    c = hex[value & 0xFu];
    value >>= 4;
  }
  return text;
}

}  // namespace quintora::base
