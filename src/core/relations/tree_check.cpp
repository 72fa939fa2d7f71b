#include "relations/tree_check.h"

#include <algorithm>

#include "common/cp1252.h"
#include "relations/ancestry_loops.h"
#include "relations/lookups.h"
#include "store/file_io.h"
#include "store/records.h"

namespace vft {
namespace {

// Only the few fields the rules need, read straight from the record bytes.
struct PersonFacts {
  std::int16_t PerNum = 0, Deleted = 0, NumPartners = 0;
  char Sex = ' ';
  std::string name;
};

PersonFacts facts_of(const std::uint8_t* rec) {
  PersonFacts f;
  f.PerNum = read_i16(rec + person_at::PerNum);
  f.Sex = static_cast<char>(rec[person_at::Sex]);
  f.Deleted = read_i16(rec + person_at::Deleted);
  f.NumPartners = read_i16(rec + person_at::NumPartners);
  std::string fam(reinterpret_cast<const char*>(rec + person_at::FamName), width::FamName);
  std::string given(reinterpret_cast<const char*>(rec + person_at::GivenNames), width::GivenNames);
  f.name = cp1252::trim(cp1252::trim(given) + " " + cp1252::trim(fam));
  return f;
}

class Checker {
 public:
  explicit Checker(const Session& s) : s_(s) {}

  std::vector<TreeViolation> run() {
    read_counts();
    read_persons();
    for (int m = 1; m <= families_; ++m) check_family(static_cast<std::int16_t>(m));
    for (int p = 1; p <= persons_read_; ++p) check_person(static_cast<std::int16_t>(p));
    for (const LoopLink& l : FindAncestryLoops(&s_.family(1), families_, persons_)) {
      const auto c = static_cast<std::int16_t>(l.child);
      add(TreeFault::AncestryLoop, c, static_cast<std::int16_t>(l.family),
          who(c) + " is his or her own ancestor: family " + std::to_string(l.family) + " lists him or her as a child.");
    }
    return std::move(out_);
  }

 private:
  const Session& s_;
  std::vector<TreeViolation> out_;
  int persons_ = 0, families_ = 0, persons_read_ = 0;
  std::vector<PersonFacts> people_;                   // 1-based
  std::vector<std::vector<std::int16_t>> listed_in_;  // families listing each person as a child
  std::vector<int> partnered_;                        // partnerships with the other slot filled

  void add(TreeFault fault, std::int16_t person, std::int16_t family, std::string text) {
    out_.push_back({fault, person, family, std::move(text)});
  }

  std::string who(std::int16_t p) const {
    std::string t = "Person " + std::to_string(p);
    if (p >= 1 && p <= persons_read_ && !people_[static_cast<std::size_t>(p)].name.empty())
      t += " (" + people_[static_cast<std::size_t>(p)].name + ")";
    return t;
  }

  void read_counts() {
    persons_ = s_.Config.NumPersons();
    families_ = s_.Config.NumMarriages();
    if (persons_ < 0) {
      add(TreeFault::Counts, 0, 0, "NumPersons is " + std::to_string(persons_) + ", below 0.");
      persons_ = 0;
    }
    if (families_ < 0 || families_ > kMaxMarriages) {
      add(TreeFault::Counts, 0, 0, "NumMarriages is " + std::to_string(families_) + ", outside 0..15000.");
      families_ = std::clamp(families_, 0, kMaxMarriages);
    }
    if (persons_ >= 1 && families_ < 1)
      add(TreeFault::Counts, 0, 0,
          "There are " + std::to_string(persons_) + " persons but no family (NumMarriages is 0).");
    auto mar = fileio::size_of(s_.work(recfile::Marriage));
    const std::int64_t mar_records = mar < 0 ? 0 : mar / static_cast<std::int64_t>(kMarriageLen);
    if (mar_records < families_)
      add(TreeFault::Counts, 0, 0,
          "vorlan.mar holds " + std::to_string(mar_records) + " families but NumMarriages is " +
              std::to_string(families_) + ".");
  }

