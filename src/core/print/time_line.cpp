#include "print/time_line.h"

#include <algorithm>
#include <cstdio>

#include "common/cp1252.h"
#include "common/messages.h"
#include "print/chart_text.h"
#include "relations/lookups.h"
#include "store/date_parse.h"
#include "store/date_words.h"

namespace vft::print {
namespace {

// Adds the event when `date` is a complete calendar date; a year alone or a
// date with unknown parts has no place on the time line.
void add(std::vector<TimeLineEvent>& out, const Session& s, const std::string& date, EventKind kind,
         std::int16_t person, std::int16_t partner = 0) {
  const std::string text = cp1252::trim(date);
  if (text.empty()) return;
  auto d = ParseCompleteDate(text, s.MonthFirst);
  if (!d || d->year < 1 || d->year > 9999) return;
  char key[16];
  std::snprintf(key, sizeof key, "%04d%02d%02d", d->year, d->month, d->day);
  out.push_back({key, kind, person, partner});
}

std::string name_of(const Session& s, const AllPersons& all, std::int16_t n, bool numbers) {
  const PersonRecord* p = all.find(n);
  std::string name = p ? FullName(s, *p) : s.Messages[msg::Unknown];
  if (p && numbers) name += "  (#" + std::to_string(n) + ")";
  return name;
}

}  // namespace

std::vector<TimeLineEvent> GatherTimeLine(const Session& s, const AllPersons& all) {
  std::vector<TimeLineEvent> out;
  for (const PersonRecord& p : all.persons()) {
    add(out, s, p.BirthDate, EventKind::Birth, p.PerNum);
    add(out, s, p.DOBap, EventKind::Baptism, p.PerNum);
    add(out, s, p.DeathDate, EventKind::Death, p.PerNum);
    add(out, s, p.InterDate, EventKind::Interment, p.PerNum);
  }
  const int families = FamilyCount(s);
  for (int m = 1; m <= families; ++m) {
    const MarriageRecord& f = s.family(m);
    if (f.Husband < 1 && f.Wife < 1) continue;
    add(out, s, all.ceremony(static_cast<std::int16_t>(m)).MarriedDate, EventKind::Marriage, f.Husband, f.Wife);
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const TimeLineEvent& a, const TimeLineEvent& b) { return a.key < b.key; });
  return out;
}

std::string TimeLineText(const Session& s, const AllPersons& all, const TimeLineEvent& e, bool numbers) {
  const std::string name = name_of(s, all, e.person, numbers);
  switch (e.kind) {
    case EventKind::Birth: return "Birth of " + name;
    case EventKind::Baptism: return s.Messages[msg::BaptisedLabel] + "  of " + name;
    case EventKind::Death: return "Death  of " + name;
    case EventKind::Interment: return "Interment of " + name;
    case EventKind::Marriage: return "Marriage of " + name + " and " + name_of(s, all, e.partner, numbers);
  }
  return {};
}

std::string TimeLineDate(const std::string& key) {
  if (key.size() != 8) return key;
  auto num = [&](std::size_t at, std::size_t len) { return std::stoi(key.substr(at, len)); };
  return DayMonthYear(num(0, 4), num(4, 2), num(6, 2));
}

PrintResult PrintTimeLine(Session& s, PageDocument& doc, const ChartOptions& o, const Progress& progress) {
  PrintResult r;
  r.title = "Print Time Line";
  if (progress && !progress("Gathering Dates", 0)) return r;
  const AllPersons all(s);
  if (s.CancelFlag) return r;
  if (progress && !progress("Sorting", 0)) return r;
  const std::vector<TimeLineEvent> events = GatherTimeLine(s, all);
  if (progress && !progress("Preparing Pages", 0)) return r;

  const Font body = doc.font();
  Font heading_font = body;
  heading_font.bold = true;
  heading_font.size = body.size * 1.3;
  const std::string date = o.ticked(item3::TodaysDate) ? PrintedDate(s.now()) : std::string();
  const double date_column = doc.text_width("XX XXX XXXX") + 2 * kCellPadding;
  const double event_column = std::max(1000.0, doc.page_width() - doc.margin_left() - doc.margin_right() - date_column);
  const std::string format =
      std::to_string(static_cast<long>(date_column)) + "|" + std::to_string(static_cast<long>(event_column)) + "|~";
  doc.set_header("");
  doc.set_footer(o.ticked(item3::PageNumbers) ? "|Page %d|" : "");
  doc.set_page_start_handler([&](int page) {
    if (progress) progress("Page " + std::to_string(page), page);
    if (o.heading_on(page)) {
      WriteChartHeading(doc, kTimeLineTitle, heading_font, date);
      doc.set_current_y(doc.current_y() + doc.text_height("X") / 2);
    }
    // The column words stand over their columns.
    Font bold = body;
    bold.bold = true;
    doc.set_font(bold);
    doc.add_table_row(format, kTimeLineColumns);
    doc.set_font(body);
    doc.set_current_y(doc.current_y() + doc.text_height("X") / 2);
  });
  doc.start_doc();

  const bool numbers = o.ticked(item3::PersonNumber);
  bool cancelled = false;
  long count = 0;
  std::string cells;
  for (const TimeLineEvent& e : events) {
    if (s.CancelFlag || (progress && !progress("Preparing Pages", count))) {
      cancelled = true;
      break;
    }
    if (doc.truncated()) break;
    cells = NoBreak(TimeLineDate(e.key)) + "|" + CellText(TimeLineText(s, all, e, numbers));
    doc.add_table_row(format, cells);
    ++count;
  }
  doc.set_page_start_handler(nullptr);
  if (cancelled) {
    doc.kill_doc();
  } else {
    r.truncated = doc.truncated();
    doc.end_doc();
    r.completed = true;
  }
  doc.set_footer("");
  return r;
}

}  // namespace vft::print
