// The pedigree chart: a person's ancestors over five generations on one page,
// left to right: the person, the parents, the grandparents, and so on. Every
// generation splits the page's height into equal bands, one per position, and
// each person is written into the band of his or her position, above and
// below a line that joins the two parents' bands.
//
//   ChartOptions o = LoadChartOptions(s, request::Pedigree);
//   ApplyChartOptions(doc, o);
//   PedigreeResult r = PrintPedigree(s, doc, measure, o, person, progress);
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "print/chart_options.h"
#include "print/page_document.h"
#include "store/session.h"

namespace vft::print {

inline constexpr int kPedigreeGenerations = 5;
inline constexpr int kAncestorSlots = 17;  // the widest generation uses 16
inline constexpr double kPedigreePen = 10;

// Person numbers by generation g (0..4) and position p: the person at (0, 0),
// the father of (g - 1, q) at (g, 2q) and the mother at (g, 2q + 1); 0 where
// nobody is recorded. A parent already on the line down to the person (a
// damaged tree's cycle) is not recorded again.
using AncestorTable = std::array<std::array<std::int16_t, kAncestorSlots>, kPedigreeGenerations>;
AncestorTable FillAncestors(const Session& s, std::int16_t person);

// `text` as it fits one line `width` twips wide: whole when it fits, else
// cut at its last blank that leaves room for ".." after it (".." alone at the
// very least). No-break blanks never cut, so a date is kept whole or dropped.
std::string FitChartText(std::string_view text, double width, const Font& font, const TextMeasure& measure);

// The line about the marriage of p's parents: "Not Married", "Married on " +
// date + ".", or "Married on " + date + " - Div." (what follows "on" is
// glued with no-break blanks); empty when p has no
// recorded father or the parents' family is not there.
std::string ParentsMarriageLine(const Session& s, std::int16_t p);

struct PedigreeResult {
  bool completed = false;  // false when cancelled or the person cannot be read
  int persons = 0;         // persons placed on the chart
  std::string title;       // the preview window's title while the chart is shown
  std::string summary;     // what did not fit, if anything: shown under the preview
};

// Writes the one-page chart of `person` into `doc` (whose paper, orientation
// and margins are already set). Texts wrap within their columns; a band
// grows where its texts need the room. The cancel flag and `progress` are heard once
// per generation; a cancelled run abandons the document.
PedigreeResult PrintPedigree(Session& s, PageDocument& doc, const TextMeasure& measure, const ChartOptions& o,
                             std::int16_t person, const Progress& progress = {});

}  // namespace vft::print
