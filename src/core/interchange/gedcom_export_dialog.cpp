#include "interchange/gedcom_export_dialog.h"

#include "common/cp1252.h"
#include "store/ini.h"
#include "store/paths.h"
#include "store/settings.h"

namespace vft {

FileRequest GedcomSaveRequest(const Session& s) {
  FileRequest r;
  r.title = "Save GEDCOM File As";
  r.filter = "GEDCOM File (*.GED)|*.GED|";
  r.default_ext = "Ged";
  r.folder = IniReadText(s, section::FilePaths, "GEDCOMSavePath");
  // The Family file's name less its last four characters (its ".vfl").
  const std::string name = FileNameOf(s.CurrentFilePath);
  if (name.size() > 4) r.proposed_name = name.substr(0, name.size() - 4);
  return r;
}

ExportOptions GedcomDialogOptions(const SubmitterDetails& typed, GedcomFlavour flavour, const std::string& file_name) {
  ExportOptions o;
  o.flavour = flavour;
  o.submitter = {cp1252::trim(typed.Name),     cp1252::trim(typed.Address1), cp1252::trim(typed.Address2),
                 cp1252::trim(typed.Address3), cp1252::trim(typed.Phone),    cp1252::trim(typed.Email)};
  o.file_name = file_name;
  return o;
}

}  // namespace vft
