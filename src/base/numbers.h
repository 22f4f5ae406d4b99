#pragma once
// Decimal integers as the program's files and fields hold them. One scanner
// underlies every reader, so signs, white space and overlong numbers are
// treated alike everywhere; each reader keeps only its own rule of what
// surrounds the number.

#include <cstddef>
#include <string_view>

namespace quintora::base {

// White space as C's isspace sees it in the "C" locale.
constexpr bool is_white(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Position of the first character at or after pos that is not white space.
std::size_t skip_white(std::string_view text, std::size_t pos);

struct ScannedInteger {
  bool found = false;      // at least one digit
  bool too_large = false;  // magnitude beyond `limit`; value then holds ±limit
  long long value = 0;
  std::size_t end = 0;  // just past the last character taken (pos when nothing was found)
};

// Scans an optional sign and decimal digits starting exactly at pos (no white
// space is skipped). The magnitude saturates at `limit`, so any number of
// digits is read without overflow.
ScannedInteger scan_integer(std::string_view text, std::size_t pos, long long limit = 2147483648LL);

// A numeric entry field: blanks around the digits are allowed; anything else,
// nothing at all, or a value beyond the range of unsigned gives 0.
unsigned parse_unsigned_field(std::string_view text);

// The C library's reading of a number typed into a field: leading white
// space skipped, one optional sign, digits up to the first other character,
// no digits giving 0; the result is clamped to low..high.
int parse_leading_integer(std::string_view text, int low, int high);

// True when the whole text is one decimal integer with an optional sign.
bool is_whole_integer(std::string_view text);

}  // namespace quintora::base
