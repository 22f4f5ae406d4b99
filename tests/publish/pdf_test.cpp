#include "publish/pdf/pdf.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPointF>
#include <QRectF>
#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "exports.h"

namespace quintora::publish {
namespace {

using season::Season;

// The text without white space, as pdftotext can give it back: a name too
// long for its line is broken inside a word, and Qt 6.4's PDF writer maps
// only the Basic Multilingual Plane back to Unicode (an emoji is drawn, from
// Symbola, but not extracted).
std::string unspaced(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); i += static_cast<unsigned char>(text[i]) >= 0xF0 ? 4u : 1u) {
    if (static_cast<unsigned char>(text[i]) > ' ' && static_cast<unsigned char>(text[i]) < 0xF0)
      out += text[i];
  }
  return out;
}

// Each page's size, and its words in the order drawn (pdftotext -raw
// -bbox): their boxes in points from the top left, their text run together.
struct Page {
  double width = 0, height = 0;
  std::vector<QRectF> words;
  std::string text;
};
std::vector<Page> read_back(const std::string& bytes) {
  std::vector<Page> pages;
  for (const auto& m :
       test::matches(test::run("pdftotext -raw -bbox", bytes, "-"),
                     "<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">|<word xMin=\"([0-9.]+)\" "
                     "yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)<")) {
    if (!m[0].empty()) {
      pages.push_back({std::stod(m[0]), std::stod(m[1]), {}, ""});
    } else if (!pages.empty()) {
      pages.back().words.emplace_back(QPointF(std::stod(m[2]), std::stod(m[3])),
                                      QPointF(std::stod(m[4]), std::stod(m[5])));
      pages.back().text += test::xml_text(m[6]);
    }
  }
  return pages;
}

// The pages hold the printable page's words in the order drawn, each team
// from a new page (but the one team), each page ending in its number. A week
// or a team's table that runs on to the next page goes on there under its
// heading or name and "(continued)", a table under its column names again.
void expect_drawn(const Season& s, const std::vector<Page>& pages, int one_team = 0) {
  ASSERT_FALSE(pages.empty());
  test::Words words = test::printed(s, one_team);
  words.push_back({"end", ""});
  std::size_t p = 0, at = 0;
  std::string again;  // what a page going on with a week or a table starts with
  for (const auto& [tag, word] : words) {
    const std::string text = unspaced(word);
    if (tag == "h3" || tag == "h2") again = text + "(continued)";
    const bool section = std::find(s.divisions.begin(), s.divisions.end(), word) != s.divisions.end();
    const bool new_page = tag == "h2" && one_team == 0 && word != "Venues" && !section;
    // A word is on this page when it comes next and the page number still follows it.
    if (tag != "end" && !new_page && pages[p].text.find(text, at) == at &&
        at + text.size() < pages[p].text.size()) {
      at += text.size();
    } else {
      EXPECT_EQ(pages[p].text.substr(std::min(at, pages[p].text.size())), std::to_string(p + 1)) << word;
      if (++p == pages.size()) {
        EXPECT_EQ(tag, "end") << "no page left for " << word;
        break;
      }
      const std::string start = (tag == "h3" || tag == "h2" ? "" : again) + text;
      EXPECT_EQ(pages[p].text.substr(0, start.size()), start) << "page " << p + 1;
      at = start.size();
    }
    if (tag == "th") again += text;
  }
  EXPECT_EQ(p, pages.size()) << "pages left over";
}

// Every word keeps `margin` points from the paper's edges; the last, the
// page number, is below all others.
void expect_within(const std::vector<Page>& pages, double margin) {
  for (std::size_t p = 0; p < pages.size(); ++p) {
    const Page& page = pages[p];
    ASSERT_FALSE(page.words.empty()) << "page " << p + 1;
    const QRectF& number = page.words.back();
    const auto outside = std::find_if(page.words.begin(), page.words.end(), [&](const QRectF& word) {
      return word.left() < margin - 1 || word.right() > page.width - margin + 1 || word.top() < margin - 1 ||
             word.bottom() > page.height - margin / 3 ||
             (&word != &number && word.bottom() > number.top() + 1);
    });
    EXPECT_TRUE(outside == page.words.end()) << "page " << p + 1 << ": a word at " << outside->left() << ","
                                             << outside->top() << " with " << margin << " points of margin";
  }
}

