// The names `vft print --items` gives the boxes of the Set Items panels,
// and ticking boxes by those names.
#include <algorithm>

#include "common/cp1252.h"
#include "print/preview_model.h"

namespace vft::print {

namespace {

constexpr std::string_view kItem3Names[item3::Count] = {"name",
                                                        "person-number",
                                                        "todays-date",
                                                        "page-numbers",
                                                        "date-of-birth",
                                                        "date-of-death",
                                                        "place-of-birth",
                                                        "place-of-death",
                                                        "partners",
                                                        "heading",
                                                        "",
                                                        "break-line",
                                                        "sex",
                                                        "marriage-details"};
constexpr std::string_view kItem1Names[item1::Count] = {"person-number",
                                                        "todays-date",
                                                        "sex",
                                                        "",
                                                        "",
                                                        "date-of-birth",
                                                        "date-of-death",
                                                        "age",
                                                        "place-of-birth",
                                                        "baptism",
                                                        "place-of-death",
                                                        "burial",
                                                        "occupation",
                                                        "address",
                                                        "phone",
                                                        "",
                                                        "children",
                                                        "partners",
                                                        "marriage-dates",
                                                        "marriage-notes",
                                                        "source",
                                                        "notes",
                                                        "page-numbers",
                                                        "break-line",
                                                        ""};

// A box the user can tick, by name: the group it is in and its index.
struct NamedBox {
  std::string name;
  ItemGroup group;
  int index;
};

std::vector<NamedBox> named_boxes(const Session& s, int request) {
  const ItemPanel panel = BuildItemPanel(s, request);
  std::vector<NamedBox> out;
  if (panel.group == ItemGroup::Sheet) {
    for (int i = 0; i < item1::Count; ++i)
      if (panel.sheet[static_cast<std::size_t>(i)].visible && !kItem1Names[i].empty())
        out.push_back({std::string(kItem1Names[i]), ItemGroup::Sheet, i});
    return out;
  }
  for (int i = 0; i < item3::Count; ++i) {
    const BoxState& b = panel.chart[static_cast<std::size_t>(i)];
    // The blank form is a printout of its own, not an item of the filled one.
    const bool offered = (b.visible && b.enabled) || (i == item3::PrintHeading && panel.heading_choice);
    if (!offered || kItem3Names[i].empty() || (request == request::FamilyData && i == item3::PrintHeading)) continue;
    std::string name(kItem3Names[i]);
    if (request == request::Descendants && i == item3::BreakLine) name = "colour";
    if (request == request::FamilyList && i == item3::DateOfBirth) name = "dates";
    if (request == request::FamilyList && i == item3::DateOfDeath) name = "age";
    out.push_back({name, ItemGroup::Chart, i});
  }
  return out;
}

void tick(PanelSettings& p, const NamedBox& b, bool on) {
  if (b.group == ItemGroup::Sheet) {
    p.sheet.items[static_cast<std::size_t>(b.index)] = on;
    return;
  }
  p.chart.items[static_cast<std::size_t>(b.index)] = on;
  if (b.index == item3::PrintHeading) {
    if (!on) p.chart.heading = HeadingPages::None;
    else if (p.chart.heading == HeadingPages::None) p.chart.heading = HeadingPages::FirstPage;
  }
}

}  // namespace

std::vector<std::string> ItemNames(const Session& s, int request) {
  std::vector<std::string> out;
  for (const NamedBox& b : named_boxes(s, request)) out.push_back(b.name);
  return out;
}

bool TickItems(const Session& s, PanelSettings& p, int request, std::string_view names, std::string& error) {
  const std::vector<NamedBox> boxes = named_boxes(s, request);
  std::vector<bool> wanted(boxes.size(), false);
  for (std::size_t pos = 0; pos <= names.size();) {
    std::size_t comma = names.find(',', pos);
    if (comma == std::string_view::npos) comma = names.size();
    const std::string name = cp1252::trim(names.substr(pos, comma - pos));
    pos = comma + 1;
    if (name.empty()) continue;
    auto it = std::find_if(boxes.begin(), boxes.end(), [&](const NamedBox& b) { return b.name == name; });
    if (it == boxes.end()) {
      error = name;
      return false;
    }
    wanted[static_cast<std::size_t>(it - boxes.begin())] = true;
  }
  for (std::size_t i = 0; i < boxes.size(); ++i) tick(p, boxes[i], wanted[i]);
  return true;
}

void TickAllItems(const Session& s, PanelSettings& p, int request) {
  for (const NamedBox& b : named_boxes(s, request)) tick(p, b, true);
}

}  // namespace vft::print
