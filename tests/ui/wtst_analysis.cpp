// The analysis view from the main window: the same refusal as View Graph,
// refused inputs put back, one settings file, exports that suggest a name,
// the tables on the clipboard, and the chart driven from the keyboard.

#include "support/TestSupport.h"
#include "ui/AnalysisPanel.h"
#include "ui/AnalysisWindow.h"
#include "ui/MainWindow.h"
#include "ui/PlGridView.h"
#include "ui/ProgramSettings.h"
#include "ui/QtMessageBoxes.h"
#include "ui/chart/AnalysisView.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QDateEdit>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>

using namespace velmora;
using namespace velmora::testing;

namespace
{

void typeCoveredCall(Workspace &ws)
{
    ws.setStrategy(0);
    ws.setText(single("Text1"), QStringLiteral("IBM"));
    ws.setText(at("Text4", 1), QStringLiteral("20"));
    ws.setText(at("Text4", 2), QStringLiteral("100"));
    ws.setText(at("Text5", 1), QStringLiteral("25"));
    ws.setText(at("Text5", 2), QStringLiteral("2"));
}

AnalysisWindow *openAnalysis(MainWindow &window)
{
    window.action(QStringLiteral("V_Analysis"))->trigger();
    return window.findChild<AnalysisWindow *>();
}

// Types over a field's text and presses Enter, as a user does.
void retype(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

// A covered call's analysis on screen, in front.
struct Analysed {
    ScriptedMessageBoxes boxes;
    MainWindow window {boxes};
    AnalysisWindow *analysis = nullptr;

    explicit Analysed(MessageBoxes *messages = nullptr)
        : window(messages ? *messages : boxes)
    {
        typeCoveredCall(window.workspace());
        window.show();
        analysis = openAnalysis(window);
        if (!analysis || !QTest::qWaitForWindowActive(analysis))
            QTest::qFail("no analysis window in front", __FILE__, __LINE__);
    }
    QLineEdit *field(const char *name) const
    {
        return analysis->panel()->field(QString::fromLatin1(name));
    }
    AnalysisView *view() const { return analysis->view(); }
};

} // namespace

class TestAnalysisWindow : public QObject
{
    Q_OBJECT
private slots:
    // The remembered inputs go to a settings folder of the test's own.
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit()); }
    void oneSettingsFileReadingTheEarlierOne();
    void refusedLikeViewGraph();
    void fitsTheScreen();
    void refusedInputPutBack_data();
    void refusedInputPutBack();
    void refusedModeSwitchPutBack();
    void numberFieldsRefuseLetters();
    void exportsSuggestANameAndKeepTheFolder();
    void printItemsOpenTheirDialogs_data();
    void printItemsOpenTheirDialogs();
    void tablesCopyAsTabSeparated();
    void gridTabCopiesTheGrid();
    void fieldsAndFiguresAreNamed();
    void keysMoveTheCrosshairAndTheRange();
    void resetUpdatesTheReadoutAtOnce();
    void expirationFollowsTheDays();
    void europeanNoteOnlyWithADividend();
    void impliedVolatilitiesPriceTodayAtThePremiums();
    void spreadWaitsForTodaysStockPrice();

private:
    QTemporaryDir m_config;
};

void TestAnalysisWindow::oneSettingsFileReadingTheEarlierOne()
{
    QSettings(QStringLiteral("Velmora"), QStringLiteral("Velmora"))
        .setValue(QStringLiteral("analysis/rate"), 2.5);
    Analysed a;
    QCOMPARE(a.field("rate")->text(), QStringLiteral("2.5"));
    QCOMPARE(programSettings().value(QStringLiteral("analysis/rate")).toDouble(), 2.5);
    QCOMPARE(
        programSettings().fileName(), m_config.filePath(QStringLiteral("velmora/velmora.conf")));
}

void TestAnalysisWindow::refusedLikeViewGraph()
{
    ScriptedMessageBoxes boxes;
    MainWindow window(boxes);
    window.workspace().setStrategy(0);
    window.cmdGraph_Click();
    QCOMPARE(boxes.shown().size(), std::size_t(1));
    QVERIFY(!openAnalysis(window));
    QCOMPARE(boxes.shown().size(), std::size_t(2));
    QCOMPARE(boxes.shown()[1], boxes.shown()[0]);
}

