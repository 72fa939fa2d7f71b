#include "relations/relationship.h"

#include <algorithm>
#include <functional>
#include <unordered_map>

#include "relations/kinship_terms.h"
#include "relations/person_io.h"
#include "relations/relationship_search.h"

namespace vft {
namespace {

using kin::Ancestry;
using kin::BloodWay;

// Each person's sex is read once per question.
class Sexes {
 public:
  explicit Sexes(const Session& s) : s_(s) {}
  char of(std::int16_t p) {
    auto [it, fresh] = memo_.try_emplace(p, char{0});
    if (PersonRecord r; fresh && ReadStoredPerson(s_, p, r)) it->second = SexOf(r);
    return it->second;
  }

 private:
  const Session& s_;
  std::unordered_map<std::int16_t, char> memo_;
};

std::int16_t other_partner(const MarriageRecord& f, std::int16_t p) { return f.Husband == p ? f.Wife : f.Husband; }

// Partners first, then blood, then the ways through a partnership.
int kind_rank(WayKind k) {
  switch (k) {
    case WayKind::Partners: return 0;
    case WayKind::Blood: return 1;
    default: return 2;
  }
}

class Finder {
 public:
  Finder(const Session& s, std::int16_t a, std::int16_t b) : idx_(s), sex_(s), a_(a), b_(b) {
    up_a_.search(idx_, a);
    up_b_.search(idx_, b);
  }

  Relationship run() {
    blood();
    partners();
    relatives_of_partners();
    partners_of_relatives();
    step_siblings();
    step_parents_relatives();
    relatives_step_children();
    std::stable_sort(found_.begin(), found_.end(), [](const RelationshipWay& l, const RelationshipWay& r) {
      if (kind_rank(l.kind) != kind_rank(r.kind)) return kind_rank(l.kind) < kind_rank(r.kind);
      return l.links < r.links;
    });
    Relationship r;
    if (found_.size() > static_cast<std::size_t>(kMaxRelationshipWays)) {
      more_ += static_cast<int>(found_.size()) - kMaxRelationshipWays;
      found_.resize(static_cast<std::size_t>(kMaxRelationshipWays));
    }
    r.ways = std::move(found_);
    r.more_ways = more_;
    r.search_cut = cut_;
    if (r.ways.empty()) chain(r);
    return r;
  }

 private:
  FamilyIndex idx_;
  Sexes sex_;
  std::int16_t a_, b_;
  Ancestry up_a_, up_b_, up_other_;
  std::vector<RelationshipWay> found_;
  int more_ = 0;
  bool cut_ = false;

  std::string partner_word(const MarriageRecord& f, std::int16_t p) {
    return PartnerTerm(f.Divorced != 0, f.NotMarried != 0, sex_.of(p));
  }

  // The persons of a blood way from `from`, the start of its a-side line, to
  // the start of its b-side line. Up to the meeting point each is the parent of the one
  // before; a meeting family shows its father (else its mother); below it each
  // is the child of the one before, or a sibling when the family has no parent.
  std::vector<PathStep> blood_path(const BloodWay& w, std::int16_t from) {
    std::vector<PathStep> path{{from, ""}};
    for (std::size_t i = 1; i < w.line_a.size(); ++i)
      if (!kin::is_family(w.line_a[i])) {
        const auto p = static_cast<std::int16_t>(w.line_a[i]);
        path.push_back({p, ParentWord(sex_.of(p))});
      }
    bool top = true;
    if (!kin::is_family(w.meet)) {
      const auto p = static_cast<std::int16_t>(w.meet);
      if (p != from) path.push_back({p, ParentWord(sex_.of(p))});
    } else {
      const MarriageRecord& f = idx_.family(kin::family_of_node(w.meet));
      const std::int16_t parent = f.Husband >= 1 ? f.Husband : f.Wife;
      if (parent >= 1) path.push_back({parent, ParentWord(sex_.of(parent))});
      else top = false;
    }
    for (auto it = w.line_b.rbegin(); it != w.line_b.rend(); ++it)
      if (!kin::is_family(*it)) {
        const auto p = static_cast<std::int16_t>(*it);
        path.push_back({p, top ? ChildWord(sex_.of(p)) : SiblingWord(sex_.of(p))});
        top = true;
      }
    return path;
  }

