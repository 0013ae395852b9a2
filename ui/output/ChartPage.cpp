#include "ui/output/ChartPage.h"

#include "ui/output/ChartPainter.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace velmora
{

QString paintChartPage(QPagedPaintDevice &device, const ChartSurface &surface)
{
    device.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&device))
        return QStringLiteral("the printer did not start");
    // The painter's origin is the top-left corner of the printable area and
    // the device's size is that area in device pixels.
    paintChart(painter, surface, QRectF(0, 0, device.width(), device.height()));
    if (!painter.end())
        return QStringLiteral("the printer reported an error");
    return {};
}

ChartSurface inPrintColours(const ChartSurface &surface)
{
    // A line drawn in the surface's own drawing colour (the net-credit
    // butterfly's table rules) follows the paper's drawing colour; the axes,
    // the payoff line and the green rules keep theirs.
    const int screenInk = surface.palette().foreground;
    const ChartPalette paperPalette = ChartPalette::print();
    std::vector<ChartOp> ops = surface.ops();
    for (ChartOp &op : ops)
        if (op.kind == ChartOp::Kind::Line && op.colour == screenInk)
            op.colour = paperPalette.foreground;
    ChartSurface paper = surface;
    paper.setPalette(paperPalette);
    paper.setOps(std::move(ops));
    return paper;
}

} // namespace velmora
