// The entry of one person as the data sheet and the list of all persons
// print it: the name line, dates, places, baptism, interment, occupation,
// address and phone, the children, the partners with their marriages, the
// source and the notes, each section only when its box is ticked and there
// is something to say.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "print/page_document.h"
#include "print/sheet_options.h"
#include "print/sheet_text.h"
#include "store/session.h"

namespace vft::print {

enum class EntryStyle : std::uint8_t {
  DataSheet,  // "Name: ...", the baptism flag as "Yes"/"No"
  ListAll,    // "#7, ..." in bold, baptism only when baptised
};

class PersonEntryWriter {
 public:
  PersonEntryWriter(const Session& s, PageDocument& doc, const SheetOptions& o, const AllPersons& all, EntryStyle style)
      : s_(s), doc_(doc), o_(o), all_(all), style_(style) {}
  void write(const PersonRecord& p);

 private:
  bool on(int box) const { return o_.ticked(box); }
  void row(std::string_view a, std::string_view b = {}) { WriteSheetRow(doc_, RowLayout::LabelValue, a, b); }
  void bold_row(std::string_view a, std::string_view b = {});
  double bold_height(std::string_view a, std::string_view b = {});
  // The rows of dates, places, baptism, interment, occupation, address and phone.
  std::vector<std::string> life(const PersonRecord& p) const;
  void children(const PersonRecord& p);
  void partners(const PersonRecord& p);

  const Session& s_;
  PageDocument& doc_;
  const SheetOptions& o_;
  const AllPersons& all_;
  EntryStyle style_;
};

}  // namespace vft::print
