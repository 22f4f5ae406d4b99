// The Season window's rules against the scripted window system: how the
// command opens it, what each build choice and calendar edit does to the
// season and the league, the rows of its tabs, and export.

#include "ui/season_window.h"

#include <fstream>
#include <iterator>
#include <regex>
#include <set>

#include "base/atomic_file.h"
#include "main_window_fixture.h"
#include "schedule/schedule_run.h"

namespace quintora::test {
namespace {

using base::Date;
using ui::RowKind;

std::string read_all(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Who plays whom, where and when: the season as its fixture list says it.
std::string fixtures_of(const season::Season& s) { return publish::fixtures_csv(s).bytes; }

class SeasonWindowTest : public MainWindowTest {
 public:
  // Opens a copy of an example league, so nothing can touch the original.
  void open_example(const std::string& name) {
    season.reset();
    std::filesystem::copy_file(std::filesystem::path(QUINTORA_SOURCE_DIR) / "examples" / name, folder / name);
    ws.choose_next(file(name));
    ws.click(cmd::file_open);
    ASSERT_EQ(league().file_state, FileState::Saved);
  }
  ui::SeasonWindowLogic& window() {
    if (!season) season.emplace(league(), ws);
    return *season;
  }
  std::optional<ui::SeasonWindowLogic> season;
};

// The command checks and asks as the Schedule command does, then opens the
// window with the Schedule dialog's defaults, leaving the dialog's options alone.
TEST_F(SeasonWindowTest, TheCommandChecksAsksAndOpensWithTheDefaults) {
  std::vector<ui::BuildChoice> seen;
  logic->set_season_window_opener([&](ui::SeasonWindowLogic& w) {
    seen.push_back(w.choice());
    EXPECT_EQ(w.season().weeks.size(), 22u);  // 11 teams: two passes of 11 rounds
    // The first time a new choice, the second a calendar.
    if (seen.size() == 1) w.set_choice({1, true, 9, 3});
    if (seen.size() == 2) w.set_first_date({2026, 9, 1});
  });
  ws.click(cmd::view_season);
  EXPECT_EQ(last_message(), "Cannot schedule without teams.");
  open_example("odd-league.sch");
  const schedule::ScheduleOptions before = logic->schedule_options();
  ws.click(cmd::view_season);
  ws.click(c::season_button);  // the button does the same, and starts from the defaults again
  EXPECT_EQ(seen, std::vector<ui::BuildChoice>(2, {2, false, 1, 22}));
  const schedule::ScheduleOptions& after = logic->schedule_options();
  EXPECT_EQ(std::tuple(after.effort, after.fairest, after.variant, after.result_file),
            std::tuple(before.effort, before.fairest, before.variant, before.result_file));
  EXPECT_EQ(ws.messages().size(), 1u);
  // The calendar set in the window is an unsaved change of the league like any other.
  ws.answer_next(base::Answer::Cancel);
  ws.click(cmd::view_season);
  EXPECT_EQ(last_message(), "Save changes before continue?");
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_EQ(league().file_state, FileState::Modified);
}

// Each choice, taken at the nearest end of its range, gives the season the
// schedule run builds for the same options, and the report counts that season.
TEST_F(SeasonWindowTest, EachBuildChoiceRebuildsTheSeason) {
  open_example("spring-league.sch");
  const std::pair<ui::BuildChoice, ui::BuildChoice> choices[] = {
      // given, taken
      {{1, false, 1, 14}, {1, false, 1, 14}},    {{2, false, 1, 14}, {2, false, 1, 14}},
      {{3, false, 1, 14}, {3, false, 1, 14}},    {{4, false, 1, 14}, {4, false, 1, 14}},
      {{2, true, 1, 14}, {2, true, 1, 14}},      {{2, true, 2, 14}, {2, true, 2, 14}},
      {{1, false, 1, 5}, {1, false, 1, 5}},      {{0, false, 1, 500}, {1, false, 1, 200}},
      {{9, true, 5000, -3}, {4, true, 1000, 0}}, {{2, true, -7, 14}, {2, true, 1, 14}}};
  std::set<std::string> different;
  for (const auto& [given, taken] : choices) {
    window().set_choice(given);
    ASSERT_TRUE(window().built());
    EXPECT_EQ(window().choice(), taken);
    schedule::ScheduleOptions options;
    std::tie(options.effort, options.fairest, options.variant, options.season_weeks) =
        std::tuple(taken.effort, taken.fairest, taken.variant, taken.weeks);
    schedule::ScheduleRun run;
    ASSERT_EQ(schedule::build_season(league(), options, run, ws), 1);
    run.work.remove();
    EXPECT_EQ(fixtures_of(window().season()), fixtures_of(run.season)) << taken.effort << taken.fairest;
    EXPECT_EQ(window().season().weeks.size(), static_cast<std::size_t>(taken.weeks));
    EXPECT_EQ(report::as_json(window().fairness()), report::as_json(report::assess(window().season())));
    if (taken.weeks == 14) different.insert(fixtures_of(window().season()));
  }
  // Table order, the optimiser and the two Fairest variants are four different seasons at least.
  EXPECT_GE(different.size(), 4u);
  EXPECT_TRUE(ws.messages().empty());
}

// The Weeks tab lists every match and bye in order; its filter keeps the rows
// of a team (its matches either way and its byes) or of a bar (the matches it
// hosts), letter case and outer blanks ignored. The Teams tab shows a team's
// line of each week.
TEST_F(SeasonWindowTest, TheTabsFollowTheSeason) {
  open_example("odd-league.sch");
  const season::Season& s = window().season();
  std::vector<ui::WeekRow> all;
  for (const season::Week& w : s.weeks) {
    for (const season::Match& m : w.matches)
      all.push_back(
          {RowKind::Match, w.number, "", s.team(m.home).name, s.team(m.away).name, s.venue(m).name});
    all.push_back({RowKind::Bye, w.number, "", s.team(w.not_playing).name, "Not Playing", ""});
  }
  EXPECT_EQ(window().week_rows(), all);
  EXPECT_EQ(window().week_rows("  "), all);
  const auto rows_of = [&all](const std::string& name) {
    std::vector<ui::WeekRow> out;
    std::copy_if(all.begin(), all.end(), std::back_inserter(out), [&name](const ui::WeekRow& r) {
      return r.home == name || (r.kind == RowKind::Match && r.away == name) || r.venue == name;
    });
    return out;
  };
  EXPECT_EQ(window().week_rows("  QUACKERS "), rows_of("Quackers"));
  EXPECT_EQ(window().week_rows("HIRSCHJÄGER"), rows_of("Hirschjäger"));
  EXPECT_EQ(window().week_rows("goldenen"), rows_of("Zum Goldenen Hirsch"));
  EXPECT_EQ(rows_of("Quackers").size(), 22u);  // every week a match or its bye
  EXPECT_TRUE(window().week_rows("not playing").empty());
  EXPECT_TRUE(window().week_rows("no such team").empty());

  for (int team = 1; team <= window().team_count(); ++team) {
    const std::string& name = s.team(team).name;
    std::vector<ui::FixtureRow> expected;
    for (const ui::WeekRow& r : rows_of(name)) {
      const bool home = r.home == name;
      if (r.kind == RowKind::Bye) expected.push_back({RowKind::Bye, r.week, "", "", "Not Playing", ""});
      if (r.kind == RowKind::Match && (home || r.away == name))
        expected.push_back(
            {RowKind::Match, r.week, "", home ? r.away : r.home, home ? "Home" : "Away", r.venue});
    }
    EXPECT_EQ(window().fixtures(team), expected) << name;
    const report::TeamLine& line = window().fairness().teams[static_cast<std::size_t>(team - 1)];
    EXPECT_NE(window().team_summary(team).find("breaks: " + std::to_string(line.breaks) + ","),
              std::string::npos);
  }
  for (int outside : {0, -1, 12}) {
    window().choose_team(outside);
    EXPECT_EQ(
        std::tuple(window().fixtures(outside).size(), window().team_summary(outside), window().chosen_team()),
        std::tuple(0u, "", 0));
  }
  window().choose_team(11);
  EXPECT_EQ(window().chosen_team(), 11);
}

TEST(SeasonText, ContainsIgnoresLetterCaseBeyondAscii) {
  EXPECT_TRUE(ui::contains_ignoring_case("ΑΘΗΝΑ", "θην"));
  EXPECT_TRUE(ui::contains_ignoring_case("anything", ""));
  EXPECT_FALSE(ui::contains_ignoring_case("Ace", "Aces"));
  EXPECT_FALSE(ui::contains_ignoring_case("\xC3", "\xC3\xA9"));  // a cut character is no match
}

TEST_F(SeasonWindowTest, TotalsAndOverbookedBarsAreSaid) {
  open_example("spring-league.sch");
  window().set_choice({2, true, 1, 14});
  const report::Fairness& f = window().fairness();
  EXPECT_EQ(window().totals_text(), "Breaks in this season: " + std::to_string(f.total_breaks) +
                                        ". The fewest any season of 8 teams and 14 weeks can have: " +
                                        std::to_string(f.minimum_breaks) + ".");
  EXPECT_EQ(window().overbooked_text(), "Every bar stays within its tables in every week.");
  EXPECT_FALSE(window().home_bar_overbooked(1));
  // Five bars by name, the rest counted: the table shows them all.
  open_example("county-league.sch");
  window().set_choice({1, false, 1, 194});
  const auto& bars = window().fairness().bars;
  const auto over_tables = [this](const report::BarLine& b) { return window().overbooked(b); };
  const auto first = std::find_if(bars.begin(), bars.end(), over_tables);
  const auto over = std::count_if(bars.begin(), bars.end(), over_tables);
  ASSERT_GT(over, 6);
  const std::string text = window().overbooked_text();
  EXPECT_TRUE(text.starts_with("More matches than tables in some week: " + first->name + " (")) << text;
  EXPECT_TRUE(text.ends_with(" and " + std::to_string(over - 5) + " more bars.")) << text;
  const season::Season& s = window().season();
  const auto host =
      std::find_if(s.teams.begin(), s.teams.end(), [&](const auto& t) { return t.bar == first->number; });
  EXPECT_TRUE(window().home_bar_overbooked(static_cast<int>(host - s.teams.begin()) + 1));
}

// Each edit is checked first: a good one becomes the league's calendar, marks
// the league modified and dates the season; a bad one is refused with a
// sentence naming it (every sentence of the calendar's own check is the
// calendar tests' business) and changes nothing.
TEST_F(SeasonWindowTest, CalendarEditsAreCheckedThenDateTheSeason) {
  open_example("spring-league.sch");
  ui::SeasonWindowLogic& w = window();
  // Without a calendar only the first date starts one.
  EXPECT_FALSE(w.set_every_days(14));
  EXPECT_FALSE(w.set_start_time({19, 0}));
  EXPECT_FALSE(w.add_week_off({2026, 12, 22}));
  EXPECT_EQ(w.calendar_message(), "Choose the first match date first.");
  w.clear_calendar();
  EXPECT_EQ(league().file_state, FileState::Saved);

  w.set_choice({2, false, 1, 20});
  ASSERT_TRUE(w.set_first_date({2026, 9, 1}));
  EXPECT_EQ(league().file_state, FileState::Modified);
  EXPECT_EQ(std::tuple(league().calendar->every_days, league().calendar->start),
            std::tuple(7, base::TimeOfDay{20, 0}));
  EXPECT_EQ(w.season().weeks[0].date, (Date{2026, 9, 1}));
  // Christmas and New Year off: the weeks after move on by a week each.
  ASSERT_TRUE(w.add_week_off({2026, 12, 29}));
  ASSERT_TRUE(w.add_week_off({2026, 12, 22}));
  EXPECT_EQ(w.season().weeks[15].date, (Date{2026, 12, 15}));
  EXPECT_EQ(w.season().weeks[16].date, (Date{2027, 1, 5}));
  std::vector<std::string> off_rows;
  const std::vector<ui::WeekRow> rows = w.week_rows("Side Spin");
  for (std::size_t i = 0; i < rows.size(); ++i)
    if (rows[i].kind == RowKind::WeekOff) off_rows.push_back(std::to_string(i) + " " + rows[i].date);
  EXPECT_EQ(off_rows, (std::vector<std::string>{"16 Tue 2026-12-22", "17 Tue 2026-12-29"}));
  EXPECT_EQ(w.fixtures(8)[16].side, "Week off");

  league().file_state = FileState::Saved;       // as just saved
  EXPECT_TRUE(w.set_first_date({2026, 9, 1}));  // the same calendar again is no change
  const Calendar good = *league().calendar;
  const std::vector<ui::WeekRow> all_rows = w.week_rows();
  const struct {
    char edit;  // f first date a-b-c, e every a days, t start at a:b, o add and r remove the week off a-b-c
    int a, b, c;
    std::string message;
  } cases[] = {
      {'f', 2026, 2, 30, "The first match date 2026-02-30 is not a date between 1900-01-01 and 9999-12-31."},
      {'e', 0, 0, 0, "The days between match weeks must be from 1 to 365; 0 is not."},
      {'t', 24, 0, 0, "The start time 24:00 is not a time between 00:00 and 23:59."},
      {'o', 2026, 8, 25, "The week off 2026-08-25 is before the first match date, 2026-09-01."},
      {'o', 2027, 6, 1, "The week off 2027-06-01 is after the season's last match date, 2027-01-26."},
      {'o', 2026, 12, 22, "The week off 2026-12-22 is listed already."},
      {'r', 2026, 12, 15, "2026-12-15 is not a week off."},
      // Moving the first date off the weeks off's weekday would strand them.
      {'f', 2026, 9, 2,
       "The week off 2026-12-22 is not a match date: matches fall every 7 days from Wednesday 2026-09-02."},
  };
  for (const auto& k : cases) {
    const Date date{k.a, k.b, k.c};
    const bool taken = k.edit == 'f'   ? w.set_first_date(date)
                       : k.edit == 'e' ? w.set_every_days(k.a)
                       : k.edit == 't' ? w.set_start_time({k.a, k.b})
                       : k.edit == 'o' ? w.add_week_off(date)
                                       : w.remove_week_off(date);
    EXPECT_FALSE(taken) << k.message;
    EXPECT_EQ(w.calendar_message(), k.message);
    EXPECT_TRUE(league().calendar == good) << k.message;
    EXPECT_EQ(league().file_state, FileState::Saved) << k.message;
  }
  EXPECT_EQ(w.week_rows(), all_rows);

  ASSERT_TRUE(w.remove_week_off({2026, 12, 29}));
  ASSERT_TRUE(w.set_every_days(14));  // 2026-12-22 is a fortnightly date too; 2026-12-29 is not
  EXPECT_EQ(w.season().weeks[1].date, (Date{2026, 9, 15}));
  ASSERT_TRUE(w.set_start_time({19, 30}));
  EXPECT_EQ(league().calendar->start, (base::TimeOfDay{19, 30}));
  EXPECT_EQ(w.calendar_message(), "");  // a good edit clears the message
  league().file_state = FileState::Saved;
  w.clear_calendar();
  EXPECT_EQ(league().file_state, FileState::Modified);
  EXPECT_FALSE(league().calendar.has_value());
  EXPECT_FALSE(w.season().weeks[0].date.has_value());
}

// The file holds exactly the bytes the publishing library makes of the
// season shown, for the whole league or the team picked on the Teams tab;
// the PDF comes from the renderer the window supplies.
TEST_F(SeasonWindowTest, ExportWritesWhatPublishingMakes) {
  open_example("spring-league.sch");
  window().set_choice({2, false, 1, 20});
  ASSERT_TRUE(window().set_first_date({2026, 9, 1}));
  ASSERT_TRUE(window().add_week_off({2026, 12, 22}));
  // The moment an iCalendar file is made differs between two makings.
  const auto unstamped = [](const std::string& ics) {
    return std::regex_replace(ics, std::regex("DTSTAMP:[^\r\n]*\r?\n"), "");
  };
  const season::Season& s = window().season();
  publish::Options team6;
  team6.team = 6;
  const struct {
    publish::Format format;
    int team;
    const char* chosen;
    const char* offered;  // the name the dialog opens with
    std::string filter, expected;
  } cases[] = {
      {publish::Format::FixturesCsv, 0, "all.csv", "spring-league.csv", "Fixture list (*.csv) *.csv",
       publish::fixtures_csv(s).bytes},
      {publish::Format::FixturesCsv, 6, "omalley.csv", "spring-league-o-malley-s.csv",
       "Fixture list (*.csv) *.csv", publish::fixtures_csv(s, team6).bytes},
      {publish::Format::ICalendar, 0, "season.ics", "spring-league.ics", "Calendar (*.ics) *.ics",
       unstamped(publish::icalendar(s).bytes)},
      // The upload holds the whole league whatever team is picked.
      {publish::Format::UploadCsv, 3, "upload.csv", "spring-league.csv",
       "League website upload (*.csv) *.csv", publish::upload_csv(s).bytes},
  };
  for (const auto& k : cases) {
    ws.choose_next(file(k.chosen));
    ASSERT_TRUE(window().export_season(k.format, k.team)) << k.chosen;
    const base::FileDialogRequest& r = ws.file_requests().back();
    ASSERT_EQ(r.filters.size(), 2u);
    EXPECT_EQ(std::tuple(r.kind, r.confirm_overwrite, r.filters[0].name + " " + r.filters[0].pattern,
                         r.default_suffix, r.initial_path),
              std::tuple(base::FileDialogKind::Save, true, k.filter, k.filter.substr(k.filter.size() - 3),
                         file(k.offered)));
    EXPECT_EQ(unstamped(read_all(folder / k.chosen)), k.expected) << k.chosen;
    EXPECT_EQ(window().export_status(), "Saved " + file(k.chosen) + ".");
  }
  int asked_for_team = -1;
  window().set_pdf_renderer([&](const season::Season& shown, const publish::Options& o) {
    asked_for_team = o.team;
    return publish::Output{publish::Result::Ok, "%PDF " + shown.title};
  });
  window().choose_team(2);
  ws.choose_next(file("team.pdf"));
  ASSERT_TRUE(window().export_season(publish::Format::Pdf, window().chosen_team()));
  EXPECT_EQ(asked_for_team, 2);
  EXPECT_EQ(read_all(folder / "team.pdf"), "%PDF Riverside Pool League - Spring 2026");
  EXPECT_EQ(ws.file_requests().back().initial_path, file("spring-league-pocket-rockets.pdf"));
  EXPECT_TRUE(ws.messages().empty());
}

// A format that cannot be made says why before a name is asked for; a file
// that cannot be written is named in the message, an earlier file of that
// name is kept as it was, and the league file takes no export.
TEST_F(SeasonWindowTest, AFailedExportSaysWhyAndKeepsTheEarlierFile) {
  open_example("spring-league.sch");
  const std::size_t dialogs = ws.file_requests().size();
  EXPECT_FALSE(window().export_season(publish::Format::ICalendar, 0));
  EXPECT_EQ(last_message(), publish::message(publish::Result::NeedsCalendar));
  EXPECT_FALSE(window().export_season(publish::Format::Pdf, 0));  // no renderer given
  EXPECT_EQ(last_message(), publish::message(publish::Result::NoGuiApplication));
  EXPECT_EQ(ws.file_requests().size(), dialogs);
  ws.choose_next(std::nullopt);  // cancelled: nothing said, nothing written
  EXPECT_FALSE(window().export_season(publish::Format::FixturesCsv, 0));
  EXPECT_EQ(ws.messages().size(), 2u);

  std::ofstream(folder / "fixtures.csv") << "earlier";
  const std::string league_text = read_all(folder / "spring-league.sch");
  const auto cannot = [this](const char* name, base::WriteStatus status) {
    return "Cannot write the file " + file(name) + ". " + std::string(base::describe(status));
  };
  ws.choose_next(file("missing/fixtures.csv"));
  EXPECT_FALSE(window().export_season(publish::Format::FixturesCsv, 0));
  EXPECT_EQ(last_message(), cannot("missing/fixtures.csv", base::WriteStatus::NoFolder));
  EXPECT_EQ(ws.messages().back().caption, "Stop !");
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
  base::WriteFaults faults;
  faults.room = 10;  // the disk fills up
  base::set_write_faults_for_testing(faults);
  ws.choose_next(file("fixtures.csv"));
  EXPECT_FALSE(window().export_season(publish::Format::FixturesCsv, 0));
  base::set_write_faults_for_testing({});
  EXPECT_EQ(last_message(), cannot("fixtures.csv", base::WriteStatus::NoRoom));
  EXPECT_EQ(read_all(folder / "fixtures.csv"), "earlier");
  EXPECT_EQ(window().export_status(), "Nothing was written.");
  ws.choose_next(file("spring-league.sch"));
  EXPECT_FALSE(window().export_season(publish::Format::FixturesCsv, 0));
  EXPECT_EQ(last_message(),
            "The league file " + file("spring-league.sch") + " cannot take an export. Choose another name.");
  EXPECT_EQ(read_all(folder / "spring-league.sch"), league_text);
}

}  // namespace
}  // namespace quintora::test