void TestAnalysisWindow::fitsTheScreen()
{
    Analysed a;
    const QRect room = a.analysis->screen()->availableGeometry();
    QVERIFY2(room.contains(a.analysis->frameGeometry()),
        qPrintable(QStringLiteral("%1x%2")
                       .arg(a.analysis->frameGeometry().width())
                       .arg(a.analysis->frameGeometry().height())));
}

void TestAnalysisWindow::refusedInputPutBack_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("named"); // what the message starts with
    addRow("volatility 0", "volatility", "0", "Volatility");
    addRow("days past 100 years", "days", "40000", "Days to Expiration");
}

// The box of a real run belongs to the main window; the focus still goes
// back to the refused field, which shows the value the chart was drawn with.
void TestAnalysisWindow::refusedInputPutBack()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, named);
    QtMessageBoxes boxes;
    Analysed a(&boxes);
    boxes.setWindow(&a.window);
    a.analysis->panel()->evaluationSlider()->setValue(10);
    const std::vector<ChartOp> before = a.view()->surface().ops();
    QLineEdit *field = a.field(name.toLatin1());
    const QString good = field->text();
    NextDialog dialog;
    QString said;
    dialog.check = [&said](QDialog *box) {
        said = qobject_cast<QMessageBox *>(box)->text();
        box->accept();
    };
    dialog.arm(this);
    retype(field, typed);
    settle();
    QVERIFY2(said.startsWith(named), qPrintable(said));
    QCOMPARE(field->text(), good);
    QCOMPARE(QApplication::focusWidget(), field);
    QVERIFY(a.view()->surface().ops() == before);
    QCOMPARE(a.analysis->panel()->evaluationSlider()->maximum(), 30);
    QCOMPARE(a.analysis->panel()->evaluationDate(), QDate::currentDate().addDays(10));
}

// A switch of the volatility mode refused for a number typed before it:
// the switch goes back with the number.
void TestAnalysisWindow::refusedModeSwitchPutBack()
{
    Analysed a;
    auto *implied
        = a.analysis->panel()->findChild<QRadioButton *>(QStringLiteral("impliedVolatility"));
    auto *typed = a.analysis->panel()->findChild<QRadioButton *>(QStringLiteral("typedVolatility"));
    QRadioButton *shown = implied->isChecked() ? implied : typed;
    QLineEdit *volatility = a.field("volatility");
    const QString good = volatility->text();
    volatility->setText(QStringLiteral("0"));
    (shown == implied ? typed : implied)->click();
    QVERIFY(!a.boxes.shown().empty());
    QVERIFY(shown->isChecked());
    QCOMPARE(volatility->text(), good);
}

void TestAnalysisWindow::numberFieldsRefuseLetters()
{
    Analysed a;
    QLineEdit *rate = a.field("rate");
    rate->clear();
    QTest::keyClicks(rate, QStringLiteral("-1x.5"));
    QCOMPARE(rate->text(), QStringLiteral("-1.5"));
    QCOMPARE(a.boxes.shown().size(), std::size_t(1));
    QCOMPARE(a.boxes.shown()[0], Workspace::keyFilterMessage());
    QLineEdit *volatility = a.field("volatility");
    volatility->clear();
    QTest::keyClicks(volatility, QStringLiteral("-4"));
    QCOMPARE(volatility->text(), QStringLiteral("4"));
}

void TestAnalysisWindow::exportsSuggestANameAndKeepTheFolder()
{
    QTemporaryDir dir;
    Analysed a;
    QString suggested;
    NextDialog dialog;
    dialog.check = [&](QDialog *d) {
        auto *files = qobject_cast<QFileDialog *>(d);
        suggested = files->selectedFiles().value(0);
        files->selectFile(dir.filePath(QStringLiteral("figures")));
        d->accept(); // as the Save button does
    };
    dialog.arm(this);
    a.analysis->action(QStringLiteral("A_ExportTable"))->trigger();
    QCOMPARE(QFileInfo(suggested).fileName(), QStringLiteral("IBM Covered Calls analysis.csv"));
    QVERIFY(fileBytes(dir.filePath(QStringLiteral("figures.csv"))).startsWith("Figure,Value"));
    QCOMPARE(exportFolder(), dir.path());

    dialog.check = [&](QDialog *d) {
        suggested = qobject_cast<QFileDialog *>(d)->selectedFiles().value(0);
        d->reject();
    };
    dialog.arm(this);
    a.analysis->action(QStringLiteral("A_ExportChart"))->trigger();
    QCOMPARE(suggested, dir.filePath(QStringLiteral("IBM Covered Calls analysis.pdf")));
}

