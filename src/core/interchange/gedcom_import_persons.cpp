// Individual records. What we read, by level under "0 @XREF@ INDI":
//   1 NAME <given /family/ suffix>  {0:M} the first one; the suffix joins the given names
//     2 GIVN, 2 SURN                {0:1} used where the NAME value has no slashes or an empty part,
//                                         or where they hold a "/" the NAME part has as a stand-in
//   1 SEX <M|F|...>                 {0:1}
//   1 BIRT | DEAT | CHR | BAPM | BURI | CREM [Y]   {0:M} the first DATE and PLAC of each kind count
//     2 DATE <date>                 {0:1} (3 CONC/CONT joined; an empty date's 3 PHRASE
//                                         is read as the date in words)
//     2 PLAC <place>                {0:1} (3 CONC/CONT joined)
//   1 OCCU <text>                   {0:M} the first one
//   1 ADDR <text>                   {0:1} with 2 CONT/CONC, or else 2 ADR1..CTRY joined
//   1 RESI                          {0:M} 2 ADDR (and 3 CONT/ADR1..CTRY), 2 PHON: used when
//                                         there is no 1 ADDR / 1 PHON; the last one counts
//   1 PHON <text>                   {0:1}
//   1 NOTE <text> | @XREF@          {0:M} 2 CONT/CONC; GEDCOM 7's SNOTE as well
//   1 SOUR <text>                   {0:1} a source written out (not a pointer): the
//                                         person's source; our own note that repeats it
//                                         as "Information Source: <text>. " is not kept twice
//   1 SOUR @VOID@ / 2 PAGE <text>   {0:1} GEDCOM 7's citation without a source record: the same
//   1 SOUR @XREF@ / 2 PAGE <text>   {0:M} the first one citing a source record, when no text gives
//                                         the source: "<its TITL>, <PAGE>"
//   1 FAMS @XREF@, 1 FAMC @XREF@    {0:M} links the family records may lack
// Any other structure is skipped with everything below it and logged.
// Values too long for their field are cut; the whole text goes into the notes.
// Dates are reduced by the rules of store/date_forms.h, the whole text likewise
// going into the notes.
#include <algorithm>
#include <string>

#include "common/cp1252.h"
#include "interchange/gedcom_import_internal.h"
#include "interchange/gedcom_tables.h"
#include "store/session.h"

namespace vft::gedcom {
namespace {

enum Event { kBirth, kDeath, kBaptism, kBurial, kEventCount };

struct EventWork {
  bool seen = false, date_given = false, place_given = false;
  std::string date, place;
};

enum class Ctx { None, Name, Event, Addr, Resi, Source, Citation };

int event_of(std::string_view tag) {
  if (TagIs(tag, "BIRT")) return kBirth;
  if (TagIs(tag, "DEAT")) return kDeath;
  if (TagIs(tag, "CHR") || TagIs(tag, "BAPM")) return kBaptism;
  if (TagIs(tag, "BURI") || TagIs(tag, "CREM")) return kBurial;
  return -1;
}

bool is_address_part(std::string_view tag) {
  return TagIs(tag, "ADR1") || TagIs(tag, "ADR2") || TagIs(tag, "ADR3") || TagIs(tag, "CITY") || TagIs(tag, "STAE") ||
         TagIs(tag, "POST") || TagIs(tag, "CTRY");
}

void join(std::string& to, std::string_view piece, std::string_view sep) {
  piece = TrimView(piece);
  if (piece.empty()) return;
  if (!to.empty()) AppendCapped(to, sep);
  AppendCapped(to, piece);
}

class IndiReader {
 public:
  IndiReader(IndiContext& ctx, int number, PersonWork& out)
      : ctx_(ctx), number_(number), out_(out), notes_cap_(std::min(kMaxNotesChars, ctx.notes_left)) {}

