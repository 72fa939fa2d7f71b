// The commands that take links and persons away or change their order,
// driven through the real main window, one walk per window: disconnect,
// delete (then Undo, Redo and the undo history), re-arrange and orphans; the
// option that renames the baptism field; and the password asked for at
// start-up. What each command decides is tested once, in the core tests.
#include <QAction>
#include <QCheckBox>
#include <QTreeWidget>

#include "dialogs/frm_password.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/password.h"
#include "ui_driver.h"

using namespace vft;
using namespace vft::test;

namespace {

// Tom Hill with Sue Dale (family `first`, children Ann and Ben) and Amy Rose
// with no children; Ida Frost is on record but connected to nobody.
class Family : public Workflow {
 protected:
  std::int16_t tom = 0, sue = 0, amy = 0, ann = 0, ben = 0, ida = 0, first = 0;
  void SetUp() override {
    tom = b.person("Tom", "Hill", "M");
    sue = b.person("Sue", "Dale", "F");
    amy = b.person("Amy", "Rose", "F");
    first = b.family(tom, sue, "4 May 1950");
    b.family(tom, amy, "9 Jun 1960");
    ann = b.child(first, "Ann", "Hill", "F");
    ben = b.child(first, "Ben", "Hill", "M");
    ida = b.person("Ida", "Frost", "F");
    open_saved_tree_at(tom);
  }
};

TEST_F(Family, DisconnectFromPartnerWithChildrenLeavesThemAnUnknownFather) {
  show_person(tom, 0);
  {
    ModalDriver d;
    d.on("frmDisconnectAs", [](QWidget* x) {
      EXPECT_EQ(label_text(x, "lblPersonName"), QStringLiteral("Tom Hill"));
      EXPECT_FALSE(child<QPushButton>(x, "Command1_0")->isEnabled());  // alone in his parent family
      click(x, "Command1_1");
    });
    button("butDisconnect")->click();
  }
  EXPECT_NE(fam(first).Husband, tom);  // an unknown father takes his place
  EXPECT_EQ(partner_list(tom), std::vector<std::int16_t>{amy});
}

TEST_F(Family, DeleteThenUndoBringsThePersonBack) {
  // The delete asks, deletes, and offers another person to show.
  show_person(ben);
  boxes.answers = {kAnswerYes};
  {
    ModalDriver d;
    d.on("frmSelectPerson", [](QWidget* p) { click(p, "butCancel"); });
    button("butDelete")->click();
  }
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(b.read(ben).Deleted, -1);
  EXPECT_NE(selected(), ben);

  // Undo brings Ben back, shown again; Redo (its text names the step)
  // deletes him again.
  EXPECT_EQ(button("butUndo")->toolTip(), QStringLiteral("Undo deletion of Ben Hill"));
  QTest::mouseClick(button("butUndo"), Qt::LeftButton);
  EXPECT_EQ(b.read(ben).Deleted, 0);
  EXPECT_EQ(selected(), ben);
  EXPECT_EQ(action("mnuRedo")->text(), QStringLiteral("Redo deletion of Ben Hill"));
  w->show();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  QTest::keyClick(w.get(), Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(b.read(ben).Deleted, -1);

  // The history window: back to the tree as it was opened in one move.
  {
    ModalDriver d;
    d.on("frmUndoHistory", [](QWidget* h) {
      auto* list = child<QTreeWidget>(h, "lstSteps");
      ASSERT_EQ(list->topLevelItemCount(), 2);
      EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("Deletion of Ben Hill"));
      list->setCurrentItem(list->topLevelItem(1));
      click(h, "butGoTo");
      click(h, "butClose");
    });
    action("mnuUndoHistory")->trigger();
  }
  EXPECT_EQ(b.read(ben).Deleted, 0);
  EXPECT_TRUE(action("mnuRedo")->isEnabled());

  // A new change drops the step that could have been redone.
  boxes.answers = {kAnswerYes};
  {
    ModalDriver d;
    d.on("frmSelectPerson", [](QWidget* p) { click(p, "butCancel"); });
    button("butDelete")->click();
  }
  EXPECT_FALSE(action("mnuRedo")->isEnabled());
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(b.read(ben).Deleted, 0);
}

TEST_F(Family, ReArrangingByTheButtonsAndTheUpKey) {
  show_person(tom);
  {
    ModalDriver d;
    d.on("frmArrange", [&](QWidget* a) {
      auto* list = child<QTreeWidget>(a, "SBList1");
      list->setCurrentItem(list->topLevelItem(1));
      click(a, "Command2_0");
      click(a, "Command1_0");
    });
    action("mnuArrangeFam")->trigger();
  }
  EXPECT_EQ(partner_list(tom), (std::vector<std::int16_t>{amy, sue}));

  // Ann's siblings: the Up key moves the selected row.
  show_person(ann);
  {
    ModalDriver d;
    d.on("frmArrange", [&](QWidget* a) {
      EXPECT_FALSE(child<QPushButton>(a, "Command3_0")->isEnabled());  // no partners
      click(a, "Command3_1");
      EXPECT_EQ(label_text(a, "lblTitle"), QStringLiteral("Re-order of the siblings of Ann Hill"));
      auto* list = child<QTreeWidget>(a, "SBList1");
      list->setFocus();
      list->setCurrentItem(list->topLevelItem(1));
      QTest::keyClick(list, Qt::Key_Up);
      click(a, "Command1_0");
    });
    action("mnuArrangeFam")->trigger();
  }
  EXPECT_EQ(kids(FamilyBetween(s, tom, sue)), (std::vector<std::int16_t>{ben, ann}));
  expect_table_matches_file();
}

TEST_F(Family, OrphansListedAndDeleted) {
  std::vector<std::int16_t> listed;
  {
    ModalDriver d;
    d.on("frmFindOphans", [&](QWidget* o) {
      click(o, "optSort_0");
      auto* list = child<QTreeWidget>(o, "SBList1");
      for (int i = 0; i < list->topLevelItemCount(); ++i)
        listed.push_back(static_cast<std::int16_t>(list->topLevelItem(i)->data(0, Qt::UserRole).toInt()));
      QTest::mouseClick(child<QCheckBox>(o, "chkSelectAll"), Qt::LeftButton);
      click(o, "Command_0");
      EXPECT_EQ(label_text(o, "lblQuestion"), QStringLiteral("Delete this record?"));
      click(o, "Command_0");
    });
    action("mnuOrphans")->trigger();
  }
  EXPECT_EQ(listed, std::vector<std::int16_t>{ida});
  EXPECT_EQ(b.read(ida).Deleted, -1);
}

// A label renamed in the options names the field in the editor.
TEST_F(Family, ChristenedLabelReachesTheEditor) {
  {
    ModalDriver d;
    d.on("frmOptions", [](QWidget* o) {
      type(o, "txtBaptised", "Christened");
      click(o, "butOK");
    });
    action("mnuConfig")->trigger();
  }
  QString label;
  {
    ModalDriver d;
    d.on("frmEditPerson", [&](QWidget* e) {
      label = label_text(e, "Label_5");
      click(e, "butCancel");
    });
    action("mnuEditPerson")->trigger();
  }
  EXPECT_EQ(label, QStringLiteral("Christened"));
}

// The options dialog's own test sets and clears the password.
TEST_F(Family, StoredPasswordIsAskedAtTheStart) {
  ASSERT_TRUE(StorePassword(s, "Secret", [] { return 7u; }));
  // The start-up window: a wrong word is reported and the box emptied, the
  // right one lets the program go on.
  vft::ui::frmPassword password(s);
  QString error;
  {
    ModalDriver d;
    d.on("frmPassword", [&](QWidget* p) {
      type(p, "txtPassword", "secret");
      click(p, "butOK");
      error = label_text(p, "lblError");
      EXPECT_TRUE(child<QLineEdit>(p, "txtPassword")->text().isEmpty());
      type(p, "txtPassword", "Secret");
      click(p, "butOK");
    });
    EXPECT_EQ(password.exec(), static_cast<int>(QDialog::Accepted));
  }
  EXPECT_EQ(error, QStringLiteral("That is not the password. Please try again."));
}

}  // namespace
