// The web-page dialog's questions and stored options, through a scripted prompter.
#include <gtest/gtest.h>

#include <filesystem>

#include "interchange/web_pages.h"
#include "store/file_io.h"
#include "store/ini.h"
#include "temp_session.h"
#include "tree_builder.h"
#include "tree_gen.h"
#include "web_pages_fixture.h"

using namespace vft;
namespace fs = std::filesystem;

namespace {

class WebFlow : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  ScriptedPrompter& p = t.prompter;
  WebOptions o;

  WebFlow() {
    test::TreeBuilder b(s);
    auto h = b.person("John", "Smith", "M");
    auto w = b.person("Mary", "Jones", "F");
    b.family(h, w);
    auto only = b.family(h, 0);
    b.child(only, "Tom", "Smith", "M");
    o.folder = t.dir.path() + "web";
  }
  std::string folder() const { return t.dir.path() + "web/"; }
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const Message& m : p.shown) out.push_back(m.text);
    return out;
  }
};

TEST_F(WebFlow, FolderIsCheckedFirstAndCreatedOnlyWhenWanted) {
  const std::string taken = t.dir.path() + "taken";  // a file where the folder would be
  ASSERT_TRUE(test::put_file(taken, Bytes{'x'}));
  for (const std::string& bad : {std::string("  "), std::string("relative/web"), taken}) {
    o.folder = bad;
    EXPECT_EQ(BuildWebPages(s, o, {}).status, WebStatus::Failed) << bad;
  }
  EXPECT_EQ(texts(), (std::vector<std::string>{"Please enter a drive and path to save the web pages to.",
                                               "The path name you entered is invalid.",
                                               "The path name you entered is invalid."}));
  EXPECT_EQ(fileio::read_all(taken), Bytes{'x'});  // the file is left as it was
  EXPECT_EQ(p.shown[0].title, "Build Family Web Pages");
  p.shown.clear();
  o.folder = t.dir.path() + "web";
  p.answers = {kAnswerNo};
  EXPECT_EQ(BuildWebPages(s, o, {}).status, WebStatus::Cancelled);
  EXPECT_FALSE(fs::exists(folder()));
  EXPECT_EQ(texts(), std::vector<std::string>{"The Folder: " + folder() + " was not found. Do you want to create it?"});
}

// Deleting the old pages is deferred to the run; not building after all
// still deletes them, as the user was told.
TEST_F(WebFlow, OldPagesGoEvenWhenTheRunIsNotWanted) {
  fs::create_directories(folder());
  ASSERT_TRUE(test::put_file(folder() + "vfl00009.htm", Bytes{'x'}));
  p.answers = {kAnswerYes, kAnswerOK, kAnswerNo};  // delete, deleted, continue
  EXPECT_EQ(BuildWebPages(s, o, {}).status, WebStatus::Cancelled);
  EXPECT_EQ(p.shown.size(), 3u);
  EXPECT_TRUE(fs::is_empty(folder()));
}

// Cancel while the pages are saved: what is saved is new, and the user is told.
TEST_F(WebFlow, CancelWhileSavingSaysWhatIsAlreadyNew) {
  test::TreeOptions tree;
  tree.persons = 200;
  tree.marriages = 120;
  test::generate_tree(s, tree);
  p.answers = {kAnswerYes, kAnswerYes, kAnswerYes, kAnswerOK};  // create, continue, cancel, told
  std::string saving;
  long bar = -1;
  auto progress = [&](const std::string& m, long n) {
    if (m.rfind("Saving", 0) != 0) return true;
    saving = m;
    bar = n;
    return false;
  };
  EXPECT_EQ(BuildWebPages(s, o, progress).status, WebStatus::Cancelled);
  EXPECT_EQ(saving.rfind("Saving the pages: 50 of ", 0), 0u) << saving;
  EXPECT_GT(bar, 0);
  EXPECT_LT(bar, CountWebFamilies(s));
  ASSERT_EQ(p.shown.size(), 4u);
  EXPECT_EQ(p.shown[3].text,
            "The pages saved before you cancelled are already new.\r\n"
            "Build the pages again to bring the whole site up to date.");
  EXPECT_EQ(p.shown[3].icon, Icon::Information);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder()), fs::directory_iterator{}), 50);
}

TEST_F(WebFlow, WholeRunAsksInOrderAndStoresTheOptions) {
  fs::create_directories(folder());
  test::put_file(folder() + "vfl00009.htm", Bytes{'x'});
  test::put_file(folder() + "listname.html", Bytes{'x'});
  test::put_file(folder() + "notes.txt", Bytes{'x'});
  o.IncludeBirthdays = true;
  o.HTMLMode = true;
  long calls = 0;
  // Yes to: living dates, delete, continue; then the progress Cancel is
  // answered No once, and finally Yes to viewing the pages.
  p.answers = {kAnswerYes, kAnswerYes, kAnswerOK, kAnswerYes, kAnswerNo, kAnswerYes};
  WebBuildResult r = BuildWebPages(s, o, [&](const std::string&, long) { return ++calls != 1; });
  ASSERT_EQ(r.status, WebStatus::Done);
  EXPECT_TRUE(r.open_index);
  EXPECT_EQ(r.index_file, folder() + "index.html");
  EXPECT_EQ(
      texts(),
      (std::vector<std::string>{
          "Do you really want to include birthdates and marriage \r\n"
          "dates of living persons in your web pages?\r\n"
          "It may be that some of your living relations may not like \r\n"
          "to have their date events published on the Internet.",
          "A set of 1 web pages already exists in the folder " + folder() + "\r\nDo you want to delete these pages?",
          "Web Page files deleted!",
          "You are about to generate 1 web pages. and use approximately " +
              std::to_string(test::disk_kb(folder(), "notes.txt")) + " KB of disk space. Do you wish to continue?",
          " Do you wish to cancel this operation?",
          "Vorlan Family Tree generated 1 web pages and saved them in: " + folder() +
              "\r\nDo you want to view these pages?"}));
  EXPECT_EQ(p.shown[4].title, "Generating Family Web");
  EXPECT_FALSE(fs::exists(folder() + "vfl00009.htm"));
  EXPECT_GT(fileio::size_of(folder() + "listname.html"), 1);
  EXPECT_TRUE(fs::exists(folder() + "notes.txt"));
  EXPECT_TRUE(fs::exists(folder() + "vfl00003.html"));
  EXPECT_EQ(IniReadText(s, "FilePaths", "WebPagesSavePath"), o.folder);
  EXPECT_EQ(IniReadInt(s, "WebSite", "IncludeBirthdays"), 1);
  EXPECT_EQ(IniReadInt(s, "WebSite", "HTMLMode"), 1);
}

