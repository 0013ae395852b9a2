// The position model without a window: derived fields while typing, the state
// after loading, New's blank, the stock symbol, the checks on leaving a field,
// the key filter and the ratio sizing.
#include "core/Catalogue.h"
#include "core/Workspace.h"
#include "support/TestSupport.h"

#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include <set>

using namespace velmora;
using namespace velmora::testing;

namespace
{

// "Text4(2)=250; Text4(1)=10" as (field, text) pairs, in order.
QList<QPair<ControlId, QString>> pairs(const QString &list)
{
    QList<QPair<ControlId, QString>> out;
    for (const QString &item : list.split(u';', Qt::SkipEmptyParts)) {
        const auto eq = item.indexOf(u'=');
        out.append({id(item.left(eq).trimmed()), item.mid(eq + 1)});
    }
    return out;
}

void type(Workspace &w, const QString &list)
{
    for (const auto &[field, text] : pairs(list))
        w.setText(field, text);
}

} // namespace

class TestWorkspace : public QObject
{
    Q_OBJECT
private slots:
    void cascades_data();
    void cascades();
    void stateAfterLoad();
    void blankEmptiesEveryBox();
    void symbolFollowsStrategy_data();
    void symbolFollowsStrategy();
    void leaveSymbol_data();
    void leaveSymbol();
    void leaveChecks_data();
    void leaveChecks();
    void leavingUpperCasesOnlySymbols();
    void keyFilter_data();
    void keyFilter();
    void typedNumbersTakeNoLetters();
    void ratioFromList_data();
    void ratioFromList();
    void ratioFiguresKeptWhenGuardsFail();
    void listIndexSignals();
    void catalogueNamesEachControlOnce();
};

void TestWorkspace::cascades_data()
{
    QTest::addColumn<int>("strategy");
    QTest::addColumn<int>("spreadRatio");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    addRow("covered: shares then price", 0, 0, "Text4(2)=250;Text4(1)=10",
        "Text5(3)=2.5;Text4(3)=2500");
    addRow("covered: price then shares", 0, 0, "Text4(1)=10;Text4(2)=250",
        "Text5(3)=2.5;Text4(3)=2500");
    addRow("covered: call total", 0, 0, "Text4(2)=250;Text4(1)=10;Text5(2)=1.5", "Text5(4)=375");
    addRow("covered: odd lot not rounded", 0, 0, "Text4(2)=150", "Text5(3)=1.5");
    addRow("covered: value in the money", 0, 0, "Text4(1)=12;Text5(1)=10;Text4(2)=200",
        "txtValue=400");
    addRow("covered: value out of the money", 0, 0, "Text4(1)=10;Text5(1)=12;Text4(2)=200",
        "txtValue=0");
    addRow("covered: value follows the price", 0, 0, "Text5(1)=10;Text4(2)=100;Text4(1)=15",
        "txtValue=500");
    addRow("covered: symbol to Text1", 0, 0, "Text4(0)=ibm", "Text1=ibm");
    addRow("bull: contracts copied as text", 2, 0, "Text2(5)=04", "Text3(3)=04");
    addRow("bull: symbol to Text1", 2, 0, "Text2(0)=xom", "Text1=xom");
    addRow("butterfly: strike 2 typed last", 3, 0, "Text6(3)=10;Text7(1)=12", "Text8(1)=14");
    addRow("butterfly: strike 1 typed last", 3, 0, "Text7(1)=12;Text6(3)=10", "Text8(1)=14");
    addRow("butterfly: half strikes", 3, 0, "Text6(3)=10;Text7(1)=12.5", "Text8(1)=15");
    addRow("butterfly: contracts", 3, 0, "Text6(5)=3", "Text7(3)=6;Text8(3)=3");
    addRow("ratio spreads: 4:3 with 2", 4, 2, "Text9(5)=2", "Text9(6)=6;Text10(3)=8");
    addRow("ratio spreads: 3:2 with 3", 4, 1, "Text9(5)=3", "Text9(6)=6;Text10(3)=9");
    addRow("ratio spreads: contracts typed first", 4, -1, "Text9(5)=3", "Text9(6)=3;Text10(3)=6");
    addRow(
        "ratio spreads: sold count typed alone", 4, 0, "Text9(5)=2;txtratio(0)=5", "Text10(3)=10");
    addRow("ratio calls: contracts from shares", 1, 0, "txtRatioBuy(2)=200", "txtRatioSell(5)=4");
    addRow("ratio calls: symbol to Text1", 1, 0, "txtRatioBuy(0)=aa", "Text1=aa");
}

