// The only way core talks to the user: a message box request answered by the
// front end (Qt box, terminal, or a scripted test double).
#pragma once
#include <deque>
#include <string>
#include <vector>

namespace vft {

enum class Buttons { OK = 0, OKCancel = 1, YesNoCancel = 3, YesNo = 4 };
enum class Icon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };

// Answer codes as the boxes report them.
constexpr int kAnswerOK = 1;
constexpr int kAnswerCancel = 2;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;

struct Message {
  std::string title;  // CP1252
  std::string text;   // CP1252, lines joined with CrLf
  Buttons buttons = Buttons::OK;
  Icon icon = Icon::None;
  int default_button = 0;  // 0-based index among the buttons
  std::string help = {};   // a help page topic: the box has a Help button that opens it
};

class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual int ask(const Message& m) = 0;
};

// Records every box; answers from a queue, then with the first button's code
// (OK or Yes) once the queue is empty.
class ScriptedPrompter : public Prompter {
 public:
  std::vector<Message> shown;
  std::deque<int> answers;
  int ask(const Message& m) override {
    shown.push_back(m);
    if (!answers.empty()) {
      int a = answers.front();
      answers.pop_front();
      return a;
    }
    return (m.buttons == Buttons::YesNo || m.buttons == Buttons::YesNoCancel) ? kAnswerYes : kAnswerOK;
  }
};

}  // namespace vft
