// The options dialog, the start-up password window and the backup dialog
// offscreen: controls found by objectName, typing and clicking as a user
// would, message boxes answered and recorded by the scripted prompter, and
// the settings file read back afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <vector>

#include "editing_windows.h"
#include "frm_backup.h"
#include "frm_options.h"
#include "frm_password.h"
#include "mainwin/exit_path.h"
#include "qt_file_dialogs.h"
#include "store/dates.h"
#include "store/familyfile.h"
#include "store/file_io.h"
#include "store/ini.h"
#include "store/password.h"
#include "temp_session.h"
#include "tree_builder.h"
#include "widget_find.h"

using namespace vft;
using namespace vft::ui;
namespace fs = std::filesystem;

namespace {

using vft::test::child;

// Replaces a box's text as a user would: select all, type.
void retype(QLineEdit* box, const QString& text) {
  box->setFocus();
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Delete);
  QTest::keyClicks(box, text);
}

// Types characters QTest's key tables do not know, as a keyboard with them
// would: a key press carrying the text.
void type_text(QWidget* w, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
  }
}

// Window shortcuts (F1) only reach an active window.
void activate(QWidget* w) {
  w->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(w));
}

class OptionsDialog : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  std::vector<int> schemes;  // what the colour hook was asked to show
  std::vector<std::string> topics;

  void SetUp() override {
    LoadSettings(s);
    s.on_help = [this](const std::string& topic) { topics.push_back(topic); };
  }
  std::unique_ptr<frmOptions> open() {
    auto d = std::make_unique<frmOptions>(s);
    d->random = [] { return 4242u; };
    d->apply_colours = [this](int scheme) { schemes.push_back(scheme); };
    d->show();
    return d;
  }
  std::string ini(const char* section, const char* key) const { return IniReadText(s, section, key); }
  const Message& last_box() const { return t.prompter.shown.back(); }
};

}  // namespace

TEST_F(OptionsDialog, OpensWithTheStoredSettings) {
  IniWrite(s, "Configure", "AutoCapFirstChar", "1");
  IniWrite(s, "Configure", "EnblPrompts", "1");
  IniWrite(s, "Configure", "ColourScheme", "256");
  IniWrite(s, "Backup", "Remind", "1");
  IniWrite(s, "Field Names", "FamName", "Surname");
  IniWrite(s, "QuickKeys", "F12", "Kirchberg");
  auto d = open();
  EXPECT_EQ(d->windowTitle(), QStringLiteral("Set Vorlan Family Tree Options"));
  EXPECT_EQ(child<QCheckBox>(*d, "chkPrompts")->text(), QStringLiteral("On screen prompts"));
  EXPECT_EQ(child<QCheckBox>(*d, "chkPassword")->text(), QStringLiteral("Enable password protect"));
  EXPECT_EQ(child<QCheckBox>(*d, "chkAutoCap")->text(), QStringLiteral("First letter auto-capitalization names"));
  EXPECT_TRUE(child<QCheckBox>(*d, "chkPrompts")->isChecked());
  EXPECT_FALSE(child<QCheckBox>(*d, "chkAutoCap")->isChecked());  // 1 = switched off
  EXPECT_TRUE(child<QCheckBox>(*d, "chkColour")->isChecked());
  EXPECT_TRUE(child<QCheckBox>(*d, "chkRemind")->isChecked());
  EXPECT_FALSE(child<QCheckBox>(*d, "chkUCaseFamname")->isChecked());
  EXPECT_FALSE(child<QCheckBox>(*d, "chkPassword")->isChecked());
  EXPECT_FALSE(child<QLineEdit>(*d, "txtPassword")->isEnabled());
  EXPECT_EQ(child<QLineEdit>(*d, "txtFamName")->text(), QStringLiteral("Surname"));
  EXPECT_EQ(child<QLineEdit>(*d, "txtBaptised")->text(), QStringLiteral("Baptised"));
  EXPECT_EQ(child<QLineEdit>(*d, "txtFKey_9")->text(), QStringLiteral("Kirchberg"));
  for (int i = 0; i < 10; ++i) EXPECT_NE(d->findChild<QLineEdit*>(QStringLiteral("txtFKey_%1").arg(i)), nullptr);
  // Showing the stored scheme is not a toggle.
  EXPECT_TRUE(schemes.empty());
  activate(d.get());
  QTest::keyClick(d.get(), Qt::Key_F1);
  child<QPushButton>(*d, "butHelp")->click();
  EXPECT_EQ(topics, (std::vector<std::string>{"options", "options"}));
}

