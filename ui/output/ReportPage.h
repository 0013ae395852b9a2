#pragma once
// The one-page report of a position on paper and in PDF files: the title,
// the analysis inputs, the legs and the figures, View Graph's chart with its
// value table beside the analysis chart, and the P/L grid beneath. The page
// is laid out in a box that fits both A4 and Letter (190 x 259 mm) and is
// drawn as text and lines, so a PDF keeps its text selectable and its fonts
// embedded. A refused position gets a page with the refusal instead.

#include "strategies/PositionReport.h"

#include <QString>

#include <vector>

class QPagedPaintDevice;
class QPainter;
class QSaveFile;

namespace velmora
{

// Paints one report into `page`, in device pixels of a device with `dpi`
// dots per inch, scaled to fit and centred.
void paintReportPage(
    QPainter &painter, const QRectF &page, double dpi, const PositionReport &report);

// One page per report, in order, on a printer or a PDF writer already set up;
// an error text, empty when every page was painted.
QString paintReportPages(QPagedPaintDevice &device, const std::vector<PositionReport> &reports);

// Writes the reports as a PDF (A4, portrait) into a file opened for writing
// and commits it, so that an existing file is replaced only by a complete
// one; an error text, empty when written.
QString writeReportPdf(const std::vector<PositionReport> &reports, QSaveFile &file);

} // namespace velmora
