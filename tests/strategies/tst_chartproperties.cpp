// Properties of View Graph over generated positions, with fixed seeds: whatever
// the fields of a strategy hold (ordinary prices, zero, blanks, letters,
// malformed decimals, hundreds of digits, tiny fractions), a request answers a
// chart or a refusal, a refusal leaves the surface exactly as it was, no
// printed text shows a number that is not one or a number in exponent form,
// and a chart has its usual frame. A second property drives the workspace
// alone with random edits and ratio choices.

#include "support/PositionGenerator.h"
#include "support/TestSupport.h"

#include "core/Catalogue.h"
#include "core/Workspace.h"
#include "strategies/ChartRequest.h"

#include <QRegularExpression>
#include <QSet>
#include <QtTest>

#include <cstdint>
#include <random>

using namespace velmora;
using namespace velmora::testing;
using namespace velmora::generator;

namespace
{

QString digits(Rng &rng, int count)
{
    QString out;
    out += QChar(u'1' + rng.below(9));
    while (out.size() < count)
        out += QChar(u'0' + rng.below(10));
    return out;
}

// What a user, a saved row or a slip of the hand can leave in a field. No
// text holds "e", "nan" or "inf", so any such text on a chart is the
// program's own.
QString hostile(Rng &rng)
{
    static const QStringList fixed = QStringLiteral(
        "| |0|00|0.0|-5|-0|abc|XYZ|12abc|1.2.3|.5|.|..|1.|0.0000001|.0000001|0.000000000000001|"
        "1 000|1,5|  42  |+7|\t5|$12|99999999999999999999|123456789012345678|999999999999999|"
        "1000000000000000|2147483648|0.005|0.015|0.004999")
                                         .split(u'|');
    switch (rng.below(6)) {
    case 0:
        return digits(rng, rng.between(300, 320)); // beyond a double: reads as the largest
    case 1:
        return QStringLiteral("1") + QString(rng.between(16, 40), u'0');
    case 2:
        return QStringLiteral("0.") + QString(rng.between(6, 320), u'0') + digits(rng, 3);
    case 3:
        return digits(rng, rng.between(1, 12)) + u'.' + digits(rng, rng.between(1, 20));
    default:
        return rng.pick(fixed);
    }
}

// An ordinary text scaled out of all proportion.
QString extreme(Rng &rng, const QString &text)
{
    if (rng.chance(50))
        return text + QString(rng.between(10, 310), u'0');
    return QStringLiteral("0.") + QString(rng.between(5, 30), u'0') + text.section(u'.', 0, 0);
}

struct Case {
    int strategy = 0;
    std::vector<std::pair<ControlId, QString>> edits; // in the order typed
    int ratio = 0; // cmbRatio index, -1 none
    int spreadRatio = 0; // cmbratioCallSpreads index, -1 none
    bool ratioLast = false; // the ratios chosen after typing rather than before
    int surfaceKind = 0;
    bool ordinary = false; // every field as a trader would type it
};

QString shortText(const QString &text)
{
    if (text.size() <= 24)
        return QLatin1Char('"') + text + QLatin1Char('"');
    return QStringLiteral("\"%1...\" (%2 characters)").arg(text.left(12)).arg(text.size());
}

QString describe(const Case &c)
{
    QStringList parts {strategyNames().at(c.strategy),
        QStringLiteral("ratio %1, spread ratio %2 %3, surface %4")
            .arg(c.ratio)
            .arg(c.spreadRatio)
            .arg(c.ratioLast ? "after typing" : "before typing")
            .arg(c.surfaceKind)};
    for (const auto &[id, text] : c.edits)
        parts << id.toString() + u'=' + shortText(text);
    return parts.join(QStringLiteral("; "));
}

// mutatePercent: the chance that a typed number is replaced or scaled.
Case generate(Rng &rng, StrategyKind kind, int mutatePercent)
{
    Case c;
    c.strategy = int(kind);
    const int noRatioPercent = mutatePercent / 5;
    c.ratio = rng.chance(noRatioPercent) ? -1 : rng.below(kRatioCount);
    c.spreadRatio = rng.chance(noRatioPercent) ? -1 : rng.below(kRatioCount);
    c.ratioLast = rng.chance(30);
    c.surfaceKind = rng.below(3);
    c.ordinary = mutatePercent == 0;
    const auto position = ordinary(rng, kind, c.ratio);
    for (auto [id, text] : position) {
        if (isFilteredField(id) && rng.chance(mutatePercent)) { // symbols stay
            const int how = rng.below(10);
            if (how < 3)
                text = extreme(rng, text);
            else if (how == 3) // another field's text: prices and strikes that tie
                text = position[std::size_t(rng.below(int(position.size())))].second;
            else if (how == 4)
                text += QString::number(rng.below(10)); // a third decimal, or a tenfold
            else
                text = hostile(rng);
        }
        c.edits.emplace_back(id, text);
    }
    // Figures the program writes can be typed over too: the totals of a ratio
    // spread made equal, a third strike, a contract count.
    if (rng.chance(mutatePercent / 2)) {
        const GroupSpec &g = group(kind);
        std::vector<ControlId> written;
        for (const FieldSpec &field : g.fields)
            if (field.kind != FieldKind::Typed && field.kind != FieldKind::RatioList)
                written.push_back(field.id);
        if (kind == StrategyKind::RatioCallSpreads && rng.chance(50)) {
            const QString same = QString::number(rng.between(1, 9));
            c.edits.emplace_back(at("txtratio", 0), same);
            c.edits.emplace_back(at("txtratio", 1), same);
        } else if (!written.empty()) {
            const ControlId &id = written[std::size_t(rng.below(int(written.size())))];
            c.edits.emplace_back(id, rng.chance(50) ? price(rng, 0, 50) : hostile(rng));
        }
    }
    return c;
}

void apply(Workspace &ws, const Case &c)
{
    ws.load();
    ws.setStrategy(c.strategy);
    const auto chooseRatios = [&] {
        ws.setRatioIndex(c.ratio);
        ws.setRatioSpreadIndex(c.spreadRatio);
    };
    if (!c.ratioLast)
        chooseRatios();
    for (const auto &[id, text] : c.edits)
        ws.setText(id, text);
    if (c.ratioLast)
        chooseRatios();
}

ChartSurface surfaceOf(int kind)
{
    ChartSurface surface;
    if (kind == 1) {
        // As while printing: black on white, narrower.
        surface.setPalette(ChartPalette::print());
        surface.setOuter(
            ChartSize::OuterWidth - ChartSize::PrintNarrowing, ChartSize::OuterHeight, false);
    } else if (kind == 2) {
        // An earlier chart on screen.
        surface.clear();
        surface.moveTo(500, 700);
        surface.print(QStringLiteral("earlier"));
        surface.line(0, 10, 20, 30, ChartColour::PayoffRed);
        surface.setFontBold(true);
    }
    return surface;
}

bool showsNonNumber(const QString &text)
{
    const QString lower = text.toLower();
    return lower.contains(u"nan") || lower.contains(u"inf");
}

// A number printed in exponent form ("1.5E+20").
bool showsExponent(const QString &text)
{
    static const QRegularExpression exponent(QStringLiteral("[0-9][eE][+-]?[0-9]"));
    return exponent.match(text).hasMatch();
}

// The text with every field text in exponent form taken out: strikes and
// symbols are printed as the fields hold them, and a field may hold a number
// the program wrote back ("1.5E+20") or one typed over it.
QString withoutFieldTexts(const Workspace &ws, QString text)
{
    for (const ControlId &id : allTextBoxes()) {
        const QString field = ws.text(id);
        if (showsExponent(field))
            text.remove(field);
    }
    return text;
}

bool inGroup(int strategy, const ControlId &id)
{
    return std::ranges::any_of(
        group(strategy).fields, [&id](const FieldSpec &f) { return f.id == id; });
}

constexpr const char *kDisclaimerEnd = " POSITIONS INITIATED WITH THE HELP OF THIS TOOL.";

struct Verdict {
    QString failure; // the first property that fails, empty when all hold
    ChartResult result = ChartResult::None;
    QString refusal; // the prompt of a refusal
};

QString violation(Workspace &ws, ChartMemory &memory, const Case &c, const ChartSurface &surface,
    const ChartOutcome &outcome)
{
    const SurfaceState before = stateOf(surfaceOf(c.surfaceKind));
    for (const ControlId &id : allTextBoxes())
        if (showsNonNumber(ws.text(id)))
            return id.toString() + QStringLiteral(" shows ") + shortText(ws.text(id));

    switch (outcome.result) {
    case ChartResult::None:
        return QStringLiteral("no outcome for a selected strategy");
    case ChartResult::Refused:
        if (!outcome.refusal || outcome.refusal->message.prompt.isEmpty())
            return QStringLiteral("refused without a message");
        if (showsNonNumber(outcome.refusal->message.prompt))
            return QStringLiteral("message shows ") + outcome.refusal->message.prompt;
        if (!(stateOf(surface) == before))
            return QStringLiteral("refusal changed the surface: ")
                + outcome.refusal->message.prompt;
        if (outcome.refusal->focus && !inGroup(c.strategy, *outcome.refusal->focus))
            return QStringLiteral("refusal sends the focus out of the group: ")
                + outcome.refusal->focus->toString();
        return {};
    case ChartResult::Chart:
        break;
    }
    if (outcome.refusal)
        return QStringLiteral("chart with a refusal");
    const std::vector<ChartOp> &ops = surface.ops();
    if (ops.empty() || ops.front().kind != ChartOp::Kind::Clear)
        return QStringLiteral("chart does not start with Clear");
    if (surface.palette() != before.palette || surface.scaleWidth() != before.width
        || surface.scaleHeight() != before.height)
        return QStringLiteral("chart changed the palette or the size");
    if (!coordinatesFinite(ops))
        return QStringLiteral("a coordinate is not finite");
    for (const ChartOp &op : ops) {
        if (!isText(op))
            continue;
        if (showsNonNumber(op.text))
            return QStringLiteral("prints ") + shortText(op.text);
        if (showsExponent(withoutFieldTexts(ws, op.text)))
            return QStringLiteral("prints in exponent form ") + shortText(op.text);
    }
    const bool creditButterfly
        = c.strategy == int(StrategyKind::ButterflySpreads) && memory.netCredit > 0;
    const bool endsWithDisclaimer = isText(ops.back()) && ops.back().text == kDisclaimerEnd;
    if (!creditButterfly && !endsWithDisclaimer)
        return QStringLiteral("chart does not end with the disclaimer");
    if (creditButterfly && !texts(ops, QString::fromLatin1(kDisclaimerEnd)).empty())
        return QStringLiteral("net-credit butterfly prints the disclaimer");

    // The same fields give the same picture.
    ChartSurface again = surfaceOf(c.surfaceKind);
    const ChartOutcome second = viewGraph(ws, memory, again);
    if (second.result != ChartResult::Chart || again.ops() != ops)
        return QStringLiteral("a second request draws another picture");
    // Copy and Export Table give the table the chart prints, every row full
    // for an ordinary position (a net-credit butterfly draws no table).
    if (creditButterfly)
        return {};
    QStringList printed;
    for (const ChartOp &op : ops)
        if (isText(op))
            printed << op.text.trimmed();
    if (outcome.table.size() < 3)
        return QStringLiteral("a value table of %1 rows").arg(outcome.table.size());
    for (const QStringList &row : outcome.table) {
        if (c.ordinary && row.size() != outcome.table.front().size())
            return QStringLiteral("value table row of %1 cells: ").arg(row.size()) + row.join(u'|');
        for (const QString &cell : row)
            if (!printed.contains(cell))
                return QStringLiteral("value table cell not printed: ") + cell;
    }

    return {};
}

// The texts of the group's fields that the user types.
QStringList typedTexts(const Workspace &ws, int strategy)
{
    QStringList texts {ws.text(single("Text1"))};
    for (const FieldSpec &field : group(strategy).fields)
        if (field.kind == FieldKind::Typed)
            texts << ws.text(field.id);
    return texts;
}

Verdict check(const Case &c)
{
    Workspace ws;
    apply(ws, c);
    ChartMemory memory;
    ChartSurface surface = surfaceOf(c.surfaceKind);
    const QStringList typedBefore = typedTexts(ws, c.strategy);
    ChartOutcome outcome;
    try {
        outcome = viewGraph(ws, memory, surface);
    } catch (const std::exception &e) {
        return {QStringLiteral("exception escaped: ") + QString::fromUtf8(e.what()), {}, {}};
    }
    QString failure = violation(ws, memory, c, surface, outcome);
    if (failure.isEmpty() && typedTexts(ws, c.strategy) != typedBefore)
        failure = QStringLiteral("the request changed what the user typed");
    return {failure, outcome.result, outcome.refusal ? outcome.refusal->message.prompt : QString()};
}

} // namespace

