#include "publish/pdf/pdf.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "readers.h"
#include "season_builder.h"

namespace quintora::publish {
namespace {

using season::Season;

// The text as pdftotext can give it back, white space runs as one blank.
// Qt 6.4's PDF writer maps only characters of the Basic Multilingual Plane
// back to Unicode, so an emoji is drawn (from Symbola) but not extracted.
std::string extractable(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); i += static_cast<unsigned char>(text[i]) >= 0xF0 ? 4u : 1u) {
    if (static_cast<unsigned char>(text[i]) < 0xF0) out += text[i];
  }
  return std::regex_replace(out, std::regex("\\s+"), " ");
}

struct Pdf {
  std::vector<std::string> pages;  // pdftotext's, one per page
  std::string info, fonts;         // pdfinfo's and pdffonts' reports
};

Pdf read_back(const Output& out) {
  EXPECT_EQ(out.result, Result::Ok);
  EXPECT_TRUE(out.bytes.starts_with("%PDF-"));
  const test::Scratch scratch;
  const auto file = scratch.write("season.pdf", out.bytes);
  Pdf pdf{{}, extractable(test::run("pdfinfo", file)), test::run("pdffonts", file)};
  const std::string text = test::run("pdftotext -layout -enc UTF-8", file, "-");
  for (std::size_t from = 0, end; (end = text.find('\f', from)) != std::string::npos; from = end + 1)
    pdf.pages.push_back(extractable(text.substr(from, end - from)));
  return pdf;
}

// Names beyond Latin-1: accents, Cyrillic, CJK and emoji, with markup and quotes.
Season wide_names() {
  return test::make_season(
      {"Caf\u00e9 Zo\u00eb", "\u6771\u4eac\u30d3\u30ea\u30e4\u30fc\u30c9", "\U0001F3B1 Eight Ball \U0001F600",
       "It's <Back\\slash> & 100%", "\u041c\u043e\u0441\u043a\u0432\u0430"},
      {"\u9152\u5834 Bar", "The \"Crown\", Inn"}, "Sp\u00e4t League \u2014 2025",
      test::calendar({2024, 12, 3}, {{2024, 12, 24}}), 10);
}

TEST(Pdf, EveryWeekAndTeamPageComesBackAsText) {
  for (const Season& s : {test::five_hostile(), wide_names()}) {
    const Pdf pdf = read_back(printable_pdf(s));
    ASSERT_EQ(pdf.pages.size(), s.teams.size() + 1) << "the weeks fit one page; then a page per team";
    EXPECT_NE(pdf.info.find("Page size: 595 x 842 pts (A4)"), std::string::npos) << pdf.info;
    EXPECT_LE(pdf.pages[0].find(extractable(s.title)), 1u) << pdf.pages[0];
    for (const auto& row : test::fixture_rows(s)) {
      if (row[0] == "Week" || row[7] == "Not Playing") continue;
      const std::string line = row[4] + " v " + row[5] + " \u2014 " + row[6];
      EXPECT_NE(pdf.pages[0].find(extractable(line)), std::string::npos) << line;
    }
    for (int team = 1; team <= static_cast<int>(s.teams.size()); ++team) {
      const std::string& page = pdf.pages[static_cast<std::size_t>(team)];
      EXPECT_LE(page.find(extractable(s.team(team).name + " Home bar: " + s.bar(s.team(team).bar).name)), 1u)
          << page;
      for (const auto& row : test::team_rows(s, team)) {
        const std::string date =
            row[0] == "Week" ? "Date"
                             : std::string(base::weekday_name(*base::parse_iso_date(row[1]))) + " " + row[1];
        const std::string line = row[0] + " " + date + " " + row[3] + " " + row[4] + " " + row[5];
        EXPECT_NE(page.find(extractable(line)), std::string::npos) << line << "\n" << page;
      }
    }
  }
  // Without fonts beyond DejaVu the CJK and emoji names would print as empty boxes.
  const Pdf wide = read_back(printable_pdf(wide_names()));
  EXPECT_NE(wide.fonts.find("WenQuanYi"), std::string::npos) << wide.fonts;
  EXPECT_NE(wide.fonts.find("Symbola"), std::string::npos) << wide.fonts;
}

TEST(Pdf, LetterPaperAndOneTeam) {
  const Season s = wide_names();
  const Pdf pdf = read_back(printable_pdf(s, test::for_team(2), Paper::Letter));
  EXPECT_NE(pdf.info.find("Page size: 612 x 792 pts (letter)"), std::string::npos) << pdf.info;
  ASSERT_EQ(pdf.pages.size(), 1u);
  EXPECT_NE(pdf.pages[0].find(extractable(s.team(2).name + " Home bar: ")), std::string::npos)
      << pdf.pages[0];
  EXPECT_EQ(pdf.pages[0].find("Week 1 \u2014"), std::string::npos) << "no week list for one team";
  EXPECT_EQ(printable_pdf(s, test::for_team(6)).result, Result::UnknownTeam);
}

// --- Long seasons: weeks and tables running on from page to page -------------

