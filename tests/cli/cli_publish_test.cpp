// quintora-cli schedule --format ...: each published format of the example
// leagues, and of a league of hostile names, made by the real program. Each
// file equals what the exporters make of the season the libraries build for
// the same options (the exporters' own tests read every format back against
// hand-built seasons), and is read back here too: the CSVs by RFC 4180, the
// calendar by libical, the workbook through unzip, the PDF by pdftotext.

#include <gtest/gtest.h>
#include <libical/ical.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "base/atomic_file.h"
#include "base/null_window_system.h"
#include "league/calendar_section.h"
#include "league/league.h"
#include "league/league_file.h"
#include "publish/publish.h"
#include "publish/readers.h"
#include "schedule/schedule_run.h"
#include "schedule/schedule_writer.h"
#include "season/season.h"

namespace quintora {
namespace {

namespace fs = std::filesystem;
using season::Season;
using Rows = std::vector<std::vector<std::string>>;

// Whether a check has failed since this object was made: a long comparison
// stops at its first wrong row rather than report thousands.
class NewFailure {
 public:
  bool operator()() const { return failures() > before_; }

 private:
  static int failures() {
    return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
  }
  int before_ = failures();
};

std::string slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string shell_quoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// The program run as a user runs it: in a folder of its own, with the
// temporary folder pointed at another (which must be empty afterwards) and
// without XDG_RUNTIME_DIR, as for root or under cron.
class Cli {
 public:
  explicit Cli(const std::string& name)
      : root_(fs::temp_directory_path() / ("quintora-publish-cli-" + name)) {
    fs::remove_all(root_);
    fs::create_directories(work_);
    fs::create_directories(temp_);
  }
  ~Cli() { fs::remove_all(root_); }
  Cli(const Cli&) = delete;
  Cli& operator=(const Cli&) = delete;

