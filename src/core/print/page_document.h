// The page document: everything the program prints is first written here, as
// pages of text, table rows, lines and rectangles placed in twips (1440 per
// inch, 567 per centimetre). Generators write it through the operations
// below, the preview window shows it, and the Qt renderer draws it on screen,
// on a printer or into a PDF file; all layout (wrapping, row heights, page
// breaks, running headers) is decided here, so every device shows the same.
//
// A writer's round:
//   PageDocument doc(measure);
//   doc.set_orientation(...); doc.set_margin_left(...); doc.set_font(...);
//   doc.set_page_start_handler([&](int page) { ...heading and keys... });
//   doc.start_doc();                       // page 1 starts, the handler runs
//   doc.add_table_row("7000|500|~", "Name|");
//   if (doc.current_y() > limit) doc.new_page();
//   doc.end_doc();                         // or doc.kill_doc() on cancel
//
// Page settings (paper, orientation) are taken when a page starts, so set
// them before start_doc(); a change while a page is open applies to that
// page only while nothing is on it yet, else from the next page. Margins,
// fonts, pens and colours apply to whatever is written next.
#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/text_measure.h"
#include "print/page_document_layout.h"
#include "print/page_document_paper.h"

namespace vft::print {

// 24-bit colours in blue-green-red byte order, as the settings and charts
// give them: 255 is red, 32768 green, 16711680 blue.
using Colour = std::uint32_t;
inline constexpr Colour kBlack = 0;
inline constexpr Colour kRed = 255;
inline constexpr Colour kGreen = 32768;
inline constexpr Colour kBlue = 16711680;
inline constexpr Colour kWhite = 16777215;
constexpr int red_of(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int green_of(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blue_of(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

enum class Orientation : std::uint8_t { Portrait = 0, Landscape = 1 };

// The device that is always there, so printing works with no printer installed.
inline constexpr std::string_view kPdfDevice = "PDF file";

inline constexpr int kMaxPages = 20000;         // a runaway writer stops here, see truncated()
inline constexpr double kCellPadding = 60;      // twips between a cell's edge and its text
inline constexpr double kDefaultMargin = 1440;  // one inch on every side
// Many printers cannot print nearer the paper's edge than this; running
// headers and footers keep at least this far from it where the margin allows.
inline constexpr double kRunningTextEdge = 360;
// Between a running text and the page's body when the margin is no wider
// than the text needs.
inline constexpr double kRunningTextGap = 60;
inline constexpr int kMinZoom = 10;
inline constexpr int kMaxZoom = 500;

struct PrintDevice {
  std::string name;              // CP1252
  std::vector<int> paper_codes;  // the codes it takes; empty: every code with a size
};

// One thing drawn on a page. Text items are single lines positioned by their
// top-left corner; (x2, y2) is the bottom-right of the line's box (its width
// and the font's line height). Lines run from (x1, y1) to (x2, y2); rectangles
// span them. Pen width 0 is the thinnest line the device can draw.
struct Item {
  enum class Kind : std::uint8_t { Text, Line, Rectangle };
  Kind kind = Kind::Text;
  bool filled = false;     // rectangles: painted inside with `fill`
  bool running = false;    // text of the running header or footer, in a margin
  std::uint16_t font = 0;  // text: index into fonts()
  Colour colour = kBlack;  // text colour, or pen colour of lines and rectangles
  Colour fill = kWhite;
  double pen_width = 0;  // twips
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::uint32_t text_offset = 0, text_length = 0;
};

struct Page {
  std::size_t first_item = 0, end_item = 0;  // its items: items[first_item, end_item)
  double width = 0, height = 0;              // twips, as the page stands
  Orientation orientation = Orientation::Portrait;
  int paper_code = kPaperA4;
};

class PageDocument;

// A device that prints pages of an ended document (printer, PDF file, or a
// recorder in tests).
class PageSink {
 public:
  virtual ~PageSink() = default;
  // Prints pages first..last (1-based, first <= last, both in the document).
  // Returns false when the device failed.
  virtual bool print_pages(const PageDocument& doc, int first, int last) = 0;
};

// Where a table row went, or why it was refused (nothing is written then).
struct RowResult {
  bool ok = false;
  std::string error;
  double top = 0;     // y of the row's top edge, on the page current after the call
  double height = 0;  // the row's height: its tallest cell's lines x line height
};

class PageDocument {
 public:
  explicit PageDocument(const TextMeasure& measure);
  // What the document measures its texts with (a writer that lays out a
  // block in a scratch document first measures it the same way).
  const TextMeasure& measure() const { return measure_; }
  PageDocument(const PageDocument&) = delete;
  PageDocument& operator=(const PageDocument&) = delete;

  // ---- Document ----
  // Discards any previous document, opens a new one and starts page 1 (the
  // page-start handler runs for it). Refused inside the handler.
  void start_doc();
  // Starts a new page: x to the left margin, y to the top margin, then the
  // page-start handler. False when no document is open, inside the handler,
  // or when the document already has kMaxPages pages (it is then truncated).
  bool new_page();
  // Finishes the document; the preview shows its page 1. False when none is open.
  bool end_doc();
  // Abandons the document being written (Cancel): its pages are dropped and
  // the preview is left empty.
  void kill_doc();
  bool is_open() const { return open_; }
  // True when a writer ran past kMaxPages pages; what it wrote after was dropped.
  bool truncated() const { return truncated_; }
  // Pages of the open document so far, or of the last ended one (0 after
  // kill_doc()).
  int page_count() const { return static_cast<int>(pages_.size()); }
  // Runs at the start of every page, page 1 included, before anything else
  // is written on it; the argument is the page number. The handler may write
  // (headings, keys) and may call kill_doc(), but cannot start, end or break
  // pages, and its writing never breaks the page either.
  void set_page_start_handler(std::function<void(int page)> handler) { on_page_start_ = std::move(handler); }

  // Printing needs an ended document with pages; the sink gets the range.
  bool print_current_page(PageSink& sink) const;  // the page shown
  bool print_document(PageSink& sink) const;
  bool print_pages(PageSink& sink, int first, int last) const;

  // ---- Page and device ----
  // The size of the current page while a document is open, else the size
  // the paper and orientation give.
  double page_width() const;
  double page_height() const;
  double margin_left() const { return margin_left_; }
  double margin_right() const { return margin_right_; }
  double margin_top() const { return margin_top_; }
  double margin_bottom() const { return margin_bottom_; }
  // Margins are refused (false, nothing changes) when negative, not a
  // number, or not less than the page side they lie along.
  bool set_margin_left(double twips);
  bool set_margin_right(double twips);
  bool set_margin_top(double twips);
  bool set_margin_bottom(double twips);
  Orientation orientation() const { return orientation_; }
  void set_orientation(Orientation o);
  int paper_code() const { return paper_code_; }
  // Codes with a known size set it; kPaperUserDefined keeps the present
  // size; any other code is refused.
  bool set_paper_code(int code);
  // A sheet of any size (sides 720 to 100000 twips, given portrait or not):
  // the paper becomes user-defined.
  bool set_page_size(double width, double height);
  // Whether the current device takes `code`.
  bool paper_supported(int code) const;
  // The printer list as the platform reports it. An empty list leaves the
  // "PDF file" device alone. The current device is kept when the new list
  // has it, else it becomes the first in the list.
  void set_devices(std::vector<PrintDevice> devices);
  int device_count() const { return static_cast<int>(devices_.size()); }
  // Name of device `index` (0-based); empty outside the list.
  const std::string& device_name(int index) const;
  const std::string& device() const { return devices_[device_index_].name; }
  bool set_device(std::string_view name);

  // ---- Text ----
  // The document font (initially Arial 10). An empty name or a size outside
  // 1..1000 points keeps the present one; the rest is taken as given.
  const Font& font() const { return font_; }
  void set_font(const Font& font);
  void set_font_name(std::string_view name);  // empty: refused
  // Points; sizes outside 1..1000 (or not a number) are refused.
  bool set_font_size(double points);
  void set_font_bold(bool on) { font_.bold = on; }
  void set_font_italic(bool on) { font_.italic = on; }
  void set_font_underline(bool on) { font_.underline = on; }
  Colour text_colour() const { return text_colour_; }
  void set_text_colour(Colour c) { text_colour_ = c & 0xFFFFFF; }
  // How write_paragraph() places each line between the margins.
  Align paragraph_align() const { return paragraph_align_; }
  void set_paragraph_align(Align a) { paragraph_align_ = a; }

  // Running header and footer, each "left|centre|right" (see
  // split_three_parts); "%d" stands for the page number counted from
  // first_page_number(). Each page gets the texts set when it is finished
  // (by new_page() or end_doc()), the header centred in the top margin, the
  // footer in the bottom margin, both in header_font() and black.
  const std::string& header() const { return header_; }
  void set_header(std::string_view text) { header_ = text; }
  const std::string& footer() const { return footer_; }
  void set_footer(std::string_view text) { footer_ = text; }
  const Font& header_font() const { return header_font_; }
  void set_header_font(const Font& font);  // refusals as set_font()
  int first_page_number() const { return first_page_number_; }
  void set_first_page_number(int n) { first_page_number_ = n; }

  double current_x() const { return x_; }
  double current_y() const { return y_; }
  void set_current_x(double x);
  void set_current_y(double y);

  // Texts may glue words together with kNoBreakSpace (a date, "12 Aug 1890",
  // is never split over two lines); the pages show it as a blank.
  // Writes `text` at the current position in the current font and text
  // colour. x moves on by its width; a line break in the text goes to the
  // left margin one line lower. No wrapping and no page breaks: this is for
  // placing texts where the writer wants them.
  bool write_text(std::string_view text);
  // Writes `text` wrapped between the margins, starting at the left margin
  // on the current line, and leaves the position at the left margin below
  // it. A line that would cross the bottom margin starts a new page first.
  // An empty text is one empty line.
  bool write_paragraph(std::string_view text);
  // Width of the widest line of `text`, and its height (lines x line height;
  // an empty text is one line), in the current font.
  double text_width(std::string_view text) const;
  double text_height(std::string_view text) const;

  // ---- Tables ----
  // Writes one table row at the left margin from the current y: columns from
  // `format` (parse_table_format), cell texts separated by "|" in `cells`
  // (fewer cells leave the rest empty; surplus cells must be empty). Each
  // cell's text is wrapped to its column less kCellPadding on either side
  // and aligned as its column says; the row is as high as its tallest cell.
  // A row crossing the bottom margin goes to a new page first, unless it
  // is the first thing on its page; a row wider than the page never does.
  // Afterwards x is the left margin and y the row's bottom edge.
  RowResult add_table_row(std::string_view format, std::string_view cells);
  // The same with format and cells in one text: everything up to the first
  // "~" is the format, the rest the cells ("500|4000|~|John Smith").
  RowResult add_table_row(std::string_view format_and_cells);
  // The height add_table_row() would give the row in the current font,
  // without writing it; 0 when the format cannot be read.
  double row_height(std::string_view format, std::string_view cells);

  // ---- Keeping blocks whole ----
  // Where the page's content starts: below what the page-start handler wrote.
  double content_top() const { return content_top_; }
  // Whether a block `height` high fits between the current position and the
  // bottom margin (a block ending exactly on the margin fits), or would be
  // the first thing on its page anyway, where moving it gains nothing.
  bool fits_on_page(double height) const;
  // Starts a new page first when a block `height` high does not fit; true
  // when it did.
  bool keep_together(double height);

  // ---- Drawing ----
  double pen_width() const { return pen_width_; }
  void set_pen_width(double twips);  // negative or not a number counts as 0
  Colour pen_colour() const { return pen_colour_; }
  void set_pen_colour(Colour c) { pen_colour_ = c & 0xFFFFFF; }
  // Rectangles are painted inside with the fill colour once one is set;
  // set_fill_transparent() goes back to outlines only.
  bool has_fill() const { return has_fill_; }
  Colour fill_colour() const { return fill_colour_; }
  void set_fill_colour(Colour c);
  void set_fill_transparent() { has_fill_ = false; }
  bool draw_line(double x1, double y1, double x2, double y2);
  bool draw_rectangle(double x1, double y1, double x2, double y2);

  // ---- Preview ----
  int zoom() const { return zoom_; }
  void set_zoom(int percent);  // clamped to kMinZoom..kMaxZoom
  // The page the preview shows: 1..page_count(), 0 when there are no pages.
  int page_shown() const { return page_shown_; }
  void set_page_shown(int page);  // clamped into the document

  // ---- Reading the pages (renderer, tests) ----
  // `number` is 1-based and must be within page_count().
  const Page& page(int number) const { return pages_[static_cast<std::size_t>(number - 1)]; }
  std::span<const Item> page_items(int number) const;
  std::string_view item_text(const Item& item) const;
  const Font& item_font(const Item& item) const { return fonts_[item.font]; }
  const std::vector<Font>& fonts() const { return fonts_; }

 private:
  void begin_page();
  void finish_page();
  bool writable() const { return open_ && !truncated_; }
  void fit_empty_page();
  std::uint16_t font_index(const Font& font);
  void add_item(const Item& item);
  void add_text_item(double x, double y, std::string_view text, double width, double height, std::uint16_t font,
                     Colour colour, bool running = false);
  // Splits `cells` and wraps each into its column; false (with `error`)
  // when a surplus cell holds text. Leaves the lines in scratch().
  bool lay_out_row(const TableFormat& format, std::string_view cells, const Font& font, std::string& error,
                   double& height);
  void add_running_text(const std::string& text, double top);
  const TableFormat* cached_format(std::string_view text, std::string& error);
  double sheet_width() const;
  double sheet_height() const;

  // Working buffers reused between calls so that writing allocates only what
  // it keeps. The page-start handler may write while a row or paragraph is
  // half placed, so it gets a set of its own.
  struct Scratch {
    TableFormat format;
    std::vector<LineSpan> lines;
    std::vector<std::size_t> line_counts;
    std::vector<std::string_view> cells;
  };
  Scratch& scratch() { return scratch_[in_page_start_ ? 1 : 0]; }

  const TextMeasure& measure_;

  // Settings that outlive documents.
  int paper_code_ = kPaperA4;
  double paper_width_ = 0, paper_height_ = 0;  // portrait sides
  Orientation orientation_ = Orientation::Portrait;
  double margin_left_ = kDefaultMargin, margin_right_ = kDefaultMargin;
  double margin_top_ = kDefaultMargin, margin_bottom_ = kDefaultMargin;
  std::vector<PrintDevice> devices_;
  std::size_t device_index_ = 0;
  Font font_;
  Font header_font_;
  Colour text_colour_ = kBlack;
  Align paragraph_align_ = Align::Left;
  std::string header_, footer_;
  int first_page_number_ = 1;
  double pen_width_ = 0;
  Colour pen_colour_ = kBlack;
  bool has_fill_ = false;
  Colour fill_colour_ = kWhite;
  int zoom_ = 100;
  std::function<void(int)> on_page_start_;

  // The document.
  bool open_ = false;
  bool truncated_ = false;
  bool in_page_start_ = false;
  int page_shown_ = 0;
  double x_ = 0, y_ = 0;
  double content_top_ = 0;  // y where the page-start handler left the page
  std::vector<Page> pages_;
  std::vector<Item> items_;
  std::string texts_;
  std::vector<Font> fonts_;
  std::size_t last_font_ = 0;

  std::vector<std::pair<std::string, TableFormat>> format_cache_;
  std::size_t format_cache_next_ = 0;
  Scratch scratch_[2];
};

}  // namespace vft::print
