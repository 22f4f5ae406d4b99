#include "publish/pdf/pdf.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "readers.h"
#include "season_builder.h"

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
    if (static_cast<unsigned char>(text[i]) < 0xF0 &&
        std::string(" \t\r\n\f\v").find(text[i]) == std::string::npos)
      out += text[i];
  }
  return out;
}

// The pages in the order their text was drawn (pdftotext -raw), unspaced.
std::vector<std::string> drawn_pages(const std::string& bytes) {
  const test::Scratch scratch;
  const std::string text = test::run("pdftotext -raw -enc UTF-8", scratch.write("season.pdf", bytes), "-");
  std::vector<std::string> pages;
  for (std::size_t from = 0, end; (end = text.find('\f', from)) != std::string::npos; from = end + 1)
    pages.push_back(unspaced(text.substr(from, end - from)));
  return pages;
}

// The pages hold, in the order drawn, the title and the weeks, then each
// team from a new page (or the one team), each page ending in its number.
// A week or a team's table that runs on to the next page goes on there under
// "(continued)" after its heading or name, a table under its column names.
void expect_drawn(const Season& s, const std::vector<std::string>& pages, int one_team = 0) {
  ASSERT_FALSE(pages.empty());
  std::size_t p = 0, at = 0;
  bool lost = false;
  const auto next = [&](const std::string& item, const std::string& again, bool new_page = false) {
    const std::string text = unspaced(item), start = unspaced(again) + text;
    if (lost || (!new_page && pages[p].find(text, at) == at)) {
      at += text.size();
      return;
    }
    EXPECT_EQ(pages[p].substr(std::min(at, pages[p].size())), std::to_string(p + 1)) << "before " << item;
    lost = ++p == pages.size();
    if (lost) {
      ADD_FAILURE() << "no page left for " << item;
      return;
    }
    EXPECT_EQ(pages[p].substr(0, start.size()), start) << "page " << p + 1;
    at = start.size();
  };
  next(s.title, "");
  if (s.calendar) next("Matches start at " + base::format_time(s.calendar->start) + ".", "");
  for (const auto& week : one_team == 0 ? test::printed_weeks(s) : test::Rows{}) {
    for (std::size_t line = 0; line < week.size(); ++line)
      next(week[line], line == 0 ? "" : week[0] + " (continued)");
  }
  const std::string columns = "WeekDateOpponentHome or awayVenue";
  for (int team = 1; team <= static_cast<int>(s.teams.size()); ++team) {
    if (one_team != 0 && team != one_team) continue;
    next(s.team(team).name, "", one_team == 0);
    next("Home bar: " + s.bar(s.team(team).bar).name, "");
    next(columns, "");
    for (const auto& row : test::printed_rows(s, team))
      next(row[0] + row[1] + row[2] + row[3] + row[4], s.team(team).name + " (continued)" + columns);
  }
  EXPECT_EQ(p + 1, pages.size());
  if (!lost) {
    EXPECT_EQ(pages[p].substr(std::min(at, pages[p].size())), std::to_string(p + 1));
  }
}

