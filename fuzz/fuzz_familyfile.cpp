// libFuzzer target for the Family file reader. Any input must be read without
// a crash, an out-of-bounds read or a runaway allocation; whatever is read
// must unpack into record files of the right size, and writing it again must
// give a file that reads back to the same bytes when written once more.
#include <cstddef>
#include <cstdint>

#include "store/familyfile_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vft::FamilyParse first = vft::ParseFamilyFile(data, size);
  if (!first.ok()) return 0;
  const vft::FamilyImage& im = first.image;
  vft::RecordFiles files = vft::UnpackFamilyImage(im, vft::ConfigRecord{});
  if (files.per.size() != static_cast<std::size_t>(im.NumPersons) * vft::kPersonLen ||
      files.mar.size() != static_cast<std::size_t>(im.NumMarriages) * vft::kMarriageLen ||
      files.notes.size() % vft::kNotesLen != 0)
    __builtin_trap();

  const vft::Bytes written = vft::BuildFamilyFile(im);
  vft::FamilyParse second = vft::ParseFamilyFile(written.data(), written.size());
  if (!second.ok()) __builtin_trap();
  if (vft::BuildFamilyFile(second.image) != written) __builtin_trap();
  return 0;
}
