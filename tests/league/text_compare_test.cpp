// Letter case is ignored beyond ASCII and whatever the process locale says;
// bytes that are not UTF-8 only equal themselves.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "ui/text_compare.h"

namespace quintora::ui {
namespace {

TEST(EqualIgnoringCase, FoldsLettersOfTheCoveredScripts) {
  const struct {
    std::string a, b;
    bool equal;
  } cases[] = {
      {"Corner Pocket", "CORNER pocket", true}, {"", "", true}, {"Ace", "Aces", false},
      {"@[`{", "@[`{", true}, {"@", "`", false}, {"[", "{", false},  // neighbours of the letters
      {"Café Crème", "CAFÉ CRÈME", true},       {"ÿ", "Ÿ", true},      {"×", "÷", false},
      {"Łódź", "ŁÓDŹ", true},                   {"ſ", "S", true},      {"Ǆ", "ǅ", true},
      {"Ελλάς", "ΕΛΛΆΣ", true},                 {"Ёж", "ёЖ", true},    {"Հայ", "հԱՅ", true},
      {"ẞ", "ß", true},                         {"ß", "ss", false},    {"\xE2\x84\xAA", "k", true},  // Kelvin
      {"ＡＢ", "ａｂ", true},                   {"a", "á", false},     {"é", "e\xCC\x81", false},
      {"\xC3", "\xC3", true},                   {"\xC3", "\xE3", false},  // a cut character equals itself only
      {"\xC0\xC1", "\xE0\xE1", false},          {"\xC1\x81", "a", false},  // invalid, overlong
      {"ÉCOLE\xFF", "école\xFF", true},         {"ÉCOLE\xFF", "école\xFE", false},
  };
  for (const auto& k : cases) {
    EXPECT_EQ(equal_ignoring_case(k.a, k.b), k.equal) << k.a << " / " << k.b;
    EXPECT_EQ(equal_ignoring_case(k.b, k.a), k.equal) << k.b << " / " << k.a;
  }
}

TEST(EqualIgnoringCase, FoldTableIsSortedAndFoldingIsIdempotent) {
  std::uint32_t next = 0;
  for (const fold_detail::FoldRange& r : fold_detail::fold_table) {
    EXPECT_TRUE(r.first >= next && r.first <= r.last) << std::hex << r.first;
    next = r.last + 1;
  }
  for (std::uint32_t cp = 0; cp < 0x10000; ++cp)
    ASSERT_EQ(fold_detail::fold(fold_detail::fold(cp)), fold_detail::fold(cp)) << std::hex << cp;
}

}  // namespace
}  // namespace quintora::ui
