// The disconnect dialog, the delete command and undo, offscreen: buttons by
// objectName, questions answered by the scripted prompter, and the records
// checked afterwards. The main-window flow goes through its real buttons.
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <cerrno>

#include "disconnect_arrange_fixture.h"
#include "editing_windows.h"
#include "frm_disconnect_as.h"
#include "family_view.h"
#include "frm_famtree.h"
#include "common/file_dialogs.h"
#include "relations/delete_person.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "relations/undo.h"

using namespace vft;
using namespace vft::ui;
using vft::test::child;
using vft::test::on_modal;

namespace {

class Disconnect : public test::FamilyWindows {};

TEST_F(Disconnect, ButtonsAreOfferedOnlyWhenTheyCanDoSomething) {
  select(bob);  // parents, siblings and a partner with children
  {
    frmDisconnectAs d(s);
    EXPECT_EQ(child<QLabel>(d, "lblPersonName")->text(), QStringLiteral("Bob Dale"));
    const char* captions[3] = {"&Parents and Siblings", "&Spouse and Children", "&All"};
    const char* tips[3] = {"Disconnect Bob Dale from Parents and Siblings", "Disconnect Bob Dale from Partner and Children",
                           "Disconnect Bob Dale from Parents, Siblings, Partner and Children"};
    for (int i = 0; i < 3; ++i) {
      auto* b = child<QPushButton>(d, QStringLiteral("Command1_%1").arg(i).toLatin1().constData());
      EXPECT_EQ(b->text(), QString::fromLatin1(captions[i]));
      EXPECT_EQ(b->toolTip(), QString::fromLatin1(tips[i]));
      EXPECT_TRUE(b->isEnabled()) << i;
    }
    EXPECT_EQ(child<QPushButton>(d, "cmdCancel")->text(), QStringLiteral("&Cancel"));
  }
  select(kim);  // parents and a sibling, no partner
  {
    frmDisconnectAs d(s);
    EXPECT_TRUE(child<QPushButton>(d, "Command1_0")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(d, "Command1_1")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(d, "Command1_2")->isEnabled());
  }
  select(dan);  // alone in a parentless family of his own, one partner
  {
    frmDisconnectAs d(s);
    EXPECT_FALSE(child<QPushButton>(d, "Command1_0")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(d, "Command1_1")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(d, "Command1_2")->isEnabled());
    // A disabled button cannot be reached by a click either.
    d.show();
    QTest::mouseClick(child<QPushButton>(d, "Command1_0"), Qt::LeftButton);
    EXPECT_TRUE(d.isVisible());
    EXPECT_FALSE(s.UndoAvailable);
  }
}

TEST_F(Disconnect, FromPartnerWithChildrenLeavesThemAnUnknownParent) {
  select(bob);
  const int persons = s.Config.NumPersons();
  on_modal([](QWidget& w) { QTest::mouseClick(child<QPushButton>(w, "Command1_1"), Qt::LeftButton); });
  RunDisconnect(s, nullptr);

  // Exactly one placeholder, in Bob's slot; the children keep Eve and their order.
  ASSERT_EQ(s.Config.NumPersons(), persons + 1);
  const std::int16_t unknown = static_cast<std::int16_t>(persons + 1);
  EXPECT_EQ(fam(couple).Husband, unknown);
  EXPECT_EQ(fam(couple).Wife, eve);
  EXPECT_EQ(kids(couple), (std::vector<std::int16_t>{kim, lee}));
  const PersonRecord placeholder = b.read(unknown);
  EXPECT_EQ(cp1252::trim(placeholder.FamName), "Unknown");
  EXPECT_TRUE(IsPlaceholder(s, placeholder));
  EXPECT_EQ(placeholder.Sex.substr(0, 1), "M");
  EXPECT_EQ(placeholder.NumPartners, 1);
  EXPECT_EQ(cp1252::trim(test::stored_ceremony(s, couple).MarriedDate), "? ??? ????");
  EXPECT_EQ(cp1252::trim(test::stored_ceremony(s, couple).MarriedAt), "");
  EXPECT_EQ(b.read(bob).NumPartners, 0);
  EXPECT_EQ(b.read(eve).NumPartners, 1);
  // Bob keeps his parents and siblings.
  EXPECT_EQ(ParentFamilyOf(s, bob), parents);
  EXPECT_EQ(s.DisconnectLog, "Person #4 in family5 disconnected from Spouse and Children.");
  EXPECT_TRUE(s.UndoAvailable);
  EXPECT_EQ(s.UndoText, "Undo disconnection of Bob Dale");
  EXPECT_FALSE(s.Rel.DisconnectMode);
  EXPECT_FALSE(s.RecordsSaved);
  EXPECT_TRUE(t.prompter.shown.empty());
}

TEST_F(Disconnect, FromChildlessPartnerEmptiesTheFamily) {
  auto zoe = b.person("Zoe", "Zinn", "F");
  auto pair = b.family(cy, zoe);
  select(cy);
  frmDisconnectAs d(s);
  d.show();
  QTest::mouseClick(child<QPushButton>(d, "Command1_1"), Qt::LeftButton);
  EXPECT_FALSE(d.isVisible());
  EXPECT_TRUE(d.disconnected());
  EXPECT_EQ(fam(pair).Husband, 0);
  EXPECT_EQ(fam(pair).Wife, 0);
  EXPECT_EQ(b.read(cy).NumPartners, 0);
  EXPECT_EQ(b.read(zoe).NumPartners, 0);
}

TEST_F(Disconnect, AllTakesThePartnerFirstThenTheParents) {
  select(bob);
  frmDisconnectAs d(s);
  d.show();
  QTest::mouseClick(child<QPushButton>(d, "Command1_2"), Qt::LeftButton);
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(s.DisconnectLog,
            "Person #4 in family5 disconnected from Spouse and Children.\r\n"
            "Person #4, child 2 in family3 disconnected from Parents and Siblings");
  EXPECT_EQ(kids(parents), (std::vector<std::int16_t>{ann, cy}));
  EXPECT_FALSE(HasParents(s, bob));
  EXPECT_NE(fam(couple).Husband, bob);
}

TEST_F(Disconnect, CancelAndEscapeWriteNothingAndHelpNamesItsTopic) {
  select(bob);
  const test::RecordFiles before = test::snapshot(s);
  for (int way = 0; way < 2; ++way) {
    frmDisconnectAs d(s);
    d.show();
    QApplication::setActiveWindow(&d);
    QTest::keyClick(&d, Qt::Key_F1);
    QTest::mouseClick(child<QPushButton>(d, "cmdHelp"), Qt::LeftButton);
    if (way == 0)
      QTest::mouseClick(child<QPushButton>(d, "cmdCancel"), Qt::LeftButton);
    else
      QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    EXPECT_FALSE(d.disconnected());
  }
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_FALSE(s.UndoAvailable);
  EXPECT_EQ(help_topics, (std::vector<std::string>(4, "disconnect")));
}

TEST_F(Disconnect, OnlyChildLeavesItsFatherAChildlessFamily) {
  // Dan's own parent family holds only him; with a father it shows on the view.
  fam(1).Husband = b.person("Old", "Dale", "M");
  b.write_family(1);
  select(dan);
  on_modal([](QWidget& w) { QTest::mouseClick(child<QPushButton>(w, "Command1_0"), Qt::LeftButton); });
  RunDisconnect(s, nullptr);
  EXPECT_EQ(fam(1).NumKids, 0);
  EXPECT_NE(ParentFamilyOf(s, dan), 1);
  EXPECT_EQ(kids(ParentFamilyOf(s, dan)), std::vector<std::int16_t>{dan});
}

// ---- delete

class Delete : public test::FamilyWindows {};

TEST_F(Delete, NoKeepsEverything) {
  select(cy);
  const test::RecordFiles before = test::snapshot(s);
  t.prompter.answers = {kAnswerNo};
  int dialogs = 0;
  on_modal([](QWidget& w) { w.close(); }, &dialogs, 1);
  RunDeletePerson(s, nullptr);
  QTest::qWait(5);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  const Message& m = t.prompter.shown[0];
  EXPECT_EQ(m.title, "Warning");
  EXPECT_EQ(m.text,
            "You are about to permanently DELETE Cy Dale from the records. Do you wish to delete this person?");
  EXPECT_EQ(m.buttons, Buttons::YesNo);
  EXPECT_EQ(m.icon, Icon::Critical);
  EXPECT_EQ(m.default_button, 1);  // No
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_EQ(s.DeletedCount, 0);
  EXPECT_EQ(dialogs, 0);
  EXPECT_TRUE(status_lines.empty());
}

TEST_F(Delete, YesDeletesAndOffersTheListWithoutTheDeletedPerson) {
  select(cy);
  t.prompter.answers = {kAnswerYes};
  bool listed_cy = true;
  int rows = -1;
  on_modal([&](QWidget& w) {
    auto* list = child<QTableView>(w, "SBList1");
    rows = list->model()->rowCount();
    listed_cy = false;
    for (int r = 0; r < rows; ++r)
      if (list->model()->index(r, 3).data().toInt() == cy) listed_cy = true;
    QTest::mouseClick(child<QPushButton>(w, "butCancel"), Qt::LeftButton);
  });
  RunDeletePerson(s, nullptr);
  EXPECT_EQ(rows, 7);  // eight persons, one deleted
  EXPECT_FALSE(listed_cy);
  EXPECT_EQ(b.read(cy).Deleted, -1);
  EXPECT_EQ(s.DeletedCount, 1);
  EXPECT_EQ(kids(parents), (std::vector<std::int16_t>{ann, bob}));
  ASSERT_FALSE(status_lines.empty());
  EXPECT_EQ(status_lines.back(), "7 persons recorded.");
  // The picker was cancelled: the view falls back to Cy's father.
  EXPECT_EQ(s.Config.LastPerson(), dan);
  EXPECT_EQ(s.Rel.Selected.PerNum, dan);
  // The delete takes an undo point of its own.
  EXPECT_TRUE(s.UndoAvailable);
  EXPECT_EQ(s.UndoText, "Undo deletion of Cy Dale");
}

TEST_F(Delete, ThePickedPersonIsShown) {
  select(cy);
  t.prompter.answers = {kAnswerYes};
  on_modal([&](QWidget& w) {
    auto* list = child<QTableView>(w, "SBList1");
    for (int r = 0; r < list->model()->rowCount(); ++r)
      if (list->model()->index(r, 3).data().toInt() == eve) list->selectRow(r);
    QTest::mouseClick(child<QPushButton>(w, "butSelectOK"), Qt::LeftButton);
  });
  RunDeletePerson(s, nullptr);
  EXPECT_EQ(s.Config.LastPerson(), eve);
}

TEST_F(Delete, DeletingTheLastLivingPersonOffersNobody) {
  test::TempSession lone;
  test::TreeBuilder lb(lone.s);
  auto ida = lb.person("Ida", "Frost", "F");
  lb.select(ida);
  int dialogs = 0;
  on_modal([](QWidget& w) { w.close(); }, &dialogs, 1);
  RunDeletePerson(lone.s, nullptr);
  QTest::qWait(5);
  EXPECT_EQ(dialogs, 0);
  EXPECT_EQ(PersonsOnRecord(lone.s), 0);
  EXPECT_EQ(lone.prompter.shown.size(), 1u);  // the question only
}

TEST_F(Delete, AnAlreadyDeletedPersonIsRefused) {
  select(cy);
  ASSERT_TRUE(MarkPersonDeleted(s, cy));
  const test::RecordFiles before = test::snapshot(s);
  RunDeletePerson(s, nullptr);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].title, "Problem");
  EXPECT_EQ(box_text(0), "The Person Number 5 has been deleted from the records. Please select another.");
  EXPECT_EQ(test::snapshot(s), before);
}

