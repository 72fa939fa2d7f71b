// The export dialog's steps without the window: the save dialog request, the
// options taken from the boxes and the whole export it starts.
#include <gtest/gtest.h>

#include <filesystem>

#include "interchange/gedcom_export_dialog.h"
#include "store/file_io.h"
#include "store/ini.h"
#include "temp_session.h"
#include "tree_builder.h"

using namespace vft;

namespace {

class GedwebExportDialog : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  SubmitterDetails typed{"  Ann Author ", "1 Road", "", "Town  ", " 555", "ann@example.org"};

  GedwebExportDialog() {
    std::filesystem::create_directories(s.settings_folder());
    test::TreeBuilder b(s);
    auto h = b.person("John", "Smith", "M");
    auto w = b.person("Mary", "Jones", "F");
    b.family(h, w, "1 Jan 1950");
  }
  std::string read(const std::string& path) const {
    auto b = fileio::read_all(path);
    return b ? std::string(b->begin(), b->end()) : std::string();
  }
};

bool contains(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

}  // namespace

TEST_F(GedwebExportDialog, SaveRequestStartsWhereTheLastExportWent) {
  s.CurrentFilePath = "/home/ann/Trees/Smith family.vfl";
  IniWrite(s, "FilePaths", "GEDCOMSavePath", "/home/ann/Exports/");
  FileRequest r = GedcomSaveRequest(s);
  EXPECT_EQ(r.title, "Save GEDCOM File As");
  EXPECT_EQ(r.filter, "GEDCOM File (*.GED)|*.GED|");
  EXPECT_EQ(r.default_ext, "Ged");
  EXPECT_EQ(r.folder, "/home/ann/Exports/");
  EXPECT_EQ(r.proposed_name, "Smith family");
}

TEST_F(GedwebExportDialog, NoFamilyFileProposesNoName) {
  s.CurrentFilePath.clear();
  EXPECT_EQ(GedcomSaveRequest(s).proposed_name, "");
  s.CurrentFilePath = "/x/.vfl";  // nothing left once the extension is off
  EXPECT_EQ(GedcomSaveRequest(s).proposed_name, "");
  EXPECT_EQ(GedcomSaveRequest(s).folder, "");
}

TEST_F(GedwebExportDialog, OptionsTakeTrimmedBoxesAndTheFlavour) {
  ExportOptions o = GedcomDialogOptions(typed, false, "/tmp/a.ged");
  EXPECT_EQ(o.flavour, GedcomFlavour::Standard);
  EXPECT_EQ(o.submitter.Name, "Ann Author");
  EXPECT_EQ(o.submitter.Address3, "Town");
  EXPECT_EQ(o.submitter.Phone, "555");
  EXPECT_EQ(o.file_name, "/tmp/a.ged");
  EXPECT_EQ(GedcomDialogOptions(typed, true, "x").flavour, GedcomFlavour::Gedcom551);
}

TEST_F(GedwebExportDialog, ExportWritesTheFileStoresTheDetailsAndSaysWhere) {
  const std::string path = t.dir.path() + "out.ged";
  ExportResult r = ExportGedcom(s, GedcomDialogOptions(typed, false, path), {});
  ASSERT_EQ(r.status, ExportStatus::Done);
  const std::string text = read(path);
  EXPECT_TRUE(contains(text, "0 @S1@ SUBM\r\n1 NAME Ann Author\r\n1 ADDR 1 Road\r\n2 CONT Town\r\n"
                             "2 CONT ann@example.org\r\n1 PHON 555\r\n"));
  EXPECT_TRUE(contains(text, "1 CHAR ANSI\r\n"));
  EXPECT_TRUE(contains(text, "0 TRLR\r\r\n"));
  EXPECT_EQ(IniReadText(s, "USER", "Name"), "Ann Author");
  EXPECT_EQ(IniReadText(s, "USER", "Address2"), "");
  EXPECT_EQ(IniReadText(s, "USER", "Email"), "ann@example.org");
  EXPECT_EQ(IniReadText(s, "FilePaths", "GEDCOMSavePath"), t.dir.path());
  ASSERT_EQ(t.prompter.shown.size(), 1u);
  EXPECT_EQ(t.prompter.shown[0].title, "Export GEDCOM File");
  EXPECT_EQ(t.prompter.shown[0].text,
            "GEDCOM file 'out.ged' has been created and stored in the folder: " + t.dir.path());
}

TEST_F(GedwebExportDialog, OtherProgramsFlavourAndStoppingHalfWay) {
  const std::string path = t.dir.path() + "other.ged";
  ASSERT_EQ(ExportGedcom(s, GedcomDialogOptions(typed, true, path), {}).status, ExportStatus::Done);
  const std::string text = read(path);
  EXPECT_TRUE(contains(text, "1 GEDC\r\n2 VERS 5.5.1\r\n2 FORM LINEAGE-LINKED\r\n1 CHAR UTF-8\r\n"));
  EXPECT_TRUE(contains(text, "1 EMAIL ann@@example.org\r\n"));

  // Cancel at the first person: the earlier file stays as it was.
  ExportResult r =
      ExportGedcom(s, GedcomDialogOptions(typed, false, path), [](const std::string&, long) { return false; });
  EXPECT_EQ(r.status, ExportStatus::Cancelled);
  EXPECT_EQ(read(path), text);
}
