// The backup dialog's OK without its window: the folder checks, the questions
// and their answers, the file choice and what a written backup leaves in the
// settings file; and the exit reminder that leads to it.
#include <gtest/gtest.h>

#include <filesystem>

#include "mainwin/backup_dialog.h"
#include "mainwin/exit_path.h"
#include "mainwin_fixture.h"

using namespace vft;
using namespace vft::test;
namespace fs = std::filesystem;

namespace {

class BackupDialog : public MainWin {
 protected:
  BackupForm form;
  void SetUp() override {
    build_tree();
    form = LoadBackupForm(s);
  }
  // A Family file that opens, in a session of its own, as the three persons
  // of the tree.
  void expect_backup_of_tree(const std::string& file) {
    ASSERT_TRUE(fs::is_regular_file(file)) << file;
    TempSession other;
    ASSERT_EQ(OpenFamilyFile(other.s, file), -1);
    EXPECT_EQ(other.s.Config.NumPersons(), 3);
  }
};

}  // namespace

TEST_F(BackupDialog, FormTextsWithAndWithoutAStoredFolder) {
  EXPECT_EQ(form.Folder, "");
  EXPECT_FALSE(form.Remind);
  EXPECT_EQ(BackupInstructions(form).rfind("Please select a drive and folder", 0), 0u);

  IniWrite(s, "Backup", "CurBackupPath", "/media/usb/backups/");
  IniWrite(s, "Backup", "Remind", "1");
  form = LoadBackupForm(s);
  EXPECT_EQ(form.Folder, "/media/usb/backups/");
  EXPECT_TRUE(form.Remind);
  EXPECT_EQ(BackupFolderCaption(form), "Current backup folder is: /media/usb/backups/");
  EXPECT_EQ(BackupInstructions(form),
            " Click 'OK' to back up your Vorlan Family Tree records or click "
            "'Select' to change the backup drive or folder.");
}

TEST_F(BackupDialog, SelectOpensTheFolderBrowserAtTheBoxFolder) {
  dialogs.answers = {path("chosen"), ""};
  EXPECT_EQ(SelectBackupFolder(dialogs, " " + path("") + " "), path("chosen"));
  // A box naming no folder starts the browser at the top of the file system.
  EXPECT_EQ(SelectBackupFolder(dialogs, "relative/folder"), "");
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].title, "Select the folder where you wish to store your backup.");
  EXPECT_EQ(dialogs.shown[0].folder, path(""));
  EXPECT_EQ(dialogs.shown[1].folder, "/");
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(BackupDialog, BadEmptyOrUncreatableFolderKeepsTheDialogOpen) {
  const std::string blocker = path("taken");  // a file stands where the folder would go
  test::put_file(blocker, Bytes{'x'});
  const std::string invalid = "The path name you entered is invalid.",
                    empty = "You need to enter a drive and folder to store the backup file into.",
                    cancel = "Do you wish wish to cancel the backup?";
  const struct {
    std::string folder;
    std::vector<int> answers;
    BackupNext next;
    std::vector<std::string> boxes;
  } cases[] = {
      // A relative or malformed folder is refused before anything else.
      {"backups", {}, BackupNext::FocusFolder, {invalid}},
      {"/tmp/a|b", {}, BackupNext::FocusFolder, {invalid}},
      {"/tmp/too.long.name", {}, BackupNext::FocusFolder, {invalid}},
      {blocker + "/sub",
       {kAnswerYes},
       BackupNext::FocusFolder,
       {"The Folder: " + blocker + "/sub was not found. Do you want to create it?",
        "The Folder: " + blocker + "/sub could not be created."}},
      // An empty box: OK goes back to it, Cancel asks whether to give up.
      {"   ", {kAnswerOK}, BackupNext::FocusFolder, {empty}},
      {"   ", {kAnswerCancel, kAnswerNo}, BackupNext::FocusFolder, {empty, cancel}},
      {"   ", {kAnswerCancel, kAnswerYes}, BackupNext::Cancelled, {empty, cancel}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    boxes.shown.clear();
    boxes.answers.assign(c.answers.begin(), c.answers.end());
    form.Folder = c.folder;
    EXPECT_EQ(BackupOK(s, dialogs, form), c.next);
    ASSERT_EQ(boxes.shown.size(), c.boxes.size());
    for (std::size_t i = 0; i < c.boxes.size(); ++i) EXPECT_EQ(box_text(i), c.boxes[i]);
  }
  // The last case's two boxes.
  EXPECT_EQ(box_title(0), "Configure Backup Path");
  EXPECT_EQ(boxes.shown[0].buttons, Buttons::OKCancel);
  EXPECT_EQ(box_title(1), "Configure Backup");
  EXPECT_EQ(boxes.shown[1].buttons, Buttons::YesNo);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(fs::exists("backups"));
  EXPECT_EQ(ini("Backup", "LastBackup"), "");
}

TEST_F(BackupDialog, MissingFolderIsCreatedOnlyWhenTheUserAgrees) {
  const std::string folder = path("usb/backups/tree");
  form.Folder = folder;
  boxes.answers = {kAnswerNo};
  EXPECT_EQ(BackupOK(s, dialogs, form), BackupNext::Stay);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(box_title(0), "Backup Path");
  EXPECT_EQ(boxes.shown[0].buttons, Buttons::YesNo);
  EXPECT_FALSE(fs::exists(path("usb")));
  EXPECT_TRUE(dialogs.shown.empty());

  boxes.shown.clear();
  boxes.answers = {kAnswerYes};
  dialogs.answers = {folder + "/tree.vfl"};
  EXPECT_EQ(BackupOK(s, dialogs, form), BackupNext::Done);
  EXPECT_TRUE(fs::is_directory(folder));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].folder, folder);
  expect_backup_of_tree(folder + "/tree.vfl");
}

