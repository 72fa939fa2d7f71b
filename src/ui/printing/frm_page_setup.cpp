#include "printing/frm_page_setup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/dialog_buttons.h"
#include "dialogs/named_button.h"
#include "mainwindow/editing_windows.h"
#include "print/chart_options.h"
#include "printing/page_print.h"
#include "qt_text.h"
#include "qt_text_measure.h"
#include "dialogs/radio_group.h"

namespace vft::ui {

using namespace print;

// The page shape and its printable area, 2000 thumbnail twips on the long side.
class ThumbnailView : public QWidget {
 public:
  explicit ThumbnailView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setMinimumSize(kSide + 2 * kPad, kSide + 2 * kPad);
  }
  void show_thumbnail(const Thumbnail& t) {
    t_ = t;
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const double scale = kSide / 2000.0;
    const QRectF sheet((width() - t_.width * scale) / 2, (height() - t_.height * scale) / 2, t_.width * scale,
                       t_.height * scale);
    p.fillRect(sheet.translated(3, 3), QColor(0x90, 0x96, 0x9f));
    p.fillRect(sheet, Qt::white);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawRect(sheet);
    if (t_.fits()) {
      p.setPen(QPen(QColor(0x1f, 0x5f, 0xbf), 1, Qt::DashLine));
      p.drawRect(QRectF(sheet.left() + t_.left * scale, sheet.top() + t_.top * scale, t_.area_width * scale,
                        t_.area_height * scale));
    }
  }

 private:
  static constexpr int kSide = 180;
  static constexpr int kPad = 8;
  Thumbnail t_;
};

namespace {

MarginUnit locale_unit() {
  // Only the metric system counts margins in centimetres.
  return QLocale::system().measurementSystem() == QLocale::MetricSystem ? MarginUnit::Centimetres : MarginUnit::Inches;
}

constexpr int kCommandWidth = 86;

}  // namespace

// ---------------------------------------------------------------- margins

frmSetUpPage::frmSetUpPage(Session& s, PageDocument& doc, QWidget* parent)
    : frmSetUpPage(s, doc, locale_unit(), parent) {}

