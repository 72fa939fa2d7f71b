// Note texts: level-0 note records (any identifier form, GEDCOM 7's SNOTE
// too) and the helpers that add to a person's notes.
//
//   0 @XREF@ NOTE <text>      {record}
//     +1 CONT <text>          {0:M}  a new line (CrLf)
//     +1 CONC <text>          {0:M}  the same line, joined as written
//     +1 SOUR, REFN, CHAN ... skipped
#include "interchange/gedcom_import_internal.h"
#include "store/session.h"

namespace vft::gedcom {

NoteRecords::NoteRecords(std::string_view text, const std::vector<RecordRef>& notes, bool gedcom7)
    : text_(text), gedcom7_(gedcom7), notes_(notes), map_(MapXrefs(notes)), cache_(notes.size()) {}

const std::string* NoteRecords::find(std::string_view xref) {
  auto it = map_.find(TrimView(xref));
  if (it == map_.end()) return nullptr;
  auto& slot = cache_[static_cast<std::size_t>(it->second - 1)];
  if (slot) return &*slot;
  // Each record is read at most once, however many persons point at it.
  const RecordRef& r = notes_[static_cast<std::size_t>(it->second - 1)];
  std::string text;
  GedcomLexer lex(text_, gedcom7_);
  lex.seek(r.offset, r.line);
  GedLine l;
  lex.next(l);
  AppendCapped(text, l.value);
  while (lex.next(l) && l.level != 0) {
    if (l.level != 1) continue;
    if (TagIs(l.tag, "CONT")) {
      AppendCapped(text, CrLf);
      AppendCapped(text, l.value);
    } else if (TagIs(l.tag, "CONC")) {
      AppendCapped(text, l.value);
    }
  }
  slot = std::move(text);
  return &*slot;
}

bool AppendCapped(std::string& to, std::string_view piece, std::size_t cap) {
  const std::size_t room = to.size() < cap ? cap - to.size() : 0;
  to.append(piece.substr(0, room));
  return piece.size() <= room;
}

bool AddNoteParagraph(std::string& notes, std::string_view label, std::string_view text, std::size_t cap) {
  bool whole = notes.empty() || AppendCapped(notes, CrLf, cap);
  whole = AppendCapped(notes, label, cap) && whole;
  whole = AppendCapped(notes, ": ", cap) && whole;
  return AppendCapped(notes, text, cap) && whole;
}

}  // namespace vft::gedcom
