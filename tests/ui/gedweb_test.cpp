// The GEDCOM export and import windows and the web-page windows, wired to
// their models: boxes from the settings, the save and folder dialogs,
// stopping half way, and the files written. The models' rules and texts are
// tested in the core tests of the export dialog, the import model and the
// web-page flow.
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <filesystem>
#include <tuple>

#include "mainwindow/editing_windows.h"
#include "file_facts.h"
#include "exchange/frm_gedcom.h"
#include "exchange/frm_gedcom_export.h"
#include "exchange/frm_web_pages.h"
#include "exchange/gedweb_text_guard.h"
#include "qt_text.h"
#include "store/ini.h"
#include "tree_fixture.h"
#include "widget_find.h"

using namespace vft;
using namespace vft::ui;
using vft::test::child;
using vft::test::click;
using vft::test::file_text;
using vft::test::retype;
namespace fs = std::filesystem;

namespace {

// John Smith and Mary Jones, married (family 3), with the submitter stored.
class Gedweb : public test::TreeFixture {
 protected:
  ScriptedFileDialogs dialogs;
  std::vector<std::string> help;

  Gedweb() {
    fs::create_directories(s.settings_folder());
    b.family(b.person("John", "Smith", "M"), b.person("Mary", "Jones", "F"), "1 Jan 1950");
    s.CurrentFilePath = t.dir.path() + "Smiths.vfl";
    IniWrite(s, "USER", "Name", "Ann Author");
    IniWrite(s, "USER", "Address1", "1 Road");
    IniWrite(s, "USER", "Email", "ann@example.org");
    s.on_help = [this](const std::string& topic) { help.push_back(topic); };
  }
};

TEST_F(Gedweb, ExportTakesTheBoxesFromTheSettingsAndStoresThem) {
  const std::string target = t.dir.path() + "out.ged";
  frmGEDCOMExport w(s, dialogs);
  w.show();  // the boxes come from the settings: the e-mail reaches the file below
  retype(child<QLineEdit>(w, "txtPhone"), QStringLiteral("555 0100"));
  retype(child<QLineEdit>(w, "txtName"), QStringLiteral("Zo\u00eb Author"));
  auto* address = child<QLineEdit>(w, "txtAddress2");
  test::type_keys(address, QStringLiteral("\u0141\u00f3d\u017a"));  // L-stroke and z-acute have no CP1252 byte
  EXPECT_EQ(address->text(), QStringLiteral("?\u00f3d?"));
  EXPECT_EQ(test::label_text(w, "lblCharWarning"), QString::fromLatin1(kReplacedCharacters));
  retype(address, QString());
  click(w, "cmdHelp");
  click(w, "cmdExport");  // the save dialog cancelled: the window stays, nothing stored
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(IniReadText(s, "USER", "Name"), "Ann Author");

  dialogs.answers = {target};
  click(w, "cmdExport");
  EXPECT_NE(file_text(target).find("0 @S1@ SUBM\r\n1 NAME Zo\xEB Author\r\n1 ADDR 1 Road\r\n2 CONT ann@example.org\r\n"
                                   "1 PHON 555 0100\r\n"),
            std::string::npos);
  EXPECT_EQ(IniReadText(s, "USER", "Name"), "Zo\xEB Author");
  EXPECT_EQ(help, std::vector<std::string>{"gedcom_export"});
}

// The flavour boxes untick each other; each writes its own header.
TEST_F(Gedweb, ExportFlavourBoxesChooseTheFormOneAtATime) {
  const std::string target = t.dir.path() + "out.ged";
  frmGEDCOMExport w(s, dialogs);
  auto* g551 = child<QCheckBox>(w, "chkOtherPrograms");
  auto* g70 = child<QCheckBox>(w, "chkGedcom7");
  for (auto [box, other, marker] : {std::tuple{g551, g70, "2 VERS 5.5.1\r\n2 FORM LINEAGE-LINKED\r\n1 CHAR UTF-8\r\n"},
                                    std::tuple{g70, g551, "0 HEAD\r\n1 GEDC\r\n2 VERS 7.0\r\n"}}) {
    other->setChecked(true);
    box->click();
    EXPECT_FALSE(other->isChecked());
    dialogs.answers = {target};
    click(w, "cmdExport");
    EXPECT_NE(file_text(target).find(marker), std::string::npos) << marker;
  }
}

TEST_F(Gedweb, ExportCancelledWhileWritingLeavesNoFile) {
  const std::string target = t.dir.path() + "out.ged";
  dialogs.answers = {target};
  test::ModalDriver d;
  d.on("frmGEDCOMExport", [](QWidget* w) {
    // Pressed when the first person lets events through; the second one stops.
    QTimer::singleShot(0, w, [w] { test::guarded([w] { click(w, "cmdCancel"); }); });
    click(w, "cmdExport");
  });
  RunGedcomExport(s, dialogs, nullptr);
  EXPECT_FALSE(fs::exists(target));
  EXPECT_TRUE(t.prompter.shown.empty());
  EXPECT_EQ(IniReadText(s, "FilePaths", "GEDCOMSavePath"), "");
}

const char* const kGedcom =
    "0 HEAD\r\n1 SOUR OTHERPROG\r\n2 VERS 7.2\r\n1 DEST RECEIVER\r\n1 DATE 3 MAR 2020\r\n1 GEDC\r\n2 VERS 5.5.1\r\n"
    "1 CHAR ANSI\r\n0 @U1@ SUBM\r\n1 NAME Sam Sender\r\n1 ADDR 1 High St\r\n2 CONT Smalltown\r\n1 PHON 555 123\r\n"
    "0 @I1@ INDI\r\n1 NAME Ann /Lee/\r\n1 SEX F\r\n0 @I2@ INDI\r\n1 NAME Bob /Lee/\r\n1 SEX M\r\n0 @I3@ INDI\r\n"
    "1 NAME Cy /Lee/\r\n1 SEX M\r\n0 @F1@ FAM\r\n1 HUSB @I2@\r\n1 WIFE @I1@\r\n1 CHIL @I3@\r\n0 TRLR\r\n";

TEST_F(Gedweb, ImportShowsTheHeaderAndMergesOnlyOnOk) {
  const std::string path = t.dir.path() + "family.ged";
  const std::string gedcom = kGedcom;
  ASSERT_TRUE(test::put_file(path, Bytes(gedcom.begin(), gedcom.end())));
  const auto before = test::snapshot(s);
  {
    frmGEDCOM w(s, path);
    ASSERT_TRUE(w.convert());
    EXPECT_EQ(test::label_text(w, "lblHeader_6"), QStringLiteral("1 High St\nSmalltown"));
    EXPECT_TRUE(
        child<QPlainTextEdit>(w, "txtErrors")->toPlainText().contains(QStringLiteral("3 Individuals were found")));
    click(w, "cmdCancel");
    EXPECT_FALSE(w.merged());
    EXPECT_EQ(test::snapshot(s), before);
  }
  {
    frmGEDCOM w(s, path);
    w.show();
    // Pressed as soon as the conversion lets events through.
    QTimer::singleShot(0, &w, [&w] { test::guarded([&w] { click(w, "cmdCancel"); }); });
    EXPECT_FALSE(w.convert());
    EXPECT_EQ(test::snapshot(s), before);
  }
  test::ModalDriver d;
  d.on(
      "frmGEDCOM", [](QWidget* w) { click(w, "cmdOK"); },
      [](QWidget& w) { return child<QPushButton>(w, "cmdOK")->isEnabled(); });
  EXPECT_TRUE(RunGedcomImport(s, nullptr, path));
  EXPECT_EQ(s.Config.NumPersons(), 5);
  EXPECT_FALSE(s.RecordsSaved);
}

class WebPages : public Gedweb {
 protected:
  std::vector<std::string> opened;
  std::string folder() const { return t.dir.path() + "web"; }
  std::unique_ptr<frmWebPages> dialog() {
    auto w = std::make_unique<frmWebPages>(s, t.dir.path() + "docs");
    w->dialogs = &dialogs;
    w->open_in_browser = [this](const std::string& path) { opened.push_back(path); };
    w->show();
    return w;
  }
};

TEST_F(WebPages, OptionsAndQuestionsThenThePagesAndTheBrowser) {
  auto w = dialog();
  dialogs.answers = {folder()};
  click(*w, "cmdSelect");
  child<QRadioButton>(*w, "optExtension_1")->click();
  child<QRadioButton>(*w, "optStyle_0")->click();
  t.prompter.answers = {kAnswerYes};
  child<QCheckBox>(*w, "chkName")->click();
  retype(child<QLineEdit>(*w, "txtName"), QStringLiteral("Ann <Author>"));
  click(*w, "cmdOK");

  const std::string f = folder() + "/";
  EXPECT_EQ(t.prompter.shown.size(), 4u);  // name? make the folder? go on? view them?
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(opened, std::vector<std::string>{f + "famnames.html"});
  EXPECT_NE(file_text(f + "vfl00003.html").find("Prepared by: Ann &lt;Author&gt;"), std::string::npos);
  EXPECT_EQ(IniReadText(s, "WebSite", "PageStyle"), "Classic");
}

TEST_F(WebPages, CancelDuringTheBuildAsksAndLeavesNoPage) {
  fs::create_directories(folder());
  auto w = dialog();
  retype(child<QLineEdit>(*w, "txtFolder"), qs(folder()));
  QTimer::singleShot(0, w.get(), [&w] { test::guarded([&w] { click(*w, "cmdCancel"); }); });
  t.prompter.answers = {kAnswerYes, kAnswerYes};  // go on; then yes, cancel
  click(*w, "cmdOK");
  EXPECT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_EQ(w->status(), WebStatus::Cancelled);
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(fs::is_empty(folder()));
}

TEST_F(WebPages, ColoursChosenInTheColourWindowReachThePages) {
  fs::create_directories(folder());
  auto w = dialog();
  w->choose_colour = [](const QColor&, const QString&) -> std::optional<QColor> { return QColor(0xAB, 0xCD, 0xEF); };
  retype(child<QLineEdit>(*w, "txtFolder"), qs(folder()));
  for (const char* button : {"cmdCancel", "cmdOK"}) {
    test::ModalDriver d;
    d.on("frmWebColours", [button](QWidget* c) {
      click(c, "cmdColour_1");
      click(c, button);
    });
    click(*w, "cmdColours");
    EXPECT_EQ(w->options().colours.NormTextColour, std::string(button) == "cmdOK" ? 0xABCDEFu : 0u) << button;
  }
  t.prompter.answers = {kAnswerYes, kAnswerNo};  // build; do not view
  click(*w, "cmdOK");
  EXPECT_EQ(w->status(), WebStatus::Done);
  EXPECT_TRUE(opened.empty());
  EXPECT_NE(file_text(folder() + "/vftstyle.css").find("--fg:#ABCDEF;"), std::string::npos);
}

TEST_F(WebPages, RunShowsThePrivacyReminderOverTheWindow) {
  t.prompter.answers = {kAnswerNo};  // do not remind again
  test::ModalDriver d;
  d.on(
      "frmWebPages",
      [](QWidget* w) {
        click(w, "cmdHelp");
        click(w, "cmdCancel");
      },
      [this](QWidget&) { return !t.prompter.shown.empty(); });
  RunWebPages(s, nullptr);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(IniReadInt(s, "WebSite", "RemindSuppressDates"), 1);
  EXPECT_EQ(help, std::vector<std::string>{"web_pages"});
}

}  // namespace
