// The door every write of the program goes through. A Session owns one; the
// record writes, the atomic writer (store/file_write.h) and the undo copies
// take it, so that
//   - a failure is remembered with the file and the system's reason, to be
//     told to the user;
//   - a record transaction (store/record_transaction.h) can note what each
//     record write overwrites and put it back when a later write fails;
//   - a test can make the n-th write step fail (disk full, no permission, an
//     I/O error) without filling a real disk.
// Nothing here is shared between sessions.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/bytes.h"

namespace vft::fileio {

// What went wrong with a write: the file and the system's error number.
struct WriteFailure {
  std::string path;
  int error = 0;
  // The system's own words: "No space left on device".
  std::string reason() const;
};

class FileSystem {
 public:
  FileSystem() = default;
  FileSystem(const FileSystem&) = delete;
  FileSystem& operator=(const FileSystem&) = delete;

  // ---- the test seam
  // The nth write step from now (1 = the next one) fails with `error`; with
  // `persist` every step after it fails too, as on a disk that stays full.
  // Putting back what a failed transaction overwrote is never made to fail:
  // it rewrites bytes that already have their place on the disk.
  void fail_at(long nth, int error, bool persist = false);
  void clear_faults() { fault_at_ = 0; }
  // Write steps counted so far (a step creates, writes, syncs or renames).
  long steps() const { return steps_; }

  // ---- for the writers
  // Called before each step that changes a file: 0 to go on, otherwise the
  // error to report. Inside a transaction that has failed every step fails.
  int step(const std::string& path);
  // Remembers a failure; returns false for use in a return.
  bool fail(const std::string& path, int error);
  // The last failure; cleared when a transaction starts.
  const WriteFailure& failure() const { return failure_; }
  void clear_failure() { failure_ = {}; }
  // Puts back a failure remembered earlier: a write whose failure the
  // operation survives (an undo copy) must not stop the operation.
  void set_failure(const WriteFailure& f) { failure_ = f; }

  // ---- record transactions
  void begin_transaction();
  enum class Ended { Nested, Kept, TakenBack, NotTakenBack };
  // Ends one level. The outermost keeps every write when none failed, and
  // otherwise puts back what each range write overwrote, newest first, and
  // cuts every file to its size before the transaction.
  Ended end_transaction();
  bool in_transaction() const { return depth_ > 0; }
  // Called by a range write before it writes `len` bytes at `offset`.
  void note_range(const std::string& path, std::int64_t offset, std::size_t len);

  // What the running transaction has written so far, oldest first: each
  // write's place and length and the bytes it overwrote (fewer than `len`
  // where it wrote past the end). The undo history makes its steps of it.
  struct Before {
    std::string path;
    std::int64_t offset;
    std::size_t len;
    Bytes bytes;
  };
  const std::vector<Before>& journal() const { return journal_; }
  // A file's size when the running transaction first wrote it: -1 when it
  // did not exist, -2 when the transaction has not written it.
  std::int64_t size_before(const std::string& path) const;

 private:
  struct Size {
    std::string path;
    std::int64_t size;  // -1: the file did not exist
  };
  bool take_back();

  long steps_ = 0;
  long fault_at_ = 0;
  int fault_error_ = 0;
  bool fault_persist_ = false;
  WriteFailure failure_;
  int depth_ = 0;
  std::vector<Before> journal_;
  std::vector<Size> sizes_;
};

}  // namespace vft::fileio
