// Dates for the GEDCOM 5.5.1 flavour. Our stored form marks unknown parts with
// question marks ("? Mar 1903", "? ??? 1950"); GEDCOM leaves unknown parts out
// and wants upper-case months, and anything it cannot read as a date must be a
// date phrase in parentheses.
#pragma once
#include <string>
#include <string_view>

namespace vft {

// The GEDCOM 5.5.1 form of a stored date text; empty when nothing is known
// (an empty text or "? ??? ????"), so the caller writes no DATE line.
//   "5 Jan 1901" -> "5 JAN 1901", "? Mar 1903" -> "MAR 1903", "? ??? 1950" -> "1950",
//   "ABT 1900", "BET 1715 AND 1723", "1721/22" -> kept (months upper-cased),
//   "12 ??? ????", "about 1900", "31 Feb 1900" -> "(12 ??? ????)" ...
std::string GedcomDate551(std::string_view stored);

}  // namespace vft
