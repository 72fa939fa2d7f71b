// The margins dialog and the printer dialog without their widgets: margins
// shown in inches or centimetres and read back in twips, the page thumbnail
// with its printable area and the refusal of margins that leave none, the
// paper list's names, and the family data form's
// paper check.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "common/prompter.h"
#include "print/page_document.h"

namespace vft {
class Session;
}

namespace vft::print {

enum class MarginUnit : std::uint8_t { Inches, Centimetres };
inline constexpr double kTwipsPerInch = 1440;
inline constexpr double kTwipsPerCm = 567;
double TwipsPerUnit(MarginUnit u);
// The unit of the user's measurement setting: 1 means inches.
MarginUnit MarginUnitOf(int measure_setting);
// Label2 of the margins dialog; `changed` after the unit was switched.
std::string MarginCaption(MarginUnit u, bool changed = false);
// A margin in the dialog's unit, "0.00".
std::string MarginText(double twips, MarginUnit u);
// A typed margin in twips; nothing for a text that is no number (a '.' or
// ',' may separate the decimals) or for a negative one.
std::optional<double> ParseMargin(std::string_view text, MarginUnit u);

// The thumbnail of the page and the printable area inside it, in the
// thumbnail's own twips (the picture is 2000 twips on its long side).
struct Thumbnail {
  double width = 0, height = 0;
  double left = 0, top = 0, area_width = 0, area_height = 0;
  bool fits() const { return area_width >= 0 && area_height >= 0; }
};
// `page_width`/`page_height` as the page stands.
Thumbnail PageThumbnail(double page_width, double page_height, Orientation o, double left, double right, double top,
                        double bottom);
Message MarginRefusal();

// The paper list shows names only (the code goes with each entry as its
// data); a code without a name is listed by its number.
std::string PaperName(int code);

// The family data form needs a landscape page at least this wide.
inline constexpr double kFamilyFormMinWidth = 15000;
// True when a page of `landscape_width` twips (its long side) takes the form.
bool FamilyFormFits(double landscape_width);
Message FamilyFormPaperMessage();

// The printer and paper last chosen in the printer dialog, kept in the
// "Printing" section so the next preview (and the next run) starts with them.
struct PrinterChoice {
  std::string device;  // empty: the platform's default
  int paper = 0;       // 0: the document's default paper
};
PrinterChoice LoadPrinterChoice(const Session& s);
bool SavePrinterChoice(Session& s, const PrinterChoice& c);
// Puts a saved choice into the document; a device or paper the document
// does not know is left out.
void ApplyPrinterChoice(PageDocument& doc, const PrinterChoice& c);

}  // namespace vft::print
