// PDF files of the page document, written straight from its items. Each
// font face the pages use is embedded once, with only the glyphs they show;
// texts are glyph numbers with a map back to their characters, so a reader
// can search and copy them; every page's drawing is one compressed stream.
// Qt's PDF engine gets to the same file through a painter, shaping and
// looking up every text run again, at several times the cost on a list of a
// thousand pages. Printers still get their pages from the painter.
#pragma once
#include <QString>
#include <string>

#include "print/page_document.h"

namespace vft::ui {

// The bytes of a PDF file holding pages first..last (1-based) of an ended
// document, each on a sheet of its own size. False, with the reason in
// `error`, when the range is not in the document or a font's TrueType
// outlines cannot be read (faces of other outline formats are left to Qt's
// PDF engine, see write_pdf).
bool pdf_bytes(const print::PageDocument& doc, int first, int last, std::string& out, QString* error = nullptr);

}  // namespace vft::ui