  void read_persons() {
    const auto n = static_cast<std::size_t>(persons_);
    people_.assign(n + 1, {});
    listed_in_.assign(n + 1, {});
    partnered_.assign(n + 1, 0);
    // A person file can never hold more than 32767 records.
    auto data = fileio::read_all(s_.work(recfile::Person), std::size_t{32768} * kPersonLen);
    const std::size_t records = data ? data->size() / kPersonLen : 0;
    persons_read_ = static_cast<int>(std::min(records, n));
    if (records < n)
      add(TreeFault::Counts, 0, 0,
          "vorlan.Per holds " + std::to_string(records) + " persons but NumPersons is " + std::to_string(persons_) +
              ".");
    for (std::size_t p = 1; p <= static_cast<std::size_t>(persons_read_); ++p)
      people_[p] = facts_of(person_bytes(*data, p));
  }

  bool in_range(std::int16_t p) const { return p >= 1 && p <= persons_; }
  bool readable(std::int16_t p) const { return p >= 1 && p <= persons_read_; }

  void check_partner(std::int16_t m, std::int16_t p, std::int16_t other, const char* role, char sex) {
    if (p == 0) return;
    if (!in_range(p)) {
      add(TreeFault::PersonOutOfRange, 0, m,
          "Family " + std::to_string(m) + ": " + role + " " + std::to_string(p) + " is outside 1.." +
              std::to_string(persons_) + ".");
      return;
    }
    if (other != 0) ++partnered_[static_cast<std::size_t>(p)];
    if (!readable(p) || people_[static_cast<std::size_t>(p)].Deleted != 0) return;
    const char has = people_[static_cast<std::size_t>(p)].Sex;
    if (has != sex)
      add(TreeFault::PartnerSex, p, m,
          "Family " + std::to_string(m) + ": " + role + " " + who(p) + " has sex \"" + std::string(1, has) +
              "\", not \"" + std::string(1, sex) + "\".");
  }

  void check_family(std::int16_t m) {
    const MarriageRecord& f = s_.family(m);
    if (f.MarNum != m)
      add(TreeFault::RecordNumber, 0, m,
          "Family " + std::to_string(m) + " carries the number " + std::to_string(f.MarNum) + ".");
    if (f.Husband != 0 && f.Husband == f.Wife)
      add(TreeFault::SamePersonTwice, f.Husband, m,
          "Family " + std::to_string(m) + ": " + who(f.Husband) + " is both husband and wife.");
    check_partner(m, f.Husband, f.Wife, "husband", 'M');
    check_partner(m, f.Wife, f.Husband, "wife", 'F');
    if (f.NumKids < 0 || f.NumKids > kMaxKids)
      add(TreeFault::NumKidsOutOfRange, 0, m,
          "Family " + std::to_string(m) + ": NumKids is " + std::to_string(f.NumKids) + ", outside 0..41.");
    for (int i = 0; i < KidCount(f); ++i) {
      const std::int16_t k = f.Kids[static_cast<std::size_t>(i)];
      if (!in_range(k))
        add(TreeFault::PersonOutOfRange, 0, m,
            "Family " + std::to_string(m) + ": child slot " + std::to_string(i + 1) + " holds " + std::to_string(k) +
                ", outside 1.." + std::to_string(persons_) + ".");
      else listed_in_[static_cast<std::size_t>(k)].push_back(m);
    }
  }

  void check_person(std::int16_t p) {
    const PersonFacts& f = people_[static_cast<std::size_t>(p)];
    if (f.PerNum != p)
      add(TreeFault::RecordNumber, p, 0,
          "Person record " + std::to_string(p) + " carries the number " + std::to_string(f.PerNum) + ".");
    if (f.Deleted != 0) return;
    const auto& in = listed_in_[static_cast<std::size_t>(p)];
    if (in.empty()) add(TreeFault::NoParentFamily, p, 0, who(p) + " is not a child in any family.");
    if (in.size() > 1) {
      std::string list;
      for (std::size_t i = 0; i < in.size(); ++i) list += (i ? ", " : "") + std::to_string(in[i]);
      add(TreeFault::SeveralParentFamilies, p, in[0],
          who(p) + " is a child in " + std::to_string(in.size()) + " places: families " + list + ".");
    }
    const int found = partnered_[static_cast<std::size_t>(p)];
    if (f.NumPartners != found)
      add(TreeFault::PartnerCount, p, 0,
          who(p) + " has NumPartners " + std::to_string(f.NumPartners) + " but " + std::to_string(found) +
              (found == 1 ? " partnership" : " partnerships") + " with a partner.");
  }
};

}  // namespace

std::vector<TreeViolation> CheckTree(const Session& s) { return Checker(s).run(); }

}  // namespace vft
