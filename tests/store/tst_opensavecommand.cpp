// The Save and Open commands: every message with its style and title, the
// remembered position, replacing an opened position (twice in a row), names
// of any text, and database failures that report the file and save nothing.
#include "support/TestSupport.h"

#include "store/OpenSaveCommand.h"
#include "store/PositionName.h"
#include "store/PositionStore.h"

#include <QTest>

using namespace velmora;
using namespace velmora::testing;

Q_DECLARE_METATYPE(velmora::Message)

class TestOpenSaveCommand : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void messages_data();
    void messages();
    void saveNames_data();
    void saveNames();
    void positionWithoutStrategyIsNotSaved_data();
    void positionWithoutStrategyIsNotSaved();
    void openFillsTheWindow();
    void savingAnOpenedPositionTwice_data();
    void savingAnOpenedPositionTwice();
    void nameRules_data();
    void nameRules();
    void printableNames_data();
    void printableNames();
    void failedReplaceKeepsTheOpenedRow();
    void openingAVanishedRow();

private:
    OpenSaveOutcome save(const QString &name, int strategy = 2);
    OpenSaveOutcome openNamed(const QString &name, int strategy = 2);
    QStringList names(int strategy = 2) const;

    QTemporaryDir m_dir;
    QString m_file;
    std::unique_ptr<PositionStore> m_store;
    OpenSaveState m_state;
    ScriptedMessageBoxes m_boxes;
    Workspace m_workspace;
};

void TestOpenSaveCommand::init()
{
    m_store.reset(); // closed before its file is removed
    m_file = freshFile(m_dir);
    m_store = std::make_unique<PositionStore>(m_file);
    m_state = OpenSaveState();
    m_boxes.clear();
    typePosition(m_workspace, 2);
}

OpenSaveOutcome TestOpenSaveCommand::save(const QString &name, int strategy)
{
    return OpenSaveCommand(*m_store, m_state, m_boxes).save(m_workspace, strategy, name);
}

OpenSaveOutcome TestOpenSaveCommand::openNamed(const QString &name, int strategy)
{
    for (const NameEntry &entry : m_store->names(strategy)) {
        if (entry.name == name)
            return OpenSaveCommand(*m_store, m_state, m_boxes).open(m_workspace, strategy, entry);
    }
    return {};
}

QStringList TestOpenSaveCommand::names(int strategy) const
{
    QStringList list;
    for (const NameEntry &entry : m_store->names(strategy))
        list << entry.name;
    return list;
}

void TestOpenSaveCommand::messages_data()
{
    QTest::addColumn<Message>("message");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("title");
    const QString attention = QStringLiteral("Attention");
    const QString plain = defaultMessageTitle();
    using C = OpenSaveCommand;
    addRow("blank", C::blankNameMessage(), "Blank File Name cannot be Saved.", 64, attention);
    addRow("clash", C::nameTakenMessage(), "File Already Exist.", 16, attention);
    addRow("saved", C::savedMessage(), "Saved Successfully", 0, plain);
    addRow("updated", C::updatedMessage(), "Updated Successfully", 0, plain);
}

void TestOpenSaveCommand::messages()
{
    QFETCH(Message, message);
    QFETCH(QString, prompt);
    QFETCH(int, style);
    QFETCH(QString, title);
    QCOMPARE(message.prompt, prompt);
    QCOMPARE(message.style, style);
    QCOMPARE(message.shownTitle(), title);
}

