// Drawing the family view's board: the background, the soft shadows under
// the boxes and the connector lines. The boxes and buttons draw themselves.
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "mainwindow/family_view.h"
#include "mainwindow/person_box.h"

namespace vft::ui {
namespace {

QPointF unit(QPointF v) {
  const double len = std::hypot(v.x(), v.y());
  return len > 0 ? v / len : QPointF();
}

// A polyline with its corners rounded off, as one path.
QPainterPath rounded_polyline(const QPolygonF& points, double radius) {
  QPainterPath path;
  if (points.size() < 2) return path;
  path.moveTo(points.front());
  for (qsizetype i = 1; i + 1 < points.size(); ++i) {
    const QPointF prev = points[i - 1], corner = points[i], next = points[i + 1];
    const double r = std::min({radius, std::hypot(corner.x() - prev.x(), corner.y() - prev.y()) / 2,
                               std::hypot(next.x() - corner.x(), next.y() - corner.y()) / 2});
    const QPointF in = unit(corner - prev), out = unit(next - corner);
    path.lineTo(corner - in * r);
    path.quadTo(corner, corner + out * r);
  }
  path.lineTo(points.back());
  return path;
}

}  // namespace

// A box's soft shadow: a few widening, fading outlines a little below it,
// drawn once per box size and reused, as blending them is the dearest part of
// a redraw.
const QPixmap& FamilyView::shadowFor(QSize box, bool selected) {
  ShadowCache& c = shadows_[selected ? 1 : 0];
  const double t = scale_.text;
  if (c.box == box && qFuzzyCompare(c.text, t)) return c.pixmap;
  const double spread = (selected ? 6 : 4) * 1.2 * t + 2;
  const double dpr = devicePixelRatioF();
  QPixmap pm(QSizeF((box.width() + 2 * spread) * dpr, (box.height() + 2 * spread) * dpr).toSize());
  pm.setDevicePixelRatio(dpr);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  const QRectF r(spread, spread, box.width(), box.height());
  const int layers = selected ? 6 : 4;
  for (int k = layers; k >= 1; --k) {
    const double grow = k * 1.2 * t;
    p.setBrush(QColor(15, 23, 42, selected ? 9 : 7));
    const double radius = 10 * t + grow;
    p.drawRoundedRect(r.adjusted(-grow, -grow + 1, grow, grow), radius, radius);
  }
  p.end();
  c = ShadowCache{box, t, pm, spread};
  return c.pixmap;
}

void FamilyView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(rect(), colours_.background);
  const double t = scale_.text;

  for (std::size_t i = 0; i < layout_.boxes.size(); ++i) {
    if (layout_.boxes[i].empty() || !model_.Slots[i].Person) continue;
    const QRect r = boxes_[i]->geometry();  // where relayout put the box
    const bool selected = i == SlotIndex(Slot::Selected);
    const QPixmap& shadow = shadowFor(r.size(), selected);
    const double spread = shadows_[selected ? 1 : 0].spread;
    p.drawPixmap(QPointF(r.left() - spread, r.top() - spread + 2.5 * t), shadow);
  }

  QPen pen(colours_.line, std::max(1.0, 1.7 * t), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  for (const std::vector<Point>& line : layout_.lines) {
    QPolygonF w;
    w.reserve(static_cast<qsizetype>(line.size()));
    for (const Point& pt : line) w << QPointF(pt.x, pt.y);
    p.drawPath(rounded_polyline(w, 12 * t));
  }

  // The parents' line carries its text on a pill of its own, over the line.
  if (!layout_.parentsMarried.empty()) {
    const Rect& r = layout_.parentsMarried;
    const QRectF pill(r.x, r.y, r.w, r.h);
    p.setPen(QPen(colours_.buttonBorder, 1));
    p.setBrush(colours_.button);
    p.drawRoundedRect(pill, pill.height() / 2, pill.height() / 2);
  }
}

}  // namespace vft::ui
