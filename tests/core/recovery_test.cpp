// Work folders left by a crashed run: described, offered, recovered or deleted.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include <fcntl.h>
#include <sys/stat.h>

#include "common/cp1252.h"
#include "mainwin/recovery.h"
#include "relations/undo.h"
#include "store/familyfile.h"
#include "store/file_io.h"
#include "store/record_transaction.h"
#include "store/folders.h"
#include "mainwin_fixture.h"

using namespace vft;
using namespace vft::test;
namespace fs = std::filesystem;

namespace {

class Recovery : public MainWin {
 protected:
  // A crashed run's folder beside the session's own, holding the tree of
  // build_tree() with one unsaved change (or only a settings record).
  std::string crashed_run(const std::string& name, bool with_persons = true) {
    const std::string folder = s.settings_folder() + name + "/";
    fs::create_directories(folder);
    TempSession other;
    other.s.WorkFolder = folder;
    TreeBuilder b(other.s);
    if (!with_persons) return folder;
    auto a = b.person("Ann", "Crash", "F");
    b.person("Bob", "Crash", "M");
    other.s.Config.setLastPerson(a);
    EXPECT_TRUE(WriteConfig(other.s));
    return folder;
  }
};

}  // namespace

TEST_F(Recovery, LeftoverIsDescribedFromItsRecordsAndItsFile) {
  const std::string folder = crashed_run("093015");
  // The newest of the record files tells when the work was done.
  const timespec older[2] = {{1000000000, 0}, {1000000000, 0}}, newer[2] = {{1000000600, 0}, {1000000600, 0}};
  for (const char* f : {recfile::Config, recfile::Marriage, recfile::Ceremony, recfile::Notes})
    utimensat(AT_FDCWD, (folder + f).c_str(), older, 0);
  ASSERT_EQ(utimensat(AT_FDCWD, (folder + recfile::Person).c_str(), newer, 0), 0);
  ASSERT_TRUE(put_file(folder + kFamilyFileNote, FamilyFileNote({"/home/ann/smith.vfl", 9, 8, 7})));
  LeftoverRun run = DescribeLeftover(folder);
  EXPECT_EQ(run.file, (FileIdentity{"/home/ann/smith.vfl", 9, 8, 7}));
  const LocalTime want = local_time_at(1000000600);
  EXPECT_EQ(std::tie(run.changed.year, run.changed.month, run.changed.day, run.changed.hour, run.changed.minute),
            std::tie(want.year, want.month, want.day, want.hour, want.minute));

  const std::string head = "Vorlan Family Tree was not closed properly when it last ran (started at 09:30:15).\r\n\r\n",
                    tail = "\r\n\r\nYes recovers them, No deletes them, Cancel keeps them for the next start.";
  run.changed = {2026, 12, 6, 14, 5, 0};
  EXPECT_EQ(RecoveryQuestion(run), head +
                                       "Recover the unsaved changes to smith.vfl made on 6 Dec 2026 at 14:05?\r\n"
                                       "The records hold 2 persons." +
                                       tail);
  run = {folder, "09:30:15", 1, {}, {2027, 1, 31, 9, 0, 59}};
  EXPECT_EQ(
      RecoveryQuestion(run),
      head + "Recover the unsaved family tree made on 31 Jan 2027 at 09:00?\r\nThe records hold 1 person." + tail);
}

TEST_F(Recovery, RecoveredTreeBelongsToItsFileAndTakesItsLock) {
  const std::string folder = crashed_run("093015");
  const std::string file = t.dir.path() + "smith.vfl";
  ASSERT_TRUE(put_file(file, Bytes{'v', 'f', 'l'}));
  const FileIdentity id = IdentityOf(file, Bytes{'v', 'f', 'l'});
  ASSERT_TRUE(put_file(folder + kFamilyFileNote, FamilyFileNote(id)));
  ASSERT_TRUE(RecoverWorkFolder(s, folder));
  EXPECT_EQ(s.CurrentFilePath, file);
  EXPECT_EQ(s.OpenedAs, id);
  EXPECT_TRUE(s.Lock.holds(file) && !s.ReadOnly);
  EXPECT_EQ(ReadFamilyFileNote(s.WorkFolder), id);
  EXPECT_FALSE(s.RecordsSaved);
}

