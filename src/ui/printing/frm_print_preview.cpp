#include "printing/frm_print_preview.h"
#include "dialogs/named_button.h"
#include "mainwindow/editing_windows.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "printing/page_print.h"
#include "printing/preview_page_view.h"
#include "qt_text.h"
#include "dialogs/radio_group.h"

namespace vft::ui {
namespace {

const char* const kHintProperty = "vftHint";

QPushButton* button(const QString& text, const QString& name, QWidget* parent) {
  return named_button(text, name, parent);
}

QGroupBox* option_group(const QString& title, const QString& name, QWidget* parent) {
  auto* g = new QGroupBox(title, parent);
  g->setObjectName(name);
  new QVBoxLayout(g);
  return g;
}

}  // namespace

frmPrintPreview::frmPrintPreview(Session& s, int request, QWidget* parent)
    : QDialog(parent), s_(s), request_(request), doc_(measure_) {
  setObjectName(QStringLiteral("frmPrintPreview"));
  setWindowTitle(QStringLiteral("Print Preview"));
  setModal(true);
  doc_.set_devices(platform_print_devices());
  doc_.set_device(default_print_device());
  panel_ = print::BuildItemPanel(s_, request_);

  // The document font is Arial until the settings say otherwise; running
  // headers use plain Arial 10 whatever the document font is.
  print::Font header;
  doc_.set_font(header);
  doc_.set_header_font(header);
  // The width of the screen decides the zoom the preview opens with.
  double screen_twips = 15 * 1366;
  if (const QScreen* screen = QApplication::primaryScreen())
    screen_twips = screen->geometry().width() * 1440.0 / screen->logicalDotsPerInchX();
  doc_.set_zoom(print::InitialZoom(screen_twips));

  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(8, 4, 8, 6);
  root->setSpacing(6);
  build_menu();
  buttonBar_ = new QWidget(this);
  buttonBar_->setObjectName(QStringLiteral("buttonBar"));
  build_button_bar(buttonBar_);
  root->addWidget(buttonBar_);

  stack_ = new QStackedWidget(this);
  auto* stack = stack_;
  stack->setObjectName(QStringLiteral("stkPreview"));
  viewport_ = new QScrollArea(stack);
  viewport_->setObjectName(QStringLiteral("vsViewPort1"));
  viewport_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  viewport_->setBackgroundRole(QPalette::Dark);
  view_ = new PageView(doc_, viewport_);
  viewport_->setWidget(view_);
  viewport_->installEventFilter(this);
  view_->installEventFilter(this);

  auto* itemsPage = new QScrollArea(stack);
  itemsPage_ = itemsPage;
  itemsPage->setObjectName(QStringLiteral("scrSetItems"));
  itemsPage->setWidgetResizable(true);
  auto* itemsHolder = new QWidget(itemsPage);
  auto* holderLayout = new QVBoxLayout(itemsHolder);
  frmSetItems_ = build_set_items();
  frmSetItems_->setParent(itemsHolder);
  holderLayout->addWidget(frmSetItems_, 0, Qt::AlignHCenter | Qt::AlignTop);
  holderLayout->addStretch(1);
  itemsPage->setWidget(itemsHolder);

  pnlPrinting_ = build_progress();
  pnlPrinting_->setParent(stack);
  stack->addWidget(itemsPage);
  stack->addWidget(viewport_);
  stack->addWidget(pnlPrinting_);
  root->addWidget(stack, 1);

  lblSummary_ = new QLabel(this);
  lblSummary_->setObjectName(QStringLiteral("lblSummary"));
  lblSummary_->setStyleSheet(QStringLiteral("font-weight: bold;"));
  root->addWidget(lblSummary_);

  auto* status = new QHBoxLayout;
  status->setSpacing(4);
  for (int i = 0; i < 5; ++i) {
    Label3_[static_cast<std::size_t>(i)] = new QLabel(this);
    QLabel* l = Label3_[static_cast<std::size_t>(i)];
    l->setObjectName(QStringLiteral("Label3_%1").arg(i));
    l->setFrameShape(QFrame::StyledPanel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(i < 2 ? 170 : 90);
    l->setMaximumWidth(i < 2 ? 240 : 260);
    l->installEventFilter(this);
    status->addWidget(l, i == 4 ? 1 : 0);
  }
  root->addLayout(status);
  lblHint_ = new QLabel(this);
  lblHint_->setObjectName(QStringLiteral("lblHint"));
  lblHint_->setStyleSheet(QStringLiteral("color: #555b66;"));
  root->addWidget(lblHint_);

  connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
          [this] { s_.help("print_preview"); });

  opening_orientation_ = doc_.orientation();
  prepare_panel();
  load_cfg();
  show_set_items();
  resize(1240, 700);
}

frmPrintPreview::~frmPrintPreview() = default;

void frmPrintPreview::build_button_bar(QWidget* bar) {
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(4);
  butSetItems_ = button(QStringLiteral("Set &Items"), QStringLiteral("butSetItems"), bar);
  hint(butSetItems_, QStringLiteral("Select items to include on the printout and press 'Enter' to preview."));
  const QString captions[5] = {QStringLiteral("<  Prev"), QStringLiteral("Next >"), QStringLiteral("<< First"),
                               QStringLiteral("Last >>"), QStringLiteral("&Go To")};
  for (int i = 0; i < 5; ++i)
    butPage_[static_cast<std::size_t>(i)] = button(captions[i], QStringLiteral("butPage_%1").arg(i), bar);
  Text2_ = new QLineEdit(bar);
  Text2_->setObjectName(QStringLiteral("Text2"));
  Text2_->setMaximumWidth(56);
  Text2_->setMaxLength(6);
  butZoom_[0] = button(QStringLiteral("Zoom Out"), QStringLiteral("butZoom_0"), bar);
  butZoom_[1] = button(QStringLiteral("Zoom In"), QStringLiteral("butZoom_1"), bar);
  hint(butZoom_[0], QStringLiteral("Zoom out to show full page."));
  hint(butZoom_[1], QStringLiteral("Zoom in for more detail."));
  cmdPrint_ = button(QStringLiteral("&Print"), QStringLiteral("cmdPrint"), bar);
  butCancel_ = button(QStringLiteral("E&xit"), QStringLiteral("butCancel"), bar);
  lblPage_ = new QLabel(bar);
  lblPage_->setObjectName(QStringLiteral("lblPage"));
  lblPage_->setMinimumWidth(100);

  row->addWidget(butSetItems_);
  row->addSpacing(10);
  for (int i : {2, 0, 1, 3}) row->addWidget(butPage_[static_cast<std::size_t>(i)]);
  row->addSpacing(10);
  row->addWidget(butPage_[4]);
  row->addWidget(Text2_);
  row->addSpacing(10);
  row->addWidget(butZoom_[0]);
  row->addWidget(butZoom_[1]);
  row->addSpacing(10);
  row->addWidget(cmdPrint_);
  row->addWidget(butCancel_);
  row->addStretch(1);
  row->addWidget(lblPage_);

  connect(butSetItems_, &QPushButton::clicked, this, &frmPrintPreview::show_set_items);
  connect(butPage_[0], &QPushButton::clicked, this, [this] { show_page(doc_.page_shown() - 1); });
  connect(butPage_[1], &QPushButton::clicked, this, [this] { show_page(doc_.page_shown() + 1); });
  connect(butPage_[2], &QPushButton::clicked, this, [this] { show_page(1); });
  connect(butPage_[3], &QPushButton::clicked, this, [this] { show_page(doc_.page_count()); });
  connect(butPage_[4], &QPushButton::clicked, this, &frmPrintPreview::go_to);
  connect(Text2_, &QLineEdit::returnPressed, this, &frmPrintPreview::go_to);
  connect(butZoom_[0], &QPushButton::clicked, this, [this] { zoom_by(-1); });
  connect(butZoom_[1], &QPushButton::clicked, this, [this] { zoom_by(1); });
  connect(cmdPrint_, &QPushButton::clicked, this, &frmPrintPreview::print_pressed);
  connect(butCancel_, &QPushButton::clicked, this, &frmPrintPreview::reject);
}

QGroupBox* frmPrintPreview::build_set_items() {
  auto* g = new QGroupBox(this);
  g->setObjectName(QStringLiteral("frmSetItems"));
  g->setStyleSheet(QStringLiteral("QGroupBox#frmSetItems { font-weight: bold; }"));
  auto* layout = new QVBoxLayout(g);
  layout->setSpacing(10);
  auto* columns = new QHBoxLayout;
  columns->setSpacing(24);

  auto* boxes = new QGridLayout;
  boxes_ = boxes;
  boxes->setVerticalSpacing(3);
  boxes->setHorizontalSpacing(18);
  for (int i = 0; i < print::item1::Count; ++i) {
    auto* c = new QCheckBox(g);
    c->setObjectName(QStringLiteral("chkPrintStyle1_%1").arg(i));
    chk1_[static_cast<std::size_t>(i)] = c;
    boxes->addWidget(c, i % 13, i / 13);
  }
  for (int i = 0; i < print::item3::Count; ++i) {
    auto* c = new QCheckBox(g);
    c->setObjectName(QStringLiteral("chkPrintStyle3_%1").arg(i));
    chk3_[static_cast<std::size_t>(i)] = c;
    boxes->addWidget(c, i % 7, 2 + i / 7);
  }
  // Spare height goes below the boxes, not between them.
  boxes->setRowStretch(13, 1);
  connect(chk3_[print::item3::PrintToFile], &QCheckBox::toggled, this, &frmPrintPreview::print_to_file_changed);
  columns->addLayout(boxes);

  auto* side = new QVBoxLayout;
  side->setSpacing(8);
  auto* form = new QGridLayout;
  lblGenerations_ = new QLabel(QStringLiteral("Print how many generations? (max. 12): "), g);
  lblGenerations_->setObjectName(QStringLiteral("lblGenerations"));
  txtNumOfGenerations_ = new QLineEdit(g);
  txtNumOfGenerations_->setObjectName(QStringLiteral("txtNumOfGenerations"));
  txtNumOfGenerations_->setMaximumWidth(50);
  txtNumOfGenerations_->setMaxLength(5);
  connect(txtNumOfGenerations_, &QLineEdit::textEdited, this, &frmPrintPreview::generations_changed);
  lblFamName_ = new QLabel(QStringLiteral("Family Name to List: "), g);
  lblFamName_->setObjectName(QStringLiteral("lblFamName"));
  txtFamName_ = new QLineEdit(g);
  txtFamName_->setObjectName(QStringLiteral("txtFamName"));
  txtFamName_->setMaxLength(20);
  connect(txtFamName_, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (request_ == print::request::FamilyList) frmSetItems_->setTitle(qs(print::FamilyListTitle(cp(text))));
  });
  auto* lblStart = new QLabel(QStringLiteral("First page number:"), g);
  lblStart->setObjectName(QStringLiteral("lblStartPage"));
  txtStartPage_ = new QLineEdit(g);
  txtStartPage_->setObjectName(QStringLiteral("txtStartPage"));
  txtStartPage_->setMaximumWidth(50);
  txtStartPage_->setMaxLength(5);
  form->addWidget(lblGenerations_, 0, 0);
  form->addWidget(txtNumOfGenerations_, 0, 1);
  form->addWidget(lblFamName_, 1, 0);
  form->addWidget(txtFamName_, 1, 1);
  form->addWidget(lblStart, 2, 0);
  form->addWidget(txtStartPage_, 2, 1);
  side->addLayout(form);

