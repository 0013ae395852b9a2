#include "store/OpenSaveCommand.h"

#include "store/PositionMapping.h"
#include "store/PositionName.h"
#include "store/PositionStore.h"

#include "core/Catalogue.h"
#include "core/Workspace.h"

namespace velmora
{

namespace
{

const QString kAttention = QStringLiteral("Attention");

} // namespace

OpenSaveCommand::OpenSaveCommand(PositionStore &store, OpenSaveState &state, MessageBoxes &boxes)
    : m_store(store)
    , m_state(state)
    , m_boxes(boxes)
{
}

Message OpenSaveCommand::blankNameMessage()
{
    return {QStringLiteral("Blank File Name cannot be Saved."), MsgStyle::Information, kAttention};
}

Message OpenSaveCommand::nameTakenMessage()
{
    return {QStringLiteral("File Already Exist."), MsgStyle::Stop, kAttention};
}

Message OpenSaveCommand::lookAlikeMessage(const QString &storedName)
{
    return {QStringLiteral("File Name looks the same as the saved name \"%1\".")
                .arg(printableName(storedName)),
        MsgStyle::Stop, kAttention};
}

Message OpenSaveCommand::savedMessage()
{
    return {QStringLiteral("Saved Successfully"), MsgStyle::OkOnly, QString()};
}

Message OpenSaveCommand::updatedMessage()
{
    return {QStringLiteral("Updated Successfully"), MsgStyle::OkOnly, QString()};
}

Message OpenSaveCommand::noStrategyMessage()
{
    return {
        QStringLiteral("No strategy is selected: nothing was saved."), MsgStyle::Stop, kAttention};
}

Message OpenSaveCommand::failureMessage(const DatabaseError &error, const QString &consequence)
{
    const QString prompt
        = consequence.isEmpty() ? error.text() : error.text() + QLatin1Char('\n') + consequence;
    return {prompt, MsgStyle::Stop, kAttention};
}

OpenSaveOutcome OpenSaveCommand::save(
    const Workspace &workspace, int strategy, const QString &typedName)
{
    OpenSaveOutcome outcome;
    // The row stores the name trimmed and composed, so that is the name to
    // test: a blank typed around a used name would otherwise list it twice.
    const QString name = positionName(typedName);
    if (name.isEmpty()) {
        m_boxes.show(blankNameMessage());
        outcome.focusName = true;
        return outcome;
    }
    if (strategy < 0 || strategy >= kStrategyCount) {
        m_boxes.show(noStrategyMessage());
        return outcome;
    }
    if (const std::optional<Message> refusal = nameRefusal(name)) {
        m_boxes.show(*refusal);
        outcome.focusName = true;
        outcome.selectName = true;
        return outcome;
    }
    const bool replacing = m_state.OpSvMode == OpenSaveState::Opened;
    try {
        const std::optional<qint64> except
            = replacing ? std::optional<qint64>(m_state.OpSvID) : std::nullopt;
        const PositionRow row = rowFromWorkspace(workspace, strategy, name);
        const SaveResult written = m_store.saveUnlessTaken(*row.name, except, row);
        if (written.clash) {
            m_boxes.show(
                written.sameName ? nameTakenMessage() : lookAlikeMessage(written.clash->name));
            outcome.focusName = true;
            outcome.selectName = true;
            return outcome;
        }
        if (replacing) {
            // The remembered position is now the row just written.
            m_state.OpSvID = written.id;
            m_state.OpSvName = *row.name;
        }
    } catch (const DatabaseError &error) {
        m_boxes.show(failureMessage(error, QStringLiteral("Nothing was saved.")));
        outcome.focusName = true;
        outcome.fileFailed = true;
        return outcome;
    }
    m_boxes.show(replacing ? updatedMessage() : savedMessage());
    outcome.done = true;
    outcome.close = true;
    return outcome;
}

OpenSaveOutcome OpenSaveCommand::open(Workspace &workspace, int strategy, const NameEntry &entry)
{
    OpenSaveOutcome outcome;
    std::optional<PositionRow> row;
    try {
        row = m_store.row(entry.id);
    } catch (const DatabaseError &error) {
        m_boxes.show(failureMessage(error, QStringLiteral("Nothing was opened.")));
        outcome.fileFailed = true;
        return outcome;
    }
    if (!row || row->strategy < 0) {
        const QString why = row ? QStringLiteral("its strategy is unknown")
                                : QStringLiteral("it is no longer in the file");
        m_boxes.show(
            {QStringLiteral("The position \"%1\" cannot be opened: %2.").arg(entry.name, why),
                MsgStyle::Stop, kAttention});
        outcome.refreshList = true;
        return outcome;
    }
    m_state.OpSvMode = OpenSaveState::Opened;
    outcome.mainCaption = QStringLiteral("File Opened: ") + strategyNames().value(strategy);
    outcome.disableStrategyList = true;
    loadRow(*row, workspace);
    m_state.OpSvSID = strategy;
    m_state.OpSvName = entry.name;
    m_state.OpSvID = entry.id;
    outcome.escape = true;
    outcome.done = true;
    outcome.close = true;
    return outcome;
}

} // namespace velmora
