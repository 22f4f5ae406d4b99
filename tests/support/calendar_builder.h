#pragma once
// A calendar as tests write it, weeks off taken as given: in any order,
// repeats included, as a hand-edited league file may hold them.

#include <algorithm>
#include <vector>

#include "league/calendar.h"

namespace quintora::test {

inline league::Calendar calendar(base::Date first, std::vector<base::Date> off = {}, int every = 7,
                                 base::TimeOfDay start = {20, 0}) {
  league::Calendar c{.first = first, .every_days = every, .start = start};
  c.n_off = static_cast<int>(std::min(off.size(), c.off.size()));
  std::copy_n(off.begin(), c.n_off, c.off.begin());
  return c;
}

}  // namespace quintora::test
