// Time of one View Graph request per strategy: the checks, the figures and
// the recorded drawing, on a workspace typed as the user would.

#include "core/Workspace.h"
#include "strategies/ChartRequest.h"

#include <QTest>

#include <utility>
#include <vector>

using namespace velmora;

namespace
{

using Typing = std::vector<std::pair<ControlId, QString>>;

struct Case {
    const char *name;
    int strategy;
    Typing typing;
    int ratio = 0; // cmbRatio
    int ratioSpread = 0; // cmbratioCallSpreads
};

const std::vector<Case> &cases()
{
    static const std::vector<Case> all {
        {"Covered Calls", 0,
            {{at("Text4", 1), "20"}, {at("Text4", 2), "100"}, {at("Text5", 1), "25"},
                {at("Text5", 2), "2"}}},
        {"Ratio Calls", 1,
            {{at("txtRatioBuy", 1), "50"}, {at("txtRatioBuy", 2), "300"},
                {at("txtRatioSell", 1), "55"}, {at("txtRatioSell", 2), "2"}},
            2},
        {"Bull Spreads", 2,
            {{at("Text2", 3), "50"}, {at("Text2", 4), "5"}, {at("Text2", 5), "2"},
                {at("Text3", 1), "60"}, {at("Text3", 2), "2"}}},
        {"Butterfly Spreads", 3,
            {{at("Text6", 3), "40"}, {at("Text6", 4), "12"}, {at("Text6", 5), "1"},
                {at("Text7", 1), "50"}, {at("Text7", 2), "6"}, {at("Text8", 2), "2"}}},
        {"Ratio Call Spreads", 4,
            {{at("Text9", 3), "20"}, {at("Text9", 4), "3"}, {at("Text9", 5), "1"},
                {at("Text10", 1), "25"}, {at("Text10", 2), "2"}}},
    };
    return all;
}

} // namespace

class BenchRequest : public QObject
{
    Q_OBJECT
private slots:
    void request_data();
    void request();
};

void BenchRequest::request_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(cases().size()); ++i)
        QTest::newRow(cases()[i].name) << i;
}

void BenchRequest::request()
{
    QFETCH(int, index);
    const Case &c = cases()[index];
    Workspace ws;
    ws.load();
    ws.setStrategy(c.strategy);
    ws.setText(single("Text1"), QStringLiteral("XYZ"));
    for (const auto &[id, text] : c.typing)
        ws.setText(id, text);
    ws.setRatioIndex(c.ratio);
    ws.setRatioSpreadIndex(c.ratioSpread);
    ChartMemory memory;
    ChartSurface surface;

    const ChartOutcome first = viewGraph(ws, memory, surface);
    if (first.result != ChartResult::Chart)
        QWARN(qPrintable(QStringLiteral("no chart: %1")
                             .arg(first.refusal ? first.refusal->message.prompt : QString())));
    QBENCHMARK
    {
        viewGraph(ws, memory, surface);
    }
}

QTEST_GUILESS_MAIN(BenchRequest)
#include "bench_request.moc"
