#pragma once
// A window system that shows nothing and keeps only what the fuzz target
// checks: the bar list's rows and the number of message boxes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/window_system.h"

namespace quintora::fuzz {

class SilentWindowSystem : public ui::WindowSystem {
 public:
  void set_event_sink(ui::EventSink*) override {}
  ui::Answer message_box(std::string_view, std::string_view, ui::Icon, ui::Buttons buttons) override {
    ++messages;
    return buttons == ui::Buttons::Ok ? ui::Answer::Ok : ui::Answer::Cancel;
  }
  void list_append(int list, std::string_view text, int) override {
    if (list == ui::control::bar_list) bar_rows.emplace_back(text);
  }
  void list_insert(int, int, std::string_view, int) override {}
  void list_delete(int, int) override {}
  void list_clear(int list) override {
    if (list == ui::control::bar_list) bar_rows.clear();
  }
  int list_count(int list) const override {
    return list == ui::control::bar_list ? static_cast<int>(bar_rows.size()) : 0;
  }
  int list_selected(int) const override { return -1; }
  std::string list_text(int, int) const override { return {}; }
  int list_tag(int, int) const override { return -1; }
  void list_select(int, int) override {}
  void set_text(int, std::string_view) override {}
  std::string get_text(int, std::size_t) const override { return {}; }
  void set_checked(int, bool) override {}
  bool is_checked(int) const override { return false; }
  int run_dialog(ui::DialogId, ui::DialogHandler&) override { return 0; }
  std::optional<std::string> choose_file(const ui::FileDialogRequest&) override { return std::nullopt; }
  bool start_program(std::string_view, const std::vector<std::string>&) override { return false; }
  bool open_with_default_application(std::string_view) override { return false; }

  std::vector<std::string> bar_rows;
  int messages = 0;
};

}  // namespace quintora::fuzz
