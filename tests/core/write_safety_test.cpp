// A write that fails in the middle of a change: every kind of change, a
// failure at each of its write steps and on a disk that stays full, and the
// records are exactly as before, the tree sound and the user told why.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <functional>

#include "edit/person_editor.h"
#include "interchange/gedcom_import.h"
#include "relations/arrange.h"
#include "relations/connect.h"
#include "relations/delete_person.h"
#include "relations/disconnect.h"
#include "relations/family_ops.h"
#include "relations/orphans.h"
#include "relations/undo.h"
#include "store/record_transaction.h"
#include "store/records.h"
#include "tree_fixture.h"

using namespace vft;

namespace {

// Dan and Meg with Kit and Lu; Una on her own.
struct Tree {
  test::TempSession t;
  Session& s = t.s;
  test::TreeBuilder b{s};
  std::int16_t dan = b.person("Dan", "Dale", "M"), meg = b.person("Meg", "Moss", "F");
  std::int16_t couple = b.family(dan, meg, "1 May 1950", "Leeds");
  std::int16_t kit = b.child(couple, "Kit", "Dale", "M"), lu = b.child(couple, "Lu", "Dale", "F");
  std::int16_t una = b.person("Una", "Lone", "F");
  const int persons = s.Config.NumPersons(), marriages = s.Config.NumMarriages();
  test::RecordFiles files = test::snapshot(s);
  Tree() { b.select(dan); }
};

using Change = std::function<bool(Tree&)>;
const std::pair<const char*, Change> kChanges[] = {
    {"edit with long notes",
     [](Tree& x) {
       PersonEditor e(x.s);
       return e.OpenPerson(x.kit) && (e.Changed(), e.Ok(editfield::Notes, std::string(200, 'n'), "Dale").saved);
     }},
    {"connect as a child", [](Tree& x) { return FinishConnectChild(x.s, x.una, x.dan, x.meg, 1); }},
    {"partner put first", [](Tree& x) { return InsertPartnershipAt(x.s, x.una, x.dan, 0) != 0; }},
    {"disconnect", [](Tree& x) { return DisconnectAs(x.s, DisconnectChoice::SpouseAndChildren); }},
    {"delete", [](Tree& x) { return DeletePerson(x.s, x.lu).deleted; }},
    {"re-arrange",
     [](Tree& x) {
       x.b.select(x.kit);
       ArrangeList l = BuildArrangeList(x.s, ArrangeMode::Siblings);
       MoveArrangeRow(l, 0, false);
       return WriteArrangement(x.s, l);
     }},
    {"orphans", [](Tree& x) { return DeleteOrphans(x.s, {x.una}).deleted == 1; }},
    {"import",
     [](Tree& x) {
       const char* ged =
           "0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME Ida /Imp/\n1 SEX F\n1 NOTE Notes of Ida\n"
           "0 @I2@ INDI\n1 NAME Ivo /Imp/\n1 SEX M\n0 @F1@ FAM\n1 HUSB @I2@\n1 WIFE @I1@\n0 TRLR\n";
       return ImportGedcomData(x.s, ged, "imp.ged", {}).status == ImportStatus::Imported;
     }},
};

bool told(const Tree& x, const std::string& reason) {
  return std::any_of(x.t.prompter.shown.begin(), x.t.prompter.shown.end(),
                     [&](const Message& m) { return m.text.find("\r\n" + reason) != std::string::npos; });
}

// Everything as before the change: the five files byte for byte, and the
// session's table and counts the ones the files hold.
void expect_as_before(Tree& x) {
  EXPECT_EQ(test::snapshot(x.s), x.files);
  EXPECT_EQ(x.s.Config.NumPersons(), x.persons);
  EXPECT_EQ(x.s.Config.NumMarriages(), x.marriages);
  EXPECT_EQ(x.s.DeletedCount, 0);
  for (int m = 1; m <= x.marriages; ++m)
    EXPECT_EQ(x.s.Marriages[static_cast<std::size_t>(m)], test::stored_family(x.s, static_cast<std::int16_t>(m)));
  for (const TreeViolation& v : CheckTree(x.s)) ADD_FAILURE() << v.text;
}

TEST(WriteSafety, AFailureAtAnyWriteStepLeavesTheRecordsAsTheyWere) {
  // Undo is advised only when there is one.
  const std::string text = WriteFailedText({"f", EIO}, false, false);
  EXPECT_EQ(text.substr(text.rfind('\n') + 1),
            "Part of the change could not be taken back either. Open your Family file again before you go on.");
  for (const auto& [name, change] : kChanges) {
    // A disk that stays full from the first step on: nothing is changed and
    // Undo is off.
    Tree full;
    full.s.disk.fail_at(1, ENOSPC, true);
    EXPECT_FALSE(change(full)) << name;
    EXPECT_TRUE(told(full, "No space left on device")) << name;
    EXPECT_TRUE(told(full, "Your family records are as they were before the change.") ||
                told(full, "Your existing Vorlan Family Files have not been changed."))
        << name;
    expect_as_before(full);
    EXPECT_FALSE(full.s.UndoAvailable || UndoLastStep(full.s)) << name;
    // One failure at each write step in turn.
    for (long n = 1;; ++n) {
      SCOPED_TRACE(std::string(name) + ", write step " + std::to_string(n));
      Tree x;
      {  // a step before the change, which must stay whatever the change does
        RecordTransaction tx(x.s);
        PersonRecord una = x.b.read(x.una);
        una.Phone = "555";
        ASSERT_TRUE(TakeUndoPoint(x.s, "before") && WritePersonRecord(x.s, x.una, una));
      }
      x.files = test::snapshot(x.s);
      const long base = x.s.disk.steps();
      x.s.disk.fail_at(n, n % 2 ? ENOSPC : EIO);
      const bool done = change(x);
      if (x.s.disk.steps() - base < n) {  // the change needs fewer steps: all were tried
        EXPECT_TRUE(done && n > 1);
        break;
      }
      if (done && !x.s.UndoAvailable && x.s.UndoText.rfind("Undo is off: ", 0) == 0) {
        // The undo history could not be written and the user chose to go on
        // without it (the scripted answer is Yes).
        EXPECT_NE(test::snapshot(x.s), x.files);
        EXPECT_TRUE(CheckTree(x.s).empty());
        continue;
      }
      EXPECT_FALSE(done);
      EXPECT_TRUE(told(x, n % 2 ? "No space left on device" : "Input/output error"));
      expect_as_before(x);
      EXPECT_TRUE(x.s.UndoAvailable && x.s.UndoText == "before" && x.s.History.steps.size() == 1);
    }
  }
}

}  // namespace
