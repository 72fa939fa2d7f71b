// Drawing the page document with Qt: on screen at any zoom, on a printer and
// into PDF files. Positions all come from the document (twips); this only
// scales them to the device, so every device shows the same layout.
#pragma once
#include <QImage>
#include <QPageLayout>
#include <QString>

#include "print/page_document.h"

class QPainter;
class QPaintDevice;
class QPagedPaintDevice;

namespace vft::ui {

// Draws page `number` (1-based) of `doc` with its top-left corner at the
// painter's origin, `device_per_twip` device units to a twip. With
// `paint_paper` the sheet is first filled white (the preview's paper).
// Drawing is clipped to the sheet. Pages outside the document draw nothing.
void render_page(QPainter& painter, const print::PageDocument& doc, int number, double device_per_twip,
                 bool paint_paper = true);

// Device units per twip for showing pages on `device` at `zoom_percent`.
double screen_scale(const QPaintDevice& device, int zoom_percent);

// Page `number` as an image at `dpi` dots per inch, or a null image when the
// page does not exist or the image would be unreasonably large.
QImage render_page_image(const print::PageDocument& doc, int number, double dpi);

// The sheet of a page for a paged device: its paper and orientation, with no
// margins (the document has placed everything already).
QPageLayout page_layout(const print::Page& page);

// Draws pages first..last of an ended document on a paged device (PDF
// writer, printer), each on a sheet of its own size. False, with the reason
// in `error`, when the range is not in the document or painting cannot start.
bool paint_pages(QPagedPaintDevice& device, const print::PageDocument& doc, int first, int last,
                 QString* error = nullptr);

// Writes every page of an ended document into the PDF file `path`.
bool write_pdf(const print::PageDocument& doc, const QString& path, QString* error = nullptr);
// Writes pages first..last into the PDF file `path`; false, with the reason
// in `error`, when they are not in the document or the file cannot be written.
bool write_pdf(const print::PageDocument& doc, int first, int last, const QString& path, QString* error = nullptr);

}  // namespace vft::ui
