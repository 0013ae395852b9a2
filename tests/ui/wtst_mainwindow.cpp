// The main window driven like a user would: typing, focus moves by Tab, Enter
// and mouse, the key filter, the leave warnings and their answers, strategy
// switching, chart mode, New, the window state and the About window.
#include "support/TestSupport.h"
#include "ui/Look.h"
#include "ui/MainWindow.h"
#include "ui/QtMessageBoxes.h"
#include "ui/Twips.h"

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
        m_prompts << message.prompt;
        QMessageBox box(QMessageBox::Question, message.shownTitle(), message.prompt,
            QMessageBox::Ok | QMessageBox::Cancel, QApplication::activeWindow());
        QTimer::singleShot(20, &box, [&box] { box.button(QMessageBox::Ok)->click(); });
        return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
    }
    int m_count = 0;
    QStringList m_prompts;
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

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void startsInEntryMode();
    void controlsAndFields();
    void typingCascades();
    void enterActsAsTab();
    void escapeInEntryModeChangesNothing();
    void keyFilter();
    void clipboard_data();
    void clipboard();
    void editingKeysPassTheFilter_data();
    void editingKeysPassTheFilter();
    void strategySwitch_data();
    void strategySwitch();
    void symbolLeavesToFirstField_data();
    void symbolLeavesToFirstField();
    void symbolLeftByClickingViewGraph_data();
    void symbolLeftByClickingViewGraph();
    void focusColours();
    void selectAllOnFocus();
    void warningOkReturnsFocus();
    void warningCancelKeepsFocus();
    void noDoubleMessageByMouse();
    void twoBadFieldsDoNotLoop();
    void leaveWarningComesBeforeTheClick();
    void realMessageBoxShowsOnce();
    void ratioLists();
    void viewGraphRefusal();
    void chartModeAndEscape();
    void newPosition();
    void maximiseDoesNotLast();
    void aboutWindow();
    void messageBoxFitsItsTitleOnTheWindow();
};

