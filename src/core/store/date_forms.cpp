#include "store/date_forms.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/cp1252.h"
#include "store/date_words.h"

namespace vft {
namespace {

enum class Tok { Word, Num, Quest, Dash, Slash };
struct Token {
  Tok kind;
  std::string text;  // words lower-cased
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_letter(char ch) {
  const auto c = static_cast<unsigned char>(ch);
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
  if (c >= 0xC0) return c != 0xD7 && c != 0xF7;  // not the multiplication and division signs
  return c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9A || c == 0x9C || c == 0x9E || c == 0x9F;
}
bool is_separator(char c) { return c == ' ' || c == '\t' || c == '.' || c == ','; }

bool is_year_number(const Token& t) { return t.kind == Tok::Num && t.text.size() >= 3; }
bool is_era_word(const Token& t) {
  return t.kind == Tok::Word && (t.text == "bc" || t.text == "bce" || t.text == "c" || t.text == "e");
}

// Words, numbers and question-mark runs. A dash stays only between a year and
// what follows (a range: 1850-1855), a slash only between a year and a number
// (a dual year: 1637/38); anywhere else both separate, as in 5-JAN-1901 or
// ?/?/?. False for a character no date has.
bool tokenise(std::string_view t, std::vector<Token>& out) {
  std::size_t i = 0;
  while (i < t.size()) {
    const char c = t[i];
    if (is_separator(c)) {
      ++i;
      continue;
    }
    if (c == '-' || c == '/') {
      out.push_back({c == '-' ? Tok::Dash : Tok::Slash, std::string(1, c)});
      ++i;
      continue;
    }
    const std::size_t start = i;
    Tok kind;
    if (c == '?') {
      kind = Tok::Quest;
      while (i < t.size() && t[i] == '?') ++i;
    } else if (is_digit(c)) {
      kind = Tok::Num;
      while (i < t.size() && is_digit(t[i])) ++i;
    } else if (is_letter(c)) {
      kind = Tok::Word;
      while (i < t.size() && is_letter(t[i])) ++i;
    } else {
      return false;
    }
    std::string text(t.substr(start, i - start));
    out.push_back({kind, kind == Tok::Word ? cp1252::lower(text) : text});
  }
  std::vector<Token> kept;
  for (std::size_t k = 0; k < out.size(); ++k) {
    const Token& tok = out[k];
    if (tok.kind == Tok::Dash || tok.kind == Tok::Slash) {
      const bool after_year = !kept.empty() && (is_year_number(kept.back()) || is_era_word(kept.back()));
      const bool before = k + 1 < out.size() && out[k + 1].kind != Tok::Dash && out[k + 1].kind != Tok::Slash;
      const bool keep = tok.kind == Tok::Dash ? after_year && before
                                              : after_year && before && out[k + 1].kind == Tok::Num;
      if (!keep) continue;
    }
    kept.push_back(tok);
  }
  out = std::move(kept);
  return true;
}

int number(std::string_view digits) {  // callers pass at most four digits
  int n = 0;
  for (char c : digits) n = n * 10 + (c - '0');
  return n;
}

class Reader {
 public:
  Reader(const std::vector<Token>& t, const DateReadRules& r) : t_(t), r_(r) {}

  bool done() const { return i_ >= t_.size(); }
  const Token* peek(std::size_t ahead = 0) const {
    return i_ + ahead < t_.size() ? &t_[i_ + ahead] : nullptr;
  }
  DateWord word() const {
    const Token* t = peek();
    return t && t->kind == Tok::Word ? DateWordOf(t->text) : DateWord::None;
  }
  void skip(std::size_t n = 1) { i_ += n; }
  bool dual() const { return dual_; }
  bool bare() const { return bare_; }

