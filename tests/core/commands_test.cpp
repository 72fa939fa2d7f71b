// The main window's file commands: Save, Save As and its extension
// correction, the guard of unsaved work, Open, Restore, New tree and the
// smaller checks, each with the exact boxes and dialogs the user sees.
#include <gtest/gtest.h>

#include <tuple>

#include "mainwin_fixture.h"
#include "relations/undo.h"
#include "store/record_transaction.h"
#include "store/records.h"
#include "store/undo_history.h"
#include "tree_builder.h"
#include "store/paths.h"

using namespace vft;
using namespace vft::test;

namespace {

using Commands = MainWin;

Bytes bytes_of(const std::string& file) { return fileio::read_all(file).value_or(Bytes{}); }

}  // namespace

TEST(SaveAsExtension, AnyOtherExtensionBecomesVflAfterTheMessage) {
  // Only the part after the last dot of the name is the extension; dots in
  // folder names are not looked at. "vfl" in any case stays.
  for (const auto& [in, out, name, ext] :
       {std::tuple{"/home/ann/trees/family.txt", "/home/ann/trees/family.Vfl", "family.txt", "txt"},
        {"/home/a.b/my.tree.GED", "/home/a.b/my.tree.Vfl", "my.tree.GED", "GED"},
        {"/data/family.", "/data/family.Vfl", "family.", ""},
        {"/t/Family.vfl", "/t/Family.vfl", "", ""},
        {"/t/FAMILY.VFL", "/t/FAMILY.VFL", "", ""},
        {"/a.b/family", "/a.b/family.vfl", "", ""}}) {
    ExtensionFix f = CorrectVflExtension(in);
    EXPECT_EQ(f.path, out);
    EXPECT_EQ(f.message, *name
                             ? "The file name " + std::string(name) + " with the extension " + ext +
                                   " is not valid. It will be changed to " + FileNameOf(out) + ". Press OK to continue."
                             : "");
  }
}

TEST(WindowTitle, NamesTheFileOnceTheTreeHasLivingPersons) {
  TempSession t;
  EXPECT_EQ(WindowCaption(t.s, "Smith.vfl"), "Vorlan Family Tree ");
  t.s.Config.setNumPersons(2);
  t.s.DeletedCount = 2;
  EXPECT_EQ(WindowCaption(t.s, "Smith.vfl"), "Vorlan Family Tree ");
  t.s.DeletedCount = 1;
  EXPECT_EQ(WindowCaption(t.s, "Smith.vfl"), "Smith.vfl Family Tree ");
  EXPECT_EQ(WindowCaption(t.s, "  "), "Vorlan Family Tree ");
}

TEST_F(Commands, SaveWithoutANameRunsSaveAsProposingMyFamily) {
  build_tree();
  change_something();
  dialogs.answers = {path("out.txt")};
  EXPECT_EQ(SaveCommand(s, dialogs, doc), SaveOutcome::Saved);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  const FileRequest& r = dialogs.shown[0];
  EXPECT_EQ(r.title, "Save Family File As");
  EXPECT_EQ(r.filter, "Vorlan Family Tree Files (*.vfl)|*.vfl|");
  EXPECT_EQ(r.proposed_name, "MyFamily.Vfl");
  ASSERT_EQ(boxes.shown.size(), 1u);  // the corrected extension
  EXPECT_EQ(box_title(0), "Save Family File");
  EXPECT_TRUE(fileio::exists(path("out.Vfl")));
  EXPECT_FALSE(fileio::exists(path("out.txt")));
  EXPECT_TRUE(s.RecordsSaved);
  EXPECT_EQ(s.CurrentFilePath, path("out.Vfl"));
  EXPECT_EQ(doc.Caption, "out.Vfl Family Tree ");
  EXPECT_EQ(ini("FilePaths", "CurrentFile"), path("out.Vfl"));
  EXPECT_EQ(ini("FilePaths", "FileLoadPath"), t.dir.path());
}

TEST_F(Commands, SaveUnderANameWritesWithoutAskingAndTheNameVorlanCountsAsNone) {
  save_tree_as(path("tree.vfl"));
  s.CurrentFilePath = path("tree.vfl");
  doc.FileName = "tree.vfl";
  change_something();
  EXPECT_EQ(SaveCommand(s, dialogs, doc), SaveOutcome::Saved);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(s.RecordsSaved);

  doc.FileName = "Vorlan";
  change_something();
  EXPECT_EQ(SaveCommand(s, dialogs, doc), SaveOutcome::NotSaved);  // the dialog was cancelled
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].proposed_name, "MyFamily.Vfl");
  EXPECT_FALSE(s.RecordsSaved);
}

