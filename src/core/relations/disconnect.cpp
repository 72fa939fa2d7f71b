#include "relations/disconnect.h"

#include "relations/family_ops.h"
#include "relations/family_write.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "relations/undo.h"
#include "store/dates.h"
#include "store/file_io.h"
#include "store/record_transaction.h"
#include "store/records.h"

namespace vft {
namespace {

int slot_of(const MarriageRecord& f, std::int16_t p) {
  for (int i = 0; i < KidCount(f); ++i)
    if (f.Kids[static_cast<std::size_t>(i)] == p) return i;
  return -1;
}

std::int16_t partners_of(const Session& s, std::int16_t p) {
  PersonRecord r;
  return ReadStoredPerson(s, p, r) ? r.NumPartners : std::int16_t{0};
}

}  // namespace

bool DisconnectFromParents(Session& s, std::int16_t c) {
  RecordTransaction tx(s);
  const std::int16_t m = ParentFamilyOf(s, c);
  if (!m) return false;
  const int slot = slot_of(s.family(m), c);
  // c must land in a family of its own; without a number for it, c stays put.
  if (!familywrite::room_for_families(s, 1)) return false;

  if (RemoveFromParentFamily(s, c) < 0 || !NewParentFamily(s, c)) return false;
  s.Link.DisconnectLog = "Person #" + std::to_string(c) + ", child " + std::to_string(slot + 1) + " in family" +
                         std::to_string(m) + " disconnected from Parents and Siblings";
  return true;
}

bool DisconnectFromPartner(Session& s, std::int16_t c, std::int16_t p) {
  RecordTransaction tx(s);
  if (c < 1 || p < 0 || c == p) return false;
  const std::int16_t m = FamilyBetween(s, c, p);
  if (!m) return false;
  PersonRecord cr;
  if (!familywrite::read_person(s, c, cr)) return false;

  // c's slot is the one it stands in; in a sound tree that is the slot of its sex.
  const bool c_is_husband = s.family(m).Husband == c;
  const bool has_children = KidCount(s.family(m)) > 0;
  CeremonyRecord ceremony;
  std::int16_t placeholder = 0;
  if (has_children) {
    // Made before anything else changes: a refused placeholder leaves all as it was.
    const bool mode = s.Rel.DisconnectMode;
    s.Rel.DisconnectMode = true;
    placeholder = CreateUnknownPerson(s, c_is_husband ? 'M' : 'F');
    s.Rel.DisconnectMode = mode;
    if (!placeholder) return false;
    // Its partnership counts only when the family's other parent is known.
    if (p == 0 && !AddToNumPartners(s, placeholder, -1)) return false;
    ceremony = blank_ceremony();
    ceremony.MarriedDate = UnknownDate;
  } else {
    std::uint8_t buf[kCeremonyLen];
    ceremony =
        fileio::read_record(s.work(recfile::Ceremony), m, kCeremonyLen, buf) ? decode_ceremony(buf) : blank_ceremony();
  }

  MarriageRecord& f = s.family(m);
  if (has_children) (c_is_husband ? f.Husband : f.Wife) = placeholder;
  else f.Husband = f.Wife = 0;
  if (!familywrite::store_with(s, m, ceremony)) return false;

  // A partnership with an unknown partner was never counted for anyone.
  if (p >= 1) {
    if (!has_children && partners_of(s, p) > 0 && !AddToNumPartners(s, p, -1)) return false;
    if (cr.NumPartners > 0 && !AddToNumPartners(s, c, -1)) return false;
  }
  s.mark_changed();
  s.Link.DisconnectLog =
      "Person #" + std::to_string(c) + " in family" + std::to_string(m) + " disconnected from Spouse and Children.";
  return true;
}

std::int16_t DisplayedPartnerOf(const Session& s) {
  const RelationState& r = s.Rel;
  if (r.Selected.PerNum < 1 || r.DisplayedPartner < 0 || r.DisplayedPartner >= r.Partners.count) return 0;
  return r.Partners.rows[static_cast<std::size_t>(r.DisplayedPartner)].Partner;
}

bool CanDisconnectFromParents(const Session& s, std::int16_t c) { return ShowsParentFamily(s, c); }

bool CanDisconnectFromPartner(const Session& s) {
  const RelationState& r = s.Rel;
  if (r.Selected.PerNum < 1 || r.Partners.count < 1) return false;
  return FamilyBetween(s, r.Selected.PerNum, DisplayedPartnerOf(s)) != 0;
}

std::string DisconnectHint(const std::string& name, DisconnectChoice choice) {
  switch (choice) {
    case DisconnectChoice::ParentsAndSiblings: return "Disconnect " + name + " from Parents and Siblings";
    case DisconnectChoice::SpouseAndChildren: return "Disconnect " + name + " from Partner and Children";
    default: return "Disconnect " + name + " from Parents, Siblings, Partner and Children";
  }
}

bool DisconnectAs(Session& s, DisconnectChoice choice) {
  const std::int16_t c = s.Rel.Selected.PerNum;
  if (c < 1) return false;
  const bool parents = choice != DisconnectChoice::SpouseAndChildren;
  const bool partner = choice != DisconnectChoice::ParentsAndSiblings;
  if ((parents && !CanDisconnectFromParents(s, c)) || (partner && !CanDisconnectFromPartner(s))) return false;

  RecordTransaction tx(s);
  if (!TakeUndoPoint(s, "Undo disconnection of " + DisplayName(s, s.Rel.Selected))) return false;
  s.Config.setLastPerson(c);
  bool ok = true;
  std::string log;
  if (partner) {
    ok = DisconnectFromPartner(s, c, DisplayedPartnerOf(s));
    if (ok) log = s.Link.DisconnectLog;
  }
  if (ok && parents) {
    ok = DisconnectFromParents(s, c);
    if (ok) log += (log.empty() ? "" : CrLf) + s.Link.DisconnectLog;
  }
  if (!log.empty()) s.Link.DisconnectLog = log;
  s.Rel.DisconnectMode = false;
  SelectPersonForRelations(s, c);
  return ok && tx.commit();
}

}  // namespace vft
