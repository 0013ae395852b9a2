#pragma once
// The chart on paper and in files. Printing, the print preview and PNG, SVG
// and PDF files need Qt Print Support, Qt SVG and libpng, which the desktop
// program would otherwise load at every start; they live in a module of their
// own (ui/output/), loaded the first time a chart goes to paper or a file.

#include "core/Message.h"

#include <QString>

#include <functional>

class QWidget;

namespace velmora
{

class ChartSurface;

// A printer set up for the chart: landscape, high resolution.
class ChartPaper
{
public:
    virtual ~ChartPaper() = default;
    // The print dialog; false when the user cancels it.
    virtual bool ask(QWidget *parent) = 0;
    // Prints the chart as it is; an error text, empty when it was printed.
    virtual QString print(const ChartSurface &surface) = 0;
};

struct ChartOutput {
    // Writes a PNG, SVG or PDF file; an error text, empty when written.
    QString (*exportChart)(const ChartSurface &surface, const QString &fileName);
    // A new printer for the chart, owned by the caller.
    ChartPaper *(*newPaper)();
    // The print preview, in print colours; returns when it closes.
    void (*previewChart)(const ChartSurface &surface, QWidget *parent);
};

constexpr char kOutputModule[] = "velmora-output.so";
constexpr char kOutputEntry[] = "velmora_chart_output";
using OutputEntry = const ChartOutput *(*)();

// The module's functions, loaded on first use. Null when the module cannot
// be loaded, after handing the user's message about it to `tell`.
const ChartOutput *chartOutput(const std::function<void(const Message &)> &tell);

} // namespace velmora
