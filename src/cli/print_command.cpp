#include "print_command.h"

#include <QGuiApplication>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "cli_session.h"
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
  bool generations_set = false;
  std::string generations;
  std::string family_name;  // CP1252
  int sort = -1;            // -1: as saved
  int format = -1;
  int orientation = -1;     // -1: as saved
  int paper = 0;            // 0: as saved, else A4
  std::vector<double> margins;  // twips: none (as saved), one for all four, or left, right, top, bottom
  std::string font_name;        // empty: as saved
  double font_size = 0;         // 0: as saved
  bool items_set = false, all_items = false;
  std::string items;
};

struct PaperName {
  const char* name;
  int code;
};
constexpr PaperName kPapers[] = {{"A3", 8}, {"A4", print::kPaperA4}, {"A5", print::kPaperA5},
                                 {"Letter", print::kPaperLetter}, {"Legal", 5}};

// "1in", "2.5cm", "20mm" in twips; nothing for anything else.
std::optional<double> parse_length(const std::string& text) {
  struct Unit {
    const char* suffix;
    print::MarginUnit unit;
    double scale;
  };
  const Unit units[] = {{"in", print::MarginUnit::Inches, 1}, {"cm", print::MarginUnit::Centimetres, 1},
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
  const std::pair<const char*, int> kinds[] = {
      {"--chart descendants", print::request::Descendants}, {"--chart pedigree", print::request::Pedigree},
      {"--sheet person", print::request::DataSheet},        {"--sheet family", print::request::FamilyData},
      {"--list all", print::request::ListAll},              {"--list family-name", print::request::FamilyList},
      {"--list timeline", print::request::TimeLine},        {"--list names", print::request::FamilyNames}};
  std::string out;
  for (const auto& [kind, request] : kinds) {
    std::string line = std::string("        ") + kind + ":";
    for (const std::string& name : print::ItemNames(s, request)) {
      if (line.size() + name.size() + 2 > 78) {
        out += line + "\n";
        line = std::string(10, ' ');
      }
      line += " " + name;
    }
    out += line + "\n";
  }
  return out;
}

int usage(const std::string& what) {
  std::fprintf(stderr, "vft: %s\n\nUsage:\n%s%s", what.c_str(), kPrintUsage, item_names_help().c_str());
  return 2;
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

// Returns 0 when the arguments are whole, else the exit code (after saying why).
int parse(int argc, char** argv, PrintArgs& a) {
  std::vector<std::string> files;
  int kinds = 0;
  for (int i = 0; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](std::string& v) {
      if (i + 1 >= argc) return false;
      v = argv[++i];
      return true;
    };
    std::string v;
    if (arg == "--help") {
      std::printf("Usage:\n%s%s", kPrintUsage, item_names_help().c_str());
      return -1;
    } else if (arg == "--chart") {
      ++kinds;
      if (!value(v)) return usage("option --chart needs a value");
      if (v == "descendants") a.request = print::request::Descendants;
      else if (v == "pedigree") a.request = print::request::Pedigree;
      else return usage("unknown chart: " + v + " (descendants or pedigree)");
    } else if (arg == "--sheet") {
      ++kinds;
      if (!value(v)) return usage("option --sheet needs a value");
      if (v == "person") a.request = print::request::DataSheet;
      else if (v == "family") a.request = print::request::FamilyData;
      else if (v == "blank-family") a.request = print::request::FamilyData, a.blank_form = true;
      else return usage("unknown sheet: " + v + " (person, family or blank-family)");
    } else if (arg == "--list") {
      ++kinds;
      if (!value(v)) return usage("option --list needs a value");
      if (v == "all") a.request = print::request::ListAll;
      else if (v == "timeline") a.request = print::request::TimeLine;
      else if (v == "names") a.request = print::request::FamilyNames;
      else if (v == "family-name") {
        a.request = print::request::FamilyList;
        std::string name;
        if (!value(name) || cp1252::trim(cp1252::from_utf8(name)).empty())
          return usage("--list family-name needs a family name");
        a.family_name = cp1252::trim(cp1252::from_utf8(name));
      } else {
        return usage("unknown list: " + v + " (all, family-name NAME, names or timeline)");
      }
    } else if (arg == "--person" || arg == "--partner") {
      int& n = arg == "--person" ? a.person : a.partner;
      if (!value(v)) return usage("option " + arg + " needs a value");
      if (!parse_number(v, n) || n < 1) return usage("not a Person number: " + v);
      (arg == "--person" ? a.person_set : a.partner_set) = true;
    } else if (arg == "--generations") {
      if (!value(a.generations)) return usage("option --generations needs a value");
      a.generations_set = true;
    } else if (arg == "--sort") {
      if (!value(v)) return usage("option --sort needs a value");
      if (v == "number") a.sort = static_cast<int>(print::SortBy::Number);
      else if (v == "name") a.sort = static_cast<int>(print::SortBy::Name);
      else return usage("unknown order: " + v + " (number or name)");
    } else if (arg == "--format") {
      if (!value(v)) return usage("option --format needs a value");
      if (v == "comma") a.format = static_cast<int>(print::ListFormat::Comma);
      else if (v == "4") a.format = static_cast<int>(print::ListFormat::FourColumns);
      else if (v == "3") a.format = static_cast<int>(print::ListFormat::ThreeColumns);
      else return usage("unknown format: " + v + " (comma, 4 or 3)");
    } else if (arg == "--text") {
      if (!value(a.text_out)) return usage("option --text needs a file name");
    } else if (arg == "--landscape" || arg == "--portrait") {
      a.orientation = arg == "--landscape" ? 1 : 0;
    } else if (arg == "--paper") {
      if (!value(v)) return usage("option --paper needs a value");
      for (const PaperName& p : kPapers)
        if (cp1252::iequals(v, p.name)) a.paper = p.code;
      if (!a.paper) return usage("unknown paper: " + v + " (A3, A4, A5, Letter or Legal)");
    } else if (arg == "--margins") {
      if (!value(v)) return usage("option --margins needs a value");
      a.margins.clear();
      for (std::size_t pos = 0; pos <= v.size();) {
        std::size_t comma = std::min(v.find(',', pos), v.size());
        std::optional<double> m = parse_length(cp1252::trim(v.substr(pos, comma - pos)));
        if (!m) return usage("not a margin: " + v.substr(pos, comma - pos) + " (a number with in, cm or mm)");
        a.margins.push_back(*m);
        pos = comma + 1;
      }
      if (a.margins.size() != 1 && a.margins.size() != 4)
        return usage("--margins takes one margin for all four sides or four: left,right,top,bottom");
    } else if (arg == "--font") {
      if (!value(v)) return usage("option --font needs a value");
      const std::size_t colon = v.rfind(':');
      a.font_name = cp1252::trim(cp1252::from_utf8(v.substr(0, colon == std::string::npos ? v.size() : colon)));
      if (colon != std::string::npos && colon + 1 < v.size()) {
        char* end = nullptr;
        const std::string size = v.substr(colon + 1);
        a.font_size = std::strtod(size.c_str(), &end);
        if (end != size.c_str() + size.size() || !(a.font_size >= print::kSmallestTextSize && a.font_size <= 72))
          return usage("not a font size: " + size + " (7 to 72 points)");
      }
      if (a.font_name.empty() && a.font_size == 0) return usage("--font needs NAME:SIZE, NAME or :SIZE");
    } else if (arg == "--items") {
      if (!value(a.items)) return usage("option --items needs a list of items");
      a.items_set = true;
    } else if (arg == "--all-items") {
      a.all_items = true;
    } else if (arg.rfind("--", 0) == 0) {
      return usage("unknown option: " + arg);
    } else {
      files.push_back(arg);
    }
  }
  if (!a.request) return usage("print needs --chart, --sheet or --list");
  if (kinds > 1) return usage("print makes one printout at a time: one of --chart, --sheet or --list");
  if (needs_person(a.request) && !a.blank_form && !a.person_set) return usage("print needs --person N");
  if (!a.text_out.empty() && a.request != print::request::FamilyNames)
    return usage("--text is for --list names only");
  if (a.items_set && a.all_items) return usage("choose items with --items or --all-items, not both");
  if (a.generations_set) {
    print::GenerationCheck c = print::CheckGenerations(cp1252::from_utf8(a.generations));
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
  return 0;
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
  if (!cp1252::trim(term).empty()) s.Messages.apply_field_labels(s.Messages[msg::FamNameLabel],
                                                                 s.Messages[msg::GivenNamesLabel], cp1252::trim(term));
  // What the print window would print for this request: its saved items,
  // page settings and paper, changed only where the options say so.
  print::PanelSettings panel = print::LoadPanelSettingsFrom(settings, a.request);
  if (a.all_items) print::TickAllItems(s, panel, a.request);
  std::string unknown;
  if (a.items_set && !print::TickItems(s, panel, a.request, a.items, unknown)) {
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
  if (a.generations_set) r.chart.generations = print::CheckGenerations(cp1252::from_utf8(a.generations)).value;
  if (a.orientation >= 0) r.chart.orientation = static_cast<print::Orientation>(a.orientation);
  if (!a.font_name.empty()) r.chart.font.name = a.font_name;
  if (a.font_size > 0) r.chart.font.size = a.font_size;
  if (a.sort >= 0) r.sheet.sort = static_cast<print::SortBy>(a.sort);
  if (a.format >= 0) r.sheet.format = static_cast<print::ListFormat>(a.format);
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
      std::fprintf(stderr, "vft: %s could not be written: %s\n", a.text_out.c_str(),
                   s.disk.failure().reason().c_str());
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

// Qt's notes about the environment (no runtime folder, no session bus) mean
// nothing to a batch tool's user; only its real errors are passed on.
void qt_messages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "vft: %s\n", text.toLocal8Bit().constData());
}

}  // namespace

int cmd_print(int argc, char** argv) {
  PrintArgs a;
  if (int code = parse(argc, argv, a)) return code < 0 ? 0 : code;
  // Fonts need a GUI application; the tool never opens a window, so it does
  // without a display unless told otherwise.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(qt_messages);
  int qt_argc = 1;
  char name[] = "vft";
  char* qt_argv[] = {name, nullptr};
  QGuiApplication app(qt_argc, qt_argv);
  return print_request(a);
}

}  // namespace vft::cli
