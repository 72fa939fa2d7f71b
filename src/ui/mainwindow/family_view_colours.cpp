#include "mainwindow/family_view_colours.h"

namespace vft::ui {

FamilyColours ColoursForScheme(std::int64_t colour_count) {
  FamilyColours c;
  if (colour_count > 256) {
    c.male = QColor(0xDD, 0xE9, 0xF8);
    c.female = QColor(0xF8, 0xE1, 0xEA);
    c.other = QColor(0xEE, 0xEA, 0xDA);
    c.empty = QColor(0xF2, 0xF3, 0xF5);
    c.maleAccent = QColor(0x4A, 0x7B, 0xBF);
    c.femaleAccent = QColor(0xC0, 0x58, 0x82);
    c.otherAccent = QColor(0x9A, 0x8A, 0x52);
    c.emptyAccent = QColor(0xC6, 0xCB, 0xD3);
    c.background = QColor(0xFA, 0xFA, 0xF8);
    c.line = QColor(0x9C, 0xA5, 0xB1);
    c.caption = QColor(0x6B, 0x72, 0x80);
    c.text = QColor(0x1F, 0x29, 0x37);
    c.subtext = QColor(0x4B, 0x55, 0x63);
    c.button = QColor(0xFF, 0xFF, 0xFF);
    c.buttonBorder = QColor(0xCF, 0xD6, 0xDF);
    c.buttonHover = QColor(0xEE, 0xF2, 0xF7);
    return c;
  }
  // The 6x6x6 colour cube and pure greys are in every 8-bit palette.
  c.male = QColor(0x99, 0xCC, 0xFF);
  c.female = QColor(0xFF, 0xCC, 0xCC);
  c.other = QColor(0xFF, 0xFF, 0xCC);
  c.empty = QColor(0xFF, 0xFF, 0xFF);
  c.maleAccent = QColor(0x00, 0x33, 0x99);
  c.femaleAccent = QColor(0x99, 0x00, 0x33);
  c.otherAccent = QColor(0x66, 0x66, 0x00);
  c.emptyAccent = QColor(0x99, 0x99, 0x99);
  c.background = QColor(0xFF, 0xFF, 0xFF);
  c.line = QColor(0x66, 0x66, 0x66);
  c.caption = QColor(0x33, 0x33, 0x33);
  c.text = QColor(0x00, 0x00, 0x00);
  c.subtext = QColor(0x33, 0x33, 0x33);
  c.button = QColor(0xFF, 0xFF, 0xFF);
  c.buttonBorder = QColor(0x99, 0x99, 0x99);
  c.buttonHover = QColor(0xCC, 0xCC, 0xCC);
  return c;
}

QColor BoxFill(const FamilyColours& c, char sex, bool filled) {
  if (!filled) return c.empty;
  return sex == 'M' ? c.male : sex == 'F' ? c.female : c.other;
}

QColor BoxAccent(const FamilyColours& c, char sex, bool filled) {
  if (!filled) return c.emptyAccent;
  return sex == 'M' ? c.maleAccent : sex == 'F' ? c.femaleAccent : c.otherAccent;
}

}  // namespace vft::ui
