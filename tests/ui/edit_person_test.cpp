// The person editor offscreen on a small tree: boxes found by objectName,
// typed into and left as a user would, message boxes answered by the
// scripted prompter, and the records read back afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "common/cp1252.h"
#include "frm_edit_person.h"
#include "relations/lookups.h"
#include "store/ini.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_builder.h"
#include "widget_find.h"

using namespace vft;
using namespace vft::ui;

namespace {

using test::child;

class EditPerson : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  test::TreeBuilder b{s};
  std::int16_t tom = 0, sue = 0, ann = 0;

  void SetUp() override {
    tom = b.person("Tom", "Hill", "M");
    sue = b.person("Sue", "Dale", "F");
    auto m = b.family(tom, sue);
    ann = b.child(m, "Ann", "Hill", "F");
    b.select(ann);
  }
  static QLineEdit* box(QWidget& w, int i) { return child<QLineEdit>(w, QStringLiteral("Text_%1").arg(i)); }
  static void leave(QWidget* box) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &out);
  }
  // Types into box i and leaves it with Tab, as the user does.
  static void type(QWidget& w, int i, const QString& text) {
    QLineEdit* e = box(w, i);
    e->selectAll();
    QTest::keyClicks(e, text);
    leave(e);
  }
  static void click(QWidget& w, const char* name) {
    QTest::mouseClick(child<QPushButton>(w, QString::fromLatin1(name)), Qt::LeftButton);
  }
  std::string stored(std::int16_t n, std::string PersonRecord::*f) { return cp1252::trim(b.read(n).*f); }
};

TEST_F(EditPerson, StartingTextsAndHints) {
  frmEditPerson w(s, ann);
  ASSERT_TRUE(w.loaded());
  EXPECT_EQ(w.windowTitle(), QStringLiteral(" Edit the Record of Ann Hill"));
  EXPECT_EQ(box(w, editfield::FamName)->text(), QStringLiteral("Hill"));
  EXPECT_EQ(box(w, editfield::GivenNames)->text(), QStringLiteral("Ann"));
  EXPECT_EQ(box(w, editfield::Sex)->text(), QStringLiteral("Female"));
  EXPECT_EQ(box(w, editfield::FamName)->maxLength(), 20);
  EXPECT_EQ(box(w, editfield::Phone)->maxLength(), 48);
  EXPECT_EQ(child<QLabel>(w, QStringLiteral("Label_0"))->text(), QStringLiteral("Family Name"));
  EXPECT_EQ(child<QLabel>(w, QStringLiteral("Label_5"))->text(), QStringLiteral("Baptised"));
  EXPECT_EQ(child<QPushButton>(w, QStringLiteral("butParents"))->toolTip(),
            QStringLiteral("Display parents of Ann Hill"));
  EXPECT_TRUE(child<QPushButton>(w, QStringLiteral("butParents"))->isEnabled());
  EXPECT_FALSE(child<QPushButton>(w, QStringLiteral("butChildren"))->isEnabled());
  EXPECT_EQ(child<QPushButton>(w, QStringLiteral("butForward"))->toolTip(),
            QStringLiteral(" This is the last person in the records "));
  EXPECT_EQ(child<QPushButton>(w, QStringLiteral("butSex"))->toolTip(),
            QStringLiteral("Click or press 'Space' to change Sex"));
}

