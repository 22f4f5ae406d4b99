// UTF-8 validity, the Windows-1252 code page and the escaping of control
// characters.

#include "base/text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

namespace quintora::base {
namespace {

TEST(Text, Utf8ValidityFollowsTheEncodingRules) {
  const std::pair<std::string, bool> cases[] = {
      {"", true},
      {"Caf\xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x8E\xB1", true},  // é, a CJK character, an emoji
      {"\xF4\x8F\xBF\xBF", true},                           // U+10FFFF
      {"Caf\xE9", false},                                   // Windows-1252 é: cut short
      {"\xC3(", false},                                     // no continuation byte
      {"\x80", false},                                      // a stray continuation byte
      {"\xC0\xAF", false},                                  // overlong "/"
      {"\xE0\x80\xAF", false},                              // overlong, three bytes
      {"\xED\xA0\x80", false},                              // a surrogate
      {"\xF4\x90\x80\x80", false},                          // past U+10FFFF
      {"\xF8\x90\x80\x80", false},                          // no lead byte, though in range
  };
  for (const auto& [text, valid] : cases) EXPECT_EQ(is_valid_utf8(text), valid) << text;
}

TEST(Text, Windows1252IsConvertedByteForByte) {
  const std::pair<std::string, std::string> cases[] = {
      {"\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E",
       "\u20AC\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u017D"},
      {"\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F",
       "\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u017E\u0178"},
      {"\x81\x8D\x8F\x90\x9D", "\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},  // undefined in the code page
      {"\xA0\xBF\xC0\xD7\xFF", "\u00A0\u00BF\u00C0\u00D7\u00FF"},  // Latin-1 above 9F
      {"a\tb\x1B", "a\tb\x1B"},                                    // ASCII as it stands
  };
  for (const auto& [text, utf8] : cases) {
    EXPECT_EQ(utf8_from_windows_1252(text), utf8) << text;
    EXPECT_EQ(utf8_or_windows_1252(text), utf8) << text;
    EXPECT_EQ(utf8_or_windows_1252(utf8), utf8) << "valid UTF-8 stays as it is: " << utf8;
  }
}

TEST(Text, ControlCharactersAreEscapedAndNothingElse) {
  const std::pair<std::string, std::string> cases[] = {
      {"Sharks, 100% \"real\" \\ Caf\xC3\xA9 \xF0\x9F\x8E\xB1",
       "Sharks, 100% \"real\" \\ Caf\xC3\xA9 \xF0\x9F\x8E\xB1"},
      {"\x1B]0;owned\x07", "\\x1b]0;owned\\x07"},
      {std::string("a\0b\tc\rd\ne\x7F", 10), "a\\x00b\\x09c\\x0dd\\x0ae\\x7f"},
      {"\xC2\x9B"
       "31m \xC2\x85",
       "\\xc2\\x9b31m \\xc2\\x85"},  // C1 controls in UTF-8
      {"\x9B"
       "31m Caf\xE9 \xC3",
       "\\x9b31m Caf\\xe9 \\xc3"},  // bytes outside UTF-8
      {"\xC2\xA0\xC2\x80", "\xC2\xA0\\xc2\\x80"},
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(escape_control_characters(text), shown) << shown;
}

// Each control and each stray byte is one U+FFFD (written # below), except
// the controls the format keeps.
TEST(Text, ControlCharactersAreReplacedExceptTheKeptOnes) {
  const auto shown = [](std::string_view expected) {
    std::string out;
    for (const char c : expected) out += c == '#' ? std::string("\xEF\xBF\xBD") : std::string(1, c);
    return out;
  };
  const std::string text("a\0b\tc\rd\ne\x7F \xC2\x9B \xC2\x85 \x9B \xC3 \xC2\xA0 Caf\xC3\xA9", 29);
  EXPECT_EQ(without_control_characters(text), shown("a#b#c#d#e# # # # # \xC2\xA0 Caf\xC3\xA9"));
  EXPECT_EQ(without_control_characters(text, "\t\n\r"), shown("a#b\tc\rd\ne# # # # # \xC2\xA0 Caf\xC3\xA9"));
  EXPECT_EQ(without_control_characters(text, std::string(1, '\0')),
            shown(std::string("a\0b#c#d#e# # # # # \xC2\xA0 Caf\xC3\xA9", 27)));
}

TEST(Text, FittingLengthNeverCutsACharacter) {
  const std::string mixed = "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x8E\xB1";  // 1 + 2 + 3 + 4 bytes
  const std::size_t expected[] = {0, 1, 1, 3, 3, 3, 6, 6, 6, 6, 10, 10};
  for (std::size_t room = 0; room < std::size(expected); ++room)
    EXPECT_EQ(fitting_length(mixed, room), expected[room]) << room;
  // Not UTF-8: never more than three bytes go back.
  EXPECT_EQ(fitting_length(std::string(20, '\x80'), 10), 7u);
}

}  // namespace
}  // namespace quintora::base
