// Keeps a text box to what CP1252 can store: a character outside it becomes
// "?" as it is typed or pasted, and a warning label says so, so nothing is
// changed behind the user's back.
#pragma once

class QLabel;
class QLineEdit;

namespace vft::ui {

// The text shown in `warning` when a character was replaced.
inline constexpr const char* kReplacedCharacters = "Characters this program cannot store were replaced by \"?\".";

void guard_cp1252(QLineEdit* box, QLabel* warning);

}  // namespace vft::ui
