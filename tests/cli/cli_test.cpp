// quintora-cli end to end, run as a user runs it: in a folder of its own,
// with the temporary folder pointed at another (which must be empty
// afterwards) and without XDG_RUNTIME_DIR, as for root or under cron. Each
// file it writes, and each report, is what the libraries make of the season
// they build for the same options (the libraries' own tests check the bytes
// and read every format back); every refusal is named on standard error, with
// nothing written. Only the moment a file was made may differ; the workbook
// is compared unzipped, the PDF by its text.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "base/atomic_file.h"
#include "base/date.h"
#include "base/random_name.h"
#include "league/calendar.h"
#include "league/calendar_section.h"
#include "league/league_file.h"
#include "report/fairness.h"
#include "schedule/schedule_run.h"
#include "schedule/schedule_writer.h"
#include "support/read_file.h"

#ifndef _WIN32
#include <sys/wait.h>

#include "publish/exports.h"
#include "publish/pdf/pdf.h"
#include "publish/publish.h"
#include "support/calendar_builder.h"
#endif

namespace quintora::test {
namespace {

namespace fs = std::filesystem;

void write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::vector<std::string> words(const std::string& text) {
  std::istringstream in(text);
  return {std::istream_iterator<std::string>(in), {}};
}

std::string quoted(const std::string& text) {
#ifdef _WIN32
  return '"' + text + '"';
#else
  std::string out = "'";
  for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
#endif
}

fs::path example(const std::string& file) { return fs::path(QUINTORA_EXAMPLES) / file; }

// The spring league in LF form, so that lines can be edited by their text.
const std::string spring = [] {
  std::string text = read_file(example("spring-league.sch"));
  std::erase(text, '\r');
  return text;
}();

// The league with a calendar of its own: weekly from 2026-09-01 at 19:00, 2026-09-15 off.
std::string with_calendar(const std::string& league) {
  return league + std::string(league::calendar_header) + "\n2026-09-01\n7\n19:00\n1\n2026-09-15\n";
}

// The season the libraries build of `league`, read as the command line reads
// it (keeping no path): the default weeks, then `change`.
season::Season library_season(const fs::path& league_file,
                              const std::function<void(schedule::ScheduleOptions&)>& change) {
  auto league = std::make_unique<league::League>();
  base::Notices notices;
  EXPECT_EQ(read_league_file(*league, league_file.string(), league::ReadMode::Reread, notices),
            league::ReadResult::Success);
  schedule::ScheduleOptions options;
  options.season_weeks = schedule::default_season_weeks(*league);
  change(options);
  auto run = std::make_unique<schedule::ScheduleRun>();
  EXPECT_TRUE(run->build_season(*league, options).ok());
  return run->take_season();
}

class CliRunner : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& folder : {work_, temp_}) fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(root_); }

  // Runs quintora-cli with `arguments` in work_ (on POSIX after `under`, a
  // command that runs it); its exit status, its output in out and err.
  int cli(const std::vector<std::string>& arguments, [[maybe_unused]] const std::string& under = "") {
    std::string program = quoted(QUINTORA_CLI);
    for (const std::string& argument : arguments) {
      program += ' ';
      program += quoted(argument);
    }
    program += " > " + quoted((root_ / "out").string()) + " 2> " + quoted((root_ / "err").string());
#ifdef _WIN32
    const int status = std::system(
        ("\"cd /d " + quoted(work_.string()) + " && set \"TMP=" + temp_.string() + "\" && " + program + "\"")
            .c_str());
#else
    const int raw = std::system(("cd " + quoted(work_.string()) + " && env -u XDG_RUNTIME_DIR TMPDIR=" +
                                 quoted(temp_.string()) + " " + under + program)
                                    .c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    // Text mode: Windows reads its CR LF line ends as LF.
    out = read_file(root_ / "out", std::ios::in);
    err = read_file(root_ / "err", std::ios::in);
    EXPECT_TRUE(fs::is_empty(temp_)) << "no work folder, runtime folder or scratch workbook stays";
    return status;
  }
  // Every file and folder under the work folder, with the file's bytes.
  std::map<std::string, std::string> files() const {
    std::map<std::string, std::string> all;
    for (const auto& entry : fs::recursive_directory_iterator(work_))
      all[fs::relative(entry.path(), work_).generic_string()] =
          entry.is_directory() ? "" : read_file(entry.path());
    return all;
  }

  // Random, so that two builds testing on one machine never share a folder.
  const fs::path root_ = fs::temp_directory_path() / ("quintora-cli-" + base::random_hex(16));
  const fs::path work_ = root_ / "work";
  const fs::path temp_ = root_ / "tmp";
  std::string out, err;
};

