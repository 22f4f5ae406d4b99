#pragma once
// The Season window's rules without a toolkit. It builds the season of the
// open league for the chosen way of building (without writing a file) and
// counts its fairness report; the rows of its tabs come from season_rows.h,
// its calendar fields from CalendarEditor, Export and Print from
// SeasonExport. The toolkit's window only shows what this holds and hands
// the user's changes back.

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
#include "ui/calendar_editor.h"
#include "ui/run_progress.h"
#include "ui/season_export.h"
#include "ui/season_rows.h"

namespace quintora::ui {

// How the season is built: the Schedule dialog's choices and the weeks.
struct BuildChoice {
  schedule::ScheduleMethod method;
  int weeks = 0;  // 0..200
  friend bool operator==(const BuildChoice&, const BuildChoice&) = default;
};

class SeasonWindowLogic {
 public:
  // Builds the season at once with the Schedule dialog's defaults: "Yes"
  // and two passes of weeks. Refusals go to ws as message boxes; a long
  // build shows its progress and Cancel through `runner`.
  SeasonWindowLogic(league::League& league, base::WindowSystem& ws, ProgressRunner runner = {});
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
  const league::League& league() const { return league_; }

  // --- The tabs (see season_rows.h)
  std::vector<WeekRow> week_rows(std::string_view filter = {}, int division = 0) const {
    return ui::week_rows(season_, filter, division);
  }
  // The season's division names; empty for a league of one division.
  const std::vector<std::string>& divisions() const { return season_.divisions; }
  int team_count() const { return static_cast<int>(season_.teams.size()); }
  // The team picked on the Teams tab (0 when none); also what a one-team
  // export or print is for.
  int chosen_team() const { return chosen_team_; }
  void choose_team(int team);
  // Export's "For" choice: the line of the team picked, and whether a format
  // can be made for it (one made per team, with a team picked).
  std::string export_team_caption() const;
  bool exports_for_team(const publish::FormatInfo& format) const {
    return format.per_team && chosen_team_ >= 1;
  }
  std::vector<FixtureRow> fixtures(int team) const { return fixture_rows(season_, team); }
  std::string team_summary(int team) const { return ui::team_summary(fairness_, team); }
  std::string totals_text() const { return ui::totals_text(season_, fairness_); }
  std::string overbooked_text() const { return ui::overbooked_text(fairness_); }
  std::string missed_text() const { return ui::missed_text(fairness_); }
  std::vector<TeamChoice> team_choices() const { return ui::team_choices(season_); }
  std::vector<TeamReportRow> team_report_rows() const { return ui::team_report_rows(fairness_); }
  bool home_bar_overbooked(int team) const { return ui::home_bar_overbooked(season_, fairness_, team); }

  // --- Calendar: a change the editor takes rebuilds the season with its dates.
  const std::optional<league::Calendar>& calendar() const { return calendar_.calendar(); }
  const std::string& calendar_message() const { return calendar_.message(); }
  bool set_first_date(base::Date date);
  bool set_every_days(int days);
  bool set_start_time(base::TimeOfDay time);
  bool add_week_off(base::Date date);
  bool remove_week_off(base::Date date);
  void clear_calendar();
  bool add_unavailable(const league::Unavailable& entry);
  bool remove_unavailable(const league::Unavailable& entry);
  std::vector<UnavailableChoice> unavailable_choices() const { return calendar_.unavailable_choices(); }
  std::vector<UnavailableRow> unavailable_rows() const { return calendar_.unavailable_rows(); }

  // --- Export and print (see SeasonExport)
  void set_pdf_renderer(PdfRenderer renderer) { export_.set_pdf_renderer(std::move(renderer)); }
  void set_paper(publish::Paper paper) { export_.set_paper(paper); }
  publish::Output render(publish::Format format, int team) const {
    return export_.render(season_, format, team);
  }
  bool export_season(publish::Format format, int team) {
    return export_.export_season(built_ ? &season_ : nullptr, format, team);
  }
  std::optional<PrintJob> print_job(int team) { return export_.print_job(season_, team); }
  const std::string& export_status() const { return export_.status(); }

 private:
  void rebuild();
  // Runs a calendar edit and rebuilds the season when the calendar changed.
  template <class Edit>
  bool edit_calendar(Edit edit);

  league::League& league_;
  base::WindowSystem& ws_;
  ProgressRunner runner_;
  BuildChoice choice_;
  season::Season season_;
  report::Fairness fairness_;
  bool built_ = false;
  int chosen_team_ = 0;
  CalendarEditor calendar_;
  SeasonExport export_;
};

}  // namespace quintora::ui
