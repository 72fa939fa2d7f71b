// GEDCOM export: the whole tree as one GEDCOM file, every live person and then
// every family in record-number order. The text is built in memory first, so a
// Cancel or a failure never leaves a half-written file behind, and the target is
// only replaced once the new file is complete.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "interchange/gedcom_export_writer.h"
#include "store/session.h"

namespace vft {

// Who made the file; kept in the settings file, section USER.
struct SubmitterDetails {
  std::string Name, Address1, Address2, Address3, Phone, Email;  // CP1252
};

struct ExportOptions {
  GedcomFlavour flavour = GedcomFlavour::Standard;
  SubmitterDetails submitter;
  std::string file_name;  // the target file, as chosen in the save dialog
  // Free bytes in a folder, or -1 when not known. Empty: ask the file system.
  // Front ends leave it empty; tests use it to stage a full disk.
  std::function<std::int64_t(const std::string& folder)> free_bytes;
  // Say where the file went in a box at the end (the command line says it
  // its own way).
  bool tell_done = true;
};

enum class ExportStatus { Done, Cancelled, Failed };

struct ExportResult {
  ExportStatus status = ExportStatus::Failed;
  std::string message;  // the text shown to the user at the end (CP1252), if any
  long persons = 0;     // individual records written
  long families = 0;    // family records written
};

// The submitter details as last stored (empty texts when missing), and the
// options for an export to `file_name` with them.
SubmitterDetails LoadSubmitterDetails(const Session& s);
ExportOptions DefaultExportOptions(const Session& s, const std::string& file_name);

// Builds the complete file text from the record files (the marriage table must be
// loaded). Returns false, leaving `out` incomplete, when `progress` asked to stop.
// `persons`/`families` receive the number of records written.
bool BuildGedcom(const Session& s, const ExportOptions& o, const Progress& progress, std::string& out,
                 long* persons = nullptr, long* families = nullptr);

// The export command: reloads the marriage table, builds the text, checks the free
// space on the target's disk (asking to retry when it is too small), writes it as
// "Temp.Ged" beside the target and renames that into place, stores the folder and
// the submitter details in the settings file and tells the user where the file is.
ExportResult ExportGedcom(Session& s, const ExportOptions& o, const Progress& progress);

}  // namespace vft
