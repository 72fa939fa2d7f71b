// The import's steps in order, its messages and its two entry points.
#include "interchange/gedcom_import.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "interchange/gedcom_decode.h"
#include "interchange/gedcom_import_internal.h"
#include "store/file_io.h"
#include "store/ini.h"
#include "store/paths.h"
#include "store/records.h"

namespace vft {
namespace {

using namespace gedcom;

constexpr const char* kImportTitle = "Import GEDCOM File";
constexpr const char* kFileTitle = "Import a GEDCOM File";
constexpr int kPersonLimit = 15000;
// No GEDCOM file near the person limit comes anywhere near this size.
constexpr std::size_t kMaxFileBytes = std::size_t{1} << 30;
// Stages report progress (and may be cancelled) every so many records.
constexpr std::size_t kProgressStep = 256;

std::string limit_text() {
  return std::string("It's not possible to import this file  ") + CrLf + "to Vorlan Family Tree. " + CrLf + "  " +
         CrLf + "The total number of individuals would exceed  " + CrLf + "the Vorlan Family Tree limit of 15,000.";
}

std::string marriage_limit_text() {
  return std::string("You gave reached the maximum number of marriages permitted.") + CrLf +
         "Please contact the author.";
}

std::string question_text() {
  return std::string("This GEDCOM file contains alpha characters (letters) as well as") + CrLf +
         "numbers in some of its data lines and requires extra processing." + CrLf +
         "This could take some time to process. " + CrLf + "Do you want to proceed?";
}

std::string abandoned_text() {
  return std::string("GEDCOM Import abandoned. ") + CrLf + "  " + CrLf + " Your existing Vorlan Family Files      " +
         CrLf + " have not been changed.";
}

std::string summary_text(int individuals, const std::vector<std::string>& not_kept) {
  std::string t =
      std::string("Finished GEDCOM import.") + CrLf + std::to_string(individuals) + " Individuals were found";
  for (const std::string& line : not_kept) t += CrLf + line;
  return t + CrLf + "Click 'OK' to merge the GEDCOM file with your existing" + CrLf +
         "Family Files or 'Cancel' to abandon the GEDCOM import.";
}

// A later record with an identifier already used cannot be told apart from
// the first by anything that points at it: it is left out and listed.
void drop_duplicates(std::vector<RecordRef>& records, ImportProblems& problems) {
  std::unordered_set<std::string_view> seen;
  std::vector<RecordRef> kept;
  kept.reserve(records.size());
  for (const RecordRef& r : records) {
    if (!r.xref.empty() && !seen.insert(r.xref).second) {
      problems.duplicates.push_back(std::string(r.xref) + "  (line " + std::to_string(r.line) + ")");
      continue;
    }
    kept.push_back(r);
  }
  records.swap(kept);
}

// Which texts of the records we read had characters replaced by "?" while
// decoding, and whose they were. Note and source records are given back by
// offset: the persons who take their texts are named once they are read.
std::vector<std::size_t> count_replaced(std::string_view text, const std::vector<std::size_t>& replaced,
                                        const FileIndex& idx, ImportProblems& problems) {
  std::vector<std::size_t> records;
  if (replaced.empty()) return records;
  // Record offset -> person; 0 a family or note, -1 a source (only its title
  // may be kept, and only when a person cites it: its texts are not counted).
  std::unordered_map<std::size_t, int> person_at;
  for (std::size_t i = 0; i < idx.indi.size(); ++i) person_at.emplace(idx.indi[i].offset, static_cast<int>(i + 1));
  for (const auto* list : {&idx.fam, &idx.note})
    for (const RecordRef& r : *list) person_at.emplace(r.offset, 0);
  for (const RecordRef& r : idx.sour) person_at.emplace(r.offset, -1);
  std::size_t last_line = std::string_view::npos;
  int last_person = 0;
  for (std::size_t pos : replaced) {
    auto next = std::upper_bound(idx.starts.begin(), idx.starts.end(), pos);
    if (next == idx.starts.begin()) continue;
    auto rec = person_at.find(*(next - 1));
    if (rec == person_at.end()) continue;  // the header: nothing of it is kept
    if (rec->second <= 0 && (records.empty() || records.back() != rec->first)) records.push_back(rec->first);
    const std::size_t line = text.find_last_of("\r\n", pos);
    if (line == last_line || rec->second < 0) continue;
    last_line = line;
    ++problems.replaced_texts;
    if (rec->second != 0 && rec->second != last_person) problems.replaced_persons.push_back(rec->second);
    if (rec->second != 0) last_person = rec->second;
  }
  std::sort(records.begin(), records.end());
  return records;
}

ImportResult refuse(Session& s, ImportResult r, const char* title, const std::string& text,
                    Icon icon = Icon::Critical) {
  s.ask(title, text, Buttons::OK, icon);
  r.status = ImportStatus::Refused;
  r.message = text;
  return r;
}

ImportResult abandon(Session& s, ImportResult r) {
  r.message = abandoned_text();
  s.ask("GEDCOM Import", r.message, Buttons::OK, Icon::Information);
  r.status = ImportStatus::Cancelled;
  return r;
}

}  // namespace

ImportResult ConvertGedcom(Session& s, std::string_view bytes, const std::string& file_name, const Progress& progress,
                           GedcomConversion& out, const ImportOptions& options) {
  out = GedcomConversion{};
  ImportResult r;
  auto step = [&](const char* stage, std::size_t count) {
    return !progress || progress(stage, static_cast<long>(count));
  };

  if (!step("Reading ", 0)) return abandon(s, r);
  const Decoded d = DecodeGedcom(bytes);
  const std::string_view text = d.text;
  r.header.Charset = CharsetName(d.charset);

  if (!step("Counting", 0)) return abandon(s, r);
  SkipLog log;
  FileIndex idx = IndexRecords(text, log);
  if (!idx.head_first)
    return refuse(s, r, kFileTitle, "The file '" + file_name + "' is not a valid GEDCOM file. (Missing header)");
  if (!HasTrailer(text)) return refuse(s, r, kFileTitle, "This GEDCOM file is incomplete and cannot be imported.");
  if (idx.indi.empty())
    return refuse(
        s, r, kFileTitle,
        "The file '" + file_name + "' holds no individuals, so there is nothing to import." +
            (options.tell_tree_unchanged ? std::string(CrLf) + "Your existing Family Files have not been changed."
                                         : std::string()));
  ReadHeader(text, idx, r.header);
  ImportProblems problems;
  drop_duplicates(idx.indi, problems);
  drop_duplicates(idx.fam, problems);
  const std::vector<std::size_t> replaced_records = count_replaced(text, d.replaced, idx, problems);

  const int P = std::max<int>(0, s.Config.NumPersons());
  const int M = std::max<int>(0, s.Config.NumMarriages());
  if (P + idx.indi.size() >= static_cast<std::size_t>(kPersonLimit)) return refuse(s, r, kImportTitle, limit_text());
  if (M + idx.fam.size() > static_cast<std::size_t>(kMaxMarriages))
    return refuse(s, r, "Problem", marriage_limit_text(), Icon::Information);

  if (options.ask_identifiers && HasAlphanumericIds(idx.indi)) {
    if (s.ask(kImportTitle, question_text(), Buttons::YesNo, Icon::Question) != kAnswerYes) {
      r.status = ImportStatus::Cancelled;
      return r;
    }
    // Identifiers of any form are looked up in a table; nothing is rewritten.
    if (!step("Checking GEDCOM File - Please Wait...", 0)) return abandon(s, r);
  }

  const XrefMap persons_by_xref = MapXrefs(idx.indi);
  const XrefMap families_by_xref = MapXrefs(idx.fam);
  // GEDCOM 7 escapes only a leading "@"; older versions double every one.
  const bool gedcom7 = !r.header.GedcomVersion.empty() && r.header.GedcomVersion[0] == '7';
  NoteRecords note_records(text, idx.note, gedcom7),
      source_records(text, idx.sour, gedcom7, NoteRecords::Kind::SourceTitle);
  note_records.set_replaced(replaced_records);
  source_records.set_replaced(replaced_records);
  LinkList links;
  const std::int64_t notes_size = fileio::size_of(s.work(recfile::Notes));
  const long notes_room =
      std::max<long>(0, kMaxNotesRecords - (notes_size > 0 ? static_cast<long>(notes_size / kNotesLen) : 0));
  IndiContext ictx{note_records,
                   source_records,
                   families_by_xref,
                   links,
                   log,
                   s.now().year,
                   static_cast<std::size_t>(notes_room) * kNotesChunk};
  GedcomLexer lex(text, gedcom7);

  std::vector<PersonWork> persons(idx.indi.size());
  if (!step("Processing Individuals", 0)) return abandon(s, r);
  for (std::size_t i = 0; i < persons.size(); ++i) {
    if (i > 0 && i % kProgressStep == 0 && !step("Processing Individuals", i)) return abandon(s, r);
    ReadIndividual(lex, idx.indi[i], static_cast<int>(i + 1), ictx, persons[i]);
  }
  if (!step("Getting Individuals ", persons.size())) return abandon(s, r);
  source_records.log_unused(log);
  // Persons whose notes or source came from a record with replaced characters.
  for (std::size_t i = 0; i < persons.size(); ++i)
    if (persons[i].replaced_in_record) problems.replaced_persons.push_back(static_cast<int>(i + 1));
  std::sort(problems.replaced_persons.begin(), problems.replaced_persons.end());
  problems.replaced_persons.erase(std::unique(problems.replaced_persons.begin(), problems.replaced_persons.end()),
                                  problems.replaced_persons.end());

  std::vector<FamilyWork> families(idx.fam.size());
  if (!step("Processing Families", 0)) return abandon(s, r);
  for (std::size_t j = 0; j < families.size(); ++j) {
    if (j > 0 && j % kProgressStep == 0 && !step("Processing Families", j)) return abandon(s, r);
    ReadFamily(lex, idx.fam[j], persons_by_xref, log, families[j]);
  }
  if (!step("Checking Families", families.size())) return abandon(s, r);
  if (!step("Re-numbering Individuals", persons.size())) return abandon(s, r);
  if (!step("Checking Partners", families.size())) return abandon(s, r);

  BuildConversion(persons, families, links, notes_room, out, problems);

  // Placeholders and parent families count against the limits as well.
  if (P + out.persons.size() >= static_cast<std::size_t>(kPersonLimit)) {
    out = GedcomConversion{};
    return refuse(s, r, kImportTitle, limit_text());
  }
  if (M + out.families.size() > static_cast<std::size_t>(kMaxMarriages)) {
    out = GedcomConversion{};
    return refuse(s, r, "Problem", marriage_limit_text(), Icon::Information);
  }

  ImportCounts& n = r.counts;
  n.individuals = static_cast<int>(idx.indi.size());
  n.placeholders = static_cast<int>(out.persons.size()) - n.individuals;
  n.families = static_cast<int>(idx.fam.size());
  n.parent_families = static_cast<int>(out.families.size()) - n.families;
  n.first_person = out.persons.empty() ? 0 : P + 1;
  n.first_family = out.families.empty() ? 0 : M + 1;
  r.not_kept = NotKeptLines(log, problems);
  r.summary = summary_text(n.individuals, r.not_kept);
  r.errors = ErrorListText(problems, out, P, M);
  r.problems = problems.listed();
  r.log = log.lines();
  r.status = ImportStatus::Converted;
  out.result = r;
  return r;
}

void ShowImportAbandoned(Session& s) { abandon(s, ImportResult{}); }

ImportResult ImportGedcomData(Session& s, std::string_view bytes, const std::string& file_name,
                              const Progress& progress, const ImportOptions& options) {
  GedcomConversion c;
  ImportResult r = ConvertGedcom(s, bytes, file_name, progress, c, options);
  if (r.status != ImportStatus::Converted) return r;
  if (!MergeGedcom(s, c, progress)) {
    r.status = ImportStatus::Refused;
    r.message = MergeFailedText();
    return r;
  }
  r.status = ImportStatus::Imported;
  return r;
}

ImportResult ImportGedcom(Session& s, const std::string& path, const Progress& progress, const ImportOptions& options) {
  const std::string name = FileNameOf(path);
  auto data = fileio::read_all(path, kMaxFileBytes);
  if (!data) {
    ImportResult r;
    return refuse(s, r, kFileTitle, "The file '" + name + "' could not be read.");
  }
  std::string_view bytes(reinterpret_cast<const char*>(data->data()), data->size());
  ImportResult r = ImportGedcomData(s, bytes, name, progress, options);
  if (r.status == ImportStatus::Imported && options.remember_folder)
    if (!IniWrite(s, "FilePaths", "GEDCOMLoadPath", FolderOf(path))) s.status(SettingsNotKept(s));
  return r;
}

}  // namespace vft
