#include "store/dates.h"

#include <string_view>

#include "common/cp1252.h"
#include "store/date_forms.h"
#include "store/date_words.h"

namespace vft {

namespace {

Ymd today(const Session& s) {
  LocalTime t = s.now();
  return {t.year, t.month, t.day};
}

// The last four characters read as a number: leading blanks skipped, digits
// up to the first non-digit, 0 when there are none ("????", ""). A year
// before Christ ("44 BC") is not one an age can be counted from: 0 too.
long year_value(std::string_view trimmed) {
  if (trimmed.size() >= 3 && trimmed.substr(trimmed.size() - 3) == " BC") return 0;
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

bool has_box(int code) {
  return code == datefield::Birth || code == datefield::Death || code == datefield::Baptism ||
         code == datefield::Burial || code == datefield::Marriage;
}

// A typed text the field cannot hold as it is: refused, with the form that
// would fit when there is one.
void NotKeptWhole(Session& s, int code, const std::string& typed, const std::string& fits,
                  const std::function<void(int)>& focus) {
  // A whole page pasted into a box is refused all the same, but quoted only
  // as far as a message can show it.
  constexpr std::size_t kQuoted = 64;
  const std::string quoted = typed.size() > kQuoted ? typed.substr(0, kQuoted - 3) + "..." : typed;
  std::string text = "'" + quoted + "' cannot be kept whole in a date field";
  text += typed.size() > kStoredDateMax ? ", which holds at most 12 characters." : ".";
  text += CrLf;
  text += fits.empty() ? std::string("Please shorten it; the full text can go in the notes.")
                       : "It could be entered as '" + fits + "'; the full text can go in the notes.";
  s.ask("Date Error", text, Buttons::OK, Icon::Exclamation);
  if (has_box(code) && focus) focus(code);
}

// A day its month does not have: the user keeps it (Yes) or corrects it.
bool KeepImpossibleDay(Session& s, const DateForm& f) {
  const DatePart& p = f.first;
  std::string why;
  if (p.month == 0) {
    why = "no month has more than 31 days.";
  } else if (p.year > 0 && !p.bc) {
    why = std::string(FullMonthName(p.month)) + " " + std::to_string(p.year) + " has " +
          std::to_string(DaysInMonth(p.year, p.month)) + " days.";
  } else {
    why = std::string(FullMonthName(p.month)) + " has " +
          (p.month == 2 ? "at most 29" : std::to_string(DaysInMonth(2000, p.month))) + " days.";
  }
  const std::string text = f.stored + " is not a day of the calendar: " + why + CrLf +
                           "Click 'Yes' to keep it as it is, or 'No' to correct it.";
  return s.ask("Date Error", text, Buttons::YesNo, Icon::Exclamation) == kAnswerYes;
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
      s.Editing.CerBuf.MarriedDate = text;
      if (sink) sink(code, cp1252::trim(text));
      break;
    case datefield::BirthRecord: s.Person.BirthDate = text; break;
    case datefield::DeathRecord: s.Person.DeathDate = text; break;
    case datefield::MarriageRecord: s.Editing.CerBuf.MarriedDate = text; break;
    default: break;
  }
}

bool CheckDate(Session& s, std::string& text, int code, const DateSink& sink, const std::function<void(int)>& focus) {
  const Ymd now = today(s);
  const DateForm f = NormaliseDate(text, {true, s.MonthFirst, now.year});
  if (f.kind == DateKind::Empty) {
    if (code != datefield::Birth) return false;
    text = UnknownDate;
    StoreDate(s, text, code, sink);
    return true;
  }
  if (!f.whole) {
    NotKeptWhole(s, code, cp1252::trim(text), f.stored, focus);
    return false;
  }
  if (f.complete) {
    // A complete date is stored even when it is refused: the message then
    // sends the user back to a box that shows what was read.
    text = f.stored;
    StoreDate(s, text, code, sink);
    if (f.complete->year > now.year || *f.complete > now) {
      DateError(s, code, focus);
      return false;
    }
    return true;
  }
  // A known month later this year is as much in the future as a later year:
  // both are refused, and nothing is stored.
  if (f.kind != DateKind::Text && (f.year > now.year || (f.year == now.year && f.month > now.month))) {
    DateError(s, code, focus);
    return false;
  }
  if (f.impossible_day && !KeepImpossibleDay(s, f)) {
    if (has_box(code) && focus) focus(code);
    return false;
  }
  text = f.stored;
  StoreDate(s, text, code, sink);
  return true;
}

void DateError(Session& s, int code, const std::function<void(int)>& focus) {
  std::string kind;
  switch (code) {
    case datefield::Birth: kind = "a birth date"; break;
    case datefield::Death: kind = "a date of death"; break;
    case datefield::Baptism: kind = "a " + s.Messages[msg::BaptisedLabel] + " date"; break;
    case datefield::Burial: kind = "a burial or cremation date"; break;
    case datefield::Marriage: kind = "a marriage date"; break;
    default: break;
  }
  s.ask("Date Error",
        std::string("You have entered ") + kind + " for " + CrLf + " this person that is later than today.  " + CrLf +
            " ",
        Buttons::OK, Icon::Exclamation);
  if (has_box(code) && focus) focus(code);
}

bool DatesInOrder(const std::string& a, const std::string& b) {
  std::string ta = cp1252::trim(a), tb = cp1252::trim(b);
  if (ta.empty() || tb.empty() || ta == UnknownDate || tb == UnknownDate) return true;
  auto da = ParseCompleteDate(ta, false);
  auto db = ParseCompleteDate(tb, false);
  if (da && db && WholeYears(*da, *db) < 0) return false;
  if (year_unknown(ta) || year_unknown(tb)) return true;
  // A range ends with its later year; the earlier one is what `a` can be.
  const DateForm fa = NormaliseDate(ta);
  const long ya = fa.kind == DateKind::Range && !fa.first.bc ? fa.first.year : year_value(ta);
  return year_value(tb) - ya >= 0;
}

namespace {

// One rule set for both ages. The chart form drops the leading blank of an
// exact age (" 57" becomes "57") and gives a padded unknown date "?" rather
// than " ?", because charts print the age straight after their own label and
// keep their columns aligned by measuring the text; every placeholder and the
// " (approx.)" suffix are the same as on screen.
std::string age_text(const Session& s, const std::string& birth, const std::string& death, bool chart) {
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
  if (last4(tb).find('?') != std::string::npos || last4(td).find('?') != std::string::npos) return "?";

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
