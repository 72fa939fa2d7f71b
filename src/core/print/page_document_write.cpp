// What goes on the pages: texts, paragraphs, table rows, lines, rectangles
// and the running header and footer. Every position is settled here; the
// renderer only draws what it finds.
#include <algorithm>
#include <cmath>
#include <limits>

#include "print/page_document.h"

namespace vft::print {
namespace {

constexpr std::size_t kFormatCacheSize = 16;
constexpr std::size_t kMaxFonts = std::numeric_limits<std::uint16_t>::max();

bool finite(double a, double b, double c, double d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

}  // namespace

std::uint16_t PageDocument::font_index(const Font& font) {
  if (last_font_ < fonts_.size() && fonts_[last_font_] == font) return static_cast<std::uint16_t>(last_font_);
  for (std::size_t i = 0; i < fonts_.size(); ++i) {
    if (fonts_[i] == font) {
      last_font_ = i;
      return static_cast<std::uint16_t>(i);
    }
  }
  // Thousands of distinct fonts only come from a writer gone wrong; its text
  // then shows in the document's first font rather than not at all.
  if (fonts_.size() >= kMaxFonts) return 0;
  fonts_.push_back(font);
  last_font_ = fonts_.size() - 1;
  return static_cast<std::uint16_t>(last_font_);
}

void PageDocument::add_item(const Item& item) {
  items_.push_back(item);
  pages_.back().end_item = items_.size();
}

void PageDocument::add_text_item(double x, double y, std::string_view text, double width, double height,
                                 std::uint16_t font, Colour colour, bool running) {
  if (text.empty()) return;
  if (texts_.size() + text.size() > std::numeric_limits<std::uint32_t>::max()) {
    truncated_ = true;
    return;
  }
  Item item;
  item.kind = Item::Kind::Text;
  item.running = running;
  item.font = font;
  item.colour = colour;
  item.x1 = x;
  item.y1 = y;
  item.x2 = x + width;
  item.y2 = y + height;
  item.text_offset = static_cast<std::uint32_t>(texts_.size());
  item.text_length = static_cast<std::uint32_t>(text.size());
  const std::size_t start = texts_.size();
  texts_.append(text);
  std::replace(texts_.begin() + static_cast<std::ptrdiff_t>(start), texts_.end(), kNoBreakSpace, ' ');
  add_item(item);
}

// Places the three parts of a running header or footer on the last page.
void PageDocument::add_running_text(const std::string& text, double top) {
  const Page& page = pages_.back();
  std::string numbered = substitute_page_number(text, page_count() + first_page_number_ - 1);
  auto parts = split_three_parts(numbered);
  std::uint16_t fi = font_index(header_font_);
  double lh = measure_.line_height(header_font_);
  double left = margin_left_;
  double right = page.width - margin_right_;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (parts[i].empty()) continue;
    double w = measure_.width(parts[i], header_font_);
    double x = i == 0 ? left : i == 1 ? (left + right - w) / 2 : right - w;
    add_text_item(x, top, parts[i], w, lh, fi, kBlack, true);
  }
}

bool PageDocument::fits_on_page(double height) const {
  if (!open_ || pages_.empty()) return true;
  const double bottom = pages_.back().height - margin_bottom_;
  return y_ + height <= bottom || y_ <= content_top_;
}

// The handler's own writing never breaks its page.
bool PageDocument::keep_together(double height) {
  if (in_page_start_ || fits_on_page(height)) return false;
  return new_page();
}

double PageDocument::text_width(std::string_view text) const {
  double widest = 0;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    if (end > pos) widest = std::max(widest, measure_.width(text.substr(pos, end - pos), font_));
    if (end == text.size()) break;
    pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return widest;
}

double PageDocument::text_height(std::string_view text) const {
  return static_cast<double>(count_text_lines(text)) * measure_.line_height(font_);
}

bool PageDocument::write_text(std::string_view text) {
  if (!writable()) return false;
  std::uint16_t fi = font_index(font_);
  double lh = measure_.line_height(font_);
  std::size_t pos = 0;
  while (true) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view piece = text.substr(pos, end - pos);
    if (!piece.empty()) {
      double w = measure_.width(piece, font_);
      add_text_item(x_, y_, piece, w, lh, fi, text_colour_);
      x_ += w;
    }
    if (end == text.size()) break;
    x_ = margin_left_;
    y_ += lh;
    pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return true;
}

bool PageDocument::write_paragraph(std::string_view text) {
  if (!writable()) return false;
  Scratch& s = scratch();
  Font font = font_;
  Colour colour = text_colour_;
  Align align = paragraph_align_;
  double lh = measure_.line_height(font);
  double left = margin_left_;
  double right = pages_.back().width - margin_right_;
  s.lines.clear();
  wrap_text(text, right - left, font, measure_, s.lines);
  x_ = left;
  for (const LineSpan& line : s.lines) {
    keep_together(lh);
    if (!writable()) return false;  // the handler of the new page cancelled
    double x = align == Align::Left     ? left
               : align == Align::Centre ? (left + right - line.width) / 2
                                        : right - line.width;
    add_text_item(x, y_, text.substr(line.offset, line.length), line.width, lh, font_index(font), colour);
    y_ += lh;
  }
  x_ = left;
  return true;
}

const TableFormat* PageDocument::cached_format(std::string_view text, std::string& error) {
  for (const auto& entry : format_cache_) {
    if (entry.first == text) return &entry.second;
  }
  TableFormatResult parsed = parse_table_format(text);
  if (!parsed.ok()) {
    error = std::move(parsed.error);
    return nullptr;
  }
  if (format_cache_.size() < kFormatCacheSize) {
    format_cache_.emplace_back(std::string(text), std::move(parsed.format));
    return &format_cache_.back().second;
  }
  auto& slot = format_cache_[format_cache_next_];
  format_cache_next_ = (format_cache_next_ + 1) % kFormatCacheSize;
  slot.first.assign(text);
  slot.second = std::move(parsed.format);
  return &slot.second;
}

RowResult PageDocument::add_table_row(std::string_view format_and_cells) {
  std::size_t tilde = format_and_cells.find('~');
  if (tilde == std::string_view::npos) {
    RowResult r;
    r.error = parse_table_format(format_and_cells).error;
    return r;
  }
  return add_table_row(format_and_cells.substr(0, tilde + 1), format_and_cells.substr(tilde + 1));
}

bool PageDocument::lay_out_row(const TableFormat& format, std::string_view cells, const Font& font, std::string& error,
                               double& height) {
  Scratch& s = scratch();
  const std::vector<TableColumn>& columns = format.columns;
  s.cells.clear();
  for (std::size_t pos = 0;;) {
    std::size_t bar = cells.find('|', pos);
    s.cells.push_back(cells.substr(pos, bar == std::string_view::npos ? std::string_view::npos : bar - pos));
    if (bar == std::string_view::npos) break;
    pos = bar + 1;
  }
  for (std::size_t i = columns.size(); i < s.cells.size(); ++i) {
    if (!s.cells[i].empty()) {
      error = "The table row has text in cell " + std::to_string(i + 1) + " but its format has only " +
              std::to_string(columns.size()) + " columns.";
      return false;
    }
  }
  s.lines.clear();
  s.line_counts.clear();
  std::size_t most_lines = 1;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    std::string_view text = i < s.cells.size() ? s.cells[i] : std::string_view();
    std::size_t before = s.lines.size();
    if (!text.empty()) wrap_text(text, columns[i].width - 2 * kCellPadding, font, measure_, s.lines);
    s.line_counts.push_back(s.lines.size() - before);
    most_lines = std::max(most_lines, s.lines.size() - before);
  }
  height = static_cast<double>(most_lines) * measure_.line_height(font);
  return true;
}

