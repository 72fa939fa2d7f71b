#include "store/date_forms.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/cp1252.h"
#include "store/date_reading.h"
#include "store/date_words.h"

namespace vft {
namespace {

using datereading::Tok;
using datereading::Token;

using cp1252::is_digit;
int number(std::string_view digits) {  // callers pass at most four digits
  int n = 0;
  for (char c : digits) n = n * 10 + (c - '0');
  return n;
}

std::string year_text(const DatePart& p) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", std::clamp(p.year_digits, 1, 4), p.year);
  return buf;
}
std::string with_era(const DatePart& p, std::string s) { return p.bc ? s + " BC" : s; }

// "5 Jan 1901" with "?", "???" and "????" for what is not known.
std::string placeholders(const DatePart& p, bool keep_day) {
  std::string s = keep_day && p.day > 0 ? std::to_string(p.day) : "?";
  s += ' ';
  s += MonthAbbrev(p.month);
  s += ' ';
  s += p.year > 0 ? year_text(p) : "????";
  return with_era(p, s);
}
// Unknown parts left out, as after a qualifier: "Jan 1901", "1901".
std::string known_parts(const DatePart& p, bool keep_day, bool keep_month) {
  std::string s;
  if (keep_month && p.month > 0) {
    if (keep_day && p.day > 0) s = std::to_string(p.day) + " ";
    s += std::string(MonthAbbrev(p.month)) + " ";
  }
  return with_era(p, s + year_text(p));
}

const char* keyword(DateQualifier q) {
  switch (q) {
    case DateQualifier::About: return "ABT";
    case DateQualifier::Calculated: return "CAL";
    case DateQualifier::Estimated: return "EST";
    case DateQualifier::Before: return "BEF";
    case DateQualifier::After: return "AFT";
    case DateQualifier::From: return "FROM";
    case DateQualifier::To: return "TO";
    case DateQualifier::None: break;
  }
  return "";
}
// The stored text: the first of the candidates that fits the field.
void choose(DateForm& f, bool dropped) {
  std::vector<std::string> c;
  DatePart& p = f.first;
  if (f.kind == DateKind::Range) {
    if (p.year == 0 || f.last.year == 0) return;
    if (p.signed_year() > f.last.signed_year()) std::swap(p, f.last);
    const DatePart& q = f.last;
    const bool years_only = p.day == 0 && p.month == 0 && q.day == 0 && q.month == 0;
    if (p.signed_year() == q.signed_year()) {
      if (p.month > 0 && p.month == q.month)
        c.push_back(with_era(q, "? " + std::string(MonthAbbrev(q.month)) + " " + year_text(q)));
      c.push_back(with_era(q, year_text(q)));
    } else {
      const std::string high = with_era(q, year_text(q));
      c.push_back(with_era(p, year_text(p)) + "-" + high);
      c.push_back(high);
    }
    f.stored = c.front();
    for (const std::string& s : c)
      if (s.size() <= kStoredDateMax) {
        f.stored = s;
        break;
      }
    f.whole = !dropped && !f.period && years_only && f.stored == c.front() && f.stored.size() <= kStoredDateMax;
    f.year = q.signed_year();
    f.month = q.month;
    return;
  }
  if (f.qualifier != DateQualifier::None) {
    if (p.year == 0) return;
    const std::string k = std::string(keyword(f.qualifier)) + " ";
    if (p.day > 0 && p.month > 0) c.push_back(k + known_parts(p, true, true));
    if (p.month > 0) c.push_back(k + known_parts(p, false, true));
    c.push_back(k + known_parts(p, false, false));
  } else if (f.bare_year) {
    c.push_back(with_era(p, year_text(p)));
  } else {
    c.push_back(placeholders(p, true));
    if (p.day > 0) c.push_back(placeholders(p, false));
    if (p.year > 0) c.push_back(with_era(p, year_text(p)));
  }
  std::size_t pick = 0;
  while (pick + 1 < c.size() && c[pick].size() > kStoredDateMax) ++pick;
  f.stored = c[pick];
  const bool keeps_day = pick == 0 && p.day > 0;
  f.whole = !dropped && pick == 0 && f.stored.size() <= kStoredDateMax;
  f.impossible_day = keeps_day && p.impossible_day;
  f.year = p.signed_year();
  f.month = p.month;
  if (f.qualifier == DateQualifier::None && p.day > 0 && p.month > 0 && p.year > 0 && !p.bc && !p.impossible_day)
    f.complete = Ymd{p.year, p.month, p.day};
}

// Separators become blanks and runs of blanks one blank, as a typed text
// that is no date is kept.
std::string with_single_blanks(std::string_view t) {
  std::string out;
  for (char c : t) {
    if (c == '.' || c == '-' || c == '/' || c == '\t') c = ' ';
    if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
    out += c;
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// The words of a text that is no date, lower-cased without dots; numbers
// stand alone, anything else separates.
std::vector<std::string> loose_words(std::string_view t) {
  std::vector<std::string> out;
  std::string w;
  auto flush = [&] {
    if (!w.empty()) out.push_back(w);
    w.clear();
  };
  for (char c : t) {
    const bool digit = is_digit(c);
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || static_cast<unsigned char>(c) >= 0xC0;
    if (c == '.') continue;
    if (!digit && !letter) flush();
    else if (!w.empty() && is_digit(w.back()) != digit) flush();
    if (digit || letter) w += cp1252::lower(c);
  }
  flush();
  return out;
}

// A text that is no date: kept as written when it fits, else the first year
// it names, with a qualifier word just before it and its era just after it
// ("POSS ABT 1500 BC" -> "ABT 1500 BC", "609 BC Megiddo" -> "609 BC"); else
// nothing. A year is three or four digits, or fewer right after a qualifier;
// later years are alternatives or remarks ("1089 (or 1112?)").
void keep_text(DateForm& f, std::string_view t, const DateReadRules& rules) {
  f = DateForm{};
  f.kind = DateKind::Text;
  std::string s = rules.typed ? with_single_blanks(t) : std::string(t);
  if (s.size() <= kStoredDateMax) {
    f.stored = s;
    return;
  }
  f.whole = false;
  const std::vector<std::string> w = loose_words(t);
  for (std::size_t i = 0; i < w.size(); ++i) {
    if (!is_digit(w[i][0]) || w[i].size() > 4) continue;
    const DateWord before = i > 0 ? DateWordOf(w[i - 1]) : DateWord::None;
    DateQualifier q = DateQualifier::None;
    switch (before) {
      case DateWord::About: q = DateQualifier::About; break;
      case DateWord::Before: q = DateQualifier::Before; break;
      case DateWord::After: q = DateQualifier::After; break;
      case DateWord::Estimated: q = DateQualifier::Estimated; break;
      case DateWord::Calculated: q = DateQualifier::Calculated; break;
      default: break;
    }
    const int year = number(w[i]);
    if (year == 0 || (w[i].size() < 3 && q == DateQualifier::None)) continue;
    // "BC", "BCE", or "B.C." whose letters come apart.
    const bool bc = i + 1 < w.size() && (DateWordOf(w[i + 1]) == DateWord::BeforeChrist ||
                                         (w[i + 1] == "b" && i + 2 < w.size() && w[i + 2] == "c"));
    const std::string plain = std::to_string(year) + (bc ? " BC" : "");
    const std::string with_q = std::string(keyword(q)) + " " + plain;
    f.stored = q != DateQualifier::None && with_q.size() <= kStoredDateMax ? with_q : plain;
    f.year = bc ? -year : year;
    return;
  }
}

std::string_view trim_view(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

DateForm NormaliseDate(std::string_view text, const DateReadRules& rules) {
  DateForm f;
  const std::string_view t = trim_view(text);
  std::string_view body = t;
  bool dropped = false;
  // A calendar escape: Julian dates are read as they are (and reported),
  // other calendars' months and years cannot be kept at all.
  if (body.size() > 3 && body.substr(0, 3) == "@#D") {
    const std::size_t close = body.find('@', 3);
    if (close == std::string_view::npos) {
      keep_text(f, t, rules);
      return f;
    }
    const std::string cal = cp1252::upper(body.substr(0, close + 1));
    if (cal == "@#DJULIAN@") {
      dropped = true;
    } else if (cal != "@#DGREGORIAN@") {
      keep_text(f, "", rules);
      f.whole = false;
      return f;
    }
    body = trim_view(body.substr(close + 1));
  }
  // A phrase in parentheses is only syntax around a whole text; after a date
  // it is a remark the field has no room for.
  bool phrase_only = false;
  if (body.size() >= 2 && body.front() == '(' && body.back() == ')') {
    body = trim_view(body.substr(1, body.size() - 2));
    phrase_only = true;
  } else if (std::size_t open = body.find('('); open != std::string_view::npos) {
    body = trim_view(body.substr(0, open));
    dropped = true;
  }
  if (body.empty() && !dropped) return f;

  if (rules.typed) {
    if (auto d = ParseCompleteDate(body, rules.month_first)) {
      f.kind = DateKind::Date;
      f.first = DatePart{d->day, d->month, d->year, 4, false, false};
      choose(f, dropped);
      return f;
    }
  }
  std::vector<Token> tokens;
  if (datereading::Tokenise(body, tokens)) {
    if (tokens.empty()) return f;  // nothing but separators
    // GEDCOM 7 names the calendar with a word.
    const DateWord cal = tokens.front().kind == Tok::Word ? DateWordOf(tokens.front().text) : DateWord::None;
    if (cal == DateWord::OtherCalendar) {
      keep_text(f, "", rules);
      f.whole = false;
      return f;
    }
    if (cal == DateWord::Julian || cal == DateWord::Gregorian) {
      dropped = dropped || cal == DateWord::Julian;
      tokens.erase(tokens.begin());
    }
    bool lost = false;
    if (!tokens.empty() && datereading::ReadValue(tokens, rules, f, lost)) {
      choose(f, dropped || lost);
      if (!f.stored.empty()) return f;
    }
  }
  keep_text(f, phrase_only ? body : t, rules);
  if (dropped) f.whole = false;
  return f;
}

}  // namespace vft