  void line(const GedLine& l) {
    skip_level_ = -1;
    if (cont_ && l.level <= cont_level_) cont_ = nullptr;
    if (cont_ && l.level == cont_level_ + 1) {
      if (TagIs(l.tag, "CONC")) {
        append(*cont_, l.value);
        return;
      }
      if (TagIs(l.tag, "CONT")) {
        append(*cont_, cont_sep_);
        append(*cont_, l.value);
        return;
      }
    }
    if (l.level == 1) level1(l);
    else if (l.level == 2) level2(l);
    else if (l.level == 3 && ctx1_ == Ctx::Resi && resi_in_addr_ && is_address_part(l.tag))
      join(resi_parts_, l.value, ", ");
    else if (l.level == 3 && ctx1_ == Ctx::Event && in_date_ && TagIs(l.tag, "PHRASE") &&
             TrimView(ev_[event_].date).empty())
      ev_[event_].date = "(" + std::string(TrimView(l.value)) + ")";  // the date form of words
    else skip(l);
  }
  int skip_level() const { return skip_level_; }
  void finish();

 private:
  void level1(const GedLine& l);
  void level2(const GedLine& l);
  void skip(const GedLine& l) {
    skip_level_ = l.level;
    ctx_.log.add(l.level == 1 ? std::string("INDI") : "INDI " + std::string(tag1_), l.tag, l.number);
  }
  // Notes stop at what the notes file can still take; other texts at the
  // general bound.
  void append(std::string& to, std::string_view piece) {
    if (&to != &out_.notes) AppendCapped(to, piece);
    else if (!AppendCapped(to, piece, notes_cap_)) out_.notes_cut = true;
  }
  void paragraph(std::string_view label, std::string_view text) {
    if (!AddNoteParagraph(out_.notes, label, text, notes_cap_)) out_.notes_cut = true;
  }
  void follow(std::string* target, int level, std::string_view sep) {
    cont_ = target;
    cont_level_ = level;
    cont_sep_ = sep;
  }
  // Stores `full` cut to `width`; the whole text goes to the notes when cut.
  std::string field(std::string_view full, std::size_t width, std::string_view label) {
    std::string_view t = TrimView(full);
    if (t.size() > width) paragraph(label, t);
    return std::string(t.substr(0, width));
  }
  std::string date_field(const EventWork& e, std::string_view label, bool unknown_when_missing, int* year = nullptr) {
    if (!e.date_given) return unknown_when_missing ? std::string(kUnknownDate) : std::string();
    ConvertedDate d = ConvertDate(e.date);
    if (d.to_notes) {
      paragraph(label, TrimView(e.date));
      ++out_.dates_reduced;
    }
    if (d.impossible_day) out_.impossible_dates.push_back(std::string(label) + " " + d.stored);
    if (year) *year = d.year;
    // A date that could not be kept at all still says the event happened.
    if (d.stored.empty() && d.to_notes && unknown_when_missing) return std::string(kUnknownDate);
    return d.stored;
  }
  void name_fields();
  void close_resi();

  IndiContext& ctx_;
  int number_;
  PersonWork& out_;
  Ctx ctx1_ = Ctx::None;
  std::string_view tag1_;
  int event_ = -1;
  int skip_level_ = -1;
  std::string* cont_ = nullptr;
  int cont_level_ = 0;
  std::string_view cont_sep_;
  const std::size_t notes_cap_;

