#include "print/print_request.h"

#include "print/descendants_chart.h"
#include "print/pedigree_chart.h"

namespace vft::print {

PrintResult RunPrintRequest(Session& s, PageDocument& doc, const TextMeasure& measure, const PrintRequest& r,
                            const Progress& progress) {
  PrintResult out;
  ApplyChartOptions(doc, r.chart);
  switch (r.request) {
    case request::Descendants: {
      DescendantsResult d = PrintDescendants(s, doc, measure, r.chart, r.person, progress);
      out.completed = d.completed;
      out.truncated = d.truncated;
      out.title = d.title;
      out.summary = d.summary;
      break;
    }
    case request::Pedigree: {
      PedigreeResult p = PrintPedigree(s, doc, measure, r.chart, r.person, progress);
      out.completed = p.completed;
      out.title = p.title;
      break;
    }
    default:
      break;
  }
  return out;
}

}  // namespace vft::print
