// The Season window's rules against the scripted window system: how the
// command opens it, what each build choice and calendar edit does to the
// season and the league, the rows of its tabs, and export.

#include "ui/season_window.h"

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include "base/atomic_file.h"
#include "main_window_fixture.h"
#include "schedule/schedule_run.h"

namespace quintora::test {
namespace {

using base::Date;

std::string read_all(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_all(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// The lines of an iCalendar file without its DTSTAMP, the moment the file
// was made, which differs between two makings.
std::string without_stamp(const std::string& ics) {
  std::istringstream in(ics);
  std::string out;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("DTSTAMP", 0) != 0) out += line + "\n";
  }
  return out;
}

// Who plays whom in each week: what a build choice decides.
std::vector<std::vector<std::pair<int, int>>> pairings(const season::Season& s) {
  std::vector<std::vector<std::pair<int, int>>> out;
  for (const season::Week& w : s.weeks) {
    out.emplace_back();
    for (const season::Match& m : w.matches) out.back().emplace_back(m.home, m.away);
  }
  return out;
}

class SeasonWindowTest : public MainWindowTest {
 public:
  // Opens a copy of an example league, so nothing can touch the original.
  void open_example(const std::string& name) {
    std::filesystem::copy_file(std::filesystem::path(QUINTORA_SOURCE_DIR) / "examples" / name, folder / name);
    ws.choose_next(file(name));
    ws.click(cmd::file_open);
    ASSERT_EQ(league().file_state, FileState::Saved);
  }
  ui::SeasonWindowLogic& window() {
    if (!season) season.emplace(league(), ws);
    return *season;
  }
  // Twenty weeks from Tuesday 2026-09-01, weekly, with a week off at
  // Christmas: week 16 on 2026-12-15, week 17 on 2026-12-29, week 20 on 2027-01-19.
  void set_christmas_calendar() {
    window().set_choice({2, false, 1, 20});
    ASSERT_TRUE(window().set_first_date({2026, 9, 1}));
    ASSERT_TRUE(window().add_week_off({2026, 12, 22}));
  }
  std::optional<ui::SeasonWindowLogic> season;
};

// --- Opening

TEST_F(SeasonWindowTest, TheCommandChecksAndAsksAsTheScheduleCommandDoes) {
  int opened = 0;
  logic->set_season_window_opener([&](ui::SeasonWindowLogic&) { ++opened; });
  ws.click(cmd::view_season);
  EXPECT_EQ(last_message(), "Cannot schedule without teams.");

  add_bar("Corner Pocket");
  ws.type(c::tables, "2");
  for (const char* team : {"A", "B"}) add_team(team);  // with the bar's own team, 3 teams
  ws.type(c::tables, "1");                             // taken without a test
  ws.click(c::season_button);
  EXPECT_EQ(last_message(), "Not enough tables for this bar: Corner Pocket");

  ws.type(c::tables, "2");
  ws.answer_next(base::Answer::Cancel);
  ws.click(cmd::view_season);
  EXPECT_EQ(last_message(), "Save changes before continue?");
  EXPECT_EQ(ws.messages().back().buttons, base::Buttons::OkCancel);
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(league().file_state, FileState::UntitledModified);
}

TEST_F(SeasonWindowTest, OpensWithTheScheduleDialogsDefaultsAndLeavesItsOptionsAlone) {
  open_example("odd-league.sch");
  const schedule::ScheduleOptions before = logic->schedule_options();
  std::vector<ui::BuildChoice> seen;
  logic->set_season_window_opener([&](ui::SeasonWindowLogic& w) {
    seen.push_back(w.choice());
    EXPECT_TRUE(w.built());
    EXPECT_EQ(w.season().weeks.size(), 22u);  // 11 teams: two passes of 11 rounds
    // The first time a new choice, the second a calendar.
    if (seen.size() == 1) w.set_choice({1, true, 9, 3});
    if (seen.size() == 2) w.set_first_date({2026, 9, 1});
  });
  ws.click(cmd::view_season);
  ws.click(c::season_button);  // the button does the same, and starts from the defaults again
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], (ui::BuildChoice{2, false, 1, 22}));
  EXPECT_EQ(seen[1], seen[0]);
  EXPECT_TRUE(ws.messages().empty());
  const schedule::ScheduleOptions& after = logic->schedule_options();
  EXPECT_EQ(std::tuple(after.effort, after.fairest, after.variant, after.result_file),
            std::tuple(before.effort, before.fairest, before.variant, before.result_file));
  // The calendar set in the window is an unsaved change of the league like any other.
  ws.answer_next(base::Answer::Cancel);
  ws.click(cmd::file_exit);
  EXPECT_EQ(last_message(), "Save changes before closing the current file?");
  EXPECT_EQ(quit_code, -1);
}

