#include "ui/editor_display.h"

#include "ui/controls.h"

namespace quintora::ui {

void show_league(const league::League& league, base::WindowSystem& ws) {
  namespace c = control;
  ws.list_clear(c::bar_list);
  ws.set_text(c::bar_name, "");
  ws.list_clear(c::team_list);
  ws.set_text(c::team_name, "");
  ws.set_text(c::bar_name_label, "");
  // The tables field's own handler puts 1 back when the league has a bar
  // and a team; that is why the league is replaced before this runs.
  ws.set_text(c::tables, "");
  ws.set_text(c::team_count_label, "");
  ws.set_number(c::total_teams_label, league.n_team);
  for (int p = 0; p < league.n_bar_slot && p < league::bar_room; ++p) {
    if (bar_is_live(league, p))
      ws.list_append(c::bar_list, league.bar.name[static_cast<std::size_t>(p)].view(), p);
  }
  ws.set_text(c::title, league.stored_title.view());
  show_divisions(league, ws);
  ws.set_text(c::division_name, "");
  for (int field : {c::address, c::phone, c::bar_start}) ws.set_text(field, "");
}

void show_divisions(const league::League& league, base::WindowSystem& ws) {
  namespace c = control;
  ws.list_clear(c::division_list);
  ws.list_clear(c::team_division);
  for (int d = 1; d <= league::division_count(league); ++d) {
    const std::string name = division_name(league, d);
    ws.list_append(c::division_list, name, d);
    ws.list_append(c::team_division, name, d);
  }
  ws.list_select(c::team_division, -1);  // no team selected
}

}  // namespace quintora::ui
