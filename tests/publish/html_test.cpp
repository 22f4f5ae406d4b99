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
using Texts = std::vector<std::string>;

// The unescaped text of every <tag ...>text</tag>, in order.
Texts texts(const std::string& html, const std::string& tag) {
  Texts out;
  const std::regex element("<" + tag + "(?: [^>]*)?>([^<]*)</" + tag + ">");
  for (std::sregex_iterator it(html.begin(), html.end(), element), end; it != end; ++it)
    out.push_back(test::xml_text((*it)[1].str()));
  return out;
}

Texts team_cells(const Season& s, int team) {
  Texts cells;
  for (const auto& row : test::printed_rows(s, team)) cells.insert(cells.end(), row.begin(), row.end());
  return cells;
}

TEST(Html, WeeksThenAPagePerTeamWithEveryNameIntact) {
  for (const Season& s : {test::hostile(), test::hostile(false)}) {
    const std::string html = printable_html(s).bytes;
    EXPECT_TRUE(html.starts_with("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">"));
    EXPECT_EQ(texts(html, "title"), Texts{s.title});
    EXPECT_EQ(texts(html, "h1"), Texts{s.title});
    Texts headings, lines, pages, cells;
    if (s.calendar) lines.push_back("Matches start at 19:30.");
    for (const auto& week : test::printed_weeks(s)) {
      headings.push_back(week[0]);
      lines.insert(lines.end(), week.begin() + 1, week.end());
    }
    for (int team = 1; team <= static_cast<int>(s.teams.size()); ++team) {
      pages.push_back(s.team(team).name);
      lines.push_back("Home bar: " + s.bar(s.team(team).bar).name);
      const Texts own = team_cells(s, team);
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

TEST(Html, OneTeamAndEscapesExactly) {
  const Season s = test::hostile();
  const std::string own = printable_html(s, test::for_team(3)).bytes;
  EXPECT_EQ(texts(own, "h2"), Texts{s.team(3).name});
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
