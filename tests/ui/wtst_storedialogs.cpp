// The Open/Save and Clean Up windows driven with the mouse and keyboard:
// the button enabling rules, clicks and double clicks per mode, the
// strategy list refreshing the names, Mark All / UnMark All and deletion,
// and the captions naming their controls.
// An unusable file keeping them shut is tested on the main window.
#include "support/TestSupport.h"

#include "store/OpenSaveCommand.h"
#include "store/PositionStore.h"
#include "ui/store/CleanUpDialog.h"
#include "ui/store/OpenSaveDialog.h"
#include "ui/store/ReportPickerDialog.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace velmora;
using namespace velmora::testing;

namespace
{

void clickEntry(QListWidget *list, int row)
{
    QTest::mouseClick(
        list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void doubleClickEntry(QListWidget *list, int row)
{
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

QStringList entries(const QListWidget *list)
{
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    return names;
}

int markedCount(const QListWidget *list)
{
    return int(list->selectedItems().size());
}

} // namespace

class TestStoreDialogs : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void openModeClickEnablesAndStrategyChangeRefreshes();
    void openModeDoubleClickOpens();
    void saveModeRules();
    void listingFailureIsShownOnce();
    void markAllAndUnMarkAll();
    void deletionAsksAndRefreshes();
    void reportTakesTheMarkedPositions();
    void captionsShowWholeClearAndNameTheirControls_data();
    void captionsShowWholeClearAndNameTheirControls();

private:
    void saveNamed(int strategy, const QString &name);

    QTemporaryDir m_dir;
    QString m_file;
    ScriptedMessageBoxes m_boxes;
    OpenSaveState m_state;
    Workspace m_workspace;
};

void TestStoreDialogs::init()
{
    m_file = freshFile(m_dir);
    m_boxes.clear();
    m_state = OpenSaveState();
    typePosition(m_workspace, 2);
    saveNamed(2, QStringLiteral("bull one"));
    saveNamed(2, QStringLiteral("bull two"));
    saveNamed(0, QStringLiteral("covered one"));
    m_boxes.clear();
}

void TestStoreDialogs::saveNamed(int strategy, const QString &name)
{
    PositionStore store(m_file);
    OpenSaveCommand(store, m_state, m_boxes).save(m_workspace, strategy, name);
}

// Open lists the names of the window's strategy.
void TestStoreDialogs::openModeClickEnablesAndStrategyChangeRefreshes()
{
    OpenSaveDialog dialog(m_file, m_workspace, m_state, m_boxes);
    dialog.setOpenMode();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Open File"));
    QCOMPARE(entries(dialog.Lst()), (QStringList {"bull one", "bull two"}));
    QCOMPARE(QApplication::focusWidget(), dialog.Text1());
    // A typed name chooses nothing to open.
    QTest::keyClicks(dialog.Text1(), QStringLiteral("bull"));
    QVERIFY(!dialog.cmdOpSv()->isEnabled());
    clickEntry(dialog.Lst(), 1);
    QCOMPARE(dialog.Text1()->text(), QStringLiteral("bull two"));
    QVERIFY(dialog.cmdOpSv()->isEnabled());

    dialog.cmbStrategy()->setCurrentIndex(0);
    QVERIFY(dialog.Text1()->text().isEmpty());
    QCOMPARE(entries(dialog.Lst()), QStringList {"covered one"});
    QVERIFY(!dialog.cmdOpSv()->isEnabled());
    dialog.cmbStrategy()->setCurrentIndex(4);
    QVERIFY(entries(dialog.Lst()).isEmpty());
}

void TestStoreDialogs::openModeDoubleClickOpens()
{
    m_workspace.load();
    OpenSaveDialog dialog(m_file, m_workspace, m_state, m_boxes);
    dialog.setOpenMode();
    dialog.cmbStrategy()->setCurrentIndex(2);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    doubleClickEntry(dialog.Lst(), 1);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(m_workspace.strategy(), 2);
    QCOMPARE(m_state.OpSvName, QStringLiteral("bull two"));
}

void TestStoreDialogs::saveModeRules()
{
    OpenSaveDialog dialog(m_file, m_workspace, m_state, m_boxes);
    dialog.setSaveMode();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(!dialog.cmdOpSv()->isEnabled());
    QTest::keyClicks(dialog.Text1(), QStringLiteral("x"));
    QVERIFY(dialog.cmdOpSv()->isEnabled());
    QTest::keyClick(dialog.Text1(), Qt::Key_Backspace);
    QVERIFY(dialog.cmdOpSv()->isEnabled());
    QTest::mouseClick(dialog.cmdOpSv(), Qt::LeftButton);
    QCOMPARE(m_boxes.shown(), std::vector<Message> {OpenSaveCommand::blankNameMessage()});
    QVERIFY(dialog.isVisible());

    // A name in use keeps the window open with the name selected.
    QTest::keyClicks(dialog.Text1(), QStringLiteral("covered one"));
    QTest::mouseClick(dialog.cmdOpSv(), Qt::LeftButton);
    QCOMPARE(m_boxes.shown().back(), OpenSaveCommand::nameTakenMessage());
    QVERIFY(dialog.isVisible());
    QCOMPARE(QApplication::focusWidget(), dialog.Text1());
    QCOMPARE(dialog.Text1()->selectedText(), QStringLiteral("covered one"));

    // Typing replaces it, and Enter in the name box saves as the button does.
    QTest::keyClicks(dialog.Text1(), QStringLiteral("bull three"));
    QTest::keyClick(dialog.Text1(), Qt::Key_Return);
    QCOMPARE(m_boxes.shown().back(), OpenSaveCommand::savedMessage());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(PositionStore(m_file).names(2).size(), size_t(3));
}

void TestStoreDialogs::listingFailureIsShownOnce()
{
    // A table written by something else, without the strategy column: the
    // file opens, but no strategy's names can be listed.
    for (const char *sql :
        {"DROP TABLE Chart", "CREATE TABLE Chart (ID INTEGER PRIMARY KEY, fName TEXT)",
            "CREATE INDEX ChartSID ON Chart (ID)", "CREATE INDEX ChartFName ON Chart (fName)"})
        runKeyed(m_file, sql);
    OpenSaveDialog openSave(m_file, m_workspace, m_state, m_boxes);
    QVERIFY(openSave.isLoaded());
    QCOMPARE(m_boxes.shown().size(), size_t(1));
    CleanUpDialog cleanUp(m_file, m_boxes);
    QCOMPARE(m_boxes.shown().size(), size_t(2));
    for (const Message &message : m_boxes.shown()) {
        QCOMPARE(message.style, 16);
        QVERIFY(message.prompt.contains(QStringLiteral("No names are listed.")));
    }
    QCOMPARE(openSave.Lst()->count(), 0);
}

void TestStoreDialogs::markAllAndUnMarkAll()
{
    CleanUpDialog dialog(m_file, m_boxes);
    QCOMPARE(dialog.cmbStrategy()->currentIndex(), 0);
    dialog.cmbStrategy()->setCurrentIndex(2);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.cmdMark()->text(), QStringLiteral("&Mark All"));
    QTest::mouseClick(dialog.cmdMark(), Qt::LeftButton);
    QCOMPARE(markedCount(dialog.Lst()), 2);
    QCOMPARE(dialog.cmdMark()->text(), QStringLiteral("&UnMark All"));
    // Entries toggle one by one; the button's caption does not follow.
    clickEntry(dialog.Lst(), 0);
    QCOMPARE(markedCount(dialog.Lst()), 1);
    QCOMPARE(dialog.cmdMark()->text(), QStringLiteral("&UnMark All"));
    QTest::mouseClick(dialog.cmdMark(), Qt::LeftButton);
    QCOMPARE(markedCount(dialog.Lst()), 0);
    QCOMPARE(dialog.cmdMark()->text(), QStringLiteral("&Mark All"));
}

void TestStoreDialogs::deletionAsksAndRefreshes()
{
    saveNamed(2, QStringLiteral("bull three"));
    m_boxes.clear();
    CleanUpDialog dialog(m_file, m_boxes);
    dialog.cmbStrategy()->setCurrentIndex(2);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.cmdDel(), Qt::LeftButton);
    QCOMPARE(m_boxes.shown(), std::vector<Message> {CleanUpDialog::nothingMarkedMessage()});
    QCOMPARE(CleanUpDialog::nothingMarkedMessage().title, QStringLiteral("Deletion"));
    QCOMPARE(CleanUpDialog::confirmMessage().style, 36);
    clickEntry(dialog.Lst(), 0);
    clickEntry(dialog.Lst(), 2);

