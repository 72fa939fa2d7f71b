// The family view's geometry over a table of window sizes: boxes widen with
// the width, text stays within its bounds around the window's font, nothing
// overlaps or leaves the view, empty rows are compact, and the overflow list
// goes beside its control without covering the selected person's row.
#include <gtest/gtest.h>

#include "mainwin/family_view_geometry.h"

using namespace vft;

namespace {

constexpr double kFont = 13;  // the window's normal font, pixels

// Everyone shown: four grandparents with markers, both parents, partner,
// two siblings, four children with their buttons, every More button.
FamilyViewModel full_family(bool grandparents = true) {
  FamilyViewModel v;
  for (int i = 0; i < kSlotCount; ++i) {
    v.Slots[static_cast<std::size_t>(i)].Visible = true;
    v.Slots[static_cast<std::size_t>(i)].Person = static_cast<std::int16_t>(i + 1);
  }
  for (int i = 0; i < kGrandParentSlots && !grandparents; ++i) v.Slots[static_cast<std::size_t>(i)].Person = 0;
  v.Markers = {grandparents, grandparents, grandparents, grandparents, true};
  for (ChildrenButton& b : v.ChildButtons) b.Visible = true;
  v.ParentsMarried = " Married 1 May 1900 ";
  v.MoreSpouses = v.MoreChildren = v.MoreSiblings = true;
  return v;
}

CaptionWidths captions() {
  CaptionWidths w;
  w.partnership = 150;
  w.parentsMarried = 140;
  w.childButtons = {90, 90, 70, 70};
  w.more = 60;
  return w;
}

std::vector<Rect> shown_rects(const DiagramLayout& d) {
  std::vector<Rect> all(d.boxes.begin(), d.boxes.end());
  all.insert(all.end(), d.markers.begin(), d.markers.end());
  all.insert(all.end(), d.childButtons.begin(), d.childButtons.end());
  for (const Rect& r : {d.moreSpouses, d.moreChildren, d.moreSiblings, d.partnership, d.parentsMarried})
    all.push_back(r);
  std::erase_if(all, [](const Rect& r) { return r.empty(); });
  return all;
}

bool overlap(const Rect& a, const Rect& b) {
  return a.x < b.right() - 0.5 && b.x < a.right() - 0.5 && a.y < b.bottom() - 0.5 && b.y < a.bottom() - 0.5;
}

}  // namespace

TEST(FamilyViewGeometry, FitsEveryWindowSizeWithBoundedText) {
  struct Case {
    double w, h;
    double name_px;  // the ordinary name's size
  };
  // Small windows keep the text at 0.95 of the window's font, large ones stop at 1.2 of it;
  // in between it follows the view.
  const Case cases[] = {{1100, 560, 0.95 * kFont}, {1280, 630, 13.5 * 630 / 628}, {1366, 680, 13.5 * 680 / 628},
                        {1920, 960, 1.2 * kFont},  {2560, 1300, 1.2 * kFont},     {900, 420, 13.5 * 420 / 552}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
    const DiagramScale sc = ChooseDiagramScale(c.w, c.h, kFont);
    EXPECT_NEAR(kBoxNameText * sc.text, c.name_px, 0.01);
    for (bool grandparents : {true, false}) {
      const DiagramLayout d = LayOutDiagram(full_family(grandparents), sc, captions());
      // A grandparent row without grandparents is compact.
      EXPECT_NEAR(d.box(Slot::GrandParent0).h, (grandparents ? 78 : 26) * sc.text, 1e-6);
      const std::vector<Rect> all = shown_rects(d);
      ASSERT_EQ(all.size(), grandparents ? 28u : 24u);
      for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_GE(all[i].x, -1e-6) << i;
        EXPECT_GE(all[i].y, -1e-6) << i;
        EXPECT_LE(all[i].right(), c.w + 1e-6) << i;
        EXPECT_LE(all[i].bottom(), c.h + 1e-6) << i;
        for (std::size_t j = i + 1; j < all.size(); ++j) EXPECT_FALSE(overlap(all[i], all[j])) << i << " " << j;
      }
    }
  }
}

TEST(FamilyViewGeometry, ListGoesBesideItsControlAndOffTheSelectedRow) {
  const Rect row{0, 300, 1366, 100};
  struct Case {
    Rect anchor;
    double w, h;
    Rect expected;
  };
  const Case cases[] = {
      // Below the row: to the right, level with the control.
      {{900, 420, 80, 26}, 200, 150, {988, 420, 200, 150}},
      // No room on the right: to the left.
      {{1250, 420, 80, 26}, 200, 150, {1042, 420, 200, 150}},
      // Too tall for the room below: moved up to the row, no further, and cut.
      {{400, 600, 80, 26}, 200, 500, {488, 408, 200, 352}},
      // Above the row: growing upwards from the control's foot, never into the row.
      {{20, 260, 80, 26}, 200, 150, {108, 136, 200, 150}},
      {{20, 100, 80, 26}, 200, 150, {108, 8, 200, 150}},
      // As wide as the view: centred under the control as far as it can be.
      {{600, 420, 80, 26}, 1400, 100, {8, 420, 1350, 100}},
  };
  for (const Case& c : cases) {
    const Rect r = PlaceOverflowList(c.anchor, c.w, c.h, 1366, 768, row);
    EXPECT_EQ(std::vector<double>({r.x, r.y, r.w, r.h}),
              std::vector<double>({c.expected.x, c.expected.y, c.expected.w, c.expected.h}))
        << c.anchor.x << "," << c.anchor.y;
  }
}
