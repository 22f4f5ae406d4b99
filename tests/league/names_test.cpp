// The name rules: trimming, empty names and duplicates, letter case ignored.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "league/names.h"
#include "league_test_support.h"

namespace quintora::test {
namespace {

TEST(Names, TrimOnlyBlanks) {
  const struct {
    std::string text, trailing, leading;
  } cases[] = {
      {"  Ace  ", "  Ace", "Ace  "},    {"Ace", "Ace", "Ace"},          {"    ", "", ""},
      {"", "", ""},                     {"\tAce\t ", "\tAce\t", "\tAce\t "}, {" A  B ", " A  B", "A  B "},
  };
  for (const auto& k : cases) {
    std::string a = k.text;
    std::string b = k.text;
    EXPECT_EQ(&trim_trailing_blanks(a), &a);
    EXPECT_EQ(a, k.trailing);
    EXPECT_EQ(&trim_leading_blanks(b), &b);
    EXPECT_EQ(b, k.leading);
  }
}

TEST(Names, ValidateNameChecksEachKindAgainstItsLiveEntries) {
  League league = make_league({{"Corner Pocket", 1, {"Sharks"}}, {"Gone", 1, {"Gone Team"}}, {"Ελλάς", 1, {}}});
  delete_bar(league, 1);
  const struct {
    std::string typed;
    NameKind kind;
    int result;
    std::string stored;   // the text after the check
    std::string message;  // "" when accepted
  } cases[] = {
      {"  New Bar  ", NameKind::Bar, 1, "New Bar", ""},
      {"   ", NameKind::Bar, 0, "", "Not a valid name."},
      {"", NameKind::Team, 0, "", "Not a valid name."},
      {"corner POCKET", NameKind::Bar, 0, "corner POCKET", "Bar name is already used."},
      {" Corner Pocket ", NameKind::Team, 1, "Corner Pocket", ""},  // a team may bear a bar's name
      {"SHARKS", NameKind::Team, 0, "SHARKS", "Team name is already used."},
      {"Sharks", NameKind::Bar, 1, "Sharks", ""},
      {"gone", NameKind::Bar, 1, "gone", ""},             // freed by the deletion
      {"gone team", NameKind::Team, 1, "gone team", ""},  // its teams went with it
      {"ΕΛΛΆΣ", NameKind::Bar, 0, "ΕΛΛΆΣ", "Bar name is already used."},
      {"\tSharks", NameKind::Team, 1, "\tSharks", ""},  // a tab is part of the name
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.typed);
    FakeWindowSystem ws;
    std::string text = k.typed;
    EXPECT_EQ(validate_name(league, text, k.kind, ws), k.result);
    EXPECT_EQ(text, k.stored);
    if (k.message.empty()) {
      EXPECT_TRUE(ws.messages().empty());
    } else {
      ASSERT_EQ(ws.messages().size(), 1u);
      EXPECT_EQ(ws.messages()[0].text, k.message);
      EXPECT_EQ(ws.messages()[0].caption, "Sorry !");
      EXPECT_EQ(ws.messages()[0].icon, ui::Icon::Error);
      EXPECT_EQ(ws.messages()[0].buttons, ui::Buttons::Ok);
    }
  }
}

}  // namespace
}  // namespace quintora::test
