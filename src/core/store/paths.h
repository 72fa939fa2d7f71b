// File-name and path helpers for the file dialogs, the backup folder and the
// status line. Paths use the native separator ("/" here); none of these
// functions touches the file system except FreeDiskBytes.
#pragma once
#include <cstdint>
#include <string>

namespace vft {

// One file-name component. Trims it and turns it to upper case in place, then
// accepts it when it has none of the characters ",+|/?*;><=:" and either has
// no "." and 1 to 255 characters, or 1 to 8 characters before its first "."
// and 1 to 3 after it.
bool ValidFileName(std::string& name);

// An absolute folder or file path: starts with "/", at most 4095 characters
// without a trailing "/", and every component passes ValidFileName. The path
// itself is left as it is (case matters when reaching a file).
bool ValidPath(const std::string& path);

// The path up to and including its last "/" (empty when there is none).
std::string FolderOf(const std::string& path);
// The part of the path after its last "/" (the whole path when there is none).
std::string FileNameOf(const std::string& path);

// The path shortened for display to at most `max_len` characters: the root
// part ("/" and the first folder), "...", then as many of the last components
// as fit. Paths that fit are returned unchanged.
std::string ShortPathText(const std::string& path, std::size_t max_len);

// Free bytes available to this user on the file system holding `path` (or its
// nearest existing parent folder); -1 when that cannot be found out.
std::int64_t FreeDiskBytes(const std::string& path);

}  // namespace vft
