#include "ui/file_commands.h"

#include <fstream>
#include <string>
#include <system_error>

#include "base/messages.h"
#include "base/paths.h"
#include "base/text_compare.h"
#include "league/league_file.h"
#include "ui/controls.h"
#include "ui/editor.h"
#include "ui/editor_display.h"

namespace quintora::ui {
namespace {

namespace fs = std::filesystem;

enum class Probe { Existing, Created, Failed };

// Checks that path can be written without emptying a file that is already
// there: an existing file is opened for appending, a missing one created.
Probe probe_writable(const fs::path& path) {
  std::error_code ec;
  const bool existed = fs::exists(path, ec);
  std::ofstream out(path, std::ios::binary | std::ios::app);
  if (!out) return Probe::Failed;
  out.close();
  return existed ? Probe::Existing : Probe::Created;
}

}  // namespace

base::FileDialogRequest league_file_dialog(base::FileDialogKind kind) {
  base::FileDialogRequest request;
  request.kind = kind;
  request.filters = {
      {"Vazedored Files(*.SCH)", "*.sch"}, {"Text Files(*.TXT)", "*.txt"}, {"All Files(*.*)", "*.*"}};
  if (kind == base::FileDialogKind::Open) {
    request.must_exist = true;
  } else {
    request.default_suffix = "sch";
    request.confirm_overwrite = true;
  }
  return request;
}

bool FileCommands::path_fits(const std::string& path) {
  // The league keeps its path in a fixed field; a longer path would be cut
  // and a later save would write to a different file.
  if (path.size() <= league::Path::room) return true;
  const std::string text = "The file name is too long (at most 255 characters):\n" + path;
  ws_.message_box(text, base::caption::sorry, base::Icon::Error, base::Buttons::Ok);
  return false;
}

void FileCommands::title_check() {
  if (league_.file_state != league::FileState::Saved && league_.file_state != league::FileState::Untitled)
    return;
  const std::string title = ws_.get_text(control::title, title_field_bytes);
  if (base::equal_ignoring_case(title, league_.stored_title.view())) return;
  league_.stored_title.assign(title);
  mark_modified(league_);
}

PromptResult FileCommands::prompt_save_changes(PromptMode mode) {
  title_check();
  if (league_.file_state == league::FileState::Saved || league_.file_state == league::FileState::Untitled) {
    return PromptResult::NothingToSave;
  }
  const base::Answer answer =
      mode == PromptMode::CloseFile
          ? ws_.message_box("Save changes before closing the current file?", base::caption::warning,
                            base::Icon::Exclamation, base::Buttons::YesNoCancel)
          : ws_.message_box("Save changes before continue?", base::caption::warning, base::Icon::Exclamation,
                            base::Buttons::OkCancel);
  switch (answer) {
    case base::Answer::Yes:
    case base::Answer::Ok:
      if (league_.file_state == league::FileState::UntitledModified) {
        return save_as() ? PromptResult::SavedNow : PromptResult::Cancelled;
      }
      return write() ? PromptResult::SavedNow : PromptResult::Cancelled;
    case base::Answer::No:
      return PromptResult::Declined;
    case base::Answer::Cancel:
      break;
  }
  return PromptResult::Cancelled;
}

void FileCommands::file_new() {
  if (prompt_save_changes(PromptMode::CloseFile) == PromptResult::Cancelled) return;
  clear_league(league_);
  // The form of an empty league: empty lists, fields and title, no teams.
  show_league(league_, ws_);
  ws_.set_text(control::file_name_label, "Untitled");
}

void FileCommands::file_open() {
  if (prompt_save_changes(PromptMode::CloseFile) == PromptResult::Cancelled) return;
  const std::optional<std::string> chosen = ws_.choose_file(league_file_dialog(base::FileDialogKind::Open));
  if (chosen) open_path(*chosen);
}

void FileCommands::open_path(const std::string& path) {
  if (!path_fits(path)) return;
  base::Notices notices;
  const league::ReadResult result = read_league_file(league_, path, league::ReadMode::Open, notices);
  if (result == league::ReadResult::Unreadable) {
    ws_.message_box("Cannot open the file:\n" + path, base::caption::sorry, base::Icon::Error,
                    base::Buttons::Ok);
    return;
  }
  if (result == league::ReadResult::Success) show_read_league();
  base::show(ws_, notices);
  if (result == league::ReadResult::Success) ws_.set_text(control::file_name_label, path);
}

void FileCommands::save() {
  title_check();
  if (league_.file_state == league::FileState::Modified) {
    write();
  } else if (league_.file_state == league::FileState::UntitledModified) {
    save_as();
  }
}

bool FileCommands::save_as() {
  const std::optional<std::string> chosen = ws_.choose_file(league_file_dialog(base::FileDialogKind::Save));
  if (!chosen) return false;
  if (!path_fits(*chosen)) return false;
  const fs::path path = base::path_from_utf8(*chosen);
  const Probe probe = probe_writable(path);
  if (probe == Probe::Failed) {
    ws_.message_box("Cannot create the file:\n" + *chosen, base::caption::sorry, base::Icon::Error,
                    base::Buttons::Ok);
    return false;
  }

  // The new path counts only once the league is in that file; until then a
  // failure leaves the league where it was.
  const league::Path previous = league_.current_file_path;
  league_.current_file_path.assign(*chosen);
  if (!write()) {
    league_.current_file_path = previous;
    if (probe == Probe::Created) {
      std::error_code ec;
      if (fs::is_regular_file(path, ec) && fs::file_size(path, ec) == 0) fs::remove(path, ec);
    }
    return false;
  }
  ws_.set_text(control::file_name_label, *chosen);
  return true;
}

bool FileCommands::write() {
  base::Notices notices;
  const bool written = write_league(league_, ws_.get_text(control::title, title_field_bytes), notices);
  // The read-back replaced the league even when it ends with a notice.
  if (written) show_read_league();
  base::show(ws_, notices);
  return written;
}

void FileCommands::show_read_league() {
  // The form's own handlers run while it is refilled; a league just read is
  // saved whatever they did.
  show_league(league_, ws_);
  league_.file_state = league::FileState::Saved;
}

}  // namespace quintora::ui
