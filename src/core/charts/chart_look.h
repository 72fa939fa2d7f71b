// What the charts write in their boxes and how they colour them. The boxes
// look like the family view's: the fill and border follow the person's sex,
// the name is shortened with the family name kept, the dates are the view's
// date line. The window, the picture files and the SVG writer all take the
// texts and the placing of the fan's texts from here.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "charts/chart_layout.h"
#include "common/text_measure.h"
#include "store/session.h"

namespace vft::chart {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

struct Colours {
  Rgb male{0xDD, 0xE9, 0xF8}, female{0xF8, 0xE1, 0xEA}, other{0xEE, 0xEA, 0xDA};
  Rgb maleAccent{0x4A, 0x7B, 0xBF}, femaleAccent{0xC0, 0x58, 0x82}, otherAccent{0x9A, 0x8A, 0x52};
  Rgb background{0xFA, 0xFA, 0xF8};
  Rgb line{0x9C, 0xA5, 0xB1};
  Rgb text{0x1F, 0x29, 0x37};
  Rgb subtext{0x4B, 0x55, 0x63};
  Rgb highlight{0x1F, 0x29, 0x37};  // the ring around the box the keys are on
};
Rgb Fill(const Colours& c, char sex);
Rgb Accent(const Colours& c, char sex);
// "#rrggbb".
std::string Hex(Rgb c);

// Fonts in points; one chart unit is 0.75 point (a pixel at 96 to the inch).
inline constexpr double kNamePoints = 9.5, kDatePoints = 8;
inline constexpr double kTwipsPerUnit = 15;
print::Font NameFont();
print::Font DateFont();

// A box's texts, CP1252 as stored. `read` is false when the person's record
// cannot be read; the box then shows its number only.
struct BoxText {
  std::string name, dates, tip;
  char sex = 0;
  bool read = false;
};

// The texts of person n for a box whose lines are `name_width` chart units
// long: the name shortened, the date line as the view shows it or, when that
// is too long, the years alone, or nothing.
BoxText TextOf(const Session& s, const print::TextMeasure& measure, std::int16_t n, double name_width);

// Where a box's texts go: the centre of the name line's baseline area, the
// turn of the text (degrees, clockwise), the room along the line, and how
// many lines fit (0: the box is too small for text, 1: the name only, 2: the
// name and the dates). Tree boxes are never turned; a fan segment's texts run
// along the arc in the inner rings and along the radius beyond, and are turned
// so that they never read upside down.
struct TextSpot {
  double x = 0, y = 0;
  double angle = 0;
  double room = 0;
  int lines = 0;
};
TextSpot TextSpotOf(const Layout& l, const Box& b);
// Line height of the two text lines, chart units.
inline constexpr double kLineStep = 14;

// The texts of every box, each person read once; names fitted to their box.
std::vector<BoxText> ChartTexts(const Session& s, const print::TextMeasure& measure, const Layout& l);

// The SVG picture of the chart, or of `area` of it when that is not empty:
// vector shapes, texts kept as text (UTF-8), repeats drawn with a dashed
// border. Boxes and lines wholly outside the area are left out.
std::string ChartSvg(const Layout& l, const std::vector<BoxText>& texts, const Colours& c, const Rect& area = {});

}  // namespace vft::chart
