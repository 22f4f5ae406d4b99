#include "league/league_file.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "league/editor_display.h"
#include "league/league_text.h"

namespace quintora {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view mark_line = "!! Version 1.4.0";
constexpr std::string_view title_header = "<< Title >>";
constexpr std::string_view bars_count_header = "<< Number of Bars and Gap of Position Night >>";
constexpr std::string_view bars_header = "<< BARS: Bar number, Number of Teams, Number of Tables and Bar Name >>";
constexpr std::string_view teams_count_header = "<< Number of Teams >>";
constexpr std::string_view teams_header = "<< TEAMS: Corresponding Bar Number and Team Name >>";

constexpr std::string_view refused_caption = "Sorry !";
constexpr std::string_view cannot_read = "This league file cannot be read: ";
// Orphan teams are listed by name up to this many; the rest are counted.
constexpr int listed_orphans = 10;

std::size_t at(int position) { return static_cast<std::size_t>(position); }

ReadResult refuse(ui::WindowSystem& ws, const std::string& reason) {
  ws.message_box(std::string(cannot_read) + reason, refused_caption, ui::Icon::Error, ui::Buttons::Ok);
  return ReadResult::Refused;
}

std::string count_reason(std::string_view what, std::int32_t value, int room) {
  return "its number of " + std::string(what) + " (" + std::to_string(value) + ") is not between 0 and " +
         std::to_string(room) + ".";
}

// Teams whose bar number names no bar of the file, and bars whose number
// marks them deleted: all named in one box, since they vanish at the next save.
void report_entries_without_bar(const League& league, ui::WindowSystem& ws) {
  std::string text;
  int listed = 0;
  int unlisted = 0;
  auto add = [&](std::string line) {
    if (listed < listed_orphans) {
      text += line + "\n";
      ++listed;
    } else {
      ++unlisted;
    }
  };
  for (int p = 0; p < league.n_bar_slot; ++p) {
    if (!bar_is_live(league, p)) add("Bar " + std::string(league.bar.name[at(p)].view()) + " has no valid number.");
  }
  for (int t = 0; t < league.n_team_slot; ++t) {
    const std::int32_t number = league.team.bar_number[at(t)];
    bool found = false;
    for (int p = 0; p < league.n_bar_slot && number >= 0 && !found; ++p) found = league.bar.number[at(p)] == number;
    if (!found) add("Team " + std::string(league.team.name[at(t)].view()) + " has no bar.");
  }
  if (listed == 0) return;
  if (unlisted > 0) text += "And " + std::to_string(unlisted) + " more.\n";
  text += "They are left out when the league is saved.";
  ws.message_box(text, "Stopzzz !", ui::Icon::Error, ui::Buttons::Ok);
}

}  // namespace

