#include "archive/ui/BacktestWindow.h"
#include "output/EvidencePrintout.h"
#include "output/ui/LiveResultsWindow.h"
#include "output/ui/OutcomesWindow.h"
#include "platform/PrintSurface.h"
#include "platform/ProgressReporter.h"
#include "platform/RecordingPrinter.h"
#include "reports/ui/ResultsWindow.h"
#include "support/GuiDriver.h"
#include "support/TestArchives.h"

#include <QComboBox>
#include <QListWidget>
#include <QTableWidget>

using namespace Qt::StringLiterals;

namespace {

// Triples on matches 1 and 2, a fixed 1 on the others: 9 columns, of which 11 and XX played.
void twoTriples(SystemDocument& document)
{
    QStringList signs(13, u"1"_s);
    signs[0] = signs[1] = u"1X2"_s;
    document = TestSystems::withPrediction(signs);
    document.WorkColumns = TestSystems::columnsOf({"1111111111111", "XX11111111111"});
    document.ReducedCount = 2;
}

QString cell(QWidget* window, const QString& table, int row, int column)
{
    return child<QTableWidget>(window, table)->item(row, column)->text();
}

} // namespace

class TestEvidenceWindows : public QObject {
    Q_OBJECT
private slots:
    void outcomesFollowTheChosenSet()
    {
        StartedProgram p;
        twoTriples(p.document());
        OutcomesWindow window(*p.session);
        QCOMPARE(window.windowTitle(), u"Prova - Garanzie del Sistema"_s);
        // 13, 12 and 11 points: 2, 6 and 1 of the 9 integral columns.
        QCOMPARE(cell(&window, u"grdGaranzie"_s, 1, 1), u"6"_s);
        QCOMPARE(cell(&window, u"grdGaranzie"_s, 2, 2), u"11.11"_s);
        QCOMPARE(window.lines().first(), u"13 2 22.22"_s);
        QVERIFY(!child(&window, u"lblProbabilita"_s)->isVisibleTo(&window));
        // Over every column: 50 winning columns leave 12 points.
        child<QComboBox>(&window, u"cboVincenti"_s)->setCurrentIndex(2);
        QCOMPARE(cell(&window, u"grdGaranzie"_s, 1, 1), u"50"_s);
        // Every row and figure in sight once shown, the widest count included.
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* table = child<QTableWidget>(&window, u"grdGaranzie"_s);
        QVERIFY(table->columnViewportPosition(2) + table->columnWidth(2) <=
                table->viewport()->width());
        QVERIFY(table->rowViewportPosition(13) + table->rowHeight(13) <=
                table->viewport()->height());
    }

    // The heading, the system and the lines as shown, the lines in a fixed-pitch face, on as
    // many pages as they need.
    void printedLines()
    {
        RecordingPrinter recorder;
        PrintSurface surface(recorder);
        ProgressReporter progress;
        QStringList lines;
        for (int i = 1; i <= 80; ++i)
            lines << u"Riga %1"_s.arg(i);
        EvidencePrintout::PrintLines(surface, u"Garanzie del Sistema"_s, u"Prova"_s, lines,
                                     progress);
        QCOMPARE(recorder.documentsEnded(), 1);
        const QStringList first = recorder.lines(1, 1);
        QCOMPARE(first.mid(0, 3), (QStringList{"Garanzie del Sistema", "Prova", "Riga 1"}));
        const QStringList second = recorder.lines(1, 2);
        QVERIFY(!second.isEmpty());
        QCOMPARE(first.size() - 2 + second.size(), 80);
        QCOMPARE(second.last(), u"Riga 80"_s);
        QCOMPARE(recorder.items(RecordingPrinter::Kind::Text).last().font.Name, u"Courier New"_s);
    }

