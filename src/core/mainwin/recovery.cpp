#include "mainwin/recovery.h"

#include <filesystem>
#include <string_view>

#include "common/folders.h"
#include "mainwin/commands.h"
#include "relations/undo.h"
#include "store/paths.h"
#include "store/file_io.h"
#include "store/records.h"

namespace vft {
namespace {

constexpr const char* kRecordFiles[] = {recfile::Config, recfile::Person, recfile::Marriage, recfile::Ceremony,
                                        recfile::Notes};

// A session that only reads another run's folder.
struct FolderReader {
  ScriptedPrompter quiet;
  Session s{quiet};
  explicit FolderReader(const std::string& folder) { s.WorkFolder = folder; }
};

}  // namespace

LeftoverRun DescribeLeftover(const std::string& folder) {
  LeftoverRun run;
  run.folder = folder;
  std::string name = std::filesystem::path(folder).parent_path().filename().string();
  if (name.size() >= 6) run.started = name.substr(0, 2) + ":" + name.substr(2, 2) + ":" + name.substr(4, 2);
  FolderReader r(folder);
  if (ReadConfig(r.s) && r.s.Config.NumPersons() > 0)
    run.persons = r.s.Config.NumPersons() - CountDeletedPersons(r.s);
  return run;
}

std::string RecoveryQuestion(const LeftoverRun& run) {
  return "Vorlan Family Tree was not closed properly when it last ran (started at " + run.started + ")." + CrLf +
         "It left behind family records of " + std::to_string(run.persons) +
         (run.persons == 1 ? " person" : " persons") + " that may not have been saved." + CrLf + CrLf +
         "Do you want to recover these records now?" + CrLf + CrLf +
         "Yes recovers them, No deletes them, Cancel keeps them for the next start.";
}

bool RecoverWorkFolder(Session& s, const std::string& folder) {
  for (const char* f : kRecordFiles) {
    const std::string from = folder + f;
    // Only the settings record must be there; a tree without notes has no
    // notes file, and so on.
    if (!fileio::exists(from)) {
      if (std::string_view(f) == recfile::Config) return false;
      continue;
    }
    if (!fileio::copy(from, s.work(std::string(f) + ".rec"))) {
      for (const char* g : kRecordFiles) fileio::remove(s.work(std::string(g) + ".rec"));
      return false;
    }
  }
  for (const char* f : kRecordFiles) {
    fileio::remove(s.work(f));
    std::error_code ec;
    if (fileio::exists(s.work(std::string(f) + ".rec")))
      std::filesystem::rename(s.work(std::string(f) + ".rec"), s.work(f), ec);
  }
  ReadConfig(s);
  LoadMarriages(s);
  s.DeletedCount = CountDeletedPersons(s);
  s.RecordsSaved = false;
  s.NothingChanged = false;
  // The recovered records belong to no file: a Save asks where to put them,
  // starting in the folder of the file used last.
  s.CurrentFilePath = FolderOf(LastFilePath(s));
  DiscardWorkFolder(folder);
  return true;
}

void DiscardWorkFolder(const std::string& folder) { RemoveFilesAndFolder(folder); }

bool OfferRecovery(Session& s, const std::vector<std::string>& leftovers) {
  for (const std::string& folder : leftovers) {
    LeftoverRun run = DescribeLeftover(folder);
    if (run.persons < 1) {
      DiscardWorkFolder(folder);
      continue;
    }
    const int answer = s.ask("Recover Family Records", RecoveryQuestion(run), Buttons::YesNoCancel, Icon::Question);
    if (answer == kAnswerYes) {
      if (RecoverWorkFolder(s, folder)) return true;
      s.ask("Recover Family Records",
            "The family records could not be recovered. They are kept in the folder" + std::string(CrLf) + folder,
            Buttons::OK, Icon::Exclamation);
      return false;
    }
    if (answer == kAnswerNo) {
      DiscardWorkFolder(folder);
      continue;
    }
    return false;
  }
  return false;
}

}  // namespace vft
