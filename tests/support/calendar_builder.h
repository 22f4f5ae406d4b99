#pragma once
// A calendar as tests write it, weeks off taken as given: in any order,
// repeats included, as a hand-edited league file may hold them.

#include <cstddef>
#include <vector>

#include "league/calendar.h"

namespace quintora::test {

inline league::Calendar calendar(base::Date first, std::vector<base::Date> off = {}, int every = 7,
                                 base::TimeOfDay start = {20, 0}) {
  league::Calendar c;
  c.first = first;
  c.every_days = every;
  c.start = start;
  for (std::size_t i = 0; i < off.size() && i < c.off.size(); ++i) c.off[i] = off[i];
  c.n_off = static_cast<int>(off.size() < c.off.size() ? off.size() : c.off.size());
  return c;
}

}  // namespace quintora::test
