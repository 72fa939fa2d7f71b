// Fonts need a GUI application. The tool never opens a window, so it runs one
// without a display unless QT_QPA_PLATFORM says otherwise.
#pragma once
#include <QGuiApplication>

namespace vft::cli {

// Lives for as long as texts are measured or drawn.
class GuiFonts {
  // Sets the platform and Qt's message handler before the application starts.
  static int& prepared(int& argc);
  int argc_ = 1;
  char name_[4] = "vft";
  char* argv_[2] = {name_, nullptr};
  QGuiApplication app_{prepared(argc_), argv_};
};

}  // namespace vft::cli
