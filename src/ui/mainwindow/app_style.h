// The program's look: one calm, light palette and the few style rules the
// windows share (button bar, status line, start windows).
#pragma once

class QApplication;

namespace vft::ui {

void apply_app_style(QApplication& app);

}  // namespace vft::ui
