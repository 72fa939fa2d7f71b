// A person's name shortened to the width of a box. The family view and the
// charts both draw names in boxes, so the rule lives below both of them.
#pragma once
#include <cstdint>
#include <string>

#include "common/text_measure.h"
#include "store/session.h"

namespace vft {

// The boxes keep this much of their width free of the name (twips).
inline constexpr double kNameMargin = 200;

// The name of person n shortened to fit a box `box_width` twips wide when
// written in `font`. Given names are dropped from the right a whole word at a
// time, and the last given name never appears in a shortened name. Empty when
// the person cannot be read.
std::string FitName(const Session& s, const print::TextMeasure& measure, const print::Font& font, double box_width,
                    std::int16_t n);
// The same for a record already read.
std::string FitName(const Session& s, const print::TextMeasure& measure, const print::Font& font, double box_width,
                    const PersonRecord& p);
// The same for a name already in the form it is shown in.
std::string FitName(const print::TextMeasure& measure, const print::Font& font, double box_width,
                    const std::string& given, const std::string& fam);

}  // namespace vft
