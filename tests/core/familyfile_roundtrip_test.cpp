// Generated trees through save -> open -> save: nothing a Family file can hold
// is lost or changed, and what is opened is a sound tree.
#include <gtest/gtest.h>

#include "common/cp1252.h"
#include "familyfile_fixture.h"
#include "relations/tree_check.h"
#include "store/familyfile.h"
#include "tree_gen.h"

using namespace vft;
using namespace vft::test;

namespace {

struct Tree {
  std::vector<PersonRecord> persons;  // [n - 1]
  std::vector<MarriageRecord> marriages;
  std::vector<CeremonyRecord> ceremonies;
  Bytes notes;
};

Tree load(const Session& s) {
  Tree t;
  Bytes per = read_file(s.work(recfile::Person)), mar = read_file(s.work(recfile::Marriage));
  Bytes mce = read_file(s.work(recfile::Ceremony));
  for (int n = 0; n < s.Config.NumPersons(); ++n)
    t.persons.push_back(decode_person(per.data() + static_cast<std::size_t>(n) * kPersonLen));
  for (int n = 0; n < s.Config.NumMarriages(); ++n) {
    t.marriages.push_back(decode_marriage(mar.data() + static_cast<std::size_t>(n) * kMarriageLen));
    t.ceremonies.push_back(decode_ceremony(mce.data() + static_cast<std::size_t>(n) * kCeremonyLen));
  }
  t.notes = read_file(s.work(recfile::Notes));
  return t;
}

// What a save and an open keep of the tree `a`, compared with `b`.
void expect_same_tree(const Tree& a, const Tree& b) {
  ASSERT_EQ(a.persons.size(), b.persons.size());
  ASSERT_EQ(a.marriages.size(), b.marriages.size());
  using Field = std::string PersonRecord::*;
  const Field texts[] = {&PersonRecord::FamName,     &PersonRecord::GivenNames,   &PersonRecord::BirthDate,
                         &PersonRecord::DeathDate,   &PersonRecord::BirthPlace,   &PersonRecord::Baptised,
                         &PersonRecord::DOBap,       &PersonRecord::Baptisplace,  &PersonRecord::DeathPlace,
                         &PersonRecord::InterDate,   &PersonRecord::InteredPlace, &PersonRecord::Occupation,
                         &PersonRecord::CurrAddress, &PersonRecord::Phone,        &PersonRecord::Source};
  for (std::size_t i = 0; i < a.persons.size(); ++i) {
    const PersonRecord &x = a.persons[i], &y = b.persons[i];
    SCOPED_TRACE("person " + std::to_string(i + 1));
    ASSERT_EQ(y.PerNum, static_cast<std::int16_t>(i + 1));
    ASSERT_EQ(y.AutoCap, x.AutoCap == 1 ? 1 : 0);
    if (x.Deleted) {
      PersonRecord blank = blank_person();
      blank.PerNum = y.PerNum;
      blank.Deleted = -1;
      blank.AutoCap = y.AutoCap;
      ASSERT_EQ(y, blank);
      continue;
    }
    for (Field f : texts) ASSERT_EQ(cp1252::trim(y.*f), cp1252::trim(x.*f));
    ASSERT_EQ(y.Sex, x.Sex == "M" || x.Sex == "F" ? x.Sex : "N");
    ASSERT_EQ(y.Deleted, 0);
    ASSERT_EQ(y.NumPartners, x.NumPartners);
    ASSERT_EQ(cp1252::trim(ReadNotesFrom(y.NotesRec, b.notes)), cp1252::trim(ReadNotesFrom(x.NotesRec, a.notes)));
  }
  for (std::size_t i = 0; i < a.marriages.size(); ++i) {
    SCOPED_TRACE("marriage " + std::to_string(i + 1));
    ASSERT_EQ(b.marriages[i], a.marriages[i]);
    ASSERT_EQ(cp1252::trim(b.ceremonies[i].MarriedDate), cp1252::trim(a.ceremonies[i].MarriedDate));
    ASSERT_EQ(cp1252::trim(b.ceremonies[i].MarriedAt),
              a.marriages[i].Husband ? cp1252::trim(a.ceremonies[i].MarriedAt) : "");
  }
}

}  // namespace

// Saves the tree, opens the file in another session and saves that a little
// later: the trees agree and the two files differ only in their time stamps.
TEST(FamilyFileRoundTrip, MaximumTree) {
  TempSession a, b;
  generate_max_tree(a.s);
  Session &s = a.s, &o = b.s;
  const std::string folder = a.dir.path();
  ASSERT_EQ(SaveFamilyFile(s, s.WorkFolder, folder + "first.vfl"), -1);
  ASSERT_EQ(OpenFamilyFile(o, folder + "first.vfl"), -1);
  EXPECT_EQ(o.Config.LastPerson(), s.Config.LastPerson());
  EXPECT_EQ(o.DeletedCount, s.DeletedCount);
  for (const TreeViolation& v : CheckTree(o)) ADD_FAILURE() << v.text;
  expect_same_tree(load(s), load(o));
  Bytes first = read_file(folder + "first.vfl");
  o.now = [] { return LocalTime{2027, 1, 2, 13, 4, 5}; };
  ASSERT_EQ(SaveFamilyFile(o, o.WorkFolder, folder + "second.vfl"), -1);
  Bytes second = read_file(folder + "second.vfl");
  ASSERT_EQ(first.size(), second.size());
  EXPECT_NE(Bytes(first.begin(), first.begin() + 8), Bytes(second.begin(), second.begin() + 8));
  EXPECT_TRUE(std::equal(first.begin() + 8, first.end(), second.begin() + 8));
}
