// The commands that take links and persons away or change their order,
// driven through the real main window: disconnect from a partner with
// children, delete then the Undo button, re-arranging partners, deleting
// orphans then undo; and the options that rename the baptism field and set
// the password asked for at start-up.
#include <QAction>
#include <QCheckBox>
#include <QTreeWidget>

#include "frm_password.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/password.h"
#include "workflow_driver.h"

using namespace vft;
using namespace vft::test;

namespace {

// Tom Hill with Sue Dale (family `first`, children Ann and Ben) and Amy Rose
// (family `second`); Ida Frost is on record but connected to nobody.
class Family : public Workflow {
 protected:
  std::int16_t tom = 0, sue = 0, amy = 0, ann = 0, ben = 0, ida = 0, first = 0, second = 0;
  void SetUp() override {
    TreeBuilder b(s);
    tom = b.person("Tom", "Hill", "M");
    sue = b.person("Sue", "Dale", "F");
    amy = b.person("Amy", "Rose", "F");
    first = b.family(tom, sue, "4 May 1950", "Leeds");
    second = b.family(tom, amy, "9 Jun 1960", "York");
    ann = b.child(first, "Ann", "Hill", "F");
    ben = b.child(first, "Ben", "Hill", "M");
    ida = b.person("Ida", "Frost", "F");
    open_saved_tree_at(tom);
  }
  QPushButton* undo() { return w->button("butUndo"); }
};

TEST_F(Family, DisconnectFromPartnerWithChildrenLeavesThemAnUnknownFather) {
  show_person(tom, 0);
  ASSERT_EQ(displayed_family(), first);
  ASSERT_TRUE(w->button("butDisconnect")->isEnabled());
  {
    ModalDriver d;
    d.on("frmDisconnectAs", [](QWidget* x) {
      EXPECT_EQ(label_text(x, "lblPersonName"), QStringLiteral("Tom Hill"));
      click(x, "Command1_1");
    });
    w->button("butDisconnect")->click();
  }
  const std::int16_t unknown = fam(first).Husband;
  ASSERT_NE(unknown, tom);
  EXPECT_TRUE(IsPlaceholder(s, person(unknown)));
  EXPECT_EQ(fam(first).Wife, sue);
  EXPECT_EQ(kids(first), (std::vector<std::int16_t>{ann, ben}));
  EXPECT_EQ(partners(tom), std::vector<std::int16_t>{amy});
  EXPECT_EQ(person(tom).NumPartners, 1);
  EXPECT_TRUE(undo()->isEnabled());
  EXPECT_EQ(undo()->toolTip(), QStringLiteral("Undo disconnection of Tom Hill"));
  EXPECT_EQ(selected(), tom);
  expect_sound_tree();

  // The Undo button takes it all back.
  const int persons = s.Config.NumPersons();
  QTest::mouseClick(undo(), Qt::LeftButton);
  EXPECT_EQ(s.Config.NumPersons(), persons - 1);
  EXPECT_EQ(fam(first).Husband, tom);
  EXPECT_EQ(partners(tom), (std::vector<std::int16_t>{sue, amy}));
  EXPECT_EQ(selected(), tom);
  expect_sound_tree();
}

TEST_F(Family, DeleteThenUndoBringsBackOnlyTheDeletedPerson) {
  // An edit takes the undo point ...
  show_person(sue);
  {
    ModalDriver d;
    d.on("frmEditPerson", [](QWidget* e) {
      type(e, "Text_11", "Weaver");
      click(e, "butOKEdit");
    });
    w->action("mnuEditPerson")->trigger();
  }
  EXPECT_EQ(cp1252::trim(person(sue).Occupation), "Weaver");
  EXPECT_EQ(undo()->toolTip(), QStringLiteral("Undo editing of Sue Dale"));

  // ... the delete asks, deletes, and offers another person to show.
  show_person(ben);
  boxes.answers = {kAnswerYes};
  {
    ModalDriver d;
    d.on("frmSelectPerson", [](QWidget* p) { click(p, "butCancel"); });
    w->button("butDelete")->click();
  }
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Warning");
  EXPECT_EQ(box(0), "You are about to permanently DELETE Ben Hill from the records. Do you wish to delete this person?");
  EXPECT_EQ(person(ben).Deleted, -1);
  EXPECT_EQ(kids(first), std::vector<std::int16_t>{ann});
  EXPECT_NE(selected(), ben);
  EXPECT_GE(selected(), 1);
  expect_sound_tree();

  // The delete took its own undo point: Undo brings Ben back, shown again,
  // and the edit before it stays.
  EXPECT_EQ(undo()->toolTip(), QStringLiteral("Undo deletion of Ben Hill"));
  QTest::mouseClick(undo(), Qt::LeftButton);
  EXPECT_EQ(person(ben).Deleted, 0);
  EXPECT_EQ(s.DeletedCount, 0);
  EXPECT_EQ(kids(first), (std::vector<std::int16_t>{ann, ben}));
  EXPECT_EQ(cp1252::trim(person(sue).Occupation), "Weaver");
  EXPECT_EQ(selected(), ben);
  expect_sound_tree();
}

TEST_F(Family, ReArrangingPartnersPutsTheSecondFirst) {
  show_person(tom);
  QString title;
  {
    ModalDriver d;
    d.on("frmArrange", [&](QWidget* a) {
      title = a->windowTitle();
      auto* list = find<QTreeWidget>(a, "SBList1");
      ASSERT_EQ(list->topLevelItemCount(), 2);
      list->setCurrentItem(list->topLevelItem(1));
      click(a, "Command2_0");
      click(a, "Command1_0");
    });
    w->action("mnuArrangeFam")->trigger();
  }
  EXPECT_EQ(title, QStringLiteral("Re-arrange the Order of Partners"));
  EXPECT_EQ(partners(tom), (std::vector<std::int16_t>{amy, sue}));
  // The children follow their own parents.
  EXPECT_EQ(kids(family_of(tom, sue)), (std::vector<std::int16_t>{ann, ben}));
  EXPECT_TRUE(kids(family_of(tom, amy)).empty());
  EXPECT_EQ(cp1252::trim(stored_ceremony(s, family_of(tom, amy)).MarriedAt).rfind("York", 0), 0u);
  EXPECT_EQ(selected(), tom);
  expect_sound_tree();
}

TEST_F(Family, OrphansDeletedThenUndone) {
  const RecordFiles before = snapshot(s);
  std::vector<std::int16_t> listed;
  {
    ModalDriver d;
    d.on("frmFindOphans", [&](QWidget* o) {
      auto* list = find<QTreeWidget>(o, "SBList1");
      for (int i = 0; i < list->topLevelItemCount(); ++i) {
        listed.push_back(static_cast<std::int16_t>(list->topLevelItem(i)->data(0, Qt::UserRole).toInt()));
        list->topLevelItem(i)->setCheckState(0, Qt::Checked);
      }
      click(o, "Command_0");
      click(o, "Command_0");
    });
    w->action("mnuOrphans")->trigger();
  }
  EXPECT_EQ(listed, std::vector<std::int16_t>{ida});
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(box(0), "1 ophaned record deleted.");
  EXPECT_EQ(person(ida).Deleted, -1);
  EXPECT_EQ(undo()->toolTip(), QStringLiteral("Restore orphaned records"));
  expect_sound_tree();

  QTest::mouseClick(undo(), Qt::LeftButton);
  EXPECT_EQ(person(ida).Deleted, 0);
  for (const char* f : {recfile::Person, recfile::Marriage, recfile::Ceremony})
    EXPECT_EQ(snapshot(s)[f], before.at(f)) << f;
  expect_sound_tree();
}

TEST_F(Family, ChristenedLabelInTheEditorAndItsDateMessages) {
  {
    ModalDriver d;
    d.on("frmOptions", [](QWidget* o) {
      type(o, "txtBaptised", "Christened");
      click(o, "butOK");
    });
    w->action("mnuConfig")->trigger();
  }
  show_person(ann);
  QString label;
  {
    ModalDriver d;
    d.on("frmEditPerson", [&](QWidget* e) {
      label = label_text(e, "Label_5");
      // A date after "today" (5 Dec 2026) is refused when the box is left.
      type(e, "Text_6", "3 Mar 2030");
      type(e, "Text_6", "3 Mar 1950");
      type(e, "Text_2", "1 Jan 1960");
      click(e, "butOKEdit");  // the order check keeps the editor open
      EXPECT_TRUE(e->isVisible());
      type(e, "Text_6", "3 Mar 1960");
      click(e, "butOKEdit");
    });
    w->action("mnuEditPerson")->trigger();
  }
  EXPECT_EQ(label, QStringLiteral("Christened"));
  // The future date when its box was left; the order when the birth date
  // was left, and again when OK was pressed.
  ASSERT_EQ(boxes.shown.size(), 3u) << all_boxes();
  for (const Message& m : boxes.shown) EXPECT_EQ(m.title, "Date Error");
  EXPECT_EQ(box(0), "You have entered a Christened date for \r\n this person that is later than today.  \r\n ");
  EXPECT_EQ(box(1), "The birthdate is after the christened date.");
  EXPECT_EQ(box(2), "The birthdate is after the christened date.");
  EXPECT_EQ(cp1252::trim(person(ann).DOBap), "3 Mar 1960");
  EXPECT_EQ(cp1252::trim(person(ann).BirthDate), "1 Jan 1960");
}

TEST_F(Family, PasswordSetInTheOptionsIsAskedAtTheNextStart) {
  {
    ModalDriver d;
    d.on("frmOptions", [](QWidget* o) {
      find<QCheckBox>(o, "chkPassword")->click();
      type(o, "txtPassword", "Secret");
      click(o, "butOK");
    });
    w->action("mnuConfig")->trigger();
  }
  ASSERT_TRUE(PasswordStored(s));

  // The start-up window: a wrong word is reported and the box emptied, the
  // right one lets the program go on.
  vft::ui::frmPassword password(s);
  QString error;
  {
    ModalDriver d;
    d.on("frmPassword",
         [&](QWidget* p) {
           type(p, "txtPassword", "secret");
           click(p, "butOK");
           error = label_text(p, "lblError");
           EXPECT_TRUE(find<QLineEdit>(p, "txtPassword")->text().isEmpty());
           type(p, "txtPassword", "Secret");
           click(p, "butOK");
         });
    EXPECT_EQ(password.exec(), static_cast<int>(QDialog::Accepted));
  }
  EXPECT_EQ(error, QStringLiteral("That is not the password. Please try again."));

  vft::ui::frmPassword again(s);
  {
    ModalDriver d;
    d.on("frmPassword", [](QWidget* p) { click(p, "butCancel"); });
    EXPECT_EQ(again.exec(), static_cast<int>(QDialog::Rejected));
  }
}

}  // namespace
