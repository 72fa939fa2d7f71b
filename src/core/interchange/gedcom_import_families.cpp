// Family records. What we read, by level under "0 @XREF@ FAM":
//   1 HUSB @XREF@            {0:1} the first one
//   1 WIFE @XREF@            {0:1} the first one
//   1 CHIL @XREF@            {0:M} in order; the checks keep at most 41
//   1 MARR [Y]               {0:M} the first DATE and PLAC count
//     2 DATE <date>          "NOT MARRIED" in any case marks a couple that did not marry;
//                            (3 CONC/CONT joined; an empty date's 3 PHRASE is the date in words)
//     2 TYPE Unmarried       so does this ("Not married" too)
//     2 PLAC <place>         (3 CONC/CONT joined)
//   1 NO MARR                GEDCOM 7: the couple did not marry
//   1 EVEN / 2 TYPE Unmarried  GEDCOM 7: so does this, its DATE and PLAC read as under MARR
//                            (only when TYPE is its first line; any other EVEN is skipped)
//   1 DIV [anything]         {0:M} marks the couple divorced, whatever follows
// Any other structure is skipped with everything below it and logged.
#include <string>

#include "interchange/gedcom_import_internal.h"

namespace vft::gedcom {
namespace {

// "2 TYPE Unmarried" under MARR is how GEDCOM 5.5.1 files say a couple did
// not marry.
bool is_unmarried(std::string_view type) {
  std::string_view t = TrimView(type);
  return TagIs(t, "UNMARRIED") || TagIs(t, "NOT MARRIED");
}

int person_of(const GedLine& l, const XrefMap& persons) {
  if (!l.pointer) return 0;
  auto it = persons.find(TrimView(l.value));
  return it == persons.end() ? 0 : it->second;
}

// Reads the lines below "0 @XREF@ FAM" one by one: a level-1 line goes to the
// handler of its tag, the lines below it to the structure they belong to.
class FamReader {
 public:
  FamReader(const XrefMap& persons, SkipLog& log, FamilyWork& out) : persons_(persons), log_(log), out_(out) {}

  void line(const GedLine& l) {
    if (l.level < 0) {
      log_.bad_line(l.number);
      return;
    }
    if (skip_level_ >= 0 && l.level > skip_level_) return;
    skip_level_ = -1;
    if (cont_ && l.level == 3 && (TagIs(l.tag, "CONC") || TagIs(l.tag, "CONT"))) {
      if (TagIs(l.tag, "CONT")) AppendCapped(*cont_, cont_ == &out_.place ? ", " : " ");
      AppendCapped(*cont_, l.value);
      return;
    }
    date_open_ = cont_ == &out_.date && l.level == 3;
    cont_ = nullptr;
    if (l.level == 1 && even_open_) {
      log_.add("FAM", tag1_, even_line_);  // an EVEN with nothing under it
      even_open_ = false;
    }
    if (l.level == 1) level1(l);
    else below(l);
  }

  void finish() {
    if (even_open_) log_.add("FAM", "EVEN", even_line_);
    out_.date_given = date_seen_;
  }

 private:
  // A handler returns false for a line it does not take after all.
  struct Handler {
    std::string_view tag;
    bool (FamReader::*read)(const GedLine&);
  };
  static const Handler kLevel1[7];

  void level1(const GedLine& l) {
    tag1_ = l.tag;
    in_marr_ = false;
    for (const Handler& h : kLevel1)
      if (TagIs(l.tag, h.tag)) {
        if ((this->*h.read)(l)) return;
        break;
      }
    skip_level_ = 1;
    log_.add("FAM", l.tag, l.number);
  }

  bool husb(const GedLine& l) {
    if (!husb_seen_) out_.husb = person_of(l, persons_);
    husb_seen_ = true;
    return true;
  }
  bool wife(const GedLine& l) {
    if (!wife_seen_) out_.wife = person_of(l, persons_);
    wife_seen_ = true;
    return true;
  }
  bool chil(const GedLine& l) {
    if (int p = person_of(l, persons_)) out_.kids.push_back(p);
    return true;
  }
  bool marr(const GedLine&) {
    out_.married = in_marr_ = true;
    return true;
  }
  bool no(const GedLine& l) {
    if (!TagIs(TrimView(l.value), "MARR")) return false;
    out_.not_married = true;
    return true;
  }
  bool even(const GedLine& l) {
    even_open_ = true;  // read on only when its first line says it is the couple's time together
    even_line_ = l.number;
    return true;
  }
  bool div(const GedLine&) {
    out_.divorced = true;  // its date and place are not kept: they are logged below
    return true;
  }

  // A line below level 1: under MARR, or an EVEN's first line.
  void below(const GedLine& l) {
    if (even_open_ && l.level == 2 && TagIs(l.tag, "TYPE") && is_unmarried(l.value)) {
      even_open_ = false;
      out_.married = out_.not_married = in_marr_ = true;
    } else if (even_open_) {
      even_open_ = false;
      skip_level_ = 1;
      log_.add("FAM", tag1_, even_line_);
    } else if (l.level == 3 && date_open_ && TagIs(l.tag, "PHRASE") && TrimView(out_.date).empty()) {
      out_.date = "(" + std::string(TrimView(l.value)) + ")";  // the date form of words
    } else if (l.level == 2 && in_marr_ && TagIs(l.tag, "DATE") && !date_seen_) {
      date_seen_ = true;
      out_.date = l.value;
      cont_ = &out_.date;
    } else if (l.level == 2 && in_marr_ && TagIs(l.tag, "TYPE") && is_unmarried(l.value)) {
      out_.not_married = true;
    } else if (l.level == 2 && in_marr_ && TagIs(l.tag, "PLAC") && !place_seen_) {
      place_seen_ = true;
      out_.place = l.value;
      cont_ = &out_.place;
    } else {
      skip_level_ = l.level;
      log_.add("FAM " + std::string(tag1_), l.tag, l.number);
    }
  }

  const XrefMap& persons_;
  SkipLog& log_;
  FamilyWork& out_;
  bool in_marr_ = false, husb_seen_ = false, wife_seen_ = false, date_seen_ = false, place_seen_ = false;
  bool even_open_ = false, date_open_ = false;
  std::uint32_t even_line_ = 0;
  int skip_level_ = -1;
  std::string* cont_ = nullptr;
  std::string_view tag1_;
};

// The level-1 structures, as listed at the top of this file.
const FamReader::Handler FamReader::kLevel1[7] = {
    {"HUSB", &FamReader::husb}, {"WIFE", &FamReader::wife}, {"CHIL", &FamReader::chil}, {"MARR", &FamReader::marr},
    {"NO", &FamReader::no},     {"EVEN", &FamReader::even}, {"DIV", &FamReader::div},
};

}  // namespace

void ReadFamily(GedcomLexer& lex, const RecordRef& r, const XrefMap& persons, SkipLog& log, FamilyWork& out) {
  lex.seek(r.offset, r.line);
  GedLine l;
  lex.next(l);  // the record's own line
  FamReader reader(persons, log, out);
  while (lex.next(l) && l.level != 0) reader.line(l);
  reader.finish();
}

}  // namespace vft::gedcom
