// The row formats and colours of the descendants chart.
#include <algorithm>
#include <cmath>

#include "print/descendants_chart.h"

namespace vft::print {
namespace {

constexpr int kColumns = 12;

// The wide text column of depth d on a wide page; deeper rows get less so
// that the table stays near the paper's width.
int wide_text_width(int d) {
  if (d <= 4) return 7000;
  if (d == 8 || d == 11) return 5000;
  return 6000;
}

}  // namespace

Colour GenerationColour(int g) {
  switch (((g - 1) % 3 + 3) % 3) {
    case 0: return kRed;
    case 1: return kBlue;
    default: return kGreen;
  }
}

DescendantColumns DescendantLayout(double page_width, double printable, int generations) {
  DescendantColumns c;
  c.wide = page_width >= kWideChartPage;
  c.printable = std::max(0.0, printable);
  const int deepest = std::clamp(generations, 1, kColumns) - 1;
  const double nominal = c.wide ? kWideStep : kNarrowStep;
  c.step = deepest == 0 ? nominal : std::floor(std::clamp((c.printable - kMinDescendantText) / deepest, 0.0, nominal));
  return c;
}

double DescendantTextWidth(int depth, const DescendantColumns& c) {
  const int d = std::clamp(depth, 0, kColumns - 1);
  const double nominal = c.wide ? wide_text_width(d) : 4000;
  return std::max(0.0, std::min(nominal, c.printable - d * c.step));
}

std::string DescendantRowFormat(int depth, const DescendantColumns& c) {
  const int d = std::clamp(depth, 0, kColumns - 1);
  const long step = std::lround(c.step);
  const long text = std::lround(std::floor(DescendantTextWidth(d, c)));
  std::string format;
  long used = 0;
  for (int i = 0; i < kColumns; ++i) {
    const long w = i == d ? text : step;
    if (i > d && used + w > c.printable) break;
    format += std::to_string(w) + '|';
    used += w;
  }
  return format + '~';
}

std::string DescendantRowCells(int depth, std::string_view text) {
  const int d = std::clamp(depth, 0, kColumns - 1);
  std::string cells(static_cast<std::size_t>(d), '|');
  cells += text;
  cells.append(static_cast<std::size_t>(kColumns - 1 - d), '|');
  return cells;
}

}  // namespace vft::print
