// The orphaned-records window offscreen: the list and its details, the check
// marks and "select all", the three sorts, the two-step delete with its
// texts, and undo afterwards.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include "disconnect_arrange_fixture.h"
#include "editing_windows.h"
#include "frm_find_orphans.h"
#include "relations/delete_person.h"
#include "relations/family_ops.h"
#include "relations/lookups.h"
#include "relations/undo.h"

using namespace vft;
using namespace vft::ui;
using vft::test::child;
using vft::test::on_modal;

namespace {

using Nums = std::vector<std::int16_t>;

// Besides the family: three persons connected to nobody, with dates and
// places, and one whose parent family has a mother but no father.
class Orphans : public test::FamilyWindows {
 protected:
  std::int16_t una = 0, ray = 0, abe = 0, kai = 0, mia = 0;
  void SetUp() override {
    FamilyWindows::SetUp();
    una = b.person("Una", "Zed", "F");
    ray = b.person("Ray", "Ash", "M");
    abe = b.person("Abe", "Moss", "M");
    dated(una, "Jun 1901", "Ayr", "12 Jan 1970", "Troon");
    dated(ray, "5 Mar 1890", "Bath", "", "");
    dated(abe, "1895", "", "", "");
    mia = b.person("Mia", "Mole", "F");  // mother of Kai, with a partner so she is no orphan
    auto only_mother = b.family(0, mia);
    kai = b.child(only_mother, "Kai", "Mole", "M");
    dated(kai, "? ??? ????", "", "", "");
    auto pal = b.person("Pal", "Pike", "M");
    b.family(pal, mia);
    select(bob);
  }
  void dated(std::int16_t p, const char* born, const char* born_at, const char* died, const char* died_at) {
    PersonRecord r = b.read(p);
    r.BirthDate = born;
    r.BirthPlace = born_at;
    r.DeathDate = died;
    r.DeathPlace = died_at;
    b.write(r);
  }
  QTreeWidget* list(frmFindOphans& w) { return child<QTreeWidget>(w, "SBList1"); }
  Nums listed(frmFindOphans& w) {
    Nums n;
    for (int i = 0; i < list(w)->topLevelItemCount(); ++i)
      n.push_back(static_cast<std::int16_t>(list(w)->topLevelItem(i)->data(0, Qt::UserRole).toInt()));
    return n;
  }
  void check(frmFindOphans& w, std::int16_t p, bool on) {
    for (int i = 0; i < list(w)->topLevelItemCount(); ++i)
      if (list(w)->topLevelItem(i)->data(0, Qt::UserRole).toInt() == p)
        list(w)->topLevelItem(i)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
  }
  QPushButton* command(frmFindOphans& w, int i) {
    return child<QPushButton>(w, QStringLiteral("Command_%1").arg(i).toLatin1().constData());
  }
};

TEST_F(Orphans, ListsOnlyPersonsConnectedToNobody) {
  frmFindOphans w(s);
  w.show();
  // Kai's family has a mother but no father: he is listed too.
  EXPECT_EQ(listed(w), (Nums{una, ray, abe, kai}));
  EXPECT_EQ(child<QLabel>(w, "lblTop")->text(),
            QStringLiteral("Select the orphaned records you wish to delete on the list. "));
  EXPECT_EQ(child<QLabel>(w, "lblCheck")->text(), QStringLiteral("Check to select. Uncheck to de-select."));
  QTreeWidgetItem* first = list(w)->topLevelItem(0);
  EXPECT_EQ(first->text(0), QStringLiteral("Una"));
  EXPECT_EQ(first->text(1), QStringLiteral("Zed"));
  EXPECT_EQ(first->text(2), QStringLiteral("Born: Jun 1901"));
  EXPECT_EQ(first->text(3), QStringLiteral("Died: 12 Jan 1970"));
  EXPECT_EQ(first->checkState(0), Qt::Unchecked);
  EXPECT_EQ(child<QLabel>(w, "lblBornAt")->text(), QStringLiteral("Born At: Ayr"));
  EXPECT_EQ(child<QLabel>(w, "lblDiedAt")->text(), QStringLiteral("Died At: Troon"));
  list(w)->setCurrentItem(list(w)->topLevelItem(1));
  EXPECT_EQ(child<QLabel>(w, "lblBornAt")->text(), QStringLiteral("Born At: Bath"));
  EXPECT_EQ(child<QLabel>(w, "lblDiedAt")->text(), QStringLiteral("Died At: "));
  EXPECT_FALSE(command(w, 0)->isEnabled());  // nothing checked yet
  EXPECT_EQ(command(w, 0)->text(), QStringLiteral("Delete"));
}

TEST_F(Orphans, CapitalsOptionShowsFamilyNamesInCapitals) {
  s.UCaseFamname = true;
  frmFindOphans w(s);
  EXPECT_EQ(list(w)->topLevelItem(0)->text(1), QStringLiteral("ZED"));
}

TEST_F(Orphans, ThreeSortsKeepTheCheckMarks) {
  frmFindOphans w(s);
  w.show();
  check(w, ray, true);
  QTest::mouseClick(child<QRadioButton>(w, "optSort_0"), Qt::LeftButton);
  EXPECT_EQ(child<QRadioButton>(w, "optSort_0")->text(), QStringLiteral("Sort by Family Name"));
  EXPECT_EQ(listed(w), (Nums{ray, kai, abe, una}));  // Ash, Mole, Moss, Zed
  QTest::mouseClick(child<QRadioButton>(w, "optSort_1"), Qt::LeftButton);
  EXPECT_EQ(child<QRadioButton>(w, "optSort_1")->text(), QStringLiteral("Sort by Given Names"));
  EXPECT_EQ(listed(w), (Nums{abe, kai, ray, una}));
  QTest::mouseClick(child<QRadioButton>(w, "optSort_2"), Qt::LeftButton);
  // Kai has no birth date (first); 1890-03-05, 1895 (1 Jan), Jun 1901.
  EXPECT_EQ(listed(w), (Nums{kai, ray, abe, una}));
  EXPECT_EQ(list(w)->topLevelItem(1)->checkState(0), Qt::Checked);
  EXPECT_EQ(w.picker().checked_persons(), Nums{ray});
}

TEST_F(Orphans, SelectAllFollowsTheMarks) {
  frmFindOphans w(s);
  w.show();
  auto* all = child<QCheckBox>(w, "chkSelectAll");
  EXPECT_EQ(all->text(), QStringLiteral("Select All"));
  QTest::mouseClick(all, Qt::LeftButton);
  EXPECT_EQ(all->text(), QStringLiteral("Deselect All"));
  for (int i = 0; i < list(w)->topLevelItemCount(); ++i)
    EXPECT_EQ(list(w)->topLevelItem(i)->checkState(0), Qt::Checked) << i;
  EXPECT_TRUE(command(w, 0)->isEnabled());
  check(w, abe, false);
  EXPECT_EQ(all->text(), QStringLiteral("Select All"));
  EXPECT_FALSE(all->isChecked());
  check(w, abe, true);
  EXPECT_EQ(all->text(), QStringLiteral("Deselect All"));
  EXPECT_TRUE(all->isChecked());
  QTest::mouseClick(all, Qt::LeftButton);
  EXPECT_EQ(w.picker().checked_count(), 0);
  EXPECT_FALSE(command(w, 0)->isEnabled());
}

TEST_F(Orphans, TwoStepDeleteThenUndoBringsThemBack) {
  const test::RecordFiles before = test::snapshot(s);
  const std::int16_t ray_family = ParentFamilyOf(s, ray);
  int boxes_at_yes = -1;
  on_modal([&](QWidget& d) {
    auto& w = static_cast<frmFindOphans&>(d);
    check(w, ray, true);
    check(w, kai, true);
    QTest::mouseClick(command(w, 0), Qt::LeftButton);
    // Step one: only the marked rows, the question, and "Yes".
    EXPECT_EQ(listed(w), (Nums{ray, kai}));
    EXPECT_EQ(child<QLabel>(w, "lblTop")->text(),
              QStringLiteral("The list shows the orphaned records marked for deletion.  "));
    EXPECT_EQ(child<QLabel>(w, "lblCheck")->text(), QStringLiteral("Do you wish to permanently delete these records?"));
    EXPECT_EQ(child<QLabel>(w, "lblQuestion")->text(), QStringLiteral("Delete all these records?"));
    EXPECT_EQ(command(w, 0)->text(), QStringLiteral("Yes"));
    EXPECT_EQ(b.read(ray).Deleted, 0);  // nothing deleted yet
    boxes_at_yes = static_cast<int>(t.prompter.shown.size());
    QTest::mouseClick(command(w, 0), Qt::LeftButton);
  });
  RunFindOrphans(s, nullptr);
  EXPECT_EQ(boxes_at_yes, 0);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].title, "Delete Orphaned Records");
  EXPECT_EQ(t.prompter.shown[0].text, "2 ophaned records deleted.");
  EXPECT_EQ(t.prompter.shown[0].icon, Icon::Information);
  EXPECT_EQ(b.read(ray).Deleted, -1);
  EXPECT_EQ(b.read(kai).Deleted, -1);
  EXPECT_EQ(b.read(una).Deleted, 0);
  EXPECT_EQ(s.DeletedCount, 2);
  EXPECT_EQ(fam(ray_family).NumKids, 0);  // the family record stays, childless
  EXPECT_EQ(s.UndoText, "Restore orphaned records");
  EXPECT_EQ(status_lines, std::vector<std::string>{"Searching for orphaned records"});

  ASSERT_TRUE(RestoreUndoPoint(s));
  EXPECT_EQ(b.read(ray).Deleted, 0);
  EXPECT_EQ(b.read(kai).Deleted, 0);
  EXPECT_EQ(s.DeletedCount, 0);
  EXPECT_EQ(fam(ray_family).NumKids, 1);
  for (const char* f : {recfile::Person, recfile::Marriage, recfile::Ceremony})
    EXPECT_EQ(test::snapshot(s)[f], before.at(f)) << f;
}

