#include "session/Session.h"

#include "core/Catalogue.h"
#include "core/Numbers.h"

namespace velmora
{

Session::Session()
    : m_focus(single("Text1"))
{
    m_workspace.load();
}

const GraphOutcome &Session::viewGraph()
{
    request(m_surface);
    if (m_lastGraph.result == ChartResult::Chart) {
        m_charted = true;
        m_table = m_lastGraph.table;
    }
    return m_lastGraph;
}

const GraphOutcome &Session::checkPosition()
{
    ChartSurface scratch = m_surface;
    return request(scratch);
}

bool Session::drawChartOn(ChartSurface &page)
{
    ChartMemory memory = m_memory;
    return velmora::viewGraph(m_workspace, memory, page).result == ChartResult::Chart;
}

const GraphOutcome &Session::request(ChartSurface &surface)
{
    ChartOutcome outcome = velmora::viewGraph(m_workspace, m_memory, surface);
    GraphOutcome graph;
    graph.result = outcome.result;
    graph.table = std::move(outcome.table);
    if (outcome.refusal) {
        graph.message = outcome.refusal->message;
        const std::optional<ControlId> &target = outcome.refusal->focus;
        // A hidden field or a ratio's number box cannot take the focus: it
        // stays where it was.
        if (target && takesFocus(*target, m_workspace.strategy())) {
            const bool arrives = m_focus != target;
            m_focus = target;
            const QString text = m_workspace.text(*target);
            // A field the focus arrives at shows its text selected, as every
            // field but the symbol does; some refusals select it anyway.
            graph.selected = (outcome.refusal->selectAll && !text.isEmpty())
                || (arrives && *target != single("Text1") && isFilled(text));
        }
    }
    graph.focus = m_focus;
    m_lastGraph = std::move(graph);
    return m_lastGraph;
}

QList<QStringList> Session::valueTable() const
{
    return m_charted ? m_table : QList<QStringList>();
}

void Session::leaveChart()
{
    if (!m_charted)
        return;
    m_charted = false;
    m_workspace.setStrategy(m_workspace.strategy());
}

} // namespace velmora
