#pragma once
// The bars-and-teams editor: every command of the form that changes the
// league in place. Rows of the two lists carry the entry position of their
// bar or team, so a command never has to turn a listed name back into an
// entry.

#include <optional>
#include <string>

#include "base/messages.h"
#include "base/window_system.h"
#include "league/league.h"

namespace quintora::ui {

// Which name field spoke last; decides what the Enter key adds.
enum class NameField { None, Bar, Team, Division };

inline constexpr std::size_t name_field_bytes = 59;
inline constexpr std::size_t title_field_bytes = 80;
inline constexpr std::size_t address_field_bytes = 120;
inline constexpr std::size_t phone_field_bytes = 30;
inline constexpr std::size_t start_field_bytes = 5;

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

  // Divisions (editor_divisions.cpp). A new team joins the division shown
  // in the Division choice, the one of the team selected last.
  void division_selected();
  void add_division();
  void rename_division();
  void delete_division();
  void team_division_chosen();
  // The selected bar's address, phone and start time: a change the field
  // now holds is taken when it is valid; leaving the field with one that is
  // not puts the kept value back and says why.
  void venue_changed(int field);
  void venue_left(int field);

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
  // A team's row: its name, and its division while the league has more than one.
  std::string team_row(int t) const;
  // The team list again after a change of divisions, keeping the selection.
  void refresh_team_rows();
  // The venue fields and the Division choice for the selected bar and team.
  void show_venue(int p);
  void show_team_division(int t);
  int selected_division() const;
  std::optional<base::Notice> apply_venue(int field, int p, const std::string& text);

  league::League& league_;
  base::WindowSystem& ws_;
  int selected_bar_ = 0;
  bool auto_add_team_ = true;  // the check box: add a team of each new bar's name
};

}  // namespace quintora::ui
