#pragma once
// A scripted window system for tests: keeps the state of every control,
// records every message box, dialog, file dialog and program start, answers
// questions from a script, and notifies text-field changes synchronously, as
// the real window does.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/window_system.h"
#include "ui/controls.h"

namespace quintora::test {

struct MessageRecord {
  std::string text, caption;
  base::Icon icon = base::Icon::Error;
  base::Buttons buttons = base::Buttons::Ok;
};

class FakeWindowSystem : public base::WindowSystem {
 public:
  using DialogScript = std::function<void(FakeWindowSystem&, base::DialogHandler&)>;

  // base::WindowSystem
  void set_event_sink(base::EventSink* sink) override { sink_ = sink; }
  base::Answer message_box(std::string_view text, std::string_view caption, base::Icon icon,
                           base::Buttons buttons) override;
  void list_append(int list, std::string_view text, int tag) override { list_insert(list, -1, text, tag); }
  void list_insert(int list, int row, std::string_view text, int tag) override;
  void list_delete(int list, int row) override;
  void list_clear(int list) override { lists_[list] = {}; }
  int list_count(int list) const override { return static_cast<int>(list_at(list).rows.size()); }
  int list_selected(int list) const override { return list_at(list).selected; }
  std::string list_text(int list, int row) const override { return row_at(list, row).text; }
  int list_tag(int list, int row) const override { return row_at(list, row).tag; }
  void list_select(int list, int row) override {
    lists_[list].selected = row >= 0 && row < list_count(list) ? row : -1;
  }
  void set_text(int control, std::string_view text) override;
  std::string get_text(int control, std::size_t max_bytes) const override;
  void set_checked(int control, bool checked) override { checked_[control] = checked; }
  bool is_checked(int control) const override { return checked_.count(control) != 0 && checked_.at(control); }
  int run_dialog(int dialog, base::DialogHandler& handler) override;
  std::optional<std::string> choose_file(const base::FileDialogRequest& request) override;
  bool start_program(std::string_view, const std::vector<std::string>&) override { return start(); }
  bool open_with_default_application(std::string_view) override { return start(); }

  // What the user does. Each notifies the event sink as the real window would.
  // Sets the text, notifies Changed.
  void type(int control, std::string_view text) {
    texts_[control] = std::string(text);
    notify(control, base::Notification::Changed);
  }
  // Sets the selection, notifies SelectionChanged.
  void select_row(int list, int row) {
    list_select(list, row);
    notify(list, base::Notification::SelectionChanged);
  }
  void click(int control) { notify(control, base::Notification::Clicked); }
  void leave(int control) { notify(control, base::Notification::FocusLost); }
  void press_enter() { click(ui::command::default_command); }

  // Scripts.
  // The answer to the next question (a box with more than an OK button). OK
  // boxes take nothing from this queue; they are always answered Ok.
  void answer_next(base::Answer answer) { answers_.push_back(answer); }
  // What happens inside the next run_dialog, after on_open. The script may
  // type into the dialog's fields and call handler.on_command; once a command
  // closes the dialog, further commands are ignored.
  void on_dialog(DialogScript script) { dialog_scripts_.push_back(std::move(script)); }
  // The answer of the next file dialog; nothing (or an empty queue) cancels.
  void choose_next(std::optional<std::string> path) { file_answers_.push_back(std::move(path)); }
  void set_start_succeeds(bool succeeds) { start_succeeds_ = succeeds; }

  // What happened.
  const std::vector<MessageRecord>& messages() const { return messages_; }
  void clear_messages() { messages_.clear(); }
  // Questions asked while no answer was scripted (answered Cancel).
  int unscripted_questions() const { return unscripted_questions_; }
  int pending_answers() const { return static_cast<int>(answers_.size()); }
  const std::vector<int>& dialogs() const { return dialogs_; }
  const std::vector<base::FileDialogRequest>& file_requests() const { return file_requests_; }
  // Programs started to show a file, the file's own or a named one.
  int programs_started() const { return programs_started_; }
  // The whole text of a field or label ("" when never set).
  std::string text(int control) const { return texts_.count(control) ? texts_.at(control) : ""; }
  std::vector<std::string> list_texts(int list) const;

 private:
  struct Row {
    std::string text;
    int tag = -1;
  };
  struct List {
    std::vector<Row> rows;
    int selected = -1;
  };

  void notify(int control, base::Notification what) {
    if (sink_ != nullptr) sink_->on_event(control, what);
  }
  bool start() {
    ++programs_started_;
    return start_succeeds_;
  }
  const List& list_at(int list) const;
  const Row& row_at(int list, int row) const;

  base::EventSink* sink_ = nullptr;
  std::map<int, std::string> texts_;
  std::map<int, bool> checked_;
  std::map<int, List> lists_;

  std::deque<base::Answer> answers_;
  std::deque<DialogScript> dialog_scripts_;
  std::deque<std::optional<std::string>> file_answers_;
  bool start_succeeds_ = true;

  std::vector<MessageRecord> messages_;
  int unscripted_questions_ = 0;
  std::vector<int> dialogs_;
  std::vector<base::FileDialogRequest> file_requests_;
  int programs_started_ = 0;
};

}  // namespace quintora::test
