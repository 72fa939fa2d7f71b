// The export dialog: the submitter boxes and the settings, the save dialog,
// the flavour, stopping half way and characters the file cannot hold.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <tuple>

#include "editing_windows.h"
#include "frm_gedcom_export.h"
#include "gedweb_fixture.h"
#include "gedweb_text_guard.h"
#include "qt_text.h"
#include "store/ini.h"
#include "temp_session.h"
#include "tree_builder.h"

using namespace vft;
using namespace vft::ui;
using vft::test::child;

namespace {

class GedwebExportWindow : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  ScriptedFileDialogs dialogs;
  std::string target;

  GedwebExportWindow() {
    std::filesystem::create_directories(s.settings_folder());
    test::TreeBuilder b(s);
    b.family(b.person("John", "Smith", "M"), b.person("Mary", "Jones", "F"), "1 Jan 1950");
    s.CurrentFilePath = t.dir.path() + "Smiths.vfl";
    IniWrite(s, "USER", "Name", "Ann Author");
    IniWrite(s, "USER", "Address1", "1 Road");
    IniWrite(s, "USER", "Email", "ann@example.org");
    target = t.dir.path() + "out.ged";
  }
};

}  // namespace

TEST_F(GedwebExportWindow, BoxesComeFromTheSettingsAndTheExportStoresThem) {
  frmGEDCOMExport w(s, dialogs);
  EXPECT_EQ(child<QLabel>(w, "lblCaption_0")->text(), QStringLiteral("Enter the submitter details."));
  EXPECT_EQ(child<QLabel>(w, "lblCaption_1")->text(),
            QStringLiteral("These will be included at the head of the generated GEDCOM file."));
  EXPECT_EQ(child<QLineEdit>(w, "txtName")->text(), QStringLiteral("Ann Author"));
  EXPECT_EQ(child<QLineEdit>(w, "txtAddress1")->text(), QStringLiteral("1 Road"));
  EXPECT_EQ(child<QLineEdit>(w, "txtAddress2")->text(), QString());
  EXPECT_EQ(child<QLineEdit>(w, "txtEmail")->text(), QStringLiteral("ann@example.org"));

  test::retype(child<QLineEdit>(w, "txtPhone"), QStringLiteral("555 0100"));
  test::retype(child<QLineEdit>(w, "txtName"), QStringLiteral("Zo\u00eb Author"));
  dialogs.answers = {target};
  child<QPushButton>(w, "cmdExport")->click();

  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].proposed_name, "Smiths");  // the request itself: gedweb_export_dialog_test.cpp

  EXPECT_EQ(w.status(), ExportStatus::Done);
  EXPECT_EQ(w.result(), QDialog::Accepted);
  const std::string text = test::read_file(target);
  EXPECT_NE(text.find("1 CHAR ANSI\r\n"), std::string::npos);
  EXPECT_NE(text.find("0 @S1@ SUBM\r\n1 NAME Zo\xEB Author\r\n1 ADDR 1 Road\r\n2 CONT ann@example.org\r\n"
                      "1 PHON 555 0100\r\n"),
            std::string::npos);
  EXPECT_EQ(IniReadText(s, "USER", "Name"), "Zo\xEB Author");
  EXPECT_EQ(IniReadText(s, "USER", "Phone"), "555 0100");
  EXPECT_EQ(IniReadText(s, "FilePaths", "GEDCOMSavePath"), t.dir.path());
  EXPECT_EQ(test::texts(t.prompter),
            std::vector<std::string>{"GEDCOM file 'out.ged' has been created and stored in the folder: " +
                                     t.dir.path()});
}

