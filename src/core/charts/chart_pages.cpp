#include "charts/chart_pages.h"

#include <algorithm>
#include <cmath>

namespace vft::chart {
namespace {

// Tiles along one side: starts of each tile, each a page long, stepping by a
// page less the overlap; the last ends at the chart's edge.
int TileCount(double length, double page) {
  if (length <= page) return 1;
  return 1 + static_cast<int>(std::ceil((length - page) / (page - kTileOverlap) - 1e-9));
}

}  // namespace

PagePlan PlanPages(const Rect& area, double page_w, double page_h, bool one_page) {
  PagePlan plan;
  if (!(area.w > 0 && area.h > 0 && page_w > 0 && page_h > 0)) return plan;
  if (one_page) {
    plan.scale = std::min({1.0, page_w / area.w, page_h / area.h});
    plan.rows = plan.columns = 1;
    plan.pages.push_back({0, 0, area, {}});
    return plan;
  }
  if (page_w <= 2 * kTileOverlap || page_h <= 2 * kTileOverlap) return plan;
  plan.columns = TileCount(area.w, page_w);
  plan.rows = TileCount(area.h, page_h);
  if (static_cast<long>(plan.rows) * plan.columns > kMaxTiledPages) return plan;
  const double step_x = page_w - kTileOverlap, step_y = page_h - kTileOverlap;
  for (int r = 0; r < plan.rows; ++r) {
    for (int c = 0; c < plan.columns; ++c) {
      PageTile t;
      t.row = r, t.column = c;
      const double x = c * step_x, y = r * step_y;
      t.part = {area.x + x, area.y + y, std::min(page_w, area.w - x), std::min(page_h, area.h - y)};
      const double w = t.part.w, h = t.part.h;
      // A tick at both ends of each edge line that a neighbour's part starts
      // or ends on: the right and lower neighbours begin kTileOverlap before
      // this page's edge, the left and upper ones end kTileOverlap after it.
      auto vertical = [&](double at) {
        t.marks.push_back({at, 0, at, std::min(kMarkLength, h)});
        t.marks.push_back({at, h - std::min(kMarkLength, h), at, h});
      };
      auto horizontal = [&](double at) {
        t.marks.push_back({0, at, std::min(kMarkLength, w), at});
        t.marks.push_back({w - std::min(kMarkLength, w), at, w, at});
      };
      if (c + 1 < plan.columns) vertical(step_x);
      if (c > 0) vertical(kTileOverlap);
      if (r + 1 < plan.rows) horizontal(step_y);
      if (r > 0) horizontal(kTileOverlap);
      plan.pages.push_back(std::move(t));
    }
  }
  return plan;
}

}  // namespace vft::chart
