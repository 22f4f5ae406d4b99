#pragma once
// Single round-robins by the circle method, as the text of "optimal.inp"; an
// odd team count leaves the dummy's pairings out (mode 2).

#include <string>
#include <utility>

namespace quintora::optimiser::testing {

// flip 0: the lower team number always first-named (long runs of equal marks,
// costs above a million for the largest league); otherwise sides varied by flip.
inline std::string round_robin_text(int teams, int flip = 0) {
  const int odd = teams % 2, n = teams + odd;
  std::string text = std::to_string(n) + "  " + std::to_string(n - 1) + "  " + std::to_string(n / 2 - odd) +
                     "  " + std::to_string(1 + odd) + "\n";
  for (int r = 0; r < n - 1; ++r) {
    for (int i = 0; i < n / 2; ++i) {
      int a = i == 0 ? n : (r + i) % (n - 1) + 1, b = (r - i + n - 1) % (n - 1) + 1;
      if (odd && a == n) continue;
      if ((a > b) != (flip != 0 && (r * 7 + i * 3 + flip) % 5 < 2)) std::swap(a, b);
      text += std::to_string(a) + " " + std::to_string(b) + "  ";
    }
    text += "\n";
  }
  return text;
}

}  // namespace quintora::optimiser::testing
