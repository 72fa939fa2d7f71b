// Two rules every window keeps, applied in one place as windows are shown:
// Tab moves through a window in reading order (down the window, along a row
// from left to right), and labels show their text as plain text, so a name
// typed as "<h1>" is shown as typed and never read as markup (a label that
// means to show rich text says so itself).
//
// The windows are built by layouts whose order of creation is not always the
// order on screen, so the Tab order is taken from where the controls stand
// whenever a window is shown or resized.
#pragma once

class QApplication;
class QWidget;

namespace vft::ui {

// Puts the Tab order of `window`'s focusable controls in reading order.
void SetReadingTabOrder(QWidget* window);

// Applies both rules to every window as it is shown (the Tab order also as it
// is resized).
void InstallWindowRules(QApplication& app);

}  // namespace vft::ui
