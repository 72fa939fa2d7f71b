#include "mainwindow/app_style.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QPalette>
#include <QStyleFactory>

namespace vft::ui {
namespace {

// Rules by objectName, so each window keeps its plain widgets and gets its
// look here in one place.
const char* kStyleSheet = R"(
QMainWindow#frmFamtree { background: #eef1f5; }
QWidget#KplButtonBar { background: #ffffff; border-bottom: 1px solid #d8dde5; }
QWidget#KplButtonBar QPushButton {
  background: transparent; border: 1px solid transparent; border-radius: 6px;
  padding: 6px 12px; color: #1f2a37; min-height: 20px;
}
QWidget#KplButtonBar QPushButton:hover { background: #e8eef7; border-color: #cfdbeb; }
QWidget#KplButtonBar QPushButton:pressed { background: #d6e2f2; }
QWidget#KplButtonBar QPushButton:disabled { color: #a3acb8; }
QWidget#KplButtonBar QPushButton:focus { border-color: #8fb0dc; }
QWidget#KplButtonBar QFrame#barSeparator { color: #dfe3ea; }
QPushButton#butQuit { color: #1f2a37; }
QStatusBar { background: #ffffff; border-top: 1px solid #d8dde5; }
QStatusBar QLabel#Label1 { color: #3c4756; padding: 2px 8px; }
QLabel#FamilyViewPlaceholder { color: #7b8794; font-size: 15px; }
QDialog#frmStartMenu, QDialog#frmWelcome, QDialog#frmPassword { background: #f7f8fa; }
QDialog#frmStartMenu QPushButton[startEntry="true"] {
  text-align: left; padding: 12px 18px; border: 1px solid #d8dde5; border-radius: 8px;
  background: #ffffff; font-size: 14px; color: #1f2a37;
}
QDialog#frmStartMenu QPushButton[startEntry="true"]:hover { background: #eef4fc; border-color: #9dbbe3; }
QDialog#frmStartMenu QPushButton[startEntry="true"]:focus { border-color: #5b8fd6; }
QDialog#frmStartMenu QPushButton[startEntry="true"]:disabled { color: #a3acb8; background: #f3f4f6; }
QLabel#lblStartTitle { font-size: 20px; font-weight: 600; color: #1f2a37; }
QLabel#lblStartHint { color: #5b6776; }
QLabel#lblError { color: #b42318; }
)";

}  // namespace

void apply_app_style(QApplication& app) {
  app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QPalette p = app.palette();
  p.setColor(QPalette::Window, QColor(0xf3, 0xf5, 0xf8));
  p.setColor(QPalette::WindowText, QColor(0x1f, 0x2a, 0x37));
  p.setColor(QPalette::Base, Qt::white);
  p.setColor(QPalette::AlternateBase, QColor(0xf6, 0xf8, 0xfb));
  p.setColor(QPalette::Text, QColor(0x1f, 0x2a, 0x37));
  p.setColor(QPalette::Button, QColor(0xfa, 0xfb, 0xfc));
  p.setColor(QPalette::ButtonText, QColor(0x1f, 0x2a, 0x37));
  p.setColor(QPalette::Highlight, QColor(0x2f, 0x6d, 0xb5));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::ToolTipBase, QColor(0xff, 0xfd, 0xf0));
  p.setColor(QPalette::ToolTipText, QColor(0x1f, 0x2a, 0x37));
  p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0xa3, 0xac, 0xb8));
  p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0xa3, 0xac, 0xb8));
  p.setColor(QPalette::Disabled, QPalette::Text, QColor(0xa3, 0xac, 0xb8));
  app.setPalette(p);
  QFont f = app.font();
  if (f.pointSizeF() < 10) f.setPointSizeF(10);
  app.setFont(f);
  app.setStyleSheet(QString::fromLatin1(kStyleSheet));
}

}  // namespace vft::ui
