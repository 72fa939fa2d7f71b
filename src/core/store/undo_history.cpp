#include "store/undo_history.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <tuple>

#include <fcntl.h>
#include <unistd.h>

#include "common/cp1252.h"
#include "store/file_io.h"
#include "store/file_write.h"
#include "store/records.h"

namespace vft {
namespace {

constexpr std::array<const char*, 5> kFiles{recfile::Config, recfile::Person, recfile::Marriage, recfile::Ceremony,
                                            recfile::Notes};
constexpr std::size_t kHead = 64;
constexpr char kMagic[8] = {'V', 'F', 'T', 'U', 'N', 'D', 'O', '1'};
// Room written ahead of a change: a step of a few records fits many times.
constexpr std::size_t kReserve = 4096;
// Steps past the limit before the file is rewritten without the oldest.
constexpr std::size_t kSlack = 100;
// No step of ours comes near this; a longer entry is damage.
constexpr std::uint32_t kMaxEntry = 256u << 20;

std::uint32_t checksum(const std::uint8_t* p, std::size_t n) {
  std::uint32_t h = 2166136261u;
  for (std::size_t i = 0; i < n; ++i) h = (h ^ p[i]) * 16777619u;
  return h;
}

void put64(ByteWriter& w, std::int64_t v) {
  w.i32(static_cast<std::int32_t>(static_cast<std::uint64_t>(v) & 0xFFFFFFFFu));
  w.i32(static_cast<std::int32_t>(static_cast<std::uint64_t>(v) >> 32));
}
std::int64_t get64(ByteReader& r) {
  const auto lo = static_cast<std::uint32_t>(r.i32());
  const auto hi = static_cast<std::uint32_t>(r.i32());
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(hi) << 32) | lo);
}
void put_bytes(ByteWriter& w, const Bytes& b) {
  w.i32(static_cast<std::int32_t>(b.size()));
  w.text(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
}
bool get_bytes(ByteReader& r, Bytes& out) {
  const auto n = static_cast<std::uint32_t>(r.i32());
  if (!r.ok() || n > r.remaining()) return false;
  const std::string t = r.text(n);
  out.assign(t.begin(), t.end());
  return r.ok();
}

std::string history_path(const Session& s) { return s.work(kHistoryFile); }

Bytes encode_entry(const HistoryStep& st) {
  Bytes payload;
  ByteWriter w(payload);
  w.i32(static_cast<std::int32_t>(st.serial));
  w.i32(static_cast<std::int32_t>(st.prev));
  for (int v : {st.time.year, st.time.month, st.time.day, st.time.hour, st.time.minute, st.time.second})
    w.i16(static_cast<std::int16_t>(v));
  w.i16(st.selected_before);
  w.i16(st.selected_after);
  w.i32(static_cast<std::int32_t>(st.text.size()));
  w.text(st.text);
  w.u8(static_cast<std::uint8_t>(st.files.size()));
  for (const StepFile& f : st.files) {
    w.u8(f.file);
    put64(w, f.old_size);
    put64(w, f.new_size);
    w.i32(static_cast<std::int32_t>(f.ranges.size()));
    for (const StepRange& r : f.ranges) {
      put64(w, r.offset);
      put_bytes(w, r.before);
      put_bytes(w, r.after);
    }
  }
  Bytes entry;
  ByteWriter e(entry);
  e.i32(static_cast<std::int32_t>(payload.size()));
  e.i32(static_cast<std::int32_t>(checksum(payload.data(), payload.size())));
  entry.insert(entry.end(), payload.begin(), payload.end());
  return entry;
}

// One entry at `at` of `data`; false when it is not whole and sound.
bool decode_entry(const Bytes& data, std::size_t at, HistoryStep& st) {
  if (at + 8 > data.size()) return false;
  ByteReader h(data.data() + at, 8);
  const auto len = static_cast<std::uint32_t>(h.i32());
  const auto sum = static_cast<std::uint32_t>(h.i32());
  if (len > kMaxEntry || len > data.size() - at - 8) return false;
  const std::uint8_t* p = data.data() + at + 8;
  if (checksum(p, len) != sum) return false;
  ByteReader r(p, len);
  st.serial = static_cast<std::uint32_t>(r.i32());
  st.prev = static_cast<std::uint32_t>(r.i32());
  for (int* v : {&st.time.year, &st.time.month, &st.time.day, &st.time.hour, &st.time.minute, &st.time.second})
    *v = r.i16();
  st.selected_before = r.i16();
  st.selected_after = r.i16();
  const auto tlen = static_cast<std::uint32_t>(r.i32());
  if (!r.ok() || tlen > r.remaining()) return false;
  st.text = r.text(tlen);
  const std::uint8_t files = r.u8();
  for (std::uint8_t i = 0; r.ok() && i < files; ++i) {
    StepFile f;
    f.file = r.u8();
    f.old_size = get64(r);
    f.new_size = get64(r);
    const auto ranges = static_cast<std::uint32_t>(r.i32());
    if (!r.ok() || f.file >= kFiles.size() || ranges > len) return false;
    for (std::uint32_t k = 0; k < ranges; ++k) {
      StepRange sr;
      sr.offset = get64(r);
      if (!get_bytes(r, sr.before) || !get_bytes(r, sr.after) || sr.offset < 0) return false;
      f.ranges.push_back(std::move(sr));
    }
    st.files.push_back(std::move(f));
  }
  st.at = static_cast<std::int64_t>(at);
  st.length = len + 8;
  return r.ok() && r.remaining() == 0;
}

Bytes encode_head(std::size_t count, std::size_t pos, std::int64_t end, std::uint32_t dropped,
                  std::uint32_t next_serial) {
  Bytes b;
  b.reserve(kHead);  // also spares GCC 12 a false overflow warning on inserting into an empty vector
  ByteWriter w(b);
  w.text(std::string_view(kMagic, sizeof kMagic));
  w.i32(static_cast<std::int32_t>(count));
  w.i32(static_cast<std::int32_t>(pos));
  put64(w, end);
  w.i32(static_cast<std::int32_t>(dropped));
  w.i32(static_cast<std::int32_t>(next_serial));
  w.zeros(kHead - b.size());
  return b;
}

std::int64_t end_of(const std::vector<HistoryStep>& steps) {
  return steps.empty() ? static_cast<std::int64_t>(kHead) : steps.back().at + steps.back().length;
}

Bytes encode_head(const HistoryState& h) {
  return encode_head(h.steps.size(), h.pos, end_of(h.steps), h.dropped, h.next_serial);
}

bool write_head(Session& s) {
  const Bytes head = encode_head(s.History);
  return fileio::write_at(s.disk, history_path(s), 0, head.data(), head.size());
}

// Where the next step's entry goes: after the step now in effect.
std::int64_t next_at(const HistoryState& h) {
  return h.pos > 0 ? h.steps[h.pos - 1].at + h.steps[h.pos - 1].length : static_cast<std::int64_t>(kHead);
}

Bytes read_range(const std::string& path, std::int64_t offset, std::size_t len) {
  Bytes out(len);
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  std::size_t got = 0;
  if (fd >= 0) {
    while (got < len) {
      const ssize_t n =
          ::pread(fd, out.data() + got, len - got, static_cast<off_t>(offset + static_cast<std::int64_t>(got)));
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    ::close(fd);
  }
  out.resize(got);
  return out;
}

// The part of one record file the running transaction changed.
StepFile file_changes(const Session& s, std::uint8_t index, std::int64_t old_size) {
  const std::string path = s.work(kFiles[index]);
  StepFile f{index, old_size, fileio::size_of(path), {}};
  std::vector<std::pair<std::int64_t, std::int64_t>> spans;
  for (const auto& e : s.disk.journal())
    if (e.path == path) spans.emplace_back(e.offset, e.offset + static_cast<std::int64_t>(e.len));
  std::sort(spans.begin(), spans.end());
  std::vector<std::pair<std::int64_t, std::int64_t>> merged;
  for (const auto& sp : spans) {
    if (!merged.empty() && sp.first <= merged.back().second)
      merged.back().second = std::max(merged.back().second, sp.second);
    else merged.push_back(sp);
  }
  for (const auto& [a, b] : merged) {
    StepRange r;
    r.offset = a;
    const std::int64_t after_end = std::clamp<std::int64_t>(f.new_size, a, b);
    r.after = read_range(path, a, static_cast<std::size_t>(after_end - a));
    Bytes buf = r.after;
    buf.resize(static_cast<std::size_t>(b - a), 0);
    // Newest first, so the oldest write's bytes (those before the change) win.
    const auto& j = s.disk.journal();
    for (auto it = j.rbegin(); it != j.rend(); ++it)
      if (it->path == path && it->offset >= a && it->offset < b)
        std::copy(it->bytes.begin(), it->bytes.end(), buf.begin() + (it->offset - a));
    buf.resize(static_cast<std::size_t>(std::clamp<std::int64_t>(old_size, a, b) - a));
    r.before = std::move(buf);
    // Only the bytes that differ.
    const std::size_t n = std::min(r.before.size(), r.after.size());
    std::size_t lead = 0;
    while (lead < n && r.before[lead] == r.after[lead]) ++lead;
    std::size_t tail = 0;
    if (r.before.size() == r.after.size())
      while (tail < n - lead && r.before[n - 1 - tail] == r.after[n - 1 - tail]) ++tail;
    if (lead == r.before.size() && lead == r.after.size()) continue;
    r.offset += static_cast<std::int64_t>(lead);
    r.before =
        Bytes(r.before.begin() + static_cast<std::ptrdiff_t>(lead), r.before.end() - static_cast<std::ptrdiff_t>(tail));
    r.after =
        Bytes(r.after.begin() + static_cast<std::ptrdiff_t>(lead), r.after.end() - static_cast<std::ptrdiff_t>(tail));
    f.ranges.push_back(std::move(r));
  }
  return f;
}

// Drops the oldest steps past the limit by writing the file afresh. A failure
// keeps the longer file, which is as sound; the change goes on.
void drop_oldest(Session& s) {
  HistoryState& h = s.History;
  if (h.steps.size() <= kHistoryLimit + kSlack || h.pos < h.steps.size() - kHistoryLimit) return;
  const std::size_t drop = h.steps.size() - kHistoryLimit;
  Bytes file = encode_head(kHistoryLimit, h.pos - drop, 0, h.dropped + static_cast<std::uint32_t>(drop), h.next_serial);
  std::vector<std::pair<std::int64_t, std::uint32_t>> places;
  for (std::size_t i = drop; i < h.steps.size(); ++i) {
    const Bytes e = encode_entry(h.steps[i]);
    places.emplace_back(static_cast<std::int64_t>(file.size()), static_cast<std::uint32_t>(e.size()));
    file.insert(file.end(), e.begin(), e.end());
  }
  ByteWriter w(file);
  w.put_i32_at(16, static_cast<std::int32_t>(file.size()));  // the end, which fits 32 bits here
  const fileio::WriteFailure earlier = s.disk.failure();
  fileio::FileBatch batch(s.disk, fileio::Sync::None, fileio::NewMode::Private, false, fileio::Links::Replace);
  if (!(batch.add(history_path(s), file) && batch.commit())) {
    s.disk.set_failure(earlier);
    return;
  }
  h.steps.erase(h.steps.begin(), h.steps.begin() + static_cast<std::ptrdiff_t>(drop));
  for (std::size_t i = 0; i < h.steps.size(); ++i) std::tie(h.steps[i].at, h.steps[i].length) = places[i];
  h.pos -= drop;
  h.dropped += static_cast<std::uint32_t>(drop);
}

// The settings record is written outside any change as well (a
// Save marks it, the exit path rewrites it with the selected person), so its
// bytes are not held against the history; its counts change only with the
// records the other files hold, which are checked.
bool same_size(std::int64_t a, std::int64_t b) {
  return std::max<std::int64_t>(a, 0) == std::max<std::int64_t>(b, 0) && (a < 0) == (b < 0);
}

// Whether the record files hold one side of a step.
bool holds(const Session& s, const HistoryStep& st, bool after) {
  for (const StepFile& f : st.files) {
    const std::string path = s.work(kFiles[f.file]);
    if (!same_size(fileio::size_of(path), after ? f.new_size : f.old_size)) return false;
    for (const StepRange& r : f.ranges) {
      if (f.file == 0) continue;  // the settings record: see same_size
      const Bytes& want = after ? r.after : r.before;
      if (read_range(path, r.offset, want.size()) != want) return false;
    }
  }
  return true;
}

bool apply(Session& s, const HistoryStep& st, bool undo, std::string& why) {
  // -1 and 0 read alike here: a file a step created is emptied on the way
  // back and removed only at the end.
  for (const StepFile& f : st.files) {
    const std::string path = s.work(kFiles[f.file]);
    if (std::max<std::int64_t>(fileio::size_of(path), 0) != std::max<std::int64_t>(undo ? f.new_size : f.old_size, 0))
      return (why = "the records no longer match it"), false;
    for (const StepRange& r : f.ranges) {
      const Bytes& want = undo ? r.after : r.before;
      if (f.file == 0) continue;  // the settings record: see same_size
      if (read_range(path, r.offset, want.size()) != want) return (why = "the records no longer match it"), false;
    }
  }
  for (const StepFile& f : st.files) {
    const std::string path = s.work(kFiles[f.file]);
    for (const StepRange& r : f.ranges) {
      const Bytes& put = undo ? r.before : r.after;
      if (!put.empty() && !fileio::write_at(s.disk, path, r.offset, put.data(), put.size())) return false;
      // The settings record in memory follows its file; bytes the file loses
      // (a settings file the step created) read as zeros again.
      if (f.file == 0)
        for (std::size_t i = 0; i < std::max(r.before.size(), r.after.size()); ++i)
          if (r.offset + static_cast<std::int64_t>(i) < static_cast<std::int64_t>(kConfigLen))
            s.Config.raw[static_cast<std::size_t>(r.offset) + i] = i < put.size() ? put[i] : 0;
    }
    if (!fileio::cut_to(s.disk, path, std::max<std::int64_t>(undo ? f.old_size : f.new_size, 0))) return false;
  }
  return true;
}

}  // namespace

bool ReserveStep(Session& s) {
  if (!s.History.kept) return true;
  const std::string path = history_path(s);
  if (fileio::size_of(path) < static_cast<std::int64_t>(kHead) && !write_head(s)) return false;
  const HistoryState& h = s.History;
  const std::int64_t tail =
      h.steps.empty() ? static_cast<std::int64_t>(kHead) : h.steps.back().at + h.steps.back().length;
  const Bytes room(kReserve, 0);
  return fileio::write_at(s.disk, path, std::max(tail, next_at(h)), room.data(), room.size());
}

bool RecordStep(Session& s) {
  HistoryState& h = s.History;
  if (h.moving || h.skip_step || !h.kept) return true;
  HistoryStep st;
  for (std::uint8_t i = 0; i < kFiles.size(); ++i) {
    const std::int64_t old_size = s.disk.size_before(s.work(kFiles[i]));
    if (old_size == -2) continue;
    StepFile f = file_changes(s, i, old_size);
    if (!f.ranges.empty() || !same_size(f.old_size, f.new_size)) st.files.push_back(std::move(f));
  }
  if (st.files.empty()) return true;
  st.serial = h.next_serial;
  st.prev = h.pos > 0 ? h.steps[h.pos - 1].serial : 0;
  st.text = h.step_text.empty() ? "Undo the last change" : h.step_text;
  st.time = s.now();
  st.selected_before = h.step_selected;
  st.selected_after = s.Rel.Selected.PerNum;
  const Bytes entry = encode_entry(st);
  st.at = next_at(h);
  st.length = static_cast<std::uint32_t>(entry.size());
  const std::string path = history_path(s);
  const Bytes head = encode_head(h.pos + 1, h.pos + 1, st.at + st.length, h.dropped, h.next_serial + 1);
  if (!fileio::write_at(s.disk, path, st.at, entry.data(), entry.size()) ||
      !fileio::write_at(s.disk, path, 0, head.data(), head.size()))
    return false;
  h.steps.resize(h.pos);
  h.steps.push_back(std::move(st));
  h.pos = h.steps.size();
  ++h.next_serial;
  h.off_reason.clear();
  drop_oldest(s);
  SyncUndoState(s);
  return true;
}

void ForgetHistory(Session& s, const std::string& reason) {
  s.History.steps.clear();
  s.History.pos = 0;
  s.History.dropped = 0;
  s.History.off_reason = reason;
  fileio::remove(history_path(s));
  SyncUndoState(s);
}

void SyncUndoState(Session& s) {
  const HistoryState& h = s.History;
  s.UndoAvailable = h.pos > 0;
  s.UndoText = h.pos > 0 ? h.steps[h.pos - 1].text : h.off_reason;
}

bool MoveRecords(Session& s, std::size_t target, std::string& why) {
  HistoryState& h = s.History;
  if (target > h.steps.size()) return false;
  std::size_t pos = h.pos;
  for (; pos > target; --pos)
    if (!apply(s, h.steps[pos - 1], true, why)) return false;
  for (; pos < target; ++pos)
    if (!apply(s, h.steps[pos], false, why)) return false;
  const std::size_t was = h.pos;
  h.pos = target;
  if (!write_head(s)) {
    h.pos = was;
    return false;
  }
  // A record file that a later step created is not there at this point.
  for (std::uint8_t i = 0; i < kFiles.size(); ++i) {
    bool decided = false;
    for (std::size_t k = target; !decided && k < h.steps.size(); ++k)
      for (const StepFile& f : h.steps[k].files)
        if (f.file == i) {
          decided = true;
          if (f.old_size < 0) fileio::remove(s.work(kFiles[i]));
        }
  }
  SyncUndoState(s);
  return true;
}

bool LoadHistory(Session& s) {
  HistoryState& h = s.History;
  h = HistoryState{};
  auto data = fileio::read_all(history_path(s), std::size_t{1} << 30);
  if (!data || data->size() < kHead || std::memcmp(data->data(), kMagic, sizeof kMagic) != 0) {
    ForgetHistory(s);
    return false;
  }
  ByteReader r(data->data() + sizeof kMagic, kHead - sizeof kMagic);
  r.i32();  // the count: the entries' chain says it better after a crash
  const auto pos = static_cast<std::uint32_t>(r.i32());
  get64(r);
  const auto dropped = static_cast<std::uint32_t>(r.i32());
  const auto next_serial = static_cast<std::uint32_t>(r.i32());
  std::size_t at = kHead;
  HistoryStep st;
  while (decode_entry(*data, at, st) && (h.steps.empty() || st.prev == h.steps.back().serial)) {
    at += st.length;
    h.next_serial = std::max(h.next_serial, st.serial + 1);
    h.steps.push_back(std::move(st));
    st = HistoryStep{};
  }
  h.next_serial = std::max(h.next_serial, next_serial);
  h.dropped = dropped;
  // The records are at the head's position, or one step on either side of
  // it when the run ended between writing them and writing the head.
  const auto fits = [&](std::size_t k) {
    return k <= h.steps.size() && (k == 0 || holds(s, h.steps[k - 1], true)) &&
           (k == h.steps.size() || holds(s, h.steps[k], false));
  };
  for (std::size_t k :
       {static_cast<std::size_t>(pos), static_cast<std::size_t>(pos) + 1, static_cast<std::size_t>(pos) - 1}) {
    if (pos == 0 && k == static_cast<std::size_t>(-1)) continue;
    if (fits(k)) {
      h.pos = k;
      SyncUndoState(s);
      return true;
    }
  }
  ForgetHistory(s);
  return false;
}

}  // namespace vft