TEST_F(GedwebExportWindow, FlavourBoxesChooseTheFormOneAtATime) {
  frmGEDCOMExport w(s, dialogs);
  auto* g551 = child<QCheckBox>(w, "chkOtherPrograms");
  auto* g70 = child<QCheckBox>(w, "chkGedcom7");
  EXPECT_FALSE(g551->isChecked() || g70->isChecked());
  IniWrite(s, "FilePaths", "GEDCOMSavePath", t.dir.path());
  for (auto [box, other, marker] : {std::tuple{g551, g70, "2 VERS 5.5.1\r\n2 FORM LINEAGE-LINKED\r\n1 CHAR UTF-8\r\n"},
                                    std::tuple{g70, g551, "0 HEAD\r\n1 GEDC\r\n2 VERS 7.0\r\n"}}) {
    other->setChecked(true);
    box->click();
    EXPECT_FALSE(other->isChecked());
    dialogs.answers = {target};
    child<QPushButton>(w, "cmdExport")->click();
    const std::string text = test::read_file(target);
    EXPECT_NE(text.find(marker), std::string::npos) << marker;
    EXPECT_EQ(text.find("1 CHAR ANSI"), std::string::npos);
  }
  EXPECT_EQ(dialogs.shown[0].folder, t.dir.path());
}

TEST_F(GedwebExportWindow, CancelledSaveDialogKeepsTheDialogAndWritesNothing) {
  frmGEDCOMExport w(s, dialogs);
  w.show();
  test::retype(child<QLineEdit>(w, "txtName"), QStringLiteral("Not Kept"));
  child<QPushButton>(w, "cmdExport")->click();  // the queue is empty: cancelled
  EXPECT_TRUE(w.isVisible());
  EXPECT_TRUE(t.prompter.shown.empty());
  EXPECT_EQ(IniReadText(s, "USER", "Name"), "Ann Author");
  std::vector<std::string> help;
  s.on_help = [&](const std::string& topic) { help.push_back(topic); };
  child<QPushButton>(w, "cmdHelp")->click();
  EXPECT_EQ(help, std::vector<std::string>{"gedcom_export"});
  child<QPushButton>(w, "cmdCancel")->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(w.result(), QDialog::Rejected);
}

TEST_F(GedwebExportWindow, CancelWhileWritingStopsWithoutAFile) {
  frmGEDCOMExport w(s, dialogs);
  w.show();
  dialogs.answers = {target};
  // Pressed when the first person lets events through; the second one stops.
  QTimer::singleShot(0, &w, [&w] { child<QPushButton>(w, "cmdCancel")->click(); });
  child<QPushButton>(w, "cmdExport")->click();
  EXPECT_EQ(w.status(), ExportStatus::Cancelled);
  EXPECT_FALSE(w.isVisible());
  EXPECT_FALSE(std::filesystem::exists(target));
  EXPECT_TRUE(t.prompter.shown.empty());
  EXPECT_EQ(IniReadText(s, "FilePaths", "GEDCOMSavePath"), "");
}

TEST_F(GedwebExportWindow, CharactersOutsideTheCodePageAreReplacedVisibly) {
  frmGEDCOMExport w(s, dialogs);
  w.show();
  auto* warning = child<QLabel>(w, "lblCharWarning");
  EXPECT_FALSE(warning->isVisible());
  auto* box = child<QLineEdit>(w, "txtAddress2");
  test::type_text(box, QStringLiteral("\u0141\u00f3d\u017a"));  // L-stroke has no CP1252 byte
  EXPECT_EQ(box->text(), QStringLiteral("?\u00f3d?"));  // z-acute has none either
  EXPECT_TRUE(warning->isVisible());
  EXPECT_EQ(warning->text(), QString::fromLatin1(kReplacedCharacters));
  EXPECT_EQ(w.typed().Address2, "?\xF3" "d?");
}

TEST_F(GedwebExportWindow, RunOpensTheDialog) {
  test::when_modal([](QWidget& w) { return w.objectName() == QStringLiteral("frmGEDCOMExport"); },
                   [](QWidget& w) { child<QPushButton>(w, "cmdCancel")->click(); });
  RunGedcomExport(s, dialogs, nullptr);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(std::filesystem::exists(target));
}
