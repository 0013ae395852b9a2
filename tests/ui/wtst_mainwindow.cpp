// The main window driven like a user would: typing, focus moves by Tab, Enter
// and mouse, the key filter, the leave warnings and their answers, strategy
// switching, chart mode, New, the window state and the About window.
#include "chart/Twips.h"
#include "support/TestSupport.h"
#include "ui/Look.h"
#include "ui/MainWindow.h"
#include "ui/QtMessageBoxes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace velmora;
using namespace velmora::testing;

namespace
{

// Message boxes that are real modal windows, answered by clicking OK as soon
// as they show: their focus changes reach the window as a user's would.
class ModalBoxes final : public MessageBoxes
{
public:
    Answer show(const Message &message) override
    {
        ++m_count;
        QMessageBox box(QMessageBox::Question, message.shownTitle(), message.prompt,
            QMessageBox::Ok | QMessageBox::Cancel, QApplication::activeWindow());
        QTimer::singleShot(20, &box, [&box] { box.button(QMessageBox::Ok)->click(); });
        return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
    }
    int m_count = 0;
};

template<typename Boxes>
struct Window {
    Boxes boxes;
    MainWindow window {boxes};

    Window()
    {
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            QTest::qFail("the main window never became active", __FILE__, __LINE__);
    }
    QLineEdit *operator[](const char *name) const
    {
        return window.field(id(QString::fromLatin1(name)));
    }
    // Focus into a field as the program does, then type into it.
    void type(const char *name, const QString &text)
    {
        window.setFocusTo(id(QString::fromLatin1(name)), false);
        settle();
        QTest::keyClicks((*this)[name], text);
    }
    QString focused() const
    {
        const auto focus = window.focusedControl();
        return focus ? focus->toString() : QString();
    }
};

using Main = Window<ScriptedMessageBoxes>;

// A new position: Covered Calls alone, the first ratio, nothing said; after
// New every box is empty.
void checkEntryState(Main &m, bool blank)
{
    QCOMPARE(m.window.windowTitle(), QStringLiteral("Strategy"));
    QCOMPARE(m.window.workspace().strategy(), 0);
    QVERIFY(!m.window.chartShown());
    QVERIFY(!m.window.action(QStringLiteral("P_Graph"))->isEnabled());
    for (const GroupSpec &g : groups())
        QVERIFY2(m.window.control({g.frameName, -1})->isVisible() == (g.frameName == u"fraCovered"),
            qPrintable(g.frameName));
    for (const ControlId &box : allTextBoxes()) {
        const QLineEdit *edit = m.window.field(box);
        QVERIFY2(edit, qPrintable(box.toString()));
        QCOMPARE(edit->text(), blank ? QString() : m.window.workspace().text(box));
        QCOMPARE(edit->isHidden(), fieldKind(box) == FieldKind::Hidden);
        QCOMPARE(edit->isReadOnly(), fieldKind(box) == FieldKind::ReadOnly);
    }
    QVERIFY(m.window.list(QStringLiteral("cmbStrategy"))->isEnabled());
    QVERIFY(!m.window.list(QStringLiteral("cmbStrategy"))->isEditable());
    QCOMPARE(m.window.list(QStringLiteral("cmbRatio"))->currentIndex(), 0);
    QCOMPARE(m.window.openSaveState().OpSvMode, OpenSaveState::New);
    QVERIFY(m.boxes.shown().empty());
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void startsAndNewGiveTheEntryState();
    void typingCascades();
    void clipboard_data();
    void clipboard();
    void editingKeysPassTheFilter_data();
    void editingKeysPassTheFilter();
    void strategySwitch_data();
    void strategySwitch();
    void focusMoves_data();
    void focusMoves();
    void focusColours();
    void selectAllOnFocus();
    void realMessageBoxShowsOnce();
    void chartModeAndEscape();
    void maximiseDoesNotLast();
    void aboutWindow();
    void messageBoxFitsItsTitleOnTheWindow();
};

void TestMainWindow::startsAndNewGiveTheEntryState()
{
    Main m;
    QVERIFY(!(m.window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(m.window.list(QStringLiteral("cmbratioCallSpreads"))->currentIndex(), 0);
    checkEntryState(m, false);
    m.window.workspace().setStrategy(3);
    m.type("Text6(3)", QStringLiteral("10"));
    m.type("Text1", QStringLiteral("abc"));
    m.window.list(QStringLiteral("cmbStrategy"))->setEnabled(false);
    m.window.setWindowTitle(QStringLiteral("Strategy - saved"));
    m.window.openSaveState().OpSvMode = OpenSaveState::Opened;
    m.window.graphBaseWindow();
    m.window.action(QStringLiteral("F_Nw"))->trigger();
    settle();
    checkEntryState(m, true);
    // A ratio set by the program shows in its list.
    m.window.workspace().setRatioSpreadIndex(8);
    QCOMPARE(m.window.list(QStringLiteral("cmbratioCallSpreads"))->currentIndex(), 8);
    m.window.workspace().setRatioIndex(2);
    QCOMPARE(m.window.list(QStringLiteral("cmbRatio"))->currentIndex(), 2);
}

void TestMainWindow::typingCascades()
{
    Main m;
    m.type("Text4(2)", QStringLiteral("250"));
    m.type("Text4(1)", QStringLiteral("10"));
    QCOMPARE(m["Text4(3)"]->text(), QStringLiteral("2500"));
    // Editing in the middle keeps the cursor where the user is typing.
    QLineEdit *price = m["Text4(1)"];
    price->setCursorPosition(1);
    QTest::keyClick(price, Qt::Key_5);
    QCOMPARE(price->text(), QStringLiteral("150"));
    QCOMPARE(price->cursorPosition(), 2);
    QCOMPARE(m["Text4(3)"]->text(), QStringLiteral("37500"));
}

// The standard editing shortcuts work; pasted and dropped text meets the
// key filter's rule and, refused, leaves the field as it was.
void TestMainWindow::clipboard_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("expected");
    addRow("paste digits", "3.25", "keys", "123.25");
    addRow("paste a sign and letters", "-5abc", "keys", "12");
    addRow("paste two points", "1.2.3", "keys", "12");
    addRow("menu paste letters", "-5abc", "menu", "12");
    addRow("drop letters", "x1", "drop", "12");
}

void TestMainWindow::clipboard()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, how);
    QFETCH(QString, expected);
    Main m;
    m.type("Text5(2)", QStringLiteral("12"));
    QLineEdit *price = m["Text5(2)"];
    for (const auto key : {QKeySequence::SelectAll, QKeySequence::Cut, QKeySequence::Undo})
        QTest::keySequence(price, QKeySequence(key));
    QCOMPARE(QGuiApplication::clipboard()->text() + price->text(), QStringLiteral("1212"));
    QGuiApplication::clipboard()->setText(clipboard);
    price->end(false);
    const QPoint end(price->width() - 5, price->height() / 2);
    if (how == u"menu") {
        QTimer::singleShot(0, price, [] {
            for (QAction *action : QApplication::activePopupWidget()->actions())
                if (action->text().startsWith(QLineEdit::tr("&Paste")))
                    action->trigger();
            QApplication::activePopupWidget()->close();
        });
        QContextMenuEvent menu(QContextMenuEvent::Mouse, end, price->mapToGlobal(end));
        QApplication::sendEvent(price, &menu);
    } else if (how == u"drop") {
        QMimeData data;
        data.setText(clipboard);
        QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(price, &enter);
        QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(price, &drop);
    } else {
        QTest::keySequence(price, QKeySequence(QKeySequence::Paste));
    }
    QCOMPARE(m.window.workspace().text(at("Text5", 2)), expected);
    QCOMPARE(m.boxes.shown().size(), size_t(expected == u"12" ? 1 : 0));
}