TEST_F(OptionsDialog, ChristenedLabelIsStoredAndNamesTheFieldEverywhere) {
  auto d = open();
  retype(child<QLineEdit>(*d, "txtBaptised"), QStringLiteral("Christened"));
  retype(child<QLineEdit>(*d, "txtFamName"), QStringLiteral("Surname"));
  child<QPushButton>(*d, "butOK")->click();
  EXPECT_EQ(d->result(), static_cast<int>(QDialog::Accepted));
  EXPECT_TRUE(d->displayChanged());
  EXPECT_EQ(ini("Field Names", "Baptised"), "Christened");
  EXPECT_EQ(ini("Field Names", "FamName"), "Surname");
  EXPECT_EQ(s.Messages[msg::BaptisedLabel], "Christened");
  EXPECT_EQ(s.Messages[msg::OnBaptised], " on Christened");
  EXPECT_EQ(s.Messages[msg::FamNameLabel], "Surname");
  EXPECT_EQ(s.Messages[msg::EnterToList], "Enter Surname to List: ");
  DateError(s, datefield::Baptism);
  EXPECT_EQ(last_box().text, "You have entered a Christened date for \r\n this person that is later than today.  \r\n ");

  // A label emptied by the user falls back to the built-in one.
  auto again = open();
  EXPECT_EQ(child<QLineEdit>(*again, "txtBaptised")->text(), QStringLiteral("Christened"));
  retype(child<QLineEdit>(*again, "txtBaptised"), QString());
  child<QPushButton>(*again, "butOK")->click();
  EXPECT_EQ(ini("Field Names", "Baptised"), "Baptised");
  EXPECT_EQ(s.Messages[msg::BaptisedLabel], "Baptised");
}

TEST_F(OptionsDialog, FunctionKeyTextsAreStoredTrimmedAndEmptyAsOneBlank) {
  IniWrite(s, "QuickKeys", "F4", "old text");
  auto d = open();
  retype(child<QLineEdit>(*d, "txtFKey_0"), QStringLiteral("  Born in Graz "));
  retype(child<QLineEdit>(*d, "txtFKey_1"), QString());
  child<QPushButton>(*d, "butOK")->click();
  EXPECT_EQ(d->result(), static_cast<int>(QDialog::Accepted));
  EXPECT_FALSE(d->displayChanged());  // function keys show nowhere in the main window
  EXPECT_EQ(ini("QuickKeys", "F3"), "Born in Graz");
  EXPECT_EQ(s.FunctionKeys[0], "Born in Graz");
  EXPECT_EQ(s.FunctionKeys[1], "");
  // The emptied key is kept in the file as one blank, not removed.
  auto file = fileio::read_all(s.settings_file());
  ASSERT_TRUE(file.has_value());
  const std::string text(file->begin(), file->end());
  EXPECT_NE(text.find("\r\nF4= \r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\r\nF12= \r\n"), std::string::npos) << text;
}

TEST_F(OptionsDialog, CharactersTheSettingsCannotHoldAreRefusedVisibly) {
  auto d = open();
  auto* given = child<QLineEdit>(*d, "txtGivenNames");
  auto* warning = child<QLabel>(*d, "lblWarning");
  retype(given, QStringLiteral("Vorname"));
  EXPECT_TRUE(warning->text().isEmpty());
  type_text(given, QString::fromUtf8("\xc5\x81"));  // a Polish L with stroke
  EXPECT_EQ(given->text(), QStringLiteral("Vorname"));
  EXPECT_FALSE(warning->text().isEmpty());
  type_text(given, QString::fromUtf8("\xc3\xa9"));  // e acute is Western
  EXPECT_EQ(given->text(), QString::fromUtf8("Vorname\xc3\xa9"));
  child<QPushButton>(*d, "butOK")->click();
  EXPECT_EQ(ini("Field Names", "GivenNames"), "Vorname\xe9");
}

