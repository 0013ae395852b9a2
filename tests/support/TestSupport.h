#pragma once
// Helpers every test folder shares: control names, named data rows, typing a
// position, running a chart, fresh store files and answering modal dialogs.
// Only what a test calls is linked, so each folder links just its library.

#include "chart/ChartSurface.h"
#include "core/ControlId.h"
#include "core/Workspace.h"
#include "store/Database.h"
#include "strategies/ChartRequest.h"

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
        else if (name == u"cmbRatio" && ratioEntry(value) < 0)
            qFatal("no ratio %s", qPrintable(value));
        else if (name == u"cmbRatio")
            ws.setRatioIndex(ratioEntry(value));
        else
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
    static const char *const positions[] {
        "Text4(0)=IBM Text4(1)=52.5 Text4(2)=300 Text5(0)=IBMAJ Text5(1)=50 Text5(2)=3.25",
        "txtRatioBuy(0)=MSFT txtRatioBuy(1)=41 txtRatioBuy(2)=300 txtRatioSell(0)=MSQ "
        "txtRatioSell(1)=45 txtRatioSell(2)=1.75",
        "Text2(0)=ACME Text2(2)=ACA Text2(3)=40 Text2(4)=3 Text2(5)=4 Text3(0)=ACB Text3(1)=45 "
        "Text3(2)=1.25",
        "Text6(0)=XYZ Text6(2)=XA Text6(3)=10 Text6(4)=2.5 Text6(5)=3 Text7(0)=XB Text7(1)=12.5 "
        "Text7(2)=1.2 Text8(0)=XC Text8(2)=0.4",
        "Text9(0)=QQQ Text9(2)=QA Text9(3)=100 Text9(4)=6.5 Text9(5)=3 Text10(0)=QB "
        "Text10(1)=110 Text10(2)=2.1"};
    FieldTexts fields;
    for (const QString &edit : QString::fromLatin1(positions[strategy]).split(u' '))
        fields.emplace_back(id(edit.section(u'=', 0, 0)), edit.section(u'=', 1));
    return fields;
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

// A real Covered Calls chart (about 100 operations) on the surface, for the
// render and export tests and the paint benchmark.
inline void drawSampleChart(ChartSurface &surface)
{
    Workspace ws;
    typePosition(ws, 0, QStringLiteral("20|100|25|2"));
    ChartMemory memory;
    viewGraph(ws, memory, surface);
}

} // namespace velmora::testing
