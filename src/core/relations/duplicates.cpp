#include "relations/duplicates.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "common/cp1252.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/file_io.h"
#include "store/file_write.h"
#include "store/record_layout.h"
#include "store/records.h"

namespace vft {
namespace {

using dup::DaySpan;
using dup::GivenMatch;

constexpr const char* kEvent[4] = {"birth", "baptism", "death", "burial"};
constexpr long kFarApart = 10 * dup::kDaysPerYear;  // no typo moves a date further
constexpr long kLongestLife = 110 * dup::kDaysPerYear;

std::vector<std::string> split(const std::string& folded) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < folded.size()) {
    std::size_t j = folded.find(' ', i);
    if (j == std::string::npos) j = folded.size();
    out.push_back(folded.substr(i, j - i));
    i = j + 1;
  }
  return out;
}

std::uint64_t first_sounds(const std::vector<std::string>& given) {
  std::uint64_t bits = 0;
  for (const std::string& g : given) {
    const char c = dup::FullForm(g).front();
    const char cls = dup::SoundClass(c);
    bits |= std::uint64_t{1} << (cls ? cls - '0' : c >= 'A' ? c - 'A' + 8 : 40);
  }
  return bits;
}

bool family_fits(const DuplicateFacts& a, const DuplicateFacts& b) {
  if (a.family.empty() || b.family.empty() || a.family == b.family) return true;
  return a.family_key == b.family_key || dup::Likeness(a.family, b.family) >= 0.88;
}

// Whether two relatives (Person numbers) may be one person by their names:
// 1 they may, -1 they are not, 0 their names do not tell.
int same_person_by_name(const std::vector<DuplicateFacts>& all, std::int16_t x, std::int16_t y) {
  if (x == y) return 1;
  const DuplicateFacts& a = all[static_cast<std::size_t>(x)];
  const DuplicateFacts& b = all[static_cast<std::size_t>(y)];
  if (!family_fits(a, b)) return -1;
  switch (dup::CompareGiven(a.given, b.given).match) {
    case GivenMatch::Same:
    case GivenMatch::Reordered:
    case GivenMatch::FirstAlike: return 1;
    case GivenMatch::Missing: return a.given.empty() && b.given.empty() && !a.family.empty() ? 1 : 0;
    case GivenMatch::Some: return 0;
    case GivenMatch::None: break;
  }
  return -1;
}

// A relative whose name says something: living and no placeholder.
bool named(const std::vector<DuplicateFacts>& all, std::int16_t p) {
  return p > 0 && static_cast<std::size_t>(p) < all.size() && all[static_cast<std::size_t>(p)].candidate;
}

bool contains(const std::vector<std::int16_t>& v, std::int16_t x) {
  return std::find(v.begin(), v.end(), x) != v.end();
}

struct Tally {
  int total = 0;
  std::vector<std::string> reasons;
  void add(int points, std::string why) {
    total += points;
    if (!why.empty()) reasons.push_back(std::move(why));
  }
};

// Dates of one event in both records; false when they cannot be one.
bool score_event(int e, const DaySpan& a, const DaySpan& b, Tally& t) {
  if (!a.known || !b.known) return true;
  const std::string what = kEvent[e];
  const long gap = dup::Gap(a, b);
  if (gap > kFarApart) return false;
  const std::string years = std::to_string(a.year) + "/" + std::to_string(b.year);
  if (a.exact && b.exact) {
    if (a.lo == b.lo) t.add(12, "same " + what + " date");
    else if (a.lo % dup::kDaysPerYear == b.lo % dup::kDaysPerYear && gap <= dup::kDaysPerYear)
      t.add(-5, what + " dates a year apart");
    else t.add(-30, what + " dates differ");
  } else if (gap == 0) t.add(6, a.year == b.year ? what + " year " + std::to_string(a.year) : what + " years " + years);
  else if (gap <= 2 * dup::kDaysPerYear) t.add(a.loose || b.loose ? -3 : -8, what + " years " + years);
  else t.add(-25, what + " years " + years + " far apart");
  return true;
}

// One life cannot begin after it ended or last longer than a life lasts. A
// record that already says so of itself is no reason to part it from its twin.
bool one_life(const DuplicateFacts& a, const DuplicateFacts& b) {
  auto clash = [](const DaySpan& from, const DaySpan& to) {
    return from.known && to.known && (from.lo > to.hi + dup::kDaysPerYear || to.lo - from.hi > kLongestLife);
  };
  for (int born : {0, 1})
    for (int died : {2, 3}) {
      if (clash(a.dates[born], a.dates[died]) || clash(b.dates[born], b.dates[died])) continue;
      if (clash(a.dates[born], b.dates[died]) || clash(b.dates[born], a.dates[died])) return false;
    }
  return true;
}

