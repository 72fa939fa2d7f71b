// First pass of the import: where every level-0 record starts, the header
// details, the trailer check and the cross-reference maps.
#include <initializer_list>
#include <string>

#include "interchange/gedcom_import_internal.h"
#include "store/session.h"

namespace vft::gedcom {

// ---- SkipLog

SkipKind KindOfSkip(std::string_view where, std::string_view tag) {
  auto is = [&](std::initializer_list<std::string_view> tags) {
    for (std::string_view t : tags)
      if (TagIs(tag, t)) return true;
    return false;
  };
  const bool record = where == "record";
  if (is({"SOUR"})) return record ? SkipKind::SourceRecords : SkipKind::SourceCitations;
  if (is({"OBJE", "_PHOTO", "_OBJE"})) return record ? SkipKind::MediaRecords : SkipKind::MediaLinks;
  if (record) return SkipKind::OtherRecords;
  if (is({"TITL"})) return SkipKind::Titles;
  if (is({"NOTE", "SNOTE"})) return SkipKind::Notes;
  if (is({"REFN", "RIN", "RFN", "AFN", "UID", "_UID", "EXID", "CHAN", "_FSFTID"})) return SkipKind::RecordNumbers;
  if (is({"ASSO"})) return SkipKind::Associations;
  if (where == "INDI") return is({"NAME", "ALIA", "_AKA"}) ? SkipKind::AlternativeNames : SkipKind::OtherEvents;
  if (where == "INDI NAME") return SkipKind::NameDetails;
  if (where == "FAM") return SkipKind::FamilyEvents;
  if (where == "FAM DIV") return SkipKind::DivorceDetails;
  return SkipKind::OtherDetails;
}

void SkipLog::add(std::string_view where, std::string_view tag, std::uint32_t line) {
  ++kinds_[static_cast<std::size_t>(KindOfSkip(where, tag))];
  std::string key(where);
  key += ' ';
  key.append(tag.substr(0, 40));
  auto it = index_.find(key);
  if (it != index_.end()) {
    ++entries_[it->second].count;
    return;
  }
  // Hostile files can invent a new tag on every line; the log stays small.
  if (entries_.size() >= 200) {
    ++others_;
    return;
  }
  index_.emplace(key, entries_.size());
  entries_.push_back({std::move(key), 1, line});
}

void SkipLog::bad_line(std::uint32_t line) {
  if (line <= last_bad_) return;
  last_bad_ = line;
  ++bad_;
  if (first_bad_.size() < kBadListed) first_bad_.push_back(line);
}

std::vector<std::string> SkipLog::lines() const {
  std::vector<std::string> out;
  if (bad_ > 0)
    out.push_back("Lines that could not be read: " + std::to_string(bad_) + " (first at line " +
                  std::to_string(first_bad_.front()) + ")");
  for (const auto& e : entries_)
    out.push_back("Skipped " + e.key + ": " + std::to_string(e.count) + " (first at line " + std::to_string(e.first) +
                  ")");
  if (others_ > 0) out.push_back("Skipped other structures: " + std::to_string(others_));
  return out;
}

// ---- first pass

FileIndex IndexRecords(std::string_view text, SkipLog& log) {
  FileIndex idx;
  GedcomLexer lex(text);
  GedLine l;
  bool first = true, in_head = false;
  while (lex.next(l)) {
    if (first) {
      idx.head_first = l.level == 0 && TagIs(l.tag, "HEAD");
      first = false;
    }
    if (l.level < 0) {
      log.bad_line(l.number);
      continue;
    }
    if (l.level > 0) {
      // +1 SUBM @XREF:SUBM@ {0:1} under HEAD names the submitter record.
      if (in_head && l.level == 1 && TagIs(l.tag, "SUBM") && l.pointer) idx.submitter_pointer = TrimView(l.value);
      continue;
    }
    in_head = false;
    idx.starts.push_back(l.offset);
    RecordRef r{l.xref, l.offset, l.number};
    if (TagIs(l.tag, "HEAD")) {
      if (!idx.head) {
        idx.head = r;
        in_head = true;
      }
    } else if (TagIs(l.tag, "INDI")) {
      idx.indi.push_back(r);
    } else if (TagIs(l.tag, "FAM")) {
      idx.fam.push_back(r);
    } else if ((TagIs(l.tag, "NOTE") || TagIs(l.tag, "SNOTE")) && !l.xref.empty()) {
      idx.note.push_back(r);
    } else if (TagIs(l.tag, "SUBM")) {
      idx.subm.push_back(r);
    } else if (TagIs(l.tag, "SOUR") && !l.xref.empty()) {
      idx.sour.push_back(r);  // logged later unless a person cites it
    } else if (TagIs(l.tag, "TRLR")) {
      break;
    } else {
      log.add("record", l.tag, l.number);
    }
  }
  return idx;
}

namespace {

std::string trimmed(std::string_view v) { return std::string(TrimView(v)); }

}  // namespace

void ReadHeader(std::string_view text, const FileIndex& idx, GedcomHeaderInfo& out) {
  GedcomLexer lex(text);
  GedLine l;
  if (idx.head) {
    lex.seek(idx.head->offset, idx.head->line);
    lex.next(l);
    std::string_view level1;
    while (lex.next(l) && l.level != 0) {
      if (l.level == 1) {
        level1 = l.tag;
        if (TagIs(l.tag, "SOUR")) out.Source = trimmed(l.value);
        else if (TagIs(l.tag, "DEST")) out.Destination = trimmed(l.value);
        else if (TagIs(l.tag, "DATE")) out.Date = trimmed(l.value);
      } else if (l.level == 2 && TagIs(l.tag, "VERS")) {
        if (TagIs(level1, "SOUR")) out.Version = trimmed(l.value);
        else if (TagIs(level1, "GEDC")) out.GedcomVersion = trimmed(l.value);
      }
    }
  }
  const RecordRef* subm = nullptr;
  for (const auto& r : idx.subm)
    if (r.xref == idx.submitter_pointer) subm = &r;
  if (!subm && !idx.subm.empty()) subm = &idx.subm.front();
  if (!subm) return;
  lex.seek(subm->offset, subm->line);
  lex.next(l);
  std::string_view level1;
  std::string parts;
  while (lex.next(l) && l.level != 0) {
    if (l.level == 1) {
      level1 = l.tag;
      if (TagIs(l.tag, "NAME")) out.SubmitterName = trimmed(l.value);
      else if (TagIs(l.tag, "ADDR")) out.SubmitterAddress = trimmed(l.value);
      else if (TagIs(l.tag, "PHON") && out.SubmitterPhone.empty()) out.SubmitterPhone = trimmed(l.value);
    } else if (l.level == 2 && TagIs(level1, "ADDR")) {
      // Address lines, or else the structured parts, one per line.
      std::string& to = TagIs(l.tag, "CONT") ? out.SubmitterAddress : parts;
      if (!TagIs(l.tag, "CONT") && !TagIs(l.tag, "ADR1") && !TagIs(l.tag, "ADR2") && !TagIs(l.tag, "CITY") &&
          !TagIs(l.tag, "STAE") && !TagIs(l.tag, "POST") && !TagIs(l.tag, "CTRY"))
        continue;
      if (!to.empty()) to += CrLf;
      to += trimmed(l.value);
    }
  }
  if (out.SubmitterAddress.empty()) out.SubmitterAddress = parts;
}

bool HasTrailer(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0) {
    char c = text[end - 1];
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\0' && c != '\x1A') break;
    --end;
  }
  std::size_t begin = end > 100 ? end - 100 : 0;
  return text.substr(begin, end - begin).find("TRLR") != std::string_view::npos;
}

XrefMap MapXrefs(const std::vector<RecordRef>& records) {
  XrefMap map;
  map.reserve(records.size());
  for (std::size_t i = 0; i < records.size(); ++i)
    if (!records[i].xref.empty()) map.emplace(records[i].xref, static_cast<int>(i + 1));
  return map;
}

bool HasAlphanumericIds(const std::vector<RecordRef>& indi) {
  for (const auto& r : indi) {
    std::string_view x = r.xref;
    if (x.empty()) continue;
    if (x.size() < 4 || x[1] != 'I') return true;
    for (std::size_t i = 2; i + 1 < x.size(); ++i)
      if (x[i] < '0' || x[i] > '9') return true;
  }
  return false;
}

}  // namespace vft::gedcom
