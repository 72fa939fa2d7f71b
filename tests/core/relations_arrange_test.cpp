// Re-arranging partners (families move between Marriage numbers), siblings
// and children (one family's Kids order).
#include <gtest/gtest.h>

#include "common/cp1252.h"
#include "relations/arrange.h"
#include "store/records.h"
#include "tree_fixture.h"

using namespace vft;

namespace {

using test::Kids;

class RelationsArrange : public test::TreeFixture {
 protected:
  Kids keys(const ArrangeList& l) {
    Kids k;
    for (const ArrangeRow& r : l.rows) k.push_back(r.key);
    return k;
  }
};

// Carl with Pia (family 5, child Kit, married 1950 in York) and Pam (family
// 7, divorced, children Kay and Kim, married 1960 in Hull).
class TwoPartners : public RelationsArrange {
 protected:
  std::int16_t carl, pia, pam, kit, kay, kim;
  void SetUp() override {
    carl = b.person("Carl", "Cook", "M");  // family 1
    pia = b.person("Pia", "One", "F");     // 2
    pam = b.person("Pam", "Two", "F");     // 3
    b.empty_family();                      // 4
    ASSERT_EQ(b.family(carl, pia, "1 Jan 1950", "York"), 5);
    kit = b.child(5, "Kit", "Cook", "M");
    b.empty_family();  // 6
    ASSERT_EQ(b.family(carl, pam, "2 Feb 1960", "Hull"), 7);
    kay = b.child(7, "Kay", "Cook", "F");
    kim = b.child(7, "Kim", "Cook", "F");
    fam(7).Divorced = -1;
    b.write_family(7);
    b.select(carl);
  }
};

TEST_F(TwoPartners, PartnerListShowsNamesDatesAndKeysAndMovesWholeFamilies) {
  ArrangeList l = BuildArrangeList(s, ArrangeMode::Partners);
  EXPECT_EQ(l.title, "Re-arrange the Order of Partners");
  EXPECT_EQ(l.label, "Re-order of the partners of Carl Cook");
  EXPECT_EQ(l.header, cp1252::fit("Given Names", 30) + cp1252::fit("Family Name", 20) +
                          "                           Marriage Date");
  ASSERT_EQ(l.rows.size(), 2u);
  EXPECT_EQ(l.rows[0].text, cp1252::fit("Pia", 30) + cp1252::fit("One", 20) + "1 Jan 1950  " + "    1");
  EXPECT_EQ(l.rows[1].text, cp1252::fit("Pam", 30) + cp1252::fit("Two", 20) + "2 Feb 1960  " + "    2");
  EXPECT_EQ(l.places, (Kids{5, 7}));

  // The second partner moved to the top takes the lower number.
  EXPECT_EQ(MoveArrangeRow(l, 1, true), 0);
  ASSERT_TRUE(WriteArrangement(s, l));

  EXPECT_EQ(fam(5).MarNum, 5);
  EXPECT_EQ(fam(5).Wife, pam);
  EXPECT_EQ(kids(5), (Kids{kay, kim}));
  EXPECT_EQ(fam(5).Divorced, -1);
  EXPECT_EQ(cp1252::trim(test::stored_ceremony(s, 5).MarriedDate), "2 Feb 1960");
  EXPECT_EQ(fam(7).Wife, pia);
  EXPECT_EQ(cp1252::trim(test::stored_ceremony(s, 7).MarriedAt), "York");
  // The view now lists Pam first; nobody gained or lost a partner.
  EXPECT_EQ(s.Rel.Partners.rows[0].Partner, pam);
  EXPECT_EQ(b.read(carl).NumPartners, 2);
  EXPECT_FALSE(s.RecordsSaved);
}

TEST_F(TwoPartners, PartnershipWithAnUnknownPartnerMovesToo) {
  // A third partnership in which the partner is not known (it does not count
  // in NumPartners, but it is listed and must survive the move).
  auto sole = b.family(carl, 0, "3 Mar 1970", "Ripon");  // family 8
  auto kat = b.child(sole, "Kat", "Cook", "F");
  b.select(carl);
  ArrangeList l = BuildArrangeList(s, ArrangeMode::Partners);
  ASSERT_EQ(l.rows.size(), 3u);
  MoveArrangeRow(l, 2, true);
  MoveArrangeRow(l, 1, true);  // unknown, Pia, Pam
  ASSERT_TRUE(WriteArrangement(s, l));
  EXPECT_EQ(fam(5).Wife, 0);
  EXPECT_EQ(kids(5), Kids{kat});
  EXPECT_EQ(fam(7).Wife, pia);
  EXPECT_EQ(kids(8), (Kids{kay, kim}));
}

TEST_F(TwoPartners, CoupleWithTwoFamiliesKeepsBoth) {
  auto again = b.family(carl, pia, "4 Apr 1980", "Bath");  // family 8, remarried
  auto kip = b.child(again, "Kip", "Cook", "M");
  b.select(carl);
  ArrangeList l = BuildArrangeList(s, ArrangeMode::Partners);
  ASSERT_EQ(l.rows.size(), 3u);
  MoveArrangeRow(l, 0, false);
  MoveArrangeRow(l, 1, false);  // Pam, Pia (1980), Pia (1950)
  ASSERT_TRUE(WriteArrangement(s, l));
  EXPECT_EQ(fam(5).Wife, pam);
  EXPECT_EQ(kids(7), Kids{kip});
  EXPECT_EQ(cp1252::trim(test::stored_ceremony(s, 7).MarriedDate), "4 Apr 1980");
}

TEST_F(TwoPartners, SiblingsAndChildrenChangeOnlyTheirOrder) {
  b.select(kim);
  ArrangeList l = BuildArrangeList(s, ArrangeMode::Siblings);
  EXPECT_EQ(l.title, "Re-arrange the Order of Siblings");
  EXPECT_EQ(l.label, "Re-order of the siblings of Kim Cook");
  EXPECT_EQ(keys(l), (Kids{kay, kim}));
  EXPECT_EQ(l.rows[1].text, cp1252::fit("Kim", 30) + cp1252::fit("Cook", 20) + "    6");
  auto before = test::stored_family(s, 7);
  EXPECT_EQ(MoveArrangeRow(l, 1, true), 0);
  ASSERT_TRUE(WriteArrangement(s, l));
  EXPECT_EQ(kids(7), (Kids{kim, kay}));
  MarriageRecord after = test::stored_family(s, 7);
  EXPECT_EQ(after.NumKids, 2);
  std::swap(after.Kids[0], after.Kids[1]);
  EXPECT_EQ(after, before);  // nothing else in the record moved

  // The children of the displayed couple: the same family from the parent's side.
  b.select(carl);
  s.Rel.DisplayedPartner = 1;  // Pam
  l = BuildArrangeList(s, ArrangeMode::Children);
  EXPECT_EQ(l.title, "Re-arrange the Order of Children");
  EXPECT_EQ(l.label, "Re-order of the children of Carl Cook and Pam Two");
  MoveArrangeRow(l, 0, false);
  ASSERT_TRUE(WriteArrangement(s, l));
  EXPECT_EQ(kids(7), (Kids{kay, kim}));
}

TEST_F(TwoPartners, OneRowListRewritesTheSameOrder) {
  s.Rel.DisplayedPartner = 0;  // Pia: one child
  ArrangeList l = BuildArrangeList(s, ArrangeMode::Children);
  ASSERT_EQ(l.rows.size(), 1u);
  EXPECT_EQ(MoveArrangeRow(l, 0, true), 0);
  EXPECT_EQ(MoveArrangeRow(l, 0, false), 0);
  EXPECT_EQ(MoveArrangeRow(l, 5, false), 5);  // no such row: nothing moves
  auto before = test::snapshot(s);
  ASSERT_TRUE(WriteArrangement(s, l));
  EXPECT_EQ(test::snapshot(s), before);
}

TEST_F(TwoPartners, ListThatNoLongerFitsTheTableIsRefused) {
  ArrangeList partners = BuildArrangeList(s, ArrangeMode::Partners);
  ArrangeList tampered = partners;
  tampered.rows[1].key = 1;  // the same family twice: the other would be lost
  auto before = test::snapshot(s);
  EXPECT_FALSE(WriteArrangement(s, tampered));
  EXPECT_EQ(t.prompter.shown.back().text,
            "The family records have changed since the list was made; nothing was re-arranged.");
  EXPECT_EQ(test::snapshot(s), before);

  b.child(7, "Kid", "Late", "M");  // the table changed after the list was built
  before = test::snapshot(s);
  MoveArrangeRow(partners, 0, false);
  EXPECT_FALSE(WriteArrangement(s, partners));
  EXPECT_EQ(test::snapshot(s), before);

  b.select(kay);
  ArrangeList sibs = BuildArrangeList(s, ArrangeMode::Siblings);
  sibs.rows.pop_back();
  EXPECT_FALSE(WriteArrangement(s, sibs));
  EXPECT_EQ(test::snapshot(s), before);
}

TEST_F(RelationsArrange, NothingToArrangeGivesEmptyLists) {
  auto lone = b.loose_person("Lou", "Loose", "M");
  b.select(lone);
  for (ArrangeMode m : {ArrangeMode::Partners, ArrangeMode::Siblings, ArrangeMode::Children}) {
    ArrangeList l = BuildArrangeList(s, m);
    EXPECT_TRUE(l.rows.empty());
    EXPECT_TRUE(WriteArrangement(s, l));
  }
  EXPECT_TRUE(t.prompter.shown.empty());
}

}  // namespace