  fraHeading_ = option_group(QStringLiteral(" Print heading "), QStringLiteral("fraHeading"), g);
  const QString headings[3] = {QStringLiteral("None"), QStringLiteral("First page only"), QStringLiteral("Every page")};
  radio_group(Option1_, headings, QStringLiteral("Option1"), fraHeading_, fraHeading_->layout());
  fraSort_ = option_group(QStringLiteral(" Sort By "), QStringLiteral("fraSort"), g);
  const QString sorts[2] = {QStringLiteral("Number"), QStringLiteral("Name")};
  radio_group(optSort_, sorts, QStringLiteral("optSort"), fraSort_, fraSort_->layout());
  fraFormat_ = option_group(QStringLiteral(" Format list in: "), QStringLiteral("fraFormat"), g);
  const QString formats[3] = {QStringLiteral("Comma separated"), QStringLiteral("4 Columns"),
                              QStringLiteral("3 Columns")};
  radio_group(optFormat_, formats, QStringLiteral("optFormat"), fraFormat_, fraFormat_->layout());
  side->addWidget(fraHeading_);
  side->addWidget(fraSort_);
  side->addWidget(fraFormat_);
  side->addStretch(1);
  columns->addLayout(side);
  layout->addLayout(columns);

  auto* selectRow = new QHBoxLayout;
  butSelectAll_ = button(QString::fromLatin1(print::kSelectAll), QStringLiteral("butSelectAll"), g);
  butSelectAllDescend_ = button(QString::fromLatin1(print::kSelectAll), QStringLiteral("butSelectAllDescend"), g);
  auto* close = button(QString::fromLatin1(print::kCloseSetItems), QStringLiteral("butCloseSetItems"), g);
  selectRow->addWidget(butSelectAll_);
  selectRow->addWidget(butSelectAllDescend_);
  selectRow->addStretch(1);
  selectRow->addWidget(close);
  layout->addLayout(selectRow);
  connect(butSelectAll_, &QPushButton::clicked, this, [this] { select_all(!select_all_on_); });
  connect(butSelectAllDescend_, &QPushButton::clicked, this, [this] { select_all(!select_all_on_); });
  connect(close, &QPushButton::clicked, this, [this] {
    if (doc_.page_count() > 0) show_page(doc_.page_shown());
  });
  close->setVisible(panel_.close_button);

