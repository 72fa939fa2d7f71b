#include "relations/merge_persons.h"

#include <algorithm>
#include <map>
#include <set>

#include "common/cp1252.h"
#include "relations/delete_person.h"
#include "relations/duplicate_match.h"
#include "relations/family_index.h"
#include "relations/family_write.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "relations/undo.h"
#include "store/record_transaction.h"
#include "store/records.h"

namespace vft {
namespace {

constexpr int kMostPartnerships = 20;

std::string who(const Session& s, std::int16_t p) {
  const std::string name = DisplayNameOf(s, p);
  return name.empty() ? "Person #" + std::to_string(p) : name;
}

// Everyone reached from p by going up (parents) or down (children).
std::set<std::int16_t> reach(const FamilyIndex& ix, std::int16_t p, bool up) {
  std::set<std::int16_t> seen;
  std::vector<std::int16_t> todo{p};
  while (!todo.empty()) {
    const std::int16_t cur = todo.back();
    todo.pop_back();
    std::vector<std::int16_t> next;
    if (up) {
      if (const std::int16_t m = ix.parent_family(cur)) next = {ix.family(m).Husband, ix.family(m).Wife};
    } else {
      for (std::int16_t m : ix.families_of(cur))
        for (std::int16_t kid : ix.kids(m)) next.push_back(kid);
    }
    for (std::int16_t n : next)
      if (n > 0 && seen.insert(n).second) todo.push_back(n);
  }
  return seen;
}

std::int16_t partner_in(const MarriageRecord& f, std::int16_t p) { return f.Husband == p ? f.Wife : f.Husband; }

// The changes a merge makes to the family table, worked out before anything
// is written, so that a merge that breaks a rule is refused untouched.
struct LinkChanges {
  std::map<std::int16_t, MarriageRecord> families;     // new contents by Marriage number
  std::map<std::int16_t, std::int16_t> ceremony_from;  // family -> family whose ceremony it takes
  std::vector<std::int16_t> lose_partnership;          // partners of joined couples
  int partnerships = 0;                                // the kept person's, partner known
  std::vector<std::string> done;
  std::string refusal;
};

long birth_day(const Session& s, std::int16_t p) {
  PersonRecord r;
  if (!ReadStoredPerson(s, p, r)) return -1;
  const dup::DaySpan d = dup::SpanOf(cp1252::trim(r.BirthDate));
  return d.known ? d.lo : -1;
}

// Puts the children of `from` into `into` in birth order; false past 41.
bool join_children(const Session& s, MarriageRecord& into, const MarriageRecord& from) {
  std::vector<std::int16_t> kids(into.Kids.begin(), into.Kids.begin() + KidCount(into));
  for (int i = 0; i < KidCount(from); ++i) {
    const std::int16_t kid = from.Kids[static_cast<std::size_t>(i)];
    if (std::find(kids.begin(), kids.end(), kid) != kids.end()) continue;
    const long born = birth_day(s, kid);
    auto at = kids.end();
    if (born >= 0)
      at = std::find_if(kids.begin(), kids.end(), [&](std::int16_t k) {
        const long other = birth_day(s, k);
        return other >= 0 && other > born;
      });
    kids.insert(at, kid);
  }
  if (kids.size() > kMaxKids) return false;
  into.Kids.fill(0);
  std::copy(kids.begin(), kids.end(), into.Kids.begin());
  into.NumKids = static_cast<std::int16_t>(kids.size());
  return true;
}

LinkChanges plan_links(const Session& s, const MergePlan& plan, char sex) {
  LinkChanges c;
  const std::int16_t keep = plan.keep, drop = plan.drop;
  auto fam = [&](std::int16_t m) -> MarriageRecord& {
    auto it = c.families.find(m);
    if (it == c.families.end()) it = c.families.emplace(m, s.family(m)).first;
    return it->second;
  };
  auto refuse = [&](std::string why) {
    c.refusal = std::move(why);
    return c;
  };

  // Parents: the kept person's own stay; with none, the dropped one's are taken.
  const std::int16_t pk = ParentFamilyOf(s, keep), pd = ParentFamilyOf(s, drop);
  auto has_parents = [&](std::int16_t m) { return m > 0 && (s.family(m).Husband || s.family(m).Wife); };
  if (pd && pd != pk && has_parents(pd)) {
    if (!has_parents(pk)) {
      MarriageRecord& to = fam(pd);
      std::replace(to.Kids.begin(), to.Kids.begin() + KidCount(to), drop, keep);
      if (pk) {
        MarriageRecord& old = fam(pk);
        auto end = std::remove(old.Kids.begin(), old.Kids.begin() + KidCount(old), keep);
        std::fill(end, old.Kids.end(), std::int16_t{0});
        old.NumKids = static_cast<std::int16_t>(old.NumKids - 1);
      }
      c.done.push_back("took over the parents of family " + std::to_string(pd));
    } else {
      c.done.push_back("kept the parents of family " + std::to_string(pk) + "; family " + std::to_string(pd) +
                       " no longer lists Person #" + std::to_string(drop));
    }
  }

  // Partnerships: the dropped person's slot goes to the kept one.
  std::set<std::int16_t> from_drop;
  for (int m = 1; m <= FamilyCount(s); ++m) {
    const MarriageRecord& f = s.family(m);
    for (std::int16_t p : {keep, drop}) {
      if (f.Husband != p && f.Wife != p) continue;
      if ((f.Husband == p && sex != 'M') || (f.Wife == p && sex != 'F'))
        return refuse("The sex chosen for " + who(s, keep) + " does not fit the partnerships of " + who(s, p) + ".");
    }
    if (f.Husband != drop && f.Wife != drop) continue;
    MarriageRecord& g = fam(static_cast<std::int16_t>(m));
    (g.Husband == drop ? g.Husband : g.Wife) = keep;
    from_drop.insert(static_cast<std::int16_t>(m));
  }

  if (!from_drop.empty()) {
    std::string list;
    for (std::int16_t m : from_drop) list += (list.empty() ? "" : ", ") + std::to_string(m);
    c.done.push_back("took over the partnerships in famil" + std::string(from_drop.size() == 1 ? "y " : "ies ") + list);
  }

  // Two families of one couple become one: the lower number keeps them.
  std::vector<std::int16_t> mine;
  for (int m = 1; m <= FamilyCount(s); ++m) {
    const MarriageRecord& f =
        c.families.count(static_cast<std::int16_t>(m)) ? c.families[static_cast<std::int16_t>(m)] : s.family(m);
    if (f.Husband == keep || f.Wife == keep) mine.push_back(static_cast<std::int16_t>(m));
  }
  std::set<std::int16_t> emptied;
  for (std::size_t i = 0; i < mine.size(); ++i) {
    if (emptied.count(mine[i])) continue;
    for (std::size_t j = i + 1; j < mine.size(); ++j) {
      const std::int16_t g = mine[i], f = mine[j];
      if (emptied.count(f) || (!from_drop.count(g) && !from_drop.count(f))) continue;
      const std::int16_t partner = partner_in(fam(g), keep);
      if (partner == 0 || partner_in(fam(f), keep) != partner) continue;
      if (!join_children(s, fam(g), fam(f)))
        return refuse("The children of " + who(s, keep) + " and " + who(s, partner) +
                      " would be more than 41 in one family.");
      MarriageRecord& gone = fam(f);
      gone.Husband = gone.Wife = gone.NumKids = 0;
      gone.Kids.fill(0);
      if (MarriageDateOf(s, g).empty() && !MarriageDateOf(s, f).empty()) c.ceremony_from[g] = f;
      emptied.insert(f);
      c.lose_partnership.push_back(partner);
      c.done.push_back("joined family " + std::to_string(f) + " into family " + std::to_string(g));
    }
  }
  int families = 0;
  for (std::int16_t m : mine)
    if (!emptied.count(m)) {
      ++families;
      if (partner_in(fam(m), keep)) ++c.partnerships;
    }
  if (families > kMostPartnerships)
    return refuse(who(s, keep) + " would have more than " + std::to_string(kMostPartnerships) + " partnerships.");
  return c;
}

std::string ancestry_refusal(const Session& s, std::int16_t keep, std::int16_t drop) {
  const FamilyIndex ix(s);
  std::set<std::int16_t> up = reach(ix, keep, true), down = reach(ix, keep, false);
  if (up.count(drop) || down.count(drop))
    return who(s, keep) + " and " + who(s, drop) +
           " are ancestor and descendant: merging them would make a person his or her own ancestor.";
  for (std::int16_t p : reach(ix, drop, true)) up.insert(p);
  for (std::int16_t p : reach(ix, drop, false)) down.insert(p);
  for (std::int16_t p : {keep, drop})
    for (std::int16_t m : ix.families_of(p)) {
      const std::int16_t partner = partner_in(ix.family(m), p);
      if (partner > 0 && (up.count(partner) || down.count(partner)))
        return "Merging " + who(s, keep) + " and " + who(s, drop) + " would make " + who(s, partner) +
               " the partner of his or her own ancestor or descendant.";
    }
  return "";
}

PersonRecord merged_record(const PersonRecord& keep, const PersonRecord& drop, const MergePlan& plan) {
  PersonRecord out = keep;
  for (std::size_t i = 0; i < kMergeFields; ++i)
    if (plan.from_drop[i])
      MergeFieldOf(out, static_cast<MergeField>(i)) = MergeFieldOf(drop, static_cast<MergeField>(i));
  return out;
}

}  // namespace

std::string MergeRefusal(const Session& s, const MergePlan& plan) {
  const std::int16_t keep = plan.keep, drop = plan.drop;
  if (keep == drop) return "A person cannot be merged with himself or herself.";
  PersonRecord k, d;
  for (std::int16_t p : {keep, drop}) {
    PersonRecord& r = p == keep ? k : d;
    if (p < 1 || p > s.Config.NumPersons() || !ReadStoredPerson(s, p, r))
      return "Person #" + std::to_string(p) + " is not on record.";
    if (r.Deleted) return "Person #" + std::to_string(p) + " has been deleted from the records.";
  }
  if (SexOf(k) && SexOf(d) && SexOf(k) != SexOf(d))
    return who(s, keep) + " and " + who(s, drop) + " are of different sex and cannot be one person.";
  for (std::int16_t p : {keep, drop}) {
    const std::int16_t q = p == keep ? drop : keep;
    if (FatherOf(s, p) == q || MotherOf(s, p) == q)
      return who(s, q) + " is a parent of " + who(s, p) + " and cannot be merged with him or her.";
  }
  if (FamilyBetween(s, keep, drop))
    return who(s, keep) + " and " + who(s, drop) + " are partners and cannot be merged.";
  if (std::string why = ancestry_refusal(s, keep, drop); !why.empty()) return why;
  return plan_links(s, plan, SexOf(merged_record(k, d, plan))).refusal;
}

MergeOutcome MergePersons(Session& s, const MergePlan& plan) {
  MergeOutcome out;
  out.refusal = MergeRefusal(s, plan);
  if (!out.refusal.empty()) {
    familywrite::refuse(s, out.refusal);
    return out;
  }
  PersonRecord keep, drop;
  if (!ReadStoredPerson(s, plan.keep, keep) || !ReadStoredPerson(s, plan.drop, drop)) return out;
  PersonRecord merged = merged_record(keep, drop, plan);
  const LinkChanges links = plan_links(s, plan, SexOf(merged));

  RecordTransaction tx(s);
  // No to "make the change anyway?" when the step cannot be recorded: nothing is merged.
  if (!TakeUndoPoint(s, "Undo merge of " + DisplayName(s, merged))) {
    out.refusal = "The persons were not merged: the change could not have been undone.";
    return out;
  }
  for (const auto& [m, f] : links.families) {
    s.family(m) = f;
    if (auto from = links.ceremony_from.find(m); from != links.ceremony_from.end()) {
      ReadCeremony(s, from->second);
      const CeremonyRecord ceremony = s.Editing.CerBuf;
      if (!familywrite::store_with(s, m, ceremony)) return out;
    } else if (!familywrite::store(s, m)) {
      return out;
    }
  }
  for (std::int16_t partner : links.lose_partnership)
    if (!AddToNumPartners(s, partner, -1)) return out;

  const std::string notes_file = s.work(recfile::Notes);
  const std::string kept_notes = has_chain(keep.NotesRec) ? cp1252::trim(ReadNotes(keep.NotesRec, notes_file)) : "";
  const std::string dropped_notes = has_chain(drop.NotesRec) ? cp1252::trim(ReadNotes(drop.NotesRec, notes_file)) : "";
  merged.NumPartners = static_cast<std::int16_t>(links.partnerships);
  // Notes the kept record already holds word for word (a file imported
  // twice brings every note twice) are not added again.
  if (!dropped_notes.empty() && kept_notes.find(dropped_notes) == std::string::npos) {
    const std::string text = kept_notes + (kept_notes.empty() ? "" : "\r\n\r\n") + "From the record of " +
                             DisplayName(s, drop) + " (Person #" + std::to_string(plan.drop) + "):\r\n" + dropped_notes;
    if (!RewriteNotes(s, merged, text)) return out;
    out.done.push_back("joined the notes of Person #" + std::to_string(plan.drop));
  }
  if (!WritePersonRecord(s, plan.keep, merged)) return out;
  for (PersonRecord* copy : {&s.Person, &s.Editing.Person2, &s.Link.Person3, &s.Rel.Selected})
    if (copy->PerNum == plan.keep) *copy = merged;
  for (std::size_t i = 0; i < kMergeFields; ++i)
    if (plan.from_drop[i])
      out.done.push_back(std::string("took the ") + cp1252::lower(MergeFieldLabel(static_cast<MergeField>(i))) +
                         " of Person #" + std::to_string(plan.drop));
  out.done.insert(out.done.end(), links.done.begin(), links.done.end());
  if (!MarkPersonDeleted(s, plan.drop) || !tx.ok()) {
    out.done.clear();
    return out;
  }
  out.done.push_back("deleted Person #" + std::to_string(plan.drop));
  out.merged = true;
  return out;
}

}  // namespace vft
