#include "print/preview_model.h"

#include <algorithm>
#include <charconv>
#include <utility>
#include <cmath>

#include "common/cp1252.h"
#include "print/family_names.h"
#include "print/family_sheet.h"
#include "relations/person_io.h"
#include "store/ini.h"

namespace vft::print {
namespace {

constexpr std::string_view kItem1Captions[item1::Count] = {"Person number",
                                                           "Todays date",
                                                           "Sex",
                                                           "Birth and death dates",
                                                           "Birth and death dates",
                                                           "Date of birth",
                                                           "Date of death",
                                                           "Age",
                                                           "Place of birth",
                                                           "Baptism data",
                                                           "Place of death",
                                                           "Burial/Crem. data",
                                                           "Occupation",
                                                           "Current address",
                                                           "Phone",
                                                           "",
                                                           "Children",
                                                           "Partners",
                                                           "Marriage date(s)",
                                                           "Marriage notes",
                                                           "Source",
                                                           "Notes",
                                                           "Page numbers",
                                                           "Print break line after each person",
                                                           "Print to file"};

constexpr std::string_view kItem3Captions[item3::Count] = {
    "Name",          "Person number",   "Todays date",    "Page numbers",
    "Date of birth", "Date of death",   "Place of birth", "Place of death",
    "Partners",      "Print heading",   "Print to File",  "Print break line after each person",
    "Sex",           "Marriage details"};

std::string family_term(const Session& s) { return s.Messages[msg::FamNameLabel]; }

void show(std::array<BoxState, item3::Count>& boxes, std::initializer_list<int> which, bool on) {
  for (int i : which) boxes[static_cast<std::size_t>(i)].visible = on;
}

void hide(std::array<BoxState, item1::Count>& boxes, std::initializer_list<int> which) {
  for (int i : which) boxes[static_cast<std::size_t>(i)].visible = false;
}

// The leading whole number of a typed text, as the preview reads its boxes;
// false when the text does not start with one.
bool leading_number(std::string_view text, long& out) {
  std::string t = cp1252::trim(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
  if (i >= t.size() || t[i] < '0' || t[i] > '9') return false;
  long v = 0;
  for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) v = std::min(v * 10 + (t[i] - '0'), 10000000L);
  out = negative ? -v : v;
  return true;
}

// Sizes the font dialog gives may have a fraction ("8.25").
std::string size_text(double points) {
  double rounded = std::round(points * 100) / 100;
  if (rounded == std::floor(rounded)) return std::to_string(static_cast<long>(rounded));
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed, 2);
  if (ec != std::errc()) return "10";
  std::string t(buf, end);  // "8.25", "8.50": locale-free, unlike printf
  while (!t.empty() && t.back() == '0') t.pop_back();
  return t;
}

bool add_panel_choices(std::vector<IniValue>& values, int request, SortBy sort, ListFormat format) {
  std::string_view section = PrintSection(request);
  if (section.empty()) return false;
  values.push_back({std::string(section), "SortBy", std::to_string(static_cast<int>(sort))});
  values.push_back({std::string(section), "Format", std::to_string(static_cast<int>(format))});
  return true;
}

}  // namespace

ItemGroup GroupOf(int request) {
  return request == request::DataSheet || request == request::ListAll ? ItemGroup::Sheet : ItemGroup::Chart;
}

std::string_view Item1Caption(int index) {
  return index >= 0 && index < item1::Count ? kItem1Captions[index] : std::string_view();
}
std::string_view Item3Caption(int index) {
  return index >= 0 && index < item3::Count ? kItem3Captions[index] : std::string_view();
}

