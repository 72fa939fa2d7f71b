// Names, places and texts for the tree generator (internal to tree_gen.cpp).
#pragma once
#include <cstdint>
#include <string>

namespace vft::test::gen {

// A small, fully specified random source, so that a seed gives the same tree
// with every compiler and standard library.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
  int range(int lo, int hi) { return lo + below(hi - lo + 1); }
  bool chance(double p) { return static_cast<double>(next() >> 11) * 0x1.0p-53 < p; }

 private:
  std::uint64_t state_;
};

std::string family_name(Rng& r, bool accented);
std::string given_name(Rng& r, char sex, bool accented);
std::string place(Rng& r, bool accented);
// A place text of exactly `width` characters (fills a field to its last byte).
std::string full_width_place(Rng& r, std::size_t width);
std::string occupation(Rng& r, bool accented);
// A stored date text for a year: "d mmm yyyy", or with unknown parts; with
// `real_world` also a bare year, qualified dates, a range and a text.
std::string date(Rng& r, int year, bool real_world);
std::string phone(Rng& r);
std::string source(Rng& r);
// Notes text of exactly `length` characters: sentences and CrLf line breaks,
// never starting or ending with a blank.
std::string notes(Rng& r, std::size_t length, bool accented);
// A length for notes over 0..300, with the exact multiples of 42 well represented.
std::size_t notes_length(Rng& r);

}  // namespace vft::test::gen
