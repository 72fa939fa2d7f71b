#include "interchange/gedcom_export_date.h"

#include <vector>

#include "common/cp1252.h"
#include "interchange/gedcom_tables.h"

namespace vft {
namespace {

std::vector<std::string> words(std::string_view s) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && s[i] == ' ') ++i;
    std::size_t start = i;
    while (i < s.size() && s[i] != ' ') ++i;
    if (i > start) out.emplace_back(s.substr(start, i - start));
  }
  return out;
}

bool digits(std::string_view s, std::size_t min, std::size_t max) {
  if (s.size() < min || s.size() > max) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

int number(std::string_view s) {
  int v = 0;
  for (char c : s) v = v * 10 + (c - '0');
  return v;
}

// A year as GEDCOM writes it: 1 to 4 digits, not zero, optionally a dual year
// "1721/22" (the last two digits of the following year).
bool year(std::string_view s, int& value) {
  std::size_t slash = s.find('/');
  std::string_view main = s.substr(0, slash);
  if (!digits(main, 1, 4) || number(main) == 0) return false;
  if (slash != std::string_view::npos && !digits(s.substr(slash + 1), 2, 2)) return false;
  value = number(main);
  return true;
}

int days_in_month(int month, int y) {
  static constexpr int kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2) return (y % 4 == 0 && (y % 100 != 0 || y % 400 == 0)) ? 29 : 28;
  return kDays[month - 1];
}

// One calendar date starting at w[i]: [[day] month] year. Advances i past it.
bool simple_date(const std::vector<std::string>& w, std::size_t& i) {
  std::size_t n = w.size() - i;
  int y = 0;
  if (n >= 3 && digits(w[i], 1, 2) && gedcom::MonthNumber(w[i + 1]) && year(w[i + 2], y)) {
    int day = number(w[i]), month = gedcom::MonthNumber(w[i + 1]);
    if (day < 1 || day > days_in_month(month, y)) return false;
    i += 3;
    return true;
  }
  if (n >= 2 && gedcom::MonthNumber(w[i]) && year(w[i + 1], y)) {
    i += 2;
    return true;
  }
  if (n >= 1 && year(w[i], y)) {
    i += 1;
    return true;
  }
  return false;
}

// The date value grammar we accept as it stands: a date, ABT/CAL/EST/BEF/AFT
// date, BET date AND date, FROM date [TO date], TO date.
bool gedcom_date(const std::vector<std::string>& w) {
  if (w.empty()) return false;
  std::size_t i = 0;
  const std::string& q = w[0];
  if (q == "ABT" || q == "CAL" || q == "EST" || q == "BEF" || q == "AFT" || q == "TO") {
    i = 1;
    return simple_date(w, i) && i == w.size();
  }
  if (q == "BET") {
    i = 1;
    if (!simple_date(w, i) || i >= w.size() || w[i] != "AND") return false;
    ++i;
    return simple_date(w, i) && i == w.size();
  }
  if (q == "FROM") {
    i = 1;
    if (!simple_date(w, i)) return false;
    if (i == w.size()) return true;
    if (w[i] != "TO") return false;
    ++i;
    return simple_date(w, i) && i == w.size();
  }
  return simple_date(w, i) && i == w.size();
}

}  // namespace

std::string GedcomDate551(std::string_view stored) {
  std::string text = cp1252::trim(stored);
  if (text.empty() || text == gedcom::kUnknownDate) return {};
  std::vector<std::string> w = words(cp1252::upper(text));
  // Our placeholders for an unknown day or month: leave the part out.
  if (w.size() == 3 && w[0] == gedcom::kUnknownDay) {
    if (w[1] == gedcom::kUnknownMonth) w.erase(w.begin(), w.begin() + 2);
    else if (gedcom::MonthNumber(w[1])) w.erase(w.begin());
  }
  if (gedcom_date(w)) {
    std::string out;
    for (const std::string& part : w) {
      if (!out.empty()) out += ' ';
      out += part;
    }
    return out;
  }
  return "(" + text + ")";
}

}  // namespace vft
