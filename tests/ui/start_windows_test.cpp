// The small windows of the start: the welcome text and the password prompt.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "frm_password.h"
#include "frm_splash.h"
#include "frm_welcome.h"
#include "mainwin/startup.h"
#include "store/file_io.h"
#include "store/password.h"
#include "temp_session.h"
#include "widget_find.h"

using namespace vft;
using namespace vft::ui;

namespace {

using test::child;

void write_text(const std::string& file, const std::string& text) {
  ASSERT_TRUE(test::put_file(file, Bytes(text.begin(), text.end())));
}

}  // namespace

TEST(WelcomeWindow, ShowsTheTextAndRemembersTheCheckBox) {
  test::TempSession t;
  write_text(t.s.ProgramFolder + "/welcome.txt", "Hello\r\nand welcome\r\n");
  frmWelcome w(t.s);
  EXPECT_EQ(child<QPlainTextEdit>(w, "txtWelcome")->toPlainText(), QStringLiteral("Hello\nand welcome"));
  ASSERT_TRUE(WelcomeWanted(t.s));
  child<QCheckBox>(w, "chkDontShow")->click();
  EXPECT_FALSE(WelcomeWanted(t.s));
  EXPECT_TRUE(fileio::exists(t.s.ProgramFolder + "/welcome.txt"));
}

TEST(WelcomeWindow, ReadMeMissingOrWithoutAViewer) {
  test::TempSession t;
  frmWelcome w(t.s);
  QString opened;
  bool viewer = false;
  w.open_document = [&](const QString& path) {
    opened = path;
    return viewer;
  };
  auto* readme = child<QPushButton>(w, "butReadMe");
  readme->click();
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].title, "Missing File");
  EXPECT_EQ(t.prompter.shown[0].text, "VFT can't find the file 'ReadMe.TXT. \r\nIt should be in the folder \r\n" +
                                          t.s.ProgramFolder + "\r\nthat you installed VFT to..");
  EXPECT_TRUE(opened.isEmpty());

  write_text(t.s.ProgramFolder + "/ReadMe.Txt", "read me");
  readme->click();
  EXPECT_TRUE(opened.endsWith(QStringLiteral("/ReadMe.Txt")));
  ASSERT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_EQ(t.prompter.shown[1].title, "Can't find Notepad");
  EXPECT_EQ(t.prompter.shown[1].text,
            "VFT can't find NotePad.EXE that is needed  \r\n to view this file. \r\n  \r\n To view ReadMe.TXT. open your "
            "text editor  \r\n and locate ReadMe.txt in the folder \r\n \r\n" +
                t.s.ProgramFolder);
  viewer = true;
  readme->click();
  EXPECT_EQ(t.prompter.shown.size(), 2u);
}

TEST(PasswordWindow, WrongEntryIsReportedAndTheRightOneLetsIn) {
  test::TempSession t;
  ASSERT_TRUE(StorePassword(t.s, "Secret", [] { return 12345u; }));
  frmPassword p(t.s);
  auto* text = child<QLineEdit>(p, "txtPassword");
  auto* error = child<QLabel>(p, "lblError");
  EXPECT_EQ(text->echoMode(), QLineEdit::Password);
  EXPECT_TRUE(error->text().isEmpty());
  p.show();
  QTest::keyClicks(text, QStringLiteral("secret"));
  child<QPushButton>(p, "butOK")->click();
  EXPECT_FALSE(error->text().isEmpty());
  EXPECT_TRUE(text->text().isEmpty());
  EXPECT_EQ(p.result(), 0);
  QTest::keyClicks(text, QStringLiteral("Secret"));
  QTest::keyClick(text, Qt::Key_Return);
  EXPECT_EQ(p.result(), static_cast<int>(QDialog::Accepted));
}

TEST(SplashWindow, ShowsTheVersionAndTheMessage) {
  frmSplash s;
  EXPECT_EQ(child<QLabel>(s, "lblVersion")->text(), QStringLiteral("Vorlan Family Tree Version: 1.63 (1.63.0)"));
  s.set_message(QStringLiteral("Opening File  'a.vfl'.   Please wait..."));
  EXPECT_EQ(child<QLabel>(s, "lblMessage")->text(), QStringLiteral("Opening File  'a.vfl'.   Please wait..."));
}
