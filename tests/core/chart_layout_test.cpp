// The charts on screen over generated trees of many shapes, hand-made
// collapses, loops and wide families: boxes never overlap, the tree's order
// is kept left to right (top to bottom for ancestors), a person stands
// centred over the people it leads to, a person drawn twice is a marked
// repeat of one full box, and every walk ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include "charts/chart_look.h"
#include "charts/chart_pages.h"
#include "golden.h"
#include "store/familyfile.h"
#include "relations/lookups.h"
#include "temp_session.h"
#include "tree_builder.h"
#include "tree_gen.h"

using namespace vft;
using namespace vft::chart;

namespace {

void ExpectSound(const Session& s, const Layout& l, const std::string& what) {
  SCOPED_TRACE(what);
  const FamilyIndex index(s);
  std::map<std::int16_t, int> full;  // person -> its one full box
  std::map<int, std::vector<int>> by_level;
  for (std::size_t i = 0; i < l.boxes.size(); ++i) {
    const Box& b = l.boxes[i];
    by_level[b.level].push_back(static_cast<int>(i));
    if (b.repeat()) {
      ASSERT_LT(b.repeat_of, static_cast<int>(i));
      EXPECT_EQ(l.boxes[static_cast<std::size_t>(b.repeat_of)].person, b.person);
      EXPECT_FALSE(l.boxes[static_cast<std::size_t>(b.repeat_of)].repeat());
    } else if (!b.partner) {
      EXPECT_TRUE(full.emplace(b.person, static_cast<int>(i)).second) << "drawn in full twice: " << b.person;
    }
    const TextSpot spot = TextSpotOf(l, b);
    const double turn = spot.angle;
    EXPECT_TRUE(turn <= 90 + 1e-9 || turn >= 270 - 1e-9) << "upside down";
    // A fan's lines along the arc keep their corners within the segment's rim.
    if (l.kind == Kind::Fan && b.level > 0 && spot.lines > 0 && FanAlongArc(b.level)) {
      const double a = turn * std::numbers::pi / 180, bottom = spot.lines == 2 ? 1.5 * kLineStep : kLineStep / 2;
      for (double along : {-spot.room / 2, spot.room / 2})
        for (double down : {-kLineStep / 2, bottom})
          EXPECT_LE(std::hypot(spot.x + along * std::cos(a) - down * std::sin(a) - l.cx,
                               spot.y + along * std::sin(a) + down * std::cos(a) - l.cy),
                    b.sector.r1 + 1e-6);
    }
    EXPECT_GE(b.x, kMargin - 1e-6);
    EXPECT_LE(b.x + b.w, l.width - kMargin + 1e-6);
  }
  // Within a level, boxes are made in the tree's order; they must stand in
  // that order, each clear of the one before.
  for (auto& [level, ids] : by_level) {
    for (std::size_t k = 1; k < ids.size(); ++k) {
      const Box& a = l.boxes[static_cast<std::size_t>(ids[k - 1])];
      const Box& b = l.boxes[static_cast<std::size_t>(ids[k])];
      if (l.kind == Kind::Ancestors) {
        EXPECT_GE(b.y, a.y + a.h + kAncestorGap - 1e-6);
      } else if (l.kind == Kind::Descendants) {
        EXPECT_GE(b.x, a.x + a.w + kPartnerGap - 1e-6);
      } else {
        EXPECT_GE(b.sector.a0, a.sector.a1 - 1e-9);
      }
    }
  }
  // Beyond order and room: the people a box leads to, and centring over them.
  std::map<int, std::vector<int>> led;  // a unit's person box -> the boxes hanging from it
  for (std::size_t i = 0; i < l.boxes.size(); ++i) {
    const Box& b = l.boxes[i];
    if (b.parent < 0 || b.partner) continue;
    int from = b.parent;
    while (l.boxes[static_cast<std::size_t>(from)].partner) from = l.boxes[static_cast<std::size_t>(from)].parent;
    led[from].push_back(static_cast<int>(i));
    EXPECT_FALSE(l.boxes[static_cast<std::size_t>(from)].repeat()) << "a repeat leads on";
    if (l.kind == Kind::Fan) {
      const Sector &c = l.boxes[static_cast<std::size_t>(from)].sector, &p = b.sector;
      EXPECT_TRUE(p.a0 >= c.a0 - 1e-9 && p.a1 <= c.a1 + 1e-9 && p.r0 >= c.r1 - 1e-9);
    }
  }
  for (auto& [from, ids] : led) {
    const Box& f = l.boxes[static_cast<std::size_t>(from)];
    std::vector<std::int16_t> got, want;
    for (int id : ids) got.push_back(l.boxes[static_cast<std::size_t>(id)].person);
    if (l.kind == Kind::Descendants) {
      for (std::int16_t m : index.families_of(f.person))
        for (std::int16_t k : index.kids(m))
          if (k >= 1) want.push_back(k);
      int last = from;
      while (static_cast<std::size_t>(last + 1) < l.boxes.size() && l.boxes[static_cast<std::size_t>(last + 1)].partner)
        ++last;
      const double centre = (f.x + l.boxes[static_cast<std::size_t>(last)].x + kBoxWidth) / 2;
      EXPECT_NEAR(
          centre,
          (l.boxes[static_cast<std::size_t>(ids.front())].cx() + l.boxes[static_cast<std::size_t>(ids.back())].cx()) /
              2,
          1e-6);
    } else {
      const MarriageRecord& fam = index.family(index.parent_family(f.person));
      for (std::int16_t p : {fam.Husband, fam.Wife})
        if (p >= 1) want.push_back(p);
      if (l.kind == Kind::Ancestors) {
        EXPECT_NEAR(
            f.cy(),
            (l.boxes[static_cast<std::size_t>(ids.front())].cy() + l.boxes[static_cast<std::size_t>(ids.back())].cy()) /
                2,
            1e-6);
      }
    }
    EXPECT_EQ(got, want) << "led from box " << from;
  }
}

std::vector<Options> EveryChart() {
  return {{Kind::Ancestors, 2},   {Kind::Ancestors, 10}, {Kind::Descendants, 0},
          {Kind::Descendants, 2}, {Kind::Fan, 3},        {Kind::Fan, 9, true}};
}

TEST(ChartLayout, GeneratedTreesOfManyShapes) {
  struct Shape {
    int persons, marriages, generations;
    std::uint64_t seed;
  };
  for (const Shape& shape :
       {Shape{2, 1, 1, 1}, Shape{60, 45, 4, 2}, Shape{300, 200, 9, 3}, Shape{900, 500, 12, 4}, Shape{400, 120, 3, 5}}) {
    test::TempSession t;
    test::generate_tree(
        t.s,
        {.seed = shape.seed, .persons = shape.persons, .marriages = shape.marriages, .generations = shape.generations});
    for (std::int16_t root = 1; root <= t.s.Config.NumPersons(); root = static_cast<std::int16_t>(root * 3 + 1))
      for (const Options& o : EveryChart())
        ExpectSound(t.s, LayOut(t.s, root, o),
                    "persons " + std::to_string(shape.persons) + " root " + std::to_string(root));
  }
}

// Cousins who married: their grandparents are reached twice from a child of
// theirs, their descendants twice from the grandparents. A damaged loop (a man
// the father of his own great-grandfather) must end too.
TEST(ChartLayout, CollapseIsDrawnOnceAndLoopsEnd) {
  test::TempSession t;
  test::TreeBuilder b(t.s);
  const auto gp = b.family(b.person("Old", "Reed", "M"), b.person("Ada", "Reed", "F"));
  const auto son = b.child(gp, "Tom", "Reed", "M"), daughter = b.child(gp, "Eve", "Reed", "F");
  const auto f1 = b.family(son, b.person("Ann", "Bay", "F")), f2 = b.family(b.person("Joe", "Hart", "M"), daughter);
  const auto cousins = b.family(b.child(f1, "Sam", "Reed", "M"), b.child(f2, "Liz", "Hart", "F"));
  const auto kid = b.child(cousins, "Kit", "Reed", "M");
  for (const Options& o : EveryChart()) {
    const Layout l = LayOut(t.s, o.kind == Kind::Descendants ? 1 : kid, o);
    ExpectSound(t.s, l, "collapse");
    if (o.generations >= 4 || o.generations == 0) {
      EXPECT_TRUE(std::ranges::any_of(l.boxes, [](const Box& x) { return x.repeat(); }));
    }
  }
  // A damaged tree: Kit is made the father of his own great-grandfather.
  t.s.Marriages[static_cast<std::size_t>(ParentFamilyOf(t.s, 1))].Husband = kid;
  for (const Options& o : EveryChart()) ExpectSound(t.s, LayOut(t.s, kid, o), "loop");
}

TEST(ChartLayout, WideFamiliesStayApart) {
  test::TempSession t;
  test::TreeBuilder b(t.s);
  const auto man = b.person("Many", "Wives", "M");
  for (int k = 0; k < 12; ++k) {
    const auto m = b.family(man, b.person("Wife" + std::to_string(k), "X", "F"));
    for (int c = 0; c < (k == 3 ? 41 : k % 3); ++c) b.child(m, "C" + std::to_string(c), "Wives", c % 2 ? "F" : "M");
  }
  const Layout l = LayOut(t.s, man, {Kind::Descendants, 0});
  ExpectSound(t.s, l, "wide");
  EXPECT_EQ(std::ranges::count_if(l.boxes, [](const Box& x) { return x.partner; }), 12);
  EXPECT_EQ(l.boxes.size(), 1u + 12 + 41 + 4 * 1 + 4 * 2 - 0);
  // A root that is nobody draws nothing; one without relatives is one box.
  EXPECT_TRUE(LayOut(t.s, 0, {Kind::Fan, 5}).boxes.empty());
  EXPECT_EQ(LayOut(t.s, man, {Kind::Ancestors, 5}).boxes.size(), 1u);
}

TEST(ChartLayout, PicksBoxesAndNeighbours) {
  test::TempSession t;
  test::TreeBuilder b(t.s);
  const auto f = b.family(b.person("Dad", "Ode", "M"), b.person("Mum", "Ode", "F"));
  const auto me = b.child(f, "Me", "Ode", "M");
  for (Kind k : {Kind::Ancestors, Kind::Fan}) {
    const Layout l = LayOut(t.s, me, {k, 3});
    ASSERT_EQ(l.boxes.size(), 3u);
    for (int i = 0; i < 3; ++i) {
      const TextSpot spot = TextSpotOf(l, l.boxes[static_cast<std::size_t>(i)]);
      EXPECT_EQ(BoxAt(l, spot.x, spot.y), i);
    }
    EXPECT_EQ(BoxAt(l, 1, 1), -1);
  }
  const Layout tree = LayOut(t.s, me, {Kind::Ancestors, 3});
  EXPECT_EQ(NeighbourBox(tree, 0, 1, 0), 1);   // right from me: the father, first
  EXPECT_EQ(NeighbourBox(tree, 1, 0, 1), 2);   // down from the father: the mother
  EXPECT_EQ(NeighbourBox(tree, 2, 1, 0), -1);  // nothing beyond the last generation
}

// Printing: parts of a page less the overlap apart, the last ending at the
// chart's edge; a tick pair on each edge line that a neighbour starts or ends
// on; one page scales down only; refusals leave no pages.
TEST(ChartPages, TilesAndScales) {
  struct Row {
    Rect area;
    double pw, ph;
    bool one;
    int rows, columns;
    double scale;
    Rect last;
    int marks;
  };
  const double o = kTileOverlap;
  const Row rows[] = {
      {{0, 0, 500, 300}, 700, 1000, false, 1, 1, 1, {0, 0, 500, 300}, 0},
      {{0, 0, 700, 1000}, 700, 1000, false, 1, 1, 1, {0, 0, 700, 1000}, 0},
      {{0, 0, 701, 300}, 700, 1000, false, 1, 2, 1, {700 - o, 0, 1 + o, 300}, 4},
      {{10, 20, 1500, 1001},
       700,
       1000,
       false,
       2,
       3,
       1,
       {10 + 2 * (700 - o), 20 + 1000 - o, 1500 - 2 * (700 - o), 1 + o},
       28},
      {{0, 0, 1400, 500}, 700, 1000, true, 1, 1, 0.5, {0, 0, 1400, 500}, 0},
      {{0, 0, 100, 100}, 700, 1000, true, 1, 1, 1, {0, 0, 100, 100}, 0},
      {{0, 0, 100000, 100000}, 700, 1000, false, 105, 154, 1, {}, -1},  // too many pages
      {{0, 0, 500, 300}, 90, 1000, false, 0, 0, 1, {}, -1},             // paper smaller than two overlaps
      {{0, 0, 0, 300}, 700, 1000, true, 0, 0, 1, {}, -1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.area.w << " x " << r.area.h << " on " << r.pw << (r.one ? " one page" : ""));
    const PagePlan plan = PlanPages(r.area, r.pw, r.ph, r.one);
    EXPECT_EQ(plan.rows, r.rows);
    EXPECT_EQ(plan.columns, r.columns);
    EXPECT_DOUBLE_EQ(plan.scale, r.scale);
    if (r.marks < 0) {
      EXPECT_TRUE(plan.pages.empty());
      continue;
    }
    ASSERT_EQ(plan.pages.size(), static_cast<std::size_t>(r.rows * r.columns));
    EXPECT_EQ(plan.pages.back().part, r.last);
    std::size_t marks = 0;
    for (std::size_t k = 0; k < plan.pages.size(); ++k) {
      const PageTile& t = plan.pages[k];
      marks += t.marks.size();
      // A mark lies on the page, on the line where the next page's part begins.
      for (const Mark& m : t.marks) {
        EXPECT_TRUE(m.x0 >= 0 && m.x1 <= t.part.w && m.y0 >= 0 && m.y1 <= t.part.h);
        EXPECT_TRUE(m.x0 == m.x1 || m.y0 == m.y1);
      }
      if (t.column + 1 < plan.columns) {
        EXPECT_DOUBLE_EQ(plan.pages[k + 1].part.x - t.part.x, r.pw - o);
        EXPECT_TRUE(std::ranges::any_of(t.marks, [&](const Mark& m) { return m.x0 == r.pw - o && m.x1 == m.x0; }));
      }
    }
    EXPECT_EQ(marks, static_cast<std::size_t>(r.marks));
  }
}

// The sample's three charts as SVG. Rules pinned: boxes in the family view's
// sex colours with the accent as border, names shortened with the family name
// kept, the view's date line under the name, dashed borders on repeats, dashed
// stubs where the tree goes on, text as text.
TEST(ChartLayout, SampleSvgGolden) {
  test::TempSession t;
  ASSERT_EQ(OpenFamilyFile(t.s, VFT_SAMPLE_FILE), -1);
  print::FixedMeasure measure;
  const std::int16_t root = 57;  // Sophie Smith: five generations of Smiths above her
  for (auto [o, file] : {std::pair{Options{Kind::Ancestors, 5}, "chart_ancestors.svg"},
                         std::pair{Options{Kind::Descendants, 0}, "chart_descendants.svg"},
                         std::pair{Options{Kind::Fan, 5}, "chart_fan.svg"}}) {
    const Layout l = LayOut(t.s, o.kind == Kind::Descendants ? 1 : root, o);
    test::expect_golden(file, ChartSvg(l, ChartTexts(t.s, measure, l), Colours{}));
  }
}

}  // namespace
