#include "conditions/ReductionEngine.h"
#include "conditions/ui/EnablingWindow.h"
#include "conditions/ui/ReductionWindow.h"
#include "platform/ColumnDatabase.h"
#include "platform/ui/StatusPanels.h"
#include "support/GuiDriver.h"
#include "support/TestSystems.h"

#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {

const QString PassLabels =
    u" lblSegniMinMax lblSegniCons lblInterruzioni lblSim lblPar lblSeq1 lblSeq2 "
    "lblSeq3 lblSeq4 lblSeq5 lblSeq6 lblSeq7 lblParalleliP3"_s;
const QString Buttons = u" cmdAvvia cmdAnnulla cmdOK cmdGaranzia"_s;
const QString TimeLabels = u" lblTempo lblStrTmp"_s;
const QString NoColumn = u"Il Sistema Ridotto non prevede alcuna Colonna !"_s;
const QStringList FourTriples = QStringList(4, u"1X2"_s) + QStringList(9, u"1"_s);

// The reduced table as the window left it.
ColumnBuffer table(const StartedProgram& p)
{
    ColumnBuffer columns;
    ColumnDatabase::readReducedColumns(p.dir.path(), columns, nullptr);
    return columns;
}

// 81 columns: the first four matches triple, the other nine fixed 1; 11..13 signs 1, at most
// one X and one 2, at most 2 interruptions and not 2 at match 1 with X at match 2 keep 10.
struct Reduction {
    StartedProgram p;
    QString flags = u"1010010"_s;
    std::unique_ptr<ReductionWindow> window;

    Reduction()
    {
        p.session->options()[Options::ColumnCost] = u"0.5"_s;
        p.document() = TestSystems::withPrediction(FourTriples);
        // Left at 0..0 the runs would remove everything, but their kind is off.
        setBounds(1, {11, 13, 0, 1, 0, 1});
        setBounds(13, {0, 2, 0, 12});
        const QStringList sequences = {"11", "1-2", "N", "2X", "1-2", "S"};
        for (int i = 25; i <= 30; ++i)
            p.document().Conditions.set(i, sequences[i - 25]);
    }
    void setBounds(int first, const QList<double>& values)
    {
        for (int k = 0; k < values.size(); ++k)
            p.document().Conditions.set(first + k, values[k]);
    }
    void start()
    {
        window = std::make_unique<ReductionWindow>(*p.session, [this] { return flags; });
        QVERIFY(activate(window.get()));
        clickOn(window.get(), u"cmdAvvia"_s);
    }
    ColumnBuffer expected()
    {
        ConditionSet conditions = p.document().Conditions;
        return ReductionEngine::run(p.document().IntegralColumns, conditions, u"1010010"_s)
            .survivors;
    }
};

// A started program with a saved system open: four triples, the rest fixed 1, interruptions
// bounded to 0..2, and its enable flags "1010000".
void openSaved(StartedProgram& p)
{
    p.start(u"0.5"_s);
    SystemDocument saved = TestSystems::withPrediction(FourTriples, u"Giro"_s);
    saved.EnableFlags = u"1010000"_s;
    const QList<double> bounds = {11, 13, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2};
    for (int i = 1; i <= 16; ++i)
        saved.Conditions.set(i, bounds[i - 1]);
    p.openSaved(saved);
}

EnablingWindow* enabling(const StartedProgram& p)
{
    return p.window->mdiArea()->findChild<EnablingWindow*>(u"frmABILITA"_s);
}

} // namespace

