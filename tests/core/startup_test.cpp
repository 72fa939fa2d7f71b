// Start-up: the choice of the first file, the main window's load of the
// records, what its activations bring up, and the welcome text.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "common/cp1252.h"
#include "mainwin/startup.h"
#include "mainwin_fixture.h"
#include "store/paths.h"

using namespace vft;
using namespace vft::test;
namespace fs = std::filesystem;

namespace {

using Startup = MainWin;

void touch(const std::string& file) { ASSERT_TRUE(test::put_file(file, Bytes{'x'})); }

}  // namespace

TEST(StartupTexts, CommandLine) {
  EXPECT_EQ(CommandLineFile("\"/home/ann/My Tree.vfl\""), "/home/ann/My Tree.vfl");
  EXPECT_EQ(CommandLineFile("  /a/\"b\".vfl  "), "/a/b.vfl");
  EXPECT_EQ(CommandLineFile("\"\""), "");
  EXPECT_TRUE(IsNetworkPath("\\\\server\\share\\t.vfl"));
  EXPECT_TRUE(IsNetworkPath("//server/share/t.vfl"));
  EXPECT_FALSE(IsNetworkPath("/home/t.vfl"));
}

TEST(StartupPaths, LongFormTakesEachNameFromItsFolder) {
  TempDir d;
  fs::create_directories(d.path() + "Trees/Old");
  ASSERT_TRUE(test::put_file(d.path() + "Trees/Old/Smith.VFL", Bytes{'x'}));
  const std::string want = d.path() + "Trees/Old/Smith.VFL";
  EXPECT_EQ(LongPathForm(d.path() + "trees/OLD/smith.vfl", "/"), want);
  EXPECT_EQ(LongPathForm("Old/../Old/Smith.VFL", d.path() + "Trees"), want);
  EXPECT_EQ(LongPathForm(d.path() + "Trees/New/Smith.VFL", "/"), "");
  EXPECT_EQ(LongPathForm("", "/"), "");
}

TEST_F(Startup, TheStartFileIsTheCommandLinesElseTheLastOneWithAutoStart) {
  touch(path("Smith.vfl"));
  touch(path("Last.vfl"));
  IniWrite(s, "FilePaths", "FileLoadPath", t.dir.path());
  const std::string last = path("Last.vfl"), opening = "Opening File  'Last.vfl'.   Please wait...";
  const struct {
    std::string line, autostart, current, path, splash;
    int timer;
    bool now;
    std::string folder;  // CurrentFilePath afterwards
  } cases[] = {
      {"\"" + path("smith.vfl") + "\"", "2", "Last.vfl", path("Smith.vfl"),
       "Opening File  'Smith.vfl'.   Please wait...", 100, false, ""},
      {"//nas/trees/Smith.vfl", "0", "Last.vfl", "//nas/trees/Smith.vfl", "Opening Network File ", 100, false, ""},
      {"   ", "2", "Last.vfl", last, opening, 2000, true, last},
      {"", "2", last, last, opening, 2000, true, last},  // the whole path an open leaves in "CurrentFile"
      {"", "1", "Last.vfl", "", "", 1, false, t.dir.path()},
      {"", "2", "", "", "", 2000, false, ""},  // AutoStart without a last file
  };
  for (const auto& c : cases) {
    s.CurrentFilePath.clear();
    IniWrite(s, "Configure", "AutoStart", c.autostart);
    IniWrite(s, "FilePaths", "CurrentFile", c.current);
    StartChoice got = ChooseStartFile(s, c.line, "/");
    EXPECT_EQ(got.path, c.path) << c.line << c.autostart;
    EXPECT_EQ(got.splash_text, c.splash);
    EXPECT_EQ(got.timer_ms, c.timer);
    EXPECT_EQ(got.open_now, c.now);
    EXPECT_EQ(s.CurrentFilePath, c.folder);
  }
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Startup, OpenStartFileOpensAndNamesAMissingFile) {
  StartChoice c = ChooseStartFile(s, path("gone.vfl"), "/");
  EXPECT_EQ(c.path, path("gone.vfl"));
  EXPECT_FALSE(OpenStartFile(s, c.path));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(box_text(0), "An error occured while reading " + path("gone.vfl") + "\r\n\r\n");
  EXPECT_TRUE(s.RecordsSaved);
  // An empty name opens nothing and counts as saved; a file that is there opens.
  save_tree_as(path("tree.vfl"));
  TempSession other;
  other.s.RecordsSaved = false;
  EXPECT_FALSE(OpenStartFile(other.s, "   "));
  EXPECT_TRUE(other.s.RecordsSaved);
  EXPECT_TRUE(OpenStartFile(other.s, path("tree.vfl")));
}

TEST_F(Startup, AutoStartWithTheLastFileGoneSaysSoOnceAndForgetsIt) {
  IniWrite(s, "Configure", "AutoStart", "2");
  IniWrite(s, "FilePaths", "FileLoadPath", t.dir.path());
  IniWrite(s, "FilePaths", "CurrentFile", "Gone.vfl");
  StartChoice c = ChooseStartFile(s, "", "/");
  EXPECT_EQ(c.path, "");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(box_text(0), "Cannot find the previously saved Vorlan Family Tree file:\r\nGone.vfl");
  EXPECT_EQ(ini("FilePaths", "CurrentFile"), "");
  EXPECT_EQ(s.CurrentFilePath, t.dir.path());
}

