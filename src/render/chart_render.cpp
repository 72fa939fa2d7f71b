#include "chart_render.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainterPath>
#include <QPdfWriter>
#include <cmath>
#include <numbers>

#include "qt_text.h"
#include "qt_text_measure.h"
#include "store/file_write.h"

namespace vft::ui {
namespace {

// Beyond these a picture is refused rather than allocated.
constexpr double kMaxSide = 32767, kMaxPixels = 200.0 * 1000 * 1000;
constexpr double kDeg = 180 / std::numbers::pi;

void set_error(QString* error, const QString& text) {
  if (error) *error = text;
}

QColor qc(chart::Rgb c) { return QColor(c.r, c.g, c.b); }

QFont chart_font(double points, bool bold) {
  QFont f(font_family("Arial"));
  f.setPointSizeF(points);
  f.setBold(bold);
  f.setKerning(false);
  return f;
}

QPainterPath sector_path(const chart::Layout& l, const chart::Sector& s) {
  QPainterPath path;
  const QRectF outer(l.cx - s.r1, l.cy - s.r1, 2 * s.r1, 2 * s.r1);
  const double start = -s.a0 * kDeg, sweep = -(s.a1 - s.a0) * kDeg;
  if (s.r0 <= 0 && std::abs(sweep) >= 360 - 1e-6) {
    path.addEllipse(outer);
    return path;
  }
  if (s.r0 <= 0) {
    path.moveTo(l.cx, l.cy);
    path.arcTo(outer, start, sweep);
  } else {
    const QRectF inner(l.cx - s.r0, l.cy - s.r0, 2 * s.r0, 2 * s.r0);
    path.arcMoveTo(outer, start);
    path.arcTo(outer, start, sweep);
    path.arcTo(inner, start + sweep, -sweep);
  }
  path.closeSubpath();
  return path;
}

void draw_line_of_text(QPainter& p, const chart::TextSpot& spot, double down, const std::string& text,
                       const QFont& font, const QColor& colour) {
  p.save();
  p.translate(spot.x, spot.y);
  p.rotate(spot.angle);
  p.setFont(font);
  p.setPen(colour);
  const double room = std::max(spot.room, 1.0) + 8;
  p.drawText(QRectF(-room / 2, down - chart::kLineStep / 2, room, chart::kLineStep), Qt::AlignCenter, qs(text));
  p.restore();
}

}  // namespace

void PaintChart(QPainter& p, const chart::Layout& l, const ChartTextSource& text, const chart::Colours& c,
                const QRectF& visible, double scale, int focus) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  const bool tiny = chart::kBoxHeight * scale < kTinyBox;
  QPen line(qc(c.line), 1.5);
  QPen dashed = line;
  dashed.setStyle(Qt::DashLine);
  p.setBrush(Qt::NoBrush);
  for (const chart::Line& ln : l.lines) {
    if (ln.xy.size() < 4) continue;
    QPolygonF poly;
    for (std::size_t k = 0; k + 1 < ln.xy.size(); k += 2) poly << QPointF(ln.xy[k], ln.xy[k + 1]);
    if (!poly.boundingRect().adjusted(-2, -2, 2, 2).intersects(visible)) continue;
    p.setPen(ln.dashed ? dashed : line);
    p.drawPolyline(poly);
  }
  const QFont name = chart_font(chart::kNamePoints, true), dates = chart_font(chart::kDatePoints, false);
  for (std::size_t i = 0; i < l.boxes.size(); ++i) {
    const chart::Box& b = l.boxes[i];
    const QRectF r(b.x, b.y, b.w, b.h);
    if (!r.intersects(visible)) continue;
    const chart::BoxText& t = text(static_cast<int>(i));
    QPen border(qc(chart::Accent(c, t.sex)), 1.5);
    if (b.repeat()) border.setStyle(Qt::DashLine);
    if (tiny) p.setPen(Qt::NoPen);
    else p.setPen(border);
    p.setBrush(qc(chart::Fill(c, t.sex)));
    QPainterPath shape;
    if (l.kind == chart::Kind::Fan) shape = sector_path(l, b.sector);
    else if (tiny) shape.addRect(r);
    else shape.addRoundedRect(r, 6, 6);
    p.drawPath(shape);
    if (static_cast<int>(i) == focus) {
      p.setPen(QPen(qc(c.highlight), 3));
      p.setBrush(Qt::NoBrush);
      p.drawPath(shape);
    }
    if (tiny) continue;
    const chart::TextSpot spot = chart::TextSpotOf(l, b);
    if (spot.lines >= 1) draw_line_of_text(p, spot, 0, t.name, name, qc(c.text));
    if (spot.lines >= 2 && !t.dates.empty()) draw_line_of_text(p, spot, chart::kLineStep, t.dates, dates, qc(c.subtext));
  }
  p.restore();
}

