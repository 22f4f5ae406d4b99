#include "publish/printable.h"

#include "base/date.h"
#include "publish/common.h"

namespace quintora::publish::detail {

namespace {

constexpr std::string_view dash = " \xE2\x80\x94 ";  // an em dash between blanks

std::string long_date(const base::Date& date) {
  return std::string(base::weekday_name(date)) + " " + base::format_iso_date(date);
}

PrintablePage::Team team_part(const season::Season& season, int team) {
  PrintablePage::Team part;
  part.name = season.team(team).name;
  part.home_bar = "Home bar: " + season.bar(season.team(team).bar).name;
  const std::vector<Fixture> fixtures = fixtures_of(season, team);
  part.fixtures.reserve(fixtures.size());
  for (const Fixture& fixture : fixtures) {
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
  }
  return part;
}

}  // namespace

PrintablePage printable_page(const season::Season& season, const Options& options) {
  PrintablePage page;
  page.title = season.title.empty() ? std::string("Season") : season.title;
  if (season.calendar) page.note = "Matches start at " + base::format_time(season.calendar->start) + ".";
  if (options.team != 0) {
    page.teams.push_back(team_part(season, options.team));
    return page;
  }
  page.weeks.reserve(season.weeks.size());
  for (const season::Week& week : season.weeks) {
    PrintablePage::Week& part = page.weeks.emplace_back();
    part.heading = "Week " + std::to_string(week.number);
    if (week.date) part.heading += std::string(dash) + long_date(*week.date);
    part.matches.reserve(week.matches.size());
    for (const season::Match& match : week.matches) {
      part.matches.push_back(season.team(match.home).name + " v " + season.team(match.away).name +
                             std::string(dash) + season.venue(match).name);
    }
    for (int team : week.not_playing) {
      part.bye += part.bye.empty() ? "Not Playing: " : ", ";
      part.bye += season.team(team).name;
    }
  }
  page.teams.reserve(season.teams.size());
  for (std::size_t t = 0; t < season.teams.size(); ++t)
    page.teams.push_back(team_part(season, static_cast<int>(t + 1)));
  return page;
}

}  // namespace quintora::publish::detail
