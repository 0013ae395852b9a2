// The captions of the Open/Save and Clean Up windows in every mode: each
// shows its whole text and lies clear of the controls beside it.
#include "support/TestSupport.h"

#include "ui/store/CleanUpDialog.h"
#include "ui/store/OpenSaveDialog.h"

#include <QLabel>
#include <QTest>

#include <functional>
#include <memory>

using namespace velmora;
using namespace velmora::testing;

using WindowMaker = std::function<std::unique_ptr<QDialog>(
    const QString &file, MessageBoxes &, OpenSaveState &, Workspace &)>;
Q_DECLARE_METATYPE(WindowMaker)

class TestStoreCaptions : public QObject
{
    Q_OBJECT
private slots:
    void captionsShowWholeAndClear_data();
    void captionsShowWholeAndClear();

private:
    QTemporaryDir m_dir;
};

void TestStoreCaptions::captionsShowWholeAndClear_data()
{
    QTest::addColumn<WindowMaker>("make");
    QTest::newRow("Open File") << WindowMaker(
        [](const QString &file, MessageBoxes &boxes, OpenSaveState &state, Workspace &workspace) {
            auto dialog = std::make_unique<OpenSaveDialog>(file, workspace, state, boxes);
            dialog->setOpenMode();
            return std::unique_ptr<QDialog>(std::move(dialog));
        });
    QTest::newRow("Save File As") << WindowMaker(
        [](const QString &file, MessageBoxes &boxes, OpenSaveState &state, Workspace &workspace) {
            auto dialog = std::make_unique<OpenSaveDialog>(file, workspace, state, boxes);
            dialog->setSaveMode();
            return std::unique_ptr<QDialog>(std::move(dialog));
        });
    QTest::newRow("Clean Up") << WindowMaker(
        [](const QString &file, MessageBoxes &boxes, OpenSaveState &, Workspace &) {
            return std::unique_ptr<QDialog>(std::make_unique<CleanUpDialog>(file, boxes));
        });
}

void TestStoreCaptions::captionsShowWholeAndClear()
{
    QFETCH(WindowMaker, make);
    ScriptedMessageBoxes boxes;
    OpenSaveState state;
    Workspace workspace;
    workspace.load();
    const std::unique_ptr<QDialog> dialog
        = make(m_dir.filePath(QStringLiteral("CH.mdb")), boxes, state, workspace);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QVERIFY(boxes.shown().empty());

    const QList<QLabel *> labels = dialog->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
    QVERIFY(!labels.isEmpty());
    for (const QLabel *label : labels) {
        const QString what = label->objectName() + QStringLiteral(" \"") + label->text() + '"';
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
}

QTEST_MAIN(TestStoreCaptions)
#include "wtst_storecaptions.moc"