  std::vector<std::int16_t> common(const BloodWay& w) const {
    if (!kin::is_family(w.meet)) return {static_cast<std::int16_t>(w.meet)};
    const MarriageRecord& f = idx_.family(kin::family_of_node(w.meet));
    std::vector<std::int16_t> out;
    for (std::int16_t p : {f.Husband, f.Wife})
      if (p >= 1) out.push_back(p);
    return out;
  }

  // p stands on the way, or is a parent of a family on it: then the way runs
  // through p, and p's own relationship is a closer one.
  bool touches(const BloodWay& w, std::int16_t p) const {
    auto hit = [&](int n) {
      if (!kin::is_family(n)) return n == p;
      const MarriageRecord& f = idx_.family(kin::family_of_node(n));
      return f.Husband == p || f.Wife == p;
    };
    return hit(w.meet) || std::any_of(w.line_a.begin(), w.line_a.end(), hit) ||
           std::any_of(w.line_b.begin(), w.line_b.end(), hit);
  }

  std::vector<BloodWay> blood_ways(const Ancestry& x, const Ancestry& y,
                                   const std::function<bool(const BloodWay&)>& keep = {}) {
    kin::BloodWays found = kin::FindBloodWays(x, y, kMaxRelationshipWays, keep);
    more_ += found.more;
    cut_ = cut_ || found.cut;
    return std::move(found.ways);
  }

  void blood() {
    for (const BloodWay& w : blood_ways(up_a_, up_b_)) {
      RelationshipWay way{WayKind::Blood,
                          BloodTerm(w.up, w.down, w.half, sex_.of(a_)),
                          BloodTerm(w.down, w.up, w.half, sex_.of(b_)),
                          common(w),
                          blood_path(w, a_),
                          w.up + w.down,
                          a_,
                          b_};
      found_.push_back(std::move(way));
    }
  }

  void partners() {
    for (std::int16_t m : idx_.families_of(a_)) {
      const MarriageRecord& f = idx_.family(m);
      if (other_partner(f, a_) != b_) continue;
      found_.push_back(
          {WayKind::Partners, partner_word(f, a_), partner_word(f, b_), {}, {{a_, ""}, {b_, partner_word(f, b_)}}, 1});
    }
  }

  // Each partner once, with the first family of the couple.
  std::vector<std::pair<std::int16_t, const MarriageRecord*>> partners_of(std::int16_t p, std::int16_t skip) {
    std::vector<std::pair<std::int16_t, const MarriageRecord*>> out;
    for (std::int16_t m : idx_.families_of(p)) {
      const MarriageRecord& f = idx_.family(m);
      const std::int16_t q = other_partner(f, p);
      if (q < 1 || q == p || q == skip) continue;
      if (std::none_of(out.begin(), out.end(), [q](const auto& e) { return e.first == q; })) out.push_back({q, &f});
    }
    return out;
  }

  // a is a blood relative of b's partner.
  void relatives_of_partners() {
    for (const auto& [partner, f] : partners_of(b_, a_)) {
      up_other_.search(idx_, partner);
      for (const BloodWay& w : blood_ways(up_a_, up_other_, [&](const BloodWay& x) { return !touches(x, b_); })) {
        RelationshipWay way{WayKind::RelativeOfPartner,
                            InLawTerm(true, w.up, w.down, w.half, sex_.of(a_)),
                            InLawTerm(false, w.down, w.up, w.half, sex_.of(b_)),
                            common(w),
                            blood_path(w, a_),
                            w.up + w.down + 1,
                            a_,
                            partner};
        way.path.push_back({b_, partner_word(*f, b_)});
        found_.push_back(std::move(way));
      }
    }
  }

