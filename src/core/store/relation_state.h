// The working state of one relationship operation (add or connect a person).
// The main window starts an operation by setting AddMode or ConnectMode, the
// dialogs pick one relation flag and fill in positions and couples, and the link
// operations read it. Every end path, success or cancel, calls
// ResetRelationState so no flag leaks into the next operation.
//
// Kept free of Session so that Session can hold it by value.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "store/record_layout.h"

namespace vft {

// At most this many partnerships of one person are listed and checked.
inline constexpr int kMaxPartnerRows = 20;
// The sibling list holds as many entries as a family has child slots.
inline constexpr int kMaxSiblings = kMaxKids;

// One row of a person's partner list.
struct PartnerRow {
  std::int16_t Partner = 0;     // the other slot of the family; 0 when unknown
  std::int16_t Divorced = 0;    // -1 when the couple divorced
  std::int16_t NotMarried = 0;  // -1 when the couple did not marry
  std::string MarriedDate;      // the family's ceremony date, 12 characters as stored
  std::int16_t Family = 0;      // the Marriage number the row comes from
};

// A person's partnerships in ascending Marriage number: rows[0..count-1] are
// the partner list's rows 1..count. The `Family` fields are the partner family
// list.
struct PartnerList {
  std::array<PartnerRow, kMaxPartnerRows> rows{};
  int count = 0;
};

struct RelationState {
  // The person shown in the main window to whom someone is added or connected
  // ("c"). Link operations keep its NumPartners in step with the file.
  PersonRecord Selected;
  // Person number of the person being added or connected ("a" / "x").
  std::int16_t NewPerson = 0;

  bool AddMode = false;
  bool ConnectMode = false;
  bool AsFather = false;
  bool AsMother = false;
  bool AsSibling = false;
  bool AsPartner = false;
  bool AsChild = false;
  bool AsUnrelated = false;
  // The new partner goes to InsertPosition among the existing partners.
  bool PartnerSequenceMode = false;
  // A disconnection is creating a placeholder parent.
  bool DisconnectMode = false;
  // 0-based position chosen in a sequence list.
  std::int16_t InsertPosition = 0;

  // The selected person's partners and siblings, as the main window shows them.
  PartnerList Partners;
  int DisplayedPartner = 0;  // 0-based row of Partners shown as the current partner
  std::array<std::int16_t, kMaxSiblings> Siblings{};

  // The couple a new or connected child is to join at InsertPosition, once the
  // child dialogs have settled it; both 0 means "append to the family of the
  // selected person and the displayed partner".
  std::int16_t ChildFather = 0;
  std::int16_t ChildMother = 0;
  // The first parent just added while the dialog asks about the second one.
  std::int16_t RememberedParent = 0;
  // The other parent of a child was known, so that parent is being added as a
  // partner first: the marriage editor's OK sets AsChild again and the child
  // follows. In ConnectMode PendingChild is the person on record who then
  // joins the new couple.
  bool PartnerForChild = false;
  std::int16_t PendingChild = 0;

  int Answer = 0;  // the last message-box answer
};

// Clears the six relation flags, both modes, PartnerSequenceMode and
// InsertPosition, and forgets the couple and parent remembered for this
// operation. The selected person and the lists stay: they belong to the view.
inline void ResetRelationState(RelationState& r) {
  r.AsFather = r.AsMother = r.AsSibling = r.AsPartner = r.AsChild = r.AsUnrelated = false;
  r.ConnectMode = false;
  r.AddMode = false;
  r.PartnerSequenceMode = false;
  r.InsertPosition = 0;
  r.ChildFather = r.ChildMother = 0;
  r.RememberedParent = 0;
  r.PartnerForChild = false;
  r.PendingChild = 0;
}

}  // namespace vft
