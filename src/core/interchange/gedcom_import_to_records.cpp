// From what the records said to what the relationship model accepts.
//
// Other programs' files link persons and families from both sides (FAMC/FAMS
// and CHIL/HUSB/WIFE), list a child in two families (birth and adoption), put a
// woman in HUSB or leave a partner's sex unknown, and leave many persons in no
// family at all. Our model wants every person to be a child in exactly one
// family, a man in Husband and a woman in Wife, at most 41 children, and both
// partners of a couple on record. Whatever had to give way is reported in the
// error list. Everything here is linear in the number of persons, families
// and links.
#include <algorithm>
#include <string>

#include "common/cp1252.h"
#include "interchange/gedcom_import_internal.h"
#include "interchange/gedcom_tables.h"
#include "relations/ancestry_loops.h"
#include "store/session.h"

namespace vft::gedcom {
namespace {

bool is_man(const PersonWork& p) { return p.rec.Sex == "M"; }
bool is_woman(const PersonWork& p) { return p.rec.Sex == "F"; }

// Husband and wife by sex: swap a couple written the wrong way round, give an
// unknown sex the one its place says, and take out a partner who cannot stand
// in that place (a same-sex couple keeps the first partner).
void settle_partners(std::vector<PersonWork>& persons, FamilyWork& f, int family, ImportProblems& problems) {
  auto at = [&](int n) -> PersonWork& { return persons[static_cast<std::size_t>(n - 1)]; };
  if (f.husb != 0 && f.husb == f.wife) f.wife = 0;
  bool h_wrong = f.husb != 0 && is_woman(at(f.husb));
  bool w_wrong = f.wife != 0 && is_man(at(f.wife));
  bool h_right = f.husb != 0 && is_man(at(f.husb));
  bool w_right = f.wife != 0 && is_woman(at(f.wife));
  if ((h_wrong || w_wrong) && !h_right && !w_right) std::swap(f.husb, f.wife);
  if (f.husb != 0 && !is_man(at(f.husb)) && !is_woman(at(f.husb))) at(f.husb).rec.Sex = "M";
  if (f.wife != 0 && !is_man(at(f.wife)) && !is_woman(at(f.wife))) at(f.wife).rec.Sex = "F";
  if (f.husb != 0 && !is_man(at(f.husb))) {
    problems.wrong_partner.emplace_back(family, f.husb);
    f.husb = 0;
  }
  if (f.wife != 0 && !is_woman(at(f.wife))) {
    problems.wrong_partner.emplace_back(family, f.wife);
    f.wife = 0;
  }
}

PersonRecord placeholder(int number, const std::string& fam_name, const char* sex) {
  PersonRecord p = blank_person();
  p.PerNum = static_cast<std::int16_t>(number);
  p.FamName = fam_name;
  p.Sex = sex;
  p.BirthDate = kUnknownDate;
  return p;
}

// The longest notes text that `records` notes records hold.
std::size_t chars_in(long records) {
  if (records <= 0) return 0;
  if (records == 1) return kNotesChunk;
  return static_cast<std::size_t>(records - 1) * kNotesChunk + (kNotesChunk - 1);
}

std::string trim_notes(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return {};
  std::size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

using FamilyList = std::vector<FamilyWork>;

FamilyWork& family_at(FamilyList& families, int f) { return families[static_cast<std::size_t>(f - 1)]; }

// FAMS: a partner the family record did not name takes the empty place of
// its sex; then every couple is settled by sex.
void place_partners(std::vector<PersonWork>& persons, FamilyList& families, const LinkList& links,
                    ImportProblems& problems) {
  for (auto [p, f] : links.fams) {
    FamilyWork& w = family_at(families, f);
    if (w.husb == p || w.wife == p) continue;
    const PersonWork& pw = persons[static_cast<std::size_t>(p - 1)];
    if (is_man(pw) && w.husb == 0) w.husb = p;
    else if (is_woman(pw) && w.wife == 0) w.wife = p;
  }
  for (int f = 1; f <= static_cast<int>(families.size()); ++f)
    settle_partners(persons, family_at(families, f), f, problems);
}

// FAMC: a child the family record did not list joins after the listed ones.
void add_famc_children(FamilyList& families, const LinkList& links, int individuals) {
  const int nfam = static_cast<int>(families.size());
  std::vector<std::pair<int, int>> famc(links.famc.size());
  std::transform(links.famc.begin(), links.famc.end(), famc.begin(),
                 [](auto pf) { return std::make_pair(pf.second, pf.first); });
  std::stable_sort(famc.begin(), famc.end(), [](auto a, auto b) { return a.first < b.first; });
  std::vector<int> stamp(static_cast<std::size_t>(individuals) + 1, 0);
  for (std::size_t i = 0, f = 1; f <= static_cast<std::size_t>(nfam); ++f) {
    FamilyWork& w = family_at(families, static_cast<int>(f));
    for (int k : w.kids) stamp[static_cast<std::size_t>(k)] = static_cast<int>(f);
    for (; i < famc.size() && famc[i].first == static_cast<int>(f); ++i) {
      int child = famc[i].second;
      if (stamp[static_cast<std::size_t>(child)] == static_cast<int>(f)) continue;
      stamp[static_cast<std::size_t>(child)] = static_cast<int>(f);
      w.kids.push_back(child);
    }
  }
}

// Children: each in its first family only, at most 41 per family. Returns
// each person's parent family (0 for none yet), by person number.
std::vector<int> place_children(FamilyList& families, int individuals, GedcomConversion& out,
                                ImportProblems& problems) {
  const int nfam = static_cast<int>(families.size());
  std::vector<int> parent_family(static_cast<std::size_t>(individuals) + 1, 0);
  out.families.assign(static_cast<std::size_t>(nfam), MarriageRecord{});
  for (int f = 1; f <= nfam; ++f) {
    MarriageRecord& m = out.families[static_cast<std::size_t>(f - 1)];
    for (int child : family_at(families, f).kids) {
      int& pf = parent_family[static_cast<std::size_t>(child)];
      if (pf == f) continue;  // listed twice in the same family
      if (pf != 0) {
        problems.second_parents.emplace_back(child, f);
      } else if (m.NumKids == kMaxKids) {
        problems.extra_children.emplace_back(f, child);
      } else {
        m.Kids[static_cast<std::size_t>(m.NumKids++)] = static_cast<std::int16_t>(child);
        pf = f;
      }
    }
  }
  return parent_family;
}

// The persons' records and notes into the conversion, with what reading them
// found wrong. Returns which notes were already cut, by person number.
std::vector<bool> take_persons(std::vector<PersonWork>& persons, GedcomConversion& out, ImportProblems& problems) {
  out.persons.clear();
  out.notes.clear();
  out.persons.reserve(persons.size());
  out.notes.reserve(persons.size());
  for (auto& p : persons) {
    out.persons.push_back(p.rec);
    out.notes.push_back(std::move(p.notes));
  }
  std::vector<bool> notes_cut(out.persons.size() + 1, false);
  for (int n = 1; n <= static_cast<int>(persons.size()); ++n) {
    const PersonWork& p = persons[static_cast<std::size_t>(n - 1)];
    if (p.unreadable_note) problems.unreadable_notes.push_back(n);
    notes_cut[static_cast<std::size_t>(n)] = p.notes_cut;
    problems.dates_reduced += p.dates_reduced;
    for (const std::string& d : p.impossible_dates) problems.impossible_dates.emplace_back(n, d);
  }
  return notes_cut;
}

// What does not fit the ceremony record goes to both partners' notes.
void note_for_partners(GedcomConversion& out, const FamilyWork& w, const std::string& what, std::string_view text) {
  for (int who : {w.husb, w.wife}) {
    if (who == 0) continue;
    int other = who == w.husb ? w.wife : w.husb;
    std::string label = what;
    if (other != 0) label += " (" + ListName(out.persons[static_cast<std::size_t>(other - 1)]) + ")";
    AddNoteParagraph(out.notes[static_cast<std::size_t>(who - 1)], label, text);
  }
}

// The ceremony of a married couple: the date in our stored form and the
// place, each in full in the partners' notes when the record cannot hold it.
void record_ceremony(FamilyWork& w, CeremonyRecord& c, GedcomConversion& out, ImportProblems& problems) {
  std::string date;
  std::string_view d = TrimView(w.date);
  if (cp1252::iequals(d, "NOT MARRIED")) {
    w.not_married = true;
  } else if (!w.date_given) {
    // A wedding without a date happened on a day not known; a couple that
    // did not marry has no date to know.
    if (!w.not_married) date = kUnknownDate;
  } else {
    ConvertedDate cd = ConvertDate(d);
    date = cd.stored;
    if (cd.to_notes) ++problems.dates_reduced;
    if (cd.impossible_day && (w.husb != 0 || w.wife != 0))
      problems.impossible_dates.emplace_back(w.husb != 0 ? w.husb : w.wife, "Marriage date " + cd.stored);
    if (cd.to_notes && !d.empty()) note_for_partners(out, w, "Marriage date", d);
  }
  std::string_view place = TrimView(w.place);
  c.MarriedAt = std::string(place.substr(0, width::MarriedAt));
  if (place.size() > width::MarriedAt) note_for_partners(out, w, "Marriage place", place);
  c.MarriedDate = date;
}

// A couple with one partner on record gets a placeholder for the other.
void add_missing_partner(FamilyWork& w, GedcomConversion& out) {
  if (w.husb != 0 && w.wife == 0) {
    w.wife = static_cast<int>(out.persons.size()) + 1;
    std::string name = w.divorced ? "Unknown Wife (Div.)" : w.not_married ? "Unknown Partner" : "Unknown Wife";
    out.persons.push_back(placeholder(w.wife, name, "F"));
    out.notes.emplace_back();
  } else if (w.wife != 0 && w.husb == 0) {
    w.husb = static_cast<int>(out.persons.size()) + 1;
    std::string name = w.divorced ? "Unknown Husband (Div.)" : w.not_married ? "Unknown Partner" : "Unknown Husband";
    out.persons.push_back(placeholder(w.husb, name, "M"));
    out.notes.emplace_back();
  }
}

// Partners: the ceremony, the placeholder for a missing partner, the flags
// and the partners' NumPartners.
void settle_couples(FamilyList& families, GedcomConversion& out, ImportProblems& problems) {
  const int nfam = static_cast<int>(families.size());
  out.ceremonies.assign(static_cast<std::size_t>(nfam), blank_ceremony());
  for (int f = 1; f <= nfam; ++f) {
    FamilyWork& w = family_at(families, f);
    MarriageRecord& m = out.families[static_cast<std::size_t>(f - 1)];
    CeremonyRecord& c = out.ceremonies[static_cast<std::size_t>(f - 1)];
    m.MarNum = static_cast<std::int16_t>(f);
    if (w.married) record_ceremony(w, c, out, problems);
    else c.MarriedDate.clear();
    if (w.divorced) w.not_married = false;  // the two flags never stand together
    add_missing_partner(w, out);
    m.Husband = static_cast<std::int16_t>(w.husb);
    m.Wife = static_cast<std::int16_t>(w.wife);
    m.Divorced = w.divorced ? -1 : 0;
    m.NotMarried = w.not_married ? -1 : 0;
    if (w.husb != 0 && w.wife != 0) {
      ++out.persons[static_cast<std::size_t>(w.husb - 1)].NumPartners;
      ++out.persons[static_cast<std::size_t>(w.wife - 1)].NumPartners;
    }
  }
}

// No one may be his or her own ancestor: such a child link is taken out,
// and the child is left without a parent family for the next step.
void break_ancestry_loops(GedcomConversion& out, int nfam, int individuals, std::vector<int>& parent_family,
                          ImportProblems& problems) {
  for (const LoopLink& l : FindAncestryLoops(out.families.data(), nfam, individuals)) {
    MarriageRecord& m = out.families[static_cast<std::size_t>(l.family - 1)];
    const auto end = m.Kids.begin() + m.NumKids;
    const auto at = std::find(m.Kids.begin(), end, static_cast<std::int16_t>(l.child));
    std::copy(at + 1, end, at);
    m.Kids[static_cast<std::size_t>(--m.NumKids)] = 0;
    parent_family[static_cast<std::size_t>(l.child)] = 0;
    problems.own_ancestor.emplace_back(l.child, l.family);
  }
}

// Every person a child somewhere: a parent family of its own, with no
// parents, as a newly added person gets one.
void add_own_parent_families(GedcomConversion& out, std::vector<int>& parent_family) {
  parent_family.resize(out.persons.size() + 1, 0);
  for (std::size_t p = 1; p <= out.persons.size(); ++p) {
    if (parent_family[p] != 0) continue;
    MarriageRecord m;
    m.MarNum = static_cast<std::int16_t>(out.families.size() + 1);
    m.NumKids = 1;
    m.Kids[0] = static_cast<std::int16_t>(p);
    out.families.push_back(m);
    out.ceremonies.push_back(blank_ceremony());
  }
}

// Notes: what the notes file still has room for (`notes_room` records).
void fit_notes(GedcomConversion& out, std::vector<bool>& notes_cut, long notes_room, ImportProblems& problems) {
  notes_cut.resize(out.notes.size() + 1, false);
  for (std::size_t p = 0; p < out.notes.size(); ++p) {
    std::string& text = out.notes[p];
    text = trim_notes(text);
    long need = NotesRecordsFor(text.size());
    if (need > notes_room) {
      text.resize(std::min(text.size(), chars_in(notes_room)));
      text = trim_notes(text);
      need = NotesRecordsFor(text.size());
      notes_cut[p + 1] = true;
    }
    notes_room -= need;
    if (notes_cut[p + 1]) problems.notes_cut.push_back(static_cast<int>(p + 1));
  }
}

}  // namespace

std::string ListName(const PersonRecord& p) {
  std::string given = cp1252::trim(p.GivenNames), fam = cp1252::trim(p.FamName);
  if (given.empty()) return fam;
  return fam.empty() ? given : given + " " + fam;
}

void BuildConversion(std::vector<PersonWork>& persons, std::vector<FamilyWork>& families, const LinkList& links,
                     long notes_room, GedcomConversion& out, ImportProblems& problems) {
  const int individuals = static_cast<int>(persons.size());
  const int nfam = static_cast<int>(families.size());
  place_partners(persons, families, links, problems);
  add_famc_children(families, links, individuals);
  std::vector<int> parent_family = place_children(families, individuals, out, problems);
  std::vector<bool> notes_cut = take_persons(persons, out, problems);
  settle_couples(families, out, problems);
  break_ancestry_loops(out, nfam, individuals, parent_family, problems);
  add_own_parent_families(out, parent_family);
  fit_notes(out, notes_cut, notes_room, problems);
}

}  // namespace vft::gedcom
