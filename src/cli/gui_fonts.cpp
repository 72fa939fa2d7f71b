#include "gui_fonts.h"

#include <QString>
#include <cstdio>
#include <cstdlib>

namespace vft::cli {
namespace {

// Qt's notes about the environment (no runtime folder, no session bus) mean
// nothing to a batch tool's user; only its real errors are passed on.
void qt_messages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "vft: %s\n", text.toLocal8Bit().constData());
}

}  // namespace

int& GuiFonts::prepared(int& argc) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(qt_messages);
  return argc;
}

}  // namespace vft::cli