// --- Building

// Each choice gives the season the schedule run builds for the same options,
// and the report counts that season.
TEST_F(SeasonWindowTest, EachBuildChoiceRebuildsTheSeason) {
  open_example("spring-league.sch");
  const ui::BuildChoice choices[] = {{1, false, 1, 14}, {2, false, 1, 14}, {3, false, 1, 14},
                                     {4, false, 1, 14}, {2, true, 1, 14},  {2, true, 2, 14},
                                     {1, false, 1, 5},  {2, true, 1, 0}};
  std::set<std::vector<std::vector<std::pair<int, int>>>> different;
  for (const ui::BuildChoice& choice : choices) {
    window().set_choice(choice);
    ASSERT_TRUE(window().built());
    EXPECT_EQ(window().choice(), choice);
    schedule::ScheduleOptions options;
    options.season_weeks = choice.weeks;
    options.effort = choice.effort;
    options.fairest = choice.fairest;
    options.variant = choice.variant;
    schedule::ScheduleRun run;
    ASSERT_EQ(schedule::build_season(league(), options, run, ws), 1);
    run.work.remove();
    EXPECT_EQ(pairings(window().season()), pairings(run.season)) << choice.effort << choice.fairest;
    EXPECT_EQ(window().season().weeks.size(), static_cast<std::size_t>(choice.weeks));
    EXPECT_EQ(window().fairness().total_breaks, report::assess(window().season()).total_breaks);
    different.insert(pairings(window().season()));
  }
  // Table order, the optimiser and the two Fairest variants are four different seasons at least.
  EXPECT_GE(different.size(), 4u);
  EXPECT_TRUE(ws.messages().empty());
}

TEST_F(SeasonWindowTest, ChoicesOutOfRangeAreTakenAtTheirNearestEnd) {
  open_example("spring-league.sch");
  const struct {
    ui::BuildChoice given, taken;
  } cases[] = {
      {{0, false, 1, 500}, {1, false, 1, 200}},
      {{9, true, 5000, -3}, {4, true, 1000, 0}},
      {{2, true, -7, 14}, {2, true, 1, 14}},
  };
  for (const auto& k : cases) {
    window().set_choice(k.given);
    EXPECT_EQ(window().choice(), k.taken);
    EXPECT_EQ(window().season().weeks.size(), static_cast<std::size_t>(k.taken.weeks));
  }
}

// --- Weeks tab

TEST_F(SeasonWindowTest, WeekRowsListEveryMatchAndByeInOrder) {
  open_example("odd-league.sch");
  const std::vector<ui::WeekRow> rows = window().week_rows();
  ASSERT_EQ(rows.size(), 22u * 6u);  // five matches and a bye a week
  const season::Season& s = window().season();
  const season::Match& first = s.weeks[0].matches[0];
  EXPECT_EQ(rows[0], (ui::WeekRow{ui::RowKind::Match, 1, "", s.team(first.home).name, s.team(first.away).name,
                                  s.venue(first).name}));
  EXPECT_EQ(rows[5],
            (ui::WeekRow{ui::RowKind::Bye, 1, "", s.team(s.weeks[0].not_playing).name, "Not Playing", ""}));
  EXPECT_EQ(rows.back().week, 22);
}

