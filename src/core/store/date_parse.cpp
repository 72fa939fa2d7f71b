#include "store/date_parse.h"

#include <array>

#include "common/cp1252.h"
#include "store/date_words.h"

namespace vft {

namespace {

// Byte tests that never see a sign-extended CP1252 byte as a letter or digit.
using cp1252::all_digits;
using cp1252::is_digit;
bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char lower_ascii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool is_separator(char c) { return c == '/' || c == '-' || c == '.' || c == ',' || c == ' ' || c == '\t'; }

bool all_letters(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!is_letter(c)) return false;
  return true;
}
int number(std::string_view digits) {  // callers pass at most four digits
  int n = 0;
  for (char c : digits) n = n * 10 + (c - '0');
  return n;
}

// Year as typed: two digits follow the century window, four are taken as they
// are; one or three digits are too ambiguous to call the date complete.
std::optional<int> year_of(std::string_view t) {
  if (t.size() == 2) {
    int y = number(t);
    return y < 30 ? 2000 + y : 1900 + y;
  }
  if (t.size() == 4) {
    int y = number(t);
    if (y >= 1) return y;
  }
  return std::nullopt;
}
bool short_number(std::string_view t) { return t.size() == 1 || t.size() == 2; }

std::optional<Ymd> checked(int y, int m, int d) {
  if (m < 1 || m > 12 || d < 1 || d > DaysInMonth(y, m)) return std::nullopt;
  return Ymd{y, m, d};
}

}  // namespace

int MonthFromName(std::string_view word) {
  if (word.size() < 3 || word.size() > 9) return 0;
  for (int m = 1; m <= 12; ++m) {
    std::string_view name = FullMonthName(m);
    if (word.size() > name.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < word.size() && same; ++i) same = lower_ascii(word[i]) == lower_ascii(name[i]);
    if (same) return m;
  }
  return 0;
}

std::int32_t DateSortKey(std::string_view text, bool month_first) {
  const std::string t = cp1252::trim(text);
  if (auto d = ParseCompleteDate(t, month_first)) return d->year * 10000 + d->month * 100 + d->day;
  const std::string_view year = std::string_view(t).substr(t.size() < 4 ? 0 : t.size() - 4);
  if (year.size() < 4 || !all_digits(year)) return 0;
  const std::string lower = cp1252::lower(t);
  int month = 1;  // January when no month name is found
  for (int m = 1; m <= 12; ++m)
    if (lower.find(cp1252::lower(MonthAbbrev(m))) != std::string::npos) {
      month = m;
      break;
    }
  return number(year) * 10000 + month * 100 + 1;
}

bool PatternPutsMonthFirst(std::string_view pattern) {
  bool quoted = false;
  for (char c : pattern) {
    if (c == '\'') quoted = !quoted;
    else if (!quoted && c == 'M') return true;
    else if (!quoted && c == 'd') return false;
  }
  return false;
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (m < 1 || m > 12) return 0;
  return (m == 2 && IsLeapYear(y)) ? 29 : kDays[m - 1];
}

std::optional<Ymd> ParseCompleteDate(std::string_view text, bool month_first) {
  std::array<std::string_view, 3> tok;
  std::size_t n = 0, i = 0;
  while (i < text.size()) {
    if (is_separator(text[i])) {
      ++i;
      continue;
    }
    std::size_t start = i;
    while (i < text.size() && !is_separator(text[i])) ++i;
    if (n == tok.size()) return std::nullopt;  // a fourth part: not a date
    tok[n++] = text.substr(start, i - start);
  }
  if (n != 3) return std::nullopt;

  int names = 0;
  std::size_t name_at = 0;
  for (std::size_t k = 0; k < 3; ++k) {
    if (all_letters(tok[k])) {
      ++names;
      name_at = k;
    } else if (!all_digits(tok[k]) || tok[k].size() > 4) {
      return std::nullopt;
    }
  }

  if (names == 0) {
    if (tok[0].size() == 4) {  // 1901-01-05
      auto y = year_of(tok[0]);
      if (!y || !short_number(tok[1]) || !short_number(tok[2])) return std::nullopt;
      return checked(*y, number(tok[1]), number(tok[2]));
    }
    auto y = year_of(tok[2]);
    if (!y || !short_number(tok[0]) || !short_number(tok[1])) return std::nullopt;
    int a = number(tok[0]), b = number(tok[1]);
    return month_first ? checked(*y, a, b) : checked(*y, b, a);
  }
  if (names != 1) return std::nullopt;

  int month = MonthFromName(tok[name_at]);
  if (month == 0) return std::nullopt;
  std::string_view a = tok[name_at == 0 ? 1 : 0];
  std::string_view b = tok[name_at == 2 ? 1 : 2];
  // The four-digit number is the year wherever it stands; otherwise the year
  // comes last (5 Jan 01, Jan 5 01).
  if (a.size() == 4 && short_number(b)) {
    auto y = year_of(a);
    if (!y) return std::nullopt;
    return checked(*y, month, number(b));
  }
  auto y = year_of(b);
  if (!y || !short_number(a)) return std::nullopt;
  return checked(*y, month, number(a));
}

long DayNumber(const Ymd& d) {
  // Days since 1 Mar of year 0 on the proleptic Gregorian calendar, counting
  // from March so the leap day falls at the end of the counting year.
  long y = d.year - (d.month <= 2 ? 1 : 0);
  long era = (y >= 0 ? y : y - 399) / 400;
  long yoe = y - era * 400;
  long mp = (d.month + 9) % 12;
  long doy = (153 * mp + 2) / 5 + d.day - 1;
  long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe;
}

long WholeYears(const Ymd& earlier, const Ymd& later) {
  // days / 365.25 rounded down, kept in integers: 4 * days / 1461.
  long q = 4 * (DayNumber(later) - DayNumber(earlier));
  long r = q / 1461;
  if (q % 1461 != 0 && q < 0) --r;
  return r;
}

}  // namespace vft