  // [day] [month] year [BC] [/later year], or [month] day year.
  std::optional<DatePart> part() {
    const Token* f[3];
    int month_word[3] = {0, 0, 0};
    int n = 0;
    while (n < 3 && !done()) {
      const Token& t = *peek();
      if (t.kind == Tok::Num || t.kind == Tok::Quest) {
        f[n++] = &t;
        skip();
        if (t.kind == Tok::Num && t.text.size() <= 2 && word() == DateWord::Ordinal) skip();
      } else if (t.kind == Tok::Word && MonthOfWord(t.text) > 0) {
        month_word[n] = MonthOfWord(t.text);
        f[n++] = &t;
        skip();
      } else {
        break;
      }
    }
    if (n == 0) return std::nullopt;
    DatePart p;
    p.bc = era();
    const Token* later = nullptr;
    if (const Token* s = peek(); s && s->kind == Tok::Slash) {
      later = peek(1);
      skip(2);
    }
    bool ok = false;
    bare_ = n == 1 && f[0]->kind == Tok::Num;
    if (n == 1) {
      ok = year(*f[0], p);
    } else if (n == 2) {
      ok = month(*f[0], month_word[0], p) && year(*f[1], p);
    } else if (month_word[0] > 0) {  // Jan 5 1901
      ok = month(*f[0], month_word[0], p) && day(*f[1], p) && year(*f[2], p);
    } else {
      ok = day(*f[0], p) && month(*f[1], month_word[1], p) && year(*f[2], p);
    }
    if (!ok || (later && !later_year(*f[n - 1], *later, p))) return std::nullopt;
    check_day(p);
    return p;
  }

 private:
  const std::vector<Token>& t_;
  const DateReadRules& r_;
  std::size_t i_ = 0;
  bool dual_ = false;
  bool bare_ = false;  // the last part was a year written alone

  bool era() {
    const Token* t = peek();
    if (!t || t->kind != Tok::Word) return false;
    if (t->text == "bc" || t->text == "bce") {
      skip();
      return true;
    }
    const Token* c = peek(1);
    if (t->text == "b" && c && c->kind == Tok::Word && c->text == "c") {  // B.C. and B.C.E.
      skip(2);
      if (const Token* e = peek(); e && e->kind == Tok::Word && e->text == "e") skip();
      return true;
    }
    return false;
  }

  bool year(const Token& t, DatePart& p) const {
    if (t.kind == Tok::Quest) return t.text.size() <= 4;
    if (t.kind != Tok::Num || t.text.size() > 4) return false;
    int v = number(t.text);
    p.year_digits = static_cast<int>(t.text.size());
    if (t.text.size() <= 2 && !p.bc) {
      // Shorthand for this century when typed; in a file a year of one or
      // two digits is too unlikely to be meant.
      if (!r_.typed) return false;
      v += r_.this_year / 100 * 100;
      p.year_digits = 4;
    }
    p.year = v;
    return v > 0;
  }

  bool month(const Token& t, int by_name, DatePart& p) const {
    if (by_name > 0) p.month = by_name;
    else if (t.kind == Tok::Quest) return t.text.size() <= 3;
    else if (t.kind == Tok::Num && r_.typed && t.text.size() <= 2 && number(t.text) >= 1 && number(t.text) <= 12)
      p.month = number(t.text);
    else return false;
    return true;
  }

  static bool day(const Token& t, DatePart& p) {
    if (t.kind == Tok::Quest) return t.text.size() <= 2;
    if (t.kind != Tok::Num || t.text.size() > 2) return false;
    p.day = number(t.text);  // 0 is an unknown day
    return true;
  }

  // "1637/38", "1699/00", "1637/1638": the later year, at most ten on.
  bool later_year(const Token& year, const Token& t, DatePart& p) {
    if (year.kind != Tok::Num || t.kind != Tok::Num || t.text.size() > 4 || p.year == 0) return false;
    int later = number(t.text);
    if (t.text.size() < 4) {
      int m = 1;
      for (std::size_t k = 0; k < t.text.size(); ++k) m *= 10;
      later += p.year - p.year % m;
      if (later <= p.year) later += m;
    }
    if (later - p.year < 1 || later - p.year > 10) return false;
    p.year = later;
    dual_ = true;
    return true;
  }

