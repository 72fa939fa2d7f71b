#include "pdf_writer.h"

#include <QByteArray>
#include <QRawFont>
#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "common/cp1252.h"
#include "qt_text_measure.h"

namespace vft::ui {
namespace {

// Fast enough that compressing costs less than writing the uncompressed
// pages would, and within a tenth of the best level's size for pages of text.
constexpr int kCompression = 1;

std::uint16_t be16(const QByteArray& t, qsizetype at) {
  if (at < 0 || at + 2 > t.size()) return 0;
  return static_cast<std::uint16_t>((static_cast<unsigned char>(t[at]) << 8) | static_cast<unsigned char>(t[at + 1]));
}

std::uint32_t be32(const QByteArray& t, qsizetype at) {
  return (static_cast<std::uint32_t>(be16(t, at)) << 16) | be16(t, at + 2);
}

void put16(std::string& out, std::uint32_t v) {
  out += static_cast<char>((v >> 8) & 0xFF);
  out += static_cast<char>(v & 0xFF);
}

void put32(std::string& out, std::uint32_t v) {
  put16(out, v >> 16);
  put16(out, v & 0xFFFF);
}

// A number as PDF writes it: at most two decimals, no exponent.
void put_number(std::string& out, double v) {
  if (!std::isfinite(v)) v = 0;
  long long hundredths = std::llround(v * 100);
  if (hundredths < 0) {
    out += '-';
    hundredths = -hundredths;
  }
  char buf[32];
  int n = 0;
  long long whole = hundredths / 100;
  do {
    buf[n++] = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole);
  while (n) out += buf[--n];
  if (const int frac = static_cast<int>(hundredths % 100)) {
    out += '.';
    out += static_cast<char>('0' + frac / 10);
    if (frac % 10) out += static_cast<char>('0' + frac % 10);
  }
}

void put_colour(std::string& out, print::Colour c, const char* op) {
  for (int part : {print::red_of(c), print::green_of(c), print::blue_of(c)}) {
    put_number(out, part / 255.0);
    out += ' ';
  }
  out += op;
  out += '\n';
}

void put_hex4(std::string& out, unsigned v) {
  static const char digits[] = "0123456789ABCDEF";
  out += '<';
  for (int shift = 12; shift >= 0; shift -= 4) out += digits[(v >> shift) & 0xF];
  out += '>';
}

std::string deflated(std::string_view data) {
  // qCompress gives the zlib stream PDF's FlateDecode reads, after four bytes
  // of length of its own.
  const QByteArray z =
      qCompress(reinterpret_cast<const uchar*>(data.data()), static_cast<qsizetype>(data.size()), kCompression);
  return z.size() > 4 ? std::string(z.constData() + 4, static_cast<std::size_t>(z.size() - 4)) : std::string();
}

// One font face as embedded: the glyph of every CP1252 character and which
// of them the pages use.
struct Face {
  QRawFont raw;
  std::array<std::uint16_t, 256> glyph{};
  std::array<bool, 256> used{};
  int object = 0;  // the Type0 font; its descendant, descriptor, file and map follow
};

struct FontUse {
  int face = -1;
  double size = 0;  // twips, as the renderer sizes it
  double ascent = 0;
  bool underline = false;
  double underline_at = 0, underline_width = 0;  // below the baseline, in twips
};

// The font program of `face` with the glyphs it does not use emptied, so a
// page of a few names does not carry a whole font. Glyph numbers are kept, so
// the pages and the width table need no renumbering.

void add_components(const QByteArray& glyf, const std::vector<std::uint32_t>& loca, std::uint16_t g,
                    std::vector<bool>& keep) {
  if (g + 1u >= loca.size()) return;
  const qsizetype start = loca[g], end = loca[g + 1u];
  if (end - start < 10 || static_cast<std::int16_t>(be16(glyf, start)) >= 0) return;
  qsizetype at = start + 10;
  for (int guard = 0; guard < 64 && at + 4 <= end; ++guard) {
    const std::uint16_t flags = be16(glyf, at), part = be16(glyf, at + 2);
    if (part < keep.size() && !keep[part]) {
      keep[part] = true;
      add_components(glyf, loca, part, keep);
    }
    at += 4 + ((flags & 0x0001) ? 4 : 2);
    if (flags & 0x0008) at += 2;
    else if (flags & 0x0040) at += 4;
    else if (flags & 0x0080) at += 8;
    if (!(flags & 0x0020)) break;
  }
}

std::string sfnt(const std::vector<std::pair<std::string, QByteArray>>& tables, std::uint32_t version) {
  std::string out;
  const auto count = static_cast<std::uint16_t>(tables.size());
  std::uint16_t power = 1, log2 = 0;
  while (power * 2 <= count) power *= 2, ++log2;
  put32(out, version);
  put16(out, count);
  put16(out, power * 16);
  put16(out, log2);
  put16(out, count * 16 - power * 16);
  std::uint32_t offset = 12 + 16u * count;
  for (const auto& [tag, data] : tables) {
    std::uint32_t sum = 0;
    for (qsizetype i = 0; i < data.size(); i += 4) {
      std::uint32_t word = 0;
      for (int k = 0; k < 4; ++k)
        word = (word << 8) | (i + k < data.size() ? static_cast<unsigned char>(data[i + k]) : 0u);
      sum += word;
    }
    out += tag;
    put32(out, sum);
    put32(out, offset);
    put32(out, static_cast<std::uint32_t>(data.size()));
    offset += (static_cast<std::uint32_t>(data.size()) + 3) & ~3u;
  }
  for (const auto& table : tables) {
    out.append(table.second.constData(), static_cast<std::size_t>(table.second.size()));
    out.append((4 - table.second.size() % 4) % 4, '\0');
  }
  return out;
}

std::optional<std::string> font_program(const Face& face, const std::vector<std::uint16_t>& glyphs) {
  const QRawFont& raw = face.raw;
  const QByteArray head = raw.fontTable("head"), maxp = raw.fontTable("maxp");
  if (head.size() < 54 || maxp.size() < 6) return std::nullopt;
  std::vector<std::pair<std::string, QByteArray>> tables;
  const QByteArray glyf = raw.fontTable("glyf"), loca_table = raw.fontTable("loca");
  const std::uint16_t count = be16(maxp, 4);
  const bool long_loca = be16(head, 50) == 1;
  if (glyf.isEmpty() || loca_table.size() < (count + 1) * (long_loca ? 4 : 2)) return std::nullopt;
  std::vector<std::uint32_t> loca(count + 1u);
  for (std::size_t g = 0; g <= count; ++g) {
    const auto at = static_cast<qsizetype>(g);
    loca[g] = long_loca ? be32(loca_table, at * 4) : 2u * be16(loca_table, at * 2);
    loca[g] = std::min<std::uint32_t>(loca[g], static_cast<std::uint32_t>(glyf.size()));
  }
  std::vector<bool> keep(count, false);
  if (count) keep[0] = true;
  for (std::uint16_t g : glyphs)
    if (g < count && !keep[g]) {
      keep[g] = true;
      add_components(glyf, loca, g, keep);
    }
  QByteArray new_glyf, new_loca;
  std::string loca_bytes;
  for (std::size_t g = 0; g < count; ++g) {
    put32(loca_bytes, static_cast<std::uint32_t>(new_glyf.size()));
    if (keep[g] && loca[g + 1] > loca[g]) {
      new_glyf.append(glyf.constData() + loca[g], static_cast<qsizetype>(loca[g + 1] - loca[g]));
      while (new_glyf.size() % 4) new_glyf.append('\0');
    }
  }
  put32(loca_bytes, static_cast<std::uint32_t>(new_glyf.size()));
  new_loca = QByteArray(loca_bytes.data(), static_cast<qsizetype>(loca_bytes.size()));
  QByteArray new_head = head;
  std::memset(new_head.data() + 8, 0, 4);  // the whole-file checksum, which nobody reads back
  new_head[50] = 0;
  new_head[51] = 1;  // long offsets in loca
  for (const char* tag : {"OS/2", "cmap", "cvt ", "fpgm", "glyf", "head", "hhea", "hmtx", "loca", "maxp", "prep"}) {
    const std::string name(tag);
    if (name == "glyf") tables.emplace_back(name, new_glyf);
    else if (name == "loca") tables.emplace_back(name, new_loca);
    else if (name == "head") tables.emplace_back(name, new_head);
    else if (QByteArray t = raw.fontTable(tag); !t.isEmpty()) tables.emplace_back(name, std::move(t));
  }
  return sfnt(tables, 0x00010000);
}

// The face's PostScript name, as a PDF name may hold it.
std::string postscript_name(const QRawFont& raw) {
  const QByteArray name = raw.fontTable("name");
  const std::uint16_t count = be16(name, 2), strings = be16(name, 4);
  std::string out;
  for (std::uint16_t i = 0; i < count && out.empty(); ++i) {
    const qsizetype rec = 6 + 12 * i;
    const std::uint16_t platform = be16(name, rec), id = be16(name, rec + 6);
    const std::uint16_t length = be16(name, rec + 8), offset = be16(name, rec + 10);
    if (id != 6 || (platform != 1 && platform != 3)) continue;
    const qsizetype step = platform == 3 ? 2 : 1;
    for (qsizetype k = step - 1; k < length; k += step) {
      const qsizetype at = strings + offset + k;
      if (at >= name.size()) break;
      const char c = name[at];
      if (std::isalnum(static_cast<unsigned char>(c)) || c == '-') out += c;
    }
  }
  if (out.empty())
    for (QChar c : raw.familyName() + QLatin1Char('-') + raw.styleName())
      if (c.isLetterOrNumber() && c.unicode() < 128) out += static_cast<char>(c.unicode());
  return out.empty() ? std::string("Font") : out;
}

class Writer {
 public:
  Writer(const print::PageDocument& doc, int first, int last) : doc_(doc), first_(first), last_(last) {}
  bool write(std::string& out, QString* error);

