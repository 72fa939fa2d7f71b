#include "mainwin/family_view_geometry.h"

#include <algorithm>
#include <cmath>

namespace vft {
namespace {

// Across, in board units.
constexpr double kBoardWidth = 1200;
constexpr double kBoxWidth = 196, kSelectedWidth = 236;
constexpr double kGrandLeft[kGrandParentSlots] = {30, 250, 754, 974};
constexpr double kFatherCentre = 238, kMotherCentre = 962;
constexpr double kCentre = kBoardWidth / 2;  // the selected person and the parents' line
constexpr double kSiblingNear = 250, kSiblingFar = 30;
constexpr double kPartnerLeft = 944;
constexpr double kMargin = 30;
constexpr double kChildGap = 18;

// Down, in text units.
constexpr double kBoxHeight = 78, kSelectedHeight = 94, kCompactHeight = 26;
constexpr double kMarkerTop = 8, kMarkerHeight = 18, kMarkerWidth = 34;
constexpr double kGrandTop = 34;          // below the markers
constexpr double kBarAboveSelected = 24;  // the siblings' bar
constexpr double kChildBelowBar = 28;
constexpr double kButtonHeight = 26, kPillHeight = 24;
constexpr double kChildRow = kChildBelowBar + kBoxHeight + 8 + kPillHeight;  // bar to the children buttons' foot
constexpr double kBottom = 12;
// The three gaps between the rows, as drawn when there is room, and at least.
constexpr double kGapNominal[3] = {60, 80, 54};  // grandparents-parents, parents-selected, selected-children bar
constexpr double kGapLeast[3] = {30, 44, 44};
constexpr double kGapGrowth = 1.6;  // how far past the nominal a gap grows before the rows are centred

// Text bounds, relative to the window's normal font: a name between these
// multiples of it (the selected name a little larger).
constexpr double kLeastText = 0.95, kMostText = 1.2;

double fixed_height(bool grand_compact, bool parents_compact) {
  return kGrandTop + (grand_compact ? kCompactHeight : kBoxHeight) + (parents_compact ? kCompactHeight : kBoxHeight) +
         kSelectedHeight + kChildRow + kBottom;
}

double sum(const double (&g)[3]) { return g[0] + g[1] + g[2]; }

using Line = std::vector<Point>;

// A line from `from` down to `to`, stepping sideways at height `elbow` when
// the two are not in line.
Line down_line(Point from, Point to, double elbow) {
  if (std::abs(from.x - to.x) < 1e-9) return {from, to};
  return {from, {from.x, elbow}, {to.x, elbow}, to};
}
Point top_centre(const Rect& r) { return {r.cx(), r.y}; }
Point bottom_centre(const Rect& r) { return {r.cx(), r.bottom()}; }

bool filled(const FamilyViewModel& v, Slot s) { return v.slot(s).Visible && v.slot(s).Person; }

bool row_empty(const FamilyViewModel& v, std::initializer_list<Slot> slots) {
  for (Slot s : slots)
    if (v.slot(s).Person) return false;
  return true;
}

}  // namespace

double DiagramScale::name_area() const { return kBoxWidth * sx - px(kBoxPadLeft + kBoxPadRight); }
double DiagramScale::selected_name_area() const { return kSelectedWidth * sx - px(kBoxPadLeft + kBoxPadRight); }

DiagramScale ChooseDiagramScale(double width, double height, double normal_px) {
  DiagramScale sc;
  sc.width = std::max(1.0, width);
  sc.height = std::max(1.0, height);
  sc.sx = sc.width / kBoardWidth;
  const double nominal = fixed_height(false, false) + sum(kGapNominal);
  double t = std::min(sc.sx, sc.height / nominal);
  const double unit = std::max(1.0, normal_px) / kBoxNameText;
  t = std::clamp(t, kLeastText * unit, kMostText * unit);
  // Whatever the font, the full rows must fit at their least gaps.
  t = std::min(t, sc.height / (fixed_height(false, false) + sum(kGapLeast)));
  sc.text = std::max(t, 0.3);
  return sc;
}

namespace {

// Where the rows go down the view, in pixels.
struct Rows {
  bool grand_compact, parents_compact;
  double top, grand_top, grand_h, parent_top, parent_h, selected_top;
  double sibling_bar, row_mid, side_top, child_bar, child_top;
};

Rows rows_down(const FamilyViewModel& v, const DiagramScale& sc) {
  Rows r;
  const double t = sc.text;
  r.grand_compact = row_empty(v, {Slot::GrandParent0, Slot::GrandParent1, Slot::GrandParent2, Slot::GrandParent3});
  r.parents_compact = row_empty(v, {Slot::Father, Slot::Mother});
  // A compact row keeps its gap below at the least: the room it leaves is
  // not to be filled with air.
  const bool grows[3] = {!r.grand_compact, !r.parents_compact, true};
  double growable = 0;
  for (int i = 0; i < 3; ++i)
    if (grows[i]) growable += kGapNominal[i] - kGapLeast[i];
  const double fixed = fixed_height(r.grand_compact, r.parents_compact);
  const double room = sc.height - (fixed + sum(kGapLeast)) * t;
  const double grow = std::clamp(room / (growable * t), 0.0, kGapGrowth);
  double gap[3];
  for (int i = 0; i < 3; ++i) gap[i] = (kGapLeast[i] + (grows[i] ? (kGapNominal[i] - kGapLeast[i]) * grow : 0)) * t;
  const double used = (fixed)*t + gap[0] + gap[1] + gap[2];
  r.top = std::max(0.0, (sc.height - used) / 2);
  r.grand_top = r.top + kGrandTop * t;
  r.grand_h = (r.grand_compact ? kCompactHeight : kBoxHeight) * t;
  r.parent_top = r.grand_top + r.grand_h + gap[0];
  r.parent_h = (r.parents_compact ? kCompactHeight : kBoxHeight) * t;
  r.selected_top = r.parent_top + r.parent_h + gap[1];
  r.sibling_bar = r.selected_top - kBarAboveSelected * t;
  r.row_mid = r.selected_top + kSelectedHeight * t / 2;
  r.side_top = r.row_mid - kBoxHeight * t / 2;
  r.child_bar = r.selected_top + kSelectedHeight * t + gap[2];
  r.child_top = r.child_bar + kChildBelowBar * t;
  return r;
}

// What every row's layout needs: the model, the scale, the rows and the
// layout being filled.
struct Frame {
  const FamilyViewModel& v;
  const DiagramScale& sc;
  const CaptionWidths& widths;
  const Rows r;
  const double t, more_width;
  DiagramLayout& d;

