// What the add and connect dialogs show and where each answer leads. The
// windows only display these texts and pass the user's answer back; every
// rule (which relation may be chosen, which family a child joins, which
// positions a sequence accepts) is decided here so it can be tested without
// a widget.
//
// Texts that come in pieces ("Is the Mother of", the name, "known?") are
// joined with one space, unless a piece already brings its own.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/session.h"

namespace vft {

enum class Relation { Father = 0, Mother, Sibling, Partner, Child, Unrelated };

// Where a dialog's answer leads.
enum class DialogNext {
  Cancelled,      // the operation ended; the relation state is reset
  EditNewPerson,  // the person editor for a new person (AddMode)
  PickPerson,     // the person picker, then ConnectSelectedPerson (ConnectMode)
  NoSex,          // frmNoSex: the selected person's sex is missing
  AddChild,       // frmAddChild: is the child the issue of the displayed couple?
  AskKnown,       // frmAddChild: is the other parent of the child known?
  ListSequence,   // frmListSequence with `list`
  SelectOther,    // frmSelectOther with `partners`
  ConnectChild,   // connecting: the couple is settled, the child joins it at InsertPosition
};

// A sequence of persons to choose a place in.
struct SequenceList {
  std::string caption;
  std::string prompt;
  std::vector<std::int16_t> persons;
  int last_position() const { return static_cast<int>(persons.size()) + 1; }
};

struct DialogStep {
  DialogNext next = DialogNext::Cancelled;
  SequenceList list;                 // for ListSequence
  std::vector<PartnerRow> partners;  // for SelectOther
  std::string header;                // for SelectOther: the line above the list
};

// ---- frmConnectAs
struct ConnectAsView {
  std::string title;
  std::string label;  // "Add a person to " + name + " as a"
  bool father = true, mother = true, sibling = true, partner = true, child = true;
  bool unrelated_visible = true;
};
// On load: clears the relation flags (the mode stays) and works out which
// relations the selected person can take.
ConnectAsView LoadConnectAs(Session& s);
// A relation button: sets its flag and decides the next step.
DialogStep ChooseRelation(Session& s, Relation r);

// ---- frmNoSex
std::string NoSexText(const Session& s);  // "The sex of " name "is not recorded."
std::string NoSexMustText();              // "You must enter the sex of the person to continue."
// Male ('M') or Female ('F'): stores the sex on the selected person's record
// and goes on with the relation chosen before.
DialogStep StoreSelectedSex(Session& s, char sex);

// ---- frmAddChild
struct AddChildView {
  std::string title;
  std::string question;
  bool issue_of = false;  // the question names the displayed couple
};
// ask_known: ask whether the other parent is known even though the selected
// person has partners (none of them is the other parent).
AddChildView LoadAddChild(const Session& s, bool ask_known);
// The answer to "Is the child ... the issue of C and P?".
DialogStep AnswerIssueOf(Session& s, bool yes);
// A partner chosen in frmSelectOther becomes the child's other parent.
DialogStep ChooseOtherParent(Session& s, std::int16_t partner);
// "No" to whether the other parent is known: an 'Unknown' partner is added
// for the selected person and the child goes to that couple. Returns the step
// and sets `status` to the line the message area shows.
DialogStep SupplyUnknownOtherParent(Session& s, std::string& status);
// "Yes" to whether the other parent is known: that parent is added first, as
// a new partner of the selected person (a new person, so in AddMode even when
// a child is being connected), with the place among the partners chosen when
// there are some. The marriage editor then hands back to the child.
DialogStep StartOtherParentAsPartner(Session& s);
// The partner has been added on the way to connecting x as a child: x leaves
// its own family and becomes the last child of the selected person and the
// displayed partner. Ends the operation.
[[nodiscard]] bool ConnectChildToDisplayedCouple(Session& s, std::int16_t x);
// The couple a child of the selected person and `partner` belongs to, by sex,
// put into ChildFather / ChildMother.
void SetChildCouple(Session& s, std::int16_t partner);

// ---- frmAddParent
struct AddParentView {
  std::string title;     // "Add a Father" / "Add a Mother"
  std::string question;  // "Is the Mother of" name "known?"
  std::string adding;    // what the message area shows on No
};
AddParentView LoadAddParent(const Session& s);

// ---- frmConnectParent (x is the person being connected as a parent)
struct ConnectParentView {
  std::string title;
  std::vector<std::string> lines;  // the labels, top to bottom
};
ConnectParentView LoadConnectParent(const Session& s, std::int16_t x, std::int16_t spouse);
// x's partners that could be the other parent (filled partner slots only).
std::vector<PartnerRow> ParentCandidates(const Session& s, std::int16_t x);
// The children of x and spouse, among whom the selected person is placed.
SequenceList ParentCoupleSequence(const Session& s, std::int16_t x, std::int16_t spouse);

// ---- frmConnectPartner
// The selected person's first family with an 'Unknown' partner that has
// children; 0 when there is none (the dialog is then not shown).
std::int16_t UnknownPartnerFamily(const Session& s);
std::vector<std::string> ConnectPartnerLines(const Session& s, std::int16_t x, std::int16_t family);
// Yes: x takes the 'Unknown' partner's place in `family`. x gains a partner
// and the placeholder loses one; the selected person's count stays. Ends the
// operation.
[[nodiscard]] bool ReplaceUnknownPartner(Session& s, std::int16_t x, std::int16_t family);

// ---- frmListSequence
// One line of the list: position, given names, family name, birth and death.
std::string SequenceLine(const Session& s, int position, std::int16_t person);
// The value typed, read as the number it starts with (no digits reads as 0).
long ReadTypedNumber(const std::string& text);
// OK is enabled while the box holds something other than blanks.
bool SequenceOkEnabled(const std::string& text);
// Checks the typed position against 1..last; on a refusal shows the
// "Problem" box and returns nothing. Otherwise the 0-based position.
std::optional<int> CheckSequencePosition(Session& s, const std::string& text, int last);

// ---- frmSelectOther
// The line for a partner: the name, then "Divorced" or "Not Married".
std::string PartnerLine(const Session& s, const PartnerRow& row);
// The line above the partners: which parent is being chosen.
std::string SelectOtherHeader(bool mother);

// ---- frmUnrelated
std::string UnrelatedNotice(const Session& s, std::int16_t person);

}  // namespace vft
