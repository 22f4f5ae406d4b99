#include "optimiser/report_fields.h"

#include <gtest/gtest.h>

#include "optimiser/population.h"

namespace quintora::optimiser {
namespace {

TEST(ReportFieldsTest, IntegerFields) {
  const struct {
    long long value;
    int width;
    const char* text;
  } cases[] = {
      {5, 2, " 5"}, {50, 2, "50"}, {100, 2, "**"}, {7, 5, "    7"}, {-12, 3, "-12"}, {-123, 3, "***"}, {0, 1, "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(format_int(c.value, c.width), c.text) << c.value;
}

TEST(ReportFieldsTest, ExponentFields) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {12.0, "   1.20000D+01"},
      {0.0, "   0.00000D+00"},
      {1.0, "   1.00000D+00"},
      {1234567.0, "   1.23457D+06"},
      {1234565.0, "   1.23456D+06"},  // exact tie: to even
      {1234575.0, "   1.23458D+06"},  // exact tie: to even
      {999999.5, "   1.00000D+06"},   // carries into the exponent
      {0.000125, "   1.25000D-04"},
      {3.8e6, "   3.80000D+06"},
      {1e100, "   1.00000+100"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(format_e14(c.value), c.text) << c.value;
    EXPECT_EQ(format_e14(c.value).size(), 14u);
  }
}

TEST(ReportFieldsTest, ExponentFieldsReadBack) {
  const struct {
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {"   1.20000D+01", true, 12.0}, {"   0.00000D+00", true, 0.0}, {"1.23457D+06", true, 1234570.0},
      {" 1.5d-01 ", true, 0.15},      {"2.5E+00", true, 2.5},        {"", false, 0.0},
      {"   ", false, 0.0},            {"1.2D", false, 0.0},          {"D+01", false, 0.0},
      {"1.2 D+01", false, 0.0},       {"+1.0D+00", true, 1.0},
  };
  for (const auto& c : cases) {
    double value = -1.0;
    EXPECT_EQ(parse_e14(c.text, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

TEST(ReportFieldsTest, RecordCostsCarrySixDigits) {
  const struct {
    double cost;
    double stored;
  } cases[] = {
      {1234567.0, 1234570.0}, {1234565.0, 1234560.0}, {1234575.0, 1234580.0}, {123456.0, 123456.0},
      {0.0, 0.0},             {12.0, 12.0},           {3802500.0, 3802500.0}, {3802501.0, 3802500.0},
  };
  for (const auto& c : cases) EXPECT_EQ(stored_cost(c.cost), c.stored) << c.cost;
}

TEST(ReportFieldsTest, FreeFormLines) {
  EXPECT_EQ(FreeFormLine().whole(4).whole(3).whole(1).whole(2).str(), " 4 3 1 2");
  EXPECT_EQ(FreeFormLine().text("").str(), " ");
  EXPECT_EQ(FreeFormLine().text("NUMBER OF POSSIBILITIES = ").whole(120).str(), " NUMBER OF POSSIBILITIES =  120");
  EXPECT_EQ(free_form_real(6227020800.0), "6227020800.0");
  EXPECT_EQ(free_form_real(0.25), "0.25");
  EXPECT_EQ(free_form_real(0.0), "0.0");
}

}  // namespace
}  // namespace quintora::optimiser
