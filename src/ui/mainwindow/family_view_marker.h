// The small tab above a grandparent's (or the partner's) box that says the
// generation above is recorded; resting on it lists those parents.
#pragma once
#include <QWidget>

#include "mainwindow/family_view_colours.h"

namespace vft::ui {

class MarkerTab : public QWidget {
  Q_OBJECT
 public:
  MarkerTab(int index, QWidget* parent);
  void setColours(const FamilyColours& colours, QColor accent);

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  FamilyColours colours_;
  QColor accent_;
};

}  // namespace vft::ui