void TestAnalysisWindow::printItemsOpenTheirDialogs_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("chart, print") << "A_Print"
                                  << "QPrintDialog";
    QTest::newRow("chart, preview") << "A_Preview"
                                    << "QPrintPreviewDialog";
    QTest::newRow("report, print") << "A_PrintReport"
                                   << "QPrintDialog";
    QTest::newRow("report, preview") << "A_PreviewReport"
                                     << "QPrintPreviewDialog";
}

void TestAnalysisWindow::printItemsOpenTheirDialogs()
{
    QFETCH(QString, item);
    QFETCH(QString, dialog);
    Analysed a;
    NextDialog next; // answered with Cancel
    next.arm(this);
    a.analysis->action(item)->trigger();
    QCOMPARE(next.shown, dialog);
    QVERIFY(a.boxes.shown().empty());
}

void TestAnalysisWindow::tablesCopyAsTabSeparated()
{
    ScriptedMessageBoxes boxes;
    MainWindow window(boxes);
    typeCoveredCall(window.workspace());
    AnalysisWindow *analysis = openAnalysis(window);
    analysis->action(QStringLiteral("A_Copy"))->trigger();
    const QString figures = QGuiApplication::clipboard()->text();
    QVERIFY2(figures.contains(QStringLiteral("\nMaximum Profit\t700.00\t>= 25.00\n")),
        qPrintable(figures));

    window.cmdGraph_Click();
    window.action(QStringLiteral("E_Copy"))->trigger();
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 7); // two header rows and five value rows
    QCOMPARE(lines.at(4), QStringLiteral("18\t-200\t200\t0"));
}

// With the grid's tab showing, Copy gives the grid: the dates across, the
// prices down; the slider's date is a column, and a cell's tooltip has its amount.
void TestAnalysisWindow::gridTabCopiesTheGrid()
{
    Analysed a;
    AnalysisWindow *analysis = a.analysis;
    a.field("days")->setText(QStringLiteral("30"));
    QVERIFY(analysis->applyInputs());
    analysis->panel()->evaluationSlider()->setValue(11);
    analysis->tabs()->setCurrentWidget(analysis->grid());
    analysis->action(QStringLiteral("A_Copy"))->trigger();
    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    const QDate today = QDate::currentDate();
    const QStringList dates = lines.front().split(u'\t');
    QCOMPARE(dates.mid(0, 2), QStringList({"Price", today.toString(Qt::ISODate)}));
    QVERIFY(dates.contains(today.addDays(11).toString(Qt::ISODate)));
    QCOMPARE(dates.back(), today.addDays(30).toString(Qt::ISODate));
    const auto at25 = std::find_if(
        lines.begin(), lines.end(), [](const QString &l) { return l.startsWith(u"25.00\t"); });
    QVERIFY(at25 != lines.end());
    QVERIFY2(at25->endsWith(u"\t700.00"), qPrintable(*at25));

    const QAbstractItemModel *model = analysis->grid()->model();
    const int row = int(at25 - lines.begin()) - 1;
    QCOMPARE(model->index(row, model->columnCount() - 1).data(Qt::ToolTipRole).toString(),
        QStringLiteral("P/L at $25.00 on %1 (expiration): $700.00")
            .arg(today.addDays(30).toString(Qt::ISODate)));
    const int dateColumn = int(dates.indexOf(today.addDays(11).toString(Qt::ISODate))) - 1;
    QVERIFY(model->headerData(dateColumn, Qt::Horizontal).toString().endsWith(u"Evaluation"));
}