// Keys that edit without typing a character are no keys to the filter; X11
// reports Delete with the text "\x7f".
void TestMainWindow::editingKeysPassTheFilter_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("keyText");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("expected");
    QTest::newRow("delete") << int(Qt::Key_Delete) << QStringLiteral("\x7f") << 0 << "2.5";
    QTest::newRow("delete without text") << int(Qt::Key_Delete) << QString() << 0 << "2.5";
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << QStringLiteral("\b") << 4 << "12.";
    QTest::newRow("home") << int(Qt::Key_Home) << QString() << 4 << "12.5";
}

void TestMainWindow::editingKeysPassTheFilter()
{
    QFETCH(int, key);
    QFETCH(QString, keyText);
    QFETCH(int, cursor);
    QFETCH(QString, expected);
    Main m;
    m.type("Text4(1)", QStringLiteral("12.5"));
    QLineEdit *price = m["Text4(1)"];
    price->setCursorPosition(cursor);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, keyText);
    QApplication::sendEvent(price, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, keyText);
    QApplication::sendEvent(price, &release);
    settle();
    QCOMPARE(price->text(), expected);
    QCOMPARE(m.window.workspace().text(at("Text4", 1)), expected);
    QVERIFY(m.boxes.shown().empty());
}

void TestMainWindow::strategySwitch_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("frame");
    addRow("covered", 0, "fraCovered");
    addRow("ratio calls", 1, "fraRatio");
    addRow("bull", 2, "fraBull");
    addRow("butterfly", 3, "fraButterfly");
    addRow("ratio spreads", 4, "fraRatioCallSpreads");
}

