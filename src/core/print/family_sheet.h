// The family data sheet: a landscape form for one couple and their children
// (the family the main window displays), or the same form blank for filling
// in by hand.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "print/print_request.h"

namespace vft::print {

// The form's width for a landscape page: 14000 twips on pages wider than
// 16000, 13000 on pages of 15000 to 16000, 0 (refused) below. Paper that is
// too small is refused by PrintFamilySheet alone, with the message of
// FamilyFormPaperMessage(): the preview window leaves that check to it, so
// the user is told once.
double FamilyFormWidth(double page_width);

// Why a person without partners has no family data sheet (title
// kNoPartnersTitle, information icon).
inline constexpr const char* kNoPartnersTitle = "Print a Family Data Sheet";
std::string NoPartnersText(const Session& s, const PersonRecord& p);

// The children table's formats for a form width.
std::string ChildHeaderFormat(double form_width);
std::string ChildRowFormat(double form_width);

// Writes the form of `person` and `partner` (0: a partner not recorded)
// into `doc`, landscape. `o` gives "Person number", "Todays date" and
// "Page numbers"; the form's running text keeps a printer's distance from
// the paper's edge.
PrintResult PrintFamilySheet(Session& s, PageDocument& doc, const TextMeasure& measure, const ChartOptions& o,
                             std::int16_t person, std::int16_t partner, bool blank, const Progress& progress = {});

}  // namespace vft::print
