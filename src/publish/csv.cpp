// The two comma-separated formats. Fields follow RFC 4180: a field holding a
// comma, a double quote, CR or LF is quoted and its quotes doubled; so is one
// holding a semicolon or a tab, which spreadsheets split at where the list
// separator is not the comma. A field that a spreadsheet would take for a
// formula gets an apostrophe (base::without_formulas), so a team name can
// never run as one.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/spreadsheet_text.h"
#include "base/text.h"
#include "publish/common.h"
#include "publish/publish.h"

namespace quintora::publish {

namespace {

void append_field(std::string& out, std::string_view raw) {
  const std::string text = base::without_formulas(base::with_replacement_characters(raw), base::Cells::Whole);
  if (text.find_first_of(",;\t\"\r\n") == std::string::npos) {
    out += text;
    return;
  }
  out += '"';
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

void append_row(std::string& out, const std::vector<std::string_view>& fields) {
  bool first = true;
  for (const std::string_view field : fields) {
    if (!first) out += ',';
    first = false;
    append_field(out, field);
  }
  out += "\r\n";
}

// Two-digit day and month, four-digit year.
std::string day_month_year(const base::Date& date) {
  const std::string iso = base::format_iso_date(date);  // YYYY-MM-DD
  return iso.substr(8, 2) + "/" + iso.substr(5, 2) + "/" + iso.substr(0, 4);
}

}  // namespace

Output fixtures_csv(const season::Season& season, const Options& options) {
  if (const Result result = detail::check(season, options, false); result != Result::Ok)
    return detail::failed(result);
  // The address column only where some bar has one, and the division last
  // only where there are divisions, so other leagues' lists stay as they were.
  const bool addresses = detail::any_address(season);
  const bool divisions = detail::has_divisions(season);
  const auto row = [&](std::string& out, std::vector<std::string_view> fields, std::string_view address,
                       std::string_view division) {
    if (addresses) fields.insert(fields.end() - 1, address);
    if (divisions) fields.push_back(division);
    append_row(out, fields);
  };
  std::string out = "\xEF\xBB\xBF";
  row(out, {"Week", "Date", "Day", "Time", "Home team", "Away team", "Venue", "Note"}, "Venue address",
      "Division");
  for (std::size_t w = 0; w < season.weeks.size(); ++w) {
    for (const base::Date& off : weeks_off_before(season, w)) {
      row(out, {"", base::format_iso_date(off), base::weekday_name(off), "", "", "", "", no_matches_text}, "",
          "");
    }
    const season::Week& week = season.weeks[w];
    const std::string number = std::to_string(week.number);
    const std::string date = week.date ? base::format_iso_date(*week.date) : "";
    const std::string_view day = week.date ? base::weekday_name(*week.date) : "";
    for (const season::Match& match : week.matches) {
      if (!detail::concerns(match, options.team)) continue;
      const std::optional<base::TimeOfDay> start = season.start_time(match);
      const std::string time = start ? base::format_time(*start) : "";
      const season::Bar& venue = season.venue(match);
      row(out,
          {number, date, day, time, season.team(match.home).name, season.team(match.away).name, venue.name,
           ""},
          venue.address, detail::division_of(season, match.home));
    }
    for (int team : week.not_playing) {
      if (options.team == 0 || options.team == team)
        row(out, {number, date, day, "", season.team(team).name, "", "", "Not Playing"}, "",
            detail::division_of(season, team));
    }
  }
  return {Result::Ok, std::move(out)};
}

Output upload_csv(const season::Season& season) {
  if (const Result result = detail::check(season, {}, true); result != Result::Ok)
    return detail::failed(result);
  std::string out;
  append_row(out, {"Date dd/mm/yyyy", "Time HH:MM", "Division", "Home Team", "Away Team", "Venue", "Pitch",
                   "Home Score", "Away Score"});
  for (const season::Week& week : season.weeks) {
    const std::string date = day_month_year(*week.date);
    for (const season::Match& match : week.matches) {
      const std::string time = base::format_time(*season.start_time(match));
      const std::string division =
          detail::has_divisions(season) ? detail::division_of(season, match.home) : season.title;
      append_row(out, {date, time, division, season.team(match.home).name, season.team(match.away).name,
                       season.venue(match).name, "", "", ""});
    }
  }
  return {Result::Ok, std::move(out)};
}

}  // namespace quintora::publish
