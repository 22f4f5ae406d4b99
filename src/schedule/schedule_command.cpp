#include "schedule/schedule_command.h"

#include <iostream>

#include "schedule/schedule_dialog.h"
#include "schedule/schedule_run.h"

namespace quintora::schedule {

void open_schedule_dialog(ui::WindowSystem& ws, const League& league, ScheduleOptions& options,
                          const std::filesystem::path& base_folder) {
  ScheduleRun run;
  run.base_folder = base_folder;
  run.optimiser_output = &std::cout;  // the optimiser's progress lines, as it has always written them
  ScheduleDialog dialog(league, options, run);
  ws.run_dialog(ui::DialogId::Schedule, dialog);
}

}  // namespace quintora::schedule
