// The person editor's seventeen fields and the small rules that belong to one
// field at a time: widths, labels, capitalisation, the sex and baptised
// answers, the date-order check, and what a new person starts with.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "store/session.h"

namespace vft {

inline constexpr int kEditFields = 17;

// Index of each box of the editor's `Text` array.
namespace editfield {
constexpr int FamName = 0, GivenNames = 1, BirthDate = 2, DeathDate = 3, BirthPlace = 4, Baptised = 5, BaptismDate = 6,
              BaptismPlace = 7, DeathPlace = 8, BurialDate = 9, BurialPlace = 10, Occupation = 11, CurrAddress = 12,
              Phone = 13, Source = 14, Notes = 15, Sex = 16;
}

// The notes box takes at most this many characters: a notes chain links its
// pieces with 16-bit record numbers, so one person cannot be allowed to use
// up the whole notes file.
inline constexpr std::size_t kMaxEditNotes = 30000;

struct EditFieldInfo {
  std::size_t width;  // characters the record keeps; 0 for the notes box
  int date_code;      // the date field code (store/dates.h), 0 for other fields
  bool capitalised;   // names: AutoCap applies when the box is left
};
// Out-of-range indexes get the notes box's entry.
const EditFieldInfo& EditField(int index);

// The label shown beside box `index`; the three user-named labels come from
// the message table.
std::string EditFieldLabel(const Session& s, int index);

// The text the box shows for a record field, and the record field a box edits.
std::string FieldValue(const PersonRecord& p, int index);
void SetFieldValue(PersonRecord& p, int index, const std::string& value);

// First-letter capitalisation: the first character and every character
// straight after a space are upper-cased; nothing else changes.
std::string AutoCapitalise(const std::string& text);

// Sex: the record letter for a typed text ("F..." -> "F", "M..." -> "M",
// anything else blank), the word shown for it, and the button's cycle
// Male -> Female -> Not Set -> Male.
std::string SexFromTyped(const std::string& typed);
std::string SexWord(const std::string& sex);
std::string NextSex(const std::string& sex);

// The baptised box: "Yes" for a text starting with Y, "No" for N, else empty.
std::string BaptisedFromTyped(const std::string& typed);

// The first failing test of the six date-order tests on the record's dates,
// as its message; empty when the dates are in order (unknown dates always are).
std::string DateOrderMessage(const Session& s, const PersonRecord& p);
// Shows that message in a "Date Error" box; true when the dates are in order.
bool CheckDateOrder(Session& s, const PersonRecord& p);

// The editor's window title for the operation in s.Rel (or for editing the
// person named `edited`, when `editing` is set).
std::string EditTitle(const Session& s, bool editing, const std::string& edited);

// The working copy a new person starts from: blank fields, and the family
// name, sex and AutoCap the relation being added suggests.
PersonRecord NewPersonPreset(const Session& s);

// The status hints of the editor.
namespace edithint {
inline constexpr const char* Baptised = " Press [Y] for Yes,  [N] for No or [Space] if not known. ";
inline constexpr const char* SexButton = "Click or press 'Space' to change Sex";
inline constexpr const char* SexField = " Enter 'F' for female, 'M' for Male, 'Space' for Not Set";
inline constexpr const char* FirstPerson = " This is the first person in the records ";
inline constexpr const char* LastPerson = " This is the last person in the records ";
}  // namespace edithint

}  // namespace vft
