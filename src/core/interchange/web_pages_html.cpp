#include "interchange/web_pages_html.h"

#include "common/cp1252.h"

namespace vft::web {
namespace {

bool bare_safe(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '#' ||
         c == '_' || c == '-' || c == ':' || c == '/' || c == '@';
}

// Plain text that is copied as it is: most of every page, so it goes in runs.
bool plain(unsigned char c, Dialect d) {
  return c >= 0x20 && c != 0x7F && c != '&' && c != '<' && c != '>' && c != '"' && (c < 0x80 || d == Dialect::Classic);
}

// C1 controls (the undefined CP1252 bytes) show as a blank, like the C0 ones.
void append_utf8(std::string& out, unsigned char c) {
  const char32_t u = cp1252::to_unicode(c);
  if (u >= 0x80 && u < 0xA0) out += ' ';
  else cp1252::append_code_point(out, u);
}

}  // namespace

void AppendEscaped(std::string& out, std::string_view text, Dialect d) {
  std::size_t run = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (plain(c, d)) continue;
    out.append(text.substr(run, i - run));
    run = i + 1;
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        if (c < 0x20 || c == 0x7F) out += ' ';
        else append_utf8(out, c);
    }
  }
  out.append(text.substr(run));
}

HtmlWriter& HtmlWriter::attr(std::string_view value) {
  bool bare = d_ == Dialect::Classic && !value.empty();
  for (char c : value) bare = bare && bare_safe(c);
  if (bare) {
    out_.append(value);
    return *this;
  }
  out_ += '"';
  AppendEscaped(out_, value, d_);
  out_ += '"';
  return *this;
}

HtmlWriter& HtmlWriter::link(std::string_view href, std::string_view text) {
  out_ += d_ == Dialect::Classic ? "<A HREF=" : "<a href=";
  attr(href);
  out_ += '>';
  AppendEscaped(out_, text, d_);
  out_ += "</a>";
  return *this;
}

}  // namespace vft::web