TEST_F(Startup, RepairPassPutsEveryRecordInOrder) {
  build_tree();
  PersonRecord p;
  ASSERT_TRUE(ReadPersonRecord(s, 1, p));
  p.PerNum = 77;
  p.FamName = "smith";
  p.Phone = "  555 123";
  ASSERT_TRUE(WritePersonRecord(s, 1, p));
  ASSERT_TRUE(ReadPersonRecord(s, 2, p));
  p.Phone = std::string("12\0 4", 5);
  p.Deleted = -1;
  ASSERT_TRUE(WritePersonRecord(s, 2, p));
  s.UCaseFamname = true;
  EXPECT_EQ(RepairPersonRecords(s), 1);
  s.UCaseFamname = false;  // read back as stored
  ASSERT_TRUE(ReadPersonRecord(s, 1, p));
  EXPECT_EQ(p.PerNum, 1);
  EXPECT_EQ(cp1252::trim(p.FamName), "SMITH");
  EXPECT_EQ(cp1252::trim(p.Phone), "555 123");
  ASSERT_TRUE(ReadPersonRecord(s, 2, p));
  EXPECT_EQ(p.Phone, std::string(" ") + std::string(47, ' '));
  // A second pass finds nothing to change.
  auto before = snapshot(s);
  s.UCaseFamname = true;
  EXPECT_EQ(RepairPersonRecords(s), 1);
  EXPECT_EQ(snapshot(s), before);
}

TEST_F(Startup, LoadOfAnEmptyTreeTurnsPromptsOn) {
  IniWrite(s, "FilePaths", "CurrentFile", "/home/ann/Smith.vfl");
  LoadMainWindowRecords(s, doc);
  EXPECT_EQ(doc.FileName, "Smith.vfl");
  EXPECT_EQ(doc.Caption, "Vorlan Family Tree ");
  ConfigRecord stored;
  ASSERT_TRUE(fileio::read_record(s.work(recfile::Config), 1, kConfigLen, stored.raw.data()));
  EXPECT_EQ(stored.EnblPrompts(), 1);
  EXPECT_TRUE(s.NothingChanged);
}

TEST_F(Startup, LoadOfATreeCountsTheDeletedAndSelectsTheLastPerson) {
  build_tree();
  PersonRecord p;
  ASSERT_TRUE(ReadPersonRecord(s, 2, p));
  p.Deleted = -1;
  ASSERT_TRUE(WritePersonRecord(s, 2, p));
  s.DeletedCount = 5;  // as a count made elsewhere might have left it
  s.Rel.ConnectMode = true;
  IniWrite(s, "FilePaths", "CurrentFile", "Smith.vfl");
  LoadMainWindowRecords(s, doc);
  EXPECT_EQ(s.DeletedCount, 1);
  EXPECT_EQ(s.Rel.Selected.PerNum, 3);
  EXPECT_FALSE(s.Rel.ConnectMode);
  EXPECT_EQ(s.Marriages[3].NumKids, 1);
}

TEST_F(Startup, OnlyAnEmptyTreeBringsTheStartMenuAndOnlyOnce) {
  auto expect = [](const Activation& a, bool welcome, bool menu, bool tag) {
    EXPECT_EQ(std::tuple(a.welcome, a.start_menu, a.start_tag), std::tuple(welcome, menu, tag));
  };
  build_tree();
  expect(OnMainWindowActivate(s, false, true), false, false, false);
  TempSession empty;
  expect(OnMainWindowActivate(empty.s, true, false), true, true, true);
  expect(OnMainWindowActivate(empty.s, true, false), false, false, true);
  expect(OnMainWindowActivate(empty.s, true, true), false, true, true);  // a new tree brings it back
  // Persons on record but every one deleted: still no start menu.
  TempSession other;
  other.s.Config.setNumPersons(2);
  other.s.DeletedCount = 2;
  expect(OnMainWindowActivate(other.s, false, false), false, false, false);
}

TEST_F(Startup, WelcomeTextIsReadAsLinesAndCanBeDeclined) {
  EXPECT_FALSE(WelcomeWanted(s));
  ASSERT_TRUE(test::put_file(s.ProgramFolder + "/welcome.txt", Bytes{'H', 'i', '\r', '\n', '\n', 'B', 'y', 'e', '\n'}));
  EXPECT_TRUE(WelcomeWanted(s));
  EXPECT_EQ(ReadWelcomeText(s), "Hi\r\n\r\nBye");
  DeclineWelcome(s);
  EXPECT_FALSE(WelcomeWanted(s));
  // The shared file stays for the other users of the machine.
  EXPECT_TRUE(fileio::exists(s.ProgramFolder + "/welcome.txt"));
}

TEST_F(Startup, RepairPassLeavesTheBytesItDoesNotOwnAndCopesWithAShortFile) {
  build_tree();
  auto file = fileio::read_all(s.work(recfile::Person));
  ASSERT_TRUE(file);
  (*file)[494] = 7;               // the reserved field of person 1
  (*file)[kPersonLen + 130] = 0;  // a NUL in person 2's baptism date
  ASSERT_TRUE(test::put_file(s.work(recfile::Person), *file));
  EXPECT_EQ(RepairPersonRecords(s), 0);
  EXPECT_EQ(fileio::read_all(s.work(recfile::Person)), file);
  // A count above what the file holds, and no file at all.
  s.Config.setNumPersons(40);
  EXPECT_EQ(RepairPersonRecords(s), 0);
  EXPECT_EQ(fileio::size_of(s.work(recfile::Person)), 3 * static_cast<std::int64_t>(kPersonLen));
  fileio::remove(s.work(recfile::Person));
  EXPECT_EQ(RepairPersonRecords(s), 0);
}
