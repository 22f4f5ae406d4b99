#include "optimiser/random.h"

#include <ctime>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace quintora::optimiser {

namespace {

// Wrapping 32-bit arithmetic: signed overflow is undefined, so the generator
// works on the unsigned bit patterns and reads them back as two's complement.
std::int32_t wrap(std::uint32_t bits) { return static_cast<std::int32_t>(bits); }
std::uint32_t bits_of(std::int32_t value) { return static_cast<std::uint32_t>(value); }

}  // namespace

double UniformRandom::next() {
  constexpr GeneratorConstants c = generator_constants;
  constexpr std::uint32_t two_m2 = 2u * static_cast<std::uint32_t>(c.m2);
  seed_ = wrap(bits_of(seed_) * bits_of(c.multiplier));
  if (seed_ > c.limit) seed_ = wrap(bits_of(seed_) - two_m2);
  seed_ = wrap(bits_of(seed_) + bits_of(c.increment));
  if (seed_ / 2 > c.m2) seed_ = wrap(bits_of(seed_) - two_m2);
  if (seed_ < 0) seed_ = wrap(bits_of(seed_) + two_m2);
  return static_cast<double>(seed_) * c.scale;
}

int draw_index(UniformRandom& random, int n) {
  const double r = random.next();
  const int k = static_cast<int>(static_cast<double>(n) * r) + 1;
  return k > n ? n : k;
}

namespace {

// Raw reading of the process's processor time in seconds; false when the
// platform cannot say.
bool read_process_seconds(double& seconds) {
#ifdef _WIN32
  FILETIME creation, exit, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user)) return false;
  auto ticks = [](const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  seconds = static_cast<double>(ticks(kernel) + ticks(user)) * 1e-7;
  return true;
#else
  // std::clock is the process's processor time (user plus system) here.
  const std::clock_t now = std::clock();
  if (now == static_cast<std::clock_t>(-1)) return false;
  seconds = static_cast<double>(now) / CLOCKS_PER_SEC;
  return true;
#endif
}

}  // namespace

double cpu_seconds() {
  // Process-wide, like the time it measures; the optimiser runs in one thread.
  static double accumulated = 0.0;
  static double previous_reading = 0.0;
  double reading = 0.0;
  if (read_process_seconds(reading) && reading > previous_reading) {
    // The increase is kept in single precision, as the time always was.
    accumulated += static_cast<double>(static_cast<float>(reading - previous_reading));
    previous_reading = reading;
  }
  return accumulated;
}

}  // namespace quintora::optimiser
