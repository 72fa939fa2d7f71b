#include "start.h"

#include <QApplication>
#include <QLabel>

namespace vft::ui {
int run_program(QApplication& app) {
  QLabel l(QStringLiteral("Vorlan Family Tree"));
  l.show();
  return app.exec();
}
}  // namespace vft::ui
