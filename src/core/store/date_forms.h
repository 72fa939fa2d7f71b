// The one rule set that turns a date as people type it, or as other programs
// write it, into the text a 12-character date field keeps.
//
// Stored forms, shortest reading first:
//   5 Jan 1901   ? Jan 1901   ? ??? 1901   12 ??? ????   ? ??? ????   a date, unknown parts as "?"
//   1901                                                                a year written alone
//   ABT 5 Jan 1901  ABT Jan 1901  BEF 1850  AFT 1948  EST 1900  CAL 1900  FROM 1900  TO 1905
//   1850-1855                                                           between two years
//   44 BC   15 Mar 44 BC   ABT 500 BC   100 BC-50 BC                    before Christ
// Every form ends with its (latest) year, so ages and order checks that read
// the year find it.
//
// A text whose stored form would not say everything it said is reduced:
// whole words and numbers are left out, never cut in the middle.
//   qualifier and date:  ABT 31 DEC 1997 -> ABT Dec 1997 (the day is left out first, then the month)
//   dual year:           12 MAR 1637/38  -> 12 Mar 1638  (the later year, the one of today's calendar)
//   range or period:     BET 2 SEP 1715 AND 16 FEB 1723 -> 1715-1723 (the two years);
//                        both in one year -> that year (with the month when both name the same one)
//   other texts:         the one year they name, or nothing
// BET y1 AND y2 and "y1-y2" say the same; a FROM ... TO period, a dual year,
// a phrase or a Julian calendar mark are always reported as left out.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "store/date_parse.h"

namespace vft {

// The date field's width: a stored date never has more characters.
inline constexpr std::size_t kStoredDateMax = 12;

enum class DateKind {
  Empty,  // nothing but blanks and separators
  Date,   // one date, with or without a qualifier
  Range,  // two dates: BET ... AND ..., FROM ... TO ..., y1-y2
  Text,   // not a date we can read: kept as written when it fits
};

enum class DateQualifier { None, About, Calculated, Estimated, Before, After, From, To };

struct DatePart {
  int day = 0, month = 0, year = 0;  // 0: not known. A year before Christ is positive here, with `bc`
  int year_digits = 0;               // written width of the year ("0800" keeps its zero)
  bool bc = false;
  bool impossible_day = false;  // a day the month does not have (29 Feb 1901, 32 Jan)
  int signed_year() const { return bc ? -year : year; }
};

// Where the text comes from decides how its numbers are read.
struct DateReadRules {
  // Typed into a date box: numeric dates ("5/1/1901", month first when
  // `month_first`), month numbers, one- and two-digit years in the century of
  // `this_year`, and unreadable texts with their separators turned into
  // blanks. Other programs' files get none of these.
  bool typed = false;
  bool month_first = false;
  int this_year = 0;
};

struct DateForm {
  DateKind kind = DateKind::Empty;
  DateQualifier qualifier = DateQualifier::None;
  DatePart first, last;         // `last` for ranges only; first <= last
  bool period = false;          // a range written FROM ... TO ...
  bool bare_year = false;       // a year written alone ("1901")
  std::string stored;           // the field's text; empty when nothing can be kept
  bool whole = true;            // `stored` says everything the text said
  bool impossible_day = false;  // `stored` keeps a day its month does not have
  std::optional<Ymd> complete;  // a plain complete calendar date
  int year = 0;                 // the latest year named (negative before Christ); 0 none
  int month = 0;                // the month given with that year; 0 none
};

DateForm NormaliseDate(std::string_view text, const DateReadRules& rules = {});

}  // namespace vft
