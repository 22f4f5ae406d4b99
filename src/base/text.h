#pragma once
// UTF-8 text helpers shared by the league, the schedule and the windows.

#include <cstddef>
#include <string_view>

namespace quintora::base {

// Longest prefix of text that fits in room bytes without splitting a UTF-8
// character (continuation bytes are 10xxxxxx).
inline std::size_t fitting_length(std::string_view text, std::size_t room) {
  if (text.size() <= room) return text.size();
  std::size_t n = room;
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0u) == 0x80u) --n;
  return n;
}

}  // namespace quintora::base
