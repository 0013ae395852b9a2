#pragma once
// The one-page report (ui/output/ReportPage.h) from a window: into a PDF file
// chosen in a file dialog, onto a printer chosen in the print dialog, or
// into the print preview.

#include "strategies/PositionReport.h"

#include <QString>

#include <vector>

class QWidget;

namespace velmora
{

// Asks for a file name (suggested: `name`.pdf in the last export folder) and
// writes the report, a page per position; an error text, empty when written
// or cancelled.
QString exportReport(
    const std::vector<PositionReport> &reports, const QString &name, QWidget *parent);

// The print dialog, then the page; an error text, empty when printed or
// cancelled.
QString printReport(const PositionReport &report, QWidget *parent);

// The print preview of the page; returns when it closes.
void previewReport(const PositionReport &report, QWidget *parent);

} // namespace velmora