ReadResult read_league(League& league, std::istream& in, ReadMode mode, std::string_view path,
                       ui::WindowSystem& ws) {
  LeagueTextReader reader(in);
  std::string line;
  const bool any = reader.read_line(line);
  // A text editor may have put a UTF-8 byte order mark before the mark.
  if (line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
  if (!any || line.size() < 2 || line[0] != '!' || line[1] != '!') {
    ws.message_box("Not a Vazedored file.", refused_caption, ui::Icon::Error, ui::Buttons::Ok);
    return ReadResult::NotLeagueFile;
  }
  // A path cut to the field would name another file at the next save.
  if (mode == ReadMode::Open && path.size() > Path::room)
    return refuse(ws, "its path is longer than " + std::to_string(Path::room) + " bytes.");

  // Read into a scratch league so that a refused file changes nothing.
  League scratch;
  reader.read_line(line);  // title header
  reader.read_line(line);
  scratch.stored_title.assign(line);
  reader.read_line(line);  // bars header

  constexpr std::string_view cut_short = "it ends before all its numbers.";
  std::array<std::int32_t, 3> numbers{};
  NumberGroup group = reader.read_numbers(numbers.data(), 2);
  if (group.status == NumberStatus::End) return refuse(ws, std::string(cut_short));
  if (group.read < 1) return refuse(ws, "its number of bars is not a number.");
  const std::int32_t n_bar = numbers[0];
  if (n_bar < 0 || n_bar > bar_room) return refuse(ws, count_reason("bars", n_bar, bar_room));
  scratch.gap_of_position_night = group.read >= 2 ? numbers[1] : 0;
  scratch.n_bar_slot = n_bar;

  reader.read_line(line);  // BARS header
  for (int p = 0; p < n_bar; ++p) {
    // A number that cannot be read keeps the entry's previous (fresh) value.
    numbers = {0, 0, 0};
    if (reader.read_numbers(numbers.data(), 3).status == NumberStatus::End)
      return refuse(ws, std::string(cut_short));
    scratch.bar.number[at(p)] = numbers[0];
    // No bar can hold more teams than the table; a wild count from a
    // hand-edited file must not overflow the editor's capacity arithmetic.
    scratch.bar.n_team_this_bar[at(p)] = numbers[1] < 0 ? 0 : numbers[1] > team_room ? team_room : numbers[1];
    scratch.bar.n_table_this_bar[at(p)] = numbers[2] < 1 ? 1 : numbers[2];
    reader.read_name(line);
    scratch.bar.name[at(p)].assign(line);
  }

  reader.read_line(line);  // "Number of Teams" header
  numbers = {0, 0, 0};
  group = reader.read_numbers(numbers.data(), 1);
  if (group.status == NumberStatus::End) return refuse(ws, std::string(cut_short));
  if (group.read < 1) return refuse(ws, "its number of teams is not a number.");
  const std::int32_t n_team = numbers[0];
  if (n_team < 0 || n_team > team_room) return refuse(ws, count_reason("teams", n_team, team_room));
  scratch.n_team_slot = n_team;

  reader.read_line(line);  // TEAMS header
  for (int t = 0; t < n_team; ++t) {
    numbers = {0, 0, 0};
    if (reader.read_numbers(numbers.data(), 1).status == NumberStatus::End)
      return refuse(ws, std::string(cut_short));
    scratch.team.bar_number[at(t)] = numbers[0];
    reader.read_name(line);
    scratch.team.name[at(t)].assign(line);
  }

  // Live counts are what the entries say, so a hand-edited count can never
  // disagree with the tables.
  scratch.n_bar = 0;
  for (int p = 0; p < scratch.n_bar_slot; ++p) scratch.n_bar += bar_is_live(scratch, p) ? 1 : 0;
  scratch.n_team = 0;
  for (int t = 0; t < scratch.n_team_slot; ++t) scratch.n_team += team_is_live(scratch, t) ? 1 : 0;

  report_entries_without_bar(scratch, ws);

  scratch.current_file_path = mode == ReadMode::Open ? Path(path) : league.current_file_path;
  scratch.file_state = FileState::Saved;
  league = scratch;
  show_league(league, ws);
  league.file_state = FileState::Saved;
  return ReadResult::Success;
}

namespace {

fs::path path_from_utf8(std::string_view text) {
  const std::u8string bytes(text.begin(), text.end());
  return fs::path(bytes);
}

// The file text of a league. Bars are numbered by their place among the live
// bars; each team is written once, under the first live bar that bears its
// bar number, and every count written is the count of lines that follow.
std::string league_text(const League& league, std::string_view title) {
  std::array<std::int32_t, bar_room> new_number{};  // 0: bar not written
  std::array<std::int32_t, bar_room> teams_written{};
  std::array<std::int32_t, team_room> team_bar{};  // new bar number, 0: team not written
  std::int32_t bars = 0;
  std::int32_t teams = 0;
  const int bar_slots = league.n_bar_slot < bar_room ? league.n_bar_slot : bar_room;
  const int team_slots = league.n_team_slot < team_room ? league.n_team_slot : team_room;
  for (int p = 0; p < bar_slots; ++p) {
    if (!bar_is_live(league, p)) continue;
    new_number[at(p)] = ++bars;
    for (int t = 0; t < team_slots; ++t) {
      if (team_bar[at(t)] == 0 && league.team.bar_number[at(t)] == league.bar.number[at(p)]) {
        team_bar[at(t)] = bars;
        ++teams_written[at(p)];
        ++teams;
      }
    }
  }

  LeagueTextWriter w;
  w.line(mark_line);
  w.line(title_header);
  w.line(title);
  w.line(bars_count_header);
  w.numbers({bars, league.gap_of_position_night});
  w.line(bars_header);
  for (int p = 0; p < bar_slots; ++p) {
    if (new_number[at(p)] == 0) continue;
    w.numbers({new_number[at(p)], teams_written[at(p)], league.bar.n_table_this_bar[at(p)]});
    w.line(league.bar.name[at(p)].view());
  }
  w.line(teams_count_header);
  w.numbers({teams});
  w.line(teams_header);
  // Teams grouped by bar in bar order, each bar's teams in entry order.
  for (std::int32_t k = 1; k <= bars; ++k) {
    for (int t = 0; t < team_slots; ++t) {
      if (team_bar[at(t)] != k) continue;
      w.numbers({k});
      w.line(league.team.name[at(t)].view());
    }
  }
  return w.take();
}

bool is_read_only(const fs::path& file) {
  std::error_code ec;
  const fs::file_status status = fs::status(file, ec);
  if (ec || !fs::is_regular_file(status)) return false;
  constexpr fs::perms any_write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if ((status.permissions() & any_write) == fs::perms::none) return true;
  // Opening for appending writes nothing but tells whether writing is allowed.
  std::ofstream probe(file, std::ios::binary | std::ios::app);
  return !probe.is_open();
}

// A name beside the league file that no file has yet; empty when every
// candidate is taken, so that nobody else's file is ever overwritten.
fs::path temporary_beside(const fs::path& file) {
  for (int i = 0; i < 100; ++i) {
    fs::path temp = file;
    temp += i == 0 ? std::string(".tmp") : ".tmp" + std::to_string(i);
    std::error_code ec;
    if (!fs::exists(temp, ec) && !ec) return temp;
  }
  return {};
}

bool write_whole_file(const fs::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out.is_open()) return false;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!out.good()) return false;
  out.close();
  return !out.fail();
}

