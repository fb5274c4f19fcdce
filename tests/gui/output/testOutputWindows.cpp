#include "output/ui/ColumnViewerWindow.h"
#include "output/ui/WinningsCheckWindow.h"
#include "platform/ColumnDatabase.h"
#include "platform/ui/StatusPanels.h"
#include "support/GuiDriver.h"
#include "support/TestSystems.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QClipboard>
#include <QListView>
#include <QProgressBar>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

const QRegularExpression Elapsed(u"^\\d\\d:\\d\\d:\\d\\d$"_s);

// Seven doubles: an integral system of 128 columns.
const QStringList SevenDoubles = {"1X", "1X", "X2", "12", "1X", "1X", "X2",
                                  "1",  "1",  "1",  "1",  "1",  "1"};
const QList<QByteArray> FourColumns = {"1111111111111", "1X1X1X1X1X1X1", "X111111111112",
                                       "X211111111111"};

QString lineAt(QWidget* viewer, int row)
{
    return child<QListView>(viewer, u"lstCOL"_s)->model()->index(row, 0).data().toString();
}

// The merge window's caption, its button, the visible caption labels and the values shown.
QString mergeShows(QWidget* window)
{
    return window->windowTitle() + u'|' + textOf(window, u"cmdAnnulla"_s) +
           (child(window, u"cmdAccorpa"_s)->isEnabled() ? u"|merge|"_s : u"|merged|"_s) +
           visibleOf(window, u"lbl1 lbl2 lbl3 lbl4"_s) + u'|' +
           textsOf(window, u"lblTotColRid lblTotColAcc lblRapp"_s);
}

// Match 1 plays 1X, match 5 the triple, match 13 the double 12, the others one sign each. W,
// the winning column below, is the first reduced column; the second misses it on one match,
// the third on three.
const QStringList Played = {"1X", "1", "2", "X", "1X2", "1", "1", "1", "1", "1", "1", "1", "12"};

struct Check {
    StartedProgram p;
    std::unique_ptr<WinningsCheckWindow> window;
    explicit Check(const char* mode)
    {
        p.prepare(Played, {"112X111111111", "X12X111111111", "X12XX11111112"});
        p.session->TaskMode = QLatin1String(mode);
        window = std::make_unique<WinningsCheckWindow>(*p.session);
        QVERIFY(activate(window.get()));
    }
    QLineEdit* box(int i) const
    {
        return child<QLineEdit>(window.get(), u"txtColVin(%1)"_s.arg(i));
    }
    QLabel* played(int i) const { return child<QLabel>(window.get(), u"lblPro(%1)"_s.arg(i)); }
    QCheckBox* tick(int k) const { return child<QCheckBox>(window.get(), u"chkAb(%1)"_s.arg(k)); }
    QWidget* start() const { return child(window.get(), u"cmdAvvia"_s); }
    // Enters a box as the user does, by giving it the focus; its text ends up selected.
    void enter(int i) const
    {
        box(i)->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
    }
    // Types the keys into whatever box has the focus, as the user sees it move on.
    void typeKeys(const QString& keys) const
    {
        for (QChar key : keys)
            QTest::keyClicks(QApplication::focusWidget(), QString(key));
    }
    // Types the column and presses Enter, which after the last sign starts the count.
    void count(const QString& column) const
    {
        enter(1);
        typeKeys(column);
        QCOMPARE(QApplication::focusWidget(), start());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QString counters() const
    {
        return textsOf(window.get(),
                       u"lblV(1) lblV(2) lblV(3) lblV(4) lblV(5) lblV(6) lblV(7) lblV(8)"_s);
    }
    // The categories whose mark is shown.
    QString marked() const
    {
        return visibleOf(window.get(), u"AB(1) AB(2) AB(3) AB(4) AB(5) AB(6) AB(7) AB(8)"_s);
    }
    // The matches shown as missed: bold and red; the others plain and black.
    QList<int> missed() const
    {
        QList<int> matches;
        for (int i = 1; i <= 13; ++i) {
            const bool bold = played(i)->font().bold();
            const QColor colour = played(i)->palette().color(QPalette::WindowText);
            if (bold || colour != QColor(Qt::black))
                matches << (bold && colour == QColor(Qt::red) ? i : -i);
        }
        return matches;
    }
};

} // namespace

