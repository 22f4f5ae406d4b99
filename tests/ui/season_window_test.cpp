// The Season window's rules against the scripted window system: how the
// command opens it, what each build choice and calendar edit does to the
// season and the league, the rows of its tabs, and export.

#include "ui/season_window.h"

#include <functional>
#include <iterator>
#include <memory>

#include "base/atomic_file.h"
#include "main_window_fixture.h"
#include "schedule/schedule_run.h"
#include "support/calendar_builder.h"
#include "support/read_file.h"
#include "support/write_faults.h"
#include "ui/run_progress.h"

namespace quintora::test {
namespace {

using base::Date;
using Kind = schedule::ScheduleMethod::Kind;
using ui::RowKind;

class SeasonWindowTest : public MainWindowTest {
 public:
  // Opens a copy of an example league, so nothing can touch the original.
  void open_example(const std::string& name) {
    std::filesystem::copy_file(std::filesystem::path(QUINTORA_SOURCE_DIR) / "examples" / name,
                               folder_ / name);
    ws.choose_next(file(name));
    ws.click(cmd::file_open);
    ASSERT_EQ(league().file_state, league::FileState::Saved);
  }
  ui::SeasonWindowLogic& window() {
    if (!season) season.emplace(league(), ws);
    return *season;
  }
  std::optional<ui::SeasonWindowLogic> season;
};

// The command checks and asks as the Schedule command does, then opens the
// window with the Schedule dialog's defaults (the window has no way to the
// dialog's options).
TEST_F(SeasonWindowTest, TheCommandChecksAsksAndOpensWithTheDefaults) {
  std::vector<ui::BuildChoice> seen;
  logic->set_season_window_opener([&](ui::SeasonWindowLogic& w) {
    seen.push_back(w.choice());
    if (seen.size() == 1)
      w.set_choice({{Kind::Fairest, 9}, 3});  // the first time a new choice, then a calendar
    if (seen.size() == 2) w.set_first_date({2026, 9, 1});
  });
  ws.click(cmd::view_season);
  EXPECT_EQ(last_message(), "Cannot schedule without teams.");
  open_example("odd-league.sch");
  ws.click(cmd::view_season);
  ws.click(c::season_button);
  EXPECT_EQ(seen, std::vector<ui::BuildChoice>(2, {{Kind::Search, 1}, 22}));  // 11 teams: two passes of 11
  ws.answer_next(base::Answer::Cancel);  // the calendar is an unsaved change like any other
  ws.click(cmd::view_season);
  EXPECT_EQ(std::tuple(last_message(), seen.size()), std::tuple("Save changes before continue?", 2u));
}

// Each choice is taken at the nearest end of its range and gives the season
// the schedule run builds for the same options, and the report of that
// season; a team the league does not have is no team.
TEST_F(SeasonWindowTest, EachBuildChoiceRebuildsTheSeason) {
  open_example("spring-league.sch");
  const std::pair<ui::BuildChoice, ui::BuildChoice> choices[] = {
      // given, taken
      {{{Kind::Fairest, 5000}, -3}, {{Kind::Fairest, 1000}, 0}},
      {{{Kind::Fairest, -7}, 500}, {{Kind::Fairest, 1}, 200}}};
  for (const auto& [given, taken] : choices) {
    window().set_choice(given);
    EXPECT_EQ(window().choice(), taken);
  }
  auto run = std::make_unique<schedule::ScheduleRun>();
  ASSERT_TRUE(run->build_season(league(), schedule::options_for({Kind::Fairest, 1}, 200)).ok());
  EXPECT_EQ(publish::fixtures_csv(window().season()).bytes, publish::fixtures_csv(run->season()).bytes);
  EXPECT_EQ(report::as_json(window().fairness()), report::as_json(report::assess(run->season())));
  // Export for a team: a format made per team, with a team picked.
  const publish::FormatInfo& list = *publish::find_format("fixtures-csv");
  const publish::FormatInfo& book = *publish::find_format("xlsx");
  window().choose_team(6);
  EXPECT_EQ(std::tuple(window().export_team_caption(), window().exports_for_team(list),
                       window().exports_for_team(book)),
            std::tuple("Team: O'Malley's", true, false));
  window().choose_team(99);  // a team the league does not have
  EXPECT_EQ(std::tuple(window().chosen_team(), window().fixtures(99).size(), window().team_summary(0),
                       window().export_team_caption(), window().exports_for_team(list)),
            std::tuple(0, 0u, "", "Team on the Teams tab", false));
  EXPECT_TRUE(ws.messages().empty());
}

// A good edit becomes the league's calendar, marks the league modified and
// dates the season; a bad one is refused with a sentence naming it (the
// calendar's own checks are the calendar tests' business) and changes
// nothing. Unavailable dates follow the same rules.
TEST_F(SeasonWindowTest, CalendarEditsAreCheckedThenDateTheSeason) {
  open_example("spring-league.sch");
  ui::SeasonWindowLogic& w = window();
  EXPECT_FALSE(w.add_week_off({2026, 12, 22}));  // without a calendar only the first date starts one
  EXPECT_EQ(w.calendar_message(), "Choose the first match date first.");
  w.set_choice({{Kind::Search}, 20});
  ASSERT_TRUE(w.set_first_date({2026, 9, 1}));
  EXPECT_EQ(std::tuple(league().file_state, league().calendar->every_days, league().calendar->start),
            std::tuple(league::FileState::Modified, 7, base::TimeOfDay{20, 0}));
  // Christmas and New Year off: the rows show the first in its place (how
  // the weeks after move on is the calendar tests' business).
  ASSERT_TRUE(w.add_week_off({2026, 12, 29}));
  ASSERT_TRUE(w.add_week_off({2026, 12, 22}));
  EXPECT_EQ(w.week_rows("Side Spin")[16].date, "Tue 2026-12-22");

  league().file_state = league::FileState::Saved;  // as just saved
  EXPECT_TRUE(w.set_first_date({2026, 9, 1}));     // the same calendar again is no change
  const league::Calendar good = *league().calendar;
  const auto refused = [&](bool taken, const std::string& message) {
    EXPECT_FALSE(taken) << message;
    EXPECT_EQ(w.calendar_message(), message);
    EXPECT_TRUE(league().calendar == good && league().file_state == league::FileState::Saved) << message;
  };
  refused(w.add_week_off({2027, 6, 1}),
          "The week off 2027-06-01 is after the season's last match date, 2027-01-26.");
  refused(w.add_week_off({2026, 12, 22}), "The week off 2026-12-22 is listed already.");
  refused(w.remove_week_off({2026, 12, 15}), "2026-12-15 is not a week off.");
  ASSERT_TRUE(w.remove_week_off({2026, 12, 29}));
  ASSERT_TRUE(w.set_every_days(14));  // 2026-12-22 is a fortnightly date too; 2026-12-29 is not
  ASSERT_TRUE(w.set_start_time({19, 30}));
  EXPECT_EQ(std::tuple(w.season().weeks[1].date, league().calendar->start, w.calendar_message()),
            std::tuple(Date{2026, 9, 15}, base::TimeOfDay{19, 30}, ""));  // a good edit clears the message

  // Unavailable dates are checked like the weeks off, each change marks the
  // league, and they are listed in date order.
  const std::vector<ui::UnavailableChoice> choices = w.unavailable_choices();
  ASSERT_EQ(choices.size(), static_cast<std::size_t>(league().n_bar + league().n_team));
  EXPECT_EQ(std::pair(choices.front().text, choices.back().text),
            std::pair(std::string("Bar: The Corner Pocket"), std::string("Team: Side Spin")));
  const league::Unavailable late{choices.back().kind, choices.back().position, {2026, 9, 15}};
  league().file_state = league::FileState::Saved;
  EXPECT_TRUE(w.add_unavailable({choices.front().kind, choices.front().position, {2026, 9, 29}}));
  EXPECT_EQ(league().file_state, league::FileState::Modified);
  EXPECT_TRUE(w.add_unavailable(late));
  EXPECT_FALSE(w.add_unavailable(late));  // the league's refusals are the league tests' business
  EXPECT_EQ(std::pair(w.calendar_message(), league().unavailable.n_entry),
            std::pair(std::string("2026-09-15 is already listed."), 2));
  Strings unavailable;
  for (const ui::UnavailableRow& r : w.unavailable_rows()) unavailable.push_back(r.text);
  EXPECT_EQ(unavailable, (Strings{"2026-09-15  Side Spin (team)", "2026-09-29  The Corner Pocket (bar)"}));
  league().file_state = league::FileState::Saved;
  EXPECT_TRUE(w.remove_unavailable(late));
  EXPECT_FALSE(w.remove_unavailable(late));
  EXPECT_EQ(league().file_state, league::FileState::Modified);
  w.clear_calendar();
  EXPECT_EQ(std::tuple(league().calendar.has_value(), w.season().weeks[0].date),
            std::tuple(false, std::nullopt));
}

// A format that cannot be made says why before a name is asked for; a
// cancelled name says nothing; a file that cannot be written is named in the
// message, an earlier file of that name is kept as it was, and the league
// file takes no export. A file written holds exactly the bytes the publishing
// library makes of the season shown, for the whole league or the team picked
// on the Teams tab, under the name offered; the PDF comes from the renderer
// the window supplies.
TEST_F(SeasonWindowTest, ExportWritesWhatPublishingMakesOrSaysWhyNot) {
  open_example("spring-league.sch");
  std::ofstream(folder_ / "fixtures.csv") << "earlier";
  const std::string league_text = read_file(folder_ / "spring-league.sch");
  const struct {
    publish::Format format;
    std::optional<std::string> chosen;  // none: no name asked for, or the dialog cancelled
    long long room;                     // the disk fills up after so many bytes; -1: it does not
    std::string message;
  } refusals[] = {
      {publish::Format::ICalendar, {}, -1, publish::message(publish::Result::NeedsCalendar)},
      {publish::Format::Pdf, {}, -1, publish::message(publish::Result::NoGuiApplication)},  // no renderer
      {publish::Format::FixturesCsv, {}, -1, ""},
      {publish::Format::FixturesCsv, file("fixtures.csv"), 10,
       "Cannot write the file " + file("fixtures.csv") + ". " +
           std::string(base::describe(base::WriteStatus::NoRoom))},
      {publish::Format::FixturesCsv, file("spring-league.sch"), -1,
       "The league file " + file("spring-league.sch") + " cannot take an export. Choose another name."},
  };
  for (const auto& k : refusals) {
    ws.clear_messages();
    if (k.chosen) ws.choose_next(*k.chosen);
    base::set_write_faults_for_testing(write_faults(0, k.room));
    EXPECT_FALSE(window().export_season(k.format, 0)) << k.message;
    base::set_write_faults_for_testing({});
    EXPECT_EQ(last_message(), k.message);
  }
  EXPECT_EQ(std::tuple(ws.file_requests().size(), read_file(folder_ / "fixtures.csv"),
                       read_file(folder_ / "spring-league.sch"), window().export_status()),
            std::tuple(4u, "earlier", league_text, "Nothing was written."));  // the open's, and three names
  EXPECT_FALSE(window().print_job(99));
  EXPECT_EQ(last_message(), "There is no team number 99 in this league.");

  ws.clear_messages();
  ASSERT_TRUE(window().set_first_date({2026, 9, 1}));  // the upload needs dates
  const season::Season& s = window().season();
  publish::Options team6;
  team6.team = 6;
  const struct {
    publish::Format format;
    int team;
    const char *chosen, *offered;  // the name given, and the one the dialog opened with
    std::string expected;
  } written[] = {
      {publish::Format::FixturesCsv, 0, "all.csv", "spring-league.csv", publish::fixtures_csv(s).bytes},
      {publish::Format::FixturesCsv, 6, "omalley.csv", "spring-league-o-malley-s.csv",
       publish::fixtures_csv(s, team6).bytes},
      // The upload holds the whole league whatever team is picked.
      {publish::Format::UploadCsv, 3, "upload.csv", "spring-league.csv", publish::upload_csv(s).bytes},
  };
  for (const auto& k : written) {
    ws.choose_next(file(k.chosen));
    ASSERT_TRUE(window().export_season(k.format, k.team)) << k.chosen;
    EXPECT_EQ(std::pair(ws.file_requests().back().initial_path, window().export_status()),
              std::pair(file(k.offered), "Saved " + file(k.chosen) + "."));
    EXPECT_EQ(read_file(folder_ / k.chosen), k.expected) << k.chosen;
  }
  // The PDF and the print take the paper of the user's country.
  window().set_pdf_renderer(
      [&](const season::Season& shown, const publish::Options& o, publish::Paper paper) {
        return publish::Output{publish::Result::Ok, std::to_string(o.team) + " " + shown.title + " " +
                                                        (paper == publish::Paper::Letter ? "Letter" : "A4")};
      });
  window().set_paper(ui::paper_for_country("CA"));
  window().choose_team(2);
  ws.choose_next(file("team.pdf"));
  ASSERT_TRUE(window().export_season(publish::Format::Pdf, window().chosen_team()));
  EXPECT_EQ(std::pair(read_file(folder_ / "team.pdf"), ws.file_requests().back().initial_path),
            std::pair(std::string("2 Riverside Pool League - Spring 2026 Letter"),
                      file("spring-league-pocket-rockets.pdf")));
  const std::optional<ui::PrintJob> job = window().print_job(2);
  ASSERT_TRUE(job);
  EXPECT_EQ(std::pair(job->options.team, job->paper), std::pair(2, publish::Paper::Letter));
  std::string papers;
  for (const char* country : {"US", "MX", "GB", ""})
    papers += ui::paper_for_country(country) == publish::Paper::Letter ? "Letter " : "A4 ";
  EXPECT_EQ(papers, "Letter Letter A4 A4 ");
  EXPECT_TRUE(ws.messages().empty());

  // A calendar's record of what it published that cannot be used is said,
  // and made anew; a folder that is not there is named, and the status no
  // longer says the last file was saved.
  std::ofstream(folder_ / "season.ics-state") << "edited by hand\n";
  ws.choose_next(file("season.ics"));
  EXPECT_TRUE(window().export_season(publish::Format::ICalendar, 0));
  EXPECT_NE(last_message().find(file("season.ics-state") + ", which records"), std::string::npos);
  EXPECT_EQ(read_file(folder_ / "season.ics-state"), publish::icalendar(window().season()).calendar_state);
  ws.choose_next(file("missing") + "/fixtures.csv");
  EXPECT_FALSE(window().export_season(publish::Format::FixturesCsv, 0));
  EXPECT_EQ(
      std::pair(last_message(), window().export_status()),
      std::pair("The folder " + file("missing") + " does not exist.", std::string("Nothing was written.")));
}

// A row as the tests read it: its week (a week off by its date), then its
// three texts.
template <class Row>
std::string listed(const std::vector<Row>& rows) {
  std::string out;
  for (const Row& row : rows) {
    const auto& [kind, week, date, first, second, venue] = row;
    out += (kind == RowKind::WeekOff ? date : std::to_string(week)) + " " + first + "/" + second + "/" +
           venue + ", ";
  }
  return out;
}

// The Weeks tab lists every match and bye in order, weeks off in their
// places; its filter keeps the rows of a team (its matches either way and its
// byes) or of a bar (the matches it hosts), letter case and outer blanks
// ignored, and a division its own matches and byes. The Teams tab shows a
// team's line of each week; the Teams and Fairness tabs group the teams by
// division, each against its own fewest breaks, and name the dates missed.
TEST(SeasonRows, TheTabsShowTheSeasonFilteredAndByDivision) {
  season::Season s;
  s.bars = {{"Ochse", 2}, {"Quay", 1}};
  s.teams = {{"Hirschjäger", 1, 1}, {"B", 2, 1}, {"C", 1, 2}, {"D", 2, 2}, {"E", 1, 2}};
  s.divisions = {"Premier", "First"};
  s.calendar = calendar({2026, 9, 1}, {{2026, 9, 8}});
  s.weeks = {{1, base::Date{2026, 9, 1}, {{1, 2}, {3, 4}}, {5}},
             {2, base::Date{2026, 9, 15}, {{2, 1}, {5, 3}}, {4}}};
  const std::string off = "Tue 2026-09-08 Week off//, ";
  EXPECT_EQ(listed(ui::week_rows(s)), "1 Hirschjäger/B/Ochse, 1 C/D/Ochse, 1 E/Not Playing/, " + off +
                                          "2 B/Hirschjäger/Quay, 2 E/C/Ochse, " + "2 D/Not Playing/, ");
  const std::pair<const char*, std::string> filters[] = {
      {"HIRSCHJÄGER", "1 Hirschjäger/B/Ochse, " + off + "2 B/Hirschjäger/Quay, "},
      {"  ochse ", "1 Hirschjäger/B/Ochse, 1 C/D/Ochse, " + off + "2 E/C/Ochse, "},
      {"not playing", off}};
  for (const auto& [filter, rows] : filters) EXPECT_EQ(listed(ui::week_rows(s, filter)), rows) << filter;
  EXPECT_EQ(listed(ui::week_rows(s, "", 1)), "1 Hirschjäger/B/Ochse, " + off + "2 B/Hirschjäger/Quay, ");
  EXPECT_EQ(listed(ui::week_rows(s, "", 2)),
            "1 C/D/Ochse, 1 E/Not Playing/, " + off + "2 E/C/Ochse, 2 D/Not Playing/, ");
  EXPECT_EQ(listed(ui::fixture_rows(s, 3)), "1 D/Home/Ochse, Tue 2026-09-08 /Week off/, 2 E/Away/Ochse, ");
  EXPECT_EQ(listed(ui::fixture_rows(s, 5)), "1 /Not Playing/, Tue 2026-09-08 /Week off/, 2 C/Home/Ochse, ");
  EXPECT_EQ(ui::fixture_rows(s, 6).size() + ui::fixture_rows(s, 0).size(), 0u);

  std::string choices;
  for (const ui::TeamChoice& c : ui::team_choices(s)) choices += (c.starts_group ? "|" : "") + c.text + ",";
  EXPECT_EQ(choices, "|1  Hirschjäger (Premier),2  B (Premier),|3  C (First),4  D (First),5  E (First),");
  report::Fairness f = report::assess(s);
  f.unavailable_missed = {{true, 1, "Ochse", {2026, 9, 15}}, {false, 4, "D", {2026, 9, 1}}};
  f.has_unavailable = true;
  f.minimum_is_exact = false;  // a bound only, as for a season cut short
  std::string rows;
  for (const ui::TeamReportRow& r : ui::team_report_rows(f))
    rows += (r.team == 0 ? "[" + r.heading + "]" : std::to_string(r.team)) + ",";
  EXPECT_EQ(rows,
            "[Premier: 0 breaks, the fewest mirrored 0],1,2,[First: 0 breaks, the fewest mirrored 0],3,4,5,");
  EXPECT_EQ(
      ui::totals_text(s, f),
      "Breaks in this season: 0. The fewest any season of mirrored round-robins of 5 teams and 2 weeks can "
      "have: at least 0.\nPremier: 0 breaks, the fewest mirrored 0.\nFirst: 0 breaks, the fewest mirrored "
      "0.");
  const std::string summary =
      "Home games: 1, away games: 1, weeks not playing: 0, breaks: 0, longest home run: 1, longest away run: "
      "1.";
  EXPECT_EQ(ui::team_summary(f, 3), "Division: First. " + summary);
  EXPECT_EQ(ui::missed_text(f),
            "Unavailable dates not kept: Tue 2026-09-15 Ochse (bar); Tue 2026-09-01 D (team).");
  f.unavailable_missed.clear();
  EXPECT_EQ(ui::missed_text(f), "Every unavailable date is kept.");
  f.has_unavailable = false;
  EXPECT_EQ(ui::missed_text(f), "");

  // One division: the teams in order, no headings, the sentences as before.
  s.divisions.clear();
  for (season::Team& t : s.teams) t.division = 1;
  f = report::assess(s);
  EXPECT_EQ(ui::team_choices(s).front(), (ui::TeamChoice{1, "1  Hirschjäger", false}));
  EXPECT_EQ(ui::team_report_rows(f).size(), 5u);
  EXPECT_EQ(ui::team_summary(f, 3), summary);
  EXPECT_EQ(ui::totals_text(s, f).find('\n'), std::string::npos);
}

using std::chrono::milliseconds;

// Fairest kept from an unavailable date reports its progress, and Cancel
// stops it with its notice, in the Season window and in the Schedule dialog.
TEST_F(SeasonWindowTest, FairestShowsItsProgressAndCancelStopsIt) {
  open_example("spring-league.sch");
  // Stands in for the window's runner: notes what the bar would show before
  // and after the run, and clicks Cancel before the run when told to.
  bool cancel = false;
  std::vector<ui::ProgressView> views;
  const ui::ProgressRunner runner = [&](ui::RunProgress& progress, const std::function<void()>& work) {
    if (cancel) progress.cancel();
    work();
    views.push_back(progress.view(milliseconds(400)));
    views.push_back(progress.view(milliseconds(600)));
  };
  season.emplace(league(), ws, runner);
  ui::SeasonWindowLogic& w = *season;
  w.set_first_date({2026, 9, 1});
  ASSERT_TRUE(w.add_unavailable({league::UnavailableKind::Bar, 0, {2026, 9, 1}}));
  EXPECT_EQ(views, std::vector<ui::ProgressView>(6));  // three builds at effort "Yes": no bar
  views.clear();
  w.set_choice({{Kind::Fairest, 1}, w.choice().weeks});
  ASSERT_TRUE(w.built());
  EXPECT_EQ(views, (std::vector<ui::ProgressView>{{}, {true, 100}}));

  cancel = true;
  w.set_choice({{Kind::Fairest, 2}, w.choice().weeks});
  EXPECT_FALSE(w.built());
  EXPECT_EQ(last_message(), "The schedule was cancelled.");

  // The Schedule dialog's run goes through the same runner: cancelled, the
  // dialog stays open and the earlier result file is left alone.
  std::ofstream(folder_ / "out.txt") << "earlier";
  logic->set_progress_runner(runner);
  ws.on_dialog([&](FakeWindowSystem& fake, base::DialogHandler& handler) {
    fake.type(c::result_file, "out.txt");
    fake.set_checked(c::effort_yes, false);
    fake.set_checked(c::effort_fairest, true);
    EXPECT_FALSE(handler.on_command(fake, c::do_it));
  });
  ws.answer_next(base::Answer::Yes);  // save the dates first
  ws.click(c::schedule_button);
  EXPECT_EQ(std::pair(last_message(), read_file(folder_ / "out.txt")),
            std::pair(std::string("The schedule was cancelled."), std::string("earlier")));
}

}  // namespace
}  // namespace quintora::test
