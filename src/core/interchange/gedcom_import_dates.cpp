// Date values as other programs write them, turned into our stored date form
// where that loses nothing:
//   "5 JAN 1901" -> "5 Jan 1901"   "05 jan 1901" -> "5 Jan 1901"
//   "JAN 1994"   -> "? Jan 1994"   "1831"        -> "? ??? 1831"
// Everything else ("ABT 1900", "BET 2 SEP 1715 AND 16 FEB 1723", "1721/22",
// our own "? ??? ????", a date phrase without its parentheses) is kept as
// written; a text longer than the 12-character field is cut, and the caller
// adds the whole text to the notes. A calendar
// escape other than "@#DGREGORIAN@" is taken off the stored text and sends the
// original to the notes as well, since the stored form cannot say "Julian".
#include <array>
#include <string>

#include "interchange/gedcom_import_internal.h"
#include "interchange/gedcom_tables.h"

namespace vft::gedcom {
namespace {

constexpr std::size_t kDateWidth = width::Date;

constexpr std::array<std::string_view, 12> kFullMonths = {
    "JANUARY", "FEBRUARY", "MARCH", "APRIL", "MAY", "JUNE",
    "JULY", "AUGUST", "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};
constexpr std::array<int, 12> kMonthDays = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool all_digits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

int month_of(std::string_view word) {
  if (int m = MonthNumber(word)) return m;
  for (std::size_t m = 0; m < kFullMonths.size(); ++m)
    if (TagIs(word, kFullMonths[m])) return static_cast<int>(m) + 1;
  return 0;
}

bool is_year(std::string_view w) { return (w.size() == 3 || w.size() == 4) && all_digits(w); }

// Day 1..31 (within the month), or 0.
int day_of(std::string_view w, int month) {
  if (w.empty() || w.size() > 2 || !all_digits(w)) return 0;
  int d = w.size() == 1 ? w[0] - '0' : (w[0] - '0') * 10 + (w[1] - '0');
  return (d >= 1 && d <= kMonthDays[static_cast<std::size_t>(month - 1)]) ? d : 0;
}

// The simple forms, or "" when the text is not one of them.
std::string simple_date(std::string_view t) {
  std::array<std::string_view, 3> w;
  std::size_t n = 0, i = 0;
  while (i < t.size()) {
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
    if (i == t.size()) break;
    std::size_t b = i;
    while (i < t.size() && t[i] != ' ' && t[i] != '\t') ++i;
    if (n == w.size()) return {};
    w[n++] = t.substr(b, i - b);
  }
  std::string out;
  if (n == 1 && is_year(w[0])) {
    out = "? ??? ";
    out += w[0];
  } else if (n == 2 && is_year(w[1])) {
    int m = month_of(w[0]);
    if (m == 0) return {};
    out = "? ";
    out += kMonthNames[static_cast<std::size_t>(m - 1)];
    out += ' ';
    out += w[1];
  } else if (n == 3 && is_year(w[2])) {
    int m = month_of(w[1]);
    int d = m ? day_of(w[0], m) : 0;
    if (d == 0) return {};
    out = std::to_string(d);
    out += ' ';
    out += kMonthNames[static_cast<std::size_t>(m - 1)];
    out += ' ';
    out += w[2];
  }
  return out;
}

}  // namespace

ConvertedDate ConvertDate(std::string_view value) {
  ConvertedDate d;
  std::string_view t = TrimView(value);
  if (t.empty()) return d;
  std::string_view rest = t;
  bool other_calendar = false;
  if (rest.size() > 3 && rest.substr(0, 3) == "@#D") {
    std::size_t close = rest.find('@', 1);
    if (close != std::string_view::npos) {
      other_calendar = !TagIs(rest.substr(0, close + 1), "@#DGREGORIAN@");
      rest = TrimView(rest.substr(close + 1));
    }
  }
  // A date phrase "(...)" is free text; its parentheses are only syntax.
  if (rest.size() >= 2 && rest.front() == '(' && rest.back() == ')') rest = TrimView(rest.substr(1, rest.size() - 2));
  std::string simple = simple_date(rest);
  if (!simple.empty()) {
    d.stored = simple;
    d.to_notes = other_calendar;
    return d;
  }
  d.stored = std::string(rest.substr(0, kDateWidth));
  d.to_notes = other_calendar || rest.size() > kDateWidth;
  return d;
}

int YearOf(std::string_view date) {
  std::size_t i = 0;
  while (i < date.size()) {
    if (date[i] < '0' || date[i] > '9') {
      ++i;
      continue;
    }
    std::size_t b = i;
    while (i < date.size() && date[i] >= '0' && date[i] <= '9') ++i;
    if (i - b == 3 || i - b == 4) return std::stoi(std::string(date.substr(b, i - b)));
  }
  return 0;
}

}  // namespace vft::gedcom
