// Generated trees through save -> open -> save: nothing a Family file can hold
// is lost or changed, and the generator keeps the family invariants the other
// tests and the benchmarks rely on.
#include <gtest/gtest.h>

#include <functional>

#include "common/cp1252.h"
#include "familyfile_fixture.h"
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

// The family invariants, checked independently of the program's own tree check.
std::vector<std::string> problems(const Tree& t) {
  std::vector<std::string> out;
  const int np = static_cast<int>(t.persons.size());
  std::vector<int> child_of(static_cast<std::size_t>(np) + 1, 0), partners(static_cast<std::size_t>(np) + 1, 0);
  auto sex = [&](int n) { return t.persons[static_cast<std::size_t>(n - 1)].Sex; };
  auto live = [&](int n) { return n >= 1 && n <= np && t.persons[static_cast<std::size_t>(n - 1)].Deleted == 0; };
  for (const MarriageRecord& m : t.marriages) {
    std::string id = "family " + std::to_string(m.MarNum);
    if (m.NumKids < 0 || m.NumKids > kMaxKids) out.push_back(id + ": NumKids");
    for (int k = 0; k < kMaxKids; ++k) {
      int kid = m.Kids[static_cast<std::size_t>(k)];
      if (k >= m.NumKids) {
        if (kid != 0) out.push_back(id + ": unused slot filled");
      } else if (!live(kid)) {
        out.push_back(id + ": child not a live person");
      } else {
        ++child_of[static_cast<std::size_t>(kid)];
      }
    }
    if (m.Husband && (!live(m.Husband) || sex(m.Husband) != "M")) out.push_back(id + ": husband");
    if (m.Wife && (!live(m.Wife) || sex(m.Wife) != "F")) out.push_back(id + ": wife");
    if (m.Husband && m.Wife) ++partners[static_cast<std::size_t>(m.Husband)], ++partners[static_cast<std::size_t>(m.Wife)];
    if (m.Divorced && m.NotMarried) out.push_back(id + ": divorced and not married");
  }
  for (int n = 1; n <= np; ++n) {
    const PersonRecord& p = t.persons[static_cast<std::size_t>(n - 1)];
    std::string id = "person " + std::to_string(n);
    if (p.PerNum != n) out.push_back(id + ": PerNum");
    if (child_of[static_cast<std::size_t>(n)] != (p.Deleted ? 0 : 1)) out.push_back(id + ": parent families");
    if (p.NumPartners != partners[static_cast<std::size_t>(n)]) out.push_back(id + ": NumPartners");
  }
  return out;
}

// Generations along the deepest line of descent.
int depth(const Tree& t) {
  std::vector<int> parent_family(t.persons.size() + 1, 0), memo(t.persons.size() + 1, 0);
  for (std::size_t f = 0; f < t.marriages.size(); ++f)
    for (int k = 0; k < t.marriages[f].NumKids; ++k)
      parent_family[static_cast<std::size_t>(t.marriages[f].Kids[static_cast<std::size_t>(k)])] = static_cast<int>(f);
  std::function<int(int, int)> d = [&](int n, int guard) -> int {
    if (n == 0 || guard > 64) return 0;
    auto i = static_cast<std::size_t>(n);
    if (!memo[i]) {
      const MarriageRecord& m = t.marriages[static_cast<std::size_t>(parent_family[i])];
      memo[i] = 1 + std::max(d(m.Husband, guard + 1), d(m.Wife, guard + 1));
    }
    return memo[i];
  };
  int best = 0;
  for (std::size_t n = 1; n <= t.persons.size(); ++n)
    if (!t.persons[n - 1].Deleted) best = std::max(best, d(static_cast<int>(n), 0));
  return best;
}

