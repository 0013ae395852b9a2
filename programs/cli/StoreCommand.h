#pragma once
// The saved-position options of velmora-chart: --db FILE, --list N,
// --open NAME and --save NAME. Open and Save act exactly as the Open/Save
// window does (OpenSaveCommand) on the window model, so a script can open a
// position, change fields, and save it once or several times.
//
// The steps run around the chart command's field settings: the listing and
// the Open before them, the saves after them, in the order given.

#include "programs/cli/ExitCode.h"
#include "store/OpenSaveCommand.h"
#include "store/OpenSaveState.h"
#include "store/PositionRow.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace velmora
{

class Workspace;

struct StoreCommandOptions {
    QString databaseFile; // empty: the program's own file
    std::optional<int> listStrategy; // --list
    std::optional<QString> openName; // --open
    QStringList saveNames; // --save, in the order given

    bool usesStore() const { return listStrategy || openName || !saveNames.isEmpty(); }
};

// Each records the option's value; an error line for a bad one.
QString applyDatabaseOption(const QString &value, StoreCommandOptions &options);
QString applyListOption(const QString &value, StoreCommandOptions &options);
// A strategy's list index for `option` into `into`; an error line for a bad one.
QString applyStrategyIndex(const QString &option, const QString &value, std::optional<int> &into);
QString applyOpenOption(const QString &value, StoreCommandOptions &options);
QString applySaveOption(const QString &value, StoreCommandOptions &options);

struct StoreCommandResult {
    int exitCode = ExitCode::Done;
    std::vector<NameEntry> listed; // --list
    QStringList messages; // the message of each --save that succeeded
    QString errorLine;
    // What the main window does after the Open, when one ran.
    std::optional<OpenSaveOutcome> opened;
};

class StoreCommand
{
public:
    StoreCommand(const StoreCommandOptions &options, Workspace &workspace, OpenSaveState &state,
        ScriptedMessageBoxes &boxes);

    // --list, then --open.
    StoreCommandResult beforeSettings();
    // Every --save in order, each keeping the window's message; stops at
    // the first that does not succeed.
    StoreCommandResult afterSettings();

private:
    const StoreCommandOptions &m_options;
    Workspace &m_workspace;
    OpenSaveState &m_state;
    ScriptedMessageBoxes &m_boxes;
};

} // namespace velmora
