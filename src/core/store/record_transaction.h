// An operation on the records as one unit. Everything written to the record
// files while a RecordTransaction is alive stays only when every write
// succeeded; after a failed write the operation stops (later writes fail at
// once), and when the outermost transaction ends, each overwritten record gets
// its bytes back, each file its old length, and the session the working state
// it had at the start (marriage table, counts, working copies, the selected
// person and its lists; the operation's modes are left to the operation).
// The user is then told which file could not be written and why.
//
// Transactions nest: only the outermost one takes the snapshot and decides.
// A refusal that writes nothing is no failure; whatever was written before a
// refusal stays, as the operation intends.
#pragma once
#include <memory>

#include "store/session.h"

namespace vft {

class RecordTransaction {
 public:
  // `tell`: the outermost transaction says what failed in its own box; an
  // operation with a message of its own passes false and tells it itself.
  explicit RecordTransaction(Session& s, bool tell = true);
  ~RecordTransaction();
  RecordTransaction(const RecordTransaction&) = delete;
  RecordTransaction& operator=(const RecordTransaction&) = delete;

  // False once a write inside it has failed: the operation must stop.
  bool ok() const;
  // Ends the transaction now rather than when it goes away: the outermost
  // one records its undo step, and keeps or takes back the change. True when
  // the change stands. An operation whose result tells whether the change was
  // made ends with it, for writing the step may still fail.
  [[nodiscard]] bool commit();

 private:
  struct Snapshot;
  Session& s_;
  bool tell_;
  bool ended_ = false;
  std::unique_ptr<Snapshot> before_;
};

// "Writing FILE failed:" and the system's reason on a line of its own.
std::string FailureLines(const fileio::WriteFailure& failure);
// The box that tells a failed change: what could not be written and why, and
// whether the records are as before; Undo is offered only when it is there.
std::string WriteFailedText(const fileio::WriteFailure& failure, bool taken_back, bool undo_available);

}  // namespace vft
