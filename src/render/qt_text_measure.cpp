#include "qt_text_measure.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "qt_text.h"

namespace vft::ui {
namespace {

constexpr std::size_t kCachedFonts = 32;

}  // namespace

QString font_family(const std::string& cp1252_name) {
  QString name = qs(cp1252_name);
  if (name.compare(QStringLiteral("Arial"), Qt::CaseInsensitive) == 0 && !QFontDatabase::hasFamily(name))
    return QStringLiteral("Liberation Sans");
  return name;
}

QFont twips_font(const print::Font& font) {
  QFont f(font_family(font.name));
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size * 20.0))));
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  // Hinting would fit glyphs to the pixels of one device; design metrics
  // keep a line as wide on screen as on paper.
  f.setHintingPreference(QFont::PreferNoHinting);
  // Without kerning a text is exactly as wide as its letters' advances,
  // which is how QtTextMeasure measures it.
  f.setKerning(false);
  f.setStyleStrategy(QFont::PreferOutline);
  return f;
}

const QtTextMeasure::Metrics& QtTextMeasure::metrics(const print::Font& font) const {
  for (const Metrics& m : cache_) {
    if (m.font == font) return m;
  }
  if (cache_.size() >= kCachedFonts) cache_.clear();
  QFontMetricsF qt(twips_font(font));
  Metrics& m = cache_.emplace_back();
  m.font = font;
  for (int b = 32; b < 256; ++b) {
    char32_t u = cp1252::to_unicode(static_cast<unsigned char>(b));
    if (u >= 0x20 && u <= 0xFFFF && !(u >= 0x7F && u < 0xA0)) m.advance[b] = qt.horizontalAdvance(QChar(u));
  }
  m.line_height = qt.lineSpacing();
  m.ascent = qt.ascent();
  return m;
}

double QtTextMeasure::width(std::string_view text, const print::Font& font) const {
  const Metrics& m = metrics(font);
  double w = 0;
  for (char c : text) w += m.advance[static_cast<unsigned char>(c)];
  return w;
}

double QtTextMeasure::line_height(const print::Font& font) const { return metrics(font).line_height; }

double QtTextMeasure::ascent(const print::Font& font) const { return metrics(font).ascent; }

}  // namespace vft::ui
