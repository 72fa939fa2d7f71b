#include "chart_command.h"

#include <QString>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "chart_render.h"
#include "charts/chart_look.h"
#include "cli_session.h"
#include "gui_fonts.h"
#include "options.h"
#include "qt_text_measure.h"
#include "store/familyfile.h"
#include "store/file_io.h"
#include "store/records.h"

namespace vft::cli {
namespace {

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

}  // namespace

int cmd_chart(int argc, char** argv) {
  chart::Options o;
  std::string kind;
  long person = 0, generations = -1, dpi = 96;
  // A whole number as typed, within [lo, hi]; else `why` and the number.
  auto number = [](long& out, long lo, long hi, const char* why) {
    return
        [&out, lo, hi, why](OptionArg& v) { return parse_int(v.value, lo, hi, out) ? std::string() : why + v.value; };
  };
  const CommandLine line{
      "chart",
      kChartUsage,
      {{"--kind", "ancestors|descendants|fan", "the kind of chart", Keep(kind)},
       {"--person", "N", "the person the chart is drawn for", number(person, 1, 32767, "not a Person number: ")},
       {"--generations", "G",
        "ancestors 2 to 10 (default 4), fan 3 to 9\n(default 5), descendants 0 for every\ngeneration (the default)",
        number(generations, 0, 32767, "not a number of generations: ")},
       {"--full-circle", "", "the fan as a full circle instead of a half", Put(o.full_circle, true)},
       {"--dpi", "D", "PNG resolution, 96 (the default) is 100 %",
        number(dpi, 10, 2400, "the resolution must be 10 to 2400 dpi: ")}},
      2,
      2,
      "chart needs a Family file and the picture file to write"};
  std::vector<std::string> files;
  if (auto done = ParseCommandLine(line, argc, argv, files)) return *done;
  auto usage = [&](const std::string& why) { return UsageError(line, why); };
  if (kind == "ancestors") o.kind = chart::Kind::Ancestors, o.generations = 4;
  else if (kind == "descendants") o.kind = chart::Kind::Descendants, o.generations = 0;
  else if (kind == "fan") o.kind = chart::Kind::Fan, o.generations = 5;
  else return usage("--kind must be ancestors, descendants or fan");
  if (person == 0) return usage("--person N is needed");
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

  const GuiFonts fonts;

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
