// The rules behind the add and connect dialogs: which relations can be
// chosen, where each answer leads, the texts shown and the position checks.
#include <gtest/gtest.h>

#include "common/cp1252.h"
#include "edit/connect_dialogs.h"
#include "tree_fixture.h"

using namespace vft;

namespace {

using Kids = std::vector<std::int16_t>;

class ConnectDialogs : public test::TreeFixture {
 protected:
  void start(bool add, std::int16_t c) {
    b.select(c);
    ResetRelationState(s.Rel);
    (add ? s.Rel.AddMode : s.Rel.ConnectMode) = true;
  }
  void set_partners(std::int16_t p, int n) {
    PersonRecord r = b.read(p);
    r.NumPartners = static_cast<std::int16_t>(n);
    b.write(r);
  }
};

TEST_F(ConnectDialogs, ConnectAsTextsAndFlagsClearedOnLoad) {
  auto c = b.person("Cal", "Dale", "M");
  start(true, c);
  s.Rel.AsSibling = s.Rel.PartnerSequenceMode = true;
  s.Rel.InsertPosition = 3;
  ConnectAsView v = LoadConnectAs(s);
  EXPECT_EQ(v.title, "Add a person");
  EXPECT_EQ(v.label, "Add a person to Cal Dale as a");
  EXPECT_TRUE(v.father && v.mother && v.sibling && v.partner && v.child && v.unrelated_visible);
  EXPECT_FALSE(s.Rel.AsSibling || s.Rel.PartnerSequenceMode);
  EXPECT_EQ(s.Rel.InsertPosition, 0);
  EXPECT_TRUE(s.Rel.AddMode);  // the mode stays

  start(false, c);
  v = LoadConnectAs(s);
  EXPECT_EQ(v.title, "Connect a person");
  EXPECT_EQ(v.label, "Connect a person to Cal Dale as a");
  EXPECT_FALSE(v.unrelated_visible);
}

TEST_F(ConnectDialogs, ConnectAsEnableRules) {
  auto pa = b.person("Pa", "Dale", "M");
  auto pf = b.family(pa, 0);
  auto c = b.child(pf, "Cal", "Dale", "M");
  auto w = b.person("Wyn", "Wade", "F");
  auto cw = b.family(c, w);
  for (int i = 0; i < 32; ++i) b.child(pf, "S" + std::to_string(i), "Dale", "M");  // 33 children in all
  for (int i = 0; i < 32; ++i) b.child(cw, "K" + std::to_string(i), "Dale", "F");
  start(true, c);
  ConnectAsView v = LoadConnectAs(s);
  EXPECT_FALSE(v.father || v.mother);  // a father is recorded: neither parent can be added
  EXPECT_FALSE(v.sibling);             // 33 children in the parent family
  EXPECT_TRUE(v.child);                // exactly 32 with the displayed partner

  b.child(cw, "K32", "Dale", "F");
  set_partners(c, 19);
  start(true, c);
  v = LoadConnectAs(s);
  EXPECT_FALSE(v.child);
  EXPECT_TRUE(v.partner);  // 19 partnerships still leave room for one more
  set_partners(c, 20);
  start(true, c);
  EXPECT_FALSE(LoadConnectAs(s).partner);

  // A mother alone also rules out both parents.
  auto k = b.child(b.family(0, b.person("Ma", "Moss", "F")), "Kit", "Moss", "M");
  start(false, k);
  v = LoadConnectAs(s);
  EXPECT_FALSE(v.father || v.mother);
  EXPECT_TRUE(v.sibling);
}

TEST_F(ConnectDialogs, AddSiblingOffersThePlaceAmongTheChildrenInLines) {
  s.UCaseFamname = true;
  auto pa = b.person("Pa", "Dale", "M");
  auto pf = b.family(pa, 0);
  auto c = b.child(pf, "Cal", "Dale", "M");
  auto d = b.child(pf, "Dot", "Dale", "F");
  start(true, c);
  LoadConnectAs(s);
  DialogStep st = ChooseRelation(s, Relation::Sibling);
  ASSERT_EQ(st.next, DialogNext::ListSequence);
  EXPECT_EQ(st.list.caption, "Add a Sibling to Cal DALE");
  EXPECT_EQ(st.list.prompt,
            "Enter the position number in the sequence below where the sibling is to inserted (1 - 3):");
  EXPECT_EQ(st.list.persons, (Kids{c, d}));
  // The lines of such lists.
  PersonRecord r = b.read(d);
  r.BirthDate = cp1252::fit("1 Jan 1900", 12);
  r.DeathDate = cp1252::fit("2 Feb 1970", 12);
  b.write(r);
  EXPECT_EQ(SequenceLine(s, 3, d), "3  Dot  DALE  1 Jan 1900  2 Feb 1970");
  EXPECT_EQ(SequenceLine(s, 1, 0), "1  Unknown");
  PartnerRow row;
  row.Partner = d;
  row.NotMarried = -1;
  EXPECT_EQ(PartnerLine(s, row), "Dot DALE Not Married");
  EXPECT_EQ(SelectOtherHeader(false), " Select a Partner as Father of Child. ");
}

TEST_F(ConnectDialogs, AddPartnerNeedsTheSexOrAPlaceInTheSequence) {
  auto c = b.person("Cal", "Dale", "");
  start(true, c);
  EXPECT_EQ(ChooseRelation(s, Relation::Partner).next, DialogNext::NoSex);
  EXPECT_EQ(ChooseRelation(s, Relation::Child).next, DialogNext::NoSex);
  EXPECT_EQ(ChooseRelation(s, Relation::Unrelated).next, DialogNext::EditNewPerson);
  EXPECT_TRUE(s.Rel.AsUnrelated);
  EXPECT_FALSE(s.Rel.AsFather);  // one flag at a time

  auto h = b.person("Hal", "Hart", "M");
  auto w1 = b.person("Ann", "Ash", "F");
  auto w2 = b.person("Bea", "Birch", "F");
  b.family(h, w1);
  b.family(h, w2);
  start(true, h);
  DialogStep st = ChooseRelation(s, Relation::Partner);
  ASSERT_EQ(st.next, DialogNext::ListSequence);
  EXPECT_TRUE(s.Rel.PartnerSequenceMode);
  EXPECT_EQ(st.list.caption, "Add a third Partner for Hal Hart");
  EXPECT_EQ(st.list.prompt,
            "Enter the position number in the sequence below where the partner is to be inserted: (1 - 3):");
  EXPECT_EQ(st.list.persons, (Kids{w1, w2}));
}

TEST_F(ConnectDialogs, NoSexStoresTheSexAndGoesOn) {
  auto u = b.person("Una", "Nix", "");
  start(true, u);
  ChooseRelation(s, Relation::Child);
  EXPECT_EQ(NoSexText(s), "The sex of Una Nix is not recorded.");
  EXPECT_EQ(StoreSelectedSex(s, 'F').next, DialogNext::AddChild);
  EXPECT_EQ(b.read(u).Sex, "F");
  EXPECT_EQ(s.Rel.Selected.Sex, "F");

  auto v = b.person("Vic", "Nix", "");
  start(false, v);
  EXPECT_EQ(ChooseRelation(s, Relation::Sibling).next, DialogNext::PickPerson);  // no sex needed
  EXPECT_EQ(ChooseRelation(s, Relation::Partner).next, DialogNext::NoSex);
  EXPECT_EQ(StoreSelectedSex(s, 'M').next, DialogNext::PickPerson);
  EXPECT_EQ(b.read(v).Sex, "M");
  start(true, v);
  ChooseRelation(s, Relation::Partner);
  EXPECT_EQ(StoreSelectedSex(s, 'X').next, DialogNext::Cancelled);  // nothing else is a sex
  EXPECT_EQ(b.read(v).Sex, "M");
  EXPECT_FALSE(s.Rel.AddMode);
}

TEST_F(ConnectDialogs, AddChildQuestions) {
  auto h = b.person("Hal", "Hart", "M");
  auto f = b.person("Fay", "Fenn", "F");
  start(true, h);
  AddChildView v = LoadAddChild(s, false);
  EXPECT_EQ(v.title, "Add a Child");
  EXPECT_EQ(v.question, "Is the Mother of the child to be Added known?");
  EXPECT_FALSE(v.issue_of);
  start(false, f);
  v = LoadAddChild(s, false);
  EXPECT_EQ(v.title, "Connect a Child");
  EXPECT_EQ(v.question, "Is the Father of the child to be Connected known?");

  b.family(h, f);
  start(true, h);
  v = LoadAddChild(s, false);
  EXPECT_TRUE(v.issue_of);
  EXPECT_EQ(v.question, "Is the child to be Added the issue of Hal Hart and Fay Fenn?");
  EXPECT_EQ(LoadAddChild(s, true).question, "Is the Mother of the child to be Added known?");
}

TEST_F(ConnectDialogs, IssueOfTheDisplayedCoupleOrAnotherPartner) {
  auto h = b.person("Hal", "Hart", "M");
  auto w1 = b.person("Ann", "Ash", "F");
  auto w2 = b.person("Bea", "Birch", "F");
  b.family(h, w1);
  auto f2 = b.family(h, w2, "", "");
  auto k = b.child(f2, "Kit", "Hart", "M");
  start(true, h);
  ASSERT_EQ(ChooseRelation(s, Relation::Child).next, DialogNext::AddChild);  // his sex is known
  DialogStep st = AnswerIssueOf(s, true);  // the first partner is displayed: no children yet
  EXPECT_EQ(st.next, DialogNext::EditNewPerson);
  EXPECT_EQ(s.Rel.ChildFather, h);
  EXPECT_EQ(s.Rel.ChildMother, w1);

  st = AnswerIssueOf(s, false);
  ASSERT_EQ(st.next, DialogNext::SelectOther);
  ASSERT_EQ(st.partners.size(), 1u);
  EXPECT_EQ(st.partners[0].Partner, w2);
  EXPECT_EQ(st.header, " Select a Partner as Mother of Child. ");
  st = ChooseOtherParent(s, w2);
  ASSERT_EQ(st.next, DialogNext::ListSequence);
  EXPECT_EQ(st.list.caption, "Add a Child for Hal Hart");
  EXPECT_EQ(st.list.prompt,
            "Enter the position number in the sequence below where the child is to be inserted: (1 - 2):");
  EXPECT_EQ(st.list.persons, Kids{k});
  EXPECT_EQ(s.Rel.ChildMother, w2);

  // Connecting: the caption says so, and without children the child joins at once.
  start(false, h);
  s.Rel.AsChild = true;
  s.Rel.DisplayedPartner = 1;
  EXPECT_EQ(AnswerIssueOf(s, true).list.caption, "Connect a Child to Hal Hart");
  s.Rel.DisplayedPartner = 0;
  EXPECT_EQ(AnswerIssueOf(s, true).next, DialogNext::ConnectChild);
}

TEST_F(ConnectDialogs, UnknownOtherParentIsAddedAsAPartner) {
  auto f = b.person("Fay", "Fenn", "F");
  start(true, f);
  ChooseRelation(s, Relation::Child);
  std::string status;
  DialogStep st = SupplyUnknownOtherParent(s, status);
  EXPECT_EQ(st.next, DialogNext::EditNewPerson);
  EXPECT_EQ(status, "Vorlan Family Tree has added 'Unknown' as a Father to the family Tree");
  const std::int16_t p = s.Rel.ChildFather;
  ASSERT_GT(p, 0);
  EXPECT_EQ(b.read(p).Sex, "M");
  EXPECT_TRUE(s.Rel.AsChild && !s.Rel.AsPartner);
}

TEST_F(ConnectDialogs, ConnectParentLabels) {
  auto x = b.person("Dan", "Dale", "M");
  auto sp = b.person("Meg", "Moss", "F");
  auto m = b.family(x, sp);
  auto k = b.child(m, "Kim", "Dale", "F");
  auto c = b.person("Cal", "Dale", "M");
  start(false, c);
  s.Rel.AsFather = true;
  ConnectParentView v = LoadConnectParent(s, x, sp);
  EXPECT_EQ(v.title, "Connect a Parent");
  ASSERT_EQ(v.lines.size(), 4u);
  EXPECT_EQ(v.lines[0], "Is the mother of Cal Dale listed in the Vorlan Family Tree records?");
  EXPECT_EQ(v.lines[2], "She is Meg Moss.");
  SequenceList l = ParentCoupleSequence(s, x, sp);
  EXPECT_EQ(l.caption, "Connect Parents to Cal Dale");
  EXPECT_EQ(l.persons, Kids{k});
  ASSERT_EQ(ParentCandidates(s, x).size(), 1u);
  EXPECT_EQ(ParentCandidates(s, x)[0].Partner, sp);
}

TEST_F(ConnectDialogs, UnknownPartnerIsReplacedByTheConnectedPerson) {
  auto c = b.person("Cat", "Cole", "F");
  auto unk = b.person("", "Unknown", "M");
  auto m = b.family(unk, c);
  auto k = b.child(m, "Kay", "Cole", "F");
  auto x = b.person("Xav", "Xu", "M");
  start(false, c);
  s.Rel.AsPartner = true;
  ASSERT_EQ(UnknownPartnerFamily(s), m);
  std::vector<std::string> lines = ConnectPartnerLines(s, x, m);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1], "Is Xav Xu the father of those children?");
  EXPECT_EQ(lines[2], "Kay Cole");
  ASSERT_TRUE(ReplaceUnknownPartner(s, x, m));
  EXPECT_EQ(test::stored_family(s, m).Husband, x);
  EXPECT_EQ(s.Marriages[static_cast<std::size_t>(m)].Kids[0], k);
  EXPECT_EQ(b.read(x).NumPartners, 1);
  EXPECT_EQ(b.read(unk).NumPartners, 0);
  EXPECT_FALSE(s.Rel.ConnectMode);
}

