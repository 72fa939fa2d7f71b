#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "charts/chart_look.h"
#include "common/cp1252.h"

namespace vft::chart {
namespace {

std::string Num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f", std::abs(v) < 0.05 ? 0.0 : v);
  return buf;
}

// CP1252 text as XML character data. Control characters have no place in
// XML 1.0: line breaks become blanks, the rest are dropped.
std::string Xml(const std::string& cp) {
  std::string out;
  for (char ch : cp1252::to_utf8(cp)) {
    const auto u = static_cast<unsigned char>(ch);
    if (u < 0x20) {
      if (ch == '\n' || ch == '\t') out += ' ';
      continue;
    }
    if (ch == '&') out += "&amp;";
    else if (ch == '<') out += "&lt;";
    else if (ch == '>') out += "&gt;";
    else if (ch == '"') out += "&quot;";
    else out += ch;
  }
  return out;
}

std::string SectorPath(const Layout& l, const Sector& s) {
  auto at = [&](double r, double a) { return Num(l.cx + r * std::cos(a)) + " " + Num(l.cy + r * std::sin(a)); };
  const bool large = s.a1 - s.a0 > std::numbers::pi + 1e-9;
  const std::string r1 = Num(s.r1), r0 = Num(s.r0);
  std::string d = "M" + at(s.r1, s.a0) + " A" + r1 + " " + r1 + " 0 " + (large ? "1" : "0") + " 1 " + at(s.r1, s.a1);
  if (s.r0 <= 0) return d + " L" + Num(l.cx) + " " + Num(l.cy) + " Z";
  return d + " L" + at(s.r0, s.a1) + " A" + r0 + " " + r0 + " 0 " + (large ? "1" : "0") + " 0 " + at(s.r0, s.a0) + " Z";
}

void Text(std::string& out, double x, double y, double angle, const std::string& text, double points, bool bold,
          Rgb colour) {
  const double px = points / 0.75;
  out += "<text x=\"" + Num(x) + "\" y=\"" + Num(y + px * 0.35) + "\" font-size=\"" + Num(px) + "\"";
  if (bold) out += " font-weight=\"bold\"";
  out += " fill=\"" + Hex(colour) + "\"";
  if (angle != 0) out += " transform=\"rotate(" + Num(angle) + " " + Num(x) + " " + Num(y) + ")\"";
  out += ">" + Xml(text) + "</text>\n";
}

}  // namespace

std::string ChartSvg(const Layout& l, const std::vector<BoxText>& texts, const Colours& c, const Rect& part) {
  const Rect area = part.empty() ? Rect{0, 0, l.width, l.height} : part;
  const std::string x = part.empty() ? "0" : Num(area.x), y = part.empty() ? "0" : Num(area.y);
  const std::string w = Num(area.w), h = Num(area.h);
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h + "\" viewBox=\"" + x + " " + y +
         " " + w + " " + h + "\" font-family=\"Arial, Helvetica, sans-serif\" text-anchor=\"middle\">\n";
  out += "<rect";
  if (!part.empty()) out += " x=\"" + x + "\" y=\"" + y + "\"";
  out += " width=\"" + w + "\" height=\"" + h + "\" fill=\"" + Hex(c.background) + "\"/>\n";
  for (const Line& line : l.lines) {
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    for (std::size_t k = 0; k + 1 < line.xy.size(); k += 2) {
      x0 = std::min(x0, line.xy[k]), x1 = std::max(x1, line.xy[k]);
      y0 = std::min(y0, line.xy[k + 1]), y1 = std::max(y1, line.xy[k + 1]);
    }
    if (!area.meets(x0, y0, x1, y1)) continue;
    out += "<path d=\"M";
    for (std::size_t k = 0; k + 1 < line.xy.size(); k += 2)
      out += (k ? " L" : "") + Num(line.xy[k]) + " " + Num(line.xy[k + 1]);
    out += "\" fill=\"none\" stroke=\"" + Hex(c.line) + "\" stroke-width=\"1.5\"";
    if (line.dashed) out += " stroke-dasharray=\"4 3\"";
    out += "/>\n";
  }
  for (std::size_t i = 0; i < l.boxes.size(); ++i) {
    const Box& b = l.boxes[i];
    if (!area.meets(b.x, b.y, b.x + b.w, b.y + b.h)) continue;
    const BoxText t = i < texts.size() ? texts[i] : BoxText{};
    out += "<g>";
    if (!t.tip.empty()) out += "<title>" + Xml(t.tip) + "</title>";
    const std::string paint = "fill=\"" + Hex(Fill(c, t.sex)) + "\" stroke=\"" + Hex(Accent(c, t.sex)) +
                              "\" stroke-width=\"1.5\"" + (b.repeat() ? " stroke-dasharray=\"5 3\"" : "");
    if (l.kind != Kind::Fan)
      out += "<rect x=\"" + Num(b.x) + "\" y=\"" + Num(b.y) + "\" width=\"" + Num(b.w) + "\" height=\"" + Num(b.h) +
             "\" rx=\"6\" " + paint + "/>\n";
    else if (b.sector.a1 - b.sector.a0 >= 2 * std::numbers::pi - 1e-9)
      out +=
          "<circle cx=\"" + Num(l.cx) + "\" cy=\"" + Num(l.cy) + "\" r=\"" + Num(b.sector.r1) + "\" " + paint + "/>\n";
    else out += "<path d=\"" + SectorPath(l, b.sector) + "\" " + paint + "/>\n";
    const TextSpot spot = TextSpotOf(l, b);
    if (spot.lines >= 1) Text(out, spot.x, spot.y, spot.angle, t.name, kNamePoints, true, c.text);
    if (spot.lines >= 2 && !t.dates.empty()) {
      const double turn = spot.angle * std::numbers::pi / 180;
      Text(out, spot.x - std::sin(turn) * kLineStep, spot.y + std::cos(turn) * kLineStep, spot.angle, t.dates,
           kDatePoints, false, c.subtext);
    }
    out += "</g>\n";
  }
  out += "</svg>\n";
  return out;
}

}  // namespace vft::chart
