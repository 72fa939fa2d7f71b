#include "relations/duplicate_match.h"

#include <algorithm>
#include <array>
#include <utility>

#include "store/date_forms.h"

namespace vft::dup {
namespace {

// CP1252 0xC0..0xFF without their accents; 0 for the signs that are no letter.
constexpr std::string_view kLatin1{"AAAAAAACEEEEIIIIDNOOOOO\0OUUUUYTSAAAAAAACEEEEIIIIDNOOOOO\0OUUUUYTY", 64};

char plain_letter(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c);
  if (c >= 0xC0) return kLatin1[c - 0xC0];
  switch (c) {
    case 0x8A:
    case 0x9A: return 'S';
    case 0x8E:
    case 0x9E: return 'Z';
    case 0x8C:
    case 0x9C: return 'O';
    case 0x9F: return 'Y';
    default: return 0;
  }
}

}  // namespace

char SoundClass(char c) {
  switch (c) {
    case 'B':
    case 'F':
    case 'P':
    case 'V': return '1';
    case 'C':
    case 'G':
    case 'J':
    case 'K':
    case 'Q':
    case 'S':
    case 'X':
    case 'Z': return '2';
    case 'D':
    case 'T': return '3';
    case 'L': return '4';
    case 'M':
    case 'N': return '5';
    case 'R': return '6';
    default: return 0;  // vowels, H, W, Y
  }
}

namespace {

// Short forms found in registers and family papers, each with its full form;
// sorted, for a binary search.
constexpr std::array<std::pair<std::string_view, std::string_view>, 72> kShortForms = {{
    {"ABBY", "ABIGAIL"},        {"AGGIE", "AGNES"},     {"ALEC", "ALEXANDER"},  {"ALEX", "ALEXANDER"},
    {"ALEXR", "ALEXANDER"},     {"ANNA", "ANN"},        {"ANNE", "ANN"},        {"ANNIE", "ANN"},
    {"BELLA", "ISABELLA"},      {"BEN", "BENJAMIN"},    {"BENJ", "BENJAMIN"},   {"BESS", "ELIZABETH"},
    {"BESSIE", "ELIZABETH"},    {"BETH", "ELIZABETH"},  {"BETSY", "ELIZABETH"}, {"BETTY", "ELIZABETH"},
    {"BILL", "WILLIAM"},        {"BILLY", "WILLIAM"},   {"BOB", "ROBERT"},      {"BOBBY", "ROBERT"},
    {"CHARLIE", "CHARLES"},     {"CHAS", "CHARLES"},    {"DAN", "DANIEL"},      {"DICK", "RICHARD"},
    {"DOLLY", "DOROTHY"},       {"ED", "EDWARD"},       {"EDW", "EDWARD"},      {"ELISABETH", "ELIZABETH"},
    {"ELIZA", "ELIZABETH"},     {"FANNY", "FRANCES"},   {"FRED", "FREDERICK"},  {"FREDK", "FREDERICK"},
    {"GEO", "GEORGE"},          {"HARRY", "HENRY"},     {"HY", "HENRY"},        {"ISABEL", "ISABELLA"},
    {"JACK", "JOHN"},           {"JAMIE", "JAMES"},     {"JAS", "JAMES"},       {"JEAN", "JANE"},
    {"JENNY", "JANE"},          {"JIM", "JAMES"},       {"JNO", "JOHN"},        {"JOE", "JOSEPH"},
    {"JOHNNY", "JOHN"},         {"JOS", "JOSEPH"},      {"KATE", "CATHERINE"},  {"KATHARINE", "CATHERINE"},
    {"KATHERINE", "CATHERINE"}, {"KITTY", "CATHERINE"}, {"LIZ", "ELIZABETH"},   {"LIZZIE", "ELIZABETH"},
    {"MAGGIE", "MARGARET"},     {"MEG", "MARGARET"},    {"MOLLY", "MARY"},      {"NANCY", "ANN"},
    {"NED", "EDWARD"},          {"NELL", "ELLEN"},      {"NELLIE", "ELLEN"},    {"PEGGY", "MARGARET"},
    {"POLLY", "MARY"},          {"RICHD", "RICHARD"},   {"ROB", "ROBERT"},      {"ROBT", "ROBERT"},
    {"SALLY", "SARAH"},         {"SAM", "SAMUEL"},      {"SARA", "SARAH"},      {"TED", "EDWARD"},
    {"THOS", "THOMAS"},         {"WILL", "WILLIAM"},    {"WILLIE", "WILLIAM"},  {"WM", "WILLIAM"},
}};

bool is_initial(std::string_view t) { return t.size() == 1; }

// How two single given names fit: 0 not, 1 by initial, 2 by nickname, 3 by
// spelling, 4 the same.
int token_fit(std::string_view a, std::string_view b) {
  if (a == b) return 4;
  if (is_initial(a) || is_initial(b)) return a.front() == b.front() ? 1 : 0;
  if (FullForm(a) == FullForm(b)) return 2;
  return Likeness(a, b) >= 0.88 ? 3 : 0;
}

std::string title_case(std::string_view folded) {
  std::string out(folded);
  for (std::size_t i = 1; i < out.size(); ++i)
    if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
  return out;
}

long day_number(int signed_year, int month, int day) {
  return (signed_year + 10000L) * kDaysPerYear + (month - 1) * 31L + (day - 1);
}

// The first and last day a date part may be.
std::pair<long, long> part_days(const DatePart& p) {
  const int y = p.signed_year();
  if (p.month == 0) return {day_number(y, 1, 1), day_number(y, 12, 31)};
  if (p.day == 0) return {day_number(y, p.month, 1), day_number(y, p.month, 31)};
  return {day_number(y, p.month, p.day), day_number(y, p.month, p.day)};
}

}  // namespace