TEST_F(Commands, SaveAsStartsInTheLastFilesFolderAndProposesTheTreesName) {
  build_tree();
  IniWrite(s, "FilePaths", "FileLoadPath", "/srv/trees/");
  IniWrite(s, "FilePaths", "CurrentFile", "Smith.vfl");
  doc.FileName = "Smith.vfl";
  EXPECT_EQ(SaveAsCommand(s, dialogs, doc), SaveOutcome::NotSaved);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].folder, "/srv/trees/");
  EXPECT_EQ(dialogs.shown[0].proposed_name, "Smith.vfl");
  // "CurrentFile" as an open leaves it: the whole path.
  IniWrite(s, "FilePaths", "CurrentFile", "/home/ann/Jones.vfl");
  doc.FileName.clear();
  SaveAsCommand(s, dialogs, doc);
  EXPECT_EQ(dialogs.shown[1].folder, "/home/ann/");
  EXPECT_EQ(dialogs.shown[1].proposed_name, "My Family.vfl");
}

TEST_F(Commands, FailedSaveSaysSoAndKeepsTheChangesUnsaved) {
  build_tree();
  change_something();
  s.CurrentFilePath = path("no such folder/tree.vfl");
  doc.FileName = "tree.vfl";
  EXPECT_EQ(SaveCommand(s, dialogs, doc), SaveOutcome::Failed);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(box_title(0), "Save File");
  EXPECT_EQ(box_text(0), "Vorlan Family Tree could not save the file: " + path("no such folder/tree.vfl") +
                             "\r\nNo such file or directory");
  EXPECT_FALSE(s.RecordsSaved);
}

TEST_F(Commands, CorrectedNameOfAnExistingFileIsNotReplacedWithoutAsking) {
  build_tree();
  ASSERT_TRUE(test::put_file(path("keep.Vfl"), Bytes{'o', 'l', 'd'}));
  change_something();
  dialogs.answers = {path("keep.txt")};
  boxes.answers = {kAnswerOK, kAnswerNo};
  EXPECT_EQ(SaveAsCommand(s, dialogs, doc), SaveOutcome::NotSaved);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(box_text(1), "keep.Vfl already exists.\r\nDo you want to replace it?");
  EXPECT_EQ(bytes_of(path("keep.Vfl")), (Bytes{'o', 'l', 'd'}));
  EXPECT_FALSE(s.RecordsSaved);
}

TEST_F(Commands, GuardAsksOnlyWithUnsavedChanges) {
  build_tree();
  EXPECT_TRUE(GuardUnsavedWork(s, dialogs, doc, GuardFor::Open));
  EXPECT_TRUE(boxes.shown.empty());

  change_something();
  boxes.answers = {kAnswerCancel};
  EXPECT_FALSE(GuardUnsavedWork(s, dialogs, doc, GuardFor::Open));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(box_title(0), "Open a Vorlan Family Tree File");
  EXPECT_EQ(box_text(0), "You have made changes to your family records.  Do you wish to save them?");
  EXPECT_EQ(boxes.shown[0].buttons, Buttons::YesNoCancel);

  boxes.answers = {kAnswerNo};
  EXPECT_TRUE(GuardUnsavedWork(s, dialogs, doc, GuardFor::NewTree));
  EXPECT_EQ(box_title(1), "New Family");
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Commands, GuardYesSavesAndAFailedSaveAsksBeforeGoingOn) {
  build_tree();
  change_something();
  // Open: the save dialog is cancelled; the second question decides.
  boxes.answers = {kAnswerYes, kAnswerNo};
  EXPECT_FALSE(GuardUnsavedWork(s, dialogs, doc, GuardFor::Open));
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(box_title(1), "Open File");
  EXPECT_EQ(box_text(1),
            "You haven't successfully saved your family records.   Do you really want to open another "
            "Vorlan Family Tree file without saving these records?");
  boxes.answers = {kAnswerYes, kAnswerYes};
  EXPECT_TRUE(GuardUnsavedWork(s, dialogs, doc, GuardFor::Open));

  // Exit: the same with its own lines.
  boxes.shown.clear();
  boxes.answers = {kAnswerYes, kAnswerNo};
  EXPECT_FALSE(GuardUnsavedWork(s, dialogs, doc, GuardFor::Exit));
  EXPECT_EQ(box_text(0), "You have made changes to your family records. \r\n Do you wish to save them?");
  EXPECT_EQ(boxes.shown[0].icon, Icon::Critical);
  EXPECT_EQ(box_text(1),
            "You haven't successfully saved your family records. \r\n  \r\nDo you really want to exit "
            "Vorlan Family Tree without saving?");

  // New tree: no second question; the tree simply stays.
  boxes.shown.clear();
  boxes.answers = {kAnswerYes};
  EXPECT_FALSE(GuardUnsavedWork(s, dialogs, doc, GuardFor::NewTree));
  EXPECT_EQ(boxes.shown.size(), 1u);

  // A save that works lets every command go on.
  dialogs.answers = {path("saved.vfl")};
  boxes.answers = {kAnswerYes};
  EXPECT_TRUE(GuardUnsavedWork(s, dialogs, doc, GuardFor::NewTree));
  EXPECT_TRUE(s.RecordsSaved);
  EXPECT_TRUE(fileio::exists(path("saved.vfl")));
}

