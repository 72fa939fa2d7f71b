#include <gtest/gtest.h>

#include "common/cp1252.h"
#include "relations/family_ops.h"
#include "store/records.h"
#include "tree_fixture.h"

using namespace vft;

namespace {

using test::Kids;

using RelationsOps = test::TreeFixture;

TEST_F(RelationsOps, MotherAddedRaisesPartnerCountsOnlyBesideAFather) {
  auto dad = b.person("Dan", "Dale", "M");
  auto pf = b.family(dad, 0);
  auto c = b.child(pf, "Cal", "Dale", "M");
  auto lone = b.person("Lon", "Dale", "M");       // family 3, no parents
  auto mum = b.loose_person("Meg", "Moss", "F");  // just stored by the editor
  s.Rel.AddMode = true;
  ASSERT_TRUE(SetMother(s, c, mum));
  EXPECT_EQ(test::stored_family(s, pf).Wife, mum);
  EXPECT_EQ(partners(dad), 1);
  EXPECT_EQ(partners(mum), 1);
  EXPECT_EQ(ParentFamilyOf(s, mum), 4);  // the new mother gets a family of her own

  auto mum2 = b.loose_person("Mia", "Moss", "F");
  ASSERT_TRUE(SetMother(s, lone, mum2));
  EXPECT_EQ(fam(3).Wife, mum2);
  EXPECT_EQ(partners(mum2), 0);
}

TEST_F(RelationsOps, TakenParentSlotOrUnsetSexIsRefused) {
  auto dad = b.person("Dan", "Dale", "M");
  auto pf = b.family(dad, 0);
  auto c = b.child(pf, "Cal", "Dale", "M");
  auto other = b.person("Odd", "Olm", "M");
  auto mum = b.person("Meg", "Moss", "F");
  auto nosex = b.person("Pat", "Pine", " ");
  ASSERT_TRUE(SetParentBySex(s, pf, mum));
  EXPECT_EQ(fam(pf).Wife, mum);
  auto before = test::snapshot(s);
  EXPECT_FALSE(SetFather(s, c, other));
  EXPECT_EQ(last_box().text, "Cal Dale already has a father.");
  EXPECT_FALSE(SetParentBySex(s, ParentFamilyOf(s, other), nosex));
  EXPECT_EQ(last_box().text, "The sex of Pat Pine is not set and cannot be connected as a parent.");
  EXPECT_EQ(test::snapshot(s), before);
}

// c has partners P1 (family 10) and P2 (family 14); a new partner goes first.
class PartnerInsertion : public RelationsOps {
 protected:
  std::int16_t c, p1, p2, n, k1, k2;
  void SetUp() override {
    c = b.person("Carl", "Cook", "M");             // family 1
    p1 = b.person("Pia", "One", "F");              // 2
    p2 = b.person("Pam", "Two", "F");              // 3
    n = b.person("Nel", "New", "F");               // 4
    for (int i = 0; i < 5; ++i) b.empty_family();  // 5..9
    ASSERT_EQ(b.family(c, p1, "1 Jan 1950", "York"), 10);
    k1 = b.child(10, "Kit", "Cook", "M");
    for (int i = 0; i < 3; ++i) b.empty_family();  // 11..13
    ASSERT_EQ(b.family(c, p2, "2 Feb 1960", "Hull"), 14);
    k2 = b.child(14, "Kay", "Cook", "F");
    fam(14).Divorced = -1;
    b.write_family(14);
    s.Editing.MarBuf.NotMarried = -1;
    s.Editing.CerBuf = {cp1252::fit("3 Mar 1970", 12), cp1252::fit("Ripon", 200)};
  }
};

TEST_F(PartnerInsertion, NewPartnerAtPositionOneShiftsFamiliesUp) {
  s.Rel.ConnectMode = true;
  s.Rel.AsPartner = true;
  ASSERT_EQ(InsertPartnershipAt(s, n, c, 0), 10);

  EXPECT_EQ(fam(10).Wife, n);
  EXPECT_EQ(fam(10).NumKids, 0);
  EXPECT_EQ(fam(10).NotMarried, -1);
  EXPECT_EQ(test::stored_ceremony(s, 10).MarriedDate, "3 Mar 1970  ");
  EXPECT_EQ(fam(14).Wife, p1);
  EXPECT_EQ(fam(15).Wife, p2);
  EXPECT_EQ(cp1252::trim(test::stored_ceremony(s, 15).MarriedDate), "2 Feb 1960");

  EXPECT_EQ(partners(c), 3);
  EXPECT_EQ(partners(n), 1);
  EXPECT_FALSE(s.Rel.AsPartner);
}

TEST_F(PartnerInsertion, NewPersonInTheMiddleGetsItsOwnFamilyPastTheEndAppends) {
  s.Rel.AddMode = true;
  s.Rel.AsPartner = true;
  auto a = b.loose_person("Ada", "Added", "F");
  ASSERT_EQ(InsertPartnershipAt(s, a, c, 1), 14);
  EXPECT_EQ(fam(10).Wife, p1);
  EXPECT_EQ(fam(14).Wife, a);
  EXPECT_EQ(fam(15).Wife, p2);
  EXPECT_EQ(ParentFamilyOf(s, a), 16);
  EXPECT_TRUE(s.Rel.AsPartner);  // kept while adding

  ResetRelationState(s);
  s.Rel.ConnectMode = true;
  ASSERT_EQ(InsertPartnershipAt(s, n, c, 3), 17);  // past the end: appended
  EXPECT_EQ(fam(17).Wife, n);
}

TEST_F(RelationsOps, AppendedPartnershipTakesTheEditorsDetails) {
  auto c = b.person("Carl", "Cook", "M");
  auto a = b.person("Ann", "Ash", "F");
  s.Editing.MarBuf.Divorced = -1;
  s.Editing.CerBuf = {cp1252::fit("5 Jun 1980", 12), cp1252::fit("Leeds", 200)};
  s.Rel.ConnectMode = s.Rel.AsPartner = true;
  ASSERT_EQ(AppendPartnership(s, a, c), 3);
  EXPECT_EQ(fam(3).Wife, a);
  EXPECT_EQ(fam(3).Divorced, -1);
  EXPECT_EQ(test::stored_ceremony(s, 3), s.Editing.CerBuf);
  EXPECT_EQ(partners(a), 1);
  EXPECT_FALSE(s.Rel.AsPartner);
  // Female selected person: the new partner goes into Husband.
  auto d = b.person("Dan", "Dale", "M");
  ASSERT_EQ(AppendPartnership(s, d, a), 5);
  EXPECT_EQ(fam(5).Husband, d);
  EXPECT_EQ(fam(5).Wife, a);
}

TEST_F(RelationsOps, SoleParentFamilyIsCompletedAKnownPartnerNeverReplaced) {
  auto h = b.person("Hal", "Hart", "M");
  auto w = b.person("Wyn", "Wade", "F");
  auto v = b.person("Val", "Vane", "F");
  auto hw = b.family(h, w);
  auto sole = b.family(h, 0);
  auto kid = b.child(sole, "Kid", "Hart", "M");
  ASSERT_EQ(CompleteSoleParentFamily(s, v, h), sole);
  EXPECT_EQ(fam(hw).Wife, w);
  EXPECT_EQ(fam(sole).Wife, v);
  EXPECT_EQ(kids(sole), Kids{kid});
  EXPECT_EQ(partners(v), 1);
  // No family with c alone: a new one.
  auto x = b.person("Xia", "Xu", "F");
  ASSERT_EQ(CompleteSoleParentFamily(s, x, h), 7);
  EXPECT_EQ(fam(7).Husband, h);
  EXPECT_EQ(fam(7).Wife, x);
  EXPECT_EQ(partners(h), 3);
}

TEST_F(RelationsOps, ChildrenInsertedAtAPositionAndRemovedCloseUp) {
  auto h = b.person("Hal", "Hart", "M");
  auto w = b.person("Wyn", "Hart", "F");
  auto m = b.family(h, w);
  auto k1 = b.child(m, "A", "Hart", "M");
  auto k2 = b.child(m, "B", "Hart", "M");
  auto k3 = b.child(m, "C", "Hart", "M");
  auto x = b.loose_person("X", "Hart", "F");
  auto y = b.loose_person("Y", "Hart", "F");
  ASSERT_TRUE(InsertChildAt(s, m, x, 1));
  ASSERT_TRUE(InsertChildOfCouple(s, w, h, y, 4));  // position NumKids+1 appends
  EXPECT_EQ(kids(m), (Kids{k1, x, k2, k3, y}));

  ASSERT_EQ(RemoveFromParentFamily(s, y), m);  // last used slot: only cleared
  ASSERT_EQ(RemoveFromParentFamily(s, k1), m);
  EXPECT_EQ(kids(m), (Kids{x, k2, k3}));
  EXPECT_EQ(fam(m).Kids[3], 0);
  auto before = test::snapshot(s);
  EXPECT_EQ(RemoveFromParentFamily(s, k1), 0);
  EXPECT_EQ(test::snapshot(s), before);
  // The family stays even when emptied.
  for (auto k : {x, k2, k3}) ASSERT_EQ(RemoveFromParentFamily(s, k), m);
  EXPECT_EQ(fam(m).NumKids, 0);
  EXPECT_EQ(fam(m).Husband, h);
}

TEST_F(RelationsOps, AppendedChildJoinsTheDisplayedThenUnknownPartnersThenANewFamily) {
  auto h = b.person("Hal", "Hart", "M");
  auto w = b.person("Wyn", "Hart", "F");
  auto v = b.person("Val", "Vane", "F");
  b.family(h, w);
  auto hv = b.family(h, v);
  auto k1 = b.child(hv, "A", "Vane", "M");
  b.select(h);
  s.Rel.DisplayedPartner = 1;
  auto x = b.loose_person("X", "Vane", "F");
  ASSERT_EQ(AppendChild(s, x, h), hv);
  EXPECT_EQ(kids(hv), (Kids{k1, x}));

  auto u = b.person("Una", "Ure", "F");  // family 6
  auto sole = b.family(0, u);
  b.select(u);
  auto z = b.loose_person("Z", "Ure", "F");
  ASSERT_EQ(AppendChild(s, z, u), sole);
  auto o = b.person("Oda", "Orr", "F");  // family 8, no partnership at all
  b.select(o);
  auto q = b.loose_person("Q", "Orr", "M");
  ASSERT_EQ(AppendChild(s, q, o), 9);
  EXPECT_EQ(fam(9).Wife, o);
  EXPECT_EQ(fam(9).Husband, 0);
  EXPECT_EQ(kids(9), Kids{q});
}

TEST_F(RelationsOps, UnknownPartnerIsAPlaceholderWithItsOwnFamily) {
  auto c = b.person("Carl", "Cook", "M");
  b.select(c);
  s.Rel.AddMode = s.Rel.AsChild = true;
  s.Editing.CerBuf = {cp1252::fit("stale", 12), cp1252::fit("stale", 200)};
  auto u = CreateUnknownPerson(s, 'F');
  ASSERT_EQ(u, 2);
  PersonRecord p = b.read(u);
  EXPECT_EQ(cp1252::trim(p.BirthDate), "? ??? ????");
  EXPECT_EQ(p.NumPartners, 1);
  EXPECT_TRUE(s.Rel.AsPartner);
  EXPECT_FALSE(s.Rel.AsChild);
  EXPECT_EQ(test::stored_ceremony(s, 2), blank_ceremony());
  EXPECT_EQ(ParentFamilyOf(s, u), 3);

  // For a disconnection: counted as a partner, but the disconnection links it.
  ResetRelationState(s);
  s.Rel.DisconnectMode = true;
  auto d = CreateUnknownPerson(s, 'M');
  ASSERT_EQ(d, 3);
  EXPECT_EQ(b.read(d).NumPartners, 1);
  EXPECT_EQ(ParentFamilyOf(s, d), 4);
  EXPECT_EQ(CountPartnerships(s, d), 0);
}

TEST_F(RelationsOps, PlaceholderRefusedAtThePersonLimit) {
  b.person("Carl", "Cook", "M");
  b.select(1);
  b.set_counts(14999, 1);
  auto before = test::snapshot(s);
  EXPECT_EQ(CreateUnknownPerson(s, 'F'), 0);
  EXPECT_EQ(last_box().text, " You have reached the maximum number of people allowed.");
  EXPECT_EQ(last_box().icon, Icon::Critical);
  EXPECT_EQ(test::snapshot(s), before);
}

TEST_F(RelationsOps, FortySecondChildIsRefusedAndNothingChanges) {
  auto h = b.person("Hal", "Hart", "M");
  auto w = b.person("Wyn", "Hart", "F");
  auto m = b.family(h, w);
  for (int i = 0; i < 40; ++i) b.child(m, "K" + std::to_string(i), "Hart", "M");
  auto last = b.loose_person("Last", "Hart", "M");
  auto x = b.loose_person("Xtra", "Hart", "F");
  b.select(h);
  ASSERT_TRUE(InsertChildAt(s, m, last, 40));  // the 41st still fits
  auto before = test::snapshot(s);
  auto table = s.Marriages;
  const std::string text = "Xtra Hart cannot be added: the family already has 41 children,\r\nthe most it can hold.";

  EXPECT_FALSE(InsertChildAt(s, m, x, 0));
  EXPECT_EQ(last_box().title, "Problem");
  EXPECT_EQ(last_box().text, text);
  EXPECT_EQ(AppendChild(s, x, h), 0);
  EXPECT_FALSE(InsertSiblingAt(s, x, 5, 3));
  EXPECT_FALSE(InsertChildOfCouple(s, h, w, x, 41));
  EXPECT_EQ(t.prompter.shown.size(), 4u);
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_TRUE(s.Marriages == table);
}

TEST_F(RelationsOps, TwentyFirstPartnershipIsRefusedAndNothingChanges) {
  auto h = b.person("Hal", "Hart", "M");
  for (int i = 0; i < 19; ++i) b.family(h, b.person("W" + std::to_string(i), "Wife", "F"));
  auto x = b.person("Xia", "Xu", "F");
  auto d = b.person("Dad", "Dale", "M");
  b.select(h);
  ASSERT_NE(AppendPartnership(s, b.person("W19", "Wife", "F"), h), 0);  // the 20th still fits
  auto before = test::snapshot(s);
  auto table = s.Marriages;
  const std::string text = "Hal Hart already has 20 partners, the most that can be recorded.";

  EXPECT_EQ(AppendPartnership(s, x, h), 0);
  EXPECT_EQ(last_box().text, text);
  EXPECT_EQ(InsertPartnershipAt(s, x, h, 0), 0);
  EXPECT_EQ(CompleteSoleParentFamily(s, x, h), 0);
  EXPECT_FALSE(SetParentBySex(s, ParentFamilyOf(s, d), h));
  EXPECT_EQ(AppendPartnership(s, h, x), 0);  // the limit holds for either partner
  EXPECT_EQ(t.prompter.shown.size(), 5u);
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_TRUE(s.Marriages == table);
}

TEST_F(RelationsOps, FamilyLimitRefusesNewFamiliesWithTheTwoLineMessage) {
  auto c = b.person("Carl", "Cook", "M");
  auto a = b.person("Ann", "Ash", "F");
  b.set_counts(2, 15000);
  auto before = test::snapshot(s);
  const std::string text = "You gave reached the maximum number of marriages permitted.\r\nPlease contact the author.";
  EXPECT_EQ(NewParentFamily(s, a), 0);
  EXPECT_EQ(last_box().text, text);
  EXPECT_EQ(last_box().icon, Icon::Information);
  EXPECT_EQ(AppendPartnership(s, a, c), 0);
  EXPECT_FALSE(SaveFamily(s, 0));
  EXPECT_FALSE(SaveFamily(s, 15001));
  EXPECT_FALSE(InsertChildAt(s, -2, a, 0));
  EXPECT_EQ(t.prompter.shown.size(), 5u);
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_EQ(s.Config.NumMarriages(), 15000);
}

TEST_F(RelationsOps, PartnerCountsFollowIntoTheWorkingCopiesAndKeepTheStoredCase) {
  auto c = b.person("Carl", "McCook", "M");
  auto a = b.person("Ann", "Ash", "F");
  b.select(c);
  s.Link.Person3 = b.read(a);
  s.Rel.ConnectMode = true;
  s.UCaseFamname = true;
  ASSERT_NE(AppendPartnership(s, a, c), 0);
  EXPECT_EQ(s.Rel.Selected.NumPartners, 1);
  EXPECT_EQ(s.Link.Person3.NumPartners, 1);
  EXPECT_EQ(cp1252::trim(b.read(c).FamName), "McCook");
}

}  // namespace
