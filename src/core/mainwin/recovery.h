// Work folders left behind by a run that ended abnormally hold the records as
// they were at the crash, possibly never saved. The start-up offers them back
// instead of abandoning them, naming the Family file they belong to and when
// they were last changed.
#pragma once
#include <string>
#include <vector>

#include "store/session.h"

namespace vft {

struct LeftoverRun {
  std::string folder;   // ends with "/"
  std::string started;  // "hh:mm:ss" from the folder's name
  int persons = 0;      // living persons in its records
  FileIdentity file;    // the Family file the records belong to (path empty: none)
  LocalTime changed;    // when its records were last written
  // Its records differ from the Family file (or there is no such file): what
  // a run that was stopped while the tree was as saved leaves is no change.
  bool unsaved = true;
};

// What a leftover work folder holds, from its settings and persons files and
// its note of the Family file.
LeftoverRun DescribeLeftover(const std::string& folder);

// The question for one leftover run: "Recover the unsaved changes to
// smith.vfl made on 6 Dec 2026 at 14:05?" and what each answer does.
std::string RecoveryQuestion(const LeftoverRun& run);

// Copies the leftover's record files into the session's work folder (all or
// nothing), reads them in (settings record, marriage table, deleted persons)
// and removes the leftover. The recovered tree belongs to the file it was
// opened from, as that file was then, so that a Save writes it back (and asks
// first when somebody has written it since); it is locked again, or read-only
// when another program has it open. Without such a file CurrentFilePath is
// the last file's folder. The tree counts as unsaved.
// False, with the work folder as it was, when the copy failed.
[[nodiscard]] bool RecoverWorkFolder(Session& s, const std::string& folder);

// Deletes a leftover work folder's files and the folder.
void DiscardWorkFolder(const std::string& folder);

// Offers the leftovers, most recent first: Yes recovers that one and ends the
// offer, No deletes it and goes on to the next, Cancel keeps it and the rest
// for the next start. Runs with nothing worth keeping (no living person, or
// records just as their Family file holds them) are deleted without a
// question. A deleted run's lock on its Family file goes with it, unless a
// living program holds it. True when a tree was recovered.
bool OfferRecovery(Session& s, const std::vector<std::string>& leftovers);

}  // namespace vft
