#include "relations/orphans.h"

#include <algorithm>
#include <array>

#include "common/cp1252.h"
#include "relations/delete_person.h"
#include "relations/lookups.h"
#include "relations/undo.h"
#include "store/date_parse.h"
#include "store/file_io.h"
#include "store/record_transaction.h"
#include "store/records.h"

namespace vft {
namespace {

constexpr std::size_t kPersonSlots = 32768;  // every positive i16 Person number
constexpr std::size_t kPersonFileLimit = kPersonSlots * kPersonLen;

// What the rule needs from the family table, gathered in one pass instead of
// one scan per person: each person's father (from the first family listing
// it) and whether some family holds it as its only child.
struct FamilyFacts {
  std::vector<std::int16_t> father;
  std::vector<bool> only_child;

  explicit FamilyFacts(const Session& s) : father(kPersonSlots, 0), only_child(kPersonSlots, false) {
    std::vector<bool> seen(kPersonSlots, false);
    for (int m = 1; m <= FamilyCount(s); ++m) {
      const MarriageRecord& f = s.family(m);
      for (int i = 0; i < KidCount(f); ++i) {
        const std::int16_t k = f.Kids[static_cast<std::size_t>(i)];
        if (k < 1 || seen[static_cast<std::size_t>(k)]) continue;
        seen[static_cast<std::size_t>(k)] = true;
        father[static_cast<std::size_t>(k)] = f.Husband;
      }
      if (f.NumKids == 1 && f.Kids[0] >= 1) only_child[static_cast<std::size_t>(f.Kids[0])] = true;
    }
  }

  bool orphaned(const PersonRecord& p, std::int16_t n) const {
    const auto i = static_cast<std::size_t>(n);
    return p.Deleted != -1 && father[i] == 0 && p.NumPartners == 0 && only_child[i];
  }
};

// The Person file in one read; record n (from 1) is decoded on demand.
struct PersonFile {
  Bytes data;
  std::size_t count = 0;

  explicit PersonFile(const Session& s) {
    const int persons = s.Config.NumPersons();
    if (auto d = fileio::read_all(s.work(recfile::Person), kPersonFileLimit)) data = std::move(*d);
    count = std::min(data.size() / kPersonLen, static_cast<std::size_t>(std::max(persons, 0)));
  }
  PersonRecord at(std::size_t n) const { return decode_person(person_bytes(data, n)); }
};

}  // namespace

std::vector<OrphanRow> FindOrphans(const Session& s) {
  std::vector<OrphanRow> rows;
  const FamilyFacts facts(s);
  const PersonFile file(s);
  for (std::size_t n = 1; n <= file.count; ++n) {
    const PersonRecord p = file.at(n);
    if (!facts.orphaned(p, static_cast<std::int16_t>(n))) continue;
    OrphanRow row;
    row.PerNum = static_cast<std::int16_t>(n);
    row.GivenNames = cp1252::trim(p.GivenNames);
    row.FamName = display_famname(s, p);
    row.BirthDate = cp1252::trim(p.BirthDate);
    row.DeathDate = cp1252::trim(p.DeathDate);
    row.BirthPlace = cp1252::trim(p.BirthPlace);
    row.DeathPlace = cp1252::trim(p.DeathPlace);
    row.BirthKey = DateSortKey(p.BirthDate, s.MonthFirst);
    rows.push_back(std::move(row));
  }
  return rows;
}

void SortOrphans(std::vector<OrphanRow>& rows, OrphanSort by) {
  auto names = [by](const OrphanRow& r) {
    const std::string fam = cp1252::upper(r.FamName), given = cp1252::upper(r.GivenNames);
    return by == OrphanSort::GivenNames ? std::make_pair(given, fam) : std::make_pair(fam, given);
  };
  if (by == OrphanSort::BirthDate)
    std::stable_sort(rows.begin(), rows.end(),
                     [](const OrphanRow& a, const OrphanRow& b) { return a.BirthKey < b.BirthKey; });
  else
    std::stable_sort(rows.begin(), rows.end(),
                     [&names](const OrphanRow& a, const OrphanRow& b) { return names(a) < names(b); });
}

std::string OrphanQuestion(int count) { return count == 1 ? "Delete this record?" : "Delete all these records?"; }

OrphanDeletion DeleteOrphans(Session& s, const std::vector<std::int16_t>& persons) {
  OrphanDeletion out;
  // Only persons that the rule still finds: deleting anyone connected here
  // would leave partners or children pointing at a deleted record.
  std::vector<std::int16_t> chosen;
  {
    const FamilyFacts facts(s);
    const PersonFile file(s);
    std::vector<bool> taken(kPersonSlots, false);
    for (std::int16_t p : persons) {
      if (p < 1 || static_cast<std::size_t>(p) > file.count || taken[static_cast<std::size_t>(p)]) continue;
      if (!facts.orphaned(file.at(static_cast<std::size_t>(p)), p)) continue;
      taken[static_cast<std::size_t>(p)] = true;
      chosen.push_back(p);
    }
  }
  if (chosen.empty()) return out;

  RecordTransaction tx(s);
  if (!TakeUndoPoint(s, "Restore orphaned records")) return out;
  const std::int16_t selected = s.Rel.Selected.PerNum;
  for (std::int16_t p : chosen) {
    if (!MarkPersonDeleted(s, p)) {
      // All or none: a record that could not be written takes every deletion back.
      if (!tx.ok()) return OrphanDeletion{};
      continue;
    }
    ++out.deleted;
    if (p == selected) out.selected_deleted = true;
  }
  if (!tx.commit()) return OrphanDeletion{};
  s.ask("Delete Orphaned Records",
        std::to_string(out.deleted) + (out.deleted == 1 ? " ophaned record deleted." : " ophaned records deleted."),
        Buttons::OK, Icon::Information);
  out.tree_empty = PersonsOnRecord(s) < 1;
  if (!out.tree_empty) out.count_text = PersonsRecordedText(s);
  return out;
}

}  // namespace vft
