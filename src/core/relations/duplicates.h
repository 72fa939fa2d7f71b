// Finding persons recorded twice: pairs of living records that may be one
// person, best first, each with a score of 0..100 and the reasons for it.
//
// Only records whose family names sound alike, or whose first given names
// fit and who were born in the same decade, are compared at all, so the
// search stays fast on the largest tree. A pair is never proposed when the
// two have different known sexes, when one is the other's parent, child or
// partner, when their dates cannot belong to one life, or when the user has
// said they are two persons ("ignore this pair").
#pragma once
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "relations/duplicate_match.h"
#include "store/session.h"

namespace vft {

enum class DuplicateSensitivity { Low, Normal, High };
// The lowest score each sensitivity proposes.
int MinimumScore(DuplicateSensitivity sensitivity);

struct DuplicatePair {
  std::int16_t first = 0, second = 0;  // first < second
  int score = 0;
  std::vector<std::string> reasons;  // CP1252, e.g. "same father's name"
};

// What the search knows of one person: read once from the record files and
// the marriage table.
struct DuplicateFacts {
  std::int16_t number = 0;
  bool candidate = false;  // living and no placeholder
  char sex = 0;
  std::string family;              // folded
  std::string family_key;          // SoundKey of family
  std::vector<std::string> given;  // folded, one entry per name
  std::uint64_t given_sounds = 0;  // a bit for the first sound of each given name's full form
  dup::DaySpan dates[4];           // birth, baptism, death, burial
  std::string places[4];           // the same events' places, folded
  std::int16_t father = 0, mother = 0;
  std::vector<std::int16_t> partners, children;
};

// What one record says, without its relatives (number, candidate and sex
// from the record; placeholders are no candidates only when gathered).
DuplicateFacts FactsOf(const PersonRecord& r);

// Facts of persons 1..NumPersons (index = Person number, [0] unused), read
// from vorlan.Per in one go and from the marriage table.
std::vector<DuplicateFacts> GatherDuplicateFacts(const Session& s);

// The score of one pair and its reasons; score 0 and no reasons when the two
// cannot be one person. `all` gives the relatives' names.
DuplicatePair ScorePair(const std::vector<DuplicateFacts>& all, std::int16_t a, std::int16_t b);

struct DuplicateSearch {
  int min_score = 55;
  std::size_t limit = 0;                                    // 0: all
  std::set<std::pair<std::int16_t, std::int16_t>> ignored;  // (lower, higher)
  // Called now and then with the share done (0..1); false stops the search,
  // which then returns what it has found so far.
  std::function<bool(double)> progress;
};

std::vector<DuplicatePair> FindDuplicates(const Session& s, const DuplicateSearch& how);
std::vector<DuplicatePair> FindDuplicates(const std::vector<DuplicateFacts>& facts, const DuplicateSearch& how);

// "Ignore this pair" is remembered in a file of the program's own beside the
// Family file: FILE + ".ignored-pairs", one pair of Person numbers a line.
std::string IgnoredPairsPath(const std::string& family_file);
// The Family file the open tree was opened from or saved to; empty for a tree
// never saved under a name, which has nowhere to remember ignored pairs.
std::string FamilyFileOf(const Session& s);
// The pairs listed there; none when the file is missing or unreadable
// (lines that are no pair are passed over).
std::set<std::pair<std::int16_t, std::int16_t>> ReadIgnoredPairs(const std::string& family_file);
// Adds a pair and writes the file through the checked writer; false when it
// could not be written (s.disk.failure() says why).
[[nodiscard]] bool IgnorePair(Session& s, const std::string& family_file, std::int16_t a, std::int16_t b);

}  // namespace vft
