// `vft print` as a subprocess: charts of small trees written as PDF files,
// the user's saved chart settings, and the refusals.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <regex>
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
std::string quote(const std::string& s) { return test::shell_quote(s); }

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
    WriteConfig(s);
    std::string file = dir + "family.vfl";
    EXPECT_EQ(SaveFamilyFile(s, s.WorkFolder, file), -1);
    return file;
  }

  static std::string read(const std::string& path) {
    auto b = fileio::read_all(path);
    return b ? std::string(b->begin(), b->end()) : std::string();
  }
  // The page count and the first page's size in points, from the PDF itself.
  static int pdf_pages(const std::string& pdf) {
    std::smatch m;
    return std::regex_search(pdf, m, std::regex("/Type /Pages[^>]*/Count (\\d+)")) ? std::stoi(m[1]) : -1;
  }
  static std::string pdf_size(const std::string& pdf) {
    std::smatch m;
    return std::regex_search(pdf, m, std::regex("/MediaBox \\[0 0 (\\d+)\\.\\d+ (\\d+)\\.\\d+\\]"))
               ? std::string(m[1]) + "x" + std::string(m[2])
               : std::string();
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
  ASSERT_EQ(IniWriteAt(ini, "Print Descendants", "Generations", "1"), 1);
  ASSERT_EQ(IniWriteAt(ini, "Print Descendants", "Orientation", "1"), 1);
  std::string out = dir + "saved.pdf";
  PrintRun r = vft(quote(file) + " --chart descendants --person 1 " + quote(out));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Ron Root has 0 recorded descendants in 1 generations\n", 0), 0u);
  EXPECT_EQ(pdf_size(read(out)), "842x595");
  // An explicit number of generations wins over the saved one.
  r = vft(quote(file) + " --chart descendants --person 1 --generations 2 " + quote(out));
  EXPECT_EQ(r.out.rfind("Ron Root has 41 recorded descendants in 2 generations\n", 0), 0u);
}

TEST_F(PrintCli, RefusalsSayWhyAndWriteNothing) {
  std::string file = big_family();
  std::string out = dir + "never.pdf";
  PrintRun r = vft(quote(file) + " --chart descendants --person 1 --generations 0 " + quote(out));
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "You must enter the number of generations to print.  \n");
  r = vft(quote(file) + " --chart descendants --person 1 --generations 13 " + quote(out));
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.err, "You cannot print more than 12 Generations  \n on a Descendants chart.\n");
  r = vft(quote(file) + " --chart descendants --person 99 " + quote(out));
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.err, "vft: " + file + " has no person 99\n");
  r = vft(quote(file) + " --chart fan --person 1 " + quote(out));
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("unknown chart: fan"), std::string::npos);
  r = vft(quote(file) + " --chart pedigree " + quote(out));
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("print needs --person N"), std::string::npos);
  r = vft(quote(file) + " --chart pedigree --person 1");
  EXPECT_EQ(r.code, 2);
  r = vft(quote(file) + " --chart pedigree --person 1 --paper A3 " + quote(out));
  EXPECT_EQ(r.code, 2);
  r = vft(quote(dir + "missing.vfl") + " --chart pedigree --person 1 " + quote(out));
  EXPECT_EQ(r.code, 1);
  EXPECT_FALSE(fileio::exists(out));
  r = vft(quote(file) + " --chart pedigree --person 1 " + quote(dir + "no/such/folder/x.pdf"));
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("could not be written"), std::string::npos);
}

}  // namespace
