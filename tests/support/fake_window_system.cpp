#include "support/fake_window_system.h"

#include <utility>

namespace quintora::test {

namespace {

// Longest prefix of text within max_bytes that ends on a UTF-8 character
// boundary.
std::string_view cut_at_character(std::string_view text, std::size_t max_bytes) {
  if (text.size() <= max_bytes) return text;
  std::size_t n = max_bytes;
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0u) == 0x80u) --n;
  return text.substr(0, n);
}

// Forwards to the dialog's handler and remembers whether a command closed it.
class ClosingTracker : public ui::DialogHandler {
 public:
  explicit ClosingTracker(ui::DialogHandler& inner) : inner_(inner) {}
  void on_open(ui::WindowSystem& ws) override { inner_.on_open(ws); }
  bool on_command(ui::WindowSystem& ws, int id) override {
    if (closed_) return true;
    closed_ = inner_.on_command(ws, id);
    return closed_;
  }
  bool closed() const { return closed_; }

 private:
  ui::DialogHandler& inner_;
  bool closed_ = false;
};

}  // namespace

bool FakeWindowSystem::is_field(int control) {
  namespace c = ui::control;
  return control == c::title || control == c::bar_name || control == c::team_name || control == c::tables ||
         control == c::weeks || control == c::result_file;
}

void FakeWindowSystem::notify(int control, ui::Notification what) {
  if (what == ui::Notification::Changed) ++change_counts_[control];
  if (sink_ != nullptr) sink_->on_event(control, what);
}

ui::Answer FakeWindowSystem::message_box(std::string_view text, std::string_view caption, ui::Icon icon,
                                         ui::Buttons buttons) {
  ui::Answer answer = ui::Answer::Ok;
  if (buttons != ui::Buttons::Ok) {
    if (!answers_.empty()) {
      answer = answers_.front();
      answers_.pop_front();
    } else {
      answer = ui::Answer::Cancel;
      ++unscripted_questions_;
    }
  }
  messages_.push_back({std::string(text), std::string(caption), icon, buttons, answer});
  return answer;
}

const FakeWindowSystem::ListState* FakeWindowSystem::find_list(int id) const {
  auto it = lists_.find(id);
  return it == lists_.end() ? nullptr : &it->second;
}

void FakeWindowSystem::list_append(int list_id, std::string_view text, int tag) {
  list(list_id).rows.push_back({std::string(text), tag});
}

void FakeWindowSystem::list_insert(int list_id, int row, std::string_view text, int tag) {
  ListState& l = list(list_id);
  const int count = static_cast<int>(l.rows.size());
  if (row < 0 || row > count) row = count;
  l.rows.insert(l.rows.begin() + row, {std::string(text), tag});
  if (l.selected >= row) ++l.selected;
}

void FakeWindowSystem::list_delete(int list_id, int row) {
  ListState& l = list(list_id);
  if (row < 0 || row >= static_cast<int>(l.rows.size())) return;
  l.rows.erase(l.rows.begin() + row);
  if (l.selected == row) {
    l.selected = -1;
  } else if (l.selected > row) {
    --l.selected;
  }
}

void FakeWindowSystem::list_clear(int list_id) {
  ListState& l = list(list_id);
  l.rows.clear();
  l.selected = -1;
}

int FakeWindowSystem::list_count(int list_id) const {
  const ListState* l = find_list(list_id);
  return l == nullptr ? 0 : static_cast<int>(l->rows.size());
}

int FakeWindowSystem::list_selected(int list_id) const {
  const ListState* l = find_list(list_id);
  return l == nullptr ? -1 : l->selected;
}

std::string FakeWindowSystem::list_text(int list_id, int row) const {
  const ListState* l = find_list(list_id);
  if (l == nullptr || row < 0 || row >= static_cast<int>(l->rows.size())) return {};
  return l->rows[static_cast<std::size_t>(row)].text;
}

int FakeWindowSystem::list_tag(int list_id, int row) const {
  const ListState* l = find_list(list_id);
  if (l == nullptr || row < 0 || row >= static_cast<int>(l->rows.size())) return -1;
  return l->rows[static_cast<std::size_t>(row)].tag;
}

void FakeWindowSystem::list_select(int list_id, int row) {
  ListState& l = list(list_id);
  l.selected = (row >= 0 && row < static_cast<int>(l.rows.size())) ? row : -1;
}

void FakeWindowSystem::set_text(int control, std::string_view text) {
  texts_[control] = std::string(text);
  if (is_field(control)) notify(control, ui::Notification::Changed);
}

std::string FakeWindowSystem::get_text(int control, std::size_t max_bytes) const {
  auto it = texts_.find(control);
  if (it == texts_.end()) return {};
  return std::string(cut_at_character(it->second, max_bytes));
}

bool FakeWindowSystem::is_checked(int control) const {
  auto it = checked_.find(control);
  return it != checked_.end() && it->second;
}

int FakeWindowSystem::run_dialog(ui::DialogId dialog, ui::DialogHandler& handler) {
  dialogs_.push_back(dialog);
  ClosingTracker tracker(handler);
  tracker.on_open(*this);
  if (dialog_scripts_.empty()) return 0;
  DialogScript script = std::move(dialog_scripts_.front());
  dialog_scripts_.pop_front();
  script(*this, tracker);
  return tracker.closed() ? 1 : 0;
}

std::optional<std::string> FakeWindowSystem::choose_file(const ui::FileDialogRequest& request) {
  file_requests_.push_back(request);
  if (file_answers_.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(file_answers_.front());
  file_answers_.pop_front();
  return answer;
}

bool FakeWindowSystem::start_program(std::string_view program, const std::vector<std::string>& arguments) {
  started_programs_.push_back({std::string(program), arguments});
  return start_succeeds_;
}

bool FakeWindowSystem::open_with_default_application(std::string_view path) {
  opened_files_.emplace_back(path);
  return start_succeeds_;
}

void FakeWindowSystem::type(int control, std::string_view text) {
  texts_[control] = std::string(text);
  notify(control, ui::Notification::Changed);
}

void FakeWindowSystem::focus(int control) { notify(control, ui::Notification::FocusGained); }
void FakeWindowSystem::blur(int control) { notify(control, ui::Notification::FocusLost); }

void FakeWindowSystem::select_row(int list_id, int row) {
  list_select(list_id, row);
  notify(list_id, ui::Notification::SelectionChanged);
}

void FakeWindowSystem::click(int control) { notify(control, ui::Notification::Clicked); }
void FakeWindowSystem::press_enter() { notify(ui::command::default_command, ui::Notification::Clicked); }

std::string FakeWindowSystem::text(int control) const {
  auto it = texts_.find(control);
  return it == texts_.end() ? std::string() : it->second;
}

const std::vector<ListRow>& FakeWindowSystem::rows(int list_id) const {
  static const std::vector<ListRow> none;
  const ListState* l = find_list(list_id);
  return l == nullptr ? none : l->rows;
}

std::vector<std::string> FakeWindowSystem::list_texts(int list_id) const {
  std::vector<std::string> out;
  for (const ListRow& r : rows(list_id)) out.push_back(r.text);
  return out;
}

int FakeWindowSystem::change_count(int control) const {
  auto it = change_counts_.find(control);
  return it == change_counts_.end() ? 0 : it->second;
}

}  // namespace quintora::test
