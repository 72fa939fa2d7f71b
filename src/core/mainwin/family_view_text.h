// The texts of the family view that do not depend on where a person stands in
// the diagram: shortened names, date lines, the one-line descriptions the
// status line shows, partnership captions and the command tool tips.
#pragma once
#include <cstdint>
#include <string>

#include "common/text_measure.h"
#include "relations/fit_name.h"
#include "store/session.h"

namespace vft {

// Tool tips name people at this width (twips).
inline constexpr double kToolTipNameWidth = 3000;

// "One" .. "Nine" for 1 to 9; any other value in digits.
std::string NumberWord(int n);

// "birth - death" as stored, trimmed; the selected person's box shows an
// unknown birth date instead of none.
std::string DateLine(const PersonRecord& p, bool selected_box);

// "Given Family  (#n),   birth - death": the description hovering shows.
std::string SlotDescription(const PersonRecord& p);

// The line between two parents, from their family (Marriage number m).
std::string ParentsMarriedText(const Session& s, std::int16_t m);

// The partnership button's caption and how much wider than the caption the
// button is made, so that the caption never touches its edge.
struct PartnershipCaption {
  std::string text;
  double widen = 1.0;
};
PartnershipCaption PartnershipButtonCaption(const Session& s, std::int16_t m);

// Tool tips of the command buttons that name the selected person.
struct CommandToolTips {
  std::string AddPerson, Connect, EditMarr, Disconnect, Delete;
};
// `partner` may be 0 (a partnership with an unknown partner).
CommandToolTips BuildCommandToolTips(const Session& s, const print::TextMeasure& measure, const print::Font& font,
                                     std::int16_t selected, std::int16_t partner);

}  // namespace vft