// The name rules of Save: names are stored trimmed, match exactly in every
// strategy, and may hold any text.
void TestOpenSaveCommand::saveNames_data()
{
    QTest::addColumn<QString>("used"); // saved first, as a Covered Calls position
    QTest::addColumn<bool>("opened"); // the position was opened from the row "mine"
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("answer"); // blank, taken, saved or updated
    QTest::addColumn<QStringList>("listed"); // the Bull Spreads names afterwards
    using L = QStringList;
    addRow("blanks", "", false, "   ", "blank", L {});
    addRow("blanks, opened", "", true, "  ", "blank", L {"mine"});
    addRow("free name saved trimmed", "", false, "  May bull  ", "saved", L {"May bull"});
    addRow("used in another strategy", "taken", false, "taken", "taken", L {});
    addRow("blanks around a used name", "abc", false, " abc ", "taken", L {});
    addRow("prefix of a used name", "June spread", false, "June", "saved", L {"June"});
    addRow("LIKE wildcards", "June spread", false, "June_spread%", "saved", L {"June_spread%"});
    addRow("opened, another row's name", "theirs", true, "theirs", "taken", L {"mine"});
    addRow("opened, its own name with blanks", "", true, " mine ", "updated", L {"mine"});
    addRow("opened, renamed", "", true, " new name ", "updated", L {"new name"});
    addRow("quotes", "Bob's \"bull\"", false, "Bob's \"bull\"", "taken", L {});
    addRow("SQL in the name", "a'; DROP TABLE Chart; --", false, "a'; DROP TABLE Chart; --",
        "taken", L {});
    addRow("backslash", "C:\\temp\\one", false, "C:\\temp\\one", "taken", L {});
    QTest::newRow("unicode") << QStringLiteral("Stratégie été ✓ 株") << false
                             << QStringLiteral("Stratégie été ✓ 株") << "taken" << L {};
}

void TestOpenSaveCommand::saveNames()
{
    QFETCH(QString, used);
    QFETCH(bool, opened);
    QFETCH(QString, name);
    QFETCH(QString, answer);
    QFETCH(QStringList, listed);
    if (!used.isEmpty())
        QVERIFY(save(used, 0).close);
    QCOMPARE(names(0), used.isEmpty() ? QStringList() : QStringList {used});
    if (opened) {
        save(QStringLiteral("mine"));
        QVERIFY(openNamed(QStringLiteral("mine")).done);
    }
    m_boxes.clear();
    const OpenSaveOutcome outcome = save(name);
    const std::map<QString, Message> messages {{"blank", OpenSaveCommand::blankNameMessage()},
        {"taken", OpenSaveCommand::nameTakenMessage()}, {"saved", OpenSaveCommand::savedMessage()},
        {"updated", OpenSaveCommand::updatedMessage()}};
    QCOMPARE(m_boxes.shown(), std::vector<Message> {messages.at(answer)});
    const bool written = answer == u"saved" || answer == u"updated";
    QCOMPARE(outcome.close, written);
    QCOMPARE(outcome.selectName, answer == u"taken");
    QVERIFY(written || outcome.focusName);
    QCOMPARE(names(), listed);
    QCOMPARE(m_state.OpSvMode, opened ? 2 : 1); // a save of a new position remembers nothing
}

void TestOpenSaveCommand::positionWithoutStrategyIsNotSaved_data()
{
    QTest::addColumn<int>("strategy");
    QTest::addColumn<int>("mode");
    QTest::newRow("none chosen, new") << -1 << 1;
    QTest::newRow("none chosen, opened") << -1 << 2;
    QTest::newRow("past the list") << 5 << 1;
}

void TestOpenSaveCommand::positionWithoutStrategyIsNotSaved()
{
    QFETCH(int, strategy);
    QFETCH(int, mode);
    save(QStringLiteral("kept"));
    openNamed(QStringLiteral("kept"));
    m_state.OpSvMode = mode;
    m_boxes.clear();
    // Such a row would be listed nowhere and hold its name for good.
    const OpenSaveOutcome outcome = save(QStringLiteral("nowhere"), strategy);
    QVERIFY(!outcome.done && !outcome.close);
    QCOMPARE(m_boxes.shown(), std::vector<Message> {OpenSaveCommand::noStrategyMessage()});
    QVERIFY(!m_store->find(QStringLiteral("nowhere")));
    QCOMPARE(names(), QStringList {QStringLiteral("kept")});
}

