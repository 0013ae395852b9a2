#pragma once
// The two commands of the Open/Save window without the window: Save writes
// the position on screen under a name, Open puts a saved position back on
// screen. Each answers what the window and the main window must do next;
// every message goes through MessageBoxes.

#include "store/OpenSaveState.h"
#include "store/PositionRow.h"

#include "core/Message.h"

#include <QString>

#include <optional>

namespace velmora
{

class PositionStore;
class Workspace;
class DatabaseError;

struct OpenSaveOutcome {
    bool done = false; // the command succeeded
    bool close = false; // unload the window
    bool focusName = false; // focus to the name box Text1
    bool selectName = false; // and select its whole text
    bool refreshList = false; // the list no longer matches the file
    bool fileFailed = false; // the position file could not be used
    // For the main window after an Open:
    std::optional<QString> mainCaption;
    bool disableStrategyList = false;
    bool escape = false;
};

class OpenSaveCommand
{
public:
    OpenSaveCommand(PositionStore &store, OpenSaveState &state, MessageBoxes &boxes);

    // Saves the position of `strategy` on screen under the name as typed.
    OpenSaveOutcome save(const Workspace &workspace, int strategy, const QString &typedName);
    // Opens the list entry `entry` of the window's strategy `strategy`.
    OpenSaveOutcome open(Workspace &workspace, int strategy, const NameEntry &entry);

    static Message blankNameMessage();
    static Message nameTakenMessage();
    // A stored name that cannot be told from the one typed.
    static Message lookAlikeMessage(const QString &storedName);
    static Message savedMessage();
    static Message updatedMessage();
    // Only the command line can ask to save a position of no strategy.
    static Message noStrategyMessage();
    // The file could not be used: its name, the cause and what was not done.
    static Message failureMessage(const DatabaseError &error, const QString &consequence);

private:
    PositionStore &m_store;
    OpenSaveState &m_state;
    MessageBoxes &m_boxes;
};

} // namespace velmora
