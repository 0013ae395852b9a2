#include "ui/chart/PrintJob.h"

#include "chart/ChartSurface.h"

#include <exception>

namespace velmora
{

namespace
{

PrintJobResult printSteps(const PrintJobSteps &steps)
{
    steps.preparePrintState();
    steps.redraw();
    if (!steps.askPrinter())
        return {PrintOutcome::Cancelled, {}};
    QString error = steps.print();
    if (!error.isEmpty())
        return {PrintOutcome::Failed, error};
    return {PrintOutcome::Printed, {}};
}

void finish(const PrintJobSteps &steps)
{
    try {
        steps.restoreScreenState();
    } catch (...) {
        steps.leaveChartMode();
        throw;
    }
    steps.leaveChartMode();
}

} // namespace

PrintJobResult runPrintJob(const PrintJobSteps &steps)
{
    if (!steps.chartShown())
        return {};
    PrintJobResult result;
    try {
        result = printSteps(steps);
    } catch (const std::exception &e) {
        result = {PrintOutcome::Failed, QString::fromLocal8Bit(e.what())};
    } catch (...) {
        result = {PrintOutcome::Failed, QStringLiteral("printing stopped unexpectedly")};
    }
    finish(steps);
    return result;
}

void setPrintLook(ChartSurface &surface)
{
    surface.setOuter(
        ChartSize::OuterWidth - ChartSize::PrintNarrowing, ChartSize::OuterHeight, false);
    surface.setPalette(ChartPalette::print());
}

void setScreenLook(ChartSurface &surface)
{
    surface.setOuter(ChartSize::OuterWidth, ChartSize::OuterHeight, true);
    surface.setPalette(ChartPalette::screen());
}

} // namespace velmora