class TestReductionWindow final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void runningCountsTableAndConfirmation()
    {
        Reduction r;
        // At every step of the progress bar, what the count labels show at that moment.
        WatchingProgress progress;
        QHash<QString, QStringList> texts;
        progress.note = [&](int value) {
            for (const QString& name : {u"lblSegniMinMax"_s, u"lblInterruzioni"_s, u"lblSeq2"_s})
                if (value && !visibleOf(r.window.get(), {name}).isEmpty() &&
                    !textOf(r.window.get(), name).isEmpty())
                    texts[name].append(textOf(r.window.get(), name));
        };
        r.p.session->setProgress(&progress);
        r.start();
        r.p.session->setProgress(nullptr);
        // Each label shows its running count while its pass runs, then keeps its final count;
        // the signs pass writes " su" without the blank that the other passes add.
        QCOMPARE(texts.value(u"lblSegniMinMax"_s), (QStringList{" 81 su 81", " 21", " 21"}));
        QCOMPARE(texts.value(u"lblInterruzioni"_s), (QStringList{" 21 su  21", " 11"}));
        QCOMPARE(texts.value(u"lblSeq2"_s), QStringList{" 11 su  11"});
        const QString shown = u"lblCapSegniMinMax lblSegniMinMax lblSMM lblCapInterruzioni "
                              "lblInterruzioni lblInt lblCapSeq2 lblSeq2 lblSQ2"_s;
        QCOMPARE(textsOf(r.window.get(), shown),
                 u"Colonne Condizionate con Segni Min/Max| 21|10.50 €|Colonne Condizionate con "
                 "Interruzioni| 11|5.50 €|Colonne Condizionate con Sequela 2| 10|5.00 €"_s);
        // Only the passes that ran show, with the time and the buttons.
        QCOMPARE(visibleOf(r.window.get(), shown + u" lblCapSegniCons lblSC lblCapSeq1 lblSQ1 "_s +
                                               PassLabels + TimeLabels + Buttons),
                 shown + u" lblSegniMinMax lblInterruzioni lblSeq2"_s + TimeLabels + Buttons);
        QVERIFY(QRegularExpression(u"^\\d\\d:\\d\\d:\\d\\d$"_s)
                    .match(textOf(r.window.get(), u"lblTempo"_s))
                    .hasMatch());
        QVERIFY(table(r.p) == r.expected() && r.expected().count() == 10);
        QCOMPARE(r.window->tableCount(), 10);

        // Leaving the window withdraws the confirmation.
        QWidget other;
        QVERIFY(activate(&other));
        QCOMPARE(visibleOf(r.window.get(), Buttons), u"cmdAvvia cmdAnnulla"_s);
        // Annulla leaves the document.
        QVERIFY(activate(r.window.get()));
        clickOn(r.window.get(), u"cmdAvvia"_s);
        clickOn(r.window.get(), u"cmdAnnulla"_s);
        QVERIFY(!r.window->isVisible());
        QVERIFY(table(r.p).count() == 10 && r.p.document().WorkColumns.isEmpty());
        QVERIFY(r.p.document().EnableFlags == "1000000"_L1 && r.p.document().Modified == 0);
        QVERIFY(!r.p.session->commands().isEnabled(u"mnuVediColRid"_s));

        // OK makes the reduced system, with the enabling boxes as they are then.
        SystemDocument& document = r.p.document();
        document.MergedCount = 4;
        QSignalSpy merge(r.p.session.get(), &Session::mergeCaptionChanged);
        r.start();
        r.flags = u"1010011"_s;
        clickOn(r.window.get(), u"cmdOK"_s);
        QVERIFY(!r.window->isVisible());
        QCOMPARE(document.WorkColumns, r.expected());
        QVERIFY(document.ReducedCount == 10 && document.MergedCount == 0);
        QCOMPARE(document.EnableFlags, u"1010011"_s);
        QCOMPARE(r.p.session->caption(), u"QUADRIGO 13 - Prova *"_s);
        QCOMPARE(merge.size(), 1);
        QCOMPARE(merge.first().first().toString(), u"&Accorpa Colonne"_s);
        QVERIFY(r.p.session->commands().isEnabled(u"mnuRidotto"_s));
        QVERIFY(r.p.session->commands().isVisible(u"tmAccorpa"_s) &&
                !r.p.session->commands().isVisible(u"tmDisaccorpa"_s));

        // Confirming for a guarantee confirms first, then asks for the guarantee window.
        r.flags = u"1010010"_s;
        r.start();
        QSignalSpy guarantee(r.window.get(), &ReductionWindow::guaranteeRequested);
        document.WorkColumns.clear();
        clickOn(r.window.get(), u"cmdGaranzia"_s);
        QVERIFY(guarantee.size() == 1 && !r.window->isVisible());
        QCOMPARE(document.WorkColumns, r.expected());
    }

    // Annulla, or closing the window, while the engine runs on the full integral system stops
    // the run: the window waits for it and closes, the table keeps what it held.
    void stopWhileRunning_data()
    {
        QTest::addColumn<bool>("byButton");
        QTest::newRow("Annulla") << true;
        QTest::newRow("window closed") << false;
    }
    void stopWhileRunning()
    {
        QFETCH(bool, byButton);
        Reduction r;
        r.p.document() = TestSystems::withPrediction(TestSystems::allTriples());
        const ColumnBuffer held = TestSystems::columnsOf({"1X21X21X21X21", "2222222222222"});
        QVERIFY(ColumnDatabase::writeReducedColumns(r.p.dir.path(), held, nullptr));
        WatchingProgress progress;
        bool stopped = false;
        bool openWhileRunning = false;
        progress.note = [&](int value) {
            if (value == 0 || stopped)
                return;
            stopped = true;
            if (byButton)
                clickOn(r.window.get(), u"cmdAnnulla"_s);
            else
                r.window->close();
            openWhileRunning = r.window->isVisible();
        };
        r.p.session->setProgress(&progress);
        r.start();
        r.p.session->setProgress(nullptr);
        QVERIFY(stopped && openWhileRunning);
        QTRY_VERIFY(!r.window->isVisible());
        QCOMPARE(table(r.p), held);
        QCOMPARE(r.window->tableCount(), 0);
    }

    void emptyPasses()
    {
        // The signs pass leaving nothing closes the window and empties the table.
        Reduction r;
        QVERIFY(ColumnDatabase::writeReducedColumns(
            r.p.dir.path(), TestSystems::columnsOf({"1111111111111", "X111111111111"}), nullptr));
        r.setBounds(1, {0, 0});
        r.p.prompts.expectMessage(NoColumn);
        r.start();
        QVERIFY(r.p.warned() && !r.window->isVisible());
        QVERIFY(table(r.p).isEmpty() && r.window->tableCount() == 0);

        // A later pass leaving nothing keeps the window, with nothing to confirm.
        Reduction later;
        later.flags = u"1010000"_s;
        later.setBounds(13, {13, 14});
        later.p.prompts.expectMessage(NoColumn);
        later.start();
        QVERIFY(later.window->isVisible());
        QCOMPARE(textsOf(later.window.get(), u"lblSegniMinMax lblSMM lblInterruzioni lblInt"_s),
                 u" 21|10.50 €| 0|"_s);
        QCOMPARE(visibleOf(later.window.get(), u"lblInterruzioni"_s + TimeLabels + Buttons),
                 u"lblInterruzioni"_s);
        QVERIFY(table(later.p).isEmpty());
    }

    void enablingWindowFollowsTheSystem()
    {
        StartedProgram p;
        p.start(u"0.5"_s);
        EnablingWindow* window = enabling(p);
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), u"Abilitazioni"_s);
        QCOMPARE(qobject_cast<QMdiSubWindow*>(window->parentWidget())->pos(), QPoint(7, 7));
        QCOMPARE(textsOf(window,
                         u"ckSegniMinMax ckSegniCons ckInt ckSim ckPar ckSequele ckParalleliP3"_s),
                 u"Segni Min./Max.|Segni Consecutivi|Interruzioni|Simmetrie|Paralleli|Elimina "
                 "Sequele|Paralleli a Passo 3"_s);
        QCOMPARE(window->flagsText(), u"1000000"_s); // read from the boxes
        // Started again, the window is not doubled.
        p.window->startUp(false);
        QCOMPARE(p.window->mdiArea()->findChildren<EnablingWindow*>().size(), 1);

        p.window.reset();
        openSaved(p);
        QCOMPARE(enabling(p)->flagsText(), u"1010000"_s);
        child<QCheckBox>(enabling(p), u"ckSim"_s)->click();
        QCOMPARE(enabling(p)->flagsText(), u"1011000"_s);
        // The user's ticks alone do not change the system.
        QCOMPARE(p.document().EnableFlags, u"1010000"_s);
        p.session->resetDocument();
        QCOMPARE(enabling(p)->flagsText(), u"1000000"_s);
    }

    void conditionCommandsAndTheReductionThroughTheMainWindow()
    {
        StartedProgram p;
        openSaved(p);
        // Command, dialog, mode and the caption's end.
        for (const char* row :
             {"mnuSegni frmCOND SEGN Segni", "mnuInt frmCOND INTE Interruzioni",
              "mnuSim frmCONDSP SIMM Simmetrie", "mnuPar frmCONDSP PARA Paralleli",
              "tmPar frmCONDSP PARA Paralleli", "mnuParP3 frmCONDSP PAR3 Paralleli a Passo 3",
              "mnuSequele frmSEQUELE - Elimina Sequele"}) {
            const QStringList field = QString::fromLatin1(row).split(u' ');
            QVERIFY2(p.window->command(field[0])->isEnabled(), row);
            QString shown;
            p.session->DialogMode.clear();
            whenModal(field[1], [&](QWidget* dialog) {
                shown = p.session->DialogMode + u'|' + dialog->windowTitle();
                clickOn(dialog, u"cmdChiudi"_s);
            });
            p.window->command(field[0])->trigger();
            QCOMPARE(shown, QString(field[2] == u'-' ? QString() : field[2]) + u"|Giro - "_s +
                                field.mid(3).join(u' '));
        }

        // Confirming the interruptions enables the reduction again after an Open.
        whenModal(u"frmCOND"_s, [](QWidget* dialog) { clickOn(dialog, u"cmdOK"_s); });
        p.window->runCommand(u"mnuInt"_s);
        QVERIFY(p.command("mnuElabora")->isEnabled());
        p.window->runCommand(u"mnuElabora"_s);
        auto* reduction = p.window->findChild<QDialog*>(u"frmELABORA"_s);
        QVERIFY(reduction && reduction->isVisible() && !reduction->isModal());
        p.window->runCommand(u"tmElabora"_s);
        QCOMPARE(p.window->findChildren<QDialog*>(u"frmELABORA"_s).size(), 1);

        // The run follows the boxes: the interruptions are ticked, the signs are not.
        child<QCheckBox>(enabling(p), u"ckSegniMinMax"_s)->click();
        QCOMPARE(enabling(p)->flagsText(), u"0010000"_s);
        QVERIFY(activate(reduction));
        clickOn(reduction, u"cmdAvvia"_s);
        clickOn(reduction, u"cmdOK"_s);
        QTRY_VERIFY(!p.window->findChild<QDialog*>(u"frmELABORA"_s));
        // Columns with at most two interruptions among the first five matches, the fifth being
        // 1: C(4,c) * 2^c for c = 0, 1, 2 gives 1 + 8 + 24.
        QCOMPARE(p.document().ReducedCount, 33);
        QCOMPARE(p.document().EnableFlags, u"0010000"_s);
        QCOMPARE(p.window->windowTitle(), u"QUADRIGO 13 - Giro *"_s);
        QVERIFY(p.window->reducedStatus()->isVisible());
        QCOMPARE(p.window->reducedStatus()->panelText(2), u"Colonne: 33"_s);
    }
};

QTEST_MAIN(TestReductionWindow)
#include "testReductionWindow.moc"
