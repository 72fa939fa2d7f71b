// Closing the main window: the questions in their order, what each answer
// writes, and that a "stay" answer leaves everything in place.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/cp1252.h"
#include "mainwin/exit_path.h"
#include "store/folders.h"
#include "mainwin_fixture.h"

using namespace vft;
using namespace vft::test;

namespace {

class ExitPath : public MainWin {
 protected:
  int backups = 0;
  bool upgrade_shown = false;
  ExitHooks hooks{[this] {
                    ++backups;
                    return true;
                  },
                  [this] { upgrade_shown = true; },
                  {}};
  void SetUp() override {
    IniWrite(s, "Configure", "AskUpdate", "1");  // the upgrade reminder is tested on its own
  }
  bool work_folder_exists() const { return std::filesystem::exists(t.dir.path() + "work"); }
};

const char* kFirstBackupQuestion =
    "This appears to be the first time you have been asked if you want to \r\n"
    "make a safety backup of your family tree records.\r\n"
    "Vorlan Family Tree can be set to remind you to make a safety backup \r\n"
    "every time you exit Vorlan Family Tree after making any changes  \r\n"
    "or, if you prefer, remind you to make a backup every 30 days.\r\n"
    "Do you wish to make a backup of your Vorlan Family Tree records \r\n"
    "now (recommended)?";

}  // namespace

TEST_F(ExitPath, UnsavedTreeWithoutANameOffersSaveAsThenGoesOnToTheBackupReminder) {
  build_tree();
  change_something();
  // Save: yes; the Save As dialog is cancelled; exit anyway: yes; first
  // backup question: no.
  boxes.answers = {kAnswerYes, kAnswerYes, kAnswerNo, kAnswerOK};
  EXPECT_TRUE(RunExitPath(s, dialogs, doc, hooks));
  EXPECT_EQ(dialogs.shown.size(), 1u);
  ASSERT_EQ(boxes.shown.size(), 4u);
  EXPECT_EQ(box_title(1), "Exit Vorlan Family Tree");
  EXPECT_EQ(box_title(2), "Backup your Vorlan Family Tree Records");
  EXPECT_EQ(box_text(2), kFirstBackupQuestion);
  EXPECT_EQ(boxes.shown[2].buttons, Buttons::YesNo);
  EXPECT_EQ(boxes.shown[2].icon, Icon::Question);
  EXPECT_EQ(box_text(3), "You will be reminded again after 30 days.");
  EXPECT_EQ(ini("Backup", "LastBackup"), "20261205");
  EXPECT_FALSE(s.RecordsSaved);
  EXPECT_FALSE(work_folder_exists());
}

TEST_F(ExitPath, CancelAtTheSaveQuestionKeepsEverything) {
  build_tree();
  change_something();
  s.Config.setLastPerson(2);  // moved since the last write
  boxes.answers = {kAnswerCancel};
  EXPECT_FALSE(RunExitPath(s, dialogs, doc, hooks));
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_TRUE(work_folder_exists());
  // Step 1 has run: the record file holds the current selection.
  ConfigRecord stored;
  ASSERT_TRUE(fileio::read_record(s.work(recfile::Config), 1, kConfigLen, stored.raw.data()));
  EXPECT_EQ(stored.LastPerson(), 2);
}

TEST_F(ExitPath, SavedTreeRemembersItsFileAndRemovesTheWorkFolder) {
  build_tree();
  IniWrite(s, "Backup", "LastBackup", "20261201");
  s.CurrentFilePath = "/home/ann/trees/Smith.vfl";
  EXPECT_TRUE(RunExitPath(s, dialogs, doc, hooks));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_FALSE(work_folder_exists());
  EXPECT_EQ(ini("FilePaths", "CurrentFile"), "Smith.vfl");
  EXPECT_EQ(ini("FilePaths", "FileLoadPath"), "/home/ann/trees/");
}

