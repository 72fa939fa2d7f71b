// "Build Family Web Pages" and "Set Text Colours": the options shown and
// stored, the folder and preparer questions, the colour conflicts, the build
// with its final question and the browser.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "editing_windows.h"
#include "frm_web_colours.h"
#include "frm_web_pages.h"
#include "gedweb_fixture.h"
#include "qt_text.h"
#include "store/ini.h"
#include "temp_session.h"
#include "tree_builder.h"

using namespace vft;
using namespace vft::ui;
using vft::test::child;
namespace fs = std::filesystem;

namespace {

class GedwebWebWindow : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  ScriptedFileDialogs dialogs;
  std::vector<std::string> opened;

  GedwebWebWindow() {
    fs::create_directories(s.settings_folder());
    test::TreeBuilder b(s);
    b.family(b.person("John", "Smith", "M"), b.person("Mary", "Jones", "F"), "1 Jan 1950");  // family 3
  }
  std::string docs() const { return t.dir.path() + "docs"; }
  std::string folder() const { return t.dir.path() + "web"; }
  // A dialog with the test's folder browser and browser.
  std::unique_ptr<frmWebPages> dialog() {
    auto w = std::make_unique<frmWebPages>(s, docs());
    w->dialogs = &dialogs;
    w->open_in_browser = [this](const std::string& path) { opened.push_back(path); };
    return w;
  }
};

const std::string kBackOnText =
    "The background colour is set to the same  \r\ncolour as the 'Normal' text colour. \r\n"
    "This will cause the text to be invisible \r\nagainst the background.  \r\n"
    "Click 'OK' to keep the new colour or \r\n'Cancel' to keep the old colour.";

}  // namespace

TEST_F(GedwebWebWindow, ProposesAFolderAndShowsTheStoredOptions) {
  {
    auto w = dialog();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Build Family Web Pages"));
    EXPECT_EQ(child<QLineEdit>(*w, "txtFolder")->text(), qs(docs() + "/My Family Web Pages"));
    EXPECT_TRUE(child<QRadioButton>(*w, "optExtension_0")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(*w, "optStyle_1")->isChecked());  // Modern for a new user
    EXPECT_FALSE(child<QCheckBox>(*w, "chkIncludeBirthdays")->isChecked());
    EXPECT_FALSE(child<QLineEdit>(*w, "txtName")->isEnabled());
  }
  IniWrite(s, "FilePaths", "WebPagesSavePath", "/srv/pages");
  IniWrite(s, "WebSite", "HTMLMode", "1");
  IniWrite(s, "WebSite", "IncludeBirthdays", "1");
  IniWrite(s, "USER", "WebSite", "www.example.org");
  IniWrite(s, "WebSite", "BackColour", std::to_string(0x563412));  // stored as 0xBBGGRR
  auto w = dialog();
  EXPECT_EQ(child<QLineEdit>(*w, "txtFolder")->text(), QStringLiteral("/srv/pages"));
  EXPECT_TRUE(child<QRadioButton>(*w, "optExtension_1")->isChecked());
  EXPECT_TRUE(child<QRadioButton>(*w, "optStyle_0")->isChecked());  // pages made before keep their style
  EXPECT_TRUE(child<QCheckBox>(*w, "chkIncludeBirthdays")->isChecked());
  EXPECT_EQ(child<QLineEdit>(*w, "txtWebSite")->text(), QStringLiteral("http://www.example.org"));
  const WebOptions o = w->options();
  EXPECT_TRUE(o.HTMLMode);
  EXPECT_EQ(o.colours.BackColour, 0x123456u);
  EXPECT_FALSE(o.include_website);
}

TEST_F(GedwebWebWindow, SelectButtonBrowsesForTheFolder) {
  auto w = dialog();
  dialogs.answers = {"/home/ann/site", ""};
  auto* select = child<QPushButton>(*w, "cmdSelect");
  select->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].title, "Select the folder to store your web pages in");
  EXPECT_EQ(dialogs.shown[0].folder, docs() + "/My Family Web Pages");
  EXPECT_EQ(child<QLineEdit>(*w, "txtFolder")->text(), QStringLiteral("/home/ann/site"));
  select->click();  // cancelled: the folder stays
  EXPECT_EQ(child<QLineEdit>(*w, "txtFolder")->text(), QStringLiteral("/home/ann/site"));
}

