// The lines of an export, in file order: header, submitter, individuals,
// families, trailer. Every flavour shares the walk; where they differ the
// builder asks the flavour's rules (gedcom_export_flavour.h). The standard
// flavour writes the classic subset and nothing more; every fact the tree holds
// is written in the 5.5.1 and 7.0 flavours.
#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "common/cp1252.h"
#include "interchange/gedcom_export.h"
#include "interchange/gedcom_export_date.h"
#include "interchange/gedcom_export_flavour.h"
#include "interchange/gedcom_export_source.h"
#include "interchange/gedcom_tables.h"
#include "store/date_words.h"
#include "store/paths.h"
#include "store/records.h"

namespace vft {
namespace {

namespace tag = gedcom::tag;
using gedcom_export::RecordSource;

std::string person_xref(int n) { return std::string(gedcom::kPersonXrefPrefix) + std::to_string(n) + "@"; }
std::string family_xref(int m) { return std::string(gedcom::kFamilyXrefPrefix) + std::to_string(m) + "@"; }
std::string note_xref(std::int32_t first) { return std::string(gedcom::kNoteXrefPrefix) + std::to_string(first) + "@"; }

// Field text as written: blanks trimmed. Zero bytes (never-written field space)
// count as blanks.
std::string value(const std::string& field) {
  std::string v = field;
  std::replace(v.begin(), v.end(), '\0', ' ');
  return cp1252::trim(v);
}

bool has_zero(std::string_view s) { return s.find('\0') != std::string_view::npos; }

// Place text: line breaks become blanks; a place holding a zero byte is not written.
bool place_text(const std::string& field, std::string& out) {
  std::string p = cp1252::trim(field);
  if (p.empty() || has_zero(p)) return false;
  out.clear();
  for (std::size_t i = 0; i < p.size(); ++i) {
    char c = p[i];
    if (c == '\r' && i + 1 < p.size() && p[i + 1] == '\n') ++i;
    out += (c == '\r' || c == '\n') ? ' ' : c;
  }
  return true;
}

std::string today(const Session& s, GedcomFlavour f) {
  LocalTime t = s.now();
  const std::string date = DayMonthYear(t.year, t.month, t.day);
  return f == GedcomFlavour::Standard ? date : cp1252::upper(date);
}

// A person's place in a family.
enum class Role : std::uint8_t { Husband, Wife, Child };
struct Membership {
  int marriage;
  Role role;
};

class Builder {
 public:
  Builder(const Session& s, const ExportOptions& o, std::string& out)
      : s_(s), o_(o), w_(o.flavour, out), src_(s), r_(RulesOf(o.flavour)) {}

  bool run(const Progress& progress, long& persons, long& families);

 private:
  void header();
  void submitter();
  GedcomDate date_of(const std::string& stored) const {
    switch (r_.dates) {
      case DateStyle::AsStored: return {stored, {}};
      case DateStyle::Gedcom551: return {GedcomDate551(stored), {}};
      case DateStyle::Gedcom70: break;
    }
    return GedcomDate70(stored);
  }
  void date_line(int level, const GedcomDate& d) {
    w_.text(level, tag::DATE, d.value);
    if (!d.phrase.empty()) w_.text(level + 1, tag::PHRASE, d.phrase);
  }
  bool has_submitter() const;
  bool has_facts(int m) const;
  void index_families();
  bool decide_family(int m) const;
  bool family_written(int m) const { return written_[static_cast<std::size_t>(m)] != 0; }
  void individual(int n);
  void name(const std::string& given, const std::string& fam);
  void event(std::string_view tag, const std::string& date, const std::string& place, bool date_always);
  void notes(const PersonRecord& p);
  void paragraphs(int level, std::string_view t, std::string_view text, std::string_view xref = {});
  void find_shared_notes();
  void shared_notes();
  bool family(int m);

