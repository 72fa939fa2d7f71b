// The welcome window of the start: its text, the check box that silences it
// and the ReadMe button. (The password prompt is walked in the main window's
// flows.)
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "mainwindow/frm_welcome.h"
#include "mainwin/startup.h"
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

TEST(WelcomeWindow, TextCheckBoxAndTheReadMeMissingOrWithoutAViewer) {
  test::TempSession t;
  write_text(t.s.ProgramFolder + "/welcome.txt", "Hello\r\nand welcome\r\n");
  frmWelcome w(t.s);
  EXPECT_EQ(child<QPlainTextEdit>(w, "txtWelcome")->toPlainText(), QStringLiteral("Hello\nand welcome"));
  child<QCheckBox>(w, "chkDontShow")->click();
  EXPECT_FALSE(WelcomeWanted(t.s));

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
  EXPECT_EQ(
      t.prompter.shown[1].text,
      "VFT can't find NotePad.EXE that is needed  \r\n to view this file. \r\n  \r\n To view ReadMe.TXT. open your "
      "text editor  \r\n and locate ReadMe.txt in the folder \r\n \r\n" +
          t.s.ProgramFolder);
  viewer = true;
  readme->click();
  EXPECT_EQ(t.prompter.shown.size(), 2u);
}
