// One level of undo: before a disconnection, an edit, an addition, a deletion
// or an orphan deletion the five record files are copied beside themselves in
// the work folder; undoing copies them back. A new undo point overwrites the
// copies, and undoing leaves them in place, so undoing twice restores the
// same state.
//
// Both directions are all or nothing. The copies are written under temporary
// names and take the undo names only when all five are complete; the record
// files are put back the same way, and only from copies whose sizes are the
// ones they had when they were taken. So Undo never leaves an empty or half
// record file behind.
#pragma once
#include <cstdint>
#include <string>

#include "store/session.h"

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
// as an empty file. On success UndoText is `text` and Undo is available. When
// the copies cannot all be written the previous copies stay, Undo is off and
// UndoText says why; the result is false. The failure does not stop a record
// transaction that is running: the change can go on without its undo.
[[nodiscard]] bool SaveUndoPoint(Session& s, const std::string& text);
// SaveUndoPoint for a change that goes on either way (Undo then stays off,
// and its tool tip, UndoText, says why).
void TakeUndoPoint(Session& s, const std::string& text);

// Checks the undo copies (all five there, with the sizes they were taken
// with and whole records for the counts in Undo.cfg), puts them in place of
// the record files, re-reads the settings record, reloads the marriage table,
// recounts the deleted persons and selects the settings record's last person
// again. A check or a write that fails leaves the record files untouched and
// is told in a box titled "Undo". False, with nothing changed, when no undo
// point was taken.
[[nodiscard]] bool RestoreUndoPoint(Session& s);

// Persons 1..NumPersons whose Deleted field is set, counted from vorlan.Per.
int CountDeletedPersons(const Session& s);

}  // namespace vft
