#include "chart_render.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainterPath>
#include <QPdfWriter>
#include <png.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "qt_text.h"
#include "qt_text_measure.h"
#include "store/file_write.h"

namespace vft::ui {
namespace {

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
  // Tiny boxes are plain tiles: drawn in batches of one colour each, lines
  // without smoothing, so that a whole large chart in view stays quick.
  const bool tiny = chart::kBoxHeight * scale < kTinyBox;
  p.setRenderHint(QPainter::Antialiasing, !tiny);
  QPen line(qc(c.line), tiny ? 0 : 1.5);
  QPen dashed = line;
  dashed.setStyle(Qt::DashLine);
  p.setBrush(Qt::NoBrush);
  QList<QLineF> solid, broken;
  for (const chart::Line& ln : l.lines) {
    if (ln.xy.size() < 4) continue;
    double x0 = ln.xy[0], x1 = x0, y0 = ln.xy[1], y1 = y0;
    for (std::size_t k = 2; k + 1 < ln.xy.size(); k += 2) {
      x0 = std::min(x0, ln.xy[k]), x1 = std::max(x1, ln.xy[k]);
      y0 = std::min(y0, ln.xy[k + 1]), y1 = std::max(y1, ln.xy[k + 1]);
    }
    if (x1 + 2 < visible.left() || x0 - 2 > visible.right() || y1 + 2 < visible.top() || y0 - 2 > visible.bottom())
      continue;
    if (tiny) {
      QList<QLineF>& into = ln.dashed ? broken : solid;
      for (std::size_t k = 0; k + 3 < ln.xy.size(); k += 2)
        into.append(QLineF(ln.xy[k], ln.xy[k + 1], ln.xy[k + 2], ln.xy[k + 3]));
      continue;
    }
    QPolygonF poly;
    for (std::size_t k = 0; k + 1 < ln.xy.size(); k += 2) poly << QPointF(ln.xy[k], ln.xy[k + 1]);
    p.setPen(ln.dashed ? dashed : line);
    p.drawPolyline(poly);
  }
  if (tiny) {
    p.setPen(line);
    p.drawLines(solid);
    p.setPen(dashed);
    p.drawLines(broken);
  }
  const QFont name = chart_font(chart::kNamePoints, true), dates = chart_font(chart::kDatePoints, false);
  std::array<QList<QRectF>, 3> tiles;  // tiny tree boxes by sex: male, female, other
  for (std::size_t i = 0; i < l.boxes.size(); ++i) {
    const chart::Box& b = l.boxes[i];
    const QRectF r(b.x, b.y, b.w, b.h);
    if (!r.intersects(visible)) continue;
    const chart::BoxText& t = text(static_cast<int>(i));
    if (tiny && l.kind != chart::Kind::Fan && static_cast<int>(i) != focus) {
      tiles[t.sex == 'M' ? 0 : t.sex == 'F' ? 1 : 2].append(r);
      continue;
    }
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
      p.setPen(QPen(qc(c.highlight), tiny ? 2 / scale : 3));
      p.setBrush(Qt::NoBrush);
      p.drawPath(shape);
    }
    if (tiny) continue;
    const chart::TextSpot spot = chart::TextSpotOf(l, b);
    if (spot.lines >= 1) draw_line_of_text(p, spot, 0, t.name, name, qc(c.text));
    if (spot.lines >= 2 && !t.dates.empty())
      draw_line_of_text(p, spot, chart::kLineStep, t.dates, dates, qc(c.subtext));
  }
  p.setPen(Qt::NoPen);
  for (std::size_t k = 0; k < tiles.size(); ++k) {
    if (tiles[k].isEmpty()) continue;
    p.setBrush(qc(chart::Fill(c, "MFO"[k])));
    p.drawRects(tiles[k]);
  }
  p.restore();
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

namespace {

chart::Rect whole_or(const chart::Layout& l, const chart::Rect& area) {
  return area.empty() ? chart::Rect{0, 0, l.width, l.height} : area;
}

// Where the packed picture goes, and the rows it is made of, a strip at a time.
struct PngJob {
  std::string bytes;
  int width = 0, height = 0, dpm = 0;
  const uchar* (*row)(void* ctx, int y) = nullptr;
  void* ctx = nullptr;
  char message[200] = {};
};

void png_append(png_structp png, png_bytep data, png_size_t size) {
  static_cast<PngJob*>(png_get_io_ptr(png))->bytes.append(reinterpret_cast<const char*>(data), size);
}
void png_flush(png_structp) {}
void png_fail(png_structp png, png_const_charp message) {
  auto* job = static_cast<PngJob*>(png_get_error_ptr(png));
  std::snprintf(job->message, sizeof job->message, "%s", message);
  png_longjmp(png, 1);
}
void png_warn(png_structp, png_const_charp) {}

// Packs the rows. libpng reports a failure by a long jump back here, so this
// frame holds no object that needs destroying; the rows are drawn by the
// caller's function between calls into libpng, never inside one.
bool pack_png(PngJob& job) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &job, png_fail, png_warn);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return false;
  }
  png_set_write_fn(png, &job, png_append, png_flush);
  png_set_user_limits(png, static_cast<png_uint_32>(kMaxPngSide), static_cast<png_uint_32>(kMaxPngSide));
  // Charts are flat colour: a quick packing loses little.
  png_set_compression_level(png, 3);
  png_set_filter(png, 0, PNG_FILTER_SUB);
  png_set_IHDR(png, info, static_cast<png_uint_32>(job.width), static_cast<png_uint_32>(job.height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_pHYs(png, info, static_cast<png_uint_32>(job.dpm), static_cast<png_uint_32>(job.dpm), PNG_RESOLUTION_METER);
  png_write_info(png, info);
  // Rows are QImage's RGB32: blue, green, red and an unused byte in memory.
  png_set_bgr(png);
  png_set_filler(png, 0, PNG_FILLER_AFTER);
  for (int y = 0; y < job.height; ++y) png_write_row(png, const_cast<png_bytep>(job.row(job.ctx, y)));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

struct StripPainter {
  const chart::Layout& l;
  const ChartTextSource& text;
  const chart::Colours& c;
  chart::Rect area;
  double scale;
  QImage strip;
  int top = 0;  // the picture row of the strip's first row

  static const uchar* row(void* ctx, int y) {
    auto* self = static_cast<StripPainter*>(ctx);
    if (y < self->top || y >= self->top + self->strip.height() || self->strip.isNull()) self->paint(y);
    return self->strip.constScanLine(y - self->top);
  }
  void paint(int y) {
    top = y;
    strip.fill(qc(c.background));
    QPainter p(&strip);
    p.translate(0, -top);
    p.scale(scale, scale);
    p.translate(-area.x, -area.y);
    const double y0 = area.y + top / scale;
    PaintChart(p, l, text, c, QRectF(area.x, y0, area.w, strip.height() / scale + 1), scale);
  }
};

}  // namespace

bool WriteChartPng(const chart::Layout& l, const ChartTextSource& text, const chart::Colours& c, double dpi,
                   const QString& path, QString* error, const chart::Rect& part) {
  const chart::Rect area = whole_or(l, part);
  const double w = std::ceil(area.w * dpi / 96), h = std::ceil(area.h * dpi / 96);
  if (!(dpi > 0) || w > kMaxPngSide || h > kMaxPngSide || w * h > kMaxPngPixels) {
    set_error(error, QStringLiteral("At %1 dpi the picture would be %2 x %3 pixels, more than a picture may have "
                                    "(%4 on a side, %5 million in all). Choose a lower resolution.")
                         .arg(dpi)
                         .arg(w, 0, 'f', 0)
                         .arg(h, 0, 'f', 0)
                         .arg(kMaxPngSide, 0, 'f', 0)
                         .arg(kMaxPngPixels / 1e6, 0, 'f', 0));
    return false;
  }
  // Strips of about 16 million pixels (64 MB) at most.
  const int width = static_cast<int>(w), height = static_cast<int>(h);
  const int rows = std::clamp(static_cast<int>((1 << 24) / width), 1, height);
  StripPainter strips{l, text, c, area, dpi / 96, QImage(width, rows, QImage::Format_RGB32)};
  if (strips.strip.isNull()) {
    set_error(error, QStringLiteral("There is not enough memory for a picture of %1 x %2 pixels.").arg(w).arg(h));
    return false;
  }
  // Fonts are sized for 96 dots to the inch; the painter scales to the rest.
  strips.strip.setDotsPerMeterX(3780);
  strips.strip.setDotsPerMeterY(3780);
  strips.top = -rows;  // nothing drawn yet
  PngJob job;
  job.width = width, job.height = height;
  job.dpm = static_cast<int>(std::lround(dpi / 0.0254));
  job.row = &StripPainter::row;
  job.ctx = &strips;
  if (!pack_png(job)) {
    set_error(error, QStringLiteral("The picture could not be made: %1").arg(QString::fromLatin1(job.message)));
    return false;
  }
  return WriteChartFile(job.bytes, path, error);
}

bool WriteChartPdf(const chart::Layout& l, const ChartTextSource& text, const chart::Colours& c, const QString& path,
                   QString* error, const chart::Rect& part) {
  const chart::Rect area = whole_or(l, part);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Vorlan Family Tree"));
    writer.setResolution(96);
    // One unit is 0.75 point; PDF pages end at 200 inches, so a larger chart
    // is scaled down to that.
    const double fit = std::min({1.0, 14400 / (area.w * 0.75), 14400 / (area.h * 0.75)});
    const QPageSize size(QSizeF(std::max(area.w * 0.75 * fit, 72.0), std::max(area.h * 0.75 * fit, 72.0)),
                         QPageSize::Point, QString(), QPageSize::ExactMatch);
    writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    QPainter p;
    if (!p.begin(&writer)) {
      set_error(error, QStringLiteral("The PDF file could not be started."));
      return false;
    }
    p.scale(fit, fit);
    p.translate(-area.x, -area.y);
    const QRectF visible(area.x, area.y, area.w, area.h);
    p.fillRect(visible, qc(c.background));
    p.setClipRect(visible);
    PaintChart(p, l, text, c, visible, fit);
    p.end();
  }
  return WriteChartFile(buffer.data().toStdString(), path, error);
}

