// Disconnecting from parents or a partner, and deleting a person.
#include <gtest/gtest.h>

#include "common/cp1252.h"
#include "relations/delete_person.h"
#include "relations/disconnect.h"
#include "store/records.h"
#include "tree_fixture.h"

using namespace vft;

namespace {

using test::Kids;

using RelationsDisconnect = test::TreeFixture;

// Dan + Meg (family 3) with children Ann, Bob, Cy; Bob married Eve (family 5)
// with one child Kim.
class FamilyOfFive : public RelationsDisconnect {
 protected:
  std::int16_t dan, meg, ann, bob, cy, eve, kim, parents, couple;
  void SetUp() override {
    dan = b.person("Dan", "Dale", "M");                   // family 1
    meg = b.person("Meg", "Moss", "F");                   // 2
    parents = b.family(dan, meg, "1 May 1950", "Leeds");  // 3
    ann = b.child(parents, "Ann", "Dale", "F");
    bob = b.child(parents, "Bob", "Dale", "M");
    cy = b.child(parents, "Cy", "Dale", "M");
    eve = b.person("Eve", "East", "F");                 // family 4
    couple = b.family(bob, eve, "2 Jun 1975", "York");  // 5
    kim = b.child(couple, "Kim", "Dale", "F");
  }
};

TEST_F(FamilyOfFive, MiddleChildLeavesParentsIntoAFamilyOfItsOwn) {
  ASSERT_TRUE(DisconnectFromParents(s, bob));
  EXPECT_EQ(kids(parents), (Kids{ann, cy}));
  EXPECT_EQ(s.Config.NumMarriages(), 6);
  EXPECT_EQ(kids(6), Kids{bob});
  // Bob's own partnership and child are not touched.
  EXPECT_EQ(kids(couple), Kids{kim});
  EXPECT_EQ(partners(bob), 1);
  EXPECT_EQ(s.Link.DisconnectLog, "Person #4, child 2 in family3 disconnected from Parents and Siblings");
}

TEST_F(RelationsDisconnect, OnlyChildLeavesItsFamilyEmptyAPersonInNoneIsLeftAlone) {
  auto solo = b.person("Sol", "Solo", "M");
  ASSERT_TRUE(DisconnectFromParents(s, solo));
  EXPECT_EQ(test::stored_family(s, 1).NumKids, 0);
  EXPECT_EQ(kids(2), Kids{solo});
  EXPECT_EQ(s.Link.DisconnectLog, "Person #1, child 1 in family1 disconnected from Parents and Siblings");

  auto loose = b.loose_person("Lou", "Loose", "M");
  auto before = test::snapshot(s);
  EXPECT_FALSE(DisconnectFromParents(s, loose));
  EXPECT_FALSE(DisconnectFromParents(s, 0));
  EXPECT_EQ(test::snapshot(s), before);
}

TEST_F(FamilyOfFive, PartnerWithChildrenIsReplacedByOnePlaceholder) {
  ASSERT_TRUE(DisconnectFromPartner(s, bob, eve));
  const std::int16_t ph = 8;
  EXPECT_EQ(b.read(ph).Sex, "M");

  EXPECT_EQ(fam(couple).Husband, ph);
  EXPECT_EQ(kids(couple), Kids{kim});
  EXPECT_EQ(partners(bob), 0);
  EXPECT_EQ(partners(eve), 1);
  const CeremonyRecord c = test::stored_ceremony(s, couple);
  EXPECT_EQ(c.MarriedDate, "? ??? ????  ");
  EXPECT_EQ(c.MarriedAt, std::string(200, ' '));
  EXPECT_EQ(s.Link.DisconnectLog, "Person #4 in family5 disconnected from Spouse and Children.");
}

TEST_F(FamilyOfFive, ChildlessPartnersAreBothFreed) {
  auto zoe = b.person("Zoe", "Zed", "F");  // family 6
  auto second = b.family(cy, zoe, "3 Jul 1980", "Hull");
  const CeremonyRecord kept = test::stored_ceremony(s, second);
  ASSERT_TRUE(DisconnectFromPartner(s, cy, zoe));
  EXPECT_EQ(fam(second).Husband, 0);
  EXPECT_EQ(fam(second).Wife, 0);
  EXPECT_EQ(test::stored_ceremony(s, second), kept);
  EXPECT_EQ(partners(cy), 0);
  EXPECT_EQ(partners(zoe), 0);
  EXPECT_EQ(s.Config.NumPersons(), 8);  // no placeholder
}

TEST_F(RelationsDisconnect, UnknownPartnerFamilyKeepsTheCountsTrue) {
  auto mum = b.person("Mia", "Mole", "F");
  auto sole = b.family(0, mum);
  auto kid = b.child(sole, "Kai", "Mole", "M");
  ASSERT_TRUE(DisconnectFromPartner(s, mum, 0));
  EXPECT_EQ(MotherOf(s, kid), 3);  // a placeholder mother, counted as nobody's partner
  EXPECT_EQ(b.read(3).Sex, "F");
  EXPECT_EQ(b.read(3).NumPartners, 0);
  EXPECT_EQ(partners(mum), 0);
}

TEST_F(FamilyOfFive, NoSuchPartnerOrNoRoomForAPlaceholderChangesNothing) {
  auto before = test::snapshot(s);
  EXPECT_FALSE(DisconnectFromPartner(s, bob, meg));
  EXPECT_FALSE(DisconnectFromPartner(s, bob, bob));
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_TRUE(t.prompter.shown.empty());
  b.set_counts(14999, s.Config.NumMarriages());
  before = test::snapshot(s);
  EXPECT_FALSE(DisconnectFromPartner(s, bob, eve));
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_EQ(fam(couple).Husband, bob);
}

TEST_F(FamilyOfFive, DialogButtonsFollowWhatCanBeDisconnected) {
  b.select(bob);
  EXPECT_TRUE(CanDisconnectFromParents(s, bob));
  EXPECT_TRUE(CanDisconnectFromPartner(s));
  b.select(eve);  // alone in her family: nothing to show above her
  EXPECT_FALSE(CanDisconnectFromParents(s, eve));
  b.select(ann);
  EXPECT_FALSE(CanDisconnectFromPartner(s));
  auto before = test::snapshot(s);
  EXPECT_FALSE(DisconnectAs(s, DisconnectChoice::All));
  EXPECT_FALSE(s.UndoAvailable);
  EXPECT_EQ(test::snapshot(s), before);
}

TEST_F(FamilyOfFive, AllDisconnectsThePartnerFirst) {
  s.UCaseFamname = true;
  b.select(bob);
  ASSERT_TRUE(DisconnectAs(s, DisconnectChoice::All));
  EXPECT_EQ(s.UndoText, "Undo disconnection of Bob DALE");
  // The placeholder (person 8) was made before Bob's new family (family 7).
  EXPECT_EQ(fam(couple).Husband, 8);
  EXPECT_EQ(ParentFamilyOf(s, 8), 6);
  EXPECT_EQ(ParentFamilyOf(s, bob), 7);
  EXPECT_EQ(s.Link.DisconnectLog, std::string("Person #4 in family5 disconnected from Spouse and Children.") + CrLf +
                                      "Person #4, child 2 in family3 disconnected from Parents and Siblings");
  EXPECT_FALSE(s.Rel.DisconnectMode);
  EXPECT_EQ(s.Rel.Partners.count, 0);  // the view's lists follow
}

// ---- deleting

class RelationsDelete : public FamilyOfFive {};

TEST_F(RelationsDelete, NoChangesNothing) {
  auto before = test::snapshot(s);
  s.UCaseFamname = true;
  t.prompter.answers = {kAnswerNo};
  EXPECT_FALSE(DeletePerson(s, ann).deleted);
  const Message& m = last_box();
  EXPECT_EQ(m.title, "Warning");
  EXPECT_EQ(m.text,
            "You are about to permanently DELETE Ann DALE from the records. Do you wish to delete this person?");
  EXPECT_EQ(m.buttons, Buttons::YesNo);
  EXPECT_EQ(m.default_button, 1);
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_EQ(s.DeletedCount, 0);
}

TEST_F(RelationsDelete, YesMarksDeletedAndTakesThePersonOutOfItsFamily) {
  s.Person = b.read(ann);  // the main window's working copy
  DeleteOutcome out = DeletePerson(s, ann);
  ASSERT_TRUE(out.deleted);
  EXPECT_FALSE(out.tree_empty);
  EXPECT_EQ(out.count_text, "6 persons recorded.");
  EXPECT_EQ(b.read(ann).Deleted, -1);
  EXPECT_EQ(cp1252::trim(b.read(ann).GivenNames), "Ann");  // the data stays
  EXPECT_EQ(s.Person.Deleted, -1);
  EXPECT_EQ(kids(parents), (Kids{bob, cy}));

  // Partner families keep the deleted number.
  ASSERT_TRUE(DeletePerson(s, eve).deleted);
  EXPECT_EQ(fam(couple).Wife, eve);
  EXPECT_EQ(partners(bob), 1);
  EXPECT_EQ(fam(4).NumKids, 0);  // her own family is left empty
}

TEST_F(RelationsDelete, DeletedOrUnreadablePersonIsRefused) {
  ASSERT_TRUE(DeletePerson(s, ann).deleted);
  auto before = test::snapshot(s);
  EXPECT_FALSE(DeletePerson(s, ann).deleted);
  EXPECT_EQ(last_box().text, "The Person Number 3 has been deleted from the records. Please select another.");
  EXPECT_FALSE(DeletePerson(s, 99).deleted);
  EXPECT_EQ(last_box().text, "Person 99 cannot be read from the records.");
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_EQ(s.DeletedCount, 1);
}

TEST_F(RelationsDisconnect, DeletingTheLastLivingPersonEmptiesTheTree) {
  auto a = b.person("Al", "One", "M");
  auto c = b.person("Cy", "Two", "M");
  ASSERT_TRUE(DeletePerson(s, a).deleted);
  DeleteOutcome out = DeletePerson(s, c);
  EXPECT_TRUE(out.tree_empty);
  EXPECT_EQ(out.count_text, "");
}

}  // namespace
