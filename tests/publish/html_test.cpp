#include <gtest/gtest.h>

#include <string>

#include "exports.h"
#include "publish/publish.h"

namespace quintora::publish {
namespace {

TEST(Html, TheWeeksThenAPagePerTeamWithEveryNameEscaped) {
  for (const season::Season& s :
       {test::hostile(), test::hostile(false), test::divided(), test::divided(false)}) {
    for (int team : {0, 3}) {
      const std::string html = printable_html(s, test::for_team(team)).bytes;
      EXPECT_TRUE(html.starts_with("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">"));
      test::Words expected = test::printed(s, team), got;
      expected.insert(expected.begin(), {"title", s.title});
      for (const auto& m : test::matches(html, "<(title|h[123]|p|th|td)(?: [^>]*)?>([^<]*)</\\1>"))
        got.push_back({m[0], test::xml_text(m[1])});
      EXPECT_EQ(got, expected);
      EXPECT_EQ(test::matches(html, "<h2 class=\"team\">").size(), team == 0 ? 5u : 0u)
          << "each team's page, not the one team's, starts on a new page";
    }
  }
  const std::string html = printable_html(test::make_season({"<a href='x'>&amp;</a>", "\"Q\" \x01"},
                                                            {"Bar & Grill"}, "<T>", std::nullopt, 1))
                               .bytes;
  EXPECT_NE(html.find("<h1>&lt;T&gt;</h1>"), std::string::npos);
  EXPECT_NE(html.find("&lt;a href=&#39;x&#39;&gt;&amp;amp;&lt;/a&gt;"), std::string::npos);
  EXPECT_NE(html.find("&quot;Q&quot; \uFFFD"), std::string::npos) << "a control character is replaced";
}

}  // namespace
}  // namespace quintora::publish
