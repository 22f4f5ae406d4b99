#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "publish/publish.h"
#include "readers.h"
#include "season_builder.h"

namespace quintora::publish {
namespace {

// The page's elements in order, each its tag and unescaped text.
test::Words elements(const std::string& html) {
  test::Words out;
  const std::regex element("<(title|h[123]|p|th|td)(?: [^>]*)?>([^<]*)</\\1>");
  for (std::sregex_iterator it(html.begin(), html.end(), element), end; it != end; ++it)
    out.push_back({(*it)[1].str(), test::xml_text((*it)[2].str())});
  return out;
}

TEST(Html, TheWeeksThenAPagePerTeamWithEveryNameEscaped) {
  for (const season::Season& s : {test::hostile(), test::hostile(false)}) {
    for (int team : {0, 3}) {
      const std::string html = printable_html(s, test::for_team(team)).bytes;
      EXPECT_TRUE(html.starts_with("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">"));
      test::Words expected = test::printed(s, team);
      expected.insert(expected.begin(), {"title", s.title});
      EXPECT_EQ(elements(html), expected);
      const std::regex new_page("<h2 class=\"team\">");
      EXPECT_EQ(
          std::distance(std::sregex_iterator(html.begin(), html.end(), new_page), std::sregex_iterator()),
          team == 0 ? 5 : 0)
          << "each team's page, not the one team's, starts on a new page";
    }
  }
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
