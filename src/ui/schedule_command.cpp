#include "ui/schedule_command.h"

#include <iostream>
#include <memory>

#include "ui/controls.h"
#include "ui/schedule_dialog.h"

namespace quintora::ui {

void open_schedule_dialog(base::WindowSystem& ws, const League& league, schedule::ScheduleOptions& options,
                          const std::filesystem::path& base_folder) {
  // The optimiser's progress lines go to standard output, as it has always written them.
  auto run = std::make_unique<schedule::ScheduleRun>(
      schedule::RunSettings{base_folder, &std::cout, schedule::run_optimiser, {}});
  ScheduleDialog dialog(league, options, *run);
  ws.run_dialog(dialog::schedule, dialog);
}

}  // namespace quintora::ui
