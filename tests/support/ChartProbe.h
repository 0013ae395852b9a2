#pragma once
// Finds the operations of a recorded chart by text, position or end points,
// so a test can say "18 is printed at (7000, y0 + 100)" without caring about
// the order of unrelated drawing.

#include "chart/ChartSurface.h"
#include "core/Workspace.h"
#include "strategies/ChartRequest.h"

#include <QString>
#include <QStringList>
#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

namespace velmora::probe
{

// Centre lines of the default inner surface, 16110 x 10200 twips.
constexpr double kY0 = 5100;
constexpr double kXc = 8055;

inline bool near(double a, double b)
{
    return std::abs(a - b) < 1e-6;
}

inline bool isText(const ChartOp &op)
{
    return op.kind == ChartOp::Kind::Text;
}
inline bool isLine(const ChartOp &op)
{
    return op.kind == ChartOp::Kind::Line;
}

// Every text op with exactly this text.
inline std::vector<ChartOp> texts(const std::vector<ChartOp> &ops, const QString &text)
{
    std::vector<ChartOp> found;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(found),
        [&](const ChartOp &op) { return isText(op) && op.text == text; });
    return found;
}

// The texts printed at (x, y), in drawing order.
inline QStringList textsAt(const std::vector<ChartOp> &ops, double x, double y)
{
    QStringList found;
    for (const ChartOp &op : ops) {
        if (isText(op) && near(op.x1, x) && near(op.y1, y))
            found << op.text;
    }
    return found;
}

// The single text printed at (x, y); empty when there is none, "<n texts>" when several.
inline QString textAt(const std::vector<ChartOp> &ops, double x, double y)
{
    const QStringList found = textsAt(ops, x, y);
    if (found.size() > 1)
        return QStringLiteral("<%1 texts>").arg(found.size());
    return found.isEmpty() ? QString() : found.front();
}

// The first text op at (x, y).
inline std::optional<ChartOp> textOpAt(const std::vector<ChartOp> &ops, double x, double y)
{
    for (const ChartOp &op : ops) {
        if (isText(op) && near(op.x1, x) && near(op.y1, y))
            return op;
    }
    return std::nullopt;
}

// Each text at its x on the line y, in the type asked for.
inline void verifyTexts(const std::vector<ChartOp> &ops, double y,
    const QList<std::pair<double, QString>> &cells, bool bold)
{
    for (const auto &[x, text] : cells) {
        const auto found = textOpAt(ops, x, y);
        QVERIFY2(found, qPrintable(text));
        QCOMPARE(found->text, text);
        QCOMPARE(found->bold, bold);
    }
}

inline bool hasTextAt(const std::vector<ChartOp> &ops, const QString &text, double x, double y)
{
    return textsAt(ops, x, y).contains(text);
}

// The texts of one table row (or any line of text) at y, left to right,
// from x = fromX on (a table row may share its y with an axis caption).
inline QStringList row(const std::vector<ChartOp> &ops, double y, double fromX = 0)
{
    std::vector<ChartOp> found;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(found),
        [&](const ChartOp &op) { return isText(op) && near(op.y1, y) && op.x1 >= fromX; });
    std::stable_sort(
        found.begin(), found.end(), [](const ChartOp &a, const ChartOp &b) { return a.x1 < b.x1; });
    QStringList out;
    for (const ChartOp &op : found)
        out << op.text;
    return out;
}

// The same row with the printed blanks trimmed (" 18 " reads "18").
inline QStringList trimmedRow(const std::vector<ChartOp> &ops, double y, double fromX = 0)
{
    QStringList out = row(ops, y, fromX);
    for (QString &cell : out)
        cell = cell.trimmed();
    return out;
}

// The line between the two points, in either direction.
inline std::optional<ChartOp> lineBetween(
    const std::vector<ChartOp> &ops, double x1, double y1, double x2, double y2)
{
    for (const ChartOp &op : ops) {
        if (!isLine(op))
            continue;
        const bool forward
            = near(op.x1, x1) && near(op.y1, y1) && near(op.x2, x2) && near(op.y2, y2);
        const bool backward
            = near(op.x1, x2) && near(op.y1, y2) && near(op.x2, x1) && near(op.y2, y1);
        if (forward || backward)
            return op;
    }
    return std::nullopt;
}

// Lines drawn in a colour.
inline std::vector<ChartOp> linesIn(const std::vector<ChartOp> &ops, int colour)
{
    std::vector<ChartOp> found;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(found),
        [&](const ChartOp &op) { return isLine(op) && op.colour == colour; });
    return found;
}

inline int countKind(const std::vector<ChartOp> &ops, ChartOp::Kind kind)
{
    return int(std::count_if(
        ops.begin(), ops.end(), [kind](const ChartOp &op) { return op.kind == kind; }));
}

// True when some printed text shows a number that is not one.
inline bool printsNonNumber(const std::vector<ChartOp> &ops)
{
    return std::any_of(ops.begin(), ops.end(), [](const ChartOp &op) {
        const QString lower = op.text.toLower();
        return isText(op) && (lower.contains(u"nan") || lower.contains(u"inf"));
    });
}

// True when every coordinate of every op is a finite number.
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

// One View Graph request and what it left behind.
struct Chart {
    ChartOutcome outcome;
    std::vector<ChartOp> ops;
    ChartMemory memory;
};

inline Chart run(Workspace &ws, ChartSurface surface = {})
{
    Chart c;
    c.outcome = viewGraph(ws, c.memory, surface);
    c.ops = surface.ops();
    return c;
}

// Types "Text2(3)=50" assignments in order; "cmbratioCallSpreads=1" picks that ratio.
inline void typeEdits(Workspace &ws, const QStringList &edits)
{
    for (const QString &edit : edits) {
        const auto id = ControlId::parse(edit.section(u'=', 0, 0));
        if (!id)
            qFatal("bad edit %s", qPrintable(edit));
        if (id->name == u"cmbratioCallSpreads")
            ws.setRatioSpreadIndex(edit.section(u'=', 1).toInt());
        else
            ws.setText(*id, edit.section(u'=', 1));
    }
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

inline bool hasDisclaimer(const std::vector<ChartOp> &ops)
{
    return std::any_of(
        ops.begin(), ops.end(), [](const ChartOp &op) { return op.text.startsWith(u"THIS TOOL"); });
}

} // namespace velmora::probe
