// frmGEDCOM: the import window. It shows which file is read and the file's
// header details, converts the file with its stage on show, lists the result
// and any errors, and merges into the tree only when OK is pressed. Cancel
// stops a conversion that is running or abandons one that is done.
//
// Controls by objectName: lblImporting, lblWait, lblStage, prgImport,
// fraHeader with lblHeaderCaption_0..7 and lblHeader_0..7 (Source,
// Destination, Date, Version, GEDCOM Version, Name, Address, Phone),
// txtErrors, cmdPrint, cmdOK, cmdCancel, cmdHelp.
#pragma once
#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "interchange/gedcom_import_window.h"
#include "store/session.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace vft::ui {

class frmGEDCOM : public QDialog {
  Q_OBJECT
 public:
  frmGEDCOM(Session& s, const std::string& path, QWidget* parent = nullptr);

  // Reads the file and converts it; the window closes by itself when the
  // file cannot be imported or the user stops. True when ready to merge.
  bool convert();
  // True once the records have been added to the tree.
  bool merged() const { return model_.state() == GedcomImportModel::State::Merged; }
  // Prints the error list; tests replace it.
  std::function<void(const QString& text)> print_text;

 public slots:
  void reject() override;

 private:
  Session& s_;
  GedcomImportModel model_;
  QLabel* lblWait_;
  QLabel* lblStage_;
  QProgressBar* prgImport_;
  std::array<QLabel*, 8> lblHeader_{};
  QPlainTextEdit* txtErrors_;
  QPushButton* cmdPrint_;
  QPushButton* cmdOK_;
  QPushButton* cmdCancel_;
  bool working_ = false;
  bool stop_ = false;

  void show_header();
  void show_stage(const std::string& text, long count);
  void ok_pressed();
  void print_pressed();
  void finish_work();
};

}  // namespace vft::ui
