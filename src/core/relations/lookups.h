// Read-only questions about the family tree, answered from the marriage table,
// families 1..NumMarriages by Session::family (a Marriage record is a family: father in
// Husband, mother in Wife, children in Kids[0..NumKids-1]).
//
// Unless said otherwise a look-up scans families from Marriage number 1 upwards
// and takes the first hit. Damaged values never lead outside the table: the
// family count is taken as 0..15000 and a NumKids outside 0..41 as the nearest
// bound. A Person number below 1 has no relatives.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "store/session.h"

namespace vft {

// Families in the table (NumMarriages, within 0..15000).
int FamilyCount(const Session& s);
// Used child slots of a family (NumKids, within 0..41).
int KidCount(const MarriageRecord& f);

// ---- parents
// The first family listing p as a child; 0 if none.
std::int16_t ParentFamilyOf(const Session& s, std::int16_t p);
// Husband / Wife of ParentFamilyOf(p); 0 if none. (Callers that also need the
// family use ParentFamilyOf.)
std::int16_t FatherOf(const Session& s, std::int16_t p);
std::int16_t MotherOf(const Session& s, std::int16_t p);
bool HasParents(const Session& s, std::int16_t p);
// True when p's parent family has a father or a mother, or two or more
// children: the family view then draws a parents/siblings row.
bool ShowsParentFamily(const Session& s, std::int16_t p);

// ---- couples
// First family with Husband = h and Wife = w (either may be 0).
std::int16_t FamilyOfCouple(const Session& s, std::int16_t h, std::int16_t w);
// First family whose {Husband, Wife} is {p, q} in either order.
std::int16_t FamilyBetween(const Session& s, std::int16_t p, std::int16_t q);
// The LAST family in which p is the only parent (p in one slot, the other 0).
std::int16_t FamilyWithUnknownPartner(const Session& s, std::int16_t p);
// Families in which p is Husband or Wife.
int CountPartnerships(const Session& s, std::int16_t p);
// p's partnerships in ascending Marriage number, at most 20 rows; each row has
// the other slot's person, Divorced, NotMarried and the ceremony date (read
// from vorlan.mce, blank when it cannot be read).
PartnerList ListPartners(const Session& s, std::int16_t p);

// ---- children and siblings
// Kids of FamilyOfCouple(h, w) in slot order; empty if there is no such family.
std::vector<std::int16_t> ListChildrenOfCouple(const Session& s, std::int16_t h, std::int16_t w);
// Kids of all p's partnerships, family by family, at most 41.
std::vector<std::int16_t> ListAllChildren(const Session& s, std::int16_t p);
// The other children of p's parent family, in slot order (at most 41).
std::vector<std::int16_t> ListSiblings(const Session& s, std::int16_t p);

// ---- questions about the selected person (s.Rel)
// NumKids of the first family pairing the selected person with the partner
// now displayed; 0 if none.
int KidsOfCoupleWithDisplayedPartner(const Session& s);
// x is in rows 1..NumPartners (at most 20) of the selected person's partner
// list. NumPartners counts only partnerships with both slots filled, so when
// a partnership with an unknown partner comes first the later rows are not
// looked at; that is how the partner checks have always behaved.
bool IsPartnerOfSelected(const Session& s, std::int16_t x);
// x is among the entries of the selected person's sibling list.
bool IsSiblingOfSelected(const Session& s, std::int16_t x);

// ---- walks (explicit stack and a visited set: a damaged, cyclic tree ends)
// True when target is a parent, grandparent, ... of x. x itself is not
// compared, so a person is never its own ancestor unless the tree is cyclic.
bool IsAncestor(const Session& s, std::int16_t x, std::int16_t target);
// True when x is met walking down from c: for every partnership of each
// visited person (first 20, in partner-list order) whose other slot is filled,
// the children of that couple's first family.
bool IsDescendant(const Session& s, std::int16_t x, std::int16_t c);

// ---- view state
// Reads c into s.Rel.Selected and refills its partner list and sibling list
// from the table. The displayed partner row stays where it was when it still
// exists, else goes back to the first.
bool SelectPersonForRelations(Session& s, std::int16_t c);

// The marriage date of family m, trimmed; empty when there is none.
std::string MarriageDateOf(const Session& s, std::int16_t m);

}  // namespace vft
