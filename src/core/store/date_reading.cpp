#include "store/date_reading.h"

#include "common/cp1252.h"
#include "store/date_words.h"

namespace vft::datereading {
namespace {

using cp1252::is_digit;
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

int number(std::string_view digits) {  // callers pass at most four digits
  int n = 0;
  for (char c : digits) n = n * 10 + (c - '0');
  return n;
}

class Reader {
 public:
  Reader(const std::vector<Token>& t, const DateReadRules& r) : t_(t), r_(r) {}

  bool done() const { return i_ >= t_.size(); }
  const Token* peek(std::size_t ahead = 0) const { return i_ + ahead < t_.size() ? &t_[i_ + ahead] : nullptr; }
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

}  // namespace

// Words, numbers and question-mark runs. A dash stays only between a year and
// what follows (a range: 1850-1855), a slash only between a year and a number
// (a dual year: 1637/38); anywhere else both separate, as in 5-JAN-1901 or
// ?/?/?. False for a character no date has.
bool Tokenise(std::string_view t, std::vector<Token>& out) {
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
      const bool keep =
          tok.kind == Tok::Dash ? after_year && before : after_year && before && out[k + 1].kind == Tok::Num;
      if (!keep) continue;
    }
    kept.push_back(tok);
  }
  out = std::move(kept);
  return true;
}

// The parts of a date or range; false when the words make no date. `lost`
// is set when something read cannot be stored: a dual year, a qualifier on a
// range.
bool ReadValue(const std::vector<Token>& tokens, const DateReadRules& rules, DateForm& f, bool& lost) {
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

}  // namespace vft::datereading