TEST_F(GedwebWebWindow, PreparerBoxesAskFirst) {
  auto w = dialog();
  auto* name = child<QCheckBox>(*w, "chkName");
  t.prompter.answers = {kAnswerNo, kAnswerYes};
  name->click();
  EXPECT_FALSE(name->isChecked());
  EXPECT_FALSE(child<QLineEdit>(*w, "txtName")->isEnabled());
  name->click();
  EXPECT_TRUE(name->isChecked());
  EXPECT_TRUE(child<QLineEdit>(*w, "txtName")->isEnabled());
  child<QCheckBox>(*w, "chkEmail")->click();
  child<QCheckBox>(*w, "chkWebSite")->click();
  EXPECT_EQ(test::texts(t.prompter), (std::vector<std::string>{
                                         "Do you wish to include your name on the web pages?",
                                         "Do you wish to include your name on the web pages?",
                                         "Do you wish to include your email address on the web pages?",
                                         "Do you wish to include your web site address on the web pages?"}));
  EXPECT_TRUE(w->options().include_email);
  // Unchecking asks nothing.
  name->click();
  EXPECT_EQ(t.prompter.shown.size(), 4u);
  EXPECT_FALSE(w->options().include_name);
}

TEST_F(GedwebWebWindow, IncompleteWebAddressIsRefusedBeforeAnythingIsWritten) {
  auto w = dialog();
  test::retype(child<QLineEdit>(*w, "txtFolder"), qs(folder()));
  child<QCheckBox>(*w, "chkWebSite")->click();
  test::retype(child<QLineEdit>(*w, "txtWebSite"), QStringLiteral("www.example.org"));
  child<QPushButton>(*w, "cmdOK")->click();
  ASSERT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_EQ(t.prompter.shown[1].text, "The web address is incomplete.");
  EXPECT_FALSE(fs::exists(folder()));
  EXPECT_EQ(w->result(), 0);
}

TEST_F(GedwebWebWindow, OKAsksAboutTheFolderWritesThePagesAndOpensTheIndex) {
  auto w = dialog();
  w->show();
  test::retype(child<QLineEdit>(*w, "txtFolder"), qs(folder()));
  child<QRadioButton>(*w, "optExtension_1")->click();
  child<QRadioButton>(*w, "optStyle_0")->click();
  child<QCheckBox>(*w, "chkName")->click();  // Yes
  test::retype(child<QLineEdit>(*w, "txtName"), QStringLiteral("Ann <Author>"));
  t.prompter.shown.clear();
  child<QPushButton>(*w, "cmdOK")->click();

  const std::string f = folder() + "/";
  EXPECT_EQ(test::texts(t.prompter),
            (std::vector<std::string>{
                "The Folder: " + f + " was not found. Do you want to create it?",
                "You are about to generate 1 web pages. and use approximately 2 KB of disk space. Do you wish to "
                "continue?",
                "Vorlan Family Tree generated 1 web pages and saved them in: " + f + "\r\nDo you want to view these pages?"}));
  EXPECT_EQ(w->status(), WebStatus::Done);
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(opened, std::vector<std::string>{f + "famnames.html"});
  const std::string page = test::read_file(f + "vfl00003.html");
  EXPECT_NE(page.find("Prepared by: Ann &lt;Author&gt;"), std::string::npos);
  EXPECT_TRUE(fs::exists(f + "listname.html"));
  EXPECT_EQ(IniReadText(s, "FilePaths", "WebPagesSavePath"), folder());
  EXPECT_EQ(IniReadText(s, "USER", "Name"), "Ann <Author>");
  EXPECT_EQ(IniReadInt(s, "WebSite", "HTMLMode"), 1);
  EXPECT_EQ(IniReadText(s, "WebSite", "PageStyle"), "Classic");
}

TEST_F(GedwebWebWindow, AnsweringNoKeepsTheDialogOpenAndWritesNothing) {
  auto w = dialog();
  w->show();
  test::retype(child<QLineEdit>(*w, "txtFolder"), qs(folder()));
  t.prompter.answers = {kAnswerNo};  // do not create the folder
  child<QPushButton>(*w, "cmdOK")->click();
  EXPECT_EQ(w->status(), WebStatus::Cancelled);
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(fs::exists(folder()));

  fs::create_directories(folder());
  t.prompter.answers = {kAnswerNo};  // not the pages either
  child<QPushButton>(*w, "cmdOK")->click();
  EXPECT_EQ(w->status(), WebStatus::Cancelled);
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(fs::is_empty(folder()));
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(IniReadText(s, "FilePaths", "WebPagesSavePath"), "");
}

TEST_F(GedwebWebWindow, CancelDuringTheBuildAsksAndLeavesNoPage) {
  fs::create_directories(folder());
  auto w = dialog();
  w->show();
  test::retype(child<QLineEdit>(*w, "txtFolder"), qs(folder()));
  QTimer::singleShot(0, w.get(), [&w] { child<QPushButton>(*w, "cmdCancel")->click(); });
  t.prompter.answers = {kAnswerYes, kAnswerYes};  // continue; then yes, cancel
  child<QPushButton>(*w, "cmdOK")->click();
  ASSERT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_EQ(t.prompter.shown[1].text, " Do you wish to cancel this operation?");
  EXPECT_EQ(w->status(), WebStatus::Cancelled);
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(fs::is_empty(folder()));
}