void TestOpenSaveCommand::openFillsTheWindow()
{
    save(QStringLiteral("to open"));
    m_workspace.load();
    m_workspace.blank();
    m_boxes.clear();
    const OpenSaveOutcome outcome = openNamed(QStringLiteral("to open"));
    QVERIFY(outcome.done && outcome.close && outcome.escape && outcome.disableStrategyList);
    QCOMPARE(
        outcome.mainCaption, std::optional<QString>(QStringLiteral("File Opened: Bull Spreads")));
    QVERIFY(m_boxes.shown().empty());
    QCOMPARE(m_workspace.strategy(), 2);
    QCOMPARE(m_workspace.text(at("Text2", 3)), QStringLiteral("40"));
    QCOMPARE(m_workspace.text(single("Text1")), QStringLiteral("ACME"));
    QCOMPARE(m_state.OpSvSID, 2);
    QCOMPARE(m_state.OpSvName, QStringLiteral("to open"));
    QCOMPARE(m_state.OpSvID, m_store->names(2).front().id);
}

void TestOpenSaveCommand::savingAnOpenedPositionTwice_data()
{
    QTest::addColumn<bool>("deletedMeanwhile"); // by another window
    QTest::newRow("row still there") << false;
    QTest::newRow("row deleted meanwhile") << true;
}

void TestOpenSaveCommand::savingAnOpenedPositionTwice()
{
    QFETCH(bool, deletedMeanwhile);
    save(QStringLiteral("twice"));
    openNamed(QStringLiteral("twice"));
    const qint64 opened = m_state.OpSvID;
    if (deletedMeanwhile)
        m_store->remove({opened});
    m_boxes.clear();
    m_workspace.setText(at("Text2", 4), QStringLiteral("3.5"));
    QVERIFY(save(QStringLiteral("twice")).close);
    const qint64 first = m_state.OpSvID;
    QVERIFY(first != opened);
    QVERIFY(save(QStringLiteral("twice")).close);
    QCOMPARE(m_boxes.shown(), std::vector<Message>(2, OpenSaveCommand::updatedMessage()));
    QCOMPARE(names(), QStringList {QStringLiteral("twice")});
    QCOMPARE(m_store->names(2).front().id, m_state.OpSvID);
    QCOMPARE(m_store->row(m_state.OpSvID)->value(u"cp1"), std::optional<QString>("3.5"));
}