void score_places(const DuplicateFacts& a, const DuplicateFacts& b, Tally& t) {
  int plus = 0;
  for (int e = 0; e < 4; ++e) {
    const std::string& x = a.places[e];
    const std::string& y = b.places[e];
    if (x.empty() || y.empty()) continue;
    if (x == y) plus += 4, t.reasons.push_back("same " + std::string(kEvent[e]) + " place");
    else if (x.find(y) != std::string::npos || y.find(x) != std::string::npos || dup::Likeness(x, y) >= 0.9) plus += 2;
    else t.total -= 3;
  }
  t.total += std::min(plus, 8);
}

// Returns false when the parents' names tell the two apart.
bool score_parent(const std::vector<DuplicateFacts>& all, std::int16_t x, std::int16_t y, const char* who, Tally& t) {
  if (!named(all, x) || !named(all, y)) return named(all, x) == named(all, y);
  const std::string role = who;
  const int fit = same_person_by_name(all, x, y);
  if (x == y) t.add(6, "same " + role);  // siblings share them too
  else if (fit > 0) t.add(10, "same " + role + "'s name");
  else if (fit < 0) t.add(-12, role + "s' names differ");
  return fit > 0;
}

// How many of the named relatives in `xs` have a namesake in `ys`, and how
// many are named at all.
std::pair<int, int> namesakes(const std::vector<DuplicateFacts>& all, const std::vector<std::int16_t>& xs,
                              const std::vector<std::int16_t>& ys) {
  int named_count = 0, found = 0;
  for (std::int16_t x : xs) {
    if (!named(all, x)) continue;
    ++named_count;
    for (std::int16_t y : ys)
      if (named(all, y) && same_person_by_name(all, x, y) > 0) {
        ++found;
        break;
      }
  }
  return {found, named_count};
}

void score_relatives(const std::vector<DuplicateFacts>& all, const DuplicateFacts& a, const DuplicateFacts& b,
                     Tally& t) {
  bool whole = score_parent(all, a.father, b.father, "father", t);
  whole = score_parent(all, a.mother, b.mother, "mother", t) && whole;
  const auto [partners_found, partners_named] = namesakes(all, a.partners, b.partners);
  const auto [other_partners_found, other_partners_named] = namesakes(all, b.partners, a.partners);
  if (partners_found > 0) t.add(10, "same partner's name");
  // One person's records, both telling of a partner, mostly name the same one.
  else if (partners_named > 0 && other_partners_named > 0) t.add(-12, "");
  const auto [shared, kids] = namesakes(all, a.children, b.children);
  const auto [other_shared, other_kids] = namesakes(all, b.children, a.children);
  if (shared == 1) t.add(7, "a child's name in common");
  else if (shared > 1) t.add(std::min(4 + 3 * shared, 12), std::to_string(shared) + " children's names in common");
  if (kids > 0 && other_kids > 0) t.total -= std::min(3 * (kids - shared + other_kids - other_shared), 9);
  // Records of one person entered twice come with their whole family twice.
  whole = whole && partners_found == partners_named && other_partners_found == other_partners_named && shared == kids &&
          other_shared == other_kids;
  if (whole && partners_named + kids + named(all, a.father) + named(all, a.mother) >= 2) t.add(6, "relatives alike");
}

}  // namespace

int MinimumScore(DuplicateSensitivity sensitivity) {
  switch (sensitivity) {
    case DuplicateSensitivity::Low: return 70;
    case DuplicateSensitivity::High: return 40;
    case DuplicateSensitivity::Normal: break;
  }
  return 55;
}

DuplicateFacts FactsOf(const PersonRecord& r) {
  DuplicateFacts f;
  f.number = r.PerNum;
  f.candidate = r.Deleted == 0;
  f.sex = SexOf(r);
  f.family = dup::Fold(r.FamName);
  f.family_key = dup::SoundKey(f.family);
  f.given = split(dup::Fold(r.GivenNames));
  f.given_sounds = first_sounds(f.given);
  const std::string* dates[4] = {&r.BirthDate, &r.DOBap, &r.DeathDate, &r.InterDate};
  const std::string* places[4] = {&r.BirthPlace, &r.Baptisplace, &r.DeathPlace, &r.InteredPlace};
  for (int e = 0; e < 4; ++e) {
    f.dates[e] = dup::SpanOf(cp1252::trim(*dates[e]));
    f.places[e] = dup::Fold(*places[e]);
  }
  return f;
}