  // a is the partner of b's blood relative.
  void partners_of_relatives() {
    for (const auto& [partner, f] : partners_of(a_, b_)) {
      up_other_.search(idx_, partner);
      for (const BloodWay& w : blood_ways(up_other_, up_b_, [&](const BloodWay& x) { return !touches(x, a_); })) {
        RelationshipWay way{WayKind::PartnerOfRelative,
                            InLawTerm(false, w.up, w.down, w.half, sex_.of(a_)),
                            InLawTerm(true, w.down, w.up, w.half, sex_.of(b_)),
                            common(w),
                            {{a_, ""}},
                            w.up + w.down + 1,
                            partner,
                            b_};
        std::vector<PathStep> rest = blood_path(w, partner);
        rest.front().link = partner_word(*f, partner);
        way.path.insert(way.path.end(), rest.begin(), rest.end());
        found_.push_back(std::move(way));
      }
    }
  }

  std::vector<std::int16_t> parents(std::int16_t p) const {
    std::vector<std::int16_t> out;
    if (std::int16_t m = idx_.parent_family(p))
      for (std::int16_t q : {idx_.family(m).Husband, idx_.family(m).Wife})
        if (q >= 1) out.push_back(q);
    return out;
  }

  void step_siblings() {
    const std::vector<std::int16_t> pa = parents(a_), pb = parents(b_);
    for (std::int16_t x : pa)
      if (std::find(pb.begin(), pb.end(), x) != pb.end()) return;
    for (std::int16_t x : pa)
      for (const auto& [y, f] : partners_of(x, 0)) {
        if (std::find(pb.begin(), pb.end(), y) == pb.end()) continue;
        found_.push_back(
            {WayKind::StepSiblings,
             StepSiblingTerm(sex_.of(a_)),
             StepSiblingTerm(sex_.of(b_)),
             {},
             {{a_, ""}, {x, ParentWord(sex_.of(x))}, {y, partner_word(*f, y)}, {b_, ChildWord(sex_.of(b_))}},
             3});
      }
  }

  struct StepParent {
    std::int16_t step, parent;  // the step-parent, and the partner who is p's parent
    const MarriageRecord* f;
  };
  // The partners of p's parents who are not p's parents.
  std::vector<StepParent> step_parents(std::int16_t p) {
    std::vector<StepParent> out;
    const std::vector<std::int16_t> own = parents(p);
    for (std::int16_t y : own)
      for (const auto& [x, f] : partners_of(y, 0))
        if (std::find(own.begin(), own.end(), x) == own.end()) out.push_back({x, y, f});
    return out;
  }

  // a is an ancestor of b's step-parent, or a sibling of the step-parent or
  // of one of the step-parent's ancestors: step-grandfather, step-aunt. (A
  // child of the step-parent is a step-sibling, above.)
  void step_parents_relatives() {
    for (const StepParent& sp : step_parents(b_)) {
      if (sp.step == a_) continue;  // the step-parent himself: a partner of a relative, above
      up_other_.search(idx_, sp.step);
      auto keep = [&](const BloodWay& w) {
        return w.up <= 1 && w.down >= 1 && !touches(w, b_) && !touches(w, sp.parent);
      };
      for (const BloodWay& w : blood_ways(up_a_, up_other_, keep)) {
        RelationshipWay way{WayKind::StepParentsRelative,
                            StepTerm(w.up, w.down + 1, sex_.of(a_)),
                            StepTerm(w.down + 1, w.up, sex_.of(b_)),
                            common(w),
                            blood_path(w, a_),
                            w.up + w.down + 2,
                            a_,
                            sp.step};
        way.path.push_back({sp.parent, partner_word(*sp.f, sp.parent)});
        way.path.push_back({b_, ChildWord(sex_.of(b_))});
        found_.push_back(std::move(way));
      }
    }
  }

