// The printable page for browsers: a print stylesheet, the weeks, then a
// page per team. It says what detail::printable_page says, as the PDF does.
// The markup keeps to plain blocks and tables (with table attributes as well
// as the stylesheet), which any browser or word processor reads.

#include <string>
#include <string_view>

#include "base/text.h"
#include "publish/common.h"
#include "publish/printable.h"
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
  for (const char c : base::without_control_characters(raw, "\t\n\r")) {
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
        out += c;
    }
  }
  return out;
}

void append_weeks(std::string& out, const detail::PrintablePage& page) {
  for (const detail::PrintablePage::Week& week : page.weeks) {
    if (!week.section.empty()) out += "<h2>" + escape(week.section) + "</h2>\n";
    out += "<div class=\"week\">\n<h3>" + escape(week.heading) + "</h3>\n";
    for (const std::string& match : week.matches) out += "<p>" + escape(match) + "</p>\n";
    if (!week.bye.empty()) out += "<p class=\"bye\">" + escape(week.bye) + "</p>\n";
    out += "</div>\n";
  }
}

void append_team(std::string& out, const detail::PrintablePage::Team& team, bool new_page) {
  out += new_page ? "<h2 class=\"team\">" : "<h2>";
  out += escape(team.name) + "</h2>\n";
  if (!team.league.empty()) out += "<p class=\"note\">" + escape(team.league) + "</p>\n";
  out += "<p class=\"note\">" + escape(team.home_bar) + "</p>\n";
  out += "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"3\" border=\"1\">\n<tr>";
  for (const std::string_view column : detail::fixture_columns) out += "<th>" + std::string(column) + "</th>";
  out += "</tr>\n";
  for (const detail::PrintablePage::Fixture& fixture : team.fixtures) {
    out += "<tr>";
    for (const std::string& cell : fixture.cells) out += "<td>" + escape(cell) + "</td>";
    out += "</tr>\n";
  }
  out += "</table>\n";
}

}  // namespace

Output printable_html(const season::Season& season, const Options& options) {
  if (const Result result = detail::check(season, options, false); result != Result::Ok)
    return detail::failed(result);
  const detail::PrintablePage page = detail::printable_page(season, options);
  const std::string title = escape(page.title);
  std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  out += "<meta name=\"generator\" content=\"Quintora\">\n<title>" + title + "</title>\n";
  out += style;
  out += "</head>\n<body>\n<h1>" + title + "</h1>\n";
  if (!page.note.empty()) out += "<p class=\"note\">" + escape(page.note) + "</p>\n";
  append_weeks(out, page);
  for (const detail::PrintablePage::Team& team : page.teams) append_team(out, team, options.team == 0);
  if (!page.venues.empty()) {  // kept together, as a week is
    out += "<div class=\"week\">\n<h2>" + std::string(detail::venues_heading) + "</h2>\n";
    for (const std::string& venue : page.venues) out += "<p>" + escape(venue) + "</p>\n";
    out += "</div>\n";
  }
  out += "</body>\n</html>\n";
  return {Result::Ok, std::move(out)};
}

}  // namespace quintora::publish