// The text without white space: a name too long for its line (or cell) is
// broken inside a word.
std::string unspaced(const std::string& text) {
  return std::regex_replace(extractable(text), std::regex(" "), "");
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
    if (outside != page.words.end()) {
      ADD_FAILURE() << "page " << p + 1 << ": a word at " << outside->left << "," << outside->top << " to "
                    << outside->right << "," << outside->bottom << " on " << page.width << " x "
                    << page.height << " with " << margin << " of margin, the page number at " << number.top;
    }
  }
}

// Fifteen teams (one named with 59 letters and no blank) in sixty weeks: the
// weeks take several pages and each team's table two.
Season long_season() {
  std::vector<std::string> names = test::hostile_teams;
  names.push_back(std::string(59, 'W'));
  std::vector<std::string> bars = test::hostile_bars;
  bars.push_back("The Longest Named Bar and Billiard Room of the Whole County");
  return test::make_season(names, bars, "Long League", test::calendar({2025, 1, 7}), 60);
}

TEST(Pdf, WeeksAndTablesRunOnWithTheirHeadingsAndPageNumbers) {
  const Season s = long_season();
  const Output out = printable_pdf(s);
  ASSERT_EQ(out.result, Result::Ok);
  const std::vector<std::string> pages = drawn_pages(out.bytes);
  ASSERT_GT(pages.size(), 2 * s.teams.size() + 2);
  for (std::size_t p = 0; p < pages.size(); ++p)
    EXPECT_TRUE(pages[p].ends_with(std::to_string(p + 1))) << "page number at the foot\n" << pages[p];
  const auto date = [](const std::string& iso) {
    return std::string(base::weekday_name(*base::parse_iso_date(iso))) + " " + iso;
  };

  // The weeks: every page after the first starts with a week's heading, the
  // week it goes on with "(continued)"; every line in order.
  EXPECT_TRUE(pages[0].starts_with(unspaced(s.title))) << pages[0];
  std::size_t page = 0, continued = 0;
  for (const season::Week& week : s.weeks) {
    const std::string heading = unspaced("Week " + std::to_string(week.number) + " \u2014 " +
                                         date(base::format_iso_date(*week.date)));
    std::vector<std::string> lines;
    for (const season::Match& m : week.matches)
      lines.push_back(
          unspaced(s.team(m.home).name + " v " + s.team(m.away).name + " \u2014 " + s.venue(m).name));
    lines.push_back(unspaced("Not Playing: " + s.team(week.not_playing).name));
    std::size_t at = pages[page].find(heading);
    if (at == std::string::npos) {
      ++page;
      ASSERT_LT(page, pages.size());
      at = pages[page].find(heading);
      EXPECT_EQ(at, 0u) << "a page starts with the week's heading\n" << pages[page];
    }
    for (const std::string& line : lines) {
      const std::size_t next = pages[page].find(line, at);
      if (next != std::string::npos) {
        at = next;
        continue;
      }
      ++page;
      ASSERT_LT(page, pages.size()) << line;
      EXPECT_TRUE(pages[page].starts_with(heading + "(continued)" + line)) << pages[page];
      at = 0;
      ++continued;
    }
  }
  EXPECT_GT(continued, 0u) << "no week ran on to the next page";

  // Each team from a page of its own, its table going on under its name and
  // the column names on the next, every row in order.
  const std::string columns = "WeekDateOpponentHomeorawayVenue";
  for (int team = 1; team <= static_cast<int>(s.teams.size()); ++team) {
    ++page;
    ASSERT_LT(page, pages.size());
    const std::string name = unspaced(s.team(team).name);
    EXPECT_TRUE(
        pages[page].starts_with(name + unspaced("Home bar: " + s.bar(s.team(team).bar).name) + columns))
        << pages[page];
    std::string own = pages[page];
    for (; page + 1 < pages.size() && pages[page + 1].starts_with(name + "(continued)" + columns); ++page)
      own += pages[page + 1];
    EXPECT_NE(own.size(), pages[page].size()) << "the table goes on to the next page";
    std::size_t at = 0;
    for (const auto& row : test::team_rows(s, team)) {
      if (row[0] == "Week") continue;
      const std::string cells = unspaced(row[0] + date(row[1]) + row[3] + row[4] + row[5]);
      at = own.find(cells, at);
      ASSERT_NE(at, std::string::npos) << cells;
    }
  }
  EXPECT_EQ(page + 1, pages.size());
  expect_within(boxes(out.bytes), 15 / 25.4 * 72);
}

// A device with margins of its own (as a printer has) and landscape paper:
// the page keeps within them. The print preview paints on a QPrinter so.
TEST(Pdf, PaintsWithinTheDevicesMargins) {
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
    const std::vector<BoxPage> pages =
        boxes(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    ASSERT_GE(pages.size(), 2u) << "one team's table on more than a page";
    EXPECT_GT(pages[0].width, pages[0].height) << "landscape";
    expect_within(pages, std::max(margin, 15.0) / 25.4 * 72);
  }
  QBuffer unused;
  ASSERT_TRUE(unused.open(QIODevice::WriteOnly));
  QPdfWriter writer(&unused);
  EXPECT_EQ(paint_printable(s, test::for_team(16), writer), Result::UnknownTeam);
}

}  // namespace
}  // namespace quintora::publish

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const quintora::publish::PrintingApplication application;  // offscreen: no display needed
  if (!application.ok()) return 1;
  return RUN_ALL_TESTS();
}
