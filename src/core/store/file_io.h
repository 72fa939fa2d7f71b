// Small file helpers used by the record store. Every function reports failure by
// its result; none throws. Whatever changes a file takes the session's
// FileSystem (store/file_system.h), which remembers why a write failed.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "common/bytes.h"
#include "store/file_system.h"

namespace vft::fileio {

std::optional<Bytes> read_all(const std::string& path, std::size_t limit = SIZE_MAX);
std::int64_t size_of(const std::string& path);  // -1 when missing
bool exists(const std::string& path);
// Removes a file of ours (scratch and temporary files); false when it was not there.
bool remove(const std::string& path);

// Record n (from 1) of a fixed-length record file. A read short of a full
// record fails; a write opens for writing only and creates the file if needed
// (mode 0600; any gap before the record is filled with zeros).
bool read_record(const std::string& path, long n, std::size_t len, std::uint8_t* out);
[[nodiscard]] bool write_record(FileSystem& fs, const std::string& path, long n, const std::uint8_t* data,
                                std::size_t len);
// `len` bytes at byte `offset` in one write (bulk appends of many records);
// creates the file if needed, zeros fill any gap.
[[nodiscard]] bool write_at(FileSystem& fs, const std::string& path, std::int64_t offset, const std::uint8_t* data,
                            std::size_t len);
// Cuts a file to `size` bytes (nothing when it is not longer, or missing).
[[nodiscard]] bool cut_to(FileSystem& fs, const std::string& path, std::int64_t size);

}  // namespace vft::fileio
