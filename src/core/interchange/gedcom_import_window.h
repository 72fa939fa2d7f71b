// What the import window does, without the window: it reads the file and its
// header before anything else (so the header frame can be filled while the
// conversion runs), converts, shows the result in its text box and merges
// only when OK is pressed. Every box the user sees comes through s.ask.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "interchange/gedcom_import.h"
#include "store/session.h"

namespace vft {

// The header details of GEDCOM bytes in any character set. False when the
// first line is not "0 HEAD" (`out` is then left empty).
bool ReadGedcomHeader(std::string_view bytes, GedcomHeaderInfo& out);

// One line of the header frame: its label ("Source: ") and the value.
struct GedcomHeaderField {
  std::string label;
  std::string value;
};
// The eight lines of the frame in order: Source, Destination, Date, Version,
// GEDCOM Version, Name, Address, Phone.
std::vector<GedcomHeaderField> GedcomHeaderFields(const GedcomHeaderInfo& h);

// The summary, then the error list when there is one, for the window's text box.
std::string ImportReportText(const ImportResult& r);

class GedcomImportModel {
 public:
  enum class State { New, Opened, Converted, Merged, Closed };

  GedcomImportModel(Session& s, std::string path);

  // "Importing GEDCOM file: " with the path shortened to 50 characters.
  std::string importing_text() const;
  // "Adding the converted GEDCOM file ..." and "Please wait." on two lines.
  static std::string merging_text();

  // Reads the file and its header. False (after telling the user) when the
  // file cannot be read; the window then closes.
  bool open();
  // Converts the file read by open(). The stage texts and counts go to
  // `progress`; returning false there abandons the import. The refusals and
  // the identifier question are asked by the conversion itself.
  ImportStatus convert(const Progress& progress);
  // Appends the conversion to the tree and remembers the file's folder.
  // False when it could not be written (the user has been told).
  bool merge(const Progress& progress);
  // The window closes without merging: a conversion that was ready (or still
  // to come) is abandoned with the message that nothing changed. Nothing is
  // shown when the conversion has already said why it stopped.
  void abandon();

  State state() const { return state_; }
  const std::string& path() const { return path_; }
  const GedcomHeaderInfo& header() const { return header_; }
  const ImportResult& result() const { return result_; }

 private:
  Session& s_;
  std::string path_;
  std::string bytes_;
  GedcomHeaderInfo header_;
  GedcomConversion conversion_;
  ImportResult result_;
  State state_ = State::New;
};

}  // namespace vft
