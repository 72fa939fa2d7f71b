// The one way the program puts a whole file on disk: the Family file, GEDCOM
// files, web pages, the settings file, text printouts, and the sets of record
// files and undo copies in the work folder.
//
// Each file is written under a temporary name in its target's folder
// (".NAME.vft-PID-XXXXXX") and renamed over the target only when it is
// complete, so a failure at any point leaves the old file as it was. A target
// that is a symbolic link is followed only where the user named that path
// (Save, Save As, an export file): the link stays and its target gets the new
// content (renamed in the target's own folder). Everywhere else a batch made
// with Links::Replace puts the new file in place of the link itself. A file that existed keeps its mode and, where the
// system allows, its group; a new file is private (0600, or stricter if the umask says so) unless the batch is made for
// files meant to be shared.
//
// Single files:    if (!fileio::write_file(s.disk, path, bytes)) ... s.disk.failure()
// Many files:      fileio::FileBatch batch(s.disk, fileio::Sync::None, fileio::NewMode::Private, true);
//                  for (...) if (!batch.add(path, text)) return ...;   // temporaries
//                  if (!batch.commit()) return ...;                    // renames
// A batch that is not committed removes its temporaries when it goes away.
//
// Output the program can make again at any time (the web site) goes through
// OutputFiles instead, which rewrites files in place (see there).
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.h"
#include "store/file_system.h"

namespace vft::fileio {

// The bytes to write, from either kind of buffer.
class Data {
 public:
  Data(const Bytes& b) : p_(b.data()), n_(b.size()) {}
  Data(const std::string& s) : Data(std::string_view(s)) {}
  Data(std::string_view s) : p_(reinterpret_cast<const std::uint8_t*>(s.data())), n_(s.size()) {}
  Data(const std::uint8_t* p, std::size_t n) : p_(p), n_(n) {}
  const std::uint8_t* data() const { return p_; }
  std::size_t size() const { return n_; }

 private:
  const std::uint8_t* p_;
  std::size_t n_;
};

enum class Sync {
  None,      // scratch files in the work folder: a crash loses nothing of value
  EachFile,  // each file flushed before its rename (a single document)
};
// The mode of a file that did not exist before.
enum class NewMode {
  Private,  // 0600: family records hold details of living persons
  Shared,   // 0666 less the umask: web pages meant to be published
};
// What a target name that is a symbolic link (or anything but a plain file)
// gets.
enum class Links {
  Follow,   // the file the link names gets the content: the user chose that path
  Replace,  // the name gets a new plain file; what it pointed at is not touched
};

class FileBatch {
 public:
  // `all_or_nothing`: should a rename fail, the files already renamed get
  // their old content back (for sets of files that belong together, such as
  // the five record files).
  explicit FileBatch(FileSystem& fs, Sync sync = Sync::None, NewMode mode = NewMode::Private,
                     bool all_or_nothing = false, Links links = Links::Follow);
  ~FileBatch();
  FileBatch(const FileBatch&) = delete;
  FileBatch& operator=(const FileBatch&) = delete;

  // Writes `data` under a temporary name beside (the target of) `path`.
  [[nodiscard]] bool add(const std::string& path, Data data);
  // Renames every file into place; with Sync::EachFile syncs their folders too.
  [[nodiscard]] bool commit();
  std::size_t size() const { return files_.size(); }

 private:
  struct File {
    std::string target;  // the real file (links followed, with Links::Follow)
    std::string temp;
    std::string aside;  // all-or-nothing: the old file, kept until the end
    bool existed = false;
  };
  bool fail_all(const std::string& path, int error);
  void discard();