TEST_F(Commands, OpenAndRestoreLoadTheChosenFileAndForgetTheOldUndoPoint) {
  save_tree_as(path("smith.vfl"));
  TempSession other;
  IniWrite(other.s, "FilePaths", "FileLoadPath", t.dir.path());
  test::TreeBuilder(other.s).person("Ann", "Old", "F");
  {
    RecordTransaction tx(other.s);
    PersonRecord ann;
    ASSERT_TRUE(TakeUndoPoint(other.s, "Undo something") && ReadPersonRecord(other.s, 1, ann));
    ann.Phone = "1";
    ASSERT_TRUE(WritePersonRecord(other.s, 1, ann));
  }
  ASSERT_TRUE(other.s.UndoAvailable);
  other.s.RecordsSaved = true;
  std::vector<std::string> status;
  other.s.on_status = [&](const std::string& m) { status.push_back(m); };
  dialogs.answers = {path("smith.vfl")};
  EXPECT_EQ(OpenCommand(other.s, dialogs, doc), OpenOutcome::Opened);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].title, "Open Vorlan Family Tree File");
  EXPECT_EQ(dialogs.shown[0].filter, "Vorlan Family File (*.vfl)|*.vfl|All Files (*.*)|*.*|");
  EXPECT_EQ(dialogs.shown[0].folder, t.dir.path());
  ASSERT_FALSE(status.empty());
  EXPECT_EQ(status.front(), "Loading smith.vfl");
  EXPECT_EQ(other.s.Config.NumPersons(), 3);
  EXPECT_EQ(doc.Caption, "smith.vfl Family Tree ");
  EXPECT_FALSE(other.s.UndoAvailable);
  EXPECT_FALSE(fileio::exists(other.s.work(kHistoryFile)));

  // Restore is an open that starts in the backup folder.
  IniWrite(other.s, "Backup", "CurBackupPath", "/media/usb/backups/");
  dialogs.answers = {path("smith.vfl")};
  EXPECT_EQ(RestoreCommand(other.s, dialogs, doc), OpenOutcome::Opened);
  EXPECT_EQ(dialogs.shown[1].title, "Restore a Vorlan Family Tree File");
  EXPECT_EQ(dialogs.shown[1].folder, "/media/usb/backups/");
}

TEST_F(Commands, OpenOfABadFileChangesNothing) {
  build_tree();
  ASSERT_TRUE(test::put_file(path("notes.vfl"), Bytes(3000, 'x')));
  auto before = snapshot(s);
  dialogs.answers = {path("notes.vfl")};
  doc.FileName = "tree.vfl";
  EXPECT_EQ(OpenCommand(s, dialogs, doc), OpenOutcome::Failed);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(box_title(0), "Open Vorlan Family Tree File - Error");
  EXPECT_EQ(snapshot(s), before);
  EXPECT_EQ(doc.FileName, "tree.vfl");

  // Cancelled at the guard or in the dialog: no load is tried.
  change_something();
  boxes.answers = {kAnswerCancel};
  EXPECT_EQ(OpenCommand(s, dialogs, doc), OpenOutcome::Cancelled);
  EXPECT_EQ(dialogs.shown.size(), 1u);
  boxes.answers = {kAnswerNo};
  EXPECT_EQ(OpenCommand(s, dialogs, doc), OpenOutcome::Cancelled);
  EXPECT_EQ(dialogs.shown.size(), 2u);
  EXPECT_FALSE(s.RecordsSaved);
}

