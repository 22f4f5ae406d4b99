#include "base/text_compare.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "base/text.h"

namespace quintora::base {
namespace {

struct FoldRange {
  std::uint32_t first;
  std::uint32_t last;
  std::int32_t delta;  // added to the code point
  bool alternate;      // only first, first + 2, first + 4 ... fold (upper/lower pairs)
};

// Simple case folding (Unicode CaseFolding.txt, statuses C and S) for Basic
// Latin, Latin-1 Supplement, Latin Extended-A, the regular parts of Latin
// Extended-B, Greek and Coptic, Cyrillic and its supplement, Armenian, Latin
// Extended Additional, the letterlike signs that fold into Latin or Greek,
// and the fullwidth Latin capitals. Sorted by first code point.
constexpr FoldRange fold_table[] = {
    {0x0041, 0x005A, 32, false},
    {0x00B5, 0x00B5, 0x03BC - 0x00B5, false},
    {0x00C0, 0x00D6, 32, false},
    {0x00D8, 0x00DE, 32, false},
    {0x0100, 0x012F, 1, true},
    {0x0132, 0x0137, 1, true},
    {0x0139, 0x0148, 1, true},
    {0x014A, 0x0177, 1, true},
    {0x0178, 0x0178, 0x00FF - 0x0178, false},
    {0x0179, 0x017E, 1, true},
    {0x017F, 0x017F, 0x0073 - 0x017F, false},
    {0x01C4, 0x01C4, 2, false},
    {0x01C5, 0x01C5, 1, false},
    {0x01C7, 0x01C7, 2, false},
    {0x01C8, 0x01C8, 1, false},
    {0x01CA, 0x01CA, 2, false},
    {0x01CB, 0x01DB, 1, true},
    {0x01DE, 0x01EE, 1, true},
    {0x01F1, 0x01F1, 2, false},
    {0x01F2, 0x01F2, 1, false},
    {0x01F4, 0x01F4, 1, false},
    {0x01F8, 0x021E, 1, true},
    {0x0222, 0x0232, 1, true},
    {0x0345, 0x0345, 0x03B9 - 0x0345, false},
    {0x0370, 0x0372, 1, true},
    {0x0376, 0x0376, 1, false},
    {0x037F, 0x037F, 0x03F3 - 0x037F, false},
    {0x0386, 0x0386, 0x03AC - 0x0386, false},
    {0x0388, 0x038A, 37, false},
    {0x038C, 0x038C, 64, false},
    {0x038E, 0x038F, 63, false},
    {0x0391, 0x03A1, 32, false},
    {0x03A3, 0x03AB, 32, false},
    {0x03C2, 0x03C2, 1, false},
    {0x03CF, 0x03CF, 0x03D7 - 0x03CF, false},
    {0x03D0, 0x03D0, 0x03B2 - 0x03D0, false},
    {0x03D1, 0x03D1, 0x03B8 - 0x03D1, false},
    {0x03D5, 0x03D5, 0x03C6 - 0x03D5, false},
    {0x03D6, 0x03D6, 0x03C0 - 0x03D6, false},
    {0x03D8, 0x03EE, 1, true},
    {0x03F0, 0x03F0, 0x03BA - 0x03F0, false},
    {0x03F1, 0x03F1, 0x03C1 - 0x03F1, false},
    {0x03F4, 0x03F4, 0x03B8 - 0x03F4, false},
    {0x03F5, 0x03F5, 0x03B5 - 0x03F5, false},
    {0x03F7, 0x03F7, 1, false},
    {0x03F9, 0x03F9, 0x03F2 - 0x03F9, false},
    {0x03FA, 0x03FA, 1, false},
    {0x03FD, 0x03FF, 0x037B - 0x03FD, false},
    {0x0400, 0x040F, 80, false},
    {0x0410, 0x042F, 32, false},
    {0x0460, 0x0480, 1, true},
    {0x048A, 0x04BE, 1, true},
    {0x04C0, 0x04C0, 15, false},
    {0x04C1, 0x04CD, 1, true},
    {0x04D0, 0x052E, 1, true},
    {0x0531, 0x0556, 48, false},
    {0x1E00, 0x1E94, 1, true},
    {0x1E9B, 0x1E9B, 0x1E61 - 0x1E9B, false},
    {0x1E9E, 0x1E9E, 0x00DF - 0x1E9E, false},
    {0x1EA0, 0x1EFE, 1, true},
    {0x2126, 0x2126, 0x03C9 - 0x2126, false},
    {0x212A, 0x212A, 0x006B - 0x212A, false},
    {0x212B, 0x212B, 0x00E5 - 0x212B, false},
    {0xFF21, 0xFF3A, 32, false},
};

// Values above the Unicode range stand for single bytes that are not valid
// UTF-8, so they only ever equal the same byte.
constexpr std::uint32_t invalid_byte_base = 0x110000;

std::uint32_t fold(std::uint32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
  for (const FoldRange& r : fold_table) {
    if (c < r.first) break;
    if (c <= r.last) {
      if (r.alternate && ((c - r.first) & 1u) != 0) return c;
      return static_cast<std::uint32_t>(static_cast<std::int32_t>(c) + r.delta);
    }
  }
  return c;
}

// Decodes the character at text[i] and advances i. Bytes that do not form
// a character give their first byte alone, marked as invalid.
std::uint32_t next_code_point(std::string_view text, std::size_t& i) {
  char32_t c = 0;
  const std::size_t length = decode_utf8(text, i, c);
  if (length == 0) return invalid_byte_base + static_cast<unsigned char>(text[i++]);
  i += length;
  return static_cast<std::uint32_t>(c);
}

std::vector<std::uint32_t> folded(std::string_view text) {
  std::vector<std::uint32_t> out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) out.push_back(fold(next_code_point(text, i)));
  return out;
}

}  // namespace

std::uint32_t fold_case(std::uint32_t code_point) { return fold(code_point); }

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const auto ca = static_cast<unsigned char>(a[i]);
    const auto cb = static_cast<unsigned char>(b[j]);
    if (ca < 0x80 && cb < 0x80) {  // the common case: plain ASCII
      if (fold(ca) != fold(cb)) return false;
      ++i, ++j;
      continue;
    }
    if (fold(next_code_point(a, i)) != fold(next_code_point(b, j))) return false;
  }
  return i == a.size() && j == b.size();
}

bool contains_ignoring_case(std::string_view text, std::string_view part) {
  if (part.empty()) return true;
  const std::vector<std::uint32_t> whole = folded(text);
  const std::vector<std::uint32_t> wanted = folded(part);
  return std::search(whole.begin(), whole.end(), wanted.begin(), wanted.end()) != whole.end();
}

}  // namespace quintora::base