double PageDocument::row_height(std::string_view format, std::string_view cells) {
  std::string error;
  const TableFormat* parsed = cached_format(format, error);
  double height = 0;
  if (parsed == nullptr || !lay_out_row(*parsed, cells, font_, error, height)) return 0;
  return height;
}

RowResult PageDocument::add_table_row(std::string_view format, std::string_view cells) {
  RowResult r;
  if (!open_) {
    r.error = "No document is open for the table row.";
    return r;
  }
  if (truncated_) {
    r.error = "The document has reached its limit of " + std::to_string(kMaxPages) + " pages.";
    return r;
  }
  const TableFormat* parsed = cached_format(format, r.error);
  if (parsed == nullptr) return r;
  Scratch& s = scratch();
  s.format = *parsed;
  const std::vector<TableColumn>& columns = s.format.columns;
  Font font = font_;
  Colour colour = text_colour_;
  double lh = measure_.line_height(font);
  double height = 0;
  if (!lay_out_row(s.format, cells, font, r.error, height)) return r;

  keep_together(height);
  if (!writable()) {
    r.error = "The document was closed while the table row was written.";
    return r;
  }
  std::uint16_t fi = font_index(font);
  double top = y_;
  double x = margin_left_;
  std::size_t next_line = 0;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const TableColumn& column = columns[i];
    for (std::size_t k = 0; k < s.line_counts[i]; ++k) {
      const LineSpan& line = s.lines[next_line++];
      double lx = column.align == Align::Left     ? x + kCellPadding
                  : column.align == Align::Centre ? x + (column.width - line.width) / 2
                                                  : x + column.width - kCellPadding - line.width;
      add_text_item(lx, top + static_cast<double>(k) * lh, s.cells[i].substr(line.offset, line.length), line.width, lh,
                    fi, colour);
    }
    x += column.width;
  }
  x_ = margin_left_;
  y_ = top + height;
  r.ok = true;
  r.top = top;
  r.height = height;
  return r;
}

bool PageDocument::draw_line(double x1, double y1, double x2, double y2) {
  if (!writable() || !finite(x1, y1, x2, y2)) return false;
  Item item;
  item.kind = Item::Kind::Line;
  item.colour = pen_colour_;
  item.pen_width = pen_width_;
  item.x1 = x1;
  item.y1 = y1;
  item.x2 = x2;
  item.y2 = y2;
  add_item(item);
  return true;
}

bool PageDocument::draw_rectangle(double x1, double y1, double x2, double y2) {
  if (!writable() || !finite(x1, y1, x2, y2)) return false;
  Item item;
  item.kind = Item::Kind::Rectangle;
  item.colour = pen_colour_;
  item.pen_width = pen_width_;
  item.filled = has_fill_;
  item.fill = fill_colour_;
  item.x1 = std::min(x1, x2);
  item.y1 = std::min(y1, y2);
  item.x2 = std::max(x1, x2);
  item.y2 = std::max(y1, y2);
  add_item(item);
  return true;
}

}  // namespace vft::print
