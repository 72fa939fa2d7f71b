// One entry point for every printout: the preview window and `vft print`
// fill a PrintRequest and get a finished page document (or a text, for the
// family-names list saved to a file) from the generator the request code
// names.
#pragma once
#include <cstdint>
#include <string>

#include "print/chart_options.h"
#include "print/page_document.h"
#include "print/sheet_options.h"
#include "store/session.h"

namespace vft::print {

struct PrintRequest {
  int request = request::Descendants;  // 1..8
  ChartOptions chart;                  // the first item array and the chart settings
  SheetOptions sheet;                  // the second item array and the list settings
  std::int16_t person = 0;             // the selected person
  std::int16_t partner = 0;            // request 8: the displayed partner (0: none)
  bool blank_form = false;             // request 8: the blank family data form
  // Which options each generator reads: requests 1, 4 and 5 take their
  // item boxes from `sheet` (request 5 also its family name, 4 and 5 the
  // sort order); 2, 3, 6, 7 and 8 take theirs from `chart` (7 its format
  // from `sheet`, "Print to File" from chart box 10); the lists take the
  // heading pages from `chart`. Font, margins and orientation always come
  // from `chart`.
};

struct PrintResult {
  bool completed = false;  // false when cancelled or refused (a box said why)
  bool truncated = false;  // cut short at the document's size limit
  std::string title;       // the preview window's title while it is shown
  std::string summary;     // the label under the preview, when the generator has one
  // Request 7 with "Print to File": the list as text instead of pages
  // (CP1252, lines ending in CR LF; the front end chooses the file's encoding).
  bool as_text = false;
  std::string text;
};

// Runs the generator of r.request into `doc` (font, margins and orientation
// are applied from the options first). Questions and refusals go through
// s.prompter; `progress` and s.CancelFlag can stop the run.
PrintResult RunPrintRequest(Session& s, PageDocument& doc, const TextMeasure& measure, const PrintRequest& r,
                            const Progress& progress = {});

}  // namespace vft::print