void TestWorkspace::cascades()
{
    QFETCH(int, strategy);
    QFETCH(int, spreadRatio);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    Workspace w;
    w.load();
    w.setStrategy(strategy);
    if (spreadRatio >= 0)
        w.chooseRatioSpread(spreadRatio);
    type(w, typed);
    for (const auto &[field, text] : pairs(expected))
        QCOMPARE(w.text(field), text);
    // A ratio chosen after the contracts recomputes the totals too.
    if (spreadRatio < 0) {
        w.chooseRatioSpread(2);
        QCOMPARE(w.text(at("Text10", 3)), QStringLiteral("12"));
    }
}

void TestWorkspace::stateAfterLoad()
{
    Workspace w;
    w.load();
    QCOMPARE(w.strategy(), 0);
    QCOMPARE(w.ratioIndex(), 0);
    QCOMPARE(w.ratioSpreadIndex(), 0);
    for (const auto &[field, text] : pairs("txtratio(0)=2;txtratio(1)=1;txtRatioSell(3)=2;"
                                           "txtRatioSell(4)=1;txtRatioSell(5)=0;Text9(5)=1;"
                                           "Text9(6)=1;Text10(3)=2;Text1="))
        QCOMPARE(w.text(field), text);
    QCOMPARE(w.ratio().ratioSellCount, 2.0);
    QCOMPARE(w.ratio().ratioLotCount, 1.0);
}

void TestWorkspace::blankEmptiesEveryBox()
{
    Workspace w;
    w.load();
    w.chooseRatio(3); // 5:4
    type(w, "Text1=ibm;Text4(2)=250;Text4(1)=10;Text6(3)=10;Text7(1)=12;txtRatioBuy(2)=200");
    QSignalSpy changed(&w, &Workspace::fieldChanged);
    w.blank();
    for (const ControlId &box : allTextBoxes())
        QVERIFY2(w.text(box).isEmpty(), qPrintable(box.toString()));
    QVERIFY(changed.count() > 0);
    QCOMPARE(w.ratioIndex(), 3);
    QCOMPARE(w.ratioSpreadIndex(), 0);
    QCOMPARE(w.ratio().ratioSellCount, 5.0);
    QCOMPARE(w.ratio().ratioLotCount, 4.0);
    // Typing again after New cascades as before.
    w.setText(at("Text4", 2), QStringLiteral("300"));
    QCOMPARE(w.text(at("Text5", 3)), QStringLiteral("3"));
    // The sold count outlasts New, also once no entry is chosen.
    w.setRatioIndex(-1);
    w.calRoundLots();
    QCOMPARE(w.text(at("txtRatioSell", 3)), QString());
    QCOMPARE(w.ratio().ratioSellCount, 5.0);
    // Choosing the same entry again after New fills the holders again.
    w.chooseRatio(3);
    QCOMPARE(w.text(at("txtRatioSell", 3)), QStringLiteral("5"));
    QCOMPARE(w.text(at("txtRatioSell", 4)), QStringLiteral("4"));
}

void TestWorkspace::symbolFollowsStrategy_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("expectedSymbol");
    QTest::addColumn<QString>("expectedText1");
    addRow("empty group takes Text1", "Text1=ibm", 1, "txtRatioBuy(0)=ibm", "ibm");
    addRow("group keeps its own symbol", "txtRatioBuy(0)=xom;Text1=ibm", 1, "txtRatioBuy(0)=xom",
        "xom");
    addRow("blank group symbol counts as empty", "Text9(0)=  ;Text1=ibm", 4, "Text9(0)=ibm", "ibm");
}

void TestWorkspace::symbolFollowsStrategy()
{
    QFETCH(QString, typed);
    QFETCH(int, to);
    QFETCH(QString, expectedSymbol);
    QFETCH(QString, expectedText1);
    Workspace w;
    w.load();
    type(w, typed);
    w.setStrategy(to);
    const auto [field, text] = pairs(expectedSymbol).first();
    QCOMPARE(w.text(field), text);
    QCOMPARE(w.text(single("Text1")), expectedText1);
}

