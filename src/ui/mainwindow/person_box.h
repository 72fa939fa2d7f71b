// One person's box in the family view: a rounded card with the box's title,
// the fitted name and the date line, tinted by the person's sex. An empty
// slot keeps its title in a dashed outline so the shape of the family stays
// readable.
#pragma once
#include <QLabel>
#include <QWidget>

#include "mainwindow/family_view_colours.h"
#include "mainwin/family_view_geometry.h"

namespace vft::ui {

class PersonBox : public QWidget {
  Q_OBJECT
 public:
  // `suffix` completes the control names: "GrandParent0" gives the panel
  // "pnlGrandParent0", the labels "lblGrandParentName0" and
  // "lblGrandParentDates0" (index digits last); the selected box is "pnlSelected"
  // with "lblSelectedName", "lblSelectedDates" and "lblSelectedNum".
  PersonBox(const QString& base, int index, const QString& caption, bool selected, QWidget* parent);

  void setPerson(const QString& name, const QString& dates, char sex, bool filled);
  void setNumber(const QString& number);  // selected box only
  void setColours(const FamilyColours& colours);
  // Lays the labels out for the box's size, with texts and paddings at
  // `text` pixels per unit of the diagram's text scale.
  void arrange(double text);

  QLabel* nameLabel() const { return name_; }
  QLabel* datesLabel() const { return dates_; }
  bool filled() const { return filled_; }
  char sex() const { return sex_; }
  bool isSelectedBox() const { return selected_; }

 signals:
  void clicked();
  void labelHovered();  // the pointer came onto the name or the date line

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  QString caption_;
  QLabel* name_;
  QLabel* dates_;
  QLabel* number_ = nullptr;
  FamilyColours colours_;
  char sex_ = 0;
  bool filled_ = false;
  bool selected_;
  bool pressed_ = false;
  double scale_ = 1;
};

// The diagram's fonts at a text scale, in whole pixels (text is drawn at
// whole pixel sizes, and names are fitted at the size they are drawn):
// everything in the view is sized from these.
QFont BoardFont(double board_px, double scale, bool bold);

}  // namespace vft::ui