// The filter keeps the rows of a team (its matches either way and its byes)
// or of a bar (the matches it hosts), letter case and outer blanks ignored.
TEST_F(SeasonWindowTest, TheFilterNarrowsToATeamOrABar) {
  open_example("spring-league.sch");
  const season::Season& s = window().season();
  int hosted_at_cafe = 0;
  for (const season::Week& w : s.weeks) {
    for (const season::Match& m : w.matches) hosted_at_cafe += s.venue(m).name == "Café Bruxelles";
  }
  const struct {
    const char* filter;
    std::size_t rows;
    std::function<bool(const ui::WeekRow&)> holds;
  } cases[] = {
      {"  cue TIPS ", 14, [](const ui::WeekRow& r) { return r.home == "Cue Tips" || r.away == "Cue Tips"; }},
      {"CAFÉ BRUX", static_cast<std::size_t>(hosted_at_cafe),
       [](const ui::WeekRow& r) { return r.venue == "Café Bruxelles"; }},
      {"", 14 * 4, [](const ui::WeekRow&) { return true; }},
      {"no such team", 0, [](const ui::WeekRow&) { return false; }},
  };
  EXPECT_GT(hosted_at_cafe, 0);
  for (const auto& k : cases) {
    const std::vector<ui::WeekRow> rows = window().week_rows(k.filter);
    EXPECT_EQ(rows.size(), k.rows) << k.filter;
    for (const ui::WeekRow& row : rows) EXPECT_TRUE(k.holds(row)) << k.filter << ": " << row.home;
  }
  // In an odd league a team's byes stay with it; "Not Playing" itself is no team.
  season.reset();
  open_example("odd-league.sch");
  const std::vector<ui::WeekRow> quackers = window().week_rows("QUACKERS");
  EXPECT_EQ(quackers.size(), 22u);  // every week a match or its bye
  const int team = season::find_team(window().season(), "Quackers");
  ASSERT_GT(team, 0);
  EXPECT_EQ(std::count_if(quackers.begin(), quackers.end(),
                          [](const auto& r) { return r.kind == ui::RowKind::Bye; }),
            window().fairness().teams[static_cast<std::size_t>(team - 1)].byes);
  EXPECT_TRUE(window().week_rows("not playing").empty());
}

TEST(SeasonText, ContainsIgnoresLetterCaseBeyondAscii) {
  EXPECT_TRUE(ui::contains_ignoring_case("Café Bruxelles", "CAFÉ"));
  EXPECT_TRUE(ui::contains_ignoring_case("ΑΘΗΝΑ", "θην"));
  EXPECT_TRUE(ui::contains_ignoring_case("anything", ""));
  EXPECT_FALSE(ui::contains_ignoring_case("Cafe", "Café"));
  EXPECT_FALSE(ui::contains_ignoring_case("Ace", "Aces"));
  EXPECT_FALSE(ui::contains_ignoring_case("\xC3", "\xC3\xA9"));  // a cut character is no match
  EXPECT_EQ(ui::display_date({2026, 9, 1}), "Tue 2026-09-01");
}

// --- Teams tab

TEST_F(SeasonWindowTest, ATeamsFixturesFollowTheSeason) {
  open_example("odd-league.sch");
  const season::Season& s = window().season();
  for (int team = 1; team <= window().team_count(); ++team) {
    const std::vector<ui::FixtureRow> rows = window().fixtures(team);
    ASSERT_EQ(rows.size(), s.weeks.size()) << team;
    int home = 0;
    int byes = 0;
    for (std::size_t w = 0; w < rows.size(); ++w) {
      const season::Week& week = s.weeks[w];
      const ui::FixtureRow& row = rows[w];
      EXPECT_EQ(row.week, week.number);
      if (week.not_playing == team) {
        EXPECT_EQ(row, (ui::FixtureRow{ui::RowKind::Bye, week.number, "", "", "Not Playing", ""}));
        ++byes;
        continue;
      }
      const auto m = std::find_if(week.matches.begin(), week.matches.end(), [team](const season::Match& x) {
        return x.home == team || x.away == team;
      });
      ASSERT_NE(m, week.matches.end());
      const bool at_home = m->home == team;
      home += at_home;
      EXPECT_EQ(row,
                (ui::FixtureRow{ui::RowKind::Match, week.number, "", s.team(at_home ? m->away : m->home).name,
                                at_home ? "Home" : "Away", s.venue(*m).name}));
    }
    const report::TeamLine& line = window().fairness().teams[static_cast<std::size_t>(team - 1)];
    EXPECT_EQ(std::pair(home, byes), std::pair(line.home, line.byes));
    EXPECT_NE(window().team_summary(team).find("breaks: " + std::to_string(line.breaks) + ","),
              std::string::npos);
  }
  for (int outside : {0, -1, 12}) {
    EXPECT_TRUE(window().fixtures(outside).empty());
    EXPECT_EQ(window().team_summary(outside), "");
    window().choose_team(outside);
    EXPECT_EQ(window().chosen_team(), 0);
  }
  window().choose_team(11);
  EXPECT_EQ(window().chosen_team(), 11);
}

// --- Fairness tab

