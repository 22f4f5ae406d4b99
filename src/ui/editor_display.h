#pragma once
// Resets the bars-and-teams editor to a league just read: the bar list
// refilled (each row tagged with its bar's entry position) with nothing
// selected, the team list, name fields, tables field and profile labels
// emptied, the total number of teams and the title shown, the divisions
// listed and the venue fields emptied.

#include "base/window_system.h"
#include "league/league.h"

namespace quintora::ui {

void show_league(const league::League& league, base::WindowSystem& ws);

// The Divisions list and the Division choice refilled, nothing selected.
void show_divisions(const league::League& league, base::WindowSystem& ws);

}  // namespace quintora::ui
