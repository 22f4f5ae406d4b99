// The formula guard: every leading byte, and where cells begin.

#include "base/spreadsheet_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace quintora::base {
namespace {

TEST(SpreadsheetText, OnlyFormulaStartersGetAnApostrophe) {
  const std::string starters = "=+-@\t\r";
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    const std::string text = std::string(1, c) + "1+1";
    const bool formula = starters.find(c) != std::string::npos;
    EXPECT_EQ(starts_formula(c), formula) << b;
    EXPECT_EQ(without_formulas(text, Cells::Whole), formula ? "'" + text : text) << b;
    // Blanks and opening quotes before it change nothing.
    EXPECT_EQ(without_formulas(" \"" + text, Cells::Whole), formula ? " \"'" + text : " \"" + text) << b;
  }
}

TEST(SpreadsheetText, CellsBeginAtEverySeparatorUnlessWhole) {
  // text, as one cell, split from its start, split inside a cell
  const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
      {"x,\"=1+1\"", "x,\"=1+1\"", "x,\"'=1+1\"", "x,\"'=1+1\""},
      {"x;=cmd|' /C calc'!A0;", "x;=cmd|' /C calc'!A0;", "x;'=cmd|' /C calc'!A0;", "x;'=cmd|' /C calc'!A0;"},
      {"=a,\t-b", "'=a,\t-b", "'=a,'\t'-b", "=a,'\t'-b"},
      {"a - b, c@d; e+f", "a - b, c@d; e+f", "a - b, c@d; e+f", "a - b, c@d; e+f"},
      {"\xE2\x80\x94-x,,=", "\xE2\x80\x94-x,,=", "\xE2\x80\x94-x,,'=", "\xE2\x80\x94-x,,'="},
  };
  for (const auto& [text, whole, at_start, inside] : cases) {
    EXPECT_EQ(without_formulas(text, Cells::Whole), whole) << text;
    EXPECT_EQ(without_formulas(text, Cells::SplitAtStart), at_start) << text;
    EXPECT_EQ(without_formulas(text, Cells::SplitInside), inside) << text;
  }
}

}  // namespace
}  // namespace quintora::base
