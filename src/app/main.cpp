#include <QApplication>

#include "mainwindow/start.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return vft::ui::run_program(app);
}
