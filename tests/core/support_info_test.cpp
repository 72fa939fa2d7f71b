// The support texts and the help pages: every topic a window asks for has a
// page, every link between the pages resolves, and the page chosen for a topic
// falls back to the contents.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "mainwin/support_info.h"
#include "store/familyfile.h"
#include "store/ini.h"
#include "temp_session.h"

using namespace vft;
namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

const fs::path kResources = VFT_RESOURCES_DIR;
const fs::path kSources = VFT_SOURCES_DIR;

TEST(SupportInfo, TechInfoNamesEveryValueAndFillsGaps) {
  TechInfoValues v;
  v.version = "Vorlan Family Tree Version: 1.63 (1.63.0)";
  v.program_folder = "/usr/share/vorlan-family-tree";
  v.persons = 57;
  v.families = 42;
  v.free_bytes = 5LL * 1024 * 1024 * 1024 + 300LL * 1024 * 1024;
  const std::string text = TechInfoText(v);
  EXPECT_EQ(text.rfind("Vorlan Family Tree Version: 1.63 (1.63.0)\r\n", 0), 0u);
  EXPECT_NE(text.find("Persons on record: 57\r\n"), std::string::npos);
  EXPECT_NE(text.find("Free disk space: 5.3 GB\r\n"), std::string::npos);
  // What is not known is said so, not left blank.
  EXPECT_NE(text.find("Family file: None (not saved yet)\r\n"), std::string::npos);
  EXPECT_NE(text.find("Default printer: None installed"), std::string::npos);
  EXPECT_NE(text.find("Work folder: Unknown\r\n"), std::string::npos);
}

TEST(SupportInfo, FreeSpaceUnits) {
  EXPECT_EQ(FreeSpaceText(-1), "Unknown");
  EXPECT_EQ(FreeSpaceText(800 * 1024), "800 KB");
  EXPECT_EQ(FreeSpaceText(512LL * 1024 * 1024), "512 MB");
  EXPECT_EQ(FreeSpaceText(1024LL * 1024 * 1024), "1.0 GB");
}

TEST(SupportInfo, HelpPageOfATopicElseTheContents) {
  std::set<std::string> files = {"/p/help/index.html", "/p/help/marriage.html"};
  auto exists = [&](const std::string& f) { return files.count(f) > 0; };
  EXPECT_EQ(HelpPagePath("/p/", "marriage", exists), "/p/help/marriage.html");
  EXPECT_EQ(HelpPagePath("/p", "no_such_window", exists), "/p/help/index.html");
  // A topic is a page name, never a path out of the help folder.
  files.insert("/p/help/../secret.html");
  EXPECT_EQ(HelpPagePath("/p", "../secret", exists), "/p/help/index.html");
  files.clear();
  EXPECT_EQ(HelpPagePath("/p", "marriage", exists), "");
}

TEST(SupportInfo, DeclinedUpgradeReminderIsStored) {
  test::TempSession t;
  EXPECT_TRUE(StopUpgradeReminder(t.s));
  EXPECT_EQ(IniReadInt(t.s, "Configure", "AskUpdate"), 1);
}

// Every help("topic") the windows ask for must have its page.
TEST(HelpPages, EveryTopicTheWindowsOpenHasAPage) {
  const std::regex call(R"(help\(\"([a-z0-9_]+)\"\))");
  std::set<std::string> topics;
  for (const auto& entry : fs::recursive_directory_iterator(kSources / "ui")) {
    if (!entry.is_regular_file()) continue;
    const std::string text = slurp(entry.path());
    for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it) topics.insert((*it)[1]);
  }
  EXPECT_TRUE(topics.count("main"));
  for (const std::string& t : topics) EXPECT_TRUE(fs::exists(kResources / "help" / (t + ".html"))) << t;
}

TEST(HelpPages, EveryLinkResolves) {
  const std::regex href(R"#((?:href|src)="([^"#]*)(#[^"]*)?")#");
  int pages = 0;
  for (const auto& entry : fs::directory_iterator(kResources / "help")) {
    if (entry.path().extension() != ".html") continue;
    ++pages;
    const std::string text = slurp(entry.path());
    EXPECT_NE(text.find("<meta charset=\"utf-8\">"), std::string::npos) << entry.path();
    EXPECT_NE(text.find("href=\"index.html\""), std::string::npos) << entry.path();
    for (std::sregex_iterator it(text.begin(), text.end(), href), end; it != end; ++it) {
      const std::string target = (*it)[1];
      if (target.empty() || target.rfind("http", 0) == 0) continue;
      EXPECT_TRUE(fs::exists(kResources / "help" / target)) << entry.path().filename() << " -> " << target;
    }
  }
  EXPECT_GE(pages, 20);
}

// Paths are UTF-8 bytes; messages are CP1252. A path must reach a message as
// the characters the user sees in the file manager.
TEST(PathText, NonAsciiPathsReachMessagesAsCharacters) {
  test::TempSession t;
  const std::string path = t.s.WorkFolder + "Jos\xC3\xA9 \xE2\x80\x93 \xE6\x97\xA5.vfl";  // José – 日.vfl
  ASSERT_EQ(OpenFamilyFile(t.s, path), 0);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  const std::string& text = t.prompter.shown[0].text;
  EXPECT_NE(text.find("Jos\xE9 \x96 ?.vfl"), std::string::npos) << text;
}
}  // namespace