void TestMainWindow::startsInEntryMode()
{
    Main m;
    QCOMPARE(m.window.objectName(), QStringLiteral("fStrategy"));
    QCOMPARE(m.window.windowTitle(), QStringLiteral("Strategy"));
    QVERIFY(!(m.window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!m.window.chartShown());
    QVERIFY(!m.window.action(QStringLiteral("P_Graph"))->isEnabled());
    QWidget *covered = m.window.control(single("fraCovered"));
    QVERIFY(covered->isVisible());
    for (const char *name : {"fraRatio", "fraBull", "fraButterfly", "fraRatioCallSpreads"}) {
        QWidget *group = m.window.control(single(name));
        QVERIFY2(!group->isVisible(), name);
    }
    QCOMPARE(m.window.list(QStringLiteral("cmbStrategy"))->currentIndex(), 0);
    QCOMPARE(m.window.list(QStringLiteral("cmbRatio"))->currentIndex(), 0);
    QCOMPARE(m.window.list(QStringLiteral("cmbratioCallSpreads"))->currentIndex(), 0);
    QCOMPARE(m.window.openSaveState().OpSvMode, OpenSaveState::New);
}

void TestMainWindow::controlsAndFields()
{
    Main m;
    for (const ControlId &box : allTextBoxes()) {
        QLineEdit *edit = m.window.field(box);
        QVERIFY2(edit, qPrintable(box.toString()));
        QCOMPARE(edit->objectName(), box.toString());
        QCOMPARE(edit->text(), m.window.workspace().text(box));
        if (fieldKind(box) == FieldKind::Hidden)
            QVERIFY2(edit->isHidden(), qPrintable(box.toString()));
        if (fieldKind(box) == FieldKind::ReadOnly)
            QVERIFY2(edit->isReadOnly(), qPrintable(box.toString()));
    }
    QCOMPARE(m["txtRatioBuy(2)"]->maxLength(), 10);
    auto *strategies = m.window.list(QStringLiteral("cmbStrategy"));
    QVERIFY(!strategies->isEditable());
    QCOMPARE(strategies->count(), 5);
    QCOMPARE(strategies->itemText(4), QStringLiteral("Ratio Call Spreads"));
    auto *button = qobject_cast<QPushButton *>(m.window.control(single("cmdGraph")));
    QCOMPARE(button->text(), QStringLiteral("View &Graph"));
    QCOMPARE(m.window.list(QStringLiteral("cmbRatio"))->itemText(8), QStringLiteral("10:9"));
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

void TestMainWindow::enterActsAsTab()
{
    Main m;
    m.window.setFocusTo(at("Text4", 1), false);
    QTest::keyClick(m["Text4(1)"], Qt::Key_Return);
    QCOMPARE(m.focused(), QStringLiteral("Text4(2)"));
    // The hidden total is skipped, as Tab would.
    QTest::keyClick(m["Text4(2)"], Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(m.focused(), QStringLiteral("Text5(0)"));
    QTest::keyClick(m["Text5(0)"], Qt::Key_Tab);
    QCOMPARE(m.focused(), QStringLiteral("Text5(1)"));
    settle();
    QVERIFY(m.boxes.shown().empty());
}

void TestMainWindow::escapeInEntryModeChangesNothing()
{
    Main m;
    m.type("Text4(1)", QStringLiteral("12"));
    const QSize size = m.window.size();
    QTest::keyClick(m["Text4(1)"], Qt::Key_Escape);
    settle();
    QCOMPARE(m.window.size(), size);
    QCOMPARE(m.focused(), QStringLiteral("Text4(1)"));
    QCOMPARE(m["Text4(1)"]->text(), QStringLiteral("12"));
    QVERIFY(!m.window.chartShown());
    QVERIFY(m.boxes.shown().empty());
}

void TestMainWindow::keyFilter()
{
    Main m;
    m.type("Text5(1)", QStringLiteral("a"));
    QCOMPARE(m["Text5(1)"]->text(), QString());
    QCOMPARE(m.boxes.shown().size(), size_t(1));
    QCOMPARE(m.boxes.shown().front(), Workspace::keyFilterMessage());
    QTest::keyClicks(m["Text5(1)"], QStringLiteral("1.2.3"));
    QCOMPARE(m["Text5(1)"]->text(), QStringLiteral("1.2.3"));
    QTest::keyClick(m["Text5(1)"], Qt::Key_Backspace);
    QCOMPARE(m["Text5(1)"]->text(), QStringLiteral("1.2."));
    QCOMPARE(m.boxes.shown().size(), size_t(1));
    m.type("Text5(0)", QStringLiteral("ab"));
    QCOMPARE(m["Text5(0)"]->text(), QStringLiteral("ab"));
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
    QCOMPARE(m.window.workspace().strategy(), index);
    for (const GroupSpec &g : groups()) {
        QWidget *box = m.window.control({g.frameName, -1});
        const bool selected = g.frameName == frame;
        QCOMPARE(box->isVisible(), selected);
    }
    // The symbol is carried into the group.
    QCOMPARE(m.window.field(group(index).symbolField)->text(), QStringLiteral("xom"));
    // Every visible field of the group lies inside the window.
    QWidget *client = m.window.centralWidget();
    for (const FieldSpec &f : group(index).fields) {
        QWidget *w = m.window.control(f.id);
        if (!w->isVisible())
            continue;
        const QRect r(w->mapTo(client, QPoint(0, 0)), w->size());
        QVERIFY2(client->rect().contains(r), qPrintable(f.id.toString()));
    }
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

void TestMainWindow::symbolLeavesToFirstField_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("next");
    addRow("covered", 0, "Text4(1)");
    addRow("bull", 2, "Text2(2)");
    addRow("ratio spreads", 4, "Text9(2)");
}

void TestMainWindow::symbolLeavesToFirstField()
{
    QFETCH(int, index);
    QFETCH(QString, next);
    Main m;
    m.window.workspace().setStrategy(index);
    m.type("Text1", QStringLiteral("abc"));
    QTest::keyClick(m["Text1"], Qt::Key_Tab);
    settle();
    QCOMPARE(m["Text1"]->text(), QStringLiteral("ABC"));
    QCOMPARE(m.window.field(group(index).symbolField)->text(), QStringLiteral("ABC"));
    QCOMPARE(m.focused(), next);
    QVERIFY(m.boxes.shown().empty());
}

// The symbol is left by clicking View Graph: the click still runs, and when
// the chart is refused the focus goes to the field its message names, not to
// the group's first field.
void TestMainWindow::symbolLeftByClickingViewGraph_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("focus");
    addRow("bull", 2, "Call Strike Price should not be left Empty.", "Text2(3)");
    addRow("covered", 0, "Stock Price should not be Left Empty.", "Text4(1)");
}

void TestMainWindow::symbolLeftByClickingViewGraph()
{
    QFETCH(int, index);
    QFETCH(QString, prompt);
    QFETCH(QString, focus);
    Main m;
    m.window.workspace().setStrategy(index);
    m.type("Text1", QStringLiteral("ibm"));
    QWidget *button = m.window.control(single("cmdGraph"));
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    settle();
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
    settle();
    QCOMPARE(m["Text1"]->text(), QStringLiteral("IBM"));
    QCOMPARE(m.boxes.shown().size(), size_t(1));
    QCOMPARE(m.boxes.shown().front().prompt, prompt);
    QCOMPARE(m.focused(), focus);
}

void TestMainWindow::focusColours()
{
    // A field lights up while it has the focus and goes back on leaving;
    // Ratio Call Spreads keeps the bold type it took.
    Main m;
    QLineEdit *price = m["Text4(1)"];
    const QColor plain = price->palette().color(QPalette::Base);
    m.window.setFocusTo(at("Text4", 1), false);
    QVERIFY(price->palette().color(QPalette::Base) != plain);
    QTest::keyClick(price, Qt::Key_Tab);
    QCOMPARE(price->palette().color(QPalette::Base), plain);

    m.window.workspace().setStrategy(4);
    QLineEdit *strike = m["Text9(3)"];
    QVERIFY(!strike->font().bold());
    m.window.setFocusTo(at("Text9", 3), false);
    QTest::keyClick(strike, Qt::Key_Tab);
    QVERIFY(strike->font().bold());
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

void TestMainWindow::warningOkReturnsFocus()
{
    Main m;
    m.type("Text4(2)", QStringLiteral("50"));
    QTest::keyClick(m["Text4(2)"], Qt::Key_Tab);
    settle();
    QCOMPARE(m.boxes.shown().size(), size_t(1));
    QCOMPARE(m.boxes.shown().front().prompt, QStringLiteral("Shares should not be Less than 100."));
    QCOMPARE(m.boxes.shown().front().style, MsgStyle::QuestionOkCancel);
    QCOMPARE(m.focused(), QStringLiteral("Text4(2)"));
    QCOMPARE(m["Text4(2)"]->selectedText(), QStringLiteral("50"));
}

void TestMainWindow::warningCancelKeepsFocus()
{
    Main m;
    m.type("Text4(1)", QStringLiteral("20"));
    m.type("Text5(1)", QStringLiteral("20"));
    m.boxes.answerNext(Answer::Cancel);
    QTest::keyClick(m["Text5(1)"], Qt::Key_Tab);
    settle();
    QCOMPARE(m.boxes.shown().size(), size_t(1));
    QCOMPARE(m.boxes.shown().front().prompt,
        QStringLiteral("Strike Price must be Greater than Stock Price."));
    QCOMPARE(m.focused(), QStringLiteral("Text5(2)"));
    QCOMPARE(m["Text5(1)"]->text(), QStringLiteral("20"));
}

void TestMainWindow::noDoubleMessageByMouse()
{
    Main m;
    m.type("Text4(2)", QStringLiteral("50"));
    QTest::mouseClick(m["Text5(2)"], Qt::LeftButton, {}, QPoint(4, 5));
    settle();
    QCOMPARE(m.boxes.shown().size(), size_t(1));
    QCOMPARE(m.focused(), QStringLiteral("Text4(2)"));
    // Leaving again warns again, once.
    QTest::keyClick(m["Text4(2)"], Qt::Key_Tab);
    settle();
    QCOMPARE(m.boxes.shown().size(), size_t(2));
    QCOMPARE(m.focused(), QStringLiteral("Text4(2)"));
}

void TestMainWindow::twoBadFieldsDoNotLoop()
{
    Main m;
    m.window.workspace().setText(at("Text4", 1), QStringLiteral("10"));
    m.window.workspace().setText(at("Text5", 1), QStringLiteral("5"));
    m.type("Text4(2)", QStringLiteral("50"));
    // From one bad field into another: only the one left is checked, and
    // the focus going back to it does not check the other.
    QTest::mouseClick(m["Text5(1)"], Qt::LeftButton, {}, QPoint(4, 5));
    for (int i = 0; i < 20; ++i)
        settle();
    QCOMPARE(m.boxes.shown().size(), size_t(1));
    QCOMPARE(m.boxes.shown().front().prompt, QStringLiteral("Shares should not be Less than 100."));
    QCOMPARE(m.focused(), QStringLiteral("Text4(2)"));
    m.boxes.answerNext(Answer::Cancel);
    QTest::mouseClick(m["Text5(1)"], Qt::LeftButton, {}, QPoint(4, 5));
    settle();
    QCOMPARE(m.focused(), QStringLiteral("Text5(1)"));
    QTest::keyClick(m["Text5(1)"], Qt::Key_Tab);
    settle();
    QCOMPARE(m.boxes.shown().size(), size_t(3));
    QCOMPARE(m.boxes.shown().back().prompt,
        QStringLiteral("Strike Price must be Greater than Stock Price."));
    QCOMPARE(m.focused(), QStringLiteral("Text5(1)"));
}

// A click on View Graph that leaves a field shows the field's warning first:
// OK goes back to the field instead of charting, Cancel charts.
void TestMainWindow::leaveWarningComesBeforeTheClick()
{
    for (const Answer answer : {Answer::Ok, Answer::Cancel}) {
        Main m;
        m.type("Text4(1)", QStringLiteral("20"));
        m.type("Text4(2)", QStringLiteral("50"));
        m.boxes.answerNext(answer);
        QWidget *button = m.window.control(single("cmdGraph"));
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
        settle();
        QVERIFY(m.boxes.shown().empty()); // so the release still clicks
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(5, 5));
        settle();
        QCOMPARE(
            m.boxes.shown().front().prompt, QStringLiteral("Shares should not be Less than 100."));
        QCOMPARE(
            m.boxes.shown().size(), size_t(answer == Answer::Ok ? 1 : 2)); // Strike Price empty
        QCOMPARE(m.focused(), answer == Answer::Ok ? "Text4(2)" : "Text5(1)");
    }
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

void TestMainWindow::ratioLists()
{
    // A ratio set by the program shows in its list.
    Main m;
    m.window.workspace().setRatioSpreadIndex(8);
    QCOMPARE(m.window.list(QStringLiteral("cmbratioCallSpreads"))->currentIndex(), 8);
    m.window.workspace().setRatioIndex(2);
    QCOMPARE(m.window.list(QStringLiteral("cmbRatio"))->currentIndex(), 2);
}

void TestMainWindow::viewGraphRefusal()
{
    Main m;
    m.window.workspace().setText(at("Text4", 1), QStringLiteral("50"));
    m.window.cmdGraph_Click();
    settle();
    QCOMPARE(m.boxes.shown().size(), size_t(1));
    QCOMPARE(m.boxes.shown().front().prompt, QStringLiteral("Shares should not be Left Empty."));
    QCOMPARE(m.focused(), QStringLiteral("Text4(2)"));
    QVERIFY(!m.window.chartShown());
    QVERIFY(m.window.surface().ops().empty());
}

void TestMainWindow::chartModeAndEscape()
{
    Main m;
    Workspace &w = m.window.workspace();
    w.setText(single("Text1"), QStringLiteral("IBM"));
    w.setText(at("Text4", 1), QStringLiteral("50"));
    w.setText(at("Text4", 2), QStringLiteral("200"));
    w.setText(at("Text5", 1), QStringLiteral("55"));
    w.setText(at("Text5", 2), QStringLiteral("2"));
    m.window.setFocusTo(at("Text5", 2), false);
    m.window.cmdGraph_Click();
    settle();
    QVERIFY(m.boxes.shown().empty());
    QVERIFY(m.window.chartShown());
    QVERIFY(!m.window.surface().ops().empty());
    QVERIFY(m.window.action(QStringLiteral("P_Graph"))->isEnabled());
    // The test screen (800 x 600) is smaller than the chart-mode window: it
    // opens scaled to fit, and the chart follows the window.
    QVERIFY(m.window.screen()->availableGeometry().contains(m.window.frameGeometry()));
    QWidget *chart = m.window.chartWidget();
    QWidget *client = m.window.centralWidget();
    QVERIFY(client->rect().contains(chart->geometry()));
    // The chart lies over every other control.
    for (const char *name : {"Text1", "cmbStrategy", "cmdGraph", "Text4(1)"}) {
        QWidget *control = m.window.control(*ControlId::parse(QString::fromLatin1(name)));
        const QPoint centre = control->mapTo(client, control->rect().center());
        QCOMPARE(client->childAt(centre), chart);
    }
    const QSize opened = chart->size();
    m.window.resize(m.window.size() - QSize(200, 100));
    settle();
    QCOMPARE(chart->size(), opened - QSize(200, 100));
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
    QCOMPARE(chart->x(), twipsToPixels(-100000));
    QCOMPARE(m.window.frameGeometry().width(), twipsToPixels(9315));
    QCOMPARE(m.window.frameGeometry().height(), twipsToPixels(5800));
    QCOMPARE(m.window.minimumSize(), m.window.maximumSize()); // the entry layout has one size
    QVERIFY(!m.window.action(QStringLiteral("P_Graph"))->isEnabled());
    QVERIFY(m.window.control(single("fraCovered"))->isVisible());
    QCOMPARE(m["Text5(2)"]->text(), QStringLiteral("2"));
}

void TestMainWindow::newPosition()
{
    Main m;
    m.window.workspace().setStrategy(3);
    m.type("Text6(3)", QStringLiteral("10"));
    m.type("Text1", QStringLiteral("abc"));
    m.window.list(QStringLiteral("cmbStrategy"))->setEnabled(false);
    m.window.setWindowTitle(QStringLiteral("Strategy - saved"));
    m.window.openSaveState().OpSvMode = OpenSaveState::Opened;
    m.window.graphBaseWindow();
    m.window.action(QStringLiteral("F_Nw"))->trigger();
    settle();
    QCOMPARE(m.window.workspace().strategy(), 0);
    QVERIFY(m.window.control(single("fraCovered"))->isVisible());
    QVERIFY(!m.window.control(single("fraButterfly"))->isVisible());
    for (const ControlId &box : allTextBoxes())
        QVERIFY2(m.window.field(box)->text().isEmpty(), qPrintable(box.toString()));
    QCOMPARE(m.window.windowTitle(), QStringLiteral("Strategy"));
    QVERIFY(m.window.list(QStringLiteral("cmbStrategy"))->isEnabled());
    QCOMPARE(m.window.openSaveState().OpSvMode, OpenSaveState::New);
    QVERIFY(!m.window.chartShown());
    QCOMPARE(m.window.list(QStringLiteral("cmbRatio"))->currentIndex(), 0);
    QVERIFY(m.boxes.shown().empty());
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
    QTimer::singleShot(0, &m.window, [&] {
        QWidget *about = QApplication::activeModalWidget();
        if (!about)
            return;
        title = about->windowTitle();
        for (auto *label : about->findChildren<QLabel *>())
            texts << label->text();
        about->close();
    });
    m.window.action(QStringLiteral("A"))->trigger();
    QCOMPARE(title, QStringLiteral("Company Information Block"));
    // Wide enough for its title, and no narrower than drawn.
    QCOMPARE(size.width(), std::max(twipsToPixels(3435), look::titleWidth(title)));
    QCOMPARE(size.height(), twipsToPixels(2760));
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