void TestWorkspace::leaveSymbol_data()
{
    QTest::addColumn<int>("strategy");
    QTest::addColumn<QString>("symbolField");
    QTest::addColumn<QString>("next");
    addRow("covered", 0, "Text4(0)", "Text4(1)");
    addRow("ratio calls", 1, "txtRatioBuy(0)", "txtRatioBuy(1)");
    addRow("bull", 2, "Text2(0)", "Text2(2)");
    addRow("butterfly", 3, "Text6(0)", "Text6(2)");
    addRow("ratio spreads", 4, "Text9(0)", "Text9(2)");
}

void TestWorkspace::leaveSymbol()
{
    QFETCH(int, strategy);
    QFETCH(QString, symbolField);
    QFETCH(QString, next);
    Workspace w;
    w.load();
    w.setStrategy(strategy);
    QSignalSpy switched(&w, &Workspace::strategySwitched);
    w.setText(single("Text1"), QStringLiteral("abc"));
    const std::optional<ControlId> focus = w.leaveSymbol();
    QCOMPARE(w.text(single("Text1")), QStringLiteral("ABC"));
    QCOMPARE(w.text(id(symbolField)), QStringLiteral("ABC"));
    QVERIFY(focus);
    QCOMPARE(*focus, id(next));
    QCOMPARE(switched.count(), 1);
    QCOMPARE(switched.first().first().toInt(), strategy);
}