TEST_F(OptionsDialog, PasswordSetChangeAndClearWithTheRefusals) {
  auto d = open();
  auto* enable = child<QCheckBox>(*d, "chkPassword");
  auto* box = child<QLineEdit>(*d, "txtPassword");
  EXPECT_EQ(box->echoMode(), QLineEdit::Password);
  enable->click();
  EXPECT_TRUE(box->isEnabled());
  EXPECT_FALSE(box->isReadOnly());
  retype(child<QLineEdit>(*d, "txtFamName"), QStringLiteral("Surname"));

  // Checked but empty: refused, nothing stored, the dialog stays.
  child<QPushButton>(*d, "butOK")->click();
  EXPECT_EQ(last_box().title, "Configure");
  EXPECT_EQ(last_box().text,
            "'Enable Password' has been checked. \r\nYou must enter a password or uncheck \r\n'Enable Password'.");
  EXPECT_TRUE(d->isVisible());
  EXPECT_EQ(ini("Field Names", "FamName"), "Family Name");

  // The one word that cannot be a password, in any case.
  for (const QString& word : {QStringLiteral("ERROR"), QStringLiteral("Error")}) {
    retype(box, word);
    child<QPushButton>(*d, "butOK")->click();
    EXPECT_EQ(last_box().title, "Enter a Password");
    EXPECT_EQ(last_box().text, "Sorry, you can't use the word 'ERROR' as a password");
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(PasswordStored(s));
    EXPECT_EQ(ini("Field Names", "FamName"), "Family Name");
  }

  retype(box, QStringLiteral("Secret"));
  child<QPushButton>(*d, "butOK")->click();
  EXPECT_FALSE(d->isVisible());
  EXPECT_TRUE(CheckPassword(s, "Secret"));
  EXPECT_NE(ini("Configure", "SPW"), "Secret");  // never in the clear
  EXPECT_EQ(ini("Field Names", "FamName"), "Surname");

  // Reopened: checked, the stored password masked and only replaced through
  // the button.
  auto change = open();
  auto* box2 = child<QLineEdit>(*change, "txtPassword");
  EXPECT_TRUE(child<QCheckBox>(*change, "chkPassword")->isChecked());
  EXPECT_TRUE(box2->isReadOnly());
  QTest::keyClicks(box2, QStringLiteral("x"));
  EXPECT_EQ(box2->text(), QStringLiteral("Secret"));
  child<QPushButton>(*change, "butChangePW")->click();
  EXPECT_TRUE(box2->text().isEmpty());
  EXPECT_FALSE(box2->isReadOnly());
  QTest::keyClicks(box2, QStringLiteral("Other"));
  child<QPushButton>(*change, "butOK")->click();
  EXPECT_TRUE(CheckPassword(s, "Other"));
  EXPECT_FALSE(CheckPassword(s, "Secret"));

  // Unchecking clears it: the key is gone from the file.
  auto clear = open();
  child<QCheckBox>(*clear, "chkPassword")->click();
  EXPECT_FALSE(child<QLineEdit>(*clear, "txtPassword")->isEnabled());
  child<QPushButton>(*clear, "butOK")->click();
  EXPECT_FALSE(PasswordStored(s));
  auto file = fileio::read_all(s.settings_file());
  ASSERT_TRUE(file.has_value());
  EXPECT_EQ(std::string(file->begin(), file->end()).find("SPW"), std::string::npos);
}

TEST_F(OptionsDialog, ColourBoxIsTriedAtOnceAndTakenBackOnCancel) {
  auto d = open();
  auto* colour = child<QCheckBox>(*d, "chkColour");
  colour->click();
  colour->click();
  colour->click();
  EXPECT_EQ(schemes, (std::vector<int>{256, 0, 256}));
  child<QPushButton>(*d, "butCancel")->click();
  EXPECT_EQ(schemes.back(), 0);  // the stored scheme again
  EXPECT_EQ(IniReadInt(s, "Configure", "ColourScheme"), 0);

  schemes.clear();
  auto ok = open();
  child<QCheckBox>(*ok, "chkColour")->click();
  child<QCheckBox>(*ok, "chkUCaseFamname")->click();
  child<QCheckBox>(*ok, "chkPrompts")->click();
  child<QPushButton>(*ok, "butOK")->click();
  EXPECT_TRUE(ok->displayChanged());
  EXPECT_EQ(schemes, (std::vector<int>{256}));
  EXPECT_EQ(ini("Configure", "ColourScheme"), "256");
  EXPECT_EQ(ini("Configure", "UCaseFamname"), "1");
  EXPECT_TRUE(s.UCaseFamname);
  EXPECT_EQ(s.Config.EnblPrompts(), 1);

  // Closed with Escape: the same as Cancel.
  schemes.clear();
  auto esc = open();
  child<QCheckBox>(*esc, "chkColour")->click();
  QTest::keyClick(esc.get(), Qt::Key_Escape);
  EXPECT_EQ(schemes, (std::vector<int>{0, 256}));
}

