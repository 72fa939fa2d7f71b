// The Family file a tree belongs to, and the claim on it: one file, one editor.
//
// Opening a Family file takes a lock file beside it (".NAME.lock") naming the
// host, the user, the process and the time; it is removed when the file is
// closed. The holder keeps the lock file open with a lock of the system on
// it, which ends with the process, so the lock of a program that died is
// taken over at once (where the file system has no such locks, a lock of a
// process on this host that no longer runs is taken over).
//
// What the file looked like when it was opened or last saved (its size,
// modification time and a checksum of its bytes) lets a Save notice that
// somebody else has written it since.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "common/bytes.h"
#include "common/clock.h"

namespace vft {

struct FileIdentity {
  std::string path;  // empty: the tree belongs to no file
  std::int64_t size = -1;
  std::int64_t mtime_ns = 0;
  std::uint64_t checksum = 0;
  bool operator==(const FileIdentity&) const = default;
};

// `content` is what the file at `path` holds (just read or just written).
FileIdentity IdentityOf(const std::string& path, const Bytes& content);
// True when the file at `known.path` is no longer what `known` describes. A
// file that is only touched (same bytes) has not changed; one that is gone
// has nothing to lose.
bool ChangedOnDisk(const FileIdentity& known);
// Two paths name the same file (links followed).
bool SameFile(const std::string& a, const std::string& b);

struct LockOwner {
  std::string host, user, time;
  long pid = 0;
};

class FamilyFileLock {
 public:
  FamilyFileLock() = default;
  ~FamilyFileLock() { release(); }
  FamilyFileLock(const FamilyFileLock&) = delete;
  FamilyFileLock& operator=(const FamilyFileLock&) = delete;

  // Odd: the lock's name holds a link, a second name of another file, a
  // pipe, a folder or a file that is no lock; it is left as it is.
  enum class Taken { Yes, HeldByOther, NotPossible, Odd };
  // Locks `family_file` (releasing any other file this object held). With
  // HeldByOther, `holder` says who has it. Nothing is ever written through
  // the lock's name: only a plain file that is a lock (or none) is taken.
  Taken take(const std::string& family_file, const LocalTime& now, LockOwner* holder = nullptr);
  // Removes the lock file, when its name still holds the one this run made.
  void release();
  // This object holds the lock of `family_file`.
  bool holds(const std::string& family_file) const;

 private:
  int fd_ = -1;
  std::string lock_path_, file_;
};

// The lock file that belongs to a Family file.
std::string LockPathFor(const std::string& family_file);
// Removes the lock file of `family_file` that a run which ended left behind:
// only a plain file that reads as a lock. The caller has made sure nobody
// living holds it.
void RemoveLeftoverLock(const std::string& family_file);
// Who holds `family_file` open, unless it is `mine` or nobody living.
std::optional<LockOwner> LockHolder(const std::string& family_file, const FamilyFileLock& mine);
// Why changes to `family_file` could not be saved where it is: "it is on a
// disk that cannot be written to", "its folder /x cannot be written to";
// empty when it can be saved there.
std::string UnwritablePlace(const std::string& family_file);
// Why `family_file` opens read-only when its lock's name holds something odd.
std::string OddLockText(const std::string& family_file);
// "Jane on kestrel since 14:05 on 6 Dec 2026 (process 4711)" for messages.
std::string OwnerText(const LockOwner& owner);

// The work folder's note of the Family file its records belong to, so that a
// recovery after a crash knows where they go. An empty identity removes it.
inline constexpr const char* kFamilyFileNote = "family-file.txt";
Bytes FamilyFileNote(const FileIdentity& id);
FileIdentity ReadFamilyFileNote(const std::string& work_folder);

}  // namespace vft
