#include "ui/schedule_dialog.h"

#include "base/numbers.h"
#include "schedule/fairest.h"
#include "ui/controls.h"

namespace quintora::ui {

namespace {

constexpr std::size_t weeks_text_room = 9;
constexpr std::size_t result_file_room = 49;
constexpr std::size_t variant_text_room = 9;

}  // namespace

void reset_options_for_dialog(schedule::ScheduleOptions& options, const League& league) {
  options.season_weeks = schedule::default_season_weeks(league.n_team);
  options.effort = 2;
  options.fairest = false;
  options.variant = 1;
  options.viewer = schedule::Viewer::NotePad;
  options.comma_delimited = false;
}

void ScheduleDialog::on_open(base::WindowSystem& ws) {
  reset_options_for_dialog(options_, league_);
  ws.set_number(control::weeks, options_.season_weeks);
  ws.set_text(control::result_file, options_.result_file);
  ws.set_checked(control::effort_no, false);
  ws.set_checked(control::effort_yes, true);
  ws.set_checked(control::effort_harder, false);
  ws.set_checked(control::effort_hardest, false);
  ws.set_checked(control::effort_fairest, false);
  ws.set_number(control::variant, options_.variant);
  ws.set_checked(control::viewer_notepad, true);
  ws.set_checked(control::viewer_wordpad, false);
  ws.set_checked(control::comma_delimited, options_.comma_delimited);
  ws.set_text(control::status, status_ready);
}

void ScheduleDialog::read_choices(const base::WindowSystem& ws) {
  options_.season_weeks = schedule::convert_weeks_text(ws.get_text(control::weeks, weeks_text_room));
  options_.result_file = ws.get_text(control::result_file, result_file_room);
  if (ws.is_checked(control::effort_no)) {
    options_.effort = 1;
  } else if (ws.is_checked(control::effort_harder)) {
    options_.effort = 3;
  } else if (ws.is_checked(control::effort_hardest)) {
    options_.effort = 4;
  } else {
    options_.effort = 2;
  }
  options_.fairest = ws.is_checked(control::effort_fairest);
  options_.variant =
      base::parse_leading_integer(ws.get_text(control::variant, variant_text_room), 1, schedule::max_variant);
  options_.viewer =
      ws.is_checked(control::viewer_wordpad) ? schedule::Viewer::WordPad : schedule::Viewer::NotePad;
  options_.comma_delimited = ws.is_checked(control::comma_delimited);
}

bool ScheduleDialog::on_command(base::WindowSystem& ws, int id) {
  if (id == control::cancel) return true;
  if (id != control::do_it) return false;

  // The run holds the user-interface thread, so the status must be painted now.
  ws.set_text(control::status, status_running);
  ws.update_now();
  read_choices(ws);
  const int result = schedule::schedule_run(league_, options_, run_, ws);
  schedule::finish_run(result, options_, run_, ws);
  if (result == 1) return true;
  ws.set_text(control::status, status_ready);
  return false;
}

}  // namespace quintora::ui
