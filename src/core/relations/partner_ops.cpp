// Partnerships: appending, inserting at a position, completing a family with
// one parent, and the placeholder for an unknown partner or parent.
#include <algorithm>
#include <vector>

#include "common/sentence.h"
#include "relations/family_ops.h"
#include "relations/family_write.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/file_io.h"
#include "store/record_transaction.h"
#include "store/records.h"

namespace vft {

using namespace familywrite;

namespace {

constexpr char kUnknownBirthDate[] = "? ??? ????";
// The person limit: the add command refuses at this count, and so does a
// placeholder.
constexpr int kPersonLimit = 14999;

char other_sex(char sex) { return sex == 'M' ? 'F' : 'M'; }

// The checks every new partnership of a and c passes before anything changes.
// Leaves c's sex in `c_sex`.
bool partnership_allowed(Session& s, std::int16_t a, std::int16_t c, char& c_sex, bool c_gains_one = true) {
  PersonRecord ap, cp;
  if (!read_person(s, a, ap) || !read_person(s, c, cp)) return false;
  if (a == c) return refuse(s, "You cannot to connect a person to themself");
  c_sex = SexOf(cp);
  if (!c_sex) return refuse(s, Sentence({"The sex of", DisplayName(s, cp), "is not recorded."}));
  if (c_gains_one && !has_partner_room(s, c)) return false;
  return has_partner_room(s, a);
}

// The partnership is made while connecting a child, or while adding a person.
bool partner_needs_parent_family(const Session& s, std::int16_t a) {
  return ((s.Rel.AsChild && s.Rel.ConnectMode) || s.Rel.AddMode) && !ParentFamilyOf(s, a);
}

CeremonyRecord read_ceremony(const Session& s, std::int16_t m) {
  std::uint8_t buf[kCeremonyLen];
  if (!fileio::read_record(s.work(recfile::Ceremony), m, kCeremonyLen, buf)) return blank_ceremony();
  return decode_ceremony(buf);
}

// The marriage editor's flags for the new partnership, taken from the Marriage
// buffer before any family write reuses the buffer.
struct CoupleFlags {
  std::int16_t Divorced, NotMarried;
};
CoupleFlags editor_flags(const Session& s) { return {s.Editing.MarBuf.Divorced, s.Editing.MarBuf.NotMarried}; }

// Family f becomes the partnership of c and a.
void make_couple(MarriageRecord& f, std::int16_t a, std::int16_t c, char c_sex, CoupleFlags flags) {
  slot_for(f, c_sex) = c;
  slot_for(f, other_sex(c_sex)) = a;
  f.Divorced = flags.Divorced;
  f.NotMarried = flags.NotMarried;
}

}  // namespace

std::int16_t AppendPartnership(Session& s, std::int16_t a, std::int16_t c) {
  RecordTransaction tx(s);
  char c_sex = 0;
  if (!partnership_allowed(s, a, c, c_sex)) return 0;
  const bool needs_family = partner_needs_parent_family(s, a);
  if (!room_for_families(s, needs_family ? 2 : 1)) return 0;

  const std::int16_t m = take_family_number(s);
  make_couple(s.family(m), a, c, c_sex, editor_flags(s));
  if (!AddToNumPartners(s, c, +1) || !AddToNumPartners(s, a, +1) || !store_with(s, m, s.Editing.CerBuf)) return 0;
  if (needs_family && !NewParentFamily(s, a)) return 0;
  if (!WriteConfig(s)) return 0;
  if (!s.Rel.AddMode) s.Rel.AsPartner = false;
  return tx.commit() ? m : std::int16_t{0};
}

std::int16_t InsertPartnershipAt(Session& s, std::int16_t a, std::int16_t c, int k) {
  RecordTransaction tx(s);
  char c_sex = 0;
  if (!partnership_allowed(s, a, c, c_sex)) return 0;
  std::vector<std::int16_t> fams;
  for (int m = 1; m <= FamilyCount(s); ++m) {
    const MarriageRecord& f = s.family(m);
    if (f.Husband == c || f.Wife == c) fams.push_back(static_cast<std::int16_t>(m));
  }
  const int n = static_cast<int>(fams.size());
  if (k < 0) k = 0;
  if (k >= n) return AppendPartnership(s, a, c);
  const bool needs_family = partner_needs_parent_family(s, a);
  if (!room_for_families(s, needs_family ? 2 : 1)) return 0;

  // Copies first: families are overwritten from the end towards position k.
  std::vector<MarriageRecord> family_copy;
  std::vector<CeremonyRecord> ceremony_copy;
  for (std::int16_t m : fams) {
    family_copy.push_back(s.family(m));
    ceremony_copy.push_back(read_ceremony(s, m));
  }
  const CeremonyRecord details = s.Editing.CerBuf;
  const CoupleFlags flags = editor_flags(s);

  const std::int16_t last = take_family_number(s);
  s.family(last) = family_copy.back();
  if (!store_with(s, last, ceremony_copy.back())) return 0;
  for (int i = n - 1; i > k; --i) {
    const auto to = static_cast<std::size_t>(fams[static_cast<std::size_t>(i)]);
    s.family(to) = family_copy[static_cast<std::size_t>(i - 1)];
    if (!store_with(s, fams[static_cast<std::size_t>(i)], ceremony_copy[static_cast<std::size_t>(i - 1)])) return 0;
  }
  const std::int16_t place = fams[static_cast<std::size_t>(k)];
  MarriageRecord& f = s.family(place);
  const auto reserved = f.Reserved;
  f = MarriageRecord{};
  f.Reserved = reserved;
  make_couple(f, a, c, c_sex, flags);
  if (!store_with(s, place, details) || !AddToNumPartners(s, c, +1) || !AddToNumPartners(s, a, +1)) return 0;
  if (needs_family && !NewParentFamily(s, a)) return 0;
  if (!WriteConfig(s)) return 0;
  if (!s.Rel.AddMode) s.Rel.AsPartner = false;
  // The file is the truth after so many moves.
  LoadMarriages(s);
  s.Rel.InsertPosition = 0;
  return tx.commit() ? place : std::int16_t{0};
}

std::int16_t CompleteSoleParentFamily(Session& s, std::int16_t a, std::int16_t c) {
  RecordTransaction tx(s);
  char c_sex = 0;
  if (!partnership_allowed(s, a, c, c_sex, false)) return 0;
  // Only a family in which c is the sole parent may take a; the other slot of
  // a family with a partner is never overwritten.
  std::int16_t m = 0;
  for (int i = 1; i <= FamilyCount(s) && !m; ++i) {
    MarriageRecord& f = s.family(i);
    if (slot_for(f, c_sex) == c && slot_for(f, other_sex(c_sex)) == 0) m = static_cast<std::int16_t>(i);
  }
  const bool needs_family = !s.Rel.ConnectMode && !ParentFamilyOf(s, a);

  if (!m) {
    if (!has_partner_room(s, c) || !room_for_families(s, needs_family ? 2 : 1)) return 0;
    m = take_family_number(s);
    make_couple(s.family(m), a, c, c_sex, editor_flags(s));
    if (!AddToNumPartners(s, a, +1) || !AddToNumPartners(s, c, +1) || !store_with(s, m, s.Editing.CerBuf)) return 0;
    if (needs_family && !NewParentFamily(s, a)) return 0;
    return WriteConfig(s) ? m : std::int16_t{0};
  }
  if (needs_family && !room_for_families(s, 1)) return 0;
  // The marriage editor's flags apply to the completed family as to a new one.
  make_couple(s.family(m), a, c, c_sex, editor_flags(s));
  if (!store_with(s, m, s.Editing.CerBuf) || !AddToNumPartners(s, c, +1) || !AddToNumPartners(s, a, +1)) return 0;
  s.mark_changed();
  if (needs_family && !NewParentFamily(s, a)) return 0;
  return m;
}

std::int16_t CreateUnknownPerson(Session& s, char sex) {
  RecordTransaction tx(s);
  RelationState& r = s.Rel;
  if (s.Config.NumPersons() >= kPersonLimit) {
    s.ask("Problem", s.Messages[msg::MaxPersons], Buttons::OK, Icon::Critical);
    return 0;
  }
  const bool as_partner = !r.DisconnectMode && !r.AsFather && !r.AsMother;
  if (as_partner && r.Selected.PerNum < 1) {
    refuse(s, "No person is selected to take the partner.");
    return 0;
  }
  // A placeholder that cannot be linked is not created at all.
  if (r.DisconnectMode && !room_for_families(s, 1)) return 0;
  if (as_partner && (!has_partner_room(s, r.Selected.PerNum) || !room_for_families(s, 2))) return 0;

  const auto n = static_cast<std::int16_t>(std::max<int>(s.Config.NumPersons(), 0) + 1);
  s.Config.setNumPersons(n);
  PersonRecord p = blank_person();
  p.PerNum = n;
  p.FamName = s.Messages[msg::Unknown];
  p.Sex = std::string(1, sex);
  p.BirthDate = kUnknownBirthDate;
  if (r.DisconnectMode) p.NumPartners = 1;
  if (!WritePersonRecord(s, n, p) || !WriteConfig(s)) return 0;
  s.Editing.LastAdded = n;

  if (r.DisconnectMode) return NewParentFamily(s, n) ? n : std::int16_t{0};
  if (!as_partner) return n;
  r.AsPartner = true;
  r.AsChild = false;
  s.Editing.MarBuf.Divorced = s.Editing.MarBuf.NotMarried = 0;
  s.Editing.CerBuf = blank_ceremony();
  // A refused partnership leaves the placeholder on record, and then it
  // must sit in a family like every person.
  if (r.PartnerSequenceMode) {
    if (!InsertPartnershipAt(s, n, r.Selected.PerNum, r.InsertPosition) && !tx.ok()) return 0;
  } else if (!CompleteSoleParentFamily(s, n, r.Selected.PerNum) && !tx.ok()) {
    return 0;
  }
  if (!ensure_parent_family(s, n) && !tx.ok()) return 0;
  return n;
}

}  // namespace vft
