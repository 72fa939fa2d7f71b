#include "relations/lookups.h"

#include <algorithm>

#include "common/cp1252.h"
#include "relations/person_io.h"
#include "store/file_io.h"
#include "store/records.h"

namespace vft {
namespace {

bool lists_child(const MarriageRecord& f, std::int16_t p) {
  const int n = KidCount(f);
  for (int i = 0; i < n; ++i)
    if (f.Kids[static_cast<std::size_t>(i)] == p) return true;
  return false;
}

std::string ceremony_date(const Session& s, int m) {
  std::uint8_t buf[kCeremonyLen];
  if (!fileio::read_record(s.work(recfile::Ceremony), m, kCeremonyLen, buf))
    return std::string(width::MarriedDate, ' ');
  return decode_ceremony(buf).MarriedDate;
}

}  // namespace

int FamilyCount(const Session& s) { return std::clamp<int>(s.Config.NumMarriages(), 0, kMaxMarriages); }

int KidCount(const MarriageRecord& f) { return std::clamp<int>(f.NumKids, 0, kMaxKids); }

std::int16_t ParentFamilyOf(const Session& s, std::int16_t p) {
  if (p < 1) return 0;
  const int count = FamilyCount(s);
  for (int m = 1; m <= count; ++m)
    if (lists_child(s.family(m), p)) return static_cast<std::int16_t>(m);
  return 0;
}

std::int16_t FatherOf(const Session& s, std::int16_t p) {
  std::int16_t m = ParentFamilyOf(s, p);
  return m ? s.family(m).Husband : std::int16_t{0};
}

std::int16_t MotherOf(const Session& s, std::int16_t p) {
  std::int16_t m = ParentFamilyOf(s, p);
  return m ? s.family(m).Wife : std::int16_t{0};
}

bool HasParents(const Session& s, std::int16_t p) {
  std::int16_t m = ParentFamilyOf(s, p);
  return m && (s.family(m).Husband >= 1 || s.family(m).Wife >= 1);
}

bool ShowsParentFamily(const Session& s, std::int16_t p) {
  std::int16_t m = ParentFamilyOf(s, p);
  if (!m) return false;
  const MarriageRecord& f = s.family(m);
  return f.Husband >= 1 || f.Wife >= 1 || KidCount(f) >= 2;
}

std::int16_t FamilyOfCouple(const Session& s, std::int16_t h, std::int16_t w) {
  const int count = FamilyCount(s);
  for (int m = 1; m <= count; ++m)
    if (s.family(m).Husband == h && s.family(m).Wife == w) return static_cast<std::int16_t>(m);
  return 0;
}

std::int16_t FamilyBetween(const Session& s, std::int16_t p, std::int16_t q) {
  const int count = FamilyCount(s);
  for (int m = 1; m <= count; ++m) {
    const MarriageRecord& f = s.family(m);
    if ((f.Husband == p && f.Wife == q) || (f.Husband == q && f.Wife == p)) return static_cast<std::int16_t>(m);
  }
  return 0;
}

std::int16_t FamilyWithUnknownPartner(const Session& s, std::int16_t p) {
  if (p < 1) return 0;
  for (int m = FamilyCount(s); m >= 1; --m) {
    const MarriageRecord& f = s.family(m);
    if ((f.Husband == p && f.Wife == 0) || (f.Wife == p && f.Husband == 0)) return static_cast<std::int16_t>(m);
  }
  return 0;
}

int CountPartnerships(const Session& s, std::int16_t p) {
  if (p < 1) return 0;
  int n = 0;
  const int count = FamilyCount(s);
  for (int m = 1; m <= count; ++m)
    if (s.family(m).Husband == p || s.family(m).Wife == p) ++n;
  return n;
}

PartnerList ListPartners(const Session& s, std::int16_t p) {
  PartnerList list;
  if (p < 1) return list;
  const int count = FamilyCount(s);
  for (int m = 1; m <= count && list.count < kMaxPartnerRows; ++m) {
    const MarriageRecord& f = s.family(m);
    if (f.Husband != p && f.Wife != p) continue;
    PartnerRow& row = list.rows[static_cast<std::size_t>(list.count++)];
    row.Partner = f.Husband == p ? f.Wife : f.Husband;
    row.Divorced = f.Divorced;
    row.NotMarried = f.NotMarried;
    row.MarriedDate = ceremony_date(s, m);
    row.Family = static_cast<std::int16_t>(m);
  }
  return list;
}

std::vector<std::int16_t> ListChildrenOfCouple(const Session& s, std::int16_t h, std::int16_t w) {
  std::vector<std::int16_t> kids;
  std::int16_t m = FamilyOfCouple(s, h, w);
  if (!m) return kids;
  const MarriageRecord& f = s.family(m);
  kids.assign(f.Kids.begin(), f.Kids.begin() + KidCount(f));
  return kids;
}

std::vector<std::int16_t> ListAllChildren(const Session& s, std::int16_t p) {
  std::vector<std::int16_t> kids;
  if (p < 1) return kids;
  const int count = FamilyCount(s);
  for (int m = 1; m <= count; ++m) {
    const MarriageRecord& f = s.family(m);
    if (f.Husband != p && f.Wife != p) continue;
    for (int i = 0; i < KidCount(f) && kids.size() < static_cast<std::size_t>(kMaxKids); ++i)
      kids.push_back(f.Kids[static_cast<std::size_t>(i)]);
    if (kids.size() == static_cast<std::size_t>(kMaxKids)) break;
  }
  return kids;
}

std::vector<std::int16_t> ListSiblings(const Session& s, std::int16_t p) {
  std::vector<std::int16_t> sibs;
  std::int16_t m = ParentFamilyOf(s, p);
  if (!m) return sibs;
  const MarriageRecord& f = s.family(m);
  for (int i = 0; i < KidCount(f); ++i)
    if (f.Kids[static_cast<std::size_t>(i)] != p) sibs.push_back(f.Kids[static_cast<std::size_t>(i)]);
  return sibs;
}

int KidsOfCoupleWithDisplayedPartner(const Session& s) {
  const RelationState& r = s.Rel;
  if (r.Selected.PerNum < 1 || r.DisplayedPartner < 0 || r.DisplayedPartner >= r.Partners.count) return 0;
  std::int16_t partner = r.Partners.rows[static_cast<std::size_t>(r.DisplayedPartner)].Partner;
  std::int16_t m = FamilyBetween(s, r.Selected.PerNum, partner);
  return m ? KidCount(s.family(m)) : 0;
}

bool IsPartnerOfSelected(const Session& s, std::int16_t x) {
  if (x < 1) return false;
  const RelationState& r = s.Rel;
  const int rows = std::min<int>({r.Selected.NumPartners, kMaxPartnerRows, r.Partners.count});
  for (int i = 0; i < rows; ++i)
    if (r.Partners.rows[static_cast<std::size_t>(i)].Partner == x) return true;
  return false;
}

bool IsSiblingOfSelected(const Session& s, std::int16_t x) {
  if (x < 1) return false;
  return std::find(s.Rel.Siblings.begin(), s.Rel.Siblings.end(), x) != s.Rel.Siblings.end();
}

bool SelectPersonForRelations(Session& s, std::int16_t c) {
  RelationState& r = s.Rel;
  if (!ReadStoredPerson(s, c, r.Selected)) return false;
  r.Partners = ListPartners(s, c);
  if (r.DisplayedPartner < 0 || r.DisplayedPartner >= r.Partners.count) r.DisplayedPartner = 0;
  r.Siblings.fill(0);
  std::vector<std::int16_t> sibs = ListSiblings(s, c);
  std::copy_n(sibs.begin(), std::min<std::size_t>(sibs.size(), r.Siblings.size()), r.Siblings.begin());
  return true;
}

std::string MarriageDateOf(const Session& s, std::int16_t m) {
  if (m < 1) return {};
  std::uint8_t buf[kCeremonyLen];
  if (!fileio::read_record(s.work(recfile::Ceremony), m, kCeremonyLen, buf)) return {};
  return cp1252::trim(decode_ceremony(buf).MarriedDate);
}

}  // namespace vft
