#include "base/text.h"

#include <array>
#include <cstdint>

namespace quintora::base {

namespace {

constexpr char32_t replacement_character = 0xFFFD;

unsigned byte_at(std::string_view text, std::size_t pos) { return static_cast<unsigned char>(text[pos]); }

void append_utf8(std::string& out, char32_t c) {
  const auto byte = [&out](char32_t b) { out.push_back(static_cast<char>(static_cast<unsigned char>(b))); };
  if (c < 0x80) {
    byte(c);
  } else if (c < 0x800) {
    byte(0xC0 | (c >> 6));
    byte(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    byte(0xE0 | (c >> 12));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  } else {
    byte(0xF0 | (c >> 18));
    byte(0x80 | ((c >> 12) & 0x3F));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  }
}

// Windows-1252 bytes 80..9F; the rest of the code page is Latin-1.
// clang-format off
constexpr std::array<char32_t, 32> windows_1252_80_9f = {
    0x20AC, replacement_character, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, replacement_character, 0x017D, replacement_character,  // 88..8F
    replacement_character, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, replacement_character, 0x017E, 0x0178,  // 98..9F
};
// clang-format on

void append_escape(std::string& out, unsigned byte) {
  constexpr std::string_view hex = "0123456789abcdef";
  out += "\\x";
  out += hex[byte >> 4];
  out += hex[byte & 0x0Fu];
}

}  // namespace

std::size_t decode_utf8(std::string_view text, std::size_t pos, char32_t& code_point) {
  const unsigned lead = byte_at(text, pos);
  if (lead < 0x80) {
    code_point = lead;
    return 1;
  }
  std::size_t length = 0;
  char32_t value = 0;
  char32_t lowest = 0;  // below it the form is overlong
  if ((lead & 0xE0u) == 0xC0u) {
    length = 2;
    value = lead & 0x1Fu;
    lowest = 0x80;
  } else if ((lead & 0xF0u) == 0xE0u) {
    length = 3;
    value = lead & 0x0Fu;
    lowest = 0x800;
  } else if ((lead & 0xF8u) == 0xF0u) {
    length = 4;
    value = lead & 0x07u;
    lowest = 0x10000;
  } else {
    return 0;
  }
  if (text.size() - pos < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned next = byte_at(text, pos + k);
    if ((next & 0xC0u) != 0x80u) return 0;
    value = (value << 6) | (next & 0x3Fu);
  }
  if (value < lowest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  code_point = value;
  return length;
}

namespace {

// Walks text character by character: each well-formed UTF-8 character to
// `character` with its bytes and code point, each byte that is not part of
// one to `stray`.
template <typename Character, typename Stray>
void for_each_character(std::string_view text, Character character, Stray stray) {
  char32_t c = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = decode_utf8(text, pos, c);
    if (length == 0) {
      stray(byte_at(text, pos));
      ++pos;
    } else {
      character(text.substr(pos, length), c);
      pos += length;
    }
  }
}

}  // namespace

bool is_valid_utf8(std::string_view text) {
  char32_t c = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = decode_utf8(text, pos, c);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

std::string utf8_from_windows_1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    const unsigned b = byte_at(text, pos);
    append_utf8(out, b >= 0x80 && b <= 0x9F ? windows_1252_80_9f[b - 0x80] : char32_t{b});
  }
  return out;
}

std::string with_replacement_characters(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for_each_character(
      text, [&out](std::string_view character, char32_t) { out += character; },
      [&out](unsigned) { append_utf8(out, replacement_character); });
  return out;
}

std::string without_control_characters(std::string_view text, std::string_view kept) {
  std::string out;
  out.reserve(text.size());
  for_each_character(
      text,
      [&out, kept](std::string_view character, char32_t c) {
        const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
        const bool keep = c < 0x20 && kept.find(static_cast<char>(c)) != std::string_view::npos;
        if (control && !keep)
          append_utf8(out, replacement_character);
        else
          out += character;
      },
      [&out](unsigned) { append_utf8(out, replacement_character); });
  return out;
}

std::string utf8_or_windows_1252(std::string_view text) {
  return is_valid_utf8(text) ? std::string(text) : utf8_from_windows_1252(text);
}

std::string escape_control_characters(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for_each_character(
      text,
      [&out](std::string_view character, char32_t c) {
        const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
        if (!control) {
          out += character;
          return;
        }
        for (const char b : character) append_escape(out, static_cast<unsigned char>(b));
      },
      [&out](unsigned byte) { append_escape(out, byte); });
  return out;
}

}  // namespace quintora::base
