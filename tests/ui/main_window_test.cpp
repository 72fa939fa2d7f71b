// The main window's wiring, offscreen: its menus and buttons by objectName,
// what is enabled in which state, the keys, the start menu, Save As and the
// exit path, with message boxes and file dialogs answered from scripts. The
// commands' rules are tested in the core tests of the commands, the start
// and the exit path.
#include <QMenuBar>
#include <filesystem>
#include <map>

#include "mainwindow/frm_start_menu.h"
#include "store/familyfile.h"
#include "store/file_io.h"
#include "store/ini.h"
#include "ui_driver.h"

using namespace vft;
using namespace vft::ui;

namespace {

// The main window alone, without the windows its commands open.
class MainWindow : public test::Workflow {
 protected:
  bool exited = false;
  int help_opened = 0;

  void open_bare() {
    open_window(false);
    watch_exit_and_help();
  }
  // A couple with five children, the father selected.
  void open_tree() {
    const auto tom = b.person("Tom", "Hill", "M");
    const auto m = b.family(tom, b.person("Sue", "Dale", "F"), "4 May 1950");
    for (const char* name : {"Ann", "Bob", "Cat", "Dan", "Eve"}) b.child(m, name, "Hill", "F");
    open_saved_tree_at(tom, false);
    watch_exit_and_help();
  }
  void watch_exit_and_help() {
    w->on_exit = [this] { exited = true; };
    w->open_help = [this] { ++help_opened; };
  }
  void change_something() {
    PersonRecord p;
    ASSERT_TRUE(ReadPersonRecord(s, 1, p));
    p.Occupation = "Miller";
    ASSERT_TRUE(WritePersonRecord(s, 1, p));
  }
  // A shown window over a changed tree, the upgrade and backup reminders
  // silenced so that closing asks only about the changes.
  void open_changed_tree_for_exit() {
    open_tree();
    IniWrite(s, "Configure", "AskUpdate", "1");
    IniWrite(s, "Backup", "LastBackup", "No");
    change_something();
    w->show();
  }
};

}  // namespace

TEST_F(MainWindow, CommandsWithoutTheirWindowsAreDisabledUntilHooked) {
  open_tree();
  for (const char* name : {"mnuAddPerson", "mnuEditPerson", "mnuDeletePerson", "mnuConnect", "mnuDisconnect",
                           "mnuEditMarr", "mnuArrangeFam", "mnuGEDOut", "mnuBuildWebPages", "mnuConfig", "mnuPrintData",
                           "mnuPrintDesc", "mnuTimeLine", "mnuEmailUs", "mnuUndo", "mnuSave"})
    EXPECT_FALSE(action(name)->isEnabled()) << name;
  for (const char* name :
       {"butAddPerson", "butConnect", "butDisconnect", "butDelete", "butEditMarr", "butPrint", "butUndo", "butSave"})
    EXPECT_FALSE(button(name)->isEnabled()) << name;
  for (const char* name : {"mnuNew", "mnuOpen", "mnuSaveAs", "mnuBackup", "mnuRestore", "mnuGEDIn", "mnuSelect",
                           "mnuOrphans", "mnuExit", "mnuAbout"})
    EXPECT_TRUE(action(name)->isEnabled()) << name;
  EXPECT_TRUE(button("butSelect")->isEnabled());
  EXPECT_TRUE(button("butQuit")->isEnabled());

  int added = 0, marriages = 0;
  EditingHooks hooks;
  hooks.add_person = [&] { ++added; };
  hooks.edit_marriage = [&] { ++marriages; };
  w->set_hooks(hooks);
  action("mnuAddPerson")->trigger();
  action("mnuEditMarr")->trigger();
  EXPECT_EQ(added, 1);
  EXPECT_EQ(marriages, 1);
  EXPECT_TRUE(s.Rel.AddMode);
}

TEST_F(MainWindow, SaveFollowsTheRecordWrites) {
  open_tree();  // saved: Save is off (the disabled list above)
  change_something();
  // Save, on after the write, of a tree without a name goes through Save As.
  dialogs.answers = {t.dir.path() + "hills.Vfl"};
  button("butSave")->click();
  EXPECT_TRUE(fileio::exists(t.dir.path() + "hills.Vfl"));
  EXPECT_FALSE(button("butSave")->isEnabled());
  EXPECT_EQ(w->windowTitle(), QStringLiteral("hills.Vfl Family Tree"));
}

TEST_F(MainWindow, KeysPressTheirButtonsOnlyWhenUsable) {
  open_tree();
  int added = 0;
  EXPECT_TRUE(w->handleKey(Qt::Key_A, Qt::NoModifier));  // the key is the window's, the button is off
  EditingHooks hooks;
  hooks.add_person = [&] { ++added; };
  w->set_hooks(hooks);
  w->show();
  QTest::keyClick(w.get(), Qt::Key_A);
  EXPECT_EQ(added, 1);
  // With modifiers a letter is not the window's.
  EXPECT_FALSE(w->handleKey(Qt::Key_A, Qt::ControlModifier));
  QTest::keyClick(w.get(), Qt::Key_H);
  EXPECT_EQ(help_opened, 1);
  // The view's keys: End selects child 0 (Ann, person 3).
  QTest::keyClick(w.get(), Qt::Key_End);
  EXPECT_EQ(s.Config.LastPerson(), 3);
}

