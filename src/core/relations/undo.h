// One level of undo: before a disconnection, an edit, an addition or an orphan
// deletion the five record files are copied beside themselves in the work
// folder; undoing copies them back. A new undo point overwrites the copies, and
// undoing leaves them in place, so undoing twice restores the same state.
#pragma once
#include <cstdint>
#include <string>

#include "common/session.h"

namespace vft {

// The undo copies in the work folder.
namespace undofile {
inline constexpr const char* Config = "Undo.cfg";
inline constexpr const char* Person = "Undo.per";
inline constexpr const char* Marriage = "Undo.mar";
inline constexpr const char* Ceremony = "Undo.mce";
inline constexpr const char* Notes = "Undo.Not";
}  // namespace undofile

// Copies the record files to the undo copies. The in-memory settings record,
// with the selected person as LastPerson, goes into "Undo.cfg", so undoing
// comes back to that person. A record file that does not exist yet is copied
// as an empty file. Sets UndoText and UndoAvailable. The copy is best effort:
// a failed copy is left missing (never stale) and the result is false.
bool SaveUndoPoint(Session& s, const std::string& text);

// Copies the undo copies back over the record files (a missing copy leaves its
// record file alone), re-reads the settings record, reloads the marriage
// table, recounts the deleted persons and selects the settings record's last
// person again. False, with nothing changed, when no undo point was taken.
bool RestoreUndoPoint(Session& s);

// Persons 1..NumPersons whose Deleted field is set, counted from vorlan.Per.
int CountDeletedPersons(const Session& s);

}  // namespace vft
