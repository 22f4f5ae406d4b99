#pragma once
// Helpers the writers share: checks before writing, and text made safe for
// formats that must hold valid UTF-8.

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

// Whether the match or bye concerns the team; every one does for team 0.
bool concerns(const season::Match& match, int team);

std::chrono::sys_seconds now(const Options& options);

}  // namespace quintora::publish::detail
