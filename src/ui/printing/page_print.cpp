#include "printing/page_print.h"

#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

#include "page_render.h"
#include "qt_text.h"

namespace vft::ui {

std::vector<print::PrintDevice> platform_print_devices() {
  std::vector<print::PrintDevice> devices;
  devices.push_back(print::PrintDevice{std::string(print::kPdfDevice), {}});
  for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
    print::PrintDevice device;
    device.name = cp(info.printerName());
    for (const QPageSize& size : info.supportedPageSizes()) {
      // The platform numbers its paper sizes by the same codes we keep.
      int code = size.windowsId();
      if (print::paper_has_size(code) &&
          std::find(device.paper_codes.begin(), device.paper_codes.end(), code) == device.paper_codes.end())
        device.paper_codes.push_back(code);
    }
    // A printer that names no size we know is offered every size rather than none.
    devices.push_back(std::move(device));
  }
  return devices;
}

std::string default_print_device() {
  QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull() || info.printerName().isEmpty()) return std::string(print::kPdfDevice);
  return cp(info.printerName());
}

void select_print_device(QPrinter& printer, const print::PageDocument& doc, const QString& pdf_file) {
  QString name = qs(doc.device());
  if (doc.device() != print::kPdfDevice && !QPrinterInfo::printerInfo(name).isNull()) {
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(name);
    return;
  }
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf_file);
}

bool QtPrinterSink::print_pages(const print::PageDocument& doc, int first, int last) {
  error_.clear();
  // A PDF file is written directly, as `vft print` writes it: smaller and
  // many times faster than through the printer's painter.
  if (printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty())
    return write_pdf(doc, first, last, printer_.outputFileName(), &error_);
  printer_.setFullPage(true);
  return paint_pages(printer_, doc, first, last, &error_);
}

}  // namespace vft::ui
