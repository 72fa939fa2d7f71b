// Sections-and-keys settings files with the private-profile semantics the
// program relies on: case-insensitive section and key names, a missing integer
// reads 0, texts read at most 255 characters, an empty value removes the key,
// and the file is created by the first write. Reads CRLF, LF and lone-CR files;
// writes CRLF.
//
// Blanks around names and values are not significant (a value written as " "
// reads back empty, but its key stays). Values are otherwise read exactly as
// written: surrounding quotes are kept, since function-key texts may well be
// quoted on purpose. Comment lines and lines we cannot use are kept as they are
// when the file is rewritten, so a hand-edited file loses nothing.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "store/file_system.h"

namespace vft {

class Session;

class IniFile {
 public:
  struct Entry {
    std::string key;
    std::string value;  // as written after the '=', outer blanks included
    // A line kept verbatim in `key` (a comment, a line without '=' or a key
    // line before the first section): written back, never found.
    bool raw = false;
  };
  struct Section {
    std::string name;
    std::vector<Entry> entries;
    // False only for the lines before the first section header.
    bool header = true;
  };

  // Never fails: what cannot be understood is kept as raw lines; of two equal
  // keys in one section only the first is kept.
  static IniFile parse(const std::uint8_t* data, std::size_t size);
  static IniFile parse(const Bytes& b) { return parse(b.data(), b.size()); }
  Bytes serialize() const;

  // The value without its outer blanks; nullopt when the key is missing.
  std::optional<std::string> find(const std::string& section, const std::string& key) const;
  // An empty value removes the key. Line breaks inside the value become blanks
  // and a NUL ends it, so no value can break the file's line structure. Returns
  // false (and changes nothing) for a name that cannot be stored: empty, or
  // holding a line break, '=' in a key, ']' in a section, or a key starting
  // with '[' or ';'.
  bool set(const std::string& section, const std::string& key, const std::string& value);
  const std::vector<Section>& sections() const { return sections_; }

 private:
  std::vector<Section> sections_;
};

// Whole-number reading of a value as the profile reader does it: optional
// blanks, optional sign, leading digits; anything else reads 0, and so does a
// number outside the int range.
int ini_to_int(const std::string& value);

// Operations on an ini file by path; each reads (and writes) the file anew.
int IniReadIntAt(const std::string& file, const std::string& section, const std::string& key);
std::string IniReadTextAt(const std::string& file, const std::string& section, const std::string& key);
// Returns 1 on success, 0 when the file could not be written (`fs` then says
// why). A file that exists but cannot be read (or is implausibly large) is
// never overwritten.
[[nodiscard]] int IniWriteAt(fileio::FileSystem& fs, const std::string& file, const std::string& section,
                             const std::string& key, const std::string& value);

// What to tell the user when the settings file `file` is there but cannot be
// read whole (too large, unreadable, no plain file); empty when it can.
std::string UnreadableSettingsText(const std::string& file);

// The same on the session's settings file ("Vorlan.Ini"); IniWrite keeps its
// result in the session's status word.
int IniReadInt(const Session& s, const std::string& section, const std::string& key);
std::string IniReadText(const Session& s, const std::string& section, const std::string& key);
int IniWrite(Session& s, const std::string& section, const std::string& key, const std::string& value);

// Several values in one rewrite of the session's settings file, with
// IniWrite's rules: all of them are stored, or (when the file cannot be read
// or written) none. Returns 1 or 0 and keeps it in the status word as
// IniWrite does; s.disk.failure() says why a write failed.
struct IniValue {
  std::string section, key, value;
};
[[nodiscard]] int IniWriteMany(Session& s, const std::vector<IniValue>& values);

// What to tell after a settings write failed: the file and the system's reason.
std::string SettingsNotKept(const Session& s);

}  // namespace vft
