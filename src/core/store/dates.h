// Dates as the tree keeps them: text of at most 11 characters, "d mmm yyyy"
// when complete ("5 Jan 1901"), with "?", "???" or "????" standing for an
// unknown day, month or year, "? ??? ????" for a wholly unknown date and an
// empty text for no date at all.
#pragma once
#include <functional>
#include <string>

#include "store/date_parse.h"
#include "store/session.h"

namespace vft {

inline constexpr const char* UnknownDate = "? ??? ????";
inline constexpr const char* UnknownYear = "????";

// Field codes: every date travels with the code of the box it came from, so
// the message names the right kind of date and the focus goes back there.
namespace datefield {
constexpr int Birth = 3;             // person editor, birth-date box
constexpr int Death = 4;             // person editor, death-date box
constexpr int Baptism = 8;           // person editor, baptism-date box
constexpr int Burial = 11;           // person editor, burial or cremation date box
constexpr int Marriage = 50;         // marriage editor, date box
constexpr int BirthRecord = 98;      // no form: BirthDate of the current Person record
constexpr int DeathRecord = 99;      // no form: DeathDate of the current Person record
constexpr int MarriageRecord = 100;  // no form: MarriedDate of the ceremony buffer
}  // namespace datefield

// A date box takes whatever is typed or pasted, as much as a line box can
// hold; CheckDate then stores what fits the field or refuses the text. A box
// is never what cuts a date: a limit it enforced would cut a paste silently
// (56 blanks and "5 Jan 1890" would become "5 Jan 18", read as 2018).
inline constexpr int kDateBoxChars = 32767;

// Receives the normalised text for the codes that have a box (3, 4, 8, 11, 50).
using DateSink = std::function<void(int code, const std::string& text)>;

// Puts a date text where its code says: the sink for the boxes (the marriage
// box gets the text trimmed, while CerBuf.MarriedDate gets it as it is), the
// current records for 98, 99 and 100. Unknown codes store nothing.
void StoreDate(Session& s, const std::string& text, int code, const DateSink& sink);

// Normalises a date the user has typed into its stored form (store/date_forms.h),
// stores it and refuses dates later than today. A text the field cannot hold
// whole is refused with the form that would fit; a day its month does not
// have is stored only when the user says to keep it. `text` comes back as
// what was stored, or as typed when nothing was. Returns true when a value
// was stored and no date error was shown. An empty box stores "? ??? ????"
// for a birth date and nothing for the others. Every refusal calls `focus`
// with the code of a box.
bool CheckDate(Session& s, std::string& text, int code, const DateSink& sink = {},
               const std::function<void(int)>& focus = {});

// The "later than today" message for the field of `code`; the focus goes back
// to its box (codes 3, 4, 8, 11 and 50).
void DateError(Session& s, int code, const std::function<void(int)>& focus = {});

// False only when `a` is provably after `b` (both complete and a after b, or
// both years known and a's later). Texts may be padded.
bool DatesInOrder(const std::string& a, const std::string& b);

// Age shown for a person from the birth and death texts (padded or not); with
// no death date, the age today.
std::string AgeText(const Session& s, const std::string& birth, const std::string& death);

// The same for charts, which print the age straight after a label.
std::string ChartAgeText(const Session& s, const std::string& birth, const std::string& death);

}  // namespace vft
