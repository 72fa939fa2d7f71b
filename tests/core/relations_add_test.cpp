// The link step after the person editor has stored a new person.
#include <gtest/gtest.h>

#include "common/cp1252.h"
#include "relations/add_person.h"
#include "relations/family_ops.h"
#include "store/records.h"
#include "tree_fixture.h"

using namespace vft;

namespace {

using test::Kids;

class RelationsAdd : public test::TreeFixture {
 protected:
  // What the person editor does before the link step: store the new record.
  std::int16_t save_new(const std::string& given, const std::string& fam_name, const std::string& sex) {
    s.Config.setNumPersons(static_cast<std::int16_t>(s.Config.NumPersons() + 1));
    s.Editing.Person2 = blank_person();
    s.Editing.Person2.GivenNames = given;
    s.Editing.Person2.FamName = fam_name;
    s.Editing.Person2.Sex = sex;
    EXPECT_TRUE(AddPersonRecord(s, s.Editing.Person2, ""));
    return s.Config.NumPersons();
  }
  void start_add(bool RelationState::*flag, std::int16_t selected) {
    b.select(selected);
    s.Rel.AddMode = true;
    s.Rel.*flag = true;
  }
};

TEST_F(RelationsAdd, FirstPersonOfAnEmptyTreeGetsFamilyOne) {
  s.AddingFirstPerson = true;
  auto a = save_new("Eve", "First", "F");
  LinkResult r = LinkNewPerson(s, a);
  EXPECT_EQ(r.step, LinkStep::Done);
  EXPECT_EQ(s.Config.NumMarriages(), 1);
  EXPECT_EQ(kids(1), Kids{1});
  EXPECT_EQ(test::stored_family(s, 1), fam(1));
  EXPECT_EQ(s.Rel.Selected.PerNum, 1);
  EXPECT_FALSE(s.AddingFirstPerson);
}

TEST_F(RelationsAdd, FatherWithoutMotherAsksForHerThenAPlaceholderFillsIn) {
  auto c = b.person("Cal", "Dale", "M");
  start_add(&RelationState::AsFather, c);
  auto dad = save_new("Dan", "Dale", "M");
  LinkResult r = LinkNewPerson(s, dad);
  EXPECT_EQ(r.step, LinkStep::AskOtherParent);
  EXPECT_EQ(FatherOf(s, c), dad);
  EXPECT_EQ(ParentFamilyOf(s, dad), 2);

  auto mum = SupplyUnknownParent(s);  // "No, the mother is not known"
  ASSERT_EQ(mum, 3);
  EXPECT_EQ(MotherOf(s, c), mum);
  EXPECT_EQ(b.read(mum).Sex, "F");
  EXPECT_EQ(partners(dad), 1);
  EXPECT_EQ(partners(mum), 1);
  expect_reset();
}

TEST_F(RelationsAdd, SiblingJoinsTheParentFamilyAtItsPosition) {
  s.UCaseFamname = true;
  auto pa = b.person("Pa", "Smith", "M");
  auto ma = b.person("Ma", "Smith", "F");
  auto pf = b.family(pa, ma);
  auto c = b.child(pf, "Cal", "Smith", "M");
  auto d = b.child(pf, "Dot", "Smith", "F");
  start_add(&RelationState::AsSibling, c);
  s.Rel.InsertPosition = 1;
  auto sib = save_new("Sam", "Smith", "M");
  LinkResult r = LinkNewPerson(s, sib);
  EXPECT_EQ(r.step, LinkStep::Done);
  EXPECT_EQ(r.undo_text, "Undo addition of sibling Sam SMITH");
  EXPECT_EQ(kids(pf), (Kids{c, sib, d}));
  EXPECT_EQ(s.Config.NumMarriages(), 3);  // no family of its own
  expect_reset();
}

TEST_F(RelationsAdd, ChildGoesToTheSettledCoupleAtItsPosition) {
  auto h = b.person("Hal", "Hart", "M");
  auto w = b.person("Wyn", "Wade", "F");
  auto v = b.person("Val", "Vane", "F");
  auto hw = b.family(h, w);
  auto k1 = b.child(hw, "A", "Hart", "M");
  auto k2 = b.child(hw, "B", "Hart", "M");
  b.family(h, v);

  start_add(&RelationState::AsChild, h);
  s.Rel.ChildFather = h;
  s.Rel.ChildMother = w;
  s.Rel.InsertPosition = 1;
  auto x = save_new("Xan", "Hart", "M");
  LinkResult r = LinkNewPerson(s, x);
  EXPECT_EQ(r.step, LinkStep::Done);
  EXPECT_EQ(r.undo_text, "Undo addition of child Xan Hart");
  EXPECT_EQ(kids(hw), (Kids{k1, x, k2}));
  expect_reset();
}

TEST_F(RelationsAdd, PartnerWaitsForTheMarriageEditor) {
  auto c = b.person("Carl", "Cook", "M");
  start_add(&RelationState::AsPartner, c);
  auto a = save_new("Ann", "Ash", "F");
  EXPECT_EQ(LinkNewPerson(s, a).step, LinkStep::EditPartnership);
  s.Editing.CerBuf = {cp1252::fit("4 Apr 1944", 12), cp1252::fit("Ely", 200)};  // what the editor's OK leaves
  ASSERT_EQ(LinkNewPartner(s, a), 2);
  EXPECT_EQ(fam(2).Wife, a);
  EXPECT_EQ(cp1252::trim(test::stored_ceremony(s, 2).MarriedAt), "Ely");
  EXPECT_EQ(ParentFamilyOf(s, a), 3);
  EXPECT_EQ(s.Rel.Partners.rows[static_cast<std::size_t>(s.Rel.DisplayedPartner)].Partner, a);
}

TEST_F(RelationsAdd, UnrelatedPersonStartsItsOwnFamily) {
  auto c = b.person("Carl", "Cook", "M");
  start_add(&RelationState::AsUnrelated, c);
  auto u = save_new("Una", "Other", "F");
  EXPECT_EQ(LinkNewPerson(s, u).step, LinkStep::UnrelatedNotice);
  EXPECT_EQ(kids(2), Kids{u});
  expect_reset();
}

TEST_F(RelationsAdd, RefusedLinkKeepsTheNewPersonAsUnrelated) {
  auto pa = b.person("Pa", "Full", "M");
  auto pf = b.family(pa, 0);
  std::int16_t c = 0;
  for (int i = 0; i < 41; ++i) c = b.child(pf, "K" + std::to_string(i), "Full", "M");
  start_add(&RelationState::AsSibling, c);
  auto x = save_new("Xtra", "Full", "F");
  LinkResult r = LinkNewPerson(s, x);
  EXPECT_EQ(r.step, LinkStep::Refused);
  EXPECT_TRUE(r.undo_text.empty());
  EXPECT_EQ(fam(pf).NumKids, 41);
  EXPECT_EQ(ParentFamilyOf(s, x), 3);
  EXPECT_EQ(t.prompter.shown.size(), 1u);
  expect_reset();
}

}  // namespace