 private:
  int new_object() {
    offsets_.push_back(0);
    return static_cast<int>(offsets_.size());
  }
  void begin_object(int n) {
    offsets_[static_cast<std::size_t>(n - 1)] = out_->size();
    put_number(*out_, n);
    *out_ += " 0 obj\n";
  }
  void stream_object(int n, const std::string& dict_extra, std::string_view data, bool compress);
  bool prepare_fonts(QString* error);
  void page_content(int number);
  void text(const print::Item& item);
  bool write_face(const Face& face, QString* error);

  const print::PageDocument& doc_;
  const int first_, last_;
  std::string* out_ = nullptr;
  std::vector<std::size_t> offsets_;
  std::vector<Face> faces_;
  std::vector<FontUse> uses_;  // by document font
  QtTextMeasure measure_;
  std::string content_;

  // The drawing state of the page being written, so that each operator is
  // written only when it changes.
  bool in_text_ = false;
  int font_ = -1;
  std::optional<print::Colour> fill_, stroke_;
  double pen_ = -1;
};

void Writer::stream_object(int n, const std::string& dict_extra, std::string_view data, bool compress) {
  begin_object(n);
  std::string packed;
  if (compress) packed = deflated(data);
  const bool packed_ok = compress && !packed.empty();
  const std::string_view body = packed_ok ? std::string_view(packed) : data;
  *out_ += "<< /Length ";
  put_number(*out_, static_cast<double>(body.size()));
  if (packed_ok) *out_ += " /Filter /FlateDecode";
  *out_ += dict_extra;
  *out_ += " >>\nstream\n";
  *out_ += body;
  *out_ += "\nendstream\nendobj\n";
}

bool Writer::prepare_fonts(QString* error) {
  const auto& fonts = doc_.fonts();
  std::vector<bool> shown(fonts.size(), false);
  for (int n = first_; n <= last_; ++n)
    for (const print::Item& item : doc_.page_items(n))
      if (item.kind == print::Item::Kind::Text && item.font < shown.size()) shown[item.font] = true;
  uses_.resize(fonts.size());
  for (std::size_t i = 0; i < fonts.size(); ++i) {
    if (!shown[i]) continue;
    const QFont qfont = twips_font(fonts[i]);
    QRawFont raw = QRawFont::fromFont(qfont);
    if (!raw.isValid()) {
      if (error) *error = QStringLiteral("The font %1 could not be embedded in the PDF file.").arg(qfont.family());
      return false;
    }
    FontUse& use = uses_[i];
    use.size = qfont.pixelSize();
    use.ascent = measure_.ascent(fonts[i]);
    use.underline = fonts[i].underline;
    use.underline_at = raw.underlinePosition();
    use.underline_width = std::max(1.0, raw.lineThickness());
    const QByteArray head = raw.fontTable("head");
    for (std::size_t f = 0; f < faces_.size(); ++f)
      if (faces_[f].raw.familyName() == raw.familyName() && faces_[f].raw.styleName() == raw.styleName() &&
          faces_[f].raw.fontTable("head") == head)
        use.face = static_cast<int>(f);
    if (use.face >= 0) continue;
    Face& face = faces_.emplace_back();
    face.raw = raw;
    std::array<QChar, 256> chars{};
    for (int b = 0; b < 256; ++b) {
      const char32_t u = cp1252::to_unicode(static_cast<unsigned char>(b));
      chars[static_cast<std::size_t>(b)] = QChar(static_cast<char16_t>(u <= 0xFFFF ? u : 0xFFFD));
    }
    std::array<quint32, 256> glyphs{};
    int got = 256;
    if (raw.glyphIndexesForChars(chars.data(), 256, glyphs.data(), &got))
      for (int b = 0; b < got; ++b)
        face.glyph[static_cast<std::size_t>(b)] = static_cast<std::uint16_t>(glyphs[static_cast<std::size_t>(b)]);
    use.face = static_cast<int>(faces_.size() - 1);
  }
  for (Face& face : faces_) {
    face.object = new_object();
    for (int k = 0; k < 4; ++k) new_object();
  }
  return true;
}

void Writer::text(const print::Item& item) {
  if (item.font >= uses_.size() || uses_[item.font].face < 0) return;
  const FontUse& use = uses_[item.font];
  Face& face = faces_[static_cast<std::size_t>(use.face)];
  std::string& c = content_;
  if (!in_text_) {
    c += "BT\n";
    in_text_ = true;
  }
  if (fill_ != item.colour) {
    put_colour(c, item.colour, "rg");
    fill_ = item.colour;
  }
  if (font_ != item.font) {
    c += "/F";
    put_number(c, use.face);
    c += ' ';
    put_number(c, use.size);
    c += " Tf\n";
    font_ = item.font;
  }
  const double baseline = item.y1 + use.ascent;
  // The page is drawn in twips from the top; the text matrix turns the
  // letters upright again.
  c += "1 0 0 -1 ";
  put_number(c, item.x1);
  c += ' ';
  put_number(c, baseline);
  c += " Tm (";
  for (char ch : doc_.item_text(item)) {
    const auto b = static_cast<unsigned char>(ch);
    face.used[b] = true;
    const std::uint16_t g = face.glyph[b];
    for (const char byte : {static_cast<char>(g >> 8), static_cast<char>(g & 0xFF)}) {
      if (byte == '(' || byte == ')' || byte == '\\') c += '\\';
      if (byte == '\r') c += "\\r";
      else c += byte;
    }
  }
  c += ") Tj\n";
  if (use.underline) {
    c += "ET\n";
    in_text_ = false;
    put_number(c, item.x1);
    c += ' ';
    put_number(c, baseline + use.underline_at - use.underline_width / 2);
    c += ' ';
    put_number(c, item.x2 - item.x1);
    c += ' ';
    put_number(c, use.underline_width);
    c += " re f\n";
  }
}

void Writer::page_content(int number) {
  const print::Page& page = doc_.page(number);
  content_.clear();
  in_text_ = false;
  font_ = -1;
  fill_ = print::kBlack;
  stroke_ = print::kBlack;
  pen_ = -1;
  content_ += "0.05 0 0 -0.05 0 ";
  put_number(content_, page.height / 20.0);
  content_ += " cm 1 J 1 j\n";
  for (const print::Item& item : doc_.page_items(number)) {
    if (item.kind == print::Item::Kind::Text) {
      text(item);
      continue;
    }
    if (in_text_) {
      content_ += "ET\n";
      in_text_ = false;
    }
    if (pen_ != item.pen_width) {
      put_number(content_, item.pen_width);
      content_ += " w\n";
      pen_ = item.pen_width;
    }
    if (stroke_ != item.colour) {
      put_colour(content_, item.colour, "RG");
      stroke_ = item.colour;
    }
    if (item.kind == print::Item::Kind::Line) {
      put_number(content_, item.x1);
      content_ += ' ';
      put_number(content_, item.y1);
      content_ += " m ";
      put_number(content_, item.x2);
      content_ += ' ';
      put_number(content_, item.y2);
      content_ += " l S\n";
      continue;
    }
    if (item.filled && fill_ != item.fill) {
      put_colour(content_, item.fill, "rg");
      fill_ = item.fill;
    }
    put_number(content_, std::min(item.x1, item.x2));
    content_ += ' ';
    put_number(content_, std::min(item.y1, item.y2));
    content_ += ' ';
    put_number(content_, std::abs(item.x2 - item.x1));
    content_ += ' ';
    put_number(content_, std::abs(item.y2 - item.y1));
    content_ += item.filled ? " re B\n" : " re S\n";
  }
  if (in_text_) content_ += "ET\n";
}

bool Writer::write_face(const Face& face, QString* error) {
  std::vector<std::uint16_t> glyphs;
  std::vector<std::pair<std::uint16_t, char32_t>> unicode;
  for (int b = 0; b < 256; ++b) {
    if (!face.used[static_cast<std::size_t>(b)]) continue;
    const std::uint16_t g = face.glyph[static_cast<std::size_t>(b)];
    if (std::find(glyphs.begin(), glyphs.end(), g) != glyphs.end()) continue;  // a blank and a no-break blank
    glyphs.push_back(g);
    const char32_t u = cp1252::to_unicode(static_cast<unsigned char>(b));
    unicode.emplace_back(g, u == 0xA0 ? U' ' : u);
  }
  std::sort(glyphs.begin(), glyphs.end());
  std::sort(unicode.begin(), unicode.end());
  const std::optional<std::string> program = font_program(face, glyphs);
  if (!program) {
    if (error) *error = QStringLiteral("The font %1 could not be embedded in the PDF file.").arg(face.raw.familyName());
    return false;
  }
  const QByteArray head = face.raw.fontTable("head"), hhea = face.raw.fontTable("hhea");
  const QByteArray hmtx = face.raw.fontTable("hmtx"), post = face.raw.fontTable("post");
  const double units = be16(head, 18) ? be16(head, 18) : 1000;
  auto scaled = [&](double v) { return std::round(v * 1000 / units); };
  auto signed16 = [](std::uint16_t v) { return static_cast<double>(static_cast<std::int16_t>(v)); };
  const std::uint16_t metrics = be16(hhea, 34);
  auto advance = [&](std::uint16_t g) {
    if (metrics == 0) return 0.0;
    return static_cast<double>(be16(hmtx, 4 * static_cast<qsizetype>(std::min<std::uint16_t>(g, metrics - 1))));
  };
  std::string tag = "VFT";
  const int index = static_cast<int>(&face - faces_.data());
  for (int k : {index / 676, index / 26, index}) tag += static_cast<char>('A' + k % 26);
  const std::string base = tag + "+" + postscript_name(face.raw);
  const int type0 = face.object, cid = type0 + 1, descriptor = type0 + 2, file = type0 + 3, map = type0 + 4;
  std::string& o = *out_;

  begin_object(type0);
  o += "<< /Type /Font /Subtype /Type0 /BaseFont /" + base + " /Encoding /Identity-H /DescendantFonts [";
  put_number(o, cid);
  o += " 0 R] /ToUnicode ";
  put_number(o, map);
  o += " 0 R >>\nendobj\n";

  begin_object(cid);
  o += "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + base +
       " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >>";
  o += " /FontDescriptor ";
  put_number(o, descriptor);
  o += " 0 R /DW 0 /W [";
  for (std::uint16_t g : glyphs) {
    put_number(o, g);
    o += " [";
    put_number(o, scaled(advance(g)));
    o += "] ";
  }
  o += "] /CIDToGIDMap /Identity >>\nendobj\n";

  const double italic_angle = post.size() >= 8 ? static_cast<std::int16_t>(be16(post, 4)) : 0;
  begin_object(descriptor);
  o += "<< /Type /FontDescriptor /FontName /" + base + " /Flags ";
  put_number(o, 32 + (italic_angle != 0 || face.raw.style() != QFont::StyleNormal ? 64 : 0));
  o += " /FontBBox [";
  for (qsizetype at : {36, 38, 40, 42}) {
    put_number(o, scaled(signed16(be16(head, at))));
    o += ' ';
  }
  o += "] /ItalicAngle ";
  put_number(o, italic_angle);
  o += " /Ascent ";
  put_number(o, scaled(signed16(be16(hhea, 4))));
  o += " /Descent ";
  put_number(o, scaled(signed16(be16(hhea, 6))));
  o += " /CapHeight ";
  put_number(o, scaled(signed16(be16(hhea, 4))));
  o += " /StemV 80 /FontFile2 ";
  put_number(o, file);
  o += " 0 R >>\nendobj\n";

  stream_object(file, " /Length1 " + std::to_string(program->size()), *program, true);

  std::string cmap =
      "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
  for (std::size_t i = 0; i < unicode.size(); i += 100) {
    const std::size_t n = std::min<std::size_t>(100, unicode.size() - i);
    put_number(cmap, static_cast<double>(n));
    cmap += " beginbfchar\n";
    for (std::size_t k = i; k < i + n; ++k) {
      put_hex4(cmap, unicode[k].first);
      cmap += ' ';
      put_hex4(cmap, static_cast<unsigned>(unicode[k].second <= 0xFFFF ? unicode[k].second : 0xFFFD));
      cmap += '\n';
    }
    cmap += "endbfchar\n";
  }
  cmap += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
  stream_object(map, "", cmap, true);
  return true;
}

bool Writer::write(std::string& out, QString* error) {
  out_ = &out;
  out.clear();
  const int count = last_ - first_ + 1;
  out.reserve(static_cast<std::size_t>(count) * 2048 + 65536);
  out += "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
  const int catalog = new_object(), pages = new_object(), info = new_object(), resources = new_object();
  if (!prepare_fonts(error)) return false;
  const int first_page = static_cast<int>(offsets_.size()) + 1;
  for (int n = 0; n < count; ++n) new_object(), new_object();

  begin_object(catalog);
  out += "<< /Type /Catalog /Pages 2 0 R >>\nendobj\n";
  begin_object(info);
  out += "<< /Creator (Vorlan Family Tree) /Producer (Vorlan Family Tree) >>\nendobj\n";
  begin_object(resources);
  out += "<< /ProcSet [/PDF /Text] /Font <<";
  for (std::size_t f = 0; f < faces_.size(); ++f) {
    out += " /F";
    put_number(out, static_cast<double>(f));
    out += ' ';
    put_number(out, faces_[f].object);
    out += " 0 R";
  }
  out += " >> >>\nendobj\n";
  begin_object(pages);
  out += "<< /Type /Pages /Count ";
  put_number(out, count);
  out += " /Kids [";
  for (int n = 0; n < count; ++n) {
    put_number(out, first_page + 2 * n);
    out += " 0 R ";
  }
  out += "] >>\nendobj\n";

  for (int n = first_; n <= last_; ++n) {
    const print::Page& page = doc_.page(n);
    const int object = first_page + 2 * (n - first_);
    begin_object(object);
    out += "<< /Type /Page /Parent 2 0 R /Resources 4 0 R /MediaBox [0 0 ";
    put_number(out, page.width / 20.0);
    out += ' ';
    put_number(out, page.height / 20.0);
    out += "] /Contents ";
    put_number(out, object + 1);
    out += " 0 R >>\nendobj\n";
    page_content(n);
    stream_object(object + 1, "", content_, true);
  }
  for (const Face& face : faces_)
    if (!write_face(face, error)) return false;

  const std::size_t xref = out.size();
  out += "xref\n0 ";
  put_number(out, static_cast<double>(offsets_.size() + 1));
  out += "\n0000000000 65535 f \n";
  char entry[32];
  for (std::size_t offset : offsets_) {
    std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offset);
    out += entry;
  }
  out += "trailer\n<< /Size ";
  put_number(out, static_cast<double>(offsets_.size() + 1));
  out += " /Root 1 0 R /Info 3 0 R >>\nstartxref\n";
  put_number(out, static_cast<double>(xref));
  out += "\n%%EOF\n";
  return true;
}

}  // namespace

bool pdf_bytes(const print::PageDocument& doc, int first, int last, std::string& out, QString* error) {
  if (doc.is_open() || first < 1 || last < first || last > doc.page_count()) {
    if (error) *error = QStringLiteral("There are no such pages to print.");
    return false;
  }
  return Writer(doc, first, last).write(out, error);
}

}  // namespace vft::ui
