// Messages and titles are put together from fixed pieces and the names of
// persons, folders and files. The pieces come with stray blanks at their
// edges (and names come trimmed), so gluing them with + either runs a name
// into the next word or leaves two blanks. Every such text is joined here.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

namespace vft {

// Joins the pieces with one blank where two pieces meet. The blanks at a
// piece's edges are dropped, and so is a piece of blanks alone; no blank is
// put before . , ; : ? ! ) or after ( # or next to a line break. A line break
// (CrLf) is best passed as a piece of its own; blanks inside a piece stay.
std::string Sentence(std::initializer_list<std::string_view> pieces);

// A whole message as a box shows it: every run of blanks inside a line
// becomes one blank, a line loses the blanks at its ends, and the lines keep
// their breaks.
std::string TidyBlanks(std::string_view text);

}  // namespace vft
