// The number readers every file and field shares.

#include "base/numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>

namespace quintora::base {
namespace {

TEST(Numbers, ScanTakesASignAndDigitsAndSaturates) {
  const struct {
    const char* text;
    bool found;
    long long value;
    std::size_t end;
    bool too_large;
  } cases[] = {
      {"42x", true, 42, 2, false},
      {"-7", true, -7, 2, false},
      {"+0", true, 0, 2, false},
      {"+", false, 0, 0, false},
      {" 5", false, 0, 0, false},
      {"x", false, 0, 0, false},
      {"2147483648", true, 2147483648LL, 10, false},
      {"99999999999999999999999", true, 2147483648LL, 23, true},
  };
  for (const auto& c : cases) {
    const ScannedInteger n = scan_integer(c.text, 0);
    EXPECT_EQ(std::tuple(n.found, n.value, n.end, n.too_large),
              std::tuple(c.found, c.value, c.end, c.too_large))
        << c.text;
  }
  // A limit near the top of the type must not overflow on the way (a fuzzer found it).
  const ScannedInteger huge = scan_integer("99999999999999999999999", 0, 999999999999999999LL);
  EXPECT_TRUE(huge.found && huge.too_large && huge.value == 999999999999999999LL);
}

TEST(Numbers, EachReaderKeepsItsOwnRuleAroundTheNumber) {
  const struct {
    const char* text;
    unsigned field;  // a numeric entry field
    int leading;     // the weeks field, clamped to 0..200
    bool whole;      // the command line's whole number
  } cases[] = {
      {"12", 12, 12, true},
      {"  12abc", 0, 12, false},
      {" 12 ", 12, 12, false},
      {"-3", 0, 0, true},
      {"+5", 0, 5, true},
      {"500", 500, 200, true},
      {"", 0, 0, false},
      {"abc", 0, 0, false},
      {"4294967295", UINT_MAX, 200, true},
      {"4294967296", 0, 200, true},
      {"\t\n7", 0, 7, false},
      {"1 2", 0, 1, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(parse_unsigned_field(c.text), c.field) << '"' << c.text << '"';
    EXPECT_EQ(parse_leading_integer(c.text, 0, 200), c.leading) << '"' << c.text << '"';
    EXPECT_EQ(is_whole_integer(c.text), c.whole) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace quintora::base
