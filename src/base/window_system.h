#pragma once
// The window-system interface: the only road from the league, schedule and
// editor code to the screen. No toolkit types appear here, so every rule of
// the program can be driven by a test double without a display; the Qt shell
// only maps these calls to widgets.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/numbers.h"

namespace quintora::base {

enum class Icon { Error, Exclamation, Information };
enum class Buttons { Ok, OkCancel, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

enum class Notification {
  Changed,  // a field's text changed, by the user or by the program
  FocusGained,
  FocusLost,
  SelectionChanged,  // the user changed a list's selection
  Clicked,           // a button, check box, menu item or toolbar button
};

// Receives the main window's events. Text-field notifications arrive
// synchronously, while the call that changed the text is still running.
class EventSink {
 public:
  virtual void on_event(int id, Notification what) = 0;

 protected:
  ~EventSink() = default;
};

class WindowSystem;

// The logic of a modal dialog. The window system builds the dialog, calls
// on_open, then on_command for every button pressed inside it; the dialog
// closes when on_command returns true, or on Cancel / Escape / close box.
class DialogHandler {
 public:
  virtual void on_open(WindowSystem& ws) = 0;
  virtual bool on_command(WindowSystem& ws, int id) = 0;

 protected:
  ~DialogHandler() = default;
};

struct FileFilter {
  std::string name;     // what the user reads, e.g. "Text Files(*.TXT)"
  std::string pattern;  // e.g. "*.txt"; matched ignoring letter case
};

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
  FileDialogKind kind = FileDialogKind::Open;
  std::vector<FileFilter> filters;  // the first is selected at opening
  std::string default_suffix;       // added when the typed name has none
  bool must_exist = false;          // Open: the file and its folder exist
  bool confirm_overwrite = false;   // Save: ask before replacing a file
  std::string initial_path;         // the folder and name offered at opening; empty: none
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  virtual void set_event_sink(EventSink* sink) = 0;

  // Modal message box owned by the main window; returns the button pressed.
  virtual Answer message_box(std::string_view text, std::string_view caption, Icon icon, Buttons buttons) = 0;

  // Lists of names. Each row carries a tag, the entry position of its bar or
  // team, so that nothing depends on turning a name back into an entry.
  // Rows stay in the order they were put in. Only selection changes made by
  // the user are reported.
  virtual void list_append(int list, std::string_view text, int tag) = 0;
  virtual void list_insert(int list, int row, std::string_view text, int tag) = 0;
  virtual void list_delete(int list, int row) = 0;
  virtual void list_clear(int list) = 0;
  virtual int list_count(int list) const = 0;
  virtual int list_selected(int list) const = 0;  // -1 when nothing is selected
  virtual std::string list_text(int list, int row) const = 0;
  virtual int list_tag(int list, int row) const = 0;  // -1 for a row out of range
  virtual void list_select(int list, int row) = 0;

  // Text fields and labels. Setting a field's text notifies Changed before
  // returning, also when the text is unchanged. get_text takes at most
  // max_bytes bytes and never cuts inside a UTF-8 character.
  virtual void set_text(int control, std::string_view text) = 0;
  virtual std::string get_text(int control, std::size_t max_bytes) const = 0;

  // Check boxes and exclusive choices.
  virtual void set_checked(int control, bool checked) = 0;
  virtual bool is_checked(int control) const = 0;

  // Modal dialogs owned by the main window, named by the user interface's own
  // dialog numbers; returns when the dialog closes: 1 when on_command closed
  // it, 0 when it was cancelled.
  virtual int run_dialog(int dialog, DialogHandler& handler) = 0;

  // Lets the screen catch up (paint a status line) before a long operation.
  virtual void update_now() {}

  // File dialogs: the full path chosen, or nothing when cancelled.
  virtual std::optional<std::string> choose_file(const FileDialogRequest& request) = 0;

  // Starts a program without waiting; arguments are passed as they stand,
  // never through a shell. A program named without a folder is looked up
  // beside this program first, then on the search path.
  virtual bool start_program(std::string_view program, const std::vector<std::string>& arguments) = 0;
  // Opens a file with the desktop's default application for its type.
  virtual bool open_with_default_application(std::string_view path) = 0;

  // Conveniences built on the calls above.
  void set_number(int control, long value) { set_text(control, std::to_string(value)); }
  // The field's text as an unsigned decimal number; 0 when it is not one.
  unsigned get_unsigned(int control) const { return parse_unsigned_field(get_text(control, 64)); }
};

}  // namespace quintora::base
