// The marriage editor's window offscreen: controls found by objectName, typing
// and clicking as a user would, message boxes answered by the scripted
// prompter, and the records checked afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "common/cp1252.h"
#include "editing_windows.h"
#include "frm_marriage_input.h"
#include "qt_text.h"
#include "relations/lookups.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_builder.h"
#include "widget_find.h"

using namespace vft;
using namespace vft::ui;

namespace {

using vft::test::child;

class MarriageInput : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  test::TreeBuilder b{s};
  std::vector<Message>& shown = t.prompter.shown;
  std::vector<std::string> statuses, helps;
  std::int16_t tom = 0, sue = 0;

  void SetUp() override {
    s.on_status = [this](const std::string& text) { statuses.push_back(text); };
    s.on_help = [this](const std::string& topic) { helps.push_back(topic); };
    tom = b.person("Tom", "Hill", "M");
    sue = b.person("Sue", "Dale", "F");
  }
  // Sue is being added as Tom's partner; the person editor has stored her.
  void adding_sue() {
    b.select(tom);
    s.Rel.AddMode = true;
    s.Rel.AsPartner = true;
    s.Rel.NewPerson = sue;
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

TEST_F(MarriageInput, AddingShowsTheCouplesNamesAndCaptions) {
  adding_sue();
  frmMarriageInput w(s, MarriageEditMode::AddPartner);
  ASSERT_TRUE(w.loaded());
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Add Marriage"));
  EXPECT_EQ(child<QLabel>(w, "lblCaption")->text(), QStringLiteral("Add the Marriage details of Tom Hill and Sue Dale"));
  EXPECT_EQ(child<QLabel>(w, "lblSelectedPerson")->text(), QStringLiteral("Tom Hill"));
  EXPECT_EQ(child<QLabel>(w, "lblConnectedPerson")->text(), QStringLiteral("Sue Dale"));
  EXPECT_EQ(child<QLabel>(w, "lblOn")->text(), QStringLiteral("on"));
  EXPECT_EQ(child<QLabel>(w, "lblAt")->text(), QStringLiteral("at:"));
  EXPECT_EQ(child<QCheckBox>(w, "chkDivorced")->text(), QStringLiteral("Divorced"));
  EXPECT_EQ(child<QCheckBox>(w, "chkNotMarried")->text(), QStringLiteral("Not Married"));
  EXPECT_EQ(child<QPushButton>(w, "butOKAddMarr")->text(), QStringLiteral("&OK"));
  EXPECT_EQ(child<QPushButton>(w, "butCancel")->text(), QStringLiteral("&Cancel"));
  EXPECT_EQ(child<QPushButton>(w, "butHelp")->text(), QStringLiteral("&Help"));
  EXPECT_TRUE(child<QLineEdit>(w, "txtMarriedDate")->text().isEmpty());
  EXPECT_TRUE(child<QPlainTextEdit>(w, "txtMarriedAt")->toPlainText().isEmpty());
}

TEST_F(MarriageInput, CheckBoxesExcludeEachOther) {
  adding_sue();
  frmMarriageInput w(s, MarriageEditMode::AddPartner);
  activate(w);
  auto* date = child<QLineEdit>(w, "txtMarriedDate");
  auto* divorced = child<QCheckBox>(w, "chkDivorced");
  auto* not_married = child<QCheckBox>(w, "chkNotMarried");
  type_date(w, "3 3 1925");
  EXPECT_EQ(date->text(), QStringLiteral("3 Mar 1925"));

  QTest::mouseClick(not_married, Qt::LeftButton);
  EXPECT_TRUE(not_married->isChecked());
  EXPECT_TRUE(date->text().isEmpty());
  EXPECT_FALSE(date->isEnabled());
  EXPECT_FALSE(divorced->isVisible());
  not_married->setFocus();
  QTest::keyClick(not_married, Qt::Key_Space);
  EXPECT_FALSE(not_married->isChecked());
  EXPECT_TRUE(date->isEnabled());
  EXPECT_TRUE(divorced->isVisible());
  EXPECT_TRUE(date->text().isEmpty());

  QTest::mouseClick(divorced, Qt::LeftButton);
  EXPECT_TRUE(divorced->isChecked());
  EXPECT_FALSE(not_married->isEnabled());
  EXPECT_EQ(statuses.back(), MarriageDivorcedHint());
  QTest::mouseClick(divorced, Qt::LeftButton);
  EXPECT_TRUE(not_married->isEnabled());
}

TEST_F(MarriageInput, LeavingTheDateChecksItAgainstBothPartners) {
  adding_sue();
  frmMarriageInput w(s, MarriageEditMode::AddPartner);
  activate(w);
  auto* date = child<QLineEdit>(w, "txtMarriedDate");
  date->setFocus();
  EXPECT_EQ(statuses.back(), MarriageDateHint());
  EXPECT_EQ(child<QLabel>(w, "lblHint")->text(), qs(MarriageDateHint()));
  type_date(w, "1-1-1899");  // both were born on 1 Jan 1900
  EXPECT_EQ(date->text(), QStringLiteral("1 Jan 1899"));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "Date Error");
  EXPECT_EQ(shown[0].text, "The marriage date is before the date of birth of\r\nTom Hill .. (1 Jan 1900)");
}

TEST_F(MarriageInput, OkLinksThePartnerWithDateAndPlaceLines) {
  adding_sue();
  frmMarriageInput w(s, MarriageEditMode::AddPartner);
  activate(w);
  type_date(w, "7 September 1930 ");
  auto* place = child<QPlainTextEdit>(w, "txtMarriedAt");
  place->setFocus();
  EXPECT_EQ(statuses.back(), MarriagePlaceHint());
  QTest::keyClicks(place, QStringLiteral("St Mary's"));
  QTest::keyClick(place, Qt::Key_Return, Qt::ControlModifier);
  QTest::keyClicks(place, QStringLiteral("Whitby"));
  EXPECT_TRUE(w.isVisible());
  QTest::mouseClick(child<QPushButton>(w, "butOKAddMarr"), Qt::LeftButton);
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(w.result_step(), MarriageResult::Done);
  EXPECT_TRUE(shown.empty());
  const std::int16_t m = FamilyBetween(s, tom, sue);
  ASSERT_GE(m, 1);
  const CeremonyRecord c = test::stored_ceremony(s, m);
  EXPECT_EQ(cp1252::trim(c.MarriedDate), "7 Sep 1930");
  EXPECT_EQ(cp1252::trim(c.MarriedAt), "St Mary's\r\nWhitby");
  EXPECT_FALSE(s.Rel.AddMode || s.Rel.AsPartner);
}

TEST_F(MarriageInput, EnterInThePlaceBoxIsOkAndAFutureDateKeepsTheWindowOpen) {
  adding_sue();
  frmMarriageInput w(s, MarriageEditMode::AddPartner);
  activate(w);
  child<QLineEdit>(w, "txtMarriedDate")->setText(QStringLiteral("1 Jan 2030"));
  auto* place = child<QPlainTextEdit>(w, "txtMarriedAt");
  place->setFocus();
  QTest::keyClicks(place, QStringLiteral("Hull"));
  // Leaving the date box refused it; OK says so again and stays open.
  ASSERT_EQ(shown.size(), 1u);
  QTest::keyClick(place, Qt::Key_Return);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].title, "Date Error");
  EXPECT_EQ(shown[1].text, shown[0].text);
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(FamilyBetween(s, tom, sue), 0);
  child<QLineEdit>(w, "txtMarriedDate")->setText(QStringLiteral("1 Jan 1930"));
  place->setFocus();
  QTest::keyClick(place, Qt::Key_Return);
  EXPECT_FALSE(w.isVisible());
  EXPECT_GE(FamilyBetween(s, tom, sue), 1);
  EXPECT_EQ(place->toPlainText(), QStringLiteral("Hull"));
}

