#include "charts/chart_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace vft::chart {
namespace {

constexpr double kPi = std::numbers::pi;

// A node of a tidy tree: its extent across the levels, and its place in the
// tree. Nodes are numbered so that a parent comes before its children.
struct TreeNode {
  double extent = 0;
  int parent = -1;
  std::vector<int> kids;
  double anchor = 0;  // where its parent centres over it, from its own centre
};

// The outline of a subtree: per level the lowest and highest coordinate any
// box takes, the subtree's own level last. Actual coordinates are the stored
// ones plus `shift`, so moving a whole subtree is one addition.
struct Outline {
  std::vector<double> lo, hi;
  double shift = 0;
};

// The centre of every node across the levels, the root at 0. Children are
// laid out from the deepest up; each is pushed right until it keeps `gap`
// from its left siblings on every level both reach, then the parent is
// centred between its first and last child. Merging two outlines touches only
// the levels both have, which sums to the number of nodes over the tree.
std::vector<double> TidyCentres(const std::vector<TreeNode>& nodes, double gap) {
  const std::size_t n = nodes.size();
  std::vector<Outline> outline(n);
  std::vector<double> offset(n, 0);  // a node's centre relative to its parent's
  for (std::size_t i = n; i-- > 0;) {
    const TreeNode& node = nodes[i];
    const double half = node.extent / 2;
    if (node.kids.empty()) {
      outline[i].lo = {-half};
      outline[i].hi = {half};
      continue;
    }
    Outline acc = std::move(outline[static_cast<std::size_t>(node.kids.front())]);
    std::vector<double> pos(node.kids.size(), 0);
    for (std::size_t k = 1; k < node.kids.size(); ++k) {
      Outline& b = outline[static_cast<std::size_t>(node.kids[k])];
      const std::size_t la = acc.lo.size(), lb = b.lo.size(), common = std::min(la, lb);
      double at = -std::numeric_limits<double>::infinity();
      for (std::size_t j = 0; j < common; ++j)
        at = std::max(at, acc.hi[la - 1 - j] + acc.shift - (b.lo[lb - 1 - j] + b.shift) + gap);
      pos[k] = at;
      b.shift += at;
      if (lb > la) {
        for (std::size_t j = 0; j < common; ++j) b.lo[lb - 1 - j] = acc.lo[la - 1 - j] + acc.shift - b.shift;
        acc = std::move(b);
      } else {
        for (std::size_t j = 0; j < common; ++j) acc.hi[la - 1 - j] = b.hi[lb - 1 - j] + b.shift - acc.shift;
      }
    }
    const auto& first = nodes[static_cast<std::size_t>(node.kids.front())];
    const auto& last = nodes[static_cast<std::size_t>(node.kids.back())];
    const double centre = (pos.front() + first.anchor + pos.back() + last.anchor) / 2;
    acc.lo.push_back(centre - half - acc.shift);
    acc.hi.push_back(centre + half - acc.shift);
    acc.shift -= centre;
    for (std::size_t k = 0; k < node.kids.size(); ++k) offset[static_cast<std::size_t>(node.kids[k])] = pos[k] - centre;
    outline[i] = std::move(acc);
  }
  std::vector<double> centre(n, 0);
  for (std::size_t i = 1; i < n; ++i) centre[i] = centre[static_cast<std::size_t>(nodes[i].parent)] + offset[i];
  return centre;
}

bool Known(std::int16_t p) { return p >= 1; }

Box MakeBox(std::int16_t person, int level, int parent) {
  Box b;
  b.person = person;
  b.level = level;
  b.parent = parent;
  return b;
}

// Persons already drawn in full, by Person number.
class Seen {
 public:
  Seen() : box_(FamilyIndex::kPersonSlots, -1) {}
  int& operator[](std::int16_t p) { return box_[static_cast<std::size_t>(p)]; }

