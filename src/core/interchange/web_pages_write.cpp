// Putting the pages on disk. Every page is written to a temporary name first
// and renamed only when all pages are complete: a cancelled or failed run
// leaves the folder as it found it, apart from pages that were complete.
//
// Pages are not flushed one by one: thousands of fsync calls would make the
// run slow, and a crash only costs pages that can be generated again.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "common/cp1252.h"
#include "interchange/web_pages.h"

namespace vft {
namespace {

std::string with_separator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

bool write_file(const std::string& path, const std::string& data, int& err) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    err = errno;
    return false;
  }
  std::size_t done = 0;
  bool ok = true;
  while (done < data.size()) {
    ssize_t w = ::write(fd, data.data() + done, data.size() - done);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) {
      err = w < 0 ? errno : ENOSPC;
      ok = false;
      break;
    }
    done += static_cast<std::size_t>(w);
  }
  if (::close(fd) != 0 && ok) {
    err = errno;
    ok = false;
  }
  return ok;
}

// An "index.html" is only ours when its generator line says so: the folder
// may be the user's own web space with a front page of their own.
bool made_here(const std::filesystem::path& page) {
  std::ifstream in(page, std::ios::binary);
  std::string head(1024, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  return head.find("content=\"Vorlan Family Tree") != std::string::npos;
}

// A file name of the site: "vfl" + five digits, "famnames", "listname" or
// "listname-" + a letter or "0", with ".htm" or ".html"; the stylesheet; the
// front page "index.html".
bool is_site_name(const std::string& name) {
  if (name == "vftstyle.css" || name == "index.html") return true;
  std::string stem;
  if (name.size() > 5 && name.compare(name.size() - 5, 5, ".html") == 0) stem = name.substr(0, name.size() - 5);
  else if (name.size() > 4 && name.compare(name.size() - 4, 4, ".htm") == 0) stem = name.substr(0, name.size() - 4);
  else return false;
  if (stem == "famnames" || stem == "listname") return true;
  if (stem.size() == 10 && stem.compare(0, 9, "listname-") == 0)
    return (stem[9] >= 'a' && stem[9] <= 'z') || stem[9] == '0';
  if (stem.size() != 8 || stem.compare(0, 3, "vfl") != 0) return false;
  for (std::size_t i = 3; i < 8; ++i)
    if (stem[i] < '0' || stem[i] > '9') return false;
  return true;
}

bool is_site_page(const std::filesystem::path& page) {
  const std::string name = page.filename().string();
  return is_site_name(name) && (name != "index.html" || made_here(page));
}

template <typename F>
long for_each_site_page(const std::string& folder, F&& visit) {
  namespace fs = std::filesystem;
  std::error_code ec;
  long n = 0;
  fs::directory_iterator it(folder, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::error_code ec2;
    if (!it->is_regular_file(ec2)) continue;
    if (!is_site_page(it->path())) continue;
    if (visit(it->path())) ++n;
  }
  return n;
}

}  // namespace

long CountExistingWebPages(const std::string& folder) {
  return for_each_site_page(folder, [](const std::filesystem::path& p) { return p.filename().string().rfind("vfl", 0) == 0; });
}

long DeleteWebPages(const std::string& folder) {
  std::vector<std::filesystem::path> pages;
  for_each_site_page(folder, [&](const std::filesystem::path& p) {
    pages.push_back(p);
    return true;
  });
  long n = 0;
  for (const auto& p : pages) {
    std::error_code ec;
    if (std::filesystem::remove(p, ec)) ++n;
  }
  return n;
}

WebResult WriteWebSite(const Session& s, const WebOptions& o, const Progress& progress) {
  WebResult r;
  const std::string folder = with_separator(cp1252::trim(o.folder));
  std::error_code ec;
  if (o.style == WebStyle::Modern && std::filesystem::exists(folder + "index.html", ec) &&
      !made_here(folder + "index.html")) {
    r.status = WebStatus::Failed;
    r.message = "The folder " + folder + " already holds a page index.html that Vorlan Family Tree did not make." +
                CrLf + "Choose another folder for the web pages, or move that page away.";
    return r;
  }
  std::vector<std::pair<std::string, std::string>> written;  // temporary, final
  auto discard = [&] {
    for (const auto& w : written) ::unlink(w.first.c_str());
  };
  std::string failed_path;
  int err = 0;
  auto sink = [&](const std::string& name, const std::string& html) {
    const std::string final_path = folder + name;
    if (!is_site_name(name)) {  // only the site's own names, never a path
      err = EINVAL;
      failed_path = final_path;
      return false;
    }
    const std::string tmp = folder + "~vft-" + name + ".tmp";
    written.emplace_back(tmp, final_path);
    if (write_file(tmp, html, err)) return true;
    failed_path = final_path;
    return false;
  };
  const bool complete = GenerateWebPages(s, o, sink, progress, &r.counts);
  if (complete) {
    for (std::size_t i = 0; i < written.size(); ++i) {
      if (std::rename(written[i].first.c_str(), written[i].second.c_str()) == 0) continue;
      err = errno;
      failed_path = written[i].second;
      written.erase(written.begin(), written.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
    if (failed_path.empty()) {
      r.status = WebStatus::Done;
      r.index_file = folder + (o.style == WebStyle::Modern ? std::string("index.html") : "famnames" + WebExtension(o));
      return r;
    }
  }
  discard();
  if (failed_path.empty()) {
    r.status = WebStatus::Cancelled;
    return r;
  }
  r.status = WebStatus::Failed;
  r.message = "The web page '" + failed_path + "' could not be written." + CrLf + std::strerror(err);
  return r;
}

}  // namespace vft
