#pragma once
// One run of the program without its windows: the position's fields, the
// chart surface and what View Graph keeps between requests, the mode (entry
// or chart), the open/save state, the outcome of the last View Graph with
// its value table, and the inputs of the position's analysis. The desktop window mirrors a Session;
// velmora-chart drives one directly, so both answer a request alike.

#include "chart/ChartSurface.h"
#include "core/ControlId.h"
#include "core/Message.h"
#include "core/Workspace.h"
#include "store/OpenSaveState.h"
#include "strategies/ChartRequest.h"
#include "strategies/PositionAnalysis.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace velmora
{

struct GraphOutcome {
    ChartResult result = ChartResult::None;
    std::optional<Message> message; // what a refusal says
    // The control that has the focus after a refusal, and whether its whole
    // text is selected.
    std::optional<ControlId> focus;
    bool selected = false;
    QList<QStringList> table; // the value table of a chart
};

class Session
{
public:
    Session();

    Workspace &workspace() { return m_workspace; }
    const Workspace &workspace() const { return m_workspace; }
    ChartSurface &surface() { return m_surface; }
    const ChartSurface &surface() const { return m_surface; }
    OpenSaveState &openSave() { return m_openSave; }
    AnalysisInputs &analysisInputs() { return m_analysis; }

    // View Graph: a chart puts the session in chart mode; a refusal leaves
    // the surface as it was and moves the focus to the refused field where
    // that field can take it.
    const GraphOutcome &viewGraph();
    // View Graph's checks alone, drawn on a scratch surface: the chart on
    // show and the mode stay as they are.
    const GraphOutcome &checkPosition();
    // The chart drawn again on another surface (a page), the session's own
    // surface and View Graph's memory left as they are; false when refused.
    bool drawChartOn(ChartSurface &page);
    const GraphOutcome &lastGraph() const { return m_lastGraph; }
    bool charted() const { return m_charted; }
    // The value table of the chart on show; empty in entry mode.
    QList<QStringList> valueTable() const;
    // Back to entry mode; the selected strategy's switch runs again.
    void leaveChart();

    // The control with the focus as far as the session knows: the symbol
    // at the start, then wherever a refusal or the front end put it.
    std::optional<ControlId> focus() const { return m_focus; }
    void setFocus(const std::optional<ControlId> &id) { m_focus = id; }

private:
    const GraphOutcome &request(ChartSurface &surface);

    Workspace m_workspace;
    ChartSurface m_surface;
    ChartMemory m_memory;
    OpenSaveState m_openSave;
    AnalysisInputs m_analysis;
    GraphOutcome m_lastGraph;
    bool m_charted = false;
    QList<QStringList> m_table; // of the chart on show
    std::optional<ControlId> m_focus;
};

} // namespace velmora
