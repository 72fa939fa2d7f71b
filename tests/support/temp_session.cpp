#include "temp_session.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace vft::test {

TempDir::TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "vft-test-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  path_ = tmpl + "/";
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

bool put_file(const std::string& path, const Bytes& data) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = data.empty() || std::fwrite(data.data(), 1, data.size(), f) == data.size();
  return std::fclose(f) == 0 && ok;
}

TempSession::TempSession() {
  s.WorkFolder = dir.path() + "work/";
  s.AppDataFolder = dir.path() + "appdata/";
  s.ProgramFolder = dir.path() + "program";
  std::filesystem::create_directories(s.WorkFolder);
  std::filesystem::create_directories(s.AppDataFolder);
  std::filesystem::create_directories(s.ProgramFolder);
  s.now = [] { return LocalTime{2026, 12, 5, 12, 0, 0}; };
}

}  // namespace vft::test
