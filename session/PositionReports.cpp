#include "session/PositionReports.h"

#include "core/Workspace.h"
#include "session/Session.h"
#include "store/OpenSaveCommand.h"
#include "store/PositionStore.h"
#include "strategies/Leg.h"

namespace velmora
{

PositionReport sessionReport(Session &session, const InputsFor &inputsFor, const QDate &today)
{
    Workspace &ws = session.workspace();
    session.leaveChart();
    const GraphOutcome &graph = session.viewGraph();
    if (graph.message)
        return refusedReport(ws, graph.message->prompt, today);
    if (graph.result != ChartResult::Chart)
        return refusedReport(
            ws, QStringLiteral("No strategy is selected: nothing to chart."), today);
    const Legs legs = positionLegs(ws);
    const AnalysisInputs &inputs = session.analysisInputs() = inputsFor(legs);
    if (const std::optional<QString> problem = analysisProblem(legs, inputs))
        return refusedReport(ws, *problem, today);
    return positionReport(ws, session.surface(), inputs, today);
}

std::vector<PositionReport> savedReports(PositionStore &store, int strategy,
    const std::vector<NameEntry> &entries, const InputsFor &inputsFor, const QDate &today)
{
    std::vector<PositionReport> reports;
    for (const NameEntry &entry : entries) {
        Session session;
        ScriptedMessageBoxes boxes;
        const OpenSaveOutcome opened = OpenSaveCommand(store, session.openSave(), boxes)
                                           .open(session.workspace(), strategy, entry);
        if (!opened.done) {
            PositionReport notOpened;
            notOpened.heading = entry.name;
            notOpened.written = today;
            notOpened.refusal = boxes.shown().empty() ? QString() : boxes.shown().back().prompt;
            reports.push_back(std::move(notOpened));
            continue;
        }
        reports.push_back(sessionReport(session, inputsFor, today));
    }
    return reports;
}

} // namespace velmora
