#include "family_view_layout.h"

#include <algorithm>

namespace vft::ui {
namespace {

// Rows (board units).
constexpr double kMarkerTop = 8, kMarkerHeight = 18, kMarkerWidth = 34;
constexpr double kGrandTop = 34;
constexpr double kParentTop = 172;
constexpr double kSelectedTop = 330;
constexpr double kRowMid = kSelectedTop + kSelectedHeight / 2;  // the selected row's centre line
constexpr double kSideTop = kRowMid - kBoxHeight / 2;           // siblings and partner
constexpr double kSiblingBar = 306;
constexpr double kChildBar = 478;
constexpr double kChildTop = 506;
constexpr double kChildGap = 18;
constexpr double kButtonHeight = 26;
constexpr double kPillHeight = 24;
constexpr double kMargin = 30;

// Columns.
constexpr double kGrandLeft[kGrandParentSlots] = {30, 250, 754, 974};
constexpr double kFatherCentre = 238, kMotherCentre = 962;
constexpr double kCentre = kBoardWidth / 2;  // the selected person and the parents' line
constexpr double kSiblingNear = 250, kSiblingFar = 30;
constexpr double kPartnerLeft = 944;

QRectF box_at(double left, double top, double w = kBoxWidth, double h = kBoxHeight) { return {left, top, w, h}; }
QPointF top_centre(const QRectF& r) { return {r.center().x(), r.top()}; }
QPointF bottom_centre(const QRectF& r) { return {r.center().x(), r.bottom()}; }

QPolygonF poly(std::initializer_list<QPointF> points) { return QPolygonF(QList<QPointF>(points)); }

// A line from `from` down to `to`, stepping sideways at height `elbow` when
// the two are not in line.
QPolygonF down_line(QPointF from, QPointF to, double elbow) {
  if (qFuzzyCompare(from.x(), to.x())) return poly({from, to});
  return poly({from, {from.x(), elbow}, {to.x(), elbow}, to});
}

bool filled(const FamilyViewModel& v, Slot s) { return v.slot(s).Visible && v.slot(s).Person; }

}  // namespace

DiagramLayout LayOutDiagram(const FamilyViewModel& v, const CaptionWidths& widths) {
  DiagramLayout d;
  auto& lines = d.lines;
  const double more_width = std::max(84.0, widths.more + 28);

  // ---- grandparents and their markers
  for (int i = 0; i < kGrandParentSlots; ++i) {
    const Slot slot = GrandParentSlot(i);
    if (!v.slot(slot).Visible) continue;
    d.boxes[SlotIndex(slot)] = box_at(kGrandLeft[i], kGrandTop);
    if (v.Markers[static_cast<std::size_t>(i)]) {
      const QRectF& b = d.box(slot);
      d.markers[static_cast<std::size_t>(i)] =
          QRectF(b.center().x() - kMarkerWidth / 2, kMarkerTop, kMarkerWidth, kMarkerHeight);
      lines.push_back(poly({bottom_centre(d.markers[static_cast<std::size_t>(i)]), top_centre(b)}));
    }
  }

  // ---- parents
  const Slot parent_slots[2] = {Slot::Father, Slot::Mother};
  const double parent_centre[2] = {kFatherCentre, kMotherCentre};
  for (int p = 0; p < 2; ++p) {
    if (v.slot(parent_slots[p]).Visible)
      d.boxes[SlotIndex(parent_slots[p])] = box_at(parent_centre[p] - kBoxWidth / 2, kParentTop);
  }
  // Each parent hangs from its own parents' couple line, or from the one of them recorded.
  for (int p = 0; p < 2; ++p) {
    const Slot a = GrandParentSlot(2 * p), b = GrandParentSlot(2 * p + 1);
    if (!filled(v, parent_slots[p])) continue;
    const QPointF target = top_centre(d.box(parent_slots[p]));
    const double elbow = (kGrandTop + kBoxHeight + kParentTop) / 2;
    if (filled(v, a) && filled(v, b)) {
      const double y = d.box(a).center().y();
      lines.push_back(poly({{d.box(a).right(), y}, {d.box(b).left(), y}}));
      lines.push_back(down_line({target.x(), y}, target, elbow));
    } else if (filled(v, a) || filled(v, b)) {
      lines.push_back(down_line(bottom_centre(d.box(filled(v, a) ? a : b)), target, elbow));
    }
  }

  // ---- the selected person, siblings, partner
  if (v.slot(Slot::Selected).Visible)
    d.boxes[SlotIndex(Slot::Selected)] = box_at(kCentre - kSelectedWidth / 2, kSelectedTop, kSelectedWidth,
                                                kSelectedHeight);
  const QRectF& selected = d.box(Slot::Selected);
  const bool sib0 = v.slot(Slot::Sibling0).Visible, sib1 = v.slot(Slot::Sibling1).Visible;
  // Reading order left to right; a lone sibling stands next to the selected person.
  if (sib0) d.boxes[SlotIndex(Slot::Sibling0)] = box_at(sib1 ? kSiblingFar : kSiblingNear, kSideTop);
  if (sib1) d.boxes[SlotIndex(Slot::Sibling1)] = box_at(sib0 ? kSiblingNear : kSiblingFar, kSideTop);
  if (v.MoreSiblings && (sib0 || sib1))
    d.moreSiblings = QRectF(kMargin - 16, kSiblingBar - kButtonHeight / 2, more_width, kButtonHeight);

  if (!selected.isNull()) {
    const bool any_sibling = sib0 || sib1;
    const QPointF join = any_sibling ? QPointF(kCentre, kSiblingBar) : top_centre(selected);
    const double parent_elbow = (kParentTop + kBoxHeight + kSiblingBar) / 2;
    if (filled(v, Slot::Father) && filled(v, Slot::Mother)) {
      const double y = d.box(Slot::Father).center().y();
      lines.push_back(poly({{d.box(Slot::Father).right(), y}, {d.box(Slot::Mother).left(), y}}));
      lines.push_back(poly({{kCentre, y}, join}));
      if (!v.ParentsMarried.empty()) {
        const double w = std::min(widths.parentsMarried + 20, 420.0);
        d.parentsMarried = QRectF(kCentre - w / 2, y - kPillHeight / 2, w, kPillHeight);
      }
    } else if (filled(v, Slot::Father) || filled(v, Slot::Mother)) {
      const QRectF& parent = d.box(filled(v, Slot::Father) ? Slot::Father : Slot::Mother);
      lines.push_back(down_line(bottom_centre(parent), join, parent_elbow));
    }
    if (any_sibling) {
      double left = kCentre;
      for (Slot s : {Slot::Sibling0, Slot::Sibling1}) {
        if (!v.slot(s).Visible) continue;
        left = std::min(left, d.box(s).center().x());
        lines.push_back(poly({{d.box(s).center().x(), kSiblingBar}, top_centre(d.box(s))}));
      }
      if (!d.moreSiblings.isNull()) left = d.moreSiblings.right();
      lines.push_back(poly({{left, kSiblingBar}, {kCentre, kSiblingBar}}));
      lines.push_back(poly({{kCentre, kSiblingBar}, top_centre(selected)}));
    }
  }

  const bool partner = v.slot(Slot::Partner).Visible && !selected.isNull();
  double descent_x = kCentre;
  double descent_top = selected.isNull() ? 0 : selected.bottom();
  if (partner) {
    const QRectF p = box_at(kPartnerLeft, kSideTop);
    d.boxes[SlotIndex(Slot::Partner)] = p;
    lines.push_back(poly({{selected.right(), kRowMid}, {p.left(), kRowMid}}));
    descent_x = (selected.right() + p.left()) / 2;
    const double room = p.left() - selected.right() - 12;
    const double w = std::clamp(widths.partnership + 28, 60.0, room);
    d.partnership = QRectF(descent_x - w / 2, kRowMid - kButtonHeight / 2, w, kButtonHeight);
    descent_top = d.partnership.bottom();
    if (v.Markers[kPartnerMarker]) {
      d.markers[kPartnerMarker] =
          QRectF(p.center().x() - kMarkerWidth / 2, p.top() - 8 - kMarkerHeight, kMarkerWidth, kMarkerHeight);
      lines.push_back(poly({bottom_centre(d.markers[kPartnerMarker]), top_centre(p)}));
    }
    if (v.MoreSpouses) {
      d.moreSpouses = QRectF(p.center().x() - more_width / 2, p.bottom() + 12, more_width, kButtonHeight);
      lines.push_back(poly({bottom_centre(p), top_centre(d.moreSpouses)}));
    }
  }

  // ---- children, centred under the couple where the board allows
  int shown = 0;
  for (int i = 0; i < kChildSlots; ++i)
    if (v.slot(ChildSlot(i)).Visible) shown = i + 1;
  if (shown > 0 && !selected.isNull()) {
    const double group = shown * kBoxWidth + (shown - 1) * kChildGap;
    const double right_limit = kBoardWidth - kMargin - (v.MoreChildren ? more_width + 20 : 0);
    double left = std::max(kMargin, std::min(descent_x - group / 2, right_limit - group));
    double bar_left = descent_x, bar_right = descent_x;
    for (int i = 0; i < shown; ++i) {
      const Slot slot = ChildSlot(i);
      const QRectF b = box_at(left + i * (kBoxWidth + kChildGap), kChildTop);
      if (!v.slot(slot).Visible) continue;
      d.boxes[SlotIndex(slot)] = b;
      bar_left = std::min(bar_left, b.center().x());
      bar_right = std::max(bar_right, b.center().x());
      lines.push_back(poly({{b.center().x(), kChildBar}, top_centre(b)}));
      const ChildrenButton& cb = v.ChildButtons[static_cast<std::size_t>(i)];
      if (cb.Visible) {
        const double w = std::min(widths.childButtons[static_cast<std::size_t>(i)] + 26, kBoxWidth);
        QRectF& r = d.childButtons[static_cast<std::size_t>(i)];
        r = QRectF(b.center().x() - w / 2, b.bottom() + 8, w, kPillHeight);
        lines.push_back(poly({bottom_centre(b), top_centre(r)}));
      }
    }
    if (v.MoreChildren) {
      const double x = std::max(bar_right, left + group - kBoxWidth / 2) + kBoxWidth / 2 + 20;
      d.moreChildren = QRectF(x, kChildBar - kButtonHeight / 2, more_width, kButtonHeight);
      bar_right = x;
    }
    lines.push_back(poly({{descent_x, descent_top}, {descent_x, kChildBar}}));
    lines.push_back(poly({{bar_left, kChildBar}, {bar_right, kChildBar}}));
  }
  return d;
}

}  // namespace vft::ui
