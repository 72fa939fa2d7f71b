// Little-endian byte cursor and builder used by every binary reader and writer.
// Reading past the end never touches memory: the reader goes into a failed state
// and every later read returns zero, so callers check `ok()` once per record.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace vft {

using Bytes = std::vector<std::uint8_t>;

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  explicit ByteReader(const Bytes& b) : ByteReader(b.data(), b.size()) {}

  bool ok() const { return ok_; }
  std::size_t pos() const { return pos_; }
  std::size_t size() const { return size_; }
  std::size_t remaining() const { return ok_ ? size_ - pos_ : 0; }

  // Moves to an absolute offset; a seek beyond the end fails the reader.
  bool seek(std::size_t offset) {
    if (!ok_ || offset > size_) return fail();
    pos_ = offset;
    return true;
  }
  bool need(std::size_t n) {
    if (!ok_ || n > size_ - pos_) return fail();
    return true;
  }
  std::uint8_t u8() {
    if (!need(1)) return 0;
    return data_[pos_++];
  }
  std::int16_t i16() {
    if (!need(2)) return 0;
    auto v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    return static_cast<std::int16_t>(v);
  }
  std::int32_t i32() {
    if (!need(4)) return 0;
    std::uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = (v << 8) | data_[pos_ + k];
    pos_ += 4;
    return static_cast<std::int32_t>(v);
  }
  double f64() {
    if (!need(8)) return 0;
    std::uint64_t v = 0;
    for (int k = 7; k >= 0; --k) v = (v << 8) | data_[pos_ + k];
    pos_ += 8;
    double d;
    std::memcpy(&d, &v, sizeof d);
    return d;
  }
  std::string text(std::size_t n) {
    if (!need(n)) return {};
    std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return s;
  }
  bool skip(std::size_t n) {
    if (!need(n)) return false;
    pos_ += n;
    return true;
  }

 private:
  bool fail() {
    ok_ = false;
    return false;
  }
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

class ByteWriter {
 public:
  explicit ByteWriter(Bytes& out) : out_(out) {}
  std::size_t pos() const { return out_.size(); }
  void u8(std::uint8_t v) { out_.push_back(v); }
  void i16(std::int16_t v) {
    auto u = static_cast<std::uint16_t>(v);
    out_.push_back(static_cast<std::uint8_t>(u & 0xFF));
    out_.push_back(static_cast<std::uint8_t>(u >> 8));
  }
  void i32(std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    for (int k = 0; k < 4; ++k) out_.push_back(static_cast<std::uint8_t>((u >> (8 * k)) & 0xFF));
  }
  void f64(double d) {
    std::uint64_t u;
    std::memcpy(&u, &d, sizeof u);
    for (int k = 0; k < 8; ++k) out_.push_back(static_cast<std::uint8_t>((u >> (8 * k)) & 0xFF));
  }
  void text(std::string_view s) { out_.insert(out_.end(), s.begin(), s.end()); }
  // Text cut or space-padded to exactly `width` bytes.
  void fixed_text(std::string_view s, std::size_t width) {
    std::size_t n = s.size() < width ? s.size() : width;
    out_.insert(out_.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
    out_.insert(out_.end(), width - n, ' ');
  }
  void zeros(std::size_t n) { out_.insert(out_.end(), n, 0); }
  // Overwrites at an absolute offset (the buffer must already be that long).
  void put_i32_at(std::size_t offset, std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    for (int k = 0; k < 4; ++k) out_[offset + k] = static_cast<std::uint8_t>((u >> (8 * k)) & 0xFF);
  }
  void put_i16_at(std::size_t offset, std::int16_t v) {
    auto u = static_cast<std::uint16_t>(v);
    out_[offset] = static_cast<std::uint8_t>(u & 0xFF);
    out_[offset + 1] = static_cast<std::uint8_t>(u >> 8);
  }

 private:
  Bytes& out_;
};

// The little-endian numbers at `p`, for readers that pick single fields out
// of a record whose length they have already checked.
inline std::int16_t read_i16(const std::uint8_t* p) { return ByteReader(p, 2).i16(); }
inline std::int32_t read_i32(const std::uint8_t* p) { return ByteReader(p, 4).i32(); }

}  // namespace vft
