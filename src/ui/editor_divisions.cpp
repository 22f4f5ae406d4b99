// The editor's divisions, the selected team's division and the selected
// bar's venue details.

#include <string>

#include "base/date.h"
#include "base/index.h"
#include "league/league_details.h"
#include "ui/controls.h"
#include "ui/editor.h"
#include "ui/editor_display.h"

namespace quintora::ui {

using base::at;

std::string Editor::team_row(int t) const {
  std::string row(league_.team.name[at(t)].view());
  if (league::division_count(league_) > 1)
    row += " (" + division_name(league_, division_of(league_, t)) + ")";
  return row;
}

void Editor::refresh_team_rows() {
  const int selected = ws_.list_selected(control::team_list);
  for (int row = 0; row < ws_.list_count(control::team_list); ++row) {
    const int t = ws_.list_tag(control::team_list, row);
    if (t < 0 || t >= league_.n_team_slot) continue;
    ws_.list_delete(control::team_list, row);
    ws_.list_insert(control::team_list, row, team_row(t), t);
  }
  ws_.list_select(control::team_list, selected);
}

int Editor::selected_division() const {
  const int d = ws_.list_tag(control::team_division, ws_.list_selected(control::team_division));
  return d >= 1 && d <= league::division_count(league_) ? d : 1;
}

void Editor::show_team_division(int t) {
  ws_.list_select(control::team_division, t == league::no_position ? -1 : division_of(league_, t) - 1);
}

void Editor::division_selected() {
  const int row = ws_.list_selected(control::division_list);
  if (row >= 0) ws_.set_text(control::division_name, ws_.list_text(control::division_list, row));
}

void Editor::add_division() {
  std::string name = ws_.get_text(control::division_name, name_field_bytes);
  if (const auto refusal = league::add_division(league_, name)) return base::show(ws_, *refusal);
  const int d = league::division_count(league_);
  ws_.list_append(control::division_list, name, d);
  ws_.list_append(control::team_division, name, d);
  ws_.list_select(control::division_list, d - 1);
  ws_.set_text(control::division_name, "");
  // A second division puts the divisions in the team list.
  if (d == 2) refresh_team_rows();
  mark_modified(league_);
}

void Editor::rename_division() {
  const int row = ws_.list_selected(control::division_list);
  if (row < 0) return stop("Please select a division.");
  const int d = ws_.list_tag(control::division_list, row);
  std::string name = ws_.get_text(control::division_name, name_field_bytes);
  if (const auto refusal = league::rename_division(league_, d, name)) return base::show(ws_, *refusal);
  const int chosen = ws_.list_selected(control::team_division);
  replace_selected_row(control::division_list, control::division_name, name, d);
  ws_.list_delete(control::team_division, row);
  ws_.list_insert(control::team_division, row, name, d);
  ws_.list_select(control::team_division, chosen);
  refresh_team_rows();
  mark_modified(league_);
}

void Editor::delete_division() {
  const int row = ws_.list_selected(control::division_list);
  if (row < 0) return stop("Please select a division.");
  if (const auto refusal = league::delete_division(league_, ws_.list_tag(control::division_list, row)))
    return base::show(ws_, *refusal);
  show_divisions(league_, ws_);
  ws_.set_text(control::division_name, "");
  refresh_team_rows();
  show_team_division(selected_team_entry());
  mark_modified(league_);
}

void Editor::team_division_chosen() {
  const int t = selected_team_entry();
  if (t == league::no_position) {
    show_team_division(t);
    return stop("Please select a team first.");
  }
  const int d = ws_.list_tag(control::team_division, ws_.list_selected(control::team_division));
  if (d < 1 || d == division_of(league_, t)) return;
  set_team_division(league_, t, d);
  refresh_team_rows();
  mark_modified(league_);
}

void Editor::show_venue(int p) {
  const bool bar = p != league::no_position;
  const auto& start = bar ? league_.bar.start[at(p)] : std::nullopt;
  ws_.set_text(control::address, bar ? league_.bar.address[at(p)].view() : "");
  ws_.set_text(control::phone, bar ? league_.bar.phone[at(p)].view() : "");
  ws_.set_text(control::bar_start, start ? base::format_time(*start) : "");
}

std::optional<base::Notice> Editor::apply_venue(int field, int p, const std::string& text) {
  if (field == control::address) return league::set_address(league_, p, text);
  if (field == control::phone) return league::set_phone(league_, p, text);
  return league::set_start(league_, p, text);
}

// Typing passes through values that are not yet valid ("19:"): those wait
// for the field to be left. A value that is the kept one changes nothing.
void Editor::venue_changed(int field) {
  const int p = selected_bar_entry();
  if (p == league::no_position) return;
  const std::string address(league_.bar.address[at(p)].view()), phone(league_.bar.phone[at(p)].view());
  const auto start = league_.bar.start[at(p)];
  const std::string text = ws_.get_text(field, address_field_bytes + 1);
  if (apply_venue(field, p, text)) return;
  if (address != league_.bar.address[at(p)].view() || phone != league_.bar.phone[at(p)].view() ||
      start != league_.bar.start[at(p)])
    mark_modified(league_);
}

void Editor::venue_left(int field) {
  const int p = selected_bar_entry();
  if (p == league::no_position) return;
  const std::string text = ws_.get_text(field, address_field_bytes + 1);
  const auto refusal = apply_venue(field, p, text);
  if (!refusal) return;
  // The kept value goes back first: the message box takes the focus, and
  // the field must then hold nothing more to refuse.
  show_venue(p);
  base::show(ws_, *refusal);
}

}  // namespace quintora::ui
