#include "chart_command.h"

#include <QGuiApplication>
#include <QString>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "chart_render.h"
#include "charts/chart_look.h"
#include "cli_session.h"
#include "qt_text_measure.h"
#include "store/familyfile.h"
#include "store/file_io.h"
#include "store/records.h"

namespace vft::cli {
namespace {

int usage(const std::string& what) {
  std::fprintf(stderr, "vft: %s\n\nUsage:\n%s", what.c_str(), kChartUsage);
  return 2;
}

// A whole number as typed, within [lo, hi]; nothing else is taken.
bool parse_int(const std::string& text, long lo, long hi, long& out) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  out = std::stol(text);
  return out >= lo && out <= hi;
}

std::string extension(const std::string& path) {
  const auto dot = path.find_last_of('.'), slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string e = path.substr(dot + 1);
  for (char& ch : e) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return e;
}

void qt_messages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "vft: %s\n", text.toLocal8Bit().constData());
}

}  // namespace

int cmd_chart(int argc, char** argv) {
  std::vector<std::string> files;
  chart::Options o;
  std::string kind;
  long person = 0, generations = -1, dpi = 96;
  bool person_set = false;
  for (int i = 0; i < argc; ++i) {
    const std::string a = argv[i];
    const bool has_value = i + 1 < argc;
    if (a == "--help") {
      std::printf("Usage:\n%s", kChartUsage);
      return 0;
    }
    if (a == "--kind" && has_value) kind = argv[++i];
    else if (a == "--person" && has_value) {
      if (!parse_int(argv[++i], 1, 32767, person)) return usage(std::string("not a Person number: ") + argv[i]);
      person_set = true;
    } else if (a == "--generations" && has_value) {
      if (!parse_int(argv[++i], 0, 32767, generations)) return usage(std::string("not a number of generations: ") + argv[i]);
    } else if (a == "--dpi" && has_value) {
      if (!parse_int(argv[++i], 10, 2400, dpi)) return usage(std::string("the resolution must be 10 to 2400 dpi: ") + argv[i]);
    } else if (a == "--full-circle") o.full_circle = true;
    else if (a.starts_with("--")) return usage("unknown option or missing value: " + a);
    else files.push_back(a);
  }
  if (files.size() != 2) return usage("chart needs a Family file and the picture file to write");
  if (kind == "ancestors") o.kind = chart::Kind::Ancestors, o.generations = 4;
  else if (kind == "descendants") o.kind = chart::Kind::Descendants, o.generations = 0;
  else if (kind == "fan") o.kind = chart::Kind::Fan, o.generations = 5;
  else return usage("--kind must be ancestors, descendants or fan");
  if (!person_set) return usage("--person N is needed");
  if (generations >= 0) {
    o.generations = static_cast<int>(generations);
    if (chart::ClampGenerations(o) != o.generations)
      return usage("--generations " + std::to_string(generations) + " is out of range for this chart");
  }
  const std::string ext = extension(files[1]);
  if (ext != "svg" && ext != "png" && ext != "pdf") return usage("the picture file must end in .svg, .png or .pdf");

  CliSession cs;
  if (!cs.open(files[0])) return 1;
  Session& s = cs.session();
  PersonRecord check;
  if (person > s.Config.NumPersons() || !ReadPersonRecord(s, static_cast<std::int16_t>(person), check) ||
      check.Deleted != 0) {
    std::fprintf(stderr, "vft: there is no person %ld in this tree\n", person);
    return 1;
  }

  // Fonts need a GUI application, never a display.
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(qt_messages);
  int qt_argc = 1;
  char name[] = "vft";
  char* qt_argv[] = {name, nullptr};
  QGuiApplication app(qt_argc, qt_argv);

  ui::QtTextMeasure measure;
  const chart::Layout l = chart::LayOut(s, static_cast<std::int16_t>(person), o);
  const std::vector<chart::BoxText> texts = chart::ChartTexts(s, measure, l);
  const chart::Colours colours;
  const ui::ChartTextSource source = [&](int i) -> const chart::BoxText& { return texts[static_cast<std::size_t>(i)]; };
  const QString out = QString::fromLocal8Bit(files[1]);
  QString error;
  bool ok = false;
  if (ext == "svg") ok = ui::WriteChartFile(chart::ChartSvg(l, texts, colours), out, &error);
  else if (ext == "png") ok = ui::WriteChartPng(l, source, colours, static_cast<double>(dpi), out, &error);
  else ok = ui::WriteChartPdf(l, source, colours, out, &error);
  if (!ok) {
    std::fprintf(stderr, "vft: %s\n", error.toLocal8Bit().constData());
    return 1;
  }
  return 0;
}

}  // namespace vft::cli
