// The number readers every file and field shares.

#include "base/numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <tuple>

namespace quintora::base {
namespace {

TEST(Numbers, ScanTakesASignAndDigitsAndSaturates) {
  // text, found, value, end, too large
  const std::tuple<const char*, bool, long long, std::size_t, bool> cases[] = {
      {"42x", true, 42, 2, false},
      {"-7", true, -7, 2, false},
      {"+0", true, 0, 2, false},
      {"+", false, 0, 0, false},
      {"x", false, 0, 0, false},
      {"2147483648", true, 2147483648LL, 10, false},
      {"99999999999999999999999", true, 2147483648LL, 23, true},
  };
  for (const auto& [text, found, value, end, too_large] : cases) {
    const ScannedInteger n = scan_integer(text, 0);
    EXPECT_EQ(std::tuple(n.found, n.value, n.end, n.too_large), std::tuple(found, value, end, too_large))
        << text;
  }
  // A limit near the top of the type must not overflow on the way (a fuzzer found it).
  const ScannedInteger huge = scan_integer("99999999999999999999999", 0, 999999999999999999LL);
  EXPECT_TRUE(huge.found && huge.too_large && huge.value == 999999999999999999LL);
}

TEST(Numbers, EachReaderKeepsItsOwnRuleAroundTheNumber) {
  // text; a numeric entry field; the weeks field, clamped to 0..200; the command line's whole number
  const std::tuple<const char*, unsigned, int, bool> cases[] = {
      {"12", 12, 12, true},
      {"  12abc", 0, 12, false},
      {" 12 ", 12, 12, false},
      {"-3", 0, 0, true},
      {"+5", 0, 5, true},
      {"500", 500, 200, true},
      {"", 0, 0, false},
      {"4294967295", UINT_MAX, 200, true},
      {"4294967296", 0, 200, true},
      {"\t\n7", 0, 7, false},
      {"1 2", 0, 1, false},
  };
  for (const auto& [text, field, leading, whole] : cases)
    EXPECT_EQ(
        std::tuple(parse_unsigned_field(text), parse_leading_integer(text, 0, 200), is_whole_integer(text)),
        std::tuple(field, leading, whole))
        << '"' << text << '"';
}

}  // namespace
}  // namespace quintora::base
