// The charts drawn with Qt: the chart window paints from here, and the
// picture files of the window's "Save as..." and of `vft chart` are made
// here, all from one layout. The SVG file is core's (chart::ChartSvg).
#pragma once
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

#include "charts/chart_look.h"
#include "charts/chart_pages.h"

namespace vft::ui {

// The texts of box i, made when first needed: a chart of thousands of boxes
// reads only the persons it shows.
using ChartTextSource = std::function<const chart::BoxText&(int)>;

// Boxes drawn smaller than this many device pixels high are plain tiles
// without text or border.
inline constexpr double kTinyBox = 12;

// Paints the boxes and lines that meet `visible` (chart units) with a painter
// that maps chart units to the device at `scale` device pixels a unit. Box
// `focus` gets a ring (-1: none).
void PaintChart(QPainter& painter, const chart::Layout& l, const ChartTextSource& text, const chart::Colours& c,
                const QRectF& visible, double scale, int focus = -1);

// The largest PNG picture made: the picture is drawn and packed a strip at a
// time, so memory stays small whatever its size; beyond these it is refused.
inline constexpr double kMaxPngSide = 100000, kMaxPngPixels = 1000.0 * 1000 * 1000;

// The chart, or `area` of it (chart units) when that is not empty, as a PNG
// file at `dpi` (96 is 100 %), or as a one-page PDF file of the area's size.
// Files are written whole or not at all; false with the reason in `error`.
bool WriteChartPng(const chart::Layout& l, const ChartTextSource& text, const chart::Colours& c, double dpi,
                   const QString& path, QString* error, const chart::Rect& area = {});
bool WriteChartPdf(const chart::Layout& l, const ChartTextSource& text, const chart::Colours& c, const QString& path,
                   QString* error, const chart::Rect& area = {});

// The printable part of the device's page, chart units.
QSizeF PrintableChartSize(const QPagedPaintDevice& device);
// Prints the pages of `plan` on a paged device (a printer, a PDF file), each
// from the printable corner, with its overlap marks.
bool PrintChartPages(QPagedPaintDevice& device, const chart::Layout& l, const ChartTextSource& text,
                     const chart::Colours& c, const chart::PagePlan& plan, QString* error);
// Bytes as they are, for the SVG file.
bool WriteChartFile(const std::string& bytes, const QString& path, QString* error);

}  // namespace vft::ui
