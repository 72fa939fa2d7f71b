// Dates for the GEDCOM 5.5.1 and 7.0 flavours. Our stored forms (store/date_forms.h)
// mark unknown parts with question marks ("? Mar 1903", "? ??? 1950") and
// write a range as "1850-1855"; GEDCOM leaves unknown parts out, wants
// upper-case months and keywords, and anything it cannot read as a date must
// be a date phrase in parentheses.
#pragma once
#include <string>
#include <string_view>

namespace vft {

// The GEDCOM 5.5.1 form of a stored date text; empty when nothing is known
// (an empty text or "? ??? ????"), so the caller writes no DATE line.
//   "5 Jan 1901" -> "5 JAN 1901"   "? Mar 1903" -> "MAR 1903"   "? ??? 1950", "1950" -> "1950"
//   "ABT Jan 1901" -> "ABT JAN 1901"   "1850-1855" -> "BET 1850 AND 1855"   "44 BC" -> "44 B.C."
//   "12 ??? ????", "Easter 1900", "29 Feb 1901" -> "(12 ??? ????)" ...
std::string GedcomDate551(std::string_view stored);

// The GEDCOM 7.0 form: the same keywords, "BCE" for "B.C.", and instead of a
// text in parentheses an empty date with the text as its phrase.
//   "44 BC" -> {"44 BCE", ""}   "Easter 1900" -> {"", "Easter 1900"}   "? ??? ????" -> {"", ""}
struct GedcomDate {
  std::string value, phrase;
  bool empty() const { return value.empty() && phrase.empty(); }
};
GedcomDate GedcomDate70(std::string_view stored);

}  // namespace vft