// Fifteen teams (one named with 59 letters and no blank) in sixty weeks: the
// weeks take several pages and each team's table two.
Season long_season() {
  std::vector<std::string> names = test::hostile_teams;
  for (int t = 6; t < 15; ++t) names.push_back("Team " + std::to_string(t));
  names.push_back(std::string(59, 'W'));
  return test::make_season(
      names, {"The \"Crown\", Inn", "The Longest Named Bar and Billiard Room of the Whole County"},
      "Long League", test::calendar({2025, 1, 7}), 60);
}

// A hundred and twenty teams in two weeks: a week longer than a page.
Season wide_season() {
  std::vector<std::string> names;
  for (int t = 1; t <= 120; ++t) names.push_back("Team " + std::to_string(t));
  return test::make_season(names, {"Hall"}, "Wide League", test::calendar({2025, 1, 7}), 2);
}

// Painted on a device with margins of its own, as a printer has: the
// print preview paints on a QPrinter so.
std::string painted(const Season& s, int team, double margin) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  EXPECT_TRUE(buffer.open(QIODevice::WriteOnly));
  {
    QPdfWriter writer(&buffer);  // done with the file once gone
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                     QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter));
    EXPECT_EQ(paint_printable(s, test::for_team(team), writer), Result::Ok);
  }
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

TEST(Pdf, EveryPageInOrderWithinItsMargins) {
  struct Case {
    Season season;
    int team;
    std::string bytes;
    double width, height, margin;  // points, millimetres
  };
  const Season hostile = test::hostile(), long_one = long_season(), wide_one = wide_season(),
               divided = test::divided();
  const std::vector<Case> cases = {
      {hostile, 0, printable_pdf(hostile).bytes, 595, 842, 15},
      {long_one, 0, printable_pdf(long_one).bytes, 595, 842, 15},
      {hostile, 2, printable_pdf(hostile, test::for_team(2), Paper::Letter).bytes, 612, 792, 15},
      {divided, 4, printable_pdf(divided, test::for_team(4)).bytes, 595, 842, 15},
      {divided, 0, printable_pdf(divided).bytes, 595, 842, 15},
      {long_one, 15, painted(long_one, 15, 10), 792, 612, 15},  // the page's own margin is the larger
      {long_one, 15, painted(long_one, 15, 30), 792, 612, 30},
      {wide_one, 0, printable_pdf(wide_one).bytes, 595, 842, 15}};
  // A week that fits on a page is kept on one (every week of eight lines of
  // the long season); only a week no page holds (the wide season's 61 lines) runs on.
  const auto runs_on = [](const Page& page) {
    return page.text.starts_with("Week") && page.text.find("(continued)") != std::string::npos;
  };
  for (const Case& c : cases) {
    const std::vector<Page> pages = read_back(c.bytes);
    ASSERT_FALSE(pages.empty());
    EXPECT_EQ(std::pair(pages[0].width, pages[0].height), std::pair(c.width, c.height));
    expect_drawn(c.season, pages, c.team);
    expect_within(pages, c.margin * 72 / 25.4);
    EXPECT_EQ(std::any_of(pages.begin(), pages.end(), runs_on), c.season.title == wide_one.title)
        << c.season.title;
  }
  EXPECT_EQ(read_back(cases[0].bytes).size(), 6u) << "the weeks fit one page; then a page per team";
  EXPECT_GT(read_back(cases[6].bytes).size(), 1u) << "one team's table running on to the next page";
  // Without fonts beyond DejaVu the CJK and emoji names would print as empty boxes.
  const std::string fonts = test::run("pdffonts", cases[0].bytes);
  EXPECT_NE(fonts.find("WenQuanYi"), std::string::npos) << fonts;
  EXPECT_NE(fonts.find("Symbola"), std::string::npos) << fonts;
}

}  // namespace
}  // namespace quintora::publish

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const quintora::publish::PrintingApplication application;  // offscreen: no display needed
  if (!application.ok()) return 1;
  return RUN_ALL_TESTS();
}
