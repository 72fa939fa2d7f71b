// The record store: every read or write of the five record files in the work
// folder goes through these operations. Each opens its file, moves one record
// (or one notes chain) and closes it again, so every change is on disk at once.
#pragma once
#include <cstdint>
#include <string>

#include "store/session.h"

namespace vft {

// Record file names inside the work folder.
namespace recfile {
inline constexpr const char* Person = "vorlan.Per";
inline constexpr const char* Marriage = "vorlan.mar";
inline constexpr const char* Ceremony = "vorlan.mce";
inline constexpr const char* Notes = "vorlan.not";
inline constexpr const char* Config = "vorlan.cfg";
}  // namespace recfile

// Every write below goes through the session's FileSystem and is checked: a
// false result means the record is not (wholly) on disk, and s.disk.failure()
// says which file and why. Inside a RecordTransaction the operation then stops
// and everything it wrote is taken back.
bool ReadConfig(Session& s);
[[nodiscard]] bool WriteConfig(Session& s);
// Reads record CurNum into Person; applies UCaseFamname.
bool ReadPerson(Session& s);
// Reads record n into Person (nothing for n < 1); applies UCaseFamname; a read
// failure is reported to the user.
bool ReadPersonNew(Session& s, std::int16_t n);
// Stores `p` as person n, its notes first: a chain is started for notes the
// person had none of, and rewritten when `notes_changed`. p.NotesRec then
// names the chain.
[[nodiscard]] bool WritePerson(Session& s, std::int16_t n, PersonRecord& p, const std::string& notes,
                               bool notes_changed);
// Stores `p` with `notes` as the new person NumPersons (the caller has raised
// it); sets p.PerNum and p.NotesRec.
[[nodiscard]] bool AddPersonRecord(Session& s, PersonRecord& p, const std::string& notes);
void ClearPerson(Session& s);
// Stores `m` and `c` as the family NumMarriages (at least 1); sets m.MarNum.
[[nodiscard]] bool AddMarriageRecord(Session& s, MarriageRecord& m, const CeremonyRecord& c);
// Stores family n: its Marriage record `m` and its Ceremony record `c`.
[[nodiscard]] bool WriteMarriage(Session& s, std::int16_t n, const MarriageRecord& m, const CeremonyRecord& c);
// Stores the Marriage record of family n only; its ceremony stays as it is.
[[nodiscard]] bool WriteMarriageOnly(Session& s, std::int16_t n, const MarriageRecord& m);
// The box shown instead of writing a Marriage number outside 1..15000.
void ShowMarriageLimit(Session& s);
bool ReadCeremony(Session& s, std::int16_t n);
void LoadMarriages(Session& s);

// Notes chains. `notes_file` is a full path.
std::string ReadNotes(std::int32_t first, const std::string& notes_file);
[[nodiscard]] bool AppendNotes(fileio::FileSystem& fs, PersonRecord& owner, const std::string& text,
                               const std::string& notes_file);
[[nodiscard]] bool RewriteNotes(Session& s, PersonRecord& owner, const std::string& text);
// Reads a chain from an in-memory copy of a notes file (used by bulk readers).
std::string ReadNotesFrom(std::int32_t first, const Bytes& notes_file);

// Moves an old "Vorlan.Cfg" from `old_folder` into the work folder. False
// when it was there and could not be moved (it is then left where it is).
[[nodiscard]] bool MoveOldConfig(Session& s, const std::string& old_folder);

// Reads any Person record without touching the working copies (a scratch read).
bool ReadPersonRecord(const Session& s, std::int16_t n, PersonRecord& out);
[[nodiscard]] bool WritePersonRecord(Session& s, std::int16_t n, const PersonRecord& p);

// How many of Person records 1..persons (as far as the file reaches) in a
// whole vorlan.Per read into memory have their Deleted field set.
int CountDeletedIn(const Bytes& person_file, int persons);

// A NotesRec value that points at a chain.
inline bool has_chain(std::int32_t notes_rec) { return notes_rec >= 1 && notes_rec < 65535; }
// The family name as displays and exports show it (upper case when the option is on).
std::string display_famname(const Session& s, const PersonRecord& p);
// The same rule for a family name as it stands (typed, or read without
// decoding the record): capitals when the option is on; not trimmed.
std::string display_famname(const Session& s, std::string_view famname);

}  // namespace vft
