// The family view's small rounded buttons ("More", the children counts, the
// partnership), drawn directly: there are a dozen of them on every redraw
// and a style sheet would make each one dearer to draw.
#pragma once
#include <QPushButton>

#include "mainwindow/family_view_colours.h"

namespace vft::ui {

class PillButton : public QPushButton {
  Q_OBJECT
 public:
  enum class Kind { More, Count, Partnership };
  PillButton(const QString& name, Kind kind, QWidget* parent);
  void setColours(const FamilyColours& colours);
  Kind kind() const { return kind_; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  Kind kind_;
  FamilyColours colours_;
  bool hovered_ = false;
};

}  // namespace vft::ui
