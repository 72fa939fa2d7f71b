// The undo history on the largest tree (14,998 persons, 15,000 families).
// Targets: recording a step adds at most 2 ms to a change; Undo or Redo of one
// step at most 20 ms; going back 500 steps in one move at most 1 s; 10,000
// edits keep the work folder under 20 MiB.
//
// An edit is what the person editor's OK writes: the person's record, its
// notes and the settings record, in one record transaction.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "relations/undo.h"
#include "store/record_transaction.h"
#include "store/records.h"
#include "temp_session.h"
#include "tree_gen.h"

using namespace vft;

namespace {

struct MaxTree {
  test::TempSession t;
  Session& s = t.s;
  long edits = 0;
  MaxTree() { test::generate_max_tree(s); }

  // One edit of the next person in turn; `keep` false makes it without a step.
  void edit(bool keep = true) {
    const auto p = static_cast<std::int16_t>(1 + (edits * 7919) % s.Config.NumPersons());
    RecordTransaction tx(s);
    if (!TakeUndoPoint(s, "Undo editing of a person")) return;
    s.History.skip_step = !keep;
    s.CurNum = p;
    ReadPerson(s);
    s.Person.Phone = "Edit " + std::to_string(++edits);
    const std::string notes = "Notes of edit " + std::to_string(edits);
    if (!WritePerson(s, p, s.Person, notes, true) || !WriteConfig(s)) return;
    (void)tx.commit();
  }
  std::uintmax_t folder_bytes() const {
    std::uintmax_t total = 0;
    for (const auto& e : std::filesystem::directory_iterator(s.WorkFolder))
      if (e.is_regular_file()) total += e.file_size();
    return total;
  }
};

MaxTree& tree() {
  static MaxTree t;
  return t;
}

void BM_EditWithoutStep(benchmark::State& state) {
  MaxTree& t = tree();
  for (auto _ : state) t.edit(false);
}
BENCHMARK(BM_EditWithoutStep)->Unit(benchmark::kMillisecond);

void BM_EditWithStep(benchmark::State& state) {
  MaxTree& t = tree();
  for (auto _ : state) t.edit(true);
}
BENCHMARK(BM_EditWithStep)->Unit(benchmark::kMillisecond);

void BM_UndoThenRedo(benchmark::State& state) {
  MaxTree& t = tree();
  t.edit();
  for (auto _ : state) {
    if (!UndoLastStep(t.s) || !RedoNextStep(t.s)) state.SkipWithError("undo or redo failed");
  }
  state.SetLabel("two moves per iteration");
}
BENCHMARK(BM_UndoThenRedo)->Unit(benchmark::kMillisecond);

void BM_Back500Steps(benchmark::State& state) {
  MaxTree& t = tree();
  while (t.s.History.pos < 600) t.edit();
  for (auto _ : state) {
    const std::size_t at = t.s.History.pos;
    if (!MoveToStep(t.s, at - 500)) state.SkipWithError("back failed");
    state.PauseTiming();
    if (!MoveToStep(t.s, at)) state.SkipWithError("forward failed");
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Back500Steps)->Unit(benchmark::kMillisecond);

// Not a timing: the work folder after 10,000 more edits, in MiB.
void BM_WorkFolderAfter10000Edits(benchmark::State& state) {
  MaxTree t;
  for (auto _ : state)
    for (int i = 0; i < 10000; ++i) t.edit();
  state.counters["work_folder_MiB"] = static_cast<double>(t.folder_bytes()) / (1024.0 * 1024.0);
  state.counters["steps_kept"] = static_cast<double>(t.s.History.steps.size());
}
BENCHMARK(BM_WorkFolderAfter10000Edits)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
