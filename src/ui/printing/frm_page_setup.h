// The preview's two set-up dialogs, acting directly on its page document.
//
// frmSetUpPage ("Set Margins "): Label2 with the unit, the margin boxes
// Text1_0..3 (left, right, top, bottom), the thumbnail Picture1, and
// Command1_0..2 (OK, Cancel, Help).
//
// frmPrinterSet ("Printer Setup"): cmb_printers, cmb_PaperSize, Option1_0/1
// (Portrait, Landscape), Command2_0/1 (OK, Cancel) and Command1
// ("Properties..").
#pragma once
#include <QDialog>
#include <array>

#include "print/page_document.h"
#include "print/page_setup_model.h"
#include "store/session.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vft::ui {

class ThumbnailView;

class frmSetUpPage : public QDialog {
  Q_OBJECT
 public:
  // Without a unit the user's locale chooses inches or centimetres.
  frmSetUpPage(Session& s, print::PageDocument& doc, QWidget* parent = nullptr);
  frmSetUpPage(Session& s, print::PageDocument& doc, print::MarginUnit unit, QWidget* parent = nullptr);

  void accept() override;

 private:
  Session& s_;
  print::PageDocument& doc_;
  print::MarginUnit unit_;
  std::array<QLineEdit*, 4> Text1_{};
  ThumbnailView* Picture1_ = nullptr;
  // The margins the thumbnail last showed (twips): left, right, top, bottom.
  std::array<double, 4> shown_{};

  // Redraws the thumbnail from the boxes; false (after the refusal) when
  // they leave no printable area or a box holds no margin.
  bool redraw(bool tell);
};

class frmPrinterSet : public QDialog {
  Q_OBJECT
 public:
  // `request` 8 (the family data form) keeps the page in landscape.
  frmPrinterSet(Session& s, print::PageDocument& doc, int request, QWidget* parent = nullptr);

  void accept() override;
  void reject() override;

 private:
  Session& s_;
  print::PageDocument& doc_;
  int request_;
  std::string opening_device_;
  int opening_paper_;
  print::Orientation opening_orientation_;
  QComboBox* cmb_printers_ = nullptr;
  QComboBox* cmb_PaperSize_ = nullptr;
  std::array<QRadioButton*, 2> Option1_{};

  void fill_papers();
  void paper_chosen(int index);
  void orientation_chosen(print::Orientation o);
  void properties();
  // The family form's landscape and paper check.
  void check_family_form();
};

}  // namespace vft::ui