TEST_F(WebFlow, OptionsRoundTripThroughTheSettingsFile) {
  WebOptions d = LoadWebOptions(s, "/home/me/Documents");
  EXPECT_EQ(d.folder, "/home/me/Documents/My Family Web Pages");
  EXPECT_EQ(HtmlColour(d.colours.VisitedColour), "#800080");
  o.colours = {0x112233, 0x445566, 0x778899, 0xAABBCC};
  o.Email = "me@example.org";
  o.WebSite = "www.example.org";
  o.style = WebStyle::Classic;
  ASSERT_TRUE(StoreWebOptions(s, o));
  // Kept as Windows colour values (blue in the high byte).
  EXPECT_EQ(IniReadInt(s, "WebSite", "BackColour"), 0x332211);
  WebOptions l = LoadWebOptions(s, "/x");
  EXPECT_EQ(l.folder, o.folder);
  EXPECT_EQ(HtmlColour(l.colours.BackColour), "#112233");
  EXPECT_EQ(l.Email, "me@example.org");
  EXPECT_EQ(l.WebSite, "http://www.example.org");
  EXPECT_EQ(IniReadText(s, "WebSite", "PageStyle"), "Classic");

  // The style: Modern for new users; pages made before the choice existed keep their look.
  const struct {
    const char* folder;
    const char* style;
    WebStyle want;
  } cases[] = {{"", "", WebStyle::Modern},
               {"/srv/web", "", WebStyle::Classic},
               {"/srv/web", "Modern", WebStyle::Modern},
               {"", "classic", WebStyle::Classic}};
  for (const auto& c : cases) {
    IniWrite(s, "FilePaths", "WebPagesSavePath", c.folder);
    IniWrite(s, "WebSite", "PageStyle", c.style);
    EXPECT_EQ(LoadWebOptions(s, "/x").style, c.want) << c.folder << " " << c.style;
  }
}

TEST_F(WebFlow, PrivacyReminderPreparerQuestionsAndAddressCheck) {
  p.answers = {kAnswerYes, kAnswerNo};
  EXPECT_TRUE(ShowPrivacyReminder(s));
  EXPECT_TRUE(ShowPrivacyReminder(s));
  EXPECT_FALSE(ShowPrivacyReminder(s));  // "No" to being reminded again
  EXPECT_EQ(p.shown.size(), 2u);
  p.shown.clear();
  p.answers = {kAnswerYes, kAnswerNo};
  EXPECT_TRUE(AskIncludePreparer(s, PreparerDetail::Name));
  EXPECT_FALSE(AskIncludePreparer(s, PreparerDetail::Email));
  EXPECT_TRUE(CheckWebAddress(s, "HTTPS://example.org"));
  EXPECT_FALSE(CheckWebAddress(s, "javascript:alert(1)"));
  EXPECT_EQ(texts(), (std::vector<std::string>{"Do you wish to include your name on the web pages?",
                                               "Do you wish to include your email address on the web pages?",
                                               "The web address is incomplete."}));
}

TEST_F(WebFlow, ColourConflicts) {
  WebColours c;
  const std::string tail =
      "This will cause the text to be invisible \r\nagainst the background.  \r\n"
      "Click 'OK' to keep the new colour or \r\n'Cancel' to keep the old colour.";
  EXPECT_EQ(ColourConflictText(c, WebColour::Back, 0x800080),
            "The background colour is set to the same  \r\ncolour as the 'Visited Link' text colour. \r\n" + tail);
  EXPECT_EQ(ColourConflictText(c, WebColour::Link, 0xFFFFFF),
            "The 'Link' text colour is set to the same  \r\ncolour as the background colour. \r\n" + tail);
  EXPECT_EQ(ColourConflictText(c, WebColour::Back, 0x123456), "");
  EXPECT_EQ(ColourConflictText(c, WebColour::Link, 0x000000), "");  // text colours may match each other

  p.answers = {kAnswerCancel, kAnswerOK};
  EXPECT_FALSE(SetWebColour(s, c, WebColour::NormText, 0xFFFFFF));
  EXPECT_EQ(c.NormTextColour, 0x000000u);
  EXPECT_TRUE(SetWebColour(s, c, WebColour::NormText, 0xFFFFFF));
  EXPECT_EQ(c.NormTextColour, 0xFFFFFFu);
  EXPECT_TRUE(SetWebColour(s, c, WebColour::Back, 0x00FF00));
  ASSERT_EQ(p.shown.size(), 2u);
  EXPECT_EQ(p.shown[0].title, "Set Text Colours");
  EXPECT_EQ(p.shown[0].buttons, Buttons::OKCancel);
}

}  // namespace