TEST_F(SeasonWindowTest, TotalsAndOverbookedBarsAreSaid) {
  open_example("spring-league.sch");
  window().set_choice({2, true, 1, 14});
  const report::Fairness& f = window().fairness();
  EXPECT_EQ(window().totals_text(), "Breaks in this season: " + std::to_string(f.total_breaks) +
                                        ". The fewest any season of 8 teams and 14 weeks can have: " +
                                        std::to_string(f.minimum_breaks) + ".");
  EXPECT_EQ(window().overbooked_text(), "Every bar stays within its tables in every week.");
  // Three teams at one bar with a single table cannot all be within it.
  add_bar("Tiny");
  ws.type(c::tables, "2");
  for (const char* team : {"T1", "T2"}) add_team(team);
  save_as("bigger.sch");
  set_tables(league(), find_bar(league(), "Tiny"), 1);  // past the table check, as a hand-edited file may be
  season.reset();
  window().set_choice({1, false, 1, 22});
  std::string over;
  for (const report::BarLine& bar : window().fairness().bars) {
    if (window().overbooked(bar)) over += bar.name + " (" + std::to_string(bar.weeks_over_tables) + ")";
  }
  ASSERT_FALSE(over.empty());
  EXPECT_NE(window().overbooked_text().find("More matches than tables in some week: Tiny ("),
            std::string::npos);
  // Five bars by name, the rest counted: the table shows them all.
  season.reset();
  open_example("county-league.sch");
  window().set_choice({1, false, 1, 194});
  const auto& bars = window().fairness().bars;
  const auto bars_over =
      std::count_if(bars.begin(), bars.end(), [this](const auto& b) { return window().overbooked(b); });
  ASSERT_GT(bars_over, 6);
  const std::string text = window().overbooked_text();
  EXPECT_EQ(text.substr(text.rfind(" and ")), " and " + std::to_string(bars_over - 5) + " more bars.");
}

// --- Calendar

TEST_F(SeasonWindowTest, AGoodCalendarEditDatesTheWeeksAndMarksTheLeagueModified) {
  open_example("spring-league.sch");
  window().set_choice({2, false, 1, 20});
  ASSERT_TRUE(window().set_first_date({2026, 9, 1}));
  EXPECT_EQ(league().file_state, FileState::Modified);
  ASSERT_TRUE(league().calendar.has_value());
  EXPECT_EQ(std::tuple(league().calendar->every_days, league().calendar->start),
            std::tuple(7, base::TimeOfDay{20, 0}));
  EXPECT_EQ(window().season().weeks[0].date, (Date{2026, 9, 1}));

  // Christmas and New Year off: the weeks after move on by a week each.
  ASSERT_TRUE(window().add_week_off({2026, 12, 29}));
  ASSERT_TRUE(window().add_week_off({2026, 12, 22}));
  EXPECT_EQ(window().calendar()->n_off, 2);
  const auto& weeks = window().season().weeks;
  EXPECT_EQ(weeks[15].date, (Date{2026, 12, 15}));
  EXPECT_EQ(weeks[16].date, (Date{2027, 1, 5}));
  std::vector<std::string> off_rows;
  const std::vector<ui::WeekRow> rows = window().week_rows("Side Spin");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].kind == ui::RowKind::WeekOff) off_rows.push_back(std::to_string(i) + " " + rows[i].date);
  }
  EXPECT_EQ(off_rows, (std::vector<std::string>{"16 Tue 2026-12-22", "17 Tue 2026-12-29"}));
  EXPECT_EQ(window().fixtures(8)[16].side, "Week off");

  ASSERT_TRUE(window().remove_week_off({2026, 12, 29}));
  EXPECT_EQ(window().calendar()->n_off, 1);
  ASSERT_TRUE(window().set_every_days(14));  // 2026-12-22 is a fortnightly date too
  EXPECT_EQ(window().season().weeks[1].date, (Date{2026, 9, 15}));
  ASSERT_TRUE(window().set_start_time({19, 30}));
  EXPECT_TRUE(window().calendar_message().empty());

  window().clear_calendar();
  EXPECT_FALSE(league().calendar.has_value());
  EXPECT_FALSE(window().season().weeks[0].date.has_value());
}