TEST_F(Recovery, YesBringsTheRecordsBackAsUnsavedWork) {
  const std::string folder = crashed_run("093015");
  boxes.answers = {kAnswerYes};
  s.CurrentFilePath = "/home/ann/Other.vfl";
  IniWrite(s, "FilePaths", "CurrentFile", "/home/ann/Last.vfl");
  EXPECT_TRUE(OfferRecovery(s, FindLeftoverWorkFolders(s)));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].buttons, Buttons::YesNoCancel);
  EXPECT_EQ(s.Config.NumPersons(), 2);
  EXPECT_EQ(s.Marriages[2].Kids[0], 2);
  EXPECT_EQ(s.CurrentFilePath, "/home/ann/");  // a Save must ask where to
  PersonRecord p;
  ASSERT_TRUE(ReadPersonRecord(s, 2, p));
  EXPECT_EQ(cp1252::trim(p.GivenNames), "Bob");
  EXPECT_FALSE(fs::exists(folder));
}

TEST_F(Recovery, NoDeletesAndOffersTheNextCancelKeeps) {
  const std::string first = crashed_run("080000");
  const std::string second = crashed_run("090000");
  std::vector<std::string> leftovers = {second, first};
  boxes.answers = {kAnswerNo, kAnswerCancel};
  EXPECT_FALSE(OfferRecovery(s, leftovers));
  EXPECT_EQ(boxes.shown.size(), 2u);
  EXPECT_FALSE(fs::exists(second));
  EXPECT_TRUE(fs::exists(first));
  EXPECT_EQ(s.Config.NumPersons(), 0);
  EXPECT_TRUE(s.RecordsSaved);
}

TEST_F(Recovery, RunsWithoutPersonsAreClearedWithoutAQuestion) {
  const std::string folder = crashed_run("101010", false);
  EXPECT_FALSE(OfferRecovery(s, {folder}));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_FALSE(fs::exists(folder));
}

// A run stopped while its tree was as saved has nothing to offer: it goes,
// with the lock it left, and so does a run the user answers No to.
TEST_F(Recovery, RunsJustAsSavedAreClearedWithTheLockTheyLeft) {
  const std::string file = path("smith.vfl"), own = s.WorkFolder;
  for (int answer : {0, kAnswerNo}) {
    const std::string folder = crashed_run(answer ? "111111" : "101010");
    s.WorkFolder = folder;  // its counts go into the file
    ASSERT_TRUE(ReadConfig(s));
    s.WorkFolder = own;
    ASSERT_EQ(SaveFamilyFile(s, folder, file, SaveTarget::Copy), -1);
    // The second run's note names the file as it was before somebody wrote it.
    const FileIdentity id = answer ? FileIdentity{file, 1, 2, 3} : IdentityOf(file, *fileio::read_all(file));
    ASSERT_TRUE(put_file(folder + kFamilyFileNote, FamilyFileNote(id)));
    ASSERT_TRUE(put_file(LockPathFor(file), Bytes{'p', 'i', 'd', '=', '9', '\n'}));
    boxes.answers = {answer};
    EXPECT_FALSE(OfferRecovery(s, {folder}));
    EXPECT_EQ(boxes.shown.size(), answer ? 1u : 0u);
    EXPECT_FALSE(fs::exists(folder) || fs::exists(LockPathFor(file)));
  }
}

TEST_F(Recovery, FolderWithoutASettingsRecordIsNotRecovered) {
  const std::string folder = crashed_run("111111");
  fs::remove(folder + recfile::Config);
  auto before = snapshot(s);
  EXPECT_FALSE(RecoverWorkFolder(s, folder));
  EXPECT_EQ(snapshot(s), before);
  EXPECT_TRUE(fs::exists(folder + recfile::Person));
}

TEST_F(Recovery, TheUndoHistoryComesBackWithTheRecords) {
  const std::string folder = s.settings_folder() + "101500/";
  fs::create_directories(folder);
  test::RecordFiles before, after;
  {
    TempSession other;
    other.s.WorkFolder = folder;
    TreeBuilder b(other.s);
    b.person("Ann", "Crash", "F");
    before = snapshot(other.s);
    {
      RecordTransaction tx(other.s);
      ASSERT_TRUE(TakeUndoPoint(other.s, "Undo addition of Bob Crash"));
      b.person("Bob", "Crash", "M");
    }
    after = snapshot(other.s);
  }  // the run ends here, without its exit path
  ASSERT_TRUE(RecoverWorkFolder(s, folder));
  EXPECT_EQ(s.UndoText, "Undo addition of Bob Crash");
  ASSERT_TRUE(UndoLastStep(s));
  EXPECT_EQ(snapshot(s), before);
  ASSERT_TRUE(RedoNextStep(s));
  EXPECT_EQ(snapshot(s), after);
}