// A log-out asks nothing: unsaved work stays for the next start, saved work
// leaves nothing behind.
TEST_F(ExitPath, EndingWithoutAskingKeepsOnlyUnsavedWork) {
  build_tree();
  for (bool saved : {false, true}) {
    s.RecordsSaved = saved;
    EXPECT_EQ(EndWithoutAsking(s), !saved);
    EXPECT_EQ(work_folder_exists(), !saved);
  }
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ExitPath, ExitSaveIntoTheOpenFile) {
  save_tree_as(path("Smith.vfl"));
  s.CurrentFilePath = path("Smith.vfl");
  doc.FileName = "Smith.vfl";
  change_something();
  IniWrite(s, "Backup", "LastBackup", "No");
  boxes.answers = {kAnswerYes};
  EXPECT_TRUE(RunExitPath(s, dialogs, doc, hooks));
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(boxes.shown.size(), 1u);
  TempSession other;
  ASSERT_EQ(OpenFamilyFile(other.s, path("Smith.vfl")), -1);
  PersonRecord p;
  ASSERT_TRUE(ReadPersonRecord(other.s, 1, p));
  EXPECT_EQ(cp1252::trim(p.Occupation), "Baker");
}

TEST_F(ExitPath, FirstBackupQuestionYesShowsTheBackup) {
  build_tree();
  boxes.answers = {kAnswerYes};
  EXPECT_TRUE(RunExitPath(s, dialogs, doc, hooks));
  EXPECT_EQ(backups, 1);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].help, "backup");
  EXPECT_EQ(ini("Backup", "LastBackup"), "");  // the backup itself writes it
}

TEST_F(ExitPath, BackupReminderByLastBackupRemindAndChanges) {
  build_tree();
  const std::string timed =
      "The last time you backed up your Vorlan Family Tree \r\nrecords was on 04 Nov 2026\r\n"
      "Do you wish to backup your records now?";
  const struct {
    const char *last, *remind;
    bool changed;
    std::vector<int> answers;
    bool go_on;
    std::vector<std::string> boxes;  // "" for a box whose text is checked elsewhere
    const char* last_after;
    int backups;
  } cases[] = {
      {"20261105", "", true, {}, true, {}, "20261105", 0},  // exactly 30 days before 5 Dec 2026
      {"20261104",
       "",
       false,
       {kAnswerNo, kAnswerYes},
       true,
       {timed, "Do you wish to be reminded again to backup in 30 days time?"},
       "20261205",
       0},
      {"20250101", "", false, {kAnswerNo, kAnswerNo}, true, {"", ""}, "No", 0},
      {"20250101", "", false, {kAnswerYes}, true, {""}, "20250101", 1},
      // No more timed reminders after No, but the Remind question stays.
      {"No", "", true, {}, true, {}, "No", 0},
      {"No", "1", false, {}, true, {}, "No", 0},  // nothing changed in this run
      {"No", "1", true, {kAnswerCancel}, false, {"Do you wish to backup your records now?"}, "No", 0},
      {"No", "1", true, {kAnswerNo}, true, {""}, "No", 0},
      {"No", "1", true, {kAnswerYes}, true, {""}, "No", 1},
      {"", "1", true, {kAnswerYes}, true, {""}, "", 1},  // a backup at the first question is not offered twice
      // Dates that cannot be read ask nothing.
      {"2026120", "", false, {}, true, {}, "2026120", 0},
      {"2026 201", "", false, {}, true, {}, "2026 201", 0},
      {"20261301", "", false, {}, true, {}, "20261301", 0},
      {"20250229", "", false, {}, true, {}, "20250229", 0},
      {"20271201", "", false, {}, true, {}, "20271201", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.last) + " remind " + c.remind + (c.changed ? " changed" : ""));
    IniWrite(s, "Backup", "LastBackup", c.last);
    IniWrite(s, "Backup", "Remind", c.remind);
    s.NothingChanged = !c.changed;
    boxes.shown.clear();
    boxes.answers.assign(c.answers.begin(), c.answers.end());
    backups = 0;
    EXPECT_EQ(BackupReminder(s, hooks.backup), c.go_on);
    ASSERT_EQ(boxes.shown.size(), c.boxes.size());
    for (std::size_t i = 0; i < c.boxes.size(); ++i) {
      if (c.boxes[i].empty()) continue;
      EXPECT_EQ(box_title(i), "Close Vorlan Family Tree");
      EXPECT_EQ(box_text(i), c.boxes[i]);
    }
    EXPECT_EQ(ini("Backup", "LastBackup"), c.last_after);
    EXPECT_EQ(backups, c.backups);
  }
  EXPECT_EQ(DaysSinceBackup(s, "20240229"), 1010);  // a leap day is a date, and counted across
}

