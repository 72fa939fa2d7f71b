// Connecting a person already on record (x) to the selected person (c) in the
// role chosen in s.Rel (AsFather, AsMother, AsSibling, AsPartner or AsChild).
//
// ConnectSelectedPerson runs the checks in their fixed order (the first that
// fails is shown in a box titled "Problem"), asks the Yes/No confirmation and
// then either links at once or tells the caller which choice the user has to
// make next; the matching Finish... function completes the link. Nothing is
// changed before the last step, so a refusal or a No leaves every record as it
// was.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "store/session.h"

namespace vft {

enum class ConnectStep {
  NotConnecting,          // not in ConnectMode or no role chosen; nothing done
  Refused,                // a check failed and its box was shown; state reset
  Declined,               // the user answered No; state reset
  Done,                   // linked (a parent with no partner); state reset
  ChooseParentCouple,     // x has a partner: is that partner c's other parent?
                          // then FinishConnectParentWithSpouse or FinishConnectParentAlone
  ChoosePartnerPosition,  // c has partners: choose the place in `sequence`
                          // (PartnerSequenceMode set), then the marriage editor
                          // and LinkNewPartner
  EditPartnership,        // c has no partner: the marriage editor, then LinkNewPartner
  ChooseSiblingPosition,  // choose the place in `sequence`, then FinishConnectSibling
  ChooseChildCouple,      // the child dialogs settle the other parent and the
                          // place, then FinishConnectChild
};

struct ConnectOutcome {
  ConnectStep step = ConnectStep::NotConnecting;
  std::string caption;                 // caption of the sequence list, when one is shown
  std::string prompt;                  // its prompt
  std::vector<std::int16_t> sequence;  // the persons it lists, in order
};

// The ordinal of the next partner of a person with `existing` partners:
// " second ", " third ", " fourth ", then " 5th ", " 6th ", ...
std::string PartnerOrdinal(int existing);

// Checks and starts the connection of x to s.Rel.Selected. x is read into
// Person3 and becomes s.Rel.NewPerson; the selected person's partner and
// sibling lists are refreshed from the table first.
ConnectOutcome ConnectSelectedPerson(Session& s, std::int16_t x);

// Sibling at 0-based position k: the one of x and c without parents joins the
// other's parent family (x when neither has parents).
[[nodiscard]] bool FinishConnectSibling(Session& s, std::int16_t x, int k);
// x leaves its own family and becomes child k of the family of h and w.
[[nodiscard]] bool FinishConnectChild(Session& s, std::int16_t x, std::int16_t h, std::int16_t w, int k);
// x's partner `spouse` is c's other parent: c moves to place k among the
// children of x and spouse.
[[nodiscard]] bool FinishConnectParentWithSpouse(Session& s, std::int16_t x, std::int16_t spouse, int k);
// x alone becomes the parent in c's parent family (by x's sex); the other
// parent, if missing, is supplied as an "Unknown" placeholder.
[[nodiscard]] bool FinishConnectParentAlone(Session& s, std::int16_t x);

}  // namespace vft
