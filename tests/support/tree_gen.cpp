#include "tree_gen.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <stdexcept>
#include <utility>
#include <vector>

#include "common/cp1252.h"
#include "store/file_io.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_gen_data.h"

namespace vft::test {
namespace {

using gen::Rng;

// Appends a notes chain to an in-memory notes file, laid out as AppendNotes
// lays it out on disk.
void append_chain(Bytes& file, PersonRecord& owner, const std::string& text) {
  if (cp1252::trim(text).empty()) return;
  owner.NotesRec = static_cast<std::int32_t>(file.size() / kNotesLen + 1);
  encode_notes_chain(owner.PerNum, text, owner.NotesRec, file);
}

class Builder {
 public:
  explicit Builder(const TreeOptions& o) : o_(o), r_(o.seed) {}

  void run(Session& s) {
    if (o_.persons < 1 || o_.persons > 32767 || o_.marriages < 1 || o_.marriages > kMaxMarriages || o_.generations < 1)
      throw std::invalid_argument("tree_gen: counts out of range");
    persons_.resize(static_cast<std::size_t>(o_.persons));
    deleted_.assign(static_cast<std::size_t>(o_.persons) + 1, false);
    int deleted = static_cast<int>(std::lround(o_.persons * o_.deleted_fraction));
    deleted = std::min(deleted, o_.persons - 1);
    for (int placed = 0; placed < deleted;) {
      int n = r_.range(2, o_.persons);
      if (!deleted_[static_cast<std::size_t>(n)]) deleted_[static_cast<std::size_t>(n)] = true, ++placed;
    }
    live_budget_ = o_.persons - deleted;
    deleted_count_ = deleted;

    structure();
    top_up_persons();
    top_up_families();
    finish_deleted();
    count_partners();
    write(s);
  }

 private:
  struct Family {
    MarriageRecord rec;
    CeremonyRecord cer;
    int kid_gen = 0;
  };

  int live_left() const { return live_budget_ - live_used_; }
  int families_left() const { return o_.marriages - static_cast<int>(families_.size()); }
  PersonRecord& person(int n) { return persons_[static_cast<std::size_t>(n - 1)]; }

  char random_sex(bool must_have_sex) {
    if (!must_have_sex && r_.chance(o_.sexless_fraction)) return ' ';
    return r_.chance(0.5) ? 'M' : 'F';
  }

  int new_person(int gen, char sex, const std::string& famname) {
    if (live_left() <= 0) return 0;
    while (deleted_[static_cast<std::size_t>(next_number_)]) ++next_number_;
    int n = next_number_++;
    ++live_used_;
    fill_person(n, gen, sex, famname);
    if (sex != ' ') (sex == 'M' ? males_ : females_).push_back(n);
    return n;
  }

  void fill_person(int n, int gen, char sex, const std::string& famname) {
    PersonRecord p = blank_person();
    p.PerNum = static_cast<std::int16_t>(n);
    p.FamName = famname;
    p.GivenNames = gen::given_name(r_, sex, o_.accented);
    p.Sex = std::string(1, sex);
    int year = 1700 + 25 * gen + r_.range(0, 20);
    p.BirthDate = gen::date(r_, year, o_.real_world_dates);
    p.BirthPlace = r_.chance(0.05) ? gen::full_width_place(r_, width::Place) : gen::place(r_, o_.accented);
    if (r_.chance(0.6)) {
      p.Baptised = r_.chance(0.8) ? "Yes" : "Y";
      p.DOBap = gen::date(r_, year, o_.real_world_dates);
      p.Baptisplace = gen::place(r_, o_.accented);
    }
    if (gen < o_.generations - 2 || r_.chance(0.2)) {
      p.DeathDate = gen::date(r_, year + r_.range(1, 90), o_.real_world_dates);
      if (r_.chance(0.7)) p.DeathPlace = gen::place(r_, o_.accented);
      if (r_.chance(0.5)) p.InterDate = gen::date(r_, year + 91, o_.real_world_dates);
      if (r_.chance(0.5)) p.InteredPlace = gen::place(r_, o_.accented);
    }
    if (r_.chance(0.5)) p.Occupation = gen::occupation(r_, o_.accented);
    if (r_.chance(0.1)) p.CurrAddress = std::to_string(r_.range(1, 200)) + " High Street, " + gen::place(r_, false);
    if (r_.chance(0.1)) p.Phone = gen::phone(r_);
    if (r_.chance(0.3)) p.Source = gen::source(r_);
    p.AutoCap = r_.chance(o_.autocap_fraction) ? 1 : 0;
    person(n) = p;
    if (r_.chance(o_.notes_fraction)) notes_[n] = gen::notes(r_, gen::notes_length(r_), o_.accented);
  }

