// frmSelectPerson: every living person matching the stored search texts in a
// sortable list, with a search box that jumps through it and the details of
// the chosen row. Modal; the caller acts on result() once it closes (redraw
// the family view, open the person editor, or hand the number to the
// connection).
//
// Controls by objectName: txtSelectPerson, lblSearch (its label), SBList1,
// KplPanel1 with lblDetails (the details area), butSelectOK, butEdit,
// butCancel, butHelp; over a filtered list lblFilter says so and butListAll
// lists everyone.
#pragma once
#include <QDialog>
#include <string>

#include "mainwin/find_person.h"
#include "store/session.h"
#include "editors/person_list_model.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace vft::ui {

class frmSelectPerson : public QDialog {
  Q_OBJECT
 public:
  // `fitted_name` is the selected person's name as its family-view box shows
  // it (used in the caption while connecting); empty means the plain display
  // name. `filtered` lists only the matches of the stored search texts.
  frmSelectPerson(Session& s, const std::string& fitted_name, QWidget* parent = nullptr, bool filtered = false);

  void set_colours(const SexColours& c) { model_->set_colours(c); }
  // What was picked; PickStep::None after Cancel.
  PickResult result_pick() const { return picked_; }

  // Acts on a chosen Person number: closes the dialog unless it is refused.
  void SelectPerson(long number);

 signals:
  void helpRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  Session& s_;
  PersonListModel* model_;
  QLabel* lblSearch_;
  QLineEdit* txtSelectPerson_;
  QTableView* SBList1_;
  QLabel* lblDetails_;
  QLabel* lblFilter_;
  QPushButton* butListAll_;
  QPushButton* butSelectOK_;
  QPushButton* butEdit_;
  ListColumn search_ = ListColumn::FamName;  // what the search box searches
  PickResult picked_;

  void fill(bool filtered);
  void header_clicked(int section);
  void search_changed(const QString& text);
  void row_changed();
  void select_pressed();
  void edit_pressed();
  void update_edit_enabled();
  void apply_captions(const std::string& fitted_name);
  int current_row() const;
  void move_to_row(int row);
};

}  // namespace vft::ui