bool fail_to_save(ui::WindowSystem& ws, std::string_view path, std::string_view why) {
  ws.message_box("The league could not be saved to " + std::string(path) + ".\n" + std::string(why), "Stop !",
                 ui::Icon::Error, ui::Buttons::Ok);
  return false;
}

}  // namespace

bool write_league(League& league, ui::WindowSystem& ws) {
  const std::string path(league.current_file_path.view());
  if (path.empty()) return fail_to_save(ws, "a file", "The league has no file name yet.");
  const std::string title = ws.get_text(ui::control::title, Title::room);

  // Write a new file beside the old one and put it in place only when every
  // byte has reached it, so a failed save never costs the old file.
  fs::path target = path_from_utf8(path);
  std::error_code ec;
  // A league file reached through a link is replaced where it really lives.
  if (fs::is_symlink(target, ec)) {
    fs::path real = fs::canonical(target, ec);
    if (!ec) target = real;
  }
  if (is_read_only(target)) return fail_to_save(ws, path, "The file is read-only.");
  const fs::path temp = temporary_beside(target);
  if (temp.empty()) return fail_to_save(ws, path, "No temporary file can be made beside it.");
  if (!write_whole_file(temp, league_text(league, title))) {
    fs::remove(temp, ec);
    return fail_to_save(ws, path, "The file or its folder cannot be written.");
  }
  // The new file keeps the permissions the old one had.
  const fs::file_status old_status = fs::status(target, ec);
  if (!ec && fs::is_regular_file(old_status)) fs::permissions(temp, old_status.permissions(), ec);
  fs::rename(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    return fail_to_save(ws, path, "The file cannot be replaced.");
  }

  // Reading the file back compacts and renumbers the league and refreshes
  // the editor.
  std::ifstream in(target, std::ios::binary);
  if (!in.is_open() || read_league(league, in, ReadMode::Reread, path, ws) != ReadResult::Success) {
    ws.message_box("The league was saved to " + path + ", but the saved file could not be read back.", "Stop !",
                   ui::Icon::Error, ui::Buttons::Ok);
    return false;
  }
  return true;
}

}  // namespace quintora
