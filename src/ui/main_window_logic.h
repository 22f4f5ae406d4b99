#pragma once
// The main window's rules without a toolkit: it owns the one League, the
// editor, the file commands and the schedule options, and dispatches every
// event of the form, the menu, the toolbar and the keyboard.

#include <filesystem>
#include <functional>

#include "base/window_system.h"
#include "league/league.h"
#include "schedule/schedule_options.h"
#include "ui/display_size.h"
#include "ui/editor.h"
#include "ui/file_commands.h"
#include "ui/run_progress.h"

namespace quintora::ui {

class SeasonWindowLogic;

// Shows the Season window for `logic` and returns when it is closed. The
// program with a display supplies it; tests supply their own.
using SeasonWindowOpener = std::function<void(SeasonWindowLogic&)>;

class MainWindowLogic final : public base::EventSink {
 public:
  // settings_file is where the display size is stored; quit is called with
  // the exit code once Exit has passed the unsaved-changes question.
  MainWindowLogic(base::WindowSystem& ws, std::filesystem::path settings_file, std::function<void(int)> quit);
  ~MainWindowLogic();
  MainWindowLogic(const MainWindowLogic&) = delete;
  MainWindowLogic& operator=(const MainWindowLogic&) = delete;

  // The window's initialisation: ticks the automatic-team check box and sets
  // the default result file name. Call once the form exists.
  void initialise();
  // The league file given to the program when it starts, opened as File >
  // Open opens a chosen one; a relative path is taken against the current
  // folder, so the window shows, and later saves to, the full path.
  void open_given_file(const std::string& path);

  void on_event(int id, base::Notification what) override;

  league::League& league() { return league_; }
  const schedule::ScheduleOptions& schedule_options() const { return options_; }

  // What shows the Season window; without one the Season command ends
  // after its checks.
  void set_season_window_opener(SeasonWindowOpener opener) { season_opener_ = std::move(opener); }
  // What shows a long run's progress bar and Cancel, in the Schedule dialog
  // and the Season window; without one a run holds the window until done.
  void set_progress_runner(ProgressRunner runner) { runner_ = std::move(runner); }

 private:
  void command(int id);
  void schedule();
  void season();
  void exit();
  void store_display_size(DisplaySize size);

  base::WindowSystem& ws_;
  std::filesystem::path settings_file_;
  std::function<void(int)> quit_;
  league::League league_;
  Editor editor_;
  FileCommands files_;
  schedule::ScheduleOptions options_;
  SeasonWindowOpener season_opener_;
  ProgressRunner runner_;
  NameField last_name_field_ = NameField::None;
};

}  // namespace quintora::ui
