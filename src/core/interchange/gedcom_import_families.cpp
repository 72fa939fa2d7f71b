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

}  // namespace

void ReadFamily(GedcomLexer& lex, const RecordRef& r, const XrefMap& persons, SkipLog& log, FamilyWork& out) {
  lex.seek(r.offset, r.line);
  GedLine l;
  lex.next(l);  // the record's own line
  bool in_marr = false, husb_seen = false, wife_seen = false, date_seen = false, place_seen = false;
  bool even_open = false, date_open = false;
  std::uint32_t even_line = 0;
  int skip_level = -1;
  std::string* cont = nullptr;
  std::string_view tag1;
  while (lex.next(l) && l.level != 0) {
    if (l.level < 0) {
      log.bad_line(l.number);
      continue;
    }
    if (skip_level >= 0 && l.level > skip_level) continue;
    skip_level = -1;
    if (cont && l.level == 3 && (TagIs(l.tag, "CONC") || TagIs(l.tag, "CONT"))) {
      if (TagIs(l.tag, "CONT")) AppendCapped(*cont, cont == &out.place ? ", " : " ");
      AppendCapped(*cont, l.value);
      continue;
    }
    date_open = cont == &out.date && l.level == 3;
    cont = nullptr;
    if (l.level == 1 && even_open) {
      log.add("FAM", tag1, even_line);  // an EVEN with nothing under it
      even_open = false;
    }
    if (l.level == 1) {
      tag1 = l.tag;
      in_marr = false;
      if (TagIs(l.tag, "HUSB")) {
        if (!husb_seen) out.husb = person_of(l, persons);
        husb_seen = true;
      } else if (TagIs(l.tag, "WIFE")) {
        if (!wife_seen) out.wife = person_of(l, persons);
        wife_seen = true;
      } else if (TagIs(l.tag, "CHIL")) {
        if (int p = person_of(l, persons)) out.kids.push_back(p);
      } else if (TagIs(l.tag, "MARR")) {
        out.married = in_marr = true;
      } else if (TagIs(l.tag, "NO") && TagIs(TrimView(l.value), "MARR")) {
        out.not_married = true;
      } else if (TagIs(l.tag, "EVEN")) {
        even_open = true;  // read on only when its first line says it is the couple's time together
        even_line = l.number;
      } else if (TagIs(l.tag, "DIV")) {
        out.divorced = true;  // its date and place are not kept: they are logged below
      } else {
        skip_level = 1;
        log.add("FAM", l.tag, l.number);
      }
    } else if (even_open && l.level == 2 && TagIs(l.tag, "TYPE") && is_unmarried(l.value)) {
      even_open = false;
      out.married = out.not_married = in_marr = true;
    } else if (even_open) {
      even_open = false;
      skip_level = 1;
      log.add("FAM", tag1, even_line);
    } else if (l.level == 3 && date_open && TagIs(l.tag, "PHRASE") &&
               TrimView(out.date).empty()) {
      out.date = "(" + std::string(TrimView(l.value)) + ")";  // the date form of words
    } else if (l.level == 2 && in_marr && TagIs(l.tag, "DATE") && !date_seen) {
      date_seen = true;
      out.date = l.value;
      cont = &out.date;
    } else if (l.level == 2 && in_marr && TagIs(l.tag, "TYPE") && is_unmarried(l.value)) {
      out.not_married = true;
    } else if (l.level == 2 && in_marr && TagIs(l.tag, "PLAC") && !place_seen) {
      place_seen = true;
      out.place = l.value;
      cont = &out.place;
    } else {
      skip_level = l.level;
      log.add("FAM " + std::string(tag1), l.tag, l.number);
    }
  }
  if (even_open) log.add("FAM", "EVEN", even_line);
  out.date_given = date_seen;
}

}  // namespace vft::gedcom