  int new_family(int husband, int wife, int kid_gen) {
    if (families_left() <= 0) return 0;
    Family f;
    f.rec.MarNum = static_cast<std::int16_t>(families_.size() + 1);
    f.rec.Husband = static_cast<std::int16_t>(husband);
    f.rec.Wife = static_cast<std::int16_t>(wife);
    f.cer = blank_ceremony();
    f.kid_gen = kid_gen;
    bool couple = husband != 0 && wife != 0;
    if ((couple || husband != 0 || wife != 0) && r_.chance(couple ? 0.7 : 0.4)) {
      f.cer.MarriedDate = gen::date(r_, 1720 + 25 * kid_gen, o_.real_world_dates);
      f.cer.MarriedAt = r_.chance(0.05) ? gen::full_width_place(r_, width::MarriedAt) : gen::place(r_, o_.accented);
    }
    if (couple) {
      int flag = r_.below(10);
      if (flag == 0) f.rec.Divorced = -1;
      if (flag == 1) {
        f.rec.NotMarried = -1;
        f.cer.MarriedDate.clear();  // as the marriage editor clears it
      }
    }
    families_.push_back(f);
    return f.rec.MarNum;
  }

  void add_kid(int fam, int kid) {
    MarriageRecord& m = families_[static_cast<std::size_t>(fam - 1)].rec;
    m.Kids[static_cast<std::size_t>(m.NumKids++)] = static_cast<std::int16_t>(kid);
  }

  // A person with a parent family of its own that has no parents.
  int founder(int gen, char sex) {
    if (families_left() <= 0 || live_left() <= 0) return 0;
    int f = new_family(0, 0, gen);
    int p = new_person(gen, sex, gen::family_name(r_, o_.accented));
    add_kid(f, p);
    return p;
  }

  // Generation sizes growing geometrically so that the lines of descent reach
  // the requested depth and leave some persons for the top-up.
  std::vector<int> plan(int founders) const {
    const int g = o_.generations;
    const double target = 0.92 * live_budget_ / 1.4;
    auto total = [&](double r) {
      double sum = 0, c = founders;
      for (int i = 0; i < g; ++i, c *= r) sum += c;
      return sum;
    };
    double lo = 0.2, hi = 10;
    for (int i = 0; i < 60; ++i) (total((lo + hi) / 2) < target ? lo : hi) = (lo + hi) / 2;
    std::vector<int> sizes;
    double c = founders;
    for (int i = 0; i < g; ++i, c *= lo) sizes.push_back(std::max(1, static_cast<int>(std::lround(c))));
    return sizes;
  }

  void structure() {
    const int founders = std::max(2, live_budget_ / 450);
    std::vector<int> sizes = plan(founders);
    std::vector<int> line;
    for (int i = 0; i < founders; ++i)
      if (int p = founder(0, i % 2 ? 'F' : 'M')) line.push_back(p);
    for (int g = 0; g + 1 < o_.generations && !line.empty(); ++g) {
      std::vector<int> parents, next;
      for (int p : line)
        if (person(p).Sex != " ") parents.push_back(p);
      for (std::size_t i = parents.size(); i > 1; --i)
        std::swap(parents[i - 1], parents[static_cast<std::size_t>(r_.below(static_cast<int>(i)))]);
      const int want = sizes[static_cast<std::size_t>(g + 1)];
      for (int pass = 0; pass < 3 && static_cast<int>(next.size()) < want; ++pass)
        for (int parent : parents) {
          if (static_cast<int>(next.size()) >= want || !family_with_kids(parent, g, want, next)) break;
        }
      line = std::move(next);
    }
  }

  // One family of `parent` (generation g) with children of generation g + 1.
  bool family_with_kids(int parent, int g, int want, std::vector<int>& next) {
    bool male = person(parent).Sex == "M";
    int spouse = 0;
    if (!r_.chance(o_.single_parent_fraction) && families_left() >= 2 && live_left() >= 2)
      spouse = founder(g, male ? 'F' : 'M');
    if (families_left() < 1 || live_left() < 1) return false;
    int f = new_family(male ? parent : spouse, male ? spouse : parent, g + 1);
    int kids = r_.chance(0.03) ? r_.range(4, 12) : r_.range(1, 3);
    kids = std::min({kids, want - static_cast<int>(next.size()), live_left(), kMaxKids});
    std::string famname = cp1252::trim(person(male || !spouse ? parent : spouse).FamName);
    for (int k = 0; k < std::max(kids, 1); ++k) {
      int kid = new_person(g + 1, random_sex(next.empty()), famname);
      if (!kid) break;
      add_kid(f, kid);
      next.push_back(kid);
    }
    return true;
  }