void TestWorkspace::leaveChecks_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("leaving");
    QTest::addColumn<QString>("prompt"); // empty: no message
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("focus");
    const auto passes = [](const char *row, const char *typed, const char *leaving) {
        addRow(row, typed, leaving, "", 0, "");
    };
    const auto warns
        = [](const char *row, const char *typed, const char *leaving, const char *prompt,
              const char *focus, int style = MsgStyle::QuestionOkCancel) {
              addRow(row, typed, leaving, prompt, style, focus);
          };

    const char *shares = "Shares should not be Less than 100.";
    warns("shares 50", "Text4(2)=50", "Text4(2)", shares, "Text4(2)");
    warns("shares 99.99", "Text4(2)=99.99", "Text4(2)", shares, "Text4(2)");
    passes("shares 100", "Text4(2)=100", "Text4(2)");
    passes("shares empty", "", "Text4(2)");
    passes("shares blanks", "Text4(2)=   ", "Text4(2)");

    const char *strike = "Strike Price must be Greater than Stock Price.";
    warns("strike equal", "Text4(1)=10;Text5(1)=10", "Text5(1)", strike, "Text5(1)");
    warns("strike below", "Text4(1)=10;Text5(1)=9", "Text5(1)", strike, "Text5(1)");
    passes("strike above", "Text4(1)=10;Text5(1)=10.01", "Text5(1)");
    passes("strike without price", "Text5(1)=5", "Text5(1)");
    passes("price without strike", "Text4(1)=10", "Text5(1)");

    warns("ratio shares 50", "txtRatioBuy(2)=50", "txtRatioBuy(2)", "Shares must be >= 100",
        "txtRatioBuy(2)");
    passes("ratio shares 100", "txtRatioBuy(2)=100", "txtRatioBuy(2)");
    passes("ratio shares empty", "", "txtRatioBuy(2)");
    warns("ratio strike equal", "txtRatioBuy(1)=55;txtRatioSell(1)=55", "txtRatioSell(1)",
        "Strike Price should be Greater than Stock Price.", "txtRatioSell(1)",
        MsgStyle::InformationOkCancel);
    passes("ratio strike above", "txtRatioBuy(1)=55;txtRatioSell(1)=56", "txtRatioSell(1)");
    passes("ratio strike empty", "txtRatioBuy(1)=55", "txtRatioSell(1)");
    passes("ratio call price", "txtRatioBuy(1)=55;txtRatioSell(2)=1", "txtRatioSell(2)");

    const char *contracts
        = "Contracts must be greater than Zero to View Covered Call in Graphic Mode.";
    warns("bull contracts empty", "", "Text2(5)", contracts, "Text2(5)");
    warns("bull contracts zero", "Text2(5)=0", "Text2(5)", contracts, "Text2(5)");
    passes("bull contracts one", "Text2(5)=1", "Text2(5)");
    warns("bull sell strike equal", "Text2(3)=50;Text3(1)=50", "Text3(1)",
        " Sell Strike Price should be Greater than Buy Strike Price.", "Text3(1)");
    passes("bull sell strike above", "Text2(3)=50;Text3(1)=55", "Text3(1)");
    passes("bull sell strike alone", "Text3(1)=5", "Text3(1)");
    passes("bull buy strike alone", "Text2(3)=50", "Text3(1)");
    warns("bull call prices equal", "Text2(4)=3;Text3(2)=3", "Text3(2)",
        "Buy Call Price should be Greater than Sell Call Price.", "Text3(2)");
    passes("bull call prices fine", "Text2(4)=3;Text3(2)=2", "Text3(2)");
    passes("bull sell price alone", "Text3(2)=3", "Text3(2)");
    warns("bull buy price at strike", "Text2(3)=3;Text2(4)=3", "Text3(3)",
        "Buy Call Price should be less than Buy Strike Price.", "Text2(4)");
    passes("bull buy price below strike", "Text2(3)=50;Text2(4)=3", "Text3(3)");
    passes("bull buy price alone", "Text2(4)=3", "Text3(3)");

    const char *price1 = "Call Price1 should be Less than Strike Price1.";
    passes("butterfly price1 equal passes", "Text6(3)=10;Text6(4)=10", "Text6(4)");
    warns("butterfly price1 above", "Text6(3)=10;Text6(4)=10.5", "Text6(4)", price1, "Text6(4)");
    warns("butterfly price1 without strike", "Text6(4)=1", "Text6(4)", price1, "Text6(4)");
    warns("butterfly strike2 equal", "Text6(3)=10;Text7(1)=10", "Text7(1)",
        "Sell Strike Price should be Greater than Buy Strike Price.", "Text7(1)");
    passes("butterfly strike2 above", "Text6(3)=10;Text7(1)=12", "Text7(1)");
    passes("butterfly strike1 alone", "Text6(3)=10", "Text7(1)");
    warns("butterfly price2 equal", "Text6(4)=2;Text7(2)=2", "Text7(2)",
        "Call Price2 should be Less than Call Price1.", "Text7(2)");
    passes("butterfly price2 below", "Text6(4)=2;Text7(2)=1", "Text7(2)");
    passes("butterfly price1 alone", "Text6(4)=2", "Text7(2)");
    passes("butterfly third strike is not checked", "Text7(1)=12;Text8(1)=5", "Text8(1)");
    warns("butterfly price3 equal", "Text6(5)=3;Text7(2)=1;Text8(2)=1", "Text8(2)",
        "Call Price3 should be less than Call Price2.", "Text8(2)");
    passes("butterfly price3 below", "Text6(5)=3;Text7(2)=2;Text8(2)=1", "Text8(2)");
    passes("butterfly price3 alone", "Text8(2)=1", "Text8(2)");

    warns("spread strike2 equal", "Text9(3)=40;Text10(1)=40", "Text10(1)",
        "Call Strike Price2 should be Greater than Call Strike Price1.", "Text10(1)");
    passes("spread strike2 above", "Text9(3)=40;Text10(1)=45", "Text10(1)");
    passes("spread strike1 alone", "Text9(3)=40", "Text10(1)");
    warns("spread price2 equal", "Text9(4)=2;Text10(2)=2", "Text10(2)",
        "Call Price2 should be Less than Call Price1", "Text10(2)");
    passes("spread price2 below", "Text9(4)=2;Text10(2)=1.5", "Text10(2)");
    passes("spread price1 alone", "Text9(4)=2", "Text10(2)");
    passes("spread price2 without price1", "Text9(5)=2;Text10(2)=1.5", "Text10(2)");
}

void TestWorkspace::leaveChecks()
{
    QFETCH(QString, typed);
    QFETCH(QString, leaving);
    QFETCH(QString, prompt);
    QFETCH(int, style);
    QFETCH(QString, focus);
    Workspace w;
    w.load();
    type(w, typed);
    const std::optional<Refusal> warning = w.leaveField(id(leaving));
    // Warnings only warn: the text stays as typed.
    for (const auto &[field, text] : pairs(typed))
        QCOMPARE(w.text(field), text);
    QCOMPARE(bool(warning), !prompt.isEmpty());
    // Each check speaks only for its own field: leaving any other field with
    // the same texts says nothing. The bull contracts warn whenever empty, the
    // butterfly's first call price whenever above its strike.
    for (const ControlId &other : allTextBoxes()) {
        Workspace elsewhere;
        elsewhere.load();
        type(elsewhere, typed);
        if (other != id(leaving) && other != at("Text2", 5) && other != at("Text6", 4))
            QVERIFY2(!elsewhere.leaveField(other), qPrintable(other.toString()));
    }
    if (!warning)
        return;
    QCOMPARE(warning->message.prompt, prompt);
    QCOMPARE(warning->message.style, style);
    QCOMPARE(warning->message.title, QStringLiteral("Attention"));
    QVERIFY(warning->focus);
    QCOMPARE(*warning->focus, id(focus));
    QVERIFY(warning->selectAll);
}

