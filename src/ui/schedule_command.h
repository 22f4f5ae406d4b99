#pragma once
// The Schedule command's dialog: opened by the main window once the league
// has passed its checks and been saved.

#include <filesystem>

#include "base/window_system.h"
#include "league/league.h"
#include "schedule/schedule_options.h"
#include "ui/run_progress.h"

namespace quintora::ui {

// Opens the modal Schedule dialog; "Do it" runs the schedule. A relative
// result file name is taken against base_folder; a long run shows its
// progress through `runner`. Returns when the dialog closes.
void open_schedule_dialog(base::WindowSystem& ws, const league::League& league,
                          schedule::ScheduleOptions& options, const std::filesystem::path& base_folder,
                          const ProgressRunner& runner = {});

}  // namespace quintora::ui
