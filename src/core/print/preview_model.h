// What the print preview window decides without a widget: which item boxes
// a request's Set Items panel shows and how they read, the page label and
// the paging buttons' states, Go To's range check, zoom steps, the status
// texts, the print chooser's refusal, the family-names list's save texts,
// and the panel settings that are not item boxes (sort, list format). The
// window only shows these and passes the user's choices back.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "print/chart_options.h"
#include "print/sheet_options.h"
#include "store/session.h"

namespace vft::print {

// The two item arrays: chkPrintStyle1 (data sheets, the list of all) and
// chkPrintStyle3 (charts, time line, family lists, family data sheet).
enum class ItemGroup : std::uint8_t { Sheet, Chart };
ItemGroup GroupOf(int request);

struct BoxState {
  bool visible = false;
  bool enabled = true;
  std::string caption;  // CP1252, with its & accelerator where it has one
};

// The Set Items panel of one request.
struct ItemPanel {
  int request = 0;
  ItemGroup group = ItemGroup::Chart;
  std::string title;                         // the panel's title
  std::array<BoxState, item1::Count> sheet;  // chkPrintStyle1_0..24
  std::array<BoxState, item3::Count> chart;  // chkPrintStyle3_0..13
  bool generations = false;                  // the generations question and txtNumOfGenerations
  bool heading_choice = false;               // " Print heading " (Option1)
  bool sort = false;                         // " Sort By " (optSort)
  bool family_name = false;                  // "Family Name to List: " and txtFamName
  bool list_format = false;                  // " Format list in: "
  bool select_all = true;                    // "Select &All" of the group shown
  bool printer_button = true;                // "Prin&ter.."
  bool close_button = true;                  // the panel's close button
  bool preview_waits = false;                // "Pre&view" disabled until the panel is filled
  bool starts_at_once = false;               // generation starts as the window opens
};

// The panel of `request` (1..8; anything else gives an empty chart panel).
// Captions that carry the user's own terms (baptism, family name) and the
// person's name are taken from `s`.
ItemPanel BuildItemPanel(const Session& s, int request);
// The panel title of the one-family-name list, which follows txtFamName.
std::string FamilyListTitle(std::string_view family_name);

// The captions both arrays start from, before a request changes them.
std::string_view Item1Caption(int index);
std::string_view Item3Caption(int index);

inline constexpr const char* kSelectAll = "Select &All";
inline constexpr const char* kDeselectAll = "DeSelect &All";
inline constexpr const char* kCloseSetItems = "Close Set Items to View Preview";

// "4 Columns" is offered only for fonts below 11 points; a saved size below
// 1 counts as 10.
bool FourColumnsAllowed(double font_points);

// The print buttons of the family-names list follow its "Print to File" box.
struct PrintCaptions {
  std::string toolbar;  // cmdPrint
  std::string panel;    // Command1_5
};
PrintCaptions PrintButtonCaptions(int request, bool print_to_file);
// Only the family-names list is ever saved to a file instead of printed.
bool SavesToFile(int request, bool print_to_file);

// ---- paging
struct PagingButtons {
  bool prev = false, next = false, first = false, last = false;
};
PagingButtons PagingEnabled(int page, int page_count);
// "Page " + shown page + "/" + last page, both counted from `first_number`.
std::string PageLabel(int page, int page_count, int first_number);

struct GoToCheck {
  bool ok = false;
  int page = 0;  // the document page (1-based) when ok
  std::string title, text;
};
// Go To reads the box in the numbering the page label shows.
GoToCheck CheckGoTo(std::string_view text, int first_number, int page_count);

// ---- zoom
inline constexpr int kZoomStep = 10;
int ZoomIn(int percent);
int ZoomOut(int percent);
std::string ZoomLabel(int percent);
// The zoom the preview opens with, from the screen's width in twips.
int InitialZoom(double screen_width_twips);

// ---- status labels (Label3_0..4) and their hints
std::string FontLabel(const Font& f);
std::string_view OrientationName(Orientation o);
// The hint for status label `index`: printer and paper get their prefix.
std::string StatusHint(int index, std::string_view text);

// ---- titles and messages
// The window title while a request's output is shown; empty: keep the title.
std::string PreviewTitle(const Session& s, int request);
// The print chooser's refusal of a family data sheet for a person without
// partners; empty title when the person has partners.
Message NoPartnersMessage(const Session& s, const PersonRecord& p);
inline constexpr const char* kFamilyNamesFilter = "Text Files (*.txt);;All Files (*.*)";
// Shown after the list was saved; `file_name` as the user chose it.
Message FamilyNamesSavedMessage(const Session& s, std::string_view file_name);
Message FamilyNamesNotSavedMessage(std::string_view file_name);

// ---- what the panel loads and saves
// Both arrays' settings of a request. The one-family list shows chart boxes
// but keeps them under the list's keys (the list generator reads the second
// array), so its chart boxes are mapped onto the sheet items and back.
struct PanelSettings {
  ChartOptions chart;
  SheetOptions sheet;
};
PanelSettings LoadPanelSettings(const Session& s, int request);
// The same from a settings file on disk (`vft print` reads the user's).
PanelSettings LoadPanelSettingsFrom(const std::string& settings_file, int request);
// The item boxes as the generators read them: the one-family list's chart
// boxes become its sheet items.
PanelSettings ForGenerators(PanelSettings p);

// ---- choosing items by name (`vft print --items`)
// The names of the boxes `request`'s panel offers the user ("date-of-birth",
// "notes", "heading", ...), in panel order.
std::vector<std::string> ItemNames(const Session& s, int request);
// Ticks the named boxes and unticks the other boxes the panel offers;
// false, naming the first unknown name in `error`, when a name is not one
// of ItemNames(). `all` ticks every box the panel offers instead.
bool TickItems(const Session& s, PanelSettings& p, int request, std::string_view names, std::string& error);
void TickAllItems(const Session& s, PanelSettings& p, int request);
// Writes the request's section and "Printing"; false when a write failed.
bool SavePanelSettings(Session& s, PanelSettings p);
// The one-family list's chart boxes as the list's sheet items, and back.
void ChartBoxesToSheet(const ChartOptions& chart, SheetOptions& sheet);
void SheetToChartBoxes(const SheetOptions& sheet, ChartOptions& chart);

// ---- panel settings beside the boxes
// Sort order and list format of a request's section (missing: Number, Comma).
SortBy LoadSortBy(const Session& s, int request);
ListFormat LoadListFormat(const Session& s, int request);
// Writes both; false when a write failed.
bool SavePanelChoices(Session& s, int request, SortBy sort, ListFormat format);
// The font, orientation, margins and first page number of a request whose
// panel shows the second array (the chart options carry them there too).
bool SavePageSettings(Session& s, const ChartOptions& o);

}  // namespace vft::print
