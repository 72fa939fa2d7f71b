// `vft print` as a subprocess: charts of small trees written as PDF files,
// the user's saved chart settings, and the refusals.
#include <gtest/gtest.h>

#include <string>

#include "store/familyfile.h"
#include "store/file_io.h"
#include "store/ini.h"
#include "store/records.h"
#include "temp_session.h"
#include "run_tool.h"
#include "tree_builder.h"

using namespace vft;

namespace {

using PrintRun = test::ToolRun;
using test::pdf_pages;
using test::pdf_size;
std::string quote(const std::string& s) { return test::shell_quote(s); }
std::string read(const std::string& path) { return test::file_text(path); }

class PrintCli : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  std::string dir = t.dir.path();
  // The tool reads the user's settings from here, never from the real home.
  std::string appdata = dir + "user/";

  PrintRun vft(const std::string& args) {
    return test::run_tool("VFT_APPDATA=" + quote(appdata) + " QT_QPA_PLATFORM=offscreen " + quote(VFT_CLI_PATH) +
                              " print " + args,
                          dir + "stderr.txt");
  }

  // Ron and Wendy with 41 children, every one with a birth and a death line:
  // 41 x 3 rows of a 10-point font fill three A4 pages.
  std::string big_family() {
    test::TreeBuilder b(s);
    auto ron = b.person("Ron", "Root", "M");
    auto f = b.family(ron, b.person("Wendy", "Root", "F"), "1 May 1920", "Leeds");
    for (int k = 1; k <= 41; ++k) {
      auto kid = b.child(f, "Kid" + std::to_string(k), "Root", k % 2 ? "M" : "F");
      PersonRecord p = b.read(kid);
      p.DeathDate = "2 Feb 1990";
      b.write(p);
    }
    s.Config.setLastPerson(1);
    EXPECT_TRUE(WriteConfig(s));
    std::string file = dir + "family.vfl";
    EXPECT_EQ(SaveFamilyFile(s, s.WorkFolder, file), -1);
    return file;
  }

};

TEST_F(PrintCli, DescendantsChartBecomesAPdfOfItsPages) {
  std::string file = big_family();
  std::string out = dir + "ron.pdf";
  PrintRun r = vft(quote(file) + " --chart descendants --person 1 " + quote(out));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Ron Root has 41 recorded descendants in 2 generations\n3 pages written to " + out + "\n");
  std::string pdf = read(out);
  ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);
  EXPECT_EQ(pdf_pages(pdf), 3);
  EXPECT_EQ(pdf_size(pdf), "595x842");  // A4 portrait

  r = vft(quote(file) + " --chart descendants --person 1 --generations 1 --paper Letter --landscape " + quote(out));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "Ron Root has 0 recorded descendants in 1 generations\n1 page written to " + out + "\n");
  pdf = read(out);
  EXPECT_EQ(pdf_pages(pdf), 1);
  EXPECT_EQ(pdf_size(pdf), "792x612");  // Letter, landscape
}

TEST_F(PrintCli, PedigreeChartIsOnePage) {
  std::string file = big_family();
  std::string out = dir + "kid.pdf";
  PrintRun r = vft(quote(file) + " --chart pedigree --person 7 " + quote(out));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "1 page written to " + out + "\n");
  EXPECT_EQ(pdf_pages(read(out)), 1);
}

