#pragma once
// The file commands New, Open, Save and Save As, the unsaved-changes question
// that precedes New, Open, Exit and a schedule run, and the title check that
// notices a changed title field.

#include <filesystem>
#include <string_view>

#include "league/league.h"
#include "ui/window_system.h"

namespace quintora::ui {

enum class PromptMode { CloseFile, Continue };
enum class PromptResult { NothingToSave, Cancelled, SavedNow, Declined };

// The file type list of both file dialogs, the league files first.
FileDialogRequest league_file_dialog(FileDialogKind kind);

// A path as the window system hands it over (UTF-8) in the form the
// standard library opens on every platform.
std::filesystem::path path_from_utf8(std::string_view text);

class FileCommands {
 public:
  FileCommands(League& league, WindowSystem& ws) : league_(league), ws_(ws) {}

  // Callers go on unless the result is Cancelled. A save that was asked for
  // and failed answers Cancelled, so nothing unsaved is ever discarded.
  PromptResult prompt_save_changes(PromptMode mode);

  void file_new();
  void file_open();
  void save();
  // True when the league was written to a newly chosen file.
  bool save_as();

  // A title that differs from the stored one, letter case ignored, counts as
  // a change. Only in the states without changes; the others are saved anyway.
  void title_check();

 private:
  bool path_fits(const std::string& path);
  League& league_;
  WindowSystem& ws_;
};

}  // namespace quintora::ui