  // The same the other way round: b is that relative of a's step-parent.
  void relatives_step_children() {
    for (const StepParent& sp : step_parents(a_)) {
      if (sp.step == b_) continue;
      up_other_.search(idx_, sp.step);
      auto keep = [&](const BloodWay& w) {
        return w.down <= 1 && w.up >= 1 && !touches(w, a_) && !touches(w, sp.parent);
      };
      for (const BloodWay& w : blood_ways(up_other_, up_b_, keep)) {
        RelationshipWay way{WayKind::RelativesStepChild,
                            StepTerm(w.up + 1, w.down, sex_.of(a_)),
                            StepTerm(w.down, w.up + 1, sex_.of(b_)),
                            common(w),
                            {{a_, ""}, {sp.parent, ParentWord(sex_.of(sp.parent))}},
                            w.up + w.down + 2,
                            sp.step,
                            b_};
        std::vector<PathStep> rest = blood_path(w, sp.step);
        rest.front().link = partner_word(*sp.f, sp.step);
        way.path.insert(way.path.end(), rest.begin(), rest.end());
        found_.push_back(std::move(way));
      }
    }
  }

  // The shortest chain of links of any kind, breadth first over persons and
  // families alike (each link is a person-family-person step).
  void chain(Relationship& r) {
    constexpr int kUnseen = -2;
    std::vector<int> from(kin::kNodes, kUnseen);
    std::vector<int> queue{a_};
    from[static_cast<std::size_t>(a_)] = -1;
    auto seen = [&](int n) { return from[static_cast<std::size_t>(n)] != kUnseen; };
    auto reach = [&](int n, int via) {
      if (!seen(n)) from[static_cast<std::size_t>(n)] = via, queue.push_back(n);
    };
    for (std::size_t i = 0; i < queue.size() && !seen(b_); ++i) {
      const int n = queue[i];
      if (!kin::is_family(n)) {
        const auto p = static_cast<std::int16_t>(n);
        if (std::int16_t m = idx_.parent_family(p)) reach(kin::family_node(m), n);
        for (std::int16_t m : idx_.families_of(p)) reach(kin::family_node(m), n);
        continue;
      }
      const int m = kin::family_of_node(n);
      for (std::int16_t q : {idx_.family(m).Husband, idx_.family(m).Wife})
        if (q >= 1) reach(q, n);
      for (std::int16_t k : idx_.kids(m))
        if (k >= 1 && idx_.parent_family(k) == m) reach(k, n);
    }
    if (!seen(b_)) return;
    std::vector<int> nodes;
    for (int n = b_; n >= 0; n = from[static_cast<std::size_t>(n)]) nodes.push_back(n);
    std::reverse(nodes.begin(), nodes.end());
    r.chain.push_back({a_, ""});
    for (std::size_t i = 2; i < nodes.size(); i += 2) {
      const auto p = static_cast<std::int16_t>(nodes[i - 2]), q = static_cast<std::int16_t>(nodes[i]);
      const int m = kin::family_of_node(nodes[i - 1]);
      const MarriageRecord& f = idx_.family(m);
      const bool p_child = idx_.parent_family(p) == m, q_child = idx_.parent_family(q) == m;
      std::string link;
      if (p_child && q_child) link = SiblingWord(sex_.of(q));
      else if (p_child) link = ParentWord(sex_.of(q));
      else if (q_child) link = ChildWord(sex_.of(q));
      else {
        link = partner_word(f, q);
        r.couples.push_back({f.Husband, f.Wife});
      }
      r.chain.push_back({q, link});
    }
  }
};

}  // namespace

Relationship FindRelationship(const Session& s, std::int16_t a, std::int16_t b) {
  if (a < 1 || b < 1 || a == b) return {};
  return Finder(s, a, b).run();
}

}  // namespace vft