TEST(OptionsDialogRun, ReportsARedrawOnlyWhenTheMainWindowShowsTheChange) {
  test::TempSession t;
  LoadSettings(t.s);
  auto drive = [](void (*act)(QWidget&)) {
    QTimer::singleShot(0, [act] {
      QWidget* w = QApplication::activeModalWidget();
      ASSERT_NE(w, nullptr);
      act(*w);
    });
  };
  drive([](QWidget& w) { child<QPushButton>(w, "butOK")->click(); });
  EXPECT_FALSE(RunOptions(t.s, nullptr));
  drive([](QWidget& w) {
    child<QCheckBox>(w, "chkUCaseFamname")->click();
    child<QPushButton>(w, "butOK")->click();
  });
  EXPECT_TRUE(RunOptions(t.s, nullptr));
  drive([](QWidget& w) {
    child<QCheckBox>(w, "chkUCaseFamname")->click();
    child<QPushButton>(w, "butCancel")->click();
  });
  EXPECT_FALSE(RunOptions(t.s, nullptr));
  EXPECT_TRUE(t.s.UCaseFamname);
}

TEST(PasswordPrompt, WrongRightAndExit) {
  test::TempSession t;
  std::vector<std::string> topics;
  t.s.on_help = [&](const std::string& topic) { topics.push_back(topic); };
  ASSERT_TRUE(StorePassword(t.s, "Opal7", [] { return 99u; }));
  frmPassword p(t.s);
  p.show();
  auto* text = child<QLineEdit>(p, "txtPassword");
  auto* error = child<QLabel>(p, "lblError");
  QTest::keyClicks(text, QStringLiteral("opal7"));  // case matters
  QTest::keyClick(text, Qt::Key_Return);
  EXPECT_FALSE(error->text().isEmpty());
  EXPECT_TRUE(text->text().isEmpty());
  EXPECT_TRUE(p.isVisible());
  activate(&p);
  QTest::keyClick(&p, Qt::Key_F1);
  EXPECT_EQ(topics, std::vector<std::string>{"password"});
  QTest::keyClicks(text, QStringLiteral("Opal7"));
  child<QPushButton>(p, "butOK")->click();
  EXPECT_EQ(p.result(), static_cast<int>(QDialog::Accepted));

  frmPassword q(t.s);
  q.show();
  child<QPushButton>(q, "butCancel")->click();
  EXPECT_EQ(q.result(), static_cast<int>(QDialog::Rejected));
  EXPECT_TRUE(t.prompter.shown.empty());
}

namespace {

class BackupWindow : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  ScriptedFileDialogs dialogs;
  std::vector<std::string> topics;
  void SetUp() override {
    test::TreeBuilder b(s);
    auto tom = b.person("Tom", "Hill", "M");
    auto sue = b.person("Sue", "Dale", "F");
    b.child(b.family(tom, sue), "Ann", "Hill", "F");
    s.RecordsSaved = true;
    s.on_help = [this](const std::string& topic) { topics.push_back(topic); };
  }
  std::string path(const std::string& name) const { return t.dir.path() + name; }
};

}  // namespace

TEST_F(BackupWindow, ShowsTheStoredFolderAndRefusesARelativeOne) {
  IniWrite(s, "Backup", "CurBackupPath", path("bk/"));
  IniWrite(s, "Backup", "Remind", "1");
  frmBackup d(s, dialogs);
  d.show();
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Backup Vorlan Family Tree Records"));
  EXPECT_EQ(child<QLabel>(d, "lblCurrentFolder")->text(), from_native("Current backup folder is: " + path("bk/")));
  EXPECT_EQ(child<QLabel>(d, "lblInstructions")->text(),
            QStringLiteral(" Click 'OK' to back up your Vorlan Family Tree records or click "
                           "'Select' to change the backup drive or folder."));
  auto* folder = child<QLineEdit>(d, "txtBackupPath");
  EXPECT_EQ(folder->text(), from_native(path("bk/")));
  EXPECT_TRUE(child<QCheckBox>(d, "chkRemind")->isChecked());

  retype(folder, QStringLiteral("my backups"));
  child<QPushButton>(d, "butSelect")->setFocus();
  child<QPushButton>(d, "butOK")->click();
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].text, "The path name you entered is invalid.");
  EXPECT_TRUE(d.isVisible());
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(d.focusWidget(), folder);

  activate(&d);
  QTest::keyClick(&d, Qt::Key_F1);
  EXPECT_EQ(topics, std::vector<std::string>{"backup"});
}

