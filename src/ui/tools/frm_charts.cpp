#include "tools/frm_charts.h"

#include <QCheckBox>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "mainwindow/family_view_colours.h"
#include "printing/page_print.h"
#include "dialogs/qt_file_dialogs.h"
#include "qt_text.h"
#include "relations/person_io.h"
#include "store/records.h"

namespace vft::ui {
namespace {

chart::Rgb rgb(const QColor& c) {
  return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
          static_cast<std::uint8_t>(c.blue())};
}

QPushButton* button(QWidget* parent, QLayout* layout, const char* name, const QString& caption) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  layout->addWidget(b);
  return b;
}

}  // namespace

frmCharts::frmCharts(Session& s, FileDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), s_(s), dialogs_(dialogs) {
  setObjectName(QStringLiteral("frmCharts"));
  setWindowTitle(QStringLiteral("Charts"));
  auto* top = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout;
  top->addLayout(bar);
  tabs_ = new QTabBar(this);
  tabs_->setObjectName(QStringLiteral("tabKind"));
  tabs_->addTab(QStringLiteral("&Ancestors"));
  tabs_->addTab(QStringLiteral("&Descendants"));
  tabs_->addTab(QStringLiteral("&Fan"));
  bar->addWidget(tabs_);
  auto* genLabel = new QLabel(QStringLiteral("&Generations:"), this);
  genLabel->setObjectName(QStringLiteral("lblGenerations"));
  generations_ = new QSpinBox(this);
  generations_->setObjectName(QStringLiteral("spnGenerations"));
  generations_->setSpecialValueText(QStringLiteral("All"));
  genLabel->setBuddy(generations_);
  bar->addWidget(genLabel);
  bar->addWidget(generations_);
  fullCircle_ = new QCheckBox(QStringLiteral("F&ull circle"), this);
  fullCircle_->setObjectName(QStringLiteral("chkFullCircle"));
  bar->addWidget(fullCircle_);
  bar->addStretch(1);
  QPushButton* fitButton = button(this, bar, "butFit", QStringLiteral("F&it"));
  QPushButton* actual = button(this, bar, "butActualSize", QStringLiteral("100 %"));
  zoomLabel_ = new QLabel(this);
  zoomLabel_->setObjectName(QStringLiteral("lblZoom"));
  zoomLabel_->setMinimumWidth(zoomLabel_->fontMetrics().horizontalAdvance(QStringLiteral("0000 %")));
  bar->addWidget(zoomLabel_);

  canvas_ = new ChartCanvas(this);
  top->addWidget(canvas_, 1);

  auto* foot = new QHBoxLayout;
  top->addLayout(foot);
  auto* dpiLabel = new QLabel(QStringLiteral("PNG &resolution (dpi):"), this);
  dpiLabel->setObjectName(QStringLiteral("lblDpi"));
  dpi_ = new QSpinBox(this);
  dpi_->setObjectName(QStringLiteral("spnDpi"));
  dpi_->setRange(10, 2400);
  dpi_->setValue(96);
  dpiLabel->setBuddy(dpi_);
  foot->addWidget(dpiLabel);
  foot->addWidget(dpi_);
  visibleOnly_ = new QCheckBox(QStringLiteral("Only the &visible part"), this);
  visibleOnly_->setObjectName(QStringLiteral("chkVisibleOnly"));
  foot->addWidget(visibleOnly_);
  QPushButton* save = button(this, foot, "butSaveAs", QStringLiteral("&Save as..."));
  printPages_ = new QComboBox(this);
  printPages_->setObjectName(QStringLiteral("cboPrintPages"));
  printPages_->addItems({QStringLiteral("Tiled over pages"), QStringLiteral("On one page")});
  foot->addWidget(printPages_);
  QPushButton* printButton = button(this, foot, "butPrint", QStringLiteral("&Print..."));
  foot->addStretch(1);
  QPushButton* help = button(this, foot, "butHelp", QStringLiteral("&Help"));
  QPushButton* close = button(this, foot, "butClose", QStringLiteral("&Close"));

  connect(tabs_, &QTabBar::currentChanged, this, [this](int) { setKind(kind()); });
  connect(generations_, &QSpinBox::valueChanged, this, [this](int g) {
    if (settingKind_) return;
    generationsByKind_[static_cast<std::size_t>(kind())] = g;
    refresh();
  });
  connect(fullCircle_, &QCheckBox::toggled, this, [this] { refresh(); });
  connect(fitButton, &QPushButton::clicked, canvas_, &ChartCanvas::fit);
  connect(actual, &QPushButton::clicked, this, [this] { canvas_->setZoom(1); });
  connect(canvas_, &ChartCanvas::zoomChanged, this,
          [this](double z) { zoomLabel_->setText(QStringLiteral("%1 %").arg(std::lround(z * 100))); });
  connect(canvas_, &ChartCanvas::personClicked, this, [this](std::int16_t p) {
    showPerson(p);
    if (select_person) select_person(p);
  });
  connect(canvas_, &ChartCanvas::rootRequested, this, [this](std::int16_t p) {
    showPerson(p);
    if (select_person) select_person(p);
  });
  connect(canvas_, &ChartCanvas::personOpened, this, [this](std::int16_t p) {
    if (edit_person) edit_person(p);
  });
  connect(save, &QPushButton::clicked, this, &frmCharts::saveAs);
  connect(printButton, &QPushButton::clicked, this, &frmCharts::print);
  connect(help, &QPushButton::clicked, this, [this] { s_.help("charts"); });
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  for (auto [keys, step] : {std::pair{QKeySequence::ZoomIn, 1.25}, std::pair{QKeySequence::ZoomOut, 0.8}}) {
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, this, [this, step = step] { canvas_->setZoom(canvas_->zoom() * step); });
  }
  zoomLabel_->setText(QStringLiteral("100 %"));
  resize(1000, 700);
  setKind(chart::Kind::Ancestors);
}

