#pragma once
// For the exporter tests: seasons built by hand, what each export must show
// for them (worked out from the season alone), and real readers for the
// files: an RFC 4180 parser, and tools (unzip, xmllint, pdftotext, pdffonts)
// run on a scratch copy of the bytes.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/date.h"
#include "base/random_name.h"
#include "league/calendar.h"
#include "publish/publish.h"
#include "season/season.h"
#include "support/calendar_builder.h"

namespace quintora::test {

using Rows = std::vector<std::vector<std::string>>;

// Records end in CR LF; a quoted field may hold commas, CR, LF and doubled
// quotes. Nothing when the text breaks a rule (a quote in an unquoted field,
// text after a closing quote, a bare CR or LF between records, no final CR LF).
inline std::optional<Rows> parse_csv(std::string_view text) {
  Rows rows(1);
  std::string field;
  for (std::size_t i = 0; i < text.size();) {
    const bool quoted = text[i] == '"';
    for (i += quoted ? 1 : 0; i < text.size(); ++i) {
      if (quoted && text[i] == '"' && text.substr(i, 2) != "\"\"") break;
      if (!quoted && std::string_view(",\r\n").find(text[i]) != std::string_view::npos) break;
      if (!quoted && text[i] == '"') return std::nullopt;
      if (quoted && text[i] == '"') ++i;  // the first of two
      field += text[i];
    }
    if (quoted && i++ == text.size()) return std::nullopt;  // no closing quote
    rows.back().push_back(std::exchange(field, {}));
    if (text.substr(i, 1) == ",") {
      ++i;
    } else if (text.substr(i, 2) == "\r\n") {
      i += 2;
      rows.emplace_back();
    } else {
      return std::nullopt;
    }
  }
  if (!rows.back().empty()) return std::nullopt;
  rows.pop_back();
  return rows;
}

// Standard output of `command 'FILE' rest`, FILE a scratch copy of `bytes`
// named randomly, so that two builds testing at once on one machine never
// share one.
inline std::string run(const std::string& command, const std::string& bytes, const std::string& rest = "") {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("quintora-publish-" + base::random_hex(16));
  std::ofstream(file, std::ios::binary) << bytes;
  std::string out;
  if (FILE* pipe = popen((command + " '" + file.string() + "' " + rest + " 2>/dev/null").c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
  }
  std::filesystem::remove(file);
  return out;
}

// The groups of each match of `pattern` in `text` ("" for a group that took no part).
inline Rows matches(const std::string& text, const std::string& pattern) {
  Rows out;
  const std::regex re(pattern);
  for (std::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it) {
    std::vector<std::string>& groups = out.emplace_back();
    for (std::size_t g = 1; g < it->size(); ++g) groups.push_back((*it)[g].str());
  }
  return out;
}

// Markup text as a reader sees it: the entities, and Office's _xHHHH_
// escapes (which the exporters use for ASCII only).
inline std::string xml_text(const std::string& raw) {
  static const std::map<std::string, char> entities = {{"amp", '&'},  {"lt", '<'},    {"gt", '>'},
                                                       {"quot", '"'}, {"apos", '\''}, {"#39", '\''}};
  static const std::regex escape("&([a-z]+|#39);|_x([0-9A-F]{4})_");
  std::string out;
  auto from = raw.begin();
  for (std::sregex_iterator it(raw.begin(), raw.end(), escape), end; it != end; ++it) {
    const std::smatch& m = *it;
    out.append(from, m[0].first);
    out += m[1].matched ? entities.at(m[1].str()) : static_cast<char>(std::stoi(m[2].str(), nullptr, 16));
    from = m[0].second;
  }
  return out.append(from, raw.end());
}

// A workbook as a spreadsheet shows it: each sheet's name, its XML, and its
// rows of cells (shared strings resolved, numbers in the yyyy-mm-dd and hh:mm
// formats as dates and times, rows as wide as the widest).
struct Workbook {
  std::string xml;  // xl/workbook.xml
  std::vector<std::string> names, sheet_xml;
  std::vector<Rows> sheets;
};

inline Workbook read_workbook(const std::string& bytes) {
  Workbook book{run("unzip -p", bytes, "xl/workbook.xml"), {}, {}, {}};
  std::vector<std::string> strings, formats;  // each cell style's number format
  for (const auto& m : matches(run("unzip -p", bytes, "xl/sharedStrings.xml"),
                               "<si><t(?: xml:space=\"preserve\")?>([^<]*)</t></si>"))
    strings.push_back(xml_text(m[0]));
  const std::string styles = run("unzip -p", bytes, "xl/styles.xml");
  for (const auto& xf :
       matches(styles.substr(std::min(styles.find("<cellXfs"), styles.size())), "<xf numFmtId=\"(\\d+)\"")) {
    const Rows code = matches(styles, "<numFmt numFmtId=\"" + xf[0] + "\" formatCode=\"([^\"]*)\"");
    formats.push_back(code.empty() ? "" : code[0][0]);
  }
  for (const auto& name : matches(book.xml, "<sheet name=\"([^\"]*)\"")) {
    book.names.push_back(xml_text(name[0]));
    const std::string& xml = book.sheet_xml.emplace_back(
        run("unzip -p", bytes, "xl/worksheets/sheet" + std::to_string(book.names.size()) + ".xml"));
    Rows& rows = book.sheets.emplace_back();
    for (const auto& c :
         matches(xml, "<c r=\"([A-Z])(\\d+)\"(?: s=\"(\\d+)\")?( t=\"s\")?><v>([^<]*)</v></c>")) {
      std::string text = c[3].empty() ? c[4] : strings.at(std::stoul(c[4]));
      const std::string format = c[2].empty() || !c[3].empty() ? "" : formats.at(std::stoul(c[2]));
      if (format == "yyyy-mm-dd")
        text = base::format_iso_date(base::civil_from_days(std::stoll(text) - 25569));
      if (format == "hh:mm") {
        const int minutes = static_cast<int>(std::lround(std::stod(text) * 1440));
        text = base::format_time({minutes / 60, minutes % 60});
      }
      const std::size_t row = std::stoul(c[1]) - 1, column = static_cast<std::size_t>(c[0][0] - 'A');
      if (rows.size() <= row) rows.resize(row + 1);
      if (rows[row].size() <= column) rows[row].resize(column + 1);
      rows[row][column] = text;
    }
    std::size_t width = 0;
    for (const auto& row : rows) width = std::max(width, row.size());
    for (auto& row : rows) row.resize(width);
  }
  return book;
}

// A round-robin by the circle method on an odd count m: in week w the team
// w mod m sits out (or meets the last team of an even league) and w + k
// meets w - k; hosts alternate.
inline season::Season make_season(const std::vector<std::string>& teams, const std::vector<std::string>& bars,
                                  const std::string& title, std::optional<league::Calendar> calendar,
                                  int weeks) {
  season::Season s{title, {}, {}, std::move(calendar), 0, {}};
  for (const std::string& name : bars) s.bars.push_back({name, 1, {}, {}, {}});
  for (std::size_t t = 0; t < teams.size(); ++t)
    s.teams.push_back({teams[t], static_cast<int>(t % bars.size()) + 1, 1});
  const int n = static_cast<int>(teams.size()), m = n % 2 == 1 ? n : n - 1;
  const std::vector<base::Date> dates =
      s.calendar ? match_dates(*s.calendar, weeks) : std::vector<base::Date>{};
  for (int w = 0; w < weeks; ++w) {
    season::Week& week = s.weeks.emplace_back();
    week.number = w + 1;
    if (s.calendar) week.date = dates[static_cast<std::size_t>(w)];
    if (n == m) week.not_playing = {w % m + 1};
    if (n != m) week.matches.push_back({w % m + 1, n});
    for (int k = 1; k <= (m - 1) / 2; ++k) {
      week.matches.push_back({(w + k) % m + 1, (w + m - k) % m + 1});
      if ((w + k) % 2 == 1) std::swap(week.matches.back().home, week.matches.back().away);
    }
  }
  return s;
}

// Names that break careless writers: each format's separators and quotes,
// markup, a formula, line breaks and tabs, and UTF-8 of 2, 3 and 4 bytes.
inline const std::vector<std::string> hostile_teams = {
    "Comma, \"Quoted\" Cue", "<b>Bold</b> & Co's", "=SUM(A1:A9)",
    "Caf\u00e9 \u6771\u4eac\u30d3\u30ea\u30e4\u30fc\u30c9 \U0001F3B1 100%", "Line\r\nBreak\tand\rReturn; \\"};

// Five hostile teams (a bye every week) in six weeks from Tuesday 2024-12-03
// at 19:30, with 2024-12-24 off.
inline season::Season hostile(bool with_calendar = true) {
  return make_season(
      hostile_teams, {"The \"Crown\", Inn", "Bar <&> Grill", "=Bar \u9152\u5834"},
      "Spring, \"Open\"; League <2025> & 100% \u2014 \u00e9t\u00e9",
      with_calendar ? std::optional(calendar({2024, 12, 3}, {{2024, 12, 24}}, 7, {19, 30})) : std::nullopt,
      6);
}

// The hostile season with venue details (the first bar an address with a
// comma, a line break and markup, and a phone; the second its own start time
// and an address; the third the calendar's start time as its own) in two
// divisions (the first, third and fifth teams in the first), the second's
// name needing quotes in every format.
inline season::Season divided(bool with_calendar = true) {
  season::Season s = hostile(with_calendar);
  s.bars[0].address = "1 High St, Ashby <North>; \"Old\" Town";
  s.bars[0].phone = "+44 1530 000 111";
  s.bars[1].address = "\u00c9glise 9, Caf\u00e9 Row";
  s.bars[1].start = base::TimeOfDay{20, 15};
  s.bars[2].start = base::TimeOfDay{19, 30};
  s.divisions = {"Premier", "First, \"B\"; <2>"};
  for (std::size_t t = 0; t < s.teams.size(); ++t) s.teams[t].division = t % 2 == 0 ? 1 : 2;
  return s;
}

// A fixture list, header first: Week, Date, Day, Time (the venue's start
// time, else the calendar's), Home team, Away team, Venue, (Venue address,
// when a bar has one), Note, (Division, the host's, when there are
// divisions); each week's matches and bye, after the calendar's weeks off
// since the week before.
inline Rows fixture_rows(const season::Season& s, int team = 0) {
  bool addresses = false;
  for (const auto& bar : s.bars) addresses = addresses || !bar.address.empty();
  const auto division = [&](int host) {
    return s.divisions.size() > 1 ? s.divisions[static_cast<std::size_t>(s.team(host).division - 1)] : "";
  };
  const auto row = [&](std::vector<std::string> cells, const std::string& address,
                       const std::string& host_division = "") {
    if (addresses) cells.insert(cells.end() - 1, address);
    if (s.divisions.size() > 1) cells.push_back(host_division);
    return cells;
  };
  Rows rows = {row({"Week", "Date", "Day", "Time", "Home team", "Away team", "Venue", "Note"},
                   "Venue address", "Division")};
  for (const auto& week : s.weeks) {
    for (const base::Date& off : s.calendar ? s.calendar->weeks_off() : std::span<const base::Date>{})
      if (week.date && off < *week.date &&
          (week.number == 1 || *s.weeks[static_cast<std::size_t>(week.number - 2)].date < off))
        rows.push_back(row({"", base::format_iso_date(off), std::string(base::weekday_name(off)), "", "", "",
                            "", "No matches"},
                           ""));
    const std::string date = week.date ? base::format_iso_date(*week.date) : "";
    const std::string day = week.date ? std::string(base::weekday_name(*week.date)) : "";
    for (const auto& m : week.matches) {
      const season::Bar& venue = s.venue(m);
      const std::string time =
          s.calendar ? base::format_time(venue.start ? *venue.start : s.calendar->start) : "";
      if (team == 0 || m.home == team || m.away == team)
        rows.push_back(row({std::to_string(week.number), date, day, time, s.team(m.home).name,
                            s.team(m.away).name, venue.name, ""},
                           venue.address, division(m.home)));
    }
    for (int bye : week.not_playing)
      if (team == 0 || bye == team)
        rows.push_back(
            row({std::to_string(week.number), date, day, "", s.team(bye).name, "", "", "Not Playing"}, "",
                division(bye)));
  }
  return rows;
}

// A team's own fixtures, header first: Week, Date, Time, Opponent, Home or
// away ("Not Playing" for its byes), Venue.
inline Rows team_rows(const season::Season& s, int team) {
  Rows rows = {{"Week", "Date", "Time", "Opponent", "Home or away", "Venue"}};
  for (auto row : fixture_rows(s, team)) {
    if (s.divisions.size() > 1) row.pop_back();       // the division
    if (row.size() == 9) row.erase(row.begin() + 7);  // the address
    const bool home = row[4] == s.team(team).name;
    if (row[7] == "Not Playing" || row[7] == "No matches")
      rows.push_back({row[0], row[1], "", "", row[7], ""});
    else if (row[0] != "Week")
      rows.push_back({row[0], row[1], row[3], home ? row[5] : row[4], home ? "Home" : "Away", row[6]});
  }
  return rows;
}

using Words = std::vector<std::pair<std::string, std::string>>;

// The printable page's words in order, each with the HTML element that holds
// it: the title and the note, each week's heading, matches and bye, then each
// team (or the one team) with its home bar, the column names and its rows;
// last the venues, when a bar has details.
inline Words printed(const season::Season& s, int one_team = 0) {
  const auto long_date = [](const std::string& iso) {  // "Tuesday 2025-01-07"
    return iso.empty() ? iso : std::string(base::weekday_name(*base::parse_iso_date(iso))) + " " + iso;
  };
  const auto own_time = [&](const std::string& time) {  // a venue's own start time
    return time.empty() || time == base::format_time(s.calendar->start) ? "" : " at " + time;
  };
  Words words = {{"h1", s.title}};
  if (s.calendar) words.push_back({"p", "Matches start at " + base::format_time(s.calendar->start) + "."});
  // A section per division (when there are divisions) with every week, but on
  // one team's page: a match in its host's section, the fixture list's rows.
  const Rows rows = fixture_rows(s, one_team);
  const bool divisions = s.divisions.size() > 1;
  const std::size_t note = rows[0].size() - (divisions ? 2 : 1);
  for (std::size_t d = 0; one_team == 0 && d < std::max<std::size_t>(1, s.divisions.size()); ++d) {
    if (divisions) words.push_back({"h2", s.divisions[d]});
    for (std::size_t r = 1; r < rows.size(); ++r) {
      const std::vector<std::string>& row = rows[r];
      const std::string date = row[1].empty() ? "" : " \u2014 " + long_date(row[1]);
      if (row[0].empty() || row[0] != rows[r - 1][0])
        words.push_back({"h3", (row[0].empty() ? "No matches" : "Week " + row[0]) + date});
      if (row[0].empty() || (divisions && row.back() != s.divisions[d])) continue;
      words.push_back({"p", row[note] == "Not Playing"
                                ? "Not Playing: " + row[4]
                                : row[4] + " v " + row[5] + " \u2014 " + row[6] + own_time(row[3])});
    }
  }
  std::set<std::string> shown;  // the venues of the matches shown
  for (const auto& row : rows) shown.insert(row[6]);
  for (int team = 1; team <= static_cast<int>(s.teams.size()); ++team) {
    if (one_team != 0 && team != one_team) continue;
    const season::Bar& home = s.bar(s.team(team).bar);
    words.push_back({"h2", s.team(team).name});
    if (one_team == 0) words.push_back({"p", s.title});
    words.push_back({"p", "Home bar: " + home.name + (home.address.empty() ? "" : ", " + home.address)});
    for (const char* column : {"Week", "Date", "Opponent", "Home or away", "Venue"})
      words.push_back({"th", column});
    for (const auto& row : team_rows(s, team)) {
      if (row[0] == "Week") continue;
      for (const std::string& cell : {row[0], long_date(row[1]) + own_time(row[2]), row[3], row[4], row[5]})
        words.push_back({"td", cell});
    }
  }
  bool details = false;
  for (const auto& bar : s.bars) details = details || !bar.address.empty() || !bar.phone.empty() || bar.start;
  if (details) words.push_back({"h2", "Venues"});
  for (const season::Bar& bar : s.bars) {
    if (!details || shown.count(bar.name) == 0) continue;
    std::string line = bar.name + (bar.address.empty() ? "" : ", " + bar.address);
    if (!bar.phone.empty()) line += " \u2014 " + bar.phone;
    if (bar.start && s.calendar) line += " \u2014 matches start at " + base::format_time(*bar.start);
    words.push_back({"p", line});
  }
  return words;
}

inline publish::Options for_team(int team) { return {team, std::nullopt}; }

}  // namespace quintora::test
