// The one place where web-page bytes are produced. Markup can only be given as
// a string literal (`Markup` is built at compile time), so text from the
// records or from the user can only enter a page escaped: through text(),
// attr() or link(). Nothing typed into a name, place or address can open a tag.
#pragma once
#include <string>
#include <string_view>

namespace vft::web {

// A piece of fixed markup; only literals convert to it.
class Markup {
 public:
  consteval Markup(const char* literal) : text_(literal) {}  // NOLINT: implicit on purpose
  std::string_view view() const { return text_; }

 private:
  const char* text_;
};

// `&`, `<`, `>` and `"` as entities; zero bytes and other control characters
// (line breaks in a stored field) become blanks so a field stays on its line.
void AppendEscaped(std::string& out, std::string_view text);

class HtmlWriter {
 public:
  explicit HtmlWriter(std::string& out) : out_(out) {}

  HtmlWriter& operator<<(Markup m) {
    out_.append(m.view());
    return *this;
  }
  // Record or user text, escaped.
  HtmlWriter& text(std::string_view t) {
    AppendEscaped(out_, t);
    return *this;
  }
  // A number (never needs escaping).
  HtmlWriter& number(long n) {
    out_ += std::to_string(n);
    return *this;
  }
  // An attribute value: written bare when it holds only characters that cannot
  // end an unquoted value (our own file names and colours), else quoted and
  // escaped.
  HtmlWriter& attr(std::string_view value);
  // <A HREF=href>text</a>
  HtmlWriter& link(std::string_view href, std::string_view text);
  // Ends a line.
  HtmlWriter& endl() {
    out_ += "\r\n";
    return *this;
  }

 private:
  std::string& out_;
};

}  // namespace vft::web
