#pragma once
// The five strategies and the entry fields that make up one position of each.
// A position exists only as the text of these fields; every other part of the
// program names them by the control names listed here.

#include "core/ControlId.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace velmora
{

// The list index of the strategy list, stored as such in the database.
enum class StrategyKind : int {
    CoveredCalls = 0,
    RatioCalls = 1,
    BullSpreads = 2,
    ButterflySpreads = 3,
    RatioCallSpreads = 4,
};
constexpr int kStrategyCount = 5;

// "Covered Calls", "Ratio Calls", ... in list order.
const QStringList &strategyNames();
// "2:1" ... "10:9": item i stands for the ratio (i + 2):(i + 1).
const QStringList &ratioNames();
// The item of ratioNames() with that text, blanks around it ignored; -1 for none.
int ratioEntry(const QString &text);
constexpr int kRatioCount = 9;

enum class FieldKind {
    Typed, // the user types it
    Computed, // the program writes it, the user may still edit it
    ComputedShownReadOnly, // written by the program, shown in the read-only colour
    ReadOnly, // written by the program, locked
    Hidden, // exists and may be filled, never shown
    RatioList, // a drop-down list of ratios (not a text box)
};

// What a field holds, whatever its control is called: the chart code, the
// legs of the analysis and the position file read fields by role, so each
// field's part in a position is written down once, here. Call legs count
// from the lowest strike up.
enum class FieldRole {
    StockSymbol,
    StockPrice,
    Shares,
    StockTotal, // dollars paid for the stock
    CallSymbol1,
    Strike1,
    Premium1,
    Contracts1,
    CallTotal1, // dollars received for the calls
    CallSymbol2,
    Strike2,
    Premium2,
    Contracts2,
    CallSymbol3,
    Strike3,
    Premium3,
    Contracts3,
    Units, // Ratio Call Spreads: ratio units bought, the contracts follow from them
    RatioList,
    RatioFirst, // the list's first number, N of N:D
    RatioSecond, // D
    Value, // Covered Calls: the amount in the money at the start
    BreakEven,
};

struct FieldSpec {
    ControlId id;
    QString frame; // caption of the sub-frame it sits in ("Buy (Stocks)"); empty: the group itself
    QString caption; // caption beside it; empty where it shares a row with the field before it
    FieldKind kind = FieldKind::Typed;
    FieldRole role = FieldRole::StockSymbol;
};

struct GroupSpec {
    StrategyKind kind;
    QString frameName; // fraCovered, ...
    QString caption; // "Covered  Calls", ...
    int windowHeight; // twips, window height while the group is in view
    ControlId symbolField; // the group's stock-symbol field, mirrored with Text1
    ControlId firstField; // where the focus goes when Text1 is left
    std::vector<FieldSpec> fields; // in the order they are laid out
};

const std::vector<GroupSpec> &groups();
const GroupSpec &group(StrategyKind kind);
const GroupSpec &group(int listIndex); // precondition: 0 <= listIndex < 5

// The field of the strategy's group that plays the role; none where the
// strategy has no such field.
std::optional<ControlId> roleField(StrategyKind kind, FieldRole role);
// The same where the strategy is known to have it.
ControlId field(StrategyKind kind, FieldRole role);

// Every text box of the main window (Text1, all group fields but the ratio
// lists, the hidden fields): what `blank` empties.
const std::vector<ControlId> &allTextBoxes();

// True for the elements whose keys are filtered to digits, ".", space,
// Backspace, Enter and Esc.
bool isFilteredField(const ControlId &id);

// True for the controls of the main window that can hold the focus while
// `strategy` is selected: Text1 and the group's shown fields, but not the
// number boxes a ratio list stands on.
bool takesFocus(const ControlId &id, int strategy);

// Kind of a field, Typed for names not in the catalogue.
FieldKind fieldKind(const ControlId &id);

// The most characters the user may type into the field; 0 for no limit.
int fieldMaxLength(const ControlId &id);

} // namespace velmora
