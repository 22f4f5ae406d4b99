#include "optimiser/report_fields.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace quintora::optimiser {

std::string format_int(long long value, int width) {
  const std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) > width) return std::string(static_cast<std::size_t>(width), '*');
  return std::string(static_cast<std::size_t>(width) - digits.size(), ' ') + digits;
}

std::string format_e14(double value) {
  constexpr int width = 14;
  if (!std::isfinite(value)) return std::string(width, '*');
  // std::to_chars rounds correctly from the exact binary value, ties to even,
  // and ignores the locale: the same digits on every platform.
  std::array<char, 64> buffer{};
  const auto [end, ec] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific, 5);
  if (ec != std::errc{}) return std::string(width, '*');
  std::string text(buffer.data(), end);  // e.g. "1.20000e+01", "-1.23457e+102"
  const std::size_t e = text.find('e');
  std::string mantissa = text.substr(0, e);
  const char sign = text[e + 1];
  std::string exponent = text.substr(e + 2);
  std::string field;
  if (exponent.size() <= 2) {
    field = mantissa + "D" + sign + exponent;
  } else if (exponent.size() == 3) {
    field = mantissa + sign + exponent;  // three-digit exponents drop the letter
  } else {
    return std::string(width, '*');
  }
  if (field.size() > static_cast<std::size_t>(width)) return std::string(width, '*');
  return std::string(width - field.size(), ' ') + field;
}

bool parse_e14(std::string_view text, double& value) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty() || text.size() > 32) return false;
  std::array<char, 40> buffer{};
  std::size_t n = 0;
  for (char c : text) buffer[n++] = (c == 'D' || c == 'd') ? 'e' : c;
  const char* first = buffer.data();
  if (*first == '+') ++first;  // from_chars takes no plus sign
  const char* last = buffer.data() + n;
  const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
  return ec == std::errc{} && end == last;
}

std::string free_form_real(double value) {
  std::array<char, 64> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  if (ec != std::errc{}) return "*";
  std::string text(buffer.data(), end);
  if (text.find_first_of(".eEn") == std::string::npos) text += ".0";  // "n": inf, nan
  return text;
}

void FreeFormLine::separate() { line_ += ' '; }

FreeFormLine& FreeFormLine::text(std::string_view item) {
  separate();
  line_ += item;
  return *this;
}

FreeFormLine& FreeFormLine::whole(long long item) {
  separate();
  line_ += std::to_string(item);
  return *this;
}

FreeFormLine& FreeFormLine::real(double item) {
  separate();
  line_ += free_form_real(item);
  return *this;
}

}  // namespace quintora::optimiser
