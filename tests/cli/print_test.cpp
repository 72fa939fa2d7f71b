// `vft print` as a subprocess: charts, sheets and lists written as PDF files
// of the right paper and number of pages, the family names as a text file,
// the user's saved settings, and the refusals, which write nothing.
#include <gtest/gtest.h>

#include <string>

#include "run_tool.h"
#include "store/ini.h"
#include "tree_builder.h"

using namespace vft;
using test::pdf_pages;
using test::pdf_size;
using test::shell_quote;

namespace {

class PrintCli : public test::ToolTest {
 protected:
  // The tool reads the user's settings from here, never from the real home.
  std::string appdata = dir + "user/", ini = appdata + "Vorlan Family Tree/Vorlan.Ini";
  fileio::FileSystem fs;
  PrintCli() { env = "VFT_APPDATA=" + shell_quote(appdata) + " QT_QPA_PLATFORM=offscreen "; }
  test::ToolRun print(const std::string& file, const std::string& args) {
    return vft("print " + shell_quote(file) + " " + args);
  }
  // Ron and Wendy with 41 children, every one with a birth and a death line:
  // 41 x 3 rows of a 10-point font fill three A4 pages.
  std::string big_family() {
    test::TreeBuilder b(s);
    const auto ron = b.person("Ron", "Root", "M");
    auto f = b.family(ron, b.person("Wendy", "Root", "F"), "1 May 1920", "Leeds");
    for (int k = 1; k <= 41; ++k) {
      PersonRecord p = b.read(b.child(f, "Kid" + std::to_string(k), "Root", k % 2 ? "M" : "F"));
      p.DeathDate = "2 Feb 1990";
      b.write(p);
    }
    return save("family.vfl");
  }
  // John Smith and Mary Jones with Ann; Lone Mueller and Zoe Adams alone.
  test::TempSession other;
  std::string small_family() {
    test::TreeBuilder b(other.s);
    const auto john = b.person("John", "Smith", "M");
    b.child(b.family(john, b.person("Mary", "Jones", "F"), "5 Jun 1925", "Leeds"), "Ann", "Smith", "F");
    b.person("Lone", "M\xFCller", "M");  // 4, no partner
    b.person("Zoe", "Adams", "F");
    return save(other.s, "small.vfl");
  }
};

TEST_F(PrintCli, ChartsAndListsBecomePdfsOfTheirPages) {
  const std::string file = big_family(), out = dir + "ron.pdf";
  test::ToolRun r = print(file, "--chart descendants --person 1 " + shell_quote(out));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Ron Root has 41 recorded descendants in 2 generations\n3 pages written to " + out + "\n");
  EXPECT_EQ(pdf_pages(test::file_text(out)), 3);
  EXPECT_EQ(pdf_size(test::file_text(out)), "595x842");  // A4 portrait
  const struct {
    std::string args, size;
    int pages;
  } cases[] = {
      {"--chart descendants --person 1 --generations 1 --paper Letter --landscape", "792x612", 1},
      {"--chart pedigree --person 7", "595x842", 1},
      {"--list all --items person-number", "595x842", 1},  // a row a person
      {"--list all --all-items", "595x842", 4},            // and the children of Ron and Wendy twice
      {"--list all --items person-number --font Arial:14", "595x842", 2},
      {"--list all --items person-number --margins 1in,1in,4in,4in", "595x842", 2},
  };
  for (const auto& c : cases) {
    r = print(file, c.args + " " + shell_quote(out));
    ASSERT_EQ(r.code, 0) << c.args << r.err;
    EXPECT_EQ(pdf_pages(test::file_text(out)), c.pages) << c.args;
    EXPECT_EQ(pdf_size(test::file_text(out)), c.size) << c.args;
  }
}

TEST_F(PrintCli, TheUsersSavedChartSettingsAreUsedUnlessOthersAreAsked) {
  const std::string file = big_family(), out = dir + "saved.pdf";
  ASSERT_EQ(IniWriteAt(fs, ini, "Print Descendants", "Generations", "1"), 1);
  ASSERT_EQ(IniWriteAt(fs, ini, "Print Descendants", "Orientation", "1"), 1);
  ASSERT_EQ(IniWriteAt(fs, ini, "Printing", "PaperSize", "11"), 1);  // A5
  const struct {
    std::string args, says, size;
  } cases[] = {{"", "in 1 generations\n", "595x420"}, {"--paper legal --portrait", "", "612x1008"}};
  for (const auto& c : cases) {
    const test::ToolRun r = print(file, "--chart descendants --person 1 " + c.args + " " + shell_quote(out));
    ASSERT_EQ(r.code, 0) << c.args << r.err;
    EXPECT_NE(r.out.find(c.says), std::string::npos) << c.args << r.out;
    EXPECT_EQ(pdf_size(test::file_text(out)), c.size) << c.args;
  }
}

TEST_F(PrintCli, EachSheetAndListIsOnePageOfItsPaper) {
  const std::string file = small_family(), out = dir + "out.pdf";
  const struct {
    std::string args, size, err = {};  // err: the whole of standard error
  } cases[] = {{"--sheet person --person 1", "595x842"},
               // The window's question about the font size, with nothing to answer it.
               {"--sheet person --person 1 --paper A5 --font :10 <&-", "420x595",
                "vft: warning: The current font size setting is10 points. It may be necessary to reduce this to 8 "
                "points. avoid layout problems when printing.\n"},
               {"--sheet family --person 1", "842x595"},  // landscape whatever was asked
               {"--sheet family --person 2 --partner 1 --paper Letter", "792x612"},
               {"--sheet blank-family", "842x595"},
               {"--list all --sort name", "595x842"},
               {"--list family-name smith", "595x842"},
               {"--list timeline --landscape", "842x595"},
               {"--list names --format 4", "595x842"}};
  for (const auto& c : cases) {
    fileio::remove(out);
    const test::ToolRun r = print(file, c.args + " " + shell_quote(out));
    ASSERT_EQ(r.code, 0) << c.args << ": " << r.err;
    EXPECT_EQ(r.out, "1 page written to " + out + "\n") << c.args;
    EXPECT_EQ(r.err, c.err) << c.args;
    EXPECT_EQ(pdf_size(test::file_text(out)), c.size) << c.args;
  }
}

TEST_F(PrintCli, FamilyNamesAsATextFileInEachFormat) {
  const std::string file = small_family(), txt = dir + "names.txt";
  test::ToolRun r = print(file, "--list names --text " + shell_quote(txt));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "The list of Family Names has been saved  as " + txt + "\n");
  EXPECT_EQ(test::file_text(txt), "Adams, Jones, M\xC3\xBCller, Smith\r\n");  // comma separated, UTF-8
  const std::string three = "Adams   Jones   M\xC3\xBCller\r\nSmith\r\n";
  const std::pair<std::string, std::string> formats[] = {{"--format 3", three},
                                                         {"--format 4", "Adams   Jones   M\xC3\xBCller  Smith\r\n"},
                                                         {"", three}};  // the saved choice, 2
  ASSERT_EQ(IniWriteAt(fs, ini, "Print Family Names", "Format", "2"), 1);
  for (const auto& [args, text] : formats) {
    r = print(file, "--list names " + args + " --text " + shell_quote(txt));
    ASSERT_EQ(r.code, 0) << args << r.err;
    EXPECT_EQ(test::file_text(txt), text) << args;
  }
}

