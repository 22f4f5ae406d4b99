// The name rules: blanks only are trimmed, and a name must be non-empty and
// unique among the live entries of its kind, letter case ignored.

#include <gtest/gtest.h>

#include "league/names.h"
#include "league_test_support.h"

namespace quintora::test {
namespace {

TEST(Names, TrimOnlyBlanks) {
  const std::string cases[][3] = {{"  A  B  ", "  A  B", "A  B  "}, {"   ", "", ""},
                                  {"\tAce\t ", "\tAce\t", "\tAce\t "}};
  for (const auto& k : cases) {
    std::string trailing = k[0], leading = k[0];
    EXPECT_EQ(&trim_trailing_blanks(trailing), &trailing);
    EXPECT_EQ(&trim_leading_blanks(leading), &leading);
    EXPECT_EQ(trailing + "|" + leading, k[1] + "|" + k[2]);
  }
}

TEST(Names, ValidateNameChecksEachKindAgainstItsLiveEntries) {
  League league = make_league({{"Corner Pocket", 1, {"Sharks"}}, {"Gone", 1, {"Gone Team"}}, {"Ελλάς", 1, {}}});
  delete_bar(league, 1);
  const struct {
    std::string typed;
    NameKind kind;
    std::string stored, message;  // message: "" when accepted
  } cases[] = {
      {"  New  Bar  ", NameKind::Bar, "New  Bar", ""},
      {"   ", NameKind::Bar, "", "Not a valid name."},
      {"", NameKind::Team, "", "Not a valid name."},
      {"corner POCKET", NameKind::Bar, "corner POCKET", "Bar name is already used."},
      {" Corner Pocket ", NameKind::Team, "Corner Pocket", ""},  // a team may bear a bar's name
      {"SHARKS", NameKind::Team, "SHARKS", "Team name is already used."},
      {"gone", NameKind::Bar, "gone", ""},             // freed by the deletion
      {"gone team", NameKind::Team, "gone team", ""},  // its teams went with it
      {"ΕΛΛΆΣ", NameKind::Bar, "ΕΛΛΆΣ", "Bar name is already used."},
      {"\tSharks", NameKind::Team, "\tSharks", ""},  // a tab is part of the name
  };
  for (const auto& k : cases) {
    FakeWindowSystem ws;
    std::string text = k.typed;
    EXPECT_EQ(validate_name(league, text, k.kind, ws), k.message.empty() ? 1 : 0) << k.typed;
    EXPECT_EQ(text, k.stored);
    EXPECT_EQ(boxes(ws), k.message.empty() ? "" : "Sorry ! (error) " + k.message + "\n");
    for (const MessageRecord& m : ws.messages()) EXPECT_EQ(m.buttons, ui::Buttons::Ok);
  }
}

}  // namespace
}  // namespace quintora::test
