#pragma once
// UTF-8 text helpers shared by the league, the schedule and the windows.

#include <cstddef>
#include <string>
#include <string_view>

namespace quintora::base {

// Longest prefix of text that fits in room bytes without splitting a UTF-8
// character (continuation bytes are 10xxxxxx). A character has at most four
// bytes, so at most three go back: text that is not UTF-8 loses no more.
inline std::size_t fitting_length(std::string_view text, std::size_t room) {
  if (text.size() <= room) return text.size();
  std::size_t n = room;
  while (n > 0 && room - n < 3 && (static_cast<unsigned char>(text[n]) & 0xC0u) == 0x80u) --n;
  return n;
}

// Length of the well-formed UTF-8 character at text[pos] (1 to 4) and its
// code point; 0 when the bytes there do not form one (a stray continuation
// byte, a cut sequence, an overlong form, a surrogate, past U+10FFFF).
std::size_t decode_utf8(std::string_view text, std::size_t pos, char32_t& code_point);

// True when text is well-formed UTF-8: no stray continuation byte, no cut
// sequence, no overlong form, no surrogate, nothing past U+10FFFF.
bool is_valid_utf8(std::string_view text);

// Windows-1252 text (the code page of the older Windows program's files) in
// UTF-8. The five bytes the code page leaves undefined (81, 8D, 8F, 90, 9D)
// become U+FFFD: as C1 controls they could steer a terminal.
std::string utf8_from_windows_1252(std::string_view text);

// Valid UTF-8 as it stands; each byte that is not part of a character
// becomes U+FFFD, so every reader of the result sees well-formed UTF-8.
std::string with_replacement_characters(std::string_view text);

// The one scrub for text that goes where a control character does harm: XML
// (where most are forbidden), HTML, iCalendar, a PDF's fonts, a terminal.
// Valid UTF-8 in which every control character (C0, DEL and C1) and every
// byte that is not part of a character is U+FFFD, except the ASCII controls
// listed in `kept` (such as tab and the line ends, where the format has a
// place for them).
std::string without_control_characters(std::string_view text, std::string_view kept = {});

// Valid UTF-8 as it stands, byte for byte; anything else read as Windows-1252.
std::string utf8_or_windows_1252(std::string_view text);

// The text with every control character shown as \xNN, one escape per byte:
// C0 (tab and line end included), DEL, C1 (U+0080..U+009F) and every byte
// that is not part of a valid UTF-8 character. An escape sequence that could
// retitle or clear a terminal thus arrives as plain text.
std::string escape_control_characters(std::string_view text);

}  // namespace quintora::base
