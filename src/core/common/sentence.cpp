#include "common/sentence.h"

#include <cstring>

namespace vft {
namespace {

bool is_break(char c) { return c == '\r' || c == '\n'; }

std::string_view strip_blanks(std::string_view p) {
  while (!p.empty() && p.front() == ' ') p.remove_prefix(1);
  while (!p.empty() && p.back() == ' ') p.remove_suffix(1);
  return p;
}

bool blank_between(char left, std::string_view right) {
  if (is_break(left) || is_break(right.front())) return false;
  if (std::strchr("(#", left)) return false;
  // ".." stands apart like a word; a lone stop belongs to the word before it.
  return right.substr(0, 2) == ".." || std::strchr(".,;:?!)", right.front()) == nullptr;
}

}  // namespace

std::string Sentence(std::initializer_list<std::string_view> pieces) {
  std::string out;
  for (std::string_view piece : pieces) {
    const std::string_view p = strip_blanks(piece);
    if (p.empty()) continue;
    if (!out.empty() && blank_between(out.back(), p)) out += ' ';
    out += p;
  }
  return out;
}

std::string TidyBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool pending_blank = false;  // blanks seen since the last word of this line
  for (char c : text) {
    if (c == ' ') {
      pending_blank = true;
      continue;
    }
    if (is_break(c)) {
      pending_blank = false;
    } else if (pending_blank) {
      if (!out.empty() && !is_break(out.back())) out += ' ';
      pending_blank = false;
    }
    out += c;
  }
  return out;
}

}  // namespace vft