TEST_F(PrintCli, RefusalsSayWhyAndWriteNothing) {
  const std::string big = shell_quote(big_family()) + " ", out = dir + "never.pdf", o = " " + shell_quote(out);
  const std::string small = shell_quote(small_family()) + " ", chart = big + "--chart ";
  const struct {
    std::string args;
    int code;
    std::string err;  // the whole of standard error, or a part of it when `part`
    bool part = false;
  } cases[] = {
      {chart + "descendants --person 1 --generations 13" + o, 2, "12 Generations  \n on a", true},
      {chart + "descendants --person 99" + o, 1, "vft: " + dir + "family.vfl has no person 99\n"},
      {chart + "pedigree" + o, 2, "print needs --person N", true},
      {chart + "pedigree --person 1", 2, "", true},
      {chart + "pedigree --person 1 --margins 1" + o, 2, "not a margin: 1", true},
      {chart + "pedigree --person 1 --margins 1in,1in" + o, 2, "four: left,right,top,bottom", true},
      {chart + "pedigree --person 1 --margins 4.2in" + o, 2, "leave no room to print", true},
      {chart + "pedigree --person 1 --font Arial:6" + o, 2, "not a font size: 6", true},
      {chart + "pedigree --person 1 --items notes" + o, 2, "no item notes (its items: name, person-number", true},
      {chart + "pedigree --person 1 --items name --all-items" + o, 2, "not both", true},
      {shell_quote(dir + "missing.vfl") + " --chart pedigree --person 1" + o, 1, "", true},
      {chart + "pedigree --person 1 " + shell_quote(dir + "no/such/folder/x.pdf"), 1, "could not be written", true},
      {small + "--list family-name Brown" + o, 1,
       "Vorlan Family Tree couldn't find the Family Name Brown\nvft: the printout could not be made\n"},
      {small + "--sheet family --person 4" + o, 1,
       "Lone M\xC3\xBCller has no partners or children.\nTo print a family data sheet for this family please \n"
       "select one of his parents.\n"},
      {small + "--sheet family --person 1 --partner 3" + o, 1, "vft: 1 and 3 are not partners\n"},
      {small + "--sheet person --person 9" + o, 1, "has no person 9", true},
      {small + "--list names --text " + shell_quote(dir + "t.txt") + o, 2, "print --text needs only a Family file",
       true},
      {small + "--list all --text x.txt" + o, 2, "--text is for --list names only", true},
      {small + "--list all --sheet person --person 1" + o, 2, "one printout at a time", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const test::ToolRun r = vft("print " + c.args);
    EXPECT_EQ(r.code, c.code);
    if (c.part) EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    else EXPECT_EQ(r.err, c.err);
  }
  EXPECT_FALSE(fileio::exists(out));
}

}  // namespace
