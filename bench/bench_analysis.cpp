// The analysis view's hot paths, each timed many times; prints the minimum
// and the median. Evaluating the three curves (at expiration, today, on a
// date) at 1,000 prices, and the P/L grid, per strategy; one hover repaint
// at 1920 x 1080: the cached chart image plus the crosshair and its readout;
// and one step of the evaluation-date slider in the analysis window, which
// re-draws the curves and the grid.

#include "strategies/AnalysisChart.h"
#include "strategies/PositionGrid.h"
#include "ui/AnalysisPanel.h"
#include "ui/AnalysisWindow.h"
#include "ui/PlGridView.h"
#include "ui/chart/AnalysisView.h"
#include "ui/output/ChartPainter.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace velmora;

namespace
{

void report(const char *what, int runs, const std::function<void()> &run)
{
    run(); // warm up
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-58s min %.3f ms  median %.3f ms\n", what, ms.front(), ms[ms.size() / 2]);
}

} // namespace

int main(int argc, char *argv[])
{
    // The analysis window remembers its inputs: not in the user's settings.
    const QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication app(argc, argv);
    AnalysisInputs in;
    in.stockPrice = 50;
    in.elapsedDays = 10;
    const std::pair<const char *, Legs> positions[] = {
        {"curves at 1,000 prices, Covered Calls", {Leg::stock(200, 50), Leg::calls(-2, 55, 2)}},
        {"curves at 1,000 prices, Ratio Calls", {Leg::stock(300, 50), Leg::calls(-4, 55, 2)}},
        {"curves at 1,000 prices, Bull Spreads", {Leg::calls(2, 50, 5), Leg::calls(-2, 60, 2)}},
        {"curves at 1,000 prices, Butterfly Spreads",
            {Leg::calls(1, 40, 12), Leg::calls(-2, 50, 6), Leg::calls(1, 60, 2)}},
        {"curves at 1,000 prices, Ratio Call Spreads",
            {Leg::calls(1, 20, 3), Leg::calls(-2, 25, 2)}},
    };
    for (const auto &[name, legs] : positions)
        report(name, 300, [&legs, &in] { analysisCurves(legs, in, 20, 80, 1000); });

    for (const auto &[name, legs] : positions) {
        const PositionGrid grid = positionGrid(legs, in);
        const QByteArray what = QStringLiteral("P/L grid, %1 prices x %2 dates, %3")
                                    .arg(grid.prices.size())
                                    .arg(grid.days.size())
                                    .arg(QString::fromLatin1(name).section(QStringLiteral(", "), 1))
                                    .toLatin1();
        report(what.constData(), 300, [&legs, &in] { positionGrid(legs, in); });
    }

    const Legs &butterfly = positions[3].second;
    ChartSurface surface;
    const AnalysisScene scene {butterfly, in, expiryFigures(butterfly), "On 2026-12-16"};
    const AnalysisFrame frame = drawAnalysisChart(surface, scene, autoPriceRange(butterfly, in));
    const QRectF screen(0, 0, 1920, 1080);
    QImage chart(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&chart);
        paintChart(painter, surface, screen);
    }
    QImage target(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    const QTransform toDevice = chartTransform(surface, screen);
    int step = 0;
    report("hover repaint at 1920x1080 (crosshair and readout)", 300, [&] {
        const double x = frame.left + frame.width * (0.2 + 0.002 * (step++ % 300));
        const double price = frame.priceAt(x);
        const HoverReadout hover {QPointF(x, frame.top + frame.height / 2), price,
            curveValuesAt(butterfly, in, price), scene.dateCaption};
        QPainter painter(&target);
        paintHoverFrame(painter, chart, toDevice, frame, hover);
    });
    report("whole chart: record and paint at 1920x1080 (zoom, pan)", 100, [&] {
        ChartSurface again;
        drawAnalysisChart(again, scene, autoPriceRange(butterfly, in));
        QPainter painter(&chart);
        paintChart(painter, again, screen);
    });

    ScriptedMessageBoxes boxes;
    AnalysisWindow window({butterfly, 50, {}, QStringLiteral("Butterfly Spreads"), {}}, boxes);
    window.show();
    QSlider *slider = window.panel()->evaluationSlider();
    for (QWidget *tab :
        {static_cast<QWidget *>(window.view()), static_cast<QWidget *>(window.grid())}) {
        window.tabs()->setCurrentWidget(tab);
        const char *what = tab == window.view()
            ? "slider step: curves, figures, grid; chart tab painted"
            : "slider step: curves, figures, grid; grid tab painted";
        report(what, 100, [&] {
            slider->setValue(slider->value() % slider->maximum() + 1);
            window.repaint();
        });
    }
    return 0;
}
