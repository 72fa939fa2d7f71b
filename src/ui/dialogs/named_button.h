// A dialog button as the windows make them: found by its objectName, and
// never pressed by the Enter key of a text box unless made the default.
#pragma once
#include <QPushButton>

namespace vft::ui {

inline QPushButton* named_button(const QString& text, const QString& name, QWidget* parent, int min_width = 0) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  if (min_width > 0) b->setMinimumWidth(min_width);
  return b;
}

}  // namespace vft::ui
