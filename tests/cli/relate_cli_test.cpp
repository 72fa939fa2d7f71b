// End-to-end runs of `vft relate`: the answer in UTF-8 on standard output,
// refusals on standard error with their exit codes.
#include <gtest/gtest.h>

#include "run_tool.h"
#include "store/familyfile.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_builder.h"

using namespace vft;

namespace {

TEST(RelateCli, AnswersInWordsAndRefusesBadPersons) {
  test::TempSession t;
  test::TreeBuilder b(t.s);
  const auto john = b.person("John", "Smith", "M");
  const auto parents = b.family(john, b.person("Ren\xe9" "e", "Smith", "F"));
  b.child(parents, "Ann", "Smith", "F");    // 3
  b.child(parents, "Peter", "Smith", "M");  // 4
  b.person("Zed", "Jones", "M");            // 5
  PersonRecord gone = b.read(b.person("Gone", "Jones", "M"));
  gone.Deleted = -1;
  b.write(gone);  // 6
  // Peter married Eva, daughter of Max and Lia.
  const auto max = b.person("Max", "Brown", "M");  // 7; Lia 8, Eva 9
  b.family(4, b.child(b.family(max, b.person("Lia", "Brown", "F")), "Eva", "Brown", "F"));
  t.s.Config.setLastPerson(1);
  WriteConfig(t.s);
  const std::string file = t.dir.path() + "tree.vfl";
  ASSERT_EQ(SaveFamilyFile(t.s, t.s.WorkFolder, file), -1);

  const std::string f = " " + test::shell_quote(file) + " ";
  const struct {
    std::string args;
    int code;
    std::string out, err;
  } runs[] = {
      {f + "3 4", 0,
       "Ann Smith is the sister of Peter Smith.\n"
       "Peter Smith is the brother of Ann Smith.\n\n"
       "1. Ann Smith is the sister of Peter Smith; Peter Smith is the brother of Ann Smith.\n"
       "   Common ancestors: John Smith (#1) and Ren\xc3\xa9" "e Smith (#2)\n"
       "   Path:\n"
       "     Ann Smith (#3)\n"
       "     father: John Smith (#1)\n"
       "     son: Peter Smith (#4)\n",
       ""},
      {f + "2 3", 0,
       "Ren\xc3\xa9" "e Smith is the mother of Ann Smith.\nAnn Smith is the daughter of Ren\xc3\xa9" "e Smith.\n\n"
       "1. Ren\xc3\xa9" "e Smith is the mother of Ann Smith; Ann Smith is the daughter of Ren\xc3\xa9" "e Smith.\n"
       "   Path:\n     Ren\xc3\xa9" "e Smith (#2)\n     daughter: Ann Smith (#3)\n",
       ""},
      {f + "3 5", 0, "No relationship found.\nAnn Smith and Zed Jones are not linked in this tree.\n", ""},
      {f + "1 7", 0,
       "No relationship found.\nJohn Smith and Max Brown are linked through the marriage of Peter Smith (#4) and Eva "
       "Brown (#9).\n\n   Chain of links:\n     John Smith (#1)\n     son: Peter Smith (#4)\n     wife: Eva Brown (#9)\n"
       "     father: Max Brown (#7)\n",
       ""},
      {f + "3 10", 1, "", "vft: There is no person number 10.\n"},
      {f + "9 10", 1, "", "vft: There is no person number 10.\n"},  // 9, the highest, is one
      {f + "0 3", 1, "", "vft: There is no person number 0.\n"},
      {f + "6 3", 1, "", "vft: Person number 6 has been deleted.\n"},
      {f + "3 3", 1, "", "vft: Choose two different persons.\n"},
      {f + "3 x4", 2, "", "vft: not a Person number: x4\n"},
      {f + "3", 2, "", "vft: relate needs a Family file and two Person numbers\n"},
      {" " + test::shell_quote(t.dir.path() + "none.vfl") + " 1 2", 1, "", "vft: no such file: "},
  };
  for (const auto& run : runs) {
    SCOPED_TRACE(run.args);
    const test::ToolRun r =
        test::run_tool(test::shell_quote(VFT_CLI_PATH) + " relate" + run.args, t.dir.path() + "err.txt");
    EXPECT_EQ(r.code, run.code);
    EXPECT_EQ(r.out, run.out);
    EXPECT_EQ(r.err.substr(0, run.err.size()), run.err);
  }
}

}  // namespace
