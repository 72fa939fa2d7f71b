// Tab moves through a window in reading order: down the window, and along a
// row from left to right. The windows are built by layouts whose order of
// creation is not always the order on screen, so the order is taken from
// where the controls stand whenever a window is shown or resized.
#pragma once

class QApplication;
class QWidget;

namespace vft::ui {

// Puts the Tab order of `window`'s focusable controls in reading order.
void SetReadingTabOrder(QWidget* window);

// Does that for every window as it is shown or resized.
void InstallReadingTabOrder(QApplication& app);

}  // namespace vft::ui