TEST_F(EditPerson, TypingAndOkWritesTheRecord) {
  frmEditPerson w(s, ann);
  w.show();
  type(w, editfield::GivenNames, QStringLiteral("ann-marie van dyke"));
  EXPECT_EQ(box(w, editfield::GivenNames)->text(), QStringLiteral("Ann-marie Van Dyke"));
  type(w, editfield::BirthDate, QStringLiteral("5.1.1950"));
  EXPECT_EQ(box(w, editfield::BirthDate)->text(), QStringLiteral("5 Jan 1950"));
  EXPECT_EQ(child<QLabel>(w, QStringLiteral("picAge"))->text(), QStringLiteral("Age: 76"));
  type(w, editfield::Occupation, QStringLiteral("  miller "));
  auto* notes = child<QPlainTextEdit>(w, QStringLiteral("Text_15"));
  notes->setFocus();
  QTest::keyClicks(notes, "line one");
  QTest::keyClick(notes, Qt::Key_Return, Qt::ControlModifier);
  QTest::keyClicks(notes, "line two");
  leave(notes);
  click(w, "butOKEdit");
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(w.outcome().saved);
  EXPECT_EQ(w.outcome().person, ann);
  EXPECT_EQ(stored(ann, &PersonRecord::GivenNames), "Ann-marie Van Dyke");
  EXPECT_EQ(stored(ann, &PersonRecord::BirthDate), "5 Jan 1950");
  EXPECT_EQ(stored(ann, &PersonRecord::Occupation), "miller");
  EXPECT_EQ(cp1252::trim(ReadNotes(b.read(ann).NotesRec, s.work(recfile::Notes))), "line one\r\nline two");
  EXPECT_EQ(s.UndoText, "Undo editing of Ann-marie Van Dyke Hill");
  EXPECT_TRUE(t.prompter.shown.empty());
}

TEST_F(EditPerson, DateBoxesTakeWhatPeopleTypeAndNeverCutIt) {
  frmEditPerson w(s, ann);
  w.show();
  struct Row {
    int box;
    const char* typed;
    const char* shown;  // what the box shows afterwards
    const char* kept;   // what the record keeps
  };
  const Row rows[] = {
      {editfield::BirthDate, "12 September 1901", "12 Sep 1901", "12 Sep 1901"},
      {editfield::DeathDate, "between 1950 and 1955", "1950-1955", "1950-1955"},
      {editfield::BurialDate, "abt. 5 Jan 1956", "abt. 5 Jan 1956", ""},  // refused: kept as typed in the box only
  };
  for (const Row& r : rows) {
    type(w, r.box, QString::fromLatin1(r.typed));
    EXPECT_EQ(box(w, r.box)->text().toStdString(), r.shown) << r.typed;
    EXPECT_EQ(cp1252::trim(s.Person2.*(r.box == editfield::BirthDate   ? &PersonRecord::BirthDate
                                       : r.box == editfield::DeathDate ? &PersonRecord::DeathDate
                                                                       : &PersonRecord::InterDate)),
              r.kept);
  }
  EXPECT_GE(box(w, editfield::BirthDate)->maxLength(), 40);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].text,
            "'abt. 5 Jan 1956' cannot be kept whole in a date field, which holds at most 12 characters.\r\n"
            "It could be entered as 'ABT Jan 1956'; the full text can go in the notes.");
}

TEST_F(EditPerson, CancelAsksBeforeDroppingChanges) {
  const auto before = test::snapshot(s);
  frmEditPerson w(s, ann);
  w.show();
  type(w, editfield::Phone, QStringLiteral("555 1234"));
  t.prompter.answers = {kAnswerNo};
  click(w, "butCancel");
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].title, "Data Changed Warning");
  EXPECT_EQ(t.prompter.shown[0].text, "Data has been changed or added. Do you still wish to Cancel this operation?");
  EXPECT_TRUE(w.isVisible());  // No: back to the editor
  t.prompter.answers = {kAnswerYes};
  click(w, "butCancel");
  EXPECT_FALSE(w.isVisible());
  EXPECT_FALSE(w.outcome().saved);
  EXPECT_EQ(test::snapshot(s), before);
}

TEST_F(EditPerson, FunctionKeysTypeTheirTexts) {
  s.FunctionKeys[0] = "Yorkshire";
  s.FunctionKeys[9] = "St Mary's, Leeds";
  frmEditPerson w(s, ann);
  w.show();
  QApplication::setActiveWindow(&w);
  QLineEdit* place = box(w, editfield::BirthPlace);
  place->setFocus();
  QTest::keyClicks(place, "York, ");
  QTest::keyClick(&w, Qt::Key_F3);
  EXPECT_EQ(place->text(), QStringLiteral("York, Yorkshire"));
  QLineEdit* bap = box(w, editfield::BaptismPlace);
  bap->setFocus();
  QTest::keyClick(&w, Qt::Key_F12);
  EXPECT_EQ(bap->text(), QStringLiteral("St Mary's, Leeds"));
  // The answer boxes take no function-key text.
  box(w, editfield::Sex)->setFocus();
  QTest::keyClick(&w, Qt::Key_F3);
  EXPECT_EQ(box(w, editfield::Sex)->text(), QStringLiteral("Female"));
  leave(place);
  leave(bap);
  click(w, "butOKEdit");
  EXPECT_EQ(stored(ann, &PersonRecord::BirthPlace), "York, Yorkshire");
  EXPECT_EQ(stored(ann, &PersonRecord::Baptisplace), "St Mary's, Leeds");
}

