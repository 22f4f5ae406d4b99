#include "ui/editor.h"

#include <string>

#include "base/index.h"
#include "base/messages.h"
#include "league/league_details.h"
#include "league/names.h"
#include "ui/controls.h"

namespace quintora::ui {
namespace {

// Deleted entries keep their room until a save compacts the tables, so the
// room can run out while the live counts are still under their limits.
constexpr const char* bar_room_full =
    "There is no room for another bar until the league is saved (deleted bars keep their room "
    "until then). Please save the league first.";
constexpr const char* team_room_full =
    "There is no room for another team until the league is saved (deleted teams keep their room "
    "until then). Please save the league first.";
constexpr const char* auto_team_room_full =
    "The bar was added without its team of the same name: there is no room for another team "
    "until the league is saved. Please save the league first.";

using base::at;

}  // namespace

void Editor::stop(const char* message) {
  ws_.message_box(message, base::caption::stop, base::Icon::Error, base::Buttons::Ok);
}

int Editor::selected_bar_entry() const {
  const int row = ws_.list_selected(control::bar_list);
  if (row < 0) return league::no_position;
  const int p = ws_.list_tag(control::bar_list, row);
  if (p < 0 || p >= league_.n_bar_slot || !bar_is_live(league_, p)) return league::no_position;
  return p;
}

int Editor::selected_team_entry() const {
  const int row = ws_.list_selected(control::team_list);
  if (row < 0) return league::no_position;
  const int t = ws_.list_tag(control::team_list, row);
  if (t < 0 || t >= league_.n_team_slot || !team_is_live(league_, t)) return league::no_position;
  return t;
}

void Editor::set_auto_add_team(bool on) {
  auto_add_team_ = on;
  ws_.set_checked(control::auto_add_team, on);
}

void Editor::toggle_auto_add_team() { set_auto_add_team(!auto_add_team_); }

void Editor::bar_selected() {
  const int p = selected_bar_entry();
  if (p == league::no_position) return;
  const std::string name(league_.bar.name[at(p)].view());
  ws_.set_text(control::bar_name, name);
  ws_.set_number(control::tables, league_.bar.n_table_this_bar[at(p)]);
  ws_.set_number(control::team_count_label, league_.bar.n_team_this_bar[at(p)]);
  ws_.set_text(control::bar_name_label, name);

  ws_.list_clear(control::team_list);
  ws_.set_text(control::team_name, "");
  const std::int32_t number = league_.bar.number[at(p)];
  for (int t = 0; t < league_.n_team_slot; ++t) {
    if (league_.team.bar_number[at(t)] == number) ws_.list_append(control::team_list, team_row(t), t);
  }
  if (ws_.list_count(control::team_list) > 0) ws_.list_select(control::team_list, 0);
  selected_bar_ = p;
  show_venue(p);
  show_team_division(selected_team_entry());
}

void Editor::team_selected() {
  const int t = selected_team_entry();
  if (t == league::no_position) return;
  ws_.set_text(control::team_name, league_.team.name[at(t)].view());
  show_team_division(t);
}

void Editor::add_bar() {
  if (league_.n_bar >= league::max_bars) return stop("Only 49 bars are allowed.");
  std::string name = ws_.get_text(control::bar_name, name_field_bytes);
  if (const auto refusal = validate_name(league_, name, league::NameKind::Bar))
    return base::show(ws_, *refusal);
  if (league_.n_bar_slot >= league::bar_room) return stop(bar_room_full);

  ws_.list_append(control::bar_list, name, league_.n_bar_slot);
  ws_.set_text(control::bar_name, "");
  ws_.list_clear(control::team_list);
  ws_.set_text(control::team_name, "");
  ws_.list_select(control::bar_list, ws_.list_count(control::bar_list) - 1);

  const int p = league::add_bar(league_, name);
  selected_bar_ = p;
  ws_.set_number(control::tables, 1);
  ws_.set_number(control::team_count_label, 0);
  ws_.set_text(control::bar_name_label, name);
  show_venue(p);
  mark_modified(league_);

  if (!auto_add_team_) return;
  if (find_team(league_, name) != league::no_position) return;
  if (league_.n_team_slot >= league::team_room) return stop(auto_team_room_full);
  append_team(name, p);
}

void Editor::add_team() {
  if (league_.n_bar <= 0) return stop("Please add a bar first.");
  if (league_.n_team >= league::max_teams) return stop("Only 99 teams are allowed.");
  const int p = selected_bar_entry();
  if (p == league::no_position) return stop("Please select a bar to add team to.");

  unsigned tables = ws_.get_unsigned(control::tables);
  if (tables < 1) {
    tables = 1;
    ws_.set_number(control::tables, 1);
  }
  // One more team fits while the tables still number half the teams, rounded up.
  const long needed = (static_cast<long>(league_.bar.n_team_this_bar[at(p)]) + 2) / 2;
  if (needed > static_cast<long>(tables)) return stop("Not enough tables!  Increase number of tables first.");

  std::string name = ws_.get_text(control::team_name, name_field_bytes);
  if (const auto refusal = validate_name(league_, name, league::NameKind::Team))
    return base::show(ws_, *refusal);
  if (league_.n_team_slot >= league::team_room) return stop(team_room_full);
  append_team(name, p);
  mark_modified(league_);
}

void Editor::append_team(const std::string& name, int p) {
  const int division = selected_division();
  const int t = league::add_team(league_, name, p);
  league::set_team_division(league_, t, division);
  ws_.list_append(control::team_list, team_row(t), t);
  ws_.set_text(control::team_name, "");
  ws_.list_select(control::team_list, ws_.list_count(control::team_list) - 1);
  show_team_division(t);
  ws_.set_number(control::team_count_label, league_.bar.n_team_this_bar[at(p)]);
  ws_.set_number(control::total_teams_label, league_.n_team);
}

void Editor::delete_bar() {
  if (league_.n_bar <= 0) return stop("Please select a bar first.");
  const int row = ws_.list_selected(control::bar_list);
  const int p = selected_bar_entry();
  if (p == league::no_position) return stop("Please select a bar.");

  ws_.list_delete(control::bar_list, row);
  ws_.set_text(control::bar_name, "");
  ws_.list_clear(control::team_list);
  ws_.set_text(control::team_name, "");
  league::delete_bar(league_, p);
  ws_.set_number(control::tables, 0);
  ws_.set_number(control::team_count_label, 0);
  ws_.set_text(control::bar_name_label, "");
  ws_.set_number(control::total_teams_label, league_.n_team);
  show_venue(league::no_position);
  show_team_division(league::no_position);
  mark_modified(league_);
}

bool Editor::team_command_allowed() {
  const bool bar_has_teams = selected_bar_ >= 0 && selected_bar_ < league::bar_room &&
                             league_.bar.n_team_this_bar[at(selected_bar_)] > 0;
  if (league_.n_bar <= 0 || league_.n_team <= 0 || !bar_has_teams) {
    stop("Please select a team first.");
    return false;
  }
  return true;
}

void Editor::delete_team() {
  if (!team_command_allowed()) return;
  const int row = ws_.list_selected(control::team_list);
  const int t = selected_team_entry();
  if (t == league::no_position) return stop("Please select a team.");

  ws_.list_delete(control::team_list, row);
  ws_.set_text(control::team_name, "");
  league::delete_team(league_, t, selected_bar_);
  show_team_division(league::no_position);
  ws_.set_number(control::team_count_label, league_.bar.n_team_this_bar[at(selected_bar_)]);
  ws_.set_number(control::total_teams_label, league_.n_team);
  mark_modified(league_);
}

void Editor::replace_selected_row(int list, int field, const std::string& name, int entry) {
  const int row = ws_.list_selected(list);
  ws_.list_delete(list, row);
  ws_.list_insert(list, row, name, entry);
  ws_.set_text(field, "");
  ws_.list_select(list, row);
}

void Editor::rename_bar() {
  if (league_.n_bar <= 0) return stop("Please select a bar first.");
  const int p = selected_bar_entry();
  if (p == league::no_position) return stop("Please select a bar.");
  std::string name = ws_.get_text(control::bar_name, name_field_bytes);
  if (const auto refusal = validate_name(league_, name, league::NameKind::Bar))
    return base::show(ws_, *refusal);
  replace_selected_row(control::bar_list, control::bar_name, name, p);
  league::rename_bar(league_, p, name);
  selected_bar_ = p;
  ws_.set_text(control::bar_name_label, name);
  mark_modified(league_);
}

void Editor::rename_team() {
  if (!team_command_allowed()) return;
  const int t = selected_team_entry();
  if (t == league::no_position) return stop("Please select a team.");
  std::string name = ws_.get_text(control::team_name, name_field_bytes);
  if (const auto refusal = validate_name(league_, name, league::NameKind::Team))
    return base::show(ws_, *refusal);
  league::rename_team(league_, t, name);
  replace_selected_row(control::team_list, control::team_name, team_row(t), t);
  mark_modified(league_);
}

void Editor::tables_changed() {
  if (league_.n_bar <= 0 || league_.n_team <= 0) return;
  unsigned tables = ws_.get_unsigned(control::tables);
  if (tables < 1) {
    tables = 1;
    // Notifies this handler again, which then finds 1 and stops.
    ws_.set_number(control::tables, 1);
  }
  const int p = selected_bar_entry();
  if (p == league::no_position) return;
  // The league keeps table counts as 32-bit numbers; a larger entry is
  // as good as the largest.
  const std::int32_t count = tables > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<std::int32_t>(tables);
  if (league_.bar.n_table_this_bar[at(p)] != count) {
    set_tables(league_, p, count);
    mark_modified(league_);
  }
}

}  // namespace quintora::ui