class TestChartProperties : public QObject
{
    Q_OBJECT

private slots:
    void everyRequestChartsOrRefusesCleanly_data();
    void everyRequestChartsOrRefusesCleanly();
    void editsNeverShowNonNumbers_data();
    void editsNeverShowNonNumbers();
};

void TestChartProperties::everyRequestChartsOrRefusesCleanly_data()
{
    QTest::addColumn<int>("strategy");
    QTest::addColumn<int>("mutatePercent");
    QTest::addColumn<std::uint32_t>("seed");
    QTest::addColumn<int>("cases");
    QTest::addColumn<int>("leastCharts"); // the cases really reach the drawing

    for (int s = 0; s < kStrategyCount; ++s) {
        const QByteArray name = strategyNames().at(s).toUtf8();
        // Every ordinary position charts: no check refuses it wrongly.
        QTest::newRow(name + ", ordinary") << s << 0 << std::uint32_t(500 + s) << 300 << 300;
        QTest::newRow(name + ", mostly ordinary")
            << s << 10 << std::uint32_t(1000 + s) << 600 << 300;
        QTest::newRow(name + ", half hostile") << s << 50 << std::uint32_t(2000 + s) << 600 << 40;
        QTest::newRow(name + ", all hostile") << s << 100 << std::uint32_t(3000 + s) << 600 << 0;
    }
}