  auto* commands = new QHBoxLayout;
  commands->setSpacing(4);
  const QString captions[9] = {QStringLiteral("Prin&ter.."), QStringLiteral("&Font.."),  QStringLiteral("&Load Cfg."),
                               QStringLiteral("&Save Cfg"),  QStringLiteral("Pre&view"), QStringLiteral("&Print"),
                               QStringLiteral("E&xit"),      QStringLiteral("Help"),     QStringLiteral("&Margins..")};
  for (int i = 0; i < 9; ++i) {
    Command1_[static_cast<std::size_t>(i)] = button(captions[i], QStringLiteral("Command1_%1").arg(i), g);
  }
  for (int i : {7, 0, 8, 1, 2, 3, 4, 5, 6}) {
    if (i == 2) commands->addStretch(1);
    commands->addWidget(Command1_[static_cast<std::size_t>(i)]);
  }
  Command1_[4]->setDefault(true);
  Command1_[4]->setAutoDefault(true);
  hint(Command1_[4], QStringLiteral("Preview the print out on the screen."));
  layout->addLayout(commands);
  connect(Command1_[0], &QPushButton::clicked, this, &frmPrintPreview::printer);
  connect(Command1_[1], &QPushButton::clicked, this, &frmPrintPreview::choose_font);
  connect(Command1_[2], &QPushButton::clicked, this, &frmPrintPreview::load_cfg);
  connect(Command1_[3], &QPushButton::clicked, this, &frmPrintPreview::save_cfg);
  connect(Command1_[4], &QPushButton::clicked, this, &frmPrintPreview::preview);
  connect(Command1_[5], &QPushButton::clicked, this, &frmPrintPreview::print_pressed);
  connect(Command1_[6], &QPushButton::clicked, this, &frmPrintPreview::reject);
  connect(Command1_[7], &QPushButton::clicked, this, [this] { s_.help("print_preview"); });
  connect(Command1_[8], &QPushButton::clicked, this, &frmPrintPreview::margins);
  return g;
}

