// The league model and its editing: the model keeps to its tables
// (deletions are tested with the save that compacts them, in
// league_file_test.cpp); the name rules: names are trimmed of blanks (only),
// must not be empty and must be unique among the live entries of their kind,
// letter case ignored beyond ASCII and whatever the process locale says; and
// divisions, unavailable dates and venue details, each refusal naming its
// reason and leaving the league as it was.

#include <gtest/gtest.h>

#include <tuple>

#include "base/text_compare.h"
#include "league/league_details.h"
#include "league/names.h"
#include "league_test_support.h"
#include "support/calendar_builder.h"

namespace quintora::test {
namespace {

using league::UnavailableKind;

TEST(LeagueModel, NothingIsPlacedOrChangedOutsideTheTables) {
  league::League league;
  for (int i = 0; i < league::bar_room; ++i) ASSERT_EQ(add_bar(league, "bar"), i);
  delete_bar(league, 0);
  EXPECT_EQ(add_bar(league, "deleted entries keep their room"), league::no_position);
  for (int i = 0; i < league::team_room; ++i) ASSERT_EQ(add_team(league, "team", 1), i);
  EXPECT_EQ(add_team(league, "one too many", 1), league::no_position);
  const std::string full = describe(league);
  for (int p : {-1, league::bar_room, 1000}) {
    delete_bar(league, p);
    rename_bar(league, p, "X");
    set_tables(league, p, 9);
  }
  for (int p : {-1, league::team_room, 1000}) {
    delete_team(league, p, 1);
    delete_team(league, 1, p);
    rename_team(league, p, "X");
  }
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

std::string refusal(const league::Refusal& r) { return r ? r->text : ""; }

std::string divisions_of(const league::League& l) {
  std::string out;
  for (int d = 1; d <= league::division_count(l); ++d) out += division_name(l, d) + ";";
  for (int t = 0; t < l.n_team_slot; ++t) out.append(" ").append(std::to_string(division_of(l, t)));
  return out;
}

TEST(LeagueDetails, DivisionsAreNamedLikeBarsAndDeletingOneMovesItsTeamsToTheFirst) {
  league::League league = make_league({{"A", 2, {"a1", "a2", "a3", "a4"}}});
  const auto add = [&league](std::string name) { return refusal(add_division(league, name)); };
  EXPECT_EQ(add("  Premier "), "");
  EXPECT_EQ(add("division 1"), "Division name is already used.");  // the unnamed first one, in any case
  EXPECT_EQ(add("First"), "");
  for (int t = 0; t < 4; ++t) set_team_division(league, t, t);  // 0 is no division: stays
  set_team_division(league, 0, 9);
  EXPECT_EQ(divisions_of(league), "Division 1;Premier;First; 1 1 2 3");
  std::string name = "Top";
  EXPECT_EQ(refusal(rename_division(league, 1, name)), "");
  EXPECT_EQ(refusal(rename_division(league, 4, name)), "Please select a division.");
  EXPECT_EQ(refusal(delete_division(league, 2)), "");
  EXPECT_EQ(divisions_of(league), "Top;First; 1 1 1 2");
  for (int i = 3; i <= league::max_divisions; ++i)
    EXPECT_EQ(add(std::string("D").append(std::to_string(i))), "");
  EXPECT_EQ(add("Ninth"), "Only 8 divisions are allowed.");
  for (int d = league::max_divisions; d > 1; --d) EXPECT_EQ(refusal(delete_division(league, d)), "");
  EXPECT_EQ(refusal(delete_division(league, 1)), "A league keeps at least one division.");
  EXPECT_EQ(divisions_of(league), "Top; 1 1 1 1");
}

TEST(LeagueDetails, AnUnavailableDateIsAMatchDateListedOnce) {
  league::League league = make_league({{"A", 1, {"a1"}}, {"B", 1, {"b1"}}});
  const league::Unavailable bar{UnavailableKind::Bar, 1, {2026, 9, 15}};
  EXPECT_EQ(refusal(add_unavailable(league, bar)), "The league has no calendar: give the weeks dates first.");
  league.calendar = calendar({2026, 9, 8}, {{2026, 9, 22}});
  const struct {
    league::Unavailable entry;
    std::string refusal;
  } cases[] = {
      {bar, ""},
      {bar, "2026-09-15 is already listed."},
      {{UnavailableKind::Team, 1, {2026, 9, 15}}, ""},
      {{UnavailableKind::Bar, 0, {2026, 9, 16}},
       "2026-09-16 is not a match date: matches fall every 7 days from Tuesday 2026-09-08."},
      {{UnavailableKind::Bar, 0, {2026, 9, 1}},
       "2026-09-01 is not a match date: matches fall every 7 days from Tuesday 2026-09-08."},
      {{UnavailableKind::Bar, 0, {2026, 9, 22}}, "2026-09-22 is a week off: nothing is played that day."},
      {{UnavailableKind::Bar, 2, {2026, 9, 29}}, "Please select a bar."},
      {{UnavailableKind::Team, -1, {2026, 9, 29}}, "Please select a team."},
  };
  for (const auto& k : cases) EXPECT_EQ(refusal(add_unavailable(league, k.entry)), k.refusal);
  EXPECT_EQ(league.unavailable.n_entry, 2);
  EXPECT_TRUE(remove_unavailable(league, bar));
  EXPECT_FALSE(remove_unavailable(league, bar));
  EXPECT_EQ(unavailable_entries(league).front().kind, UnavailableKind::Team);
  for (int k = 1; k < league::max_unavailable; ++k) {
    const base::Date date = base::civil_from_days(base::days_from_civil({2026, 9, 29}) + 7 * k);
    ASSERT_EQ(refusal(add_unavailable(league, {UnavailableKind::Bar, 0, date})), "");
  }
  EXPECT_EQ(refusal(add_unavailable(league, {UnavailableKind::Bar, 1, {2026, 9, 29}})),
            "Only 200 unavailable dates are allowed.");
}

TEST(LeagueDetails, VenueDetailsKeepTheirRoomAndOneLine) {
  league::League league = make_league({{"A", 1, {"a1"}}});
  const std::string e60 = repeated("\u00E9", 60);
  const struct {
    league::Refusal (*set)(league::League&, int, std::string_view);
    std::string text, refusal, kept;
  } cases[] = {
      {league::set_address, " 1 Quay Street\r\nBristol\nBS1\r", "", "1 Quay Street, Bristol, BS1"},
      {league::set_address, e60, "", e60},
      {league::set_address, e60 + "x", "The address takes 121 bytes; it has room for 120. Please shorten it.",
       e60},
      {league::set_address, "Quay\tStreet", "An address cannot hold a tab or another control character.",
       e60},
      {league::set_phone, " +44 117 496 0000 ", "", "+44 117 496 0000"},
      {league::set_phone, std::string(31, '0'),
       "The phone number takes 31 bytes; it has room for 30. Please shorten it.", "+44 117 496 0000"},
      {league::set_phone, "0117\n496",
       "A phone number cannot hold a tab, a line break or another control character.", "+44 117 496 0000"},
      {league::set_start, "19:45", "", "19:45"},
      {league::set_start, "7pm",
       "The start time 7pm is not of the form HH:MM (00:00 to 23:59); leave it empty for the league's time.",
       "19:45"},
      {league::set_start, " ", "", "-"},
  };
  for (const auto& k : cases) {
    EXPECT_EQ(refusal(k.set(league, 0, k.text)), k.refusal) << k.text;
    const std::string kept = k.set == league::set_address ? std::string(league.bar.address[0].view())
                             : k.set == league::set_phone ? std::string(league.bar.phone[0].view())
                             : league.bar.start[0]        ? base::format_time(*league.bar.start[0])
                                                          : "-";
    EXPECT_EQ(kept, k.kept);
  }
  delete_bar(league, 0);
  EXPECT_EQ(refusal(league::set_phone(league, 0, "1")), "Please select a bar.");
}

}  // namespace
}  // namespace quintora::test