    m_boxes.clear();
    m_boxes.answerNext(Answer::No);
    QTest::keyClick(dialog.Lst(), Qt::Key_Enter);
    QCOMPARE(m_boxes.shown(), std::vector<Message> {CleanUpDialog::confirmMessage()});
    QCOMPARE(entries(dialog.Lst()).size(), 3);
    QCOMPARE(markedCount(dialog.Lst()), 2);

    m_boxes.answerNext(Answer::Yes);
    QTest::mouseClick(dialog.cmdDel(), Qt::LeftButton);
    QCOMPARE(entries(dialog.Lst()), QStringList {"bull two"});
    QCOMPARE(markedCount(dialog.Lst()), 0);
    QVERIFY(dialog.isVisible());
    QCOMPARE(PositionStore(m_file).names(2).size(), size_t(1));
    QCOMPARE(PositionStore(m_file).names(0).size(), size_t(1));
    QTest::keyClick(dialog.Lst(), Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
}

// Export Report lists a strategy's names as Clean Up does and takes the
// marked ones; with none marked it says so and stays open.
void TestStoreDialogs::reportTakesTheMarkedPositions()
{
    ReportPickerDialog dialog(m_file, m_boxes);
    QCOMPARE(entries(dialog.names()), QStringList {"covered one"}); // the first strategy's
    dialog.strategyBox()->setCurrentIndex(2);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(entries(dialog.names()), (QStringList {"bull one", "bull two"}));
    QTest::mouseClick(dialog.exportButton(), Qt::LeftButton);
    QCOMPARE(m_boxes.shown(), std::vector<Message> {ReportPickerDialog::nothingMarkedMessage()});
    QVERIFY(dialog.isVisible());
    clickEntry(dialog.names(), 1);
    QTest::mouseClick(dialog.exportButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.marked().size(), std::size_t(1));
    QCOMPARE(dialog.marked().front().name, QStringLiteral("bull two"));
    QCOMPARE(dialog.strategy(), 2);
}

// Each caption shows its whole text and lies clear of the controls beside it.
void TestStoreDialogs::captionsShowWholeClearAndNameTheirControls_data()
{
    QTest::addColumn<int>("window");
    addRow("Open File", 0);
    addRow("Save File As", 1);
    addRow("Clean Up", 2);
}

void TestStoreDialogs::captionsShowWholeClearAndNameTheirControls()
{
    QFETCH(int, window);
    std::unique_ptr<QDialog> dialog;
    if (window == 2) {
        dialog = std::make_unique<CleanUpDialog>(m_file, m_boxes);
    } else {
        auto openSave = std::make_unique<OpenSaveDialog>(m_file, m_workspace, m_state, m_boxes);
        window == 0 ? openSave->setOpenMode() : openSave->setSaveMode();
        dialog = std::move(openSave);
    }
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QVERIFY(m_boxes.shown().empty());

    const QList<QLabel *> labels = dialog->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
    QVERIFY(!labels.isEmpty());
    for (QLabel *label : labels) {
        const QString what = label->objectName() + QStringLiteral(" \"") + label->text() + '"';
        // Each caption names its control to assistive tools; a text field
        // takes it as its name, a list as its label.
        QVERIFY2(label->buddy(), qPrintable(what + " names no control"));
        QAccessibleInterface *named = QAccessible::queryAccessibleInterface(label->buddy());
        const auto captions = named->relations(QAccessible::Label);
        QVERIFY2(captions.size() == 1 && captions.first().first->object() == label,
            qPrintable(what + " is not its control's label"));
        if (qobject_cast<QLineEdit *>(label->buddy()))
            QCOMPARE(named->text(QAccessible::Name), label->text().trimmed());
        QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(what + " is cut short"));
        QVERIFY2(
            dialog->rect().contains(label->geometry()), qPrintable(what + " leaves the window"));
        for (const QWidget *other : dialog->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (other == label || !other->isVisible())
                continue;
            QVERIFY2(!label->geometry().intersects(other->geometry()),
                qPrintable(what + " runs under " + other->objectName()));
        }
    }
    for (const QWidget *control : dialog->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (!qobject_cast<const QLabel *>(control))
            QVERIFY2(!control->toolTip().isEmpty(), qPrintable(control->objectName()));
    const auto *names = dialog->findChild<QListWidget *>(QStringLiteral("Lst"));
    QCOMPARE(QAccessible::queryAccessibleInterface(const_cast<QListWidget *>(names))
                 ->text(QAccessible::Name),
        QStringLiteral("Saved positions"));
}

QTEST_MAIN(TestStoreDialogs)
#include "wtst_storedialogs.moc"