TEST_F(BackupDialog, SaveDialogProposesTheOpenFileOrADefaultName) {
  form.Folder = path("");
  s.CurrentFilePath = path("Smiths.vfl");
  dialogs.answers = {""};
  EXPECT_EQ(BackupOK(s, dialogs, form), BackupNext::Stay);  // cancelled: back in the dialog
  s.CurrentFilePath = path("");                             // a folder only: no file is open
  dialogs.answers = {""};
  BackupOK(s, dialogs, form);
  ASSERT_EQ(dialogs.shown.size(), 2u);
  const FileRequest& r = dialogs.shown[0];
  EXPECT_EQ(r.title, "Backup Family File As");
  EXPECT_EQ(r.default_ext, "vfl");
  EXPECT_EQ(r.folder, path(""));
  EXPECT_EQ(r.proposed_name, "Smiths.vfl");
  EXPECT_EQ(dialogs.shown[1].proposed_name, "My Family Backup.vfl");
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(ini("Backup", "LastBackup"), "");
}

TEST_F(BackupDialog, WrongExtensionIsCorrectedAfterTheUserConfirms) {
  form.Folder = path("");
  dialogs.answers = {path("FAMILY.TXT")};
  boxes.answers = {kAnswerCancel};
  EXPECT_EQ(BackupOK(s, dialogs, form), BackupNext::Stay);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(box_title(0), "Backup Family File");
  EXPECT_EQ(boxes.shown[0].buttons, Buttons::OKCancel);
  EXPECT_FALSE(fs::exists(path("FAMILY.Vfl")));

  boxes.shown.clear();
  dialogs.answers = {path("FAMILY.TXT")};
  boxes.answers = {kAnswerOK};
  EXPECT_EQ(BackupOK(s, dialogs, form), BackupNext::Done);
  EXPECT_FALSE(fs::exists(path("FAMILY.TXT")));
  expect_backup_of_tree(path("FAMILY.Vfl"));
  EXPECT_EQ(ini("Backup", "CurBackupPath"), path(""));
}

