#include "ui/main_window_logic.h"

#include <string>
#include <system_error>
#include <utility>

#include "base/messages.h"
#include "base/paths.h"
#include "schedule/league_check.h"
#include "ui/about.h"
#include "ui/controls.h"
#include "ui/editor_display.h"
#include "ui/schedule_command.h"
#include "ui/season_window.h"

namespace quintora::ui {

MainWindowLogic::MainWindowLogic(base::WindowSystem& ws, std::filesystem::path settings_file,
                                 std::function<void(int)> quit)
    : ws_(ws),
      settings_file_(std::move(settings_file)),
      quit_(std::move(quit)),
      editor_(league_, ws),
      files_(league_, ws) {
  ws_.set_event_sink(this);
}

MainWindowLogic::~MainWindowLogic() { ws_.set_event_sink(nullptr); }

void MainWindowLogic::initialise() {
  editor_.set_auto_add_team(true);
  show_divisions(league_, ws_);
  options_.result_file = "schedule.txt";
}

void MainWindowLogic::on_event(int id, base::Notification what) {
  switch (id) {
    case control::bar_name:
      last_name_field_ = NameField::Bar;
      return;
    case control::team_name:
      last_name_field_ = NameField::Team;
      return;
    case control::tables:
      editor_.tables_changed();
      return;
    case control::bar_list:
      if (what == base::Notification::SelectionChanged) editor_.bar_selected();
      return;
    case control::team_list:
      if (what == base::Notification::SelectionChanged) editor_.team_selected();
      return;
    case control::division_name:
      last_name_field_ = NameField::Division;
      return;
    case control::division_list:
      if (what == base::Notification::SelectionChanged) editor_.division_selected();
      return;
    case control::team_division:
      if (what == base::Notification::SelectionChanged) editor_.team_division_chosen();
      return;
    case control::address:
    case control::phone:
    case control::bar_start:
      // Enter in a venue field adds nothing.
      if (what == base::Notification::FocusGained) last_name_field_ = NameField::None;
      if (what == base::Notification::Changed) editor_.venue_changed(id);
      if (what == base::Notification::FocusLost) editor_.venue_left(id);
      return;
    default:
      break;
  }
  if (what == base::Notification::Clicked) command(id);
}

void MainWindowLogic::command(int id) {
  switch (id) {
    case control::bar_add:
      return editor_.add_bar();
    case control::bar_rename:
      return editor_.rename_bar();
    case control::bar_delete:
      return editor_.delete_bar();
    case control::team_add:
      return editor_.add_team();
    case control::team_rename:
      return editor_.rename_team();
    case control::team_delete:
      return editor_.delete_team();
    case control::division_add:
      return editor_.add_division();
    case control::division_rename:
      return editor_.rename_division();
    case control::division_delete:
      return editor_.delete_division();
    case control::auto_add_team:
      return editor_.toggle_auto_add_team();
    case command::default_command:
      // Add bar itself empties the team name field, so decide before it runs.
      if (last_name_field_ == NameField::Bar) return editor_.add_bar();
      if (last_name_field_ == NameField::Team) return editor_.add_team();
      if (last_name_field_ == NameField::Division) return editor_.add_division();
      return;
    case command::file_new:
      return files_.file_new();
    case command::file_open:
      return files_.file_open();
    case command::file_save:
      return files_.save();
    case command::file_save_as:
      files_.save_as();
      return;
    case command::file_exit:
      return exit();
    case control::schedule_button:
    case command::view_schedule:
      return schedule();
    case control::season_button:
    case command::view_season:
      return season();
    case command::small_window:
      return store_display_size(DisplaySize::Small);
    case command::medium_window:
      return store_display_size(DisplaySize::Medium);
    case command::large_window:
      return store_display_size(DisplaySize::Large);
    case command::about:
      return show_about_box(ws_);
    default:
      return;
  }
}

void MainWindowLogic::open_given_file(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path full = std::filesystem::absolute(base::path_from_utf8(path), ec);
  files_.open_path(ec ? path : base::utf8_of(full));
}

void MainWindowLogic::schedule() {
  base::Notices refusals;
  if (!schedule::check_schedule_request(league_, refusals)) return base::show(ws_, refusals);
  if (files_.prompt_save_changes(PromptMode::Continue) == PromptResult::Cancelled) return;
  // A result name without a folder goes beside the league file; the run's
  // work files live in a private folder of their own.
  const std::filesystem::path base_folder =
      base::path_from_utf8(league_.current_file_path.view()).parent_path();
  open_schedule_dialog(ws_, league_, options_, base_folder, runner_);
}

// The Schedule command's checks and question, then the Season window. Its
// build choices are its own: the Schedule dialog's options stay as they were.
void MainWindowLogic::season() {
  base::Notices refusals;
  if (!schedule::check_schedule_request(league_, refusals)) return base::show(ws_, refusals);
  if (files_.prompt_save_changes(PromptMode::Continue) == PromptResult::Cancelled) return;
  SeasonWindowLogic window(league_, ws_, runner_);
  if (season_opener_) season_opener_(window);
}

void MainWindowLogic::exit() {
  if (files_.prompt_save_changes(PromptMode::CloseFile) == PromptResult::Cancelled) return;
  if (quit_) quit_(0);
}

void MainWindowLogic::store_display_size(DisplaySize size) {
  if (write_display_size(settings_file_, size)) {
    ws_.message_box("The change will take effect the next time the program is started.",
                    base::caption::information, base::Icon::Information, base::Buttons::Ok);
    return;
  }
  const std::string text = "The window size could not be saved, because this file cannot be written:\n" +
                           base::utf8_of(settings_file_) + "\nThe program keeps its present size.";
  ws_.message_box(text, base::caption::stop, base::Icon::Error, base::Buttons::Ok);
}

}  // namespace quintora::ui