std::string changed(const std::string& from, const std::string& to) {
  return std::string(spring).replace(spring.find(from), from.size(), to);
}

using CliSchedule = test::CliRunner;
using Options = schedule::ScheduleOptions;
using Kind = schedule::ScheduleMethod::Kind;

// The report, end to end, is the report library's of the same build (the
// build choices and the schedule's files are the publishing test's; the
// numbers the library's own tests').
TEST_F(CliSchedule, TheReportIsTheLibrarysOfTheSameBuild) {
  const fs::path county = test::example("county-league.sch");
  const report::Fairness fair =
      report::assess(test::library_season(county, [](Options& o) { o.method = {Kind::Fairest}; }));
  ASSERT_EQ(cli({"report", county.string(), "--fair", "--json"}), 0) << err;
  EXPECT_EQ(out + err, report::as_json(fair));
  ASSERT_EQ(cli({"report", county.string(), "--fair"}), 0) << err;
  EXPECT_EQ(out + err, report::as_text(fair));
}

// Each refusal is named on standard error with its exit status, 1 or 2 (a
// usage error; the ranges and choices the options declare are the argument
// parser's business); nothing is written and earlier files stay as they
// were: of the default names, and a folder named as the result (a read-only
// file refused alike: the atomic writer's own test).
TEST_F(CliSchedule, RefusalsAreNamedAndWriteNothing) {
  // Names reach the terminal escaped: a sequence that would retitle or clear
  // it, a CR that would overwrite the line, a C1 control.
  const std::string escaped = changed("1\nPocket Rockets",
                                      "9\nPocket\x1b]0;owned\x07\x1b[2J\rRockets \xc2\x9b"
                                      "1m");
  const std::string shown = "Team Pocket\\x1b]0;owned\\x07\\x1b[2J\\x0dRockets \\xc2\\x9b1m has no bar.\n";
  const std::string ics = "schedule league.sch --format ics --start 2026-09-01";
  const std::string invalid = "Stop !: Please use a valid file name.\n";
  std::string many = ics;
  for (int k = 0; k <= league::max_weeks_off; ++k)
    many += " --skip " +
            base::format_iso_date(base::civil_from_days(base::days_from_civil({2026, 9, 1}) + 7 * k));
  const std::tuple<std::string, std::string, int, std::string> cases[] = {
      {changed("2  3  2\n", "2  3  1\n"), "report league.sch --fair", 1,
       "Stop !: Not enough tables for this bar: Eight Ball Saloon"},
      {escaped, "schedule league.sch", 1,
       "Stopzzz !: " + shown + "They are left out when the league is saved.\nStop !: " + shown},
      {changed("Teams >>\n8\n", "Teams >>\n101\n"), "report league.sch", 1,
       "Sorry !: This league file cannot be read: its number of teams (101) is not between 0 and 100.\n"},
      {spring, "report missing.sch", 1, "Cannot open the league file missing.sch."},
      {spring, "schedule league.sch --output folder/../league.sch", 1, invalid},
      {spring, "schedule league.sch --effort 1 --output missing/schedule.txt", 1,
       "Stop !: The folder " + (work_ / "missing").string() + " does not exist.\n"},
      {spring, "schedule league.sch --format html --paper a4", 2, "--paper is for the format pdf, not html"},
      {spring, "schedule league.sch --format html --division Premier", 2,
       "there is no division Premier in league.sch"},
      {spring, "schedule league.sch --effort 1 --format xlsx --output folder", 1, invalid},
      {spring, "report", 2, "league is required"},
      {spring, "schedule league.sch --weeks 12abc", 2, "--weeks"},
      {spring, "schedule league.sch --format ods", 2, "ods"},
      {spring, "schedule league.sch --format upload-csv", 2, "no calendar"},
      {spring, "schedule league.sch --format ics --every 14", 2, "--start"},
      {spring, "schedule league.sch --format ics --start 2026-02-30", 2, "2026-02-30 is not a real date"},
      {spring, "schedule league.sch --format ics --start 3000-12-25", 2,
       "week 2 falls on 3001-01-01, later than 3000-12-31, the last date the format ics can hold"},
      {spring, "schedule league.sch --format fixtures-csv --start 9999-12-25", 2,
       "week 2 falls on 10000-01-01"},
      {spring, ics + " --time 24:00", 2, "24:00"},
      {test::with_calendar(spring), ics + " --skip 2026-09-02", 2,
       "not a match date: matches fall every 7 days from Tuesday 2026-09-01.\n"},
      {spring, ics + " --skip 2026-09-08 --skip 2026-09-08", 2, "--skip 2026-09-08 is given twice"},
      {spring, many, 2, "more than 100 weeks off"},
      {test::with_calendar(spring), "schedule league.sch --format ics --start 2026-09-02", 2,
       "That week off is the league file's; give this run's weeks off with --skip.\n"},
      {spring, "schedule league.sch --format html --team Nobody", 2, "there is no team Nobody in league.sch"},
      {spring, "schedule league.sch --format xlsx --team Nobody", 2, "--team is for the formats"},
  };
  fs::create_directories(work_ / "folder");
  for (const char* name : {"folder/inside.txt", "schedule.txt", "schedule.csv", "schedule.ics",
                           "schedule.xlsx", "schedule.html", "schedule.pdf"})
    test::write(work_ / name, "an earlier file\r\n");
  for (const auto& [league, arguments, status, message] : cases) {
    test::write(work_ / "league.sch", league);
    const auto before = files();
    EXPECT_EQ(cli(words(arguments)), status) << arguments << ": " << err;
    EXPECT_NE(err.find(message), std::string::npos)
        << arguments << "\nexpected " << message << "\ngot " << err;
    EXPECT_EQ(out, "") << arguments;
    EXPECT_EQ(files(), before) << arguments;
  }
}