TEST_F(EditPerson, SexAndBaptisedBoxesTakeLetters) {
  frmEditPerson w(s, ann);
  w.show();
  QLineEdit* sex = box(w, editfield::Sex);
  QTest::keyClick(sex, Qt::Key_M);
  EXPECT_EQ(sex->text(), QStringLiteral("Male"));
  QTest::keyClick(sex, Qt::Key_Q);  // ignored
  EXPECT_EQ(sex->text(), QStringLiteral("Male"));
  click(w, "butSex");
  EXPECT_EQ(sex->text(), QStringLiteral("Female"));
  click(w, "butSex");
  EXPECT_EQ(sex->text(), QStringLiteral("Not Set"));
  QLineEdit* bap = box(w, editfield::Baptised);
  type(w, editfield::BaptismPlace, QStringLiteral("Leeds"));
  QTest::keyClick(bap, Qt::Key_N);
  EXPECT_EQ(bap->text(), QStringLiteral("No"));
  leave(bap);
  EXPECT_EQ(box(w, editfield::BaptismPlace)->text(), QString());
  click(w, "butOKEdit");
  EXPECT_EQ(stored(ann, &PersonRecord::Sex), "");
  EXPECT_EQ(stored(ann, &PersonRecord::Baptised), "No");
  EXPECT_EQ(stored(ann, &PersonRecord::Baptisplace), "");
}

TEST_F(EditPerson, CharactersOutsideCp1252AreReplacedVisibly) {
  frmEditPerson w(s, ann);
  w.show();
  QLineEdit* given = box(w, editfield::GivenNames);
  given->selectAll();
  // Typed key by key, as a keyboard sends characters QTest cannot name.
  for (QChar ch : QStringLiteral("Zo\u00EB \u2603")) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(given, &press);
  }
  EXPECT_EQ(given->text(), QStringLiteral("Zo\u00EB ?"));
  EXPECT_EQ(child<QLabel>(w, QStringLiteral("lblStatus"))->text(),
            QStringLiteral("Characters that cannot be stored in the family records were replaced by '?'."));
  leave(given);
  click(w, "butOKEdit");
  EXPECT_EQ(stored(ann, &PersonRecord::GivenNames), "Zo\xEB ?");
}

TEST_F(EditPerson, BaptismLabelFollowsTheOptions) {
  s.Messages.apply_field_labels("Family Name", "Given Names", "Christened");
  frmEditPerson w(s, ann);
  w.show();
  EXPECT_EQ(child<QLabel>(w, QStringLiteral("Label_5"))->text(), QStringLiteral("Christened"));
  type(w, editfield::BirthDate, QStringLiteral("2 Feb 1950"));
  type(w, editfield::BaptismDate, QStringLiteral("1 Feb 1950"));
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].title, "Date Error");
  EXPECT_EQ(t.prompter.shown[0].text, "The birthdate is after the christened date.");
  click(w, "butOKEdit");  // not saved while the dates are out of order
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(t.prompter.shown.size(), 2u);
}

