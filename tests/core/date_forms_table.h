// Dates as people type them and other programs write them, with the text the
// date field keeps. The date boxes and the GEDCOM import read every row the
// same way: a box stores `stored` when `whole` (asking first when the day is
// impossible) and refuses the text otherwise; the import stores `stored` and
// puts the whole text into the notes when it is not `whole`.
#pragma once

namespace vft::test {

struct RealDate {
  const char* in;
  const char* stored;
  bool whole;
  bool impossible = false;
};

inline constexpr RealDate kRealDates[] = {
    {"12 September 1901", "12 Sep 1901", true},
    {"5th Jan 1901", "5 Jan 1901", true},
    {"Jan 1901", "? Jan 1901", true},
    {"1921", "1921", true},
    {"12 ??? ????", "12 ??? ????", true},
    {"about 1900", "ABT 1900", true},
    {"BEF 1850", "BEF 1850", true},
    {"FROM 1900", "FROM 1900", true},
    {"abt. 5 Jan 1901", "ABT Jan 1901", false},
    {"ABT 31 DEC 1997", "ABT Dec 1997", false},
    {"between 1850 and 1855", "1850-1855", true},
    {"BET 1855 AND 1850", "1850-1855", true},
    {"BET 2 SEP 1715 AND 16 FEB 1723", "1715-1723", false},
    {"BET 1 MAR 1850 AND 30 MAR 1850", "? Mar 1850", false},
    {"BET JAN 1850 AND MAR 1850", "1850", false},
    {"FROM APR 2000 TO 5 MAR 2001", "2000-2001", false},
    {"ABT 1850-1855", "1850-1855", false},
    {"BET 1850", "BET 1850", true},  // half a range: not a date, kept as written
    {"12 MAR 1637/1638", "12 Mar 1638", false},
    {"12 MAR 1637/38", "12 Mar 1638", false},
    {"1699/00", "1700", false},
    {"5 JAN 950", "5 Jan 950", true},
    {"44 B.C.", "44 BC", true},
    {"15 MAR 44 B.C.", "15 Mar 44 BC", true},
    {"12 MAR 1044 B.C.", "1044 BC", false},
    {"BET 100 BC AND 50 BC", "100 BC-50 BC", true},
    {"BET 1000 BC AND 900 BC", "900 BC", false},
    {"5 Jan 1901#2", "5 Jan 1901#2", true},  // a sign no date has: kept as written
    {"5 M\xE4rz 1901", "5 Mar 1901", true},
    {"1 juil 1900", "1 Jul 1900", true},
    {"1 jui 1900", "1 jui 1900", true},  // juin or juillet: not a month
    {"INT 1900 (about then)", "1900", false},
    {"(Easter 1900)", "Easter 1900", true},
    {"Christmas Day 1900", "1900", false},
    {"in 1850 or 1851 or so", "1850", false},  // alternatives: the first
    {"1089 (or 1112?)", "1089", false},
    {"circa 56 AD or 171", "ABT 56", false},
    {"609 BC Megiddo", "609 BC", false},  // the era is never lost
    {"POSS ABT 1500 BC", "ABT 1500 BC", false},
    {"by abt. 1424 B.C.", "ABT 1424 BC", false},
    {"circa 12345 or 9", "", false},  // no year: nothing
    {"@#DJULIAN@ 5 JAN 1700", "5 Jan 1700", false},
    {"@#DGREGORIAN@ 5 JAN 1700", "5 Jan 1700", true},
    {"JULIAN 5 JAN 1700", "5 Jan 1700", false},  // GEDCOM 7 names the calendar with a word
    {"(about Easter)", "about Easter", true},
    {" 5  JAN  1901 ", "5 Jan 1901", true},
    {"@#DHEBREW@ 1 TSH 5760", "", false},
    {"29 FEB 1904", "29 Feb 1904", true},
    {"29 FEB 1900", "29 Feb 1900", true, true},
    {"31 APR 1901", "31 Apr 1901", true, true},
    {"30 FEB ????", "30 Feb ????", true, true},
    {"ABT 31 JUN 1901", "ABT Jun 1901", false},
};

}  // namespace vft::test
