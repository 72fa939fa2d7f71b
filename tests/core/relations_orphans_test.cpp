// Finding and deleting orphaned records.
#include <gtest/gtest.h>

#include "relations/delete_person.h"
#include "relations/orphans.h"
#include "relations/undo.h"
#include "store/date_parse.h"
#include "store/records.h"
#include "tree_fixture.h"

using namespace vft;

namespace {

using Nums = std::vector<std::int16_t>;

class RelationsOrphans : public test::TreeFixture {
 protected:
  Nums found() {
    Nums n;
    for (const OrphanRow& r : FindOrphans(s)) n.push_back(r.PerNum);
    return n;
  }
};

TEST_F(RelationsOrphans, EachRuleExcludesItsOwnCase) {
  auto mia = b.person("Mia", "Mole", "F");
  auto only_mother = b.family(0, mia);
  auto kai = b.child(only_mother, "Kai", "Mole", "M");  // mother, no father: listed
  auto dan = b.person("Dan", "Dale", "M");
  auto with_father = b.family(dan, 0);
  b.child(with_father, "Fay", "Dale", "F");  // has a father
  auto twins = b.empty_family();
  b.child(twins, "Tia", "Twin", "F");  // has a sibling
  b.child(twins, "Tom", "Twin", "M");
  auto gone = b.person("Gus", "Gone", "M");
  PersonRecord g = b.read(gone);
  g.Deleted = -1;
  b.write(g);  // deleted
  auto pat = b.person("Pat", "Pair", "M");
  auto pia = b.person("Pia", "Pair", "F");
  b.family(pat, pia);  // partners
  // Mia is a parent without a known partner: NumPartners 0 and the only child
  // of her own family, so the rule lists her although she has a child.
  EXPECT_EQ(found(), (Nums{mia, kai, dan}));
}

TEST_F(RelationsOrphans, RowsCarryTheDetailsAndTheCapitalsOption) {
  auto p = b.person("Ann", "Ash", "F");
  PersonRecord r = b.read(p);
  r.BirthDate = "5 Jan 1901";
  r.DeathDate = "? ??? 1950";
  r.BirthPlace = "York";
  r.DeathPlace = "Leeds";
  b.write(r);
  s.UCaseFamname = true;
  std::vector<OrphanRow> rows = FindOrphans(s);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].GivenNames, "Ann");
  EXPECT_EQ(rows[0].FamName, "ASH");
  EXPECT_EQ(rows[0].BirthDate, "5 Jan 1901");
  EXPECT_EQ(rows[0].DeathDate, "? ??? 1950");
  EXPECT_EQ(rows[0].BirthPlace, "York");
  EXPECT_EQ(rows[0].DeathPlace, "Leeds");
  EXPECT_EQ(rows[0].BirthKey, 19010105);
}

TEST_F(RelationsOrphans, SortingIsStableOnEqualKeys) {
  std::vector<OrphanRow> rows(4);
  const char* names[4][3] = {
      {"bo", "Ash", "1900"}, {"Al", "ash", "? ??? ????"}, {"Al", "Birch", "1900"}, {"Cy", "Ash", "5 Jan 1890"}};
  for (int i = 0; i < 4; ++i) {
    rows[static_cast<std::size_t>(i)].PerNum = static_cast<std::int16_t>(i + 1);
    rows[static_cast<std::size_t>(i)].GivenNames = names[i][0];
    rows[static_cast<std::size_t>(i)].FamName = names[i][1];
    rows[static_cast<std::size_t>(i)].BirthKey = DateSortKey(names[i][2], false);
  }
  auto order = [&rows] {
    Nums n;
    for (const OrphanRow& r : rows) n.push_back(r.PerNum);
    return n;
  };
  SortOrphans(rows, OrphanSort::FamilyName);
  EXPECT_EQ(order(), (Nums{2, 1, 4, 3}));
  SortOrphans(rows, OrphanSort::GivenNames);
  EXPECT_EQ(order(), (Nums{2, 3, 1, 4}));
  SortOrphans(rows, OrphanSort::BirthDate);
  EXPECT_EQ(order(), (Nums{2, 4, 3, 1}));  // 1 and 3 tie and keep their order
  EXPECT_EQ(OrphanQuestion(1), "Delete this record?");
  EXPECT_EQ(OrphanQuestion(3), "Delete all these records?");
}

TEST_F(RelationsOrphans, DeletionLeavesEmptyFamiliesAndUndoBringsAllBack) {
  auto carl = b.person("Carl", "Cook", "M");  // family 1
  auto una = b.person("Una", "Alone", "F");   // 2
  auto pat = b.person("Pat", "Pair", "M");    // 3
  auto pia = b.person("Pia", "Pair", "F");    // 4
  b.family(pat, pia);
  b.select(una);

  OrphanDeletion out = DeleteOrphans(s, {una, carl, una, pat, 0, 99});
  EXPECT_EQ(out.deleted, 2);  // repeats, partners and strangers passed over
  EXPECT_TRUE(out.selected_deleted);
  EXPECT_FALSE(out.tree_empty);
  EXPECT_EQ(out.count_text, "2 persons recorded.");
  EXPECT_EQ(t.prompter.shown.back().title, "Delete Orphaned Records");
  EXPECT_EQ(t.prompter.shown.back().text, "2 ophaned records deleted.");
  EXPECT_EQ(s.UndoText, "Restore orphaned records");
  EXPECT_EQ(b.read(una).Deleted, -1);
  EXPECT_EQ(b.read(pat).Deleted, 0);
  EXPECT_EQ(s.DeletedCount, 2);
  EXPECT_EQ(s.Marriages[1].NumKids, 0);
  EXPECT_EQ(test::stored_family(s, 2).NumKids, 0);

  ASSERT_TRUE(UndoLastStep(s));
  EXPECT_EQ(found(), (Nums{carl, una}));
}

TEST_F(RelationsOrphans, NothingCheckedDeletesNothingTheLastPersonEmptiesTheTree) {
  auto a = b.person("Al", "One", "M");
  auto before = test::snapshot(s);
  EXPECT_EQ(DeleteOrphans(s, {}).deleted, 0);
  EXPECT_TRUE(t.prompter.shown.empty());
  EXPECT_FALSE(s.UndoAvailable);
  EXPECT_EQ(test::snapshot(s), before);

  OrphanDeletion out = DeleteOrphans(s, {a});
  EXPECT_EQ(t.prompter.shown.back().text, "1 ophaned record deleted.");
  EXPECT_TRUE(out.tree_empty);
  EXPECT_FALSE(out.selected_deleted);
}

}  // namespace
