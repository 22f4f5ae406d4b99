#pragma once
// The optimiser's own uniform generator (a 32-bit linear congruential
// generator whose constants follow from the integer word length) and the
// process's processor time. Every run restarts the generator from the same
// seed, so the same input always gives the same search.

#include <cstdint>

namespace quintora::optimiser {

struct GeneratorConstants {
  std::int32_t m2 = 0;          // half the range: 2^30 for 32-bit integers
  std::int32_t multiplier = 0;  // 843314861
  std::int32_t increment = 0;   // 453816693
  std::int32_t limit = 0;       // 1693666955
  double scale = 0.0;           // 2^-31
};

// The values the generator's published rule derives from a 32-bit word:
// m2 the largest power of two, multiplier 8 INT(m2 atan(1) / 8) + 5,
// increment 2 INT(m2 (1/2 - sqrt(3) / 6)) + 1, limit 2 m2 - increment,
// scale 1 / (2 m2).
inline constexpr GeneratorConstants generator_constants{1073741824, 843314861, 453816693, 1693666955,
                                                        1.0 / 2147483648.0};

inline constexpr std::int32_t generator_seed = 1225;

class UniformRandom {
 public:
  // A value r with 0 <= r < 1, carrying all 31 bits of the state.
  double next();

 private:
  std::int32_t seed_ = generator_seed;  // every run draws from a new generator
};

// Draws of the search: INT(n * r) + 1, bounded by n (r < 1 makes the bound a
// formality). Never a modulus: the truncation is what fixes the sequence.
int draw_index(UniformRandom& random, int n);

// Processor time (user plus kernel) of the whole process so far, in seconds;
// never decreases.
double cpu_seconds();

}  // namespace quintora::optimiser