// Leaving a symbol makes it upper case, the group's stock symbol also in
// Text1; every other field keeps its text.
void TestWorkspace::leavingUpperCasesOnlySymbols()
{
    for (const GroupSpec &g : groups()) {
        for (const FieldSpec &field : g.fields) {
            Workspace w;
            w.load();
            w.setText(field.id, QStringLiteral("ibm c"));
            const QString typed = w.text(field.id); // derived fields rewrite themselves
            const QString text1 = w.text(single("Text1"));
            w.leaveField(field.id);
            const bool symbol = field.caption.contains(u"Symbol");
            QCOMPARE(w.text(field.id), symbol ? typed.toUpper() : typed);
            QCOMPARE(w.text(single("Text1")), field.id == g.symbolField ? typed.toUpper() : text1);
        }
    }
}

void TestWorkspace::keyFilter_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("letter in strike") << "Text5(1)" << QChar(u'a') << false;
    QTest::newRow("point") << "Text5(1)" << QChar(u'.') << true;
    QTest::newRow("space") << "Text5(1)" << QChar(u' ') << true;
    QTest::newRow("backspace") << "Text5(1)" << QChar(8) << true;
    QTest::newRow("enter") << "Text5(1)" << QChar(13) << true;
    QTest::newRow("escape") << "Text5(1)" << QChar(27) << true;
    QTest::newRow("minus") << "Text5(1)" << QChar(u'-') << false;
    QTest::newRow("paste key") << "Text5(1)" << QChar(22) << false;
    QTest::newRow("letter in symbol") << "Text5(0)" << QChar(u'a') << true;
    QTest::newRow("letter in Text1") << "Text1" << QChar(u'a') << true;
    QTest::newRow("bull contracts") << "Text2(5)" << QChar(u'x') << false;
    QTest::newRow("spread total not filtered") << "Text9(6)" << QChar(u'x') << true;
    QTest::newRow("ratio holder D") << "txtRatioSell(4)" << QChar(u'x') << false;
    QTest::newRow("ratio contracts not filtered") << "txtRatioSell(5)" << QChar(u'x') << true;
    QTest::newRow("covered total not filtered") << "Text5(4)" << QChar(u'x') << true;
}

void TestWorkspace::keyFilter()
{
    QFETCH(QString, field);
    QFETCH(QChar, key);
    QFETCH(bool, accepted);
    QCOMPARE(Workspace::acceptsKey(id(field), key), accepted);
    const Message m = Workspace::keyFilterMessage();
    QCOMPARE(m.prompt, QStringLiteral("You can Enter only Digits in this Field."));
    QCOMPARE(m.title, QStringLiteral("Attention Please"));
    QCOMPARE(m.style, MsgStyle::Information);
}

// Of the fields the user types, every number refuses a letter and every
// symbol takes one, in each strategy.
void TestWorkspace::typedNumbersTakeNoLetters()
{
    const std::set<FieldRole> symbols {FieldRole::StockSymbol, FieldRole::CallSymbol1,
        FieldRole::CallSymbol2, FieldRole::CallSymbol3};
    for (const GroupSpec &g : groups())
        for (const FieldSpec &field : g.fields)
            if (field.kind == FieldKind::Typed)
                QVERIFY2(Workspace::acceptsKey(field.id, u'a') == symbols.contains(field.role),
                    qPrintable(field.id.toString()));
}

