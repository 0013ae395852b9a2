#include "core/Workspace.h"

#include "core/Numbers.h"

#include <algorithm>

namespace velmora
{

namespace
{

const ControlId kText1 = single("Text1");

Refusal warning(
    const char *prompt, const ControlId &returnTo, int style = MsgStyle::QuestionOkCancel)
{
    return {{QString::fromUtf8(prompt), style, QStringLiteral("Attention")}, returnTo, true};
}

} // namespace

Workspace::Workspace(QObject *parent)
    : QObject(parent)
{
    // Design-time texts: the contracts of a ratio spread start at one unit,
    // the ratio boxes show their placeholder until a ratio is chosen.
    m_text.insert(at("Text9", 5), QStringLiteral("1"));
    m_text.insert(at("txtratio", 0), QStringLiteral("Text11"));
    m_text.insert(at("txtratio", 1), QStringLiteral("Text11"));
}

void Workspace::load()
{
    setStrategy(0);
    setRatioIndex(-1);
    setRatioSpreadIndex(0);
    setRatioIndex(0);
}

QString Workspace::text(const ControlId &id) const
{
    return m_text.value(id);
}

double Workspace::number(const ControlId &id) const
{
    return fieldNumber(text(id));
}

bool Workspace::hasField(const ControlId &id)
{
    const auto &boxes = allTextBoxes();
    return std::find(boxes.begin(), boxes.end(), id) != boxes.end();
}

void Workspace::setText(const ControlId &id, const QString &text)
{
    if (m_text.value(id) == text && m_text.contains(id))
        return;
    m_text.insert(id, text);
    emit fieldChanged(id, text);
    if (m_cascade)
        onChanged(id);
}

void Workspace::setNumber(const ControlId &id, double value)
{
    setText(id, numberText(value));
}

// The change handling of every field, one branch per control array.
void Workspace::onChanged(const ControlId &id)
{
    const QString &array = id.name;
    const int i = id.index;
    if (id == kText1) {
        if (m_strategy >= 0 && m_strategy < kStrategyCount)
            setText(group(m_strategy).symbolField, text(kText1));
    } else if (array == u"Text4") {
        const auto buyTotal = [this] {
            setNumber(at("Text4", 3), number(at("Text4", 2)) * number(at("Text4", 1)));
        };
        if (i == 0 && !text(id).isEmpty()) {
            setText(kText1, text(id));
        } else if (i == 1) {
            buyTotal();
            coveredValue();
        } else if (i == 2) {
            buyTotal();
            setNumber(at("Text5", 3), number(at("Text4", 2)) / 100);
        }
    } else if (array == u"Text5") {
        const auto sellTotal = [this] {
            setNumber(at("Text5", 4), number(at("Text5", 2)) * number(at("Text5", 3)) * 100);
        };
        if (i == 1) {
            coveredValue();
        } else if (i == 2) {
            sellTotal();
        } else if (i == 3) {
            sellTotal();
            coveredValue();
        }
    } else if (array == u"Text2") {
        setText(at("Text3", 3), text(at("Text2", 5)));
        if (i == 0)
            setText(kText1, text(at("Text2", 0)));
    } else if (array == u"Text6") {
        if (i == 0) {
            setText(kText1, text(id));
        } else if (i == 3) {
            butterflyThirdStrike();
        } else if (i == 5) {
            setNumber(at("Text7", 3), 2 * number(at("Text6", 5)));
            setText(at("Text8", 3), text(at("Text6", 5)));
        }
    } else if (array == u"Text7") {
        if (i == 1)
            butterflyThirdStrike();
    } else if (array == u"Text9") {
        ratioSpreadTotals(true, true);
        if (i == 0)
            setText(kText1, text(at("Text9", 0)));
    } else if (array == u"txtratio") {
        ratioSpreadTotals(i == 1, i == 0);
    } else if (array == u"txtRatioBuy") {
        if (i == 0)
            setText(kText1, text(id));
        else if (i == 2)
            calRatioContracts();
    }
}

void Workspace::coveredValue()
{
    const double stock = number(at("Text4", 1));
    const double strike = number(at("Text5", 1));
    const double contracts = number(at("Text5", 3));
    setNumber(single("txtValue"), strike <= stock ? contracts * 100 * (stock - strike) : 0.0);
}

void Workspace::butterflyThirdStrike()
{
    const double k1 = number(at("Text6", 3));
    const double k2 = number(at("Text7", 1));
    setNumber(at("Text8", 1), k2 + (k2 - k1));
}

void Workspace::ratioSpreadTotals(bool bought, bool sold)
{
    const double units = number(at("Text9", 5));
    if (bought)
        setNumber(at("Text9", 6), units * number(at("txtratio", 1)));
    if (sold)
        setNumber(at("Text10", 3), units * number(at("txtratio", 0)));
}

// --- strategy list --------------------------------------------------------------

void Workspace::setStrategy(int listIndex)
{
    m_strategy = (listIndex >= 0 && listIndex < kStrategyCount) ? listIndex : -1;
    emit strategySwitched(m_strategy);
    stockSymbol();
}

void Workspace::stockSymbol()
{
    if (m_strategy < 0)
        return;
    const ControlId &symbol = group(m_strategy).symbolField;
    if (text(symbol).trimmed().isEmpty())
        setText(symbol, text(kText1));
    else
        setText(kText1, text(symbol));
}

std::optional<ControlId> Workspace::leaveSymbol()
{
    setText(kText1, text(kText1).toUpper());
    std::optional<ControlId> next;
    if (m_strategy >= 0)
        next = group(m_strategy).firstField;
    setStrategy(m_strategy);
    return next;
}

void Workspace::blank()
{
    // Every box ends up empty: the change handling would refill derived
    // fields from half-emptied inputs, so it stays off while emptying.
    m_cascade = false;
    for (const ControlId &id : allTextBoxes())
        setText(id, QString());
    m_cascade = true;
}

// --- ratio lists ------------------------------------------------------------------

void Workspace::setRatioIndex(int index)
{
    if (index < -1 || index >= kRatioCount || index == m_ratioIndex)
        return;
    m_ratioIndex = index;
    emit ratioIndexChanged(index);
    ratioClick();
}

void Workspace::chooseRatio(int index)
{
    if (index < 0 || index >= kRatioCount)
        return;
    if (index != m_ratioIndex) {
        setRatioIndex(index);
        return;
    }
    ratioClick();
}

void Workspace::setRatioSpreadIndex(int index)
{
    if (index < -1 || index >= kRatioCount || index == m_ratioSpreadIndex)
        return;
    m_ratioSpreadIndex = index;
    emit ratioSpreadIndexChanged(index);
    ratioSpreadClick();
}

void Workspace::chooseRatioSpread(int index)
{
    if (index < 0 || index >= kRatioCount)
        return;
    if (index != m_ratioSpreadIndex) {
        setRatioSpreadIndex(index);
        return;
    }
    ratioSpreadClick();
}

bool Workspace::ratioFromList()
{
    if (m_ratioIndex < 0)
        return false;
    if (text(at("txtRatioSell", 3)) != QString::number(m_ratioIndex + 2)
        || text(at("txtRatioSell", 4)) != QString::number(m_ratioIndex + 1))
        ratioClick();
    return true;
}

bool Workspace::ratioSpreadFromList()
{
    if (m_ratioSpreadIndex < 0)
        return false;
    ratioSpreadClick();
    return true;
}

void Workspace::ratioClick()
{
    calRoundLots();
    calRatioContracts();
    // After New the holders are empty; the count then keeps its last value.
    const QString sellCount = text(at("txtRatioSell", 3)).trimmed();
    bool ok = false;
    const double n = sellCount.toDouble(&ok);
    if (ok)
        m_ratio.ratioSellCount = n;
}

void Workspace::ratioSpreadClick()
{
    if (m_ratioSpreadIndex < 0)
        return;
    setText(at("txtratio", 0), QString::number(m_ratioSpreadIndex + 2));
    setText(at("txtratio", 1), QString::number(m_ratioSpreadIndex + 1));
}

// --- ratio sizing -------------------------------------------------------------------

void Workspace::calRoundLots()
{
    if (m_ratioIndex >= 0) {
        setText(at("txtRatioSell", 3), QString::number(m_ratioIndex + 2));
        setText(at("txtRatioSell", 4), QString::number(m_ratioIndex + 1));
    }
    m_ratio.ratioLotCount = number(at("txtRatioSell", 4));
}

void Workspace::calRatioContracts()
{
    const double n = number(at("txtRatioSell", 3));
    const double d = number(at("txtRatioSell", 4));
    if (!(d > 0))
        return;
    const double shares = number(at("txtRatioBuy", 2));
    setNumber(at("txtRatioSell", 5), shares * (n / d) / 100);
    setNumber(at("txtRatioSell", 5), r2(number(at("txtRatioSell", 5))));
}

void Workspace::newValues()
{
    calRoundLots();
    m_ratio.lotShares = m_ratio.ratioLotCount * 100;
    if (m_ratio.lotShares > 0)
        m_ratio.roundLots = number(at("txtRatioBuy", 2)) / m_ratio.lotShares;
}

void Workspace::calRatioPMaxProfit()
{
    const double s = number(at("txtRatioBuy", 1));
    const double k = number(at("txtRatioSell", 1));
    const double p = number(at("txtRatioSell", 2));
    const double d = m_ratio.ratioLotCount;
    const double n = m_ratio.ratioSellCount;
    m_ratio.unitMaxProfit = (k - s) * d + p * n;
    m_ratio.ratioMaxProfit = r2(m_ratio.unitMaxProfit * m_ratio.roundLots * 100);
}

void Workspace::calRatioBreakevenPoint()
{
    const double k = number(at("txtRatioSell", 1));
    const double d = m_ratio.ratioLotCount;
    const double n = m_ratio.ratioSellCount;
    const double u = m_ratio.unitMaxProfit;
    if (d > 0)
        m_ratio.lowBreakEven = r2(k - u / d);
    if (n - d > 0)
        m_ratio.highBreakEven = r2(k + u / (n - d));
}

bool Workspace::chkRatioContracts() const
{
    return !text(at("txtRatioSell", 5)).contains(u'.');
}

std::optional<Refusal> Workspace::valRatioStrike() const
{
    if (number(at("txtRatioBuy", 1)) < number(at("txtRatioSell", 1)))
        return std::nullopt;
    return Refusal {{QStringLiteral("Strike Price should be Greater than Stock Price."),
                        MsgStyle::Information, QStringLiteral("Attention")},
        at("txtRatioSell", 1), false};
}

// --- keys and focus --------------------------------------------------------------------

bool Workspace::acceptsKey(const ControlId &id, QChar key)
{
    return !isFilteredField(id) || isNumberKey(key);
}

bool Workspace::acceptsText(const ControlId &id, const QString &text)
{
    return !isFilteredField(id) || isNumberText(text);
}

Message Workspace::keyFilterMessage()
{
    return {QStringLiteral("You can Enter only Digits in this Field."), MsgStyle::Information,
        QStringLiteral("Attention Please")};
}

void Workspace::upperCase(const ControlId &id)
{
    setText(id, text(id).toUpper());
}

std::optional<Refusal> Workspace::leaveField(const ControlId &id)
{
    const QString &array = id.name;
    const int i = id.index;
    const auto filled = [this](const ControlId &field) { return isFilled(text(field)); };
    const auto num = [this](const char *a, int index) { return number(at(a, index)); };

    if (array == u"Text4") {
        if (i == 0) {
            upperCase(id);
            setText(kText1, text(id));
        } else if (i == 2 && filled(id) && num("Text4", 2) < 100) {
            return warning("Shares should not be Less than 100.", id);
        }
    } else if (array == u"Text5") {
        if (i == 0)
            upperCase(id);
        else if (i == 1 && filled(at("Text4", 1)) && filled(id)
            && !(num("Text5", 1) > num("Text4", 1)))
            return warning("Strike Price must be Greater than Stock Price.", id);
    } else if (array == u"txtRatioBuy") {
        if (i == 0) {
            upperCase(id);
            setText(kText1, text(id));
        } else if (i == 2 && filled(id) && num("txtRatioBuy", 2) < 100) {
            return warning("Shares must be >= 100", id);
        }
    } else if (array == u"txtRatioSell") {
        if (i == 0)
            upperCase(id);
        else if (i == 1 && filled(id) && !(num("txtRatioSell", 1) > num("txtRatioBuy", 1)))
            return warning("Strike Price should be Greater than Stock Price.", id,
                MsgStyle::InformationOkCancel);
    } else if (array == u"Text2") {
        if (i == 0 || i == 2)
            upperCase(id);
        else if (i == 5 && !(num("Text2", 5) > 0))
            return warning(
                "Contracts must be greater than Zero to View Covered Call in Graphic Mode.", id);
    } else if (array == u"Text3") {
        if (i == 0) {
            upperCase(id);
        } else if (i == 1 && filled(id) && filled(at("Text2", 3))
            && !(num("Text3", 1) > num("Text2", 3))) {
            return warning(" Sell Strike Price should be Greater than Buy Strike Price.", id);
        } else if (i == 2 && filled(at("Text2", 4)) && filled(id)
            && !(num("Text2", 4) > num("Text3", 2))) {
            return warning("Buy Call Price should be Greater than Sell Call Price.", id);
        } else if (i == 3 && filled(at("Text2", 4)) && filled(at("Text2", 3))
            && !(num("Text2", 4) < num("Text2", 3))) {
            return warning("Buy Call Price should be less than Buy Strike Price.", at("Text2", 4));
        }
    } else if (array == u"Text6") {
        if (i == 0 || i == 2)
            upperCase(id);
        else if (i == 4 && num("Text6", 4) > num("Text6", 3))
            return warning("Call Price1 should be Less than Strike Price1.", id);
    } else if (array == u"Text7") {
        if (i == 0) {
            upperCase(id);
        } else if (i == 1 && filled(id) && filled(at("Text6", 3))
            && !(num("Text7", 1) > num("Text6", 3))) {
            return warning("Sell Strike Price should be Greater than Buy Strike Price.", id);
        } else if (i == 2 && filled(id) && filled(at("Text6", 4))
            && !(num("Text7", 2) < num("Text6", 4))) {
            return warning("Call Price2 should be Less than Call Price1.", id);
        }
    } else if (array == u"Text8") {
        if (i == 0)
            upperCase(id);
        else if (i == 2 && filled(id) && filled(at("Text7", 2))
            && !(num("Text8", 2) < num("Text7", 2)))
            return warning("Call Price3 should be less than Call Price2.", id);
    } else if (array == u"Text9") {
        if (i == 0 || i == 2)
            upperCase(id);
    } else if (array == u"Text10") {
        if (i == 0) {
            upperCase(id);
        } else if (i == 1 && filled(id) && filled(at("Text9", 3))
            && !(num("Text10", 1) > num("Text9", 3))) {
            return warning("Call Strike Price2 should be Greater than Call Strike Price1.", id);
        } else if (i == 2 && filled(id) && filled(at("Text9", 4))
            && !(num("Text10", 2) < num("Text9", 4))) {
            return warning("Call Price2 should be Less than Call Price1", id);
        }
    }
    return std::nullopt;
}

} // namespace velmora
