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

// White space runs as one blank, so lines that the layout wrapped still compare.
std::string squeezed(const std::string& text) { return std::regex_replace(text, std::regex("\\s+"), " "); }

// The text as pdftotext can give it back: Qt 6.4's PDF writer maps only
// characters of the Basic Multilingual Plane back to Unicode, so an emoji
// is drawn (from Symbola, see below) but cannot be extracted.
std::string extractable(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = static_cast<unsigned char>(text[i]) >= 0xF0 ? 4 : 1;
    if (length == 1) out += text[i];
    i += length;
  }
  return squeezed(out);
}

struct Pdf {
  std::string text;                // pdftotext's UTF-8, pages split by form feeds
  std::vector<std::string> pages;  // each squeezed
  std::string info;                // pdfinfo
  std::string fonts;               // pdffonts
};

Pdf read_back(const test::Scratch& scratch, const Output& out) {
  EXPECT_EQ(out.result, Result::Ok);
  EXPECT_EQ(out.bytes.rfind("%PDF-", 0), 0u);
  const auto file = scratch.write("season.pdf", out.bytes);
  Pdf pdf;
  pdf.text = test::run("pdftotext -layout -enc UTF-8 " + test::quoted(file) + " -");
  pdf.info = squeezed(test::run("pdfinfo " + test::quoted(file)));
  pdf.fonts = test::run("pdffonts " + test::quoted(file));
  std::size_t from = 0;
  for (std::size_t end; (end = pdf.text.find('\f', from)) != std::string::npos; from = end + 1)
    pdf.pages.push_back(squeezed(pdf.text.substr(from, end - from)));
  return pdf;
}

// Five teams whose names need more than Latin-1: accents, CJK and emoji,
// markup and quotes; the PDF must give every one back as text.
Season wide_names() {
  return test::make_season(
      {"Caf\u00e9 Zo\u00eb", "\u6771\u4eac\u30d3\u30ea\u30e4\u30fc\u30c9", "\U0001F3B1 Eight Ball \U0001F600",
       "It's <Back\\slash> & 100%", "\u041c\u043e\u0441\u043a\u0432\u0430"},
      {"\u9152\u5834 Bar", "The \"Crown\", Inn"}, "Sp\u00e4t League \u2014 2025",
      test::calendar({2024, 12, 3}, {{2024, 12, 24}}), 10);
}

TEST(Pdf, EveryWeekAndTeamPageComesBackAsText) {
  const test::Scratch scratch;
  for (const Season& s : {test::five_hostile(), wide_names()}) {
    const Pdf pdf = read_back(scratch, printable_pdf(s));
    ASSERT_GE(pdf.pages.size(), s.teams.size() + 1);
    EXPECT_NE(pdf.info.find("Page size: 595 x 842 pts (A4)"), std::string::npos) << pdf.info;
    const std::string all = squeezed(pdf.text);
    EXPECT_LE(pdf.pages[0].find(extractable(s.title)), 1u) << pdf.pages[0];
    for (const auto& week : s.weeks) {
      EXPECT_NE(
          all.find("Week " + std::to_string(week.number) + " \u2014 " +
                   std::string(season::weekday_name(*week.date)) + " " + season::format_iso_date(*week.date)),
          std::string::npos);
      for (const auto& m : week.matches) {
        const std::string line =
            extractable(s.team(m.home).name + " v " + s.team(m.away).name + " \u2014 " + s.venue(m).name);
        EXPECT_NE(all.find(line), std::string::npos) << line;
      }
    }
    if (s.title != test::hostile_title) {
      // Fonts beyond DejaVu for the CJK and emoji names, or those would print as empty boxes.
      EXPECT_NE(pdf.fonts.find("WenQuanYi"), std::string::npos) << pdf.fonts;
      EXPECT_NE(pdf.fonts.find("Symbola"), std::string::npos) << pdf.fonts;
    }
    // The team pages close the file, one team each, in team order.
    const std::size_t first_team_page = pdf.pages.size() - s.teams.size();
    for (std::size_t t = 0; t < s.teams.size(); ++t) {
      const std::string& page = pdf.pages[first_team_page + t];
      EXPECT_LE(page.find(extractable(s.teams[t].name + " Home bar: " + s.bar(s.teams[t].bar).name)), 1u)
          << page;
      EXPECT_EQ(page.find("Week 1 \u2014"), std::string::npos) << "a page of its own";
      const int team = static_cast<int>(t + 1);
      for (const auto& week : s.weeks) {
        std::string row = std::to_string(week.number) + " " + std::string(season::weekday_name(*week.date)) +
                          " " + season::format_iso_date(*week.date) + " ";
        if (week.not_playing == team) row += "Not Playing";
        for (const auto& m : week.matches) {
          if (m.home == team || m.away == team)
            row += s.team(m.home == team ? m.away : m.home).name + (m.home == team ? " Home " : " Away ") +
                   s.venue(m).name;
        }
        EXPECT_NE(page.find(extractable(row)), std::string::npos) << row << "\n" << page;
      }
    }
  }
}

TEST(Pdf, LetterPaperAndOneTeam) {
  const test::Scratch scratch;
  const Season s = wide_names();
  const Pdf pdf = read_back(scratch, printable_pdf(s, test::for_team(2), Paper::Letter));
  EXPECT_NE(pdf.info.find("Page size: 612 x 792 pts (letter)"), std::string::npos) << pdf.info;
  ASSERT_EQ(pdf.pages.size(), 1u);
  EXPECT_NE(pdf.pages[0].find(extractable(s.team(2).name + " Home bar: " + s.bar(s.team(2).bar).name)),
            std::string::npos)
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
