// The operations that change links. Each one changes the marriage table first
// and then writes every changed record at once (family to vorlan.mar, and
// where said its ceremony record to vorlan.mce; NumPartners on the Person
// records; the settings record after Marriage or Person numbers were handed
// out). There is no deferred save of links.
//
// Persons are given by Person number; their sex is read from their stored
// records. The modes and relation flags in s.Rel steer the few steps that
// depend on how the operation started (AddMode, ConnectMode, AsChild, ...).
//
// Every operation checks its limits before it changes anything: a family
// number outside 1..15000, a 42nd child or a 21st partnership is refused with a
// box titled "Problem" and leaves table and files as they were. Operations that
// create a family return its Marriage number, 0 when refused.
//
// Each runs as a RecordTransaction: should a record not be written, the
// operation stops, returns false (or 0), and table and files are put back as
// they were before it.
#pragma once
#include <cstdint>

#include "store/session.h"

namespace vft {

// Writes family m of the table with the ceremony buffer (WriteMarriage).
[[nodiscard]] bool SaveFamily(Session& s, std::int16_t m);

// A new family NumMarriages+1 with no parents and a as its only child; its
// ceremony record is written blank.
[[nodiscard]] std::int16_t NewParentFamily(Session& s, std::int16_t a);

// a becomes the father / mother of c in c's parent family (the last family
// listing c). When the other parent is known both get one more partner. In
// AddMode or ConnectMode a gets a parent family if it has none yet. Refused
// when c is in no family or the slot already holds someone.
[[nodiscard]] bool SetFather(Session& s, std::int16_t c, std::int16_t a);
[[nodiscard]] bool SetMother(Session& s, std::int16_t c, std::int16_t a);
// a goes into Wife ("F") or Husband ("M") of family m; refused when a's sex
// is not recorded or the slot is taken. Should the other slot be filled, both
// partners' NumPartners go up so the counts stay true.
[[nodiscard]] bool SetParentBySex(Session& s, std::int16_t m, std::int16_t a);

// A new family of a and c (by c's sex) after c's existing partnerships, with
// Divorced/NotMarried from the Marriage buffer and the ceremony buffer as its
// ceremony record. Both get one more partner. In AddMode, or when connecting a
// child, a gets a parent family if it has none. Outside AddMode AsPartner is
// cleared.
[[nodiscard]] std::int16_t AppendPartnership(Session& s, std::int16_t a, std::int16_t c);
// The same partnership placed at 0-based position k among c's partnerships:
// c's families from position k on move one Marriage number up (the last one to
// a new number) with their children, flags and ceremony records, and the new
// couple takes the number that was k-th. k at or past the end appends. The
// table is reloaded from vorlan.mar and InsertPosition reset afterwards.
[[nodiscard]] std::int16_t InsertPartnershipAt(Session& s, std::int16_t a, std::int16_t c, int k);
// a fills the empty partner slot of c's first family in which c is the only
// parent, or a new family of a and c is made. Both get one more partner;
// outside ConnectMode a gets a parent family if it has none.
[[nodiscard]] std::int16_t CompleteSoleParentFamily(Session& s, std::int16_t a, std::int16_t c);

// a becomes the last child of c's family with the displayed partner (s.Rel), or
// of c's last family with an unknown partner, or of a new family with c as its
// only parent.
[[nodiscard]] std::int16_t AppendChild(Session& s, std::int16_t a, std::int16_t c);
// a goes into slot k of family m (0-based; later children move one slot on;
// k at or past NumKids appends).
[[nodiscard]] bool InsertChildAt(Session& s, std::int16_t m, std::int16_t a, int k);
// InsertChildAt(FamilyBetween(h, w), a, k); then AddMode and InsertPosition are
// cleared. Refused when h and w have no family.
[[nodiscard]] bool InsertChildOfCouple(Session& s, std::int16_t h, std::int16_t w, std::int16_t a, int k);
// InsertChildAt(ParentFamilyOf(c), a, k).
[[nodiscard]] bool InsertSiblingAt(Session& s, std::int16_t a, std::int16_t c, int k);
// Takes p out of the child list of its parent family (the first listing it);
// the family stays even when empty. Returns that family, 0 if none, -1 when
// it could not be written.
[[nodiscard]] std::int16_t RemoveFromParentFamily(Session& s, std::int16_t p);

// Adds a placeholder "Unknown" person of the given sex ('M' or 'F') and
// returns its number (0 when the person limit is reached). In DisconnectMode
// it gets NumPartners 1 and a parent family; the disconnection links it.
// Otherwise, unless AsFather or AsMother is set (the caller then links it
// with SetFather / SetMother), it becomes a partner of the selected person:
// CompleteSoleParentFamily, or InsertPartnershipAt(InsertPosition) in
// PartnerSequenceMode. A placeholder partnership has no known details, so the
// Marriage and ceremony buffers are cleared for it.
[[nodiscard]] std::int16_t CreateUnknownPerson(Session& s, char sex);

// Ends an operation: ResetRelationState on s.Rel.
void ResetRelationState(Session& s);

}  // namespace vft
