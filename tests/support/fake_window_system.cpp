#include "support/fake_window_system.h"

#include "base/text.h"

namespace quintora::test {

namespace {

template <typename T>
T take_front(std::deque<T>& queue, T when_empty) {
  if (queue.empty()) return when_empty;
  T front = std::move(queue.front());
  queue.pop_front();
  return front;
}

// Forwards to the dialog's handler and remembers whether a command closed it.
struct ClosingTracker : base::DialogHandler {
  explicit ClosingTracker(base::DialogHandler& handler) : inner(handler) {}
  void on_open(base::WindowSystem& ws) override { inner.on_open(ws); }
  bool on_command(base::WindowSystem& w, int id) override {
    return closed = closed || inner.on_command(w, id);
  }
  base::DialogHandler& inner;
  bool closed = false;
};

// The controls that are text fields (they notify Changed); every other
// control with text is a label and stays silent.
bool is_field(int control) {
  namespace c = ui::control;
  return control == c::title || control == c::bar_name || control == c::team_name || control == c::tables ||
         control == c::weeks || control == c::result_file || control == c::division_name ||
         control == c::address || control == c::phone || control == c::bar_start;
}

}  // namespace

base::Answer FakeWindowSystem::message_box(std::string_view text, std::string_view caption, base::Icon icon,
                                           base::Buttons buttons) {
  const bool question = buttons != base::Buttons::Ok;
  if (question && answers_.empty()) ++unscripted_questions_;
  messages_.push_back({std::string(text), std::string(caption), icon, buttons});
  return question ? take_front(answers_, base::Answer::Cancel) : base::Answer::Ok;
}

const FakeWindowSystem::List& FakeWindowSystem::list_at(int list) const {
  static const List none;
  return lists_.count(list) != 0 ? lists_.at(list) : none;
}

const FakeWindowSystem::Row& FakeWindowSystem::row_at(int list, int row) const {
  static const Row none;
  return row < 0 || row >= list_count(list) ? none : list_at(list).rows[static_cast<std::size_t>(row)];
}

void FakeWindowSystem::list_insert(int list, int row, std::string_view text, int tag) {
  List& l = lists_[list];
  if (row < 0 || row > static_cast<int>(l.rows.size())) row = static_cast<int>(l.rows.size());
  l.rows.insert(l.rows.begin() + row, {std::string(text), tag});
  if (l.selected >= row) ++l.selected;
}

void FakeWindowSystem::list_delete(int list, int row) {
  List& l = lists_[list];
  if (row < 0 || row >= static_cast<int>(l.rows.size())) return;
  l.rows.erase(l.rows.begin() + row);
  l.selected = l.selected > row ? l.selected - 1 : l.selected == row ? -1 : l.selected;
}

void FakeWindowSystem::set_text(int control, std::string_view text) {
  texts_[control] = std::string(text);
  if (is_field(control)) notify(control, base::Notification::Changed);
}

std::string FakeWindowSystem::get_text(int control, std::size_t max_bytes) const {
  const std::string all = text(control);
  return all.substr(0, base::fitting_length(all, max_bytes));
}

int FakeWindowSystem::run_dialog(int dialog, base::DialogHandler& handler) {
  dialogs_.push_back(dialog);
  ClosingTracker tracker(handler);
  tracker.on_open(*this);
  if (DialogScript script = take_front(dialog_scripts_, DialogScript()); script) script(*this, tracker);
  return tracker.closed ? 1 : 0;
}

std::optional<std::string> FakeWindowSystem::choose_file(const base::FileDialogRequest& request) {
  file_requests_.push_back(request);
  return take_front(file_answers_, std::optional<std::string>());
}

std::vector<std::string> FakeWindowSystem::list_texts(int list) const {
  std::vector<std::string> out;
  for (const Row& r : list_at(list).rows) out.push_back(r.text);
  return out;
}

}  // namespace quintora::test