// Each bad value is refused with a sentence naming it; the league keeps its
// last good calendar and its saved state.
TEST_F(SeasonWindowTest, ABadCalendarValueIsRefusedAndTheLastGoodCalendarKept) {
  open_example("spring-league.sch");
  set_christmas_calendar();
  league().file_state = FileState::Saved;  // as just saved
  const Calendar good = *league().calendar;
  const struct {
    const char* what;
    std::function<bool(ui::SeasonWindowLogic&)> edit;
    std::string message;
  } cases[] = {
      {"first date not a date",
       [](auto& w) {
         return w.set_first_date({2026, 2, 30});
       },
       "The first match date 2026-02-30 is not a date between 1900-01-01 and 9999-12-31."},
      {"zero days", [](auto& w) { return w.set_every_days(0); },
       "The days between match weeks must be from 1 to 365; 0 is not."},
      {"a year of days", [](auto& w) { return w.set_every_days(366); },
       "The days between match weeks must be from 1 to 365; 366 is not."},
      {"a start time past midnight",
       [](auto& w) {
         return w.set_start_time({24, 0});
       },
       "The start time 24:00 is not a time between 00:00 and 23:59."},
      {"week off before the first date",
       [](auto& w) {
         return w.add_week_off({2026, 8, 25});
       },
       "The week off 2026-08-25 is before the first match date, 2026-09-01."},
      {"week off not on a match date",
       [](auto& w) {
         return w.add_week_off({2026, 12, 24});
       },
       "The week off 2026-12-24 is not a match date: matches fall every 7 days from Tuesday 2026-09-01."},
      {"week off after the season",
       [](auto& w) {
         return w.add_week_off({2027, 6, 1});
       },
       "The week off 2027-06-01 is after the season's last match date, 2027-01-19."},
      {"week off twice",
       [](auto& w) {
         return w.add_week_off({2026, 12, 22});
       },
       "The week off 2026-12-22 is listed already."},
      {"week off not a date",
       [](auto& w) {
         return w.add_week_off({2026, 13, 1});
       },
       "The week off 2026-13-01 is not a date between 1900-01-01 and 9999-12-31."},
      {"removing a week that is not off",
       [](auto& w) {
         return w.remove_week_off({2026, 12, 29});
       },
       "2026-12-29 is not a week off."},
      // Moving the first date off the week off's weekday would strand it.
      {"first date that strands a week off",
       [](auto& w) {
         return w.set_first_date({2026, 9, 2});
       },
       "The week off 2026-12-22 is not a match date: matches fall every 7 days from Wednesday 2026-09-02."},
  };
  const auto dates_before = pairings(window().season());
  for (const auto& k : cases) {
    EXPECT_FALSE(k.edit(window())) << k.what;
    EXPECT_EQ(window().calendar_message(), k.message) << k.what;
    EXPECT_TRUE(league().calendar == good) << k.what;
    EXPECT_EQ(league().file_state, FileState::Saved) << k.what;
  }
  EXPECT_EQ(pairings(window().season()), dates_before);
  EXPECT_EQ(window().season().weeks[16].date, (Date{2026, 12, 29}));
  // A good edit afterwards clears the message.
  EXPECT_TRUE(window().set_start_time({19, 0}));
  EXPECT_EQ(window().calendar_message(), "");
}

TEST_F(SeasonWindowTest, WithoutACalendarOnlyTheFirstDateStartsOne) {
  open_example("spring-league.sch");
  EXPECT_FALSE(window().set_every_days(14));
  EXPECT_FALSE(window().set_start_time({19, 0}));
  EXPECT_FALSE(window().add_week_off({2026, 12, 22}));
  EXPECT_EQ(window().calendar_message(), "Choose the first match date first.");
  window().clear_calendar();
  EXPECT_FALSE(league().calendar.has_value());
  EXPECT_EQ(league().file_state, FileState::Saved);
  // The same calendar again is no change.
  ASSERT_TRUE(window().set_first_date({2026, 9, 1}));
  league().file_state = FileState::Saved;
  EXPECT_TRUE(window().set_first_date({2026, 9, 1}));
  EXPECT_EQ(league().file_state, FileState::Saved);
}

// --- Export

