// GEDCOM import: adds the individuals and families of a GEDCOM file to the open
// tree, after the records already there. It never replaces anything.
//
// The work is done in two steps so the import window can show what was found
// before anything is written:
//   ConvertGedcom  decodes and reads the whole file into memory (the converted
//                  persons, families and notes), asking the user only the
//                  identifier question; the record files are not touched;
//   MergeGedcom    appends the converted records to the record files and raises
//                  the counts in the settings record last.
// A refused, cancelled or abandoned import therefore leaves the record files
// byte for byte as they were. ImportGedcom runs both steps for one file.
//
// Pipeline: gedcom_decode (character set -> CP1252), gedcom_lex (lines), the
// record handlers in gedcom_import_persons/_families/_notes/_dates, the records
// made of what they read in gedcom_import_to_records, and the writer in
// gedcom_import_merge.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/record_layout.h"
#include "store/session.h"

namespace vft {

enum class ImportStatus {
  Converted,  // ConvertGedcom only: ready to merge
  Imported,   // merged into the tree
  Refused,    // the file cannot be imported (the message says why)
  Cancelled,  // the user stopped or abandoned the import
};

// The file's header details, for the import window's frame.
struct GedcomHeaderInfo {
  std::string Source, Destination, Date, Version, GedcomVersion;
  std::string SubmitterName, SubmitterAddress, SubmitterPhone;  // address lines joined with CrLf
  std::string Charset;  // the character set the file was read in ("ANSEL", "UTF-8", ...)
};

struct ImportCounts {
  int individuals = 0;      // level-0 individual records found
  int placeholders = 0;     // "Unknown Wife" and the like, added for one-partner families
  int families = 0;         // level-0 family records converted
  int parent_families = 0;  // added for persons no family lists as a child
  int first_person = 0;     // Person number of the first imported person
  int first_family = 0;     // Marriage number of the first imported family
};

struct ImportResult {
  ImportStatus status = ImportStatus::Refused;
  std::string message;       // the box shown for a refusal or a cancel; empty otherwise
  std::string summary;       // "Finished GEDCOM import." and what was found
  std::string errors;        // the error list with its heading, or empty
  std::size_t problems = 0;  // entries on the error list
  // What was not kept, counted by kind ("312 source citations, 45 titles were
  // not imported."); the summary ends with these lines too.
  std::vector<std::string> not_kept;
  ImportCounts counts;
  GedcomHeaderInfo header;
  // What was left out, one entry per tag with its count and the first line.
  std::vector<std::string> log;
};

struct ImportOptions {
  // Keep the file's folder as GEDCOMLoadPath in the settings file.
  bool remember_folder = true;
  // Ask before reading a file whose identifiers hold letters. The command
  // line asks nothing.
  bool ask_identifiers = true;
  // A refusal also says that the open tree was not changed (the window's
  // words; the command line has no open tree).
  bool tell_tree_unchanged = true;
};

// A file converted in memory, waiting for the merge. Person references in
// `families` are positions in `persons` counted from 1; the merge raises them
// by the tree's NumPersons.
struct GedcomConversion {
  std::vector<PersonRecord> persons;     // individuals in file order, then placeholders
  std::vector<std::string> notes;        // each person's notes text (CP1252, CrLf lines)
  std::vector<MarriageRecord> families;  // family records in file order, then parent families
  std::vector<CeremonyRecord> ceremonies;
  ImportResult result;
};

// Reads the file's bytes into `out`. Shows the refusal messages (missing
// header, incomplete file, no individuals, the 15,000 limit), asks the
// identifier question and
// reports stages through `progress` (returning false cancels). On success the
// result's status is Converted and it holds the summary and the error list.
ImportResult ConvertGedcom(Session& s, std::string_view bytes, const std::string& file_name, const Progress& progress,
                           GedcomConversion& out, const ImportOptions& options = {});

// Appends a conversion to the record files: persons after NumPersons, families
// after NumMarriages, notes at the end of the notes file; then the counts,
// WriteConfig and LoadMarriages. Returns false (and says so) when a record file
// cannot be written; the counts are then left as they were.
[[nodiscard]] bool MergeGedcom(Session& s, const GedcomConversion& c, const Progress& progress);

// A count as the summaries write it: "2,322".
std::string Thousands(long n);

// The box that says the import was abandoned and the tree left as it was
// (for a window that closes before the merge).
void ShowImportAbandoned(Session& s);

// Both steps on bytes already in memory (tests, the fuzz target, the CLI).
ImportResult ImportGedcomData(Session& s, std::string_view bytes, const std::string& file_name,
                              const Progress& progress, const ImportOptions& options = {});
// Both steps on a file.
ImportResult ImportGedcom(Session& s, const std::string& path, const Progress& progress,
                          const ImportOptions& options = {});

}  // namespace vft
