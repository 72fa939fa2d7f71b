// The list of family names: every distinct family name of the tree in
// alphabetical order, comma separated or set out in 4 or 3 columns, printed
// or saved as a text file.
#pragma once
#include <string>
#include <vector>

#include "print/print_request.h"

namespace vft::print {

// Distinct, trimmed, non-empty family names (as displays show them) sorted.
std::vector<std::string> CollectFamilyNames(const Session& s);
// The format actually used: 4 columns only below 11 points (a saved size
// below 1 counts as 10); otherwise 3.
ListFormat EffectiveListFormat(ListFormat wanted, double points);
// The list as a text file in `format`: names joined by ", " on one line, or
// rows of 3 or 4 names, each name padded to one column width; lines end with
// CR LF.
std::string FamilyNamesText(const std::vector<std::string>& names, ListFormat format);

// "Save List of Family Names", and the message after a save.
std::string SaveFamilyNamesTitle(const Session& s);
inline constexpr const char* kSaveFamilyNamesFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|";
inline constexpr const char* kSavedFamilyNamesTitle = "Save Family Names to File";
std::string SavedFamilyNamesText(const Session& s, const std::string& file_name);

// With "Print to File" ticked (`chart` box 10) the result carries the text
// instead of pages; `sheet.format` chooses the layout.
PrintResult PrintFamilyNames(Session& s, PageDocument& doc, const ChartOptions& chart, const SheetOptions& sheet,
                             const Progress& progress = {});

}  // namespace vft::print
