// Note texts: level-0 note records (any identifier form, GEDCOM 7's SNOTE
// too) and the helpers that add to a person's notes.
//
//   0 @XREF@ NOTE <text>      {record}
//     +1 CONT <text>          {0:M}  a new line (CrLf)
//     +1 CONC <text>          {0:M}  the same line, joined as written
//     +1 SOUR, REFN, CHAN ... skipped
//   0 @XREF@ SOUR             {record} a source a person cites
//     +1 TITL <text>          {0:1}  its title, with +2 CONT/CONC
//     +1 AUTH, PUBL, REPO ... skipped
#include <algorithm>

#include "interchange/gedcom_import_internal.h"
#include "store/session.h"

namespace vft::gedcom {

NoteRecords::NoteRecords(std::string_view text, const std::vector<RecordRef>& records, bool gedcom7, Kind kind)
    : text_(text),
      gedcom7_(gedcom7),
      kind_(kind),
      records_(records),
      map_(MapXrefs(records)),
      cache_(records.size()),
      replaced_(records.size() + 1, false),
      used_(records.size() + 1, false) {}

int NoteRecords::index(std::string_view xref) const {
  auto it = map_.find(TrimView(xref));
  return it == map_.end() ? 0 : it->second;
}

const std::string* NoteRecords::find(std::string_view xref) {
  const int i = index(xref);
  if (i == 0) return nullptr;
  auto& slot = cache_[static_cast<std::size_t>(i - 1)];
  if (slot) return &*slot;
  // Each record is read at most once, however many persons point at it.
  const RecordRef& r = records_[static_cast<std::size_t>(i - 1)];
  std::string text;
  GedcomLexer lex(text_, gedcom7_);
  lex.seek(r.offset, r.line);
  GedLine l;
  lex.next(l);
  // A note's text starts on its own line; a source's title is its first TITL
  // with the lines continuing it (joined by blanks, as other one-line fields).
  const bool note = kind_ == Kind::Note;
  const int level = note ? 1 : 2;
  bool in_text = note, title_seen = false;
  if (note) AppendCapped(text, l.value);
  while (lex.next(l) && l.level != 0) {
    if (!note && l.level == 1) {
      in_text = !title_seen && TagIs(l.tag, "TITL");
      if (in_text) AppendCapped(text, l.value);
      title_seen = title_seen || in_text;
    }
    if (l.level != level || !in_text) continue;
    if (TagIs(l.tag, "CONT")) {
      AppendCapped(text, note ? std::string_view(CrLf) : std::string_view(" "));
      AppendCapped(text, l.value);
    } else if (TagIs(l.tag, "CONC")) {
      AppendCapped(text, l.value);
    }
  }
  slot = std::move(text);
  return &*slot;
}

void NoteRecords::set_replaced(const std::vector<std::size_t>& offsets) {
  for (std::size_t i = 0; i < records_.size(); ++i)
    if (std::binary_search(offsets.begin(), offsets.end(), records_[i].offset)) replaced_[i + 1] = true;
}

bool NoteRecords::replaced(std::string_view xref) const { return replaced_[static_cast<std::size_t>(index(xref))]; }

void NoteRecords::use(std::string_view xref) { used_[static_cast<std::size_t>(index(xref))] = true; }

void NoteRecords::log_unused(SkipLog& log) const {
  for (std::size_t i = 0; i < records_.size(); ++i)
    if (!used_[i + 1]) log.add("record", kind_ == Kind::Note ? "NOTE" : "SOUR", records_[i].line);
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