TEST_F(Commands, NewTreeEmptiesTheRecordsButKeepsTheOptionsUnlessCancelled) {
  build_tree();
  s.Config.set16(20, 0x1234);  // a colour of the scheme
  s.Config.raw[4] = 'L';       // the legacy text
  ASSERT_TRUE(WriteConfig(s));
  change_something();
  s.CurrentFilePath = path("tree.vfl");
  doc.FileName = "tree.vfl";
  auto before = snapshot(s);
  boxes.answers = {kAnswerCancel};
  EXPECT_FALSE(NewFamilyCommand(s, dialogs, doc));
  EXPECT_EQ(snapshot(s), before);
  EXPECT_EQ(doc.FileName, "tree.vfl");
  EXPECT_FALSE(s.RecordsSaved);

  boxes.answers = {kAnswerNo};  // not saved: the changes are dropped
  s.DeletedCount = 1;
  ASSERT_TRUE(NewFamilyCommand(s, dialogs, doc));
  EXPECT_TRUE(dialogs.shown.empty());
  for (const char* f : {recfile::Person, recfile::Marriage, recfile::Ceremony, recfile::Notes})
    EXPECT_EQ(fileio::size_of(s.work(f)), 0) << f;
  ConfigRecord stored;
  ASSERT_TRUE(fileio::read_record(s.work(recfile::Config), 1, kConfigLen, stored.raw.data()));
  EXPECT_EQ(stored.NumPersons(), 0);
  EXPECT_EQ(stored.NumMarriages(), 0);
  EXPECT_EQ(stored.LastPerson(), 0);
  EXPECT_EQ(stored.get16(20), 0x1234);
  EXPECT_EQ(stored.raw[4], ' ');
  EXPECT_EQ(s.DeletedCount, 0);
  EXPECT_EQ(s.Marriages[3].Husband, 0);
  EXPECT_TRUE(s.RecordsSaved);
  EXPECT_EQ(doc.Caption, "Vorlan Family Tree");
  // A later Save must ask where to go rather than overwrite tree.vfl.
  EXPECT_EQ(doc.FileName, "");
  EXPECT_EQ(s.CurrentFilePath, t.dir.path());
}

TEST_F(Commands, AddingIsRefusedAtTheLimit) {
  s.Config.setNumPersons(14998);
  EXPECT_TRUE(RoomForAnotherPerson(s));
  EXPECT_TRUE(boxes.shown.empty());
  s.Config.setNumPersons(14999);
  EXPECT_FALSE(RoomForAnotherPerson(s));
  ASSERT_EQ(boxes.shown.size(), 1u);
}

TEST_F(Commands, OrphanSearchSaysWhenThereAreNone) {
  build_tree();
  std::vector<std::string> status;
  s.on_status = [&](const std::string& m) { status.push_back(m); };
  EXPECT_TRUE(SearchOrphans(s).empty());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(box_title(0), "Delete Orphan Records");
  EXPECT_EQ(box_text(0), "No orphaned records found.");
  EXPECT_EQ(boxes.shown[0].icon, Icon::Information);
  EXPECT_EQ(status, std::vector<std::string>{"Searching for orphaned records"});

  TreeBuilder b(s);
  b.person("Lone", "Walker", "M");
  boxes.shown.clear();
  EXPECT_EQ(SearchOrphans(s).size(), 1u);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Commands, GedcomFileIsChosenFromTheLastImportFolder) {
  IniWrite(s, "FilePaths", "GEDCOMLoadPath", "/home/ann/ged/");
  dialogs.answers = {"/home/ann/ged/royal.ged"};
  EXPECT_EQ(ChooseGedcomFile(s, dialogs), "/home/ann/ged/royal.ged");
  EXPECT_EQ(dialogs.shown[0].title, "Select GEDCOM file to Import");
  EXPECT_EQ(dialogs.shown[0].filter, "GEDCOM Files (*.ged)|*.ged|");
  EXPECT_EQ(dialogs.shown[0].folder, "/home/ann/ged/");
  EXPECT_EQ(ChooseGedcomFile(s, dialogs), "");
}