TEST_F(MarriageInput, PlaceRefusesWhatTheRecordCannotHold) {
  adding_sue();
  frmMarriageInput w(s, MarriageEditMode::AddPartner);
  activate(w);
  auto* place = child<QPlainTextEdit>(w, "txtMarriedAt");
  place->setFocus();
  // Pasted text: the Polish L-stroke and z-acute have no CP1252 byte.
  place->insertPlainText(QStringLiteral("Krak\u00f3w \u0141\u00f3d\u017a"));
  EXPECT_EQ(place->toPlainText(), QStringLiteral("Krak\u00f3w \u00f3d"));
  EXPECT_EQ(child<QLabel>(w, "lblHint")->text(),
            QStringLiteral("Characters that cannot be stored in the records were left out."));
  place->setPlainText(QString(230, QLatin1Char('x')));
  EXPECT_EQ(place->toPlainText().size(), 200);
  EXPECT_EQ(child<QLabel>(w, "lblHint")->text(),
            QStringLiteral("The place and notes of a marriage can hold 200 characters."));
}

TEST_F(MarriageInput, CancelWhileAddingOffersTheDeletionThenKeepsThePerson) {
  adding_sue();
  frmMarriageInput w(s, MarriageEditMode::AddPartner);
  activate(w);
  t.prompter.answers = {kAnswerNo};
  QTest::mouseClick(child<QPushButton>(w, "butCancel"), Qt::LeftButton);
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(w.result_step(), MarriageResult::Cancelled);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, "Do you wish to Delete Sue Dale from the records.");
  EXPECT_EQ(shown[1].text, "Sue Dale has been added to the records as an 'Unrelated' person.");
  EXPECT_EQ(FamilyBetween(s, tom, sue), 0);
  EXPECT_FALSE(s.Rel.AddMode);
}

