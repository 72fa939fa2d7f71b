// The record files as the export reads them: each file in one read, persons
// decoded once, notes chains walked in memory. Damaged files never make the
// export read out of bounds, loop, or grow without limit.
#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/record_layout.h"
#include "store/session.h"

namespace vft::gedcom_export {

class RecordSource {
 public:
  // Reads vorlan.Per, vorlan.not and vorlan.mce of the session's work folder.
  explicit RecordSource(const Session& s);

  // Person records 1..persons() (NumPersons, as far as the file reaches).
  int persons() const { return static_cast<int>(persons_.size()) - 1; }
  const PersonRecord& person(int n) const { return persons_[static_cast<std::size_t>(n)]; }
  // A person that is written: in range and not deleted.
  bool live(int n) const { return n >= 1 && n <= persons() && persons_[static_cast<std::size_t>(n)].Deleted == 0; }

  // Marriage records 1..marriages() (NumMarriages, at most 15000).
  int marriages() const { return marriages_; }
  // The ceremony of marriage m; blank when the file does not reach it.
  CeremonyRecord ceremony(int m) const;

  // The notes chain starting at `first`, as the record store reads it. Persons
  // whose notes start at the same record share one text, and each of them gets
  // it. A notes record is read into one chain only: a chain that runs into a
  // record read before (a damaged file) ends there, so the text read stays
  // within the file.
  const std::string& notes(std::int32_t first);

 private:
  std::vector<PersonRecord> persons_;  // [0] unused
  int marriages_ = 0;
  Bytes notes_file_, ceremony_file_;
  std::vector<bool> notes_used_;
  std::unordered_map<std::int32_t, std::string> chains_;  // by first record
};

}  // namespace vft::gedcom_export
