#include "publish/pdf/pdf.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quintora::publish

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const quintora::publish::PrintingApplication application;  // offscreen: no display needed
  if (!application.ok()) return 1;
  return RUN_ALL_TESTS();
}
