#include "interchange/gedcom_export_date.h"

#include "common/cp1252.h"
#include "interchange/gedcom_tables.h"
#include "store/date_forms.h"

namespace vft {
namespace {

// [[day] MON] year [B.C.]; false when the part cannot be written so (a day
// without its month, no year).
bool part(const DatePart& p, std::string& out) {
  if (p.year == 0 || (p.day > 0 && p.month == 0)) return false;
  if (p.day > 0) out += std::to_string(p.day) + " ";
  if (p.month > 0) out += std::string(gedcom::kMonthTags[static_cast<std::size_t>(p.month - 1)]) + " ";
  std::string year = std::to_string(p.year);
  if (static_cast<int>(year.size()) < p.year_digits) year.insert(0, static_cast<std::size_t>(p.year_digits) - year.size(), '0');
  out += year;
  if (p.bc) out += " B.C.";
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

}  // namespace

std::string GedcomDate551(std::string_view stored) {
  const std::string text = cp1252::trim(stored);
  if (text.empty() || text == gedcom::kUnknownDate) return {};
  const DateForm f = NormaliseDate(text);
  std::string out;
  bool ok = f.whole && !f.impossible_day;
  if (ok && f.kind == DateKind::Date) {
    out = keyword(f.qualifier);
    ok = part(f.first, out);
  } else if (ok && f.kind == DateKind::Range) {
    out = "BET ";
    ok = part(f.first, out);
    out += " AND ";
    ok = ok && part(f.last, out);
  } else {
    ok = false;
  }
  return ok ? out : "(" + text + ")";
}

}  // namespace vft
