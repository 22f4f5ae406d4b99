#pragma once
// Helpers of the league tests: leagues built in memory or read from text,
// saved to a file in the scratch folder, and shown as comparable text.

#include <filesystem>
#include <regex>
#include <sstream>
#include <tuple>

#include "base/paths.h"
#include "league/league.h"
#include "league/league_file.h"
#include "support/read_file.h"
#include "support/scratch_folder.h"

namespace quintora::test {

// The example league of two bars and three teams, as a file.
inline const std::string spring_lf =
    "!! Version 1.4.0\n<< Title >>\nSpring League\n<< Number of Bars and Gap of Position Night >>\n2  0\n"
    "<< BARS: Bar number, Number of Teams, Number of Tables and Bar Name >>\n"
    "1  2  1\nCorner Pocket\n2  1  1\nEight Ball\n<< Number of Teams >>\n3\n"
    "<< TEAMS: Corresponding Bar Number and Team Name >>\n1\nCorner Pocket\n1\nSharks\n2\nEight Ball\n";

// `text` n times over, for names that fill a field with characters of two bytes.
inline std::string repeated(std::string_view text, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += text;
  return out;
}

inline std::string with_crlf(const std::string& lf) {
  return std::regex_replace(lf, std::regex("\n"), "\r\n");
}

using BarSpec = std::tuple<std::string, int, std::vector<std::string>>;  // name, tables, teams

inline league::League make_league(std::initializer_list<BarSpec> bars) {
  league::League league;
  for (const auto& [name, tables, teams] : bars) {
    const int p = add_bar(league, name);
    set_tables(league, p, tables);
    for (const std::string& t : teams) add_team(league, t, p);
  }
  return league;
}

// Reads text as a league file opened from `path`, adding its notices to `notices`.
inline league::ReadResult read_text(league::League& league, const std::string& text, base::Notices& notices,
                                    std::string_view path = "after.sch") {
  return read_league(league, text, league::ReadMode::Open, path, notices);
}

inline bool save(league::League& league, base::Notices& notices, const std::filesystem::path& file,
                 const std::string& title) {
  league.current_file_path.assign(base::utf8_of(file));
  return write_league(league, title, notices);
}

// Counts, bars (number, teams, tables, [name]) and teams (bar number, [name]).
inline std::string describe(const league::League& l) {
  std::ostringstream out;
  out << "title=" << l.stored_title.view() << " gap=" << l.gap_of_position_night << " bars=" << l.n_bar << "/"
      << l.n_bar_slot << " teams=" << l.n_team << "/" << l.n_team_slot << "\n";
  for (std::size_t p = 0; p < static_cast<std::size_t>(l.n_bar_slot); ++p)
    out << "bar " << l.bar.number[p] << " " << l.bar.n_team_this_bar[p] << " " << l.bar.n_table_this_bar[p]
        << " [" << l.bar.name[p].view() << "]\n";
  for (std::size_t t = 0; t < static_cast<std::size_t>(l.n_team_slot); ++t)
    out << "team " << l.team.bar_number[t] << " [" << l.team.name[t].view() << "]\n";
  return out.str();
}

// Every notice as its message box shows it, one line each: caption, "(error)"
// for the error icon, text.
inline std::string boxes(const base::Notices& notices) {
  std::string out;
  for (const base::Notice& n : notices)
    out += std::string(n.caption) + (n.icon == base::Icon::Error ? " (error) " : " ") + n.text + "\n";
  return out;
}

}  // namespace quintora::test