TEST_F(ConnectDialogs, SequencePositionRefusals) {
  EXPECT_FALSE(SequenceOkEnabled("   "));
  EXPECT_TRUE(SequenceOkEnabled(" 0"));
  EXPECT_EQ(ReadTypedNumber(" 12ab"), 12);
  EXPECT_EQ(ReadTypedNumber("-3"), -3);
  EXPECT_EQ(ReadTypedNumber("99999999999999999999"), 1000000);

  // Text that is no number reads as 0, so "0" stands for it too.
  EXPECT_FALSE(CheckSequencePosition(s, "0", 4));
  EXPECT_FALSE(CheckSequencePosition(s, "5", 4));
  ASSERT_EQ(t.prompter.shown.size(), 2u);
  for (const Message& m : t.prompter.shown) EXPECT_EQ(m.title, "Problem");
  EXPECT_EQ(t.prompter.shown[0].text, "You entered a number less than one.  Please enter a number between 1 and 4");
  EXPECT_EQ(t.prompter.shown[1].text, "You entered a number greater than 4.  Please enter a number between 1 and 4");
  EXPECT_EQ(CheckSequencePosition(s, "1", 4), 0);
  EXPECT_EQ(CheckSequencePosition(s, "4", 4), 3);  // n+1 appends
  EXPECT_EQ(t.prompter.shown.size(), 2u);
}

TEST_F(ConnectDialogs, AddParentTexts) {
  auto c = b.person("Cal", "Dale", "M");
  start(true, c);
  s.Rel.AsMother = true;
  AddParentView v = LoadAddParent(s);
  EXPECT_EQ(v.title, "Add a Mother");
  EXPECT_EQ(v.question, "Is the Mother of Cal Dale known?");
  EXPECT_EQ(v.adding, "Vorlan Family Tree is adding a Mother to Cal Dale as 'Unknown'");
  s.Rel.AsMother = false;
  s.Rel.AsFather = true;
  EXPECT_EQ(LoadAddParent(s).question, "Is the Father of Cal Dale known?");
}

}  // namespace
