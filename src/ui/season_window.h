#pragma once
// The Season window's rules without a toolkit. It builds the season of the
// open league for the chosen way of building (without writing a file), lays
// it out as the rows of the Weeks and Teams tabs, counts the fairness report,
// edits the league's calendar (each change checked before the league takes
// it), and exports or prints the season. The toolkit's window only shows
// what this holds and hands the user's changes back.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/date.h"
#include "base/window_system.h"
#include "league/league.h"
#include "publish/publish.h"
#include "report/fairness.h"
#include "schedule/schedule_options.h"
#include "season/season.h"

namespace quintora::schedule {
class ScheduleRun;
}

namespace quintora::ui {

// How the season is built: the Schedule dialog's choices and the weeks.
struct BuildChoice {
  schedule::ScheduleMethod method;
  int weeks = 0;  // 0..200
  friend bool operator==(const BuildChoice&, const BuildChoice&) = default;
};

inline constexpr std::string_view not_playing_text = "Not Playing";
inline constexpr std::string_view week_off_text = "Week off";
inline constexpr std::string_view home_text = "Home";
inline constexpr std::string_view away_text = "Away";

enum class RowKind { Match, Bye, WeekOff };

// A line of the Weeks tab. A bye names its team in `home` and "Not Playing"
// in `away`; a week off of the calendar has no week number and says
// "Week off" in `home`.
struct WeekRow {
  RowKind kind = RowKind::Match;
  int week = 0;
  std::string date;  // e.g. "Tue 2026-09-01"; empty without a calendar
  std::string home;
  std::string away;
  std::string venue;
  friend bool operator==(const WeekRow&, const WeekRow&) = default;
};

// A line of one team's fixtures on the Teams tab.
struct FixtureRow {
  RowKind kind = RowKind::Match;
  int week = 0;
  std::string date;
  std::string opponent;
  std::string side;  // "Home", "Away", "Not Playing" or "Week off"
  std::string venue;
  friend bool operator==(const FixtureRow&, const FixtureRow&) = default;
};

// Makes the PDF of the printable page. The PDF needs the toolkit, so the
// window that has one supplies it.
using PdfRenderer = std::function<publish::Output(const season::Season&, const publish::Options&)>;

class SeasonWindowLogic {
 public:
  // Builds the season at once with the Schedule dialog's defaults: "Yes"
  // and two passes of weeks. Refusals go to ws as message boxes.
  SeasonWindowLogic(League& league, base::WindowSystem& ws);
  ~SeasonWindowLogic();
  SeasonWindowLogic(const SeasonWindowLogic&) = delete;
  SeasonWindowLogic& operator=(const SeasonWindowLogic&) = delete;

  // --- How to build
  const BuildChoice& choice() const { return choice_; }
  // Takes the choice (variant and weeks clamped to their ranges) and builds
  // the season again.
  void set_choice(BuildChoice choice);
  // False when the last build was refused; the tabs are then empty.
  bool built() const { return built_; }
  const season::Season& season() const { return season_; }
  const report::Fairness& fairness() const { return fairness_; }
  const League& league() const { return league_; }

  // --- Weeks tab
  // Every week in order, with the calendar's weeks off in their places;
  // with a filter, only the rows whose team or venue contains it (letter
  // case ignored). Weeks off concern everybody and always stay.
  std::vector<WeekRow> week_rows(std::string_view filter = {}) const;

  // --- Teams tab
  int team_count() const { return static_cast<int>(season_.teams.size()); }
  // The team picked on the Teams tab (0 when none); also what a one-team
  // export or print is for.
  int chosen_team() const { return chosen_team_; }
  void choose_team(int team);
  std::vector<FixtureRow> fixtures(int team) const;
  // The team's line of the report, as a sentence; empty for no team.
  std::string team_summary(int team) const;

  // --- Fairness tab
  // The league's breaks against the fewest possible, as a sentence.
  std::string totals_text() const;
  // Which bars hosted more matches than their tables in some week.
  std::string overbooked_text() const;
  bool overbooked(const report::BarLine& bar) const { return bar.weeks_over_tables > 0; }
  // Whether the team's home bar hosts more matches than its tables in some week.
  bool home_bar_overbooked(int team) const;

  // --- Calendar
  // Each change is checked first. A good one becomes the league's calendar,
  // marks the league modified and rebuilds the season with its dates; a bad
  // one changes nothing and leaves its reason in calendar_message().
  const std::optional<Calendar>& calendar() const { return league_.calendar; }
  const std::string& calendar_message() const { return calendar_message_; }
  // Starts a calendar when the league has none (every 7 days, 20:00).
  bool set_first_date(base::Date date);
  bool set_every_days(int days);
  bool set_start_time(base::TimeOfDay time);
  // A week off must be a match date of the calendar within the season.
  bool add_week_off(base::Date date);
  bool remove_week_off(base::Date date);
  // The weeks go back to having no dates.
  void clear_calendar();

  // --- Export and print
  void set_pdf_renderer(PdfRenderer renderer) { pdf_renderer_ = std::move(renderer); }
  // The season in `format`, for the whole league (team 0) or one team where
  // the format has per-team files; not written anywhere.
  publish::Output render(publish::Format format, int team) const;
  // Asks for a file name and writes the file. A format that cannot be made
  // (a calendar missing) or a file that cannot be written is said in a
  // message box naming it; an earlier file of that name is then kept. True
  // when the file was written.
  bool export_season(publish::Format format, int team);
  // The printable page (HTML) to print, for the whole league or one team;
  // nothing, after a message box saying why, when it cannot be made.
  std::optional<std::string> page_to_print(int team);
  // What the last export did, for the window's status line.
  const std::string& export_status() const { return export_status_; }

 private:
  void rebuild();
  // within_season: a week off being added, which must fall within the season.
  bool take_calendar(const Calendar& calendar, std::optional<base::Date> within_season);
  // False, saying so, while the league has no calendar to change.
  bool has_calendar();
  // The name offered in the export file dialog: beside the league file.
  std::string suggested_path(const publish::FormatInfo& info, int team) const;

  League& league_;
  base::WindowSystem& ws_;
  BuildChoice choice_;
  std::unique_ptr<schedule::ScheduleRun> run_;
  season::Season season_;
  report::Fairness fairness_;
  bool built_ = false;
  int chosen_team_ = 0;
  std::string calendar_message_;
  std::string export_status_;
  PdfRenderer pdf_renderer_;
};

// Whether `text` contains `part`, letter case ignored as names are compared.
bool contains_ignoring_case(std::string_view text, std::string_view part);

// A date as the window shows it: "Tue 2026-09-01".
std::string display_date(base::Date date);

// Shows the Season window for `logic` and returns when it is closed. The
// program with a display supplies it; tests supply their own.
using SeasonWindowOpener = std::function<void(SeasonWindowLogic&)>;

}  // namespace quintora::ui
