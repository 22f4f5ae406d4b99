// quintora-cli schedule with each build choice and option, and --format ...:
// each file is what the schedule writer or the exporters make of the season
// the libraries build for the same options (the exporters' own tests read
// every format back): every format once, for the whole league and for one
// team, of a league of hostile names, and the calendar and paper options in
// the formats they change. Only the moment a file was made may differ; the
// workbook is compared unzipped, the PDF by its text.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "base/atomic_file.h"
#include "cli_runner.h"
#include "league/calendar_section.h"
#include "publish/pdf/pdf.h"
#include "publish/publish.h"
#include "publish/readers.h"
#include "schedule/schedule_writer.h"
#include "support/calendar_builder.h"

namespace quintora {
namespace {

namespace fs = std::filesystem;

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
  publish::Options options;
  options.team = team;
  using enum publish::Format;
  const publish::Output out = format->format == FixturesCsv ? publish::fixtures_csv(s, options)
                              : format->format == UploadCsv ? publish::upload_csv(s)
                              : format->format == ICalendar ? publish::icalendar(s, options)
                              : format->format == Workbook  ? publish::workbook(s, options)
                              : format->format == Html      ? publish::printable_html(s, options)
                                                            : publish::printable_pdf(s, options, paper);
  EXPECT_EQ(out.result, publish::Result::Ok) << name;
  return out.bytes;
}

// Five teams (so a bye each week) in three bars, named with every format's
// separators, quotes and markup, a formula, a tab, percent signs and UTF-8 of
// two, three and four bytes; and the league's own calendar with a week off.
std::string hostile_league() {
  const std::string text =
      "!! Version 1.4.0\n<< Title >>\nHostile, \"League\"; <&> 100% \u2014 \u00dcn\u00ef\n"
      "<< Number of Bars and Gap of Position Night >>\n3  0\n"
      "<< BARS: Bar number, Number of Teams, Number of Tables and Bar Name >>\n"
      "1  2  1\nThe \"Crown\", Inn\n2  2  1\n<b>Bar</b> & Grill; 50%\n3  1  1\nCaf\u00e9 Zo\u00eb\tCorner\n"
      "<< Number of Teams >>\n5\n<< TEAMS: Corresponding Bar Number and Team Name >>\n"
      "1\nSmith, Jones & \"Sons\"\n1\n=SUM(A1:A9)\n2\n<script>x</script>; 100%\n2\nTab\tTeam %s %n\n"
      "3\n\u03a9\u03bc\u03ad\u03b3\u03b1 \u0401\u043b\u043a\u0430 \u6771\u4eac \U0001F3B1\n" +
      std::string(league::calendar_header) + "\n2026-01-06\n7\n19:00\n1\n2026-01-20\n";
  return std::regex_replace(text, std::regex("\n"), "\r\n");
}

using CliPublish = test::CliRunner;

TEST_F(CliPublish, EachRunWritesWhatTheLibrariesMake) {
  using Kind = schedule::ScheduleMethod::Kind;
  test::write(root_ / "hostile.sch", hostile_league());
  const fs::path spring = test::example("spring-league.sch"), odd = test::example("odd-league.sch"),
                 county = test::example("county-league.sch");
  // Each build choice and option; every format of the hostile league, with
  // its own calendar's time and weeks off overridden; the command line's
  // calendar, for Fairest; another interval and paper.
  const league::Calendar hostile_days = test::calendar({2026, 1, 6}, {{2026, 1, 27}}, 7, {7, 5});
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
      {odd, "--effort 2 --verbose", {Kind::Search}},
      {county, "--effort 3", {Kind::SearchHarder}},
      {odd, "--effort 4", {Kind::SearchHardest}},
      {county, "--fair", {Kind::Fairest}},
      {spring, "--fair --variant 2 --weeks=-3", {Kind::Fairest, 2}, "", {}, 0},
      {spring, "--weeks +5 --csv", {Kind::Search}, "", {}, 5},
      {spring, "--effort 1", {Kind::TableOrder}, "xlsx html"},
      {root_ / "hostile.sch", "--effort 1 --time 07:05 --skip 2026-01-27", {Kind::TableOrder},
       "text csv fixtures-csv upload-csv ics xlsx html pdf", hostile_days},
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
        EXPECT_EQ(out + err, written(file)) << what;
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
  const fs::path odd = test::example("odd-league.sch");
  const std::string run = "--effort 1 --format ics --start 2026-09-01";
  ASSERT_EQ(cli("schedule", odd, run), 0) << err;
  ASSERT_EQ(cli("schedule", odd, run + " --skip 2026-10-06"), 0) << err;
  const std::string moved = test::read_file(work_ / "schedule.ics");
  EXPECT_TRUE(moved.find("SEQUENCE:0\r\n") != std::string::npos &&
              moved.find("SEQUENCE:1\r\n") != std::string::npos);
  test::write(work_ / "schedule.ics-state", "Quintora calendar state 1\nedited\n");
  ASSERT_EQ(cli("schedule", odd, run), 0) << err;
  EXPECT_NE(err.find("Warning !: The file " + (work_ / "schedule.ics-state").string() + ", which records"),
            std::string::npos)
      << err;
  EXPECT_EQ(test::read_file(work_ / "schedule.ics").find("SEQUENCE:1\r\n"), std::string::npos);
}

#ifndef _WIN32
// A kill at any moment of an export leaves nothing in the temporary folder:
// neither the optimiser's work folder, nor the workbook's scratch folder,
// nor the PDF's runtime folder. The kills fall at spread moments of the runs.
class CliInterrupt : public test::CliRunner {};

TEST_F(CliInterrupt, KilledExportsLeaveNoTemporaries) {
  const std::string league = test::quoted(test::example("county-league.sch").string());
  for (const std::string format : {"xlsx", "pdf"}) {
    for (const char* delay : {"0.1", "0.2", "0.4", "0.8"}) {
      const std::string command = "cd " + test::quoted(work_.string()) +
                                  " && env -u XDG_RUNTIME_DIR TMPDIR=" + test::quoted(temp_.string()) +
                                  " timeout -s TERM " + delay + " " + test::quoted(QUINTORA_CLI) +
                                  " schedule " + league + " --format " + format + " >/dev/null 2>&1";
      [[maybe_unused]] const int status = std::system(command.c_str());
      EXPECT_TRUE(fs::is_empty(temp_)) << format << " killed after " << delay << " s";
      fs::remove_all(temp_);
      fs::create_directories(temp_);
    }
  }
}
#endif

}  // namespace
}  // namespace quintora