// Each page's size and its words' boxes in points from the top left, as
// pdftotext -bbox gives them.
struct Box {
  double left, top, right, bottom;
};
struct BoxPage {
  double width = 0, height = 0;
  std::vector<Box> words;
};
std::vector<BoxPage> boxes(const std::string& bytes) {
  const test::Scratch scratch;
  const std::string xhtml = test::run("pdftotext -bbox", scratch.write("season.pdf", bytes), "-");
  static const std::regex tag(
      "<page width=\"([0-9.]+)\" height=\"([0-9.]+)\">|"
      "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">");
  std::vector<BoxPage> pages;
  for (std::sregex_iterator it(xhtml.begin(), xhtml.end(), tag), end; it != end; ++it) {
    const std::smatch& m = *it;
    if (m[1].matched)
      pages.push_back({std::stod(m[1]), std::stod(m[2]), {}});
    else if (!pages.empty())
      pages.back().words.push_back({std::stod(m[3]), std::stod(m[4]), std::stod(m[5]), std::stod(m[6])});
  }
  return pages;
}

// Every word keeps `margin` points from the paper's edges; the last, the
// page number, is below all others. One failure a page at most.
void expect_within(const std::vector<BoxPage>& pages, double margin) {
  ASSERT_FALSE(pages.empty());
  for (std::size_t p = 0; p < pages.size(); ++p) {
    const BoxPage& page = pages[p];
    ASSERT_GE(page.words.size(), 2u) << "page " << p + 1;
    const Box& number = page.words.back();
    const auto outside = std::find_if(page.words.begin(), page.words.end(), [&](const Box& word) {
      return word.left < margin - 1 || word.right > page.width - margin + 1 || word.top < margin - 1 ||
             word.bottom > page.height - margin / 3 || (&word != &number && word.bottom > number.top + 1);
    });
    EXPECT_TRUE(outside == page.words.end()) << "page " << p + 1 << ": a word at " << outside->left << ","
                                             << outside->top << " with " << margin << " points of margin";
  }
}

constexpr double mm = 72 / 25.4;

TEST(Pdf, AFirstPageOfWeeksThenAPagePerTeamReadBack) {
  const Season s = test::hostile();
  const Output out = printable_pdf(s);
  ASSERT_EQ(out.result, Result::Ok);
  const std::vector<std::string> pages = drawn_pages(out.bytes);
  ASSERT_EQ(pages.size(), s.teams.size() + 1) << "the weeks fit one page; then a page per team";
  expect_drawn(s, pages);
  const std::vector<BoxPage> drawn = boxes(out.bytes);
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(std::lround(drawn[0].width) * 1000 + std::lround(drawn[0].height), 595842) << "A4";
  expect_within(drawn, 15 * mm);
  // Without fonts beyond DejaVu the CJK and emoji names would print as empty boxes.
  const test::Scratch scratch;
  const std::string fonts = test::run("pdffonts", scratch.write("season.pdf", out.bytes));
  EXPECT_NE(fonts.find("WenQuanYi"), std::string::npos) << fonts;
  EXPECT_NE(fonts.find("Symbola"), std::string::npos) << fonts;
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

TEST(Pdf, WeeksAndTablesRunOnWithTheirHeadingsAndPageNumbers) {
  const Season s = long_season();
  const Output out = printable_pdf(s);
  ASSERT_EQ(out.result, Result::Ok);
  const std::vector<std::string> pages = drawn_pages(out.bytes);
  ASSERT_GT(pages.size(), 2 * s.teams.size() + 2);
  expect_drawn(s, pages);
  EXPECT_TRUE(std::any_of(pages.begin(), pages.end(), [](const std::string& page) {
    return page.starts_with("Week") && page.find("(continued)") != std::string::npos;
  })) << "a week running on to the next page";
  expect_within(boxes(out.bytes), 15 * mm);
}

// Letter paper, and a device with margins of its own (as a printer has) in
// landscape: the page keeps within them. The print preview paints on a QPrinter so.
TEST(Pdf, OneTeamOnLetterPaperAndWithinADevicesMargins) {
  const Output letter = printable_pdf(test::hostile(), test::for_team(2), Paper::Letter);
  const std::vector<BoxPage> drawn = boxes(letter.bytes);
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(std::lround(drawn[0].width) * 1000 + std::lround(drawn[0].height), 612792) << "letter";
  expect_drawn(test::hostile(), drawn_pages(letter.bytes), 2);
  EXPECT_EQ(printable_pdf(test::hostile(), test::for_team(6)).result, Result::UnknownTeam);

  const Season s = long_season();
  for (const double margin : {10.0, 30.0}) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    {
      QPdfWriter writer(&buffer);
      writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                       QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter));
      EXPECT_EQ(paint_printable(s, test::for_team(15), writer), Result::Ok);
    }
    const std::string pdf(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const std::vector<BoxPage> pages = boxes(pdf);
    ASSERT_GE(pages.size(), 2u) << "one team's table on more than a page";
    EXPECT_GT(pages[0].width, pages[0].height) << "landscape";
    expect_within(pages, std::max(margin, 15.0) * mm);
    expect_drawn(s, drawn_pages(pdf), 15);
  }
}

}  // namespace
}  // namespace quintora::publish

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const quintora::publish::PrintingApplication application;  // offscreen: no display needed
  if (!application.ok()) return 1;
  return RUN_ALL_TESTS();
}
