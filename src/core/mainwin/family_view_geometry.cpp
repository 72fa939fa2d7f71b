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

DiagramLayout LayOutDiagram(const FamilyViewModel& v, const DiagramScale& sc, const CaptionWidths& widths) {
  DiagramLayout d;
  auto& lines = d.lines;
  const double t = sc.text;
  auto X = [&sc](double board) { return board * sc.sx; };
  auto box_at = [&](double board_left, double top, bool selected = false, double h = kBoxHeight) {
    return Rect{X(board_left), top, (selected ? kSelectedWidth : kBoxWidth) * sc.sx, h * t};
  };
  const double more_width = std::max(84 * t, widths.more + 28 * t);

  // ---- the rows down the view
  const bool grand_compact = row_empty(v, {Slot::GrandParent0, Slot::GrandParent1, Slot::GrandParent2, Slot::GrandParent3});
  const bool parents_compact = row_empty(v, {Slot::Father, Slot::Mother});
  // A compact row keeps its gap below at the least: the room it leaves is
  // not to be filled with air.
  const bool grows[3] = {!grand_compact, !parents_compact, true};
  double growable = 0;
  for (int i = 0; i < 3; ++i)
    if (grows[i]) growable += kGapNominal[i] - kGapLeast[i];
  const double room = sc.height - (fixed_height(grand_compact, parents_compact) + sum(kGapLeast)) * t;
  const double grow = std::clamp(room / (growable * t), 0.0, kGapGrowth);
  double gap[3];
  for (int i = 0; i < 3; ++i) gap[i] = (kGapLeast[i] + (grows[i] ? (kGapNominal[i] - kGapLeast[i]) * grow : 0)) * t;
  const double used = (fixed_height(grand_compact, parents_compact)) * t + gap[0] + gap[1] + gap[2];
  const double top = std::max(0.0, (sc.height - used) / 2);
  const double grand_top = top + kGrandTop * t;
  const double grand_h = (grand_compact ? kCompactHeight : kBoxHeight) * t;
  const double parent_top = grand_top + grand_h + gap[0];
  const double parent_h = (parents_compact ? kCompactHeight : kBoxHeight) * t;
  const double selected_top = parent_top + parent_h + gap[1];
  const double sibling_bar = selected_top - kBarAboveSelected * t;
  const double row_mid = selected_top + kSelectedHeight * t / 2;
  const double side_top = row_mid - kBoxHeight * t / 2;
  const double child_bar = selected_top + kSelectedHeight * t + gap[2];
  const double child_top = child_bar + kChildBelowBar * t;
  d.selectedRow = Rect{0, selected_top, sc.width, kSelectedHeight * t};

  // ---- grandparents and their markers
  for (int i = 0; i < kGrandParentSlots; ++i) {
    const Slot slot = GrandParentSlot(i);
    if (!v.slot(slot).Visible) continue;
    d.boxes[SlotIndex(slot)] = box_at(kGrandLeft[i], grand_top, false, grand_compact ? kCompactHeight : kBoxHeight);
    if (v.Markers[static_cast<std::size_t>(i)]) {
      const Rect& b = d.box(slot);
      Rect& m = d.markers[static_cast<std::size_t>(i)];
      m = Rect{b.cx() - kMarkerWidth * t / 2, top + kMarkerTop * t, kMarkerWidth * t, kMarkerHeight * t};
      lines.push_back({bottom_centre(m), top_centre(b)});
    }
  }

  // ---- parents, each hanging from its own parents' couple line or from the one of them recorded
  const Slot parent_slots[2] = {Slot::Father, Slot::Mother};
  const double parent_centre[2] = {kFatherCentre, kMotherCentre};
  for (int p = 0; p < 2; ++p) {
    if (v.slot(parent_slots[p]).Visible)
      d.boxes[SlotIndex(parent_slots[p])] = Rect{X(parent_centre[p]) - kBoxWidth * sc.sx / 2, parent_top,
                                                 kBoxWidth * sc.sx, parent_h};
  }
  for (int p = 0; p < 2; ++p) {
    const Slot a = GrandParentSlot(2 * p), b = GrandParentSlot(2 * p + 1);
    if (!filled(v, parent_slots[p])) continue;
    const Point target = top_centre(d.box(parent_slots[p]));
    const double elbow = (grand_top + grand_h + parent_top) / 2;
    if (filled(v, a) && filled(v, b)) {
      const double y = d.box(a).cy();
      lines.push_back({{d.box(a).right(), y}, {d.box(b).x, y}});
      lines.push_back(down_line({target.x, y}, target, elbow));
    } else if (filled(v, a) || filled(v, b)) {
      lines.push_back(down_line(bottom_centre(d.box(filled(v, a) ? a : b)), target, elbow));
    }
  }

  // ---- the selected person, siblings, partner
  if (v.slot(Slot::Selected).Visible)
    d.boxes[SlotIndex(Slot::Selected)] = box_at(kCentre - kSelectedWidth / 2, selected_top, true, kSelectedHeight);
  const Rect selected = d.box(Slot::Selected);
  const double centre = X(kCentre);
  const bool sib0 = v.slot(Slot::Sibling0).Visible, sib1 = v.slot(Slot::Sibling1).Visible;
  // Reading order left to right; a lone sibling stands next to the selected person.
  if (sib0) d.boxes[SlotIndex(Slot::Sibling0)] = box_at(sib1 ? kSiblingFar : kSiblingNear, side_top);
  if (sib1) d.boxes[SlotIndex(Slot::Sibling1)] = box_at(sib0 ? kSiblingNear : kSiblingFar, side_top);
  if (v.MoreSiblings && (sib0 || sib1))
    d.moreSiblings = Rect{X(kMargin) - 16 * t, sibling_bar - kButtonHeight * t / 2, more_width, kButtonHeight * t};

  if (!selected.empty()) {
    const bool any_sibling = sib0 || sib1;
    const Point join = any_sibling ? Point{centre, sibling_bar} : top_centre(selected);
    const double parent_elbow = (parent_top + parent_h + sibling_bar) / 2;
    if (filled(v, Slot::Father) && filled(v, Slot::Mother)) {
      const double y = d.box(Slot::Father).cy();
      lines.push_back({{d.box(Slot::Father).right(), y}, {d.box(Slot::Mother).x, y}});
      lines.push_back({{centre, y}, join});
      if (!v.ParentsMarried.empty()) {
        const double w = std::min(widths.parentsMarried + 20 * t, X(420));
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
        lines.push_back({{d.box(s).cx(), sibling_bar}, top_centre(d.box(s))});
      }
      if (!d.moreSiblings.empty()) left = d.moreSiblings.right();
      lines.push_back({{left, sibling_bar}, {centre, sibling_bar}});
      lines.push_back({{centre, sibling_bar}, top_centre(selected)});
    }
  }

  const bool partner = v.slot(Slot::Partner).Visible && !selected.empty();
  double descent_x = centre;
  double descent_top = selected.empty() ? 0 : selected.bottom();
  if (partner) {
    const Rect p = box_at(kPartnerLeft, side_top);
    d.boxes[SlotIndex(Slot::Partner)] = p;
    lines.push_back({{selected.right(), row_mid}, {p.x, row_mid}});
    descent_x = (selected.right() + p.x) / 2;
    const double room_between = p.x - selected.right() - 12 * t;
    const double w = std::clamp(widths.partnership + 28 * t, std::min(60 * t, room_between), room_between);
    d.partnership = Rect{descent_x - w / 2, row_mid - kButtonHeight * t / 2, w, kButtonHeight * t};
    descent_top = d.partnership.bottom();
    if (v.Markers[kPartnerMarker]) {
      Rect& m = d.markers[kPartnerMarker];
      m = Rect{p.cx() - kMarkerWidth * t / 2, p.y - (8 + kMarkerHeight) * t, kMarkerWidth * t, kMarkerHeight * t};
      lines.push_back({bottom_centre(m), top_centre(p)});
    }
    if (v.MoreSpouses) {
      d.moreSpouses = Rect{p.cx() - more_width / 2, p.bottom() + 12 * t, more_width, kButtonHeight * t};
      lines.push_back({bottom_centre(p), top_centre(d.moreSpouses)});
    }
  }

  // ---- children, centred under the couple where the view allows
  int shown = 0;
  for (int i = 0; i < kChildSlots; ++i)
    if (v.slot(ChildSlot(i)).Visible) shown = i + 1;
  if (shown > 0 && !selected.empty()) {
    const double box_w = kBoxWidth * sc.sx, gap = kChildGap * sc.sx;
    const double group = shown * box_w + (shown - 1) * gap;
    const double right_limit = sc.width - X(kMargin) - (v.MoreChildren ? more_width + 20 * t : 0);
    const double left = std::max(X(kMargin), std::min(descent_x - group / 2, right_limit - group));
    double bar_left = descent_x, bar_right = descent_x;
    for (int i = 0; i < shown; ++i) {
      const Slot slot = ChildSlot(i);
      if (!v.slot(slot).Visible) continue;
      const Rect b{left + i * (box_w + gap), child_top, box_w, kBoxHeight * t};
      d.boxes[SlotIndex(slot)] = b;
      bar_left = std::min(bar_left, b.cx());
      bar_right = std::max(bar_right, b.cx());
      lines.push_back({{b.cx(), child_bar}, top_centre(b)});
      const ChildrenButton& cb = v.ChildButtons[static_cast<std::size_t>(i)];
      if (cb.Visible) {
        const double w = std::min(widths.childButtons[static_cast<std::size_t>(i)] + 26 * t, box_w);
        Rect& r = d.childButtons[static_cast<std::size_t>(i)];
        r = Rect{b.cx() - w / 2, b.bottom() + 8 * t, w, kPillHeight * t};
        lines.push_back({bottom_centre(b), top_centre(r)});
      }
    }
    if (v.MoreChildren) {
      const double x = std::max(bar_right, left + group - box_w / 2) + box_w / 2 + 20 * t;
      d.moreChildren = Rect{x, child_bar - kButtonHeight * t / 2, more_width, kButtonHeight * t};
      bar_right = x;
    }
    lines.push_back({{descent_x, descent_top}, {descent_x, child_bar}});
    lines.push_back({{bar_left, child_bar}, {bar_right, child_bar}});
  }
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
