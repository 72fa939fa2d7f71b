// The undo history: every change to the records since the tree was opened,
// as steps that can be taken back (Undo) and put back again (Redo).
//
// Each outermost record transaction (store/record_transaction.h) that changed
// the record files is one step. Its images come from the transaction's own
// journal (what each write overwrote) and from the files after the change, so
// a step holds only the bytes that changed. The step is written to
// "Undo.hst" in the work folder inside the same transaction, through the same
// checked writer: should it fail, the change is taken back with it, and the
// history on disk and in memory stays as it was.
//
// The file: a 64-byte head (magic, count, position, end, dropped, next
// serial), then the steps, each a length, a checksum and the step. Each step
// names the step before it, so entries left over from an earlier branch are
// never read as part of this one. A crash between the records and the head
// is mended when the file is read back: the position is the one whose images
// the record files hold.
#pragma once
#include <cstddef>
#include <string>

#include "store/session.h"

namespace vft {

inline constexpr const char* kHistoryFile = "Undo.hst";
// Steps kept; older ones are dropped (the history window says so).
inline constexpr std::size_t kHistoryLimit = 1000;

// Writes ahead a little room for the next step, so that a full disk is
// found before the change is made. False with s.disk.failure() saying why.
[[nodiscard]] bool ReserveStep(Session& s);

// Records the running transaction's changes as a step (nothing when the
// record files did not change, Undo or Redo is running, or the user chose
// to go on without Undo). False, with s.disk.failure() saying why, when the
// step could not be written.
[[nodiscard]] bool RecordStep(Session& s);

// Drops every step and the history file. `reason` is what the Undo button
// then says ("" when a new tree simply starts afresh).
void ForgetHistory(Session& s, const std::string& reason = {});

// UndoAvailable and UndoText from the history.
void SyncUndoState(Session& s);

// Puts the record files into the state after the first `target` steps, in
// one go, checking each step's images against the files before it writes.
// Run it inside a record transaction, with History.moving set so that the
// transaction takes no step of its own. Patches the settings record in memory
// too; the caller reloads the rest. False with `why` (the files do not match
// the history) or s.disk.failure() (a write failed).
[[nodiscard]] bool MoveRecords(Session& s, std::size_t target, std::string& why);

// Reads the work folder's history file back (after recovery) and finds the
// position the record files are at. False, with no history, when there is
// none or it does not match the records.
bool LoadHistory(Session& s);

}  // namespace vft