TEST_F(PrintCli, TheUsersSavedChartSettingsAreUsed) {
  std::string file = big_family();
  std::string ini = appdata + "Vorlan Family Tree/Vorlan.Ini";
  fileio::FileSystem fs;
  ASSERT_EQ(IniWriteAt(fs, ini, "Print Descendants", "Generations", "1"), 1);
  ASSERT_EQ(IniWriteAt(fs, ini, "Print Descendants", "Orientation", "1"), 1);
  std::string out = dir + "saved.pdf";
  PrintRun r = vft(quote(file) + " --chart descendants --person 1 " + quote(out));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Ron Root has 0 recorded descendants in 1 generations\n", 0), 0u);
  EXPECT_EQ(pdf_size(read(out)), "842x595");
  // An explicit number of generations wins over the saved one.
  r = vft(quote(file) + " --chart descendants --person 1 --generations 2 " + quote(out));
  EXPECT_EQ(r.out.rfind("Ron Root has 41 recorded descendants in 2 generations\n", 0), 0u);

  // The paper saved in the printer dialog, unless another is asked for.
  ASSERT_EQ(IniWriteAt(fs, ini, "Printing", "PaperSize", "11"), 1);
  const std::pair<std::string, std::string> papers[] = {
      {"", "595x420"}, {"--portrait", "420x595"}, {"--paper A3", "1191x842"}, {"--paper legal --portrait", "612x1008"}};
  for (const auto& [args, size] : papers) {
    r = vft(quote(file) + " --chart descendants --person 1 " + args + " " + quote(out));
    ASSERT_EQ(r.code, 0) << args << r.err;
    EXPECT_EQ(pdf_size(read(out)), size) << args;
  }
}

TEST_F(PrintCli, ItemsMarginsAndFontChangeThePages) {
  std::string file = big_family();
  std::string out = dir + "items.pdf";
  struct Case {
    std::string args;
    int pages;
  } cases[] = {
      {"--list all --items person-number", 1},  // a row a person
      {"--list all --all-items", 4},            // and the children of Ron and Wendy twice
      {"--list all --items person-number --font Arial:14", 2},
      {"--list all --items person-number --margins 1in,1in,4in,4in", 2},
  };
  for (const Case& c : cases) {
    PrintRun r = vft(quote(file) + " " + c.args + " " + quote(out));
    ASSERT_EQ(r.code, 0) << c.args << r.err;
    EXPECT_EQ(pdf_pages(read(out)), c.pages) << c.args;
  }
}

TEST_F(PrintCli, RefusalsSayWhyAndWriteNothing) {
  std::string file = big_family();
  std::string out = dir + "never.pdf";
  const std::string chart = quote(file) + " --chart ";
  struct Case {
    std::string args;
    int code;
    std::string err;  // the whole of standard error, or a part of it when `part`
    bool part = false;
  };
  const Case cases[] = {
      {chart + "descendants --person 1 --generations 0 " + quote(out), 2,
       "You must enter the number of generations to print.  \n"},
      {chart + "descendants --person 1 --generations 13 " + quote(out), 2,
       "You cannot print more than 12 Generations  \n on a Descendants chart.\n"},
      {chart + "descendants --person 99 " + quote(out), 1, "vft: " + file + " has no person 99\n"},
      {chart + "fan --person 1 " + quote(out), 2, "unknown chart: fan", true},
      {chart + "pedigree " + quote(out), 2, "print needs --person N", true},
      {chart + "pedigree --person 1", 2, "", true},
      {chart + "pedigree --person 1 --paper B5 " + quote(out), 2, "unknown paper: B5", true},
      {chart + "pedigree --person 1 --margins 1 " + quote(out), 2, "not a margin: 1", true},
      {chart + "pedigree --person 1 --margins 1in,1in " + quote(out), 2, "four: left,right,top,bottom", true},
      {chart + "pedigree --person 1 --margins 4.2in " + quote(out), 2, "leave no room to print", true},
      {chart + "pedigree --person 1 --font Arial:6 " + quote(out), 2, "not a font size: 6", true},
      {chart + "pedigree --person 1 --items notes " + quote(out), 2, "no item notes (its items: name, person-number",
       true},
      {chart + "pedigree --person 1 --items name --all-items " + quote(out), 2, "not both", true},
      {quote(dir + "missing.vfl") + " --chart pedigree --person 1 " + quote(out), 1, "", true},
      {chart + "pedigree --person 1 " + quote(dir + "no/such/folder/x.pdf"), 1, "could not be written", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    PrintRun r = vft(c.args);
    EXPECT_EQ(r.code, c.code);
    if (c.part)
      EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    else
      EXPECT_EQ(r.err, c.err);
    EXPECT_FALSE(fileio::exists(out));
  }
}

}  // namespace
