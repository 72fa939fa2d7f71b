#include "page_render.h"

#include <QBuffer>
#include <QFile>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <cmath>
#include <optional>
#include <vector>

#include "pdf_writer.h"
#include "qt_text.h"
#include "qt_text_measure.h"
#include "store/file_write.h"

namespace vft::ui {
namespace {

// Beyond this many pixels a page image is refused rather than allocated.
constexpr double kMaxImagePixels = 200.0 * 1000 * 1000;

QColor qt_colour(print::Colour c) { return QColor(print::red_of(c), print::green_of(c), print::blue_of(c)); }

QPen item_pen(const print::Item& item) {
  QPen pen(qt_colour(item.colour));
  pen.setWidthF(item.pen_width);  // 0 is the device's thinnest line
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

void set_error(QString* error, const QString& text) {
  if (error != nullptr) *error = text;
}

// The Qt fonts of a document's fonts, made the first time a page uses one
// and kept while its pages are drawn: a list of a thousand pages uses the
// same three fonts on every page.
struct DocumentFonts {
  QtTextMeasure measure;
  std::vector<std::optional<QFont>> fonts;
  std::vector<double> ascents;
  explicit DocumentFonts(const print::PageDocument& doc) : fonts(doc.fonts().size()), ascents(doc.fonts().size()) {}
};

// A CP1252 text as a QString, straight, without a trip through UTF-8.
void to_qstring(std::string_view text, QString& out) {
  out.resize(static_cast<qsizetype>(text.size()));
  QChar* data = out.data();
  for (std::size_t i = 0; i < text.size(); ++i)
    data[i] = QChar(static_cast<char16_t>(cp1252::to_unicode(static_cast<unsigned char>(text[i]))));
}

void draw_page(QPainter& painter, const print::PageDocument& doc, int number, double device_per_twip, bool paint_paper,
               DocumentFonts& cache) {
  if (number < 1 || number > doc.page_count() || !(device_per_twip > 0)) return;
  const print::Page& page = doc.page(number);
  QRectF sheet(0, 0, page.width, page.height);
  painter.save();
  painter.scale(device_per_twip, device_per_twip);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  if (paint_paper) painter.fillRect(sheet, Qt::white);
  painter.setClipRect(sheet, Qt::IntersectClip);

  auto& fonts = cache.fonts;
  auto& ascents = cache.ascents;
  QString text;
  for (const print::Item& item : doc.page_items(number)) {
    switch (item.kind) {
      case print::Item::Kind::Text: {
        if (item.font >= fonts.size()) break;
        if (!fonts[item.font]) {
          const print::Font& font = doc.item_font(item);
          fonts[item.font] = twips_font(font);
          ascents[item.font] = cache.measure.ascent(font);
        }
        painter.setFont(*fonts[item.font]);
        painter.setPen(qt_colour(item.colour));
        to_qstring(doc.item_text(item), text);
        painter.drawText(QPointF(item.x1, item.y1 + ascents[item.font]), text);
        break;
      }
      case print::Item::Kind::Line:
        painter.setPen(item_pen(item));
        painter.drawLine(QPointF(item.x1, item.y1), QPointF(item.x2, item.y2));
        break;
      case print::Item::Kind::Rectangle:
        painter.setPen(item_pen(item));
        painter.setBrush(item.filled ? QBrush(qt_colour(item.fill)) : QBrush(Qt::NoBrush));
        painter.drawRect(QRectF(QPointF(item.x1, item.y1), QPointF(item.x2, item.y2)));
        painter.setBrush(Qt::NoBrush);
        break;
    }
  }
  painter.restore();
}

// The same file through Qt's PDF engine, for a font whose outlines cannot be
// copied into the file directly (a face in an older outline format).
bool qt_pdf_bytes(const print::PageDocument& doc, int first, int last, std::string& out, QString* error) {
  QByteArray bytes;
  bytes.reserve(static_cast<qsizetype>(last - first + 1) * 4 * 1024);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Vorlan Family Tree"));
    if (!paint_pages(writer, doc, first, last, error)) return false;
  }
  out.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  return true;
}

}  // namespace

void render_page(QPainter& painter, const print::PageDocument& doc, int number, double device_per_twip,
                 bool paint_paper) {
  DocumentFonts fonts(doc);
  draw_page(painter, doc, number, device_per_twip, paint_paper, fonts);
}

double screen_scale(const QPaintDevice& device, int zoom_percent) {
  return device.logicalDpiX() / 1440.0 * zoom_percent / 100.0;
}

QImage render_page_image(const print::PageDocument& doc, int number, double dpi) {
  if (number < 1 || number > doc.page_count() || !(dpi > 0)) return QImage();
  const print::Page& page = doc.page(number);
  double scale = dpi / 1440.0;
  double w = std::ceil(page.width * scale), h = std::ceil(page.height * scale);
  if (w < 1 || h < 1 || w * h > kMaxImagePixels) return QImage();
  QImage image(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
  int dots_per_metre = static_cast<int>(std::lround(dpi / 0.0254));
  image.setDotsPerMeterX(dots_per_metre);
  image.setDotsPerMeterY(dots_per_metre);
  image.fill(Qt::white);
  QPainter painter(&image);
  render_page(painter, doc, number, scale, false);
  painter.end();
  return image;
}

QPageLayout page_layout(const print::Page& page) {
  bool landscape = page.orientation == print::Orientation::Landscape;
  double portrait_w = landscape ? page.height : page.width;
  double portrait_h = landscape ? page.width : page.height;
  // Twips / 20 = points; a size close to a standard one takes its name.
  QPageSize size(QSizeF(portrait_w / 20.0, portrait_h / 20.0), QPageSize::Point, QString(), QPageSize::FuzzyMatch);
  QPageLayout layout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
  layout.setMode(QPageLayout::FullPageMode);
  return layout;
}

bool paint_pages(QPagedPaintDevice& device, const print::PageDocument& doc, int first, int last, QString* error) {
  if (doc.is_open() || first < 1 || last < first || last > doc.page_count()) {
    set_error(error, QStringLiteral("There are no such pages to print."));
    return false;
  }
  device.setPageLayout(page_layout(doc.page(first)));
  QPainter painter;
  if (!painter.begin(&device)) {
    set_error(error, QStringLiteral("The printer could not be started."));
    return false;
  }
  DocumentFonts fonts(doc);
  for (int n = first; n <= last; ++n) {
    if (n > first) {
      device.setPageLayout(page_layout(doc.page(n)));
      device.newPage();
    }
    draw_page(painter, doc, n, device.logicalDpiX() / 1440.0, false, fonts);
  }
  return painter.end();
}

bool write_pdf(const print::PageDocument& doc, const QString& path, QString* error) {
  if (doc.is_open() || doc.page_count() == 0) {
    set_error(error, QStringLiteral("There is no finished document to save."));
    return false;
  }
  return write_pdf(doc, 1, doc.page_count(), path, error);
}

bool write_pdf(const print::PageDocument& doc, int first, int last, const QString& path, QString* error) {
  // Made in memory and handed to the program's one writer, which puts it in
  // place only when complete (following a link, keeping the file's mode).
  std::string pdf;
  if (!pdf_bytes(doc, first, last, pdf) && !qt_pdf_bytes(doc, first, last, pdf, error)) return false;
  fileio::FileSystem disk;
  if (!fileio::write_file(disk, QFile::encodeName(path).toStdString(), pdf)) {
    set_error(error, QStringLiteral("The PDF file %1 could not be written: %2")
                         .arg(path, QString::fromStdString(disk.failure().reason())));
    return false;
  }
  return true;
}

}  // namespace vft::ui
