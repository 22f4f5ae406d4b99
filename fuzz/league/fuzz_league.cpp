// Any bytes given to the league reader must end in a success or a refusal,
// never out of bounds, and a success must leave a league that keeps the
// tables' limits; a refusal must leave the league untouched.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "league/league.h"
#include "league/league_file.h"
#include "ui/null_window_system.h"

namespace {

using namespace quintora;

// Keeps only what the checks below need: the bar list's length and the
// number of message boxes.
struct CountingWindowSystem : ui::NullWindowSystem {
  ui::Answer message_box(std::string_view, std::string_view, ui::Icon, ui::Buttons) override {
    ++messages;
    return ui::Answer::Ok;
  }
  void list_append(int list, std::string_view, int) override {
    bar_rows += list == ui::control::bar_list ? 1 : 0;
  }
  void list_clear(int list) override { bar_rows = list == ui::control::bar_list ? 0 : bar_rows; }
  int bar_rows = 0;
  int messages = 0;
};

void check(bool condition) {
  if (!condition) std::abort();
}

void check_limits(const League& league) {
  check(league.n_bar_slot >= 0 && league.n_bar_slot <= bar_room);
  check(league.n_team_slot >= 0 && league.n_team_slot <= team_room);
  check(league.n_bar >= 0 && league.n_bar <= league.n_bar_slot);
  check(league.n_team >= 0 && league.n_team <= league.n_team_slot);
  check(league.stored_title.size() <= Title::room);
  for (const Name& n : league.bar.name) check(n.size() <= Name::room);
  for (const Name& n : league.team.name) check(n.size() <= Name::room);
  for (int p = 0; p < league.n_bar_slot; ++p) {
    check(league.bar.n_table_this_bar[static_cast<std::size_t>(p)] >= 1);
    const std::int32_t teams = league.bar.n_team_this_bar[static_cast<std::size_t>(p)];
    check(teams >= 0 && teams <= team_room);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const ReadMode mode = size % 2 == 0 ? ReadMode::Open : ReadMode::Reread;

  League league;
  add_team(league, "Keeper", add_bar(league, "Kept"));
  league.current_file_path.assign("before.sch");
  league.file_state = FileState::Modified;

  CountingWindowSystem ws;
  std::istringstream in(bytes);
  const ReadResult result = read_league(league, in, mode, "after.sch", ws);
  if (result == ReadResult::Success) {
    check_limits(league);
    check(league.file_state == FileState::Saved);
    check(ws.bar_rows == league.n_bar);
    check(league.current_file_path.view() == (mode == ReadMode::Open ? "after.sch" : "before.sch"));
  } else {
    check(ws.messages == 1);
    check(league.file_state == FileState::Modified);
    check(league.n_bar == 1 && league.n_team == 1 && league.bar.name[0].view() == "Kept");
    check(league.current_file_path.view() == "before.sch");
  }
  return 0;
}
