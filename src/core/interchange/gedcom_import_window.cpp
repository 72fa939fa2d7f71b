#include "interchange/gedcom_import_window.h"

#include <utility>

#include "interchange/gedcom_decode.h"
#include "interchange/gedcom_import_internal.h"
#include "store/file_io.h"
#include "store/ini.h"
#include "store/paths.h"
#include "store/settings.h"

namespace vft {
namespace {

// The same ceiling as the import itself: no real GEDCOM file comes near it.
constexpr std::size_t kMaxFileBytes = std::size_t{1} << 30;
constexpr std::size_t kShownPathLength = 50;

}  // namespace

bool ReadGedcomHeader(std::string_view bytes, GedcomHeaderInfo& out) {
  out = GedcomHeaderInfo{};
  const gedcom::Decoded d = gedcom::DecodeGedcom(bytes);
  gedcom::SkipLog log;
  const gedcom::FileIndex idx = gedcom::IndexRecords(d.text, log);
  if (!idx.head_first) return false;
  gedcom::ReadHeader(d.text, idx, out);
  out.Charset = gedcom::CharsetName(d.charset);
  return true;
}

std::vector<GedcomHeaderField> GedcomHeaderFields(const GedcomHeaderInfo& h) {
  return {{"Source: ", h.Source},
          {"Destination: ", h.Destination},
          {"Date: ", h.Date},
          {"Version: ", h.Version},
          {"GEDCOM Version: ", h.GedcomVersion},
          {"Name: ", h.SubmitterName},
          {"Address: ", h.SubmitterAddress},
          {"Phone: ", h.SubmitterPhone}};
}

std::string ImportReportText(const ImportResult& r) {
  std::string text = r.summary;
  if (!r.errors.empty()) text += CrLf + r.errors;
  return text;
}

GedcomImportModel::GedcomImportModel(Session& s, std::string path) : s_(s), path_(std::move(path)) {}

std::string GedcomImportModel::importing_text() const {
  return "Importing GEDCOM file: " + ShortPathText(path_, kShownPathLength);
}

std::string GedcomImportModel::merging_text() {
  return std::string("Adding the converted GEDCOM file to the Vorlan Family Tree Records. ") + CrLf + "Please wait.";
}

bool GedcomImportModel::open() {
  if (state_ != State::New) return state_ == State::Opened;
  auto data = fileio::read_all(path_, kMaxFileBytes);
  if (!data) {
    s_.ask("Import a GEDCOM File", "The file '" + FileNameOf(path_) + "' could not be read.", Buttons::OK,
           Icon::Critical);
    state_ = State::Closed;
    return false;
  }
  bytes_.assign(data->begin(), data->end());
  // A file without a header still opens: the conversion refuses it with its
  // own message, and the frame stays empty until then.
  ReadGedcomHeader(bytes_, header_);
  state_ = State::Opened;
  return true;
}

ImportStatus GedcomImportModel::convert(const Progress& progress) {
  if (state_ != State::Opened) return result_.status;
  result_ = ConvertGedcom(s_, bytes_, FileNameOf(path_), progress, conversion_);
  if (result_.status == ImportStatus::Converted) {
    header_ = result_.header;
    state_ = State::Converted;
  } else {
    // Refused or stopped: the conversion has said why, or the user said No.
    state_ = State::Closed;
    conversion_ = GedcomConversion{};
  }
  // The file's text is not needed any more; a large one should not linger.
  std::string().swap(bytes_);
  return result_.status;
}

bool GedcomImportModel::merge(const Progress& progress) {
  if (state_ != State::Converted) return false;
  if (!MergeGedcom(s_, conversion_, progress)) {
    result_.status = ImportStatus::Refused;
    state_ = State::Closed;
    return false;
  }
  if (!IniWrite(s_, section::FilePaths, "GEDCOMLoadPath", FolderOf(path_))) s_.status(SettingsNotKept(s_));
  result_.status = ImportStatus::Imported;
  state_ = State::Merged;
  conversion_ = GedcomConversion{};
  return true;
}

void GedcomImportModel::abandon() {
  if (state_ == State::Opened || state_ == State::Converted) {
    ShowImportAbandoned(s_);
    result_.status = ImportStatus::Cancelled;
  }
  if (state_ != State::Merged) state_ = State::Closed;
  conversion_ = GedcomConversion{};
  std::string().swap(bytes_);
}

}  // namespace vft
