// The open and save dialogs the main window's commands need, asked for the
// same way core asks for message boxes: the window answers with QFileDialog,
// tests from a script. Paths are native file-system bytes, as every file
// operation of core takes them.
#pragma once
#include <deque>
#include <string>
#include <vector>

namespace vft {

struct FileRequest {
  std::string title;
  // Pairs of description and pattern, each followed by "|":
  // "Vorlan Family File (*.vfl)|*.vfl|All Files (*.*)|*.*|". The first pair is
  // the one selected when the dialog opens.
  std::string filter;
  std::string default_ext;    // added when the user types a name without one; "" = none
  std::string folder;         // where the dialog starts; "" = the user's documents folder
  std::string proposed_name;  // the name offered in a save dialog; "" = none
};

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // The chosen file's full path; empty when the user cancelled.
  virtual std::string open_file(const FileRequest& r) = 0;
  virtual std::string save_file(const FileRequest& r) = 0;
  // A folder browser (only `title` and `folder` of the request are used); the
  // chosen folder, empty when cancelled. Front ends without one cancel.
  virtual std::string choose_folder(const FileRequest&) { return {}; }
};

// Records every dialog and answers from a queue ("" is a cancelled dialog);
// an empty queue cancels.
class ScriptedFileDialogs : public FileDialogs {
 public:
  std::vector<FileRequest> shown;
  std::deque<std::string> answers;
  std::string open_file(const FileRequest& r) override { return next(r); }
  std::string save_file(const FileRequest& r) override { return next(r); }
  std::string choose_folder(const FileRequest& r) override { return next(r); }

 private:
  std::string next(const FileRequest& r) {
    shown.push_back(r);
    if (answers.empty()) return {};
    std::string a = answers.front();
    answers.pop_front();
    return a;
  }
};

}  // namespace vft