frmSetUpPage::frmSetUpPage(Session& s, PageDocument& doc, MarginUnit unit, QWidget* parent)
    : QDialog(parent), s_(s), doc_(doc), unit_(unit) {
  setObjectName(QStringLiteral("frmSetUpPage"));
  setWindowTitle(QStringLiteral("Set Margins "));
  setModal(true);
  auto* Label2 = new QLabel(qs(MarginCaption(unit_)), this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setStyleSheet(QStringLiteral("font-weight: bold;"));

  shown_ = {doc_.margin_left(), doc_.margin_right(), doc_.margin_top(), doc_.margin_bottom()};
  const QString names[4] = {QStringLiteral("Left:"), QStringLiteral("Right:"), QStringLiteral("Top:"),
                            QStringLiteral("Bottom:")};
  auto* grid = new QGridLayout;
  for (int i = 0; i < 4; ++i) {
    auto* label = new QLabel(names[i], this);
    label->setObjectName(QStringLiteral("lblMargin_%1").arg(i));
    auto* box = new QLineEdit(qs(MarginText(shown_[static_cast<std::size_t>(i)], unit_)), this);
    box->setObjectName(QStringLiteral("Text1_%1").arg(i));
    box->setMaximumWidth(80);
    box->setMaxLength(8);
    label->setBuddy(box);
    Text1_[static_cast<std::size_t>(i)] = box;
    grid->addWidget(label, i, 0, Qt::AlignRight);
    grid->addWidget(box, i, 1);
    connect(box, &QLineEdit::editingFinished, this, [this, box] {
      if (box->isModified()) redraw(true);
      box->setModified(false);
    });
  }
  grid->setRowStretch(4, 1);
  Picture1_ = new ThumbnailView(this);

  const DialogButtons commands = dialog_buttons(
      this, {QStringLiteral("OK"), QStringLiteral("Command1_0")},
      {QStringLiteral("Cancel"), QStringLiteral("Command1_1")}, {QStringLiteral("Help"), QStringLiteral("Command1_2")},
      [this] { s_.help("page_setup"); }, kCommandWidth);
  connect(commands.ok, &QPushButton::clicked, this, &frmSetUpPage::accept);

  auto* body = new QHBoxLayout;
  body->addLayout(grid);
  body->addSpacing(16);
  body->addWidget(Picture1_);
  // Help stands apart on the left here, as it always did in this dialog.
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(commands.help);
  buttons->addStretch(1);
  buttons->addWidget(commands.ok);
  buttons->addWidget(commands.cancel);
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(16, 14, 16, 12);
  root->addWidget(Label2);
  root->addLayout(body);
  root->addLayout(buttons);
  redraw(false);
}

bool frmSetUpPage::redraw(bool tell) {
  std::array<double, 4> m{};
  bool numbers = true;
  for (std::size_t i = 0; i < 4; ++i) {
    std::optional<double> v = ParseMargin(cp(Text1_[i]->text()), unit_);
    numbers &= v.has_value();
    m[i] = v.value_or(0);
  }
  Thumbnail t = PageThumbnail(doc_.page_width(), doc_.page_height(), doc_.orientation(), m[0], m[1], m[2], m[3]);
  // The page document takes no margin as wide as the page itself either.
  const bool fits = numbers && t.fits() && m[0] + m[1] < doc_.page_width() && m[2] + m[3] < doc_.page_height();
  if (!fits) {
    if (tell) {
      Message msg = MarginRefusal();
      s_.ask(msg.title, msg.text, msg.buttons, msg.icon);
    }
    return false;
  }
  shown_ = m;
  Picture1_->show_thumbnail(t);
  return true;
}

void frmSetUpPage::accept() {
  if (!redraw(true)) return;  // stays open, nothing applied
  doc_.set_margin_left(shown_[0]);
  doc_.set_margin_right(shown_[1]);
  doc_.set_margin_top(shown_[2]);
  doc_.set_margin_bottom(shown_[3]);
  QDialog::accept();
}

// ---------------------------------------------------------------- printer

frmPrinterSet::frmPrinterSet(Session& s, PageDocument& doc, int request, QWidget* parent)
    : QDialog(parent),
      s_(s),
      doc_(doc),
      request_(request),
      opening_device_(doc.device()),
      opening_paper_(doc.paper_code()),
      opening_orientation_(doc.orientation()) {
  setObjectName(QStringLiteral("frmPrinterSet"));
  setWindowTitle(QStringLiteral("Printer Setup"));
  setModal(true);
  auto* lblPrinter = new QLabel(QStringLiteral("Printer:"), this);
  cmb_printers_ = new QComboBox(this);
  cmb_printers_->setObjectName(QStringLiteral("cmb_printers"));
  for (int i = 0; i < doc_.device_count(); ++i) cmb_printers_->addItem(qs(doc_.device_name(i)));
  cmb_printers_->setCurrentText(qs(doc_.device()));
  auto* lblPaper = new QLabel(QStringLiteral("Paper Size: "), this);
  cmb_PaperSize_ = new QComboBox(this);
  cmb_PaperSize_->setObjectName(QStringLiteral("cmb_PaperSize"));
  auto* orientation = new QHBoxLayout;
  const QString captions[2] = {QStringLiteral("Portrait"), QStringLiteral("Landscape")};
  radio_group(Option1_, captions, QStringLiteral("Option1"), this, orientation);
  orientation->addStretch(1);
  Option1_[doc_.orientation() == Orientation::Landscape ? 1 : 0]->setChecked(true);

  const DialogButtons commands = dialog_buttons(
      this, {QStringLiteral("OK"), QStringLiteral("Command2_0")},
      {QStringLiteral("Cancel"), QStringLiteral("Command2_1")}, {}, [this] { s_.help("printer_setup"); },
      kCommandWidth);
  auto* props = named_button(QStringLiteral("Properties.."), QStringLiteral("Command1"), this, kCommandWidth);

  auto* grid = new QGridLayout;
  grid->addWidget(lblPrinter, 0, 0);
  grid->addWidget(cmb_printers_, 0, 1);
  grid->addWidget(props, 0, 2);
  grid->addWidget(lblPaper, 1, 0);
  grid->addWidget(cmb_PaperSize_, 1, 1, 1, 2);
  grid->addLayout(orientation, 2, 1, 1, 2);
  grid->setColumnStretch(1, 1);
  QHBoxLayout* buttons = commands.row();
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(16, 14, 16, 12);
  root->addLayout(grid);
  root->addLayout(buttons);
  fill_papers();

  connect(cmb_printers_, &QComboBox::currentTextChanged, this, [this](const QString& name) {
    doc_.set_device(cp(name));
    fill_papers();
  });
  connect(cmb_PaperSize_, &QComboBox::activated, this, &frmPrinterSet::paper_chosen);
  connect(Option1_[0], &QRadioButton::toggled, this, [this](bool on) {
    if (on) orientation_chosen(Orientation::Portrait);
  });
  connect(Option1_[1], &QRadioButton::toggled, this, [this](bool on) {
    if (on) orientation_chosen(Orientation::Landscape);
  });
  connect(commands.ok, &QPushButton::clicked, this, &frmPrinterSet::accept);
  connect(props, &QPushButton::clicked, this, &frmPrinterSet::properties);
  if (request_ == print::request::FamilyData) check_family_form();
}

void frmPrinterSet::fill_papers() {
  cmb_PaperSize_->clear();
  int current = -1;
  for (int code = 1; code <= kPaperUserDefined; ++code) {
    if (!doc_.paper_supported(code)) continue;
    if (code == doc_.paper_code()) current = cmb_PaperSize_->count();
    cmb_PaperSize_->addItem(qs(PaperName(code)), code);
  }
  // A paper the device does not list is still the one in use.
  if (current < 0) {
    current = cmb_PaperSize_->count();
    cmb_PaperSize_->addItem(qs(PaperName(doc_.paper_code())), doc_.paper_code());
  }
  cmb_PaperSize_->setCurrentIndex(current);
}

void frmPrinterSet::paper_chosen(int index) {
  const int code = cmb_PaperSize_->itemData(index).toInt();
  if (code > 0) doc_.set_paper_code(code);
  if (request_ == print::request::FamilyData) check_family_form();
}

void frmPrinterSet::orientation_chosen(Orientation o) {
  doc_.set_orientation(o);
  if (request_ == print::request::FamilyData && o != Orientation::Landscape) check_family_form();
}

void frmPrinterSet::check_family_form() {
  doc_.set_orientation(Orientation::Landscape);
  {
    const QSignalBlocker block(Option1_[1]);
    Option1_[1]->setChecked(true);
  }
  if (!FamilyFormFits(doc_.page_width())) {
    Message m = FamilyFormPaperMessage();
    s_.ask(m.title, m.text, m.buttons, m.icon);
  }
}

void frmPrinterSet::properties() {
  QPrinter printer(QPrinter::HighResolution);
  select_print_device(printer, doc_, QString());
  QPageLayout layout = printer.pageLayout();
  layout.setPageSize(QPageSize(QPageSize::id(doc_.paper_code())));
  layout.setOrientation(doc_.orientation() == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  printer.setPageLayout(layout);
  QPageSetupDialog dlg(&printer, this);
  if (dlg.exec() == QDialog::Accepted) {
    const int code = printer.pageLayout().pageSize().windowsId();
    if (paper_has_size(code)) doc_.set_paper_code(code);
    doc_.set_orientation(printer.pageLayout().orientation() == QPageLayout::Landscape ? Orientation::Landscape
                                                                                      : Orientation::Portrait);
  }
  fill_papers();
  const QSignalBlocker block0(Option1_[0]);
  const QSignalBlocker block1(Option1_[1]);
  Option1_[doc_.orientation() == Orientation::Landscape ? 1 : 0]->setChecked(true);
  if (request_ == print::request::FamilyData) check_family_form();
}

void frmPrinterSet::accept() {
  SavePrinterChoice(s_, {doc_.device(), doc_.paper_code()});
  QDialog::accept();
}

void frmPrinterSet::reject() {
  doc_.set_device(opening_device_);
  doc_.set_paper_code(opening_paper_);
  doc_.set_orientation(opening_orientation_);
  QDialog::reject();
}

void RunPrinterSetup(Session& s, QWidget* parent) {
  QtTextMeasure measure;
  PageDocument doc(measure);
  doc.set_devices(platform_print_devices());
  doc.set_device(default_print_device());
  ApplyPrinterChoice(doc, LoadPrinterChoice(s));
  frmPrinterSet dlg(s, doc, 0, parent);
  dlg.exec();
}

}  // namespace vft::ui
