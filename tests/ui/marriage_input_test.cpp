// The marriage editor's wiring, offscreen: controls found by objectName,
// typing and clicking as a user would, and the records read back. The
// editor's rules (dates against the partners, the questions) are tested in
// the core tests of the marriage editor.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPlainTextEdit>

#include "common/cp1252.h"
#include "mainwindow/editing_windows.h"
#include "editors/frm_marriage_input.h"
#include "relations/lookups.h"
#include "tree_fixture.h"
#include "widget_find.h"

using namespace vft;
using namespace vft::ui;
using vft::test::child;
using vft::test::label_text;

namespace {

class MarriageInput : public test::TreeFixture {
 protected:
  std::vector<std::string> helps;
  std::int16_t tom = 0, sue = 0;

  void SetUp() override {
    s.on_help = [this](const std::string& topic) { helps.push_back(topic); };
    tom = b.person("Tom", "Hill", "M");
    sue = b.person("Sue", "Dale", "F");
  }
  static void activate(QWidget& w) {
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  }
  static void type_date(QWidget& w, const char* text) {
    auto* box = child<QLineEdit>(w, "txtMarriedDate");
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QString::fromLatin1(text));
    QTest::keyClick(box, Qt::Key_Return);
  }
};

// Sue is being added as Tom's partner: a refused date, the check boxes, the
// place in two lines and what it cannot hold, then OK.
TEST_F(MarriageInput, AddingWritesDateAndPlaceOnOk) {
  b.select(tom);
  s.Rel.AddMode = s.Rel.AsPartner = true;
  s.Rel.NewPerson = sue;
  frmMarriageInput w(s, MarriageEditMode::AddPartner);
  ASSERT_TRUE(w.loaded());
  activate(w);
  EXPECT_EQ(label_text(w, "lblCaption"), QStringLiteral("Add the Marriage details of Tom Hill and Sue Dale"));
  auto* date = child<QLineEdit>(w, "txtMarriedDate");
  type_date(w, "1-1-1899");  // both were born on 1 Jan 1900
  EXPECT_EQ(t.prompter.shown.size(), 1u);

  auto* divorced = child<QCheckBox>(w, "chkDivorced");
  auto* not_married = child<QCheckBox>(w, "chkNotMarried");
  QTest::mouseClick(not_married, Qt::LeftButton);
  EXPECT_FALSE(date->isEnabled());
  QTest::mouseClick(not_married, Qt::LeftButton);
  QTest::mouseClick(divorced, Qt::LeftButton);
  EXPECT_FALSE(not_married->isEnabled());
  QTest::mouseClick(divorced, Qt::LeftButton);

  type_date(w, "7 September 1930 ");
  auto* place = child<QPlainTextEdit>(w, "txtMarriedAt");
  place->setFocus();
  // Pasted text: the Polish L-stroke and z-acute have no CP1252 byte.
  place->insertPlainText(QStringLiteral("Krak\u00f3w \u0141\u00f3d\u017a"));
  EXPECT_EQ(place->toPlainText(), QStringLiteral("Krak\u00f3w \u00f3d"));
  EXPECT_EQ(label_text(w, "lblHint"), QStringLiteral("Characters that cannot be stored in the records were left out."));
  place->setPlainText(QString(230, QLatin1Char('x')));
  EXPECT_EQ(place->toPlainText().size(), 200);
  EXPECT_EQ(label_text(w, "lblHint"), QStringLiteral("The place and notes of a marriage can hold 200 characters."));
  place->clear();
  QTest::keyClicks(place, QStringLiteral("St Mary's"));
  QTest::keyClick(place, Qt::Key_Return, Qt::ControlModifier);
  QTest::keyClicks(place, QStringLiteral("Whitby"));
  QTest::keyClick(place, Qt::Key_Return);  // Enter alone is OK
  EXPECT_FALSE(w.isVisible());
  const std::int16_t m = FamilyBetween(s, tom, sue);
  ASSERT_GE(m, 1);
  const CeremonyRecord c = test::stored_ceremony(s, m);
  EXPECT_EQ(cp1252::trim(c.MarriedDate), "7 Sep 1930");
  EXPECT_EQ(cp1252::trim(c.MarriedAt), "St Mary's\r\nWhitby");
  expect_reset();
}

TEST_F(MarriageInput, EscapeWithAChangedMarriageAsksToSave) {
  auto m = b.family(tom, sue, "1 Jan 1950", "Hull");
  b.select(tom);
  frmMarriageInput w(s, MarriageEditMode::Edit);
  activate(w);
  EXPECT_EQ(child<QPlainTextEdit>(w, "txtMarriedAt")->toPlainText(), QStringLiteral("Hull"));
  QTest::mouseClick(child<QCheckBox>(w, "chkDivorced"), Qt::LeftButton);
  t.prompter.answers = {kAnswerYes};
  QTest::keyClick(&w, Qt::Key_Escape);
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(test::stored_family(s, m).Divorced, -1);
}

TEST_F(MarriageInput, RunEditsTheDisplayedMarriageAndHelpOpensItsTopic) {
  auto m = b.family(tom, sue, "1 Jan 1950", "Hull");
  b.select(sue);
  test::ModalDriver d;
  d.on("frmMarriageInput", [&](QWidget* w) {
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    test::click(w, "butHelp");
    QTest::keyClick(w, Qt::Key_F1);
    type_date(*w, "2 feb 1951");
    test::click(w, "butOKAddMarr");
  });
  EXPECT_EQ(RunMarriageInput(s, nullptr, MarriageMode::Edit), MarriageNext::Done);
  EXPECT_EQ(helps, (std::vector<std::string>{"marriage", "marriage"}));
  EXPECT_EQ(cp1252::trim(test::stored_ceremony(s, m).MarriedDate), "2 Feb 1951");

  // With no marriage to edit no window opens.
  b.select(b.person("Lee", "Lone", "M"));
  t.prompter.shown.clear();
  EXPECT_EQ(RunMarriageInput(s, nullptr, MarriageMode::Edit), MarriageNext::Cancelled);
  EXPECT_EQ(t.prompter.shown.size(), 1u);
}

}  // namespace
