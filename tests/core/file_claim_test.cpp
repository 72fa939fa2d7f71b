// One Family file, one editor: two sessions on one file, the read-only open,
// the question before a file changed on disk is overwritten, stale locks, and
// the person an opened file shows first.
#include <gtest/gtest.h>

#include <unistd.h>

#include "mainwin/commands.h"
#include "store/familyfile.h"
#include "store/file_io.h"
#include "tree_builder.h"
#include "temp_session.h"

using namespace vft;

namespace {

class OneEditor : public ::testing::Test {
 protected:
  test::TempSession a, b;
  std::string file = a.dir.path() + "smith.vfl";

  void SetUp() override {
    test::TreeBuilder tree(a.s);
    tree.person("Ann", "Smith", "F");
    a.s.Config.setLastPerson(1);
    ASSERT_EQ(SaveFamilyFile(a.s, a.s.WorkFolder, file, SaveTarget::TreeFile), -1);
  }
  Bytes bytes() { return fileio::read_all(file).value_or(Bytes{}); }
};

TEST_F(OneEditor, ASecondProgramIsToldWhoHasTheFileAndMayOpenItReadOnly) {
  b.prompter.answers = {kAnswerNo};
  EXPECT_EQ(OpenFamilyFile(b.s, file), 0);
  ASSERT_EQ(b.prompter.shown.size(), 1u);
  const std::string& q = b.prompter.shown[0].text;
  EXPECT_EQ(q.rfind("The Family file smith.vfl is already open in Vorlan Family Tree, opened by ", 0), 0u) << q;
  EXPECT_NE(q.find(" at 12:00 on 5 Dec 2026 (process " + std::to_string(::getpid()) + ")."), std::string::npos) << q;
  EXPECT_EQ(b.s.Config.NumPersons(), 0);

  b.prompter.answers = {kAnswerYes};
  ASSERT_EQ(OpenFamilyFile(b.s, file), -1);
  EXPECT_TRUE(b.s.ReadOnly);
  EXPECT_EQ(WindowCaption(b.s, "smith.vfl"), "smith.vfl Family Tree (read-only) ");
  EXPECT_EQ(RestingStatus(b.s).rfind("Read-only: keep your changes with Save As.   ", 0), 0u);
  // Its Save cannot write over the file while the first program has it.
  const Bytes before = bytes();
  EXPECT_EQ(SaveFamilyFile(b.s, b.s.WorkFolder, file), 0);
  const std::string refusal = b.prompter.shown.back().text;
  EXPECT_EQ(refusal.substr(refusal.find("\r\n")),
            "\r\nIt cannot be saved over while it is open there. Save your family tree under another name instead.");
  EXPECT_EQ(bytes(), before);
  // Closed by the first program, the file is free again.
  a.s.Lock.release();
  EXPECT_FALSE(fileio::exists(LockPathFor(file)));
  EXPECT_EQ(SaveFamilyFile(b.s, b.s.WorkFolder, file, SaveTarget::TreeFile), -1);
  EXPECT_TRUE(b.s.Lock.holds(file) && !b.s.ReadOnly);
}

TEST_F(OneEditor, SaveAsksBeforeReplacingAFileWrittenSinceItWasOpened) {
  const Bytes mine = bytes();
  const struct {
    Bytes on_disk;
    int answer;
    bool asked, saved;
  } cases[] = {
      {mine, kAnswerNo, false, true},  // only touched: the same bytes
      {Bytes{'o', 't', 'h', 'e', 'r'}, kAnswerNo, true, false},
      {Bytes{'o', 't', 'h', 'e', 'r', 's'}, kAnswerYes, true, true},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(test::put_file(file, c.on_disk));
    a.prompter.shown.clear();
    a.prompter.answers = {c.answer};
    EXPECT_EQ(SaveFamilyFile(a.s, a.s.WorkFolder, file, SaveTarget::TreeFile), c.saved ? -1 : 0);
    EXPECT_EQ(a.prompter.shown.size(), c.asked ? 1u : 0u);
    EXPECT_EQ(bytes() == c.on_disk, !c.saved || c.on_disk == mine);
  }
  EXPECT_EQ(a.prompter.shown[0].text,
            "The Family file smith.vfl has been changed on disk since you opened or last saved it, perhaps by "
            "another program.\r\nDo you want to replace it with the family tree you are working on?");
}

TEST_F(OneEditor, TheLockOfAProgramThatDiedIsTakenOver) {
  a.s.Lock.release();
  // A lock file left by a run that was killed: nobody holds it any more.
  ASSERT_TRUE(test::put_file(LockPathFor(file), Bytes{'p', 'i', 'd', '=', '1', '\n'}));
  ASSERT_EQ(OpenFamilyFile(b.s, file), -1);
  EXPECT_TRUE(b.prompter.shown.empty() && !b.s.ReadOnly && b.s.Lock.holds(file));
}

TEST(OpeningPerson, ALastPersonThatNamesNobodyGivesTheFirstLivingPerson) {
  FamilyImage im;
  im.NumPersons = 4;
  for (std::int16_t n = 1; n <= 4; ++n) {
    im.Persons.emplace_back().rec.PerNum = n;
    im.Persons.back().rec.Deleted = n == 1 || n == 3 ? -1 : 0;
  }
  for (const auto& [last, want] : {std::pair{2, 2}, {4, 4}, {1, 2}, {3, 2}, {5, 2}, {-5, 2}, {32767, 2}}) {
    im.LastPerson = static_cast<std::int16_t>(last);
    EXPECT_EQ(OpeningPerson(im), want) << last;
  }
  for (FamilyPerson& p : im.Persons) p.rec.Deleted = -1;
  EXPECT_EQ(OpeningPerson(im), 1);
}

}  // namespace