void TestMainWindow::strategySwitch()
{
    QFETCH(int, index);
    QFETCH(QString, frame);
    Main m;
    m.type("Text1", QStringLiteral("xom"));
    QComboBox *list = m.window.list(QStringLiteral("cmbStrategy"));
    list->setCurrentIndex(index);
    emit list->activated(index);
    settle();
    for (const GroupSpec &g : groups()) {
        QWidget *box = m.window.control({g.frameName, -1});
        const bool selected = g.frameName == frame;
        QCOMPARE(box->isVisible(), selected);
    }
    // The symbol is carried into the group.
    QCOMPARE(m.window.field(group(index).symbolField)->text(), QStringLiteral("xom"));
    // Tab goes from the strategy list through the group, in catalogue order,
    // to View Graph, however late the group was made.
    QStringList expected;
    for (const FieldSpec &f : group(index).fields)
        if (QWidget *w = m.window.control(f.id); w->isVisible() && w->focusPolicy() & Qt::TabFocus)
            expected << f.id.toString();
    expected << QStringLiteral("cmdGraph");
    QStringList order;
    for (QWidget *w = list->nextInFocusChain(); w != list && order.size() < expected.size();
         w = w->nextInFocusChain())
        if (w->isVisible() && w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
    QCOMPARE(order, expected);
}

// What the user does, step by step, separated by ";": "type Text4(2)=50",
// "set Text4(1)=10" (no typing), "focus Text4(1)", "tab", "enter", "click
// Text5(2)", "press" and "release" View Graph, "graph" (its click),
// "strategy 2", "cancel" (the next message), "quiet" (nothing said so far),
// "has Text4(1)=10" (the field shows that).
void play(Main &m, const QString &script)
{
    QWidget *button = m.window.control(single("cmdGraph"));
    for (const QString &step : script.split(u';')) {
        const QString verb = step.trimmed().section(u' ', 0, 0);
        const QString arg = step.trimmed().section(u' ', 1);
        const QByteArray name = arg.section(u'=', 0, 0).toLatin1();
        if (verb == u"type")
            m.type(name.constData(), arg.section(u'=', 1));
        else if (verb == u"set")
            m.window.workspace().setText(id(QString::fromLatin1(name)), arg.section(u'=', 1));
        else if (verb == u"focus")
            m.window.setFocusTo(id(arg), false);
        else if (verb == u"tab" || verb == u"enter")
            QTest::keyClick(
                QApplication::focusWidget(), verb == u"tab" ? Qt::Key_Tab : Qt::Key_Return);
        else if (verb == u"escape")
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else if (verb == u"click")
            QTest::mouseClick(m[name.constData()], Qt::LeftButton, {}, QPoint(4, 5));
        else if (verb == u"press")
            QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        else if (verb == u"release")
            QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
        else if (verb == u"graph")
            m.window.cmdGraph_Click();
        else if (verb == u"strategy")
            m.window.workspace().setStrategy(arg.toInt());
        else if (verb == u"cancel")
            m.boxes.answerNext(Answer::Cancel);
        else if (verb == u"has")
            QCOMPARE(m[name.constData()]->text(), arg.section(u'=', 1));
        else if (verb == u"quiet")
            QVERIFY(m.boxes.shown().empty());
        else
            qFatal("no such step: %s", qPrintable(step));
        for (int i = 0; i < 4; ++i)
            settle();
    }
}

void TestMainWindow::focusMoves_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("prompts"); // every message shown, in order
    QTest::addColumn<QString>("focus");
    const char *shares = "Shares should not be Less than 100.";
    const char *strike = "Strike Price must be Greater than Stock Price.";
    using P = QStringList;
    addRow("escape in entry mode changes nothing",
        "type Text4(1)=12; escape; quiet; has Text4(1)=12", P {}, "Text4(1)");
    addRow("key filter refuses a letter, not points or symbols",
        "type Text5(1)=a; has Text5(1)=; type Text5(1)=1.2.3; has Text5(1)=1.2.3; type "
        "Text5(0)=ab; "
        "has Text5(0)=ab",
        P {"You can Enter only Digits in this Field."}, "Text5(0)");
    addRow("enter acts as tab", "focus Text4(1); enter", P {}, "Text4(2)");
    addRow("enter skips the hidden total", "focus Text4(2); enter", P {}, "Text5(0)");
    addRow("covered symbol to its first field", "type Text1=abc; tab", P {}, "Text4(1)");
    addRow("bull symbol to its first field", "strategy 2; type Text1=abc; tab", P {}, "Text2(2)");
    addRow("spread symbol to its first field", "strategy 4; type Text1=abc; tab", P {}, "Text9(2)");
    addRow(
        "enter leaves the symbol for its first field", "type Text1=abc; enter", P {}, "Text4(1)");
    addRow("a click after the symbol keeps its field", "type Text1=abc; click Text5(2)", P {},
        "Text5(2)");
    addRow("symbol left by View Graph, bull", "strategy 2; type Text1=ibm; press; release",
        P {"Call Strike Price should not be left Empty."}, "Text2(3)");
    addRow("symbol left by View Graph, covered", "type Text1=ibm; press; release",
        P {"Stock Price should not be Left Empty."}, "Text4(1)");
    addRow("warning, OK returns the focus", "type Text4(2)=50; tab", P {shares}, "Text4(2)");
    addRow("warning, Cancel lets it go", "type Text4(1)=20; type Text5(1)=20; cancel; tab",
        P {strike}, "Text5(2)");
    addRow("one message for a click, one for the next leave",
        "type Text4(2)=50; click Text5(2); tab", P {shares, shares}, "Text4(2)");
    addRow("two bad fields do not loop",
        "set Text4(1)=10; set Text5(1)=5; type Text4(2)=50; click Text5(1); cancel; click "
        "Text5(1); tab",
        P {shares, shares, strike}, "Text5(1)");
    addRow("leave warning before the click, OK",
        "type Text4(1)=20; type Text4(2)=50; press; quiet; release", P {shares}, "Text4(2)");
    addRow("leave warning before the click, Cancel",
        "type Text4(1)=20; type Text4(2)=50; cancel; press; quiet; release",
        P {shares, "Strike Price should not be Left Empty."}, "Text5(1)");
    addRow("View Graph refused", "set Text4(1)=50; graph", P {"Shares should not be Left Empty."},
        "Text4(2)");
}