std::string Fold(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    const char l = plain_letter(c);
    if (l) out.push_back(l);
    else if (c >= '0' && c <= '9') out.push_back(static_cast<char>(c));  // Son_2 is not Son
    else if (c == '\'' || c == 0x92) continue;                           // O'Brien is OBRIEN
    else if (!out.empty() && out.back() != ' ') out.push_back(' ');
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string SoundKey(std::string_view folded) {
  std::string key;
  char last = 0;
  for (char c : folded) {
    if (c == ' ') continue;
    const char cls = SoundClass(c);
    if (key.empty()) {
      key.push_back(cls ? cls : 'V');  // a leading vowel sound
      last = cls;
      continue;
    }
    if (cls && cls != last) key.push_back(cls);
    if (c != 'H' && c != 'W') last = cls;  // H and W do not part two like sounds
    if (key.size() == 6) break;
  }
  return key;
}

double Likeness(std::string_view a, std::string_view b) {
  if (a.empty() || b.empty()) return a == b ? 1.0 : 0.0;
  if (a.size() > 64 || b.size() > 64) return a == b ? 1.0 : 0.0;
  const int la = static_cast<int>(a.size()), lb = static_cast<int>(b.size());
  const int window = std::max(0, std::max(la, lb) / 2 - 1);
  std::array<bool, 64> used_a{}, used_b{};
  int matches = 0;
  for (int i = 0; i < la; ++i)
    for (int j = std::max(0, i - window); j < std::min(lb, i + window + 1); ++j)
      if (!used_b[j] && a[i] == b[j]) {
        used_a[i] = used_b[j] = true;
        ++matches;
        break;
      }
  if (matches == 0) return 0.0;
  int half_swaps = 0;
  for (int i = 0, j = 0; i < la; ++i) {
    if (!used_a[i]) continue;
    while (!used_b[j]) ++j;
    if (a[i] != b[j]) ++half_swaps;
    ++j;
  }
  const double m = matches;
  const double jaro = (m / la + m / lb + (m - half_swaps / 2.0) / m) / 3.0;
  int prefix = 0;
  while (prefix < 4 && prefix < la && prefix < lb && a[prefix] == b[prefix]) ++prefix;
  return jaro + prefix * 0.1 * (1.0 - jaro);
}

std::string_view FullForm(std::string_view t) {
  const auto it = std::lower_bound(kShortForms.begin(), kShortForms.end(), t,
                                   [](const auto& entry, std::string_view key) { return entry.first < key; });
  return it != kShortForms.end() && it->first == t ? it->second : t;
}

GivenComparison CompareGiven(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  if (a.empty() || b.empty()) return {GivenMatch::Missing, ""};
  if (a == b) return {GivenMatch::Same, "given names match"};
  // Numbers that tell children apart (Son_1, Son_2) part them for good.
  auto numbers = [](const std::vector<std::string>& v) {
    std::vector<std::string> out;
    for (const std::string& t : v)
      if (t.front() >= '0' && t.front() <= '9') out.push_back(t);
    return out;
  };
  const auto na = numbers(a), nb = numbers(b);
  if (!na.empty() && !nb.empty() && na != nb) return {GivenMatch::None, ""};
  if (a.size() == b.size() && std::is_permutation(a.begin(), a.end(), b.begin()))
    return {GivenMatch::Reordered, "given names in another order"};
  const int first = token_fit(a.front(), b.front());
  if (first > 0) {
    const std::string& sa = a.front();
    const std::string& sb = b.front();
    std::string why = "given names alike";
    if (first == 1) {
      const bool a_short = is_initial(sa) && !is_initial(sb);
      why = "initial " + (a_short ? sa : sb) + " for " + title_case(a_short ? sb : sa);
      if (is_initial(sa) && is_initial(sb)) why = "same initial " + sa;
    } else if (first == 2) {
      const bool a_full = FullForm(sa) == sa;
      why = "nickname " + title_case(a_full ? sb : sa) + " for " + title_case(FullForm(sa));
    }
    return {GivenMatch::FirstAlike, why};
  }
  for (const std::string& x : a)
    for (const std::string& y : b)
      if (!is_initial(x) && !is_initial(y) && token_fit(x, y) >= 2) return {GivenMatch::Some, "a given name in common"};
  return {GivenMatch::None, ""};
}

DaySpan SpanOf(std::string_view stored) {
  DaySpan out;
  const DateForm f = NormaliseDate(stored);
  if (f.year == 0 || (f.kind != DateKind::Date && f.kind != DateKind::Range)) return out;
  out.known = true;
  out.year = f.year;
  auto [lo, hi] = part_days(f.first);
  if (f.kind == DateKind::Range) hi = part_days(f.last).second;
  const long slack = 2 * kDaysPerYear;  // "abt 1850" meets 1851 and 1852
  switch (f.qualifier) {
    case DateQualifier::None: out.exact = f.kind == DateKind::Date && lo == hi; return out.lo = lo, out.hi = hi, out;
    case DateQualifier::About:
    case DateQualifier::Calculated:
    case DateQualifier::Estimated: lo -= slack, hi += slack; break;
    case DateQualifier::Before:
    case DateQualifier::To: lo -= 30 * kDaysPerYear; break;
    case DateQualifier::After:
    case DateQualifier::From: hi += 30 * kDaysPerYear; break;
  }
  out.loose = true;
  out.lo = lo, out.hi = hi;
  return out;
}

long Gap(const DaySpan& a, const DaySpan& b) {
  if (a.hi < b.lo) return b.lo - a.hi;
  if (b.hi < a.lo) return a.lo - b.hi;
  return 0;
}

}  // namespace vft::dup
