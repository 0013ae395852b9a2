#pragma once
// What the program remembers about the position on screen between showings
// of the Open/Save window; owned by the main window for the whole run.

#include <QString>

namespace velmora
{

struct OpenSaveState {
    static constexpr int New = 1; // the position on screen is not from the store
    static constexpr int Opened = 2; // it was opened (or has since been saved over)

    int OpSvMode = New;
    int OpSvSID = 0; // strategy of the position last opened
    QString OpSvName; // its name
    qint64 OpSvID = 0; // key of its row; follows the row each replacing save writes
};

} // namespace velmora