// The name rules of Save in one table: what is refused and why, what is
// accepted, and which names cannot be told from a stored one.
void TestOpenSaveCommand::nameRules_data()
{
    QTest::addColumn<QString>("stored"); // a row written before, as it was written
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("answer"); // "saved", "taken", "look-alike" or the refusal's start
    const QString hidden = QStringLiteral("File Name cannot contain line breaks");
    const QString unagreed = QStringLiteral("File Name cannot contain private-use");
    const QString nothing = QStringLiteral("File Name has nothing visible");
    const auto refused = [&](const char *row, const QString &typed, const QString &why) {
        QTest::newRow(row) << QString() << typed << why;
    };
    const auto saved = [](const char *row, const QString &typed) {
        QTest::newRow(row) << QStringLiteral("alpha") << typed << QStringLiteral("saved");
    };
    const auto clash
        = [](const char *row, const QString &stored, const QString &typed, const char *answer) {
              QTest::newRow(row) << stored << typed << QString::fromLatin1(answer);
          };
    refused("line break", "two\nlines", hidden);
    refused("C1 control", QStringLiteral("next\u0085line"), hidden);
    refused("zero-width space", QStringLiteral("zero\u200bwidth"), hidden);
    refused("Hangul filler", QStringLiteral("alpha\u3164"), hidden);
    refused("Hangul choseong filler", QStringLiteral("alpha\u115f"), hidden);
    refused("variation selector after a letter", QStringLiteral("alpha\ufe0f"), hidden);
    refused("grapheme joiner", QStringLiteral("alpha\u034f"), hidden);
    refused("joiner between letters", QStringLiteral("a\u200db"), hidden);
    refused("joiner after a lone skin tone", QStringLiteral("\U0001F3FB\u200d\U0001F600"), hidden);
    refused("filler alone", QStringLiteral("\u3164"), hidden);
    refused("braille blank", QStringLiteral("\u2800"), hidden);
    refused("three braille blanks", QStringLiteral("\u2800\u2800\u2800"), hidden);
    refused("lone low surrogate", QString(QChar(0xdec1)), hidden);
    refused("lone high surrogate inside", u'a' + QString(QChar(0xd800)) + u'b', hidden);
    refused("private use", QStringLiteral("\ue000 spread"), unagreed);
    refused("unassigned", QStringLiteral("a\u0378"), unagreed);
    refused("noncharacter", QStringLiteral("a\ufdd0"), unagreed);
    refused("combining accent alone", QStringLiteral("\u0301"), nothing);
    refused("combining accents and a blank", QStringLiteral("\u0301 \u0308"), nothing);
    saved("Cyrillic", QStringLiteral("Сбербанк SBER 250C"));
    saved("Greek", QStringLiteral("Ελλάδα GREK"));
    saved("Hebrew", QStringLiteral("שלום TEVA"));
    saved("Greek letter among Latin", QStringLiteral("AAPL Δ-neutral"));
    saved("punctuation", QStringLiteral("O'Brien's \"fly\"; -- δ"));
    saved("family emoji", QStringLiteral("\U0001F468\u200d\U0001F469\u200d\U0001F467"));
    saved("emoji presentation", QStringLiteral("\u2764\ufe0f hedge"));
    saved("ticker", QStringLiteral("AAPL Jan-25 55C"));
    saved("accent", QStringLiteral("Café"));
    saved("umlaut", QStringLiteral("Müller's spread"));
    saved("Japanese", QStringLiteral("トヨタ 7203 コール"));
    saved("digits", QStringLiteral("12345"));
    saved("Cyrillic letter among Latin", QStringLiteral("p\u0430ypal"));
    saved("longer name", QStringLiteral("alpha beta"));
    clash("no-break space", "AAPL Jan", QStringLiteral("AAPL\u00a0Jan"), "taken");
    clash("thin space", "AAPL Jan", QStringLiteral("AAPL\u2009Jan"), "taken");
    clash("composed after composed", QStringLiteral("caf\u00e9"), QStringLiteral("cafe\u0301"),
        "taken");
    clash("composed after a decomposed row", QStringLiteral("cafe\u0301"),
        QStringLiteral("caf\u00e9"), "taken");
    // Qt 6.4's own composition leaves the second of these two decomposed.
    clash("decomposed supplementary pair", QStringLiteral("\U0001109A\U0001109A"),
        QStringLiteral("\U00011099\U000110BA\U00011099\U000110BA"), "taken");
    clash("blanks after an earlier row", "alpha  ", "alpha", "taken");
    clash(
        "wholly Cyrillic", "apple", QStringLiteral("\u0430\u0440\u0440\u04cf\u0435"), "look-alike");
    clash("wholly Greek", "ABE", QStringLiteral("\u0391\u0392\u0395"), "look-alike");
    clash("Cyrillic letter among Latin", "paypal", QStringLiteral("p\u0430ypal"), "look-alike");
}

