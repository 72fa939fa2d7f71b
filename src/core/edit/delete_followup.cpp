#include "edit/delete_followup.h"

#include <algorithm>

#include "relations/lookups.h"
#include "relations/person_io.h"

namespace vft {

std::vector<std::int16_t> RelativesOf(const Session& s, std::int16_t c) {
  std::vector<std::int16_t> out;
  if (c < 1) return out;
  auto add = [&out, c](std::int16_t p) {
    if (p >= 1 && p != c && std::find(out.begin(), out.end(), p) == out.end()) out.push_back(p);
  };
  add(FatherOf(s, c));
  add(MotherOf(s, c));
  const PartnerList partners = ListPartners(s, c);
  for (int i = 0; i < partners.count; ++i) add(partners.rows[static_cast<std::size_t>(i)].Partner);
  for (std::int16_t k : ListAllChildren(s, c)) add(k);
  for (std::int16_t k : ListSiblings(s, c)) add(k);
  return out;
}

bool IsLivingPerson(const Session& s, std::int16_t n) {
  if (n < 1 || n > s.Config.NumPersons()) return false;
  PersonRecord r;
  return ReadStoredPerson(s, n, r) && r.Deleted == 0;
}

std::int16_t ShowAnotherPerson(Session& s, const std::vector<std::int16_t>& relatives, std::int16_t gone) {
  std::int16_t chosen = 0;
  for (std::int16_t p : relatives)
    if (p != gone && IsLivingPerson(s, p)) {
      chosen = p;
      break;
    }
  // Outward from the deleted number: persons entered about the same time
  // usually belong to the same branch.
  const int last = s.Config.NumPersons();
  for (int d = 1; !chosen && (gone - d >= 1 || gone + d <= last); ++d) {
    if (IsLivingPerson(s, static_cast<std::int16_t>(gone - d))) chosen = static_cast<std::int16_t>(gone - d);
    else if (gone + d <= last && IsLivingPerson(s, static_cast<std::int16_t>(gone + d)))
      chosen = static_cast<std::int16_t>(gone + d);
  }
  if (!chosen) return 0;
  s.Config.setLastPerson(chosen);
  s.CurNum = chosen;
  SelectPersonForRelations(s, chosen);
  return chosen;
}

}  // namespace vft