  int schedule(const fs::path& league, const std::vector<std::string>& arguments) {
    std::string command = "cd " + shell_quoted(work_.string()) +
                          " && env -u XDG_RUNTIME_DIR TMPDIR=" + shell_quoted(temp_.string()) + " " +
                          shell_quoted(QUINTORA_CLI) + " schedule " + shell_quoted(league.string());
    for (const std::string& argument : arguments) {
      command += ' ';
      command += shell_quoted(argument);
    }
    command +=
        " > " + shell_quoted((root_ / "out").string()) + " 2> " + shell_quoted((root_ / "err").string());
    const int raw = std::system(command.c_str());
    out = slurp(root_ / "out");
    err = slurp(root_ / "err");
    EXPECT_TRUE(fs::is_empty(temp_)) << "no work folder, runtime folder or scratch workbook stays";
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
  // Every file of the working folder with its bytes (a folder as "<folder>").
  std::map<std::string, std::string> files() const {
    std::map<std::string, std::string> all;
    for (const auto& entry : fs::directory_iterator(work_))
      all[entry.path().filename().string()] = entry.is_directory() ? "<folder>" : slurp(entry.path());
    return all;
  }
  std::string file(const std::string& name) const { return slurp(work_ / name); }
  // Keeps bytes outside the working folder, for a reader that takes a file.
  fs::path keep(const std::string& name, const std::string& bytes) const {
    std::ofstream(root_ / name, std::ios::binary) << bytes;
    return root_ / name;
  }
  const fs::path& work() const { return work_; }

  std::string out, err;

 private:
  fs::path root_;
  fs::path work_ = root_ / "work";
  fs::path temp_ = root_ / "tmp";
};

// --- The expected season ---------------------------------------------------

struct CalendarArguments {
  base::Date first;
  base::TimeOfDay start;
  std::vector<base::Date> off;
};

std::vector<std::string> calendar_arguments(const CalendarArguments& c) {
  std::vector<std::string> args = {"--start", base::format_iso_date(c.first), "--time",
                                   base::format_time(c.start)};
  for (const base::Date& d : c.off) args.insert(args.end(), {"--skip", base::format_iso_date(d)});
  return args;
}

// What the libraries build for these options: what the program must have written.
Season build_season(const fs::path& league_file, bool fair, const std::optional<CalendarArguments>& dates) {
  auto league = std::make_unique<League>();
  base::Notices notices;
  EXPECT_EQ(read_league_file(*league, league_file.string(), ReadMode::Open, notices), ReadResult::Success);
  schedule::ScheduleOptions options;
  options.season_weeks = schedule::default_season_weeks(league->n_team);
  options.effort = 1;
  options.fairest = fair;
  if (dates) {
    Calendar calendar;
    calendar.first = dates->first;
    calendar.start = dates->start;
    for (const base::Date& d : dates->off) calendar.add_week_off(d);
    options.calendar = calendar;
  }
  auto run = std::make_unique<schedule::ScheduleRun>();
  run->start_viewer = false;
  base::NullWindowSystem ws;
  EXPECT_EQ(schedule::build_season(*league, options, *run, ws), 1);
  schedule::finish_run(1, options, *run, ws);
  return std::move(run->season);
}

std::string day_name(const base::Date& d) {
  static const char* const names[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
  const std::chrono::sys_days day{std::chrono::year{d.year} / d.month / d.day};
  return names[std::chrono::weekday{day}.c_encoding()];
}

std::string iso(const std::optional<base::Date>& d) { return d ? base::format_iso_date(*d) : ""; }

bool concerns(const season::Match& m, int team) { return team == 0 || m.home == team || m.away == team; }

// A team's week: its match (null for its bye).
struct Fixture {
  const season::Week* week;
  const season::Match* match;
};

std::vector<Fixture> fixtures_of(const Season& s, int team) {
  std::vector<Fixture> out;
  for (const season::Week& week : s.weeks) {
    for (const season::Match& m : week.matches)
      if (m.home == team || m.away == team) out.push_back({&week, &m});
    if (week.not_playing == team) out.push_back({&week, nullptr});
  }
  return out;
}

std::size_t match_count(const Season& s, int team = 0) {
  std::size_t n = 0;
  for (const season::Week& week : s.weeks)
    n += static_cast<std::size_t>(std::count_if(week.matches.begin(), week.matches.end(),
                                                [&](const season::Match& m) { return concerns(m, team); }));
  return n;
}

// --- Readers and comparisons, one per format --------------------------------

// The library's file for the same season and team: what the program must
// have written. The library's own tests read every format back; here the
// program's wiring (options, calendar, team, file) is what is checked.
std::string library_file(const publish::Output& output) {
  EXPECT_EQ(output.result, publish::Result::Ok);
  return output.bytes;
}

publish::Options for_team(int team) {
  publish::Options options;
  options.team = team;
  return options;
}

void check_fixtures_csv(const Season& s, int team, const std::string& bytes) {
  EXPECT_EQ(bytes, library_file(publish::fixtures_csv(s, for_team(team))));
  ASSERT_TRUE(bytes.starts_with("\xEF\xBB\xBF")) << "a byte-order mark, so spreadsheets take UTF-8";
  const std::optional<Rows> table = test::parse_csv(bytes.substr(3));
  ASSERT_TRUE(table) << "not RFC 4180 with CR LF";
  std::size_t byes = 0;
  for (const season::Week& w : s.weeks) byes += w.not_playing != 0 && (team == 0 || w.not_playing == team);
  EXPECT_EQ(table->size(), 1 + match_count(s, team) + byes) << "the header, a row per match and per bye";
}

void check_upload_csv(const Season& s, const std::string& bytes) {
  EXPECT_EQ(bytes, library_file(publish::upload_csv(s)));
  const std::optional<Rows> table = test::parse_csv(bytes);
  ASSERT_TRUE(table) << "not RFC 4180 with CR LF";
  EXPECT_EQ(table->size(), match_count(s) + 1) << "a row per match, no byes";
}

struct ComponentDeleter {
  void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};

// The events' UIDs, in file order.
std::vector<std::string> check_icalendar(const Season& s, int team, const std::string& bytes) {
  std::vector<std::string> uids;
  const std::unique_ptr<icalcomponent, ComponentDeleter> root(icalparser_parse_string(bytes.c_str()));
  EXPECT_TRUE(root && icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT);
  if (!root) return uids;
  EXPECT_EQ(icalcomponent_count_errors(root.get()), 0);
  icalcomponent* event = icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT);
  const NewFailure failed;
  for (const season::Week& w : s.weeks) {
    for (const season::Match& m : w.matches) {
      if (!concerns(m, team)) continue;
      if (event == nullptr) {
        ADD_FAILURE() << "no event for week " << w.number;
        return uids;
      }
      const std::string where = "week " + std::to_string(w.number);
      EXPECT_EQ(std::string(icalcomponent_get_summary(event)),
                s.team(m.home).name + " v " + s.team(m.away).name)
          << where;
      EXPECT_EQ(std::string(icalcomponent_get_location(event)), s.venue(m).name) << where;
      EXPECT_EQ(std::string(icalcomponent_get_description(event)),
                "Week " + std::to_string(w.number) + " of " + s.title);
      icalproperty* dtstart = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
      EXPECT_TRUE(dtstart && icalproperty_get_first_parameter(dtstart, ICAL_TZID_PARAMETER) == nullptr)
          << "floating: no time zone";
      const icaltimetype t = icalcomponent_get_dtstart(event);
      EXPECT_FALSE(t.is_date || icaltime_is_utc(t) || t.zone != nullptr)
          << where << ": floating wall-clock time";
      EXPECT_EQ(std::tuple(t.year, t.month, t.day, t.hour, t.minute, t.second),
                std::tuple(w.date->year, w.date->month, w.date->day, s.calendar->start.hour,
                           s.calendar->start.minute, 0))
          << where;
      EXPECT_EQ(icaldurationtype_as_int(icalcomponent_get_duration(event)), 3 * 3600);
      uids.emplace_back(icalcomponent_get_uid(event));
      if (failed()) return uids;
      event = icalcomponent_get_next_component(root.get(), ICAL_VEVENT_COMPONENT);
    }
  }
  EXPECT_EQ(event, nullptr) << "one event per match, no more";
  EXPECT_EQ(std::set(uids.begin(), uids.end()).size(), uids.size()) << "UIDs are unique";
  return uids;
}

// The workbook's sheets and strings are the library's for the same season;
// only its creation time may differ.
void check_workbook(const Season& s, const fs::path& file, const fs::path& expected_file) {
  const test::Workbook book(file);
  const test::Workbook expected(expected_file);
  EXPECT_EQ(book.sheet_names, expected.sheet_names);
  ASSERT_EQ(book.sheet_names.size(), s.teams.size() + 1) << "Fixtures, then a sheet per team";
  EXPECT_EQ(book.part("xl/sharedStrings.xml"), expected.part("xl/sharedStrings.xml"));
  for (int n = 1; n <= static_cast<int>(book.sheet_names.size()); ++n)
    EXPECT_EQ(book.sheet(n).xml, expected.sheet(n).xml) << book.sheet_names[static_cast<std::size_t>(n - 1)];
}

std::string long_date(const std::optional<base::Date>& d) { return d ? day_name(*d) + " " + iso(d) : ""; }

// Each row of a team's table, as html_lines gives it.
std::vector<std::string> team_rows(const Season& s, int team) {
  std::vector<std::string> rows = {"Week|Date|Opponent|Home or away|Venue|"};
  for (const Fixture& f : fixtures_of(s, team)) {
    std::string row = std::to_string(f.week->number) + "|" + long_date(f.week->date) + "|";
    if (f.match == nullptr) {
      row += "|Not Playing||";
    } else {
      const bool home = f.match->home == team;
      row += s.team(home ? f.match->away : f.match->home).name + "|" + (home ? "Home|" : "Away|") +
             s.venue(*f.match).name + "|";
    }
    rows.push_back(row);
  }
  return rows;
}

void check_html(const Season& s, int team, const std::string& bytes) {
  EXPECT_EQ(bytes, library_file(publish::printable_html(s, for_team(team))));
  EXPECT_NE(bytes.find("<title>"), std::string::npos);
}

// Text as pdftotext gives it back: white space runs as one blank; Qt's PDF
// writer maps only the Basic Multilingual Plane back to Unicode, so an
// emoji is printed but not extracted.
std::string extractable(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); i += static_cast<unsigned char>(text[i]) >= 0xF0 ? 4u : 1u) {
    if (static_cast<unsigned char>(text[i]) < 0xF0) out += text[i];
  }
  out = std::regex_replace(out, std::regex("\\s+"), " ");
  if (!out.empty() && out.front() == ' ') out.erase(0, 1);
  return out;
}

// Without any white space: a name too long for its table cell is broken
// onto a second line, between words or inside one.
std::string unspaced(const std::string& text) {
  return std::regex_replace(extractable(text), std::regex(" "), "");
}

// Finds each of `lines` in `text` in order; `cells`: table rows, compared without white space.
void expect_in_order(const std::string& text, const std::vector<std::string>& lines, bool cells = false) {
  const std::string haystack = cells ? unspaced(text) : text;
  std::size_t from = 0;
  for (const std::string& line : lines) {
    const std::size_t at = haystack.find(cells ? unspaced(line) : extractable(line), from);
    if (at == std::string::npos) {
      ADD_FAILURE() << "not found in order: " << line;
      return;
    }
    from = at + 1;
  }
}

std::vector<std::string> team_row_text(const Season& s, int team) {
  std::vector<std::string> rows = team_rows(s, team);
  for (std::string& row : rows) std::replace(row.begin(), row.end(), '|', ' ');
  return rows;
}

void check_pdf(const Season& s, int team, const fs::path& file) {
  const std::string text = test::run("pdftotext -raw -enc UTF-8", file, "-");
  std::vector<std::string> pages;
  for (std::size_t from = 0, end; (end = text.find('\f', from)) != std::string::npos; from = end + 1)
    pages.push_back(extractable(text.substr(from, end - from)));
  ASSERT_FALSE(pages.empty());
  EXPECT_TRUE(pages[0].starts_with(extractable(s.title))) << pages[0].substr(0, 200);
  const auto team_start = [&](int t) {
    return extractable(s.team(t).name + " Home bar: " + s.bar(s.team(t).bar).name);
  };
  if (team != 0) {
    EXPECT_NE(pages[0].find(team_start(team)), std::string::npos);
    EXPECT_EQ(pages[0].find("Week 1 \u2014"), std::string::npos) << "no week list for one team";
    std::string all;
    for (const std::string& page : pages) all += page + " ";
    expect_in_order(all, team_row_text(s, team), true);
    return;
  }
  // The weeks, then each team on a page of its own.
  std::vector<std::size_t> first_page;
  for (std::size_t p = 0, t = 1; p < pages.size() && t <= s.teams.size(); ++p) {
    if (pages[p].starts_with(team_start(static_cast<int>(t)))) {
      first_page.push_back(p);
      ++t;
    }
  }
  ASSERT_EQ(first_page.size(), s.teams.size()) << "a page begins with each team";
  std::string weeks;
  for (std::size_t p = 0; p < first_page[0]; ++p) weeks += pages[p] + " ";
  std::vector<std::string> lines;
  for (const season::Week& w : s.weeks) {
    lines.push_back("Week " + std::to_string(w.number) + (w.date ? " \u2014 " + long_date(w.date) : ""));
    for (const season::Match& m : w.matches)
      lines.push_back(s.team(m.home).name + " v " + s.team(m.away).name + " \u2014 " + s.venue(m).name);
    if (w.not_playing != 0) lines.push_back("Not Playing: " + s.team(w.not_playing).name);
  }
  expect_in_order(weeks, lines);
  first_page.push_back(pages.size());
  for (std::size_t t = 1; t <= s.teams.size(); ++t) {
    std::string own;
    for (std::size_t p = first_page[t - 1]; p < first_page[t]; ++p) own += pages[p] + " ";
    expect_in_order(own, team_row_text(s, static_cast<int>(t)), true);
  }
}

// --- The examples, every format ----------------------------------------------

struct Example {
  const char* file;
  const char* label;
  // The county league's whole PDF (558 pages) takes seconds to read back:
  // it is checked in its dated Fairest run only, the others make one team's.
  bool whole_pdf;
};
const Example examples[] = {{"spring-league.sch", "spring", true},
                            {"odd-league.sch", "odd", true},
                            {"county-league.sch", "county", false}};

// Match dates from Tuesday 2026-09-01 at 19:45, with the season's third
// date and a date in its middle as weeks off.
CalendarArguments example_calendar(int weeks) {
  const base::Date first{2026, 9, 1};
  return {first, {19, 45}, {base::add_days(first, 14), base::add_days(first, 7 * (weeks / 2))}};
}

// The weeks off pass over dates: no match on them, every week one week later after each.
void expect_dates(const Season& s, const CalendarArguments& c) {
  std::vector<base::Date> dates;
  for (base::Date d = c.first; dates.size() < s.weeks.size(); d = base::add_days(d, 7))
    if (std::find(c.off.begin(), c.off.end(), d) == c.off.end()) dates.push_back(d);
  for (std::size_t w = 0; w < s.weeks.size(); ++w)
    EXPECT_EQ(iso(s.weeks[w].date), base::format_iso_date(dates[w])) << "week " << w + 1;
}

class PublishExamples : public ::testing::TestWithParam<std::tuple<int, bool, bool>> {};

TEST_P(PublishExamples, EveryFormatReadsBackAsTheSeason) {
  const auto [index, with_calendar, fair] = GetParam();
  const Example& example = examples[index];
  const fs::path league = fs::path(QUINTORA_EXAMPLES) / example.file;
  const Season plain = build_season(league, fair, std::nullopt);
  const std::optional<CalendarArguments> dates =
      with_calendar ? std::optional(example_calendar(static_cast<int>(plain.weeks.size()))) : std::nullopt;
  const Season s = dates ? build_season(league, fair, dates) : plain;
  if (dates) expect_dates(s, *dates);
  ASSERT_FALSE(s.weeks.empty());

  Cli cli(std::string(example.label) + (with_calendar ? "-dated" : "") + (fair ? "-fair" : ""));
  std::vector<std::string> base_args =
      fair ? std::vector<std::string>{"--fair"} : std::vector<std::string>{"--effort", "1"};
  if (dates) {
    const std::vector<std::string> more = calendar_arguments(*dates);
    base_args.insert(base_args.end(), more.begin(), more.end());
  }
  // Runs one format with its default file name; returns the file's bytes, empty on failure.
  const auto produce = [&](const std::string& format, std::vector<std::string> more = {}) {
    std::vector<std::string> args = base_args;
    args.insert(args.end(), {"--format", format});
    args.insert(args.end(), more.begin(), more.end());
    const auto before = cli.files();
    const int status = cli.schedule(league, args);
    const publish::FormatInfo* info = publish::find_format(format);
    if (info != nullptr && info->needs_calendar && !dates) {
      EXPECT_EQ(status, 2) << format;
      EXPECT_NE(cli.err.find("no calendar"), std::string::npos) << cli.err;
      EXPECT_NE(cli.err.find("--start"), std::string::npos) << cli.err;
      EXPECT_EQ(cli.files(), before) << "no file written";
      return std::string();
    }
    const std::string name = "schedule" + std::string(info ? info->extension : ".txt");
    EXPECT_EQ(status, 0) << format << ": " << cli.err;
    EXPECT_EQ(cli.out, "Schedule written to " + (cli.work() / name).string() + "\n");
    EXPECT_EQ(cli.err, "") << format << ": nothing on standard error";
    std::string bytes = cli.file(name);
    fs::remove(cli.work() / name);
    return bytes;
  };

  EXPECT_EQ(produce("text"), base::with_platform_line_ends(schedule::schedule_text(s, false)));
  EXPECT_EQ(produce("csv"), base::with_platform_line_ends(schedule::schedule_text(s, true)));
  check_fixtures_csv(s, 0, produce("fixtures-csv"));
  if (const std::string upload = produce("upload-csv"); dates) check_upload_csv(s, upload);
  if (const std::string ics = produce("ics"); dates) {
    const std::vector<std::string> uids = check_icalendar(s, 0, ics);
    EXPECT_EQ(check_icalendar(s, 0, produce("ics")), uids) << "the same UIDs when exported again";
  }
  check_workbook(s, cli.keep("season.xlsx", produce("xlsx")),
                 cli.keep("library.xlsx", library_file(publish::workbook(s))));
  check_html(s, 0, produce("html"));
  if (example.whole_pdf || (dates && fair)) check_pdf(s, 0, cli.keep("season.pdf", produce("pdf")));

  // One team's fixtures: the last team, which in an odd league has its bye.
  const int team = static_cast<int>(s.teams.size());
  const std::vector<std::string> only = {"--team", s.team(team).name};
  check_fixtures_csv(s, team, produce("fixtures-csv", only));
  if (dates) {
    const std::vector<std::string> all = check_icalendar(s, 0, produce("ics"));
    for (const std::string& uid : check_icalendar(s, team, produce("ics", only)))
      EXPECT_NE(std::find(all.begin(), all.end(), uid), all.end()) << "a team's event has the league's UID";
  }
  check_html(s, team, produce("html", only));
  check_pdf(s, team, cli.keep("team.pdf", produce("pdf", only)));
}

INSTANTIATE_TEST_SUITE_P(ExamplesCalendarsBuilds, PublishExamples,
                         ::testing::Combine(::testing::Range(0, 3), ::testing::Bool(), ::testing::Bool()),
                         [](const auto& test) {
                           return std::string(examples[std::get<0>(test.param)].label) +
                                  (std::get<1>(test.param) ? "Dated" : "Undated") +
                                  (std::get<2>(test.param) ? "Fair" : "Effort1");
                         });

// --- Hostile names --------------------------------------------------------------

// Five teams (so a bye each week) in three bars, named with every format's
// separators, quotes and markup, a formula, a tab, percent signs and UTF-8 of
// two, three and four bytes; and the league's own calendar with a week off.
std::string hostile_league() {
  std::string text =
      "!! Version 1.4.0\n<< Title >>\nHostile, \"League\"; <&> 100% \u2014 \u00dcn\u00ef\n"
      "<< Number of Bars and Gap of Position Night >>\n3  0\n"
      "<< BARS: Bar number, Number of Teams, Number of Tables and Bar Name >>\n"
      "1  2  1\nThe \"Crown\", Inn\n2  2  1\n<b>Bar</b> & Grill; 50%\n3  1  1\nCaf\u00e9 Zo\u00eb\tCorner\n"
      "<< Number of Teams >>\n5\n<< TEAMS: Corresponding Bar Number and Team Name >>\n"
      "1\nSmith, Jones & \"Sons\"\n1\n=SUM(A1:A9)\n2\n<script>x</script>; 100%\n2\nTab\tTeam %s %n\n"
      "3\n\u03a9\u03bc\u03ad\u03b3\u03b1 \u0401\u043b\u043a\u0430 \u6771\u4eac \U0001F3B1\n" +
      std::string(calendar_header) + "\n2026-01-06\n7\n19:00\n1\n2026-01-20\n";
  return std::regex_replace(text, std::regex("\n"), "\r\n");
}

TEST(PublishHostile, NamesComeOutIntactInEveryFormat) {
  Cli cli("hostile");
  const fs::path league = cli.keep("hostile.sch", hostile_league());
  // The league's calendar, its start time overridden for this run.
  const Season s = build_season(league, false, CalendarArguments{{2026, 1, 6}, {7, 5}, {{2026, 1, 20}}});
  ASSERT_EQ(s.teams.size(), 5u);
  EXPECT_EQ(s.team(2).name, "=SUM(A1:A9)");
  expect_dates(s, CalendarArguments{{2026, 1, 6}, {7, 5}, {{2026, 1, 20}}});
  const auto produce = [&](const std::string& format, int team = 0) {
    std::vector<std::string> args = {"--effort", "1", "--time", "07:05", "--format", format};
    if (team != 0) args.insert(args.end(), {"--team", s.team(team).name});
    EXPECT_EQ(cli.schedule(league, args), 0) << format << ": " << cli.err;
    EXPECT_EQ(cli.err, "");
    const std::string name = "schedule" + std::string(publish::find_format(format)->extension);
    std::string bytes = cli.file(name);
    fs::remove(cli.work() / name);
    return bytes;
  };
  check_fixtures_csv(s, 0, produce("fixtures-csv"));
  check_upload_csv(s, produce("upload-csv"));
  const std::vector<std::string> uids = check_icalendar(s, 0, produce("ics"));
  EXPECT_EQ(check_icalendar(s, 0, produce("ics")), uids);
  check_workbook(s, cli.keep("season.xlsx", produce("xlsx")),
                 cli.keep("library.xlsx", library_file(publish::workbook(s))));
  check_html(s, 0, produce("html"));
  check_pdf(s, 0, cli.keep("season.pdf", produce("pdf")));
  for (const int team : {1, 4, 5}) {  // quotes and a comma; a tab and percent signs; UTF-8
    SCOPED_TRACE(s.team(team).name);
    check_fixtures_csv(s, team, produce("fixtures-csv", team));
    check_icalendar(s, team, produce("ics", team));
    check_html(s, team, produce("html", team));
    check_pdf(s, team, cli.keep("team.pdf", produce("pdf", team)));
  }
}

// --- Refusals ---------------------------------------------------------------------

// Every bad value is named, with exit status 2, and no file is written: an
// earlier file of the default name stays as it was.
TEST(PublishRefusals, BadValuesAreNamedAndWriteNothing) {
  Cli cli("refusals");
  const fs::path spring = fs::path(QUINTORA_EXAMPLES) / "spring-league.sch";
  using Args = std::vector<std::string>;
  const Args dated = {"--start", "2026-09-01"};
  const std::tuple<Args, const char*> cases[] = {
      {{"--format", "ics", "--start", "2026-09-01", "--skip", "2026-09-02"},
       "2026-09-02 is not a match date"},
      {{"--format", "fixtures-csv", "--start", "2026-09-01", "--skip", "2026-12-08"}, "2026-12-08 is after"},
      {{"--format", "ics", "--start", "2026-09-01", "--skip", "2026-08-25"}, "2026-08-25 is before"},
      {{"--format", "ics", "--start", "2026-09-01", "--skip", "2026-09-08", "--skip", "2026-09-08"},
       "2026-09-08"},
      {{"--format", "ics", "--start", "2026-02-30"}, "2026-02-30 is not a real date"},
      {{"--format", "ics", "--start", "1.9.2026"}, "1.9.2026"},
      {{"--format", "ics", "--start", "2026-09-01", "--time", "24:00"}, "24:00"},
      {{"--format", "ics", "--start", "2026-09-01", "--time", "7:30"}, "7:30"},
      {{"--format", "ics", "--start", "2026-09-01", "--every", "0"}, "--every"},
      {{"--format", "ics", "--start", "2026-09-01", "--every", "366"}, "366"},
      {{"--format", "html", "--team", "Nobody"}, "no team Nobody"},
      {{"--format", "pdf", "--team", "Side Spin!"}, "no team Side Spin!"},
      {{"--format", "xlsx", "--team", "Side Spin"}, "--team is for the formats"},
      {{"--format", "upload-csv", "--team", "Side Spin", "--start", "2026-09-01"},
       "--team is for the formats"},
      {{"--format", "upload-csv"}, "no calendar"},
      {{"--format", "ics", "--every", "14"}, "--start"},
      {{"--format", "fixtures-csv", "--skip", "2026-09-01"}, "--start"},
      {{"--format", "pdf", "--paper", "b5"}, "b5"},
      {{"--format", "ods"}, "ods"},
  };
  for (const auto& [args, expected] : cases) {
    const std::string format = args[1];
    const publish::FormatInfo* info = publish::find_format(format);
    const std::string earlier = "schedule" + std::string(info ? info->extension : ".txt");
    std::ofstream(cli.work() / earlier, std::ios::binary) << "an earlier file\r\n";
    const auto before = cli.files();
    EXPECT_EQ(cli.schedule(spring, args), 2) << args.back();
    EXPECT_NE(cli.err.find(expected), std::string::npos) << "expected " << expected << "\ngot " << cli.err;
    EXPECT_EQ(cli.out, "");
    EXPECT_EQ(cli.files(), before) << args.back() << ": no file written";
    fs::remove(cli.work() / earlier);
  }
  // More weeks off than a calendar holds.
  std::vector<std::string> many = {"--format", "ics", "--start", "2026-09-01"};
  for (int k = 0; k <= max_weeks_off; ++k)
    many.insert(many.end(), {"--skip", base::format_iso_date(base::add_days({2026, 9, 1}, 7 * k))});
  EXPECT_EQ(cli.schedule(spring, many), 2);
  EXPECT_NE(cli.err.find("more than 100 weeks off"), std::string::npos) << cli.err;
  // A new first date that leaves the league's own week off off the match dates.
  const fs::path hostile = cli.keep("hostile.sch", hostile_league());
  EXPECT_EQ(cli.schedule(hostile, {"--format", "ics", "--start", "2026-01-07"}), 2);
  EXPECT_NE(cli.err.find("2026-01-20 is not a match date"), std::string::npos) << cli.err;
  EXPECT_NE(cli.err.find("league file's; give this run's weeks off with --skip"), std::string::npos)
      << cli.err;
  EXPECT_EQ(cli.schedule(hostile, {"--format", "ics", "--start", "2026-01-07", "--skip", "2026-01-21"}), 0)
      << cli.err;
  const std::string ics = cli.file("schedule.ics");
  EXPECT_NE(ics.find("DTSTART:20260128T190000"), std::string::npos) << "week 3 moves on past the week off";
  EXPECT_EQ(ics.find("DTSTART:20260121"), std::string::npos);
  fs::remove(cli.work() / "schedule.ics");

  // Team names are matched ignoring letter case, as the league does.
  EXPECT_EQ(cli.schedule(spring, {"--format", "fixtures-csv", "--team", "side SPIN"}), 0) << cli.err;
  const std::optional<Rows> rows = test::parse_csv(cli.file("schedule.csv").substr(3));
  ASSERT_TRUE(rows);
  EXPECT_EQ(rows->size(), 15u) << "the header and Side Spin's 14 matches";
}

// A write that fails keeps what was there: a missing folder, a folder of
// that name, a read-only file (refused by its mode, so even for root).
TEST(PublishRefusals, FailedWriteKeepsEarlierFiles) {
  Cli cli("failed-write");
  const fs::path spring = fs::path(QUINTORA_EXAMPLES) / "spring-league.sch";
  fs::create_directories(cli.work() / "folder");
  std::ofstream(cli.work() / "folder" / "inside.txt", std::ios::binary) << "kept";
  std::ofstream(cli.work() / "locked", std::ios::binary) << "an earlier file\r\n";
  fs::permissions(cli.work() / "locked",
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  for (const publish::FormatInfo& format : publish::formats()) {
    for (const char* output : {"missing/schedule.out", "folder", "locked"}) {
      const auto before = cli.files();
      EXPECT_EQ(cli.schedule(spring, {"--start", "2026-09-01", "--format", std::string(format.name),
                                      "--output", output}),
                1)
          << format.name << " " << output;
      EXPECT_EQ(cli.err, "Stop !: Please use a valid file name.\n");
      EXPECT_EQ(cli.files(), before);
      EXPECT_EQ(slurp(cli.work() / "folder" / "inside.txt"), "kept");
    }
  }
  fs::permissions(cli.work() / "locked", fs::perms::owner_all);
}

}  // namespace
}  // namespace quintora
