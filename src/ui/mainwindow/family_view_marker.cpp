#include "mainwindow/family_view_marker.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace vft::ui {

MarkerTab::MarkerTab(int index, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("picGreatGrand") + QString::number(index));
  setCursor(Qt::PointingHandCursor);
  setColours(ColoursForScheme(1 << 24), QColor());
  hide();
}

void MarkerTab::setColours(const FamilyColours& colours, QColor accent) {
  colours_ = colours;
  accent_ = accent.isValid() ? accent : colours.line;
  update();
}

void MarkerTab::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const double radius = r.height() / 2;
  p.setPen(QPen(colours_.buttonBorder, 1));
  p.setBrush(colours_.button);
  p.drawRoundedRect(r, radius, radius);

  // Two small chevrons pointing up: "there is more above".
  const double h = r.height(), cx = r.center().x();
  const double w = h * 0.42, step = h * 0.22;
  QPen pen(accent_, std::max(1.2, h * 0.1), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 2; ++i) {
    const double y = r.center().y() + step * (i == 0 ? -0.6 : 0.9);
    QPainterPath chevron;
    chevron.moveTo(cx - w / 2, y + w / 4);
    chevron.lineTo(cx, y - w / 4);
    chevron.lineTo(cx + w / 2, y + w / 4);
    p.drawPath(chevron);
  }
}

void MarkerTab::mousePressEvent(QMouseEvent* e) { e->accept(); }

void MarkerTab::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) emit clicked();
}

}  // namespace vft::ui
