// Where the boxes of the charts on screen go: ancestors left to right,
// descendants top-down with partners beside their person, and a fan of
// ancestors in rings. Everything is in chart units, which are pixels at
// 100 % (96 to the inch); the window, the picture files and the SVG writer
// all draw from the same layout.
//
// Ancestors and descendants are tidy trees: every subtree is packed against
// its left neighbour as closely as its outline (the extent of each of its
// levels) allows, and a person stands centred over the first and last of the
// people it leads to. Outlines are merged shallow-side only, so the whole
// layout costs time in proportion to the number of boxes.
//
// A person reached a second time (pedigree collapse, a cousin marriage, or a
// damaged tree's ancestry loop) is drawn in full once; where it recurs it gets
// a box marked as a repeat and nothing beyond it, so every walk ends.
#pragma once
#include <cstdint>
#include <vector>

#include "relations/family_index.h"
#include "store/session.h"

namespace vft::chart {

enum class Kind { Ancestors, Descendants, Fan };

inline constexpr int kMinAncestorGenerations = 2, kMaxAncestorGenerations = 10;
inline constexpr int kMinFanGenerations = 3, kMaxFanGenerations = 9;

struct Options {
  Kind kind = Kind::Ancestors;
  // Generations shown, the root's included. Ancestors take 2..10, the fan
  // 3..9 (values outside are brought to the nearest bound); descendants any
  // number, 0 for every generation.
  int generations = 4;
  bool full_circle = false;  // the fan: a full circle instead of a half
};

// Sizes of boxes and gaps.
inline constexpr double kBoxWidth = 192, kBoxHeight = 46;
inline constexpr double kSiblingGap = 16;  // between boxes of one level
inline constexpr double kPartnerGap = 8;   // between a person and a partner
inline constexpr double kLevelGap = 56;    // between levels of descendants
inline constexpr double kColumnGap = 48;   // between columns of ancestors
inline constexpr double kAncestorGap = 8;  // between boxes of one column
inline constexpr double kMargin = 24;      // around the whole chart

// A part of a chart, chart units.
struct Rect {
  double x = 0, y = 0, w = 0, h = 0;
  bool operator==(const Rect&) const = default;
  bool empty() const { return !(w > 0 && h > 0); }
  bool meets(double x0, double y0, double x1, double y1) const {
    return x0 <= x + w && x1 >= x && y0 <= y + h && y1 >= y;
  }
};

struct Sector {
  double r0 = 0, r1 = 0;  // inner and outer radius; r0 = 0 is the centre disc
  double a0 = 0, a1 = 0;  // start and end angle, radians, clockwise from the +x axis (y down)
};

struct Box {
  std::int16_t person = 0;
  int level = 0;                      // generations from the root
  double x = 0, y = 0, w = 0, h = 0;  // the bounding box
  int parent = -1;                    // the box it hangs from (-1 for the root)
  int repeat_of = -1;                 // a repeat: the box where the person is drawn in full
  bool partner = false;               // a partner box beside its person (descendants)
  bool more = false;                  // the tree goes on beyond the chart's last generation
  Sector sector;                      // the fan's segment (fan charts only)
  bool repeat() const { return repeat_of >= 0; }
  double cx() const { return x + w / 2; }
  double cy() const { return y + h / 2; }
};

struct Line {
  // A polyline between two boxes; `dashed` for the line to a repeat.
  std::vector<double> xy;  // x0, y0, x1, y1, ...
  bool dashed = false;
};

struct Layout {
  Kind kind = Kind::Ancestors;
  std::vector<Box> boxes;  // [0] is the root; empty when the root is nobody
  std::vector<Line> lines;
  double width = 0, height = 0;  // the whole chart, margins included
  double cx = 0, cy = 0;         // the fan's centre
};

// Generations of ancestors or of the fan as they will be drawn.
int ClampGenerations(const Options& o);

// The chart of `root`. A root below 1 gives an empty layout.
Layout LayOut(const FamilyIndex& index, std::int16_t root, const Options& o);
Layout LayOut(const Session& s, std::int16_t root, const Options& o);

// The fan's rings up to this generation write names along the arc, the
// rings beyond it along the radius.
bool FanAlongArc(int generation);
// The point (x, y) lies on the fan segment of box b.
bool InSector(const Layout& l, const Box& b, double x, double y);

// The box at chart point (x, y), or -1. For the fan the segment counts, not
// its bounding box.
int BoxAt(const Layout& l, double x, double y);

// The neighbouring box in a direction, for moving with the arrow keys: dx, dy
// one of -1, 0, 1. -1 when there is none.
int NeighbourBox(const Layout& l, int from, int dx, int dy);

}  // namespace vft::chart
