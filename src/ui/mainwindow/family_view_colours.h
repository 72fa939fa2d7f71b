// The colours of the family view. A box takes its fill from the person's sex
// (male, female, neither, or an empty slot); the accent of the same family of
// colour draws its border and, stronger, the ring around the selected box.
#pragma once
#include <QColor>
#include <cstdint>

namespace vft::ui {

struct FamilyColours {
  QColor male, female, other, empty;  // box fills
  QColor maleAccent, femaleAccent, otherAccent, emptyAccent;
  QColor background;  // behind the diagram
  QColor line;        // connector lines
  QColor caption;     // the boxes' small titles
  QColor text;        // names
  QColor subtext;     // dates and button texts
  QColor button, buttonBorder, buttonHover;

  // The overflow list: marker-1 (female) rows red, marker-2 (male) rows blue,
  // on pale yellow.
  QColor listFemale{255, 0, 0};
  QColor listMale{0, 0, 255};
  QColor listBackground{255, 255, 221};
};

// The colour set for a display of `colour_count` colours (see
// SchemeColourCount): soft tints for full-colour displays; for 256 colours and
// fewer, colours every 8-bit palette holds, so nothing is dithered.
FamilyColours ColoursForScheme(std::int64_t colour_count);

// Fill and accent for a box of a person of sex 'M', 'F' or 0; `filled` false
// for an empty slot.
QColor BoxFill(const FamilyColours& c, char sex, bool filled);
QColor BoxAccent(const FamilyColours& c, char sex, bool filled);

}  // namespace vft::ui
