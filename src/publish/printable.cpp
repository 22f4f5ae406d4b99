#include "publish/printable.h"

#include <optional>

#include "base/date.h"
#include "publish/common.h"

namespace quintora::publish::detail {

namespace {

constexpr std::string_view dash = " \xE2\x80\x94 ";  // an em dash between blanks

std::string long_date(const base::Date& date) {
  return std::string(base::weekday_name(date)) + " " + base::format_iso_date(date);
}

// " at 20:30" after a match whose venue starts at a time of its own.
std::string own_time(const season::Season& season, const season::Match& match) {
  const std::optional<base::TimeOfDay> start = season.venue(match).start;
  if (!season.calendar || !start || *start == season.calendar->start) return {};
  return " at " + base::format_time(*start);
}

std::vector<std::string> venue_lines(const season::Season& season, int team) {
  std::vector<std::string> lines;
  if (!season.has_venue_details()) return lines;
  for (const int number : venues_of(season, team)) {
    const season::Bar& bar = season.bar(number);
    std::string line = name_and_address(bar);
    if (!bar.phone.empty()) line += std::string(dash) + bar.phone;
    if (bar.start && season.calendar)
      line += std::string(dash) + "matches start at " + base::format_time(*bar.start);
    lines.push_back(std::move(line));
  }
  return lines;
}

PrintablePage::Team team_part(const season::Season& season, int team) {
  PrintablePage::Team part;
  part.name = season.team(team).name;
  part.home_bar = "Home bar: " + name_and_address(season.bar(season.team(team).bar));
  const std::vector<Fixture> fixtures = fixtures_of(season, team);
  part.fixtures.reserve(fixtures.size());
  for (const Fixture& fixture : fixtures) {
    for (const base::Date& off : weeks_off_before(season, fixture)) {
      PrintablePage::Fixture& row = part.fixtures.emplace_back();
      row.cells[1] = long_date(off);
      row.cells[3] = no_matches_text;
      row.bye = true;
    }
    PrintablePage::Fixture& row = part.fixtures.emplace_back();
    row.cells[0] = std::to_string(fixture.week->number);
    if (fixture.week->date) row.cells[1] = long_date(*fixture.week->date);
    if (fixture.match == nullptr) {
      row.cells[3] = "Not Playing";
      row.bye = true;
      continue;
    }
    row.cells[2] = season.team(fixture.opponent()).name;
    row.cells[3] = fixture.home() ? "Home" : "Away";
    row.cells[4] = season.venue(*fixture.match).name;
    if (fixture.week->date) row.cells[1] += own_time(season, *fixture.match);
  }
  return part;
}

void append_weeks(std::vector<PrintablePage::Week>& weeks, const season::Season& season) {
  for (std::size_t w = 0; w < season.weeks.size(); ++w) {
    for (const base::Date& off : publish::weeks_off_before(season, w))
      weeks.push_back({std::string(no_matches_text) + std::string(dash) + long_date(off), {}, {}, {}});
    const season::Week& week = season.weeks[w];
    PrintablePage::Week& part = weeks.emplace_back();
    part.heading = "Week " + std::to_string(week.number);
    if (week.date) part.heading += std::string(dash) + long_date(*week.date);
    part.matches.reserve(week.matches.size());
    for (const season::Match& match : week.matches) {
      part.matches.push_back(season.team(match.home).name + " v " + season.team(match.away).name +
                             std::string(dash) + season.venue(match).name + own_time(season, match));
    }
    for (int team : week.not_playing) {
      part.bye += part.bye.empty() ? "Not Playing: " : ", ";
      part.bye += season.team(team).name;
    }
  }
}

}  // namespace

PrintablePage printable_page(const season::Season& season, const Options& options) {
  PrintablePage page;
  page.title = season.title.empty() ? std::string("Season") : season.title;
  if (season.calendar) page.note = "Matches start at " + base::format_time(season.calendar->start) + ".";
  if (options.team != 0) {
    page.teams.push_back(team_part(season, options.team));
    page.venues = venue_lines(season, options.team);
    return page;
  }
  if (!detail::has_divisions(season)) {
    append_weeks(page.weeks, season);
  } else {  // a section per division, each with every week
    for (std::size_t d = 0; d < season.divisions.size(); ++d) {
      const std::size_t first = page.weeks.size();
      append_weeks(page.weeks, season::only_division(season, static_cast<int>(d + 1)));
      if (first < page.weeks.size())
        page.weeks[first].section = division_title(season, static_cast<int>(d + 1));
    }
  }
  page.teams.reserve(season.teams.size());
  for (std::size_t t = 0; t < season.teams.size(); ++t) {
    page.teams.push_back(team_part(season, static_cast<int>(t + 1)));
    page.teams.back().league = page.title;  // each team's page says whose league it is
  }
  page.venues = venue_lines(season, 0);
  return page;
}

}  // namespace quintora::publish::detail