// A screen reader hears each field's caption, and each figure with its row
// and column; the figures' tips say what they are.
void TestAnalysisWindow::fieldsAndFiguresAreNamed()
{
    Analysed a;
    int fields = 0;
    for (const QLabel *caption : a.analysis->panel()->findChildren<QLabel *>()) {
        if (!caption->buddy())
            continue;
        ++fields;
        QCOMPARE(QAccessible::queryAccessibleInterface(caption->buddy())->text(QAccessible::Name),
            caption->text().remove(u'&'));
    }
    QCOMPARE(fields, 8);
    auto *table = a.analysis->findChild<QTableWidget *>(QStringLiteral("figures"));
    QAccessibleTableInterface *cells
        = QAccessible::queryAccessibleInterface(table)->tableInterface();
    QCOMPARE(cells->cellAt(1, 1)->text(QAccessible::Name),
        QStringLiteral("Maximum Profit, Value: 700.00"));
    // Every figure has its row, down to the last.
    QCOMPARE(table->item(table->rowCount() - 1, 0)->text(),
        QStringLiteral("Vega ($ per volatility point)"));
    const QList<QTableWidgetItem *> delta
        = table->findItems(QStringLiteral("Delta"), Qt::MatchStartsWith);
    QCOMPARE(delta.size(), 1);
    QVERIFY(delta[0]->toolTip().startsWith(QStringLiteral(
        "Delta: the change of the position's value for a $1 move of the stock, in shares")));
}

