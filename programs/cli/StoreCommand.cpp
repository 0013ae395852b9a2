#include "programs/cli/StoreCommand.h"

#include "store/DatabaseLocation.h"
#include "store/PositionName.h"
#include "store/PositionStore.h"

#include "core/Catalogue.h"
#include "core/Workspace.h"

namespace velmora
{

namespace
{

// Ends the result with a refusal or a failure; what it printed so far stays.
StoreCommandResult ended(StoreCommandResult result, int exitCode, const QString &why)
{
    result.exitCode = exitCode;
    result.errorLine = why;
    return result;
}

void useChosenFile(const StoreCommandOptions &options)
{
    if (!options.databaseFile.isEmpty())
        setDatabasePath(options.databaseFile);
}

} // namespace

QString applyDatabaseOption(const QString &value, StoreCommandOptions &options)
{
    if (value.isEmpty())
        return QStringLiteral("--db needs a file name");
    options.databaseFile = value;
    return {};
}

QString applyStrategyIndex(const QString &option, const QString &value, std::optional<int> &into)
{
    bool ok = false;
    const int strategy = value.toInt(&ok);
    if (!ok || strategy < 0 || strategy >= kStrategyCount)
        return QStringLiteral("%1 takes a list index from 0 to %2, not '%3'")
            .arg(option)
            .arg(kStrategyCount - 1)
            .arg(value);
    into = strategy;
    return {};
}

QString applyListOption(const QString &value, StoreCommandOptions &options)
{
    return applyStrategyIndex(QStringLiteral("--list"), value, options.listStrategy);
}

QString applyOpenOption(const QString &value, StoreCommandOptions &options)
{
    if (options.openName)
        return QStringLiteral("--open may be given once");
    options.openName = value;
    return {};
}

QString applySaveOption(const QString &value, StoreCommandOptions &options)
{
    options.saveNames << value;
    return {};
}

StoreCommand::StoreCommand(const StoreCommandOptions &options, Workspace &workspace,
    OpenSaveState &state, ScriptedMessageBoxes &boxes)
    : m_options(options)
    , m_workspace(workspace)
    , m_state(state)
    , m_boxes(boxes)
{
    useChosenFile(options);
}

StoreCommandResult StoreCommand::beforeSettings()
{
    StoreCommandResult result;
    if (!m_options.listStrategy && !m_options.openName)
        return result;
    try {
        // Kept for the saves after the settings: the key is derived once.
        PositionStore store(databasePath(), PositionStore::Connection::Kept);
        if (m_options.listStrategy)
            result.listed = store.names(*m_options.listStrategy);
        if (!m_options.openName)
            return result;
        // Trimmed and composed as Save stores it.
        const std::optional<StoredName> found = store.find(positionName(*m_options.openName));
        if (!found)
            return ended(result, ExitCode::Refused,
                QStringLiteral("no saved position is named '%1'").arg(*m_options.openName));
        const OpenSaveOutcome outcome
            = OpenSaveCommand(store, m_state, m_boxes)
                  .open(m_workspace, found->strategy, {found->id, found->name});
        if (!outcome.done)
            return ended(result, outcome.fileFailed ? ExitCode::Unusable : ExitCode::Refused,
                m_boxes.shown().back().prompt);
        result.opened = outcome;
    } catch (const DatabaseError &error) {
        return ended(result, ExitCode::Unusable, error.text());
    }
    return result;
}

StoreCommandResult StoreCommand::afterSettings()
{
    StoreCommandResult result;
    if (m_options.saveNames.isEmpty())
        return result;
    try {
        // Its pages are checked before the first save writes.
        PositionStore store(databasePath(), PositionStore::Connection::Kept);
        // The Save window's strategy: the opened position's, else the window's.
        const int strategy
            = m_state.OpSvMode == OpenSaveState::Opened ? m_state.OpSvSID : m_workspace.strategy();
        for (const QString &name : m_options.saveNames) {
            const OpenSaveOutcome outcome
                = OpenSaveCommand(store, m_state, m_boxes).save(m_workspace, strategy, name);
            // Every Save ends with one message.
            const QString message = m_boxes.shown().back().prompt;
            if (!outcome.done)
                return ended(
                    result, outcome.fileFailed ? ExitCode::Unusable : ExitCode::Refused, message);
            result.messages << message;
        }
    } catch (const DatabaseError &error) {
        return ended(result, ExitCode::Unusable, error.text());
    }
    return result;
}

} // namespace velmora
