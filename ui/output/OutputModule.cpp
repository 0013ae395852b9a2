// The entry of velmora-output.so: printing, the print preview and chart
// files, for programs that load them on first use (ui/chart/ChartOutput.h).

#include "ui/chart/ChartOutput.h"
#include "ui/output/ChartExport.h"
#include "ui/output/ChartPrinter.h"

#include <QPrinter>

namespace velmora
{

namespace
{

class Printer final : public ChartPaper
{
public:
    Printer() { prepareChartPrinter(m_printer); }
    bool ask(QWidget *parent) override { return askChartPrinter(m_printer, parent); }
    QString print(const ChartSurface &surface) override { return printChart(m_printer, surface); }

private:
    QPrinter m_printer {QPrinter::HighResolution};
};

} // namespace

} // namespace velmora

extern "C" Q_DECL_EXPORT const velmora::ChartOutput *velmora_chart_output()
{
    static const velmora::ChartOutput output {
        &velmora::exportChart,
        []() -> velmora::ChartPaper * { return new velmora::Printer; },
        &velmora::previewChart,
    };
    return &output;
}