TEST_F(GedwebWebWindow, ColourConflictAnsweredBothWays) {
  frmWebColours c(s, WebColours{});
  EXPECT_EQ(c.windowTitle(), QStringLiteral("Set Text Colours"));
  std::vector<QString> titles;
  QColor next = Qt::black;
  c.choose_colour = [&](const QColor& current, const QString& title) -> std::optional<QColor> {
    titles.push_back(title + QStringLiteral(" from ") + current.name());
    return next;
  };
  auto* back = child<QPushButton>(c, "cmdColour_0");
  t.prompter.answers = {kAnswerCancel};
  back->click();
  EXPECT_EQ(c.colours().BackColour, 0xFFFFFFu);
  t.prompter.answers = {kAnswerOK};
  back->click();
  EXPECT_EQ(c.colours().BackColour, 0x000000u);
  ASSERT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_EQ(t.prompter.shown[0].text, kBackOnText);
  EXPECT_EQ(t.prompter.shown[0].title, "Set Text Colours");
  EXPECT_EQ(t.prompter.shown[0].buttons, Buttons::OKCancel);
  EXPECT_EQ(titles, (std::vector<QString>{QStringLiteral("Background Colour from #ffffff"),
                                          QStringLiteral("Background Colour from #ffffff")}));

  // No clash, no question; a cancelled picker changes nothing.
  next = QColor(0x12, 0x34, 0x56);
  child<QPushButton>(c, "cmdColour_2")->click();
  EXPECT_EQ(c.colours().LinkColour, 0x123456u);
  c.choose_colour = [](const QColor&, const QString&) -> std::optional<QColor> { return std::nullopt; };
  child<QPushButton>(c, "cmdColour_3")->click();
  EXPECT_EQ(c.colours().VisitedColour, 0x800080u);
  EXPECT_EQ(t.prompter.shown.size(), 2u);
  EXPECT_TRUE(child<QLabel>(c, "lblPreview")->text().contains(QStringLiteral("#123456")));
}

TEST_F(GedwebWebWindow, ColoursChosenInTheColourDialogReachThePages) {
  fs::create_directories(folder());
  auto w = dialog();
  w->choose_colour = [](const QColor&, const QString&) -> std::optional<QColor> { return QColor(0xAB, 0xCD, 0xEF); };
  test::retype(child<QLineEdit>(*w, "txtFolder"), qs(folder()));
  // Cancel first: nothing taken over.
  test::when_modal([](QWidget& d) { return d.objectName() == QStringLiteral("frmWebColours"); },
                   [](QWidget& d) {
                     child<QPushButton>(d, "cmdColour_1")->click();
                     child<QPushButton>(d, "cmdCancel")->click();
                   });
  child<QPushButton>(*w, "cmdColours")->click();
  EXPECT_EQ(w->options().colours.NormTextColour, 0x000000u);
  test::when_modal([](QWidget& d) { return d.objectName() == QStringLiteral("frmWebColours"); },
                   [](QWidget& d) {
                     child<QPushButton>(d, "cmdColour_1")->click();
                     child<QPushButton>(d, "cmdOK")->click();
                   });
  child<QPushButton>(*w, "cmdColours")->click();
  EXPECT_EQ(w->options().colours.NormTextColour, 0xABCDEFu);
  EXPECT_TRUE(child<QLabel>(*w, "lblColours")->text().contains(QStringLiteral("#ABCDEF"), Qt::CaseInsensitive));

  t.prompter.answers = {kAnswerYes, kAnswerNo};  // build; do not view
  child<QPushButton>(*w, "cmdOK")->click();
  EXPECT_EQ(w->status(), WebStatus::Done);
  EXPECT_TRUE(opened.empty());
  EXPECT_NE(test::read_file(folder() + "/vftstyle.css").find("--fg:#ABCDEF;"), std::string::npos);
}

TEST_F(GedwebWebWindow, RunShowsThePrivacyReminderOnce) {
  std::vector<std::string> help;
  s.on_help = [&](const std::string& topic) { help.push_back(topic); };
  t.prompter.answers = {kAnswerNo};  // do not remind again
  bool reminded_over_dialog = false;
  test::when_modal([this](QWidget&) { return !t.prompter.shown.empty(); },
                   [&](QWidget& d) {
                     reminded_over_dialog = d.objectName() == QStringLiteral("frmWebPages");
                     child<QPushButton>(d, "cmdHelp")->click();
                     child<QPushButton>(d, "cmdCancel")->click();
                   });
  RunWebPages(s, nullptr);
  EXPECT_TRUE(reminded_over_dialog);
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].text.substr(0, 72),
            "It may be that some of your living relations may not like to have their ");
  EXPECT_EQ(IniReadInt(s, "WebSite", "RemindSuppressDates"), 1);
  EXPECT_EQ(help, std::vector<std::string>{"web_pages"});
}
