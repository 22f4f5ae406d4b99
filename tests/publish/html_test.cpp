#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "publish/publish.h"
#include "readers.h"
#include "season_builder.h"

namespace quintora::publish {
namespace {

using season::Season;

const std::string dash = " \u2014 ";

// The unescaped text of every <tag ...>text</tag>, in order.
std::vector<std::string> texts(const std::string& html, const std::string& tag) {
  std::vector<std::string> out;
  const std::regex element("<" + tag + "(?: [^>]*)?>([^<]*)</" + tag + ">");
  for (std::sregex_iterator it(html.begin(), html.end(), element), end; it != end; ++it)
    out.push_back(test::xml_text((*it)[1].str()));
  return out;
}

// "Tuesday 2025-01-07" from "2025-01-07".
std::string long_date(const std::string& iso) {
  return iso.empty() ? iso : std::string(base::weekday_name(*base::parse_iso_date(iso))) + " " + iso;
}

// The table cells of a team's page: its rows without the time.
std::vector<std::string> team_cells(const Season& s, int team) {
  std::vector<std::string> cells;
  for (const auto& row : test::team_rows(s, team)) {
    if (row[0] != "Week") cells.insert(cells.end(), {row[0], long_date(row[1]), row[3], row[4], row[5]});
  }
  return cells;
}

TEST(PrintableHtml, WeeksThenAPagePerTeamWithEveryNameIntact) {
  for (const Season& s : {test::five_hostile(), test::all_hostile(), test::all_hostile(false)}) {
    const std::string html = printable_html(s).bytes;
    EXPECT_EQ(html.rfind("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">", 0), 0u);
    EXPECT_EQ(texts(html, "title"), std::vector{s.title});
    EXPECT_EQ(texts(html, "h1"), std::vector{s.title});

    std::vector<std::string> headings, lines, pages, cells;
    if (s.calendar) lines.push_back("Matches start at " + base::format_time(s.calendar->start) + ".");
    for (const auto& week : s.weeks) {
      headings.push_back("Week " + std::to_string(week.number) +
                         (week.date ? dash + long_date(base::format_iso_date(*week.date)) : ""));
      for (const auto& m : week.matches)
        lines.push_back(s.team(m.home).name + " v " + s.team(m.away).name + dash + s.venue(m).name);
      if (week.not_playing) lines.push_back("Not Playing: " + s.team(week.not_playing).name);
    }
    for (int team = 1; team <= static_cast<int>(s.teams.size()); ++team) {
      pages.push_back(s.team(team).name);
      lines.push_back("Home bar: " + s.bar(s.team(team).bar).name);
      const auto own = team_cells(s, team);
      cells.insert(cells.end(), own.begin(), own.end());
    }
    EXPECT_EQ(texts(html, "h3"), headings);
    EXPECT_EQ(texts(html, "p"), lines);
    EXPECT_EQ(texts(html, "h2"), pages);
    EXPECT_EQ(texts(html, "td"), cells);
    const std::regex new_page("<h2 class=\"team\">");
    EXPECT_EQ(std::distance(std::sregex_iterator(html.begin(), html.end(), new_page), std::sregex_iterator()),
              static_cast<std::ptrdiff_t>(s.teams.size()))
        << "each team page starts on a new page";
    // No name leaks markup: with the page's own tags removed, no < or > is left.
    const std::string bare =
        std::regex_replace(html.substr(html.find("</style>") + 8),
                           std::regex("</?(html|head|body|h[123]|p|div|table|tr|th|td)( [^<>]*)?>"), "");
    EXPECT_EQ(bare.find_first_of("<>"), std::string::npos) << bare;
  }
}

TEST(PrintableHtml, OneTeamAndEscapesExactly) {
  const Season s = test::five_hostile();
  const std::string own = printable_html(s, test::for_team(3)).bytes;
  EXPECT_EQ(texts(own, "h2"), std::vector{s.team(3).name});
  EXPECT_EQ(own.find("class=\"team\""), std::string::npos) << "no page break before the only page";
  EXPECT_TRUE(texts(own, "h3").empty());
  EXPECT_EQ(texts(own, "td"), team_cells(s, 3));

  const std::string html = printable_html(test::make_season({"<a href='x'>&amp;</a>", "\"Q\" \x01"},
                                                            {"Bar & Grill"}, "<T>", std::nullopt, 1))
                               .bytes;
  EXPECT_NE(html.find("<h1>&lt;T&gt;</h1>"), std::string::npos);
  EXPECT_NE(html.find("&lt;a href=&#39;x&#39;&gt;&amp;amp;&lt;/a&gt;"), std::string::npos);
  EXPECT_NE(html.find("&quot;Q&quot; \uFFFD"), std::string::npos) << "a control character is replaced";
  EXPECT_NE(html.find("Bar &amp; Grill"), std::string::npos);
}

}  // namespace
}  // namespace quintora::publish