TEST_F(BackupWindow, SelectFillsTheFolderBox) {
  frmBackup d(s, dialogs);
  d.show();
  EXPECT_EQ(child<QLabel>(d, "lblInstructions")->text(),
            QStringLiteral("Please select a drive and folder to store your backup file to.\n"
                           "To do this click the 'Select' button and navigate to the drive and\n"
                           "folder where you wish to store your backup files then click 'OK'."));
  dialogs.answers = {path("picked"), ""};
  auto* folder = child<QLineEdit>(d, "txtBackupPath");
  child<QPushButton>(d, "butSelect")->click();
  EXPECT_EQ(folder->text(), from_native(path("picked")));
  child<QPushButton>(d, "butSelect")->click();  // cancelled: the box keeps its folder
  EXPECT_EQ(folder->text(), from_native(path("picked")));
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].title, "Select the folder where you wish to store your backup.");
}

TEST_F(BackupWindow, RunBackupWritesTheFileAndClosesOrIsCancelled) {
  const std::string folder = path("usb");
  dialogs.answers = {folder + "/Hill.TXT"};
  t.prompter.answers = {kAnswerYes, kAnswerOK, kAnswerOK};  // create, extension, success
  QTimer::singleShot(0, [&] {
    QWidget* w = QApplication::activeModalWidget();
    ASSERT_NE(w, nullptr);
    retype(child<QLineEdit>(*w, "txtBackupPath"), from_native(folder));
    child<QCheckBox>(*w, "chkRemind")->click();
    child<QPushButton>(*w, "butOK")->click();
  });
  EXPECT_TRUE(RunBackup(s, dialogs, nullptr));
  ASSERT_EQ(t.prompter.shown.size(), 3u);
  EXPECT_EQ(t.prompter.shown[2].text, "\r\nYour backup was successful.");
  EXPECT_TRUE(fs::is_regular_file(folder + "/Hill.Vfl"));
  EXPECT_EQ(IniReadText(s, "Backup", "Remind"), "1");
  EXPECT_EQ(IniReadText(s, "Backup", "CurBackupPath"), folder + "/");
  EXPECT_EQ(IniReadText(s, "Backup", "LastBackup"), "20261205");
  EXPECT_EQ(IniReadText(s, "Backup", "LastBackupNumPer"), "3");
  EXPECT_TRUE(s.RecordsSaved);

  QTimer::singleShot(0, [] {
    QWidget* w = QApplication::activeModalWidget();
    ASSERT_NE(w, nullptr);
    child<QPushButton>(*w, "butCancel")->click();
  });
  EXPECT_FALSE(RunBackup(s, dialogs, nullptr));
}

TEST_F(BackupWindow, ExitReminderYesOpensTheBackupDialog) {
  dialogs.answers = {path("exit.vfl")};
  t.prompter.answers = {kAnswerYes};  // first reminder: make a backup now
  bool dialog_seen = false;
  QTimer::singleShot(0, [&] {
    QWidget* w = QApplication::activeModalWidget();
    ASSERT_NE(w, nullptr);
    dialog_seen = w->objectName() == QStringLiteral("frmBackup");
    retype(child<QLineEdit>(*w, "txtBackupPath"), from_native(t.dir.path()));
    child<QPushButton>(*w, "butOK")->click();
  });
  EXPECT_TRUE(BackupReminder(s, [&] { return RunBackup(s, dialogs, nullptr); }));
  EXPECT_TRUE(dialog_seen);
  EXPECT_TRUE(fs::is_regular_file(path("exit.vfl")));
  EXPECT_EQ(IniReadText(s, "Backup", "LastBackup"), "20261205");
}