  bool name_seen_ = false, sex_seen_ = false, occu_seen_ = false, addr_seen_ = false, phone_seen_ = false;
  bool source_seen_ = false, in_date_ = false;
  std::string name_, givn_, surn_, sex_, occupation_, addr_, addr_parts_, phone_, source_;
  std::string cited_, page_;  // the first source record cited, and the page
  std::uint32_t cited_line_ = 0;
  bool resi_in_addr_ = false;
  std::string resi_addr_, resi_parts_, resi_phone_;
  std::string resi_addr_last_, resi_phone_last_;
  EventWork ev_[kEventCount];
};

// A RESI's address is complete when the next level-1 structure begins.
void IndiReader::close_resi() {
  if (ctx1_ != Ctx::Resi) return;
  std::string a = !TrimView(resi_addr_).empty() ? resi_addr_ : resi_parts_;
  if (!TrimView(a).empty()) resi_addr_last_ = a;
  if (!TrimView(resi_phone_).empty()) resi_phone_last_ = resi_phone_;
  ctx1_ = Ctx::None;
}

void IndiReader::level1(const GedLine& l) {
  close_resi();
  ctx1_ = Ctx::None;
  tag1_ = l.tag;
  std::string_view tag = l.tag;
  int ev = event_of(tag);
  if (ev >= 0) {
    ctx1_ = Ctx::Event;
    event_ = ev;
    ev_[ev].seen = true;
  } else if (TagIs(tag, "NAME")) {
    if (name_seen_) return skip(l);
    name_seen_ = true;
    name_ = l.value;
    ctx1_ = Ctx::Name;
  } else if (TagIs(tag, "SEX")) {
    if (!sex_seen_) sex_ = l.value;
    sex_seen_ = true;
  } else if (TagIs(tag, "OCCU")) {
    if (occu_seen_) return skip(l);
    occu_seen_ = true;
    occupation_ = l.value;
    follow(&occupation_, 1, " ");
  } else if (TagIs(tag, "ADDR")) {
    if (addr_seen_) return skip(l);
    addr_seen_ = true;
    addr_ = l.value;
    ctx1_ = Ctx::Addr;
    follow(&addr_, 1, ", ");
  } else if (TagIs(tag, "RESI")) {
    ctx1_ = Ctx::Resi;
    resi_addr_.clear();
    resi_parts_.clear();
    resi_phone_.clear();
    resi_in_addr_ = false;
  } else if (TagIs(tag, "PHON")) {
    if (phone_seen_) return skip(l);
    phone_seen_ = true;
    phone_ = l.value;
  } else if (TagIs(tag, "NOTE") || TagIs(tag, "SNOTE")) {
    if (!out_.notes.empty()) append(out_.notes, CrLf);
    if (l.pointer) {
      const std::string* text = ctx_.notes.find(l.value);
      if (text) append(out_.notes, *text);
      else out_.unreadable_note = true;
      if (text && ctx_.notes.replaced(l.value)) out_.replaced_in_record = true;
    } else {
      append(out_.notes, l.value);
      follow(&out_.notes, 1, CrLf);
    }
  } else if (TagIs(tag, "SOUR") && l.pointer && TrimView(l.value) == "@VOID@" && !source_seen_) {
    ctx1_ = Ctx::Source;
  } else if (TagIs(tag, "SOUR") && l.pointer && !source_seen_ && cited_.empty() && ctx_.sources.find(l.value)) {
    // Other programs keep a source as a record of its own; the first one
    // cited (its title and the page) is the source when no text says it.
    cited_ = TrimView(l.value);
    cited_line_ = l.number;
    ctx1_ = Ctx::Citation;
  } else if (TagIs(tag, "SOUR") && !l.pointer && !source_seen_) {
    source_seen_ = true;
    source_ = l.value;
    follow(&source_, 1, " ");
  } else if (TagIs(tag, "FAMS") || TagIs(tag, "FAMC")) {
    auto it = l.pointer ? ctx_.families.find(TrimView(l.value)) : ctx_.families.end();
    if (it != ctx_.families.end())
      (TagIs(tag, "FAMS") ? ctx_.links.fams : ctx_.links.famc).emplace_back(number_, it->second);
  } else {
    return skip(l);
  }
}

void IndiReader::level2(const GedLine& l) {
  std::string_view tag = l.tag;
  in_date_ = false;
  switch (ctx1_) {
    case Ctx::Name:
      if (TagIs(tag, "GIVN")) {
        if (givn_.empty()) givn_ = TrimView(l.value);
        return;
      }
      if (TagIs(tag, "SURN")) {
        if (surn_.empty()) surn_ = TrimView(l.value);
        return;
      }
      break;
    case Ctx::Event: {
      EventWork& e = ev_[event_];
      if (TagIs(tag, "DATE")) {
        if (e.date_given) break;
        e.date_given = true;
        e.date = l.value;
        in_date_ = true;
        follow(&e.date, 2, " ");
        return;
      }
      if (TagIs(tag, "PLAC")) {
        if (e.place_given) break;
        e.place_given = true;
        e.place = l.value;
        follow(&e.place, 2, ", ");
        return;
      }
      break;
    }
    case Ctx::Addr:
      if (is_address_part(tag)) {
        join(addr_parts_, l.value, ", ");
        return;
      }
      break;
    case Ctx::Resi:
      resi_in_addr_ = false;
      if (TagIs(tag, "ADDR")) {
        resi_in_addr_ = true;
        resi_addr_ = l.value;
        follow(&resi_addr_, 2, ", ");
        return;
      }
      if (TagIs(tag, "PHON")) {
        if (resi_phone_.empty()) resi_phone_ = l.value;
        return;
      }
      break;
    case Ctx::Citation:
      if (TagIs(tag, "PAGE") && page_.empty()) {
        page_ = l.value;
        follow(&page_, 2, " ");
        return;
      }
      break;
    case Ctx::Source:
      if (TagIs(tag, "PAGE") && !source_seen_) {
        source_seen_ = true;
        source_ = l.value;
        follow(&source_, 2, " ");
        return;
      }
      break;
    case Ctx::None: break;
  }
  skip(l);
}

// A GIVN or SURN holding a "/" is what a NAME part says with the slash
// written as a stand-in (as our export does it).
bool spelled_with_slash(std::string_view part, const std::string& exact) {
  if (exact.find('/') == std::string::npos || exact.size() != part.size()) return false;
  for (std::size_t i = 0; i < exact.size(); ++i)
    if (part[i] != exact[i] && !(exact[i] == '/' && part[i] == kNameSlashStandIn)) return false;
  return true;
}

void IndiReader::name_fields() {
  std::string_view v = TrimView(name_);
  std::string given, fam;
  std::size_t s1 = v.find('/');
  if (s1 != std::string_view::npos) {
    std::size_t s2 = v.find('/', s1 + 1);
    // More slashes than the two delimiters (a "/" inside the names, as some
    // programs write them): the family name ends at the last slash and starts
    // at the last one before it that begins a word, or else the one just
    // before it, so that the names never change places.
    if (const std::size_t last = v.rfind('/'); s2 != std::string_view::npos && last != s2) {
      s2 = last;
      s1 = v.rfind('/', s2 - 1);
      for (std::size_t i = s1 + 1; i-- > 0;)
        if (v[i] == '/' && (i == 0 || v[i - 1] == ' ')) {
          s1 = i;
          break;
        }
    }
    given = TrimView(v.substr(0, s1));
    fam = TrimView(v.substr(s1 + 1, s2 == std::string_view::npos ? std::string_view::npos : s2 - s1 - 1));
    if (given.empty() || spelled_with_slash(given, givn_)) given = givn_;
    if (fam.empty() || spelled_with_slash(fam, surn_)) fam = surn_;
    if (s2 != std::string_view::npos) join(given, v.substr(s2 + 1), " ");
  } else if (!givn_.empty() || !surn_.empty()) {
    // A value without slashes: the structured parts say which word is which.
    if (!givn_.empty()) {
      given = givn_;
    } else {
      std::string_view g = v;
      if (g.size() > surn_.size() && g.substr(g.size() - surn_.size()) == surn_) g.remove_suffix(surn_.size());
      given = TrimView(g);
    }
    fam = surn_;
  } else {
    given = v;
  }
  if (fam.empty()) fam.assign(1, '?');  // (a literal here trips a false -Wrestrict in GCC 12)
  out_.rec.GivenNames = field(given, width::GivenNames, "Given names");
  out_.rec.FamName = field(fam, width::FamName, "Family name");
}

void IndiReader::finish() {
  close_resi();
  // A source record cited stands in for a source no text gives.
  if (!cited_.empty() && TrimView(source_).empty()) {
    source_ = *ctx_.sources.find(cited_);
    join(source_, page_, ", ");
    ctx_.sources.use(cited_);
    if (ctx_.sources.replaced(cited_)) out_.replaced_in_record = true;
  } else if (!cited_.empty()) {
    ctx_.log.add("INDI", "SOUR", cited_line_);
  }
  // Our own files repeat the source at the start of the note; it is kept once.
  const std::string_view source = TrimView(source_);
  if (!source.empty()) {
    const std::string said = "Information Source: " + std::string(source) + ".";
    if (out_.notes == said) out_.notes.clear();
    else if (out_.notes.rfind(said + " ", 0) == 0) out_.notes.erase(0, said.size() + 1);
  }
  PersonRecord& p = out_.rec;
  p = blank_person();
  p.PerNum = static_cast<std::int16_t>(number_);
  name_fields();

  // "M" or "F" first or last ("Male", "F", "female"); "U" and the like leave
  // the sex unknown, as a blank.
  std::string_view sex = TrimView(sex_);
  if (!sex.empty()) {
    char c = cp1252::upper(sex.front());
    if (c != 'M' && c != 'F') c = cp1252::upper(sex.back());
    if (c == 'M' || c == 'F') p.Sex = std::string(1, c);
  }

  const EventWork &birth = ev_[kBirth], &death = ev_[kDeath], &bap = ev_[kBaptism], &bur = ev_[kBurial];
  int birth_year = 0;
  p.BirthDate = date_field(birth, "Birth date", false, &birth_year);
  p.BirthPlace = field(birth.place, width::Place, "Birth place");
  if (bap.seen) {
    p.Baptised = "Y";
    p.DOBap = date_field(bap, "Baptism date", true);
    p.Baptisplace = field(bap.place, width::Place, "Baptism place");
  }
  // A death or burial without a date still says the person has died.
  p.DeathDate = date_field(death, "Death date", death.seen || bur.seen);
  p.DeathPlace = field(death.place, width::Place, "Death place");
  if (bur.seen) {
    p.InterDate = date_field(bur, "Burial date", true);
    p.InteredPlace = field(bur.place, width::Place, "Burial place");
  }
  if (TrimView(p.BirthDate).empty()) p.BirthDate = kUnknownDate;
  // Only a birth year that is known can make a person too old to be living.
  if (TrimView(p.DeathDate).empty() && birth_year != 0 && ctx_.this_year - birth_year > 120) p.DeathDate = kUnknownDate;

  p.Source = field(source, width::Source, "Source");
  p.Occupation = field(occupation_, width::Occupation, "Occupation");
  std::string addr = !TrimView(addr_).empty() ? addr_ : addr_parts_;
  if (TrimView(addr).empty()) addr = resi_addr_last_;
  p.CurrAddress = field(addr, width::CurrAddress, "Address");
  p.Phone = field(!TrimView(phone_).empty() ? phone_ : resi_phone_last_, width::Phone, "Phone");
}

}  // namespace

void ReadIndividual(GedcomLexer& lex, const RecordRef& r, int number, IndiContext& ctx, PersonWork& out) {
  IndiReader reader(ctx, number, out);
  lex.seek(r.offset, r.line);
  GedLine l;
  lex.next(l);  // the record's own line
  while (lex.next(l) && l.level != 0) {
    if (l.level < 0) {
      ctx.log.bad_line(l.number);
      continue;
    }
    if (reader.skip_level() >= 0 && l.level > reader.skip_level()) continue;
    reader.line(l);
  }
  reader.finish();
  ctx.notes_left -= std::min(ctx.notes_left, out.notes.size());
}

}  // namespace vft::gedcom
