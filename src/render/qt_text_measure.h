// Measuring and choosing fonts for the page document with Qt. The renderer
// draws through a painter scaled so that one unit is one twip, so fonts are
// sized in pixels of that space (a 10-point font is 200 units high) and the
// widths measured here are the widths drawn on every device.
#pragma once
#include <QFont>
#include <QString>
#include <array>
#include <string>
#include <vector>

#include "common/text_measure.h"

namespace vft::ui {

// The family to use for a font name: "Arial" where it is installed, else the
// metric-compatible "Liberation Sans"; any other name as it is.
QString font_family(const std::string& cp1252_name);

// The QFont for a page-document font, sized in twips.
QFont twips_font(const print::Font& font);

// Widths are the sums of the characters' advances: with kerning off (see
// twips_font) that is what Qt draws, and it spares shaping every cell of a
// chart of thousands of rows.
class QtTextMeasure : public print::TextMeasure {
 public:
  double width(std::string_view text, const print::Font& font) const override;
  double line_height(const print::Font& font) const override;
  // Distance from a line's top to its baseline, in twips.
  double ascent(const print::Font& font) const;

 private:
  struct Metrics {
    print::Font font;
    std::array<double, 256> advance{};  // by CP1252 byte
    double line_height = 0;
    double ascent = 0;
  };
  const Metrics& metrics(const print::Font& font) const;
  // Charts use a handful of fonts; looking them up beats building metrics
  // for every cell.
  mutable std::vector<Metrics> cache_;
};

}  // namespace vft::ui
