// Letter case is ignored beyond ASCII and independently of the locale;
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
      {"Corner Pocket", "CORNER pocket", true},
      {"", "", true},
      {"Ace", "Aces", false},
      {"Ace", "Acf", false},
      {"@[`{", "@[`{", true},               // neighbours of the ASCII letters do not fold
      {"@", "`", false},
      {"[", "{", false},
      {"Café Crème", "CAFÉ CRÈME", true},   // Latin-1
      {"ÿ", "Ÿ", true},                      // U+00FF and U+0178
      {"×", "÷", false},                     // not letters
      {"Łódź", "ŁÓDŹ", true},               // Latin Extended-A
      {"İ", "i", false},                     // dotted capital I has no simple folding
      {"ſ", "S", true},                      // long s
      {"Ǆ", "ǅ", true},
      {"Ελλάς", "ΕΛΛΆΣ", true},              // Greek, final sigma
      {"ς", "σ", true},
      {"Москва", "МОСКВА", true},            // Cyrillic
      {"Ёж", "ёЖ", true},
      {"Ґ", "ґ", true},
      {"Ӏ", "ӏ", true},
      {"Հայ", "հԱՅ", true},                  // Armenian
      {"Ẁ", "ẁ", true},                      // Latin Extended Additional
      {"ẞ", "ß", true},
      {"ß", "ss", false},                    // simple folding only
      {"\xE2\x84\xAA", "k", true},         // Kelvin sign
      {"ＡＢ", "ａｂ", true},                // fullwidth
      {"a", "\xC3\xA1", false},              // á is not a
      {"\xC3", "\xC3", true},                // a cut character equals only itself
      {"\xC3", "\xE3", false},
      {"\xC0\xC1", "\xE0\xE1", false},       // invalid bytes are not folded as Latin-1
      {"\xC1\x81", "A", false},              // overlong form of A
      {"\xC1\x81", "a", false},
      {"\xED\xA0\x80", "\xED\xA0\x80", true},  // a surrogate: bytes against bytes
      {"\xF4\x90\x80\x80", "\xF4\x90\x80\x81", false},
      {"ÉCOLE\xFF", "école\xFF", true},
      {"ÉCOLE\xFF", "école\xFE", false},
      {"é", "e\xCC\x81", false},            // no normalisation
  };
  for (const auto& k : cases) {
    EXPECT_EQ(equal_ignoring_case(k.a, k.b), k.equal) << k.a << " / " << k.b;
    EXPECT_EQ(equal_ignoring_case(k.b, k.a), k.equal) << k.b << " / " << k.a;
  }
}

TEST(EqualIgnoringCase, FoldTableIsSortedAndPairsFoldIntoTheirPartner) {
  std::uint32_t previous = 0;
  for (const fold_detail::FoldRange& r : fold_detail::fold_table) {
    EXPECT_GE(r.first, previous);
    EXPECT_LE(r.first, r.last);
    previous = r.last + 1;
  }
  // Every folded value folds to itself: folding is idempotent.
  for (std::uint32_t cp = 0; cp < 0x10000; ++cp) {
    const std::uint32_t f = fold_detail::fold(cp);
    ASSERT_EQ(fold_detail::fold(f), f) << std::hex << cp;
  }
}

}  // namespace
}  // namespace quintora::ui
