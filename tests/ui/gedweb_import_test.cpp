// frmGEDCOM: the header frame, the conversion with its result, the merge on
// OK and the ways out that leave the tree alone.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "editing_windows.h"
#include "frm_gedcom.h"
#include "gedweb_fixture.h"
#include "qt_text.h"
#include "store/ini.h"
#include "store/paths.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_builder.h"

using namespace vft;
using namespace vft::ui;
using vft::test::child;

namespace {

std::string crlf(std::initializer_list<const char*> lines) {
  std::string out;
  for (const char* l : lines) out += std::string(l) + "\r\n";
  return out;
}

const std::string kFile =
    crlf({"0 HEAD", "1 SOUR OTHERPROG", "2 VERS 7.2", "1 DEST RECEIVER", "1 DATE 3 MAR 2020", "1 GEDC", "2 VERS 5.5.1",
          "1 CHAR ANSI", "0 @U1@ SUBM", "1 NAME Sam Sender", "1 ADDR 1 High St", "2 CONT Smalltown", "1 PHON 555 123",
          "0 @I1@ INDI", "1 NAME Ann /Lee/", "1 SEX F", "0 @I2@ INDI", "1 NAME Bob /Lee/", "1 SEX M", "0 @I3@ INDI",
          "1 NAME Cy /Lee/", "1 SEX M", "0 @F1@ FAM", "1 HUSB @I2@", "1 WIFE @I1@", "1 CHIL @I3@", "0 TRLR"});

const char* const kAbandoned =
    "GEDCOM Import abandoned. \r\n  \r\n Your existing Vorlan Family Files      \r\n have not been changed.";

class GedwebImportWindow : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  std::string path;
  std::vector<std::string> help;

  GedwebImportWindow() {
    std::filesystem::create_directories(s.settings_folder());
    test::TreeBuilder b(s);
    b.family(b.person("Old", "Tree", "M"), b.person("Older", "Tree", "F"));
    path = t.dir.path() + "family.ged";
    test::write_file(path, kFile);
    s.on_help = [this](const std::string& topic) { help.push_back(topic); };
  }
  QString header(QWidget& w, int i) {
    return child<QLabel>(w, ("lblHeader_" + std::to_string(i)).c_str())->text();
  }
};

}  // namespace

TEST_F(GedwebImportWindow, ShowsTheHeaderAndTheResultThenMergesOnOK) {
  frmGEDCOM w(s, path);
  EXPECT_EQ(w.windowTitle(), QStringLiteral("GEDCOM Import to Vorlan Family Tree"));
  EXPECT_EQ(child<QLabel>(w, "lblImporting")->text(), qs("Importing GEDCOM file: " + ShortPathText(path, 50)));
  EXPECT_EQ(child<QLabel>(w, "lblWait")->text(), QStringLiteral("Please Wait"));
  auto* ok = child<QPushButton>(w, "cmdOK");
  EXPECT_FALSE(ok->isEnabled());

  ASSERT_TRUE(w.convert());
  const std::vector<QString> captions = {"Source: ", "Destination: ", "Date: ", "Version: ", "GEDCOM Version: ",
                                         "Name: ", "Address: ", "Phone: "};
  const std::vector<QString> values = {"OTHERPROG", "RECEIVER", "3 MAR 2020", "7.2", "5.5.1",
                                       "Sam Sender", "1 High St\nSmalltown", "555 123"};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(child<QLabel>(w, ("lblHeaderCaption_" + std::to_string(i)).c_str())->text(), captions[i]);
    EXPECT_EQ(header(w, i), values[i]) << i;
  }
  EXPECT_EQ(child<QPlainTextEdit>(w, "txtErrors")->toPlainText(),
            QStringLiteral("Finished GEDCOM import.\n3 Individuals were found\n"
                           "Click 'OK' to merge the GEDCOM file with your existing\n"
                           "Family Files or 'Cancel' to abandon the GEDCOM import."));
  EXPECT_FALSE(child<QPushButton>(w, "cmdPrint")->isEnabled());
  EXPECT_EQ(ok->text(), QStringLiteral("&OK"));
  ASSERT_TRUE(ok->isEnabled());
  EXPECT_EQ(s.Config.NumPersons(), 2);  // nothing added before OK

  ok->click();
  EXPECT_TRUE(w.merged());
  EXPECT_EQ(w.result(), QDialog::Accepted);
  EXPECT_EQ(s.Config.NumPersons(), 5);
  EXPECT_EQ(s.Marriages[4].Husband, 4);
  EXPECT_EQ(s.Marriages[4].Kids[0], 5);
  EXPECT_TRUE(t.prompter.shown.empty());
  EXPECT_FALSE(s.RecordsSaved);
}

