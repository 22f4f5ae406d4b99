#include "schedule/schedule_dialog.h"

#include "schedule/schedule_messages.h"
#include "schedule/schedule_options.h"

namespace quintora::schedule {

namespace {

constexpr std::size_t weeks_text_room = 9;
constexpr std::size_t result_file_room = 49;

}  // namespace

void ScheduleDialog::on_open(ui::WindowSystem& ws) {
  reset_options_for_dialog(options_, league_);
  ws.set_number(ui::control::weeks, options_.season_weeks);
  ws.set_text(ui::control::result_file, options_.result_file);
  ws.set_checked(ui::control::effort_no, false);
  ws.set_checked(ui::control::effort_yes, true);
  ws.set_checked(ui::control::effort_harder, false);
  ws.set_checked(ui::control::effort_hardest, false);
  ws.set_checked(ui::control::viewer_notepad, true);
  ws.set_checked(ui::control::viewer_wordpad, false);
  ws.set_checked(ui::control::comma_delimited, options_.comma_delimited);
  ws.set_text(ui::control::status, message::status_ready);
}

void ScheduleDialog::read_choices(const ui::WindowSystem& ws) {
  options_.season_weeks = convert_weeks_text(ws.get_text(ui::control::weeks, weeks_text_room));
  options_.result_file = ws.get_text(ui::control::result_file, result_file_room);
  if (ws.is_checked(ui::control::effort_no)) {
    options_.effort = 1;
  } else if (ws.is_checked(ui::control::effort_harder)) {
    options_.effort = 3;
  } else if (ws.is_checked(ui::control::effort_hardest)) {
    options_.effort = 4;
  } else {
    options_.effort = 2;
  }
  options_.viewer = ws.is_checked(ui::control::viewer_wordpad) ? Viewer::WordPad : Viewer::NotePad;
  options_.comma_delimited = ws.is_checked(ui::control::comma_delimited);
}

bool ScheduleDialog::on_command(ui::WindowSystem& ws, int id) {
  if (id == ui::control::cancel) return true;
  if (id != ui::control::do_it) return false;

  // The run holds the user-interface thread, so the status must be painted now.
  ws.set_text(ui::control::status, message::status_running);
  ws.update_now();
  read_choices(ws);
  const int result = schedule_run(league_, options_, run_, ws);
  finish_run(result, options_, run_, ws);
  if (result == 1) return true;
  ws.set_text(ui::control::status, message::status_ready);
  return false;
}

}  // namespace quintora::schedule
