#pragma once
// Helpers every test folder shares: control names, named data rows, typing a
// position, running a chart, fresh store files and answering modal dialogs.
// Only what a test calls is linked, so each folder links just its library.

#include "chart/ChartSurface.h"
#include "chart/GraphBase.h"
#include "core/ControlId.h"
#include "core/Workspace.h"
#include "store/Database.h"
#include "strategies/ChartRequest.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#if __has_include(<QDialog>) // tests of windows
#include <QApplication>
#include <QDialog>
#endif

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace velmora::testing
{

// A control named as in the code, e.g. "Text4(2)" or "Text1". A misspelt
// name stops the test in every build type.
inline ControlId id(const QString &text)
{
    const std::optional<ControlId> parsed = ControlId::parse(text);
    if (!parsed)
        qFatal("no such control: %s", qPrintable(text));
    return *parsed;
}

inline QString cell(const char *text)
{
    return QString::fromLatin1(text);
}
template<typename Cell>
Cell cell(Cell value)
{
    return value;
}

// A named data row whose text cells are written as plain literals.
template<typename... Cells>
void addRow(const char *name, Cells... cells)
{
    QTestData &row = QTest::newRow(name);
    ((row << cell(cells)), ...);
}

// Lets queued work (deferred messages, focus moves, selections) run.
inline void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// ---- Positions and charts -------------------------------------------------

// Types "Text2(3)=50" assignments in order; "cmbratioCallSpreads=1" and
// "cmbRatio=3:2" choose from the ratio lists.
inline void typeEdits(Workspace &ws, const QStringList &edits)
{
    for (const QString &edit : edits) {
        const QString name = edit.section(u'=', 0, 0);
        const QString value = edit.section(u'=', 1);
        if (name == u"cmbratioCallSpreads")
            ws.setRatioSpreadIndex(value.toInt());
        else if (name == u"cmbRatio" && value.isEmpty())
            ws.setRatioIndex(-1);
        else if (name == u"cmbRatio" && !ws.setRatioText(value))
            qFatal("no ratio %s", qPrintable(value));
        else if (name != u"cmbRatio")
            ws.setText(id(name), value);
    }
}

// The fields a position string "20|100|25|2" fills, in typing order, per
// strategy; any further parts are edits typed after them.
inline QStringList positionFields(int strategy)
{
    static const QList<QStringList> fields {{"Text4(1)", "Text4(2)", "Text5(1)", "Text5(2)"},
        {"txtRatioBuy(1)", "txtRatioBuy(2)", "txtRatioSell(1)", "txtRatioSell(2)", "cmbRatio"},
        {"Text2(3)", "Text2(4)", "Text2(5)", "Text3(1)", "Text3(2)"},
        {"Text6(3)", "Text6(4)", "Text6(5)", "Text7(1)", "Text7(2)", "Text8(2)"},
        {"Text9(3)", "Text9(4)", "Text9(5)", "Text10(1)", "Text10(2)"}};
    return fields.at(strategy);
}

// A loaded workspace with the strategy chosen, a symbol and the position typed.
inline void typePosition(Workspace &ws, int strategy, const QString &position)
{
    static const char *symbols[] {
        "Text4(0)=XYZ", "txtRatioBuy(0)=ABC", "Text2(0)=XYZ", "Text6(0)=XYZ", "Text9(0)=XYZ"};
    ws.load();
    ws.setStrategy(strategy);
    QStringList edits {QString::fromLatin1(symbols[strategy])};
    const QStringList parts = position.split(u'|');
    const QStringList fields = positionFields(strategy);
    for (qsizetype i = 0; i < parts.size(); ++i)
        edits << (i < fields.size() ? fields[i] + u'=' + parts[i] : parts[i]);
    typeEdits(ws, edits);
}

inline bool isText(const ChartOp &op)
{
    return op.kind == ChartOp::Kind::Text;
}

inline std::vector<ChartOp> texts(const std::vector<ChartOp> &ops, const QString &text)
{
    std::vector<ChartOp> found;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(found),
        [&](const ChartOp &op) { return isText(op) && op.text == text; });
    return found;
}

inline bool coordinatesFinite(const std::vector<ChartOp> &ops)
{
    return std::all_of(ops.begin(), ops.end(), [](const ChartOp &op) {
        return std::isfinite(op.x1) && std::isfinite(op.y1) && std::isfinite(op.x2)
            && std::isfinite(op.y2);
    });
}

// Everything of the surface a request could change.
struct SurfaceState {
    std::vector<ChartOp> ops;
    double x, y, width, height;
    bool bold;
    ChartPalette palette;
    friend bool operator==(const SurfaceState &, const SurfaceState &) = default;
};

inline SurfaceState stateOf(const ChartSurface &s)
{
    return {s.ops(), s.currentX(), s.currentY(), s.scaleWidth(), s.scaleHeight(), s.fontBold(),
        s.palette()};
}

