#include "store/dates.h"

#include <cstdio>
#include <string_view>

#include "common/cp1252.h"

namespace vft {

namespace {

bool all_digits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

Ymd today(const Session& s) {
  LocalTime t = s.now();
  return {t.year, t.month, t.day};
}

std::string stored_form(const Session& s, const Ymd& d) {
  char year[16];
  std::snprintf(year, sizeof year, "%04d", d.year);
  return std::to_string(d.day) + " " + s.Messages.month_abbrev(d.month) + " " + year;
}

// Separators become blanks and runs of blanks one blank, so "5 - 1901" and
// "?  Mar 1901" split into their parts like the single-blank forms.
std::string with_single_blanks(std::string_view t) {
  std::string out;
  out.reserve(t.size());
  for (char c : t) {
    if (c == '.' || c == '-' || c == '/') c = ' ';
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += c;
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// The year of a stored date is its last four characters, read as a number the
// way a user would: leading blanks skipped, digits up to the first non-digit,
// 0 when there are none ("????", "").
long year_value(std::string_view trimmed) {
  std::string_view last4 = trimmed.size() > 4 ? trimmed.substr(trimmed.size() - 4) : trimmed;
  std::size_t i = 0;
  while (i < last4.size() && last4[i] == ' ') ++i;
  long n = 0;
  for (; i < last4.size() && last4[i] >= '0' && last4[i] <= '9'; ++i) n = n * 10 + (last4[i] - '0');
  return n;
}
bool year_unknown(std::string_view trimmed) {
  std::string_view last4 = trimmed.size() > 4 ? trimmed.substr(trimmed.size() - 4) : trimmed;
  return last4 == UnknownYear;
}

// Day word of a partial date: "?" for an unknown or zero day, a number without
// its leading zeros, anything else as typed.
std::string day_part(const std::string& w) {
  if (w[0] == '?') return "?";
  if (!all_digits(w)) return w;
  std::size_t nz = w.find_first_not_of('0');
  return nz == std::string::npos ? "?" : w.substr(nz);
}

// Month of a partial date: 1..12, 13 for "???", 0 when the word is no month.
// Names are matched in any case, typed in full or cut, so "MAR" and "march"
// are read like "Mar" rather than left as typed.
int month_part(const std::string& w) {
  if (w == "?" || w == "??" || w == "???") return 13;
  if (all_digits(w)) {
    std::size_t nz = w.find_first_not_of('0');
    if (nz == std::string::npos || w.size() - nz > 2) return 0;
    int m = std::stoi(w.substr(nz));
    return m <= 12 ? m : 0;
  }
  return MonthFromName(w);
}

enum class Partial { Stored, Refused, Failed };

// A text the date parser does not take as a complete date: day, month and year
// words split at the first two blanks.
Partial store_partial(Session& s, std::string& t, int code, const DateSink& sink,
                      const std::function<void(int)>& focus) {
  if (t == "?") {
    t = UnknownDate;
    StoreDate(s, t, code, sink);
    return Partial::Stored;
  }
  std::size_t b1 = t.find(' ');
  std::size_t b2 = b1 == std::string::npos ? b1 : t.find(' ', b1 + 1);
  if (b2 == std::string::npos) return Partial::Failed;  // a bare year, a lone word
  std::string day = day_part(t.substr(0, b1));
  std::string month_word = t.substr(b1 + 1, b2 - b1 - 1);
  std::string year = t.substr(b2 + 1);

  int month = month_part(month_word);
  if (month == 0) {  // not a month we know: keep the user's words
    StoreDate(s, t, code, sink);
    return Partial::Stored;
  }
  std::string month_text = month == 13 ? "???" : s.Messages.month_abbrev(month);

  Ymd now = today(s);
  if (year == "?" || year == "??" || year == "???" || year == "????") {
    year = UnknownYear;
  } else {
    if (!all_digits(year) || year.size() > 4) return Partial::Failed;
    // One or two digits are shorthand in the current century; a typed "0" is
    // 2000 like "00", not "200".
    if (year.size() == 1) year = "0" + year;
    if (year.size() == 2) year = std::to_string(now.year / 100) + year;
    int y = std::stoi(year);
    // A known month later this year is as much in the future as a later year:
    // both are refused, and nothing is stored.
    if (y > now.year || (y == now.year && month != 13 && month > now.month)) {
      DateError(s, code, focus);
      return Partial::Refused;
    }
  }
  t = day + " " + month_text + " " + year;
  StoreDate(s, t, code, sink);
  return Partial::Stored;
}

}  // namespace

void StoreDate(Session& s, const std::string& text, int code, const DateSink& sink) {
  switch (code) {
    case datefield::Birth:
    case datefield::Death:
    case datefield::Baptism:
    case datefield::Burial:
      if (sink) sink(code, text);
      break;
    case datefield::Marriage:
      s.CerBuf.MarriedDate = text;
      if (sink) sink(code, cp1252::trim(text));
      break;
    case datefield::BirthRecord:
      s.Person.BirthDate = text;
      break;
    case datefield::DeathRecord:
      s.Person.DeathDate = text;
      break;
    case datefield::MarriageRecord:
      s.CerBuf.MarriedDate = text;
      break;
    default:
      break;
  }
}

bool CheckDate(Session& s, std::string& text, int code, const DateSink& sink,
               const std::function<void(int)>& focus) {
  std::string t = cp1252::trim(text);
  if (auto d = ParseCompleteDate(t, s.MonthFirst)) t = stored_form(s, *d);
  t = with_single_blanks(t);

  if (t.empty()) {
    if (code != datefield::Birth) return false;
    text = UnknownDate;
    StoreDate(s, text, code, sink);
    return true;
  }

  if (auto d = ParseCompleteDate(t, s.MonthFirst)) {
    // A complete date is stored even when it is refused: the message then
    // sends the user back to a box that shows what was read.
    text = stored_form(s, *d);
    StoreDate(s, text, code, sink);
    Ymd now = today(s);
    if (d->year > now.year || *d > now) {
      DateError(s, code, focus);
      return false;
    }
    return true;
  }

  switch (store_partial(s, t, code, sink, focus)) {
    case Partial::Stored:
      text = t;
      return true;
    case Partial::Refused:
    case Partial::Failed:
      break;  // the box keeps what the user typed
  }
  return false;
}

void DateError(Session& s, int code, const std::function<void(int)>& focus) {
  std::string kind;
  bool has_box = true;
  switch (code) {
    case datefield::Birth: kind = "a birth date"; break;
    case datefield::Death: kind = "a date of death"; break;
    case datefield::Baptism: kind = "a " + s.Messages[msg::BaptisedLabel] + " date"; break;
    case datefield::Burial: kind = "a burial or cremation date"; break;
    case datefield::Marriage: kind = "a marriage date"; break;
    default: has_box = false; break;
  }
  s.ask("Date Error",
        std::string("You have entered ") + kind + " for " + CrLf +
            " this person that is later than today.  " + CrLf + " ",
        Buttons::OK, Icon::Exclamation);
  if (has_box && focus) focus(code);
}

bool DatesInOrder(const std::string& a, const std::string& b) {
  std::string ta = cp1252::trim(a), tb = cp1252::trim(b);
  if (ta.empty() || tb.empty() || ta == UnknownDate || tb == UnknownDate) return true;
  auto da = ParseCompleteDate(ta, false);
  auto db = ParseCompleteDate(tb, false);
  if (da && db && WholeYears(*da, *db) < 0) return false;
  if (year_unknown(ta) || year_unknown(tb)) return true;
  return year_value(tb) - year_value(ta) >= 0;
}

namespace {

// One rule set for both ages. The chart form drops the leading blank of an
// exact age (" 57" becomes "57") and gives a padded unknown date "?" rather
// than " ?", because charts print the age straight after their own label and
// keep their columns aligned by measuring the text; every placeholder and the
// " (approx.)" suffix are the same as on screen.
std::string age_text(const Session& s, const std::string& birth, const std::string& death,
                     bool chart) {
  if (birth == UnknownDate || death == UnknownDate) return {};
  std::string tb = cp1252::trim(birth), td = cp1252::trim(death);
  const std::string lead = chart ? "" : " ";

  auto db = ParseCompleteDate(tb, s.MonthFirst);
  std::optional<Ymd> dd;
  if (td.empty() && db) dd = today(s);
  else dd = ParseCompleteDate(td, s.MonthFirst);
  if (db && dd) {
    long n = WholeYears(*db, *dd);
    if (n < 0 || n >= 121) return "?";
    return lead + std::to_string(n);
  }

  if (tb == UnknownDate || td == UnknownDate) return lead + "?";
  auto last4 = [](const std::string& t) { return t.size() > 4 ? t.substr(t.size() - 4) : t; };
  if (last4(tb).find('?') != std::string::npos || last4(td).find('?') != std::string::npos)
    return "?";

  // Only the years are known: the age can be a year off, and says so. The
  // number stands without the leading blank the exact age has.
  long by = year_value(tb), dy = year_value(td);
  if (td.empty() && by > 0) {
    long n = today(s).year - by;
    return n > 0 ? std::to_string(n) + " (approx.)" : std::string();
  }
  if (by > 0 && dy > 0) {
    long n = dy - by;
    return n < 0 ? "?" : std::to_string(n) + " (approx.)";
  }
  return "?";
}

}  // namespace

std::string AgeText(const Session& s, const std::string& birth, const std::string& death) {
  return age_text(s, birth, death, false);
}

std::string ChartAgeText(const Session& s, const std::string& birth, const std::string& death) {
  return age_text(s, birth, death, true);
}

}  // namespace vft
