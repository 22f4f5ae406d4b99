#include "base/numbers.h"

#include <algorithm>

namespace quintora::base {

std::size_t skip_white(std::string_view text, std::size_t pos) {
  while (pos < text.size() && is_white(text[pos])) ++pos;
  return pos;
}

ScannedInteger scan_integer(std::string_view text, std::size_t pos, long long limit) {
  ScannedInteger result;
  result.end = pos;
  std::size_t i = pos;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  long long magnitude = 0;
  const std::size_t digits = i;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int digit = text[i] - '0';
    if (result.too_large) continue;
    // Tested before multiplying, so no limit can overflow.
    if (magnitude > (limit - digit) / 10) {
      result.too_large = true;
    } else {
      magnitude = magnitude * 10 + digit;
    }
  }
  if (i == digits) return result;
  if (result.too_large) magnitude = limit;
  result.found = true;
  result.value = negative ? -magnitude : magnitude;
  result.end = i;
  return result;
}

unsigned parse_unsigned_field(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) return 0;
  const ScannedInteger number = scan_integer(text, i, 0xFFFFFFFFLL);
  if (!number.found || number.too_large) return 0;
  i = number.end;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i != text.size()) return 0;
  return static_cast<unsigned>(number.value);
}

int parse_leading_integer(std::string_view text, int low, int high) {
  // Saturating well above any clamp keeps "99999999999" at the top.
  const ScannedInteger number = scan_integer(text, skip_white(text, 0), 1000000000LL);
  const long long value = number.found ? number.value : 0;
  return static_cast<int>(std::clamp(value, static_cast<long long>(low), static_cast<long long>(high)));
}

bool is_whole_integer(std::string_view text) {
  const ScannedInteger number = scan_integer(text, 0);
  return number.found && number.end == text.size();
}

}  // namespace quintora::base
