// frmFindPerson: the small search form (given names, family name or Person
// number, "Precise Search"). Modal. It closes with a picked person, with a
// request for the list (frmSelectPerson), or with nothing.
//
// Controls by objectName: txtGivenNames, txtFamName (with their labels
// lblGivenNames, lblFamName), chkPrecise, lblHint, and the button array
// Command1 as Command1_0 (search), Command1_1 ("&List All"), Command1_2
// ("&Cancel"), Command1_3 ("&Help").
#pragma once
#include <QDialog>
#include <functional>
#include <string>

#include "mainwin/find_person.h"
#include "store/session.h"
#include "editors/person_list_model.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace vft::ui {

class frmFindPerson : public QDialog {
  Q_OBJECT
 public:
  // `fitted_name`: the selected person's name as its family-view box shows it.
  frmFindPerson(Session& s, const std::string& fitted_name, QWidget* parent = nullptr);

  // After exec: Picked (see pick()), OpenList, or Close (cancelled).
  FindStep outcome() const { return outcome_; }
  // OpenList for the matches of the search (not "List All", which lists everyone).
  bool list_filtered() const { return list_filtered_; }
  PickResult pick() const { return pick_; }

 signals:
  void helpRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Session& s_;
  QLineEdit* txtGivenNames_;
  QLineEdit* txtFamName_;
  QCheckBox* chkPrecise_;
  QPushButton* cmdSearch_;
  FindStep outcome_ = FindStep::Close;
  bool list_filtered_ = false;
  PickResult pick_;

  void search_pressed();
  void list_all_pressed();
  void famname_changed(const QString& text);
  void apply_ucase();
};

// The whole find: frmFindPerson, then frmSelectPerson when the find asks for
// the list. Returns what was picked (PickStep::None when cancelled). Help
// requests of either dialog go to `help` when given.
PickResult RunFindPerson(Session& s, const std::string& fitted_name, QWidget* parent, const SexColours& colours = {},
                         const std::function<void()>& help = {});
// frmSelectPerson alone: everyone, or the matches of the stored search texts
// when `filtered`.
PickResult RunSelectPerson(Session& s, const std::string& fitted_name, QWidget* parent, const SexColours& colours = {},
                           const std::function<void()>& help = {}, bool filtered = false);

}  // namespace vft::ui
