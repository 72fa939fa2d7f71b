// frmPrintPreview: every printout goes through this window. The Set Items
// panel (frmSetItems) chooses what to include, "Pre&view" builds the page
// document through RunPrintRequest while the progress panel (pnlPrinting)
// offers Cancel, and the button bar pages, zooms and prints.
//
// Controls by objectName: butSetItems, butPage_0..4 ("<  Prev", "Next >",
// "<< First", "Last >>", "&Go To") with Text2, butZoom_0/1, cmdPrint,
// butCancel, lblPage, lblSummary, lblHint, the status labels Label3_0..4
// (printer, paper, orientation, zoom, font); in frmSetItems the arrays
// chkPrintStyle1_0..24 and chkPrintStyle3_0..13, txtNumOfGenerations,
// txtFamName, txtStartPage, Option1_0..2, optSort_0/1, optFormat_0..2,
// butSelectAll, butSelectAllDescend and Command1_0..8; the page view
// vsViewPort1; the menu entries mnuPrintPages, mnuCfgPrinter, mnuCfgPage,
// mnuConfigProg, mnuHelp.
#pragma once
#include <QDialog>
#include <QString>
#include <array>
#include <functional>

#include "print/page_document.h"
#include "print/preview_model.h"
#include "store/session.h"
#include "qt_text_measure.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QPrinter;
class QScrollArea;
class QStackedWidget;

namespace vft::ui {

class PageView;

// What the print dialog settled: where to print and which pages (in the
// numbering the page label shows).
struct PrintChoice {
  bool all = true;
  int from = 0, to = 0;
  QString pdf_file;  // for the "PDF file" device
};

class frmPrintPreview : public QDialog {
  Q_OBJECT
 public:
  frmPrintPreview(Session& s, int request, QWidget* parent = nullptr);
  ~frmPrintPreview() override;

  // Seams for the platform dialogs; tests replace them. Each returns false
  // when the user cancelled.
  std::function<bool(frmPrintPreview&, PrintChoice&)> print_dialog;
  std::function<bool(print::Font&)> font_dialog;
  std::function<QString(const QString& title)> save_dialog;
  // "Program Settings": the options dialog, when the main window offers it.
  std::function<void()> program_settings;

  int request() const { return request_; }
  const print::PageDocument& document() const { return doc_; }
  print::PageDocument& document() { return doc_; }
  const print::PanelSettings& settings() const { return settings_; }
  bool generating() const { return generating_; }

  // The buttons' actions, also reached by keys and the menu.
  void preview();
  void load_cfg();
  void save_cfg();
  void show_set_items();
  void show_page(int page);
  void go_to();
  void zoom_by(int step);
  void choose_font();
  void margins();
  void printer();
  void print_pressed();
  // Status labels after the font, printer or margins changed.
  void refresh_status();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* e) override;
  void reject() override;

 private:
  Session& s_;
  int request_;
  QtTextMeasure measure_;
  print::PageDocument doc_;
  print::ItemPanel panel_;
  print::PanelSettings settings_;
  bool generating_ = false;
  bool started_ = false;
  bool select_all_on_ = false;
  print::Orientation opening_orientation_;

  // Button bar and status.
  QPushButton* butSetItems_ = nullptr;
  std::array<QPushButton*, 5> butPage_{};
  QLineEdit* Text2_ = nullptr;
  std::array<QPushButton*, 2> butZoom_{};
  QPushButton* cmdPrint_ = nullptr;
  QPushButton* butCancel_ = nullptr;
  QLabel* lblPage_ = nullptr;
  QLabel* lblSummary_ = nullptr;
  QLabel* lblHint_ = nullptr;
  std::array<QLabel*, 5> Label3_{};
  QWidget* buttonBar_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  QScrollArea* viewport_ = nullptr;
  QWidget* itemsPage_ = nullptr;
  PageView* view_ = nullptr;
  // Set Items panel.
  QGroupBox* frmSetItems_ = nullptr;
  std::array<QCheckBox*, print::item1::Count> chk1_{};
  std::array<QCheckBox*, print::item3::Count> chk3_{};
  QGridLayout* boxes_ = nullptr;  // holds chk1_ and chk3_
  QLabel* lblGenerations_ = nullptr;
  QLineEdit* txtNumOfGenerations_ = nullptr;
  QLabel* lblFamName_ = nullptr;
  QLineEdit* txtFamName_ = nullptr;
  QLineEdit* txtStartPage_ = nullptr;
  QGroupBox* fraHeading_ = nullptr;
  std::array<QRadioButton*, 3> Option1_{};
  QGroupBox* fraSort_ = nullptr;
  std::array<QRadioButton*, 2> optSort_{};
  QGroupBox* fraFormat_ = nullptr;
  std::array<QRadioButton*, 3> optFormat_{};
  QPushButton* butSelectAll_ = nullptr;
  QPushButton* butSelectAllDescend_ = nullptr;
  std::array<QPushButton*, 9> Command1_{};
  // Progress panel.
  QFrame* pnlPrinting_ = nullptr;
  QLabel* lblPrintingMessage_ = nullptr;
  QPushButton* cmdCancelPrint_ = nullptr;

  void build_button_bar(QWidget* bar);
  QGroupBox* build_set_items();
  QFrame* build_progress();
  void build_menu();
  void hint(QWidget* w, const QString& text);

  // frm_print_preview_items.cpp
  void prepare_panel();
  void settings_to_panel();
  void panel_to_settings();
  void select_all(bool on);
  void generations_changed();
  void print_to_file_changed();
  void update_format_choice();

  // frm_print_preview_run.cpp
  void set_bar_enabled(bool on);
  void update_paging();
  void save_list(const std::string& text);
  bool default_print_dialog(QPrinter& printer, PrintChoice& choice);
  void print_document();
};

}  // namespace vft::ui
