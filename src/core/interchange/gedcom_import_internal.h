// The importer's inner layers, shared by its source files and its tests:
// the record index of the first pass, the cross-reference maps, note records,
// date conversion, the individual and family handlers and the checks that turn
// what was read into records the relationship model accepts.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "interchange/gedcom_import.h"
#include "interchange/gedcom_lex.h"
#include "store/record_layout.h"

namespace vft::gedcom {

// Notes are chained through 16-bit record numbers, so the notes file can hold
// at most this many records, shared by every person of the tree.
inline constexpr long kMaxNotesRecords = 32767;
// Records AppendNotes uses for a text of `len` characters.
inline long NotesRecordsFor(std::size_t len) {
  if (len == 0) return 0;
  return len <= static_cast<std::size_t>(kNotesChunk) ? 1 : static_cast<long>(len / kNotesChunk) + 1;
}
// No one person's notes are collected beyond what the notes file could hold.
inline constexpr std::size_t kMaxNotesChars = static_cast<std::size_t>(kMaxNotesRecords - 1) * kNotesChunk;

// ---- what was left out

// What a skipped structure was, for the summary's count of what was not
// imported.
enum class SkipKind {
  SourceCitations,
  SourceRecords,
  MediaLinks,
  MediaRecords,
  Titles,
  AlternativeNames,
  NameDetails,
  OtherEvents,
  FamilyEvents,
  Notes,
  DivorceDetails,
  Associations,
  RecordNumbers,
  OtherRecords,
  OtherDetails,
  Count
};
// `where` is "record" for a level-0 record, else the record's tag and the
// level-1 tag above the skipped line ("INDI", "INDI BIRT", "FAM DIV").
SkipKind KindOfSkip(std::string_view where, std::string_view tag);

// Skipped structures counted per tag, so a file with ten thousand source
// citations gives one log line, not ten thousand, and per kind.
class SkipLog {
 public:
  void add(std::string_view where, std::string_view tag, std::uint32_t line);
  // Lines come in ascending order in the first pass, which sees them all; a
  // later pass over a record sees them again and is not counted twice.
  void bad_line(std::uint32_t line);
  std::vector<std::string> lines() const;
  long count(SkipKind k) const { return kinds_[static_cast<std::size_t>(k)]; }
  long bad_lines() const { return bad_; }
  // The numbers of the first few lines that could not be read.
  static constexpr std::size_t kBadListed = 5;
  const std::vector<std::uint32_t>& first_bad_lines() const { return first_bad_; }

 private:
  struct Entry {
    std::string key;
    long count = 0;
    std::uint32_t first = 0;
  };
  std::vector<Entry> entries_;
  std::unordered_map<std::string, std::size_t> index_;
  long others_ = 0, bad_ = 0;
  std::vector<std::uint32_t> first_bad_;
  std::uint32_t last_bad_ = 0;
  std::array<long, static_cast<std::size_t>(SkipKind::Count)> kinds_{};
};

// ---- first pass

struct RecordRef {
  std::string_view xref;   // with its at-signs; may be empty
  std::size_t offset = 0;  // of the level-0 line
  std::uint32_t line = 0;
};

struct FileIndex {
  bool head_first = false;  // the first line is "0 HEAD"
  std::optional<RecordRef> head;
  std::vector<RecordRef> indi, fam, note, subm, sour;
  std::string_view submitter_pointer;  // HEAD's "1 SUBM @X@"
  std::vector<std::size_t> starts;     // offsets of every level-0 line, in file order
};

// One pass over all lines, up to "0 TRLR": where each level-0 record starts.
FileIndex IndexRecords(std::string_view text, SkipLog& log);
// The header and submitter details for the import window.
void ReadHeader(std::string_view text, const FileIndex& idx, GedcomHeaderInfo& out);
// True when the last 100 characters (blank lines and end-of-file marks aside)
// hold "TRLR".
bool HasTrailer(std::string_view text);

// Cross-reference -> position (from 1) in file order; the first record wins.
using XrefMap = std::unordered_map<std::string_view, int>;
XrefMap MapXrefs(const std::vector<RecordRef>& records);
// True unless every individual's identifier is "@I" followed by digits.
bool HasAlphanumericIds(const std::vector<RecordRef>& indi);

// ---- notes

// The texts of level-0 records persons point at, each read once: of NOTE (and
// GEDCOM 7 SNOTE) records their text, of SOUR records their title.
class NoteRecords {
 public:
  enum class Kind { Note, SourceTitle };
  NoteRecords(std::string_view text, const std::vector<RecordRef>& records, bool gedcom7, Kind kind = Kind::Note);
  // nullptr when no record has that identifier.
  const std::string* find(std::string_view xref);
  // The records (by offset) whose text had characters replaced by "?".
  void set_replaced(const std::vector<std::size_t>& offsets);
  bool replaced(std::string_view xref) const;
  // A person took the record's text; the records none took are logged as
  // not imported.
  void use(std::string_view xref);
  void log_unused(SkipLog& log) const;

