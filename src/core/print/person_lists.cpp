#include "print/person_lists.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "common/cp1252.h"
#include "print/chart_text.h"
#include "print/person_entry.h"
#include "print/sheet_text.h"

namespace vft::print {
namespace {

// Room left under a break line before the next entry (twips).
constexpr double kBreakGap = 60;

std::vector<const PersonRecord*> chosen(const AllPersons& all, int request, const std::string& name) {
  std::vector<const PersonRecord*> out;
  out.reserve(all.persons().size());
  for (const PersonRecord& p : all.persons())
    if (request != request::FamilyList || cp1252::iequals(cp1252::trim(p.FamName), name)) out.push_back(&p);
  return out;
}

void sort_by_name(std::vector<const PersonRecord*>& list) {
  std::vector<std::pair<std::string, const PersonRecord*>> keyed;
  keyed.reserve(list.size());
  for (const PersonRecord* p : list)
    keyed.emplace_back(cp1252::trim(p->FamName) + "|" + cp1252::trim(p->GivenNames), p);
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < keyed.size(); ++i) list[i] = keyed[i].second;
}

void break_line(PageDocument& doc) {
  const double y = doc.current_y();
  doc.set_pen_width(0);
  doc.draw_line(doc.margin_left(), y, doc.page_width() - doc.margin_right(), y);
  doc.set_current_y(y + kBreakGap);
}

// The one-family list's short entry.
void compact_entry(const Session& s, PageDocument& doc, const SheetOptions& o, const PersonRecord& p) {
  std::string number = o.ticked(item1::PersonNumber) ? "#" + std::to_string(p.PerNum) + ", " : std::string();
  WriteSheetRow(doc, RowLayout::LabelValue, number + ListName(s, p), o.ticked(item1::Sex) ? SexText(p) : "");
  const bool dates = o.ticked(item1::BirthAndDeath) || o.ticked(item1::BirthAndDeath2);
  std::string life = LifeDates(s, p, dates, dates, o.ticked(item1::Age));
  if (!life.empty()) WriteSheetRow(doc, RowLayout::LabelValue, life);
}

// Measures entries on a page of their own before they are written, so that
// an entry that fits on a page is never split between two: a name at the
// foot of one page with its dates and children over the leaf reads badly.
class EntryKeeper {
 public:
  EntryKeeper(const TextMeasure& measure, const PageDocument& doc) : scratch_(measure) {
    scratch_.set_paper_code(doc.paper_code());
    if (doc.paper_code() == kPaperUserDefined) scratch_.set_page_size(doc.page_width(), doc.page_height());
    scratch_.set_orientation(doc.orientation());
    scratch_.set_margin_left(doc.margin_left());
    scratch_.set_margin_right(doc.margin_right());
    scratch_.set_margin_top(doc.margin_top());
    scratch_.set_margin_bottom(doc.margin_bottom());
    scratch_.set_font(doc.font());
  }
  PageDocument& scratch() {
    scratch_.start_doc();
    return scratch_;
  }
  // Starts a new page in `doc` when the entry just written into scratch()
  // does not fit under the current position but would on a page of its own
  // (a page's content starts at `content_top`).
  void make_room(PageDocument& doc, double content_top) {
    const bool whole = scratch_.page_count() == 1;
    const double height = scratch_.current_y() - scratch_.margin_top();
    const double bottom = doc.page_height() - doc.margin_bottom();
    if (whole && doc.current_y() + height > bottom && content_top + height <= bottom && doc.current_y() > content_top)
      doc.new_page();
  }

 private:
  PageDocument scratch_;
};

}  // namespace

std::string FamilyListHeading(const std::string& family_name) { return "List of " + family_name + "'s"; }

std::string UnknownFamilyNameText(const std::string& family_name) {
  return "Vorlan Family Tree couldn't find the Family Name " + family_name;
}

PrintResult PrintPersonList(Session& s, PageDocument& doc, int request, const ChartOptions& chart,
                            const SheetOptions& sheet, const Progress& progress) {
  PrintResult r;
  const bool one_family = request == request::FamilyList;
  const std::string name = cp1252::trim(sheet.family_name);
  if (progress && !progress("Sorting", 0)) return r;

  const AllPersons all(s);
  std::vector<const PersonRecord*> list = chosen(all, request, name);
  if (one_family && (name.empty() || list.empty())) {
    s.ask("Problem", UnknownFamilyNameText(name), Buttons::OK, Icon::Exclamation);
    return r;
  }
  if (sheet.sort == SortBy::Name) sort_by_name(list);

  const std::string title = one_family ? FamilyListHeading(name) : kListAllHeading;
  r.title = "Print " + title;
  if (progress && !progress("Preparing List", 0)) return r;

  const Font body = doc.font();
  Font heading_font = body;
  heading_font.bold = true;
  heading_font.size = body.size * 1.3;
  const std::string date = sheet.ticked(item1::TodaysDate) ? PrintedDate(s.now()) : std::string();
  doc.set_header("");
  doc.set_footer(sheet.ticked(item1::PageNumbers) ? "|Page %d|" : "");
  double content_top = 0;
  doc.set_page_start_handler([&](int page) {
    if (progress) progress("Page " + std::to_string(page), page);
    if (chart.heading_on(page)) {
      WriteChartHeading(doc, title, heading_font, date);
      doc.set_current_y(doc.current_y() + doc.text_height("X") / 2);
    }
    content_top = doc.current_y();
  });
  EntryKeeper keeper(doc.measure(), doc);
  doc.start_doc();

  const bool breaks = sheet.ticked(item1::BreakLine);
  auto write_entry = [&](PageDocument& to, const PersonRecord& p) {
    if (one_family) compact_entry(s, to, sheet, p);
    else PersonEntryWriter(s, to, sheet, all, EntryStyle::ListAll).write(p);
    if (breaks) break_line(to);
  };
  long count = 0;
  bool cancelled = false;
  for (const PersonRecord* p : list) {
    if (s.CancelFlag || (progress && !progress("Preparing List", count))) {
      cancelled = true;
      break;
    }
    if (doc.truncated()) break;
    write_entry(keeper.scratch(), *p);
    keeper.make_room(doc, content_top);
    write_entry(doc, *p);
    ++count;
  }
  doc.set_page_start_handler(nullptr);
  if (cancelled) {
    doc.kill_doc();
    doc.set_footer("");
    return r;
  }
  WriteSheetRow(doc, RowLayout::LabelValue, std::to_string(count) + " People Listed");
  r.truncated = doc.truncated();
  doc.end_doc();
  doc.set_footer("");
  r.completed = true;
  return r;
}

}  // namespace vft::print
