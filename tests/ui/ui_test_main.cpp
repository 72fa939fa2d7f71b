// The one main of ui_tests: widgets and fonts need an application object
// before any test runs. Without a display the tests run offscreen.
#include <gtest/gtest.h>

#include <QApplication>

#include "mainwindow/window_rules.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  vft::ui::InstallWindowRules(app);  // as the program does
  return RUN_ALL_TESTS();
}
