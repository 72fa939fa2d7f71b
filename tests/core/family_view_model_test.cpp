// The family view's slots around the selected person and the stepping of the
// three "More" buttons.
#include "family_view_fixture.h"
#include "store/records.h"

using namespace vft;
using Kids = std::vector<std::int16_t>;

namespace {

class FamilyViewSlots : public test::FamilyViewTest {};

TEST_F(FamilyViewSlots, FourChildrenShowAllAFifthStepsByOneAndWraps) {
  auto m = parents("3 Apr 1900");
  Kids k = kids(m, 4);

  FamilyViewModel v = show(dad);
  EXPECT_EQ(children(v), k);
  EXPECT_FALSE(v.MoreChildren);
  EXPECT_FALSE(NextChild(s, cursor));  // R with four children does nothing

  k.push_back(tree.child(m, "C5", "Kid", "M"));
  v = show(mum);
  EXPECT_TRUE(v.MoreChildren);
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(NextChild(s, cursor));
  // Start index 4: the last child first, then round to the beginning.
  EXPECT_EQ(children(view()), (Kids{k[4], k[0], k[1], k[2]}));
  ASSERT_TRUE(NextChild(s, cursor));
  EXPECT_EQ(children(view()), (Kids{k[0], k[1], k[2], k[3]}));
  // A click on child slot 1 at start 4 selects the first child.
  for (int i = 0; i < 4; ++i) NextChild(s, cursor);
  ASSERT_TRUE(SelectSlot(s, cursor, Slot::Child1));
  EXPECT_EQ(s.Config.LastPerson(), k[0]);
  EXPECT_EQ(cursor.ChildStart, 0);
}

TEST_F(FamilyViewSlots, SiblingsOfOneToFourChildren) {
  auto dad = tree.person("Tom", "Hart", "M");
  auto m = tree.family(dad, 0);
  Kids k = kids(m, 2);
  FamilyViewModel v = show(k[1]);
  EXPECT_EQ(siblings(v), Kids{k[0]});
  v = show(dad);  // the only child of a family without parents
  EXPECT_TRUE(siblings(v).empty());

  k.push_back(tree.child(m, "C3", "Kid", "M"));
  v = show(k[0]);
  EXPECT_EQ(siblings(v), (Kids{k[1], k[2]}));
  EXPECT_FALSE(v.MoreSiblings);
  EXPECT_FALSE(NextSibling(s, cursor));
  // The last child of the family: the ring wraps to the first and second.
  v = show(k[2]);
  EXPECT_EQ(siblings(v), (Kids{k[0], k[1]}));

  k.push_back(tree.child(m, "C4", "Kid", "F"));
  v = show(k[3]);
  EXPECT_TRUE(v.MoreSiblings);
  EXPECT_EQ(SlotTarget(s, cursor, Slot::Sibling1), k[1]);
}

TEST_F(FamilyViewSlots, NextSiblingWalksTheRingAndCounts) {
  Kids k = kids(parents(), 4);
  show(k[2]);
  cursor.ChildStart = 3;
  Kids visited;
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(NextSibling(s, cursor));
    visited.push_back(s.Config.LastPerson());
  }
  EXPECT_EQ(visited, (Kids{k[3], k[0], k[1], k[2]}));
  EXPECT_EQ(cursor.SiblingSteps, 4);
  EXPECT_EQ(cursor.ChildStart, 0);
  // Any other navigation forgets the steps.
  ASSERT_TRUE(SelectSlot(s, cursor, Slot::Father));
  EXPECT_EQ(cursor.SiblingSteps, 0);
}

TEST_F(FamilyViewSlots, NoneOneOrThreePartnershipsAndNextPartnerWraps) {
  auto man = tree.person("Ned", "Cole", "M");
  FamilyViewModel v = show(man);
  EXPECT_FALSE(v.slot(Slot::Partner).Visible);
  EXPECT_FALSE(v.EditMarrEnabled);
  EXPECT_FALSE(v.ArrangeEnabled.has_value());
  EXPECT_FALSE(NextPartner(s, cursor));

  // A partnership whose partner is unknown still shows an (empty) partner box.
  auto m = tree.family(man, 0);
  kids(m, 1);
  v = show(man);
  EXPECT_TRUE(v.slot(Slot::Partner).Visible);
  EXPECT_EQ(v.slot(Slot::Partner).Person, 0);
  EXPECT_FALSE(v.MoreSpouses);
  EXPECT_FALSE(NextPartner(s, cursor));
  EXPECT_FALSE(SelectSlot(s, cursor, Slot::Partner));

  Kids wives{0};
  for (const char* name : {"Amy", "Bea"}) {
    wives.push_back(tree.person(name, "Wed", "F"));
    tree.family(man, wives.back());
  }
  v = show(man);
  EXPECT_TRUE(v.MoreSpouses);
  Kids partners{v.slot(Slot::Partner).Person};
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(NextPartner(s, cursor));
    partners.push_back(view().slot(Slot::Partner).Person);
  }
  EXPECT_EQ(partners, (Kids{wives[0], wives[1], wives[2], wives[0]}));

  // A refresh keeps the displayed partnership; a navigation starts again at the first.
  NextPartner(s, cursor);
  NextPartner(s, cursor);
  v = show(man);
  EXPECT_EQ(v.slot(Slot::Partner).Person, wives[2]);
  ASSERT_TRUE(SelectSlot(s, cursor, Slot::Partner));
  ASSERT_TRUE(SelectSlot(s, cursor, Slot::Partner));
  EXPECT_EQ(view().slot(Slot::Partner).Person, wives[0]);
}

