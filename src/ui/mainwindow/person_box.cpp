#include "mainwindow/person_box.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "qt_text_measure.h"

namespace vft::ui {
namespace {

constexpr double kPadLeft = kBoxPadLeft, kPadRight = kBoxPadRight;

void set_text_colour(QLabel* l, const QColor& c) {
  QPalette p = l->palette();
  if (p.color(QPalette::WindowText) == c) return;
  p.setColor(QPalette::WindowText, c);
  l->setPalette(p);
}

// Fonts change only when the scale does; setting an equal font again would
// still make Qt re-measure the label.
void set_font(QLabel* l, const QFont& f) {
  if (l->font() != f) l->setFont(f);
}

}  // namespace

QFont BoardFont(double board_px, double scale, bool bold) {
  QFont f(font_family("Arial"));
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(board_px * scale))));
  f.setBold(bold);
  // Names are fitted with design metrics and without kerning; drawing them the
  // same way keeps a fitted name inside its box.
  f.setKerning(false);
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

PersonBox::PersonBox(const QString& base, int index, const QString& caption, bool selected, QWidget* parent)
    : QWidget(parent), caption_(caption), selected_(selected) {
  const QString digits = index < 0 ? QString() : QString::number(index);
  setObjectName(QStringLiteral("pnl") + base + digits);
  name_ = new QLabel(this);
  name_->setObjectName(QStringLiteral("lbl") + base + QStringLiteral("Name") + digits);
  dates_ = new QLabel(this);
  dates_->setObjectName(QStringLiteral("lbl") + base + QStringLiteral("Dates") + digits);
  for (QLabel* l : {name_, dates_}) {
    l->setTextFormat(Qt::PlainText);
    l->installEventFilter(this);
  }
  if (selected_) {
    number_ = new QLabel(this);
    number_->setObjectName(QStringLiteral("lblSelectedNum"));
    number_->setAlignment(Qt::AlignCenter);
    number_->setToolTip(tr("Person number"));
    number_->hide();
  }
  setAttribute(Qt::WA_OpaquePaintEvent, false);
  setColours(ColoursForScheme(1 << 24));
}

void PersonBox::setPerson(const QString& name, const QString& dates, char sex, bool filled) {
  name_->setText(name);
  dates_->setText(dates);
  sex_ = sex;
  filled_ = filled;
  setCursor(filled ? Qt::PointingHandCursor : Qt::ArrowCursor);
  update();
}

void PersonBox::setNumber(const QString& number) {
  if (!number_) return;
  number_->setText(number);
  number_->setVisible(!number.isEmpty());
}

void PersonBox::setColours(const FamilyColours& colours) {
  colours_ = colours;
  set_text_colour(name_, colours.text);
  set_text_colour(dates_, colours.subtext);
  if (number_) set_text_colour(number_, Qt::white);  // on the accent pill painted behind it
  update();
}

void PersonBox::arrange(double text) {
  const double scale = text;
  scale_ = text;
  const double w = width(), h = height();
  const double name_px = selected_ ? kSelectedNameText : kBoxNameText;
  set_font(name_, BoardFont(name_px, scale, true));
  set_font(dates_, BoardFont(kDatesText, scale, false));
  const double left = kPadLeft * scale, inner = w - left - kPadRight * scale;
  // Title at the top, name under it, dates at the foot.
  const double caption_h = (selected_ ? 26 : 22) * scale;
  const double name_h = (name_px + 8) * scale;
  const double dates_h = (kDatesText + 7) * scale;
  const double free = std::max(0.0, h - caption_h - name_h - dates_h - 6 * scale);
  name_->setGeometry(QRectF(left, caption_h + free / 2, inner, name_h).toRect());
  dates_->setGeometry(QRectF(left, caption_h + free / 2 + name_h, inner, dates_h).toRect());
  if (number_) {
    set_font(number_, BoardFont(10.5, scale, true));
    const double nw = (number_->fontMetrics().horizontalAdvance(number_->text()) + 14 * scale);
    const double nh = 17 * scale;
    number_->setGeometry(QRectF(w - nw - 8 * scale, 7 * scale, nw, nh).toRect());
  }
  update();
}

void PersonBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const double radius = 10 * scale_;
  const double pen = selected_ && filled_ ? 2.2 * scale_ : 1.0;
  const QRectF r = QRectF(rect()).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
  QPainterPath shape;
  shape.addRoundedRect(r, radius, radius);
  const QColor fill = BoxFill(colours_, sex_, filled_);
  QColor accent = BoxAccent(colours_, sex_, filled_);
  p.fillPath(shape, fill);

  if (filled_) {
    // A stripe of the accent along the left edge marks the sex at a glance.
    p.save();
    p.setClipPath(shape);
    p.fillRect(QRectF(r.left(), r.top(), 5 * scale_, r.height()), accent);
    p.restore();
    QColor border = accent;
    if (!selected_) border.setAlpha(110);
    p.setPen(QPen(border, pen));
  } else {
    QPen dashed(accent, 1.2, Qt::DashLine);
    dashed.setDashPattern({4, 3});
    p.setPen(dashed);
  }
  p.setBrush(Qt::NoBrush);
  p.drawPath(shape);

  if (number_ && number_->isVisible()) {
    const QRectF pill = QRectF(number_->geometry());
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawRoundedRect(pill, pill.height() / 2, pill.height() / 2);
  }

  QColor caption = filled_ ? colours_.caption : colours_.emptyAccent.darker(115);
  p.setPen(caption);
  QFont f = BoardFont(kCaptionText, scale_, true);
  f.setLetterSpacing(QFont::PercentageSpacing, 104);
  p.setFont(f);
  const QRectF caption_rect(kPadLeft * scale_, 6 * scale_, width() - (kPadLeft + kPadRight) * scale_,
                            (selected_ ? 18 : 16) * scale_);
  p.drawText(caption_rect, Qt::AlignLeft | Qt::AlignVCenter, caption_);
}

void PersonBox::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) pressed_ = true;
  e->accept();
}

void PersonBox::mouseReleaseEvent(QMouseEvent* e) {
  const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
  pressed_ = false;
  if (click) emit clicked();
}

bool PersonBox::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::Enter && (watched == name_ || watched == dates_)) emit labelHovered();
  return QWidget::eventFilter(watched, e);
}

}  // namespace vft::ui
