// A deterministic generator of valid family trees for tests and benchmarks.
// It writes the five record files straight into the session's work folder (the
// exact record layouts, one write per file), sets the counts in the session's
// settings record, writes vorlan.cfg and loads the marriage table.
//
// Every generated tree keeps the family invariants: every live person is a
// child in exactly one family; husbands are male, wives female; a person
// without a sex is never a partner; NumPartners counts the partnerships whose
// other slot is filled; NumKids <= 41; unused child slots are 0; deleted
// persons keep their data (notes too) but are in no family.
#pragma once
#include <cstdint>

#include "store/session.h"

namespace vft::test {

struct TreeOptions {
  std::uint64_t seed = 1;
  int persons = 60;                     // NumPersons, deleted persons included
  int marriages = 45;                   // NumMarriages
  int generations = 4;                  // depth of the deepest line of descent
  double notes_fraction = 0.3;          // persons with notes (CrLf lines, 0..300 characters)
  double deleted_fraction = 0.03;       // deleted persons
  double sexless_fraction = 0.03;       // persons whose sex is not known
  double single_parent_fraction = 0.1;  // families with one parent
  double autocap_fraction = 0.1;        // persons with AutoCap 1
  bool accented = true;                 // CP1252 accented names and places
  bool real_world_dates = false;        // bare years, ABT/BEF/EST, year ranges and texts among the dates
};

// Throws std::invalid_argument when the counts cannot make a valid tree (for
// instance more persons than 41 children per family can hold).
void generate_tree(Session& s, const TreeOptions& o);

// The largest tree the program handles: 14,998 persons, 15,000 families,
// 12 generations, a third of the persons with multi-line notes.
void generate_max_tree(Session& s, std::uint64_t seed = 1);

}  // namespace vft::test
