// The options and backup dialogs' wiring, offscreen: controls found by
// objectName, typing and clicking as a user would, and the settings file
// read back. The rules of both dialogs are tested in the core tests of the
// settings, the password and the backup dialog; the password asked at the
// start is walked through in the main window's flows.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <filesystem>
#include <vector>

#include "mainwindow/editing_windows.h"
#include "exchange/frm_backup.h"
#include "dialogs/frm_options.h"
#include "dialogs/qt_file_dialogs.h"
#include "store/ini.h"
#include "store/password.h"
#include "tree_fixture.h"
#include "widget_find.h"

using namespace vft;
using namespace vft::ui;
using vft::test::child;
using vft::test::click;
using vft::test::retype;
namespace fs = std::filesystem;

namespace {

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
};

TEST_F(OptionsDialog, ShowsTheStoredSettingsAndStoresWhatIsTyped) {
  IniWrite(s, "Configure", "AutoCapFirstChar", "1");
  IniWrite(s, "QuickKeys", "F12", "Kirchberg");
  auto d = open();
  EXPECT_FALSE(child<QCheckBox>(*d, "chkAutoCap")->isChecked());  // 1 = switched off
  EXPECT_FALSE(child<QLineEdit>(*d, "txtPassword")->isEnabled());
  EXPECT_EQ(child<QLineEdit>(*d, "txtFKey_9")->text(), QStringLiteral("Kirchberg"));
  click(*d, "butHelp");
  EXPECT_EQ(topics, std::vector<std::string>{"options"});

  retype(child<QLineEdit>(*d, "txtFKey_0"), QStringLiteral("  Born in Graz "));
  retype(child<QLineEdit>(*d, "txtFamName"), QStringLiteral("Surname"));
  // A character the settings cannot hold is refused as it is typed.
  auto* given = child<QLineEdit>(*d, "txtGivenNames");
  retype(given, QStringLiteral("Vorname"));
  test::type_keys(given, QString::fromUtf8("\xc5\x81"));  // a Polish L with stroke
  EXPECT_FALSE(test::label_text(*d, "lblWarning").isEmpty());
  test::type_keys(given, QString::fromUtf8("\xc3\xa9"));  // e acute is Western
  EXPECT_EQ(given->text(), QString::fromUtf8("Vorname\xc3\xa9"));
  child<QCheckBox>(*d, "chkUCaseFamname")->click();
  click(*d, "butOK");
  EXPECT_EQ(ini("QuickKeys", "F3"), "Born in Graz");
  EXPECT_EQ(ini("Field Names", "FamName"), "Surname");
  EXPECT_EQ(ini("Field Names", "GivenNames"), "Vorname\xe9");
  EXPECT_TRUE(s.UCaseFamname);
}

TEST_F(OptionsDialog, PasswordIsReplacedOnlyThroughItsButtonAndClearedByTheBox) {
  ASSERT_TRUE(StorePassword(s, "Secret", [] { return 99u; }));
  auto change = open();
  auto* box = child<QLineEdit>(*change, "txtPassword");
  EXPECT_EQ(box->echoMode(), QLineEdit::Password);
  QTest::keyClicks(box, QStringLiteral("x"));
  EXPECT_EQ(box->text(), QStringLiteral("Secret"));  // read-only until the button
  click(*change, "butChangePW");
  EXPECT_TRUE(box->text().isEmpty());
  QTest::keyClicks(box, QStringLiteral("Other"));
  click(*change, "butOK");
  EXPECT_TRUE(CheckPassword(s, "Other"));

  auto clear = open();
  child<QCheckBox>(*clear, "chkPassword")->click();
  click(*clear, "butOK");
  EXPECT_FALSE(PasswordStored(s));
}

TEST_F(OptionsDialog, ColourIsTriedAtOnceAndTakenBackOnCancel) {
  auto d = open();
  auto* colour = child<QCheckBox>(*d, "chkColour");
  colour->click();
  colour->click();
  colour->click();
  click(*d, "butCancel");
  EXPECT_EQ(schemes, (std::vector<int>{256, 0, 256, 0}));  // the last: the stored scheme again
  EXPECT_EQ(IniReadInt(s, "Configure", "ColourScheme"), 0);
}

TEST_F(OptionsDialog, RunReportsARedrawOnlyWhenTheMainWindowShowsTheChange) {
  const struct {
    bool toggle;
    const char* button;
    bool redraw;
  } runs[] = {{false, "butOK", false}, {true, "butOK", true}, {true, "butCancel", false}};
  for (const auto& r : runs) {
    test::ModalDriver d;
    d.on("frmOptions", [&r](QWidget* w) {
      if (r.toggle) child<QCheckBox>(w, "chkUCaseFamname")->click();
      click(w, r.button);
    });
    EXPECT_EQ(RunOptions(s, nullptr), r.redraw) << r.button;
  }
  EXPECT_TRUE(s.UCaseFamname);
}

class BackupWindow : public test::TreeFixture {
 protected:
  ScriptedFileDialogs dialogs;
  void SetUp() override {
    b.child(b.family(b.person("Tom", "Hill", "M"), b.person("Sue", "Dale", "F")), "Ann", "Hill", "F");
    s.RecordsSaved = true;
  }
};

TEST_F(BackupWindow, RefusesARelativeFolderThenBacksUpToTheSelectedOne) {
  const std::string folder = t.dir.path() + "usb";
  dialogs.answers = {folder, folder + "/Hill.TXT"};
  t.prompter.answers = {kAnswerOK, kAnswerYes, kAnswerOK, kAnswerOK};  // refusal, create, extension, success
  test::ModalDriver d;
  d.on("frmBackup", [&](QWidget* w) {
     auto* box = child<QLineEdit>(w, "txtBackupPath");
     retype(box, QStringLiteral("my backups"));
     click(w, "butOK");
     EXPECT_EQ(t.prompter.shown.size(), 1u);  // refused
     EXPECT_TRUE(w->isVisible());
     click(w, "butSelect");
     EXPECT_EQ(box->text(), from_native(folder));
     child<QCheckBox>(w, "chkRemind")->click();
     click(w, "butOK");
   }).on("frmBackup", [](QWidget* w) { click(w, "butCancel"); });
  EXPECT_TRUE(RunBackup(s, dialogs, nullptr));
  EXPECT_EQ(t.prompter.shown.size(), 4u);
  EXPECT_TRUE(fs::is_regular_file(folder + "/Hill.Vfl"));
  EXPECT_EQ(IniReadText(s, "Backup", "Remind"), "1");
  EXPECT_FALSE(RunBackup(s, dialogs, nullptr));
}

}  // namespace
