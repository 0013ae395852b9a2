// File > Save, Open and Delete of the main window: the windows come up in the
// right mode, an Open changes the main window's caption and locks its
// strategy list until New, and an unusable file keeps both windows shut.
#include "support/TestSupport.h"

#include "store/DatabaseLocation.h"
#include "store/PositionStore.h"
#include "ui/store/OpenSaveDialog.h"

#include "ui/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace velmora;
using namespace velmora::testing;

namespace
{

// Runs `drive` on the modal window once it is up.
template<typename Window>
void whenShown(std::function<void(Window *)> drive)
{
    QTimer::singleShot(0, [drive] {
        auto *window = qobject_cast<Window *>(QApplication::activeModalWidget());
        QVERIFY(window);
        drive(window);
        if (window->isVisible())
            window->reject();
    });
}

} // namespace

class TestMainWindowStore : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void saveOpenSaveAgainNew();
    void damagedFileIsToldOnceAndLeftAlone();

private:
    QTemporaryDir m_dir;
    ScriptedMessageBoxes m_boxes;
};

void TestMainWindowStore::initTestCase()
{
    setDatabasePath(m_dir.filePath(QStringLiteral("CH.mdb")));
}

void TestMainWindowStore::cleanupTestCase()
{
    setDatabasePath(QString());
}

void TestMainWindowStore::saveOpenSaveAgainNew()
{
    MainWindow window(m_boxes);
    window.show();
    Workspace &workspace = window.workspace();
    typePosition(workspace, 2);

    whenShown<OpenSaveDialog>([](OpenSaveDialog *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Save File As"));
        QCOMPARE(dialog->cmdOpSv()->text(), QStringLiteral("&Save"));
        QVERIFY(!dialog->cmbStrategy()->isEnabled());
        QCOMPARE(dialog->cmbStrategy()->currentIndex(), 2);
        QTest::keyClicks(dialog->Text1(), QStringLiteral("spread"));
        QTest::mouseClick(dialog->cmdOpSv(), Qt::LeftButton);
    });
    window.F_Save_Click();
    QCOMPARE(m_boxes.shown().back().prompt, QStringLiteral("Saved Successfully"));

    window.F_Nw_Click();
    whenShown<OpenSaveDialog>([](OpenSaveDialog *dialog) {
        QVERIFY(dialog->cmbStrategy()->isEnabled());
        dialog->cmbStrategy()->setCurrentIndex(2);
        QTest::mouseClick(dialog->Lst()->viewport(), Qt::LeftButton, {},
            dialog->Lst()->visualItemRect(dialog->Lst()->item(0)).center());
        QTest::mouseClick(dialog->cmdOpSv(), Qt::LeftButton);
    });
    window.F_Open_Click();
    QCOMPARE(window.windowTitle(), QStringLiteral("File Opened: Bull Spreads"));
    QVERIFY(!window.list(QStringLiteral("cmbStrategy"))->isEnabled());
    QCOMPARE(workspace.text(at("Text2", 3)), QStringLiteral("40"));

    whenShown<OpenSaveDialog>([](OpenSaveDialog *dialog) {
        QCOMPARE(dialog->Text1()->text(), QStringLiteral("spread"));
        QVERIFY(dialog->cmdOpSv()->isEnabled());
        QTest::mouseClick(dialog->cmdOpSv(), Qt::LeftButton);
    });
    window.F_Save_Click();
    QCOMPARE(m_boxes.shown().back().prompt, QStringLiteral("Updated Successfully"));

    window.F_Nw_Click();
    QCOMPARE(window.openSaveState().OpSvMode, 1);
    QVERIFY(window.list(QStringLiteral("cmbStrategy"))->isEnabled());
    QCOMPARE(window.windowTitle(), QStringLiteral("Strategy"));
}

void TestMainWindowStore::damagedFileIsToldOnceAndLeftAlone()
{
    const QString file = m_dir.filePath(QStringLiteral("damaged.mdb"));
    {
        PositionStore store(file);
        for (int i = 0; i < 300; ++i)
            store.insert(
                PositionRow {0, i % 5, QStringLiteral("position number %1").arg(i), {}, {}});
    }
    // A page of the table itself: the list of names is read from an index
    // and shows them all.
    qint64 page = 0;
    {
        const Database db(file);
        Statement root = db.prepare("SELECT rootpage FROM sqlite_master WHERE name = 'Chart'");
        QVERIFY(root.step());
        page = root.integer(0).value_or(0);
    }
    QByteArray bytes = fileBytes(file);
    bytes.replace((page - 1) * 1024 + 300, 100, QByteArray(100, 'x'));
    writeBytes(file, bytes);

    setDatabasePath(file);
    MainWindow window(m_boxes);
    m_boxes.clear();
    int opened = 0;
    const auto closeOpened = [&opened] {
        QTimer::singleShot(0, [&opened] {
            if (QWidget *shown = QApplication::activeModalWidget()) {
                ++opened;
                shown->close();
            }
        });
    };
    closeOpened();
    window.F_Open_Click();
    closeOpened();
    window.F_Rem_Click();
    QCoreApplication::processEvents();
    setDatabasePath(m_dir.filePath(QStringLiteral("CH.mdb")));
    QCOMPARE(opened, 0);
    QCOMPARE(m_boxes.shown().size(), size_t(2)); // once for each window
    for (const Message &message : m_boxes.shown()) {
        QVERIFY2(
            message.prompt.contains(QStringLiteral("it is damaged")), qPrintable(message.prompt));
        QVERIFY(message.prompt.contains(QStringLiteral("Nothing was changed.")));
        QVERIFY(message.prompt.contains(file));
        QCOMPARE(message.style, 16);
    }
    QCOMPARE(fileBytes(file), bytes);
}

QTEST_MAIN(TestMainWindowStore)
#include "wtst_mainwindowstore.moc"