QFrame* frmPrintPreview::build_progress() {
  auto* f = new QFrame(this);
  f->setObjectName(QStringLiteral("pnlPrinting"));
  auto* outer = new QVBoxLayout(f);
  auto* box = new QFrame(f);
  box->setFrameShape(QFrame::StyledPanel);
  box->setMinimumWidth(360);
  auto* inner = new QVBoxLayout(box);
  auto* wait = new QLabel(QStringLiteral("Please Wait"), box);
  wait->setObjectName(QStringLiteral("lblPleaseWait"));
  wait->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 14pt;"));
  lblPrintingMessage_ = new QLabel(box);
  lblPrintingMessage_->setObjectName(QStringLiteral("lblPrintingMessage"));
  cmdCancelPrint_ = button(QStringLiteral("Cancel"), QStringLiteral("cmdCancelPrint"), box);
  inner->addWidget(wait, 0, Qt::AlignHCenter);
  inner->addWidget(lblPrintingMessage_, 0, Qt::AlignHCenter);
  inner->addWidget(cmdCancelPrint_, 0, Qt::AlignHCenter);
  outer->addStretch(1);
  outer->addWidget(box, 0, Qt::AlignHCenter);
  outer->addStretch(2);
  // The generator polls the flag after every person.
  connect(cmdCancelPrint_, &QPushButton::clicked, this, [this] { s_.CancelFlag = true; });
  return f;
}