  const Session& s_;
  const ExportOptions& o_;
  GedcomWriter w_;
  RecordSource src_;
  const FlavourRules& r_;
  std::vector<std::size_t> member_start_;  // by person: first entry in members_
  std::vector<Membership> members_;        // grouped by person, marriages ascending
  std::vector<std::uint8_t> written_;      // by family: whether it is written (decide_family)
  // Notes chains more than one living person starts at (shared notes only),
  // with their texts once read; by first notes record.
  std::vector<std::pair<std::int32_t, std::string>> shared_;
};

bool Builder::has_submitter() const {
  const SubmitterDetails& d = o_.submitter;
  for (const std::string* f : {&d.Name, &d.Address1, &d.Address2, &d.Address3, &d.Phone, &d.Email})
    if (!value(*f).empty()) return true;
  return false;
}

void Builder::header() {
  const std::string version = std::string(VFT_VERSION).substr(0, 4);
  if (r_.byte_order_mark) w_.byte_order_mark();
  w_.tag(0, tag::HEAD);
  if (r_.header == HeaderStyle::Classic) {
    w_.text(1, tag::SOUR, "Vorlan Family Tree");
    w_.text(2, tag::VERS, version);
    w_.text(1, tag::DEST, "PAF");
    w_.text(1, tag::DATE, today(s_, o_.flavour));
    w_.text(1, tag::CHAR, "ANSI");
    w_.text(1, tag::FILE, FileNameOf(o_.file_name));
    w_.tag(1, tag::GEDC);
    w_.text(2, tag::VERS, "4");
    return;
  }
  if (r_.header == HeaderStyle::Gedcom70) {
    // The version comes first, so that a reader knows the rules before it reads on.
    w_.tag(1, tag::GEDC);
    w_.text(2, tag::VERS, "7.0");
    w_.text(1, tag::SOUR, "VorlanFamilyTree");
    w_.text(2, tag::VERS, version);
    w_.text(2, tag::NAME, "Vorlan Family Tree");
    w_.text(1, tag::DATE, today(s_, o_.flavour));
    if (has_submitter()) w_.pointer(1, tag::SUBM, gedcom::kSubmitterXref);
    return;
  }
  // 5.5.1 wants a system id without blanks, the submitter pointer and the form.
  w_.text(1, tag::SOUR, "VorlanFamilyTree");
  w_.text(2, tag::VERS, version);
  w_.text(2, tag::NAME, "Vorlan Family Tree");
  w_.text(1, tag::DATE, today(s_, o_.flavour));
  w_.pointer(1, tag::SUBM, gedcom::kSubmitterXref);
  w_.text(1, tag::FILE, FileNameOf(o_.file_name));
  w_.tag(1, tag::GEDC);
  w_.text(2, tag::VERS, "5.5.1");
  w_.text(2, tag::FORM, "LINEAGE-LINKED");
  w_.text(1, tag::CHAR, "UTF-8");
}

void Builder::submitter() {
  const SubmitterDetails& d = o_.submitter;
  const std::string name = value(d.Name), a1 = value(d.Address1), a2 = value(d.Address2), a3 = value(d.Address3),
                    phone = value(d.Phone), email = value(d.Email);
  if (r_.header == HeaderStyle::Classic) {
    // Each line has its own condition, exactly as older readers of our files expect.
    if (!name.empty()) {
      w_.record(gedcom::kSubmitterXref, tag::SUBM);
      w_.text(1, tag::NAME, name);
    }
    if (!a1.empty()) w_.text(1, tag::ADDR, a1);
    if (!a2.empty()) w_.text(2, tag::CONT, a2);
    if (!a3.empty()) w_.text(2, tag::CONT, a3);
    if (!email.empty()) {
      if (!a1.empty()) w_.text(2, tag::CONT, email);
      else w_.text(1, tag::ADDR, email);
    }
    if (!phone.empty()) w_.text(1, tag::PHON, phone);
    return;
  }
  // The header points at the submitter, so the record is there whenever the
  // header names one (always in 5.5.1).
  if (r_.header == HeaderStyle::Gedcom70 && !has_submitter()) return;
  // Both grammars require the submitter's name, and an empty value is none.
  w_.record(gedcom::kSubmitterXref, tag::SUBM);
  w_.text(1, tag::NAME, name.empty() ? std::string(gedcom::kUnknownSubmitter) : name);
  bool first = true;
  for (const std::string* line : {&a1, &a2, &a3}) {
    if (line->empty()) continue;
    if (first) w_.text(1, tag::ADDR, *line);
    else w_.text(2, tag::CONT, *line);
    first = false;
  }
  if (!phone.empty()) w_.text(1, tag::PHON, phone);
  if (!email.empty()) w_.text(1, tag::EMAIL, email);
}

// Every person's families (as husband, wife or child), from one pass over the
// marriage table, grouped by person with the marriages in ascending order.
void Builder::index_families() {
  const auto np = static_cast<std::size_t>(src_.persons());
  auto in_range = [&](int n) { return n >= 1 && static_cast<std::size_t>(n) <= np; };
  auto for_each_member = [&](auto&& visit) {
    for (int m = 1; m <= src_.marriages(); ++m) {
      const MarriageRecord& r = s_.family(m);
      if (in_range(r.Husband)) visit(r.Husband, Membership{m, Role::Husband});
      if (in_range(r.Wife)) visit(r.Wife, Membership{m, Role::Wife});
      const int kids = std::clamp<int>(r.NumKids, 0, kMaxKids);
      for (int k = 0; k < kids; ++k) {
        const int kid = r.Kids[static_cast<std::size_t>(k)];
        if (in_range(kid)) visit(kid, Membership{m, Role::Child});
      }
    }
  };
  std::vector<std::size_t> count(np + 1, 0);
  for_each_member([&](int n, Membership) { ++count[static_cast<std::size_t>(n)]; });
  member_start_.assign(np + 2, 0);
  for (std::size_t n = 1; n <= np; ++n) member_start_[n + 1] = member_start_[n] + count[n];
  members_.resize(member_start_[np + 1]);
  std::vector<std::size_t> fill(member_start_.begin(), member_start_.end());
  for_each_member([&](int n, Membership e) { members_[fill[static_cast<std::size_t>(n)]++] = e; });
  // Asked for each partner, child and the family itself: decided once.
  written_.assign(static_cast<std::size_t>(src_.marriages()) + 1, 0);
  for (int m = 1; m <= src_.marriages(); ++m) written_[static_cast<std::size_t>(m)] = decide_family(m) ? 1 : 0;
}

void Builder::find_shared_notes() {
  std::vector<std::int32_t> firsts;
  for (int n = 1; n <= src_.persons(); ++n)
    if (src_.live(n) && has_chain(src_.person(n).NotesRec)) firsts.push_back(src_.person(n).NotesRec);
  std::sort(firsts.begin(), firsts.end());
  for (std::size_t i = 1; i < firsts.size(); ++i)
    if (firsts[i] == firsts[i - 1] && (shared_.empty() || shared_.back().first != firsts[i]))
      shared_.emplace_back(firsts[i], std::string());
}

bool Builder::has_facts(int m) const {
  const MarriageRecord& r = s_.family(m);
  const CeremonyRecord c = src_.ceremony(m);
  return r.Divorced != 0 || r.NotMarried != 0 || !value(c.MarriedDate).empty() || !value(c.MarriedAt).empty();
}

// Whether family m is written. Every family with a husband or children is, and
// one with only a wife when it holds a fact of its own (a date, a place, a
// flag). With only live pointers, a family needs a live child, or a live
// partner together with the other partner (deleted, say) or a fact.
bool Builder::decide_family(int m) const {
  const MarriageRecord& r = s_.family(m);
  const int kids = std::clamp<int>(r.NumKids, 0, kMaxKids);
  if (r_.husbandless_bare && r.Husband < 1) return kids > 0;
  if (!r_.only_live_pointers) return r.Husband >= 1 || kids > 0 || (r.Wife >= 1 && has_facts(m));
  for (int k = 0; k < kids; ++k)
    if (src_.live(r.Kids[static_cast<std::size_t>(k)])) return true;
  if (!src_.live(r.Husband) && !src_.live(r.Wife)) return false;
  return (r.Husband >= 1 && r.Wife >= 1) || has_facts(m);
}

// An event with its date and place: what is known, the DATE line also when
// empty if `date_always`. Flavours without empty date lines write "1 TAG Y"
// when nothing is known.
void Builder::event(std::string_view t, const std::string& date, const std::string& place_field, bool date_always) {
  std::string place;
  const bool has_place = place_text(place_field, place);
  const GedcomDate d = date_of(date);
  if (!r_.empty_date_line && d.empty() && !has_place) {
    w_.text(1, t, "Y");
    return;
  }
  w_.tag(1, t);
  if (date_always || !d.empty()) date_line(2, d);
  if (has_place) w_.text(2, tag::PLAC, place);
}

void Builder::notes(const PersonRecord& p) {
  const std::string source = value(p.Source);
  // The source as a citation of its own, so that it comes back as the source.
  // GEDCOM 7.0 cites a source without a record of its own so.
  if (!source.empty() && !has_zero(source)) {
    if (r_.source == SourceForm::Citation) {
      w_.pointer(1, tag::SOUR, gedcom::kVoidXref);
      w_.text(2, tag::PAGE, source);
    } else if (r_.source == SourceForm::Text) {
      w_.text(1, tag::SOUR, source);
    }
  }
  if (r_.shared_notes) {
    auto it = std::lower_bound(shared_.begin(), shared_.end(), p.NotesRec,
                               [](const auto& e, std::int32_t k) { return e.first < k; });
    if (it != shared_.end() && it->first == p.NotesRec) {
      if (it->second.empty()) it->second = cp1252::trim(src_.notes(p.NotesRec));
      if (!it->second.empty() && !has_zero(it->second)) w_.pointer(1, tag::SNOTE, note_xref(p.NotesRec));
      return;
    }
  }
  const std::string chain = cp1252::trim(src_.notes(p.NotesRec));
  std::string text;
  if (!source.empty() && r_.source == SourceForm::InNote) text = "Information Source: " + source + ". ";
  text += chain;
  if (text.empty() || has_zero(text)) return;
  paragraphs(1, tag::NOTE, text);
}

// A paragraph ends with a carriage return; the line feed after it is dropped.
// The 5.5.1 and 7.0 flavours also end one at a lone line feed (text from elsewhere).
void Builder::paragraphs(int level, std::string_view t, std::string_view all, std::string_view xref) {
  bool first = true;
  for (std::size_t start = 0;;) {
    std::size_t end = start;
    while (end < all.size() && all[end] != '\r' && (!r_.notes_split_at_lf || all[end] != '\n')) ++end;
    const std::string piece = cp1252::trim(all.substr(start, end - start));
    if (first && xref.empty()) w_.text(level, t, piece);
    else if (first) w_.record_text(xref, t, piece);
    else w_.text(level + 1, tag::CONT, piece);
    first = false;
    if (end >= all.size()) break;
    start = end + 1;
    if (all[end] == '\r' && start < all.size() && all[start] == '\n') ++start;
  }
}

// The notes more than one person shares, each once, as SNOTE records.
void Builder::shared_notes() {
  for (const auto& [first, text] : shared_)
    if (!text.empty() && !has_zero(text)) paragraphs(0, tag::SNOTE, text, note_xref(first));
}

// The NAME line. Only its two delimiters may be slashes; one inside the names
// is written as a stand-in there, and the names as they are go below it, so
// that a reader still finds the family name and ours gets both back exactly.
void Builder::name(const std::string& given, const std::string& fam_field) {
  const std::string fam = r_.unknown_surname_empty && fam_field == "?" ? std::string() : fam_field;
  auto stand_in = [](std::string v) {
    std::replace(v.begin(), v.end(), '/', gedcom::kNameSlashStandIn);
    return v;
  };
  const std::string g = stand_in(given), f = stand_in(fam);
  if (r_.name_blank_given || !g.empty()) w_.text(1, tag::NAME, g + " /" + f + "/");
  else w_.text(1, tag::NAME, "/" + f + "/");
  if (g != given) w_.text(2, tag::GIVN, given);
  if (f != fam) w_.text(2, tag::SURN, fam);
}

void Builder::individual(int n) {
  const PersonRecord& p = src_.person(n);
  const std::string sex = value(p.Sex), given = value(p.GivenNames), fam = value(p.FamName);
  w_.record(person_xref(n), tag::INDI);
  name(given, fam);
  if (r_.sex_as_stored) w_.text(1, tag::SEX, sex);
  else w_.text(1, tag::SEX, (sex == "M" || sex == "F") ? sex : std::string("U"));

  const std::string birth = value(p.BirthDate), death = value(p.DeathDate);
  std::string unused;
  const bool always = r_.empty_date_line;
  if (r_.birth_always || !date_of(birth).empty() || place_text(p.BirthPlace, unused))
    event(tag::BIRT, birth, p.BirthPlace, always);
  // An event is written when its date is known, or in the fuller flavours its place.
  if (!death.empty() || (!r_.event_needs_date && place_text(p.DeathPlace, unused)))
    event(tag::DEAT, death, p.DeathPlace, always);
  const std::string baptised = value(p.Baptised);
  if (baptised == "Yes" || baptised == "Y") event(tag::CHR, value(p.DOBap), p.Baptisplace, always);
  const std::string interred = value(p.InterDate);
  if (!interred.empty() || (!r_.event_needs_date && place_text(p.InteredPlace, unused)))
    event(tag::BURI, interred, p.InteredPlace, always);

  const std::string occupation = value(p.Occupation), address = value(p.CurrAddress), phone = value(p.Phone);
  if (!occupation.empty()) w_.text(1, tag::OCCU, occupation);
  // An address and phone are how to reach someone living; once a death is
  // recorded they are no longer shared.
  if (death.empty()) {
    if (!r_.address_under_resi) {
      if (!address.empty()) w_.text(1, tag::ADDR, address);
      if (!phone.empty()) w_.text(1, tag::PHON, phone);
    } else if (!address.empty() || !phone.empty()) {
      // 5.5.1 keeps an individual's address and phone under a residence.
      w_.tag(1, tag::RESI);
      if (!address.empty()) w_.text(2, tag::ADDR, address);
      if (!phone.empty()) w_.text(2, tag::PHON, phone);
    }
  }
  notes(p);

  // Families as a partner: the standard flavour looks a man up as husband and a
  // woman as wife only; the 5.5.1 flavour lists every family written that names
  // the person.
  const std::size_t first = member_start_[static_cast<std::size_t>(n)];
  const std::size_t end = member_start_[static_cast<std::size_t>(n) + 1];
  int last = 0;
  for (std::size_t i = first; i < end; ++i) {
    const Membership& e = members_[i];
    if (e.role == Role::Child) continue;
    const bool listed = r_.fams_by_sex ? (e.role == Role::Husband ? sex == "M" : sex == "F")
                                       : (family_written(e.marriage) && e.marriage != last);
    if (!listed) continue;
    w_.pointer(1, tag::FAMS, family_xref(e.marriage));
    last = e.marriage;
  }
  // The parents are those of the first family that lists the person as a child.
  // The 5.5.1 flavour also names any later such family, so that every CHIL line
  // has its FAMC counterpart.
  last = 0;
  for (std::size_t i = first; i < end; ++i) {
    const Membership& e = members_[i];
    if (e.role != Role::Child || e.marriage == last) continue;
    const MarriageRecord& r = s_.family(e.marriage);
    if (r_.only_live_pointers && (r.Husband == n || r.Wife == n)) continue;  // no CHIL line either: see family()
    if (r_.only_live_pointers && !family_written(e.marriage)) continue;
    w_.pointer(1, tag::FAMC, family_xref(e.marriage));
    last = e.marriage;
    if (r_.famc_first_only) break;
  }
}

// Writes family m when it is written at all (see decide_family).
bool Builder::family(int m) {
  if (!family_written(m)) return false;
  const MarriageRecord& r = s_.family(m);
  const int kids = std::clamp<int>(r.NumKids, 0, kMaxKids);
  w_.record(family_xref(m), tag::FAM);
  if (!r_.only_live_pointers) {
    if (r.Husband >= 1) w_.pointer(1, tag::HUSB, person_xref(r.Husband));
    if (r.Wife > 0) w_.pointer(1, tag::WIFE, person_xref(r.Wife));
    for (int k = 0; k < kids; ++k) w_.pointer(1, tag::CHIL, person_xref(r.Kids[static_cast<std::size_t>(k)]));
  } else {
    // Only pointers to records that are in the file, each child once. A
    // deleted partner leaves the other one alone in the family, in 7.0 with
    // the place held by "@VOID@".
    if (src_.live(r.Husband)) w_.pointer(1, tag::HUSB, person_xref(r.Husband));
    else if (r_.void_partner && r.Husband >= 1) w_.pointer(1, tag::HUSB, gedcom::kVoidXref);
    if (src_.live(r.Wife) && r.Wife != r.Husband) w_.pointer(1, tag::WIFE, person_xref(r.Wife));
    else if (r_.void_partner && r.Wife >= 1 && r.Wife != r.Husband) w_.pointer(1, tag::WIFE, gedcom::kVoidXref);
    std::vector<int> seen;
    for (int k = 0; k < kids; ++k) {
      int kid = r.Kids[static_cast<std::size_t>(k)];
      if (!src_.live(kid) || kid == r.Husband || kid == r.Wife ||
          std::find(seen.begin(), seen.end(), kid) != seen.end())
        continue;
      seen.push_back(kid);
      w_.pointer(1, tag::CHIL, person_xref(kid));
    }
  }

  // The classic form says nothing more of a family without a husband.
  if (r_.husbandless_bare && r.Husband < 1) return true;
  const CeremonyRecord c = src_.ceremony(m);
  const std::string date = value(c.MarriedDate);
  const bool place_given = !value(c.MarriedAt).empty();
  if (r.NotMarried != 0 && r_.not_married == NotMarriedForm::NonEvent) {
    // 7.0 says plainly that no marriage took place; what is known of the
    // couple's time together goes under an event of its own.
    w_.text(1, tag::NO, tag::MARR);
    std::string place;
    const GedcomDate d = date_of(date);
    const bool has_place = place_text(c.MarriedAt, place);
    if (!d.empty() || has_place) {
      w_.tag(1, tag::EVEN);
      w_.text(2, tag::TYPE, gedcom::kUnmarriedType);
      if (!d.empty()) date_line(2, d);
      if (has_place) w_.text(2, tag::PLAC, place);
    }
  } else if (r.NotMarried != 0) {
    w_.tag(1, tag::MARR);
    std::string place;
    if (r_.not_married == NotMarriedForm::DateLine) {
      w_.text(2, tag::DATE, gedcom::kNotMarried);
    } else {
      w_.text(2, tag::TYPE, gedcom::kUnmarriedType);
      if (const GedcomDate d = date_of(date); !d.empty()) date_line(2, d);
    }
    if (place_text(c.MarriedAt, place)) w_.text(2, tag::PLAC, place);
  } else if (!date.empty() || place_given) {
    event(tag::MARR, date, c.MarriedAt, false);
  }
  if (r.Divorced != 0) w_.text(1, tag::DIV, "Y");
  return true;
}

bool Builder::run(const Progress& progress, long& persons, long& families) {
  header();
  submitter();
  index_families();
  if (r_.shared_notes) find_shared_notes();
  const std::string label = "Generating GEDCOM file: " + FileNameOf(o_.file_name);
  for (int n = 1; n <= src_.persons(); ++n) {
    if (progress && !progress(label, n)) return false;
    if (!src_.live(n)) continue;
    individual(n);
    ++persons;
  }
  for (int m = 1; m <= src_.marriages(); ++m)
    if (family(m)) ++families;
  shared_notes();
  w_.trailer();
  return true;
}

}  // namespace

bool BuildGedcom(const Session& s, const ExportOptions& o, const Progress& progress, std::string& out, long* persons,
                 long* families) {
  out.clear();
  out.reserve(static_cast<std::size_t>(std::max<int>(0, s.Config.NumPersons())) * 320 + 4096);
  long np = 0, nf = 0;
  Builder b(s, o, out);
  bool done = b.run(progress, np, nf);
  if (persons) *persons = np;
  if (families) *families = nf;
  return done;
}

}  // namespace vft
