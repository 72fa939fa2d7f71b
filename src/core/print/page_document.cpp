// The document's life (start, pages, end, abort), its page and device
// settings, printing through a sink and the preview state. What is written
// on the pages is in page_document_write.cpp.
#include "print/page_document.h"

#include <algorithm>
#include <cmath>

namespace vft::print {
namespace {

constexpr double kMinSheetSide = 720;
constexpr double kMaxSheetSide = 100000;

bool finite(double v) { return std::isfinite(v); }

}  // namespace

PageDocument::PageDocument(const TextMeasure& measure) : measure_(measure) {
  PaperSize a4 = paper_size(kPaperA4);
  paper_width_ = a4.width;
  paper_height_ = a4.height;
  devices_.push_back(PrintDevice{std::string(kPdfDevice), {}});
}

// ---- Document ----

void PageDocument::start_doc() {
  if (in_page_start_) return;
  pages_.clear();
  items_.clear();
  texts_.clear();
  fonts_.clear();
  last_font_ = 0;
  truncated_ = false;
  page_shown_ = 0;
  open_ = true;
  // Margins are not refused for being narrow (a page of the chart alone may
  // use the whole paper); instead a margin that cannot hold its running
  // text a printer's distance from the edge grows until it does, so the
  // header and footer never leave the printable paper nor sit on the first
  // or last row. The page set-up's help says so.
  const double room = kRunningTextEdge + measure_.line_height(header_font_) + kRunningTextGap;
  if (!header_.empty() && margin_top_ < room) margin_top_ = room;
  if (!footer_.empty() && margin_bottom_ < room) margin_bottom_ = room;
  begin_page();
}

bool PageDocument::new_page() {
  if (!open_ || in_page_start_ || truncated_) return false;
  if (pages_.size() >= static_cast<std::size_t>(kMaxPages)) {
    truncated_ = true;
    return false;
  }
  finish_page();
  begin_page();
  return open_;
}

bool PageDocument::end_doc() {
  if (!open_ || in_page_start_) return false;
  finish_page();
  open_ = false;
  page_shown_ = pages_.empty() ? 0 : 1;
  return true;
}

void PageDocument::kill_doc() {
  pages_.clear();
  items_.clear();
  texts_.clear();
  fonts_.clear();
  last_font_ = 0;
  open_ = false;
  page_shown_ = 0;
}

void PageDocument::begin_page() {
  Page page;
  page.first_item = page.end_item = items_.size();
  page.width = sheet_width();
  page.height = sheet_height();
  page.orientation = orientation_;
  page.paper_code = paper_code_;
  pages_.push_back(page);
  x_ = margin_left_;
  y_ = margin_top_;
  content_top_ = y_;
  if (on_page_start_) {
    in_page_start_ = true;
    on_page_start_(page_count());
    in_page_start_ = false;
  }
  // Rows and paragraphs break only below what the handler wrote: the first
  // row under a heading always stays, so even a heading taller than the page
  // cannot make the writer loop over empty pages.
  content_top_ = y_;
}

void PageDocument::finish_page() {
  if (pages_.empty()) return;
  const Page& page = pages_.back();
  const double lh = measure_.line_height(header_font_);
  // Centred in its margin, but no nearer the edge than a printer can print
  // while the margin has room for that.
  auto from_edge = [&](double margin) {
    const double centred = std::max(0.0, (margin - lh) / 2);
    return margin >= kRunningTextEdge + lh ? std::max(centred, kRunningTextEdge) : centred;
  };
  if (!header_.empty()) add_running_text(header_, from_edge(margin_top_));
  if (!footer_.empty()) {
    double top = page.height - from_edge(margin_bottom_) - lh;
    add_running_text(footer_, std::clamp(top, 0.0, std::max(0.0, page.height - lh)));
  }
}

bool PageDocument::print_current_page(PageSink& sink) const { return print_pages(sink, page_shown_, page_shown_); }

bool PageDocument::print_document(PageSink& sink) const { return print_pages(sink, 1, page_count()); }

bool PageDocument::print_pages(PageSink& sink, int first, int last) const {
  if (open_ || pages_.empty()) return false;
  if (first < 1 || last < first || last > page_count()) return false;
  return sink.print_pages(*this, first, last);
}

// ---- Page and device ----

double PageDocument::sheet_width() const {
  return orientation_ == Orientation::Portrait ? paper_width_ : paper_height_;
}

double PageDocument::sheet_height() const {
  return orientation_ == Orientation::Portrait ? paper_height_ : paper_width_;
}

double PageDocument::page_width() const { return open_ && !pages_.empty() ? pages_.back().width : sheet_width(); }

double PageDocument::page_height() const { return open_ && !pages_.empty() ? pages_.back().height : sheet_height(); }

bool PageDocument::set_margin_left(double twips) {
  if (!finite(twips) || twips < 0 || twips >= page_width()) return false;
  margin_left_ = twips;
  return true;
}

bool PageDocument::set_margin_right(double twips) {
  if (!finite(twips) || twips < 0 || twips >= page_width()) return false;
  margin_right_ = twips;
  return true;
}

bool PageDocument::set_margin_top(double twips) {
  if (!finite(twips) || twips < 0 || twips >= page_height()) return false;
  margin_top_ = twips;
  return true;
}

bool PageDocument::set_margin_bottom(double twips) {
  if (!finite(twips) || twips < 0 || twips >= page_height()) return false;
  margin_bottom_ = twips;
  return true;
}

// A page that has nothing on it yet takes a new paper or orientation at
// once; one that has is finished as it began.
void PageDocument::fit_empty_page() {
  if (!open_ || pages_.empty()) return;
  Page& page = pages_.back();
  if (page.first_item != page.end_item) return;
  page.width = sheet_width();
  page.height = sheet_height();
  page.orientation = orientation_;
  page.paper_code = paper_code_;
}

void PageDocument::set_orientation(Orientation o) {
  orientation_ = o == Orientation::Landscape ? Orientation::Landscape : Orientation::Portrait;
  fit_empty_page();
}

bool PageDocument::set_paper_code(int code) {
  if (code == kPaperUserDefined) {
    paper_code_ = code;
    fit_empty_page();
    return true;
  }
  if (!paper_has_size(code)) return false;
  PaperSize paper = paper_size(code);
  paper_code_ = code;
  paper_width_ = paper.width;
  paper_height_ = paper.height;
  fit_empty_page();
  return true;
}

bool PageDocument::set_page_size(double width, double height) {
  auto ok = [](double v) { return finite(v) && v >= kMinSheetSide && v <= kMaxSheetSide; };
  if (!ok(width) || !ok(height)) return false;
  paper_code_ = kPaperUserDefined;
  paper_width_ = std::min(width, height);
  paper_height_ = std::max(width, height);
  fit_empty_page();
  return true;
}

bool PageDocument::paper_supported(int code) const {
  const PrintDevice& d = devices_[device_index_];
  if (d.paper_codes.empty()) return paper_has_size(code);
  return std::find(d.paper_codes.begin(), d.paper_codes.end(), code) != d.paper_codes.end();
}

void PageDocument::set_devices(std::vector<PrintDevice> devices) {
  std::string current = device();
  if (devices.empty()) devices.push_back(PrintDevice{std::string(kPdfDevice), {}});
  devices_ = std::move(devices);
  device_index_ = 0;
  for (std::size_t i = 0; i < devices_.size(); ++i) {
    if (devices_[i].name == current) device_index_ = i;
  }
}

const std::string& PageDocument::device_name(int index) const {
  static const std::string kNone;
  if (index < 0 || index >= device_count()) return kNone;
  return devices_[static_cast<std::size_t>(index)].name;
}

bool PageDocument::set_device(std::string_view name) {
  for (std::size_t i = 0; i < devices_.size(); ++i) {
    if (devices_[i].name == name) {
      device_index_ = i;
      return true;
    }
  }
  return false;
}

// ---- Text settings ----

void PageDocument::set_font(const Font& font) {
  std::string name = font_.name;
  double size = font_.size;
  font_ = font;
  if (font_.name.empty()) font_.name = name;
  if (!(font.size >= 1 && font.size <= 1000)) font_.size = size;
}

void PageDocument::set_font_name(std::string_view name) {
  if (!name.empty()) font_.name = name;
}

bool PageDocument::set_font_size(double points) {
  if (!(points >= 1 && points <= 1000)) return false;
  font_.size = points;
  return true;
}

void PageDocument::set_header_font(const Font& font) {
  Font previous = header_font_;
  header_font_ = font;
  if (header_font_.name.empty()) header_font_.name = previous.name;
  if (!(font.size >= 1 && font.size <= 1000)) header_font_.size = previous.size;
}

void PageDocument::set_current_x(double x) {
  if (finite(x)) x_ = std::clamp(x, -kMaxSheetSide, kMaxSheetSide);
}

void PageDocument::set_current_y(double y) {
  if (finite(y)) y_ = std::clamp(y, -kMaxSheetSide, kMaxSheetSide);
}

// ---- Drawing settings ----

void PageDocument::set_pen_width(double twips) {
  pen_width_ = finite(twips) && twips > 0 ? std::min(twips, kMaxSheetSide) : 0;
}

void PageDocument::set_fill_colour(Colour c) {
  fill_colour_ = c & 0xFFFFFF;
  has_fill_ = true;
}

// ---- Preview ----

void PageDocument::set_zoom(int percent) { zoom_ = std::clamp(percent, kMinZoom, kMaxZoom); }

void PageDocument::set_page_shown(int page) { page_shown_ = pages_.empty() ? 0 : std::clamp(page, 1, page_count()); }

// ---- Reading ----

std::span<const Item> PageDocument::page_items(int number) const {
  const Page& p = page(number);
  return std::span<const Item>(items_.data() + p.first_item, p.end_item - p.first_item);
}

std::string_view PageDocument::item_text(const Item& item) const {
  return std::string_view(texts_).substr(item.text_offset, item.text_length);
}

}  // namespace vft::print
