// Small file helpers used by the record store. Every function reports failure by
// its result; none throws.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "common/bytes.h"

namespace vft::fileio {

std::optional<Bytes> read_all(const std::string& path, std::size_t limit = SIZE_MAX);
// Writes beside the target and renames into place once complete and flushed, so
// a failure leaves any old file as it was. `error` receives the system's reason.
bool write_atomic(const std::string& path, const Bytes& data, std::string* error = nullptr);
// Plain overwrite (record files in the work folder, which are ours alone).
bool write_all(const std::string& path, const Bytes& data);
std::int64_t size_of(const std::string& path);  // -1 when missing
bool exists(const std::string& path);
bool remove(const std::string& path);
bool copy(const std::string& from, const std::string& to);

// Record n (from 1) of a fixed-length record file. A read short of a full
// record fails; a write opens for writing only and creates the file if needed
// (any gap before the record is filled with zeros).
bool read_record(const std::string& path, long n, std::size_t len, std::uint8_t* out);
bool write_record(const std::string& path, long n, const std::uint8_t* data, std::size_t len);
// `len` bytes at byte `offset` in one write (bulk appends of many records);
// creates the file if needed, zeros fill any gap.
bool write_at(const std::string& path, std::int64_t offset, const std::uint8_t* data, std::size_t len);

}  // namespace vft::fileio
