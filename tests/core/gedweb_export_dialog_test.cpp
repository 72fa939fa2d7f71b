// The export dialog's steps without the window: the save dialog request and
// the options taken from the boxes (the export they start is tested whole
// with the export itself).
#include <gtest/gtest.h>

#include <filesystem>

#include "interchange/gedcom_export_dialog.h"
#include "store/ini.h"
#include "temp_session.h"

using namespace vft;

namespace {

class GedwebExportDialog : public ::testing::Test {
 protected:
  test::TempSession t;
  Session& s = t.s;
  SubmitterDetails typed{"  Ann Author ", "1 Road", "", "Town  ", " 555", "ann@example.org"};

  GedwebExportDialog() { std::filesystem::create_directories(s.settings_folder()); }
};

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