std::vector<DuplicateFacts> GatherDuplicateFacts(const Session& s) {
  const int persons = std::max<int>(0, s.Config.NumPersons());
  std::vector<DuplicateFacts> all(static_cast<std::size_t>(persons) + 1);
  const auto data = fileio::read_all(s.work(recfile::Person), static_cast<std::size_t>(persons) * kPersonLen);
  const std::size_t records = data ? data->size() / kPersonLen : 0;
  for (std::size_t p = 1; p <= records && p < all.size(); ++p) {
    const PersonRecord r = decode_person(person_bytes(*data, p));
    all[p] = FactsOf(r);
    all[p].number = static_cast<std::int16_t>(p);
    all[p].candidate = all[p].candidate && !IsPlaceholder(s, r);
  }
  std::vector<bool> has_parents(all.size(), false);
  auto valid = [&](std::int16_t p) { return p > 0 && static_cast<std::size_t>(p) < all.size(); };
  for (int m = 1; m <= FamilyCount(s); ++m) {
    const MarriageRecord& fam = s.family(m);
    for (int k = 0; k < KidCount(fam); ++k) {
      const std::int16_t kid = fam.Kids[static_cast<std::size_t>(k)];
      if (!valid(kid) || has_parents[static_cast<std::size_t>(kid)]) continue;
      has_parents[static_cast<std::size_t>(kid)] = true;
      all[static_cast<std::size_t>(kid)].father = fam.Husband;
      all[static_cast<std::size_t>(kid)].mother = fam.Wife;
    }
    for (std::int16_t parent : {fam.Husband, fam.Wife}) {
      if (!valid(parent)) continue;
      DuplicateFacts& f = all[static_cast<std::size_t>(parent)];
      const std::int16_t other = parent == fam.Husband ? fam.Wife : fam.Husband;
      if (valid(other)) f.partners.push_back(other);
      for (int k = 0; k < KidCount(fam); ++k) f.children.push_back(fam.Kids[static_cast<std::size_t>(k)]);
    }
  }
  return all;
}

DuplicatePair ScorePair(const std::vector<DuplicateFacts>& all, std::int16_t a, std::int16_t b) {
  DuplicatePair out{std::min(a, b), std::max(a, b), 0, {}};
  const DuplicateFacts& x = all[static_cast<std::size_t>(out.first)];
  const DuplicateFacts& y = all[static_cast<std::size_t>(out.second)];
  if (a == b || !x.candidate || !y.candidate) return out;
  if (x.sex && y.sex && x.sex != y.sex) return out;
  if (x.father == y.number || x.mother == y.number || y.father == x.number || y.mother == x.number ||
      contains(x.partners, y.number))
    return out;
  Tally t;
  const dup::GivenComparison given = dup::CompareGiven(x.given, y.given);
  if (given.match == GivenMatch::None) return out;
  if (!x.family.empty() && x.family == y.family) t.add(30, "same family name");
  else if (!x.family.empty() && x.family_key == y.family_key) t.add(22, "same family name sound");
  else if (x.family.empty() && y.family.empty()) t.add(25, "no family names");
  else if (family_fits(x, y)) t.add(x.family.empty() || y.family.empty() ? 5 : 18, "family names alike");
  else t.add(-5, "family names differ");
  static constexpr int kGivenPoints[] = {0, 5, 12, 20, 26, 30};
  if (x.given.empty() && y.given.empty()) t.add(20, "no given names");
  else t.add(kGivenPoints[static_cast<int>(given.match)], given.reason);
  Tally dates;
  for (int e = 0; e < 4; ++e)
    if (!score_event(e, x.dates[e], y.dates[e], dates)) return out;
  // Children of one couple born at different times are brothers or sisters
  // who were given the same name, not one child entered twice.
  const DaySpan& xb = x.dates[0].known ? x.dates[0] : x.dates[1];
  const DaySpan& yb = y.dates[0].known ? y.dates[0] : y.dates[1];
  if (x.father > 0 && x.father == y.father && x.mother > 0 && x.mother == y.mother && xb.known && yb.known &&
      dup::Gap(xb, yb) > 0)
    dates.add(-15, "born apart to the same parents");
  if (!one_life(x, y)) return out;
  t.total += std::min(dates.total, 20);
  t.reasons.insert(t.reasons.end(), dates.reasons.begin(), dates.reasons.end());
  score_places(x, y, t);
  score_relatives(all, x, y, t);
  out.score = std::clamp(t.total, 0, 100);
  if (out.score > 0) out.reasons = std::move(t.reasons);
  return out;
}

std::vector<DuplicatePair> FindDuplicates(const Session& s, const DuplicateSearch& how) {
  return FindDuplicates(GatherDuplicateFacts(s), how);
}

