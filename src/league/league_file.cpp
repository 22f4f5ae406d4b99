#include "league/league_file.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <system_error>

#include "base/atomic_file.h"
#include "base/file_reader.h"
#include "base/index.h"
#include "base/paths.h"
#include "base/text.h"
#include "league/compaction.h"
#include "league/league_sections.h"
#include "league/league_text.h"

namespace quintora::league {

namespace {

constexpr std::string_view mark_line = "!! Version 1.4.0";
constexpr std::string_view title_header = "<< Title >>";
constexpr std::string_view bars_count_header = "<< Number of Bars and Gap of Position Night >>";
constexpr std::string_view bars_header =
    "<< BARS: Bar number, Number of Teams, Number of Tables and Bar Name >>";
constexpr std::string_view teams_count_header = "<< Number of Teams >>";
constexpr std::string_view teams_header = "<< TEAMS: Corresponding Bar Number and Team Name >>";

constexpr std::string_view cannot_read = "This league file cannot be read: ";
constexpr std::string_view cut_short = "it ends before all its numbers.";
// Orphan teams are listed by name up to this many; the rest are counted.
constexpr int listed_orphans = 10;

using base::at;

std::string count_reason(std::string_view what, std::int32_t value, int room) {
  return "its number of " + std::string(what) + " (" + std::to_string(value) + ") is not between 0 and " +
         std::to_string(room) + ".";
}

// Teams whose bar number names no bar of the file, and bars whose number
// marks them deleted: all named in one notice, since they vanish at the next save.
void report_entries_without_bar(const League& league, base::Notices& notices) {
  std::string text;
  int listed = 0;
  int unlisted = 0;
  auto add = [&](const std::string& line) {
    if (listed < listed_orphans) {
      text += line + "\n";
      ++listed;
    } else {
      ++unlisted;
    }
  };
  for (int p = 0; p < league.n_bar_slot; ++p) {
    if (!bar_is_live(league, p))
      add("Bar " + std::string(league.bar.name[at(p)].view()) + " has no valid number.");
  }
  for (int t = 0; t < league.n_team_slot; ++t) {
    const std::int32_t number = league.team.bar_number[at(t)];
    bool found = false;
    for (int p = 0; p < league.n_bar_slot && number >= 0 && !found; ++p)
      found = league.bar.number[at(p)] == number;
    if (!found) add("Team " + std::string(league.team.name[at(t)].view()) + " has no bar.");
  }
  if (listed == 0) return;
  if (unlisted > 0) text += "And " + std::to_string(unlisted) + " more.\n";
  text += "They are left out when the league is saved.";
  notices.push_back({text, base::caption::stopzzz, base::Icon::Error});
}

// The sections of the file, in order, read into a scratch league. Each
// returns an empty string when it read its section, or the reason the file
// is refused. Files of the older Windows program hold their title and names
// in Windows-1252; a line that is not UTF-8 is converted on its own, so a
// line that is valid UTF-8 is never changed.
class SectionReader {
 public:
  // Starts after the mark line, which the caller has checked.
  SectionReader(std::string_view text, League& scratch) : reader_(text), league_(scratch) {
    reader_.read_line(line_);
  }

  std::string title_and_bar_count() {
    reader_.read_line(line_);  // title header
    reader_.read_line(line_);
    league_.stored_title.assign(base::utf8_or_windows_1252(line_));
    reader_.read_line(line_);  // bars header
    numbers_ = {0, 0, 0};
    const NumberGroup group = reader_.read_numbers(numbers_.data(), 2);
    if (group.status == NumberStatus::End) return std::string(cut_short);
    if (group.read < 1) return "its number of bars is not a number.";
    const std::int32_t n_bar = numbers_[0];
    if (n_bar < 0 || n_bar > bar_room) return count_reason("bars", n_bar, bar_room);
    league_.gap_of_position_night = group.read >= 2 ? numbers_[1] : 0;
    league_.n_bar_slot = n_bar;
    return {};
  }

