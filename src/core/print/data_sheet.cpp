#include "print/data_sheet.h"

#include <charconv>
#include <cmath>

#include "common/cp1252.h"
#include "common/messages.h"
#include "print/chart_text.h"
#include "print/person_entry.h"
#include "print/sheet_text.h"

namespace vft::print {
namespace {

std::string points_text(double points) {
  if (points == std::floor(points)) return std::to_string(static_cast<long>(points));
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, points);
  return ec == std::errc() ? std::string(buf, end) : std::string("?");
}

}  // namespace

std::optional<std::string> FontSizeQuestion(double page_width, double points) {
  double suggested = 0;
  if (page_width < 9000 && points > 8) suggested = 8;
  else if (points > 14 && page_width < 12000) suggested = 14;
  if (suggested == 0) return std::nullopt;
  return "The current font size setting is" + points_text(points) + " points." + CrLf +
         "It may be necessary to reduce this to " + points_text(suggested) + " points." + CrLf +
         "avoid layout problems when printing." + CrLf + " Continue anyway?";
}

PrintResult PrintDataSheet(Session& s, PageDocument& doc, const SheetOptions& o, std::int16_t person,
                           const Progress& progress) {
  PrintResult r;
  if (auto question = FontSizeQuestion(doc.page_width(), doc.font().size))
    if (s.ask(kFontQuestionTitle, *question, Buttons::YesNo, Icon::Question) != kAnswerYes) return r;

  const AllPersons all(s);
  const PersonRecord* p = all.find(person);
  if (!p) return r;
  r.title = "Print Data Sheet for " + FullName(s, *p);
  if (progress && !progress("Data Sheet", 0)) return r;
  if (s.CancelFlag) return r;

  doc.set_header("");
  doc.set_footer(o.ticked(item1::PageNumbers) ? "|Page %d|" : "");
  doc.set_page_start_handler(nullptr);
  doc.start_doc();
  const bool number = o.ticked(item1::PersonNumber), today = o.ticked(item1::TodaysDate);
  if (number || today)
    WriteSheetRow(doc, RowLayout::LabelValue, number ? "Person Number: " + std::to_string(p->PerNum) : std::string(),
                  today ? "Date: " + NoBreak(PrintedDate(s.now())) : std::string());
  PersonEntryWriter(s, doc, o, all, EntryStyle::DataSheet).write(*p);
  if (s.CancelFlag) {
    doc.kill_doc();
  } else {
    doc.end_doc();
    r.completed = true;
    r.truncated = doc.truncated();
  }
  doc.set_footer("");
  return r;
}

}  // namespace vft::print
