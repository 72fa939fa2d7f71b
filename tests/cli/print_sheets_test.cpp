// `vft print` for the data sheets and lists: each kind becomes a PDF of the
// right paper, the family names become a text file in the chosen format, and
// the refusals say why and write nothing.
#include <gtest/gtest.h>

#include <string>

#include "run_tool.h"
#include "store/familyfile.h"
#include "store/file_io.h"
#include "store/ini.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_builder.h"

using namespace vft;

namespace {

using test::pdf_size;
std::string quote(const std::string& s) { return test::shell_quote(s); }
std::string read(const std::string& path) { return test::file_text(path); }

class PrintSheetsCli : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  std::string dir = t.dir.path();
  std::string appdata = dir + "user/";
  std::string file;

  void SetUp() override {
    test::TreeBuilder b(s);
    auto john = b.person("John", "Smith", "M");  // 1
    auto mary = b.person("Mary", "Jones", "F");  // 2
    auto f = b.family(john, mary, "5 Jun 1925", "Leeds");
    b.child(f, "Ann", "Smith", "F");              // 3
    b.person("Lone", "M\xFCller", "M");           // 4, no partner
    b.person("Zoe", "Adams", "F");                // 5
    s.Config.setLastPerson(1);
    EXPECT_TRUE(WriteConfig(s));
    file = dir + "family.vfl";
    ASSERT_EQ(SaveFamilyFile(s, s.WorkFolder, file), -1);
  }

  test::ToolRun vft(const std::string& args) {
    return test::run_tool("VFT_APPDATA=" + quote(appdata) + " QT_QPA_PLATFORM=offscreen " + quote(VFT_CLI_PATH) +
                              " print " + quote(file) + " " + args,
                          dir + "stderr.txt");
  }
};

TEST_F(PrintSheetsCli, EachSheetAndListBecomesAPdf) {
  const std::string out = dir + "out.pdf";
  struct Case {
    std::string args, size;
  };
  const Case cases[] = {{"--sheet person --person 1", "595x842"},
                        {"--sheet family --person 1", "842x595"},   // landscape whatever was asked
                        {"--sheet family --person 2 --partner 1 --paper Letter", "792x612"},
                        {"--sheet blank-family", "842x595"},
                        {"--list all --sort name", "595x842"},
                        {"--list family-name smith", "595x842"},
                        {"--list timeline --landscape", "842x595"},
                        {"--list names --format 4", "595x842"}};
  for (const Case& c : cases) {
    fileio::remove(out);
    test::ToolRun r = vft(c.args + " " + quote(out));
    ASSERT_EQ(r.code, 0) << c.args << ": " << r.err;
    EXPECT_EQ(r.out, "1 page written to " + out + "\n") << c.args;
    std::string pdf = read(out);
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u) << c.args;
    EXPECT_EQ(pdf_size(pdf), c.size) << c.args;
  }
}

TEST_F(PrintSheetsCli, FamilyNamesAsATextFileInEachFormat) {
  const std::string txt = dir + "names.txt";
  test::ToolRun r = vft("--list names --text " + quote(txt));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "The list of Family Names has been saved  as " + txt + "\n");
  // The saved format is comma separated; names in UTF-8.
  EXPECT_EQ(read(txt), "Adams, Jones, M\xC3\xBCller, Smith\r\n");
  r = vft("--list names --format 3 --text " + quote(txt));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(read(txt), "Adams   Jones   M\xC3\xBCller\r\nSmith\r\n");
  r = vft("--list names --format 4 --text " + quote(txt));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(read(txt), "Adams   Jones   M\xC3\xBCller  Smith\r\n");
  // The saved choice is used when none is given.
  fileio::FileSystem fs;
  ASSERT_EQ(IniWriteAt(fs, appdata + "Vorlan Family Tree/Vorlan.Ini", "Print Family Names", "Format", "2"), 1);
  r = vft("--list names --text " + quote(txt));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(read(txt), "Adams   Jones   M\xC3\xBCller\r\nSmith\r\n");
}

TEST_F(PrintSheetsCli, RefusalsSayWhyAndWriteNothing) {
  const std::string out = dir + "never.pdf";
  test::ToolRun r = vft("--list family-name Brown " + quote(out));
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "Vorlan Family Tree couldn't find the Family Name Brown\nvft: the printout could not be made\n");
  r = vft("--sheet family --person 4 " + quote(out));
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err,
            "Lone M\xC3\xBCller has no partners or children.\nTo print a family data sheet for this family please \n"
            "select one of his parents.\n");
  r = vft("--sheet family --person 1 --partner 3 " + quote(out));
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "vft: 1 and 3 are not partners\n");
  r = vft("--sheet person --person 9 " + quote(out));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("has no person 9"), std::string::npos);
  EXPECT_FALSE(fileio::exists(out));

  // Wrong arguments: exit 2 with the reason and the usage.
  for (const char* args : {"--sheet person", "--sheet poster --person 1", "--list", "--list family-name",
                           "--list all --text x.txt", "--list all --sort age", "--list names --format 5",
                           "--list all --sheet person --person 1"}) {
    r = vft(std::string(args) + " " + quote(out));
    EXPECT_EQ(r.code, 2) << args;
    EXPECT_NE(r.err.find("Usage:"), std::string::npos) << args;
  }
  r = vft("--list names --text " + quote(dir + "t.txt") + " " + quote(out));
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("print --text needs only a Family file"), std::string::npos);
  EXPECT_FALSE(fileio::exists(out));
}

}  // namespace
