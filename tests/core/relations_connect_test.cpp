#include <gtest/gtest.h>

#include "relations/add_person.h"
#include "relations/connect.h"
#include "relations/family_ops.h"
#include "store/records.h"
#include "tree_fixture.h"

using namespace vft;

namespace {

using test::Kids;
using Role = bool RelationState::*;
constexpr Role Father = &RelationState::AsFather;
constexpr Role Mother = &RelationState::AsMother;
constexpr Role Sibling = &RelationState::AsSibling;
constexpr Role Partner = &RelationState::AsPartner;
constexpr Role Child = &RelationState::AsChild;

// Three generations around Cal (the selected person), plus unrelated people.
class RelationsConnect : public test::TreeFixture {
 protected:
  std::int16_t gpa, gma, dad, aunt, mum, c, sis, wife, kid, kw, gk, lou, fay, pat, op, om, oc;
  std::int16_t G, P, C, K, O;

  void SetUp() override {
    gpa = b.person("Gus", "Dale", "M");
    gma = b.person("Gwen", "Dale", "F");
    G = b.family(gpa, gma);
    dad = b.child(G, "Dan", "Dale", "M");
    aunt = b.child(G, "Ada", "Dale", "F");
    mum = b.person("Meg", "Moss", "F");
    P = b.family(dad, mum);
    c = b.child(P, "Cal", "Dale", "M");
    sis = b.child(P, "Sue", "Dale", "F");
    wife = b.person("Wen", "Wade", "F");
    C = b.family(c, wife);
    kid = b.child(C, "Kim", "Dale", "M");
    kw = b.person("Kay", "Kerr", "F");
    K = b.family(kid, kw);
    gk = b.child(K, "Gina", "Dale", "F");
    lou = b.person("Lou", "Lone", "M");
    fay = b.person("Fay", "Lone", "F");
    pat = b.person("Pat", "Pine", " ");
    op = b.person("Olaf", "Other", "M");
    om = b.person("Olga", "Other", "F");
    O = b.family(op, om);
    oc = b.child(O, "Oz", "Other", "M");
    s.UCaseFamname = true;
    s.Editing.CerBuf = blank_ceremony();
  }

