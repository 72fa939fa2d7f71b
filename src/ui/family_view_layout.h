// Where everything of the family view goes, on a fixed 1200 x 640 drawing
// board that the widget scales to its size. The generations stand in five
// rows: grandparents, parents, the selected person between the siblings and
// the partner, children; connector lines join each couple and run down to
// their children.
#pragma once
#include <QPolygonF>
#include <QRectF>
#include <array>
#include <vector>

#include "mainwin/family_view_model.h"

namespace vft::ui {

inline constexpr double kBoardWidth = 1200;
inline constexpr double kBoardHeight = 640;
inline constexpr double kBoxWidth = 196;
inline constexpr double kBoxHeight = 78;
inline constexpr double kSelectedWidth = 236;
inline constexpr double kSelectedHeight = 94;

// Widths on the board of the texts that size their controls.
struct CaptionWidths {
  double partnership = 0;     // butPartnersMarried, already widened by its factor
  double parentsMarried = 0;  // lblParentsMarried
  std::array<double, kChildSlots> childButtons{};
  double more = 0;  // the widest "More" caption
};

struct DiagramLayout {
  // Board rectangles; a null rectangle is a control that is not shown.
  std::array<QRectF, kSlotCount> boxes{};
  std::array<QRectF, kMarkerCount> markers{};
  std::array<QRectF, kChildSlots> childButtons{};
  QRectF moreSpouses, moreChildren, moreSiblings;
  QRectF partnership, parentsMarried;
  // Connector lines as polylines; corners are rounded when drawn.
  std::vector<QPolygonF> lines;

  const QRectF& box(Slot s) const { return boxes[SlotIndex(s)]; }
};

DiagramLayout LayOutDiagram(const FamilyViewModel& v, const CaptionWidths& widths);

}  // namespace vft::ui
