// The person editor's wiring, offscreen: boxes found by objectName, typed
// into and left as a user would, keys and buttons pressed, and the record
// read back. The editing rules themselves are tested in the core tests of
// the editor's fields and flow.
#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "common/cp1252.h"
#include "editors/frm_edit_person.h"
#include "store/records.h"
#include "tree_fixture.h"
#include "widget_find.h"

using namespace vft;
using namespace vft::ui;
using vft::test::child;
using vft::test::click;
using vft::test::leave;

namespace {

class EditPerson : public test::TreeFixture {
 protected:
  std::int16_t tom = 0, sue = 0, ann = 0;
  std::vector<std::string> topics;

  void SetUp() override {
    tom = b.person("Tom", "Hill", "M");
    sue = b.person("Sue", "Dale", "F");
    ann = b.child(b.family(tom, sue), "Ann", "Hill", "F");
    b.select(ann);
    s.on_help = [this](const std::string& topic) { topics.push_back(topic); };
  }
  static QLineEdit* box(QWidget& w, int i) { return child<QLineEdit>(w, QStringLiteral("Text_%1").arg(i)); }
  static void type(QWidget& w, int i, const QString& text) {
    QLineEdit* e = box(w, i);
    e->selectAll();
    QTest::keyClicks(e, text);
    leave(e);
  }
  std::string stored(std::int16_t n, std::string PersonRecord::*f) { return cp1252::trim(b.read(n).*f); }
};

TEST_F(EditPerson, TypingKeysAndOkWriteTheRecord) {
  s.FunctionKeys[0] = "Yorkshire";
  frmEditPerson w(s, ann);
  ASSERT_TRUE(w.loaded());
  w.show();
  QApplication::setActiveWindow(&w);
  type(w, editfield::BirthDate, QStringLiteral("5.1.1950"));
  EXPECT_EQ(child<QLabel>(w, "picAge")->text(), QStringLiteral("Age: 76"));
  // A function key types its text into a text box, but not into an answer box.
  QLineEdit* place = box(w, editfield::BirthPlace);
  place->setFocus();
  QTest::keyClicks(place, "York, ");
  QTest::keyClick(&w, Qt::Key_F3);
  leave(place);
  QLineEdit* sex = box(w, editfield::Sex);
  sex->setFocus();
  QTest::keyClick(&w, Qt::Key_F3);
  QTest::keyClick(sex, Qt::Key_Q);  // not a sex
  EXPECT_EQ(sex->text(), QStringLiteral("Female"));
  click(w, "butSex");
  EXPECT_EQ(sex->text(), QStringLiteral("Not Set"));
  QTest::keyClick(sex, Qt::Key_M);
  auto* notes = child<QPlainTextEdit>(w, "Text_15");
  notes->setFocus();
  QTest::keyClicks(notes, "line one");
  QTest::keyClick(notes, Qt::Key_Return, Qt::ControlModifier);
  QTest::keyClicks(notes, "line two");
  leave(notes);
  click(w, "butOKEdit");
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(stored(ann, &PersonRecord::BirthPlace), "York, Yorkshire");
  EXPECT_EQ(stored(ann, &PersonRecord::Sex), "M");
  EXPECT_EQ(cp1252::trim(ReadNotes(b.read(ann).NotesRec, s.work(recfile::Notes))), "line one\r\nline two");
}

// What is typed is never cut: a date the field cannot hold stays in the box
// only, and a character the records cannot hold shows as '?', said so.
TEST_F(EditPerson, WhatCannotBeKeptIsShownNotCut) {
  frmEditPerson w(s, ann);
  w.show();
  const QString pasted = QString(56, QLatin1Char(' ')) + QStringLiteral("abt. 5 Jan 1956");  // no box cuts it
  type(w, editfield::BurialDate, pasted);
  EXPECT_EQ(box(w, editfield::BurialDate)->text(), QStringLiteral("abt. 5 Jan 1956"));
  EXPECT_EQ(cp1252::trim(s.Editing.Person2.InterDate), "");
  box(w, editfield::BurialDate)->clear();
  leave(box(w, editfield::BurialDate));
  QLineEdit* given = box(w, editfield::GivenNames);
  given->selectAll();
  test::type_keys(given, QStringLiteral("Zo\u00EB \u2603"));
  EXPECT_EQ(given->text(), QStringLiteral("Zo\u00EB ?"));
  EXPECT_EQ(child<QLabel>(w, "lblStatus")->text(),
            QStringLiteral("Characters that cannot be stored in the family records were replaced by '?'."));
  leave(given);
  click(w, "butOKEdit");
  EXPECT_EQ(stored(ann, &PersonRecord::GivenNames), "Zo\xEB ?");
}

TEST_F(EditPerson, CancelAsksBeforeDroppingChangesAndHelpNamesItsTopic) {
  const auto before = test::snapshot(s);
  frmEditPerson w(s, ann);
  w.show();
  click(w, "butHelp");
  type(w, editfield::Phone, QStringLiteral("555 1234"));
  t.prompter.answers = {kAnswerNo};
  click(w, "butCancel");
  EXPECT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_TRUE(w.isVisible());  // No: back to the editor
  t.prompter.answers = {kAnswerYes};
  click(w, "butCancel");
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_EQ(topics, std::vector<std::string>{"edit_person"});
}

TEST_F(EditPerson, BackForwardAndChildrenMoveThroughTheRecords) {
  frmEditPerson w(s, tom);
  w.show();
  click(w, "butBack");  // from the first person to the last
  EXPECT_EQ(box(w, editfield::GivenNames)->text(), QStringLiteral("Ann"));
  // A change is offered for saving before moving on.
  type(w, editfield::Phone, QStringLiteral("77"));
  t.prompter.answers = {kAnswerYes};
  click(w, "butForward");  // from the last person to the first
  EXPECT_EQ(stored(ann, &PersonRecord::Phone), "77");
  EXPECT_EQ(box(w, editfield::GivenNames)->text(), QStringLiteral("Tom"));
  click(w, "butChildren");  // Tom's first child
  EXPECT_EQ(box(w, editfield::GivenNames)->text(), QStringLiteral("Ann"));
}

}  // namespace
