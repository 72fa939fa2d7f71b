// The row formats and colours of the descendants chart.
#include <algorithm>

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

double DescendantTextWidth(int depth, bool wide) {
  return wide ? wide_text_width(std::clamp(depth, 0, kColumns - 1)) : 4000;
}

std::string DescendantRowFormat(int depth, bool wide) {
  const int d = std::clamp(depth, 0, kColumns - 1);
  const std::string step = wide ? "500" : "300";
  const std::string text = wide ? std::to_string(wide_text_width(d)) : "4000";
  std::string format;
  for (int i = 0; i < kColumns; ++i) {
    format += i == d ? text : step;
    format += '|';
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
