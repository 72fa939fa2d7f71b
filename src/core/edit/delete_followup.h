// Who the main window shows once its selected person has been deleted. The
// relatives are gathered before the deletion, because deleting takes the
// person out of its parent family and the links to parents and siblings are
// gone afterwards.
#pragma once
#include <cstdint>
#include <vector>

#include "store/session.h"

namespace vft {

// c's father, mother, partners (in partner-list order), children and siblings,
// without c itself, 0s or repeats: the persons closest to c first.
std::vector<std::int16_t> RelativesOf(const Session& s, std::int16_t c);

// Makes another living person the selected person (LastPerson and the
// relationship lists): the first living one of `relatives`, else the living
// Person number nearest to `gone` (lower numbers first on a tie). Returns
// the person chosen, 0 when nobody is left (LastPerson is then left alone).
std::int16_t ShowAnotherPerson(Session& s, const std::vector<std::int16_t>& relatives, std::int16_t gone);

// True when n names a person on record that is not deleted.
bool IsLivingPerson(const Session& s, std::int16_t n);

}  // namespace vft