// View Graph takes the ratio from the list: the boxes are filled again, and
// the contracts sized, only where they do not show the chosen entry.
void TestWorkspace::ratioFromList_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("chosen");
    QTest::addColumn<QString>("expected");
    const char *emptied = "txtRatioSell(3)=;txtRatioSell(4)=;txtRatioBuy(2)=200";
    addRow("boxes show the entry: contracts kept", 1, "txtRatioBuy(2)=200;txtRatioSell(5)=7", true,
        "txtRatioSell(3)=3;txtRatioSell(4)=2;txtRatioSell(5)=7");
    addRow("emptied by New, 2:1", 0, emptied, true,
        "txtRatioSell(3)=2;txtRatioSell(4)=1;txtRatioSell(5)=4");
    addRow("emptied by New, 5:4", 3, emptied, true,
        "txtRatioSell(3)=5;txtRatioSell(4)=4;txtRatioSell(5)=2.5");
    addRow("only the sold count differs", 1, "txtRatioBuy(2)=200;txtRatioSell(3)=7", true,
        "txtRatioSell(3)=3;txtRatioSell(4)=2;txtRatioSell(5)=3");
    addRow("only the lot count differs", 1, "txtRatioBuy(2)=200;txtRatioSell(4)=5", true,
        "txtRatioSell(3)=3;txtRatioSell(4)=2;txtRatioSell(5)=3");
    addRow("no entry chosen", -1, emptied, false, "txtRatioSell(3)=;txtRatioSell(4)=");
}

void TestWorkspace::ratioFromList()
{
    QFETCH(int, entry);
    QFETCH(QString, typed);
    QFETCH(bool, chosen);
    QFETCH(QString, expected);
    Workspace w;
    w.load();
    w.setStrategy(1);
    w.setRatioIndex(entry);
    type(w, typed);
    QCOMPARE(w.ratioFromList(), chosen);
    for (const auto &[field, text] : pairs(expected))
        QCOMPARE(w.text(field), text);
}

void TestWorkspace::ratioFiguresKeptWhenGuardsFail()
{
    Workspace w;
    w.load();
    type(w, "txtRatioBuy(1)=50;txtRatioSell(1)=55;txtRatioSell(2)=2;txtRatioBuy(2)=200");
    w.chooseRatio(1);
    w.newValues();
    w.calRatioPMaxProfit();
    w.calRatioBreakevenPoint();
    const RatioFigures before = w.ratio();
    // New empties the holders: D reads 0, so nothing may be divided by it.
    w.blank();
    w.setText(at("txtRatioBuy", 2), QStringLiteral("400"));
    QCOMPARE(w.text(at("txtRatioSell", 5)), QString());
    w.calRatioContracts();
    QCOMPARE(w.text(at("txtRatioSell", 5)), QString());
    // Neither guard holds: both break-even prices keep their values.
    w.ratio().ratioLotCount = 0;
    w.ratio().ratioSellCount = 0;
    w.ratio().unitMaxProfit = 99;
    w.calRatioBreakevenPoint();
    QCOMPARE(w.ratio().lowBreakEven, before.lowBreakEven);
    QCOMPARE(w.ratio().highBreakEven, before.highBreakEven);
    // N equal to D: only the lower one is recomputed.
    w.ratio().ratioLotCount = 2;
    w.ratio().ratioSellCount = 2;
    w.calRatioBreakevenPoint();
    QCOMPARE(w.ratio().lowBreakEven, -49.5); // the strike is empty after New: 0 - 99 / 2
    QCOMPARE(w.ratio().highBreakEven, before.highBreakEven);
    w.ratio().lotShares = 0;
    const double roundLots = w.ratio().roundLots;
    w.setRatioIndex(-1);
    w.newValues(); // no ratio chosen, holders empty: LotShares 0, RoundLots kept
    QCOMPARE(w.ratio().lotShares, 0.0);
    QCOMPARE(w.ratio().roundLots, roundLots);
}

void TestWorkspace::listIndexSignals()
{
    Workspace w;
    QSignalSpy ratio(&w, &Workspace::ratioIndexChanged);
    w.load();
    QCOMPARE(ratio.count(), 1); // -1 -> -1 changes nothing, then 0
    w.setRatioIndex(0);
    QCOMPARE(ratio.count(), 1);
    w.setRatioIndex(9);
    w.setRatioIndex(-2);
    QCOMPARE(w.ratioIndex(), 0);
    w.setRatioSpreadIndex(9); // one past the last entry
    QCOMPARE(w.ratioSpreadIndex(), 0);
}

// A slip in an index would leave one box without its place and another with two.
void TestWorkspace::catalogueNamesEachControlOnce()
{
    QSet<QString> seen;
    for (const GroupSpec &g : groups()) {
        for (const FieldSpec &field : g.fields) {
            QVERIFY2(!seen.contains(field.id.toString()), qPrintable(field.id.toString()));
            seen.insert(field.id.toString());
        }
    }
    QVERIFY(seen.contains(QStringLiteral("txtRatioSell(0)")));
}

QTEST_GUILESS_MAIN(TestWorkspace)
#include "tst_workspace.moc"
