#include "ui/schedule_dialog.h"

#include "base/messages.h"
#include "base/numbers.h"
#include "ui/result_viewer.h"

namespace quintora::ui {

namespace {

constexpr std::size_t weeks_text_room = 9;
constexpr std::size_t result_file_room = 49;
constexpr std::size_t variant_text_room = 9;

}  // namespace

void reset_options_for_dialog(schedule::ScheduleOptions& options, const league::League& league) {
  options.season_weeks = schedule::default_season_weeks(league);
  options.method = {};
  options.viewer = schedule::Viewer::NotePad;
  options.comma_delimited = false;
}

void ScheduleDialog::on_open(base::WindowSystem& ws) {
  reset_options_for_dialog(options_, league_);
  ws.set_number(control::weeks, options_.season_weeks);
  ws.set_text(control::result_file, options_.result_file);
  for (const MethodControl& m : method_controls) ws.set_checked(m.control, m.kind == options_.method.kind);
  ws.set_number(control::variant, options_.method.variant);
  ws.set_checked(control::viewer_notepad, true);
  ws.set_checked(control::viewer_wordpad, false);
  ws.set_checked(control::comma_delimited, options_.comma_delimited);
  ws.set_text(control::status, status_ready);
}

void ScheduleDialog::read_choices(const base::WindowSystem& ws) {
  options_.season_weeks = schedule::convert_weeks_text(ws.get_text(control::weeks, weeks_text_room));
  options_.result_file = ws.get_text(control::result_file, result_file_room);
  options_.method.kind = schedule::ScheduleMethod::Kind::Search;
  for (const MethodControl& m : method_controls) {
    if (ws.is_checked(m.control)) options_.method.kind = m.kind;
  }
  options_.method.variant =
      base::parse_leading_integer(ws.get_text(control::variant, variant_text_room), 1, schedule::max_variant);
  options_.viewer =
      ws.is_checked(control::viewer_wordpad) ? schedule::Viewer::WordPad : schedule::Viewer::NotePad;
  options_.comma_delimited = ws.is_checked(control::comma_delimited);
}

bool ScheduleDialog::on_command(base::WindowSystem& ws, int id) {
  if (id == control::cancel) return true;
  if (id != control::do_it) return false;

  // Without a runner the run holds the user-interface thread, so the status
  // must be painted now.
  ws.set_text(control::status, status_running);
  ws.update_now();
  read_choices(ws);
  schedule::RunResult result;
  run_with_progress(runner_, [&](const schedule::SearchControl& control) {
    run_.settings().control = control;
    result = run_.write_schedule(league_, options_);
  });
  run_.settings().control = {};  // it pointed into the finished run's progress
  if (result.ok()) {
    show_result(ws, options_.viewer, run_.result_path());
    return true;
  }
  base::show(ws, *result.failure);
  ws.set_text(control::status, status_ready);
  return false;
}

}  // namespace quintora::ui
