#include "interchange/web_pages_html.h"

namespace vft::web {
namespace {

bool bare_safe(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '#' ||
         c == '_' || c == '-' || c == ':' || c == '/' || c == '@';
}

}  // namespace

void AppendEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        out += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? ' ' : c;
    }
  }
}

HtmlWriter& HtmlWriter::attr(std::string_view value) {
  bool bare = !value.empty();
  for (char c : value) bare = bare && bare_safe(c);
  if (bare) {
    out_.append(value);
    return *this;
  }
  out_ += '"';
  AppendEscaped(out_, value);
  out_ += '"';
  return *this;
}

HtmlWriter& HtmlWriter::link(std::string_view href, std::string_view text) {
  out_ += "<A HREF=";
  attr(href);
  out_ += '>';
  AppendEscaped(out_, text);
  out_ += "</a>";
  return *this;
}

}  // namespace vft::web