// The request was refused with this message; focus is a control name, or
// empty when the focus stays where it is.
inline void verifyRefusal(const ChartOutcome &outcome, const QString &prompt, int style,
    const QString &title, const QString &focus, bool selectAll)
{
    QCOMPARE(outcome.result, ChartResult::Refused);
    QVERIFY(outcome.refusal);
    const Refusal &r = *outcome.refusal;
    QCOMPARE(r.message.prompt, prompt);
    QCOMPARE(r.message.style, style);
    QCOMPARE(r.message.title, title);
    QCOMPARE(r.focus ? r.focus->toString() : QString(), focus);
    QCOMPARE(r.selectAll, selectAll);
}

// A recording and the field texts as one text, a line per operation.
inline QString dump(const std::vector<ChartOp> &ops, const Workspace &ws)
{
    QString out;
    for (const ChartOp &op : ops) {
        out += QStringLiteral("%1 %2 %3 %4 %5 %6 %7 \"%8\"\n")
                   .arg(int(op.kind))
                   .arg(op.x1, 0, 'g', 12)
                   .arg(op.y1, 0, 'g', 12)
                   .arg(op.x2, 0, 'g', 12)
                   .arg(op.y2, 0, 'g', 12)
                   .arg(op.colour)
                   .arg(op.bold)
                   .arg(op.text);
    }
    for (const ControlId &field : allTextBoxes()) {
        if (!ws.text(field).isEmpty())
            out += field.toString() + u'=' + ws.text(field) + u'\n';
    }
    return out;
}

// A short fingerprint of the dump; a mismatch leaves the dump beside the
// test build so the two recordings can be compared.
inline QString digest(const std::vector<ChartOp> &ops, const Workspace &ws)
{
    const QString text = dump(ops, ws);
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
    QFile file(qEnvironmentVariable("VELMORA_TEST_TMP", QStringLiteral("."))
        + QStringLiteral("/%1.txt").arg(hash));
    if (file.open(QIODevice::WriteOnly))
        file.write(text.toUtf8());
    return hash;
}

// ---- Store files ------------------------------------------------------------