class TestOutputWindows final : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void viewerListsAndCopiesTheColumns()
    {
        StartedProgram p;
        AppFolder::prepare(p.dir.path());
        p.prepare(SevenDoubles, {});
        p.document().WorkColumns = p.document().IntegralColumns;
        p.document().ReducedCount = p.document().IntegralCount;
        auto v = p.open<ColumnViewerWindow>(u"CRid"_s);
        QCOMPARE(v->windowTitle(), u"Prova - Colonne Sistema Ridotto"_s);
        QCOMPARE(textOf(v.get(), u"lblCol"_s), u"Colonne del Sistema Ridotto - 128"_s);
        auto* list = child<QListView>(v.get(), u"lstCOL"_s);
        QAbstractItemModelTester tester(list->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(list->model()->rowCount(), 128);
        QCOMPARE(lineAt(v.get(), 0), u"0000001  -  11X 111 X11 1111"_s);
        // Ctrl+C copies the selected lines in list order.
        list->setFocus();
        for (int row : {4, 1, 2})
            list->selectionModel()->select(list->model()->index(row, 0),
                                           QItemSelectionModel::Select);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(
            QGuiApplication::clipboard()->text(),
            QStringList({lineAt(v.get(), 1), lineAt(v.get(), 2), lineAt(v.get(), 4)}).join(u'\n'));

        p.document() = TestSystems::withPrediction(TestSystems::allTriples());
        v = p.open<ColumnViewerWindow>(u"CInt"_s);
        QCOMPARE(textOf(v.get(), u"lblCol"_s), u"Colonne del Sistema Integrale - 1594323"_s);
        child<QListView>(v.get(), u"lstCOL"_s)->scrollToBottom();
        QCOMPARE(lineAt(v.get(), 1594322), u"1594323  -  222 222 222 2222"_s);
    }

    void viewerCommandsShowAndExportTheirSystem_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("reduced") << "mnuVediColRid CRid";
        QTest::newRow("integral") << "mnuVediColInt CInt";
    }
    void viewerCommandsShowAndExportTheirSystem()
    {
        QFETCH(QString, command);
        const QString mode = command.section(u' ', 1);
        command = command.section(u' ', 0, 0);
        StartedProgram p;
        p.start();
        p.prepare(SevenDoubles, FourColumns);
        const ColumnBuffer& shown =
            mode == "CInt"_L1 ? p.document().IntegralColumns : p.document().WorkColumns;
        QString title;
        int rows = 0, progressMaximum = -1;
        const QString done = u"File 'Export.mdb' creato con successo !"_s;
        p.prompts.expectMessage(done).expectMessage(done);
        whenModal(u"frmVEDICOL"_s, [&](QWidget* window) {
            title = window->windowTitle();
            rows = child<QListView>(window, u"lstCOL"_s)->model()->rowCount();
            clickOn(window, u"cmdCreaMDB"_s);
            progressMaximum = p.window->progressBar()->maximum();
            // Exporting again replaces the rows of the first export.
            clickOn(window, u"cmdCreaMDB"_s);
            clickOn(window, u"cmdEsci"_s);
        });
        p.window->runCommand(command);
        QCOMPARE(p.session->DialogMode, mode);
        QCOMPARE(title, mode == "CInt"_L1 ? u"Prova - Colonne Sistema Integrale"_s
                                          : u"Prova - Colonne Sistema Ridotto"_s);
        QCOMPARE(rows, shown.count());
        // The export drives the main window's progress bar over the columns, then clears it.
        QCOMPARE(progressMaximum, shown.count());
        QCOMPARE(p.window->progressBar()->value(), 0);
        QVERIFY(p.prompts.lastMessage().icon == MessageIcon::None &&
                p.prompts.lastMessage().title == "QUADRIGO 13"_L1 &&
                p.prompts.lastMessage().buttons == MessageButtons::Ok);
        QList<ColumnDatabase::StoredWinningRow> stored;
        QVERIFY(ColumnDatabase::readWinningRows(p.dir.path(), ColumnDatabase::Database::Export,
                                                stored, nullptr));
        QByteArray exported;
        for (const auto& row : stored)
            exported += QByteArrayList(row.texts.begin() + 2, row.texts.begin() + 15).join();
        QCOMPARE(exported, shown.records());
    }

    void mergeTogglesAndShowsTheResult()
    {
        // The ratio in the user's locale.
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        StartedProgram p;
        p.start();
        p.prepare(QStringList(12, u"1"_s) << u"1X2"_s,
                  {"1111111111111", "111111111111X", "1111111111112"});
        MergedColumns stored;
        const auto storedRows = [&] {
            return ColumnDatabase::readMergedRows(p.dir.path(), stored, nullptr) ? stored.count()
                                                                                 : -1;
        };
        const auto toolbar = [&] {
            return QString::number(p.command("tmAccorpa")->isVisible()) +
                   QString::number(p.command("tmDisaccorpa")->isVisible()) + u'|' +
                   p.command("mnuAccorpa")->text() + u'|' + p.window->reducedStatus()->panelText(8);
        };
        // Closing before merging changes nothing.
        whenModal(u"frmACCORPA"_s, [](QWidget* window) { clickOn(window, u"cmdAnnulla"_s); });
        p.window->runCommand(u"mnuAccorpa"_s);
        QVERIFY(p.document().MergedCount == 0 && storedRows() == 0);
        QCOMPARE(toolbar(), u"10|&Accorpa Colonne|"_s);

        // The toolbar button runs the same toggle as the menu item.
        QString before, after, menuWhileOpen, time;
        int progressMaximum = -1;
        whenModal(u"frmACCORPA"_s, [&](QWidget* window) {
            before = mergeShows(window);
            clickOn(window, u"cmdAccorpa"_s);
            after = mergeShows(window);
            time = textOf(window, u"lblTempo"_s);
            menuWhileOpen = p.command("mnuAccorpa")->text();
            progressMaximum = p.window->progressBar()->maximum();
            clickOn(window, u"cmdAnnulla"_s);
        });
        p.command("tmAccorpa")->trigger();
        QCOMPARE(before, u"Prova - Accorpa Colonne|&Annulla|merge||||"_s);
        QCOMPARE(after, u"Prova - Accorpa Colonne|&Chiudi|merged|lbl1 lbl2 lbl3 lbl4|3|2|1,50"_s);
        QVERIFY(Elapsed.match(time).hasMatch());
        QCOMPARE(menuWhileOpen, u"Dis&accorpa"_s);
        QCOMPARE(progressMaximum, 3);
        QCOMPARE(p.window->progressBar()->value(), 0);
        QVERIFY(p.document().MergedCount == 2 && storedRows() == 2);
        QCOMPARE(toolbar(), u"01|Dis&accorpa|Accorpate: 2"_s);
        QVERIFY(p.command("tmDisaccorpa")->isEnabled());

        // With a merged system the command never opens the window: it discards the merge. The
        // rows stay in Accorpa.mdb until the next merge replaces them.
        p.prompts.expectMessage(u"Colonne disaccorpate"_s);
        QVERIFY(!modalOpenedDuring([&p] { p.window->runCommand(u"mnuAccorpa"_s); }));
        QVERIFY(p.prompts.lastMessage().icon == MessageIcon::Information &&
                p.prompts.lastMessage().title == "Prova"_L1);
        QVERIFY(p.document().MergedCount == 0 && storedRows() == 2);
        QCOMPARE(toolbar(), u"10|&Accorpa Colonne|"_s);
    }

    // Annulla while the full integral system is being merged stops the merge: the system stays
    // unmerged and Accorpa.mdb gets no rows.
    void annullaStopsARunningMerge()
    {
        StartedProgram p;
        p.start();
        p.prepare(TestSystems::allTriples(), {}, int(ColumnBuffer::MaxCount));
        WatchingProgress progress;
        bool cancelled = false;
        progress.note = [&cancelled](int value) {
            if (value == 0 || cancelled)
                return;
            cancelled = true;
            clickOn(QApplication::activeModalWidget(), u"cmdAnnulla"_s);
        };
        p.session->setProgress(&progress);
        whenModal(u"frmACCORPA"_s, [](QWidget* window) { clickOn(window, u"cmdAccorpa"_s); });
        p.window->runCommand(u"mnuAccorpa"_s);
        p.session->setProgress(nullptr);
        QVERIFY(cancelled);
        QCOMPARE(p.document().MergedCount, 0);
        MergedColumns stored;
        QVERIFY(ColumnDatabase::readMergedRows(p.dir.path(), stored, nullptr));
        QCOMPARE(stored.count(), 0);
    }

    void checkKeysMarksAndCounts()
    {
        Check c("CRid");
        QCOMPARE(textsOf(c.window.get(), u"lblPro(1) lblPro(2) lblPro(5)"_s), u"1X|1|1X2"_s);
        QCOMPARE(c.counters(), u"|||||||"_s);
        QVERIFY(c.marked().isEmpty() && c.missed().isEmpty() && !c.start()->isEnabled());
        QCOMPARE(QApplication::focusWidget(), c.box(1));

        // Each key: the box it goes to, what that box then shows, the box with the focus.
        const QList<std::tuple<int, const char*, const char*, int>> steps = {
            {1, "3", "X", 2}, {2, "a", "", 2},  {2, " ", "", 2},
            {2, "x", "X", 3}, {3, "-", "-", 4}, {4, "2", "2", 5}};
        for (const auto& [i, key, shown, next] : steps) {
            QTest::keyClicks(c.box(i), QLatin1String(key));
            QCOMPARE(c.box(i)->text(), QLatin1String(shown));
            QCOMPARE(QApplication::focusWidget(), c.box(next));
        }
        // Entering a box selects its entry, so a key replaces it; Backspace stays in the box.
        c.enter(2);
        QCOMPARE(c.box(2)->selectedText(), u"X"_s);
        QTest::keyClicks(c.box(2), u"1"_s);
        QVERIFY(c.box(2)->text() == "1"_L1 && c.box(3)->hasFocus());
        QTest::keyClick(c.box(3), Qt::Key_Backspace);
        QVERIFY(c.box(3)->text().isEmpty() && c.box(3)->hasFocus());

        // A result outside the played signs is marked until corrected; either sign of a double,
        // and no entry, are no miss.
        QTest::keyClick(c.box(3), Qt::Key_Tab);
        QCOMPARE(c.missed(), (QList<int>{4}));
        const QList<std::tuple<int, const char*, QList<int>>> entries = {
            {1, "2", {1, 4}}, {1, "X", {4}}, {13, "2", {4}}};
        for (const auto& [i, key, missed] : entries) {
            c.enter(i);
            c.typeKeys(QLatin1String(key));
            QCOMPARE(c.missed(), missed);
        }

        // The count starts only once the column is complete.
        Check full("CRid");
        full.enter(1);
        full.typeKeys(u"112X"_s);
        // Leaving the last box with an earlier one empty goes to the first empty one; nor can the
        // last box be left empty while the others are filled.
        full.enter(13);
        full.typeKeys(u"1"_s);
        QVERIFY(full.box(5)->hasFocus() && !full.start()->isEnabled());
        full.typeKeys(u"11111111"_s);
        QVERIFY(full.box(13)->hasFocus() && !full.start()->isEnabled());
        QTest::keyClick(full.box(13), Qt::Key_Backspace);
        full.enter(2);
        QVERIFY(full.box(13)->hasFocus() && !full.start()->isEnabled());
        full.typeKeys(u"2"_s);
        QVERIFY(full.start()->hasFocus() && full.start()->isEnabled());
        // Once offered, the count stays available.
        full.enter(3);
        QTest::keyClick(full.box(3), Qt::Key_Backspace);
        full.enter(13);
        QTest::keyClick(full.box(13), Qt::Key_Tab);
        QVERIFY(full.box(3)->hasFocus() && full.start()->isEnabled());

        // The counts by category.
        Check w("CRid");
        w.count(u"112X111111111"_s);
        QCOMPARE(w.counters(), u"1|1|0|1|0|0|0|0"_s);
        QCOMPARE(w.marked(), u"AB(1) AB(2) AB(3) AB(4) AB(5) AB(6) AB(7) AB(8)"_s);
        QCOMPARE(visibleOf(w.window.get(), u"lblDescr BarraWait"_s), u"lblDescr"_s);
        QVERIFY(Elapsed.match(textOf(w.window.get(), u"lblTempo"_s)).hasMatch());
        QVERIFY(w.start()->isEnabled() && child(w.window.get(), u"cmdEsci"_s)->isEnabled());
        QCOMPARE(QApplication::focusWidget(), w.box(1));
        // A merged system plays no part in the check; unticked categories stay empty and lose
        // their mark, and the column stays for a second count.
        w.p.document().MergedCount = 1;
        for (int k : {3, 5, 6, 7, 8})
            QTest::mouseClick(w.tick(k), Qt::LeftButton, {}, QPoint(4, w.tick(k)->height() / 2));
        QTest::mouseClick(w.start(), Qt::LeftButton);
        QCOMPARE(w.counters(), u"1|1||1||||"_s);
        QCOMPARE(w.marked(), u"AB(1) AB(2) AB(4)"_s);

        // On the integral system one column scores 13, and one column for each other sign played
        // on a match scores 12.
        Check integral("CInt");
        integral.count(u"X12X211111112"_s);
        QVERIFY(integral.counters().startsWith("1|4|"_L1));
    }

    void checkCommandsOpenTheWindowInTheirMode()
    {
        StartedProgram p;
        p.start();
        QVERIFY(QTest::qWaitForWindowActive(p.window.get()));
        QVERIFY(!p.command("mnuColVincente")->isEnabled());
        // F2 is the shortcut key of the check on the integral system.
        QVERIFY(!modalOpenedDuring([&p] {
            QTest::keyClick(p.window.get(), Qt::Key_F2);
            QTest::qWait(50);
        }));
        QVERIFY(p.session->TaskMode.isEmpty());
        p.prepare(Played, {"112X111111111"});
        QVERIFY(p.command("mnuColVincente")->isEnabled());
        const QList<std::pair<const char*, const char*>> commands = {
            {"F2", "CInt"}, {"mnuConColRid", "CRid"}, {"mnuConColInt", "CInt"}};
        for (const auto& [command, mode] : commands) {
            p.session->TaskMode.clear();
            QString title;
            whenModal(u"frmCONTROLLA"_s, [&title](QWidget* window) {
                title = window->windowTitle();
                window->close();
            });
            if (command == "F2"_L1)
                QTest::keyClick(p.window.get(), Qt::Key_F2);
            else
                p.window->runCommand(QLatin1String(command));
            QCOMPARE(p.session->TaskMode, QLatin1String(mode));
            QCOMPARE(title, u"Prova - Spoglio Schedine"_s);
        }
    }
};

QTEST_MAIN(TestOutputWindows)
#include "testOutputWindows.moc"
