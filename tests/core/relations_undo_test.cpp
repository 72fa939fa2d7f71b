// The one-level undo: copies of the five record files and their restoration.
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <vector>

#include "relations/delete_person.h"
#include "relations/disconnect.h"
#include "relations/undo.h"
#include "store/file_io.h"
#include "store/records.h"
#include "tree_fixture.h"

using namespace vft;

namespace {

class RelationsUndo : public test::TreeFixture {
 protected:
  std::int16_t dan = 0, meg = 0, kid = 0, couple = 0;

  void SetUp() override {
    dan = b.person("Dan", "Dale", "M");
    meg = b.person("Meg", "Moss", "F");
    couple = b.family(dan, meg, "1 May 1950", "Leeds");
    kid = b.child(couple, "Kit", "Dale", "M");
    // Notes for Meg, so that vorlan.not exists and has a chain.
    s.CurNum = meg;
    ReadPerson(s);
    s.NotesText = "Born in a snowstorm.";
    ASSERT_TRUE(WritePerson(s));
  }
  Bytes file(const std::string& name) {
    auto d = fileio::read_all(s.work(name));
    return d ? *d : Bytes{};
  }
};

TEST_F(RelationsUndo, RestoreBringsBackTheRecordsAndThePerson) {
  b.select(kid);
  auto before = test::snapshot(s);
  ASSERT_TRUE(SaveUndoPoint(s, "Undo disconnection of Kit Dale"));
  ASSERT_TRUE(DisconnectFromParents(s, kid));
  ASSERT_TRUE(MarkPersonDeleted(s, dan));
  s.CurNum = meg;
  ReadPerson(s);
  s.NotesText = "Born in a snowstorm, in the year of the great flood, at the mill by the river.";
  s.NotesChanged = true;
  ASSERT_TRUE(WritePerson(s));
  b.select(meg);

  ASSERT_TRUE(RestoreUndoPoint(s));
  auto after = test::snapshot(s);
  for (const char* f : {recfile::Person, recfile::Marriage, recfile::Ceremony, recfile::Notes})
    EXPECT_EQ(after[f], before[f]) << f;
  EXPECT_EQ(after[recfile::Config], file("Undo.cfg"));
  EXPECT_EQ(s.Rel.Selected.PerNum, kid);
  EXPECT_EQ(s.Person.PerNum, kid);
  EXPECT_FALSE(s.RecordsSaved);
  EXPECT_TRUE(s.UndoAvailable);
}

TEST_F(RelationsUndo, ADeletionTakesItsOwnUndoPointAndIsUndoneAlone) {
  b.select(kid);
  ASSERT_TRUE(SaveUndoPoint(s, "Undo disconnection of Kit Dale"));
  ASSERT_TRUE(DisconnectFromParents(s, kid));
  const auto middle = test::snapshot(s);
  b.select(meg);
  ASSERT_TRUE(DeletePerson(s, meg).deleted);
  EXPECT_EQ(s.UndoText, "Undo deletion of Meg Moss");
  ASSERT_TRUE(RestoreUndoPoint(s));
  const auto after = test::snapshot(s);
  for (const char* f : {recfile::Person, recfile::Marriage, recfile::Ceremony, recfile::Notes})
    EXPECT_EQ(after.at(f), middle.at(f)) << f;
  EXPECT_EQ(s.DeletedCount, 0);
}

TEST_F(RelationsUndo, NothingToUndoChangesNothing) {
  // Copies left in the folder by an earlier run are not an undo point of this tree.
  ASSERT_TRUE(test::put_file(s.work("Undo.per"), Bytes(kPersonLen, 0)));
  auto before = test::snapshot(s);
  const ConfigRecord cfg = s.Config;
  s.RecordsSaved = true;
  EXPECT_FALSE(RestoreUndoPoint(s));
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_EQ(s.Config.raw, cfg.raw);
  EXPECT_TRUE(s.RecordsSaved);
}

TEST(RelationsUndoEmpty, MissingRecordFilesAreCopiedAsEmptyAndComeBackEmpty) {
  test::TempSession t;
  Session& s = t.s;
  // A fresh work folder: no record file exists yet.
  ASSERT_TRUE(SaveUndoPoint(s, ""));
  EXPECT_EQ(fileio::size_of(s.work("Undo.per")), 0);
  EXPECT_EQ(fileio::size_of(s.work("Undo.cfg")), static_cast<std::int64_t>(kConfigLen));

  // The first person is added afterwards...
  test::TreeBuilder b(s);
  b.person("Eve", "First", "F");
  s.CurNum = 1;
  ReadPerson(s);
  s.NotesText = "The first one.";
  ASSERT_TRUE(WritePerson(s));
  // ... and undone: the tree is empty again.
  ASSERT_TRUE(RestoreUndoPoint(s));
  EXPECT_EQ(fileio::size_of(s.work(recfile::Person)), 0);
  EXPECT_EQ(fileio::size_of(s.work(recfile::Notes)), 0);
  EXPECT_EQ(s.Config.NumPersons(), 0);
  EXPECT_EQ(s.Rel.Selected.PerNum, 0);
  EXPECT_TRUE(CheckTree(s).empty());
}


TEST_F(RelationsUndo, AnUndoPointThatCannotBeWrittenKeepsTheOldCopiesAndTurnsUndoOff) {
  b.select(kid);
  ASSERT_TRUE(SaveUndoPoint(s, "first"));
  const auto copies = [&] {
    return std::vector{file("Undo.cfg"), file("Undo.per"), file("Undo.mar"), file("Undo.mce"), file("Undo.Not")};
  };
  const auto first = copies();
  ASSERT_TRUE(MarkPersonDeleted(s, dan));
  for (long step = 1; step <= 20; ++step) {  // five copies, each made, written, the old one set aside, renamed
    s.disk.fail_at(step, ENOSPC);
    EXPECT_FALSE(SaveUndoPoint(s, "second")) << step;
    EXPECT_FALSE(s.UndoAvailable);
    EXPECT_EQ(s.UndoText,
              "Undo is off: the copy of the records it needs could not be written (No space left on device).");
    EXPECT_EQ(copies(), first) << step;
    EXPECT_EQ(s.disk.failure().error, 0);  // a change going on is not stopped by it
  }
}

TEST_F(RelationsUndo, DamagedOrUnwritableCopiesNeverReachTheRecords) {
  b.select(kid);
  ASSERT_TRUE(SaveUndoPoint(s, "x"));
  ASSERT_TRUE(MarkPersonDeleted(s, meg));
  const auto after = test::snapshot(s);
  const Bytes per = file("Undo.per");
  const std::pair<const char*, std::function<void()>> damage[] = {
      {"a copy cut short", [&] { ASSERT_TRUE(test::put_file(s.work("Undo.per"), Bytes(per.begin(), per.end() - 1))); }},
      {"a copy missing", [&] { fileio::remove(s.work("Undo.mar")); }},
      {"a copy of another size",
       [&] { ASSERT_TRUE(test::put_file(s.work("Undo.per"), Bytes(per.size() + kPersonLen))); }},
      {"a copy lacking a family it counts", [&] {
         ASSERT_TRUE(test::put_file(s.work("Undo.mar"), Bytes(file("Undo.mar").size() - kMarriageLen)));
         s.UndoSizes[2] -= static_cast<std::int64_t>(kMarriageLen);
       }},
  };
  for (const auto& [what, harm] : damage) {
    ASSERT_TRUE(SaveUndoPoint(s, "x"));
    harm();
    t.prompter.shown.clear();
    EXPECT_FALSE(RestoreUndoPoint(s)) << what;
    EXPECT_EQ(test::snapshot(s), after) << what;
    ASSERT_EQ(t.prompter.shown.size(), 1u);
    EXPECT_EQ(last_box().text, "The last change cannot be undone: its copy of the records is incomplete.\r\n"
                               "Your family records have not been changed.");
    EXPECT_FALSE(s.UndoAvailable);
  }
  ASSERT_TRUE(SaveUndoPoint(s, "x"));
  for (long step = 1; step <= 20; ++step) {  // five record files, each made, written, the old one set aside, renamed
    s.disk.fail_at(step, EIO);
    EXPECT_FALSE(RestoreUndoPoint(s)) << step;
    EXPECT_EQ(test::snapshot(s), after) << step;
    EXPECT_TRUE(s.UndoAvailable);  // the copies are sound: trying again may work
  }
  EXPECT_TRUE(RestoreUndoPoint(s));
}

}  // namespace
