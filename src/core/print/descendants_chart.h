// The descendants chart: a person and his or her descendants down to a chosen
// number of generations, as an indented outline. Each person is one row of a
// twelve-column table whose wide text column moves one step right per
// generation, followed by the person's partners and the marriage details
// when they are ticked; coloured lines join each child list to its parent.
//
//   ChartOptions o = LoadChartOptions(s, request::Descendants);
//   ApplyChartOptions(doc, o);
//   DescendantsResult r = PrintDescendants(s, doc, measure, o, root, progress);
//   // r.summary is the label the preview shows under the chart.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "print/chart_options.h"
#include "print/page_document.h"
#include "store/session.h"

namespace vft::print {

// Pages at least this wide (twips) take the wide row formats, 500-twip steps
// and the coloured connectors; narrower ones 300-twip steps and no lines.
inline constexpr double kWideChartPage = 9991;
inline constexpr double kWideStep = 500;
inline constexpr double kNarrowStep = 300;
inline constexpr double kConnectorPen = 15;

// The deepest text column keeps at least this width (twips): on a page too
// narrow for the usual steps, the steps shrink instead.
inline constexpr double kMinDescendantText = 2000;

// Colour of generation g (1 = the root's): 1, 4, 7, 10 red; 2, 5, 8, 11
// blue; 3, 6, 9, 12 green.
Colour GenerationColour(int g);

// The columns of a chart on one paper: wide or narrow formats, the step one
// generation moves right, and the printable width they must keep within.
struct DescendantColumns {
  bool wide = true;
  double step = kWideStep;
  double printable = 0;
};
DescendantColumns DescendantLayout(double page_width, double printable, int generations);
// Width of the text column at depth d (0..11, 0 the root): 7000 and the like
// on wide pages, 4000 on narrow ones, narrowed to end at the right margin.
double DescendantTextWidth(int depth, const DescendantColumns& c);
// The table format of a person row at depth d: d step columns, the text
// column, then step columns as far as the printable width goes
// ("7000|500|...|~" where there is room for all twelve).
std::string DescendantRowFormat(int depth, const DescendantColumns& c);
// The twelve cells of a row with `text` in the cell of depth d.
std::string DescendantRowCells(int depth, std::string_view text);

struct DescendantsResult {
  bool completed = false;  // false when cancelled (the document is then dropped)
  bool truncated = false;  // the chart was cut short at the document's size limit
  int descendants = 0;     // distinct persons printed below the root
  int deepest = 0;         // the deepest depth reached (0: the root alone)
  std::string title;       // the preview window's title while the chart is shown
  std::string summary;     // "... has N recorded descendants in G generations"
};

// Writes the chart of `root` into `doc` (whose paper, orientation and margins
// are already set) over the options' number of generations, taken into 1..12.
// A person and his or her dates, and a partner with the marriage, each stay
// on one page. A child who is already on the line of descent being printed
// (a damaged tree's cycle) is left out there.
// `progress` hears the preview's messages (the name of each person printed,
// "Page " and the page count); it and s.CancelFlag can stop the run, which
// then abandons the document.
DescendantsResult PrintDescendants(Session& s, PageDocument& doc, const TextMeasure& measure, const ChartOptions& o,
                                   std::int16_t root, const Progress& progress = {});

}  // namespace vft::print