std::vector<DuplicatePair> FindDuplicates(const std::vector<DuplicateFacts>& all, const DuplicateSearch& how) {
  // Two ways to meet: family names that sound alike, or the same first given
  // name (full form) in the same decade of birth, which finds misspelt
  // family names that changed their sound.
  std::unordered_map<std::string, std::vector<std::int16_t>> by_sound, by_given;
  for (const DuplicateFacts& f : all) {
    if (!f.candidate) continue;
    // Without a family name, the first given name is all there is to go by.
    by_sound[f.family_key.empty() && !f.given.empty() ? "=" + std::string(dup::FullForm(f.given.front()))
                                                      : f.family_key]
        .push_back(f.number);
    if (!f.given.empty() && f.given.front().size() > 1 && f.dates[0].known)
      by_given[std::string(dup::FullForm(f.given.front())) + "|" + std::to_string(f.dates[0].year / 10)].push_back(
          f.number);
  }
  std::vector<DuplicatePair> found;
  std::size_t done = 0;
  const std::size_t blocks = by_sound.size() + by_given.size();
  auto run = [&](const std::unordered_map<std::string, std::vector<std::int16_t>>& groups, bool second_way) {
    for (const auto& [key, members] : groups) {
      if (how.progress && !how.progress(static_cast<double>(done) / static_cast<double>(blocks))) return false;
      ++done;
      for (std::size_t i = 0; i < members.size(); ++i) {
        const DuplicateFacts& x = all[static_cast<std::size_t>(members[i])];
        for (std::size_t j = i + 1; j < members.size(); ++j) {
          const DuplicateFacts& y = all[static_cast<std::size_t>(members[j])];
          if (x.sex && y.sex && x.sex != y.sex) continue;
          if (x.given_sounds && y.given_sounds && !(x.given_sounds & y.given_sounds)) continue;
          if (second_way && x.family_key == y.family_key) continue;  // met the first way
          if (x.dates[0].known && y.dates[0].known && dup::Gap(x.dates[0], y.dates[0]) > kFarApart) continue;
          DuplicatePair p = ScorePair(all, x.number, y.number);
          if (p.score < how.min_score || p.score == 0) continue;
          if (how.ignored.count({p.first, p.second})) continue;
          found.push_back(std::move(p));
        }
      }
    }
    return true;
  };
  if (run(by_sound, false)) run(by_given, true);
  std::sort(found.begin(), found.end(), [](const DuplicatePair& a, const DuplicatePair& b) {
    if (a.score != b.score) return a.score > b.score;
    return a.first != b.first ? a.first < b.first : a.second < b.second;
  });
  if (how.limit && found.size() > how.limit) found.resize(how.limit);
  return found;
}

std::string IgnoredPairsPath(const std::string& family_file) { return family_file + ".ignored-pairs"; }

std::string FamilyFileOf(const Session& s) {
  const std::string& path = s.CurrentFilePath;
  // Without a file the commands keep the folder to offer next, ending in a slash.
  if (cp1252::trim(path).empty() || path.back() == '/') return "";
  return path;
}

std::set<std::pair<std::int16_t, std::int16_t>> ReadIgnoredPairs(const std::string& family_file) {
  std::set<std::pair<std::int16_t, std::int16_t>> out;
  const auto data = fileio::read_all(IgnoredPairsPath(family_file), std::size_t{1} << 22);
  if (!data) return out;
  const std::string text(data->begin(), data->end());
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t end = text.find('\n', i);
    if (end == std::string::npos) end = text.size();
    int a = 0, b = 0;
    char extra = 0;
    const std::string line = text.substr(i, end - i);
    if (std::sscanf(line.c_str(), "%d %d %c", &a, &b, &extra) == 2 && a >= 1 && b >= 1 && a <= 32767 && b <= 32767 &&
        a != b)
      out.insert({static_cast<std::int16_t>(std::min(a, b)), static_cast<std::int16_t>(std::max(a, b))});
    i = end + 1;
  }
  return out;
}

bool IgnorePair(Session& s, const std::string& family_file, std::int16_t a, std::int16_t b) {
  auto pairs = ReadIgnoredPairs(family_file);
  pairs.insert({std::min(a, b), std::max(a, b)});
  std::string text = "# Pairs of persons that are not one person (Person numbers).\n";
  for (const auto& [x, y] : pairs) text += std::to_string(x) + " " + std::to_string(y) + "\n";
  return fileio::write_file(s.disk, IgnoredPairsPath(family_file), text, fileio::NewMode::Private,
                            fileio::Links::Replace);
}

}  // namespace vft
