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
#include <vector>

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

// "Anna Maria Louise Smith" as "Anna M. L. Smith": the given names after
// the first cut to their initials, the family name kept whole.
std::string MiddleInitials(const Session& s, const PersonRecord& p);

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
// and margins are already set). Where the texts need more room than the
// bands give, the chart first lets bands with room to spare give it up, then
// shortens long names to initials, then uses smaller sizes (never below the
// smallest), then closer spacing and the shortest names. A line that still
// finds no room is left out only with a mark by the person's name and a note
// at the foot of the page naming whose data sheet holds it; the note is also
// the summary. The cancel flag and `progress` are heard once per generation;
// a cancelled run abandons the document.
PedigreeResult PrintPedigree(Session& s, PageDocument& doc, const TextMeasure& measure, const ChartOptions& o,
                             std::int16_t person, const Progress& progress = {});

}  // namespace vft::print
