// The link step after the person editor has stored a new person: the relation
// flag chosen for the add operation decides how the new person joins the tree.
#pragma once
#include <cstdint>
#include <string>

#include "store/session.h"

namespace vft {

// Refuses, with message table entry 86, to add a person once the records hold
// 14999; true when there is room.
bool RoomForAnotherPerson(Session& s);

enum class LinkStep {
  Done,                 // linked; the relation state is reset
  AskOtherParent,       // a parent was linked and the other one is missing: the
                        // dialog asks whether it is known. AsFather/AsMother now
                        // names the missing parent; RememberedParent is the one added.
  EditParentsMarriage,  // both parents are known now: the marriage editor records
                        // their marriage (relation state kept for it)
  EditPartnership,      // the marriage editor opens for the new partner; its OK
                        // calls LinkNewPartner (relation state kept)
  UnrelatedNotice,      // the person got its own parent family; show the notice
  Refused,              // the link was refused with a box; the person stays on
                        // record, unrelated, in a parent family of its own
};

struct LinkResult {
  LinkStep step = LinkStep::Done;
  std::string undo_text;  // the undo command's text for this addition, if it has one
};

// a is the Person number just stored. With no family in the tree yet (the
// first person) family 1 becomes a's parent family and a the selected person.
// Otherwise, in AddMode, the relation flag links a to the selected person.
[[nodiscard]] LinkResult LinkNewPerson(Session& s, std::int16_t a);

// The marriage editor's OK for a new or connected partner a of the selected
// person: InsertPartnershipAt(InsertPosition) in PartnerSequenceMode, else
// CompleteSoleParentFamily. The partner lists are refreshed and the new
// partnership becomes the displayed one. Returns its Marriage number, 0 when
// refused (a new person then keeps a parent family of its own).
[[nodiscard]] std::int16_t LinkNewPartner(Session& s, std::int16_t a);

// The missing parent is not known: a placeholder of the missing parent's sex
// (AsMother: "F", AsFather: "M") becomes that parent of the selected person.
// Ends the operation. Returns the placeholder, 0 when refused.
[[nodiscard]] std::int16_t SupplyUnknownParent(Session& s);

}  // namespace vft