void TestOpenSaveCommand::nameRules()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(QString, answer);
    // Normalising once is enough.
    QCOMPARE(positionName(positionName(typed)), positionName(typed));
    if (!stored.isEmpty())
        m_store->insert(PositionRow {0, 2, stored, {}, {}});
    const OpenSaveOutcome outcome = save(typed);
    QCOMPARE(m_boxes.shown().size(), size_t(1));
    const Message shown = m_boxes.shown().front();
    if (answer == u"saved") {
        QCOMPARE(shown, OpenSaveCommand::savedMessage());
        QCOMPARE(names().size(), qsizetype(stored.isEmpty() ? 1 : 2));
        return;
    }
    QVERIFY(!outcome.done && outcome.focusName && outcome.selectName);
    if (answer == u"taken")
        QCOMPARE(shown, OpenSaveCommand::nameTakenMessage());
    else if (answer == u"look-alike")
        QCOMPARE(shown, OpenSaveCommand::lookAlikeMessage(stored));
    else
        QVERIFY2(shown.prompt.startsWith(answer) && shown.style == int(MsgStyle::Stop)
                && shown.title == QStringLiteral("Attention"),
            qPrintable(shown.prompt));
    QCOMPARE(names(), stored.isEmpty() ? QStringList() : QStringList {stored});
}

// How a stored name is written on one line of a listing or a message.
void TestOpenSaveCommand::printableNames_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("printed");
    QTest::newRow("plain") << QStringLiteral("AAPL Jan-25 55C")
                           << QStringLiteral("AAPL Jan-25 55C");
    QTest::newRow("letters beyond ASCII")
        << QStringLiteral("Café Ελλάδα") << QStringLiteral("Café Ελλάδα");
    QTest::newRow("backslash, tab, line breaks")
        << QStringLiteral("C:\\t\tx\r\n") << QStringLiteral("C:\\\\t\\tx\\r\\n");
    QTest::newRow("other controls")
        << QStringLiteral("a\u0001b\u007f") << QStringLiteral("a\\u0001b\\u007f");
    QTest::newRow("line and paragraph separators")
        << QStringLiteral("a\u2028b\u2029") << QStringLiteral("a\\u2028b\\u2029");
}

void TestOpenSaveCommand::printableNames()
{
    QFETCH(QString, stored);
    QFETCH(QString, printed);
    QCOMPARE(printableName(stored), printed);
}

void TestOpenSaveCommand::failedReplaceKeepsTheOpenedRow()
{
    save(QStringLiteral("precious"));
    openNamed(QStringLiteral("precious"));
    const OpenSaveState before = m_state;
    runKeyed(m_file,
        "CREATE TRIGGER refuse BEFORE INSERT ON Chart "
        "BEGIN SELECT RAISE(ABORT, 'disk trouble'); END");
    m_boxes.clear();
    const OpenSaveOutcome outcome = save(QStringLiteral("precious"));
    QVERIFY(!outcome.close && !outcome.done);
    QCOMPARE(m_boxes.shown().size(), size_t(1));
    const Message shown = m_boxes.shown().front();
    QCOMPARE(shown.style, 16);
    QVERIFY(shown.prompt.contains(m_file));
    QVERIFY(shown.prompt.contains(QStringLiteral("disk trouble")));
    QVERIFY(shown.prompt.contains(QStringLiteral("Nothing was saved.")));
    QCOMPARE(names(), QStringList {QStringLiteral("precious")});
    QCOMPARE(m_store->names(2).front().id, before.OpSvID);
    QCOMPARE(m_state.OpSvID, before.OpSvID);
}

void TestOpenSaveCommand::openingAVanishedRow()
{
    save(QStringLiteral("vanishing"));
    const NameEntry entry = m_store->names(2).front();
    m_store->remove({entry.id});
    m_boxes.clear();
    const OpenSaveOutcome outcome
        = OpenSaveCommand(*m_store, m_state, m_boxes).open(m_workspace, 2, entry);
    QVERIFY(!outcome.done && !outcome.close && outcome.refreshList);
    QCOMPARE(m_boxes.shown().size(), size_t(1));
    QCOMPARE(m_boxes.shown().front().style, 16);
    QCOMPARE(m_state.OpSvMode, 1);
}

QTEST_GUILESS_MAIN(TestOpenSaveCommand)
#include "tst_opensavecommand.moc"
