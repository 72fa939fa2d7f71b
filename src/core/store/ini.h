// Sections-and-keys settings files with the private-profile semantics the
// program relies on: case-insensitive section and key names, a missing integer
// reads 0, texts read at most 255 characters, an empty value removes the key,
// and the file is created by the first write. Reads CRLF and LF files; writes CRLF.
#pragma once
#include <string>
#include <vector>

#include "common/bytes.h"

namespace vft {

class Session;

class IniFile {
 public:
  struct Entry {
    std::string key, value;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
  };

  static IniFile parse(const std::uint8_t* data, std::size_t size);
  static IniFile parse(const Bytes& b) { return parse(b.data(), b.size()); }
  Bytes serialize() const;

  // nullptr when missing.
  const std::string* find(const std::string& section, const std::string& key) const;
  // An empty value removes the key.
  void set(const std::string& section, const std::string& key, const std::string& value);
  const std::vector<Section>& sections() const { return sections_; }

 private:
  std::vector<Section> sections_;
};

// Whole-number reading of a value as the profile reader does it: optional
// blanks, optional sign, leading digits; anything else reads 0.
int ini_to_int(const std::string& value);

// Operations on an ini file by path; each reads (and writes) the file anew.
int IniReadIntAt(const std::string& file, const std::string& section, const std::string& key);
std::string IniReadTextAt(const std::string& file, const std::string& section, const std::string& key);
// Returns 1 on success, 0 when the file could not be written.
int IniWriteAt(const std::string& file, const std::string& section, const std::string& key,
               const std::string& value);

// The same on the session's settings file ("Vorlan.Ini"); IniWrite keeps its
// result in the session's status word.
int IniReadInt(const Session& s, const std::string& section, const std::string& key);
std::string IniReadText(const Session& s, const std::string& section, const std::string& key);
int IniWrite(Session& s, const std::string& section, const std::string& key, const std::string& value);

}  // namespace vft