TEST_F(GedwebImportWindow, CancelAfterTheConversionLeavesTheTreeAlone) {
  const auto before = test::snapshot(s);
  frmGEDCOM w(s, path);
  ASSERT_TRUE(w.convert());
  child<QPushButton>(w, "cmdCancel")->click();
  EXPECT_EQ(test::texts(t.prompter), std::vector<std::string>{kAbandoned});
  EXPECT_EQ(w.result(), QDialog::Rejected);
  EXPECT_FALSE(w.merged());
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_EQ(s.Config.NumPersons(), 2);
}

TEST_F(GedwebImportWindow, CancelWhileConvertingStopsAtTheNextStage) {
  const auto before = test::snapshot(s);
  frmGEDCOM w(s, path);
  w.show();
  // Pressed as soon as the conversion lets events through.
  QTimer::singleShot(0, &w, [&w] { child<QPushButton>(w, "cmdCancel")->click(); });
  EXPECT_FALSE(w.convert());
  EXPECT_EQ(test::texts(t.prompter), std::vector<std::string>{kAbandoned});
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(test::snapshot(s), before);
}

TEST_F(GedwebImportWindow, ErrorListCanBePrinted) {
  test::write_file(path, crlf({"0 HEAD", "0 @I1@ INDI", "1 NAME Ann /Lee/", "1 NOTE @N7@", "0 TRLR"}));
  frmGEDCOM w(s, path);
  QString printed;
  w.print_text = [&](const QString& text) { printed = text; };
  ASSERT_TRUE(w.convert());
  auto* print = child<QPushButton>(w, "cmdPrint");
  ASSERT_TRUE(print->isEnabled());
  print->click();
  EXPECT_TRUE(printed.contains(QStringLiteral("The following individuals had unreadable GEDCOM notes:\nNumber 3  Ann Lee")))
      << printed.toStdString();
  EXPECT_TRUE(printed.endsWith(QStringLiteral("Click 'Print' to print this list.")));
  EXPECT_EQ(header(w, 0), QString());  // a header without details
  child<QPushButton>(w, "cmdHelp")->click();
  EXPECT_EQ(help, std::vector<std::string>{"gedcom_import"});
}

TEST_F(GedwebImportWindow, RunAddsTheRecordsWhenOKIsPressed) {
  test::when_modal([](QWidget& w) { return child<QPushButton>(w, "cmdOK")->isEnabled(); },
                   [](QWidget& w) { child<QPushButton>(w, "cmdOK")->click(); });
  EXPECT_TRUE(RunGedcomImport(s, nullptr, path));
  EXPECT_EQ(s.Config.NumPersons(), 5);
  EXPECT_EQ(IniReadText(s, "FilePaths", "GEDCOMLoadPath"), t.dir.path());
}

TEST_F(GedwebImportWindow, RunEndsAtOnceOnAFileThatCannotBeImported) {
  const auto before = test::snapshot(s);
  test::write_file(path, crlf({"0 @I1@ INDI", "0 TRLR"}));
  EXPECT_FALSE(RunGedcomImport(s, nullptr, path));
  EXPECT_EQ(test::texts(t.prompter),
            std::vector<std::string>{"The file 'family.ged' is not a valid GEDCOM file. (Missing header)"});
  EXPECT_EQ(test::snapshot(s), before);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  EXPECT_FALSE(RunGedcomImport(s, nullptr, t.dir.path() + "gone.ged"));
  ASSERT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_EQ(t.prompter.shown[1].text, "The file 'gone.ged' could not be read.");
  EXPECT_EQ(test::snapshot(s), before);
}
