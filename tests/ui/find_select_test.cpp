// The find and list dialogs offscreen on a small tree: controls found by
// their objectName, typing and clicking as a user would, message boxes
// answered by the scripted prompter.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "frm_find_person.h"
#include "frm_select_person.h"
#include "store/records.h"
#include "temp_session.h"
#include "widget_find.h"
#include "tree_builder.h"

using namespace vft;
using namespace vft::ui;

namespace {

using test::child;

class FindSelect : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  test::TreeBuilder b{s};
  std::int16_t tom = 0, sue = 0, ann = 0, bob = 0, smith = 0;

  void SetUp() override {
    tom = b.person("Tom", "Hill", "M");
    sue = b.person("Sue", "Dale", "F");
    auto m = b.family(tom, sue);
    ann = b.child(m, "Ann", "Hill", "F");
    bob = b.person("Bob", "Smith", "M");
    smith = b.person("Jane", "Small", "F");
    b.select(ann);
    s.Config.setLastPerson(ann);
  }
  // The Person number in the selected row of the list.
  int selected_number(QTableView* list) {
    const QModelIndexList rows = list->selectionModel()->selectedRows(3);
    return rows.isEmpty() ? -1 : rows.first().data().toInt();
  }
};

TEST_F(FindSelect, FindDialogControlsAndTexts) {
  frmFindPerson f(s, "Ann HILL");
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Select a Person"));
  EXPECT_EQ(child<QLabel>(f, "lblGivenNames")->text(), QStringLiteral("Given Names: "));  // the user's label

  // The search button reads "List" while the family box holds a number.
  auto* search = child<QPushButton>(f, "Command1_0");
  const QString plain = search->text();
  QTest::keyClicks(child<QLineEdit>(f, "txtFamName"), "12");
  EXPECT_EQ(search->text(), QStringLiteral("List"));
  child<QLineEdit>(f, "txtFamName")->setText(QStringLiteral("0"));
  EXPECT_EQ(search->text(), plain);

  // Connecting: the caption names the person and the role.
  s.Rel.ConnectMode = true;
  s.Rel.AsChild = true;
  frmFindPerson c(s, "Ann HILL");
  EXPECT_EQ(c.windowTitle(), QStringLiteral("Select a person to Connect to Ann HILL as a Child"));
  EXPECT_EQ(child<QLabel>(c, "lblHint")->text(),
            QStringLiteral("Enter all or part of the Name of the person to Connect"));
}

TEST_F(FindSelect, FindByNumberRefusesThenPicks) {
  frmFindPerson f(s, "");
  f.show();
  auto* fam = child<QLineEdit>(f, "txtFamName");
  auto* search = child<QPushButton>(f, "Command1_0");
  fam->setText(QStringLiteral("77"));
  QTest::mouseClick(search, Qt::LeftButton);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].title, "Problem");
  EXPECT_EQ(t.prompter.shown[0].text,
            "The Person Number 77 is higher than the number of people stored in the records.");
  EXPECT_TRUE(f.isVisible());  // stays open for another try

  fam->setText(QStringLiteral("4"));
  QTest::keyClick(fam, Qt::Key_Return);  // Enter presses the search button
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(f.result(), QDialog::Accepted);
  EXPECT_EQ(f.outcome(), FindStep::Picked);
  EXPECT_EQ(f.pick().step, PickStep::Selected);
  EXPECT_EQ(f.pick().number, bob);
  EXPECT_EQ(s.Config.LastPerson(), bob);
}

TEST_F(FindSelect, FindByNamesOffersTheListAndStoresTheTexts) {
  s.UCaseFamname = true;
  frmFindPerson f(s, "");
  f.show();
  auto* fam = child<QLineEdit>(f, "txtFamName");
  QTest::keyClicks(fam, "hi");
  QFocusEvent out(QEvent::FocusOut);
  QApplication::sendEvent(fam, &out);
  EXPECT_EQ(fam->text(), QStringLiteral("HI"));  // capitals when the box is left

  t.prompter.answers = {kAnswerYes};
  QTest::mouseClick(child<QPushButton>(f, "Command1_0"), Qt::LeftButton);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].text,
            "There are 2 persons named HI listed in the records. Do you wish to list them?");
  EXPECT_EQ(f.outcome(), FindStep::OpenList);
  EXPECT_EQ(s.SearchFamName, "HI");

  // The precise box sets the flag the list dialog uses too.
  frmFindPerson g(s, "");
  auto* precise = child<QCheckBox>(g, "chkPrecise");
  precise->setChecked(true);
  EXPECT_TRUE(s.PreciseSearch);
  frmFindPerson h(s, "");
  EXPECT_TRUE(child<QCheckBox>(h, "chkPrecise")->isChecked());
}