// A file named after the running test, gone if an earlier run left it.
inline QString freshFile(const QTemporaryDir &dir, const QString &prefix = {})
{
    const QString file = dir.filePath(
        prefix + QString::fromLatin1(QTest::currentTestFunction()) + QStringLiteral(".mdb"));
    QFile::remove(file);
    return file;
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

// Runs SQL on the file with the program's key, around the store (to plant
// rows the program would never write, triggers, locks).
inline void runKeyed(const QString &path, const char *sql)
{
    Database(path).execute(sql);
}

// The cause of the DatabaseError the call throws; empty when it succeeds.
template<typename Call>
QString failureCause(Call &&call)
{
    try {
        call();
    } catch (const DatabaseError &error) {
        return error.cause();
    }
    return QString();
}

using FieldTexts = std::vector<std::pair<ControlId, QString>>;

// Typed fields of one position of each strategy, numbers already in the
// shortest form the store writes back.
inline FieldTexts typedPosition(int strategy)
{
    switch (strategy) {
    case 0:
        return {{at("Text4", 0), "IBM"}, {at("Text4", 1), "52.5"}, {at("Text4", 2), "300"},
            {at("Text5", 0), "IBMAJ"}, {at("Text5", 1), "50"}, {at("Text5", 2), "3.25"}};
    case 1:
        return {{at("txtRatioBuy", 0), "MSFT"}, {at("txtRatioBuy", 1), "41"},
            {at("txtRatioBuy", 2), "300"}, {at("txtRatioSell", 0), "MSQ"},
            {at("txtRatioSell", 1), "45"}, {at("txtRatioSell", 2), "1.75"}};
    case 2:
        return {{at("Text2", 0), "ACME"}, {at("Text2", 2), "ACA"}, {at("Text2", 3), "40"},
            {at("Text2", 4), "3"}, {at("Text2", 5), "4"}, {at("Text3", 0), "ACB"},
            {at("Text3", 1), "45"}, {at("Text3", 2), "1.25"}};
    case 3:
        return {{at("Text6", 0), "XYZ"}, {at("Text6", 2), "XA"}, {at("Text6", 3), "10"},
            {at("Text6", 4), "2.5"}, {at("Text6", 5), "3"}, {at("Text7", 0), "XB"},
            {at("Text7", 1), "12.5"}, {at("Text7", 2), "1.2"}, {at("Text8", 0), "XC"},
            {at("Text8", 2), "0.4"}};
    default:
        return {{at("Text9", 0), "QQQ"}, {at("Text9", 2), "QA"}, {at("Text9", 3), "100"},
            {at("Text9", 4), "6.5"}, {at("Text9", 5), "3"}, {at("Text10", 0), "QB"},
            {at("Text10", 1), "110"}, {at("Text10", 2), "2.1"}};
    }
}

// A loaded workspace with the strategy selected and the position typed in;
// the ratio strategies get a ratio other than the first.
inline void typePosition(Workspace &workspace, int strategy)
{
    workspace.load();
    workspace.setStrategy(strategy);
    if (strategy == 1)
        workspace.chooseRatio(1);
    if (strategy == 4)
        workspace.chooseRatioSpread(1);
    for (const auto &[field, text] : typedPosition(strategy))
        workspace.setText(field, text);
}

// ---- Written files and dialogs ----------------------------------------------

// Page size in points from the first MediaBox of a PDF.
inline QSizeF mediaBox(const QByteArray &pdf)
{
    static const QRegularExpression box(
        QStringLiteral(R"(/MediaBox\s*\[\s*0\s+0\s+([0-9.]+)\s+([0-9.]+)\s*\])"));
    const auto m = box.match(QString::fromLatin1(pdf));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

inline bool isLandscapePdf(const QByteArray &pdf)
{
    const QSizeF page = mediaBox(pdf);
    return pdf.startsWith("%PDF") && page.isValid() && page.width() > page.height();
}

#if __has_include(<QDialog>)
// Runs a check on the next modal dialog, or cancels it, and keeps its class name.
struct NextDialog {
    QString shown;
    std::function<void(QDialog *)> check;

    void arm(QObject *context)
    {
        QTimer::singleShot(0, context, [this] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shown = QString::fromLatin1(dialog->metaObject()->className());
            if (check)
                check(dialog);
            else
                dialog->reject();
        });
    }
};
#endif

// A chart record shaped like a real Covered Calls chart (about 100 ops): the
// base, price markers, the payoff line, ticks, the value table and the
// disclaimer. Shared by the render tests and the paint benchmark.
inline void printAt(ChartSurface &s, double x, double y, const QString &text)
{
    s.moveTo(x, y);
    s.print(text);
}

inline void drawSampleChart(ChartSurface &s)
{
    drawGraphBase(s);
    const double y0 = s.scaleHeight() / 2;
    for (const double x : {4000.0, 9000.0}) {
        printAt(s, x, y0 - 100, QStringLiteral("|"));
        for (int i = 1; i <= 3; ++i)
            printAt(s, x, y0 + 100 + 200 * i, QStringLiteral("|"));
    }
    printAt(s, 4000, y0 + 100, QStringLiteral(" 47.5 "));
    printAt(s, 3600, y0 + 1000, QStringLiteral("(Break Even Point)"));
    printAt(s, 9000, y0 + 100, QStringLiteral(" 55 "));
    printAt(s, 8700, y0 + 1000, QStringLiteral("(Strike Price)"));
    s.line(1000, y0 + 2500, 4000, y0, ChartColour::PayoffRed);
    s.line(4000, y0, 9000, y0 - 2500, ChartColour::PayoffRed);
    s.line(9000, y0 - 2500, s.scaleWidth() - 500, y0 - 2500, ChartColour::PayoffRed);
    const char *prices[] = {" 40 ", " 45 ", " 50 ", " 60 ", " 65 "};
    const double tickX[] = {2000, 3000, 6500, 11000, 13000};
    for (int i = 0; i < 5; ++i) {
        printAt(s, tickX[i], y0 - 100, QStringLiteral("|"));
        printAt(s, tickX[i], y0 + 100, QString::fromLatin1(prices[i]));
    }
    for (const double level : {y0 - 2500, y0 - 1200, y0 + 1500}) {
        printAt(s, 930, level - 300, QStringLiteral("__"));
        printAt(s, 1200, level - 200, QStringLiteral(" 750 "));
    }
    s.setFontBold(true);
    const double columns[] = {8500, 10500, 12500, 14000};
    const char *header1[] = {"XYZ at", "Stock", "Call", "Total"};
    const char *header2[] = {"Expiration($)", "Profit/Loss($)", "Profit/Loss($)", "Profit/Loss($)"};
    for (int c = 0; c < 4; ++c) {
        printAt(s, columns[c], y0 + 2500, QString::fromLatin1(header1[c]));
        printAt(s, columns[c], y0 + 2700, QString::fromLatin1(header2[c]));
    }
    const double top = y0 + 2400;
    s.line(8500, top, 15500, top, ChartColour::RuleGreen);
    s.line(8500, top + 600, 15500, top + 600, ChartColour::RuleGreen);
    s.setFontBold(false);
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 4; ++c)
            printAt(
                s, columns[c], y0 + 3200 + 400 * r, QStringLiteral(" %1 ").arg(100 * r - 150 * c));
    }
    s.line(8500, y0 + 5000, 15500, y0 + 5000, ChartColour::RuleGreen);
    printAt(s, 1300, 100,
        QStringLiteral("THIS TOOL SHOULD BE USED FOR REFERENCE PURPOSES ONLY. MAKERS OF THIS TOOL "
                       "WILL NOT BE LIABLE FOR ANY MONETARY LOSS ARISING FROM EQUITY/DERIVATIVE"));
    printAt(s, 1300, 300, QStringLiteral(" POSITIONS INITIATED WITH THE HELP OF THIS TOOL."));
}

} // namespace velmora::testing
