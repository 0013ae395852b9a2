// Names typed into the Save window with blanks around them: the row is
// stored under the trimmed name, so the clash test must see that name too,
// or two rows end up listed under one name.
#include "support/StoreTestSupport.h"

#include "store/OpenSaveCommand.h"
#include "store/PositionStore.h"
#include "ui/store/OpenSaveDialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

class TestSaveNames : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void blanksAroundAUsedNameAreRefused_data();
    void blanksAroundAUsedNameAreRefused();
    void blanksAroundAFreeNameSaveTrimmed();
    void replacingKeepsItsOwnNameWithBlanks();

private:
    QStringList namesOf(int strategy) const;
    void typeAndSave(OpenSaveDialog &dialog, const QString &name);

    QTemporaryDir m_dir;
    QString m_file;
    ScriptedMessageBoxes m_boxes;
    OpenSaveState m_state;
    Workspace m_workspace;
};

void TestSaveNames::init()
{
    m_file = freshFile(m_dir);
    m_boxes.clear();
    m_state = OpenSaveState();
    typePosition(m_workspace, 2);
    PositionStore store(m_file);
    OpenSaveCommand(store, m_state, m_boxes).save(m_workspace, 2, QStringLiteral("June spread"));
    OpenSaveCommand(store, m_state, m_boxes).save(m_workspace, 0, QStringLiteral("covered"));
    m_boxes.clear();
}

QStringList TestSaveNames::namesOf(int strategy) const
{
    QStringList names;
    for (const NameEntry &entry : PositionStore(m_file).names(strategy))
        names << entry.name;
    return names;
}

void TestSaveNames::typeAndSave(OpenSaveDialog &dialog, const QString &name)
{
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.Text1()->selectAll();
    QTest::keyClicks(dialog.Text1(), name);
    QTest::mouseClick(dialog.cmdOpSv(), Qt::LeftButton);
}

void TestSaveNames::blanksAroundAUsedNameAreRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("trailing blank") << "June spread ";
    QTest::newRow("leading blank") << " June spread";
    QTest::newRow("blanks both sides") << "   June spread  ";
    QTest::newRow("name of another strategy, trailing blank") << "covered ";
}

void TestSaveNames::blanksAroundAUsedNameAreRefused()
{
    QFETCH(QString, typed);
    OpenSaveDialog dialog(m_file, m_workspace, m_state, m_boxes);
    dialog.setSaveMode();
    typeAndSave(dialog, typed);
    QCOMPARE(m_boxes.shown(), std::vector<Message> {OpenSaveCommand::nameTakenMessage()});
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.Text1()->selectedText(), typed);
    QCOMPARE(namesOf(2), QStringList {QStringLiteral("June spread")});
    QCOMPARE(namesOf(0), QStringList {QStringLiteral("covered")});
}

void TestSaveNames::blanksAroundAFreeNameSaveTrimmed()
{
    OpenSaveDialog dialog(m_file, m_workspace, m_state, m_boxes);
    dialog.setSaveMode();
    typeAndSave(dialog, QStringLiteral("  July spread "));
    QCOMPARE(m_boxes.shown(), std::vector<Message> {OpenSaveCommand::savedMessage()});
    QVERIFY(!dialog.isVisible());
    QCOMPARE(
        namesOf(2), (QStringList {QStringLiteral("June spread"), QStringLiteral("July spread")}));
}

void TestSaveNames::replacingKeepsItsOwnNameWithBlanks()
{
    // The opened row does not clash with itself, however the name is typed.
    m_state.OpSvMode = OpenSaveState::Opened;
    m_state.OpSvSID = 2;
    m_state.OpSvName = QStringLiteral("June spread");
    m_state.OpSvID = PositionStore(m_file).names(2).front().id;
    OpenSaveDialog dialog(m_file, m_workspace, m_state, m_boxes);
    dialog.setSaveMode();
    typeAndSave(dialog, QStringLiteral("June spread "));
    QCOMPARE(m_boxes.shown(), std::vector<Message> {OpenSaveCommand::updatedMessage()});
    QCOMPARE(namesOf(2), QStringList {QStringLiteral("June spread")});
    QCOMPARE(m_state.OpSvName, QStringLiteral("June spread"));
}

QTEST_MAIN(TestSaveNames)
#include "wtst_savenames.moc"