TEST_F(Orphans, OneMarkedRecordAsksInTheSingular) {
  on_modal([&](QWidget& d) {
    auto& w = static_cast<frmFindOphans&>(d);
    check(w, abe, true);
    QTest::mouseClick(command(w, 0), Qt::LeftButton);
    EXPECT_EQ(child<QLabel>(w, "lblQuestion")->text(), QStringLiteral("Delete this record?"));
    QTest::mouseClick(command(w, 0), Qt::LeftButton);
  });
  RunFindOrphans(s, nullptr);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].text, "1 ophaned record deleted.");
}

TEST_F(Orphans, CancelAtTheQuestionDeletesNothing) {
  const test::RecordFiles before = test::snapshot(s);
  on_modal([&](QWidget& d) {
    auto& w = static_cast<frmFindOphans&>(d);
    QTest::mouseClick(child<QCheckBox>(w, "chkSelectAll"), Qt::LeftButton);
    QTest::mouseClick(command(w, 0), Qt::LeftButton);
    QTest::mouseClick(command(w, 2), Qt::LeftButton);  // help
    QTest::mouseClick(command(w, 1), Qt::LeftButton);
  });
  RunFindOrphans(s, nullptr);
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_FALSE(s.UndoAvailable);
  EXPECT_TRUE(t.prompter.shown.empty());
  EXPECT_EQ(help_topics, std::vector<std::string>{"orphans"});
}

