// A chart printed on paper: either scaled down to one page, or at full size
// tiled over as many pages as it needs, neighbouring pages sharing a strip of
// the chart so that they can be laid on one another and glued. Short marks
// at the page edges show where the neighbouring page's part begins.
#pragma once
#include <vector>

#include "charts/chart_layout.h"

namespace vft::chart {

// How wide the strip two neighbouring tiles share (chart units, 1/2 inch),
// how long an overlap mark is, and the most pages a tiled print may take.
inline constexpr double kTileOverlap = 48;
inline constexpr double kMarkLength = 18;
inline constexpr int kMaxTiledPages = 400;

struct Mark {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // on the page, chart units from its printable corner
};

struct PageTile {
  int row = 0, column = 0;
  Rect part;                // the part of the chart on this page (chart units)
  std::vector<Mark> marks;  // where the neighbouring pages' parts begin
};

struct PagePlan {
  double scale = 1;  // page units a chart unit
  int rows = 0, columns = 0;
  std::vector<PageTile> pages;  // row by row, left to right; empty when nothing fits
};

// The pages for `area` of a chart (chart units) on paper whose printable part
// is page_w x page_h chart units. `one_page` scales it down (never up) to fit
// one page. Tiling refuses (no pages, but rows and columns say how many it
// would take) beyond kMaxTiledPages, and on paper too small for the overlap.
PagePlan PlanPages(const Rect& area, double page_w, double page_h, bool one_page);

}  // namespace vft::chart
