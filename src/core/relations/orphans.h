// Orphaned records: persons on record connected to nobody, typically left
// behind by cancelled additions and disconnections. A person p is orphaned
// when all of these hold:
//   1. p is not deleted (Deleted is not -1);
//   2. p has no father (FatherOf(p) = 0);
//   3. p's NumPartners is 0;
//   4. some family has p in slot 0 of Kids and NumKids = 1.
// (A mother alone does not connect p: the rule looks at the father only.)
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "store/session.h"

namespace vft {

struct OrphanRow {
  std::int16_t PerNum = 0;
  // Trimmed; the family name in capitals when that option is on.
  std::string GivenNames, FamName, BirthDate, DeathDate, BirthPlace, DeathPlace;
  std::int32_t BirthKey = 0;  // DateSortKey of the birth date
  bool Checked = false;       // marked for deletion
};

// Every orphaned person 1..NumPersons, in Person number order.
std::vector<OrphanRow> FindOrphans(const Session& s);

enum class OrphanSort { FamilyName, GivenNames, BirthDate };
// Stable: rows with equal keys keep their order. Names compare without
// regard to case, family name then given names (or the other way round).
void SortOrphans(std::vector<OrphanRow>& rows, OrphanSort by);

// The question before the deletion of `count` checked rows.
std::string OrphanQuestion(int count);

struct OrphanDeletion {
  int deleted = 0;
  bool selected_deleted = false;  // the main window's person was among them
  bool tree_empty = false;        // no living person is left
  std::string count_text;         // n + " persons recorded." when persons are left
};

// Deletes the given persons (the checked rows) after an undo point
// ("Restore orphaned records") and reports the number in a box titled
// "Delete Orphaned Records". Numbers that are out of range, repeated or
// already deleted are passed over. With nothing to delete nothing happens.
OrphanDeletion DeleteOrphans(Session& s, const std::vector<std::int16_t>& persons);

}  // namespace vft
