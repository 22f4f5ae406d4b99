#pragma once
// The file commands New, Open, Save and Save As, the unsaved-changes question
// that precedes New, Open, Exit and a schedule run, and the title check that
// notices a changed title field.

#include <filesystem>
#include <string_view>

#include "base/window_system.h"
#include "league/league.h"

namespace quintora::ui {

enum class PromptMode { CloseFile, Continue };
enum class PromptResult { NothingToSave, Cancelled, SavedNow, Declined };

// The file type list of both file dialogs, the league files first.
base::FileDialogRequest league_file_dialog(base::FileDialogKind kind);

class FileCommands {
 public:
  FileCommands(league::League& league, base::WindowSystem& ws) : league_(league), ws_(ws) {}

  // Callers go on unless the result is Cancelled. A save that was asked for
  // and failed answers Cancelled, so nothing unsaved is ever discarded.
  PromptResult prompt_save_changes(PromptMode mode);

  void file_new();
  void file_open();
  // Open without its dialog: reads the league file at `path` (UTF-8), with
  // the same messages and the same effects as File > Open.
  void open_path(const std::string& path);
  void save();
  // True when the league was written to a newly chosen file.
  bool save_as();

  // A title that differs from the stored one, letter case ignored, counts as
  // a change. Only in the states without changes; the others are saved anyway.
  void title_check();

 private:
  bool path_fits(const std::string& path);
  // Saves to the league's file with the title field's text and shows the
  // league read back; false, with the reason shown, when it failed.
  bool write();
  void show_read_league();
  league::League& league_;
  base::WindowSystem& ws_;
};

}  // namespace quintora::ui