 private:
  std::vector<int> box_;
};

void Elbow(Layout& l, double x0, double y0, double x1, double y1, bool across_first, bool dashed) {
  Line line;
  line.dashed = dashed;
  if (across_first) {
    const double mx = (x0 + x1) / 2;
    line.xy = {x0, y0, mx, y0, mx, y1, x1, y1};
  } else {
    const double my = (y0 + y1) / 2;
    line.xy = {x0, y0, x0, my, x1, my, x1, y1};
  }
  l.lines.push_back(std::move(line));
}

Layout Ancestors(const FamilyIndex& index, std::int16_t root, int generations) {
  Layout l;
  l.kind = Kind::Ancestors;
  std::vector<TreeNode> nodes;
  Seen seen;
  nodes.push_back({kBoxHeight, -1, {}});
  l.boxes.push_back(MakeBox(root, 0, -1));
  seen[root] = 0;
  // Boxes are expanded in the order they were made, which numbers parents
  // before their own parents.
  for (std::size_t i = 0; i < l.boxes.size(); ++i) {
    const Box b = l.boxes[i];
    const std::int16_t fam = b.repeat() ? 0 : index.parent_family(b.person);
    if (fam == 0) continue;
    const MarriageRecord& f = index.family(fam);
    if (b.level + 1 >= generations) {
      l.boxes[i].more = Known(f.Husband) || Known(f.Wife);
      continue;
    }
    for (std::int16_t parent : {f.Husband, f.Wife}) {
      if (!Known(parent)) continue;
      Box p = MakeBox(parent, b.level + 1, static_cast<int>(i));
      const int at = static_cast<int>(l.boxes.size());
      if (seen[parent] >= 0) p.repeat_of = seen[parent];
      else seen[parent] = at;
      l.boxes.push_back(p);
      nodes.push_back({kBoxHeight, static_cast<int>(i), {}});
      nodes[i].kids.push_back(at);
    }
  }
  const std::vector<double> y = TidyCentres(nodes, kAncestorGap);
  for (std::size_t i = 0; i < l.boxes.size(); ++i) {
    Box& b = l.boxes[i];
    b.w = kBoxWidth;
    b.h = kBoxHeight;
    b.x = b.level * (kBoxWidth + kColumnGap);
    b.y = y[i] - kBoxHeight / 2;
  }
  for (const Box& b : l.boxes)
    if (b.parent >= 0) {
      const Box& child = l.boxes[static_cast<std::size_t>(b.parent)];
      Elbow(l, child.x + child.w, child.cy(), b.x, b.cy(), true, false);
    }
  return l;
}

Layout Descendants(const FamilyIndex& index, std::int16_t root, int generations) {
  Layout l;
  l.kind = Kind::Descendants;
  // A unit is a person with the partners beside them; its children hang from
  // the box of the partner they were born to (the person's own box when the
  // other parent is unknown). Units are found level by level, so within a
  // level they come in the tree's order, and their boxes are made in that
  // order afterwards: a person's box, then the partners' boxes.
  struct Unit {
    std::int16_t person = 0;
    int level = 0;
    int parent = -1;      // the unit it hangs from
    int from = 0;         // 0: the parent unit's person box, k: its k-th partner's box
    int family_slot = 0;  // which of the parent unit's families it was born to
    int repeat_of = -1;   // the unit where the person is drawn in full
    bool more = false;
    int families = 0;
    std::vector<std::int16_t> partners;
  };
  std::vector<TreeNode> nodes;
  std::vector<Unit> units;
  Seen seen;
  auto add_unit = [&](Unit u) {
    const int at = static_cast<int>(units.size());
    if (seen[u.person] >= 0) u.repeat_of = seen[u.person];
    else seen[u.person] = at;
    nodes.push_back({0, u.parent, {}});
    if (u.parent >= 0) nodes[static_cast<std::size_t>(u.parent)].kids.push_back(at);
    units.push_back(std::move(u));
  };
  Unit first;
  first.person = root;
  add_unit(std::move(first));
  for (std::size_t u = 0; u < units.size(); ++u) {
    const std::int16_t person = units[u].person;
    const int level = units[u].level;
    std::vector<Unit> kids;
    std::vector<std::int16_t> partners;
    int families = 0;
    if (units[u].repeat_of < 0) {
      for (std::int16_t m : index.families_of(person)) {
        const MarriageRecord& f = index.family(m);
        const std::int16_t other = f.Husband == person ? f.Wife : f.Husband;
        int from = 0;
        if (Known(other) && other != person) {
          partners.push_back(other);
          from = static_cast<int>(partners.size());
        }
        for (std::int16_t k : index.kids(m))
          if (Known(k)) {
            Unit kid;
            kid.person = k, kid.level = level + 1, kid.parent = static_cast<int>(u), kid.from = from,
            kid.family_slot = families;
            kids.push_back(std::move(kid));
          }
        ++families;
      }
    }
    nodes[u].extent =
        static_cast<double>(1 + partners.size()) * kBoxWidth + static_cast<double>(partners.size()) * kPartnerGap;
    // A person's parents stand centred over the person's own box, not over
    // the partners beside it.
    nodes[u].anchor = (kBoxWidth - nodes[u].extent) / 2;
    units[u].partners = std::move(partners);
    units[u].families = families;
    if (kids.empty()) continue;
    if (generations > 0 && level + 1 >= generations) {
      units[u].more = true;
      continue;
    }
    for (Unit& k : kids) add_unit(std::move(k));
  }
  const std::vector<double> x = TidyCentres(nodes, kSiblingGap);
  std::vector<int> first_box(units.size());
  for (std::size_t u = 0; u < units.size(); ++u) {
    const Unit& unit = units[u];
    first_box[u] = static_cast<int>(l.boxes.size());
    double left = x[u] - nodes[u].extent / 2;
    const double y = unit.level * (kBoxHeight + kLevelGap);
    Box b = MakeBox(unit.person, unit.level,
                    unit.parent >= 0 ? first_box[static_cast<std::size_t>(unit.parent)] + unit.from : -1);
    b.x = left, b.y = y, b.w = kBoxWidth, b.h = kBoxHeight;
    if (unit.repeat_of >= 0) b.repeat_of = first_box[static_cast<std::size_t>(unit.repeat_of)];
    b.more = unit.more;
    l.boxes.push_back(b);
    for (std::int16_t partner : unit.partners) {
      left += kBoxWidth + kPartnerGap;
      l.lines.push_back({{left - kPartnerGap, y + kBoxHeight / 2, left, y + kBoxHeight / 2}, false});
      Box p = MakeBox(partner, unit.level, first_box[u]);
      p.x = left, p.y = y, p.w = kBoxWidth, p.h = kBoxHeight, p.partner = true;
      l.boxes.push_back(p);
    }
  }
  // Each family's children hang from a bar of its own height, so the bars of
  // several partners' children never run along one another.
  for (std::size_t u = 1; u < units.size(); ++u) {
    const Unit& unit = units[u];
    const Box& child = l.boxes[static_cast<std::size_t>(first_box[u])];
    const Box& from = l.boxes[static_cast<std::size_t>(child.parent)];
    const int families = units[static_cast<std::size_t>(unit.parent)].families;
    const double bar = from.y + from.h + kLevelGap * (unit.family_slot + 1) / (families + 1);
    l.lines.push_back({{from.cx(), from.y + from.h, from.cx(), bar, child.cx(), bar, child.cx(), child.y}, false});
  }
  return l;
}

constexpr double kFanCentre = 90;      // the root's disc
constexpr double kFanInnerRing = 72;   // rings whose names run along the arc
constexpr double kFanOuterRing = 168;  // rings whose names run along the radius
constexpr double kFanMinArc = 30;      // the least arc of an outer segment: two lines of text

Layout Fan(const FamilyIndex& index, std::int16_t root, int generations, bool full) {
  Layout l;
  l.kind = Kind::Fan;
  const double span = full ? 2 * kPi : kPi;
  const double start = full ? kPi / 2 : kPi;
  std::vector<double> r0(static_cast<std::size_t>(generations)), r1(static_cast<std::size_t>(generations));
  r1[0] = kFanCentre;
  for (int g = 1; g < generations; ++g) {
    const bool inner = FanAlongArc(g);
    const double needed = inner ? 0 : kFanMinArc * std::ldexp(1.0, g) / span;
    r0[static_cast<std::size_t>(g)] = std::max(r1[static_cast<std::size_t>(g - 1)], needed);
    r1[static_cast<std::size_t>(g)] = r0[static_cast<std::size_t>(g)] + (inner ? kFanInnerRing : kFanOuterRing);
  }
  Seen seen;
  std::vector<long> slot;  // a box's position within its generation
  l.boxes.push_back(MakeBox(root, 0, -1));
  slot.push_back(0);
  seen[root] = 0;
  for (std::size_t i = 0; i < l.boxes.size(); ++i) {
    const Box b = l.boxes[i];
    if (b.repeat()) continue;
    const std::int16_t fam = index.parent_family(b.person);
    if (fam == 0) continue;
    const MarriageRecord& f = index.family(fam);
    if (b.level + 1 >= generations) {
      l.boxes[i].more = Known(f.Husband) || Known(f.Wife);
      continue;
    }
    const std::int16_t parents[2] = {f.Husband, f.Wife};
    for (int side = 0; side < 2; ++side) {
      if (!Known(parents[side])) continue;
      Box p = MakeBox(parents[side], b.level + 1, static_cast<int>(i));
      if (seen[p.person] >= 0) p.repeat_of = seen[p.person];
      else seen[p.person] = static_cast<int>(l.boxes.size());
      l.boxes.push_back(p);
      slot.push_back(slot[i] * 2 + side);
    }
  }
  for (std::size_t i = 0; i < l.boxes.size(); ++i) {
    Box& b = l.boxes[i];
    const double step = span / std::ldexp(1.0, b.level);
    const auto g = static_cast<std::size_t>(b.level);
    b.sector = {g == 0 ? 0 : r0[g], r1[g], start + step * static_cast<double>(slot[i]),
                start + step * static_cast<double>(slot[i] + 1)};
    // The bounding box: the corners, and the outer rim where it crosses an axis.
    double xs[2] = {1e300, -1e300}, ys[2] = {1e300, -1e300};
    auto take = [&](double r, double a) {
      const double px = r * std::cos(a), py = r * std::sin(a);
      xs[0] = std::min(xs[0], px), xs[1] = std::max(xs[1], px);
      ys[0] = std::min(ys[0], py), ys[1] = std::max(ys[1], py);
    };
    for (double r : {b.sector.r0, b.sector.r1})
      for (double a : {b.sector.a0, b.sector.a1}) take(r, a);
    for (double a = std::ceil(b.sector.a0 / (kPi / 2)) * (kPi / 2); a < b.sector.a1; a += kPi / 2) take(b.sector.r1, a);
    b.x = xs[0], b.y = ys[0], b.w = xs[1] - xs[0], b.h = ys[1] - ys[0];
  }
  return l;
}

// A short dashed stub leaves every box beyond which the tree goes on.
void AddStubs(Layout& l) {
  constexpr double kStub = 14;
  for (const Box& b : l.boxes) {
    if (!b.more) continue;
    Line stub;
    stub.dashed = true;
    if (l.kind == Kind::Ancestors) stub.xy = {b.x + b.w, b.cy(), b.x + b.w + kStub, b.cy()};
    else if (l.kind == Kind::Descendants) stub.xy = {b.cx(), b.y + b.h, b.cx(), b.y + b.h + kStub};
    else {
      const double a = (b.sector.a0 + b.sector.a1) / 2, c = std::cos(a), s = std::sin(a);
      stub.xy = {l.cx + b.sector.r1 * c, l.cy + b.sector.r1 * s, l.cx + (b.sector.r1 + kStub) * c,
                 l.cy + (b.sector.r1 + kStub) * s};
    }
    l.lines.push_back(std::move(stub));
  }
}

// Moves everything so that the chart starts at the margin, and sizes it.
void Frame(Layout& l) {
  if (l.boxes.empty()) return;
  double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
  for (const Box& b : l.boxes) {
    x0 = std::min(x0, b.x), y0 = std::min(y0, b.y);
    x1 = std::max(x1, b.x + b.w), y1 = std::max(y1, b.y + b.h);
  }
  const double dx = kMargin - x0, dy = kMargin - y0;
  for (Box& b : l.boxes) b.x += dx, b.y += dy;
  for (Line& line : l.lines)
    for (std::size_t k = 0; k + 1 < line.xy.size(); k += 2) line.xy[k] += dx, line.xy[k + 1] += dy;
  l.cx += dx, l.cy += dy;
  l.width = x1 - x0 + 2 * kMargin;
  l.height = y1 - y0 + 2 * kMargin;
}

}  // namespace