QSize ChartPixels(const chart::Layout& l, double dpi) {
  return {static_cast<int>(std::min(std::ceil(l.width * dpi / 96), kMaxSide + 1)),
          static_cast<int>(std::min(std::ceil(l.height * dpi / 96), kMaxSide + 1))};
}

bool WriteChartFile(const std::string& bytes, const QString& path, QString* error) {
  fileio::FileSystem disk;
  if (!fileio::write_file(disk, QFile::encodeName(path).toStdString(), bytes)) {
    set_error(error, QStringLiteral("The file %1 could not be written: %2")
                         .arg(path, QString::fromStdString(disk.failure().reason())));
    return false;
  }
  return true;
}

bool WriteChartPng(const chart::Layout& l, const ChartTextSource& text, const chart::Colours& c, double dpi,
                   const QString& path, QString* error) {
  const double w = std::ceil(l.width * dpi / 96), h = std::ceil(l.height * dpi / 96);
  if (!(dpi > 0) || w > kMaxSide || h > kMaxSide || w * h > kMaxPixels) {
    set_error(error, QStringLiteral("At %1 dpi the picture would be %2 x %3 pixels, more than a picture may have "
                                    "(%4 on a side, %5 million in all). Choose a lower resolution.")
                         .arg(dpi)
                         .arg(w, 0, 'f', 0)
                         .arg(h, 0, 'f', 0)
                         .arg(kMaxSide, 0, 'f', 0)
                         .arg(kMaxPixels / 1e6, 0, 'f', 0));
    return false;
  }
  QImage image(static_cast<int>(w), static_cast<int>(h), QImage::Format_RGB32);
  if (image.isNull()) {
    set_error(error, QStringLiteral("There is not enough memory for a picture of %1 x %2 pixels.").arg(w).arg(h));
    return false;
  }
  // Fonts are sized for 96 dots to the inch; the painter scales to the rest.
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  image.fill(qc(c.background));
  {
    QPainter p(&image);
    const double scale = dpi / 96;
    p.scale(scale, scale);
    PaintChart(p, l, text, c, QRectF(0, 0, l.width, l.height), scale);
  }
  const auto dpm = static_cast<int>(std::lround(dpi / 0.0254));
  image.setDotsPerMeterX(dpm);
  image.setDotsPerMeterY(dpm);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(image)) {
    set_error(error, QStringLiteral("The picture could not be made: %1").arg(writer.errorString()));
    return false;
  }
  return WriteChartFile(buffer.data().toStdString(), path, error);
}

bool WriteChartPdf(const chart::Layout& l, const ChartTextSource& text, const chart::Colours& c,
                   const QString& path, QString* error) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Vorlan Family Tree"));
    writer.setResolution(96);
    // One unit is 0.75 point; PDF pages end at 200 inches, so a larger chart
    // is scaled down to that.
    const double fit = std::min({1.0, 14400 / (l.width * 0.75), 14400 / (l.height * 0.75)});
    const QPageSize size(QSizeF(std::max(l.width * 0.75 * fit, 72.0), std::max(l.height * 0.75 * fit, 72.0)),
                         QPageSize::Point, QString(), QPageSize::ExactMatch);
    writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    QPainter p;
    if (!p.begin(&writer)) {
      set_error(error, QStringLiteral("The PDF file could not be started."));
      return false;
    }
    p.scale(fit, fit);
    p.fillRect(QRectF(0, 0, l.width, l.height), qc(c.background));
    PaintChart(p, l, text, c, QRectF(0, 0, l.width, l.height), fit);
    p.end();
  }
  return WriteChartFile(buffer.data().toStdString(), path, error);
}

}  // namespace vft::ui
