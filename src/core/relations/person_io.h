// Person records as the relationship operations need them: read as stored,
// their sex, their name in messages, and the partner count kept in step with
// the marriage table.
#pragma once
#include <cstdint>
#include <string>

#include "store/session.h"

namespace vft {

// Reads record n exactly as stored. Unlike ReadPersonRecord the family name is
// not upper-cased, so a record read here can be written back without changing
// the case the user typed.
bool ReadStoredPerson(const Session& s, std::int16_t n, PersonRecord& out);

// 'M', 'F', or 0 when the sex is not recorded.
char SexOf(const PersonRecord& p);

// The name used in messages and lists: given names + " " + family name, the
// family name in capitals when that option is on.
std::string DisplayName(const Session& s, const PersonRecord& p);
// The same for a Person number; empty when the record cannot be read.
std::string DisplayNameOf(const Session& s, std::int16_t n);

// True for a stand-in for an unknown parent or partner ("UNKNOWN" family name).
bool IsPlaceholder(const Session& s, const PersonRecord& p);

// Adds delta to NumPartners of person n and writes the record. Working copies
// of the same person (Person, Person2, Person3, the selected person) get the
// new count too, so a later write of a working copy cannot undo it.
[[nodiscard]] bool AddToNumPartners(Session& s, std::int16_t n, int delta);

}  // namespace vft
