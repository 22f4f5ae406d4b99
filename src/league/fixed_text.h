#pragma once
// Text in a fixed field of N bytes (N - 1 usable, NUL-terminated), as the
// league keeps its names, title and path. Assigning text longer than the
// room cuts it, never inside a UTF-8 character.

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "base/text.h"

namespace quintora::league {

template <std::size_t N>
class FixedText {
 public:
  static constexpr std::size_t room = N - 1;

  FixedText() = default;
  explicit FixedText(std::string_view text) { assign(text); }

  void assign(std::string_view text) {
    std::size_t n = base::fitting_length(text, room);
    if (n > 0) std::memcpy(bytes_.data(), text.data(), n);
    bytes_[n] = '\0';
    length_ = n;
  }
  void clear() {
    bytes_[0] = '\0';
    length_ = 0;
  }

  std::string_view view() const { return {bytes_.data(), length_}; }
  const char* c_str() const { return bytes_.data(); }
  std::size_t size() const { return length_; }
  bool empty() const { return length_ == 0; }

  friend bool operator==(const FixedText& a, const FixedText& b) { return a.view() == b.view(); }

 private:
  std::array<char, N> bytes_{};
  std::size_t length_ = 0;
};

}  // namespace quintora::league
