// Joining two records of one person: one record is kept, takes over every
// link of the other (its parent family when the kept one has no parents, its
// partnerships with their children) and, field by field, the value chosen
// for it; the other record is then deleted as Delete does. Two families of
// the same couple become one, the children joined in birth order. Both
// persons' notes are kept (those of the other appended, unless the kept
// record's notes already hold them word for word).
//
// A merge that would break the tree's rules (a person his or her own
// ancestor, more than 41 children in one family, more than 20 partnerships,
// a partner in the wrong slot) is refused before anything is written. The
// whole merge is one undo step and one record transaction: a failed write
// leaves every record as it was.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "store/session.h"

namespace vft {

// The fields a merge chooses between, in the order the compare window lists them.
enum class MergeField {
  FamName,
  GivenNames,
  Sex,
  BirthDate,
  BirthPlace,
  Baptised,
  DOBap,
  Baptisplace,
  DeathDate,
  DeathPlace,
  InterDate,
  InteredPlace,
  Occupation,
  CurrAddress,
  Phone,
  Source,
};
inline constexpr std::size_t kMergeFields = 16;

// The label of a field ("Birth date") and the field of a record.
const char* MergeFieldLabel(MergeField f);
std::string& MergeFieldOf(PersonRecord& p, MergeField f);
const std::string& MergeFieldOf(const PersonRecord& p, MergeField f);

struct MergePlan {
  std::int16_t keep = 0, drop = 0;
  // true: the field takes the dropped record's value.
  std::array<bool, kMergeFields> from_drop{};
};

// The choices made for the user: the text where only one record has one,
// the more precise date, the longer place or text; otherwise the kept one's.
MergePlan DefaultMergePlan(const PersonRecord& keep, const PersonRecord& drop);

// Why the two cannot be merged as planned (one sentence, CP1252); empty when
// they can.
std::string MergeRefusal(const Session& s, const MergePlan& plan);

struct MergeOutcome {
  bool merged = false;
  std::string refusal;            // set when refused before anything changed
  std::vector<std::string> done;  // what was done, one line each (CP1252)
};

// Refuses (in a "Problem" box and in the outcome) or merges: undo point
// "Undo merge of " + the kept person's name, the kept record rewritten, the
// families changed and written, the dropped person deleted.
MergeOutcome MergePersons(Session& s, const MergePlan& plan);

}  // namespace vft