 private:
  int index(std::string_view xref) const;  // from 1; 0 when unknown
  std::string_view text_;
  bool gedcom7_;
  Kind kind_;
  const std::vector<RecordRef>& records_;
  XrefMap map_;
  std::vector<std::optional<std::string>> cache_;
  std::vector<bool> replaced_, used_;
};

// Appends `piece` without letting the text grow past `cap`; false when
// something had to be left out.
bool AppendCapped(std::string& to, std::string_view piece, std::size_t cap = kMaxNotesChars);
// Appends "label: text" as a paragraph of its own (same cap and result).
bool AddNoteParagraph(std::string& notes, std::string_view label, std::string_view text,
                      std::size_t cap = kMaxNotesChars);

// ---- dates

struct ConvertedDate {
  std::string stored;           // for the 12-character field, reduced to fit (store/date_forms.h)
  bool to_notes = false;        // the whole original text must go into the notes
  bool impossible_day = false;  // kept, but the day is not one its month has
  int year = 0;                 // a year the date is known to be in or before; 0 none
};
ConvertedDate ConvertDate(std::string_view value);

// ---- individuals and families

// One individual as read, before the checks.
struct PersonWork {
  PersonRecord rec;
  std::string notes;
  bool unreadable_note = false;
  bool notes_cut = false;                     // more notes than the notes file could take
  bool replaced_in_record = false;            // a note or source record it took held characters replaced by "?"
  int dates_reduced = 0;                      // dates stored shorter than written (their text is in the notes)
  std::vector<std::string> impossible_dates;  // "Birth date 29 Feb 1901"
};

// Person <-> family links that individual records give (FAMC, FAMS), both
// numbers from 1.
struct LinkList {
  std::vector<std::pair<int, int>> famc, fams;
};

struct IndiContext {
  NoteRecords& notes;
  NoteRecords& sources;
  const XrefMap& families;
  LinkList& links;
  SkipLog& log;
  int this_year;
  // Notes characters the notes file can still take. Persons share it, so a
  // note record that a thousand persons point at is not copied a thousand
  // times beyond what could ever be stored.
  std::size_t notes_left;
};

// Reads the record starting at `r` into a person numbered `number`.
void ReadIndividual(GedcomLexer& lex, const RecordRef& r, int number, IndiContext& ctx, PersonWork& out);

struct FamilyWork {
  int husb = 0, wife = 0;
  std::vector<int> kids;  // as listed, duplicates and all
  bool divorced = false, not_married = false, married = false;
  std::string date, place;  // whole texts under MARR; converted and cut by the checks
  bool date_given = false;
};

// Reads the record starting at `r`; person references through `persons`.
void ReadFamily(GedcomLexer& lex, const RecordRef& r, const XrefMap& persons, SkipLog& log, FamilyWork& out);

// ---- checks

// What the error list reports. Numbers are positions from 1 in the conversion.
struct ImportProblems {
  std::vector<int> unreadable_notes;                          // persons
  std::vector<std::pair<int, int>> extra_children;            // family, child left out
  std::vector<std::pair<int, int>> second_parents;            // child, family that also listed it
  std::vector<std::pair<int, int>> wrong_partner;             // family, partner left out
  std::vector<int> notes_cut;                                 // persons
  std::vector<std::pair<int, std::string>> impossible_dates;  // person, "Birth date 29 Feb 1901"
  std::vector<std::pair<int, int>> own_ancestor;              // child, family whose child it would have been
  std::vector<std::string> duplicates;                        // "@I5@ (line 120)": records left out
  std::vector<int> replaced_persons;                          // persons with characters replaced by "?"
  long replaced_texts = 0;                                    // lines with characters replaced by "?"
  long dates_reduced = 0;                                     // dates stored shorter; their text is in the notes
  // Entries on the error list.
  std::size_t listed() const {
    return unreadable_notes.size() + extra_children.size() + second_parents.size() + wrong_partner.size() +
           notes_cut.size() + impossible_dates.size() + own_ancestor.size() + duplicates.size() +
           replaced_persons.size();
  }
};

// Turns what was read into records: applies the FAMC/FAMS links, settles
// partners by sex, keeps each child in its first family (at most 41 per
// family), adds the placeholder partners and the parent families of persons
// no family lists, counts NumPartners and cuts the notes to what the notes
// file can take (`notes_room` records).
void BuildConversion(std::vector<PersonWork>& persons, std::vector<FamilyWork>& families, const LinkList& links,
                     long notes_room, GedcomConversion& out, ImportProblems& problems);

// The name as the error list shows it: given names and family name.
std::string ListName(const PersonRecord& p);

// ---- texts

// What the user reads when a merge could not write the record files.
std::string MergeFailedText();
// The error list for the import window, with numbers as the merge will give
// them (persons after `persons_before`, families after `families_before`).
std::string ErrorListText(const ImportProblems& problems, const GedcomConversion& c, int persons_before,
                          int families_before);
// What was not kept, counted by kind, one sentence a line; empty when all was.
std::vector<std::string> NotKeptLines(const SkipLog& log, const ImportProblems& problems);

}  // namespace vft::gedcom
