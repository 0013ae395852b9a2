#pragma once
// The position on screen, without the screen: the text of every text box of
// the main window, the selections of its three lists, and the ratio figures
// the Ratio Calls chart reads. Setting a field runs that field's change
// handling, so derived fields follow exactly as they do while the user types;
// the main window mirrors this model into its widgets and back.
//
// The rules for keys, focus changes and leaving a field live here too, as
// functions that answer what the window has to do.

#include "core/Catalogue.h"
#include "core/ControlId.h"
#include "core/Message.h"

#include <QHash>
#include <QObject>
#include <QString>

#include <optional>

namespace velmora
{

// Window-level numbers of the ratio sizing; all start at 0, are only ever
// overwritten, and keep their values between requests.
struct RatioFigures {
    double ratioSellCount = 0; // N of the chosen ratio N:D
    double ratioLotCount = 0; // D
    double lotShares = 0; // D × 100
    double roundLots = 0; // shares / lotShares
    double unitMaxProfit = 0; // (K − S) × D + P × N
    double ratioMaxProfit = 0; // dollars, 2 decimals
    double lowBreakEven = 0;
    double highBreakEven = 0;
};

class Workspace : public QObject
{
    Q_OBJECT
public:
    explicit Workspace(QObject *parent = nullptr);

    // What the main window does with its fields when it loads: Covered Calls
    // selected, both ratio lists at their first ratio ("2:1").
    void load();

    // --- fields -------------------------------------------------------------
    QString text(const ControlId &id) const;
    double number(const ControlId &id) const;
    // Sets the text; when it differs, the field's change handling runs and
    // may cascade into further fields. fieldChanged is emitted for each.
    void setText(const ControlId &id, const QString &text);
    // True for every text box of the main window (see allTextBoxes()).
    static bool hasField(const ControlId &id);

    // --- strategy list ------------------------------------------------------
    int strategy() const { return m_strategy; }
    // Selects a strategy and runs the strategy switch (also when unchanged):
    // strategySwitched is emitted, then the symbols are made to agree.
    void setStrategy(int listIndex);
    // The stock-symbol field of the selected group agrees with Text1: an
    // empty group symbol takes Text1's text, otherwise Text1 takes the group's.
    void stockSymbol();
    // Text1 lost the focus: upper case, then the strategy switch. Answers the
    // field that gets the focus (the first field after the symbol).
    std::optional<ControlId> leaveSymbol();

    // Empties every text box; the lists keep their selection.
    void blank();

    // --- ratio lists --------------------------------------------------------
    int ratioIndex() const { return m_ratioIndex; } // cmbRatio
    int ratioSpreadIndex() const { return m_ratioSpreadIndex; } // cmbratioCallSpreads
    // Setting an index runs the list's click handling when it changes.
    void setRatioIndex(int index);
    void setRatioSpreadIndex(int index);
    // The user picked an entry: the click handling runs even for the same entry.
    void chooseRatio(int index);
    void chooseRatioSpread(int index);
    // The list's choice is what counts: its number boxes (and what follows
    // from them) are filled from the chosen entry where they do not show it,
    // as after New, which empties the boxes while the list keeps its entry.
    // False when no entry is chosen.
    bool ratioFromList();
    bool ratioSpreadFromList();

    // --- ratio sizing (Ratio Calls) ------------------------------------------
    RatioFigures &ratio() { return m_ratio; }
    const RatioFigures &ratio() const { return m_ratio; }
    // The sizing steps keep the names the program has always given them
    // (calRoundLots, newValues, ...), so they can be found by those names.
    void calRoundLots();
    void calRatioContracts();
    void newValues();
    void calRatioPMaxProfit();
    void calRatioBreakevenPoint();
    bool chkRatioContracts() const;
    // Nothing when the strike lies above the stock price; otherwise the
    // message the window shows, with the focus on the strike.
    std::optional<Refusal> valRatioStrike() const;

    // --- keys and focus -------------------------------------------------------
    // True when the field takes the character; filtered fields take only
    // digits, ".", the space and the editing keys Backspace, Enter and Esc.
    static bool acceptsKey(const ControlId &id, QChar key);
    // Pasted or dropped text: what typing would take, and one decimal point
    // at most.
    static bool acceptsText(const ControlId &id, const QString &text);
    static Message keyFilterMessage();
    // The focus leaves a group field: upper-cases symbols and answers the
    // plausibility warning, if any (OK sends the focus to Refusal::focus).
    std::optional<Refusal> leaveField(const ControlId &id);

signals:
    void fieldChanged(const velmora::ControlId &id, const QString &text);
    void strategySwitched(int listIndex);
    void ratioIndexChanged(int index);
    void ratioSpreadIndexChanged(int index);

private:
    void onChanged(const ControlId &id);
    void setNumber(const ControlId &id, double value);
    void coveredValue();
    void butterflyThirdStrike();
    void ratioSpreadTotals(bool bought, bool sold);
    void ratioClick();
    void ratioSpreadClick();
    void upperCase(const ControlId &id);

    QHash<ControlId, QString> m_text;
    int m_strategy = -1;
    int m_ratioIndex = -1;
    int m_ratioSpreadIndex = -1;
    bool m_cascade = true;
    RatioFigures m_ratio;
};

} // namespace velmora
