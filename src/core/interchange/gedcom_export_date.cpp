#include "interchange/gedcom_export_date.h"

#include "common/cp1252.h"
#include "interchange/gedcom_tables.h"
#include "store/date_forms.h"
#include "store/date_parse.h"
#include "store/date_words.h"

namespace vft {
namespace {

// [[day] MON] year [B.C.]; false when the part cannot be written so (a day
// without its month, no year).
bool part(const DatePart& p, bool v7, std::string& out) {
  if (p.year == 0 || (p.day > 0 && p.month == 0)) return false;
  if (p.day > 0) out += std::to_string(p.day) + " ";
  if (p.month > 0) out += cp1252::upper(MonthAbbrev(p.month)) + " ";
  std::string year = std::to_string(p.year);
  if (static_cast<int>(year.size()) < p.year_digits)
    year.insert(0, static_cast<std::size_t>(p.year_digits) - year.size(), '0');
  out += year;
  if (p.bc) out += v7 ? " BCE" : " B.C.";
  return true;
}

const char* keyword(DateQualifier q) {
  switch (q) {
    case DateQualifier::About: return "ABT ";
    case DateQualifier::Calculated: return "CAL ";
    case DateQualifier::Estimated: return "EST ";
    case DateQualifier::Before: return "BEF ";
    case DateQualifier::After: return "AFT ";
    case DateQualifier::From: return "FROM ";
    case DateQualifier::To: return "TO ";
    case DateQualifier::None: break;
  }
  return "";
}

// The stored forms almost every date has, "5 Jan 1901", "? Mar 1903" and
// "? ??? 1950", written without the full date reader: a large export has tens
// of thousands of them. False for anything else (the full reader decides).
bool plain_form(std::string_view text, std::string& out) {
  const std::size_t a = text.find(' '), b = a == std::string_view::npos ? a : text.find(' ', a + 1);
  if (b == std::string_view::npos || text.find(' ', b + 1) != std::string_view::npos) return false;
  const std::string_view day = text.substr(0, a), mon = text.substr(a + 1, b - a - 1), year = text.substr(b + 1);
  if (year.size() != 4 || !cp1252::all_digits(year) || year == "0000") return false;
  if (day == "?" && mon == "???") {
    out = std::string(year);
    return true;
  }
  const int m = gedcom::MonthNumber(mon);
  if (m == 0) return false;
  out = cp1252::upper(MonthAbbrev(m)) + " " + std::string(year);
  if (day == "?") return true;
  if (day.size() > 2 || !cp1252::all_digits(day) || day[0] == '0') return false;
  if (std::stoi(std::string(day)) > DaysInMonth(std::stoi(std::string(year)), m)) return false;
  out.insert(0, std::string(day) + " ");
  return true;
}

// The date in GEDCOM keywords; false when it cannot be written so.
bool gedcom_form(const std::string& text, bool v7, std::string& out) {
  if (plain_form(text, out)) return true;
  const DateForm f = NormaliseDate(text);
  if (!f.whole || f.impossible_day) return false;
  if (f.kind == DateKind::Date) {
    out = keyword(f.qualifier);
    return part(f.first, v7, out);
  }
  if (f.kind != DateKind::Range) return false;
  out = "BET ";
  if (!part(f.first, v7, out)) return false;
  out += " AND ";
  return part(f.last, v7, out);
}

}  // namespace

std::string GedcomDate551(std::string_view stored) {
  const std::string text = cp1252::trim(stored);
  if (text.empty() || text == gedcom::kUnknownDate) return {};
  std::string out;
  return gedcom_form(text, false, out) ? out : "(" + text + ")";
}

GedcomDate GedcomDate70(std::string_view stored) {
  const std::string text = cp1252::trim(stored);
  GedcomDate d;
  if (text.empty() || text == gedcom::kUnknownDate) return d;
  if (!gedcom_form(text, true, d.value)) {
    d.value.clear();
    d.phrase = text;
  }
  return d;
}

}  // namespace vft