chart::Kind frmCharts::kind() const { return static_cast<chart::Kind>(std::max(0, tabs_->currentIndex())); }

void frmCharts::setKind(chart::Kind k) {
  settingKind_ = true;
  tabs_->setCurrentIndex(static_cast<int>(k));
  if (k == chart::Kind::Ancestors)
    generations_->setRange(chart::kMinAncestorGenerations, chart::kMaxAncestorGenerations);
  else if (k == chart::Kind::Fan) generations_->setRange(chart::kMinFanGenerations, chart::kMaxFanGenerations);
  else generations_->setRange(0, 99);
  generations_->setValue(generationsByKind_[static_cast<std::size_t>(k)]);
  fullCircle_->setVisible(k == chart::Kind::Fan);
  settingKind_ = false;
  refresh();
}

chart::Colours frmCharts::colours() const {
  // Boxes keep the family view's sex colours; the ground, lines and the
  // keys' ring follow the window's palette.
  const FamilyColours f = ColoursForScheme(std::int64_t{1} << 24);
  chart::Colours c;
  c.male = rgb(f.male), c.female = rgb(f.female), c.other = rgb(f.other);
  c.maleAccent = rgb(f.maleAccent), c.femaleAccent = rgb(f.femaleAccent), c.otherAccent = rgb(f.otherAccent);
  c.text = rgb(f.text), c.subtext = rgb(f.subtext);
  c.background = rgb(palette().color(QPalette::Base));
  c.line = rgb(palette().color(QPalette::Mid));
  c.highlight = rgb(palette().color(QPalette::Highlight));
  return c;
}

chart::Colours frmCharts::paperColours() const {
  chart::Colours c = colours();
  const chart::Colours paper;
  c.background = paper.background, c.line = paper.line, c.highlight = paper.highlight;
  return c;
}

chart::Rect frmCharts::area() const { return visibleOnly_->isChecked() ? canvas_->visibleArea() : chart::Rect{}; }

void frmCharts::showPerson(std::int16_t person) {
  root_ = person;
  refresh();
}

void frmCharts::refresh() {
  // A root that was deleted or is gone gives way to the selected person.
  PersonRecord p;
  if (root_ < 1 || root_ > s_.Config.NumPersons() || !ReadPersonRecord(s_, root_, p) || p.Deleted != 0)
    root_ = s_.Config.LastPerson();
  options_ = {kind(), generations_->value(), fullCircle_->isChecked()};
  const chart::Layout l = chart::LayOut(s_, root_, options_);
  texts_.assign(l.boxes.size(), std::nullopt);
  canvas_->setColours(colours());
  canvas_->setChart(l, [this](int i) -> const chart::BoxText& { return textOf(i); });
  setWindowTitle(QStringLiteral("Charts - %1").arg(root_ >= 1 ? qs(DisplayNameOf(s_, root_)) : QString()));
}