TEST_F(FindSelect, ListDialogColumnsSortAndSearch) {
  s.Messages.apply_field_labels("Surname", "Forenames", "Baptised");
  frmSelectPerson d(s, "");
  d.show();
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Select Person to Edit or View"));
  auto* list = child<QTableView>(d, "SBList1");
  QAbstractItemModel* m = list->model();
  ASSERT_EQ(m->rowCount(), 5);
  const QStringList heads = {QStringLiteral("Surname"), QStringLiteral("Forenames"), QStringLiteral("Born"),
                             QStringLiteral("VFT #")};
  const QStringList tips = {QStringLiteral("Sort by Surname"), QStringLiteral("Sort by Forenames"),
                            QStringLiteral("Sort by Birthdate"), QStringLiteral("Sort by VFT Number")};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(m->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString(), heads[i]);
    EXPECT_EQ(m->headerData(i, Qt::Horizontal, Qt::ToolTipRole).toString(), tips[i]);
  }
  // Sorted by family name; the person the view shows is selected.
  EXPECT_EQ(m->index(0, 0).data().toString(), QStringLiteral("Dale"));
  EXPECT_EQ(selected_number(list), ann);
  // Rows are coloured by sex.
  EXPECT_NE(m->index(0, 0).data(Qt::BackgroundRole), m->index(4, 0).data(Qt::BackgroundRole));
  EXPECT_EQ(m->index(0, 3).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight, Qt::AlignRight);

  auto* box = child<QLineEdit>(d, "txtSelectPerson");
  auto* label = child<QLabel>(d, "lblSearch");
  EXPECT_EQ(box->toolTip(), QStringLiteral("Enter the Family Name or VFT Number."));
  EXPECT_EQ(label->text(), QStringLiteral("Search Family Name"));
  QTest::keyClicks(box, "sm");
  EXPECT_EQ(selected_number(list), smith);  // Small before Smith
  EXPECT_TRUE(child<QLabel>(d, "lblDetails")->text().startsWith(QStringLiteral("Fa:  Not Recorded\nMo: Not Recorded")));

  list->horizontalHeader()->sectionClicked(3);
  EXPECT_EQ(label->text(), QStringLiteral("Search VFT Number:"));
  EXPECT_EQ(m->index(0, 3).data().toInt(), 1);
  EXPECT_TRUE(m->headerData(3, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
  EXPECT_FALSE(m->headerData(0, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
  box->clear();
  QTest::keyClicks(box, "3");
  EXPECT_EQ(selected_number(list), ann);
  EXPECT_EQ(child<QLabel>(d, "lblDetails")->text().section(QLatin1Char('\n'), 0, 1),
            QStringLiteral("Fa: Tom Hill\nMo: Sue Dale"));

  list->horizontalHeader()->sectionClicked(2);  // no search of its own: label stays
  EXPECT_EQ(label->text(), QStringLiteral("Search VFT Number:"));
  list->horizontalHeader()->sectionClicked(1);
  EXPECT_EQ(label->text(), QStringLiteral("Search Given Names"));
  box->clear();
  QTest::keyClicks(box, "Jane");
  EXPECT_EQ(selected_number(list), smith);

  // Down in the search box moves the list; Enter takes the row.
  QTest::keyClick(box, Qt::Key_Down);
  const int next = selected_number(list);
  EXPECT_NE(next, smith);
  box->setText(QStringLiteral("x"));
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(d.result_pick().step, PickStep::Selected);
  EXPECT_EQ(d.result_pick().number, next);
}

TEST_F(FindSelect, EnterWithANumberSelectsItRefusalsKeepTheDialog) {
  PersonRecord p = b.read(sue);
  p.Deleted = -1;
  b.write(p);
  frmSelectPerson d(s, "");
  d.show();
  auto* box = child<QLineEdit>(d, "txtSelectPerson");
  EXPECT_EQ(child<QTableView>(d, "SBList1")->model()->rowCount(), 4);  // the deleted one is gone
  box->setText(QStringLiteral("2"));
  QTest::keyClick(box, Qt::Key_Return);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].text,
            "The Person Number 2 has been deleted from the records. Please select another.");
  EXPECT_TRUE(d.isVisible());
  box->setText(QStringLiteral("1"));
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.result_pick().number, tom);
  EXPECT_EQ(s.Rel.Selected.PerNum, tom);
}

