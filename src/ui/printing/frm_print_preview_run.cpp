// frmPrintPreview at work: the dispatch with its progress panel, paging,
// Go To, zoom, the font, margins and printer dialogs, printing, and saving
// the family-names list.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStandardPaths>

#include "common/cp1252.h"
#include "printing/frm_page_setup.h"
#include "printing/frm_print_preview.h"
#include "printing/page_print.h"
#include "printing/preview_page_view.h"
#include "print/family_names.h"
#include "print/print_request.h"
#include "qt_text.h"
#include "qt_text_measure.h"
#include "store/file_io.h"
#include "store/file_write.h"

namespace vft::ui {

using namespace print;

namespace {

PrintRequest make_request(const Session& s, int request, const PanelSettings& settings) {
  PrintRequest r;
  r.request = request;
  const PanelSettings items = ForGenerators(settings);
  r.chart = items.chart;
  r.sheet = items.sheet;
  r.person = s.Rel.Selected.PerNum;
  const PartnerList& partners = s.Rel.Partners;
  if (s.Rel.DisplayedPartner >= 0 && s.Rel.DisplayedPartner < partners.count)
    r.partner = partners.rows[static_cast<std::size_t>(s.Rel.DisplayedPartner)].Partner;
  r.blank_form = request == request::FamilyData && settings.chart.items[item3::PrintHeading];
  return r;
}

QString documents_folder() {
  QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return docs.isEmpty() ? QDir::homePath() : docs;
}

}  // namespace

void frmPrintPreview::set_bar_enabled(bool on) {
  for (QWidget* w : buttonBar_->findChildren<QWidget*>()) w->setEnabled(on);
  if (on) update_paging();
}

void frmPrintPreview::show_set_items() {
  if (generating_) return;
  stack_->setCurrentWidget(itemsPage_);
  set_bar_enabled(false);
  Command1_[4]->setFocus();
}

void frmPrintPreview::preview() {
  if (generating_ || !Command1_[4]->isEnabled()) return;
  panel_to_settings();
  if (request_ == request::FamilyData) {
    // The form is laid out for a landscape sheet; whether the paper is wide
    // enough is the generator's to say (once), and the panel stays open then.
    doc_.set_orientation(Orientation::Landscape);
    settings_.chart.orientation = Orientation::Landscape;
  }
  PrintRequest r = make_request(s_, request_, settings_);
  // The preview always shows pages; only "&Print" saves the list instead.
  r.chart.items[item3::PrintToFile] = false;

  generating_ = true;
  s_.CancelFlag = false;
  lblSummary_->clear();
  lblPrintingMessage_->clear();
  set_bar_enabled(false);
  stack_->setCurrentWidget(pnlPrinting_);
  cmdCancelPrint_->setEnabled(true);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  Progress progress = [this](const std::string& message, long count) {
    lblPrintingMessage_->setText(count > 0 ? qs(message) + QStringLiteral(" ") + QString::number(count) : qs(message));
    // The one place the user gets a word in while the document is written.
    QApplication::processEvents();
    return !s_.CancelFlag;
  };
  PrintResult result = RunPrintRequest(s_, doc_, measure_, r, progress);
  QApplication::restoreOverrideCursor();
  generating_ = false;
  doc_.set_header("");

  if (s_.CancelFlag) {
    if (doc_.is_open()) doc_.kill_doc();
    s_.CancelFlag = false;
    reject();
    return;
  }
  if (!result.completed || doc_.page_count() < 1) {
    show_set_items();
    return;
  }
  const std::string title = PreviewTitle(s_, request_);
  if (!title.empty()) setWindowTitle(qs(title));
  else if (!result.title.empty()) setWindowTitle(qs(result.title));
  lblSummary_->setText(qs(result.summary));
  set_bar_enabled(true);
  show_page(1);
}

void frmPrintPreview::show_page(int page) {
  if (doc_.page_count() < 1) return;
  doc_.set_page_shown(page);
  stack_->setCurrentWidget(viewport_);
  view_->refresh();
  update_paging();
}

void frmPrintPreview::update_paging() {
  const int count = doc_.page_count();
  const int page = doc_.page_shown();
  PagingButtons b = PagingEnabled(page, count);
  const bool bar = !generating_ && stack_->currentWidget() == viewport_;
  butPage_[0]->setEnabled(bar && b.prev);
  butPage_[1]->setEnabled(bar && b.next);
  butPage_[2]->setEnabled(bar && b.first);
  butPage_[3]->setEnabled(bar && b.last);
  butPage_[4]->setEnabled(bar && count > 0);
  Text2_->setEnabled(bar && count > 0);
  lblPage_->setText(count > 0 ? qs(PageLabel(page, count, doc_.first_page_number())) : QString());
  Label3_[3]->setText(qs(ZoomLabel(doc_.zoom())));
}

void frmPrintPreview::go_to() {
  GoToCheck g = CheckGoTo(cp(Text2_->text()), doc_.first_page_number(), doc_.page_count());
  if (g.ok) {
    show_page(g.page);
    return;
  }
  s_.ask(g.title, g.text, Buttons::OK, Icon::Critical);
  Text2_->clear();
}

void frmPrintPreview::zoom_by(int step) {
  doc_.set_zoom(step > 0 ? ZoomIn(doc_.zoom()) : ZoomOut(doc_.zoom()));
  view_->refresh();
  Label3_[3]->setText(qs(ZoomLabel(doc_.zoom())));
}

void frmPrintPreview::refresh_status() {
  Label3_[0]->setText(qs(doc_.device()));
  Label3_[1]->setText(qs(cp1252::trim(paper_size(doc_.paper_code()).name)));
  Label3_[2]->setText(qs(std::string(OrientationName(doc_.orientation()))));
  Label3_[3]->setText(qs(ZoomLabel(doc_.zoom())));
  Label3_[4]->setText(qs(FontLabel(doc_.font())));
  for (QLabel* l : Label3_) l->setToolTip(l->text());
}

void frmPrintPreview::choose_font() {
  Font f = doc_.font();
  bool ok = false;
  if (font_dialog) {
    ok = font_dialog(f);
  } else {
    // The dialog opens on the family the pages are drawn with (Arial where
    // it is installed, else its metric twin), so changing only the size
    // keeps the document's font.
    const QString family = font_family(f.name);
    QFont initial(family);
    initial.setPointSizeF(f.size);
    initial.setBold(f.bold);
    initial.setItalic(f.italic);
    QFont chosen = QFontDialog::getFont(&ok, initial, this, QStringLiteral("Font"));
    if (ok) {
      if (chosen.family().compare(family, Qt::CaseInsensitive) != 0) f.name = cp(chosen.family());
      f.size = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : f.size;
      f.bold = chosen.bold();
      f.italic = chosen.italic();
    }
  }
  if (!ok) return;
  f.size = std::max(f.size, kSmallestTextSize);
  doc_.set_font(f);
  settings_.chart.font = doc_.font();
  refresh_status();
  update_format_choice();
}

void frmPrintPreview::margins() {
  frmSetUpPage dlg(s_, doc_, this);
  if (dlg.exec() == QDialog::Accepted) {
    settings_.chart.margin_left = doc_.margin_left();
    settings_.chart.margin_right = doc_.margin_right();
    settings_.chart.margin_top = doc_.margin_top();
    settings_.chart.margin_bottom = doc_.margin_bottom();
  }
  refresh_status();
}

void frmPrintPreview::printer() {
  frmPrinterSet dlg(s_, doc_, request_, this);
  dlg.exec();
  settings_.chart.orientation = doc_.orientation();
  refresh_status();
}

void frmPrintPreview::print_pressed() {
  if (generating_) return;
  if (SavesToFile(request_, chk3_[item3::PrintToFile]->isChecked())) {
    panel_to_settings();
    PrintRequest r = make_request(s_, request_, settings_);
    PageDocument scratch(measure_);
    PrintResult result = RunPrintRequest(s_, scratch, measure_, r);
    if (result.as_text) save_list(result.text);
    return;
  }
  // From the Set Items panel the document is made first.
  if (stack_->currentWidget() != viewport_) preview();
  if (stack_->currentWidget() != viewport_ || doc_.page_count() < 1) return;
  print_document();
}

bool frmPrintPreview::default_print_dialog(QPrinter& printer, PrintChoice& choice) {
  const bool pdf = doc_.device() == kPdfDevice;
  select_print_device(printer, doc_, QDir(documents_folder()).filePath(QStringLiteral("print.pdf")));
  QPrintDialog dlg(&printer, this);
  dlg.setWindowTitle(QStringLiteral("Print Data Sheet"));
  dlg.setMinMax(choice.from, choice.to);
  printer.setFromTo(choice.from, choice.to);
  dlg.setOption(QAbstractPrintDialog::PrintSelection, false);
  // With no printer installed the PDF file is the device, so its choice
  // stays; with a printer chosen the dialog prints to it only.
  dlg.setOption(QAbstractPrintDialog::PrintToFile, pdf);
  dlg.setOption(QAbstractPrintDialog::PrintPageRange, true);
  if (dlg.exec() != QDialog::Accepted) return false;
  choice.all = printer.printRange() != QPrinter::PageRange;
  if (!choice.all) {
    choice.from = printer.fromPage();
    choice.to = printer.toPage();
  }
  return true;
}

void frmPrintPreview::print_document() {
  const int first = doc_.first_page_number();
  PrintChoice choice;
  choice.from = first;
  choice.to = first + doc_.page_count() - 1;
  QPrinter printer(QPrinter::HighResolution);
  if (print_dialog) {
    if (!print_dialog(*this, choice)) return;
    select_print_device(printer, doc_, choice.pdf_file);
  } else if (!default_print_dialog(printer, choice)) {
    return;
  }
  const int shown = doc_.page_shown();
  QtPrinterSink sink(printer);
  bool ok = true;
  if (choice.all) {
    ok = doc_.print_document(sink);
  } else {
    // Back from the numbers shown to the document's pages.
    const int from = std::max(choice.from, first) - first + 1;
    const int to = std::min(choice.to, first + doc_.page_count() - 1) - first + 1;
    if (from <= to) ok = doc_.print_pages(sink, from, to);
  }
  doc_.set_page_shown(shown);
  update_paging();
  if (!ok)
    s_.ask("Print", "The document could not be printed." + std::string(CrLf) + cp(sink.error()), Buttons::OK,
           Icon::Critical);
}

void frmPrintPreview::save_list(const std::string& text) {
  const QString title = qs(SaveFamilyNamesTitle(s_));
  QString name;
  if (save_dialog) {
    name = save_dialog(title);
  } else {
    QFileDialog dlg(this, title, documents_folder(), QString::fromLatin1(kFamilyNamesFilter));
    dlg.setObjectName(QStringLiteral("dlgSaveFamilyNames"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setDefaultSuffix(QStringLiteral("txt"));
    if (dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty()) name = dlg.selectedFiles().constFirst();
  }
  if (name.isEmpty()) return;
  if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".txt");
  // The same file `vft print --text` writes: UTF-8, what editors on this
  // platform expect, so names such as "Müller" survive.
  const std::string utf8 = cp1252::to_utf8(text);
  Message m = fileio::write_file(s_.disk, name.toStdString(), utf8) ? FamilyNamesSavedMessage(s_, cp(name))
                                                                    : FamilyNamesNotSavedMessage(cp(name));
  s_.ask(m.title, m.text, m.buttons, m.icon);
}

}  // namespace vft::ui
