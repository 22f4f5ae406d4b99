#pragma once
// The Season window's calendar fields. Each change is checked before the
// league takes it: a good one becomes the league's calendar and marks the
// league modified; a bad one changes nothing and leaves its reason in
// message(), for the window to show beside the fields.

#include <optional>
#include <string>
#include <vector>

#include "base/date.h"
#include "league/league.h"

namespace quintora::ui {

// A bar or a team that can be unavailable, as the window offers it.
struct UnavailableChoice {
  std::string text;  // "Bar: NAME" or "Team: NAME"
  league::UnavailableKind kind = league::UnavailableKind::Bar;
  int position = 0;
};
// A listed unavailable date, as the window shows it.
struct UnavailableRow {
  std::string text;  // "YYYY-MM-DD  NAME (bar)"
  league::Unavailable entry;
};

class CalendarEditor {
 public:
  explicit CalendarEditor(league::League& league) : league_(league) {}

  const std::optional<league::Calendar>& calendar() const { return league_.calendar; }
  const std::string& message() const { return message_; }

  // Each returns whether the value was taken (also when it was already the
  // league's). Starts a calendar when the league has none (every 7 days, 20:00).
  bool set_first_date(base::Date date);
  bool set_every_days(int days);
  bool set_start_time(base::TimeOfDay time);
  // A week off must be a match date of the calendar within a season of
  // season_weeks weeks (any, for 0).
  bool add_week_off(base::Date date, int season_weeks);
  bool remove_week_off(base::Date date);
  // The weeks go back to having no dates.
  void clear();

  // A date a bar hosts nothing or a team plays no home match: a match date
  // of the calendar, listed once. Each returns whether it was taken.
  bool add_unavailable(const league::Unavailable& entry);
  bool remove_unavailable(const league::Unavailable& entry);
  // Each live bar, then each live team, in entry order.
  std::vector<UnavailableChoice> unavailable_choices() const;
  // The listed dates in date order, bars before teams on one date.
  std::vector<UnavailableRow> unavailable_rows() const;

 private:
  // within_season: a week off being added, which must fall within the season.
  bool take(const league::Calendar& calendar, std::optional<base::Date> within_season, int season_weeks);
  // False, saying so, while the league has no calendar to change.
  bool has_calendar();

  league::League& league_;
  std::string message_;
};

}  // namespace quintora::ui
