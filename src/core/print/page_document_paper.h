// Paper sizes by the printer paper codes the settings and the printer dialog
// use (1 Letter, 9 A4, 11 A5, ..., 256 user-defined). Sizes are in twips with
// the short side first, as the sheet stands in portrait.
#pragma once
#include <string_view>

namespace vft::print {

inline constexpr int kPaperLetter = 1;
inline constexpr int kPaperA4 = 9;
inline constexpr int kPaperA5 = 11;
inline constexpr int kPaperUserDefined = 256;

struct PaperSize {
  int code = 0;
  std::string_view name;  // the name the printer dialog lists, empty for unnamed codes
  double width = 0;       // twips, portrait (the shorter side)
  double height = 0;      // twips, portrait (the longer side)
};

// The paper of `code`; codes 1 to 41 have a name and a size, 256 has its name
// and no size (width and height 0), any other code has neither.
PaperSize paper_size(int code);
// True for the codes whose size is known (1 to 41).
bool paper_has_size(int code);

}  // namespace vft::print
