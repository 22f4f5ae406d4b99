#pragma once
// A window system with no screen, for programs and tools that run the
// program's rules without a display: controls hold nothing, every message
// box is answered Ok, dialogs count as cancelled, file dialogs as cancelled,
// and no program is ever started. Derive to keep or show what matters.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/window_system.h"

namespace quintora::base {

class NullWindowSystem : public WindowSystem {
 public:
  void set_event_sink(EventSink*) override {}
  Answer message_box(std::string_view, std::string_view, Icon, Buttons) override { return Answer::Ok; }

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

  int run_dialog(int, DialogHandler&) override { return 0; }
  std::optional<std::string> choose_file(const FileDialogRequest&) override { return std::nullopt; }
  bool start_program(std::string_view, const std::vector<std::string>&) override { return false; }
  bool open_with_default_application(std::string_view) override { return false; }
};

}  // namespace quintora::base
