// GEDCOM files written by other programs (see ../shared/testdata/gedcom/README.md),
// imported into an empty tree. Skipped when the folder is absent.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "gedcom_import_fixture.h"

using namespace vft;

namespace {

std::string testdata_folder() {
  const char* env = std::getenv("VFT_TESTDATA");
  if (!env || !*env) return {};
  std::string dir = std::string(env) + "/gedcom/";
  return std::filesystem::is_directory(dir) ? dir : std::string();
}

struct Expected {
  const char* file;
  int individuals;
  int families;
};

// The level-0 INDI and FAM counts the README lists.
const Expected kFiles[] = {
    {"royal92.ged", 3010, 1422},      {"pres2020.ged", 2322, 1115}, {"bourbon.ged", 303, 139},
    {"john-of-sea.ged", 61, 27},      {"allged.ged", 8, 4},         {"norse-gods.ged", 117, 69},
    {"sample-555-utf16le.ged", 3, 2}, {"maximal70.ged", 4, 2},      {"sino-tibetan-languages.ged", 547, 76},
};

class RealWorld : public ::testing::TestWithParam<Expected> {};

}  // namespace

TEST_P(RealWorld, ImportsWithTheReadmeCountsAndAConsistentTree) {
  const std::string dir = testdata_folder();
  if (dir.empty()) GTEST_SKIP() << "VFT_TESTDATA/gedcom not present";
  const Expected e = GetParam();
  test::TempSession t;
  ImportResult r = ImportGedcom(t.s, dir + e.file, {});
  ASSERT_EQ(r.status, ImportStatus::Imported) << r.message;
  EXPECT_EQ(r.counts.individuals, e.individuals);
  EXPECT_EQ(r.counts.families, e.families);
  EXPECT_EQ(t.s.Config.NumPersons(), e.individuals + r.counts.placeholders);
  EXPECT_EQ(t.s.Config.NumMarriages(), e.families + r.counts.parent_families);
  // Every person, placeholders too, has a record.
  EXPECT_EQ(fileio::size_of(t.s.work(recfile::Person)),
            static_cast<std::int64_t>(kPersonLen) * t.s.Config.NumPersons());
  test::expect_consistent_tree(t.s);
}

INSTANTIATE_TEST_SUITE_P(GedcomRealWorld, RealWorld, ::testing::ValuesIn(kFiles), [](const auto& info) {
  std::string n = info.param.file;
  n = n.substr(0, n.find('.'));
  for (char& c : n)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return n;
});
