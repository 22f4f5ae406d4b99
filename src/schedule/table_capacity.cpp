#include <algorithm>
#include <cstddef>
#include <string>

#include "schedule/schedule_command.h"
#include "schedule/schedule_messages.h"

namespace quintora::schedule {

int check_table_capacity(const League& league, ui::WindowSystem& ws) {
  const int slots = std::clamp(league.n_bar_slot, 0, bar_room);
  for (int p = 0; p < slots; ++p) {
    if (!bar_is_live(league, p)) continue;
    const auto i = static_cast<std::size_t>(p);
    // One table for every two teams, rounded up; a bar with no teams passes.
    const long needed = (static_cast<long>(league.bar.n_team_this_bar[i]) + 1) / 2;
    if (league.bar.n_table_this_bar[i] < needed) {
      std::string text(message::not_enough_tables);
      text += league.bar.name[i].view();
      ws.message_box(text, message::stop_caption, ui::Icon::Error, ui::Buttons::Ok);
      return -1;
    }
  }
  return 1;
}

}  // namespace quintora::schedule
