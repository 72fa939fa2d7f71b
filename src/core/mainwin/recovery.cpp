#include "mainwin/recovery.h"

#include <cstdio>
#include <filesystem>
#include <string_view>

#include <sys/stat.h>

#include "common/cp1252.h"
#include "mainwin/commands.h"
#include "relations/undo.h"
#include "store/date_words.h"
#include "store/file_io.h"
#include "store/file_write.h"
#include "store/familyfile_image.h"
#include "store/folders.h"
#include "store/paths.h"
#include "store/record_transaction.h"
#include "store/records.h"
#include "store/undo_history.h"

namespace vft {
namespace {

constexpr const char* kRecordFiles[] = {recfile::Config, recfile::Person, recfile::Marriage, recfile::Ceremony,
                                        recfile::Notes};
constexpr std::size_t kMaxRecordFile = std::size_t{32768} * 1024;

// The newest modification time among the record files, in seconds.
long long last_change(const std::string& folder) {
  long long newest = 0;
  for (const char* f : kRecordFiles) {
    struct stat st {};
    if (::stat((folder + f).c_str(), &st) == 0 && st.st_mtime > newest) newest = st.st_mtime;
  }
  return newest;
}

std::string when_text(const LocalTime& t) {
  char hm[8];
  std::snprintf(hm, sizeof hm, "%02d:%02d", t.hour, t.minute);
  return DayMonthYear(t.year, t.month, t.day) + " at " + hm;
}

// A session that only reads another run's folder.
struct FolderReader {
  ScriptedPrompter quiet;
  Session s{quiet};
  explicit FolderReader(const std::string& folder) { s.WorkFolder = folder; }
};

// The records of `folder` hold just what `file` holds: the persons,
// families, ceremonies and notes byte for byte (the settings record carries
// the run's own flags and counts, which follow from the rest).
bool as_in_file(const std::string& folder, const FileIdentity& file) {
  if (file.path.empty() || ChangedOnDisk(file)) return false;
  const auto data = fileio::read_all(file.path, kMaxRecordFile * 4);
  if (!data) return false;
  const FamilyParse parsed = ParseFamilyFile(data->data(), data->size());
  if (!parsed.ok()) return false;
  const RecordFiles saved = UnpackFamilyImage(parsed.image, ConfigRecord{});
  const std::pair<const char*, const Bytes*> files[] = {{recfile::Person, &saved.per},
                                                        {recfile::Marriage, &saved.mar},
                                                        {recfile::Ceremony, &saved.mce},
                                                        {recfile::Notes, &saved.notes}};
  for (const auto& [name, bytes] : files)
    if (fileio::read_all(folder + name, kMaxRecordFile).value_or(Bytes{}) != *bytes) return false;
  return true;
}

// Removes what a run that ended left of its lock on `file`, unless a living
// program still holds it.
void drop_stale_lock(const FileIdentity& file) {
  if (file.path.empty()) return;
  FamilyFileLock none;
  if (!LockHolder(file.path, none)) RemoveLeftoverLock(file.path);
}

}  // namespace

LeftoverRun DescribeLeftover(const std::string& folder) {
  LeftoverRun run;
  run.folder = folder;
  std::string name = std::filesystem::path(folder).parent_path().filename().string();
  if (name.size() >= 6) run.started = name.substr(0, 2) + ":" + name.substr(2, 2) + ":" + name.substr(4, 2);
  FolderReader r(folder);
  if (ReadConfig(r.s) && r.s.Config.NumPersons() > 0) run.persons = r.s.Config.NumPersons() - CountDeletedPersons(r.s);
  run.file = ReadFamilyFileNote(folder);
  run.changed = local_time_at(last_change(folder));
  run.unsaved = run.persons > 0 && !as_in_file(folder, run.file);
  return run;
}

std::string RecoveryQuestion(const LeftoverRun& run) {
  const std::string what = run.file.path.empty()
                               ? std::string("Recover the unsaved family tree")
                               : "Recover the unsaved changes to " + cp1252::path_text(FileNameOf(run.file.path));
  return "Vorlan Family Tree was not closed properly when it last ran (started at " + run.started + ")." + CrLf + CrLf +
         what + " made on " + when_text(run.changed) + "?" + CrLf + "The records hold " + std::to_string(run.persons) +
         (run.persons == 1 ? " person." : " persons.") + CrLf + CrLf +
         "Yes recovers them, No deletes them, Cancel keeps them for the next start.";
}

bool RecoverWorkFolder(Session& s, const std::string& folder) {
  // Only the settings record must be there; a tree without notes has no
  // notes file, and so on.
  if (!fileio::exists(folder + recfile::Config)) return false;
  {
    fileio::FileBatch batch(s.disk, fileio::Sync::None, fileio::NewMode::Private, true, fileio::Links::Replace);
    for (const char* f : kRecordFiles) {
      auto data = fileio::read_all(folder + f, kMaxRecordFile);
      if (!data && fileio::exists(folder + f)) return false;
      if (!batch.add(s.work(f), data.value_or(Bytes{}))) return false;
    }
    // The undo history comes back with the records it belongs to.
    if (auto history = fileio::read_all(folder + kHistoryFile, std::size_t{1} << 30))
      if (!batch.add(s.work(kHistoryFile), *history)) return false;
    if (!batch.commit()) return false;
  }
  const FileIdentity file = ReadFamilyFileNote(folder);
  if (!file.path.empty() && !fileio::write_file(s.disk, s.work(kFamilyFileNote), FamilyFileNote(file))) {
    // A second crash would then not know the file; the records are safe.
  }
  ReadConfig(s);
  LoadMarriages(s);
  s.DeletedCount = CountDeletedPersons(s);
  LoadHistory(s);
  s.RecordsSaved = false;
  s.NothingChanged = false;
  s.OpenedAs = file;
  s.ReadOnly = false;
  if (file.path.empty()) {
    // Never saved: a Save asks where to put them, starting in the folder of
    // the file used last.
    s.CurrentFilePath = FolderOf(LastFilePath(s));
  } else {
    s.CurrentFilePath = file.path;
    LockOwner holder;
    const auto taken = s.Lock.take(file.path, s.now(), &holder);
    s.ReadOnly = taken == FamilyFileLock::Taken::HeldByOther || taken == FamilyFileLock::Taken::Odd;
    if (taken == FamilyFileLock::Taken::Odd)
      s.ask("Recover Family Records", OddLockText(file.path), Buttons::OK, Icon::Exclamation);
    else if (s.ReadOnly)
      s.ask("Recover Family Records",
            "The Family file " + cp1252::path_text(FileNameOf(file.path)) + " is open in Vorlan Family Tree, " +
                cp1252::from_utf8(OwnerText(holder)) + "." + CrLf +
                "The recovered records are kept here: save them under another name with Save As.",
            Buttons::OK, Icon::Information);
  }
  DiscardWorkFolder(folder);
  return true;
}

void DiscardWorkFolder(const std::string& folder) { RemoveFilesAndFolder(folder); }

bool OfferRecovery(Session& s, const std::vector<std::string>& leftovers) {
  for (const std::string& folder : leftovers) {
    LeftoverRun run = DescribeLeftover(folder);
    if (run.persons < 1 || !run.unsaved) {
      DiscardWorkFolder(folder);
      drop_stale_lock(run.file);
      continue;
    }
    const int answer = s.ask("Recover Family Records", RecoveryQuestion(run), Buttons::YesNoCancel, Icon::Question);
    if (answer == kAnswerYes) {
      s.disk.clear_failure();
      if (RecoverWorkFolder(s, folder)) return true;
      std::string text = "The family records could not be recovered. They are kept in the folder" + std::string(CrLf) +
                         cp1252::path_text(folder);
      if (s.disk.failure().error) text += CrLf + FailureLines(s.disk.failure());
      s.ask("Recover Family Records", text, Buttons::OK, Icon::Exclamation);
      return false;
    }
    if (answer == kAnswerNo) {
      DiscardWorkFolder(folder);
      drop_stale_lock(run.file);
      continue;
    }
    return false;
  }
  return false;
}

}  // namespace vft