TEST_F(BackupDialog, SuccessWritesTheFourKeysClosesThenReports) {
  change_something();
  s.DeletedCount = 1;  // one of the three is a deleted record
  fs::create_directories(path("bk"));
  form.Folder = path("bk");
  form.Remind = true;
  dialogs.answers = {path("bk/Smiths.vfl")};
  std::size_t boxes_at_close = 99;
  EXPECT_EQ(BackupOK(s, dialogs, form, [&] { boxes_at_close = boxes.shown.size(); }), BackupNext::Done);
  EXPECT_EQ(boxes_at_close, 0u);
  EXPECT_EQ(ini("Backup", "Remind"), "1");
  EXPECT_EQ(ini("Backup", "CurBackupPath"), path("bk/"));
  EXPECT_EQ(ini("Backup", "LastBackup"), "20261205");
  EXPECT_EQ(ini("Backup", "LastBackupNumPer"), "2");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(box_title(0), "Backup Vorlan Family Tree Records File");
  EXPECT_EQ(box_text(0), "\r\nYour backup was successful.");
  EXPECT_EQ(boxes.shown[0].icon, Icon::Information);
  // The tree's own unsaved changes are still unsaved.
  EXPECT_FALSE(s.RecordsSaved);
  expect_backup_of_tree(path("bk/Smiths.vfl"));

  // The reminder box unchecked is written too.
  form.Remind = false;
  dialogs.answers = {path("bk/Smiths2.vfl")};
  EXPECT_EQ(BackupOK(s, dialogs, form), BackupNext::Done);
  EXPECT_EQ(ini("Backup", "Remind"), "0");

  // A backup whose settings cannot be written is still a backup, and says
  // that the next reminder will not know of it.
  dialogs.answers = {path("bk/Smiths3.vfl")};
  form.Remind = true;
  fs::remove(s.settings_file());
  fs::create_directories(s.settings_file());  // there, but no file to read or write
  EXPECT_EQ(BackupOK(s, dialogs, form), BackupNext::Done);
  expect_backup_of_tree(path("bk/Smiths3.vfl"));
  EXPECT_NE(boxes.shown.back().text.find("will not know of this backup"), std::string::npos) << boxes.shown.back().text;
}

TEST_F(BackupDialog, FailedSaveIsReportedAndNothingIsRemembered) {
  form.Folder = path("");
  form.Remind = true;
  // The save dialog hands back a file in a folder that does not exist.
  dialogs.answers = {path("gone/tree.vfl")};
  EXPECT_EQ(BackupOK(s, dialogs, form), BackupNext::Stay);
  ASSERT_FALSE(boxes.shown.empty());
  EXPECT_EQ(boxes.shown.back().text,
            "Your Vorlan Family Tree records file backup failed.\r\nNo such file or directory");
  EXPECT_EQ(boxes.shown.back().title, "Backup Vorlan Family Tree Records File");
  EXPECT_EQ(boxes.shown.back().icon, Icon::Critical);
  for (const char* key : {"Remind", "CurBackupPath", "LastBackup", "LastBackupNumPer"})
    EXPECT_EQ(ini("Backup", key), "") << key;
  EXPECT_FALSE(fs::exists(path("gone")));
}

TEST_F(BackupDialog, YesToTheReminderRunsTheDialogsOk) {
  IniWrite(s, "Backup", "LastBackup", "20261205");
  // Thirty-one days on the question comes, and Yes runs the backup dialog,
  // whose OK writes the backup.
  s.now = [] { return LocalTime{2027, 1, 5, 9, 0, 0}; };
  form.Folder = path("");
  dialogs.answers = {path("later.vfl")};
  auto real_backup = [&] { return BackupOK(s, dialogs, form) == BackupNext::Done; };
  boxes.answers = {kAnswerYes};
  EXPECT_TRUE(BackupReminder(s, real_backup));
  expect_backup_of_tree(path("later.vfl"));
  EXPECT_EQ(ini("Backup", "LastBackup"), "20270105");
}
