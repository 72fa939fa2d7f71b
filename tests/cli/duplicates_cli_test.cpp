// End-to-end runs of `vft duplicates` and `vft merge` on a small tree with
// one person recorded twice.
#include <gtest/gtest.h>

#include "run_tool.h"
#include "tree_builder.h"

using namespace vft;

namespace {

class DuplicatesCli : public test::ToolTest {};

TEST_F(DuplicatesCli, ListsThePairAndMergesIt) {
  test::TreeBuilder b(s);
  for (const char* given : {"John", "Mary", "John"}) {
    PersonRecord r = b.read(b.person(given, "Smith", given[0] == 'M' ? "F" : "M"));
    r.BirthDate = given[0] == 'M' ? "1852" : "abt 1850";
    b.write(r);
  }
  b.family(1, 2);
  const std::string file = test::shell_quote(save("tree.vfl"));

  const test::ToolRun found = vft("duplicates " + file + " --json");
  EXPECT_EQ(found.code, 0);
  EXPECT_EQ(found.out,
            "[\n {\"first\": 1, \"second\": 3, \"score\": 66, \"reasons\": [\"same family name\", "
            "\"given names match\", \"birth year 1850\"]}\n]\n");
  EXPECT_EQ(vft("duplicates " + file + " --min-score 101").code, 2);
  EXPECT_EQ(vft("duplicates " + file + " --min-score 70").out, "");

  // Merging writes the file: not while the window has it open.
  ASSERT_EQ(s.Lock.take(dir + "tree.vfl", s.now()), FamilyFileLock::Taken::Yes);
  EXPECT_EQ(vft("merge " + file + " 1 3").code, 1);
  s.Lock.release();
  EXPECT_EQ(vft("merge " + file + " 1 2").err,
            "John Smith and Mary Smith are of different sex and cannot be one person.\n");
  const test::ToolRun merged = vft("merge " + file + " 1 3");
  EXPECT_EQ(merged.code, 0) << merged.err;
  EXPECT_EQ(merged.out, "Merged Person #3 into John Smith (Person #1):\n  deleted Person #3\n");
  EXPECT_EQ(vft("check " + file).code, 0);
  EXPECT_EQ(vft("duplicates " + file + " --json").out, "[]\n");
}

}  // namespace
