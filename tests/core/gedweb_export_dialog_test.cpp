// The export dialog's steps without the window: the save dialog request and
// the options taken from the boxes. The export it starts is ExportGedcom's
// (gedcom_export_file_test.cpp, gedcom_export_test.cpp).
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
  EXPECT_EQ((std::vector<std::string>{r.title, r.filter, r.default_ext, r.folder, r.proposed_name}),
            (std::vector<std::string>{"Save GEDCOM File As", "GEDCOM File (*.GED)|*.GED|", "Ged", "/home/ann/Exports/",
                                      "Smith family"}));
  // No Family file: no name proposed.
  IniWrite(s, "FilePaths", "GEDCOMSavePath", "");
  s.CurrentFilePath.clear();
  EXPECT_EQ(GedcomSaveRequest(s).proposed_name, "");
  s.CurrentFilePath = "/x/.vfl";  // nothing left once the extension is off
  EXPECT_EQ(GedcomSaveRequest(s).proposed_name, "");
  EXPECT_EQ(GedcomSaveRequest(s).folder, "");
}

TEST_F(GedwebExportDialog, OptionsTakeTrimmedBoxesAndTheFlavour) {
  ExportOptions o = GedcomDialogOptions(typed, GedcomFlavour::Standard, "/tmp/a.ged");
  EXPECT_EQ(o.flavour, GedcomFlavour::Standard);
  EXPECT_EQ(o.submitter.Name, "Ann Author");
  EXPECT_EQ(o.file_name, "/tmp/a.ged");
}
