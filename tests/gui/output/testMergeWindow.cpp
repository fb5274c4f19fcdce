#include "app/AppFolder.h"
#include "app/ui/MainWindow.h"
#include "platform/ColumnDatabase.h"
#include "platform/ui/StatusPanels.h"
#include "session/Session.h"
#include "support/ModalDriver.h"
#include "support/ScriptedPrompts.h"
#include "support/StartedProgram.h"
#include "support/TestSystems.h"

#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

// What the merge window shows at a moment: its captions, the visibility of its four caption
// labels and the texts of its four value labels.
struct Shown {
    QString title;
    QString closeCaption;
    bool mergeEnabled = false;
    QList<bool> captionsVisible;
    QStringList values;
};

Shown look(QWidget* window)
{
    Shown shown;
    shown.title = window->windowTitle();
    shown.closeCaption = child<QPushButton>(window, QStringLiteral("cmdAnnulla"))->text();
    shown.mergeEnabled = child<QPushButton>(window, QStringLiteral("cmdAccorpa"))->isEnabled();
    for (int i = 1; i <= 4; ++i)
        shown.captionsVisible << child<QLabel>(window, QStringLiteral("lbl%1").arg(i))->isVisible();
    for (const char* name : {"lblTotColRid", "lblTotColAcc", "lblRapp", "lblTempo"})
        shown.values << child<QLabel>(window, QLatin1String(name))->text();
    return shown;
}

// Merges as soon as the merge window opens, then closes it.
void mergeWhenOpened()
{
    whenModal(QStringLiteral("frmACCORPA"), [](QWidget* window) {
        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("cmdAccorpa")), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("cmdAnnulla")), Qt::LeftButton);
    });
}

} // namespace

class TestMergeWindow final : public QObject {
    Q_OBJECT

    // A started program whose open system has been reduced to `reduced`.
    struct Started : StartedProgram {
        explicit Started(const QList<QByteArray>& reduced)
        {
            QStringList signs(12, QStringLiteral("1"));
            signs << QStringLiteral("1X2");
            session->document() = TestSystems::withPrediction(signs);
            SystemDocument& document = session->document();
            for (const QByteArray& column : reduced)
                document.WorkColumns.append(column);
            document.ReducedCount = static_cast<qint32>(reduced.size());
            session->applyRule(CommandRule::MatchesConfirmed);
            session->applyRule(CommandRule::ReductionConfirmed);
            session->refreshStatus();
        }
    };

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void mergeShowsTheResult_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QList<QByteArray>>("reduced");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<int>("merged");

