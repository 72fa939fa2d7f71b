#include "print/print_request.h"

#include "print/data_sheet.h"
#include "print/descendants_chart.h"
#include "print/family_names.h"
#include "print/family_sheet.h"
#include "print/pedigree_chart.h"
#include "print/person_lists.h"
#include "print/time_line.h"

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
      out.summary = p.summary;
      break;
    }
    case request::DataSheet: out = PrintDataSheet(s, doc, r.sheet, r.person, progress); break;
    case request::ListAll:
    case request::FamilyList: out = PrintPersonList(s, doc, r.request, r.chart, r.sheet, progress); break;
    case request::TimeLine: out = PrintTimeLine(s, doc, r.chart, progress); break;
    case request::FamilyNames: out = PrintFamilyNames(s, doc, r.chart, r.sheet, progress); break;
    case request::FamilyData:
      out = PrintFamilySheet(s, doc, measure, r.chart, r.person, r.partner, r.blank_form, progress);
      break;
    default: break;
  }
  return out;
}

}  // namespace vft::print
