// What the export dialog asks and passes on, without the window: the save
// dialog's request and the options built from the dialog's boxes. The export
// itself is ExportGedcom (gedcom_export.h).
#pragma once
#include <string>

#include "common/file_dialogs.h"
#include "interchange/gedcom_export.h"
#include "store/session.h"

namespace vft {

// "Save GEDCOM File As", starting in the folder of the last export, offering
// the open Family file's name without its extension.
FileRequest GedcomSaveRequest(const Session& s);

// The export as the dialog starts it: the submitter details as typed (blanks
// around them taken off), the chosen flavour and file.
ExportOptions GedcomDialogOptions(const SubmitterDetails& typed, GedcomFlavour flavour, const std::string& file_name);

}  // namespace vft
