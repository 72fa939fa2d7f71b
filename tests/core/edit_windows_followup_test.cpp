// What the delete, orphan and re-arrange windows decide without widgets: the
// person shown after a deletion, the orphan list's check marks and its two
// delete steps, and the lists the re-arrange window offers.
#include <gtest/gtest.h>

#include "edit/arrange_modes.h"
#include "edit/delete_followup.h"
#include "edit/orphan_picker.h"
#include "relations/delete_person.h"
#include "relations/family_ops.h"
#include "store/records.h"
#include "tree_fixture.h"

using namespace vft;

namespace {

using Nums = std::vector<std::int16_t>;

using EditWindows = test::TreeFixture;

// Dan + Meg with children Ann, Bob, Cy; Bob + Eve with child Kim.
class EditWindowsFamily : public EditWindows {
 protected:
  std::int16_t dan, meg, ann, bob, cy, eve, kim, parents, couple;
  void SetUp() override {
    dan = b.person("Dan", "Dale", "M");
    meg = b.person("Meg", "Moss", "F");
    parents = b.family(dan, meg, "1 May 1950");
    ann = b.child(parents, "Ann", "Dale", "F");
    bob = b.child(parents, "Bob", "Dale", "M");
    cy = b.child(parents, "Cy", "Dale", "M");
    eve = b.person("Eve", "East", "F");
    couple = b.family(bob, eve, "2 Jun 1975");
    kim = b.child(couple, "Kim", "Dale", "F");
  }
};

TEST_F(EditWindowsFamily, RelativesComeClosestFirstWithoutTheOwnNumber) {
  EXPECT_EQ(RelativesOf(s, bob), (Nums{dan, meg, eve, kim, ann, cy}));
  EXPECT_EQ(RelativesOf(s, kim), (Nums{bob, eve}));
  EXPECT_EQ(RelativesOf(s, 0), Nums{});
}

TEST_F(EditWindowsFamily, AfterDeletingTheFirstLivingRelativeIsShown) {
  b.select(bob);
  const Nums relatives = RelativesOf(s, bob);
  ASSERT_TRUE(MarkPersonDeleted(s, bob));
  ASSERT_TRUE(MarkPersonDeleted(s, dan));
  EXPECT_EQ(ShowAnotherPerson(s, relatives, bob), meg);
  EXPECT_EQ(s.Config.LastPerson(), meg);
}

TEST_F(EditWindows, WithoutRelativesTheNearestLivingNumberIsShownIfAny) {
  for (const char* n : {"A", "B", "C", "D", "E", "F"}) b.person(n, "Loner", "F");
  ASSERT_TRUE(MarkPersonDeleted(s, 3));
  EXPECT_EQ(ShowAnotherPerson(s, {}, 3), 2);  // lower number first on a tie
  ASSERT_TRUE(MarkPersonDeleted(s, 2));
  EXPECT_EQ(ShowAnotherPerson(s, {}, 3), 4);
  ASSERT_TRUE(MarkPersonDeleted(s, 4));
  ASSERT_TRUE(MarkPersonDeleted(s, 5));
  ASSERT_TRUE(MarkPersonDeleted(s, 6));
  EXPECT_EQ(ShowAnotherPerson(s, Nums{6, 5, 99, -3}, 6), 1);  // the far end, bad numbers passed over
  // Nobody left: the selection stays.
  ASSERT_TRUE(MarkPersonDeleted(s, 1));
  EXPECT_EQ(ShowAnotherPerson(s, {1}, 1), 0);
  EXPECT_EQ(s.Config.LastPerson(), 1);
}

// ---- the orphan list

class EditWindowsOrphans : public EditWindows {
 protected:
  std::int16_t zed, amy, max;
  void SetUp() override {
    zed = b.person("Zed", "Young", "M");
    amy = b.person("Amy", "Ash", "F");
    max = b.person("Max", "Mole", "M");
  }
};

TEST_F(EditWindowsOrphans, SelectAllCaptionFollowsTheMarks) {
  OrphanPicker p(FindOrphans(s));
  ASSERT_EQ(p.rows().size(), 3u);
  EXPECT_EQ(p.select_all_caption(), "Select All");
  p.set_all(true);
  EXPECT_EQ(p.select_all_caption(), "Deselect All");
  p.set_checked(1, false);
  EXPECT_EQ(p.select_all_caption(), "Select All");
  EXPECT_EQ(p.checked_count(), 2);
  EXPECT_EQ(p.checked_persons(), (Nums{zed, max}));
  p.set_checked(7, true);  // no such row
  EXPECT_EQ(p.checked_count(), 2);

  OrphanPicker empty({});
  EXPECT_FALSE(empty.all_checked());
}

TEST_F(EditWindowsOrphans, DeleteTakesTwoStepsAndCountsInTheBox) {
  OrphanPicker p(FindOrphans(s));
  EXPECT_EQ(p.delete_caption(), "Delete");
  EXPECT_EQ(p.question(), "");
  EXPECT_FALSE(p.mark_for_deletion());  // nothing checked: nothing happens
  EXPECT_EQ(p.confirm(s).deleted, 0);   // no confirming before marking
  EXPECT_TRUE(t.prompter.shown.empty());

  p.set_checked(0, true);
  p.set_checked(2, true);
  ASSERT_TRUE(p.mark_for_deletion());
  EXPECT_EQ(p.rows().size(), 2u);  // only the marked rows are left
  EXPECT_EQ(p.delete_caption(), "Yes");
  EXPECT_EQ(p.second_label(), "Do you wish to permanently delete these records?");
  p.set_checked(0, false);
  EXPECT_EQ(p.question(), OrphanQuestion(1));  // follows the marks
  EXPECT_FALSE(p.mark_for_deletion());         // already marked

  const OrphanDeletion d = p.confirm(s);
  EXPECT_EQ(d.deleted, 1);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(b.read(max).Deleted, -1);
  EXPECT_EQ(b.read(zed).Deleted, 0);
  EXPECT_EQ(p.confirm(s).deleted, 0);  // done once
  EXPECT_EQ(t.prompter.shown.size(), 1u);
}

// ---- the re-arrange lists

TEST_F(EditWindowsFamily, ArrangeOpensOnTheFirstListWithSomethingToMove) {
  b.select(bob);  // one partner, three siblings, one child
  ArrangeModes m = ChooseArrangeModes(s);
  EXPECT_EQ(m.offered, (std::array<bool, 3>{true, true, true}));
  EXPECT_EQ(m.first, ArrangeMode::Siblings);

  b.select(dan);  // one partner, alone in his parent family, three children
  m = ChooseArrangeModes(s);
  EXPECT_EQ(m.first, ArrangeMode::Children);

  auto zoe = b.person("Zoe", "Zinn", "F");
  b.family(dan, zoe);
  b.select(dan);
  EXPECT_EQ(ChooseArrangeModes(s).first, ArrangeMode::Partners);

  b.select(kim);  // no partner, no children: only her own one-row sibling list
  m = ChooseArrangeModes(s);
  EXPECT_EQ(m.offered, (std::array<bool, 3>{false, true, false}));
  EXPECT_EQ(m.first, ArrangeMode::Siblings);
}

TEST_F(EditWindows, NothingToArrangeWithoutASelectedPerson) {
  b.person("Ida", "Frost", "F");
  const ArrangeModes m = ChooseArrangeModes(s);
  EXPECT_FALSE(m.any());
  EXPECT_EQ(m.first, ArrangeMode::Partners);
}

}  // namespace
