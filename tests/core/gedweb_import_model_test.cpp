// The import window's steps without the window: the header frame, the order
// of open / convert / merge / abandon and the boxes each step shows.
#include <gtest/gtest.h>

#include <filesystem>

#include "gedcom_import_fixture.h"
#include "interchange/gedcom_import_window.h"
#include "store/ini.h"
#include "store/paths.h"

using namespace vft;
using vft::test::crlf;

namespace {

const std::string kHeader = crlf({"0 HEAD", "1 SOUR OTHERPROG", "2 VERS 7.2", "1 DEST RECEIVER", "1 DATE 3 MAR 2020",
                                  "1 SUBM @U1@", "1 GEDC", "2 VERS 5.5.1", "2 FORM LINEAGE-LINKED", "1 CHAR UTF-8"});
const std::string kSubmitters = crlf({"0 @U0@ SUBM", "1 NAME Wrong One", "0 @U1@ SUBM", "1 NAME Zo\xC3\xAB Sender",
                                      "1 ADDR 1 High St", "2 CONT Smalltown", "1 PHON 555 123", "1 PHON 555 999"});
const std::string kPeople = crlf({"0 @I1@ INDI", "1 NAME Ann /Lee/", "1 SEX F", "0 @I2@ INDI", "1 NAME Bob /Lee/",
                                  "1 SEX M", "0 @F1@ FAM", "1 HUSB @I2@", "1 WIFE @I1@", "0 TRLR"});

class GedwebImportModel : public test::ImportTest {
 protected:
  std::string path;
  void SetUp() override {
    std::filesystem::create_directories(s.settings_folder());
    path = t.dir.path() + "in.ged";
    write(kHeader + kSubmitters + kPeople);
  }
  void write(const std::string& text) { ASSERT_TRUE(test::put_file(path, Bytes(text.begin(), text.end()))); }
  std::vector<std::string> shown() const {
    std::vector<std::string> out;
    for (const Message& m : prompter.shown) out.push_back(m.text);
    return out;
  }
};

}  // namespace

TEST_F(GedwebImportModel, HeaderIsReadWithThePointedSubmitterDecoded) {
  GedcomHeaderInfo h;
  ASSERT_TRUE(ReadGedcomHeader(kHeader + kSubmitters + kPeople, h));
  EXPECT_EQ(h.Version, "7.2");
  EXPECT_EQ(h.Date, "3 MAR 2020");
  EXPECT_EQ(h.GedcomVersion, "5.5.1");
  EXPECT_EQ(h.SubmitterName, "Zo\xEB Sender");  // decoded to CP1252
  EXPECT_EQ(h.SubmitterPhone, "555 123");
  EXPECT_EQ(h.Charset, "UTF-8");
}

TEST_F(GedwebImportModel, NoHeaderGivesAnEmptyFrame) {
  GedcomHeaderInfo h;
  h.Source = "stale";
  EXPECT_FALSE(ReadGedcomHeader(crlf({"0 @I1@ INDI", "0 HEAD", "1 SOUR LATE", "0 TRLR"}), h));
  EXPECT_EQ(h.Source, "");
  EXPECT_FALSE(ReadGedcomHeader("", h));
}

TEST_F(GedwebImportModel, ConvertThenMergeAddsTheRecordsAndKeepsTheFolder) {
  existing_tree(3, 1);
  GedcomImportModel m(s, path);
  EXPECT_EQ(m.importing_text(), "Importing GEDCOM file: " + ShortPathText(path, 50));
  ASSERT_TRUE(m.open());
  EXPECT_EQ(m.header().Source, "OTHERPROG");  // before the conversion
  EXPECT_EQ(m.convert({}), ImportStatus::Converted);
  EXPECT_EQ(s.Config.NumPersons(), 3);  // nothing merged yet
  EXPECT_NE(m.result().summary.find("2 Individuals were found"), std::string::npos);

  EXPECT_TRUE(m.merge({}));
  EXPECT_EQ(s.Config.NumPersons(), 5);
  EXPECT_EQ(IniReadText(s, "FilePaths", "GEDCOMLoadPath"), t.dir.path());
  EXPECT_TRUE(prompter.shown.empty());
  // Closing after the merge says nothing and changes nothing.
  m.abandon();
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_EQ(m.state(), GedcomImportModel::State::Merged);
  EXPECT_FALSE(m.merge({}));
  EXPECT_EQ(s.Config.NumPersons(), 5);
}

TEST_F(GedwebImportModel, CancelAfterConversionLeavesTheTreeByteForByte) {
  existing_tree(2, 1);
  const auto before = record_files();
  GedcomImportModel m(s, path);
  ASSERT_TRUE(m.open());
  ASSERT_EQ(m.convert({}), ImportStatus::Converted);
  m.abandon();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].title, "GEDCOM Import");
  EXPECT_EQ(record_files(), before);
  EXPECT_EQ(IniReadText(s, "FilePaths", "GEDCOMLoadPath"), "");
  EXPECT_FALSE(m.merge({}));
  EXPECT_EQ(record_files(), before);
}

TEST_F(GedwebImportModel, CancelDuringOrBeforeTheConversionSaysSoOnlyOnce) {
  for (int stop_at : {3, 0}) {
    SCOPED_TRACE(stop_at);
    prompter.shown.clear();
    GedcomImportModel m(s, path);
    ASSERT_TRUE(m.open());
    int calls = 0;
    if (stop_at) {
      EXPECT_EQ(m.convert([&](const std::string&, long) { return ++calls < stop_at; }), ImportStatus::Cancelled);
    }
    m.abandon();
    EXPECT_EQ(m.convert({}), ImportStatus::Cancelled);
    m.abandon();
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(s.Config.NumPersons(), 0);
  }
}

TEST_F(GedwebImportModel, RefusalsAndUnreadableFilesShowOneBoxEach) {
  write(crlf({"0 @I1@ INDI", "0 TRLR"}));
  GedcomImportModel bad(s, path);
  ASSERT_TRUE(bad.open());
  EXPECT_EQ(bad.convert({}), ImportStatus::Refused);
  bad.abandon();
  EXPECT_EQ(shown(), std::vector<std::string>{"The file 'in.ged' is not a valid GEDCOM file. (Missing header)"});

  GedcomImportModel missing(s, t.dir.path() + "nowhere.ged");
  EXPECT_FALSE(missing.open());
  EXPECT_EQ(missing.convert({}), ImportStatus::Refused);
  missing.abandon();
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_EQ(prompter.shown[1].text, "The file 'nowhere.ged' could not be read.");
  EXPECT_EQ(s.Config.NumPersons(), 0);
}

TEST_F(GedwebImportModel, AnsweringNoToTheIdentifierQuestionEndsQuietly) {
  write(kHeader + crlf({"0 @P1@ INDI", "1 NAME Ann /Lee/", "0 TRLR"}));
  prompter.answers = {kAnswerNo};
  GedcomImportModel m(s, path);
  ASSERT_TRUE(m.open());
  EXPECT_EQ(m.convert({}), ImportStatus::Cancelled);
  m.abandon();
  EXPECT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(s.Config.NumPersons(), 0);
}
