#pragma once
// The names of the files through which the schedule run and the optimiser
// talk: the only thing the two have in common. Both sides take the names
// from here, inside the run's private work folder.

#include <string_view>

namespace quintora::optimiser::file {

inline constexpr std::string_view input = "optimal.inp";  // the pairing table, written by the run
inline constexpr std::string_view order = "optimal.out";  // the chosen round order, read by the run
inline constexpr std::string_view report = "ZORAV.OUT";   // the report for people

}  // namespace quintora::optimiser::file
