// How big a text is on paper. The page document lays out every line itself
// (cell wrapping, paragraph wrapping, page breaks), so it needs the widths of
// texts before anything is drawn. The window program measures with the real
// fonts; tests use FixedMeasure, whose numbers can be worked out by hand.
#pragma once
#include <string>
#include <string_view>

namespace vft::print {

// A font as the printouts know it. The name and every text are CP1252;
// the size is in points (1 point = 20 twips).
struct Font {
  std::string name = "Arial";
  double size = 10;
  bool bold = false;
  bool italic = false;
  bool underline = false;

  friend bool operator==(const Font&, const Font&) = default;
};

class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  // Advance width in twips of `text` written on one line. The text holds no
  // line breaks (the page document splits lines before it asks).
  virtual double width(std::string_view text, const Font& font) const = 0;
  // Height in twips of one line of text in `font`: the distance from the top
  // of one line to the top of the next. The height of any text is its number
  // of lines times this.
  virtual double line_height(const Font& font) const = 0;
};

// Every byte advances half the point size in twips (size x 20 x 0.5), bold
// text 10% more; a line is 1.2 x the point size high (size x 24 twips).
// A 10-point "Abc" is 300 twips wide (330 in bold), a 10-point line 240 high.
class FixedMeasure : public TextMeasure {
 public:
  double width(std::string_view text, const Font& font) const override {
    double advance = font.size * 10.0 * (font.bold ? 1.1 : 1.0);
    return advance * static_cast<double>(text.size());
  }
  double line_height(const Font& font) const override { return font.size * 24.0; }
};

}  // namespace vft::print
