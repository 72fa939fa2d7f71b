#include "print_command.h"

#include <QString>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "cli_session.h"
#include "gui_fonts.h"
#include "options.h"
#include "common/cp1252.h"
#include "store/folders.h"
#include "page_render.h"
#include "common/messages.h"
#include "print/chart_options.h"
#include "print/family_names.h"
#include "print/family_sheet.h"
#include "print/page_document.h"
#include "print/page_setup_model.h"
#include "print/preview_model.h"
#include "print/print_request.h"
#include "print/sheet_options.h"
#include "qt_text_measure.h"
#include "relations/lookups.h"
#include "relations/person_io.h"
#include "store/familyfile.h"
#include "store/file_io.h"
#include "store/file_write.h"
#include "store/ini.h"

namespace vft::cli {
namespace {

struct PrintArgs {
  std::string file, out, text_out;
  int request = 0;
  int person = 0, partner = 0;
  bool person_set = false, partner_set = false;
  bool blank_form = false;
  std::optional<std::string> generations;
  std::string family_name;  // CP1252
  // Unset: as saved.
  std::optional<print::SortBy> sort;
  std::optional<print::ListFormat> format;
  std::optional<print::Orientation> orientation;
  int paper = 0;                // 0: as saved
  std::vector<double> margins;  // twips: none (as saved), one for all four, or left, right, top, bottom
  std::string font_name;        // empty: as saved
  double font_size = 0;         // 0: as saved
  bool all_items = false;
  std::optional<std::string> items;
};

// "1in", "2.5cm", "20mm" in twips; nothing for anything else.
std::optional<double> parse_length(const std::string& text) {
  struct Unit {
    const char* suffix;
    print::MarginUnit unit;
    double scale;
  };
  const Unit units[] = {{"in", print::MarginUnit::Inches, 1},
                        {"cm", print::MarginUnit::Centimetres, 1},
                        {"mm", print::MarginUnit::Centimetres, 0.1}};
  for (const Unit& u : units) {
    const std::size_t n = std::strlen(u.suffix);
    if (text.size() <= n || text.compare(text.size() - n, n, u.suffix) != 0) continue;
    std::optional<double> v = print::ParseMargin(text.substr(0, text.size() - n), u.unit);
    if (v) return std::round(*v * u.scale);
  }
  return std::nullopt;
}

// The help's list of item names, one printout a line.
std::string item_names_help() {
  StderrPrompter prompter;
  Session s(prompter);
  const std::pair<const char*, int> kinds[] = {{"--chart descendants", print::request::Descendants},
                                               {"--chart pedigree", print::request::Pedigree},
                                               {"--sheet person", print::request::DataSheet},
                                               {"--sheet family", print::request::FamilyData},
                                               {"--list all", print::request::ListAll},
                                               {"--list family-name", print::request::FamilyList},
                                               {"--list timeline", print::request::TimeLine},
                                               {"--list names", print::request::FamilyNames}};
  std::string out = "The items of each printout, for --items:\n";
  for (const auto& [kind, request] : kinds) {
    std::string line = std::string("  ") + kind + ":";
    for (const std::string& name : print::ItemNames(s, request)) {
      if (line.size() + name.size() + 2 > 78) {
        out += line + "\n";
        line = std::string(4, ' ');
      }
      line += " " + name;
    }
    out += line + "\n";
  }
  return out;
}

// A message box text on one line per line.
std::string plain(const std::string& cp1252_text) {
  std::string out;
  for (char c : cp1252::to_utf8(cp1252_text))
    if (c != '\r') out += c;
  return out;
}

// A whole positive number, nothing else.
bool parse_number(const std::string& text, int& out) {
  if (text.empty() || text.size() > 6) return false;
  long v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  out = static_cast<int>(v);
  return true;
}

bool needs_person(int request) {
  return request == print::request::Descendants || request == print::request::Pedigree ||
         request == print::request::DataSheet || request == print::request::FamilyData;
}

std::string take_margins(const std::string& v, std::vector<double>& margins) {
  margins.clear();
  for (std::size_t pos = 0; pos <= v.size();) {
    const std::size_t comma = std::min(v.find(',', pos), v.size());
    const std::optional<double> m = parse_length(cp1252::trim(v.substr(pos, comma - pos)));
    if (!m) return "not a margin: " + v.substr(pos, comma - pos) + " (a number with in, cm or mm)";
    margins.push_back(*m);
    pos = comma + 1;
  }
  if (margins.size() != 1 && margins.size() != 4)
    return "--margins takes one margin for all four sides or four: left,right,top,bottom";
  return {};
}

std::string take_font(const std::string& v, PrintArgs& a) {
  const std::size_t colon = v.rfind(':');
  a.font_name = cp1252::trim(cp1252::from_utf8(v.substr(0, colon == std::string::npos ? v.size() : colon)));
  if (colon != std::string::npos && colon + 1 < v.size()) {
    char* end = nullptr;
    const std::string size = v.substr(colon + 1);
    a.font_size = std::strtod(size.c_str(), &end);
    if (end != size.c_str() + size.size() || !(a.font_size >= print::kSmallestTextSize && a.font_size <= 72))
      return "not a font size: " + size + " (7 to 72 points)";
  }
  if (a.font_name.empty() && a.font_size == 0) return "--font needs NAME:SIZE, NAME or :SIZE";
  return {};
}

// Returns the exit code when the command is not to run (after saying why).
std::optional<int> parse(int argc, char** argv, PrintArgs& a) {
  namespace rq = print::request;
  int kinds = 0;  // printouts asked for
  auto kind = [&kinds](OptionAction pick) { return [&kinds, pick](OptionArg& v) { return ++kinds, pick(v); }; };
  auto person = [](int& n, bool& set) {
    return [&n, &set](OptionArg& v) {
      set = parse_number(v.value, n) && n >= 1;
      return set ? std::string() : "not a Person number: " + v.value;
    };
  };
  const OptionAction sheet = OneOf(
      a.request, {{"person", rq::DataSheet}, {"family", rq::FamilyData}, {"blank-family", rq::FamilyData}}, "sheet");
  const OptionAction list = OneOf(
      a.request,
      {{"all", rq::ListAll}, {"family-name", rq::FamilyList}, {"names", rq::FamilyNames}, {"timeline", rq::TimeLine}},
      "list");
  const CommandLine line{
      "print",
      kPrintUsage,
      {{"--chart", "descendants|pedigree", "a chart of person N",
        kind(OneOf(a.request, {{"descendants", rq::Descendants}, {"pedigree", rq::Pedigree}}, "chart"))},
       {"--sheet", "person|family|blank-family",
        "the data sheet of person N, the form of\nN's family, or an empty family form",
        kind([&](OptionArg& v) { return a.blank_form = cp1252::iequals(v.value, "blank-family"), sheet(v); })},
       {"--list", "all|timeline|names|family-name NAME",
        "everyone, the timeline, the family names,\nor the persons of one family name", kind([&](OptionArg& v) {
          std::string name;
          const bool named = cp1252::iequals(v.value, "family-name");
          if (named && (!v.next(name) || cp1252::trim(cp1252::from_utf8(name)).empty()))
            return std::string("--list family-name needs a family name");
          a.family_name = cp1252::trim(cp1252::from_utf8(name));
          return list(v);
        })},
       {"--person", "N", "the person of a chart or sheet", person(a.person, a.person_set)},
       {"--partner", "M", "the partner of the family form (default:\nthe first recorded)",
        person(a.partner, a.partner_set)},
       {"--generations", "G", "descendants chart: 1 to 12 generations\n(default: the saved number, else 4)",
        Keep(a.generations)},
       {"--sort", "number|name", "person lists (default: the saved order)",
        OneOf(a.sort, {{"number", print::SortBy::Number}, {"name", print::SortBy::Name}}, "order")},
       {"--format", "comma|4|3", "family names (default: the saved format)",
        OneOf(a.format,
              {{"comma", print::ListFormat::Comma},
               {"4", print::ListFormat::FourColumns},
               {"3", print::ListFormat::ThreeColumns}},
              "format")},
       {"--text", "OUT.txt", "family names as a text file, not a PDF", Keep(a.text_out)},
       {"--paper", "A3|A4|A5|Letter|Legal", "the paper",
        OneOf(a.paper,
              {{"A3", 8},
               {"A4", print::kPaperA4},
               {"A5", print::kPaperA5},
               {"Letter", print::kPaperLetter},
               {"Legal", 5}},
              "paper")},
       {"--landscape", "", "pages wider than high", Put(a.orientation, print::Orientation::Landscape)},
       {"--portrait", "", "pages higher than wide", Put(a.orientation, print::Orientation::Portrait)},
       {"--margins", "M|L,R,T,B", "each with its unit: 1in, 2.5cm, 20mm",
        [&](OptionArg& v) { return take_margins(v.value, a.margins); }},
       {"--font", "NAME:SIZE", "e.g. Arial:10, 'Times New Roman:12', :9\n(7 to 72 points)",
        [&](OptionArg& v) { return take_font(v.value, a); }},
       {"--items", "LIST", "exactly the items to print, their names\n(below) separated by commas", Keep(a.items)},
       {"--all-items", "", "every item of the printout", Put(a.all_items, true)}},
      1,
      2,
      "print needs a Family file and a PDF file",
      item_names_help};
  std::vector<std::string> files;
  if (auto done = ParseCommandLine(line, argc, argv, files)) return done;
  auto usage = [&](const std::string& why) { return UsageError(line, why); };
  if (!a.request) return usage("print needs --chart, --sheet or --list");
  if (kinds > 1) return usage("print makes one printout at a time: one of --chart, --sheet or --list");
  if (needs_person(a.request) && !a.blank_form && !a.person_set) return usage("print needs --person N");
  if (!a.text_out.empty() && a.request != print::request::FamilyNames) return usage("--text is for --list names only");
  if (a.items && a.all_items) return usage("choose items with --items or --all-items, not both");
  if (a.generations) {
    print::GenerationCheck c = print::CheckGenerations(cp1252::from_utf8(*a.generations));
    if (!c.ok) {
      std::fprintf(stderr, "%s\n", plain(c.text).c_str());
      return 2;
    }
  }
  const std::size_t wanted = a.text_out.empty() ? 2 : 1;
  if (files.size() != wanted)
    return usage(wanted == 2 ? "print needs a Family file and a PDF file" : "print --text needs only a Family file");
  a.file = files[0];
  if (wanted == 2) a.out = files[1];
  return std::nullopt;
}

// The user's own settings file, read only: printouts look as the user set them.
std::string user_settings_file() { return AppDataFolder(SystemEnvironment()) + "Vorlan Family Tree/Vorlan.Ini"; }

bool readable_person(const Session& s, int n) {
  PersonRecord p;
  return n >= 1 && n <= s.Config.NumPersons() && ReadStoredPerson(s, static_cast<std::int16_t>(n), p) && !p.Deleted;
}

// The displayed family of the main window for `person`: the partner named,
// else the first recorded one.
bool choose_partner(const Session& s, const PrintArgs& a, std::int16_t& partner) {
  const auto person = static_cast<std::int16_t>(a.person);
  if (a.partner_set) {
    if (!FamilyBetween(s, person, static_cast<std::int16_t>(a.partner))) {
      std::fprintf(stderr, "vft: %d and %d are not partners\n", a.person, a.partner);
      return false;
    }
    partner = static_cast<std::int16_t>(a.partner);
    return true;
  }
  const PartnerList partners = ListPartners(s, person);
  for (int i = 0; i < partners.count; ++i)
    if (partners.rows[static_cast<std::size_t>(i)].Partner > 0) {
      partner = partners.rows[static_cast<std::size_t>(i)].Partner;
      return true;
    }
  PersonRecord p;
  ReadStoredPerson(s, person, p);
  std::fprintf(stderr, "%s\n", plain(print::NoPartnersText(s, p)).c_str());
  return false;
}

int print_request(const PrintArgs& a) {
  CliSession cs;
  if (!cs.ok()) {
    std::fputs("vft: cannot create a temporary work folder\n", stderr);
    return 1;
  }
  if (!fileio::exists(a.file)) {
    std::fprintf(stderr, "vft: no such file: %s\n", a.file.c_str());
    return 1;
  }
  Session& s = cs.session();
  if (OpenFamilyFile(s, a.file, OpenAccess::Inspect) != -1) return 1;
  // The one question a printout asks is whether to go on with a font that
  // may be large for the paper: the options asked for it, so it goes on.
  cs.prompter().answer_yes = true;
  if (needs_person(a.request) && !a.blank_form && !readable_person(s, a.person)) {
    std::fprintf(stderr, "vft: %s has no person %d\n", a.file.c_str(), a.person);
    return 1;
  }

  const std::string settings = user_settings_file();
  s.UCaseFamname = IniReadIntAt(settings, "Configure", "UCaseFamname") != 0;
  const std::string term = IniReadTextAt(settings, "Field Names", "Baptised");
  if (!cp1252::trim(term).empty())
    s.Messages.apply_field_labels(s.Messages[msg::FamNameLabel], s.Messages[msg::GivenNamesLabel], cp1252::trim(term));
  // What the print window would print for this request: its saved items,
  // page settings and paper, changed only where the options say so.
  print::PanelSettings panel = print::LoadPanelSettingsFrom(settings, a.request);
  if (a.all_items) print::TickAllItems(s, panel, a.request);
  std::string unknown;
  if (a.items && !print::TickItems(s, panel, a.request, *a.items, unknown)) {
    std::string names;
    for (const std::string& n : print::ItemNames(s, a.request)) names += (names.empty() ? "" : ", ") + n;
    std::fprintf(stderr, "vft: this printout has no item %s (its items: %s)\n", unknown.c_str(), names.c_str());
    return 2;
  }
  panel = print::ForGenerators(panel);
  print::PrintRequest r;
  r.request = a.request;
  r.chart = panel.chart;
  r.sheet = panel.sheet;
  if (a.generations) r.chart.generations = print::CheckGenerations(cp1252::from_utf8(*a.generations)).value;
  if (a.orientation) r.chart.orientation = *a.orientation;
  if (!a.font_name.empty()) r.chart.font.name = a.font_name;
  if (a.font_size > 0) r.chart.font.size = a.font_size;
  if (a.sort) r.sheet.sort = *a.sort;
  if (a.format) r.sheet.format = *a.format;
  if (!a.family_name.empty()) r.sheet.family_name = a.family_name;
  r.chart.items[print::item3::PrintToFile] = !a.text_out.empty();
  r.person = static_cast<std::int16_t>(a.person);
  r.blank_form = a.blank_form;
  if (a.request == print::request::FamilyData && !a.blank_form && !choose_partner(s, a, r.partner)) return 1;

  ui::QtTextMeasure measure;
  print::PageDocument doc(measure);
  const int saved_paper = IniReadIntAt(settings, print::kPrintingSection, "PaperSize");
  const int paper = a.paper ? a.paper : print::paper_has_size(saved_paper) ? saved_paper : print::kPaperA4;
  doc.set_paper_code(paper);
  if (!a.margins.empty()) {
    const std::vector<double>& m = a.margins;
    r.chart.margin_left = m[0];
    r.chart.margin_right = m.size() == 4 ? m[1] : m[0];
    r.chart.margin_top = m.size() == 4 ? m[2] : m[0];
    r.chart.margin_bottom = m.size() == 4 ? m[3] : m[0];
    doc.set_orientation(r.chart.orientation);
    if (r.chart.margin_left + r.chart.margin_right >= doc.page_width() ||
        r.chart.margin_top + r.chart.margin_bottom >= doc.page_height()) {
      std::fputs("vft: the margins leave no room to print on this paper\n", stderr);
      return 2;
    }
  }
  print::PrintResult result = print::RunPrintRequest(s, doc, measure, r);
  if (!result.completed) {
    std::fputs("vft: the printout could not be made\n", stderr);
    return 1;
  }
  if (result.truncated) std::fputs("vft: the printout was cut short at the document's size limit\n", stderr);
  if (result.as_text) {
    // A text file for today's editors: UTF-8, like everything else the tool writes.
    const std::string utf8 = cp1252::to_utf8(result.text);
    Bytes bytes(utf8.begin(), utf8.end());
    if (!fileio::write_file(s.disk, a.text_out, bytes)) {
      std::fprintf(stderr, "vft: %s could not be written: %s\n", a.text_out.c_str(), s.disk.failure().reason().c_str());
      return 1;
    }
    std::printf("%s\n", plain(print::SavedFamilyNamesText(s, a.text_out)).c_str());
    return 0;
  }
  QString error;
  if (!ui::write_pdf(doc, QString::fromStdString(a.out), &error)) {
    std::fprintf(stderr, "vft: %s\n", error.toStdString().c_str());
    return 1;
  }
  if (!result.summary.empty()) std::printf("%s\n", cp1252::to_utf8(result.summary).c_str());
  std::printf("%d page%s written to %s\n", doc.page_count(), doc.page_count() == 1 ? "" : "s", a.out.c_str());
  return 0;
}

}  // namespace

int cmd_print(int argc, char** argv) {
  PrintArgs a;
  if (auto done = parse(argc, argv, a)) return *done;
  const GuiFonts fonts;
  return print_request(a);
}

}  // namespace vft::cli