void TestMainWindow::focusMoves()
{
    QFETCH(QString, script);
    QFETCH(QStringList, prompts);
    QFETCH(QString, focus);
    Main m;
    play(m, script);
    QStringList shown;
    for (const Message &message : m.boxes.shown())
        shown << message.prompt;
    QCOMPARE(shown, prompts);
    QCOMPARE(m.focused(), focus);
}

void TestMainWindow::focusColours()
{
    // A field lights up while it has the focus and goes back on leaving.
    Main m;
    QLineEdit *price = m["Text4(1)"];
    const QColor plain = price->palette().color(QPalette::Base);
    m.window.setFocusTo(at("Text4", 1), false);
    QVERIFY(price->palette().color(QPalette::Base) != plain);
    QTest::keyClick(price, Qt::Key_Tab);
    QCOMPARE(price->palette().color(QPalette::Base), plain);

    // Ratio Call Spreads and Ratio Calls' sell side turn bold once left.
    for (const auto &[strategy, name] : {std::pair {4, "Text9(3)"}, {1, "txtRatioSell(2)"}}) {
        m.window.workspace().setStrategy(strategy);
        QVERIFY(!m[name]->font().bold());
        m.window.setFocusTo(id(QString::fromLatin1(name)), false);
        QTest::keyClick(m[name], Qt::Key_Tab);
        QVERIFY2(m[name]->font().bold(), name);
    }
    QCOMPARE(m["txtRatioSell(3)"]->focusPolicy(), Qt::NoFocus);
}

