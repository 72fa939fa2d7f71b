#include "print/chart_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "common/cp1252.h"
#include "store/file_io.h"
#include "store/ini.h"
#include "store/session.h"
#include "store/settings.h"

namespace vft::print {
namespace {

constexpr std::string_view kSections[] = {"Print Data",         "Print Descendants", "Print Pedigree",
                                          "Print All List",     "Print Family List", "Print TimeLine",
                                          "Print Family Names", "Print Family Data"};

constexpr std::string_view kItem3Keys[item3::Count] = {
    "Name",         "PersonNumber", "TodaysDate",    "PageNumbers", "DateOfBirth",    "DateOfDeath", "PlaceOfBirth",
    "PlaceOfDeath", "Partners",     "PrintHeadings", "PrintToFile", "PrintBreakLine", "Sex",         "Marriage"};

// A settings file is a few kilobytes; anything far bigger is not ours.
constexpr std::size_t kMaxSettingsFile = 4u << 20;

// The value of a key, else the default of the shipped settings file, else "".
std::string value_of(const IniFile& ini, std::string_view section, std::string_view key) {
  if (auto v = ini.find(std::string(section), std::string(key))) return *v;
  if (const SettingKey* k = FindSettingKey(section, key)) return std::string(k->default_value);
  return {};
}

int int_of(const IniFile& ini, std::string_view section, std::string_view key) {
  return ini_to_int(value_of(ini, section, key));
}

// Font sizes may be saved with a fraction ("8.25").
double size_of(const std::string& text) {
  std::string t = cp1252::trim(text);
  double v = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  (void)end;
  return ec == std::errc() && std::isfinite(v) ? v : 0;
}

std::string size_text(double points) {
  if (points == std::floor(points)) return std::to_string(static_cast<long>(points));
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, points);
  return ec == std::errc() ? std::string(buf, end) : std::string("10");
}

void add(std::vector<IniValue>& values, std::string_view section, std::string_view key, const std::string& value) {
  values.push_back({std::string(section), std::string(key), value});
}

}  // namespace

std::string_view PrintSection(int request) {
  if (request < 1 || request > 8) return {};
  return kSections[request - 1];
}

std::string_view Item3Key(int request, int index) {
  if (index < 0 || index >= item3::Count) return {};
  if (index == item3::BreakLine && request == request::Descendants) return "Colour";
  return kItem3Keys[index];
}

ChartOptions LoadChartOptions(const IniFile& ini, int request) {
  ChartOptions o;
  o.request = request;
  std::string_view section = PrintSection(request);
  for (int i = 0; i < item3::Count; ++i)
    o.items[static_cast<std::size_t>(i)] = int_of(ini, section, Item3Key(request, i)) != 0;
  int heading = int_of(ini, section, "PrintHeadings");
  o.heading = heading <= 0 ? HeadingPages::None : heading == 1 ? HeadingPages::FirstPage : HeadingPages::EveryPage;

  int g = int_of(ini, section, "Generations");
  o.generations = g >= 1 && g <= kMaxGenerations ? g : kDefaultGenerations;

  std::string name = cp1252::trim(value_of(ini, section, "FontName"));
  o.font.name = name.empty() ? "Arial" : name;
  double size = size_of(value_of(ini, section, "FontSize"));
  // A size the font dialog never gives counts as the chart's usual one.
  if (!(size >= 1 && size <= 1000)) size = request == request::Pedigree ? 8 : 10;
  o.font.size = std::max(size, kSmallestTextSize);
  o.font.bold = int_of(ini, section, "FontBold") != 0;
  o.font.italic = int_of(ini, section, "FontItalic") != 0;
  o.orientation = int_of(ini, section, "Orientation") == 1 ? Orientation::Landscape : Orientation::Portrait;

  o.margin_left = int_of(ini, kPrintingSection, "LMarg");
  o.margin_right = int_of(ini, kPrintingSection, "RMarg");
  o.margin_top = int_of(ini, kPrintingSection, "TMarg");
  o.margin_bottom = int_of(ini, kPrintingSection, "BMarg");
  o.first_page_number = int_of(ini, kPrintingSection, "StartPageNumber");
  return o;
}