TEST_F(FindSelect, EditButtonSetsTheEditFlag) {
  frmSelectPerson d(s, "");
  d.show();
  auto* edit = child<QPushButton>(d, "butEdit");
  EXPECT_EQ(child<QPushButton>(d, "butSelectOK")->text(), QStringLiteral("Select"));
  EXPECT_TRUE(edit->isVisible());
  EXPECT_TRUE(edit->isEnabled());
  QTest::keyClick(child<QLineEdit>(d, "txtSelectPerson"), Qt::Key_E, Qt::AltModifier);
  EXPECT_TRUE(s.EditFlag);
  EXPECT_EQ(d.result_pick().step, PickStep::Edit);
  EXPECT_EQ(d.result_pick().number, ann);

  frmSelectPerson again(s, "");
  EXPECT_EQ(again.windowTitle(), QStringLiteral("Select Person to Edit"));
  EXPECT_EQ(child<QPushButton>(again, "butSelectOK")->text(), QStringLiteral("OK"));
}

TEST_F(FindSelect, ConnectingAPartnerListsOnlyTheOtherSexWithoutTheSelected) {
  b.select(tom);
  s.Rel.ConnectMode = true;
  s.Rel.AsPartner = true;
  frmSelectPerson d(s, "Tom HILL");
  d.show();
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Tom HILL Select a Partner to Connect to"));
  EXPECT_FALSE(child<QPushButton>(d, "butEdit")->isVisible());
  QAbstractItemModel* m = child<QTableView>(d, "SBList1")->model();
  ASSERT_EQ(m->rowCount(), 3);
  for (int r = 0; r < 3; ++r) EXPECT_NE(m->index(r, 3).data().toInt(), tom);
  QTest::mouseClick(child<QPushButton>(d, "butSelectOK"), Qt::LeftButton);
  EXPECT_EQ(d.result_pick().step, PickStep::Connect);
  EXPECT_TRUE(s.Rel.ConnectMode);
}

TEST_F(FindSelect, NoMatchShowsOneRowAndSelectDoesNothing) {
  s.SearchFamName = "Zz";
  frmSelectPerson d(s, "", nullptr, true);
  d.show();
  EXPECT_EQ(child<QLabel>(d, "lblFilter")->text(), QStringLiteral("Showing 0 persons named Zz"));
  QAbstractItemModel* m = child<QTableView>(d, "SBList1")->model();
  ASSERT_EQ(m->rowCount(), 1);
  EXPECT_EQ(m->index(0, 0).data().toString(), QStringLiteral("No Match Found"));
  EXPECT_FALSE(m->flags(m->index(0, 0)) & Qt::ItemIsSelectable);
  EXPECT_FALSE(child<QPushButton>(d, "butEdit")->isEnabled());
  QTest::mouseClick(child<QPushButton>(d, "butSelectOK"), Qt::LeftButton);
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(d.result_pick().step, PickStep::None);
  EXPECT_TRUE(t.prompter.shown.empty());
  QTest::mouseClick(child<QPushButton>(d, "butListAll"), Qt::LeftButton);
  EXPECT_EQ(m->rowCount(), 5);
  EXPECT_FALSE(child<QLabel>(d, "lblFilter")->isVisible());
}

}  // namespace