// The published formats need a POSIX shell, unzip and pdftotext.
#ifndef _WIN32
// The PDF exporter needs a QGuiApplication in this process too.
class Printing : public ::testing::Environment {
  void SetUp() override { app_ = std::make_unique<publish::PrintingApplication>(); }
  void TearDown() override { app_.reset(); }
  std::unique_ptr<publish::PrintingApplication> app_;
};
[[maybe_unused]] ::testing::Environment* const printing = ::testing::AddGlobalTestEnvironment(new Printing);

// The moment the file was made, in the iCalendar DTSTAMP and the workbook's created and modified.
std::string unstamped(const std::string& bytes) {
  static const std::regex stamp(R"(DTSTAMP:\d{8}T\d{6}Z|\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ)");
  return std::regex_replace(bytes, stamp, "");
}

std::string exporters_file(const std::string& name, const season::Season& s, int team, publish::Paper paper) {
  const publish::FormatInfo* format = publish::find_format(name);
  if (format == nullptr) return base::with_platform_line_ends(schedule::schedule_text(s, name == "csv"));
  const publish::Output out = format->format == publish::Format::Pdf
                                  ? publish::printable_pdf(s, test::for_team(team), paper)
                                  : publish::render(s, format->format, test::for_team(team));
  EXPECT_EQ(out.result, publish::Result::Ok) << name;
  return out.bytes;
}