  static void check_day(DatePart& p) {
    if (p.day == 0) return;
    int most = 31;
    if (p.month > 0) most = p.year > 0 && !p.bc ? DaysInMonth(p.year, p.month) : DaysInMonth(2000, p.month);
    p.impossible_day = p.day > most;
  }
};

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

DateQualifier qualifier_of(DateWord w) {
  switch (w) {
    case DateWord::About: return DateQualifier::About;
    case DateWord::Calculated: return DateQualifier::Calculated;
    case DateWord::Estimated: return DateQualifier::Estimated;
    case DateWord::Before: return DateQualifier::Before;
    case DateWord::After: return DateQualifier::After;
    case DateWord::To: return DateQualifier::To;
    default: return DateQualifier::None;
  }
}

// The parts of a date or range; false when the words make no date. `lost`
// is set when something read cannot be stored: a dual year, a qualifier on a
// range.
bool read_value(const std::vector<Token>& tokens, const DateReadRules& rules, DateForm& f, bool& lost) {
  Reader r(tokens, rules);
  bool between = false, from = false;
  const DateWord lead = r.word();
  if (lead == DateWord::Between) between = true;
  else if (lead == DateWord::From) from = true;
  else f.qualifier = qualifier_of(lead);
  if (between || from || f.qualifier != DateQualifier::None || lead == DateWord::Interpreted) r.skip();

  auto a = r.part();
  if (!a) return false;
  f.first = *a;
  f.kind = DateKind::Date;
  if (r.done()) {
    if (between) return false;
    if (from) f.qualifier = DateQualifier::From;
    f.bare_year = r.bare();
    lost = r.dual();
    return true;
  }
  const Token& joiner = *r.peek();
  const DateWord j = r.word();
  const bool joins = joiner.kind == Tok::Dash || (between ? j == DateWord::And : j == DateWord::To);
  if (!joins) return false;
  // "ABT 1850-1855": the range is kept, its qualifier is not.
  lost = f.qualifier != DateQualifier::None;
  f.qualifier = DateQualifier::None;
  r.skip();
  auto b = r.part();
  if (!b || !r.done()) return false;
  f.kind = DateKind::Range;
  f.period = from;
  f.last = *b;
  lost = lost || r.dual();
  return true;
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
      if (p.month > 0 && p.month == q.month) c.push_back(with_era(q, "? " + std::string(MonthAbbrev(q.month)) + " " + year_text(q)));
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

// A text that is no date: kept as written when it fits, else the one year it
// names (three or four digits standing alone), else nothing.
void keep_text(DateForm& f, std::string_view t, const DateReadRules& rules) {
  f = DateForm{};
  f.kind = DateKind::Text;
  std::string s = rules.typed ? with_single_blanks(t) : std::string(t);
  if (s.size() <= kStoredDateMax) {
    f.stored = s;
    return;
  }
  f.whole = false;
  int year = 0;
  for (std::size_t i = 0; i < t.size();) {
    if (!is_digit(t[i])) {
      ++i;
      continue;
    }
    const std::size_t b = i;
    while (i < t.size() && is_digit(t[i])) ++i;
    if (i - b < 3 || i - b > 4) continue;
    const int y = number(t.substr(b, i - b));
    if (year != 0 && y != year) return;  // two years: neither can stand for the date
    year = y;
  }
  if (year > 0) {
    f.stored = std::to_string(year);
    f.year = year;
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
  if (tokenise(body, tokens)) {
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
    if (!tokens.empty() && read_value(tokens, rules, f, lost)) {
      choose(f, dropped || lost);
      if (!f.stored.empty()) return f;
    }
  }
  keep_text(f, phrase_only ? body : t, rules);
  if (dropped) f.whole = false;
  return f;
}

}  // namespace vft
