#include "relations/person_io.h"

#include "common/cp1252.h"
#include "store/file_io.h"
#include "store/records.h"

namespace vft {

bool ReadStoredPerson(const Session& s, std::int16_t n, PersonRecord& out) {
  if (n < 1) return false;
  std::uint8_t buf[kPersonLen];
  if (!fileio::read_record(s.work(recfile::Person), n, kPersonLen, buf)) return false;
  out = decode_person(buf);
  return true;
}

char SexOf(const PersonRecord& p) {
  std::string sex = cp1252::trim(p.Sex);
  if (sex == "M") return 'M';
  if (sex == "F") return 'F';
  return 0;
}

std::string DisplayName(const Session& s, const PersonRecord& p) {
  return cp1252::trim(p.GivenNames) + " " + display_famname(s, p);
}

std::string DisplayNameOf(const Session& s, std::int16_t n) {
  PersonRecord p;
  return ReadStoredPerson(s, n, p) ? DisplayName(s, p) : std::string();
}

bool IsPlaceholder(const Session& s, const PersonRecord& p) {
  return cp1252::upper(cp1252::trim(p.FamName)) == s.Messages[msg::UnknownUpper];
}

bool AddToNumPartners(Session& s, std::int16_t n, int delta) {
  PersonRecord p;
  if (!ReadStoredPerson(s, n, p)) return false;
  p.NumPartners = static_cast<std::int16_t>(p.NumPartners + delta);
  if (!WritePersonRecord(s, n, p)) return false;
  for (PersonRecord* copy : {&s.Person, &s.Editing.Person2, &s.Link.Person3, &s.Rel.Selected})
    if (copy->PerNum == n) copy->NumPartners = p.NumPartners;
  return true;
}

}  // namespace vft
