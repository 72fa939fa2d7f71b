// End-to-end runs of `vft relate`: the answer in UTF-8 on standard output,
// compared with the answers kept in golden/, refusals on standard error with
// their exit codes.
#include <gtest/gtest.h>

#include "golden.h"
#include "run_tool.h"
#include "tree_builder.h"

using namespace vft;

namespace {

class RelateCli : public test::ToolTest {};

TEST_F(RelateCli, AnswersInWordsAndRefusesBadPersons) {
  test::TreeBuilder b(s);
  const auto john = b.person("John", "Smith", "M");
  const auto parents = b.family(john, b.person("Ren\xe9"
                                               "e",
                                               "Smith", "F"));
  b.child(parents, "Ann", "Smith", "F");    // 3
  b.child(parents, "Peter", "Smith", "M");  // 4
  b.person("Zed", "Jones", "M");            // 5
  PersonRecord gone = b.read(b.person("Gone", "Jones", "M"));
  gone.Deleted = -1;
  b.write(gone);  // 6
  // Peter married Eva, daughter of Max and Lia.
  const auto max = b.person("Max", "Brown", "M");  // 7; Lia 8, Eva 9
  b.family(4, b.child(b.family(max, b.person("Lia", "Brown", "F")), "Eva", "Brown", "F"));
  const std::string f = "relate " + test::shell_quote(save("tree.vfl")) + " ";
  // The window has the tree open: looking at it is allowed all the same.
  ASSERT_EQ(s.Lock.take(dir + "tree.vfl", s.now()), FamilyFileLock::Taken::Yes);
  const struct {
    std::string args;
    int code;
    std::string golden, err;  // the answer's file; the start of standard error
  } runs[] = {
      {"3 4", 0, "relate_3_4.txt", ""},
      {"2 3", 0, "relate_2_3.txt", ""},
      {"3 5", 0, "relate_3_5.txt", ""},
      {"1 7", 0, "relate_1_7.txt", ""},
      {"3 9", 0, "relate_3_9.txt", ""},
      {"3 10", 1, "", "vft: There is no person number 10.\n"},
      {"0 3", 1, "", "vft: There is no person number 0.\n"},
      {"6 3", 1, "", "vft: Person number 6 has been deleted.\n"},
      {"3 3", 1, "", "vft: Choose two different persons.\n"},
      {"3 x4", 2, "", "vft: not a Person number: x4\n"},
  };
  for (const auto& run : runs) {
    SCOPED_TRACE(run.args);
    const test::ToolRun r = vft(f + run.args);
    EXPECT_EQ(r.code, run.code);
    // Each answer: the sentence both ways, then every way numbered with its
    // common ancestors and its path, in the words of the kinship terms.
    if (!run.golden.empty()) test::expect_golden(run.golden, r.out);
    if (run.code != 0) { EXPECT_EQ(r.out, ""); }
    EXPECT_EQ(r.err.substr(0, run.err.size()), run.err);
  }
  const test::ToolRun r = vft("relate " + test::shell_quote(dir + "none.vfl") + " 1 2");
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err.rfind("vft: no such file: ", 0), 0u);
}

}  // namespace
