#include "interchange/web_pages_site.h"

#include <algorithm>
#include <unordered_set>

#include "common/cp1252.h"
#include "store/date_words.h"
#include "store/dates.h"

namespace vft::web {
namespace {

// A stored field as shown: zero bytes (never-written field space) are blanks.
std::string clean(const std::string& field) {
  std::string v = field;
  std::replace(v.begin(), v.end(), '\0', ' ');
  return cp1252::trim(v);
}

// A place as shown: a place whose first or last parts are empty (", Kent",
// "Leeds, ,") is shown without the separators they leave.
std::string clean_place(const std::string& field) {
  const std::string v = clean(field);
  const std::size_t first = v.find_first_not_of(", "), last = v.find_last_not_of(", ");
  return first == std::string::npos ? std::string() : v.substr(first, last - first + 1);
}

// Upper case with the accents taken off the letters that have a plain one,
// so that "Émile" sorts with "Emile".
std::string folded(std::string key) {
  static constexpr char kPlain[] = "AAAAAAACEEEEIIIIDNOOOOO*OUUUUY*S";  // 0xC0..0xDF
  for (char& c : key) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0xC0 && u <= 0xDF && kPlain[u - 0xC0] != '*') c = kPlain[u - 0xC0];
    else if (u == 0x8A) c = 'S';
    else if (u == 0x8E) c = 'Z';
    else if (u == 0x9F) c = 'Y';
  }
  return key;
}

}  // namespace

SiteData::SiteData(const Session& s, const WebOptions& o)
    : session(s), options(o), ext(WebExtension(o)), famnames("famnames" + ext), listname("listname" + ext), src_(s) {
  const LocalTime t = s.now();
  today = DayMonthYear(t.year, t.month, t.day);

  const int np = src_.persons(), nm = src_.marriages();
  shown_.resize(static_cast<std::size_t>(np) + 1);
  for (int n = 1; n <= np; ++n) {
    const PersonRecord& p = src_.person(n);
    ShownPerson& v = shown_[static_cast<std::size_t>(n)];
    v.fam = clean(p.FamName);
    v.given = clean(p.GivenNames);
    v.name = cp1252::trim(v.given + " " + v.fam);
    v.died = clean(p.DeathDate);
    v.living = v.died.empty();
    v.born = clean(p.BirthDate);
    if (v.born.empty() || (v.living && !o.IncludeBirthdays)) v.born = UnknownDate;
    v.born_at = clean_place(p.BirthPlace);
    v.died_at = clean_place(p.DeathPlace);
    const std::string sex = clean(p.Sex);
    v.sex = sex.empty() ? 0 : sex[0];
  }

  paged_.assign(static_cast<std::size_t>(nm) + 1, 0);
  parent_family_.assign(static_cast<std::size_t>(np) + 1, 0);
  families_.assign(static_cast<std::size_t>(np) + 1, {});
  for (int m = 1; m <= nm; ++m) {
    const MarriageRecord& f = family(m);
    paged_[static_cast<std::size_t>(m)] = live(f.Husband) && live(f.Wife);
    page_count_ += paged(m);
    if (live(f.Husband)) families_[static_cast<std::size_t>(f.Husband)].push_back(m);
    if (live(f.Wife) && f.Wife != f.Husband) families_[static_cast<std::size_t>(f.Wife)].push_back(m);
    const int kids = std::clamp<int>(f.NumKids, 0, kMaxKids);
    for (int k = 0; k < kids; ++k) {
      const int kid = f.Kids[static_cast<std::size_t>(k)];
      if (kid >= 1 && kid <= np && parent_family_[static_cast<std::size_t>(kid)] == 0)
        parent_family_[static_cast<std::size_t>(kid)] = m;
    }
  }
}

int SiteData::own_family(int n) const {
  for (int m : families_of(n))
    if (paged(m)) return m;
  return 0;
}

std::vector<int> SiteData::children(int m) const {
  const MarriageRecord& f = family(m);
  std::vector<int> out;
  const int kids = std::clamp<int>(f.NumKids, 0, kMaxKids);
  for (int k = 0; k < kids; ++k)
    if (live(f.Kids[static_cast<std::size_t>(k)])) out.push_back(f.Kids[static_cast<std::size_t>(k)]);
  return out;
}

std::string SiteData::marriage_date(int m) const {
  const MarriageRecord& f = family(m);
  std::string d = clean(ceremony(m).MarriedDate);
  if (d.empty() || ((person(f.Husband).living || person(f.Wife).living) && !options.IncludeBirthdays)) d = UnknownDate;
  return d;
}

std::string SiteData::marriage_place(int m) const { return clean_place(ceremony(m).MarriedAt); }

void SiteData::sort_list(bool fold_accents) {
  rows_.clear();
  for (int n = 1; n <= persons(); ++n) {
    if (!live(n)) continue;
    const ShownPerson& p = person(n);
    ListRow r{cp1252::upper(p.fam), {}, cp1252::upper(p.given), n};
    r.fam_key = fold_accents ? folded(r.fam_upper) : r.fam_upper;
    if (fold_accents) r.given_key = folded(std::move(r.given_key));
    rows_.push_back(std::move(r));
  }
  std::sort(rows_.begin(), rows_.end(), [](const ListRow& a, const ListRow& b) {
    if (int c = a.fam_key.compare(b.fam_key)) return c < 0;
    if (int c = a.fam_upper.compare(b.fam_upper)) return c < 0;
    if (int c = a.given_key.compare(b.given_key)) return c < 0;
    return a.person < b.person;
  });
  // An anchor for each group: the name's letters and digits, made unique with
  // a number where two names reduce to the same text. Built from the name as
  // the classic pages always did, so links into the list stay the same.
  groups_.clear();
  std::unordered_set<std::string> used;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (i != 0 && rows_[i].fam_upper == rows_[i - 1].fam_upper) {
      groups_.back().end = i + 1;
      continue;
    }
    std::string key;
    for (char c : rows_[i].fam_upper)
      if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) key += c;
    if (key.empty()) key = "X";
    std::string unique = key;
    for (int k = 2; !used.insert(unique).second; ++k) unique = key + "_" + std::to_string(k);
    groups_.push_back({i, i + 1, std::move(unique)});
  }
}

}  // namespace vft::web