TEST_F(MarriageInput, EscapeWithAChangedMarriageAsksToSave) {
  auto m = b.family(tom, sue, "1 Jan 1950", "Hull");
  b.select(tom);
  frmMarriageInput w(s, MarriageEditMode::Edit);
  activate(w);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Edit Marriage"));
  EXPECT_EQ(child<QLabel>(w, "lblCaption")->text(), QStringLiteral("Edit the marriage of Tom Hill and Sue Dale"));
  EXPECT_EQ(child<QLineEdit>(w, "txtMarriedDate")->text(), QStringLiteral("1 Jan 1950"));
  EXPECT_EQ(child<QPlainTextEdit>(w, "txtMarriedAt")->toPlainText(), QStringLiteral("Hull"));
  QTest::mouseClick(child<QCheckBox>(w, "chkDivorced"), Qt::LeftButton);
  t.prompter.answers = {kAnswerYes};
  QTest::keyClick(&w, Qt::Key_Escape);
  EXPECT_FALSE(w.isVisible());
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "Data Changed Warning");
  EXPECT_EQ(w.result_step(), MarriageResult::Done);
  EXPECT_EQ(test::stored_family(s, m).Divorced, -1);
}

TEST_F(MarriageInput, RunEditsTheDisplayedMarriageAndHelpOpensItsTopic) {
  auto m = b.family(tom, sue, "1 Jan 1950", "Hull");
  b.select(sue);
  bool seen = false;
  QTimer::singleShot(0, [&] {
    QWidget* w = QApplication::activeModalWidget();
    ASSERT_NE(w, nullptr);
    seen = true;
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    QTest::mouseClick(child<QPushButton>(*w, "butHelp"), Qt::LeftButton);
    QTest::keyClick(w, Qt::Key_F1);
    auto* date = child<QLineEdit>(*w, "txtMarriedDate");
    date->setFocus();
    date->selectAll();
    QTest::keyClicks(date, QStringLiteral("2 feb 1951"));
    QTest::mouseClick(child<QPushButton>(*w, "butOKAddMarr"), Qt::LeftButton);
  });
  EXPECT_EQ(RunMarriageInput(s, nullptr, MarriageMode::Edit), MarriageNext::Done);
  EXPECT_TRUE(seen);
  EXPECT_EQ(helps, (std::vector<std::string>{"marriage", "marriage"}));
  EXPECT_EQ(cp1252::trim(test::stored_ceremony(s, m).MarriedDate), "2 Feb 1951");
  EXPECT_EQ(cp1252::trim(test::stored_ceremony(s, m).MarriedAt), "Hull");
}

TEST_F(MarriageInput, RunWithNothingToEditShowsNoWindow) {
  b.select(tom);
  EXPECT_EQ(RunMarriageInput(s, nullptr, MarriageMode::Edit), MarriageNext::Cancelled);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].title, "Problem");
}

}  // namespace
