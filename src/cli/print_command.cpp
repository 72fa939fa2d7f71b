#include "print_command.h"

#include <QGuiApplication>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli_session.h"
#include "common/cp1252.h"
#include "common/folders.h"
#include "page_render.h"
#include "print/chart_options.h"
#include "print/descendants_chart.h"
#include "print/page_document.h"
#include "print/pedigree_chart.h"
#include "qt_text_measure.h"
#include "relations/person_io.h"
#include "store/familyfile.h"
#include "store/file_io.h"
#include "store/ini.h"

namespace vft::cli {
namespace {

struct PrintArgs {
  std::string file, out;
  int request = 0;
  int person = 0;
  bool generations_set = false;
  std::string generations;
  bool landscape = false;
  int paper = print::kPaperA4;
};

int usage(const std::string& what) {
  std::fprintf(stderr, "vft: %s\n\nUsage:\n%s", what.c_str(), kPrintUsage);
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

// Returns 0 when the arguments are whole, else the exit code (after saying why).
int parse(int argc, char** argv, PrintArgs& a) {
  std::vector<std::string> files;
  bool person_set = false;
  for (int i = 0; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](std::string& v) {
      if (i + 1 >= argc) return false;
      v = argv[++i];
      return true;
    };
    std::string v;
    if (arg == "--chart") {
      if (!value(v)) return usage("option --chart needs a value");
      if (v == "descendants") a.request = print::request::Descendants;
      else if (v == "pedigree") a.request = print::request::Pedigree;
      else return usage("unknown chart: " + v + " (descendants or pedigree)");
    } else if (arg == "--person") {
      if (!value(v)) return usage("option --person needs a value");
      if (!parse_number(v, a.person) || a.person < 1) return usage("not a Person number: " + v);
      person_set = true;
    } else if (arg == "--generations") {
      if (!value(a.generations)) return usage("option --generations needs a value");
      a.generations_set = true;
    } else if (arg == "--landscape") {
      a.landscape = true;
    } else if (arg == "--paper") {
      if (!value(v)) return usage("option --paper needs a value");
      if (cp1252::iequals(v, "A4")) a.paper = print::kPaperA4;
      else if (cp1252::iequals(v, "Letter")) a.paper = print::kPaperLetter;
      else return usage("unknown paper: " + v + " (A4 or Letter)");
    } else if (arg.rfind("--", 0) == 0) {
      return usage("unknown option: " + arg);
    } else {
      files.push_back(arg);
    }
  }
  if (!a.request) return usage("print needs --chart descendants or --chart pedigree");
  if (!person_set) return usage("print needs --person N");
  if (files.size() != 2) return usage("print needs a Family file and a PDF file");
  if (a.generations_set) {
    print::GenerationCheck c = print::CheckGenerations(cp1252::from_utf8(a.generations));
    if (!c.ok) {
      std::fprintf(stderr, "%s\n", plain(c.text).c_str());
      return 2;
    }
  }
  a.file = files[0];
  a.out = files[1];
  return 0;
}

// The user's own settings file, read only: charts print as the user set them.
std::string user_settings_file() { return AppDataFolder(SystemEnvironment()) + "Vorlan Family Tree/Vorlan.Ini"; }

int print_chart(const PrintArgs& a) {
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
  if (OpenFamilyFile(s, a.file) != -1) return 1;
  PersonRecord p;
  if (a.person > s.Config.NumPersons() || !ReadStoredPerson(s, static_cast<std::int16_t>(a.person), p) ||
      p.Deleted) {
    std::fprintf(stderr, "vft: %s has no person %d\n", a.file.c_str(), a.person);
    return 1;
  }

  const std::string settings = user_settings_file();
  s.UCaseFamname = IniReadIntAt(settings, "Configure", "UCaseFamname") != 0;
  print::ChartOptions o = print::LoadChartOptionsFrom(settings, a.request);
  if (a.generations_set) o.generations = print::CheckGenerations(cp1252::from_utf8(a.generations)).value;
  if (a.landscape) o.orientation = print::Orientation::Landscape;

  ui::QtTextMeasure measure;
  print::PageDocument doc(measure);
  doc.set_paper_code(a.paper);
  print::ApplyChartOptions(doc, o);

  const auto person = static_cast<std::int16_t>(a.person);
  std::string summary;
  bool done = false;
  if (a.request == print::request::Descendants) {
    print::DescendantsResult r = print::PrintDescendants(s, doc, measure, o, person);
    done = r.completed;
    summary = r.summary;
    if (r.truncated) std::fputs("vft: the chart was cut short at the document's size limit\n", stderr);
  } else {
    done = print::PrintPedigree(s, doc, measure, o, person).completed;
  }
  if (!done) {
    std::fputs("vft: the chart could not be made\n", stderr);
    return 1;
  }
  QString error;
  if (!ui::write_pdf(doc, QString::fromStdString(a.out), &error)) {
    std::fprintf(stderr, "vft: %s\n", error.toStdString().c_str());
    return 1;
  }
  if (!summary.empty()) std::printf("%s\n", cp1252::to_utf8(summary).c_str());
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
  if (int code = parse(argc, argv, a)) return code;
  // Fonts need a GUI application; the tool never opens a window, so it does
  // without a display unless told otherwise.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(qt_messages);
  int qt_argc = 1;
  char name[] = "vft";
  char* qt_argv[] = {name, nullptr};
  QGuiApplication app(qt_argc, qt_argv);
  return print_chart(a);
}

}  // namespace vft::cli
