#include "mainwindow/frm_splash.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QVBoxLayout>

#include "mainwin/startup.h"
#include "qt_text.h"

namespace vft::ui {

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("frmSplash"));
  setAttribute(Qt::WA_TranslucentBackground);
  setFixedSize(560, 300);
  auto* title = new QLabel(QStringLiteral("Vorlan Family Tree"), this);
  title->setObjectName(QStringLiteral("lblTitle"));
  QFont tf = title->font();
  tf.setPointSizeF(tf.pointSizeF() * 2.2);
  tf.setWeight(QFont::DemiBold);
  title->setFont(tf);
  title->setStyleSheet(QStringLiteral("color: #1f2a37;"));
  auto* tagline = new QLabel(QStringLiteral("Your family, generation by generation"), this);
  tagline->setObjectName(QStringLiteral("lblTagline"));
  tagline->setStyleSheet(QStringLiteral("color: #5b6776;"));
  auto* version = new QLabel(qs(VersionText()), this);
  version->setObjectName(QStringLiteral("lblVersion"));
  version->setStyleSheet(QStringLiteral("color: #7b8794;"));
  lblMessage_ = new QLabel(this);
  lblMessage_->setObjectName(QStringLiteral("lblMessage"));
  lblMessage_->setStyleSheet(QStringLiteral("color: #2f6db5;"));
  lblMessage_->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(44, 96, 44, 30);
  layout->setSpacing(6);
  layout->addWidget(title);
  layout->addWidget(tagline);
  layout->addStretch(1);
  layout->addWidget(lblMessage_);
  layout->addWidget(version);

  if (QScreen* screen = QApplication::primaryScreen()) move(screen->availableGeometry().center() - rect().center());
}

void frmSplash::set_message(const QString& text) { lblMessage_->setText(text); }
QString frmSplash::message() const { return lblMessage_->text(); }

void frmSplash::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QRectF card = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  QPainterPath shape;
  shape.addRoundedRect(card, 14, 14);
  p.fillPath(shape, QColor(0xff, 0xff, 0xff));
  p.setPen(QPen(QColor(0xd8, 0xdd, 0xe5), 1));
  p.drawPath(shape);
  // A small family tree drawn as three generations of linked dots.
  p.save();
  p.translate(width() - 150, 60);
  QPen line(QColor(0xb9, 0xc9, 0xde), 2);
  p.setPen(line);
  p.drawLine(QPointF(30, 20), QPointF(90, 20));
  p.drawLine(QPointF(60, 20), QPointF(60, 60));
  p.drawLine(QPointF(20, 60), QPointF(100, 60));
  p.drawLine(QPointF(20, 60), QPointF(20, 90));
  p.drawLine(QPointF(100, 60), QPointF(100, 90));
  p.setPen(Qt::NoPen);
  const QColor male(0x8e, 0xb4, 0xe3), female(0xf0, 0xa8, 0xb8);
  p.setBrush(male);
  p.drawEllipse(QPointF(30, 20), 11, 11);
  p.drawEllipse(QPointF(100, 90), 11, 11);
  p.setBrush(female);
  p.drawEllipse(QPointF(90, 20), 11, 11);
  p.drawEllipse(QPointF(20, 90), 11, 11);
  p.restore();
}

}  // namespace vft::ui
