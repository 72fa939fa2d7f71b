#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <set>

#include "store/records.h"
#include "tree_fixture.h"

using namespace vft;

namespace {

using test::Kids;

using RelationsLookups = test::TreeFixture;

TEST_F(RelationsLookups, ParentsComeFromTheLowestFamilyListingTheChild) {
  auto john = b.person("John", "Smith", "M");  // family 1
  auto mary = b.person("Mary", "Jones", "F");  // family 2
  auto m = b.family(john, mary);               // 3
  auto ann = b.child(m, "Ann", "Smith", "F");
  auto bob = b.person("Bob", "Brown", "M");    // family 4
  auto kate = b.person("Kate", "Brown", "F");  // family 5
  auto m2 = b.family(bob, kate);               // 6
  // Ann also listed in the later family: the lower number counts.
  fam(m2).Kids[0] = ann;
  fam(m2).NumKids = 1;
  b.write_family(m2);

  EXPECT_EQ(ParentFamilyOf(s, ann), 3);
  EXPECT_EQ(FatherOf(s, ann), john);
  EXPECT_EQ(MotherOf(s, ann), mary);
  for (std::int16_t nobody : {0, -3, 99}) EXPECT_EQ(ParentFamilyOf(s, nobody), 0);
  // A number left in a slot past NumKids is not a child.
  fam(1).Kids[5] = kate;
  EXPECT_EQ(ParentFamilyOf(s, kate), 5);
}

TEST_F(RelationsLookups, ParentFamilyRowShownForParentsOrSeveralChildren) {
  auto loner = b.person("Lone", "Wolf", "M");
  auto none = b.empty_family();
  auto c1 = b.child(none, "Cy", "Orphan", "M");
  auto mum = b.person("Mum", "Solo", "F");
  auto hers = b.family(0, mum);
  auto kid = b.child(hers, "Kid", "Solo", "M");
  b.child(none, "Di", "Orphan", "F");
  auto loose = b.loose_person("No", "Family", "F");

  EXPECT_FALSE(ShowsParentFamily(s, loner));  // alone in a family without parents
  EXPECT_TRUE(ShowsParentFamily(s, c1));      // no parents, but a sibling
  EXPECT_TRUE(ShowsParentFamily(s, kid));     // one parent is enough
  EXPECT_FALSE(ShowsParentFamily(s, loose));
  EXPECT_FALSE(HasParents(s, c1));
  EXPECT_TRUE(HasParents(s, kid));  // a mother alone is a parent
}

TEST_F(RelationsLookups, CouplesAndPartnerships) {
  auto h = b.person("Hal", "Hart", "M");
  auto w = b.person("Wyn", "Hart", "F");
  auto v = b.person("Val", "Vane", "F");
  auto sole1 = b.family(h, 0);  // 4
  auto hw = b.family(h, w);     // 5
  b.family(h, w);               // 6, a duplicate couple
  auto sole2 = b.family(h, 0);  // 7
  b.family(h, v);               // 8
  auto wsole = b.family(0, w);  // 9

  EXPECT_EQ(FamilyOfCouple(s, h, w), hw);
  EXPECT_EQ(FamilyOfCouple(s, w, h), 0);  // order matters
  EXPECT_EQ(FamilyBetween(s, w, h), hw);  // either order, first hit
  EXPECT_EQ(FamilyBetween(s, v, w), 0);
  EXPECT_EQ(FamilyOfCouple(s, h, 0), sole1);
  EXPECT_EQ(FamilyWithUnknownPartner(s, h), sole2);  // the last one
  EXPECT_EQ(FamilyWithUnknownPartner(s, w), wsole);
  EXPECT_EQ(FamilyWithUnknownPartner(s, v), 0);
  EXPECT_EQ(CountPartnerships(s, h), 5);
  EXPECT_EQ(CountPartnerships(s, w), 3);
  EXPECT_EQ(CountPartnerships(s, 0), 0);
}

TEST_F(RelationsLookups, PartnerListRowsCarryFlagsAndCeremonyDate) {
  auto h = b.person("Hal", "Hart", "M");
  auto a = b.person("Ada", "Ash", "F");
  auto c = b.person("Cy", "Cole", "F");
  auto first = b.family(h, a, "12 May 1950", "Leeds");
  fam(first).Divorced = -1;
  b.write_family(first);
  auto sole = b.family(h, 0);
  auto last = b.family(h, c);
  fam(last).NotMarried = -1;
  b.write_family(last);
  b.family(0, a);  // Ada's own rows do not reach Hal's list

  PartnerList list = ListPartners(s, h);
  ASSERT_EQ(list.count, 3);
  EXPECT_EQ(list.rows[0].Partner, a);
  EXPECT_EQ(list.rows[0].Divorced, -1);
  EXPECT_EQ(list.rows[0].MarriedDate, "12 May 1950 ");
  EXPECT_EQ(list.rows[1].Partner, 0);
  EXPECT_EQ(list.rows[1].Family, sole);
  EXPECT_EQ(list.rows[2].Partner, c);
  EXPECT_EQ(list.rows[2].NotMarried, -1);

  PartnerList hers = ListPartners(s, a);
  ASSERT_EQ(hers.count, 2);
  EXPECT_EQ(hers.rows[0].Partner, h);  // Ada is Wife: the row gets the Husband
}

TEST_F(RelationsLookups, PartnerListStopsAtTwentyRows) {
  auto h = b.person("Hal", "Hart", "M");
  std::vector<std::int16_t> fams;
  for (int i = 0; i < 22; ++i) fams.push_back(b.family(h, b.person("W" + std::to_string(i), "Wife", "F")));
  PartnerList list = ListPartners(s, h);
  EXPECT_EQ(list.count, 20);
  EXPECT_EQ(list.rows[19].Partner, 21);  // the 20th wife; the 21st and 22nd are not listed
  EXPECT_EQ(CountPartnerships(s, h), 22);
  EXPECT_TRUE(IsDescendant(s, b.child(fams[19], "Kit", "Hart", "F"), h));  // a child of the 20th
}

TEST_F(RelationsLookups, ChildrenOfCoupleAndOfAllPartnershipsStopAtFortyOne) {
  auto h = b.person("Hal", "Hart", "M");
  auto w = b.person("Wyn", "Hart", "F");
  auto v = b.person("Val", "Vane", "F");
  auto hw = b.family(h, w);
  auto k1 = b.child(hw, "K1", "Hart", "M");
  auto k2 = b.child(hw, "K2", "Hart", "F");
  auto hv = b.family(h, v);
  auto k3 = b.child(hv, "K3", "Vane", "F");

  EXPECT_EQ(ListChildrenOfCouple(s, h, w), (Kids{k1, k2}));
  EXPECT_EQ(ListAllChildren(s, h), (Kids{k1, k2, k3}));
  EXPECT_EQ(ListAllChildren(s, v), Kids{k3});
  EXPECT_EQ(ListSiblings(s, k1), Kids{k2});

  Kids expected{k1, k2};
  for (int i = 0; i < 28; ++i) expected.push_back(b.child(hw, "A" + std::to_string(i), "Hart", "M"));
  expected.push_back(k3);
  for (int i = 0; i < 30; ++i) {
    auto k = b.child(hv, "B" + std::to_string(i), "Vane", "F");
    if (expected.size() < 41) expected.push_back(k);
  }
  EXPECT_EQ(ListAllChildren(s, h), expected);
}

TEST_F(RelationsLookups, SelectedPersonQuestions) {
  auto pm = b.family(b.person("Pa", "Hart", "M"), b.person("Ma", "Hart", "F"));
  auto sis = b.child(pm, "Sis", "Hart", "F");
  auto h = b.child(pm, "Hal", "Hart", "M");
  auto w = b.person("Wyn", "Hart", "F");
  auto v = b.person("Val", "Vane", "F");
  b.family(h, w);
  auto hv = b.family(h, v);
  b.child(hv, "K1", "Vane", "F");
  b.child(hv, "K2", "Vane", "F");

  b.select(h);
  s.Rel.DisplayedPartner = 1;
  EXPECT_EQ(KidsOfCoupleWithDisplayedPartner(s), 2);
  s.Rel.DisplayedPartner = 0;
  EXPECT_EQ(KidsOfCoupleWithDisplayedPartner(s), 0);
  s.Rel.DisplayedPartner = 7;
  EXPECT_EQ(KidsOfCoupleWithDisplayedPartner(s), 0);

  EXPECT_TRUE(IsPartnerOfSelected(s, w));
  EXPECT_TRUE(IsPartnerOfSelected(s, v));
  EXPECT_FALSE(IsPartnerOfSelected(s, sis));
  EXPECT_TRUE(IsSiblingOfSelected(s, sis));
  EXPECT_FALSE(IsSiblingOfSelected(s, h));
  EXPECT_FALSE(IsSiblingOfSelected(s, 0));

  // A partnership with an unknown partner takes row 1 but is not counted in
  // NumPartners, so the real partner in row 2 is not seen by the check.
  auto x = b.person("Xan", "Xu", "M");
  b.family(x, 0);
  b.family(x, w);
  b.select(x);
  EXPECT_FALSE(IsPartnerOfSelected(s, w));
}

TEST_F(RelationsLookups, DamagedCountsStayInsideTheTable) {
  auto h = b.person("Hal", "Hart", "M");
  auto w = b.person("Wyn", "Hart", "F");
  auto m = b.family(h, w);
  for (int i = 0; i < 41; ++i) fam(m).Kids[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(100 + i);
  fam(m).NumKids = 500;
  fam(1).NumKids = -4;
  s.Config.setNumMarriages(32000);
  EXPECT_EQ(FamilyCount(s), 15000);
  EXPECT_EQ(ListChildrenOfCouple(s, h, w).size(), 41u);
  EXPECT_EQ(ParentFamilyOf(s, 140), m);
  EXPECT_EQ(ParentFamilyOf(s, h), 0);
  EXPECT_FALSE(IsDescendant(s, 9999, h));
  EXPECT_FALSE(IsAncestor(s, h, 0));
  s.Config.setNumMarriages(-7);
  EXPECT_EQ(FamilyCount(s), 0);
  EXPECT_EQ(CountPartnerships(s, h), 0);
}

// The walks work from an index; on random trees, damaged ones included (a
// child picked at random often closes a loop), they must answer exactly what
// walks built on the single look-ups answer.
bool reference_ancestor(const Session& s, std::int16_t x, std::int16_t target) {
  std::set<std::int16_t> seen{x};
  std::function<bool(std::int16_t)> up = [&](std::int16_t p) {
    for (std::int16_t parent : {FatherOf(s, p), MotherOf(s, p)}) {
      if (parent == 0) continue;
      if (parent == target) return true;
      if (seen.insert(parent).second && up(parent)) return true;
    }
    return false;
  };
  return up(x);
}

bool reference_descendant(const Session& s, std::int16_t x, std::int16_t c) {
  std::set<std::int16_t> seen{c};
  std::function<bool(std::int16_t)> down = [&](std::int16_t p) {
    PartnerList list = ListPartners(s, p);
    for (int i = 0; i < list.count; ++i) {
      const PartnerRow& row = list.rows[static_cast<std::size_t>(i)];
      if (row.Partner == 0) continue;
      const MarriageRecord& f = s.Marriages[static_cast<std::size_t>(row.Family)];
      for (std::int16_t k : ListChildrenOfCouple(s, f.Husband, f.Wife)) {
        if (k == x) return true;
        if (k >= 1 && seen.insert(k).second && down(k)) return true;
      }
    }
    return false;
  };
  return down(c);
}

TEST_F(RelationsLookups, WalksAgreeWithTheLookUpsOnRandomTrees) {
  std::mt19937 rng(20261205);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const int persons = 48;
  for (int i = 1; i <= persons; ++i) b.loose_person("P" + std::to_string(i), "Rand", i % 2 ? "M" : "F");
  for (int f = 0; f < 40; ++f) {
    auto h = static_cast<std::int16_t>(pick(0, 3) == 0 ? 0 : 2 * pick(0, persons / 2 - 1) + 1);
    auto w = static_cast<std::int16_t>(pick(0, 3) == 0 ? 0 : 2 * pick(1, persons / 2));
    MarriageRecord& m = fam(b.family(h, w));
    m.NumKids = static_cast<std::int16_t>(pick(0, 4));
    for (int k = 0; k < m.NumKids; ++k)
      m.Kids[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(pick(1, persons));
  }
  for (std::int16_t x = 1; x <= persons; ++x)
    for (std::int16_t y = 1; y <= persons; ++y) {
      ASSERT_EQ(IsAncestor(s, x, y), reference_ancestor(s, x, y)) << x << " " << y;
      ASSERT_EQ(IsDescendant(s, x, y), reference_descendant(s, x, y)) << x << " " << y;
    }
}

}  // namespace