void frmPrintPreview::build_menu() {
  auto* bar = new QMenuBar(this);
  bar->setObjectName(QStringLiteral("menuBar"));
  layout()->setMenuBar(bar);
  auto add = [this](QMenu* menu, const QString& name, const QString& text) {
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    return a;
  };
  QMenu* print = bar->addMenu(QStringLiteral("Print"));
  print->setObjectName(QStringLiteral("mnuPrint"));
  connect(add(print, QStringLiteral("mnuPrintPages"), QStringLiteral("Print Page(s)")), &QAction::triggered, this,
          &frmPrintPreview::print_pressed);
  QMenu* options = bar->addMenu(QStringLiteral("&Options"));
  options->setObjectName(QStringLiteral("mnuOptions"));
  connect(add(options, QStringLiteral("mnuCfgPrinter"), QStringLiteral("Printer")), &QAction::triggered, this,
          &frmPrintPreview::printer);
  connect(add(options, QStringLiteral("mnuCfgPage"), QStringLiteral("Page Setup")), &QAction::triggered, this,
          &frmPrintPreview::margins);
  QAction* settings = add(options, QStringLiteral("mnuConfigProg"), QStringLiteral("Program Settings"));
  connect(settings, &QAction::triggered, this, [this] {
    if (program_settings) program_settings();
  });
  connect(options, &QMenu::aboutToShow, this, [this, settings] { settings->setEnabled(bool(program_settings)); });
  QAction* help = bar->addAction(QStringLiteral("Help"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  connect(help, &QAction::triggered, this, [this] { s_.help("print_preview"); });
}

void frmPrintPreview::hint(QWidget* w, const QString& text) {
  w->setProperty(kHintProperty, text);
  w->setToolTip(text);
  w->installEventFilter(this);
}

bool frmPrintPreview::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter) {
    for (int i = 0; i < 5; ++i)
      if (watched == Label3_[static_cast<std::size_t>(i)])
        lblHint_->setText(qs(print::StatusHint(i, cp(Label3_[static_cast<std::size_t>(i)]->text()))));
    const QVariant h = watched->property(kHintProperty);
    if (h.isValid()) lblHint_->setText(h.toString());
  }
  // The scroll area would page through the sheet; the keys page the document.
  if ((watched == viewport_ || watched == view_) && event->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(event);
    if (k->key() == Qt::Key_PageDown || k->key() == Qt::Key_PageUp || k->key() == Qt::Key_Home ||
        k->key() == Qt::Key_End) {
      keyPressEvent(k);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmPrintPreview::keyPressEvent(QKeyEvent* e) {
  const bool ctrl = e->modifiers() & Qt::ControlModifier;
  const bool previewing = viewport_->isVisible() && !generating_;
  if (previewing) {
    const int key = e->key();
    const bool next = key == Qt::Key_PageDown || key == Qt::Key_N || (ctrl && key == Qt::Key_End);
    const bool prev = key == Qt::Key_PageUp || key == Qt::Key_R || (ctrl && key == Qt::Key_Home);
    if (next || prev) {
      QPushButton* b = next ? butPage_[1] : butPage_[0];
      if (b->isEnabled()) b->click();
      return;
    }
  }
  if (generating_ || (e->modifiers() & ~Qt::ShiftModifier)) return QDialog::keyPressEvent(e);
  QPushButton* target = nullptr;
  switch (e->key()) {
    case Qt::Key_A: select_all(true); return;
    case Qt::Key_F: target = Command1_[1]; break;
    case Qt::Key_L: target = Command1_[2]; break;
    case Qt::Key_M: target = Command1_[8]; break;
    case Qt::Key_P: target = cmdPrint_->isEnabled() ? cmdPrint_ : Command1_[5]; break;
    case Qt::Key_S: target = Command1_[3]; break;
    case Qt::Key_T: target = Command1_[0]; break;
    case Qt::Key_V: target = Command1_[4]; break;
    case Qt::Key_X: target = butCancel_; break;
    default: break;
  }
  if (target && target->isEnabled()) {
    target->click();
    return;
  }
  QDialog::keyPressEvent(e);
}

void frmPrintPreview::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  // The time line needs no choices: it is gathered as the window opens.
  if (panel_.starts_at_once && !started_) QTimer::singleShot(0, this, &frmPrintPreview::preview);
  started_ = true;
}

void frmPrintPreview::reject() {
  // Leaving while a document is being written stops the writer first; it
  // returns at its next person and the window closes then.
  if (generating_) {
    s_.CancelFlag = true;
    return;
  }
  doc_.set_orientation(opening_orientation_);
  QDialog::reject();
}

void RunPrintPreview(Session& s, QWidget* parent, int request) {
  if (request < 1 || request > 8) return;
  frmPrintPreview w(s, request, parent);
  w.program_settings = [&s, &w] { RunOptions(s, &w); };
  w.exec();
}

}  // namespace vft::ui
