// What assistive tools are told of the main window: every field the user
// types into is named by its caption (its sub-frame telling twins apart), the
// buttons and menu items by their texts, and a chart by its strategy, its
// figures and its table of values.
#include "support/TestSupport.h"
#include "ui/MainWindow.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <algorithm>

using namespace velmora;
using namespace velmora::testing;

namespace
{

QString accessibleText(QWidget *widget, QAccessible::Text kind)
{
    return QAccessible::queryAccessibleInterface(widget)->text(kind);
}

// The fields of a group the user can reach, in tab order.
QList<QLineEdit *> reachableFields(QWidget *group)
{
    QList<QLineEdit *> fields;
    for (QLineEdit *field : group->findChildren<QLineEdit *>())
        if (field->isVisibleTo(group) && field->focusPolicy() != Qt::NoFocus)
            fields << field;
    return fields;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT
private slots:
    void groupFieldsAreNamedByTheirCaptions_data();
    void groupFieldsAreNamedByTheirCaptions();
    void buttonsAndMenusAreNamedByTheirTexts();
    void chartSaysItsFigures_data();
    void chartSaysItsFigures();

private:
    ScriptedMessageBoxes m_boxes;
};

void TestAccessibility::groupFieldsAreNamedByTheirCaptions_data()
{
    QTest::addColumn<int>("strategy");
    QTest::addColumn<QString>("names"); // name, or name/description where captions repeat
    addRow("Covered Calls", 0,
        "Symbol/Buy (Stocks)|Stock Price|Shares|Symbol/Sell (Calls)|Strike Price|Call Price|"
        "Contracts");
    addRow("Ratio Calls", 1,
        "Symbol/Buy (Stocks)|Stock Price|Shares|Symbol/Sell (Calls)|Strike Price|Call Price|"
        "Contracts");
    addRow("Bull Spreads", 2,
        "Stock Symbol|Call Symbol/Buy (Calls)|Call Strike Price/Buy (Calls)|"
        "Call Price/Buy (Calls)|Contracts/Buy (Calls)|Call Symbol/Sell (Calls)|"
        "Call Strike Price/Sell (Calls)|Call Price/Sell (Calls)|Contracts/Sell (Calls)");
    addRow("Butterfly Spreads", 3,
        "Stock Symbol|Call Symbol1|Strike Price1|Call Price1|Contracts1|Call Symbol2|"
        "Strike Price2|Call Price2|Contracts2|Call Symbol3|Strike Price3|Call Price3|Contracts3");
    addRow("Ratio Call Spreads", 4,
        "Stock Symbol|Call Symbol/Buy (Calls)|Call Strike Price 1|Call Price 1|Contracts|"
        "Total Contracts 1|Call Symbol/Sell (Calls)|Call Strike Price 2|Call Price 2|"
        "Total Contracts 2");
}

void TestAccessibility::groupFieldsAreNamedByTheirCaptions()
{
    QFETCH(int, strategy);
    QFETCH(QString, names);
    MainWindow window(m_boxes);
    window.workspace().setStrategy(strategy);
    QWidget *box = window.control({group(strategy).frameName, -1});
    QStringList said;
    for (QLineEdit *field : reachableFields(box)) {
        const QString name = accessibleText(field, QAccessible::Name);
        const QString description = field->accessibleDescription();
        said << (description.isEmpty() ? name : name + u'/' + description);
        if (!description.isEmpty()) // the frame around says the same
            QCOMPARE(accessibleText(field->parentWidget(), QAccessible::Name), description);
        // The caption beside the field is its buddy; the field says what it holds.
        const QList<QLabel *> labels = field->parentWidget()->findChildren<QLabel *>();
        const auto caption = std::ranges::find_if(
            labels, [field](const QLabel *label) { return label->buddy() == field; });
        QVERIFY2(caption != labels.cend(), qPrintable(name));
        QCOMPARE((*caption)->text().trimmed(), name);
        QVERIFY(!field->toolTip().isEmpty());
    }
    QCOMPARE(said.join(u'|'), names);
    said.removeDuplicates();
    QCOMPARE(said.size(), reachableFields(box).size());
}

void TestAccessibility::buttonsAndMenusAreNamedByTheirTexts()
{
    MainWindow window(m_boxes);
    QCOMPARE(accessibleText(window.field(single("Text1")), QAccessible::Name),
        QStringLiteral("Stock/Symbol"));
    QWidget *graph = window.control(single("cmdGraph"));
    QCOMPARE(accessibleText(graph, QAccessible::Name), QStringLiteral("View Graph"));
    QCOMPARE(accessibleText(window.control(single("cmdAnalysis")), QAccessible::Name),
        QStringLiteral("Analysis"));
    QVERIFY(!graph->toolTip().isEmpty());
    for (QMenu *menu : window.menuBar()->findChildren<QMenu *>()) {
        QAccessibleInterface *items = QAccessible::queryAccessibleInterface(menu);
        QCOMPARE(items->childCount(), int(menu->actions().size()));
        for (int i = 0; i < items->childCount(); ++i) {
            const QAction *action = menu->actions().at(i);
            if (!action->isSeparator())
                QCOMPARE(
                    items->child(i)->text(QAccessible::Name), QString(action->text()).remove(u'&'));
        }
    }
}

void TestAccessibility::chartSaysItsFigures_data()
{
    QTest::addColumn<int>("strategy");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("figures");
    QTest::addColumn<QString>("row"); // one line of the table of values
    addRow("covered call, one break-even, a debit", 0, "20|100|25|2", "Covered Calls, XYZ",
        "Break-even $18.00, maximum profit $700.00 at $25.00 and above, maximum loss $1800.00 at "
        "$0.00, net debit $1800.00.",
        "18\t-200\t200\t0");
    addRow("butterfly, two break-evens", 3, "40|12|1|50|6|2", "Butterfly Spreads, XYZ",
        "Break-evens $42.00 and $58.00, maximum profit $800.00 at $50.00, maximum loss $200.00 "
        "from $0.00 to $40.00 and at $60.00 and above, net debit $200.00.",
        "50\t-200\t1200\t-200\t800");
}

void TestAccessibility::chartSaysItsFigures()
{
    QFETCH(int, strategy);
    QFETCH(QString, position);
    QFETCH(QString, name);
    QFETCH(QString, figures);
    QFETCH(QString, row);
    MainWindow window(m_boxes);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    typePosition(window.workspace(), strategy, position);
    window.cmdGraph_Click();
    QVERIFY(window.chartShown());
    QAccessibleInterface *chart = QAccessible::queryAccessibleInterface(window.chartWidget());
    QCOMPARE(chart->role(), QAccessible::Chart);
    QCOMPARE(chart->text(QAccessible::Name), name);
    QCOMPARE(chart->text(QAccessible::Description), figures);
    QAccessibleTextInterface *table = chart->textInterface();
    QVERIFY(table);
    const QString text = table->text(0, table->characterCount());
    QVERIFY2(text.contains(row), qPrintable(text));
}

QTEST_MAIN(TestAccessibility)
#include "wtst_accessibility.moc"
