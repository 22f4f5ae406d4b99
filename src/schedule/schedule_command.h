#pragma once
// The Schedule command's pieces that the desktop program and the command line share.

#include <filesystem>
#include <string>

#include "league/league.h"
#include "ui/window_system.h"

namespace quintora::schedule {

enum class Viewer { NotePad, WordPad };

struct ScheduleOptions {
  int season_weeks = 0;                     // 0..200
  std::string result_file = "schedule.txt";  // as typed, at most 49 bytes
  int effort = 2;                           // 1 = no optimisation .. 4 = hardest
  Viewer viewer = Viewer::NotePad;
  bool comma_delimited = false;
};

// 1 when every live bar has tables for half its teams, rounded up; otherwise
// shows "Not enough tables for this bar: NAME" and returns -1.
int check_table_capacity(const League& league, ui::WindowSystem& ws);

// Opens the modal Schedule dialog; "Do it" runs the schedule. A relative
// result file name is taken against base_folder. Returns when the dialog closes.
void open_schedule_dialog(ui::WindowSystem& ws, const League& league, ScheduleOptions& options,
                          const std::filesystem::path& base_folder);

}  // namespace quintora::schedule
