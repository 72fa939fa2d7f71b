// frmRelationship ("How Are They Related?"): two persons, the first preset to
// the selected person and either chosen again through the person list; the
// answer in words both ways, every way the two are related (partners, blood,
// then by marriage, each closest first) with its common ancestors, and the path of the chosen way, any person of
// which can be shown in the family view. Modal.
//
// Controls by objectName: lblFirst with lblFirstName and butFirst (choose),
// lblSecond with lblSecondName and butSecond, lblResult (the answer),
// lblWays with lstWays, lblPath with lstPath, butShow ("Show in Family View"),
// butHelp, butClose.
#pragma once
#include <QDialog>
#include <cstdint>

#include "relations/relationship.h"
#include "store/session.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace vft::ui {

class frmRelationship : public QDialog {
  Q_OBJECT
 public:
  frmRelationship(Session& s, std::int16_t first, QWidget* parent = nullptr);

  // Compares a with b (either may be 0: not chosen yet).
  void set_persons(std::int16_t a, std::int16_t b);
  // The person to show in the family view once the window has closed; 0 for none.
  std::int16_t person_to_show() const { return show_; }

 private:
  Session& s_;
  std::int16_t a_ = 0, b_ = 0, show_ = 0;
  Relationship answer_;
  QLabel* lblFirstName_;
  QLabel* lblSecondName_;
  QLabel* lblResult_;
  QListWidget* lstWays_;
  QListWidget* lstPath_;
  QPushButton* butShow_;

  void choose(bool first);
  void way_changed(int row);
  void show_pressed();
};

// The window for the selected person; returns the person to show in the
// family view (0 when closed without one).
std::int16_t RunRelationship(Session& s, QWidget* parent, std::int16_t first);

}  // namespace vft::ui
