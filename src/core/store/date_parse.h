// Reading typed dates: the one place that decides which texts are complete
// calendar dates, and the day arithmetic the age and order checks share.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace vft {

struct Ymd {
  int year = 0, month = 0, day = 0;
  friend auto operator<=>(const Ymd&, const Ymd&) = default;
};

// A complete date (day, month and year all given and valid on the Gregorian
// calendar) typed in any of the forms users type:
//   5/1/1901  5-1-1901  5.1.1901  5 1 1901   numeric, day first
//                                            (month first when month_first)
//   1901-01-05                               four-digit year first: always Y M D
//   5 January 1901  Jan 5, 1901  5-JAN-1901  month by name, full or abbreviated,
//                                            any case, either side of the day
// Separators are "/", "-", ".", "," and blanks, in runs of any length.
// Two-digit years: 00-29 are 2000-2029, 30-99 are 1930-1999. Years of one or
// three digits, impossible days (31 Feb, day 0, month 13) and anything with
// more or fewer than three parts give nothing: such texts are partial dates.
std::optional<Ymd> ParseCompleteDate(std::string_view text, bool month_first);

// A date as a number yyyymmdd that lists sort by: a complete date directly;
// a partial one from its year (the last four characters, all digits) with the
// first of "Jan" ... "Dec", in that order and any case, found in the text
// (else January), day 1; 0, before every year, for "? ??? ????", an empty text
// and anything else without such a year ("12 Mar ????" included). The person
// list and the orphans list share it so that both put a date in one place.
std::int32_t DateSortKey(std::string_view text, bool month_first);

// Month 1..12 for an English month name, full or cut to at least three
// letters ("jan", "Sept", "FEBRUARY"), any case; 0 otherwise.
int MonthFromName(std::string_view word);

// Whether numeric dates read month first under the system's short date
// pattern ("M/d/yy": yes; "dd.MM.yy": no). Year-first patterns ("yyyy-MM-dd")
// also put the month before the day. Quoted literal text is not a field.
bool PatternPutsMonthFirst(std::string_view pattern);

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Day number of a date (consecutive across month and year ends), for
// differences between two dates.
long DayNumber(const Ymd& d);

// Whole years in (later - earlier) days counted at 365.25 days a year,
// rounded down: one day backwards is already -1.
long WholeYears(const Ymd& earlier, const Ymd& later);

}  // namespace vft