TEST_F(MainWindow, AccessKeysOfMenusAndButtonsNeverClash) {
  open_tree();
  w->show();
  std::map<QChar, QString> owner;
  auto claim = [&owner](const QString& text) {
    const qsizetype amp = text.indexOf(QLatin1Char('&'));
    if (amp < 0 || amp + 1 >= text.size()) return;
    const QChar key = text.at(amp + 1).toLower();
    EXPECT_FALSE(owner.count(key)) << text.toStdString() << " and " << owner[key].toStdString();
    owner[key] = text;
  };
  for (QAction* menu : w->menuBar()->actions()) claim(menu->text());
  for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
    if (b->isVisible()) claim(b->text());
  EXPECT_GE(owner.size(), 15u);  // the menus, the button bar and the family view's buttons
}

TEST_F(MainWindow, ExitPathQuestionsAndWhatTheyKeep) {
  open_changed_tree_for_exit();
  boxes.answers = {kAnswerCancel};
  w->close();
  EXPECT_FALSE(exited);
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_TRUE(std::filesystem::exists(s.WorkFolder));

  boxes.answers = {kAnswerNo};
  const std::string work = s.WorkFolder;
  w->close();
  EXPECT_TRUE(exited);
  EXPECT_FALSE(std::filesystem::exists(work));
}

TEST_F(MainWindow, EmptyTreeActivationBringsTheStartMenuAndItsExitEndsTheProgram) {
  open_bare();
  w->show();
  QTimer::singleShot(0, [this] {
    frmStartMenu* menu = w->startMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->entry(0)->isEnabled());  // the person editor comes later
    EXPECT_TRUE(menu->entry(1)->isEnabled());
    QTest::keyClick(menu, Qt::Key_X);
  });
  w->OnActivate();
  EXPECT_EQ(w->startMenu(), nullptr);
  EXPECT_TRUE(w->startTag());
  EXPECT_FALSE(button("butQuit")->isVisibleTo(w.get()));
  QTest::qWait(20);
  EXPECT_TRUE(exited);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MainWindow, StartMenuOpenLoadsTheTreeAndAFailedOpenKeepsTheMenu) {
  {
    test::TempSession other;
    test::TreeBuilder(other.s).person("Ida", "Frost", "F");
    other.s.Config.setLastPerson(1);
    ASSERT_EQ(SaveFamilyFile(other.s, other.s.WorkFolder, t.dir.path() + "frost.vfl"), -1);
  }
  ASSERT_TRUE(test::put_file(t.dir.path() + "junk.vfl", Bytes(3000, 'j')));
  open_bare();
  w->show();
  dialogs.answers = {t.dir.path() + "junk.vfl", t.dir.path() + "frost.vfl"};
  bool stayed_open = false;
  QString status_after_refusal = QStringLiteral("unset");
  QTimer::singleShot(0, [&] {
    frmStartMenu* menu = w->startMenu();
    ASSERT_NE(menu, nullptr);
    QTest::keyClick(menu, Qt::Key_O);
    stayed_open = w->startMenu() != nullptr && menu->isVisible();
    status_after_refusal = w->statusText();
    QTest::keyClick(menu, Qt::Key_O);
  });
  w->OnActivate();
  EXPECT_TRUE(stayed_open);
  EXPECT_EQ(status_after_refusal, QString());  // not the load's "Reading Family Data"
  EXPECT_EQ(boxes.shown.size(), 1u);           // the refusal of junk.vfl
  EXPECT_EQ(s.Config.NumPersons(), 1);
  EXPECT_FALSE(w->startTag());
  EXPECT_EQ(w->windowTitle(), QStringLiteral("frost.vfl Family Tree"));
}

TEST(StartMenu, EntriesKeysAndTheCloseBox) {
  frmStartMenu menu;
  std::vector<int> pressed;
  for (int i = 0; i < 4; ++i) menu.set_action(i, [&pressed, i] { pressed.push_back(i); });
  int helps = 0;
  menu.set_help([&] { ++helps; });
  menu.show();
  for (int key : {Qt::Key_A, Qt::Key_O, Qt::Key_I, Qt::Key_X, Qt::Key_H, Qt::Key_Q}) QTest::keyClick(&menu, key);
  EXPECT_EQ(pressed, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(helps, 1);
  // Closing it any other way presses the exit entry.
  menu.close();
  QTest::keyClick(&menu, Qt::Key_Escape);
  EXPECT_EQ(pressed, (std::vector<int>{0, 1, 2, 3, 3, 3}));
  menu.close_from_code();
  EXPECT_FALSE(menu.isVisible());
  EXPECT_EQ(pressed.size(), 6u);
}