TEST_F(ExitPath, NoBackupQuestionsWithoutPersons) {
  IniWrite(s, "Backup", "Remind", "1");
  s.NothingChanged = false;
  EXPECT_TRUE(RunExitPath(s, dialogs, doc, hooks));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(ExitPath, UpgradeReminderAboutThreeYearsAfterTheBuild) {
  struct Case {
    const char* ask_update;
    LocalTime today;
    bool due;
  };
  // Built 10 Oct 2004; the reminder starts more than 30200 past it as yyyymmdd numbers.
  const Case cases[] = {{"", {2007, 12, 11}, true},   {"-1", {2007, 12, 11}, true}, {"1", {2007, 12, 11}, false},
                        {"0", {2007, 12, 10}, false}, {"0", {2007, 12, 11}, true},  {"0", {2007, 10, 10}, false}};
  for (const Case& c : cases) {
    IniWrite(s, "Configure", "AskUpdate", c.ask_update);
    s.now = [&c] { return c.today; };
    EXPECT_EQ(UpgradeReminderDue(s, 20041010), c.due) << c.ask_update << " " << c.today.year << c.today.month;
  }
  // A program built today is never due, and the exit path asks the build's own date.
  const long built = BuildDateNumber();
  EXPECT_GT(built, 20250101);
  s.now = [built] {
    return LocalTime{static_cast<int>(built / 10000), static_cast<int>(built / 100 % 100),
                     static_cast<int>(built % 100)};
  };
  EXPECT_FALSE(UpgradeReminderDue(s));
  s.now = [built] { return LocalTime{static_cast<int>(built / 10000) + 4, 1, 1}; };
  EXPECT_TRUE(RunExitPath(s, dialogs, doc, hooks));
  EXPECT_TRUE(upgrade_shown);
}

TEST_F(ExitPath, LeavingRunsOnlyWhenTheExitIsCertainAndBeforeTheFolderGoes) {
  build_tree();
  change_something();
  IniWrite(s, "Backup", "LastBackup", "No");
  int leaving = 0;
  bool folder_there = false;
  hooks.leaving = [&] {
    ++leaving;
    folder_there = work_folder_exists();
  };
  boxes.answers = {kAnswerCancel};
  EXPECT_FALSE(RunExitPath(s, dialogs, doc, hooks));
  // Cancel at the Remind question after the save question keeps the window open too.
  IniWrite(s, "Backup", "Remind", "1");
  boxes.answers = {kAnswerNo, kAnswerCancel};
  EXPECT_FALSE(RunExitPath(s, dialogs, doc, hooks));
  EXPECT_EQ(boxes.shown.size(), 3u);
  EXPECT_TRUE(work_folder_exists());
  EXPECT_EQ(leaving, 0);
  boxes.answers = {kAnswerNo, kAnswerNo};
  EXPECT_TRUE(RunExitPath(s, dialogs, doc, hooks));
  EXPECT_EQ(leaving, 1);
  EXPECT_TRUE(folder_there);
  EXPECT_FALSE(work_folder_exists());
}
