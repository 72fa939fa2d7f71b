// Verifies the rules every family tree keeps, and names each place where a
// tree breaks them with the person and family numbers involved. Used by
// `vft check` and by tests after every link operation.
//
// The rules: every live person is a child in exactly one family; partners sit
// in Husband (male) and Wife (female); a person's NumPartners equals the
// partnerships in which the other slot is filled; Husband, Wife and Kids name
// persons 1..NumPersons; NumKids is 0..41; each record carries its own number;
// the counts in the settings record agree with the files; no one is his or
// her own ancestor.
//
// What the program itself leaves behind is sound: a deleted partner keeps
// his or her place in the family (whatever the record now says about sex),
// and families may be empty.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "store/session.h"

namespace vft {

enum class TreeFault {
  Counts,                 // settings counts disagree with the files or each other
  RecordNumber,           // PerNum / MarNum is not the record's own number
  NoParentFamily,         // a live person is a child in no family
  SeveralParentFamilies,  // ... or in more than one (or twice in one)
  PartnerSex,             // Husband not male, Wife not female
  SamePersonTwice,        // Husband and Wife are the same person
  PartnerCount,           // NumPartners differs from the partnerships found
  PersonOutOfRange,       // Husband, Wife or a child outside 1..NumPersons
  NumKidsOutOfRange,      // NumKids outside 0..41
  AncestryLoop,           // a person is his or her own ancestor
};

struct TreeViolation {
  TreeFault fault;
  std::int16_t person = 0;  // 0 when the fault is not about one person
  std::int16_t family = 0;  // 0 when the fault is not about one family
  std::string text;         // one line, CP1252
};

// Reads the Person records in one go from vorlan.Per; families come from the
// marriage table (load it first). An empty result means the tree is sound.
std::vector<TreeViolation> CheckTree(const Session& s);

}  // namespace vft