// The file holds exactly the bytes the publishing library makes of the
// season shown, for the whole league or the team picked on the Teams tab.
TEST_F(SeasonWindowTest, ExportWritesWhatPublishingMakes) {
  open_example("spring-league.sch");
  set_christmas_calendar();
  const struct {
    publish::Format format;
    int team;
    const char* chosen;
    const char* offered;  // the name the dialog opens with
    std::string filter;
    std::function<std::string()> expected;
  } cases[] = {
      {publish::Format::FixturesCsv, 0, "all.csv", "spring-league.csv", "Fixture list (*.csv) *.csv",
       [this] { return publish::fixtures_csv(window().season()).bytes; }},
      {publish::Format::FixturesCsv, 6, "omalley.csv", "spring-league-o-malley-s.csv",
       "Fixture list (*.csv) *.csv",
       [this] {
         publish::Options o;
         o.team = 6;
         return publish::fixtures_csv(window().season(), o).bytes;
       }},
      {publish::Format::ICalendar, 0, "season.ics", "spring-league.ics", "Calendar (*.ics) *.ics",
       [this] { return without_stamp(publish::icalendar(window().season()).bytes); }},
      // The upload holds the whole league whatever team is picked.
      {publish::Format::UploadCsv, 3, "upload.csv", "spring-league.csv",
       "League website upload (*.csv) *.csv",
       [this] { return publish::upload_csv(window().season()).bytes; }},
  };
  for (const auto& k : cases) {
    ws.choose_next(file(k.chosen));
    ASSERT_TRUE(window().export_season(k.format, k.team)) << k.chosen;
    const base::FileDialogRequest& request = ws.file_requests().back();
    EXPECT_EQ(request.kind, base::FileDialogKind::Save);
    EXPECT_TRUE(request.confirm_overwrite);
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].name + " " + request.filters[0].pattern, k.filter);
    EXPECT_EQ(request.default_suffix, k.filter.substr(k.filter.size() - 3));
    EXPECT_EQ(request.initial_path, file(k.offered));
    std::string written = read_all(folder / k.chosen);
    if (k.format == publish::Format::ICalendar) written = without_stamp(written);
    EXPECT_EQ(written, k.expected()) << k.chosen;
    EXPECT_EQ(window().export_status(), "Saved " + file(k.chosen) + ".");
  }
  EXPECT_TRUE(ws.messages().empty());
}

TEST_F(SeasonWindowTest, AFormatThatCannotBeMadeSaysWhyBeforeAskingForAName) {
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
}

// The PDF comes from the renderer the window supplies, for the team asked for.
TEST_F(SeasonWindowTest, ThePdfComesFromTheInjectedRenderer) {
  open_example("spring-league.sch");
  int asked_for_team = -1;
  window().set_pdf_renderer([&](const season::Season& s, const publish::Options& o) {
    asked_for_team = o.team;
    return publish::Output{publish::Result::Ok, "%PDF " + s.title};
  });
  window().choose_team(2);
  ws.choose_next(file("team.pdf"));
  ASSERT_TRUE(window().export_season(publish::Format::Pdf, window().chosen_team()));
  EXPECT_EQ(asked_for_team, 2);
  EXPECT_EQ(read_all(folder / "team.pdf"), "%PDF Riverside Pool League - Spring 2026");
  EXPECT_EQ(ws.file_requests().back().initial_path, file("spring-league-pocket-rockets.pdf"));
}

// A file that cannot be written is named in the message, and an earlier file
// of that name is kept as it was.
TEST_F(SeasonWindowTest, AFailedExportNamesTheFileAndKeepsTheEarlierOne) {
  open_example("spring-league.sch");
  ws.choose_next(file("missing/fixtures.csv"));
  EXPECT_FALSE(window().export_season(publish::Format::FixturesCsv, 0));
  EXPECT_EQ(last_message(), "Cannot write the file " + file("missing/fixtures.csv") + ". " +
                                std::string(base::describe(base::WriteStatus::NoFolder)));
  EXPECT_EQ(ws.messages().back().caption, "Stop !");
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));

  write_all(folder / "fixtures.csv", "earlier");
  base::WriteFaults faults;
  faults.room = 10;  // the disk fills up
  base::set_write_faults_for_testing(faults);
  ws.choose_next(file("fixtures.csv"));
  EXPECT_FALSE(window().export_season(publish::Format::FixturesCsv, 0));
  base::set_write_faults_for_testing({});
  EXPECT_EQ(last_message(), "Cannot write the file " + file("fixtures.csv") + ". " +
                                std::string(base::describe(base::WriteStatus::NoRoom)));
  EXPECT_EQ(read_all(folder / "fixtures.csv"), "earlier");
  EXPECT_EQ(window().export_status(), "Nothing was written.");

  const std::string league_text = read_all(folder / "spring-league.sch");
  ws.choose_next(file("spring-league.sch"));
  EXPECT_FALSE(window().export_season(publish::Format::FixturesCsv, 0));
  EXPECT_EQ(last_message(),
            "The league file " + file("spring-league.sch") + " cannot take an export. Choose another name.");
  EXPECT_EQ(read_all(folder / "spring-league.sch"), league_text);
}

}  // namespace
}  // namespace quintora::test