    void liveResultsAsTheyAreTyped()
    {
        StartedProgram p;
        twoTriples(p.document());
        LiveResultsWindow window(*p.session);
        QVERIFY(activate(&window));
        QCOMPARE(textsOf(&window, u"lblSicure(12) lblPossibili(13) lblPossibili(12)"_s),
                 u"0|2|2"_s);
        // "3" stands for X and moves to the next match; "a" is refused.
        QTest::keyClicks(child(&window, u"txtRis(1)"_s), u"3a"_s);
        QCOMPARE(QApplication::focusWidget(), child(&window, u"txtRis(2)"_s));
        QTest::keyClicks(QApplication::focusWidget(), u"x"_s);
        QCOMPARE(window.results(), "XX-----------"_ba);
        // Only XX can still make 13 (or 12); 11 has lost both matches.
        QCOMPARE(textsOf(&window, u"lblPunti lblPossibili(13) lblPossibili(12)"_s),
                 u"Punti: 2 (2 partite su 13)|1|1"_s);
        QCOMPARE(child<QListWidget>(&window, u"lstColonne13"_s)->item(0)->text().trimmed(),
                 u"2  XX11111111111"_s);
        // Emptied again, match 2 is open once more and 11 may reach 12.
        QTest::keyClick(child(&window, u"txtRis(2)"_s), Qt::Key_Minus);
        QCOMPARE(textOf(&window, u"lblPossibili(12)"_s), u"2"_s);
    }

    void backtestOverTheChosenContests()
    {
        StartedProgram p;
        twoTriples(p.document());
        QVERIFY(TestArchives::write(p.dir.path(),
                                    {TestArchives::record(u"2004-2005"_s, 1, "1111111111111"),
                                     TestArchives::record(u"2004-2005"_s, 2, "1X21X21X21X21"),
                                     TestArchives::record(u"2005-2006"_s, 1, "11X2X2X21X21X")}));
        ConditionSet conditions;
        const QList<double> bounds = {3, 7, 0, 13, 0, 13};
        for (int k = 1; k <= 6; ++k)
            conditions.set(k, bounds[k - 1]);
        BacktestWindow window(*p.session, conditions, u"1000000"_s, AdvancedConditions());
        QVERIFY(!child(&window, u"cmdStampa"_s)->isEnabled());
        clickOn(&window, u"cmdVerifica"_s);
        QCOMPARE(textOf(&window, u"lblPassano"_s), u"Passano 2 di 3"_s);
        QCOMPARE(cell(&window, u"grdRegole"_s, 0, 1), u"1"_s);
        QCOMPARE(child<QListWidget>(&window, u"lstEliminate"_s)->item(0)->text(),
                 u"2004-2005  1 1111111111111  S1"_s);
        QVERIFY(child(&window, u"cmdStampa"_s)->isEnabled());

        clickOn(&window, u"optStagione"_s);
        typeInto(child(&window, u"txtStagione"_s), u"2005-2006"_s);
        clickOn(&window, u"cmdVerifica"_s);
        QCOMPARE(textOf(&window, u"lblPassano"_s), u"Passano 1 di 1"_s);
        // A season the statistics would refuse is refused here too.
        p.prompts.expectMessage(
            u"Stagione non valida: scrivere AAAA-AAAA con due anni consecutivi."_s);
        typeInto(child(&window, u"txtStagione"_s), u"2005-2007"_s);
        clickOn(&window, u"cmdVerifica"_s);
        QCOMPARE(textOf(&window, u"lblPassano"_s), u"Passano 1 di 1"_s);
    }

