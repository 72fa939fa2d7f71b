#include "print/person_entry.h"

#include "common/cp1252.h"
#include "common/messages.h"

namespace vft::print {

void PersonEntryWriter::bold_row(std::string_view a, std::string_view b) {
  const Font f = doc_.font();
  Font bold = f;
  bold.bold = true;
  doc_.set_font(bold);
  row(a, b);
  doc_.set_font(f);
}

std::vector<std::string> PersonEntryWriter::life(const PersonRecord& p) const {
  std::vector<std::string> rows;
  auto row = [&](std::string text) { rows.push_back(std::move(text)); };
  std::string dates = LifeDates(s_, p, on(item1::DateOfBirth), on(item1::DateOfDeath), on(item1::Age));
  if (!dates.empty()) row(dates);
  const std::string born_at = cp1252::trim(p.BirthPlace);
  if (on(item1::PlaceOfBirth) && !born_at.empty()) row("Born at " + born_at);
  if (on(item1::BaptismData)) {
    const std::string& term = s_.Messages[msg::BaptisedLabel];
    const bool yes = IsBaptised(p);
    if (style_ == EntryStyle::DataSheet) row(term + ": " + (yes ? "Yes" : "No"));
    // A date recorded while the flag says no is not a baptism.
    std::string details = yes ? BaptismText(term, p, style_ == EntryStyle::DataSheet) : std::string();
    if (!details.empty()) row(details);
  }
  // The data sheet has no boxes for the place of death and the interment:
  // what is recorded there is always part of a person's record.
  const bool sheet = style_ == EntryStyle::DataSheet;
  const std::string died_at = cp1252::trim(p.DeathPlace);
  if ((sheet || on(item1::PlaceOfDeath)) && !died_at.empty()) row("Died at " + died_at);
  if (sheet || on(item1::BurialData)) {
    std::string interred = IntermentText(p);
    if (!interred.empty()) row(interred);
  }
  const std::string occupation = cp1252::trim(p.Occupation);
  if (on(item1::Occupation) && !occupation.empty()) row("Occupation: " + occupation);
  const std::string address = cp1252::trim(p.CurrAddress);
  if (on(item1::CurrentAddress) && !address.empty()) row("Current Address is " + address);
  const std::string phone = cp1252::trim(p.Phone);
  if (on(item1::Phone) && !phone.empty()) row("Phone " + phone);
  return rows;
}

double PersonEntryWriter::bold_height(std::string_view a, std::string_view b) {
  const Font f = doc_.font();
  Font bold = f;
  bold.bold = true;
  doc_.set_font(bold);
  const double h = SheetRowHeight(doc_, RowLayout::LabelValue, a, b);
  doc_.set_font(f);
  return h;
}

void PersonEntryWriter::children(const PersonRecord& p) {
  std::vector<std::string> entries;
  for (std::int16_t k : all_.children(p.PerNum))
    if (const PersonRecord* c = all_.find(k)) entries.push_back(RelativeEntry(s_, *c));
  if (entries.empty()) return;
  // The heading never stands alone at the foot of a page.
  doc_.keep_together(bold_height("CHILDREN:") + SheetRowHeight(doc_, RowLayout::ListEntry, "", entries[0]));
  bold_row("CHILDREN:");
  for (const std::string& entry : entries) WriteSheetRow(doc_, RowLayout::ListEntry, "", entry);
}

void PersonEntryWriter::partners(const PersonRecord& p) {
  const auto& families = all_.partnerships(p.PerNum);
  if (families.empty()) return;
  bool first = true;
  for (std::int16_t m : families) {
    const PersonRecord* partner = all_.find(all_.partner_in(m, p.PerNum));
    const std::string entry = partner ? RelativeEntry(s_, *partner) : s_.Messages[msg::Unknown] + ".";
    const CeremonyRecord c = all_.ceremony(m);
    const std::string date = cp1252::trim(c.MarriedDate);
    const std::string married = on(item1::MarriageDates) && !date.empty() ? "Married on " + NoBreak(date) : "";
    const std::string notes = on(item1::MarriageNotes) ? cp1252::trim(c.MarriedAt) : "";
    // A partner goes over the leaf with the marriage, and the first one
    // takes the heading along.
    double height = SheetRowHeight(doc_, RowLayout::ListEntry, "", entry);
    if (!married.empty()) height += SheetRowHeight(doc_, RowLayout::Indented, "", married);
    if (!notes.empty()) height += SheetRowHeight(doc_, RowLayout::Indented, "", "Marriage:", notes);
    if (first) height += bold_height("PARTNER(s):");
    doc_.keep_together(height);
    if (first) bold_row("PARTNER(s):");
    first = false;
    WriteSheetRow(doc_, RowLayout::ListEntry, "", entry);
    if (!married.empty()) WriteSheetRow(doc_, RowLayout::Indented, "", married);
    if (!notes.empty()) WriteSheetRow(doc_, RowLayout::Indented, "", "Marriage:", notes);
  }
}

void PersonEntryWriter::write(const PersonRecord& p) {
  std::string name = "Name: " + ListName(s_, p);
  if (style_ == EntryStyle::ListAll)
    name = (on(item1::PersonNumber) ? "#" + std::to_string(p.PerNum) + ", " : std::string()) + ListName(s_, p);
  const std::string sex = on(item1::Sex) ? SexText(p) : std::string();
  // The person with the dates, places and the rest of the record is one
  // block: it goes over the leaf whole.
  const std::vector<std::string> rows = life(p);
  double height = bold_height(name, sex);
  for (const std::string& r : rows) height += SheetRowHeight(doc_, RowLayout::LabelValue, r);
  doc_.keep_together(height);
  bold_row(name, sex);
  for (const std::string& r : rows) row(r);
  if (on(item1::Children)) children(p);
  if (on(item1::Partners)) partners(p);
  const std::string source = cp1252::trim(p.Source);
  if (on(item1::Source) && !source.empty()) row("Information source: " + source);
  if (on(item1::Notes)) {
    // Notes run to any length, so they flow over pages line by line instead
    // of going into one table cell, inset like the cells above them so the
    // text lines up.
    std::string notes = all_.notes(p);
    if (!cp1252::trim(notes).empty()) {
      const double left = doc_.margin_left(), right = doc_.margin_right();
      doc_.set_margin_left(left + kCellPadding);
      doc_.set_margin_right(right + kCellPadding);
      doc_.write_paragraph(notes);
      doc_.set_margin_left(left);
      doc_.set_margin_right(right);
    }
  }
}

}  // namespace vft::print
