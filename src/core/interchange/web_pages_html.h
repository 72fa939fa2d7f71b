// The one place where web-page bytes are produced. Markup can only be given as
// a string literal (`Markup` is built at compile time), so text from the
// records or from the user can only enter a page escaped: through text(),
// attr() or link(). Nothing typed into a name, place or address can open a tag.
//
// Two dialects: Classic pages are CP1252 with CrLf lines and bare attribute
// values where nothing in them could end one; Modern pages are UTF-8 with
// every attribute value quoted.
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
  std::string_view text_;  // its length counted once, when compiled
};

enum class Dialect { Classic, Modern };

// `&`, `<`, `>` and `"` as entities; zero bytes and other control characters
// (line breaks in a stored field) become blanks so a field stays on its line.
// Modern text is converted from CP1252 to UTF-8 on the way; the bytes CP1252
// leaves undefined become blanks too, as no page may carry C1 controls.
void AppendEscaped(std::string& out, std::string_view text, Dialect d = Dialect::Classic);

class HtmlWriter {
 public:
  explicit HtmlWriter(std::string& out, Dialect d = Dialect::Classic) : out_(out), d_(d) {}

  HtmlWriter& operator<<(Markup m) {
    out_.append(m.view());
    return *this;
  }
  // Record or user text, escaped.
  HtmlWriter& text(std::string_view t) {
    AppendEscaped(out_, t, d_);
    return *this;
  }
  // A number (never needs escaping).
  HtmlWriter& number(long n) {
    out_ += std::to_string(n);
    return *this;
  }
  // An attribute value, escaped. Classic writes it bare when it holds only
  // characters that cannot end an unquoted value (our own file names and
  // colours); Modern always quotes.
  HtmlWriter& attr(std::string_view value);
  // Classic <A HREF=href>text</a>; Modern <a href="href">text</a>.
  HtmlWriter& link(std::string_view href, std::string_view text);
  // Ends a line.
  HtmlWriter& endl() {
    out_.append(d_ == Dialect::Classic ? "\r\n" : "\n");
    return *this;
  }

 private:
  std::string& out_;
  Dialect d_;
};

}  // namespace vft::web
