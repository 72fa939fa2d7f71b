// Helpers shared by the link operations (not part of their public surface):
// writing a family from the table, handing out Marriage numbers, and the
// refusals that keep the tree inside its limits.
#pragma once
#include <cstdint>
#include <string>

#include "store/session.h"

namespace vft::familywrite {

// Family m of the table, MarNum set to m, written to vorlan.mar only. Outside
// 1..15000 the limit box is shown and nothing is written.
[[nodiscard]] bool store(Session& s, std::int16_t m);
// The same, and ceremony record m from `ceremony`. The ceremony buffer keeps
// what it held, because the marriage editor's details may still be needed.
[[nodiscard]] bool store_with(Session& s, std::int16_t m, const CeremonyRecord& ceremony);

// True when `count` more Marriage numbers can be handed out; otherwise shows
// the limit box.
bool room_for_families(Session& s, int count);
// Takes the next Marriage number (the caller has checked the room), clears
// its table entry and raises NumMarriages in memory.
std::int16_t take_family_number(Session& s);

// Refusals, each in a "Problem" box. They return false for use in a return.
bool refuse(Session& s, const std::string& text);
bool refuse_full_family(Session& s, std::int16_t child);
// p already has 20 partnerships (the most the partner list can show).
bool has_partner_room(Session& s, std::int16_t p);
// Reads p as stored; a record that cannot be read is refused by number.
bool read_person(Session& s, std::int16_t p, PersonRecord& out);

// Gives a its own parent family unless it is already listed as a child
// somewhere. A person on record always has one; giving it a second would make
// its parents ambiguous. False when refused or not written.
[[nodiscard]] bool ensure_parent_family(Session& s, std::int16_t a);

// Husband for "M", Wife for "F".
std::int16_t& slot_for(MarriageRecord& f, char sex);

}  // namespace vft::familywrite