// ---- through the main window: disconnect, delete, then the Undo button

class UndoFlow : public test::FamilyWindows {
 protected:
  ScriptedFileDialogs dialogs;
  std::unique_ptr<frmFamtree> w;
  void open_window() {
    s.Config.setLastPerson(bob);
    EXPECT_TRUE(WriteConfig(s));
    w = std::make_unique<frmFamtree>(s, dialogs);
    EditingHooks hooks;
    hooks.disconnect = [this] { RunDisconnect(s, w.get()); };
    hooks.delete_person = [this] { RunDeletePerson(s, w.get()); };
    w->set_hooks(hooks);
    w->LoadWindow();
  }
};

TEST_F(UndoFlow, OnAFullDiskNothingIsDeletedAndUndoSaysWhyItIsOff) {
  open_window();
  const test::RecordFiles before = test::snapshot(s);
  s.disk.fail_at(1, ENOSPC, true);
  t.prompter.answers = {kAnswerYes};
  QTest::mouseClick(w->button("butDelete"), Qt::LeftButton);
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_EQ(t.prompter.shown.back().title, "Vorlan Family Tree");
  EXPECT_FALSE(w->button("butUndo")->isEnabled());
  EXPECT_EQ(w->button("butUndo")->toolTip(),
            QStringLiteral("Undo is off: the copy of the records it needs could not be written "
                           "(No space left on device)."));
}