ChartOptions LoadChartOptionsFrom(const std::string& settings_file, int request) {
  std::optional<Bytes> data = fileio::read_all(settings_file, kMaxSettingsFile);
  return LoadChartOptions(data ? IniFile::parse(*data) : IniFile(), request);
}

ChartOptions LoadChartOptions(const Session& s, int request) {
  return LoadChartOptionsFrom(s.settings_file(), request);
}

bool SaveChartOptions(Session& s, const ChartOptions& o) {
  std::vector<IniValue> values;
  return AddChartOptions(values, o) && IniWriteMany(s, values) == 1;
}

bool AddChartOptions(std::vector<IniValue>& values, const ChartOptions& o) {
  std::string_view section = PrintSection(o.request);
  if (section.empty()) return false;
  for (int i = 0; i < item3::Count; ++i) {
    if (i == item3::PrintHeading) continue;
    add(values, section, Item3Key(o.request, i), o.ticked(i) ? "1" : "0");
  }
  add(values, section, "PrintHeadings", std::to_string(static_cast<int>(o.heading)));
  if (o.request == request::Descendants)
    add(values, section, "Generations", std::to_string(ClampGenerations(o.generations)));
  AddPageSettings(values, o, size_text(o.font.size));
  return true;
}

void AddPageSettings(std::vector<IniValue>& values, const ChartOptions& o, const std::string& font_size) {
  std::string_view section = PrintSection(o.request);
  if (section.empty()) return;
  add(values, section, "FontName", o.font.name.empty() ? std::string("Arial") : o.font.name);
  add(values, section, "FontSize", font_size);
  add(values, section, "FontBold", o.font.bold ? "1" : "0");
  add(values, section, "FontItalic", o.font.italic ? "1" : "0");
  add(values, section, "Orientation", o.orientation == Orientation::Landscape ? "1" : "0");
  auto twips = [](double v) { return std::to_string(std::lround(v)); };
  add(values, kPrintingSection, "LMarg", twips(o.margin_left));
  add(values, kPrintingSection, "RMarg", twips(o.margin_right));
  add(values, kPrintingSection, "TMarg", twips(o.margin_top));
  add(values, kPrintingSection, "BMarg", twips(o.margin_bottom));
  add(values, kPrintingSection, "StartPageNumber", std::to_string(o.first_page_number));
}

void ApplyChartOptions(PageDocument& doc, const ChartOptions& o) {
  doc.set_orientation(o.orientation);
  Font font = o.font;
  if (font.name.empty()) font.name = "Arial";
  if (font.size >= 1 && font.size < kSmallestTextSize) font.size = kSmallestTextSize;
  doc.set_font(font);
  doc.set_first_page_number(o.first_page_number);
  // Each margin on its own may be fine while the pair leaves nothing between
  // them; then the page keeps margins it can print with.
  bool fits = o.margin_left >= 0 && o.margin_right >= 0 && o.margin_top >= 0 && o.margin_bottom >= 0 &&
              o.margin_left + o.margin_right < doc.page_width() && o.margin_top + o.margin_bottom < doc.page_height();
  double l = fits ? o.margin_left : kDefaultMargin, r = fits ? o.margin_right : kDefaultMargin;
  double t = fits ? o.margin_top : kDefaultMargin, b = fits ? o.margin_bottom : kDefaultMargin;
  doc.set_margin_left(l);
  doc.set_margin_right(r);
  doc.set_margin_top(t);
  doc.set_margin_bottom(b);
}

GenerationCheck CheckGenerations(std::string_view text) {
  GenerationCheck c;
  std::string t = cp1252::trim(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) negative = t[i++] == '-';
  long v = 0;
  for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) v = std::min(v * 10 + (t[i] - '0'), 100000L);
  if (negative) v = -v;
  c.value = static_cast<int>(std::clamp(v, -32768L, 32767L));
  if (c.value < 1) {
    c.title = "Problem";
    c.text = "You must enter the number of generations to print.  ";
  } else if (c.value > kMaxGenerations) {
    c.title = "Problem";
    c.text = std::string("You cannot print more than 12 Generations  ") + CrLf + " on a Descendants chart.";
  } else {
    c.ok = true;
  }
  return c;
}

int ClampGenerations(int g) { return std::clamp(g, 1, kMaxGenerations); }

}  // namespace vft::print