TEST_F(FamilyViewSlots, GreatGrandParentMarkersNeedARecordedFather) {
  // Selected <- father <- (gf, gm); gf has only a father, gm only a mother.
  auto ggf = tree.person("Old", "Hart", "M");
  auto ggm = tree.person("Old", "Pike", "F");
  auto gf = tree.child(tree.family(ggf, 0), "Gus", "Hart", "M");
  auto gm = tree.child(tree.family(0, ggm), "Gwen", "Pike", "F");
  auto dad = tree.child(tree.family(gf, gm), "Tom", "Hart", "M");
  auto mum = tree.person("Eve", "Hart", "F");
  auto me = tree.child(tree.family(dad, mum), "Me", "Hart", "M");
  tree.family(me, tree.person("Wyn", "Ash", "F"));

  FamilyViewModel v = show(me);
  EXPECT_EQ(v.GrandParents, (std::array<std::int16_t, 4>{gf, gm, 0, 0}));
  EXPECT_EQ(v.Markers, (std::array<bool, 5>{true, false, false, false, false}));
  // Mother's parents unknown: boxes drawn empty, no marker. The wife came in
  // with a parent family of her own but no parents: no partner marker.
  EXPECT_TRUE(v.slot(Slot::GrandParent2).Visible);
  EXPECT_EQ(SlotTarget(s, cursor, Slot::GrandParent1), gm);
  EXPECT_FALSE(SelectSlot(s, cursor, Slot::GrandParent3));

  // Seen from the father's wife the partner's parents are recorded.
  v = show(mum);
  EXPECT_EQ(v.slot(Slot::Partner).Person, dad);
  EXPECT_TRUE(v.Markers[kPartnerMarker]);
}

TEST_F(FamilyViewSlots, MissingBirthDateOnlyTheSelectedBoxShowsUnknown) {
  auto me = tree.child(parents("10 May 1876"), "Ann", "Hart", "F");
  set_dates(me, "", "4 Jun 1920");
  set_dates(dad, "", "4 Jun 1920");
  set_dates(mum, "", "");

  FamilyViewModel v = show(me);
  EXPECT_EQ(v.slot(Slot::Selected).Dates, "? ??? ???? - 4 Jun 1920");
  EXPECT_EQ(v.slot(Slot::Father).Dates, " - 4 Jun 1920");
  EXPECT_EQ(v.slot(Slot::Mother).Dates, " - ");
  EXPECT_TRUE(v.slot(Slot::Selected).Deceased);
  // The description keeps the stored (empty) birth date.
  EXPECT_EQ(v.slot(Slot::Selected).Description, "Ann Hart  (#3),    - 4 Jun 1920");
}

TEST_F(FamilyViewSlots, ParentsLineAndPartnershipButton) {
  auto pm = parents("10 May 1876");
  auto me = tree.child(pm, "Ann", "Hart", "F");
  auto m1 = tree.family(tree.person("Bob", "Ash", "M"), me, "2 Jun 1904");
  auto m2 = tree.family(tree.person("Cy", "Orr", "M"), me);
  tree.family(tree.person("Dan", "Pry", "M"), me, "? ??? 1920");
  fam(m1).Divorced = -1;
  tree.write_family(m1);
  fam(m2).NotMarried = -1;
  tree.write_family(m2);

  FamilyViewModel v = show(me);
  EXPECT_EQ(v.ParentsMarried, " Married 10 May 1876 ");
  EXPECT_EQ(v.Partnership.text, " Marr&ied 2 Jun 1904 (divorced) ");
  EXPECT_DOUBLE_EQ(v.Partnership.widen, 1.02);
  NextPartner(s, cursor);
  EXPECT_EQ(view().Partnership.text, " Not Marr&ied ");
  NextPartner(s, cursor);
  EXPECT_EQ(view().Partnership.text, "  Marr&ied ? ??? 1920 ");

  fam(pm).Divorced = -1;
  EXPECT_EQ(view().ParentsMarried, " Married 10 May 1876 (divorced) ");
  fam(pm).Divorced = 0;
  fam(pm).NotMarried = -1;
  EXPECT_EQ(view().ParentsMarried, " Not Married ");
  // With only one parent known there is no line.
  fam(pm).Wife = 0;
  EXPECT_EQ(view().ParentsMarried, "");
  EXPECT_TRUE(view().slot(Slot::Mother).Visible);
}

