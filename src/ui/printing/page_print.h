// The page document on real printers: the platform's printer list for the
// document's device choice, and a sink that prints ranges of pages through
// a QPrinter. The "PDF file" device prints into a PDF file, so printing
// works on machines with no printer installed.
#pragma once
#include <QString>
#include <string>
#include <vector>

#include "print/page_document.h"

class QPrinter;

namespace vft::ui {

// "PDF file" first, then the platform's printers with the paper codes each
// one takes (sizes the platform cannot name by a code are left out).
std::vector<print::PrintDevice> platform_print_devices();

// The platform's default printer (CP1252), or "PDF file" when there is none.
std::string default_print_device();

// Points `printer` at the document's current device: a platform printer by
// its name, or, for "PDF file" (and printers that have gone away since the
// list was made), PDF output into `pdf_file`.
void select_print_device(QPrinter& printer, const print::PageDocument& doc, const QString& pdf_file);

// Prints pages through a QPrinter, each page on a sheet of its own size
// from the sheet's edge (the document carries its own margins).
class QtPrinterSink : public print::PageSink {
 public:
  explicit QtPrinterSink(QPrinter& printer) : printer_(printer) {}
  bool print_pages(const print::PageDocument& doc, int first, int last) override;
  // Why the last print_pages() failed.
  const QString& error() const { return error_; }

 private:
  QPrinter& printer_;
  QString error_;
};

}  // namespace vft::ui
