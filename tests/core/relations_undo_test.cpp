// The undo history: each change a step, taken back and put back byte for
// byte, a failed write that leaves records and history as they were, the
// question before a change that cannot be undone, and recovery after a crash.
#include <gtest/gtest.h>

#include <cerrno>
#include <vector>

#include "relations/delete_person.h"
#include "relations/disconnect.h"
#include "relations/undo.h"
#include "store/familyfile.h"
#include "store/file_io.h"
#include "store/record_transaction.h"
#include "store/records.h"
#include "store/undo_history.h"
#include "tree_fixture.h"

using namespace vft;

namespace {

class RelationsUndo : public test::TreeFixture {
 protected:
  std::int16_t dan = 0, meg = 0, kid = 0, couple = 0;
  std::vector<test::RecordFiles> states;  // after each step

  void SetUp() override {
    dan = b.person("Dan", "Dale", "M");
    meg = b.person("Meg", "Moss", "F");
    couple = b.family(dan, meg, "1 May 1950", "Leeds");
    kid = b.child(couple, "Kit", "Dale", "M");
    states.push_back(test::snapshot(s));
  }
  // Meg's notes, written as the person editor does: one step.
  void edit_notes(const std::string& text) {
    RecordTransaction tx(s);
    ASSERT_TRUE(TakeUndoPoint(s, "Undo editing of Meg Moss"));
    s.CurNum = meg;
    ReadPerson(s);
    ASSERT_TRUE(WritePerson(s, meg, s.Person, text, true));
    b.select(meg);  // the edited person is shown afterwards
  }
  // Three steps: a disconnection of Kit, a deletion of Dan, Meg's notes.
  void three_steps() {
    b.select(kid);
    ASSERT_TRUE(DisconnectAs(s, DisconnectChoice::ParentsAndSiblings));
    states.push_back(test::snapshot(s));
    b.select(meg);
    ASSERT_TRUE(DeletePerson(s, dan).deleted);
    states.push_back(test::snapshot(s));
    b.select(kid);
    edit_notes("Born in a snowstorm, in the year of the great flood, at the mill by the river.");
    states.push_back(test::snapshot(s));
  }
  Bytes history() { return fileio::read_all(s.work(kHistoryFile)).value_or(Bytes{}); }
};

TEST_F(RelationsUndo, EachStepIsTakenBackAndPutBackExactly) {
  three_steps();
  ASSERT_EQ(s.History.steps.size(), 3u);
  EXPECT_EQ(s.UndoText, "Undo editing of Meg Moss");
  // Undo one at a time: the files, the texts and the selected person.
  const std::pair<const char*, std::int16_t> back[] = {
      {"Undo deletion of Dan Dale", kid}, {"Undo disconnection of Kit Dale", meg}, {"", kid}};
  for (std::size_t i = 0; i < 3; ++i) {
    s.RecordsSaved = true;
    ASSERT_TRUE(UndoLastStep(s)) << i;
    EXPECT_EQ(test::snapshot(s), states[2 - i]) << i;
    EXPECT_EQ(s.UndoText, back[i].first) << i;
    EXPECT_EQ(s.Rel.Selected.PerNum, back[i].second) << i;
    EXPECT_FALSE(s.RecordsSaved);
    expect_sound();
  }
  EXPECT_EQ(s.DeletedCount, 0);
  EXPECT_FALSE(s.UndoAvailable || UndoLastStep(s));
  EXPECT_EQ(RedoText(s), "Redo disconnection of Kit Dale");
  ASSERT_TRUE(RedoNextStep(s));
  EXPECT_EQ(test::snapshot(s), states[1]);
  EXPECT_EQ(s.Rel.Selected.PerNum, kid);
  // Two steps forward in one move, and back to the start.
  ASSERT_TRUE(MoveToStep(s, 3));
  EXPECT_EQ(test::snapshot(s), states[3]);
  EXPECT_EQ(s.Rel.Selected.PerNum, meg);
  EXPECT_EQ(s.DeletedCount, 1);
  EXPECT_FALSE(RedoNextStep(s));
  ASSERT_TRUE(MoveToStep(s, 0));
  EXPECT_EQ(test::snapshot(s), states[0]);
}

TEST_F(RelationsUndo, ANewChangeAfterUndosDropsTheStepsThatCouldBeRedone) {
  three_steps();
  ASSERT_TRUE(MoveToStep(s, 1));
  // The same deletion again: its entry is as long as the one it replaces, so
  // the dropped notes step follows it whole in the file.
  b.select(meg);
  ASSERT_TRUE(DeletePerson(s, dan).deleted);
  EXPECT_EQ(s.History.steps.size(), 2u);
  EXPECT_EQ(RedoText(s), "");
  const auto now = test::snapshot(s);
  ASSERT_TRUE(UndoLastStep(s));
  EXPECT_EQ(test::snapshot(s), states[1]);
  // The file holds this branch only: read back, it is the same history.
  ASSERT_TRUE(RedoNextStep(s));
  ASSERT_TRUE(LoadHistory(s));
  EXPECT_EQ(s.History.steps.size(), 2u);
  EXPECT_EQ(s.History.pos, 2u);
  ASSERT_TRUE(MoveToStep(s, 0));
  EXPECT_EQ(test::snapshot(s), states[0]);
  ASSERT_TRUE(MoveToStep(s, 2));
  EXPECT_EQ(test::snapshot(s), now);
}

TEST_F(RelationsUndo, AStepThatCannotBeWrittenTakesTheChangeBackAndKeepsTheHistory) {
  b.select(kid);
  ASSERT_TRUE(DisconnectAs(s, DisconnectChoice::ParentsAndSiblings));
  const auto records = test::snapshot(s);
  const Bytes file = history();
  // Each write step of a deletion in turn: the records, the step, the head.
  for (long n = 2;; ++n) {
    const long base = s.disk.steps();
    s.disk.fail_at(n, ENOSPC);
    b.select(meg);
    const bool done = DeletePerson(s, dan).deleted;
    s.disk.clear_faults();
    if (s.disk.steps() - base < n) {
      ASSERT_TRUE(done);
      break;
    }
    EXPECT_FALSE(done) << n;
    EXPECT_EQ(test::snapshot(s), records) << n;
    EXPECT_EQ(history(), file) << n;
    EXPECT_EQ(s.UndoText, "Undo disconnection of Kit Dale") << n;
  }
  ASSERT_TRUE(MoveToStep(s, 0));
  EXPECT_EQ(test::snapshot(s), states[0]);
}

TEST_F(RelationsUndo, WhenTheHistoryCannotBeWrittenTheUserIsAskedFirst) {
  three_steps();
  const std::string question =
      "This change cannot be undone: the undo history could not be written.\r\nWriting " + s.work(kHistoryFile) +
      " failed:\r\nNo space left on device\r\n\r\nDo you wish to make the change anyway? Changes made before it can "
      "then no longer be undone either.";
  // No (the default): nothing is done and the history stays.
  t.prompter.shown.clear();
  s.disk.fail_at(1, ENOSPC);
  t.prompter.answers = {kAnswerYes, kAnswerNo};
  b.select(kid);
  EXPECT_FALSE(DeletePerson(s, kid).deleted);
  ASSERT_EQ(t.prompter.shown.size(), 2u);  // the delete question comes first
  EXPECT_EQ(last_box().text, question);
  EXPECT_EQ(last_box().default_button, 1);
  EXPECT_EQ(test::snapshot(s), states[3]);
  EXPECT_EQ(s.History.steps.size(), 3u);
  // Yes: the change is made, and Undo is off until the next change.
  s.disk.fail_at(1, ENOSPC);
  t.prompter.answers = {kAnswerYes, kAnswerYes};
  EXPECT_TRUE(DeletePerson(s, kid).deleted);
  EXPECT_FALSE(s.UndoAvailable);
  EXPECT_EQ(s.UndoText, "Undo is off: the undo history could not be written (No space left on device).");
  EXPECT_FALSE(fileio::exists(s.work(kHistoryFile)));
  edit_notes("Again.");
  EXPECT_EQ(s.History.steps.size(), 1u);
}

TEST_F(RelationsUndo, SaveKeepsTheHistoryAndUndoMarksTheTreeChangedAgain) {
  three_steps();
  std::string why;
  ASSERT_EQ(SaveFamilyFile(s, s.WorkFolder, t.dir.path() + "saved.vfl", SaveTarget::TreeFile, &why), -1) << why;
  s.RecordsSaved = true;
  ASSERT_TRUE(UndoLastStep(s));
  EXPECT_FALSE(s.RecordsSaved);
  for (const char* f : {recfile::Person, recfile::Marriage, recfile::Ceremony, recfile::Notes})
    EXPECT_EQ(test::snapshot(s).at(f), states[2].at(f)) << f;
}

TEST_F(RelationsUndo, PastTheLimitTheOldestStepsAreDroppedAndTheWindowSaysSo) {
  EXPECT_EQ(HistoryNote(s), "Up to 1000 changes are kept; older ones are dropped.");
  for (int i = 0; i <= static_cast<int>(kHistoryLimit) + 100; ++i) edit_notes("Edit " + std::to_string(i));
  EXPECT_EQ(s.History.steps.size(), kHistoryLimit);
  EXPECT_EQ(HistoryNote(s),
            "Up to 1000 changes are kept; older ones are dropped. 101 older changes can no longer be undone.");
  const auto rows = HistoryRows(s);
  EXPECT_EQ(rows.back().text, "Before the oldest change kept");
  ASSERT_TRUE(LoadHistory(s));  // the file was written afresh without them
  EXPECT_EQ(s.History.steps.size(), kHistoryLimit);
  ASSERT_TRUE(MoveToStep(s, 0));
  EXPECT_EQ(ReadNotes(b.read(meg).NotesRec, s.work(recfile::Notes)), "Edit 100");
}

TEST_F(RelationsUndo, RecordsChangedBehindTheHistoryAreNeverOverwritten) {
  three_steps();
  const Bytes other(kNotesLen, 'x');
  ASSERT_TRUE(fileio::write_at(s.disk, s.work(recfile::Notes), 0, other.data(), other.size()));  // not a step
  const auto changed = test::snapshot(s);
  EXPECT_FALSE(UndoLastStep(s));
  EXPECT_EQ(test::snapshot(s), changed);
  EXPECT_EQ(last_box().text,
            "The change cannot be undone: the records no longer match it.\r\n"
            "Your family records have not been changed.");
  EXPECT_EQ(s.UndoText, "Undo is off: the records no longer match the undo history.");
}

// A run that ends between the record files and the history's head: read
// back, the position is the one whose images the records hold.
TEST_F(RelationsUndo, AfterACrashTheHistoryComesBackAtTheRecordsPosition) {
  three_steps();
  ASSERT_TRUE(UndoLastStep(s));
  const Bytes head_at_2 = [&] {
    const Bytes h = history();
    return Bytes(h.begin(), h.begin() + 64);
  }();
  ASSERT_TRUE(UndoLastStep(s));
  const Bytes head_at_1 = [&] {
    const Bytes h = history();
    return Bytes(h.begin(), h.begin() + 64);
  }();
  for (const auto& [head, records, pos] :
       {std::tuple{head_at_2, 1, 1u}, std::tuple{head_at_1, 2, 2u}, std::tuple{head_at_1, 1, 1u}}) {
    ASSERT_TRUE(MoveToStep(s, static_cast<std::size_t>(records)) || s.History.pos == static_cast<std::size_t>(records));
    Bytes file = history();
    std::copy(head.begin(), head.end(), file.begin());
    ASSERT_TRUE(test::put_file(s.work(kHistoryFile), file));
    ASSERT_TRUE(LoadHistory(s));
    EXPECT_EQ(s.History.pos, pos);
    EXPECT_EQ(s.History.steps.size(), 3u);
  }
  // A damaged entry keeps the sound ones before it.
  Bytes file = history();
  file[static_cast<std::size_t>(s.History.steps.back().at) + 12] ^= 0xFF;
  ASSERT_TRUE(test::put_file(s.work(kHistoryFile), file));
  ASSERT_TRUE(LoadHistory(s));
  EXPECT_EQ(s.History.steps.size(), 2u);
  ASSERT_TRUE(MoveToStep(s, 0));
  EXPECT_EQ(test::snapshot(s), states[0]);
}

TEST(RelationsUndoEmpty, FilesThatDidNotExistAreGoneAgainAfterUndo) {
  test::TempSession t;
  Session& s = t.s;
  {
    RecordTransaction tx(s);
    test::TreeBuilder b(s);
    b.person("Eve", "First", "F");
    s.CurNum = 1;
    ReadPerson(s);
    ASSERT_TRUE(WritePerson(s, 1, s.Person, "The first one.", false));
  }
  ASSERT_TRUE(UndoLastStep(s));
  for (const char* f : {recfile::Person, recfile::Notes}) EXPECT_FALSE(fileio::exists(s.work(f))) << f;
  EXPECT_EQ(s.Config.NumPersons(), 0);
  EXPECT_EQ(s.Rel.Selected.PerNum, 0);
  ASSERT_TRUE(RedoNextStep(s));
  EXPECT_EQ(s.Config.NumPersons(), 1);
  EXPECT_EQ(ReadNotes(1, s.work(recfile::Notes)), "The first one.");
}

}  // namespace
