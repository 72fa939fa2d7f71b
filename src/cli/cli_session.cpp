#include "cli_session.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "store/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <dirent.h>
#include <sys/syscall.h>
#endif

#include <QLocale>

#include "common/cp1252.h"
#include "store/date_parse.h"

namespace vft::cli {
namespace {

constexpr const char* kPrefix = "vft-cli-";
// A folder of the old naming (no process number) is a leftover once it is
// this old: no command runs for a day.
constexpr auto kOldLeftover = std::chrono::hours(24);

// The work folder to remove should the tool be stopped by a signal. Set
// before the handlers can run and only read by them; a signal handler has no
// other way to know it.
char g_root[4096];
volatile std::sig_atomic_t g_root_set = 0;

#ifdef __linux__
struct Dirent64 {
  ino64_t d_ino;
  off64_t d_off;
  unsigned short d_reclen;
  unsigned char d_type;
  char d_name[1];
};

bool dot_entry(const char* n) { return n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)); }

// Empties a folder with system calls only (async-signal-safe): no memory is
// allocated and no library state is touched. Passes repeat from the start, as
// removing entries while listing may skip some.
void empty_folder(int dir, int depth) {
  if (depth > 8) return;
  alignas(8) char buf[4096];
  for (int pass = 0; pass < 4; ++pass) {
    if (::lseek(dir, 0, SEEK_SET) != 0) return;
    bool any = false;
    for (long n; (n = ::syscall(SYS_getdents64, dir, buf, sizeof buf)) > 0;) {
      for (long off = 0; off < n;) {
        auto* d = reinterpret_cast<Dirent64*>(buf + off);
        off += d->d_reclen;
        if (dot_entry(d->d_name)) continue;
        any = true;
        if (d->d_type != DT_DIR && ::unlinkat(dir, d->d_name, 0) == 0) continue;
        int sub = ::openat(dir, d->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (sub < 0) continue;
        empty_folder(sub, depth + 1);
        ::close(sub);
        ::unlinkat(dir, d->d_name, AT_REMOVEDIR);
      }
    }
    if (!any) return;
  }
}

extern "C" void remove_work_and_stop(int sig) {
  if (g_root_set) {
    int dir = ::open(g_root, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
      empty_folder(dir, 0);
      ::close(dir);
    }
    ::rmdir(g_root);
  }
  // Ends as the signal would have ended it, with the same exit status.
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

void install_handlers() {
  struct sigaction sa {};
  sa.sa_handler = remove_work_and_stop;
  sigemptyset(&sa.sa_mask);
  for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) sigaddset(&sa.sa_mask, sig);
  for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
    struct sigaction old {};
    // A signal the caller chose to ignore (nohup) stays ignored.
    if (::sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    ::sigaction(sig, &sa, nullptr);
  }
}
#else
void install_handlers() {}  // leftovers are cleared by the next run
#endif

// Folders of runs of ours that were killed outright: the process named in the
// name is gone (or, for the old naming, the folder is a day old).
void clear_dead_runs(const std::filesystem::path& tmp) {
  namespace fs = std::filesystem;
  std::error_code ec;
  for (fs::directory_iterator it(tmp, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.rfind(kPrefix, 0) != 0) continue;
    struct stat st {};
    if (::lstat(it->path().c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) continue;
    const std::string rest = name.substr(std::strlen(kPrefix));
    const std::size_t dash = rest.find('-');
    bool dead = false;
    if (dash != std::string::npos && dash > 0 && rest.find_first_not_of("0123456789") == dash) {
      const long pid = std::atol(rest.substr(0, dash).c_str());
      dead = pid > 0 && pid != ::getpid() && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
    } else {
      std::error_code ec2;
      const auto when = fs::last_write_time(it->path(), ec2);
      dead = !ec2 && fs::file_time_type::clock::now() - when > kOldLeftover;
    }
    std::error_code ec3;
    if (dead) fs::remove_all(it->path(), ec3);
  }
}

}  // namespace

int StderrPrompter::ask(const Message& m) {
  const std::string text = cp1252::to_utf8(m.text);
  const bool question = m.buttons != Buttons::OK;
  if (answer_yes && question) {
    // A batch tool never waits for an answer: the question becomes a
    // warning on one line, without its closing "Continue anyway?".
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < text.size();) {
      const std::size_t end = std::min(text.find_first_of("\r\n", i), text.size());
      const std::size_t from = text.find_first_not_of(' ', i), to = text.find_last_not_of(' ', end - 1);
      if (from < end && to != std::string::npos && to >= from) lines.push_back(text.substr(from, to - from + 1));
      i = end + 1;
    }
    if (lines.size() > 1 && lines.back().back() == '?') lines.pop_back();
    std::string out = "vft: warning:";
    for (const std::string& line : lines) out += " " + line;
    std::fprintf(stderr, "%s\n", out.c_str());
    return m.buttons == Buttons::OKCancel ? kAnswerOK : kAnswerYes;
  }
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  std::fprintf(stderr, "%s\n", out.c_str());
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
  const fs::path tmp = fs::temp_directory_path(ec);
  clear_dead_runs(tmp);
  // The process number in the name lets a later run tell a folder whose
  // owner was killed outright from one still in use.
  std::string tmpl = (tmp / (std::string(kPrefix) + std::to_string(::getpid()) + "-XXXXXX")).string();
  if (tmpl.size() >= sizeof g_root) return;
  install_handlers();
  // No signal may come between making the folder and naming it to the handler.
  sigset_t stop, was;
  sigemptyset(&stop);
  for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) sigaddset(&stop, sig);
  ::sigprocmask(SIG_BLOCK, &stop, &was);
  const bool made = mkdtemp(tmpl.data()) != nullptr;
  if (made) {
    std::memcpy(g_root, tmpl.c_str(), tmpl.size() + 1);
    g_root_set = 1;
  }
  ::sigprocmask(SIG_SETMASK, &was, nullptr);
  if (!made) return;
  root_ = tmpl + "/";
  s_.WorkFolder = root_ + "work/";
  // The undo history belongs to the window program.
  s_.History.kept = false;
  // Numeric dates in the tree sort and print as the window program reads them.
  s_.MonthFirst = PatternPutsMonthFirst(QLocale::system().dateFormat(QLocale::ShortFormat).toStdString());
  s_.AppDataFolder = root_ + "appdata/";
  fs::create_directories(s_.WorkFolder, ec);
  fs::create_directories(s_.settings_folder(), ec);
  ok_ = !ec;
}

CliSession::~CliSession() {
  if (root_.empty()) return;
  g_root_set = 0;
  std::error_code ec;
  std::filesystem::remove_all(root_, ec);
}

bool CliSession::open(const std::string& file, OpenAccess access) {
  if (!ok_) {
    std::fputs("vft: cannot create a temporary work folder\n", stderr);
    return false;
  }
  if (!fileio::exists(file)) {
    std::fprintf(stderr, "vft: no such file: %s\n", file.c_str());
    return false;
  }
  return OpenFamilyFile(s_, file, access) == -1;
}

}  // namespace vft::cli