ItemPanel BuildItemPanel(const Session& s, int request) {
  ItemPanel p;
  p.request = request;
  p.group = GroupOf(request);
  for (int i = 0; i < item1::Count; ++i) {
    BoxState& b = p.sheet[static_cast<std::size_t>(i)];
    b.caption = kItem1Captions[i];
    // Box 15 only keeps the numbering; the break line belongs to the lists.
    b.visible = p.group == ItemGroup::Sheet && i != item1::Hidden && i != item1::BreakLine;
  }
  for (int i = 0; i < item3::Count; ++i) {
    BoxState& b = p.chart[static_cast<std::size_t>(i)];
    b.caption = kItem3Captions[i];
    // The name is always printed: its box is shown ticked and fixed.
    b.visible = p.group == ItemGroup::Chart && i < item3::PrintHeading;
    b.enabled = i != item3::Name;
  }
  auto& c = p.chart;
  const std::string person = DisplayName(s, s.Rel.Selected);
  switch (request) {
    case request::DataSheet:
      p.sheet[item1::BaptismData].caption = s.Messages[msg::BaptisedLabel] + " data";
      // The sheet always has the place of death and the interment, and
      // is never a file.
      hide(p.sheet,
           {item1::BirthAndDeath, item1::BirthAndDeath2, item1::PlaceOfDeath, item1::BurialData, item1::PrintToFile});
      p.title = "Print Data Sheet for " + person;
      p.preview_waits = true;
      break;
    case request::Descendants:
      c[item3::BreakLine].caption = "Colour";
      show(c, {item3::BreakLine, item3::MarriageDetails}, true);
      p.generations = true;
      p.heading_choice = true;
      p.title = "Set Items to Include in Descendants Chart";
      break;
    case request::Pedigree:
      show(c, {item3::PrintHeading}, true);
      show(c, {item3::Partners}, false);  // the parents' marriages are always there
      c[item3::Name].enabled = true;
      p.title = "Set items to include in pedigree chart";
      break;
    case request::ListAll:
      p.sort = true;
      p.sheet[item1::BreakLine].visible = true;
      hide(p.sheet, {item1::BirthAndDeath, item1::BirthAndDeath2, item1::PrintToFile});
      p.title = "Set Items to Include in List of All Recorded People";
      break;
    case request::FamilyList:
      p.sort = true;
      c[item3::DateOfBirth].caption = "Birth and death dates";
      c[item3::DateOfDeath].caption = "Age";
      show(c, {item3::Name, item3::PlaceOfBirth, item3::PlaceOfDeath, item3::Partners, item3::PrintToFile}, false);
      show(c, {item3::BreakLine, item3::Sex}, true);
      p.family_name = true;
      p.title = FamilyListTitle(s.Rel.Selected.FamName);
      break;
    case request::TimeLine:
      show(c, {item3::PrintHeading}, true);
      // Every dated event is on the time line, by date alone.
      show(c,
           {item3::Name, item3::DateOfBirth, item3::DateOfDeath, item3::PlaceOfBirth, item3::PlaceOfDeath,
            item3::Partners},
           false);
      c[item3::Name].enabled = false;
      p.title = "Set Items to Include in Time Line";
      p.starts_at_once = true;
      break;
    case request::FamilyNames:
      show(c, {item3::PrintHeading, item3::PrintToFile}, true);
      show(c,
           {item3::Name, item3::PersonNumber, item3::DateOfBirth, item3::DateOfDeath, item3::PlaceOfBirth,
            item3::PlaceOfDeath, item3::Partners},
           false);
      p.select_all = false;
      p.list_format = true;
      p.title = "Set Items to Include in List of " + family_term(s) + "s";
      break;
    case request::FamilyData:
      c[item3::PrintHeading].caption = "Print blank form";
      show(c, {item3::PrintHeading}, true);
      // The form has room for every field: what it offers is the person
      // numbers, the date, the page numbers and the blank form.
      show(c,
           {item3::Name, item3::DateOfBirth, item3::DateOfDeath, item3::PlaceOfBirth, item3::PlaceOfDeath,
            item3::Partners},
           false);
      p.select_all = false;
      p.printer_button = false;
      p.close_button = false;
      p.title = "Set Items to Include in Family Data Sheet";
      break;
    default: break;
  }
  return p;
}

std::string FamilyListTitle(std::string_view family_name) {
  return "Set Items to Include in List of " + cp1252::trim(family_name) + "s";
}

bool FourColumnsAllowed(double font_points) {
  if (!(font_points >= 1)) font_points = 10;
  return font_points < 11;
}

bool SavesToFile(int request, bool print_to_file) { return request == request::FamilyNames && print_to_file; }

PrintCaptions PrintButtonCaptions(int request, bool print_to_file) {
  if (SavesToFile(request, print_to_file)) return {"Print to File", "&Prnt to File"};
  return {"&Print", "&Print"};
}

PagingButtons PagingEnabled(int page, int page_count) {
  PagingButtons b;
  b.prev = b.first = page > 1;
  b.next = b.last = page >= 1 && page < page_count;
  return b;
}

std::string PageLabel(int page, int page_count, int first_number) {
  return "Page " + std::to_string(page + first_number - 1) + "/" + std::to_string(page_count + first_number - 1);
}

GoToCheck CheckGoTo(std::string_view text, int first_number, int page_count) {
  GoToCheck g;
  const long first = first_number;
  const long last = static_cast<long>(first_number) + page_count - 1;
  long v = 0;
  if (page_count >= 1 && leading_number(text, v) && v >= first && v <= last) {
    g.ok = true;
    g.page = static_cast<int>(v - first + 1);
    return g;
  }
  g.title = "Go To Page";
  g.text = "Page Number Must be between " + std::to_string(first) + " and " + std::to_string(last);
  return g;
}

int ZoomIn(int percent) { return std::min(percent + kZoomStep, kMaxZoom); }
int ZoomOut(int percent) { return std::max(percent - kZoomStep, kMinZoom); }
std::string ZoomLabel(int percent) { return "Zoom " + std::to_string(percent) + "%"; }

int InitialZoom(double screen_width_twips) {
  if (screen_width_twips > 12000) return 60;
  if (screen_width_twips == 12000) return 45;
  return 35;
}

std::string FontLabel(const Font& f) {
  std::string out = "Font: " + f.name + " " + size_text(f.size) + " Pts.";
  if (f.bold) out += " Bold ";
  if (f.italic) out += " Italic";
  return out;
}

std::string_view OrientationName(Orientation o) { return o == Orientation::Landscape ? "Landscape" : "Portrait"; }