void TestMainWindow::selectAllOnFocus()
{
    Main m;
    m.window.workspace().setText(at("Text4", 1), QStringLiteral("12.5"));
    m.window.workspace().setText(at("Text5", 1), QStringLiteral("  "));
    QTest::mouseClick(m["Text4(1)"], Qt::LeftButton, {}, QPoint(4, 5));
    settle();
    QCOMPARE(m.focused(), QStringLiteral("Text4(1)"));
    QCOMPARE(m["Text4(1)"]->selectedText(), QStringLiteral("12.5"));
    QTest::mouseClick(m["Text5(1)"], Qt::LeftButton, {}, QPoint(4, 5));
    settle();
    QCOMPARE(m.focused(), QStringLiteral("Text5(1)"));
    QVERIFY(!m["Text5(1)"]->hasSelectedText());
}

void TestMainWindow::realMessageBoxShowsOnce()
{
    Window<ModalBoxes> m;
    m.type("Text4(2)", QStringLiteral("50"));
    QTest::keyClick(m["Text4(2)"], Qt::Key_Tab);
    QTRY_COMPARE(m.boxes.m_count, 1);
    // The offscreen platform has no window manager to give the focus back.
    QTRY_VERIFY(!QApplication::activeModalWidget());
    m.window.activateWindow();
    QTRY_VERIFY(m.window.isActiveWindow());
    QTRY_COMPARE(m.focused(), QStringLiteral("Text4(2)"));
    QTest::qWait(100);
    QCOMPARE(m.boxes.m_count, 1);
    // The key filter's box, raised while typing, changes nothing either.
    QTest::keyClicks(m["Text4(2)"], QStringLiteral("x"));
    QTRY_COMPARE(m.boxes.m_count, 2);
    QTRY_VERIFY(!QApplication::activeModalWidget());
    m.window.activateWindow();
    QTest::qWait(100);
    QCOMPARE(m.boxes.m_count, 2);
    QCOMPARE(m["Text4(2)"]->text(), QStringLiteral("50"));
}