  std::string bars() {
    reader_.read_line(line_);  // BARS header
    for (int p = 0; p < league_.n_bar_slot; ++p) {
      // A number that cannot be read keeps the entry's previous (fresh) value.
      numbers_ = {0, 0, 0};
      if (reader_.read_numbers(numbers_.data(), 3).status == NumberStatus::End) return std::string(cut_short);
      league_.bar.number[at(p)] = numbers_[0];
      // No bar can hold more teams than the table; a wild count from a
      // hand-edited file must not overflow the editor's capacity arithmetic.
      league_.bar.n_team_this_bar[at(p)] = numbers_[1] < 0           ? 0
                                           : numbers_[1] > team_room ? team_room
                                                                     : numbers_[1];
      league_.bar.n_table_this_bar[at(p)] = numbers_[2] < 1 ? 1 : numbers_[2];
      reader_.read_name(line_);
      league_.bar.name[at(p)].assign(base::utf8_or_windows_1252(line_));
    }
    return {};
  }

  // Whatever follows the team list: the optional sections.
  void optional_sections(base::Notices& notices) {
    const std::string problems = read_optional_sections(reader_.rest(), reader_.line_number(), league_);
    if (!problems.empty()) {
      notices.push_back({"Part of this league file cannot be read (" + problems +
                             "). The league is read without it, and saving the league leaves it out.",
                         base::caption::warning, base::Icon::Exclamation});
    }
  }

  std::string teams() {
    reader_.read_line(line_);  // "Number of Teams" header
    numbers_ = {0, 0, 0};
    const NumberGroup group = reader_.read_numbers(numbers_.data(), 1);
    if (group.status == NumberStatus::End) return std::string(cut_short);
    if (group.read < 1) return "its number of teams is not a number.";
    const std::int32_t n_team = numbers_[0];
    if (n_team < 0 || n_team > team_room) return count_reason("teams", n_team, team_room);
    league_.n_team_slot = n_team;

    reader_.read_line(line_);  // TEAMS header
    for (int t = 0; t < n_team; ++t) {
      numbers_ = {0, 0, 0};
      if (reader_.read_numbers(numbers_.data(), 1).status == NumberStatus::End) return std::string(cut_short);
      league_.team.bar_number[at(t)] = numbers_[0];
      reader_.read_name(line_);
      league_.team.name[at(t)].assign(base::utf8_or_windows_1252(line_));
    }
    return {};
  }