std::string StatusHint(int index, std::string_view text) {
  if (index == 0) return "Printer - " + std::string(text);
  if (index == 1) return "Paper Size - " + std::string(text);
  return std::string(text);
}

std::string PreviewTitle(const Session& s, int request) {
  if (request == request::FamilyNames) return "Print " + family_term(s) + "s List";
  if (request == request::TimeLine) return "Print Time Line";
  return {};
}

Message NoPartnersMessage(const Session& s, const PersonRecord& p) {
  if (p.NumPartners > 0) return {};
  Message m;
  m.title = "Print a Family Data Sheet";
  m.text = NoPartnersText(s, p);
  m.buttons = Buttons::OK;
  m.icon = Icon::Information;
  return m;
}

Message FamilyNamesSavedMessage(const Session& s, std::string_view file_name) {
  Message m;
  m.title = "Save Family Names to File";
  m.text = SavedFamilyNamesText(s, std::string(file_name));
  m.buttons = Buttons::OK;
  m.icon = Icon::Information;
  return m;
}

Message FamilyNamesNotSavedMessage(std::string_view file_name) {
  Message m;
  m.title = "Save Family Names to File";
  m.text = "The list could not be saved as " + std::string(file_name) + CrLf +
           "Check that the folder exists and that you may write to it.";
  m.buttons = Buttons::OK;
  m.icon = Icon::Critical;
  return m;
}

namespace {
// The one-family list's boxes: chart box -> sheet item.
constexpr std::pair<int, int> kFamilyListBoxes[] = {{item3::PersonNumber, item1::PersonNumber},
                                                    {item3::TodaysDate, item1::TodaysDate},
                                                    {item3::PageNumbers, item1::PageNumbers},
                                                    {item3::DateOfBirth, item1::BirthAndDeath},
                                                    {item3::DateOfDeath, item1::Age},
                                                    {item3::BreakLine, item1::BreakLine},
                                                    {item3::Sex, item1::Sex}};
}  // namespace

void ChartBoxesToSheet(const ChartOptions& chart, SheetOptions& sheet) {
  for (auto [box, item] : kFamilyListBoxes) sheet.items[static_cast<std::size_t>(item)] = chart.ticked(box);
  sheet.items[item1::BirthAndDeath2] = sheet.items[item1::BirthAndDeath];
}

void SheetToChartBoxes(const SheetOptions& sheet, ChartOptions& chart) {
  for (auto [box, item] : kFamilyListBoxes) chart.items[static_cast<std::size_t>(box)] = sheet.ticked(item);
}

PanelSettings LoadPanelSettings(const Session& s, int request) {
  return LoadPanelSettingsFrom(s.settings_file(), request);
}

PanelSettings LoadPanelSettingsFrom(const std::string& settings_file, int request) {
  PanelSettings p;
  p.chart = LoadChartOptionsFrom(settings_file, request);
  p.sheet = LoadSheetOptionsFrom(settings_file, request);
  if (request == request::FamilyList) SheetToChartBoxes(p.sheet, p.chart);
  return p;
}

PanelSettings ForGenerators(PanelSettings p) {
  if (p.chart.request == request::FamilyList) ChartBoxesToSheet(p.chart, p.sheet);
  return p;
}

bool SavePanelSettings(Session& s, PanelSettings p) {
  const int request = p.chart.request;
  p.sheet.request = request;
  if (PrintSection(request).empty()) return false;
  if (request == request::FamilyList) ChartBoxesToSheet(p.chart, p.sheet);
  // Everything the panel holds in one rewrite of the settings file.
  std::vector<IniValue> values;
  if (GroupOf(request) == ItemGroup::Sheet || request == request::FamilyList) {
    AddSheetOptions(values, p.sheet);
    AddPageSettings(values, p.chart, size_text(p.chart.font.size));
  } else {
    AddChartOptions(values, p.chart);
    if (request == request::FamilyNames) add_panel_choices(values, request, p.sheet.sort, p.sheet.format);
  }
  return IniWriteMany(s, values) == 1;
}

SortBy LoadSortBy(const Session& s, int request) {
  return IniReadInt(s, std::string(PrintSection(request)), "SortBy") == 1 ? SortBy::Name : SortBy::Number;
}

ListFormat LoadListFormat(const Session& s, int request) {
  switch (IniReadInt(s, std::string(PrintSection(request)), "Format")) {
    case 1: return ListFormat::FourColumns;
    case 2: return ListFormat::ThreeColumns;
    default: return ListFormat::Comma;
  }
}

bool SavePanelChoices(Session& s, int request, SortBy sort, ListFormat format) {
  std::vector<IniValue> values;
  return add_panel_choices(values, request, sort, format) && IniWriteMany(s, values) == 1;
}

bool SavePageSettings(Session& s, const ChartOptions& o) {
  if (PrintSection(o.request).empty()) return false;
  std::vector<IniValue> values;
  AddPageSettings(values, o, size_text(o.font.size));
  return IniWriteMany(s, values) == 1;
}

}  // namespace vft::print
