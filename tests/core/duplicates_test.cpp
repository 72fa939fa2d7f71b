// Persons recorded twice: the scoring rules as one table, merges of random
// pairs on generated trees, and a GEDCOM imported twice into one tree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <set>

#include "common/cp1252.h"
#include "interchange/gedcom_export.h"
#include "interchange/gedcom_import.h"
#include "store/familyfile.h"
#include "relations/duplicates.h"
#include "relations/lookups.h"
#include "relations/merge_persons.h"
#include "relations/person_io.h"
#include "relations/tree_check.h"
#include "relations/undo.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_builder.h"
#include "tree_gen.h"

using namespace vft;

namespace {

// "Family|Given|Sex|Birth|Death|Birth place|Father's given and family name"
PersonRecord person(std::int16_t n, const std::string& fields, std::string* father = nullptr) {
  std::vector<std::string> f;
  for (std::size_t i = 0, j; i <= fields.size(); i = j + 1) {
    j = fields.find('|', i);
    if (j == std::string::npos) j = fields.size();
    f.push_back(fields.substr(i, j - i));
  }
  f.resize(7);
  PersonRecord r;
  r.PerNum = n;
  r.FamName = f[0], r.GivenNames = f[1], r.Sex = f[2], r.BirthDate = f[3], r.DeathDate = f[4], r.BirthPlace = f[5];
  if (father) *father = f[6];
  return r;
}

struct Row {
  const char* a;
  const char* b;
  bool same;           // proposed at the normal sensitivity
  const char* reason;  // one of the reasons given ("" when not proposed)
};

const Row kRows[] = {
    {"Smith|John|M|3 Mar 1850||Leeds", "Smith|John|M|3 Mar 1850||Leeds", true, "same birth place"},
    {"Smith|John|M|3 Mar 1850", "Smyth|John|M|3 Mar 1850", true, "same family name sound"},
    {"Cole|Ann|F|3 Mar 1850", "Kohl|Ann|F|3 Mar 1850", true, "same family name sound"},
    {"Smith|John|M|abt 1850", "Smith|John|M|1851", true, "birth years 1850/1851"},
    {"Smyth|John|M|abt 1850", "Smith|John|M|1852", true, "birth years 1850/1852"},
    {"Smith|John|M|? ??? 1850", "Smith|John|M|3 Mar 1850", true, "birth year 1850"},
    {"Smith|John|M|1850-1855", "Smith|John|M|bef 1852", true, "birth years 1855/1852"},
    {"Smith|Bill|M|3 Mar 1850", "Smith|William|M|3 Mar 1850", true, "nickname Bill for William"},
    {"Smith|J|M|3 Mar 1850", "Smith|John|M|3 Mar 1850", true, "initial J for John"},
    {"Smith|Mary Ann|F|3 Mar 1850", "Smith|Ann Mary|F|3 Mar 1850", true, "given names in another order"},
    {"M\xFCller|Ren\xE9|M|1850", "Muller|Rene|M|1850", true, "same family name"},
    {"Smith|John||1850|1910||William Smith", "Smith|John|M||||Wm Smith", true, "same father's name"},
    {"Smith|John|M|1850", "Smith|John|F|1850", false, ""},                        // sexes differ
    {"Smith|John|M|3 Mar 1850", "Smith|John|M|9 Jul 1851", false, ""},            // two complete births
    {"Smith|John|M||1850", "Smith|John|M|1900", false, ""},                       // born after the death
    {"Smith|John|M|1800", "Smith|John|M||1950", false, ""},                       // a 150-year life
    {"Smith|John|M|1850", "Smith|John|M|1870", false, ""},                        // births far apart
    {"Smith|John|M|1850", "Smith|Peter|M|1850", false, ""},                       // other given names
    {"Grey|Son 1|M|1461", "Grey|Son 2|M|1461", false, ""},                        // numbered children
    {"Smith|John|M||||William Smith", "Smith|John|M||||Henry Smith", false, ""},  // fathers differ
    {"Smith|John|M", "Jones|John|M", false, ""},                                  // nothing but a given name
};

TEST(Duplicates, ScoringRules) {
  for (const Row& row : kRows) {
    std::vector<DuplicateFacts> all(5);
    std::string fathers[2];
    for (std::int16_t i : {1, 2}) {
      all[static_cast<std::size_t>(i)] = FactsOf(person(i, i == 1 ? row.a : row.b, &fathers[i - 1]));
      if (fathers[i - 1].empty()) continue;
      const auto cut = fathers[i - 1].rfind(' ');
      const auto n = static_cast<std::int16_t>(i + 2);
      all[static_cast<std::size_t>(n)] =
          FactsOf(person(n, fathers[i - 1].substr(cut + 1) + "|" + fathers[i - 1].substr(0, cut) + "|M"));
      all[static_cast<std::size_t>(i)].father = n;
    }
    const DuplicatePair p = ScorePair(all, 1, 2);
    const bool same = p.score >= MinimumScore(DuplicateSensitivity::Normal);
    std::string reasons;
    for (const std::string& r : p.reasons) reasons += r + "; ";
    EXPECT_EQ(same, row.same) << row.a << " / " << row.b << ": " << p.score << " " << reasons;
    if (row.same) {
      EXPECT_NE(reasons.find(row.reason), std::string::npos) << row.a << ": " << reasons;
      EXPECT_EQ(ScorePair(all, 2, 1).score, p.score);
    }
  }
}

// A person with a birth date, as the tests below need them.
std::int16_t born(test::TreeBuilder& b, std::int16_t p, const std::string& date) {
  PersonRecord r = b.read(p);
  r.BirthDate = date;
  b.write(r);
  return p;
}

TEST(Duplicates, NeverAParentChildOrPartner) {
  test::TempSession t;
  test::TreeBuilder b(t.s);
  const auto dad = born(b, b.person("John", "Smith", "M"), "3 Mar 1850");
  const auto mum = born(b, b.person("John", "Smith", "F"), "3 Mar 1850");
  const auto kid = born(b, b.child(b.family(dad, mum), "John", "Smith", "M"), "3 Mar 1850");
  const auto twin = born(b, b.person("John", "Smith", "M"), "3 Mar 1850");
  const auto found = FindDuplicates(t.s, {});
  std::set<std::pair<std::int16_t, std::int16_t>> pairs;
  for (const DuplicatePair& p : found) pairs.insert({p.first, p.second});
  EXPECT_EQ(pairs, (std::set<std::pair<std::int16_t, std::int16_t>>{{dad, twin}, {kid, twin}}));

  // An ignored pair stays away, also in the next run, which reads the file.
  const std::string file = t.dir.path() + "tree.vfl";
  t.s.CurrentFilePath = t.dir.path();  // never saved: nowhere to remember a pair
  EXPECT_EQ(FamilyFileOf(t.s), "");
  t.s.CurrentFilePath = file;
  EXPECT_EQ(FamilyFileOf(t.s), file);
  ASSERT_TRUE(IgnorePair(t.s, file, twin, dad));
  DuplicateSearch how;
  how.ignored = ReadIgnoredPairs(file);
  const auto again = FindDuplicates(t.s, how);
  ASSERT_EQ(again.size(), 1u);
  EXPECT_EQ(again[0].first, kid);
}

// The tree as links between persons, by Person number: enough to tell that a
// merge kept what both records said.
std::map<std::int16_t, std::set<std::int16_t>> partners_and_children(const Session& s, std::int16_t p) {
  std::map<std::int16_t, std::set<std::int16_t>> out;
  for (int m = 1; m <= FamilyCount(s); ++m) {
    const MarriageRecord& f = s.Marriages[static_cast<std::size_t>(m)];
    if (f.Husband != p && f.Wife != p) continue;
    auto& kids = out[f.Husband == p ? f.Wife : f.Husband];
    for (int k = 0; k < KidCount(f); ++k) kids.insert(f.Kids[static_cast<std::size_t>(k)]);
  }
  return out;
}

TEST(Duplicates, RandomMergesKeepTheTreeSoundAndUndoRestoresIt) {
  int merged = 0;
  for (std::uint64_t seed = 1; seed <= 12; ++seed) {
    test::TempSession t;
    Session& s = t.s;
    test::generate_tree(s, {.seed = seed, .persons = 70, .marriages = 50});
    std::mt19937 rng(static_cast<unsigned>(seed));
    for (int attempt = 0; attempt < 40; ++attempt) {
      const auto keep = static_cast<std::int16_t>(1 + rng() % 70), drop = static_cast<std::int16_t>(1 + rng() % 70);
      PersonRecord k, d;
      if (!ReadStoredPerson(s, keep, k) || !ReadStoredPerson(s, drop, d)) continue;
      const MergePlan plan = DefaultMergePlan(k, d);
      if (!MergeRefusal(s, plan).empty()) continue;
      auto expected = partners_and_children(s, keep);
      for (auto& [partner, kids] : partners_and_children(s, drop)) expected[partner].insert(kids.begin(), kids.end());
      const std::int16_t father = HasParents(s, keep) ? FatherOf(s, keep) : FatherOf(s, drop);
      const std::string drop_notes = cp1252::trim(ReadNotes(d.NotesRec, s.work(recfile::Notes)));
      const auto before = test::snapshot(s);

      const MergeOutcome out = MergePersons(s, plan);
      ASSERT_TRUE(out.merged) << seed << ": " << keep << " " << drop;
      ++merged;
      EXPECT_EQ(CheckTree(s).size(), 0u) << seed << ": " << CheckTree(s).front().text;
      auto now = partners_and_children(s, keep);
      now.erase(0), expected.erase(0);
      EXPECT_EQ(now, expected) << seed << ": " << keep << " " << drop;
      EXPECT_EQ(FatherOf(s, keep), father);
      PersonRecord after;
      ASSERT_TRUE(ReadStoredPerson(s, drop, after));
      EXPECT_NE(after.Deleted, 0);
      ASSERT_TRUE(ReadStoredPerson(s, keep, after));
      for (std::size_t i = 0; i < kMergeFields; ++i)
        EXPECT_EQ(MergeFieldOf(after, MergeField(i)), MergeFieldOf(plan.from_drop[i] ? d : k, MergeField(i)));
      EXPECT_NE(ReadNotes(after.NotesRec, s.work(recfile::Notes)).find(drop_notes), std::string::npos);
      EXPECT_EQ(s.UndoText, "Undo merge of " + DisplayName(s, after));

      if (attempt % 3 == 0) {
        ASSERT_TRUE(UndoLastStep(s));
        const auto undone = test::snapshot(s);
        for (const char* f : {recfile::Person, recfile::Marriage, recfile::Ceremony, recfile::Notes})
          EXPECT_EQ(undone.at(f), before.at(f)) << f;
      }
    }
  }
  EXPECT_GT(merged, 60);
}

TEST(Duplicates, AMergeThatMakesAnAncestorOfItselfIsRefusedUntouched) {
  test::TempSession t;
  test::TreeBuilder b(t.s);
  const auto dad = born(b, b.person("John", "Smith", "M"), "1850");
  const auto kid = born(b, b.child(b.family(dad, b.person("Ann", "Brown", "F")), "John", "Smith", "M"), "1875");
  const auto grandkid = born(b, b.child(b.family(kid, b.person("Mary", "Hall", "F")), "John", "Smith", "M"), "1900");
  const auto before = test::snapshot(t.s);
  const MergeOutcome out = MergePersons(t.s, {dad, grandkid, {}});
  EXPECT_FALSE(out.merged);
  EXPECT_NE(out.refusal.find("are ancestor and descendant"), std::string::npos) << out.refusal;
  EXPECT_EQ(test::snapshot(t.s), before);
}

// Another record of `r`, as another source gives it; `variants` say how it
// differs: 0 the family name spelt otherwise, 1 the given names in another
// order (the first record gets a second one for it), 2 the dates as "abt",
// "bet" or the year only and no places, 3 no mother. The twin has no
// partners or children.
DuplicateFacts planted_twin(std::vector<DuplicateFacts>& all, PersonRecord r, std::set<int> variants) {
  const std::int16_t father = all[static_cast<std::size_t>(r.PerNum)].father;
  const std::int16_t mother = variants.count(3) ? 0 : all[static_cast<std::size_t>(r.PerNum)].mother;
  std::string& fam = r.FamName;
  if (variants.count(0)) {
    const auto i = fam.find_first_of("iy");
    if (i != std::string::npos) fam[i] = fam[i] == 'i' ? 'y' : 'i';
    else if (fam.back() == 'e') fam.pop_back();
    else fam += 'e';
  }
  if (variants.count(1)) {
    const std::string given = cp1252::trim(r.GivenNames), second = r.Sex == "F" ? "Rose" : "Henry";
    r.GivenNames = given + " " + second;
    const DuplicateFacts named = FactsOf(r);
    DuplicateFacts& f = all[static_cast<std::size_t>(r.PerNum)];
    f.given = named.given, f.given_sounds = named.given_sounds;
    r.GivenNames = second + " " + given;
  }
  if (variants.count(2)) {
    int style = r.PerNum % 3;
    for (std::string* d : {&r.BirthDate, &r.DOBap, &r.DeathDate, &r.InterDate}) {
      const int year = dup::SpanOf(cp1252::trim(*d)).year;
      if (!year) continue;
      const std::string y = std::to_string(year);
      *d = style == 0 ? "abt " + y : style == 1 ? "bet " + std::to_string(year - 1) + " and " + y : y;
      style = (style + 1) % 3;
    }
    for (std::string* place : {&r.BirthPlace, &r.Baptisplace, &r.DeathPlace, &r.InteredPlace}) place->clear();
  }
  DuplicateFacts twin = FactsOf(r);
  twin.number = static_cast<std::int16_t>(all.size());
  twin.father = father, twin.mother = mother;
  return twin;
}

// A generated tree of 15,000 persons (no one recorded twice) gives at most
// one pair per 1,000 persons at the normal sensitivity; with 200 persons
// entered a second time, at least 95 % of them are among the first 400 pairs.
TEST(Duplicates, FewFalsePairsAndPlantedTwinsFound) {
  test::TempSession t;
  test::generate_max_tree(t.s, 3);
  std::vector<DuplicateFacts> all = GatherDuplicateFacts(t.s);
  const std::size_t persons = all.size() - 1;
  const std::size_t false_pairs = FindDuplicates(all, {}).size();
  EXPECT_LE(false_pairs * 1000, persons) << false_pairs << " pairs";
  RecordProperty("false_pairs_per_1000", std::to_string(1000.0 * double(false_pairs) / double(persons)));

  std::mt19937 rng(5);
  std::set<std::pair<std::int16_t, std::int16_t>> planted;
  for (int tries = 0; planted.size() < 200 && tries < 10000; ++tries) {
    const auto p = static_cast<std::int16_t>(1 + rng() % persons);
    PersonRecord r;
    const DuplicateFacts& f = all[static_cast<std::size_t>(p)];
    if (!f.candidate || f.given.empty() || f.family.empty() || !ReadStoredPerson(t.s, p, r)) continue;
    const int k = static_cast<int>(planted.size());
    all.push_back(planted_twin(all, r, {k % 4, (k + k / 4) % 4}));
    planted.insert({p, all.back().number});
  }
  DuplicateSearch how;
  how.limit = 2 * planted.size();
  std::size_t found = 0;
  const std::vector<DuplicatePair> pairs = FindDuplicates(all, how);
  for (const DuplicatePair& pair : pairs) found += planted.count({pair.first, pair.second});
  EXPECT_GE(found * 100, planted.size() * 95) << found << " of " << planted.size();
  RecordProperty("recall_percent", std::to_string(100.0 * double(found) / double(planted.size())));

  // Stopped early, the search gives what it has found so far.
  int calls = 0;
  how.progress = [&](double done) { return done < 1 && ++calls < 3; };
  EXPECT_LT(FindDuplicates(all, how).size(), pairs.size());
  EXPECT_EQ(calls, 3);
}

// A tree that already holds a GEDCOM file gets it once more: every person's
// best pair is his or her own twin; merging every twin gives the first tree
// back (that part on the small sample only: it is slow under the sanitizers).
class DoubledImport : public ::testing::TestWithParam<const char*> {};

TEST_P(DoubledImport, FindsEveryTwinAndMergesBack) {
  const std::string name = GetParam();
  const char* env = std::getenv("VFT_TESTDATA");
  const std::string file = name == "sample" ? "" : std::string(env ? env : "") + "/gedcom/" + name;
  if (!file.empty() && !std::filesystem::exists(file)) GTEST_SKIP();
  test::TempSession t;
  Session& s = t.s;
  std::string sample;
  if (file.empty()) {
    ASSERT_EQ(OpenFamilyFile(s, VFT_SAMPLE_FILE), -1);
    ASSERT_TRUE(BuildGedcom(s, DefaultExportOptions(s, "sample.ged"), {}, sample));
  } else {
    ASSERT_EQ(ImportGedcom(s, file, {}).status, ImportStatus::Imported);
  }
  const int n = s.Config.NumPersons();
  std::vector<PersonRecord> first(static_cast<std::size_t>(n) + 1);
  std::vector<std::string> notes(first.size());
  for (std::int16_t p = 1; p <= n; ++p) {
    (void)ReadStoredPerson(s, p, first[static_cast<std::size_t>(p)]);
    notes[static_cast<std::size_t>(p)] = ReadNotes(first[static_cast<std::size_t>(p)].NotesRec, s.work(recfile::Notes));
  }
  const auto parents = [&s](std::int16_t p) { return std::pair(FatherOf(s, p), MotherOf(s, p)); };
  std::map<std::int16_t, std::pair<std::int16_t, std::int16_t>> parents_before;
  for (std::int16_t p = 1; p <= n; ++p) parents_before[p] = parents(p);
  const ImportResult again = file.empty() ? ImportGedcomData(s, sample, "sample.ged", {}) : ImportGedcom(s, file, {});
  ASSERT_EQ(again.status, ImportStatus::Imported);

  // Twins by order: the k-th living person of each half.
  std::vector<std::int16_t> halves[2];
  for (std::int16_t p = 1; p <= s.Config.NumPersons(); ++p) {
    PersonRecord r;
    if (ReadStoredPerson(s, p, r) && !r.Deleted) halves[p > n].push_back(p);
  }
  ASSERT_LE(halves[0].size(), halves[1].size());
  std::map<std::int16_t, std::int16_t> twin;
  for (std::size_t i = 0; i < halves[0].size(); ++i) twin[halves[0][i]] = halves[1][i];
  std::map<std::int16_t, std::map<std::int16_t, std::set<std::int16_t>>> links;
  for (std::int16_t p : halves[0]) links[p] = partners_and_children(s, p);

  // A file that holds a person twice already (royal92 does) gives ties: the
  // twin must then be among the best.
  const std::vector<DuplicatePair> found = FindDuplicates(s, {});
  std::map<std::int16_t, int> best;
  std::set<std::pair<std::int16_t, std::int16_t>> proposed;
  for (const DuplicatePair& p : found) {
    proposed.insert({p.first, p.second});
    for (std::int16_t x : {p.first, p.second}) best.emplace(x, p.score);
  }
  const auto facts = GatherDuplicateFacts(s);
  int twins = 0;
  for (std::int16_t p : halves[0]) {
    if (!facts[static_cast<std::size_t>(p)].candidate) continue;
    ++twins;
    EXPECT_TRUE(proposed.count({p, twin[p]})) << DisplayNameOf(s, p);
    EXPECT_EQ(ScorePair(facts, p, twin[p]).score, best[p]) << DisplayNameOf(s, p);
  }
  EXPECT_GT(twins * 10, n * 9);
  if (!file.empty()) return;
  for (std::int16_t p : halves[0]) ASSERT_TRUE(MergePersons(s, {p, twin[p], {}}).merged) << p;
  EXPECT_EQ(CheckTree(s).size(), 0u);
  // The import gives a sole parent a placeholder partner, who has no twin.
  for (std::int16_t p : halves[0]) {
    auto now = partners_and_children(s, p);
    std::erase_if(now, [&](const auto& e) { return e.first > n && e.second.empty(); });
    EXPECT_EQ(now, links[p]) << p;
    // Each field as the first record had it, and the same parents.
    PersonRecord merged;
    ASSERT_TRUE(ReadStoredPerson(s, p, merged));
    for (std::size_t i = 0; i < kMergeFields; ++i)
      EXPECT_EQ(MergeFieldOf(merged, MergeField(i)), MergeFieldOf(first[static_cast<std::size_t>(p)], MergeField(i)))
          << p << " " << MergeFieldLabel(MergeField(i));
    EXPECT_EQ(parents(p), parents_before[p]) << p;
    // Read before the second import: a merge that rewrote them would otherwise compare them with themselves.
    EXPECT_EQ(ReadNotes(merged.NotesRec, s.work(recfile::Notes)), notes[static_cast<std::size_t>(p)]) << p;
  }
}

INSTANTIATE_TEST_SUITE_P(Duplicates, DoubledImport, ::testing::Values("sample", "pres2020.ged", "royal92.ged"),
                         [](const auto& info) { return std::string(info.param).substr(0, 5); });

}  // namespace
