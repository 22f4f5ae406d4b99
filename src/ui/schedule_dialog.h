#pragma once
// The logic of the Schedule dialog: its defaults on opening and what
// "Do it" does. The window system owns the controls.

#include <array>

#include "base/window_system.h"
#include "league/league.h"
#include "schedule/schedule_options.h"
#include "schedule/schedule_run.h"
#include "ui/controls.h"
#include "ui/run_progress.h"

namespace quintora::ui {

inline constexpr std::string_view status_ready = "Click on \"Do it\" to Schedule.";
inline constexpr std::string_view status_running = "Scheduling... Please Wait.";

// The dialog's exclusive choice of each way to order the rounds, in its order.
struct MethodControl {
  schedule::ScheduleMethod::Kind kind;
  int control;
};
inline constexpr std::array<MethodControl, 5> method_controls = {{
    {schedule::ScheduleMethod::Kind::TableOrder, control::effort_no},
    {schedule::ScheduleMethod::Kind::Search, control::effort_yes},
    {schedule::ScheduleMethod::Kind::SearchHarder, control::effort_harder},
    {schedule::ScheduleMethod::Kind::SearchHardest, control::effort_hardest},
    {schedule::ScheduleMethod::Kind::Fairest, control::effort_fairest},
}};

// The choices every opening of the dialog starts from; result_file is kept.
void reset_options_for_dialog(schedule::ScheduleOptions& options, const league::League& league);

class ScheduleDialog final : public base::DialogHandler {
 public:
  // A long run shows its progress and Cancel through `runner`.
  ScheduleDialog(const league::League& league, schedule::ScheduleOptions& options, schedule::ScheduleRun& run,
                 ProgressRunner runner = {})
      : league_(league), options_(options), run_(run), runner_(std::move(runner)) {}

  void on_open(base::WindowSystem& ws) override;
  // "Do it" runs the schedule and closes the dialog only when it succeeded;
  // on failure the run's notice is shown and the choices stay for the user
  // to correct.
  bool on_command(base::WindowSystem& ws, int id) override;

 private:
  void read_choices(const base::WindowSystem& ws);

  const league::League& league_;
  schedule::ScheduleOptions& options_;
  schedule::ScheduleRun& run_;
  ProgressRunner runner_;
};

}  // namespace quintora::ui