TEST_F(UndoFlow, UndoBringsBackTheFamilyAndTheDisconnectedPerson) {
  open_window();
  QPushButton* undo = w->button("butUndo");
  EXPECT_FALSE(undo->isEnabled());
  const test::RecordFiles before = test::snapshot(s);
  const int persons = s.Config.NumPersons();

  on_modal([](QWidget& d) { QTest::mouseClick(child<QPushButton>(d, "Command1_1"), Qt::LeftButton); });
  QTest::mouseClick(w->button("butDisconnect"), Qt::LeftButton);
  ASSERT_EQ(s.Config.NumPersons(), persons + 1);
  EXPECT_TRUE(undo->isEnabled());
  EXPECT_EQ(undo->toolTip(), QStringLiteral("Undo disconnection of Bob Dale"));

  // Undo returns to the state before the disconnection: the placeholder is
  // gone and Bob is selected again.
  QTest::mouseClick(undo, Qt::LeftButton);
  EXPECT_EQ(s.Config.NumPersons(), persons);
  EXPECT_EQ(fam(couple).Husband, bob);
  EXPECT_EQ(s.Rel.Selected.PerNum, bob);
  EXPECT_EQ(w->view()->model().Selected, bob);
  for (const char* f : {recfile::Person, recfile::Marriage, recfile::Ceremony})
    EXPECT_EQ(test::snapshot(s)[f], before.at(f)) << f;
  EXPECT_FALSE(s.RecordsSaved);

  // Undoing twice restores the same state again.
  const test::RecordFiles once = test::snapshot(s);
  QTest::mouseClick(undo, Qt::LeftButton);
  EXPECT_EQ(test::snapshot(s), once);
}

}  // namespace