using CliPublish = test::CliRunner;

TEST_F(CliPublish, EachRunWritesWhatTheLibrariesMake) {
  // The desktop program keeps a league's path for its next save, in a room of
  // 255 bytes; the command line keeps none, so a league in a deep folder will do.
  const fs::path dated =
      root_ / std::string(100, 'd') / std::string(100, 'e') / std::string(100, 'f') / "dated.sch";
  fs::create_directories(dated.parent_path());
  test::write(dated, test::with_calendar(spring));
  const fs::path spring_league = test::example("spring-league.sch"), odd = test::example("odd-league.sch"),
                 county = test::example("county-league.sch");
  // Each build choice and option; every format of a league with a calendar
  // of its own, its time and weeks off overridden; the command line's
  // calendar, for Fairest; another interval and paper.
  const league::Calendar dated_days = test::calendar({2026, 9, 1}, {{2026, 9, 29}}, 7, {7, 5});
  const league::Calendar odd_days =
      test::calendar({2026, 9, 1}, {{2026, 9, 15}, {2026, 10, 20}}, 7, {19, 45});
  const league::Calendar fortnights = test::calendar({2026, 9, 1}, {{2026, 9, 29}}, 14);
  const struct {
    fs::path league;
    std::string arguments;
    schedule::ScheduleMethod method;
    const char* formats = "";                       // none: the schedule file, without --format
    std::optional<league::Calendar> calendar = {};  // the one the program must apply
    int weeks = -1;                                 // -1: the league's default
  } runs[] = {
      // clang-format off
      {odd, "--effort 4 --verbose", {Kind::SearchHardest}},
      {county, "--effort 3", {Kind::SearchHarder}},
      {county, "--fair", {Kind::Fairest}},
      {spring_league, "--fair --variant 2 --weeks=-3", {Kind::Fairest, 2}, "", {}, 0},
      {spring_league, "--weeks +5 --csv", {Kind::Search}, "", {}, 5},
      {dated, "--effort 1 --time 07:05 --skip 2026-09-29", {Kind::TableOrder},
       "text csv fixtures-csv upload-csv ics xlsx html pdf", dated_days},
      {odd, "--fair --start 2026-09-01 --time 19:45 --skip 2026-09-15 --skip 2026-10-20", {Kind::Fairest},
       "fixtures-csv ics", odd_days},
      {county, "--effort 1 --start 2026-09-01 --every 14 --skip 2026-09-29 --paper letter", {Kind::TableOrder},
       "pdf", fortnights},
      // clang-format on
  };
  for (const auto& r : runs) {
    const publish::Paper paper =
        r.arguments.ends_with("--paper letter") ? publish::Paper::Letter : publish::Paper::A4;
    const bool verbose = r.arguments.ends_with("--verbose");
    const season::Season s = test::library_season(r.league, [&r](schedule::ScheduleOptions& o) {
      if (r.weeks >= 0) o.season_weeks = r.weeks;
      o.method = r.method;
      o.calendar = r.calendar;
    });
    // The last team (in an odd league it has a bye), named in capitals: names are matched ignoring case.
    std::string team = s.teams.back().name;
    std::transform(team.begin(), team.end(), team.begin(),
                   [](char ch) { return static_cast<char>(std::toupper(static_cast<unsigned char>(ch))); });
    const std::vector<std::string> formats = test::words(r.formats);
    for (const std::string& given : formats.empty() ? std::vector<std::string>{""} : formats) {
      const std::string name = !given.empty() ? given : r.arguments.ends_with("--csv") ? "csv" : "text";
      const publish::FormatInfo* format = publish::find_format(name);
      for (const bool one : {false, true}) {
        if (one && (format == nullptr || !format->per_team)) continue;
        std::vector<std::string> run = test::words("schedule " + r.arguments);
        run.insert(run.begin() + 1, r.league.string());
        if (!given.empty()) run.insert(run.end(), {"--format", given});
        if (one) run.insert(run.end(), {"--team", team});
        const std::string file = "schedule" + std::string(format ? format->extension : ".txt");
        const std::string what = r.arguments + " " + name + (one ? " of one team" : "");
        ASSERT_EQ(cli(run), 0) << what << ": " << err;
        EXPECT_EQ(out.find(" AT GENERATION #     1, COST =") != std::string::npos, verbose) << what;
        if (verbose) out.erase(0, out.rfind("Schedule written to "));  // the search's progress before it
        EXPECT_EQ(out + err, "Schedule written to " + (work_ / file).string() + "\n") << what;
        ASSERT_EQ(files().size(), name == "ics" ? 2u : 1u) << what << ": the calendar's state beside it";
        std::string made = test::read_file(work_ / file);
        std::string expected = exporters_file(name, s, one ? static_cast<int>(s.teams.size()) : 0, paper);
        if (name == "xlsx" || name == "pdf") {  // their archive and font objects vary from run to run
          const std::string tool = name == "pdf" ? "pdftotext -raw -enc UTF-8" : "unzip -p";
          made = test::run(tool, made, name == "pdf" ? "-" : "");
          expected = test::run(tool, expected, name == "pdf" ? "-" : "");
        }
        EXPECT_TRUE(!made.empty() && unstamped(made) == unstamped(expected)) << what;
        fs::remove(work_ / file);
        fs::remove(work_ / (file + "-state"));
      }
    }
  }
}

