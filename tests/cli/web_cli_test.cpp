// End-to-end runs of `vft web` as a subprocess.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "interchange/web_pages.h"
#include "run_tool.h"
#include "tree_builder.h"
#include "tree_gen.h"

using namespace vft;
namespace fs = std::filesystem;

namespace {

using test::file_text;
using test::shell_quote;

class WebCli : public test::ToolTest {};

TEST_F(WebCli, WritesTheWholeSiteWithChosenStyleExtensionAndColours) {
  test::TreeOptions o;
  o.persons = 120;
  o.marriages = 90;
  test::generate_tree(t.s, o);
  const long families = CountWebFamilies(t.s);
  const std::string file = save("tree.vfl");
  const struct {
    const char* style;
    const char* colours_in;  // the file that carries the colours
    std::string colours, index;
  } cases[] = {
      {"classic", "famnames.html", "<BODY BGCOLOR=#102030 TEXT=#ABCDEF LINK=#000001 VLINK=#FF0000>", "famnames.html"},
      {"modern", "vftstyle.css", ":root{--bg:#102030;--fg:#ABCDEF;--link:#000001;--visited:#FF0000;", "index.html"},
  };
  for (const auto& c : cases) {
    const std::string out = dir + c.style;  // created by the command
    test::ToolRun r = vft("web " + shell_quote(file) + " " + shell_quote(out) + " --style " + c.style +
                          " --html --colours '#102030,abcdef,000001,FF0000'");
    ASSERT_EQ(r.code, 0) << r.err;
    long pages = 0;
    for (const auto& e : fs::directory_iterator(out)) {
      const std::string name = e.path().filename().string();
      EXPECT_TRUE(name.ends_with(".html") || name == "vftstyle.css") << name;
      pages += name.rfind("vfl", 0) == 0;
    }
    EXPECT_EQ(pages, families);
    EXPECT_NE(file_text(out + "/" + c.colours_in).find(c.colours), std::string::npos) << c.style;
    EXPECT_NE(r.out.find(std::to_string(families) + " family pages"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(out + "/" + c.index), std::string::npos) << r.out;
  }
}

TEST_F(WebCli, LivingDatesOnlyOnRequest) {
  test::TreeBuilder b(t.s);
  auto h = b.person("Adam", "Stone", "M");
  auto w = b.person("Beth", "Clay", "F");
  b.family(h, w, "4 Apr 1990", "Bath");  // both alive
  const std::string file = save("living.vfl");
  ASSERT_EQ(vft("web --style classic " + shell_quote(file) + " " + shell_quote(dir + "a")).code, 0);
  ASSERT_EQ(vft("web --style classic --include-living-dates " + shell_quote(file) + " " + shell_quote(dir + "b")).code,
            0);
  const std::string hidden = file_text(dir + "a/vfl00003.htm"), shown = file_text(dir + "b/vfl00003.htm");
  EXPECT_NE(hidden.find("Married: ? ??? ????   Bath\r\n"), std::string::npos) << hidden;
  EXPECT_NE(shown.find("Married: 4 Apr 1990   Bath\r\n"), std::string::npos) << shown;
}

TEST_F(WebCli, BadArgumentsAndFilesWriteNothing) {
  test::TreeBuilder b(t.s);
  b.person("Adam", "Stone", "M");
  const std::string file = save("one.vfl");
  const std::string out = dir + "never";
  ASSERT_TRUE(test::put_file(dir + "plain.txt", Bytes{'x'}));
  struct Case {
    std::string args;
    int code;
    std::string says;
  };
  const std::string web = "web " + shell_quote(file) + " ", to = web + shell_quote(out) + " ";
  const Case cases[] = {
      {to + "--colours 1,2,3", 2, "colours must be"},
      {to + "--colours GGGGGG,000000,000000,000000", 2, "colours must be"},
      {to + "--style fancy", 2, "unknown style: fancy (modern or classic)"},
      {"web " + shell_quote(dir + "missing.vfl") + " " + shell_quote(out), 1, "no such file"},
      {web + shell_quote(dir + "plain.txt"), 1, "cannot use the folder"},
  };
  for (const Case& c : cases) {
    test::ToolRun r = vft(c.args);
    EXPECT_EQ(r.code, c.code) << c.args;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << "\n" << r.err;
    EXPECT_FALSE(fs::exists(out)) << c.args;
  }
}

}  // namespace