TEST_F(Orphans, DeletingTheShownPersonOffersThePicker) {
  select(una);
  int picker_rows = -1;
  on_modal([&](QWidget& d) {
    auto& w = static_cast<frmFindOphans&>(d);
    check(w, una, true);
    QTest::mouseClick(command(w, 0), Qt::LeftButton);
    on_modal([&](QWidget& p) {
      picker_rows = child<QTableView>(p, "SBList1")->model()->rowCount();
      QTest::mouseClick(child<QPushButton>(p, "butCancel"), Qt::LeftButton);
    });
    QTest::mouseClick(command(w, 0), Qt::LeftButton);
  });
  RunFindOrphans(s, nullptr);
  EXPECT_EQ(b.read(una).Deleted, -1);
  EXPECT_EQ(picker_rows, PersonsOnRecord(s));
  ASSERT_FALSE(status_lines.empty());
  EXPECT_EQ(status_lines.back(), std::to_string(PersonsOnRecord(s)) + " persons recorded.");
  EXPECT_NE(s.Config.LastPerson(), una);
  EXPECT_EQ(s.Rel.Selected.PerNum, s.Config.LastPerson());
}

TEST_F(Orphans, NoOrphansTellsSoAndOpensNoWindow) {
  test::TempSession other;
  test::TreeBuilder ob(other.s);
  auto h = ob.person("Hal", "Hay", "M");
  auto w = ob.person("Wyn", "Wood", "F");
  ob.family(h, w);
  int windows = 0;
  on_modal([](QWidget& d) { d.close(); }, &windows, 1);
  RunFindOrphans(other.s, nullptr);
  QTest::qWait(5);
  EXPECT_EQ(windows, 0);
  ASSERT_EQ(other.prompter.shown.size(), 1u);
  EXPECT_EQ(other.prompter.shown[0].title, "Delete Orphan Records");
  EXPECT_EQ(other.prompter.shown[0].text, "No orphaned records found.");
  EXPECT_EQ(other.prompter.shown[0].icon, Icon::Information);
}

}  // namespace