    void commandsOpenTheWindows_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("window");
        QTest::newRow("outcomes") << u"mnuGaranzie"_s << u"frmGARANZIE"_s;
        QTest::newRow("live") << u"mnuDiretta"_s << u"frmDIRETTA"_s;
        QTest::newRow("archive") << u"mnuVerificaArchivio"_s << u"frmVERIFICA"_s;
    }
    void commandsOpenTheWindows()
    {
        QFETCH(QString, command);
        QFETCH(QString, window);
        StartedProgram p;
        p.start();
        twoTriples(p.document());
        QVERIFY(!p.command(qPrintable(command))->isEnabled());
        p.session->applyRule(CommandRule::PredictionConfirmed);
        QVERIFY(p.command(qPrintable(command))->isEnabled());
        bool opened = false;
        whenModal(window, [&opened](QWidget* dialog) {
            opened = true;
            dialog->close();
        });
        p.window->runCommand(command);
        QVERIFY(opened);
    }

    // The guarantee window offers the table of the system as played now.
    void guaranteeWindowOpensTheOutcomes()
    {
        StartedProgram p;
        p.start();
        twoTriples(p.document());
        p.session->applyRule(CommandRule::PredictionConfirmed);
        QString first;
        whenModal(u"frmGARANZIA"_s, [&first](QWidget* guarantee) {
            whenModal(u"frmGARANZIE"_s, [&first](QWidget* outcomes) {
                first = cell(outcomes, u"grdGaranzie"_s, 0, 1);
                outcomes->close();
            });
            clickOn(guarantee, u"cmdGaranzie"_s);
            guarantee->close();
        });
        p.window->runCommand(u"mnuGaranzia"_s);
        QCOMPARE(first, u"2"_s);
    }

    // From a condition dialog the check tries the conditions as typed; the system keeps its own.
    void conditionsDialogChecksTheTypedBounds_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QStringList>("typed"); // box, text, box, text...
        QTest::newRow("signs") << u"mnuSegni"_s << u"frmCOND"_s
                               << QStringList{u"txtCond(2)"_s, u"7"_s};
        QTest::newRow("advanced") << u"mnuCondAvanzate"_s << u"frmCONDAVANZATE"_s
                                  << QStringList{u"txtRif(0)"_s,   u"1111111111111"_s,
                                                 u"txtRifDa(0)"_s, u"13"_s,
                                                 u"txtRifA(0)"_s,  u"13"_s};
    }
    void conditionsDialogChecksTheTypedBounds()
    {
        QFETCH(QString, command);
        QFETCH(QString, dialog);
        QFETCH(QStringList, typed);
        StartedProgram p;
        p.start();
        twoTriples(p.document());
        const QList<double> bounds = {0, 13, 0, 13, 0, 13};
        for (int k = 1; k <= 6; ++k)
            p.document().Conditions.set(k, bounds[k - 1]);
        const ConditionSet confirmed = p.document().Conditions;
        QVERIFY(TestArchives::write(p.dir.path(),
                                    {TestArchives::record(u"2004-2005"_s, 1, "1111111111111"),
                                     TestArchives::record(u"2004-2005"_s, 2, "1X21X21X21X21")}));
        p.session->applyRule(CommandRule::PredictionConfirmed);
        QString passed;
        whenModal(dialog, [&passed, &typed](QWidget* conditions) {
            for (qsizetype i = 0; i + 1 < typed.size(); i += 2)
                typeInto(child(conditions, typed[i]), typed[i + 1]);
            whenModal(u"frmVERIFICA"_s, [&passed](QWidget* check) {
                clickOn(check, u"cmdVerifica"_s);
                passed = textOf(check, u"lblPassano"_s);
                check->close();
            });
            clickOn(conditions, u"cmdVerifica"_s);
            static_cast<QDialog*>(conditions)->reject();
        });
        p.window->runCommand(command);
        QCOMPARE(passed, u"Passano 1 di 2"_s);
        QVERIFY(p.document().Conditions == confirmed);
        QVERIFY(!p.document().Advanced.isSet());
    }

    // The typed signs go on into the final results: match 1 takes its X, shown red beside the
    // 1 played on a fixed match; the open matches keep their empty boxes.
    void liveResultsCarriedIntoTheFinalResults()
    {
        StartedProgram p;
        p.start();
        twoTriples(p.document());
        p.session->applyRule(CommandRule::PredictionConfirmed);
        whenModal(u"frmDIRETTA"_s, [](QWidget* live) {
            QTest::keyClicks(child(live, u"txtRis(3)"_s), u"X"_s);
            clickOn(live, u"cmdRisultati"_s);
        });
        p.window->runCommand(u"mnuDiretta"_s);
        auto* results = p.window->findChild<ResultsWindow*>(u"frmRISULTATI"_s);
        QVERIFY(results);
        QCOMPARE(results->fields()[23 - 1], u"X"_s);
        QCOMPARE(results->fields()[21 - 1], QString());
        QCOMPARE(child<QLineEdit>(results, u"txtPro(23)"_s)->palette().color(QPalette::Text),
                 QColor(255, 0, 0));
        results->close();
    }
};

QTEST_MAIN(TestEvidenceWindows)
#include "testEvidenceWindows.moc"