void TestChartProperties::everyRequestChartsOrRefusesCleanly()
{
    QFETCH(int, strategy);
    QFETCH(int, mutatePercent);
    QFETCH(std::uint32_t, seed);
    QFETCH(int, cases);
    QFETCH(int, leastCharts);

    Rng rng(seed);
    int charts = 0;
    int refused = 0;
    QString firstRefusal;
    for (int i = 0; i < cases; ++i) {
        const Case c = generate(rng, StrategyKind(strategy), mutatePercent);
        const Verdict verdict = check(c);
        if (!verdict.failure.isEmpty())
            QFAIL(qPrintable(
                QStringLiteral("case %1: %2\n    %3").arg(i).arg(verdict.failure, describe(c))));
        if (verdict.result == ChartResult::Chart)
            ++charts;
        else if (++refused == 1)
            firstRefusal = verdict.refusal + QStringLiteral("\n    ") + describe(c);
    }
    QVERIFY2(charts >= leastCharts,
        qPrintable(QStringLiteral("%1 charts, %2 refused, first: %3")
                       .arg(charts)
                       .arg(refused)
                       .arg(firstRefusal)));
}

void TestChartProperties::editsNeverShowNonNumbers_data()
{
    QTest::addColumn<std::uint32_t>("seed");
    for (std::uint32_t seed : {11u, 12u, 13u, 14u, 15u})
        QTest::newRow(QByteArray("seed ") + QByteArray::number(seed)) << seed;
}