  double X(double board) const { return board * sc.sx; }
  Rect box_at(double board_left, double top, bool selected = false, double h = kBoxHeight) const {
    return Rect{X(board_left), top, (selected ? kSelectedWidth : kBoxWidth) * sc.sx, h * t};
  }
};

// The grandparents and their markers.
void lay_out_grandparents(const Frame& f) {
  const FamilyViewModel& v = f.v;
  DiagramLayout& d = f.d;
  const double t = f.t;
  for (int i = 0; i < kGrandParentSlots; ++i) {
    const Slot slot = GrandParentSlot(i);
    if (!v.slot(slot).Visible) continue;
    d.boxes[SlotIndex(slot)] =
        f.box_at(kGrandLeft[i], f.r.grand_top, false, f.r.grand_compact ? kCompactHeight : kBoxHeight);
    if (v.Markers[static_cast<std::size_t>(i)]) {
      const Rect& b = d.box(slot);
      Rect& m = d.markers[static_cast<std::size_t>(i)];
      m = Rect{b.cx() - kMarkerWidth * t / 2, f.r.top + kMarkerTop * t, kMarkerWidth * t, kMarkerHeight * t};
      d.lines.push_back({bottom_centre(m), top_centre(b)});
    }
  }
}

// The parents, each hanging from its own parents' couple line or from the one
// of them recorded.
void lay_out_parents(const Frame& f) {
  const FamilyViewModel& v = f.v;
  DiagramLayout& d = f.d;
  const Slot parent_slots[2] = {Slot::Father, Slot::Mother};
  const double parent_centre[2] = {kFatherCentre, kMotherCentre};
  for (int p = 0; p < 2; ++p) {
    if (v.slot(parent_slots[p]).Visible)
      d.boxes[SlotIndex(parent_slots[p])] =
          Rect{f.X(parent_centre[p]) - kBoxWidth * f.sc.sx / 2, f.r.parent_top, kBoxWidth * f.sc.sx, f.r.parent_h};
  }
  for (int p = 0; p < 2; ++p) {
    const Slot a = GrandParentSlot(2 * p), b = GrandParentSlot(2 * p + 1);
    if (!filled(v, parent_slots[p])) continue;
    const Point target = top_centre(d.box(parent_slots[p]));
    const double elbow = (f.r.grand_top + f.r.grand_h + f.r.parent_top) / 2;
    if (filled(v, a) && filled(v, b)) {
      const double y = d.box(a).cy();
      d.lines.push_back({{d.box(a).right(), y}, {d.box(b).x, y}});
      d.lines.push_back(down_line({target.x, y}, target, elbow));
    } else if (filled(v, a) || filled(v, b)) {
      d.lines.push_back(down_line(bottom_centre(d.box(filled(v, a) ? a : b)), target, elbow));
    }
  }
}

// The selected person and the siblings, joined to the parents above.
void lay_out_selected_row(const Frame& f) {
  const FamilyViewModel& v = f.v;
  DiagramLayout& d = f.d;
  auto& lines = d.lines;
  const double t = f.t;
  const Rows& r = f.r;
  if (v.slot(Slot::Selected).Visible)
    d.boxes[SlotIndex(Slot::Selected)] = f.box_at(kCentre - kSelectedWidth / 2, r.selected_top, true, kSelectedHeight);
  const Rect selected = d.box(Slot::Selected);
  const double centre = f.X(kCentre);
  const bool sib0 = v.slot(Slot::Sibling0).Visible, sib1 = v.slot(Slot::Sibling1).Visible;
  // Reading order left to right; a lone sibling stands next to the selected person.
  if (sib0) d.boxes[SlotIndex(Slot::Sibling0)] = f.box_at(sib1 ? kSiblingFar : kSiblingNear, r.side_top);
  if (sib1) d.boxes[SlotIndex(Slot::Sibling1)] = f.box_at(sib0 ? kSiblingNear : kSiblingFar, r.side_top);
  if (v.MoreSiblings && (sib0 || sib1))
    d.moreSiblings =
        Rect{f.X(kMargin) - 16 * t, r.sibling_bar - kButtonHeight * t / 2, f.more_width, kButtonHeight * t};
  if (selected.empty()) return;

  const bool any_sibling = sib0 || sib1;
  const Point join = any_sibling ? Point{centre, r.sibling_bar} : top_centre(selected);
  const double parent_elbow = (r.parent_top + r.parent_h + r.sibling_bar) / 2;
  if (filled(v, Slot::Father) && filled(v, Slot::Mother)) {
    const double y = d.box(Slot::Father).cy();
    lines.push_back({{d.box(Slot::Father).right(), y}, {d.box(Slot::Mother).x, y}});
    lines.push_back({{centre, y}, join});
    if (!v.ParentsMarried.empty()) {
      const double w = std::min(f.widths.parentsMarried + 20 * t, f.X(420));
      d.parentsMarried = Rect{centre - w / 2, y - kPillHeight * t / 2, w, kPillHeight * t};
    }
  } else if (filled(v, Slot::Father) || filled(v, Slot::Mother)) {
    const Rect& parent = d.box(filled(v, Slot::Father) ? Slot::Father : Slot::Mother);
    lines.push_back(down_line(bottom_centre(parent), join, parent_elbow));
  }
  if (any_sibling) {
    double left = centre;
    for (Slot s : {Slot::Sibling0, Slot::Sibling1}) {
      if (!v.slot(s).Visible) continue;
      left = std::min(left, d.box(s).cx());
      lines.push_back({{d.box(s).cx(), r.sibling_bar}, top_centre(d.box(s))});
    }
    if (!d.moreSiblings.empty()) left = d.moreSiblings.right();
    lines.push_back({{left, r.sibling_bar}, {centre, r.sibling_bar}});
    lines.push_back({{centre, r.sibling_bar}, top_centre(selected)});
  }
}

// Where the line down to the children starts.
struct Descent {
  double x, top;
};

// The partner beside the selected person, with the partnership button and
// the partner's marker and more-partners button.
Descent lay_out_partner(const Frame& f) {
  const FamilyViewModel& v = f.v;
  DiagramLayout& d = f.d;
  auto& lines = d.lines;
  const double t = f.t, row_mid = f.r.row_mid;
  const Rect selected = d.box(Slot::Selected);
  Descent descent{f.X(kCentre), selected.empty() ? 0 : selected.bottom()};
  if (!v.slot(Slot::Partner).Visible || selected.empty()) return descent;
  const Rect p = f.box_at(kPartnerLeft, f.r.side_top);
  d.boxes[SlotIndex(Slot::Partner)] = p;
  lines.push_back({{selected.right(), row_mid}, {p.x, row_mid}});
  descent.x = (selected.right() + p.x) / 2;
  const double room_between = p.x - selected.right() - 12 * t;
  const double w = std::clamp(f.widths.partnership + 28 * t, std::min(60 * t, room_between), room_between);
  d.partnership = Rect{descent.x - w / 2, row_mid - kButtonHeight * t / 2, w, kButtonHeight * t};
  descent.top = d.partnership.bottom();
  if (v.Markers[kPartnerMarker]) {
    Rect& m = d.markers[kPartnerMarker];
    m = Rect{p.cx() - kMarkerWidth * t / 2, p.y - (8 + kMarkerHeight) * t, kMarkerWidth * t, kMarkerHeight * t};
    lines.push_back({bottom_centre(m), top_centre(p)});
  }
  if (v.MoreSpouses) {
    d.moreSpouses = Rect{p.cx() - f.more_width / 2, p.bottom() + 12 * t, f.more_width, kButtonHeight * t};
    lines.push_back({bottom_centre(p), top_centre(d.moreSpouses)});
  }
  return descent;
}

// The children, centred under the couple where the view allows.
void lay_out_children(const Frame& f, Descent from) {
  const FamilyViewModel& v = f.v;
  DiagramLayout& d = f.d;
  auto& lines = d.lines;
  const double t = f.t, child_bar = f.r.child_bar, descent_x = from.x;
  int shown = 0;
  for (int i = 0; i < kChildSlots; ++i)
    if (v.slot(ChildSlot(i)).Visible) shown = i + 1;
  if (shown == 0 || d.box(Slot::Selected).empty()) return;
  const double box_w = kBoxWidth * f.sc.sx, gap = kChildGap * f.sc.sx;
  const double group = shown * box_w + (shown - 1) * gap;
  const double right_limit = f.sc.width - f.X(kMargin) - (v.MoreChildren ? f.more_width + 20 * t : 0);
  const double left = std::max(f.X(kMargin), std::min(descent_x - group / 2, right_limit - group));
  double bar_left = descent_x, bar_right = descent_x;
  for (int i = 0; i < shown; ++i) {
    const Slot slot = ChildSlot(i);
    if (!v.slot(slot).Visible) continue;
    const Rect b{left + i * (box_w + gap), f.r.child_top, box_w, kBoxHeight * t};
    d.boxes[SlotIndex(slot)] = b;
    bar_left = std::min(bar_left, b.cx());
    bar_right = std::max(bar_right, b.cx());
    lines.push_back({{b.cx(), child_bar}, top_centre(b)});
    const ChildrenButton& cb = v.ChildButtons[static_cast<std::size_t>(i)];
    if (cb.Visible) {
      const double w = std::min(f.widths.childButtons[static_cast<std::size_t>(i)] + 26 * t, box_w);
      Rect& r = d.childButtons[static_cast<std::size_t>(i)];
      r = Rect{b.cx() - w / 2, b.bottom() + 8 * t, w, kPillHeight * t};
      lines.push_back({bottom_centre(b), top_centre(r)});
    }
  }
  if (v.MoreChildren) {
    const double x = std::max(bar_right, left + group - box_w / 2) + box_w / 2 + 20 * t;
    d.moreChildren = Rect{x, child_bar - kButtonHeight * t / 2, f.more_width, kButtonHeight * t};
    bar_right = x;
  }
  lines.push_back({{descent_x, from.top}, {descent_x, child_bar}});
  lines.push_back({{bar_left, child_bar}, {bar_right, child_bar}});
}

}  // namespace

DiagramLayout LayOutDiagram(const FamilyViewModel& v, const DiagramScale& sc, const CaptionWidths& widths) {
  DiagramLayout d;
  const double t = sc.text;
  const Frame f{v, sc, widths, rows_down(v, sc), t, std::max(84 * t, widths.more + 28 * t), d};
  d.selectedRow = Rect{0, f.r.selected_top, sc.width, kSelectedHeight * t};
  lay_out_grandparents(f);
  lay_out_parents(f);
  lay_out_selected_row(f);
  lay_out_children(f, lay_out_partner(f));
  return d;
}

Rect PlaceOverflowList(const Rect& anchor, double w, double h, double view_w, double view_h, const Rect& keep_clear) {
  constexpr double kAir = 8;
  // The band of the view on the control's side of the row kept clear.
  const bool below = keep_clear.empty() || anchor.cy() >= keep_clear.cy();
  const double band_top = below ? (keep_clear.empty() ? kAir : keep_clear.bottom() + kAir) : kAir;
  const double band_bottom = below ? view_h - kAir : keep_clear.y - kAir;
  Rect r;
  r.w = std::min(w, std::max(0.0, view_w - 2 * kAir));
  r.h = std::min(h, std::max(0.0, band_bottom - band_top));
  if (anchor.right() + kAir + r.w <= view_w - kAir) r.x = anchor.right() + kAir;
  else if (anchor.x - kAir - r.w >= kAir) r.x = anchor.x - kAir - r.w;
  else r.x = std::clamp(anchor.cx() - r.w / 2, kAir, std::max(kAir, view_w - kAir - r.w));
  // Level with the control, growing away from the row kept clear.
  const double y = below ? anchor.y : anchor.bottom() - r.h;
  r.y = std::clamp(y, band_top, std::max(band_top, band_bottom - r.h));
  return r;
}

}  // namespace vft
