// The find and list dialogs' wiring, offscreen: controls found by their
// objectName, typing and clicking as a user would. The search rules are
// tested in the core tests of finding a person and of the person list.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QHeaderView>
#include <QTableView>

#include "editors/frm_find_person.h"
#include "editors/frm_select_person.h"
#include "tree_fixture.h"
#include "widget_find.h"

using namespace vft;
using namespace vft::ui;
using vft::test::child;
using vft::test::label_text;

namespace {

class FindSelect : public test::TreeFixture {
 protected:
  std::int16_t tom = 0, sue = 0, ann = 0, bob = 0, jane = 0;

  void SetUp() override {
    tom = b.person("Tom", "Hill", "M");
    sue = b.person("Sue", "Dale", "F");
    ann = b.child(b.family(tom, sue), "Ann", "Hill", "F");
    bob = b.person("Bob", "Smith", "M");
    jane = b.person("Jane", "Small", "F");
    b.select(ann);
    s.Config.setLastPerson(ann);
  }
  // The Person number in the selected row of the list.
  static int selected_number(QTableView* list) {
    const QModelIndexList rows = list->selectionModel()->selectedRows(3);
    return rows.isEmpty() ? -1 : rows.first().data().toInt();
  }
};

TEST_F(FindSelect, FindByNumberOrByNames) {
  s.UCaseFamname = true;
  frmFindPerson f(s, "");
  f.show();
  auto* fam = child<QLineEdit>(f, "txtFamName");
  auto* search = child<QPushButton>(f, "Command1_0");
  QTest::keyClicks(fam, "77");
  EXPECT_EQ(search->text(), QStringLiteral("List"));  // while the box holds a number
  QTest::mouseClick(search, Qt::LeftButton);
  EXPECT_EQ(t.prompter.shown.size(), 1u);  // refused
  EXPECT_TRUE(f.isVisible());              // open for another try
  fam->setText(QStringLiteral("4"));
  QTest::keyClick(fam, Qt::Key_Return);  // Enter presses the search button
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(f.pick().number, bob);

  frmFindPerson g(s, "");
  g.show();
  auto* names = child<QLineEdit>(g, "txtFamName");
  QTest::keyClicks(names, "hi");
  test::leave(names);
  EXPECT_EQ(names->text(), QStringLiteral("HI"));  // capitals when the box is left
  t.prompter.answers = {kAnswerYes};
  QTest::mouseClick(child<QPushButton>(g, "Command1_0"), Qt::LeftButton);
  EXPECT_EQ(g.outcome(), FindStep::OpenList);
  child<QCheckBox>(g, "chkPrecise")->setChecked(true);
  EXPECT_TRUE(s.View.PreciseSearch);
}

TEST_F(FindSelect, ListSortsSearchesAndPicks) {
  s.Messages.apply_field_labels("Surname", "Forenames", "Baptised");
  frmSelectPerson d(s, "");
  d.show();
  auto* list = child<QTableView>(d, "SBList1");
  EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Surname"));
  EXPECT_EQ(selected_number(list), ann);  // the person the view shows
  auto* box = child<QLineEdit>(d, "txtSelectPerson");
  QTest::keyClicks(box, "sm");
  EXPECT_EQ(selected_number(list), jane);  // Small before Smith

  list->horizontalHeader()->sectionClicked(3);
  EXPECT_EQ(label_text(d, "lblSearch"), QStringLiteral("Search VFT Number:"));
  box->clear();
  QTest::keyClicks(box, "3");
  EXPECT_EQ(selected_number(list), ann);
  EXPECT_EQ(label_text(d, "lblDetails").section(QLatin1Char('\n'), 0, 1), QStringLiteral("Fa: Tom Hill\nMo: Sue Dale"));

  // Down in the search box moves the list; Enter takes the row.
  QTest::keyClick(box, Qt::Key_Down);
  const int next = selected_number(list);
  EXPECT_NE(next, ann);
  box->setText(QStringLiteral("x"));
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(d.result_pick().step, PickStep::Selected);
  EXPECT_EQ(d.result_pick().number, next);

  frmSelectPerson e(s, "");
  e.show();
  QTest::keyClick(child<QLineEdit>(e, "txtSelectPerson"), Qt::Key_E, Qt::AltModifier);
  EXPECT_TRUE(s.View.EditFlag);
  EXPECT_EQ(e.result_pick().step, PickStep::Edit);
}

TEST_F(FindSelect, NoMatchShowsOneRowThatCannotBeSelected) {
  s.View.SearchFamName = "Zz";
  frmSelectPerson d(s, "", nullptr, true);
  d.show();
  EXPECT_EQ(label_text(d, "lblFilter"), QStringLiteral("Showing 0 persons named Zz"));
  QAbstractItemModel* m = child<QTableView>(d, "SBList1")->model();
  ASSERT_EQ(m->rowCount(), 1);
  EXPECT_EQ(m->index(0, 0).data().toString(), QStringLiteral("No Match Found"));
  EXPECT_FALSE(m->flags(m->index(0, 0)) & Qt::ItemIsSelectable);
  EXPECT_FALSE(child<QPushButton>(d, "butEdit")->isEnabled());
  QTest::mouseClick(child<QPushButton>(d, "butSelectOK"), Qt::LeftButton);
  EXPECT_TRUE(d.isVisible());
  QTest::mouseClick(child<QPushButton>(d, "butListAll"), Qt::LeftButton);
  EXPECT_EQ(m->rowCount(), 5);
  EXPECT_FALSE(child<QLabel>(d, "lblFilter")->isVisible());
}

}  // namespace
