// The league model keeps to its tables (deletions are tested with the save
// that compacts them, in league_file_test.cpp), and the name rules: names are
// trimmed of blanks (only), must not be empty and must be unique among the
// live entries of their kind, letter case ignored beyond ASCII and whatever
// the process locale says.

#include <gtest/gtest.h>

#include <tuple>

#include "base/text_compare.h"
#include "league/names.h"
#include "league_test_support.h"

namespace quintora::test {

TEST(LeagueModel, NothingIsPlacedOrChangedOutsideTheTables) {
  league::League league;
  for (int i = 0; i < league::bar_room; ++i) ASSERT_EQ(add_bar(league, "bar"), i);
  delete_bar(league, 0);
  EXPECT_EQ(add_bar(league, "deleted entries keep their room"), league::no_position);
  for (int i = 0; i < league::team_room; ++i) ASSERT_EQ(add_team(league, "team", 1), i);
  EXPECT_EQ(add_team(league, "one too many", 1), league::no_position);
  const std::string full = describe(league);
  for (int p : {-1, league::bar_room, 1000})
    delete_bar(league, p), rename_bar(league, p, "X"), set_tables(league, p, 9);
  for (int p : {-1, league::team_room, 1000})
    delete_team(league, p, 1), delete_team(league, 1, p), rename_team(league, p, "X");
  EXPECT_EQ(describe(league), full);
}

TEST(Names, ValidateNameChecksEachKindAgainstItsLiveEntries) {
  league::League league =
      make_league({{"Corner Pocket", 1, {"Sharks"}}, {"Gone", 1, {"Gone Team"}}, {"Ελλάς", 1, {}}});
  delete_bar(league, 1);
  // typed, kind, stored, message ("" when accepted)
  const std::tuple<std::string, league::NameKind, std::string, std::string> cases[] = {
      {"  New  Bar  ", league::NameKind::Bar, "New  Bar", ""},
      {"   ", league::NameKind::Team, "", "Not a valid name."},
      {"corner POCKET", league::NameKind::Bar, "corner POCKET", "Bar name is already used."},
      {" Corner Pocket ", league::NameKind::Team, "Corner Pocket", ""},  // a team may bear a bar's name
      {"SHARKS", league::NameKind::Team, "SHARKS", "Team name is already used."},
      {"gone", league::NameKind::Bar, "gone", ""},  // freed by the deletion
      {"ΕΛΛΆΣ", league::NameKind::Bar, "ΕΛΛΆΣ", "Bar name is already used."},
      {"\tSharks\t ", league::NameKind::Team, "\tSharks\t", ""},  // a tab is no blank
  };
  for (const auto& [typed, kind, stored, message] : cases) {
    std::string text = typed;
    const std::optional<base::Notice> refusal = validate_name(league, text, kind);
    EXPECT_EQ(text, stored);
    EXPECT_EQ(refusal ? std::string(refusal->caption) + " " + refusal->text : "",
              message.empty() ? "" : "Sorry ! " + message)
        << typed;
  }
}

TEST(Names, EqualIgnoringCaseFoldsTheCoveredScriptsAndNothingElse) {
  const std::tuple<std::string, std::string, bool> cases[] = {
      {"Corner Pocket", "CORNER pocket", true},
      {"@[", "`{", false},
      {"×", "÷", false},
      {"Café Crème", "CAFÉ CRÈME", true},
      {"ſǄ", "Sǆ", true},
      {"ß", "ss", false},
      {"Ελλάς Ёж Հայ", "ΕΛΛΆΣ ёЖ հԱՅ", true},
      {"K", "\xE2\x84\xAA", true},
      {"ＡＢ", "ａｂ", true},
      {"é", "e\xCC\x81", false},
      {"\xC3", "\xE3", false},
      {"\xC1\x81", "a", false},
      {"ÉCOLE\xC3", "école\xC3", true},
  };
  for (const auto& [a, b, equal] : cases) {
    EXPECT_EQ(base::equal_ignoring_case(a, b), equal) << a << " / " << b;
    EXPECT_EQ(base::equal_ignoring_case(b, a), equal) << b << " / " << a;
  }
  for (std::uint32_t cp = 0; cp < 0x10000; ++cp)
    ASSERT_EQ(base::fold_case(base::fold_case(cp)), base::fold_case(cp)) << cp;  // idempotent
}

}  // namespace quintora::test
