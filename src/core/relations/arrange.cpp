#include "relations/arrange.h"

#include <algorithm>
#include <utility>

#include "common/cp1252.h"
#include "relations/family_write.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/file_io.h"
#include "store/record_transaction.h"
#include "store/records.h"

namespace vft {
namespace {

constexpr std::size_t kGivenWidth = 30, kFamilyWidth = 20, kKeyWidth = 5;

std::string key_text(std::int16_t key) {
  std::string k = std::to_string(key);
  return k.size() >= kKeyWidth ? k : std::string(kKeyWidth - k.size(), ' ') + k;
}

std::string name_columns(const Session& s, std::int16_t p) {
  PersonRecord r;
  if (!ReadStoredPerson(s, p, r)) return std::string(kGivenWidth + kFamilyWidth, ' ');
  return cp1252::fit(cp1252::trim(r.GivenNames), kGivenWidth) + cp1252::fit(display_famname(s, r), kFamilyWidth);
}

CeremonyRecord stored_ceremony(const Session& s, std::int16_t m) {
  std::uint8_t buf[kCeremonyLen];
  if (!fileio::read_record(s.work(recfile::Ceremony), m, kCeremonyLen, buf)) return blank_ceremony();
  return decode_ceremony(buf);
}

void list_partners(const Session& s, ArrangeList& l, const std::string& name) {
  l.title = "Re-arrange the Order of Partners";
  l.label = "Re-order of the partners of " + name;
  l.header = cp1252::fit("Given Names", kGivenWidth) + cp1252::fit("Family Name", kFamilyWidth) +
             "                           Marriage Date";
  const PartnerList partners = ListPartners(s, l.person);
  for (int i = 0; i < partners.count; ++i) {
    // The row's own family, not the couple's first one: a couple that married
    // twice, or two partnerships with unknown partners, must each keep theirs.
    const PartnerRow& row = partners.rows[static_cast<std::size_t>(i)];
    const auto key = static_cast<std::int16_t>(i + 1);
    l.places.push_back(row.Family);
    l.saved_families.push_back(s.family(row.Family));
    l.saved_ceremonies.push_back(stored_ceremony(s, row.Family));
    l.rows.push_back(
        {name_columns(s, row.Partner) + cp1252::fit(row.MarriedDate, width::MarriedDate) + key_text(key), key});
  }
}

void list_kids(const Session& s, ArrangeList& l, std::int16_t m) {
  l.family = m;
  if (m < 1 || m > FamilyCount(s)) return;
  const MarriageRecord& f = s.family(m);
  for (int i = 0; i < KidCount(f); ++i) {
    const std::int16_t kid = f.Kids[static_cast<std::size_t>(i)];
    l.rows.push_back({name_columns(s, kid) + key_text(kid), kid});
  }
}

// The family of the selected person and the displayed partner: the displayed
// partnership itself.
std::int16_t displayed_family(const Session& s) {
  const RelationState& r = s.Rel;
  if (r.DisplayedPartner < 0 || r.DisplayedPartner >= r.Partners.count) return 0;
  const std::int16_t m = r.Partners.rows[static_cast<std::size_t>(r.DisplayedPartner)].Family;
  if (m < 1 || m > FamilyCount(s)) return 0;
  const MarriageRecord& f = s.family(m);
  return (f.Husband == r.Selected.PerNum || f.Wife == r.Selected.PerNum) ? m : std::int16_t{0};
}

std::vector<std::int16_t> keys_of(const ArrangeList& l) {
  std::vector<std::int16_t> keys;
  for (const ArrangeRow& row : l.rows) keys.push_back(row.key);
  return keys;
}

bool same_members(std::vector<std::int16_t> a, std::vector<std::int16_t> b) {
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  return a == b;
}

bool stale(Session& s) {
  return familywrite::refuse(s, "The family records have changed since the list was made; nothing was re-arranged.");
}

bool write_partners(Session& s, const ArrangeList& l) {
  const std::size_t n = l.places.size();
  std::vector<std::int16_t> expected(n);
  for (std::size_t i = 0; i < n; ++i) expected[i] = static_cast<std::int16_t>(i + 1);
  if (l.rows.size() != n || l.saved_families.size() != n || l.saved_ceremonies.size() != n ||
      !same_members(keys_of(l), expected))
    return stale(s);
  for (std::size_t i = 0; i < n; ++i) {
    const std::int16_t m = l.places[i];
    if (m < 1 || m > FamilyCount(s) || !(s.family(m) == l.saved_families[i])) return stale(s);
  }
  s.mark_changed();
  for (std::size_t k = 0; k < n; ++k) {
    const auto from = static_cast<std::size_t>(l.rows[k].key - 1);
    const std::int16_t m = l.places[k];
    s.family(m) = l.saved_families[from];
    if (!familywrite::store_with(s, m, l.saved_ceremonies[from])) return false;
  }
  return true;
}

bool write_kids(Session& s, const ArrangeList& l) {
  const std::int16_t m = l.family;
  if (m < 1 || m > FamilyCount(s)) return stale(s);
  MarriageRecord& f = s.family(m);
  const std::vector<std::int16_t> keys = keys_of(l);
  if (static_cast<int>(keys.size()) != KidCount(f) ||
      !same_members(keys, std::vector<std::int16_t>(f.Kids.begin(), f.Kids.begin() + KidCount(f))))
    return stale(s);
  s.mark_changed();
  std::copy(keys.begin(), keys.end(), f.Kids.begin());
  return familywrite::store(s, m);
}

}  // namespace

ArrangeList BuildArrangeList(const Session& s, ArrangeMode mode) {
  ArrangeList l;
  l.mode = mode;
  l.person = s.Rel.Selected.PerNum;
  if (l.person < 1) return l;
  const std::string name = DisplayName(s, s.Rel.Selected);
  switch (mode) {
    case ArrangeMode::Partners: list_partners(s, l, name); break;
    case ArrangeMode::Siblings:
      l.title = "Re-arrange the Order of Siblings";
      l.label = "Re-order of the siblings of " + name;
      list_kids(s, l, ParentFamilyOf(s, l.person));
      break;
    case ArrangeMode::Children: {
      const std::int16_t m = displayed_family(s);
      const MarriageRecord& f = s.family(m);
      const std::int16_t partner = f.Husband == l.person ? f.Wife : f.Husband;
      l.title = "Re-arrange the Order of Children";
      l.label = "Re-order of the children of " + name + " and " + (m ? DisplayNameOf(s, partner) : std::string());
      list_kids(s, l, m);
      break;
    }
  }
  return l;
}

int MoveArrangeRow(ArrangeList& list, int row, bool up) {
  const int n = static_cast<int>(list.rows.size());
  if (row < 0 || row >= n) return row;
  const int to = up ? row - 1 : row + 1;
  if (to < 0 || to >= n) return row;
  std::swap(list.rows[static_cast<std::size_t>(row)], list.rows[static_cast<std::size_t>(to)]);
  return to;
}

bool WriteArrangement(Session& s, const ArrangeList& list) {
  if (list.rows.empty()) return true;
  RecordTransaction tx(s);
  if (s.History.step_text.empty())
    s.History.step_text = "Undo re-arranging of the family of " + DisplayNameOf(s, list.person);
  const bool ok = list.mode == ArrangeMode::Partners ? write_partners(s, list) : write_kids(s, list);
  if (s.Rel.Selected.PerNum == list.person) SelectPersonForRelations(s, list.person);
  return ok && tx.commit();
}

}  // namespace vft
