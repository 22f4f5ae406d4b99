#include "ui/schedule_command.h"

#include <iostream>
#include <memory>
#include <utility>

#include "ui/controls.h"
#include "ui/schedule_dialog.h"

namespace quintora::ui {

void open_schedule_dialog(base::WindowSystem& ws, const league::League& league,
                          schedule::ScheduleOptions& options, const std::filesystem::path& base_folder,
                          const ProgressRunner& runner) {
  schedule::RunSettings settings;
  settings.base_folder = base_folder;
  settings.optimiser_output = &std::cout;  // the optimiser's progress lines, as it has always written them
  auto run = std::make_unique<schedule::ScheduleRun>(std::move(settings));
  ScheduleDialog dialog(league, options, *run, runner);
  ws.run_dialog(dialog::schedule, dialog);
}

}  // namespace quintora::ui
