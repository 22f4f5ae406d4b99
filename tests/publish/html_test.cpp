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

std::string long_date(const season::Date& d) {
  return std::string(season::weekday_name(d)) + " " + season::format_iso_date(d);
}

TEST(PrintableHtml, WeeksThenAPagePerTeamWithEveryNameIntact) {
  for (const Season& s : {test::five_hostile(), test::all_hostile(), test::all_hostile(false)}) {
    const Output out = printable_html(s);
    ASSERT_EQ(out.result, Result::Ok);
    const std::string& html = out.bytes;
    EXPECT_EQ(html.rfind("<!DOCTYPE html>\n", 0), 0u);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("@page"), std::string::npos);
    EXPECT_EQ(texts(html, "title"), std::vector{s.title});
    EXPECT_EQ(texts(html, "h1"), std::vector{s.title});

    std::vector<std::string> headings, lines;
    for (const auto& week : s.weeks) {
      headings.push_back("Week " + std::to_string(week.number) +
                         (week.date ? dash + long_date(*week.date) : ""));
      for (const auto& m : week.matches)
        lines.push_back(s.team(m.home).name + " v " + s.team(m.away).name + dash + s.venue(m).name);
      if (week.not_playing) lines.push_back("Not Playing: " + s.team(week.not_playing).name);
    }
    if (s.calendar)
      lines.insert(lines.begin(), "Matches start at " + season::format_time(s.calendar->start) + ".");
    for (const auto& team : s.teams) lines.push_back("Home bar: " + s.bar(team.bar).name);
    EXPECT_EQ(texts(html, "h3"), headings);
    EXPECT_EQ(texts(html, "p"), lines);

    std::vector<std::string> pages, cells;
    for (std::size_t t = 1; t <= s.teams.size(); ++t) {
      const int team = static_cast<int>(t);
      pages.push_back(s.team(team).name);
      for (const auto& week : s.weeks) {
        const std::string date = week.date ? long_date(*week.date) : "";
        for (const auto& m : week.matches) {
          if (m.home != team && m.away != team) continue;
          cells.insert(cells.end(),
                       {std::to_string(week.number), date, s.team(m.home == team ? m.away : m.home).name,
                        m.home == team ? "Home" : "Away", s.venue(m).name});
        }
        if (week.not_playing == team)
          cells.insert(cells.end(), {std::to_string(week.number), date, "", "Not Playing", ""});
      }
    }
    EXPECT_EQ(texts(html, "h2"), pages);
    const std::regex new_page("<h2 class=\"team\">");
    EXPECT_EQ(static_cast<std::size_t>(std::distance(std::sregex_iterator(html.begin(), html.end(), new_page),
                                                     std::sregex_iterator())),
              s.teams.size())
        << "each team page starts on a new page";
    EXPECT_EQ(texts(html, "td"), cells);

    // No name leaks markup: with the page's own tags removed, no < or > is left.
    const std::string body = html.substr(html.find("</style>") + 8);
    const std::string bare = std::regex_replace(
        body, std::regex("</?(html|head|body|h1|h2|h3|p|div|table|tr|th|td)( [^<>]*)?>"), "");
    EXPECT_EQ(bare.find_first_of("<>"), std::string::npos) << bare;
  }
}

TEST(PrintableHtml, OneTeamPrintsOnlyItsOwnPage) {
  const Season s = test::five_hostile();
  const std::string html = printable_html(s, test::for_team(3)).bytes;
  EXPECT_EQ(texts(html, "h2"), std::vector{s.team(3).name});
  EXPECT_EQ(html.find("class=\"team\""), std::string::npos) << "no page break before the only page";
  EXPECT_TRUE(texts(html, "h3").empty());
  EXPECT_EQ(texts(html, "td").size(), 5u * s.weeks.size());
}

TEST(PrintableHtml, MarkupCharactersBecomeEntities) {
  const Season s =
      test::make_season({"<a href='x'>&amp;</a>", "\"Q\" \x01"}, {"Bar & Grill"}, "<T>", std::nullopt, 1);
  const std::string html = printable_html(s).bytes;
  EXPECT_NE(html.find("<h1>&lt;T&gt;</h1>"), std::string::npos);
  EXPECT_NE(html.find("&lt;a href=&#39;x&#39;&gt;&amp;amp;&lt;/a&gt;"), std::string::npos);
  EXPECT_NE(html.find("&quot;Q&quot; \uFFFD"), std::string::npos) << "a control character is replaced";
  EXPECT_NE(html.find("Bar &amp; Grill"), std::string::npos);
}

}  // namespace
}  // namespace quintora::publish