TEST_F(FamilyViewSlots, NavigationUpdatesTheSelectedPersonEverywhere) {
  auto me = tree.child(parents(), "Ann", "Hart", "F");
  auto w2 = tree.person("Zoe", "Lake", "F");
  tree.family(dad, w2);
  show(me);

  ASSERT_TRUE(SelectSlot(s, cursor, Slot::Father));
  EXPECT_EQ(s.Config.LastPerson(), dad);
  EXPECT_EQ(s.Person.PerNum, dad);
  EXPECT_EQ(s.Rel.Partners.count, 2);
  // The selected box opens the editor rather than navigating.
  EXPECT_FALSE(SelectSlot(s, cursor, Slot::Selected));

  ASSERT_TRUE(NextPartner(s, cursor));
  ASSERT_TRUE(SelectSlot(s, cursor, Slot::Partner));
  EXPECT_EQ(s.Config.LastPerson(), w2);
  // A person number that is not on record changes nothing.
  EXPECT_FALSE(NavigateTo(s, cursor, 99));
  EXPECT_FALSE(NavigateTo(s, cursor, -1));
  EXPECT_EQ(s.Config.LastPerson(), w2);
}

TEST_F(FamilyViewSlots, CommandStatesFollowTheView) {
  auto pm = parents();
  auto me = tree.child(pm, "Ann", "Hart", "F");
  auto m = tree.family(tree.person("Bob", "Ash", "M"), me);
  kids(m, 1);

  FamilyViewModel v = show(me);
  EXPECT_TRUE(v.EditMarrEnabled);
  EXPECT_TRUE(v.DeleteEnabled);
  EXPECT_TRUE(v.DisconnectEnabled);
  // One child in each family and a single partnership: nothing to re-arrange.
  ASSERT_TRUE(v.ArrangeEnabled.has_value());
  EXPECT_FALSE(*v.ArrangeEnabled);
  tree.child(pm, "Sis", "Hart", "F");
  EXPECT_TRUE(*view().ArrangeEnabled);
  fam(pm).NumKids = 1;
  kids(m, 1);
  EXPECT_TRUE(*view().ArrangeEnabled);

  // A person alone: nothing to disconnect.
  v = show(tree.person("Sol", "Lone", "M"));
  EXPECT_FALSE(v.DisconnectEnabled);
}

TEST_F(FamilyViewSlots, EmptyTreeAndDeletedPersons) {
  s.Config.setEnblPrompts(0);
  FamilyViewModel v = show(0);
  EXPECT_FALSE(v.HasTree);
  EXPECT_EQ(v.Status, "");
  EXPECT_EQ(s.Config.EnblPrompts(), 1);
  for (const SlotView& box : v.Slots) EXPECT_FALSE(box.Visible);

  auto p = tree.person("Tom", "Hart", "M");
  v = show(p);
  EXPECT_TRUE(v.HasTree);
  // Every person deleted: an empty view again, though the status line asks for a click.
  s.DeletedCount = 1;
  v = show(p);
  EXPECT_FALSE(v.HasTree);
  EXPECT_EQ(v.Selected, 0);
  EXPECT_EQ(v.Status, s.Messages[msg::ClickOnABox]);
}

TEST_F(FamilyViewSlots, DamagedValuesStayInsideTheTables) {
  auto m = parents();
  Kids k = kids(m, 2);
  // LastPerson past the end of the persons file: nothing is shown.
  FamilyViewModel v = show(400);
  EXPECT_EQ(v.Selected, 0);

  // A child count past the 41 slots, a stale displayed row and a negative
  // child start are taken back into range.
  fam(m).NumKids = 300;
  v = show(dad);
  EXPECT_EQ(v.KidCount, kMaxKids);
  EXPECT_EQ(children(v), (Kids{k[0], k[1]}));  // empty slots hold 0: no box
  s.Rel.DisplayedPartner = 17;
  cursor.ChildStart = -5;
  v = view();
  EXPECT_EQ(v.DisplayedFamily, 0);
  EXPECT_FALSE(NextChild(s, cursor));
  s.Rel.DisplayedPartner = 0;
  v = view();
  EXPECT_GE(v.ChildStart, 0);
  EXPECT_LT(v.ChildStart, kMaxKids);
  fam(m).NumKids = -4;
  EXPECT_TRUE(children(view()).empty());
}

}  // namespace
