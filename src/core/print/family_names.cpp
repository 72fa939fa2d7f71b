#include "print/family_names.h"

#include <algorithm>

#include "common/cp1252.h"
#include "common/messages.h"
#include "print/chart_text.h"
#include "print/sheet_text.h"
#include "store/records.h"

namespace vft::print {
namespace {

int columns_of(ListFormat f) { return f == ListFormat::FourColumns ? 4 : f == ListFormat::ThreeColumns ? 3 : 1; }

}  // namespace

std::vector<std::string> CollectFamilyNames(const Session& s) {
  const AllPersons all(s);
  std::vector<std::string> names;
  names.reserve(all.persons().size());
  for (const PersonRecord& p : all.persons()) {
    std::string name = cp1252::trim(display_famname(s, p));
    if (!name.empty()) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

ListFormat EffectiveListFormat(ListFormat wanted, double points) {
  if (points < 1) points = 10;
  if (wanted == ListFormat::FourColumns && points >= 11) return ListFormat::ThreeColumns;
  return wanted;
}

std::string FamilyNamesText(const std::vector<std::string>& names, ListFormat format) {
  std::string out;
  if (format == ListFormat::Comma) {
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (i) out += ", ";
      out += names[i];
    }
    if (!names.empty()) out += CrLf;
    return out;
  }
  const std::size_t columns = static_cast<std::size_t>(columns_of(format));
  std::size_t width = 0;
  for (const std::string& n : names) width = std::max(width, n.size());
  width += 2;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const bool last_in_row = (i + 1) % columns == 0 || i + 1 == names.size();
    out += names[i];
    if (last_in_row) out += CrLf;
    else out.append(width - names[i].size(), ' ');
  }
  return out;
}

std::string SaveFamilyNamesTitle(const Session& s) { return "Save List of " + s.Messages[msg::FamNameLabel] + "s"; }

std::string SavedFamilyNamesText(const Session& s, const std::string& file_name) {
  return "The list of " + s.Messages[msg::FamNameLabel] + "s has been saved  as " + file_name;
}

PrintResult PrintFamilyNames(Session& s, PageDocument& doc, const ChartOptions& chart, const SheetOptions& sheet,
                             const Progress& progress) {
  PrintResult r;
  r.title = "Print " + s.Messages[msg::FamNameLabel] + "s List";
  if (progress && !progress("Preparing Pages", 0)) return r;
  const std::vector<std::string> names = CollectFamilyNames(s);
  if (s.CancelFlag) return r;
  const ListFormat format = EffectiveListFormat(sheet.format, doc.font().size);
  if (chart.ticked(item3::PrintToFile)) {
    r.as_text = true;
    r.text = FamilyNamesText(names, format);
    r.completed = true;
    return r;
  }

  const Font body = doc.font();
  Font heading_font = body;
  heading_font.bold = true;
  heading_font.size = body.size * 1.3;
  const std::string date = chart.ticked(item3::TodaysDate) ? PrintedDate(s.now()) : std::string();
  doc.set_header("");
  doc.set_footer(chart.ticked(item3::PageNumbers) ? "|Page %d|" : "");
  doc.set_page_start_handler([&](int page) {
    if (progress) progress("Page " + std::to_string(page), page);
    if (!chart.heading_on(page)) return;
    WriteChartHeading(doc, "List of " + s.Messages[msg::FamNameLabel] + "s", heading_font, date);
    doc.set_current_y(doc.current_y() + doc.text_height("X") / 2);
  });
  doc.start_doc();
  if (format == ListFormat::Comma) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) text += (i ? ", " : "") + names[i];
    if (!text.empty()) doc.write_paragraph(text);
  } else {
    const int columns = columns_of(format);
    const double width = doc.page_width() - doc.margin_left() - doc.margin_right();
    const long column = std::max(200L, static_cast<long>(width / columns));
    std::string fmt;
    for (int c = 0; c < columns; ++c) fmt += std::to_string(column) + "|";
    fmt += "~";
    std::string cells;
    for (std::size_t i = 0; i < names.size() && !doc.truncated(); ++i) {
      if (i % static_cast<std::size_t>(columns)) cells += '|';
      cells += CellText(names[i]);
      if ((i + 1) % static_cast<std::size_t>(columns) == 0 || i + 1 == names.size()) {
        doc.add_table_row(fmt, cells);
        cells.clear();
      }
    }
  }
  doc.set_page_start_handler(nullptr);
  r.truncated = doc.truncated();
  doc.end_doc();
  doc.set_footer("");
  r.completed = true;
  return r;
}

}  // namespace vft::print
