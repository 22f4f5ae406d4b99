#pragma once
// The bars-and-teams editor: every command of the form that changes the
// league in place. Rows of the two lists carry the entry position of their
// bar or team, so a command never has to turn a listed name back into an
// entry.

#include <string>

#include "base/window_system.h"
#include "league/league.h"

namespace quintora::ui {

// Which name field spoke last; decides what the Enter key adds.
enum class NameField { None, Bar, Team };

inline constexpr std::size_t name_field_bytes = 59;
inline constexpr std::size_t title_field_bytes = 80;

class Editor {
 public:
  Editor(league::League& league, base::WindowSystem& ws) : league_(league), ws_(ws) {}

  void bar_selected();
  void team_selected();
  void add_bar();
  void add_team();
  void delete_bar();
  void delete_team();
  void rename_bar();
  void rename_team();
  void tables_changed();
  void toggle_auto_add_team();

  // The start-up state of the check box: ticked.
  void set_auto_add_team(bool on);

 private:
  void stop(const char* message);
  // The entry position of the selected row of a list, or no_position when
  // nothing is selected or the row names no live entry.
  int selected_bar_entry() const;
  int selected_team_entry() const;
  bool team_command_allowed();
  // Appends a team of that name to the bar at p, in the team list and the
  // league, and shows the new counts.
  void append_team(const std::string& name, int p);
  // Puts name in place of the selected row, keeping its entry and the
  // selection, and empties the name field.
  void replace_selected_row(int list, int field, const std::string& name, int entry);

  league::League& league_;
  base::WindowSystem& ws_;
  int selected_bar_ = 0;
  bool auto_add_team_ = true;  // the check box: add a team of each new bar's name
};

}  // namespace quintora::ui
