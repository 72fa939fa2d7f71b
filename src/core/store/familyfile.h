// Opening and saving Family files (*.vfl): the user's document, a packed copy
// of the five record files in the work folder. The byte layer lives in
// familyfile_image.h; these two operations add the files, the messages, the
// status line and the session updates.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "store/familyfile_image.h"
#include "store/session.h"

namespace vft {

enum class OpenAccess {
  // The user's own open: the file is locked for this session. When another
  // program holds it, the user is told who and may open it read-only (Save
  // then goes through Save As) or not at all.
  Edit,
  // A look inside without a lock or a question (the command-line tool, which
  // never writes the file it read).
  Inspect,
};

// Opens `fileName` into the working record files. The whole file is read and
// checked first: a file that is not a Family file, or is damaged, is refused
// with a message and nothing in the work folder changes. A LastPerson that
// names no living person is no damage: the first living person is selected.
// The work folder's note (kFamilyFileNote) names the file from then on.
// Returns -1 when the tree was opened, 0 when not.
std::int16_t OpenFamilyFile(Session& s, const std::string& fileName, OpenAccess access = OpenAccess::Edit);

enum class SaveTarget {
  Copy,      // a backup or a converted file: the tree stays with its own file
  TreeFile,  // Save and Save As: the file becomes the tree's own (locked, and
             // remembered as it was written, for the next Save's check)
};

// Packs the record files of `dataFolder` into `fileName` through the atomic
// writer (store/file_write.h), so a failed save leaves the old file as it was,
// a link is followed and the file keeps its mode. A file that another program
// holds open is not written over (a box says who has it); when `fileName` is
// the tree's own file and it has changed on disk since it was opened or last
// saved, the user is asked first. Returns -1 when saved, 0 when not (the
// status line then reads "Cancelled"); `why` then holds the system's reason
// when a write failed, and is empty when the user has already been told or
// chose not to write.
[[nodiscard]] std::int16_t SaveFamilyFile(Session& s, const std::string& dataFolder, const std::string& fileName,
                                          SaveTarget target = SaveTarget::Copy, std::string* why = nullptr);

// SaveFamilyFile with the free-space query supplied by the caller (tests use
// it to see the disk-full path without filling a disk).
using FreeSpaceQuery = std::function<std::int64_t(const std::string& folder)>;
[[nodiscard]] std::int16_t SaveFamilyFileWith(Session& s, const std::string& dataFolder, const std::string& fileName,
                                              const FreeSpaceQuery& free_bytes, SaveTarget target = SaveTarget::Copy,
                                              std::string* why = nullptr);

}  // namespace vft
