#include <gtest/gtest.h>

#include "store/file_io.h"
#include "store/records.h"
#include "tree_fixture.h"

using namespace vft;

namespace {

class TreeCheck : public test::TreeFixture {
 protected:
  std::int16_t h, w, m, k;

  // A sound little tree: Hal and Wyn with their son Kit.
  void SetUp() override {
    h = b.person("Hal", "Hart", "M");  // family 1
    w = b.person("Wyn", "Wade", "F");  // 2
    m = b.family(h, w);                // 3
    k = b.child(m, "Kit", "Hart", "M");
  }

  void expect_only(TreeFault fault, std::int16_t person, std::int16_t family, const std::string& text) {
    auto v = CheckTree(s);
    ASSERT_EQ(v.size(), 1u) << (v.empty() ? "none" : v[0].text + " / " + v.back().text);
    EXPECT_EQ(v[0].fault, fault);
    EXPECT_EQ(v[0].person, person);
    EXPECT_EQ(v[0].family, family);
    EXPECT_EQ(v[0].text, text);
  }
};

TEST_F(TreeCheck, SoundTreeHasNoViolations) {
  // Deleted persons need no family; an emptied family is allowed.
  auto gone = b.loose_person("Gus", "Gone", "M");
  PersonRecord p = b.read(gone);
  p.Deleted = -1;
  b.write(p);
  b.empty_family();
  EXPECT_TRUE(CheckTree(s).empty());
  // A deleted partner keeps his place in the family, whatever his record says.
  PersonRecord hal = b.read(h);
  hal.Deleted = -1;
  hal.Sex = " ";
  b.write(hal);
  fam(1).NumKids = 0;
  fam(1).Kids[0] = 0;
  EXPECT_TRUE(CheckTree(s).empty());
}

TEST_F(TreeCheck, APersonWhoIsHisOwnAncestor) {
  fam(1).Husband = k;  // Kit becomes the father of his own father
  expect_only(TreeFault::AncestryLoop, h, 1,
              "Person 1 (Hal Hart) is his or her own ancestor: family 1 lists him or her as a child.");
  fam(1).Husband = 0;
  fam(m).Kids[1] = h;  // Hal is a child of his own family as well
  fam(m).NumKids = 2;
  fam(1).NumKids = 0;
  expect_only(TreeFault::AncestryLoop, h, m,
              "Person 1 (Hal Hart) is his or her own ancestor: family 3 lists him or her as a child.");
}

TEST_F(TreeCheck, PersonInNoneOrTwoParentFamilies) {
  fam(1).Kids[1] = k;
  fam(1).NumKids = 2;
  expect_only(TreeFault::SeveralParentFamilies, k, 1, "Person 3 (Kit Hart) is a child in 2 places: families 1, 3.");
  fam(1).NumKids = 1;
  auto lost = b.loose_person("Lou", "Lost", "M");
  expect_only(TreeFault::NoParentFamily, lost, 0, "Person 4 (Lou Lost) is not a child in any family.");
}

TEST_F(TreeCheck, PartnersInTheWrongSlotsOrWithoutSex) {
  std::swap(fam(m).Husband, fam(m).Wife);
  auto v = CheckTree(s);
  ASSERT_EQ(v.size(), 2u);
  EXPECT_EQ(v[0].fault, TreeFault::PartnerSex);
  EXPECT_EQ(v[0].text, "Family 3: husband Person 2 (Wyn Wade) has sex \"F\", not \"M\".");
  EXPECT_EQ(v[1].text, "Family 3: wife Person 1 (Hal Hart) has sex \"M\", not \"F\".");
  std::swap(fam(m).Husband, fam(m).Wife);
  PersonRecord p = b.read(w);
  p.Sex = " ";
  b.write(p);
  expect_only(TreeFault::PartnerSex, w, m, "Family 3: wife Person 2 (Wyn Wade) has sex \" \", not \"F\".");
}

TEST_F(TreeCheck, PartnerCountThatDisagrees) {
  PersonRecord p = b.read(h);
  p.NumPartners = 2;
  b.write(p);
  expect_only(TreeFault::PartnerCount, h, 0, "Person 1 (Hal Hart) has NumPartners 2 but 1 partnership with a partner.");
  // A family with an unknown partner does not count.
  p.NumPartners = 1;
  b.write(p);
  b.family(h, 0);
  EXPECT_TRUE(CheckTree(s).empty());
}

TEST_F(TreeCheck, SamePersonAsHusbandAndWife) {
  auto x = b.person("Xan", "Xu", "M");
  b.family(x, 0);
  fam(5).Wife = x;
  auto v = CheckTree(s);
  ASSERT_FALSE(v.empty());
  EXPECT_EQ(v[0].fault, TreeFault::SamePersonTwice);
  EXPECT_EQ(v[0].text, "Family 5: Person 4 (Xan Xu) is both husband and wife.");
}

TEST_F(TreeCheck, NumbersOutsideThePersons) {
  fam(m).Kids[1] = 999;
  fam(m).NumKids = 2;
  expect_only(TreeFault::PersonOutOfRange, 0, m, "Family 3: child slot 2 holds 999, outside 1..3.");
  fam(m).NumKids = 1;
  fam(1).Husband = -5;
  expect_only(TreeFault::PersonOutOfRange, 0, 1, "Family 1: husband -5 is outside 1..3.");
}

TEST_F(TreeCheck, TooManyChildSlots) {
  fam(2).NumKids = 45;
  auto v = CheckTree(s);
  ASSERT_FALSE(v.empty());
  EXPECT_EQ(v[0].fault, TreeFault::NumKidsOutOfRange);
  EXPECT_EQ(v[0].family, 2);
  EXPECT_EQ(v[0].text, "Family 2: NumKids is 45, outside 0..41.");
  // The 41 slots are still read (and their zeros reported), nothing beyond.
  EXPECT_EQ(v.size(), 1u + 40u);
}

TEST_F(TreeCheck, RecordsCarryingAnotherNumber) {
  fam(2).MarNum = 7;
  PersonRecord p = b.read(k);
  p.PerNum = 9;
  Bytes rec;
  encode(p, rec);
  ASSERT_TRUE(fileio::write_record(s.disk, s.work(recfile::Person), k, rec.data(), rec.size()));
  auto v = CheckTree(s);
  ASSERT_EQ(v.size(), 2u);
  EXPECT_EQ(v[0].fault, TreeFault::RecordNumber);
  EXPECT_EQ(v[0].family, 2);
  EXPECT_EQ(v[0].text, "Family 2 carries the number 7.");
  EXPECT_EQ(v[1].person, k);
  EXPECT_EQ(v[1].text, "Person record 3 carries the number 9.");
}

TEST_F(TreeCheck, CountsThatDisagreeWithTheFiles) {
  b.set_counts(5, 3);
  auto v = CheckTree(s);
  ASSERT_FALSE(v.empty());
  EXPECT_EQ(v[0].fault, TreeFault::Counts);
  EXPECT_EQ(v[0].text, "vorlan.Per holds 3 persons but NumPersons is 5.");

  b.set_counts(3, 6);
  v = CheckTree(s);
  ASSERT_FALSE(v.empty());
  EXPECT_EQ(v[0].text, "vorlan.mar holds 3 families but NumMarriages is 6.");

  b.set_counts(3, 0);
  v = CheckTree(s);
  ASSERT_FALSE(v.empty());
  EXPECT_EQ(v[0].text, "There are 3 persons but no family (NumMarriages is 0).");

  b.set_counts(-2, 20000);
  v = CheckTree(s);
  ASSERT_GE(v.size(), 2u);
  EXPECT_EQ(v[0].text, "NumPersons is -2, below 0.");
  EXPECT_EQ(v[1].text, "NumMarriages is 20000, outside 0..15000.");

  // A missing person file is reported, not fatal.
  b.set_counts(3, 3);
  ASSERT_TRUE(fileio::remove(s.work(recfile::Person)));
  v = CheckTree(s);
  ASSERT_FALSE(v.empty());
  EXPECT_EQ(v[0].text, "vorlan.Per holds 0 persons but NumPersons is 3.");
}

}  // namespace
