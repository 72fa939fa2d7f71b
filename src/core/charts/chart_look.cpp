#include "charts/chart_look.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <unordered_map>

#include "common/cp1252.h"
#include "mainwin/family_view_text.h"
#include "relations/fit_name.h"
#include "relations/person_io.h"

namespace vft::chart {

Rgb Fill(const Colours& c, char sex) { return sex == 'M' ? c.male : sex == 'F' ? c.female : c.other; }
Rgb Accent(const Colours& c, char sex) {
  return sex == 'M' ? c.maleAccent : sex == 'F' ? c.femaleAccent : c.otherAccent;
}

std::string Hex(Rgb c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
  return buf;
}

print::Font NameFont() { return {"Arial", kNamePoints, true, false, false}; }
print::Font DateFont() { return {"Arial", kDatePoints, false, false, false}; }

BoxText TextOf(const Session& s, const print::TextMeasure& measure, std::int16_t n, double name_width) {
  BoxText t;
  PersonRecord p;
  if (n < 1 || !ReadStoredPerson(s, n, p)) {
    t.name = "#" + std::to_string(n);
    return t;
  }
  p.PerNum = n;
  t.read = true;
  t.sex = SexOf(p);
  // FitName keeps its own margin free; the chart's boxes are the width given.
  t.name = FitName(s, measure, NameFont(), name_width * kTwipsPerUnit + kNameMargin, p);
  // The date line as the view shows it, else the years alone, else nothing.
  t.dates = DateLine(p, false);
  const double room = name_width * kTwipsPerUnit;
  if (measure.width(t.dates, DateFont()) > room) {
    auto year = [](const std::string& date) {
      const std::string d = cp1252::trim(date);
      const auto at = d.find_last_not_of("0123456789");
      const std::string tail = at == std::string::npos ? d : d.substr(at + 1);
      return tail.size() == 4 ? tail : std::string(d.empty() ? "" : "?");
    };
    t.dates = year(p.BirthDate) + " - " + year(p.DeathDate);
    if (measure.width(t.dates, DateFont()) > room) t.dates.clear();
  }
  t.tip = SlotDescription(p);
  const std::string born = cp1252::trim(p.BirthPlace), died = cp1252::trim(p.DeathPlace);
  if (!born.empty()) t.tip += "\nBorn in " + born;
  if (!died.empty()) t.tip += "\nDied in " + died;
  return t;
}

namespace {
constexpr double kDeg = 180 / std::numbers::pi;
constexpr double kPad = 10;  // text keeps this far from a box's ends
}  // namespace

TextSpot TextSpotOf(const Layout& l, const Box& b) {
  TextSpot t;
  if (l.kind != Kind::Fan) {
    t.x = b.cx();
    t.y = b.y + b.h / 2 - kLineStep / 2;
    t.room = b.w - 2 * kPad;
    t.lines = 2;
    return t;
  }
  const Sector& s = b.sector;
  const double mid = (s.a0 + s.a1) / 2, sweep = s.a1 - s.a0;
  if (b.level == 0) {
    // The root's disc, or half disc: level text, a little above the centre
    // of a half disc so that it stays inside it.
    const bool half = sweep < 2 * std::numbers::pi - 1e-9;
    t.x = l.cx;
    t.y = l.cy - (half ? s.r1 * 0.35 : kLineStep / 2);
    t.room = (half ? 1.6 : 1.8) * s.r1 - 2 * kPad;
    t.lines = 2;
    return t;
  }
  const double rm = (s.r0 + s.r1) / 2;
  t.x = l.cx + rm * std::cos(mid);
  t.y = l.cy + rm * std::sin(mid);
  double across;  // the room across the text lines
  if (FanAlongArc(b.level)) {
    // Along the arc: a straight line touching the middle of the ring, as long
    // as its ends stay within the segment's sides and its outer rim.
    t.angle = mid * kDeg + 90;
    if (std::sin(mid) > 1e-9) t.angle -= 180;  // the lower half reads the other way up
    const double sides = rm * std::tan(std::min(sweep, 0.9 * std::numbers::pi) / 2);
    // The outer edge of the lines, not their middle, must stay within the
    // rim; two lines stand one line step either side of the middle.
    const double outer = rm + kLineStep;
    t.room = 2 * std::min(sides, std::sqrt(std::max(0.0, s.r1 * s.r1 - outer * outer))) - 2 * kPad;
    across = s.r1 - s.r0;
  } else {
    t.angle = mid * kDeg;
    if (std::cos(mid) < -1e-9) t.angle += 180;  // the left side reads outwards-in
    t.room = s.r1 - s.r0 - 2 * kPad;
    across = s.r0 * sweep;
  }
  t.lines = across >= 2 * kLineStep + 2 ? 2 : across >= kLineStep ? 1 : 0;
  if (t.room < 24) t.lines = 0;
  // Two lines are centred on the segment's middle, one line sits on it.
  if (t.lines == 2) {
    const double turn = t.angle / kDeg;
    t.x += std::sin(turn) * kLineStep / 2;
    t.y -= std::cos(turn) * kLineStep / 2;
  }
  t.angle = std::fmod(t.angle + 360, 360);
  return t;
}

std::vector<BoxText> ChartTexts(const Session& s, const print::TextMeasure& measure, const Layout& l) {
  std::vector<BoxText> out(l.boxes.size());
  // Keyed by person and room: a person shown twice in boxes of one size is read once.
  std::unordered_map<long, std::size_t> done;
  for (std::size_t i = 0; i < l.boxes.size(); ++i) {
    const double room = TextSpotOf(l, l.boxes[i]).room;
    const long key = static_cast<long>(l.boxes[i].person) * 100000 + std::lround(room);
    auto it = done.find(key);
    if (it != done.end()) {
      out[i] = out[it->second];
      continue;
    }
    out[i] = TextOf(s, measure, l.boxes[i].person, room);
    done.emplace(key, i);
  }
  return out;
}

}  // namespace vft::chart
