#include "mainwindow/pill_button.h"

#include <QEnterEvent>
#include <QPainter>

namespace vft::ui {
namespace {

// The partnership button sits on the couple's line in a warm tint of its own.
const QColor kPartnershipFill(0xFF, 0xF7, 0xE8), kPartnershipHover(0xFF, 0xEF, 0xD2),
    kPartnershipBorder(0xE3, 0xC6, 0x90);

}  // namespace

PillButton::PillButton(const QString& name, Kind kind, QWidget* parent) : QPushButton(parent), kind_(kind) {
  setObjectName(name);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::NoFocus);  // the view itself takes the keys
  setColours(ColoursForScheme(1 << 24));
  hide();
}

void PillButton::setColours(const FamilyColours& colours) {
  colours_ = colours;
  update();
}

void PillButton::enterEvent(QEnterEvent* e) {
  hovered_ = true;
  update();
  QPushButton::enterEvent(e);
}

void PillButton::leaveEvent(QEvent* e) {
  hovered_ = false;
  update();
  QPushButton::leaveEvent(e);
}

void PillButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const bool partnership = kind_ == Kind::Partnership;
  QColor fill = partnership ? (hovered_ ? kPartnershipHover : kPartnershipFill)
                            : (hovered_ ? colours_.buttonHover : colours_.button);
  if (isDown()) fill = fill.darker(106);
  p.setPen(QPen(partnership ? kPartnershipBorder : colours_.buttonBorder, 1));
  p.setBrush(fill);
  p.drawRoundedRect(r, r.height() / 2, r.height() / 2);
  p.setPen(kind_ == Kind::Count ? colours_.subtext : colours_.text);
  p.setFont(font());
  p.drawText(r, Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

}  // namespace vft::ui
