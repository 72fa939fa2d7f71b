// Opening and saving Family files (*.vfl): the user's document, a packed copy
// of the five record files in the work folder. The byte layer lives in
// familyfile_image.h; these two operations add the files, the messages, the
// status line and the session updates.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "common/session.h"
#include "store/familyfile_image.h"

namespace vft {

// Opens `fileName` into the working record files. The whole file is read and
// checked first: a file that is not a Family file, or is damaged, is refused
// with a message and nothing in the work folder changes. Returns -1 when the
// tree was opened, 0 when not.
std::int16_t OpenFamilyFile(Session& s, const std::string& fileName);

// Packs the record files of `dataFolder` into `fileName`. The new file is
// written beside the old one and put in its place only when complete, so a
// failed save leaves the old file as it was. Returns -1 when saved, 0 when not
// (the status line then reads "Cancelled").
std::int16_t SaveFamilyFile(Session& s, const std::string& dataFolder, const std::string& fileName);

// SaveFamilyFile with the free-space query supplied by the caller (tests use
// it to see the disk-full path without filling a disk).
using FreeSpaceQuery = std::function<std::int64_t(const std::string& folder)>;
std::int16_t SaveFamilyFileWith(Session& s, const std::string& dataFolder, const std::string& fileName,
                                const FreeSpaceQuery& free_bytes);

}  // namespace vft