void TestMainWindow::chartModeAndEscape()
{
    Main m;
    play(m,
        "set Text1=IBM; set Text4(1)=50; set Text4(2)=200; set Text5(1)=55; set Text5(2)=2; "
        "focus Text5(2); graph; quiet");
    QVERIFY(m.window.chartShown());
    QVERIFY(!m.window.surface().ops().empty());
    // The test screen (800 x 600) is smaller than the chart-mode window: it
    // opens scaled to fit, and the chart follows the window.
    QVERIFY(m.window.screen()->availableGeometry().contains(m.window.frameGeometry()));
    QWidget *chart = m.window.chartWidget();
    QWidget *client = m.window.centralWidget();
    // The chart lies over every other control.
    for (const char *name : {"Text1", "cmbStrategy", "cmdGraph", "Text4(1)"}) {
        QWidget *control = m.window.control(id(QString::fromLatin1(name)));
        const QPoint centre = control->mapTo(client, control->rect().center());
        QCOMPARE(client->childAt(centre), chart);
    }
    const QSize opened = chart->size();
    m.window.resize(m.window.size() - QSize(200, 100));
    settle();
    QCOMPARE(chart->size(), opened - QSize(200, 100));
    // With room to spare the chart keeps a margin, squeezed it takes all the room.
    QVERIFY(chart->geometry().bottomRight() == client->rect().bottomRight());
    m.window.resize(2000, 1500);
    settle();
    QVERIFY(chart->geometry().bottomRight() != client->rect().bottomRight());
    // The keyboard is the chart's: typing and Enter reach no hidden field.
    QCOMPARE(QApplication::focusWidget(), chart);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("77"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), chart);
    m.window.setFocusTo(at("Text4", 2), true);
    QCOMPARE(QApplication::focusWidget(), chart);
    QCOMPARE(m["Text5(2)"]->text(), QStringLiteral("2"));
    QCOMPARE(m["Text4(2)"]->text(), QStringLiteral("200"));
    // Esc goes back to entry mode, the focus to the field that had it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!m.window.chartShown());
    QCOMPARE(m.focused(), QStringLiteral("Text5(2)"));
    QVERIFY(m.window.control(single("fraCovered"))->isVisible());
}

void TestMainWindow::maximiseDoesNotLast()
{
    Main m;
    const QSize size = m.window.size();
    m.window.showMaximized();
    QTRY_VERIFY(!m.window.isMaximized());
    QTRY_COMPARE(m.window.size(), size);
}

void TestMainWindow::aboutWindow()
{
    Main m;
    QString title;
    QStringList texts;
    QSize size;
    QTimer::singleShot(0, &m.window, [&] {
        QWidget *about = QApplication::activeModalWidget();
        if (!about)
            return;
        title = about->windowTitle();
        size = about->size();
        for (auto *label : about->findChildren<QLabel *>())
            texts << label->text();
        about->close();
    });
    m.window.action(QStringLiteral("A"))->trigger();
    QCOMPARE(title, QStringLiteral("Company Information Block"));
    // Wide enough for its title, and no narrower than drawn.
    QCOMPARE(size.width(), std::max(twipsToPixels(3435), look::titleWidth(title)));
    QCOMPARE(texts.mid(0, 4), QStringList({"Tarsel", "VELMORA", "VERSION 0.9", "CREDIT"}));
    QCOMPARE(texts.size(), 5);
}

void TestMainWindow::messageBoxFitsItsTitleOnTheWindow()
{
    QtMessageBoxes boxes;
    Main m;
    boxes.setWindow(&m.window);
    QRect box;
    QTimer::singleShot(0, &m.window, [&box] {
        box = QApplication::activeModalWidget()->geometry();
        QApplication::activeModalWidget()->close();
    });
    QApplication::setActiveWindow(nullptr); // as right after another box closed
    boxes.show({QStringLiteral("Saved Successfully"), MsgStyle::OkOnly, {}});
    QVERIFY(box.width() >= look::titleWidth(QStringLiteral("VELMORA")));
    QVERIFY((box.center() - m.window.geometry().center()).manhattanLength() <= 2);
}

QTEST_MAIN(TestMainWindow)
#include "wtst_mainwindow.moc"
