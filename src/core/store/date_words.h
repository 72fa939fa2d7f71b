// The words people and other programs put into dates: month names (English,
// German and French), the qualifiers around a date ("abt", "before", "BET ...
// AND ..."), era and calendar markers. One table, read by the date forms that
// both the date boxes and the GEDCOM import use.
#pragma once
#include <string>
#include <string_view>

namespace vft {

enum class DateWord {
  None,           // not a date word
  About,          // ABT, about, circa, c., ca., um, vers
  Calculated,     // CAL
  Estimated,      // EST
  Before,         // BEF, before, vor, avant
  After,          // AFT, after, nach, apres
  From,           // FROM: a period starts
  To,             // TO: a period ends, or "1850 to 1855"
  Between,        // BET, between, zwischen, entre
  And,            // the second half of BET ... AND ...
  Interpreted,    // INT: the date that follows was read from a phrase
  BeforeChrist,   // BC, B.C. (its letters come as separate words), BCE
  Julian,         // a Julian calendar marker: the date itself is read as it is
  Gregorian,      // says what we assume anyway
  OtherCalendar,  // Hebrew, French republican: months and years we cannot keep
  Ordinal,        // "st", "nd", "rd", "th" after a day number
};

// `lower` is one word, lower-cased (CP1252), without dots.
DateWord DateWordOf(std::string_view lower);

// Month 1..12 for a month name, full or cut to at least three letters when
// that is unambiguous ("sept", "mär", "janv", "dezember"); 0 otherwise.
int MonthOfWord(std::string_view lower);

// The English name of month 1..12 ("February"), for messages.
std::string_view FullMonthName(int month);

// The three-letter abbreviation of the stored form ("Feb").
std::string_view MonthAbbrev(int month);

// "5 Dec 2026": a calendar date as the printouts, web pages and notices show
// it. A month out of range is taken as the nearest one.
std::string DayMonthYear(int year, int month, int day);

}  // namespace vft
