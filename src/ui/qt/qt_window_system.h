#pragma once
// The window-system interface on Qt Widgets: every control of the main
// window and of an open dialog is registered under its identifier, and the
// calls of the interface are mapped onto those widgets. The notification
// rules hold here: every change of a field's text notifies once, at once,
// whoever made it (and the program's setting of an unchanged text too), a
// selection made by the program is not reported, and focus moves of entry
// fields are. The displays (labels) show their text to assistive technology
// as their accessible description.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "base/window_system.h"
#include "ui/qt/qt_text.h"

namespace quintora::ui::qt {

struct MessageBoxRequest {
  std::string text;
  std::string caption;
  base::Icon icon = base::Icon::Error;
  base::Buttons buttons = base::Buttons::Ok;
};

class QtWindowSystem final : public QObject, public base::WindowSystem {
  Q_OBJECT

 public:
  QtWindowSystem();
  ~QtWindowSystem() override;

  // The owner of message boxes, file dialogs and modal dialogs.
  void set_main_window(QWidget* window) { main_window_ = window; }

  // Registers a control. With notify set, its events reach the event sink:
  // line edits (text and focus), lists (user selections), buttons and check
  // boxes (clicks). A dialog's controls are registered without it and
  // removed when the dialog closes. A label's text becomes its accessible
  // description from here on.
  void add_control(int id, QWidget* widget, bool notify);
  void remove_control(int id);
  QWidget* control(int id) const;

  // Sends an event to the sink, as the form's widgets do.
  void notify(int id, base::Notification what);

  // Test hooks: when set, message boxes and file dialogs are not shown but
  // answered by the callback, so no test waits on a modal box.
  using MessageBoxAnswerer = std::function<base::Answer(const MessageBoxRequest&)>;
  using FileDialogAnswerer = std::function<std::optional<std::string>(const base::FileDialogRequest&)>;
  void set_message_box_answerer(MessageBoxAnswerer answerer) { message_box_answerer_ = std::move(answerer); }
  void set_file_dialog_answerer(FileDialogAnswerer answerer) { file_dialog_answerer_ = std::move(answerer); }

  void set_event_sink(base::EventSink* sink) override { sink_ = sink; }
  base::Answer message_box(std::string_view text, std::string_view caption, base::Icon icon,
                           base::Buttons buttons) override;
  void list_append(int list, std::string_view text, int tag) override;
  void list_insert(int list, int row, std::string_view text, int tag) override;
  void list_delete(int list, int row) override;
  void list_clear(int list) override;
  int list_count(int list) const override;
  int list_selected(int list) const override;
  std::string list_text(int list, int row) const override;
  int list_tag(int list, int row) const override;
  void list_select(int list, int row) override;
  void set_text(int control, std::string_view text) override;
  std::string get_text(int control, std::size_t max_bytes) const override;
  void set_checked(int control, bool checked) override;
  bool is_checked(int control) const override;
  int run_dialog(int dialog, base::DialogHandler& handler) override;
  void update_now() override;
  std::optional<std::string> choose_file(const base::FileDialogRequest& request) override;
  bool start_program(std::string_view program, const std::vector<std::string>& arguments) override;
  bool open_with_default_application(std::string_view path) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Entry {
    QPointer<QWidget> widget;
    bool notify = false;
  };
  template <class W>
  W* find(int id) const;
  // The window that owns a message box or file dialog.
  QWidget* owner() const;

  std::map<int, Entry> controls_;
  QPointer<QWidget> main_window_;
  base::EventSink* sink_ = nullptr;
  int program_change_ = 0;  // above 0 while the program changes a list
  int text_notices_ = 0;    // Changed notifications of fields so far
  MessageBoxAnswerer message_box_answerer_;
  FileDialogAnswerer file_dialog_answerer_;
};

// The file-dialog filter for one type, e.g. "Vazedored Files(*.SCH) (*.[sS][cC][hH])":
// on file systems that tell letter case apart the pattern must match both.
QString name_filter(const base::FileFilter& filter);

}  // namespace quintora::ui::qt
