// Writing helpers, parent links and child lists.
#include "relations/family_ops.h"

#include <algorithm>

#include "relations/ancestry_loops.h"
#include "relations/family_write.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/record_transaction.h"
#include "store/records.h"

namespace vft {
namespace familywrite {

bool store(Session& s, std::int16_t m) {
  if (m < 1 || m > kMaxMarriages) {
    ShowMarriageLimit(s);
    return false;
  }
  MarriageRecord& f = s.family(m);
  f.MarNum = m;
  return WriteMarriageOnly(s, m, f);
}

bool store_with(Session& s, std::int16_t m, const CeremonyRecord& ceremony) {
  if (m < 1 || m > kMaxMarriages) {
    ShowMarriageLimit(s);
    return false;
  }
  MarriageRecord& f = s.family(m);
  f.MarNum = m;
  return WriteMarriage(s, m, f, ceremony);
}

bool room_for_families(Session& s, int count) {
  if (std::max<int>(s.Config.NumMarriages(), 0) + count <= kMaxMarriages) return true;
  ShowMarriageLimit(s);
  return false;
}

std::int16_t take_family_number(Session& s) {
  auto m = static_cast<std::int16_t>(std::max<int>(s.Config.NumMarriages(), 0) + 1);
  s.Config.setNumMarriages(m);
  s.family(m) = MarriageRecord{};
  return m;
}

bool refuse(Session& s, const std::string& text) {
  s.Rel.Answer = s.ask("Problem", text, Buttons::OK, Icon::Exclamation);
  return false;
}

bool refuse_full_family(Session& s, std::int16_t child) {
  return refuse(s, DisplayNameOf(s, child) + " cannot be added: the family already has 41 children," + CrLf +
                       "the most it can hold.");
}

bool has_partner_room(Session& s, std::int16_t p) {
  if (CountPartnerships(s, p) < kMaxPartnerRows) return true;
  return refuse(s, DisplayNameOf(s, p) + " already has 20 partners, the most that can be recorded.");
}

bool read_person(Session& s, std::int16_t p, PersonRecord& out) {
  if (ReadStoredPerson(s, p, out)) return true;
  return refuse(s, "Person " + std::to_string(p) + " cannot be read from the records.");
}

bool ensure_parent_family(Session& s, std::int16_t a) {
  if (ParentFamilyOf(s, a)) return true;
  return NewParentFamily(s, a) != 0;
}

std::int16_t& slot_for(MarriageRecord& f, char sex) { return sex == 'F' ? f.Wife : f.Husband; }

}  // namespace familywrite

using namespace familywrite;

namespace {

// The last family listing c as a child (SetFather and SetMother look from the
// end; by the tree's rules there is only one).
std::int16_t last_family_listing(const Session& s, std::int16_t c) {
  for (int m = FamilyCount(s); m >= 1; --m) {
    const MarriageRecord& f = s.family(m);
    for (int i = 0; i < KidCount(f); ++i)
      if (f.Kids[static_cast<std::size_t>(i)] == c) return static_cast<std::int16_t>(m);
  }
  return 0;
}

// A parent joins the whole family, so becomes the parent of every child in
// it, not only of the one it was connected to: it may descend from none.
bool parent_of_all(Session& s, const MarriageRecord& f, std::int16_t a) {
  for (int k = 0; k < KidCount(f); ++k)
    if (WouldBeOwnAncestor(s, f.Kids[static_cast<std::size_t>(k)], a))
      return refuse(s, OwnAncestorRefusal(DisplayNameOf(s, f.Kids[static_cast<std::size_t>(k)])));
  return true;
}

bool set_parent(Session& s, std::int16_t c, std::int16_t a, bool father) {
  std::int16_t m = c >= 1 ? last_family_listing(s, c) : std::int16_t{0};
  if (!m) return refuse(s, DisplayNameOf(s, c) + " is not listed as a child in any family.");
  MarriageRecord& f = s.family(m);
  std::int16_t& slot = father ? f.Husband : f.Wife;
  if (slot != 0) return refuse(s, DisplayNameOf(s, c) + (father ? " already has a father." : " already has a mother."));
  if (!has_partner_room(s, a)) return false;
  if (!parent_of_all(s, f, a)) return false;
  const bool needs_family = (s.Rel.AddMode || s.Rel.ConnectMode) && !ParentFamilyOf(s, a);
  if (needs_family && !room_for_families(s, 1)) return false;

  slot = a;
  if (!store(s, m)) return false;
  std::int16_t other = father ? MotherOf(s, c) : FatherOf(s, c);
  if (other >= 1 && !(AddToNumPartners(s, other, +1) && AddToNumPartners(s, a, +1))) return false;
  s.mark_changed();
  if (needs_family && !NewParentFamily(s, a)) return false;
  return WriteConfig(s);
}

}  // namespace

bool SaveFamily(Session& s, std::int16_t m) {
  RecordTransaction tx(s);
  if (m < 1 || m > kMaxMarriages) {
    ShowMarriageLimit(s);
    return false;
  }
  MarriageRecord f = s.family(m);
  f.MarNum = m;
  // The ceremony is the marriage editor's.
  return WriteMarriage(s, m, f, s.Editing.CerBuf);
}

std::int16_t NewParentFamily(Session& s, std::int16_t a) {
  RecordTransaction tx(s);
  if (!room_for_families(s, 1)) return 0;
  std::int16_t m = take_family_number(s);
  MarriageRecord& f = s.family(m);
  f.Kids[0] = a;
  f.NumKids = 1;
  return store_with(s, m, blank_ceremony()) && WriteConfig(s) ? m : std::int16_t{0};
}

bool SetFather(Session& s, std::int16_t c, std::int16_t a) {
  RecordTransaction tx(s);
  return set_parent(s, c, a, true);
}
bool SetMother(Session& s, std::int16_t c, std::int16_t a) {
  RecordTransaction tx(s);
  return set_parent(s, c, a, false);
}

bool SetParentBySex(Session& s, std::int16_t m, std::int16_t a) {
  RecordTransaction tx(s);
  if (m < 1 || m > kMaxMarriages) {
    ShowMarriageLimit(s);
    return false;
  }
  PersonRecord p;
  if (!read_person(s, a, p)) return false;
  if (!SexOf(p))
    return refuse(s, "The sex of " + DisplayName(s, p) + " is not set and cannot be connected as a parent.");
  MarriageRecord& f = s.family(m);
  std::int16_t& slot = slot_for(f, SexOf(p));
  if (slot != 0)
    return refuse(s, SexOf(p) == 'F' ? "The family already has a mother." : "The family already has a father.");
  if (!has_partner_room(s, a) || !parent_of_all(s, f, a)) return false;

  slot = a;
  if (!store(s, m)) return false;
  const std::int16_t other = SexOf(p) == 'F' ? f.Husband : f.Wife;
  if (other >= 1 && !(AddToNumPartners(s, other, +1) && AddToNumPartners(s, a, +1))) return false;
  return WriteConfig(s);
}

std::int16_t AppendChild(Session& s, std::int16_t a, std::int16_t c) {
  RecordTransaction tx(s);
  PersonRecord cp;
  if (!read_person(s, c, cp)) return 0;
  const char sex = SexOf(cp);
  std::int16_t m = 0;
  const RelationState& r = s.Rel;
  if (c >= 1 && r.DisplayedPartner >= 0 && r.DisplayedPartner < r.Partners.count) {
    std::int16_t shown = r.Partners.rows[static_cast<std::size_t>(r.DisplayedPartner)].Family;
    if (shown >= 1 && shown <= FamilyCount(s)) {
      const MarriageRecord& f = s.family(shown);
      if ((sex == 'M' && f.Husband == c) || (sex == 'F' && f.Wife == c)) m = shown;
    }
  }
  if (!m) m = FamilyWithUnknownPartner(s, c);

  if (!m) {
    if (!has_partner_room(s, c) || !room_for_families(s, 1)) return 0;
    m = take_family_number(s);
    MarriageRecord& f = s.family(m);
    f.Kids[0] = a;
    f.NumKids = 1;
    (sex == 'M' ? f.Husband : f.Wife) = c;
    return store_with(s, m, blank_ceremony()) && WriteConfig(s) ? m : std::int16_t{0};
  }
  MarriageRecord& f = s.family(m);
  const int n = KidCount(f);
  if (n >= kMaxKids) {
    refuse_full_family(s, a);
    return 0;
  }
  f.Kids[static_cast<std::size_t>(n)] = a;
  f.NumKids = static_cast<std::int16_t>(n + 1);
  (sex == 'M' ? f.Husband : f.Wife) = c;
  return store(s, m) ? m : std::int16_t{0};
}

bool InsertChildAt(Session& s, std::int16_t m, std::int16_t a, int k) {
  RecordTransaction tx(s);
  if (m < 1 || m > kMaxMarriages) {
    ShowMarriageLimit(s);
    return false;
  }
  MarriageRecord& f = s.family(m);
  const int n = KidCount(f);
  if (n >= kMaxKids) return refuse_full_family(s, a);
  k = std::clamp(k, 0, n);
  for (int i = n - 1; i >= k; --i) f.Kids[static_cast<std::size_t>(i + 1)] = f.Kids[static_cast<std::size_t>(i)];
  f.Kids[static_cast<std::size_t>(k)] = a;
  f.NumKids = static_cast<std::int16_t>(n + 1);
  return store(s, m) && WriteConfig(s);
}

bool InsertChildOfCouple(Session& s, std::int16_t h, std::int16_t w, std::int16_t a, int k) {
  RecordTransaction tx(s);
  std::int16_t m = FamilyBetween(s, h, w);
  if (!m) return refuse(s, "No family of " + DisplayNameOf(s, h) + " and " + DisplayNameOf(s, w) + " is on record.");
  bool ok = InsertChildAt(s, m, a, k);
  s.Rel.AddMode = false;
  s.Rel.InsertPosition = 0;
  return ok;
}

bool InsertSiblingAt(Session& s, std::int16_t a, std::int16_t c, int k) {
  std::int16_t m = ParentFamilyOf(s, c);
  if (!m) return refuse(s, DisplayNameOf(s, c) + " is not listed as a child in any family.");
  return InsertChildAt(s, m, a, k);
}

std::int16_t RemoveFromParentFamily(Session& s, std::int16_t p) {
  RecordTransaction tx(s);
  std::int16_t m = ParentFamilyOf(s, p);
  if (!m) return 0;
  MarriageRecord& f = s.family(m);
  const int n = KidCount(f);
  int i = 0;
  while (f.Kids[static_cast<std::size_t>(i)] != p) ++i;
  for (; i + 1 < n; ++i) f.Kids[static_cast<std::size_t>(i)] = f.Kids[static_cast<std::size_t>(i + 1)];
  f.Kids[static_cast<std::size_t>(n - 1)] = 0;  // the slot given up is unused again
  f.NumKids = static_cast<std::int16_t>(n - 1);
  return store(s, m) ? m : std::int16_t{-1};
}

void ResetRelationState(Session& s) { ResetRelationState(s.Rel); }

}  // namespace vft
