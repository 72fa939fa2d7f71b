// Taking links away again: the selected person leaves its parents and
// siblings, or the partnership with the displayed partner. Persons and
// families are never removed; a family that loses everyone stays in the file
// (the orphan search finds what is left behind).
//
// Each disconnection leaves a line describing it in s.Link.DisconnectLog.
#pragma once
#include <cstdint>
#include <string>

#include "store/session.h"

namespace vft {

// The three buttons of the disconnect dialog.
enum class DisconnectChoice { ParentsAndSiblings = 0, SpouseAndChildren = 1, All = 2 };

// c is taken out of its parent family (the later children move up one slot)
// and becomes the only child of a new family without parents. Its own
// partnerships and children stay as they are. False, with nothing changed,
// when c is in no family or no family number is left.
[[nodiscard]] bool DisconnectFromParents(Session& s, std::int16_t c);

// c leaves the first family in which c and p are the two partners. Without
// children the family is emptied and both lose a partner. With children, c's
// slot goes to a new "Unknown" placeholder of c's sex, so the children keep p
// and gain an unknown other parent; the family's ceremony record becomes an
// unknown date with no place. p may be 0 (a partnership with an unknown
// partner, which counts for nobody's NumPartners). False, with nothing
// changed, when there is no such family or no room for the placeholder.
[[nodiscard]] bool DisconnectFromPartner(Session& s, std::int16_t c, std::int16_t p);

// The partner the main window shows for the selected person, 0 when none.
std::int16_t DisplayedPartnerOf(const Session& s);

// The dialog's buttons are offered only when they can do something: parents
// and siblings when c's parent family shows on the view, the partner when a
// family pairs the selected person with the displayed partner.
bool CanDisconnectFromParents(const Session& s, std::int16_t c);
bool CanDisconnectFromPartner(const Session& s);

// The hint of a button for the person named `name`.
std::string DisconnectHint(const std::string& name, DisconnectChoice choice);

// A button of the disconnect dialog on the selected person: undo point
// ("Undo disconnection of " + name), then the disconnection(s) ("All" does the
// partner first, then the parents), DisconnectMode cleared and the selected
// person's lists refreshed. With "All" the log holds both lines.
[[nodiscard]] bool DisconnectAs(Session& s, DisconnectChoice choice);

}  // namespace vft