// What a save and an open keep of the tree `a`, compared with `b`.
void expect_same_tree(const Tree& a, const Tree& b) {
  ASSERT_EQ(a.persons.size(), b.persons.size());
  ASSERT_EQ(a.marriages.size(), b.marriages.size());
  using Field = std::string PersonRecord::*;
  const Field texts[] = {&PersonRecord::FamName,    &PersonRecord::GivenNames,   &PersonRecord::BirthDate,
                         &PersonRecord::DeathDate,  &PersonRecord::BirthPlace,   &PersonRecord::Baptised,
                         &PersonRecord::DOBap,      &PersonRecord::Baptisplace,  &PersonRecord::DeathPlace,
                         &PersonRecord::InterDate,  &PersonRecord::InteredPlace, &PersonRecord::Occupation,
                         &PersonRecord::CurrAddress, &PersonRecord::Phone,       &PersonRecord::Source};
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

// Saves `s`, opens the file in `o`, saves `o` an hour later: the trees agree
// and the two files differ only in their time stamps.
void round_trip(Session& s, Session& o, const std::string& folder) {
  ASSERT_EQ(SaveFamilyFile(s, s.WorkFolder, folder + "first.vfl"), -1);
  ASSERT_EQ(OpenFamilyFile(o, folder + "first.vfl"), -1);
  EXPECT_EQ(o.Config.NumPersons(), s.Config.NumPersons());
  EXPECT_EQ(o.Config.NumMarriages(), s.Config.NumMarriages());
  EXPECT_EQ(o.Config.LastPerson(), s.Config.LastPerson());
  EXPECT_EQ(o.DeletedCount, s.DeletedCount);
  expect_same_tree(load(s), load(o));
  // Written from the record files or from what the reader made of the file:
  // the same bytes.
  Bytes first = read_file(folder + "first.vfl");
  FamilyParse parsed = ParseFamilyFile(first.data(), first.size());
  ASSERT_TRUE(parsed.ok());
  EXPECT_TRUE(BuildFamilyFile(parsed.image) == first);
  o.now = [] { return LocalTime{2027, 1, 2, 13, 4, 5}; };
  ASSERT_EQ(SaveFamilyFile(o, o.WorkFolder, folder + "second.vfl"), -1);
  Bytes second = read_file(folder + "second.vfl");
  ASSERT_EQ(first.size(), second.size());
  EXPECT_NE(Bytes(first.begin(), first.begin() + 8), Bytes(second.begin(), second.begin() + 8));
  EXPECT_TRUE(std::equal(first.begin() + 8, first.end(), second.begin() + 8));
}

}  // namespace

TEST(FamilyFileRoundTrip, GeneratedTreesWithAccentedNames) {
  for (std::uint64_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    TempSession a, b;
    TreeOptions o;
    o.seed = seed;
    o.persons = 400;
    o.marriages = 330;
    o.generations = 6;
    o.notes_fraction = 0.5;
    o.deleted_fraction = 0.05;
    o.sexless_fraction = 0.05;
    o.single_parent_fraction = 0.2;
    GeneratedTree g = generate_tree(a.s, o);
    Tree tree = load(a.s);
    EXPECT_EQ(problems(tree), std::vector<std::string>{});
    EXPECT_EQ(depth(tree), 6);
    EXPECT_EQ(g.persons, 400);
    EXPECT_EQ(g.marriages, 330);
    EXPECT_GT(g.deleted, 0);
    EXPECT_GT(g.sexless, 0);
    EXPECT_GT(g.single_parent, 0);
    bool accented = false;
    for (const PersonRecord& p : tree.persons)
      for (char c : p.FamName + p.GivenNames) accented = accented || static_cast<unsigned char>(c) >= 0x80;
    EXPECT_TRUE(accented);
    round_trip(a.s, b.s, a.dir.path());
  }
}

TEST(FamilyFileRoundTrip, GeneratedTreesAreReproducible) {
  TempSession a, b;
  TreeOptions o;
  o.seed = 42;
  generate_tree(a.s, o);
  generate_tree(b.s, o);
  EXPECT_EQ(snapshot(a.s), snapshot(b.s));
  o.seed = 43;
  generate_tree(b.s, o);
  EXPECT_NE(snapshot(a.s)[1], snapshot(b.s)[1]);
}

TEST(FamilyFileRoundTrip, MaximumTree) {
  TempSession a, b;
  GeneratedTree g = generate_max_tree(a.s);
  Tree tree = load(a.s);
  EXPECT_EQ(problems(tree), std::vector<std::string>{});
  EXPECT_EQ(depth(tree), 12);
  EXPECT_EQ(g.persons, 14998);
  EXPECT_EQ(g.marriages, 15000);
  EXPECT_NEAR(g.with_notes, 14998 / 3, 600);
  // Chains must stay reachable through the 16-bit Next field.
  EXPECT_LT(tree.notes.size() / kNotesLen, 32767u);
  round_trip(a.s, b.s, a.dir.path());
}

TEST(FamilyFileRoundTrip, AFamilyOfFortyOneChildren) {
  TempSession a, b;
  std::vector<int> kids;
  for (int k = 1; k <= kMaxKids; ++k) add_person(a.s, {"Smith", "Kid", "F"}), kids.push_back(k);
  add_marriage(a.s, 0, 0, kids);
  a.s.Config.setLastPerson(1);
  round_trip(a.s, b.s, a.dir.path());
}
