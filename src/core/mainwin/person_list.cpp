#include "mainwin/person_list.h"

#include <algorithm>
#include <array>

#include "common/cp1252.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/date_parse.h"
#include "store/file_io.h"
#include "store/records.h"

namespace vft {

namespace {

// The few Person record fields a list needs, read straight from the record
// bytes: decoding all sixteen text fields of 15,000 records would cost more
// than the list is worth.
std::string field(const std::uint8_t* rec, std::size_t at, std::size_t width) {
  return cp1252::trim(std::string_view(reinterpret_cast<const char*>(rec + at), width));
}

char sex_letter(const std::string& sex) { return sex == "M" ? 'M' : sex == "F" ? 'F' : 0; }

bool starts_with_nocase(std::string_view text, std::string_view prefix) {
  return prefix.size() <= text.size() && cp1252::iequals(text.substr(0, prefix.size()), prefix);
}

// A prefix test that treats the name as ending in a blank, the way the padded
// record field does: a search text ending in a blank matches a whole word.
// Leading blanks of the text and all but one trailing blank are not meant.
bool prefix_matches(std::string_view name, std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (text.size() > 1 && text[text.size() - 1] == ' ' && text[text.size() - 2] == ' ') text.remove_suffix(1);
  std::string padded(name);
  padded += ' ';
  return starts_with_nocase(padded, text);
}

using cp1252::all_digits;

}  // namespace

PersonFilter SearchFilter(const Session& s, const std::string& given, const std::string& famname) {
  PersonFilter f;
  f.given = given;
  f.famname = famname;
  f.precise = s.View.PreciseSearch;
  if (s.Rel.ConnectMode) {
    f.exclude = s.Rel.Selected.PerNum;
    if (s.Rel.AsPartner) f.only_sex = SexOf(s.Rel.Selected) == 'M' ? 'F' : 'M';
  }
  return f;
}

PersonFilter StoredSearchFilter(const Session& s) {
  return SearchFilter(s, s.View.SearchGivenNames, s.View.SearchFamName);
}

bool NameMatches(const PersonFilter& f, std::string_view famname, std::string_view given) {
  if (f.precise) {
    if (cp1252::trim(famname) != cp1252::trim(f.famname)) return false;
    const std::string g = cp1252::trim(f.given);
    return g.empty() || cp1252::trim(given) == g;
  }
  return prefix_matches(cp1252::trim(famname), f.famname) && prefix_matches(cp1252::trim(given), f.given);
}

std::vector<PersonRow> ListPersons(const Session& s, const PersonFilter& f) {
  std::vector<PersonRow> rows;
  const long count = std::clamp<long>(s.Config.NumPersons(), 0, 32767);
  if (count == 0) return rows;
  // Person numbers are 16-bit, so no sound file is larger than this.
  auto data = fileio::read_all(s.work(recfile::Person), std::size_t{32767} * kPersonLen);
  if (!data) return rows;
  const long present = std::min<long>(count, static_cast<long>(data->size() / kPersonLen));
  rows.reserve(static_cast<std::size_t>(present));
  for (long i = 0; i < present; ++i) {
    const std::uint8_t* rec = person_bytes(*data, static_cast<std::size_t>(i) + 1);
    if (read_i16(rec + person_at::Deleted) != 0) continue;
    const auto n = static_cast<std::int16_t>(i + 1);
    if (n == f.exclude) continue;
    PersonRow r;
    r.sex = sex_letter(field(rec, person_at::Sex, width::Sex));
    if (f.only_sex && r.sex != f.only_sex) continue;
    r.famname = field(rec, person_at::FamName, width::FamName);
    r.famname = display_famname(s, r.famname);
    r.given = field(rec, person_at::GivenNames, width::GivenNames);
    if (!NameMatches(f, r.famname, r.given)) continue;
    r.number = n;
    r.born = field(rec, person_at::BirthDate, width::Date);
    r.born_key = DateSortKey(r.born, s.MonthFirst);
    rows.push_back(std::move(r));
  }
  return rows;
}

namespace {

// A name as the list sorts it: capitals, and accented letters with their plain
// letter ("Åsa" among the A's, not after "Zoë"). Ties fall back on the
// unfolded capitals.
std::string sort_key(std::string_view name) {
  // Plain letters for CP1252 0xC0..0xDF (the capitals; lower case is upper-cased first).
  static constexpr char kPlain[] = "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYTS";
  std::string up = cp1252::upper(name);
  std::string key = up;
  for (char& c : key) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0xC0 && b <= 0xDF && b != 0xD7) c = kPlain[b - 0xC0];
    else if (b == 0x8A) c = 'S';
    else if (b == 0x8E) c = 'Z';
    else if (b == 0x9F) c = 'Y';
  }
  key += '\0';
  return key + up;
}

}  // namespace

