// The undo history of the open tree, as plain data that Session holds. Every
// change to the records is one step; a step keeps, for each record file it
// changed, the bytes before and after (only where they differ) and the file's
// length before and after. store/undo_history.h writes and reads it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/bytes.h"
#include "common/clock.h"

namespace vft {

struct StepRange {
  std::int64_t offset = 0;
  Bytes before;  // shorter than `after` where the file grew (nothing was there)
  Bytes after;   // shorter than `before` where the file shrank
};

struct StepFile {
  std::uint8_t file = 0;                    // index in the five record files (undo_history.cpp)
  std::int64_t old_size = 0, new_size = 0;  // -1: the file was not there
  std::vector<StepRange> ranges;
};

struct HistoryStep {
  std::uint32_t serial = 0;  // unique in the history file; never used twice
  std::uint32_t prev = 0;    // the serial of the step before it (0: none)
  std::string text;          // "Undo editing of Mary Smith"
  LocalTime time;            // when the change was made
  std::int16_t selected_before = 0, selected_after = 0;
  std::vector<StepFile> files;
  std::int64_t at = 0;       // where its entry starts in the history file
  std::uint32_t length = 0;  // the entry's length there
};

struct HistoryState {
  std::vector<HistoryStep> steps;  // oldest first
  std::size_t pos = 0;             // steps[0..pos) are in the records; the rest can be redone
  std::uint32_t dropped = 0;       // older steps dropped past the limit since the file was opened
  std::uint32_t next_serial = 1;
  std::string off_reason;  // why Undo is off, when the user went on without it
  bool kept = true;        // false: no history at all (the vft commands keep none)

  // The change that is running (set when the outermost record transaction
  // starts; the transaction records it as a step when it ends).
  std::string step_text;           // its name, "" until the operation names it
  std::int16_t step_selected = 0;  // the selected person when it began
  bool skip_step = false;          // the user chose to make it without Undo
  bool moving = false;             // Undo or Redo is writing: no step of its own
};

}  // namespace vft
