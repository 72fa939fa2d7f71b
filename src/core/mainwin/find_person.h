// Picking a person out of the persons file: the find dialog's search (by
// number or by name), the choice made in the list dialog (SelectPerson) and
// the captions both dialogs show. The windows only collect the texts, show
// what these functions decide and pass the outcome on to the main window.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "mainwin/person_list.h"
#include "store/session.h"

namespace vft {

// A Person number typed into a box: the trimmed text is all digits and is 1
// or more. `digits` is the number as the messages show it (no leading zeros);
// `value` saturates for texts too long for any Person number.
struct TypedNumber {
  std::string digits;
  long value = 0;
};
std::optional<TypedNumber> ParseTypedNumber(std::string_view text);

// What picking a person has led to.
enum class PickStep {
  None,      // nothing to act on (no row, no number)
  Refused,   // a "Problem" box was shown; the dialog stays open
  Connect,   // hand `number` to ConnectSelectedPerson (relations/connect.h)
  Selected,  // `number` is LastPerson and the selected person; redraw the family view
  Edit,      // as Selected, and open the person editor for `number`
};
struct PickResult {
  PickStep step = PickStep::None;
  std::int16_t number = 0;
};

// Refuses a number that is above NumPersons or belongs to a deleted person,
// with its box titled "Problem"; true when the number may be taken.
bool CheckPersonNumber(Session& s, const TypedNumber& n);

// Acts on a chosen Person number. While connecting, the number is only
// checked and handed on. Otherwise it becomes LastPerson and the selected
// person (its partner and sibling lists refilled); ConnectMode is cleared
// unless the edit flag asks for the person editor.
PickResult SelectPerson(Session& s, long number);

// The family-name box as the search reads it: in capitals when the option
// UCaseFamname is on (the box shows the same when it loses the focus).
std::string FamNameBoxText(const Session& s, const std::string& typed);

// What the find dialog does after its search button.
enum class FindStep {
  StayOpen,  // a refusal was shown, or "Try again?" was answered Yes
  Close,     // "Try again?" answered No
  OpenList,  // the search texts are stored; close and open the list dialog
  Picked,    // one person was chosen: see `pick`
};
struct FindResult {
  FindStep step = FindStep::StayOpen;
  PickResult pick;
};

// The search button: a number of 1 or more in the family-name box picks that
// person (after its checks); otherwise the names are searched. One match is
// picked, several are offered as a list, none asks whether to try again.
// `famname` is the box text as FamNameBoxText gives it.
FindResult FindPerson(Session& s, const std::string& given, const std::string& famname);

// Stores the two texts as the search texts the list dialog shows the
// matches of. A number in the family-name box is no name, so the list then
// searches by given names alone.
void StoreSearchTexts(Session& s, const std::string& given, const std::string& famname);

// Who the list dialog offers: everyone it may offer (while connecting, not
// the selected person, and a partner only of the other sex), or only the
// matches of the stored search texts when `filtered`. Unfiltered means every
// name, whatever "Precise Search" says.
PersonFilter ListFilter(const Session& s, bool filtered);
// The line over a filtered list: "Showing 16 persons named Smi".
std::string FilterNotice(const Session& s, std::size_t shown);

// The relation being connected, as the captions name it ("Father", "Mother",
// "Partner", "Sibling", "Child"); empty when none is chosen.
std::string ConnectRoleWord(const Session& s);

// Captions. `fitted_name` is the selected person's name as the family view
// fits it into its box.
std::string FindCaption(const Session& s, const std::string& fitted_name);
std::string SelectCaption(const Session& s, const std::string& fitted_name);

}  // namespace vft