// Random edits of any field, the program's own included, random ratio and
// strategy choices, New and leaving fields: the cascades end, and a field
// shows "nan" or "inf" only where such a text was typed.
void TestChartProperties::editsNeverShowNonNumbers()
{
    QFETCH(std::uint32_t, seed);
    const std::vector<ControlId> &boxes = allTextBoxes();
    const QStringList numbers
        = QStringLiteral("1E+308 1.7976931348623157E+308 -1E+308 9E+99999 1e-400 nan inf -inf "
                         "Infinity 1.5E+20")
              .split(u' ');

    constexpr int kSequences = 150;
    constexpr int kSteps = 100;
    constexpr int kMostChanges = 200; // far above any real cascade
    Rng rng(seed);
    for (int sequence = 0; sequence < kSequences; ++sequence) {
        Workspace ws;
        int changes = 0;
        connect(&ws, &Workspace::fieldChanged, this, [&changes] {
            if (++changes > 100 * kMostChanges)
                qFatal("field changes do not end");
        });
        QSet<QString> typed; // lower case
        QStringList steps;
        for (int step = 0; step < kSteps; ++step) {
            changes = 0;
            const ControlId &field = boxes[std::size_t(rng.below(int(boxes.size())))];
            switch (rng.below(12)) {
            case 0:
                ws.setRatioIndex(rng.between(-1, kRatioCount - 1));
                steps << QStringLiteral("ratio %1").arg(ws.ratioIndex());
                break;
            case 1:
                ws.chooseRatioSpread(rng.below(kRatioCount));
                steps << QStringLiteral("spread ratio %1").arg(ws.ratioSpreadIndex());
                break;
            case 2:
                ws.setStrategy(rng.between(-1, kStrategyCount - 1));
                steps << QStringLiteral("strategy %1").arg(ws.strategy());
                break;
            case 3: {
                const bool blank = rng.chance(20);
                blank ? ws.blank() : ws.load();
                steps << QString::fromLatin1(blank ? "blank" : "load");
                break;
            }
            case 4:
                ws.leaveField(field);
                ws.leaveSymbol();
                steps << QStringLiteral("leave ") + field.toString();
                break;
            case 5:
                ws.newValues();
                ws.calRatioPMaxProfit();
                ws.calRatioBreakevenPoint();
                ws.calRatioContracts();
                steps << QStringLiteral("ratio sizing");
                break;
            default: {
                const int how = rng.below(4);
                const QString text = how == 0 ? price(rng, 0, 500)
                    : how == 1                ? rng.pick(numbers)
                    : how == 2                ? extreme(rng, price(rng, 1, 99))
                                              : hostile(rng);
                typed.insert(text.toLower());
                ws.setText(field, text);
                steps << field.toString() + u'=' + shortText(text);
                break;
            }
            }
            const auto after = [&steps] { return QStringLiteral(" after: ") + steps.join(u"; "); };
            if (changes > kMostChanges)
                QFAIL(qPrintable(QString::number(changes) + QStringLiteral(" changes") + after()));
            for (const ControlId &id : boxes) {
                const QString text = ws.text(id);
                if (showsNonNumber(text) && !typed.contains(text.toLower()))
                    QFAIL(qPrintable(
                        id.toString() + QStringLiteral(" shows ") + shortText(text) + after()));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestChartProperties)
#include "tst_chartproperties.moc"
