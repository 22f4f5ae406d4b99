// The printable page. The same markup is printed to PDF through Qt's
// QTextDocument, which knows a subset of HTML 4 and CSS 2: plain blocks and
// tables, class selectors, page-break-before, simple fonts and borders. So
// the page keeps to that subset, with table attributes that Qt reads where
// its CSS support ends; browsers read the stylesheet.

#include <string>
#include <string_view>

#include "base/text.h"
#include "publish/common.h"
#include "publish/publish.h"

namespace quintora::publish {

namespace {

constexpr std::string_view style = R"(<style>
@page { margin: 15mm; }
body { font-family: "DejaVu Sans", "Noto Sans", "Liberation Sans", Arial, sans-serif; font-size: 10pt;
  color: #000000; background-color: #ffffff; }
h1 { font-size: 18pt; margin-top: 0; margin-bottom: 4pt; }
h2 { font-size: 14pt; margin-top: 0; margin-bottom: 4pt; }
h3 { font-size: 11pt; margin-top: 10pt; margin-bottom: 2pt; }
p { margin-top: 0; margin-bottom: 1pt; }
p.note { color: #444444; margin-bottom: 8pt; }
p.bye { font-style: italic; }
table { border-collapse: collapse; width: 100%; }
th, td { border: 1px solid #999999; padding: 2pt 4pt; text-align: left; vertical-align: top; }
th { background-color: #eeeeee; }
.team { page-break-before: always; }
div.week { page-break-inside: avoid; }
</style>
)";

// Valid UTF-8 with the five markup characters as entities; control
// characters other than tab, LF and CR (which HTML forbids) become U+FFFD.
std::string escape(std::string_view raw) {
  std::string out;
  for (const char c : base::with_replacement_characters(raw)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == '\x7F')
          out += "\xEF\xBF\xBD";
        else
          out += c;
    }
  }
  return out;
}

std::string long_date(const base::Date& date) {
  return std::string(base::weekday_name(date)) + " " + base::format_iso_date(date);
}

void append_weeks(std::string& out, const season::Season& season) {
  for (const season::Week& week : season.weeks) {
    out += "<div class=\"week\">\n<h3>Week " + std::to_string(week.number);
    if (week.date) out += " \xE2\x80\x94 " + long_date(*week.date);
    out += "</h3>\n";
    for (const season::Match& match : week.matches) {
      out += "<p>" + escape(season.team(match.home).name) + " v " + escape(season.team(match.away).name) +
             " \xE2\x80\x94 " + escape(season.venue(match).name) + "</p>\n";
    }
    if (week.not_playing != 0)
      out += "<p class=\"bye\">Not Playing: " + escape(season.team(week.not_playing).name) + "</p>\n";
    out += "</div>\n";
  }
}

void append_team(std::string& out, const season::Season& season, int team, bool new_page) {
  out += new_page ? "<h2 class=\"team\">" : "<h2>";
  out += escape(season.team(team).name) + "</h2>\n";
  out += "<p class=\"note\">Home bar: " + escape(season.bar(season.team(team).bar).name) + "</p>\n";
  out += "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\" border=\"1\">\n";
  out += "<tr><th>Week</th><th>Date</th><th>Opponent</th><th>Home or away</th><th>Venue</th></tr>\n";
  for (const detail::Fixture& fixture : detail::fixtures_of(season, team)) {
    out += "<tr><td>" + std::to_string(fixture.week->number) + "</td><td>";
    if (fixture.week->date) out += long_date(*fixture.week->date);
    if (fixture.match == nullptr) {
      out += "</td><td></td><td>Not Playing</td><td></td></tr>\n";
      continue;
    }
    out += "</td><td>" + escape(season.team(fixture.opponent()).name) + "</td><td>" +
           (fixture.home() ? "Home" : "Away") + "</td><td>" + escape(season.venue(*fixture.match).name) +
           "</td></tr>\n";
  }
  out += "</table>\n";
}

}  // namespace

Output printable_html(const season::Season& season, const Options& options) {
  if (const Result result = detail::check(season, options, false); result != Result::Ok)
    return detail::failed(result);
  const std::string title = escape(season.title.empty() ? std::string_view("Season") : season.title);
  std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  out += "<meta name=\"generator\" content=\"Quintora\">\n<title>" + title + "</title>\n";
  out += style;
  out += "</head>\n<body>\n<h1>" + title + "</h1>\n";
  if (season.calendar)
    out += "<p class=\"note\">Matches start at " + base::format_time(season.calendar->start) + ".</p>\n";
  if (options.team != 0) {
    append_team(out, season, options.team, false);
  } else {
    append_weeks(out, season);
    for (std::size_t t = 0; t < season.teams.size(); ++t)
      append_team(out, season, static_cast<int>(t + 1), true);
  }
  out += "</body>\n</html>\n";
  return {Result::Ok, std::move(out)};
}

}  // namespace quintora::publish