QSizeF PrintableChartSize(const QPagedPaintDevice& device) {
  const double res = device.logicalDpiX();
  if (res <= 0) return {};
  return QSizeF(device.pageLayout().paintRectPixels(static_cast<int>(res)).size()) * 96 / res;
}

bool PrintChartPages(QPagedPaintDevice& device, const chart::Layout& l, const ChartTextSource& text,
                     const chart::Colours& c, const chart::PagePlan& plan, QString* error) {
  QPainter p;
  if (plan.pages.empty() || !p.begin(&device)) {
    set_error(error, QStringLiteral("The printer could not be started."));
    return false;
  }
  const double scale = device.logicalDpiX() / 96.0 * plan.scale;
  for (std::size_t k = 0; k < plan.pages.size(); ++k) {
    const chart::PageTile& t = plan.pages[k];
    if (k > 0 && !device.newPage()) {
      set_error(error, QStringLiteral("The printer refused page %1.").arg(k + 1));
      return false;
    }
    p.save();
    p.scale(scale, scale);
    const QRectF part(t.part.x, t.part.y, t.part.w, t.part.h);
    p.setClipRect(QRectF(0, 0, t.part.w, t.part.h));
    p.translate(-t.part.x, -t.part.y);
    PaintChart(p, l, text, c, part, scale);
    p.restore();
    p.save();
    p.scale(scale, scale);
    p.setPen(QPen(qc(c.text), 0.75));
    for (const chart::Mark& m : t.marks) p.drawLine(QLineF(m.x0, m.y0, m.x1, m.y1));
    p.restore();
  }
  if (!p.end()) {
    set_error(error, QStringLiteral("The pages could not be finished."));
    return false;
  }
  return true;
}

}  // namespace vft::ui
