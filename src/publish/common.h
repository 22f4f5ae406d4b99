#pragma once
// Helpers the writers share: checks before writing, a team's fixtures, and
// text made safe for formats that must hold valid UTF-8.

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "publish/publish.h"

namespace quintora::publish::detail {

// Result::Ok when the season can be written with these options, every match
// date no later than `last` (publish::last_date of the format).
Result check(const season::Season& season, const Options& options, bool needs_calendar,
             base::Date last = {9999, 12, 31});

inline Output failed(Result result) { return Output{result, {}}; }

// A week as it concerns one team: a match it plays, or its bye (match null).
struct Fixture {
  const season::Week* week = nullptr;
  const season::Match* match = nullptr;
  int team = 0;
  bool home() const { return match != nullptr && match->home == team; }
  int opponent() const { return match == nullptr ? 0 : match->home == team ? match->away : match->home; }
};

// The team's matches and byes, week by week.
std::vector<Fixture> fixtures_of(const season::Season& season, int team);

// Whether the match or bye concerns the team; every one does for team 0.
bool concerns(const season::Match& match, int team);

std::chrono::sys_seconds now(const Options& options);

}  // namespace quintora::publish::detail
