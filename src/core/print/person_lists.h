// The person lists: every recorded person (request 4) with the items of the
// data sheet, or the persons of one family name (request 5) in short
// entries; sorted by Person number or by name, and closed by the count.
#pragma once
#include <cstdint>
#include <string>

#include "print/print_request.h"

namespace vft::print {

inline constexpr const char* kListAllHeading = "List of All Recorded People";
// "List of Smith's"
std::string FamilyListHeading(const std::string& family_name);
// The refusal of a family name nobody has (title "Problem").
std::string UnknownFamilyNameText(const std::string& family_name);

// `chart` gives the heading pages; `sheet` the items, the order and, for
// request 5, the family name. Questions and refusals go through s.ask.
PrintResult PrintPersonList(Session& s, PageDocument& doc, int request, const ChartOptions& chart,
                            const SheetOptions& sheet, const Progress& progress = {});

}  // namespace vft::print