        QTest::newRow("three columns, Italian")
            << QLocale(QLocale::Italian, QLocale::Italy)
            << QList<QByteArray>{"1111111111111", "111111111111X", "1111111111112"}
            << QStringList{"3", "2", "1,50"} << 2;
        QTest::newRow("three columns, C")
            << QLocale::c() << QList<QByteArray>{"1111111111111", "111111111111X", "1111111111112"}
            << QStringList{"3", "2", "1.50"} << 2;
        QTest::newRow("one column")
            << QLocale(QLocale::Italian, QLocale::Italy) << QList<QByteArray>{"1111111111112"}
            << QStringList{"1", "1", "1,00"} << 1;
    }

    void mergeShowsTheResult()
    {
        QFETCH(QLocale, locale);
        QFETCH(QList<QByteArray>, reduced);
        QFETCH(QStringList, values);
        QFETCH(int, merged);
        QLocale::setDefault(locale);
        Started s(reduced);
        QVERIFY(s.command("mnuAccorpa")->isEnabled());
        QCOMPARE(s.command("mnuAccorpa")->text(), QStringLiteral("&Accorpa Colonne"));

        Shown before;
        Shown after;
        QString menuWhileOpen;
        int progressMaximum = -1;
        whenModal(QStringLiteral("frmACCORPA"), [&](QWidget* window) {
            before = look(window);
            QTest::mouseClick(child<QPushButton>(window, QStringLiteral("cmdAccorpa")),
                              Qt::LeftButton);
            after = look(window);
            menuWhileOpen = s.command("mnuAccorpa")->text();
            progressMaximum = s.window->progressBar()->maximum();
            QTest::mouseClick(child<QPushButton>(window, QStringLiteral("cmdAnnulla")),
                              Qt::LeftButton);
        });
        s.window->runCommand(QStringLiteral("mnuAccorpa"));

        QCOMPARE(before.title, QStringLiteral("Prova - Accorpa Colonne"));
        QCOMPARE(before.closeCaption, QStringLiteral("&Annulla"));
        QVERIFY(before.mergeEnabled);
        QCOMPARE(before.captionsVisible, (QList<bool>{false, false, false, false}));
        QCOMPARE(before.values, (QStringList{"", "", "", ""}));

        QCOMPARE(after.closeCaption, QStringLiteral("&Chiudi"));
        QVERIFY(!after.mergeEnabled);
        QCOMPARE(after.captionsVisible, (QList<bool>{true, true, true, true}));
        QCOMPARE(after.values.mid(0, 3), values);
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"))
                    .match(after.values.at(3))
                    .hasMatch());
        QCOMPARE(menuWhileOpen, QStringLiteral("Dis&accorpa"));
        QCOMPARE(progressMaximum, int(reduced.size()));
        QCOMPARE(s.window->progressBar()->value(), 0);

        QCOMPARE(s.session->document().MergedCount, merged);
        MergedColumns stored;
        QVERIFY(ColumnDatabase::readMergedRows(s.dir.path(), stored, nullptr));
        QCOMPARE(stored.count(), merged);
        QVERIFY(s.prompts.records().isEmpty());
    }

    void mergedStateReachesTheMainWindowAndUnmergeUndoesIt()
    {
        Started s({"1111111111111", "111111111111X", "1111111111112"});
        QVERIFY(s.command("tmAccorpa")->isVisible());
        QVERIFY(!s.command("tmDisaccorpa")->isVisible());
        QCOMPARE(s.window->reducedStatus()->panelText(8), QString());

        mergeWhenOpened();
        // The toolbar button runs the same toggle as the menu item.
        s.command("tmAccorpa")->trigger();
        QCOMPARE(s.session->document().MergedCount, 2);
        QCOMPARE(s.command("mnuAccorpa")->text(), QStringLiteral("Dis&accorpa"));
        QCOMPARE(s.window->reducedStatus()->panelText(8), QStringLiteral("Accorpate: 2"));
        QVERIFY(!s.command("tmAccorpa")->isVisible());
        QVERIFY(s.command("tmDisaccorpa")->isVisible());
        QVERIFY(s.command("tmDisaccorpa")->isEnabled());

        // With a merged system the command never opens the window: it discards the merge.
        s.prompts.expectMessage(QStringLiteral("Colonne disaccorpate"));
        QVERIFY(!s.runWithoutWindow("mnuAccorpa"));
        QVERIFY(s.prompts.allConsumed());
        QCOMPARE(s.prompts.lastMessage().icon, MessageIcon::Information);
        QCOMPARE(s.prompts.lastMessage().title, QStringLiteral("Prova"));
        QCOMPARE(s.session->document().MergedCount, 0);
        QCOMPARE(s.command("mnuAccorpa")->text(), QStringLiteral("&Accorpa Colonne"));
        QCOMPARE(s.window->reducedStatus()->panelText(8), QString());
        QVERIFY(s.command("tmAccorpa")->isVisible());
        QVERIFY(!s.command("tmDisaccorpa")->isVisible());

        // The rows stay in Accorpa.mdb until the next merge replaces them.
        MergedColumns stored;
        QVERIFY(ColumnDatabase::readMergedRows(s.dir.path(), stored, nullptr));
        QCOMPARE(stored.count(), 2);
    }

    void closingBeforeMergingChangesNothing()
    {
        Started s({"1111111111111", "111111111111X"});
        whenModal(QStringLiteral("frmACCORPA"), [](QWidget* window) {
            QTest::mouseClick(child<QPushButton>(window, QStringLiteral("cmdAnnulla")),
                              Qt::LeftButton);
        });
        s.window->runCommand(QStringLiteral("mnuAccorpa"));
        QCOMPARE(s.session->document().MergedCount, 0);
        QCOMPARE(s.command("mnuAccorpa")->text(), QStringLiteral("&Accorpa Colonne"));
        MergedColumns stored;
        QVERIFY(ColumnDatabase::readMergedRows(s.dir.path(), stored, nullptr));
        QCOMPARE(stored.count(), 0);
        QVERIFY(s.prompts.records().isEmpty());
    }
};

QTEST_MAIN(TestMergeWindow)
#include "testMergeWindow.moc"