  // Persons the structure left over become more children in the youngest
  // families (or founders when every family is full).
  void top_up_persons() {
    std::vector<int> young;
    for (const Family& f : families_)
      if (f.kid_gen == o_.generations - 1 && (f.rec.Husband || f.rec.Wife)) young.push_back(f.rec.MarNum);
    while (live_left() > 0) {
      int fam = 0;
      for (int tries = 0; tries < 8 && !young.empty() && !fam; ++tries) {
        int cand = young[static_cast<std::size_t>(r_.below(static_cast<int>(young.size())))];
        if (families_[static_cast<std::size_t>(cand - 1)].rec.NumKids < kMaxKids) fam = cand;
      }
      for (std::size_t i = 0; !fam && i < families_.size(); ++i)
        if (families_[i].rec.NumKids < kMaxKids && families_[i].rec.NumKids > 0) fam = families_[i].rec.MarNum;
      if (!fam) {
        if (!founder(0, random_sex(false))) throw std::invalid_argument("tree_gen: too few families for the persons");
        continue;
      }
      const Family& f = families_[static_cast<std::size_t>(fam - 1)];
      int namer = f.rec.Husband ? f.rec.Husband : f.rec.Wife;
      std::string famname = namer ? cp1252::trim(person(namer).FamName) : gen::family_name(r_, o_.accented);
      add_kid(fam, new_person(f.kid_gen, random_sex(false), famname));
    }
  }

  // Families still missing become childless couples (remarriages), or empty
  // families when the tree has no man and woman to pair.
  void top_up_families() {
    std::set<std::pair<int, int>> couples;
    std::vector<int> partners(static_cast<std::size_t>(o_.persons) + 1, 0);
    for (const Family& f : families_)
      if (f.rec.Husband && f.rec.Wife) {
        couples.insert({f.rec.Husband, f.rec.Wife});
        ++partners[static_cast<std::size_t>(f.rec.Husband)];
        ++partners[static_cast<std::size_t>(f.rec.Wife)];
      }
    while (families_left() > 0) {
      int h = 0, w = 0;
      for (int tries = 0; tries < 20 && !males_.empty() && !females_.empty(); ++tries) {
        int a = males_[static_cast<std::size_t>(r_.below(static_cast<int>(males_.size())))];
        int b = females_[static_cast<std::size_t>(r_.below(static_cast<int>(females_.size())))];
        if (partners[static_cast<std::size_t>(a)] < 10 && partners[static_cast<std::size_t>(b)] < 10 &&
            !couples.count({a, b})) {
          h = a, w = b;
          break;
        }
      }
      if (h) {
        couples.insert({h, w});
        ++partners[static_cast<std::size_t>(h)];
        ++partners[static_cast<std::size_t>(w)];
      }
      new_family(h, w, 0);
    }
  }

  // Deleted persons keep their data; they are in no family.
  void finish_deleted() {
    for (int n = 1; n <= o_.persons; ++n) {
      if (!deleted_[static_cast<std::size_t>(n)]) continue;
      fill_person(n, r_.below(o_.generations), random_sex(false), gen::family_name(r_, o_.accented));
      person(n).Deleted = -1;
    }
  }

  void count_partners() {
    for (const Family& f : families_)
      if (f.rec.Husband && f.rec.Wife) {
        ++person(f.rec.Husband).NumPartners;
        ++person(f.rec.Wife).NumPartners;
      }
  }

  void write(Session& s) {
    Bytes per, mar, mce, notes;
    per.reserve(persons_.size() * kPersonLen);
    for (PersonRecord& p : persons_) {
      auto it = notes_.find(p.PerNum);
      if (it != notes_.end()) append_chain(notes, p, it->second);
      encode(p, per);
    }
    for (const Family& f : families_) {
      encode(f.rec, mar);
      encode(f.cer, mce);
    }
    if (!put_file(s.work(recfile::Person), per) || !put_file(s.work(recfile::Marriage), mar) ||
        !put_file(s.work(recfile::Ceremony), mce) || !put_file(s.work(recfile::Notes), notes))
      throw std::runtime_error("record files not written");
    s.Config.setNumPersons(static_cast<std::int16_t>(o_.persons));
    s.Config.setNumMarriages(static_cast<std::int16_t>(families_.size()));
    int last = 1;
    while (deleted_[static_cast<std::size_t>(last)]) ++last;
    s.Config.setLastPerson(static_cast<std::int16_t>(last));
    s.DeletedCount = deleted_count_;
    if (!WriteConfig(s)) throw std::runtime_error("settings record not written");
    LoadMarriages(s);
  }

  TreeOptions o_;
  Rng r_;
  std::vector<PersonRecord> persons_;
  std::vector<bool> deleted_;
  std::map<int, std::string> notes_;
  std::vector<Family> families_;
  std::vector<int> males_, females_;
  int live_budget_ = 0, live_used_ = 0, next_number_ = 1, deleted_count_ = 0;
};

}  // namespace

void generate_tree(Session& s, const TreeOptions& o) { Builder(o).run(s); }

void generate_max_tree(Session& s, std::uint64_t seed) {
  TreeOptions o;
  o.seed = seed;
  o.persons = 14998;
  o.marriages = 15000;
  o.generations = 12;
  o.notes_fraction = 1.0 / 3.0;
  o.deleted_fraction = 0.01;
  o.sexless_fraction = 0.01;
  o.single_parent_fraction = 0.08;
  o.autocap_fraction = 0.05;
  Builder(o).run(s);
}

}  // namespace vft::test
