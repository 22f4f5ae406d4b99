#pragma once
// The logic of the Schedule dialog: its defaults on opening and what
// "Do it" does. The window system owns the controls.

#include "league/league.h"
#include "schedule/schedule_command.h"
#include "schedule/schedule_run.h"
#include "ui/window_system.h"

namespace quintora::schedule {

class ScheduleDialog final : public ui::DialogHandler {
 public:
  ScheduleDialog(const League& league, ScheduleOptions& options, ScheduleRun& run)
      : league_(league), options_(options), run_(run) {}

  void on_open(ui::WindowSystem& ws) override;
  // "Do it" runs the schedule and closes the dialog only when it succeeded;
  // on failure the choices stay for the user to correct.
  bool on_command(ui::WindowSystem& ws, int id) override;

 private:
  void read_choices(const ui::WindowSystem& ws);

  const League& league_;
  ScheduleOptions& options_;
  ScheduleRun& run_;
};

}  // namespace quintora::schedule
