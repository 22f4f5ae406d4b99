#pragma once
// The window system of the command line: message boxes become lines
// "CAPTION: text" on standard error and are answered as if OK (or Yes) had
// been pressed; there are no controls, dialogs or viewers.

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "ui/window_system.h"

namespace quintora::cli {

class ConsoleWindowSystem final : public ui::WindowSystem {
 public:
  explicit ConsoleWindowSystem(std::ostream& messages) : messages_(messages) {}

  void set_event_sink(ui::EventSink*) override {}
  ui::Answer message_box(std::string_view text, std::string_view caption, ui::Icon icon,
                         ui::Buttons buttons) override;

  void list_append(int, std::string_view, int) override {}
  void list_insert(int, int, std::string_view, int) override {}
  void list_delete(int, int) override {}
  void list_clear(int) override {}
  int list_count(int) const override { return 0; }
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

  int messages_shown() const { return messages_shown_; }

 private:
  std::ostream& messages_;
  int messages_shown_ = 0;
};

}  // namespace quintora::cli
