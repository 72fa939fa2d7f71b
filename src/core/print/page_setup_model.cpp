#include "print/page_setup_model.h"

#include <charconv>
#include <cmath>

#include "common/cp1252.h"
#include "print/chart_options.h"
#include "store/ini.h"
#include "store/session.h"

namespace vft::print {

double TwipsPerUnit(MarginUnit u) { return u == MarginUnit::Inches ? kTwipsPerInch : kTwipsPerCm; }

MarginUnit MarginUnitOf(int measure_setting) {
  return measure_setting == 1 ? MarginUnit::Inches : MarginUnit::Centimetres;
}

std::string MarginCaption(MarginUnit u, bool changed) {
  if (u == MarginUnit::Inches) return changed ? "Set Margins in inchs." : "Set Margins in Inchs.";
  return changed ? "Set Margins in cm." : "Set Margins in Cm.";
}

std::string MarginText(double twips, MarginUnit u) {
  double v = twips / TwipsPerUnit(u);
  if (!std::isfinite(v)) v = 0;
  char buf[48];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 2);
  return ec == std::errc() ? std::string(buf, end) : std::string("0.00");
}

std::optional<double> ParseMargin(std::string_view text, MarginUnit u) {
  std::string t = cp1252::trim(text);
  // Either decimal sign, whatever the locale: "2,5" cm is as plain as "2.5".
  for (char& c : t)
    if (c == ',') c = '.';
  if (t.empty() || t.size() > 20) return std::nullopt;
  double v = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::fixed);
  if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v) || v < 0) return std::nullopt;
  return std::round(v * TwipsPerUnit(u));
}

Thumbnail PageThumbnail(double page_width, double page_height, Orientation o, double left, double right, double top,
                        double bottom) {
  Thumbnail t;
  const double ratio = page_height > 0 ? page_width / page_height : 1;
  if (o == Orientation::Landscape) {
    t.width = 2000;
    t.height = 2000 / ratio;
  } else {
    t.height = 2000;
    t.width = 2000 * ratio;
  }
  // The page's twips come down to the thumbnail's by this factor.
  auto scaled = [](double margin) { return std::trunc(margin / 8.14); };
  t.left = scaled(left) - 10;
  t.top = scaled(top) - 10;
  t.area_width = t.width - scaled(right) - t.left;
  t.area_height = t.height - scaled(bottom) - t.top;
  return t;
}

Message MarginRefusal() {
  return {"Set Margins",
          std::string("Margin's cannot be set to these values. ") + CrLf + " Check that the margins are not to large.",
          Buttons::OK, Icon::Critical, 0};
}

std::string PaperName(int code) {
  const std::string_view name = paper_size(code).name;
  return name.empty() ? "Paper " + std::to_string(code) : std::string(name);
}

bool FamilyFormFits(double landscape_width) { return landscape_width >= kFamilyFormMinWidth; }

Message FamilyFormPaperMessage() {
  return {"Print a Family Data Form",
          std::string("The selected paper is too small for the ") + CrLf + " Family Data Form. " + CrLf +
              " Please choose either A4, US Letter or larger.",
          Buttons::OK, Icon::Information, 0};
}

PrinterChoice LoadPrinterChoice(const Session& s) {
  PrinterChoice c;
  c.device = cp1252::trim(IniReadText(s, kPrintingSection, "Printer"));
  c.paper = IniReadInt(s, kPrintingSection, "PaperSize");
  return c;
}

bool SavePrinterChoice(Session& s, const PrinterChoice& c) {
  return IniWriteMany(s, {{kPrintingSection, "Printer", c.device},
                          {kPrintingSection, "PaperSize", std::to_string(c.paper)}}) == 1;
}

void ApplyPrinterChoice(PageDocument& doc, const PrinterChoice& c) {
  if (!c.device.empty()) doc.set_device(c.device);
  if (c.paper > 0 && doc.paper_supported(c.paper)) doc.set_paper_code(c.paper);
}

}  // namespace vft::print
