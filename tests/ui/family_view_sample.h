// A family that fills every part of the family view: four grandparents (one
// with a father recorded), married parents, three siblings, two partners
// (the first divorced, with five children, two of whom have children of
// their own).
#pragma once
#include <cstdint>
#include <vector>

#include "store/session.h"

namespace vft::test {

struct SampleFamily {
  std::int16_t great_grandfather = 0;
  std::int16_t grandparents[4] = {};
  std::int16_t father = 0, mother = 0;
  std::int16_t selected = 0;
  std::vector<std::int16_t> siblings;  // in the parents' child order, the selected person left out
  std::int16_t first_wife = 0, second_wife = 0;
  std::vector<std::int16_t> children;  // of the first partnership
  std::int16_t late_child = 0;         // of the second partnership
};

// Writes the family into an empty tree and selects `selected` as LastPerson.
SampleFamily BuildSampleFamily(Session& s);

}  // namespace vft::test
