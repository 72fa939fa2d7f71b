// Where everything of the family view goes, in pixels, for a view of a given
// size. The layout is drawn on a board 1200 units wide whose columns stretch
// with the view's width, so boxes widen with the window and keep their
// proportions. The text (and with it the height of the boxes) scales with the
// view too, but stays within bounds set by the window's normal font, and the
// rows' gaps take up what height is left. A row of grandparents (or parents)
// none of whom is recorded is drawn compactly, as captions only.
//
// The generations stand in five rows: great-grandparent markers and
// grandparents, parents, the selected person between the siblings and the
// partner, children; connector lines join each couple and run down to their
// children.
#pragma once
#include <array>
#include <vector>

#include "mainwin/family_view_model.h"

namespace vft {

struct Rect {
  double x = 0, y = 0, w = 0, h = 0;
  bool empty() const { return w <= 0 || h <= 0; }
  double right() const { return x + w; }
  double bottom() const { return y + h; }
  double cx() const { return x + w / 2; }
  double cy() const { return y + h / 2; }
};
struct Point {
  double x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

// Board sizes of the texts (units of the text scale).
inline constexpr double kBoxNameText = 13.5, kSelectedNameText = 16, kDatesText = 11.5, kCaptionText = 10.5;
inline constexpr double kButtonText = 12, kPillText = 11.5;
// Board sizes of a box's paddings left and right of its name.
inline constexpr double kBoxPadLeft = 16, kBoxPadRight = 10;

// How the board meets the view: `sx` pixels per board unit across, `text`
// pixels per unit of text (fonts, box heights, paddings).
struct DiagramScale {
  double width = 0, height = 0;  // the view
  double sx = 1, text = 1;
  double px(double text_units) const { return text_units * text; }
  // The pixels a box's name may take, ordinary and selected box.
  double name_area() const;
  double selected_name_area() const;
};

// The scale for a view of width x height pixels in a window whose normal
// font is `normal_px` pixels high. It does not depend on who is shown, so
// names are fitted once for a size.
DiagramScale ChooseDiagramScale(double width, double height, double normal_px);

// Widths in pixels of the texts that size their controls, measured in the
// scale's fonts.
struct CaptionWidths {
  double partnership = 0;     // butPartnersMarried, already widened by its factor
  double parentsMarried = 0;  // lblParentsMarried
  std::array<double, kChildSlots> childButtons{};
  double more = 0;  // the widest "More" caption
};

struct DiagramLayout {
  // Pixel rectangles; an empty one is a control that is not shown.
  std::array<Rect, kSlotCount> boxes{};
  std::array<Rect, kMarkerCount> markers{};
  std::array<Rect, kChildSlots> childButtons{};
  Rect moreSpouses, moreChildren, moreSiblings;
  Rect partnership, parentsMarried;
  // Connector lines as polylines; corners are rounded when drawn.
  std::vector<std::vector<Point>> lines;
  // The selected person's row of boxes, which nothing laid over the view covers.
  Rect selectedRow;

  const Rect& box(Slot s) const { return boxes[SlotIndex(s)]; }
};

DiagramLayout LayOutDiagram(const FamilyViewModel& v, const DiagramScale& scale, const CaptionWidths& widths);

// Where a list of w x h pixels opened from `anchor` goes in a view of
// `view_w` x `view_h`: beside the control (right of it where it fits, else
// left), on the control's side of `keep_clear` and never over it, inside the
// view. Its height is cut to the room there; the list then scrolls.
Rect PlaceOverflowList(const Rect& anchor, double w, double h, double view_w, double view_h, const Rect& keep_clear);

}  // namespace vft