TEST_F(EditPerson, AutoCapBoxFollowsTheSetting) {
  {
    frmEditPerson w(s, ann);
    w.show();
    auto* chk = child<QCheckBox>(w, QStringLiteral("chkAutoCap"));
    EXPECT_TRUE(chk->isVisible());
    EXPECT_TRUE(chk->isChecked());
    EXPECT_EQ(chk->text(), QStringLiteral("Auto Cap is On"));
    QTest::mouseClick(chk, Qt::LeftButton, {}, QPoint(4, chk->height() / 2));
    EXPECT_EQ(chk->text(), QStringLiteral("Auto Cap is Off"));
    type(w, editfield::GivenNames, QStringLiteral("lower case"));
    EXPECT_EQ(box(w, editfield::GivenNames)->text(), QStringLiteral("lower case"));
    click(w, "butOKEdit");
    EXPECT_EQ(b.read(ann).AutoCap, 1);
  }
  IniWrite(s, "Configure", "AutoCapFirstChar", "1");
  frmEditPerson w(s, tom);
  w.show();
  EXPECT_FALSE(child<QCheckBox>(w, QStringLiteral("chkAutoCap"))->isVisible());
  EXPECT_TRUE(child<QLabel>(w, QStringLiteral("lblAutoCap"))->isVisible());
  EXPECT_EQ(child<QLabel>(w, QStringLiteral("lblAutoCap"))->text(),
            QStringLiteral("Click on the 'Options' button to enable Auto-capitalization of names"));
  // The options switch it on again; butConfigure reads the setting.
  w.open_options = [this] { IniWrite(s, "Configure", "AutoCapFirstChar", "0"); };
  click(w, "butConfigure");
  EXPECT_TRUE(child<QCheckBox>(w, QStringLiteral("chkAutoCap"))->isVisible());
  EXPECT_EQ(child<QCheckBox>(w, QStringLiteral("chkAutoCap"))->toolTip(),
            QStringLiteral("Check Auto Cap to temporarily switch off the first letter auto-capitalization of names"));
}

TEST_F(EditPerson, NewSiblingThroughTheWindow) {
  s.Rel.AddMode = true;
  s.Rel.AsSibling = true;
  frmEditPerson w(s, 0);
  w.show();
  EXPECT_EQ(w.windowTitle(), QStringLiteral(" Add a Sibling for Ann Hill"));
  EXPECT_EQ(box(w, editfield::FamName)->text(), QStringLiteral("Hill"));
  EXPECT_FALSE(child<QPushButton>(w, QStringLiteral("butBack"))->isEnabled());
  type(w, editfield::GivenNames, QStringLiteral("cy"));
  click(w, "butOKEdit");
  ASSERT_TRUE(w.outcome().saved);
  const std::int16_t cy = w.outcome().person;
  EXPECT_EQ(cy, 4);
  EXPECT_EQ(stored(cy, &PersonRecord::GivenNames), "Cy");
  EXPECT_EQ(ParentFamilyOf(s, cy), ParentFamilyOf(s, ann));
  EXPECT_EQ(w.outcome().link.step, LinkStep::Done);
}

TEST_F(EditPerson, BackFromTheFirstPersonShowsTheLast) {
  frmEditPerson w(s, tom);
  w.show();
  EXPECT_EQ(child<QPushButton>(w, QStringLiteral("butBack"))->toolTip(),
            QStringLiteral(" This is the first person in the records "));
  click(w, "butBack");
  EXPECT_EQ(box(w, editfield::GivenNames)->text(), QStringLiteral("Ann"));
  EXPECT_EQ(s.Rel.Selected.PerNum, ann);
  click(w, "butForward");
  EXPECT_EQ(box(w, editfield::GivenNames)->text(), QStringLiteral("Tom"));
  // A change is offered for saving before moving on.
  type(w, editfield::Phone, QStringLiteral("77"));
  t.prompter.answers = {kAnswerYes};
  click(w, "butForward");
  EXPECT_EQ(t.prompter.shown.back().text, "Data has been changed or added. Do you wish to save this data?");
  EXPECT_EQ(stored(tom, &PersonRecord::Phone), "77");
  EXPECT_EQ(box(w, editfield::GivenNames)->text(), QStringLiteral("Sue"));
  click(w, "butChildren");  // Sue's first child
  EXPECT_EQ(box(w, editfield::GivenNames)->text(), QStringLiteral("Ann"));
}

TEST_F(EditPerson, HelpOpensTheEditorsTopic) {
  std::vector<std::string> topics;
  s.on_help = [&](const std::string& topic) { topics.push_back(topic); };
  frmEditPerson w(s, ann);
  w.show();
  click(w, "butHelp");
  ASSERT_EQ(topics.size(), 1u);
  EXPECT_EQ(topics[0], "edit_person");
}

}  // namespace