 private:
  LeagueTextReader reader_;
  League& league_;
  std::string line_;
  std::array<std::int32_t, 3> numbers_{};
};

bool has_league_mark(std::string_view text) {
  // A text editor may have put a UTF-8 byte order mark before the mark.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  return text.size() >= 2 && text[0] == '!' && text[1] == '!';
}

// Live counts are what the entries say, so a hand-edited count can never
// disagree with the tables.
void recount(League& league) {
  league.n_bar = 0;
  for (int p = 0; p < league.n_bar_slot; ++p) league.n_bar += bar_is_live(league, p) ? 1 : 0;
  league.n_team = 0;
  for (int t = 0; t < league.n_team_slot; ++t) league.n_team += team_is_live(league, t) ? 1 : 0;
}

}  // namespace

ReadResult read_league(League& league, std::string_view text, ReadMode mode, std::string_view path,
                       base::Notices& notices) {
  auto refuse = [&notices](const std::string& reason) {
    notices.push_back({std::string(cannot_read) + reason, base::caption::sorry, base::Icon::Error});
    return ReadResult::Refused;
  };
  if (!has_league_mark(text)) {
    notices.push_back({"Not a Vazedored file.", base::caption::sorry, base::Icon::Error});
    return ReadResult::NotLeagueFile;
  }
  if (text.size() > max_league_file_bytes) {
    return refuse("it is larger than " + std::to_string(max_league_file_bytes / 1024) + " KB.");
  }
  // A path cut to the field would name another file at the next save.
  if (mode == ReadMode::Open && path.size() > Path::room) {
    return refuse("its path is longer than " + std::to_string(Path::room) + " bytes.");
  }

  // Read into a scratch league so that a refused file changes nothing. The
  // league is large and fixed in size: it lives on the heap, not the stack.
  auto scratch = std::make_unique<League>();
  SectionReader sections(text, *scratch);
  for (auto section : {&SectionReader::title_and_bar_count, &SectionReader::bars, &SectionReader::teams}) {
    const std::string reason = (sections.*section)();
    if (!reason.empty()) return refuse(reason);
  }
  sections.optional_sections(notices);
  recount(*scratch);
  report_entries_without_bar(*scratch, notices);

  scratch->current_file_path = mode == ReadMode::Open ? Path(path) : league.current_file_path;
  scratch->file_state = FileState::Saved;
  league = *scratch;
  return ReadResult::Success;
}

ReadResult read_league_file(League& league, std::string_view path, ReadMode mode, base::Notices& notices) {
  // One byte past the limit tells a file that is too large from one that fits.
  std::string text;
  switch (base::read_file(base::path_from_utf8(path), max_league_file_bytes + 1, text)) {
    case base::ReadStatus::Ok:
      return read_league(league, text, mode, path, notices);
    case base::ReadStatus::NotAFile:
      notices.push_back({std::string(cannot_read) + "it is not a file but a device, a pipe or a folder.",
                         base::caption::sorry, base::Icon::Error});
      return ReadResult::Refused;
    case base::ReadStatus::CannotOpen:
    case base::ReadStatus::ReadFailed:
      break;
  }
  return ReadResult::Unreadable;
}

namespace {

// The file text of a league, renumbered as compact() says; every count
// written is the count of lines that follow.
std::string league_text(const League& league, std::string_view title) {
  const Compaction c = compact(league);
  LeagueTextWriter w;
  w.line(mark_line);
  w.line(title_header);
  w.line(title);
  w.line(bars_count_header);
  w.numbers({c.bars, league.gap_of_position_night});
  w.line(bars_header);
  for (int p = 0; p < bar_room; ++p) {
    if (c.bar_number[at(p)] == 0) continue;
    w.numbers({c.bar_number[at(p)], c.bar_teams[at(p)], league.bar.n_table_this_bar[at(p)]});
    w.line(league.bar.name[at(p)].view());
  }
  w.line(teams_count_header);
  w.numbers({c.teams});
  w.line(teams_header);
  for (int k = 0; k < c.teams; ++k) {
    const int t = c.team_at[at(k)];
    w.numbers({c.team_bar[at(t)]});
    w.line(league.team.name[at(t)].view());
  }
  return w.take() + optional_sections_text(league, c);
}

}  // namespace

bool write_league(League& league, std::string_view title, base::Notices& notices) {
  const std::string path(league.current_file_path.view());
  auto fail = [&notices](std::string_view where, std::string_view why) {
    notices.push_back({"The league could not be saved to " + std::string(where) + ".\n" + std::string(why)});
    return false;
  };
  if (path.empty()) return fail("a file", "The league has no file name yet.");

  const std::string text = league_text(league, title.substr(0, base::fitting_length(title, Title::room)));
  const base::WriteStatus status = base::write_file_atomically(base::path_from_utf8(path), text);
  if (status != base::WriteStatus::Ok) return fail(path, base::describe(status));

  // Reading the file back compacts and renumbers the league.
  base::Notices read_notices;
  if (read_league_file(league, path, ReadMode::Reread, read_notices) != ReadResult::Success) {
    notices.push_back({"The league was saved to " + path + ", but the saved file could not be read back."});
    return false;
  }
  notices.insert(notices.end(), read_notices.begin(), read_notices.end());
  return true;
}

namespace {

// The path in full, with links and "." and ".." resolved as far as it exists;
// empty when that fails.
std::filesystem::path resolved(const std::filesystem::path& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  if (ec) return {};
  std::filesystem::path out = std::filesystem::weakly_canonical(absolute, ec);
  return ec ? std::filesystem::path() : out;
}

}  // namespace

bool is_league_file(const std::filesystem::path& league_file, const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::equivalent(path, league_file, ec) && !ec) return true;
  const std::filesystem::path a = resolved(path);
  return !a.empty() && a == resolved(league_file);
}

bool has_league_file(const League& league) {
  return (league.file_state == FileState::Saved || league.file_state == FileState::Modified) &&
         !league.current_file_path.empty();
}

bool is_league_file(const League& league, const std::filesystem::path& path) {
  return has_league_file(league) &&
         is_league_file(base::path_from_utf8(league.current_file_path.view()), path);
}

}  // namespace quintora::league
