#include "cli_session.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "common/cp1252.h"

namespace vft::cli {

int StderrPrompter::ask(const Message& m) {
  std::string text = cp1252::to_utf8(m.text);
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  std::fprintf(stderr, "%s\n", out.c_str());
  if (answer_yes && (m.buttons == Buttons::YesNo || m.buttons == Buttons::YesNoCancel)) return kAnswerYes;
  if (answer_yes && m.buttons == Buttons::OKCancel) return kAnswerOK;
  switch (m.buttons) {
    case Buttons::OK: return kAnswerOK;
    case Buttons::OKCancel: return kAnswerCancel;
    case Buttons::YesNo: return kAnswerNo;
    case Buttons::YesNoCancel: return kAnswerCancel;
  }
  return kAnswerCancel;
}

CliSession::CliSession() {
  namespace fs = std::filesystem;
  std::error_code ec;
  std::string tmpl = (fs::temp_directory_path(ec) / "vft-cli-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) return;
  root_ = tmpl + "/";
  s_.WorkFolder = root_ + "work/";
  s_.AppDataFolder = root_ + "appdata/";
  fs::create_directories(s_.WorkFolder, ec);
  fs::create_directories(s_.settings_folder(), ec);
  ok_ = !ec;
}

CliSession::~CliSession() {
  if (root_.empty()) return;
  std::error_code ec;
  std::filesystem::remove_all(root_, ec);
}

}  // namespace vft::cli