// Exported again, the calendar reads the state it left beside it: the events
// a week off moved take the next SEQUENCE, the others keep theirs. A state
// file edited by hand is said, not used, and made anew.
TEST_F(CliPublish, TheCalendarSaysWhatChangedSinceItWasLastExported) {
  const std::string odd = test::example("odd-league.sch").string();
  std::vector<std::string> run = {"schedule", odd,   "--effort", "1",
                                  "--format", "ics", "--start",  "2026-09-01"};
  ASSERT_EQ(cli(run), 0) << err;
  run.insert(run.end(), {"--skip", "2026-10-06"});
  ASSERT_EQ(cli(run), 0) << err;
  const std::string moved = test::read_file(work_ / "schedule.ics");
  EXPECT_TRUE(moved.find("SEQUENCE:0\r\n") != std::string::npos &&
              moved.find("SEQUENCE:1\r\n") != std::string::npos);
  test::write(work_ / "schedule.ics-state", "Quintora calendar state 1\nedited\n");
  ASSERT_EQ(cli(run), 0) << err;
  EXPECT_NE(err.find("Warning !: The file " + (work_ / "schedule.ics-state").string() + ", which records"),
            std::string::npos)
      << err;
  EXPECT_EQ(test::read_file(work_ / "schedule.ics").find("SEQUENCE:1\r\n"), std::string::npos);
}

// A kill at any moment of an export leaves nothing in the temporary folder:
// neither the optimiser's work folder, nor the workbook's scratch folder,
// nor the PDF's runtime folder. The kills fall at spread moments of the runs.
class CliInterrupt : public test::CliRunner {};

TEST_F(CliInterrupt, KilledExportsLeaveNoTemporaries) {
  for (const std::string format : {"xlsx", "pdf"}) {
    for (const std::string delay : {"0.1", "0.2", "0.4", "0.8"}) {
      SCOPED_TRACE(format + " killed after " + delay + " s");  // cli() finds the temporary folder empty
      cli({"schedule", test::example("county-league.sch").string(), "--format", format},
          "timeout -s TERM " + delay + " ");
      fs::remove_all(temp_);
      fs::create_directories(temp_);
    }
  }
}

#endif

}  // namespace
}  // namespace quintora::test