  ConnectOutcome connect(Role role, std::int16_t selected, std::int16_t x, std::deque<int> answers = {}) {
    b.select(selected);
    ResetRelationState(s);
    s.Rel.ConnectMode = true;
    s.Rel.*role = true;
    t.prompter.answers = std::move(answers);
    return ConnectSelectedPerson(s, x);
  }
};

struct CheckCase {
  int number;
  Role role;
  std::int16_t selected, x;
  std::string text;
};

TEST_F(RelationsConnect, EachCheckRefusesWithItsOwnTextAndChangesNothing) {
  const std::vector<CheckCase> cases = {
      {1, Partner, c, c, "You cannot to connect a person to themself"},
      {2, Child, c, dad, "Dan DALE is a parent of Cal DALE and cannot be connected."},
      {2, Partner, c, mum, "Meg MOSS is a parent of Cal DALE and cannot be connected."},
      {3, Mother, c, lou, "Lou LONE is a male and cannot be connected as a mother."},
      {4, Father, c, fay, "Fay LONE is a female and cannot be connected as a father."},
      {5, Partner, c, lou, "Lou LONE is a male and cannot be connected as a partner."},
      {5, Partner, sis, fay, "Fay LONE is a female and cannot be connected as a partner."},
      {6, Partner, c, pat, "The sex of Pat PINE is not set and cannot be connected as a partner."},
      {7, Father, c, pat, "The sex of Pat PINE is not set and cannot be connected as a parent."},
      {7, Mother, c, pat, "The sex of Pat PINE is not set and cannot be connected as a parent."},
      {8, Sibling, c, sis, "Sue DALE is already a sibling of Cal DALE and cannot be connected as a sibling."},
      {9, Father, c, kid, "Kim DALE is a direct descendant of Cal DALE and can not be connected as a parent."},
      {10, Partner, c, sis, "Sue DALE is a sibling Cal DALE and cannot be connected as a partner."},
      {11, Partner, c, gk, "Gina DALE is a direct descendant of Cal DALE and can not be connected as a partner."},
      {12, Mother, c, wife,
       "Wen WADE is already recorded as a partner of Cal DALE and cannot be connected as a parent."},
      {13, Partner, c, gma, "Gwen DALE is an ancestor of Cal DALE and can not be connected as a partner."},
      {14, Partner, c, wife,
       "Wen WADE is already recorded as a partner of Cal DALE and cannot be connected as a partner."},
      {16, Sibling, c, wife,
       "Wen WADE is already recorded as a partner of Cal DALE and cannot be connected as a sibling."},
      {17, Sibling, c, gpa, "Gus DALE is an ancestor of Cal DALE and can not be connected as a sibling."},
      {18, Sibling, c, kid, "Kim DALE is a direct descendant of Cal DALE and can not be connected as a sibling."},
      {19, Sibling, c, oc,
       "Oz OTHER already has parents and can not be connected as a sibling.\r\n"
       "Disconnect Oz OTHER from his or her parents before attempting to connect as a sibling."},
      {21, Child, c, wife, "Wen WADE is recorded as a partner of Cal DALE and cannot be connected as a child."},
      {22, Child, c, gma, "Gwen DALE is an ancestor of Cal DALE and can not be connected as a child."},
      {23, Child, c, gk, "Gina DALE is a direct descendant of Cal DALE and can not be connected as a child."},
      {24, Child, c, oc, "Oz OTHER already has parents and can not be connected as a child."},
  };
  const auto before = test::snapshot(s);
  const auto table = s.Marriages;
  for (const CheckCase& k : cases) {
    SCOPED_TRACE("check " + std::to_string(k.number));
    t.prompter.shown.clear();
    ConnectOutcome out = connect(k.role, k.selected, k.x);
    EXPECT_EQ(out.step, ConnectStep::Refused);
    ASSERT_EQ(t.prompter.shown.size(), 1u);  // no confirmation after a failed check
    EXPECT_EQ(last_box().title, "Problem");
    EXPECT_EQ(last_box().text, k.text);
    expect_reset();
  }
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_TRUE(s.Marriages == table);
}

TEST_F(RelationsConnect, NothingHappensOutsideConnectModeOrForAPersonNotOnRecord) {
  b.select(c);
  s.Rel.AsPartner = true;
  EXPECT_EQ(ConnectSelectedPerson(s, lou).step, ConnectStep::NotConnecting);
  s.Rel.AsPartner = false;
  s.Rel.ConnectMode = true;
  EXPECT_EQ(ConnectSelectedPerson(s, lou).step, ConnectStep::NotConnecting);
  EXPECT_TRUE(t.prompter.shown.empty());

  const auto before = test::snapshot(s);
  EXPECT_EQ(connect(Partner, c, 500).step, ConnectStep::Refused);
  EXPECT_EQ(last_box().text, "Person 500 cannot be read from the records.");
  EXPECT_EQ(test::snapshot(s), before);
}

TEST_F(RelationsConnect, ConfirmationNamesTheRoleAndNoChangesNothing) {
  struct Ask {
    Role role;
    std::int16_t selected, x;
    const char* title;
    const char* text;
  };
  auto loner = b.person("Nia", "Nash", "F");
  const std::vector<Ask> asks = {
      {Father, loner, lou, "Connect Parents", "Connect Lou LONE as a father to Nia NASH"},
      {Mother, lou, fay, "Connect Parents", "Connect Fay LONE as a mother to Lou LONE"},
      {Partner, lou, fay, "Connect a Partner", "Connect Fay LONE as a partner to Lou LONE"},
      {Sibling, c, lou, "Connect a Sibling", "Connect Lou LONE as a sibling to Cal DALE"},
      {Child, lou, fay, "Connect a Child", "Connect Fay LONE as a child to Lou LONE"},
  };
  const auto before = test::snapshot(s);
  for (const Ask& a : asks) {
    ConnectOutcome out = connect(a.role, a.selected, a.x, {kAnswerNo});
    EXPECT_EQ(out.step, ConnectStep::Declined) << a.text;
    EXPECT_EQ(last_box().title, a.title);
    EXPECT_EQ(last_box().text, a.text);
    EXPECT_EQ(last_box().buttons, Buttons::YesNo);
    expect_reset();
  }
  EXPECT_EQ(test::snapshot(s), before);  // No changes nothing
}

TEST_F(RelationsConnect, ParentWithoutPartnerIsLinkedAtOnce) {
  auto nia = b.person("Nia", "Nash", "F");
  ConnectOutcome out = connect(Father, nia, lou);
  EXPECT_EQ(out.step, ConnectStep::Done);
  EXPECT_EQ(FatherOf(s, nia), lou);
  EXPECT_EQ(s.Config.NumMarriages(), 16);  // Lou keeps the one parent family he has
  expect_reset();
}

TEST_F(RelationsConnect, ParentWithPartnerMovesTheChildIntoTheirFamily) {
  auto nia = b.person("Nia", "Nash", "F");
  const std::int16_t old_family = ParentFamilyOf(s, nia);
  ConnectOutcome out = connect(Father, nia, op);
  ASSERT_EQ(out.step, ConnectStep::ChooseParentCouple);
  ASSERT_TRUE(FinishConnectParentWithSpouse(s, op, om, 0));
  EXPECT_EQ(kids(O), (Kids{nia, oc}));
  EXPECT_EQ(fam(old_family).NumKids, 0);  // left behind, empty
  expect_reset();
}

TEST_F(RelationsConnect, ParentAloneGetsAnUnknownPartnerForTheChild) {
  auto nia = b.person("Nia", "Nash", "F");
  ASSERT_EQ(connect(Mother, nia, om).step, ConnectStep::ChooseParentCouple);
  ASSERT_TRUE(FinishConnectParentAlone(s, om));
  EXPECT_EQ(MotherOf(s, nia), om);
  const std::int16_t u = FatherOf(s, nia);
  ASSERT_GT(u, 0);
  EXPECT_EQ(b.read(u).Sex, "M");
  EXPECT_EQ(b.read(om).NumPartners, 2);
  expect_reset();
}

TEST_F(RelationsConnect, PartnerOfSomeoneWithPartnersChoosesAPosition) {
  ConnectOutcome out = connect(Partner, c, fay);
  ASSERT_EQ(out.step, ConnectStep::ChoosePartnerPosition);
  EXPECT_EQ(out.caption, "Add a second Partner for Cal DALE");
  EXPECT_EQ(out.prompt,
            "Enter the position number in the sequence below where the partner is to be inserted: (1 - 2):");
  EXPECT_EQ(out.sequence, Kids{wife});
  s.Rel.InsertPosition = 0;
  ASSERT_EQ(LinkNewPartner(s, fay), C);
  EXPECT_EQ(fam(C).Wife, fay);
  EXPECT_EQ(s.Config.NumMarriages(), 16);  // no second parent family for Fay

  EXPECT_EQ(connect(Partner, lou, fay).step, ConnectStep::EditPartnership);
}

TEST(PartnerOrdinal, CountsOnFromTheExistingPartners) {
  EXPECT_EQ(PartnerOrdinal(3), " fourth ");
  EXPECT_EQ(PartnerOrdinal(4), " 5th ");
}

TEST_F(RelationsConnect, ParentlessSiblingJoinsTheOtherFamily) {
  ConnectOutcome out = connect(Sibling, c, lou);
  ASSERT_EQ(out.step, ConnectStep::ChooseSiblingPosition);
  EXPECT_EQ(out.caption, "Connect Lou LONE as a Sibling to Cal DALE");
  EXPECT_EQ(out.sequence, (Kids{c, sis}));
  const std::int16_t lou_family = ParentFamilyOf(s, lou);
  ASSERT_TRUE(FinishConnectSibling(s, lou, 1));
  EXPECT_EQ(kids(P), (Kids{c, lou, sis}));
  EXPECT_EQ(fam(lou_family).NumKids, 0);

  // The other way round: the selected person has no parents.
  auto nia = b.person("Nia", "Nash", "F");
  out = connect(Sibling, nia, oc);
  ASSERT_EQ(out.step, ConnectStep::ChooseSiblingPosition);
  EXPECT_EQ(out.sequence, Kids{oc});
  ASSERT_TRUE(FinishConnectSibling(s, oc, 1));
  EXPECT_EQ(kids(O), (Kids{oc, nia}));
}

TEST_F(RelationsConnect, ChildLeavesItsOwnFamilyForTheCouple) {
  ConnectOutcome out = connect(Child, c, lou);
  ASSERT_EQ(out.step, ConnectStep::ChooseChildCouple);
  const std::int16_t lou_family = ParentFamilyOf(s, lou);
  ASSERT_TRUE(FinishConnectChild(s, lou, c, wife, 0));
  EXPECT_EQ(kids(C), (Kids{lou, kid}));
  EXPECT_EQ(fam(lou_family).NumKids, 0);
  expect_reset();
}

TEST_F(RelationsConnect, NoConnectionMakesAPersonHisOwnAncestor) {
  // Lou's son in a family without a mother, where the dialogs' descendant check does not look.
  const std::int16_t son = b.child(b.family(lou, 0), "Sol", "Lone", "M");
  b.family(son, b.person("Ida", "Lone", "F"));  // refused before the couple is even offered
  const auto before = test::snapshot(s);
  EXPECT_EQ(connect(Father, lou, son).step, ConnectStep::Refused);
  EXPECT_EQ(last_box().text, "Lou LONE would become his or her own ancestor, so the connection was not made.");
  EXPECT_EQ(test::snapshot(s), before);

  // A parent joins the whole family: Amy's son may not become her brother's father.
  const std::int16_t none = b.family(0, 0);
  const std::int16_t amy = b.child(none, "Amy", "Ash", "F"), ben = b.child(none, "Ben", "Ash", "M");
  const std::int16_t kip = b.child(b.family(0, amy), "Kip", "Ash", "M");
  const auto unlinked = test::snapshot(s);
  EXPECT_EQ(connect(Father, ben, kip).step, ConnectStep::Refused);
  EXPECT_EQ(last_box().text, "Amy ASH would become his or her own ancestor, so the connection was not made.");
  EXPECT_EQ(test::snapshot(s), unlinked);
  // The same when Kip has a partner and is connected without her.
  b.family(kip, b.person("Zoe", "Ash", "F"));
  const auto partnered = test::snapshot(s);
  ASSERT_EQ(connect(Father, ben, kip).step, ConnectStep::ChooseParentCouple);
  t.prompter.shown.clear();
  EXPECT_FALSE(FinishConnectParentAlone(s, kip));
  EXPECT_EQ(last_box().text, "Amy ASH would become his or her own ancestor, so the connection was not made.");
  EXPECT_EQ(test::snapshot(s), partnered);
}

TEST_F(RelationsConnect, ChildForAFullFamilyIsRefusedAndStaysWhereItWas) {
  for (int i = 0; i < 40; ++i) b.child(C, "K" + std::to_string(i), "Dale", "M");
  ASSERT_EQ(connect(Child, c, lou).step, ConnectStep::ChooseChildCouple);
  const auto before = test::snapshot(s);
  const std::int16_t lou_family = ParentFamilyOf(s, lou);
  EXPECT_FALSE(FinishConnectChild(s, lou, c, wife, 3));
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_EQ(ParentFamilyOf(s, lou), lou_family);
  expect_reset();
}

}  // namespace
