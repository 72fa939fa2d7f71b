// The person's data sheet: everything recorded about one person, section by
// section, with the children, the partners and the notes.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "print/print_request.h"

namespace vft::print {

// The question asked before a sheet whose font is too large for its page:
// pages narrower than 9000 twips take at most 8 points, pages narrower than
// 12000 twips at most 14. nullopt when the size is fine.
std::optional<std::string> FontSizeQuestion(double page_width, double points);
inline constexpr const char* kFontQuestionTitle = "Problem";

// Writes the sheet of `person` into `doc` (whose font, margins and
// orientation are set). Asks the font question first; No, a person that
// cannot be read, or Cancel leave no document.
PrintResult PrintDataSheet(Session& s, PageDocument& doc, const SheetOptions& o, std::int16_t person,
                           const Progress& progress = {});

}  // namespace vft::print
