// Undo and Redo over the undo history (store/undo_history.h): every change to
// the records since the tree was opened, created or imported into can be
// taken back, one step per press or many at once from the history window,
// and put back again until a new change is made.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "store/session.h"

namespace vft {

// Names the change the running record transaction makes ("Undo editing of
// Mary Smith") and checks that its step can be written. When it cannot (a
// full disk, no permission) the user is asked, with the reason, whether to
// make the change anyway: Yes drops the history and goes on without Undo;
// No (the default) returns false and the caller must not make the change.
[[nodiscard]] bool TakeUndoPoint(Session& s, const std::string& text);

// Undo of the last step, Redo of the next one, and a move to the state just
// after step `count` (0: as the tree was opened). Each writes all it must or
// nothing, reloads the marriage table and the deleted persons, selects the
// person who was selected there and marks the tree changed. A failure is told
// in a box titled "Undo" (or "Redo") and leaves the records as they were.
// False, with nothing done, when there is nothing to undo or redo.
[[nodiscard]] bool UndoLastStep(Session& s);
[[nodiscard]] bool RedoNextStep(Session& s);
[[nodiscard]] bool MoveToStep(Session& s, std::size_t count);

// "Redo editing of Mary Smith" for the next step, "" when there is none.
std::string RedoText(const Session& s);
// A step's name without the verb, for the history window: "Editing of Mary Smith".
std::string StepName(const std::string& undo_text);

// The history window's rows, newest first: each step with the time it was
// made ("14:05:32", with the day in front when it was not today), its name,
// the count to move to for "just after it", and whether it is in the records
// now (false: it can be redone). The last row is the tree as it was opened.
struct HistoryRow {
  std::string time;
  std::string text;
  std::size_t count = 0;
  bool done = true;
  bool current = false;  // the records are just after this step
};
std::vector<HistoryRow> HistoryRows(const Session& s);
// The window's note on the limit: "Up to 1000 changes are kept." and, once
// older ones have gone, how many.
std::string HistoryNote(const Session& s);

// Persons 1..NumPersons whose Deleted field is set, counted from vorlan.Per.
int CountDeletedPersons(const Session& s);

}  // namespace vft