bool FanAlongArc(int generation) { return generation <= 2; }

int ClampGenerations(const Options& o) {
  switch (o.kind) {
    case Kind::Ancestors: return std::clamp(o.generations, kMinAncestorGenerations, kMaxAncestorGenerations);
    case Kind::Fan: return std::clamp(o.generations, kMinFanGenerations, kMaxFanGenerations);
    case Kind::Descendants: break;
  }
  return std::max(o.generations, 0);
}

Layout LayOut(const FamilyIndex& index, std::int16_t root, const Options& o) {
  Layout l;
  l.kind = o.kind;
  if (!Known(root)) return l;
  const int g = ClampGenerations(o);
  switch (o.kind) {
    case Kind::Ancestors: l = Ancestors(index, root, g); break;
    case Kind::Descendants: l = Descendants(index, root, g); break;
    case Kind::Fan: l = Fan(index, root, g, o.full_circle); break;
  }
  AddStubs(l);
  Frame(l);
  return l;
}

Layout LayOut(const Session& s, std::int16_t root, const Options& o) { return LayOut(FamilyIndex(s), root, o); }

bool InSector(const Layout& l, const Box& b, double x, double y) {
  const double dx = x - l.cx, dy = y - l.cy, r = std::hypot(dx, dy);
  if (r < b.sector.r0 || r > b.sector.r1) return false;
  if (b.level == 0) return b.sector.a1 - b.sector.a0 >= 2 * kPi - 1e-9 || dy <= 0;
  double a = std::atan2(dy, dx);
  while (a < b.sector.a0) a += 2 * kPi;
  return a <= b.sector.a1;
}

int BoxAt(const Layout& l, double x, double y) {
  for (std::size_t i = 0; i < l.boxes.size(); ++i) {
    const Box& b = l.boxes[i];
    if (x < b.x || x > b.x + b.w || y < b.y || y > b.y + b.h) continue;
    if (l.kind != Kind::Fan || InSector(l, b, x, y)) return static_cast<int>(i);
  }
  return -1;
}

int NeighbourBox(const Layout& l, int from, int dx, int dy) {
  if (from < 0 || static_cast<std::size_t>(from) >= l.boxes.size()) return l.boxes.empty() ? -1 : 0;
  const Box& f = l.boxes[static_cast<std::size_t>(from)];
  int best = -1;
  double score = 1e300;
  for (std::size_t i = 0; i < l.boxes.size(); ++i) {
    const double ax = l.boxes[i].cx() - f.cx(), ay = l.boxes[i].cy() - f.cy();
    const double along = ax * dx + ay * dy, across = std::abs(dx != 0 ? ay : ax);
    if (along <= 1e-6 || across > along * 2) continue;
    const double s = along + 2 * across;
    if (s < score) score = s, best = static_cast<int>(i);
  }
  return best;
}

}  // namespace vft::chart
