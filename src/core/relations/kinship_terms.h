// The English words for how one person stands to another. One style
// throughout, the one most family historians write:
//
//   direct line     father, grandfather, great-grandfather, then an ordinal
//                   before "great": 2nd great-grandfather, 3rd great-...;
//                   son, grandson, great-grandson, 2nd great-grandson
//   collateral      counted the same way: uncle (a parent's sibling),
//                   great-uncle (a grandparent's), 2nd great-uncle; nephew,
//                   great-nephew, 2nd great-nephew
//   cousins         an ordinal word up to "tenth", then digits ("11th"), and
//                   the removal: once, twice, three (to ten) times, then digits:
//                   "second cousin once removed", "first cousin 11 times removed"
//   half            "half-" joined to a one-word term (half-brother, half-uncle),
//                   "half " before a longer one (half great-uncle, half first cousin)
//   partners        husband, wife; "former husband" after a divorce; "partner"
//                   for a couple who did not marry, "former partner" when parted
//   by marriage     in-law for a partner's ancestors and siblings and for the
//                   partners of one's descendants and siblings (father-in-law,
//                   brother-in-law, son-in-law); step- for a partner's
//                   descendants and the partners of one's ancestors (step-son,
//                   step-father); "by marriage" after every other term
//                   (uncle by marriage); step-brother for the children of two
//                   partners who share no parent; step- also for the
//                   ancestors and uncles of a step-parent (step-grandfather,
//                   step-aunt) and the other way round (step-grandson)
//   no sex recorded neutral words where English has them (parent, child,
//                   sibling, grandparent, spouse); elsewhere both words joined
//                   by "or" ("aunt or uncle", "great-niece or great-nephew")
//
// Generations are counted from each person up to the ancestors the two lines
// meet in: 0 for that ancestor himself, 1 for a child, 2 for a grandchild.
#pragma once
#include <string>

namespace vft {

// 1st, 2nd, 3rd, 4th, ... 11th, 12th, 13th, ... 21st, 22nd, ...
std::string OrdinalNumber(int n);

// What a person is of another when a is `up` generations below their common
// ancestors and b is `down` generations below them. `sex` is a's: 'M', 'F' or
// 0. up = 0 makes a the ancestor, down = 0 the descendant.
std::string BloodTerm(int up, int down, bool half, char sex);

// A partner's word. Flags as stored (-1 or 0 read as true or false).
std::string PartnerTerm(bool divorced, bool not_married, char sex);

// Relations through one partnership. The blood part is (up, down) between
// the relative and the other person of the pair:
//  - relative_of_partner: a is the relative (up) of b's partner (down);
//  - otherwise a is the partner of b's relative (up), b being down.
std::string InLawTerm(bool relative_of_partner, int up, int down, bool half, char sex);

// Relations through a step-parent, counted as if the step-parent were the
// parent: step-grandfather, step-aunt, step-grandson, step-niece. No half forms.
std::string StepTerm(int up, int down, char sex);

// Children of two partners who share no parent.
std::string StepSiblingTerm(char sex);

// The words of one link on a path: the person reached is the parent / child /
// sibling of the one before.
std::string ParentWord(char sex);
std::string ChildWord(char sex);
std::string SiblingWord(char sex);

}  // namespace vft