void TestAnalysisWindow::keysMoveTheCrosshairAndTheRange()
{
    Analysed a;
    AnalysisView *view = a.view();
    const auto price = [view] { return view->crosshair().value().price; };
    const PriceRange automatic = view->priceRange();
    view->setFocus(Qt::TabFocusReason);
    QCOMPARE(price(), 20.0); // today's stock price
    const double step = view->priceStep();
    QVERIFY(step > 0);
    QTest::keyClick(view, Qt::Key_Right);
    QCOMPARE(price(), 20 + step);
    QTest::keyClick(view, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(price(), 20 - 9 * step);
    const double markY = view->crosshair()->point.y();
    QVERIFY(markY >= view->frame().top && markY <= view->frame().top + view->frame().height);
    QVERIFY(view->accessibleDescription().contains(currencyText(price())));
    const double at = price();
    QTest::keyClick(view, Qt::Key_Plus);
    QVERIFY(view->priceRange().high - view->priceRange().low < automatic.high - automatic.low);
    QCOMPARE(price(), at);
    const PriceRange zoomed = view->priceRange();
    QTest::keyClick(view, Qt::Key_Right, Qt::ControlModifier);
    QVERIFY(view->priceRange().low > zoomed.low);
    // Zoom and pan hold while only the evaluation date moves.
    const PriceRange panned = view->priceRange();
    a.analysis->panel()->evaluationSlider()->setValue(10);
    QCOMPARE(view->priceRange().low, panned.low);
    QCOMPARE(view->priceRange().high, panned.high);
    QTest::keyClick(view, Qt::Key_Minus);
    QVERIFY(view->priceRange().high - view->priceRange().low > panned.high - panned.low);
    QTest::keyClick(view, Qt::Key_0);
    QCOMPARE(view->priceRange().low, automatic.low);
    QCOMPARE(view->priceRange().high, automatic.high);
    // Any other input draws the position afresh over its own range.
    const auto width = [view] { return view->priceRange().high - view->priceRange().low; };
    QLineEdit *rate = a.field("rate");
    const QString kept = rate->text(); // remembered for the tests after this one
    for (const QString &typed : {QStringLiteral("7"), kept}) {
        QTest::keyClick(view, Qt::Key_Plus);
        const double zoomedWidth = width();
        retype(rate, typed);
        QVERIFY(width() > zoomedWidth);
        view->setFocus();
    }
}

// The readout shows the price under the mouse, none outside the plot, also
// after the range moved beneath it.
void TestAnalysisWindow::resetUpdatesTheReadoutAtOnce()
{
    Analysed a;
    AnalysisView *view = a.view();
    const QPoint mouse(view->width() / 2, view->height() / 2);
    QTest::mouseMove(view, mouse);
    QVERIFY(view->crosshair());
    QTest::mouseMove(view, QPoint(mouse.x(), view->height() - 2)); // below the plot
    QVERIFY(!view->crosshair());
    QTest::mouseMove(view, mouse);
    view->zoom(0.5, view->priceRange().low);
    const double zoomedPrice = view->crosshair().value().price;
    QTest::mouseDClick(view, Qt::LeftButton, {}, mouse);
    QVERIFY(view->crosshair().value().price != zoomedPrice);
    QCOMPARE(view->crosshair()->price, view->frame().priceAt(view->crosshair()->point.x()));
}

void TestAnalysisWindow::expirationFollowsTheDays()
{
    Analysed a;
    QLineEdit *days = a.field("days");
    const auto *expiration
        = a.analysis->panel()->findChild<QDateEdit *>(QStringLiteral("expiration"));
    const QString kept = days->text(); // remembered for the tests after this one
    for (const QString &typed : {QStringLiteral("45"), QStringLiteral("0"), kept}) {
        retype(days, typed);
        QCOMPARE(expiration->date(), QDate::currentDate().addDays(typed.toInt()));
    }
}

void TestAnalysisWindow::europeanNoteOnlyWithADividend()
{
    Analysed a;
    const QWidget *note = a.analysis->findChild<QWidget *>(QStringLiteral("europeanNote"));
    QLineEdit *dividend = a.field("dividend");
    const QString kept = dividend->text(); // remembered for the tests after this one
    for (const QString &typed : {QStringLiteral("2"), QStringLiteral("0"), kept}) {
        retype(dividend, typed);
        QCOMPARE(note->isVisible(), typed.toDouble() > 0);
    }
}

// Each call at the volatility its premium implies: the position is worth
// today what it cost, so its P/L today at today's price is 0. One volatility
// for all prices the call at that one instead.
void TestAnalysisWindow::impliedVolatilitiesPriceTodayAtThePremiums()
{
    Analysed a;
    AnalysisView *view = a.view();
    const auto todayAtStock = [view] {
        view->setFocus(Qt::TabFocusReason); // the crosshair starts at today's price
        const double today = view->crosshair().value().values.today.value();
        view->clearFocus();
        return today;
    };
    QVERIFY(std::abs(todayAtStock()) < 0.005);
    QVERIFY2(a.analysis->panel()->legVolatility(1)->text().endsWith(u'%'),
        qPrintable(a.analysis->panel()->legVolatility(1)->text()));
    QVERIFY(!texts(
        view->surface().ops(), QStringLiteral("IBM covered call: +100 @ 20, \u22121 C25 @ 2"))
                 .empty());

    a.analysis->panel()->typedSwitch()->click();
    QVERIFY(
        a.analysis->panel()->legVolatility(1)->text().endsWith(QStringLiteral("; 30.00 % used")));
    QVERIFY(std::abs(todayAtStock()) > 1);
}

// A spread has no stock price of its own: the field waits empty with its
// prompt, and the curves before expiration wait for it. Typed once, it
// comes back for the same position.
void TestAnalysisWindow::spreadWaitsForTodaysStockPrice()
{
    ScriptedMessageBoxes boxes;
    MainWindow window(boxes);
    typePosition(window.workspace(), 2);
    AnalysisWindow *analysis = openAnalysis(window);
    QVERIFY(analysis);
    QLineEdit *stock = analysis->panel()->field(QStringLiteral("stockPrice"));
    QCOMPARE(stock->text(), QString());
    QVERIFY(!analysis->findChild<QLabel *>(QStringLiteral("stockPricePrompt"))->isHidden());
    QVERIFY(analysis->figureTable().last().contains(QStringLiteral("needs today's stock price")));
    stock->setText(QStringLiteral("45"));
    emit stock->editingFinished();
    QVERIFY(analysis->findChild<QLabel *>(QStringLiteral("stockPricePrompt"))->isHidden());
    QVERIFY(!analysis->figureTable().last().contains(QStringLiteral("needs today's stock price")));
    analysis->close();
    settle();
    QCOMPARE(openAnalysis(window)->panel()->field(QStringLiteral("stockPrice"))->text(),
        QStringLiteral("45"));
    QVERIFY(boxes.shown().empty());
}

QTEST_MAIN(TestAnalysisWindow)
#include "wtst_analysis.moc"
