// Small family trees for tests, written through the record store so the code
// under test reads them exactly as it would read a user's tree.
//
//   TreeBuilder t(s);
//   auto john = t.person("John", "Smith", "M");   // person 1, own family 1
//   auto mary = t.person("Mary", "Jones", "F");   // person 2, own family 2
//   auto m = t.family(john, mary);                // family 3, both NumPartners 1
//   auto ann = t.child(m, "Ann", "Smith", "F");   // person 3, child of family 3
#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "store/session.h"

namespace vft::test {

class TreeBuilder {
 public:
  // Starts an empty tree: no persons, no families.
  explicit TreeBuilder(Session& s);

  // A person with a parent family of its own (no parents, one child).
  std::int16_t person(const std::string& given, const std::string& fam, const std::string& sex);
  // A person listed as the next child of family m.
  std::int16_t child(std::int16_t m, const std::string& given, const std::string& fam, const std::string& sex);
  // A person in no family at all (only for broken trees).
  std::int16_t loose_person(const std::string& given, const std::string& fam, const std::string& sex);
  // A family of h and w (either may be 0) without children. When both are set
  // each gets one more partner. `date` goes into its ceremony record.
  std::int16_t family(std::int16_t h, std::int16_t w, const std::string& date = "", const std::string& place = "");
  // An empty family (no parents, no children), as disconnections leave behind.
  std::int16_t empty_family();

  // Record access that bypasses every rule, for setting up broken trees.
  PersonRecord read(std::int16_t p) const;
  void write(const PersonRecord& p);
  void write_family(std::int16_t m);  // table entry m, as it stands
  void set_counts(int persons, int families);

  // Makes p the selected person (reads it and fills its partner and sibling lists).
  void select(std::int16_t p);

 private:
  Session& s_;
  std::int16_t add_person(const std::string& given, const std::string& fam, const std::string& sex);
  std::int16_t add_family(const MarriageRecord& f, const CeremonyRecord& c);
};

// The five record files' bytes, for "nothing changed" assertions.
using RecordFiles = std::map<std::string, Bytes>;
RecordFiles snapshot(const Session& s);

// Ceremony record m as stored.
CeremonyRecord stored_ceremony(const Session& s, std::int16_t m);
// Marriage record m as stored in vorlan.mar.
MarriageRecord stored_family(const Session& s, std::int16_t m);

}  // namespace vft::test