  FileSystem& fs_;
  Sync sync_;
  NewMode mode_;
  bool all_or_nothing_;
  Links links_;
  unsigned umask_;      // read once per batch
  unsigned gid_;        // the group a new file gets
  unsigned long seed_;  // for the temporary names
  bool committed_ = false;
  std::vector<File> files_;
};

// Files the program can make again whenever asked: the pages of a web site.
// Ten thousand temporary files renamed over ten thousand old ones free and
// allocate ten thousand inodes, which some file systems make cost seconds. So
// instead:
//   - every file is held in memory until the whole set is made, so a run that
//     is cancelled or refused while the set is made touches nothing;
//   - before the first write, the free space is checked for the whole set;
//   - a file that already holds the same bytes is left alone (its date too, so
//     a tool that publishes the site sends only what changed);
//   - a changed plain file of the user's with no other name is rewritten in
//     place, keeping its inode, mode and group;
//   - a name that is a symbolic link, a hard link (a second name of a file
//     elsewhere, as snapshot tools make), a pipe, a device or a file of
//     another user is replaced by a new plain file through a temporary file:
//     never followed, never written through (replaced() counts them); so is a
//     page the user may not write to;
//   - a new file is created under its name;
//   - the file system is flushed once at the end.
// Nothing is ever read from a name that is not a plain file, so no pipe can
// stop the run. A write that still fails (an I/O error), or a stop asked for
// while the files are put on disk, leaves some files new and the rest old:
// the set is mended by making it again, and written() tells whether anything
// was written first.
class OutputFiles {
 public:
  OutputFiles(FileSystem& fs, NewMode mode) : fs_(fs), mode_(mode) {}
  // Takes the file's bytes; fails (remembered in `fs`) only for a name that
  // is a folder.
  [[nodiscard]] bool add(const std::string& path, std::string data);
  // `going` hears how many files are settled after each but the last; false
  // stops the run there (what is written is still flushed; commit() is false).
  [[nodiscard]] bool commit(const std::function<bool(std::size_t settled)>& going = {});
  bool stopped() const { return stopped_; }
  std::size_t size() const { return files_.size(); }
  std::size_t written() const { return written_; }
  std::size_t unchanged() const { return unchanged_; }
  // How many files, counted from the first added, hold their new bytes.
  std::size_t settled() const { return written_ + unchanged_; }
  // Names that were links or no plain files of the user's, now pages.
  std::size_t replaced() const { return replaced_; }
  // Of those, how many were not links but pipes, devices or the like.
  std::size_t replaced_special() const { return replaced_special_; }

 private:
  enum class Kind {
    New,       // nothing has the name
    Own,       // a plain file of the user's with this one name
    ReadOnly,  // the user's own, but only to read: replaced without a word
    Link,      // a symbolic or hard link: replaced, counted
    Special,   // a pipe, socket, device or another user's file: replaced, counted
  };
  struct File {
    std::string path;  // a name in the folder, never followed
    std::string data;
    Kind kind = Kind::New;
    long long old_size = 0;
  };
  bool enough_space();
  int put(const File& f);
  int replace(const File& f);
  int rewrite(const File& f, int fd);

  FileSystem& fs_;
  NewMode mode_;
  std::vector<File> files_;
  std::size_t written_ = 0, unchanged_ = 0, replaced_ = 0, replaced_special_ = 0;
  bool stopped_ = false;
};

// One file, flushed to disk before it replaces the old one and with its folder
// synced afterwards. Copies of `path` that an earlier save left behind when it
// was stopped (killed, a power cut) are removed once this one is in place.
// The program's own files (the settings, the work folder's notes) are written
// with Links::Replace: only a document the user named follows a link.
[[nodiscard]] bool write_file(FileSystem& fs, const std::string& path, Data data, NewMode mode = NewMode::Private,
                              Links links = Links::Follow);

// Makes `folder` and the folders above it that are missing, as one write step
// (none when it is already there); false, remembered in `fs`, when it cannot.
[[nodiscard]] bool make_folders(FileSystem& fs, const std::string& folder);

// Removes the temporary copies of `target` (links followed) that a save of
// this program left in its folder and that no running program is still
// making: older than `before` (seconds since the epoch). Returns how many.
int RemoveStaleCopies(const std::string& target, long long before);

// The file a path finally names once symbolic links are followed (the path
// itself when it is no link); empty when the links go round in a circle.
std::string final_target(const std::string& path);

}  // namespace vft::fileio
