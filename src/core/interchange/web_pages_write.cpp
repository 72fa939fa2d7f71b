// Putting the pages on disk. Pages are made again from the tree whenever the
// user asks, so they are not written through temporary files as the user's
// own documents are (fileio::OutputFiles says why and what it does instead):
// every page is held until all are made, so a cancelled run leaves the folder
// as it found it, and a page that did not change is not written at all.
#include <filesystem>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "common/cp1252.h"
#include "interchange/web_pages.h"
#include "store/file_write.h"

namespace vft {
namespace {

std::string with_separator(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

// An "index.html" is only ours when it is a plain file whose generator line
// says so: the folder may be the user's own web space with a front page of
// their own. A link is nobody's page of ours, and a pipe is never waited on.
bool made_here(const std::filesystem::path& page) {
  const int fd = ::open(page.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  std::string head(1024, '\0');
  ssize_t n = 0;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) n = ::pread(fd, head.data(), head.size(), 0);
  ::close(fd);
  head.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return head.find("content=\"Vorlan Family Tree") != std::string::npos;
}

// A file name of the site: "vfl" + five digits, "famnames", "listname" or
// "listname-" + a letter or "0" and maybe a page number, with ".htm" or
// ".html"; the stylesheet; the index of names; the front page "index.html".
bool is_site_name(const std::string& name) {
  if (name == "vftstyle.css" || name == "vftnames.js" || name == "index.html") return true;
  std::string stem;
  if (name.size() > 5 && name.compare(name.size() - 5, 5, ".html") == 0) stem = name.substr(0, name.size() - 5);
  else if (name.size() > 4 && name.compare(name.size() - 4, 4, ".htm") == 0) stem = name.substr(0, name.size() - 4);
  else return false;
  if (stem == "famnames" || stem == "listname") return true;
  if (stem.size() >= 10 && stem.size() <= 15 && stem.compare(0, 9, "listname-") == 0)
    return ((stem[9] >= 'a' && stem[9] <= 'z') || stem[9] == '0') &&
           (stem.size() == 10 || (stem[10] != '0' && cp1252::all_digits(stem.substr(10))));
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

std::string ReplacedLinksText(const WebSiteCounts& c) {
  if (c.replaced <= 0) return {};
  const std::string what = c.replaced_special > 0 ? " links or special files" : " links";
  if (c.replaced == 1)
    return c.replaced_special > 0 ? "1 link or special file in the folder was replaced by a page."
                                  : "1 link in the folder was replaced by a page.";
  return std::to_string(c.replaced) + what + " in the folder were replaced by pages.";
}

long CountExistingWebPages(const std::string& folder) {
  return for_each_site_page(folder,
                            [](const std::filesystem::path& p) { return p.filename().string().rfind("vfl", 0) == 0; });
}

long DeleteWebPages(const std::string& folder, const std::set<std::string>& keep) {
  std::vector<std::filesystem::path> pages;
  for_each_site_page(folder, [&](const std::filesystem::path& p) {
    if (!keep.count(p.filename().string())) pages.push_back(p);
    return true;
  });
  long n = 0;
  for (const auto& p : pages) {
    std::error_code ec;
    if (std::filesystem::remove(p, ec)) ++n;
  }
  return n;
}

long EstimateWebSiteKB(const Session& s, const WebOptions& o) {
  // Files take whole blocks of the folder's file system; most use 4 KB.
  struct statvfs fs {};
  unsigned long block = 4096;
  if (::statvfs(with_separator(cp1252::trim(o.folder)).c_str(), &fs) == 0 && fs.f_frsize >= 512 && fs.f_frsize <= 65536)
    block = fs.f_frsize;
  // Making the pages without keeping them takes a fraction of writing them,
  // and no rule of thumb stays true of every tree and both styles.
  unsigned long long bytes = 0;
  GenerateWebPages(s, o,
                   [&](const std::string&, const std::string& html) {
                     bytes += (html.size() + block - 1) / block * block;
                     return true;
                   },
                   {});
  return static_cast<long>((bytes + 1023) / 1024);
}

namespace {

WebResult write_site(Session& s, const WebOptions& o, const Progress& progress, const std::string& folder,
                     fileio::OutputFiles& batch, std::vector<std::string>& names) {
  WebResult r;
  std::error_code ec;
  if (o.style == WebStyle::Modern &&
      std::filesystem::exists(std::filesystem::symlink_status(folder + "index.html", ec)) &&
      !made_here(folder + "index.html")) {
    r.status = WebStatus::Failed;
    r.message = "The folder " + folder + " already holds a page index.html that Vorlan Family Tree did not make." +
                CrLf + "Choose another folder for the web pages, or move that page away.";
    return r;
  }
  bool failed = false;
  std::string foreign;  // a name the site may not use
  auto sink = [&](const std::string& name, const std::string& html) {
    if (!is_site_name(name)) {  // only the site's own names, never a path
      foreign = name;
      return false;
    }
    failed = !batch.add(folder + name, html);
    if (!failed) names.push_back(name);
    return !failed;
  };
  const bool complete = GenerateWebPages(s, o, sink, progress, &r.counts);
  // Putting the pages on disk is normally a blink, but a busy disk can make
  // it seconds: it reports on the bar the pages filled, and may be stopped.
  const std::size_t total = batch.size();
  auto saving = [&](std::size_t done) {
    if (!progress || done % 50 != 0) return true;
    const long bar = static_cast<long>(static_cast<double>(r.counts.family_pages) * static_cast<double>(done) /
                                       static_cast<double>(total));
    return progress("Saving the pages: " + std::to_string(done) + " of " + std::to_string(total), bar);
  };
  const bool committed = complete && batch.commit(saving);
  r.counts.replaced = static_cast<long>(batch.replaced());
  r.counts.replaced_special = static_cast<long>(batch.replaced_special());
  if (committed) {
    r.status = WebStatus::Done;
    r.index_file = folder + (o.style == WebStyle::Modern ? std::string("index.html") : "famnames" + WebExtension(o));
    return r;
  }
  if (!foreign.empty()) {
    r.status = WebStatus::Failed;
    r.message = "The web page '" + foreign + "' is not a page of the site and was not written.";
    return r;
  }
  if (!complete && !failed) {
    r.status = WebStatus::Cancelled;
    return r;
  }
  if (batch.stopped()) {
    r.status = WebStatus::Cancelled;
    if (batch.written() > 0)
      r.message = "The pages saved before you cancelled are already new." + std::string(CrLf) +
                  "Build the pages again to bring the whole site up to date.";
    return r;
  }
  const fileio::WriteFailure& f = s.disk.failure();
  r.status = WebStatus::Failed;
  r.message =
      "The web page '" + cp1252::path_text(f.path) + "' could not be written." + CrLf + cp1252::from_utf8(f.reason());
  if (batch.written() > 0)
    r.message += std::string(CrLf) + "The pages written before it are already new." + CrLf +
                 "Build the pages again once the cause is mended.";
  return r;
}

}  // namespace

WebResult WriteWebSite(Session& s, const WebOptions& o, const Progress& progress, bool replace_old) {
  const std::string folder = with_separator(cp1252::trim(o.folder));
  // Pages are made to be published: a new one is readable by others as any
  // new file of the user's is.
  fileio::OutputFiles batch(s.disk, fileio::NewMode::Shared);
  std::vector<std::string> names;  // in the order they were added
  WebResult r = write_site(s, o, progress, folder, batch, names);
  if (replace_old) {
    const std::set<std::string> now(names.begin(), names.begin() + static_cast<long>(batch.settled()));
    DeleteWebPages(folder, now);
  }
  return r;
}

}  // namespace vft