const chart::BoxText& frmCharts::textOf(int box) {
  auto& slot = texts_[static_cast<std::size_t>(box)];
  if (!slot) {
    const chart::Layout& l = canvas_->layout();
    const chart::Box& b = l.boxes[static_cast<std::size_t>(box)];
    slot = chart::TextOf(s_, measure_, b.person, chart::TextSpotOf(l, b).room);
  }
  return *slot;
}

bool frmCharts::saveTo(const std::string& path, QString* error) {
  const chart::Layout& l = canvas_->layout();
  const ChartTextSource text = [this](int i) -> const chart::BoxText& { return textOf(i); };
  const QString file = from_native(path);
  const QString lower = file.toLower();
  if (lower.endsWith(QStringLiteral(".svg"))) {
    std::vector<chart::BoxText> all;
    for (int i = 0; i < static_cast<int>(l.boxes.size()); ++i) all.push_back(textOf(i));
    return WriteChartFile(chart::ChartSvg(l, all, paperColours(), area()), file, error);
  }
  if (lower.endsWith(QStringLiteral(".png")))
    return WriteChartPng(l, text, paperColours(), dpi_->value(), file, error, area());
  return WriteChartPdf(l, text, paperColours(), file, error, area());
}

void frmCharts::saveAs() {
  FileRequest r;
  r.title = "Save the chart as";
  r.filter = "SVG picture (*.svg)|*.svg|PNG picture (*.png)|*.png|PDF document (*.pdf)|*.pdf|";
  r.default_ext = "svg";
  const std::string path = dialogs_.save_file(r);
  if (path.empty()) return;
  QString error;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool saved = saveTo(path, &error);
  QApplication::restoreOverrideCursor();
  if (!saved) QMessageBox::warning(this, QStringLiteral("Save as"), error);
}

bool frmCharts::printTo(QPagedPaintDevice& device, QString* error) {
  const chart::Layout& l = canvas_->layout();
  const chart::Rect part = area();
  const QSizeF page = PrintableChartSize(device);
  const chart::PagePlan plan = chart::PlanPages(part.empty() ? chart::Rect{0, 0, l.width, l.height} : part,
                                                page.width(), page.height(), printPages_->currentIndex() == 1);
  if (plan.pages.empty()) {
    if (error && plan.rows > 0)
      *error = QStringLiteral(
                   "Tiled, the chart would take %1 pages (%2 across, %3 down); at most %4 are printed. "
                   "Print it on one page, or only the visible part.")
                   .arg(plan.rows * plan.columns)
                   .arg(plan.columns)
                   .arg(plan.rows)
                   .arg(chart::kMaxTiledPages);
    else if (error) *error = QStringLiteral("The paper is too small to print the chart on.");
    return false;
  }
  return PrintChartPages(
      device, l, [this](int i) -> const chart::BoxText& { return textOf(i); }, paperColours(), plan, error);
}

void frmCharts::print() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(windowTitle());
  if (print_dialog) {
    if (!print_dialog(printer)) return;
  } else {
    // With no printer installed the chart is printed into a PDF file.
    if (default_print_device() == print::kPdfDevice) {
      const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QDir(docs.isEmpty() ? QDir::homePath() : docs).filePath(QStringLiteral("chart.pdf")));
    }
    QPrintDialog dlg(&printer, this);
    dlg.setWindowTitle(QStringLiteral("Print Chart"));
    dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dlg.setOption(QAbstractPrintDialog::PrintSelection, false);
    if (dlg.exec() != QDialog::Accepted) return;
  }
  QString error;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool printed = printTo(printer, &error);
  QApplication::restoreOverrideCursor();
  if (!printed) QMessageBox::warning(this, QStringLiteral("Print"), error);
}

void frmCharts::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::PaletteChange) canvas_->setColours(colours());
}

}  // namespace vft::ui