void SortRows(std::vector<PersonRow>& rows, ListColumn column) {
  // Build each name's key once, not at every comparison: a list of 15,000
  // persons sorts in a few milliseconds that way.
  struct Key {
    std::string first, second;
    std::int32_t born = 0;
    std::int16_t number = 0;
    std::size_t at = 0;
  };
  std::vector<Key> keys(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const PersonRow& r = rows[i];
    Key& k = keys[i];
    k.number = r.number;
    k.at = i;
    if (column == ListColumn::FamName) {
      k.first = sort_key(r.famname);
      k.second = sort_key(r.given);
    } else if (column == ListColumn::GivenNames) {
      k.first = sort_key(r.given);
      k.second = sort_key(r.famname);
    } else if (column == ListColumn::Born) {
      k.born = r.born_key;
    }
  }
  std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
    if (a.born != b.born) return a.born < b.born;
    if (int c = a.first.compare(b.first)) return c < 0;
    if (int c = a.second.compare(b.second)) return c < 0;
    return a.number < b.number;
  });
  std::vector<PersonRow> sorted;
  sorted.reserve(rows.size());
  for (const Key& k : keys) sorted.push_back(std::move(rows[k.at]));
  rows = std::move(sorted);
}

ListColumn SearchColumnAfter(ListColumn clicked, ListColumn current) {
  return clicked == ListColumn::Born ? current : clicked;
}

std::string SearchLabel(ListColumn search) {
  switch (search) {
    case ListColumn::GivenNames: return "Search Given Names";
    case ListColumn::Number: return "Search VFT Number:";
    case ListColumn::FamName:
    case ListColumn::Born: break;
  }
  return "Search Family Name";
}

int FindRow(const std::vector<PersonRow>& rows, ListColumn search, std::string_view typed) {
  auto first = [&](auto&& pred) {
    auto it = std::find_if(rows.begin(), rows.end(), pred);
    return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
  };
  if (search == ListColumn::Number) {
    const std::string t = cp1252::trim(typed);
    if (!all_digits(t) || t.size() > 5) return -1;
    const int n = std::stoi(t);
    return first([n](const PersonRow& r) { return r.number == n; });
  }
  if (search == ListColumn::GivenNames) {
    const std::string prefix = cp1252::trim(typed) + " ";
    return first([&](const PersonRow& r) { return starts_with_nocase(r.given + " ", prefix); });
  }
  if (typed.empty()) return rows.empty() ? -1 : 0;
  return first([&](const PersonRow& r) { return starts_with_nocase(r.famname, typed); });
}

std::vector<std::string> RowDetails(const Session& s, std::int16_t n) {
  std::vector<std::string> lines;
  PersonRecord p;
  if (!ReadStoredPerson(s, n, p)) return lines;
  const std::int16_t father = FatherOf(s, n), mother = MotherOf(s, n);
  const std::string fa = father ? DisplayNameOf(s, father) : "";
  const std::string mo = mother ? DisplayNameOf(s, mother) : "";
  lines.push_back(fa.empty() ? "Fa:  Not Recorded" : "Fa: " + fa);
  lines.push_back(mo.empty() ? "Mo: Not Recorded" : "Mo: " + mo);
  const PartnerList partners = ListPartners(s, n);
  for (int i = 0; i < partners.count; ++i) {
    const PartnerRow& row = partners.rows[static_cast<std::size_t>(i)];
    if (row.Partner < 1) continue;
    const MarriageRecord& f = s.family(std::clamp<int>(row.Family, 0, kMaxMarriages));
    std::string line = row.NotMarried ? "Pa: " : (f.Husband == row.Partner ? "Hu: " : "Wi: ");
    if (row.NotMarried) line += "Not Married ";
    lines.push_back(line + DisplayNameOf(s, row.Partner));
  }
  lines.push_back("B: " + cp1252::trim(p.BirthDate));
  const std::string born_at = cp1252::trim(p.BirthPlace);
  if (!born_at.empty()) lines.push_back("Born At: " + born_at);
  const std::string died = cp1252::trim(p.DeathDate);
  if (!died.empty()) lines.push_back("D: " + died);
  const std::string died_at = cp1252::trim(p.DeathPlace);
  if (!died_at.empty()) lines.push_back("Died At: " + died_at);
  return lines;
}

}  // namespace vft
