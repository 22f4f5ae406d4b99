#include "optimiser/random.h"

#include <gtest/gtest.h>

namespace quintora::optimiser {
namespace {

TEST(GeneratorTest, DerivedConstantsMatchTheWordLength) {
  const GeneratorConstants derived = derive_generator_constants();
  EXPECT_EQ(derived.m2, 1073741824);
  EXPECT_EQ(derived.multiplier, 843314861);
  EXPECT_EQ(derived.increment, 453816693);
  EXPECT_EQ(derived.limit, 1693666955);
  EXPECT_EQ(derived.scale, 1.0 / 2147483648.0);
  EXPECT_EQ(derived.m2, generator_constants.m2);
  EXPECT_EQ(derived.multiplier, generator_constants.multiplier);
  EXPECT_EQ(derived.increment, generator_constants.increment);
  EXPECT_EQ(derived.limit, generator_constants.limit);
}

TEST(GeneratorTest, FirstDrawsFromTheSeed) {
  // The first product wraps negative (-1572596918 after the increment) and is
  // brought back into range: 574886730.
  const struct {
    std::int32_t state;
    double value;
  } expected[] = {
      {574886730, 0.2677024947479367},
      {771020407, 0.35903435526415706},
      {1321007584, 0.6151420921087265},
  };
  UniformRandom random;
  for (const auto& e : expected) {
    const double r = random.next();
    EXPECT_EQ(random.state(), e.state);
    EXPECT_EQ(r, e.value);
    EXPECT_EQ(r, e.state / 2147483648.0);  // all 31 bits, not rounded to float
  }
}

TEST(GeneratorTest, RestartGivesTheSameSequenceAndValuesStayBelowOne) {
  UniformRandom random;
  double first[200];
  for (double& r : first) r = random.next();
  random.restart();
  for (double r : first) EXPECT_EQ(random.next(), r);
  for (int i = 0; i < 100000; ++i) {
    const double r = random.next();
    ASSERT_GE(r, 0.0);
    ASSERT_LT(r, 1.0);
  }
}

TEST(GeneratorTest, IndexDrawsTruncateAndStayInRange) {
  UniformRandom random;
  // 50 * 0.2677... = 13.38 -> 14; 99 * 0.359... = 35.5 -> 36; 7 * 0.615... = 4.3 -> 5.
  EXPECT_EQ(draw_index(random, 50), 14);
  EXPECT_EQ(draw_index(random, 99), 36);
  EXPECT_EQ(draw_index(random, 7), 5);
  for (int i = 0; i < 10000; ++i) {
    const int k = draw_index(random, 3);
    ASSERT_GE(k, 1);
    ASSERT_LE(k, 3);
  }
}

TEST(CpuTimeTest, NeverDecreases) {
  double previous = cpu_seconds();
  volatile double sink = 0.0;
  for (int i = 0; i < 2000; ++i) {
    for (int j = 0; j < 1000; ++j) sink = sink + j;
    const double now = cpu_seconds();
    ASSERT_GE(now, previous);
    previous = now;
  }
}

}  // namespace
}  // namespace quintora::optimiser
