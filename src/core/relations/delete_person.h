// Deleting a person: the record stays at its number with Deleted = -1, the
// person leaves its parent family's child list, and the session's count of
// deleted persons goes up. Families in which the person is a partner keep its
// number; disconnecting from the partner first is how partners and children
// are detached.
#pragma once
#include <cstdint>
#include <string>

#include "store/session.h"

namespace vft {

struct DeleteOutcome {
  bool deleted = false;
  // No living person is left: the main window goes back to its start state.
  bool tree_empty = false;
  // Otherwise the count shown to the user, e.g. "12 persons recorded.".
  std::string count_text;
};

// The question asked before a person is deleted.
std::string DeleteQuestion(const Session& s, const PersonRecord& p);
// The hint of the delete command for the person named `name`.
std::string DeleteHint(const Session& s, const std::string& name);

// Asks (title "Warning", Yes/No, No the default) and on Yes takes an undo
// point ("Undo deletion of " + name) and deletes c. A person that is already
// deleted or cannot be read is refused with a box.
DeleteOutcome DeletePerson(Session& s, std::int16_t c);

// Marks p deleted without asking: Deleted = -1 written (working copies of p
// follow), one more deleted person counted, p taken out of its parent family.
// False when p cannot be read or is already deleted, or when a record could
// not be written (everything is then as it was).
[[nodiscard]] bool MarkPersonDeleted(Session& s, std::int16_t p);

// Living persons: NumPersons less the deleted ones.
int PersonsOnRecord(const Session& s);
// The count as the main window shows it: n + " persons recorded.".
std::string PersonsRecordedText(const Session& s);

}  // namespace vft
