#pragma once
// The chart on paper: the print dialog, the printer and the print preview,
// all with the landscape page of ui/output/ChartPage.h.

#include "chart/ChartSurface.h"

#include <QPrinter>
#include <QString>

class QWidget;

namespace velmora
{

// A printer set up for the chart: landscape, high resolution.
class ChartPaper
{
public:
    ChartPaper();
    // The print dialog; false when the user cancels it.
    bool ask(QWidget *parent);
    // Prints the chart as it is; an error text, empty when it was printed.
    QString print(const ChartSurface &surface);

private:
    QPrinter m_printer {QPrinter::HighResolution};
};

// Shows the print preview of the chart as it comes on paper, in print
// colours; returns when the dialog closes.
void previewChart(const ChartSurface &surface, QWidget *parent);

} // namespace velmora
