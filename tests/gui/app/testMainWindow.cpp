#include "document/SystemFiles.h"
#include "platform/ui/StatusPanels.h"
#include "support/GuiDriver.h"
#include "support/TestSystems.h"

using namespace Qt::StringLiterals;

namespace {

// The commands among `names` that are enabled.
QStringList enabledOf(const StartedProgram& p, const QStringList& names)
{
    QStringList enabled;
    for (const QString& name : names) {
        if (p.window->command(name)->isEnabled())
            enabled << name;
    }
    return enabled;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void firstStartAsksForOptionsThenTeams()
    {
        StartedProgram p;
        AppFolder::prepare(p.dir.path());
        QVERIFY(QDir(p.dir.path()).exists(u"Sistemi"_s));
        p.showWindow();
        QStringList opened;
        QString shownFolder;
        whenModal(u"frmOPZIONI"_s, [&](QWidget* dialog) {
            opened << dialog->objectName();
            shownFolder = QDir::cleanPath(textOf(dialog, u"txtOpt(1)"_s));
            // The statistics defaults start as a blank, which OK refuses.
            child<QLineEdit>(dialog, u"txtOpt(4)"_s)->setText(u"20"_s);
            child<QLineEdit>(dialog, u"txtOpt(5)"_s)->setText(u"2025-2026"_s);
            whenModal(u"frmSQUADRE"_s, [&](QWidget* teams) {
                opened << teams->objectName();
                clickOn(teams, u"cmdOK"_s);
            });
            clickOn(dialog, u"cmdOK"_s);
        });
        p.window->startUp(false);
        QCOMPARE(opened, (QStringList{"frmOPZIONI", "frmSQUADRE"}));
        QCOMPARE(shownFolder, QDir::cleanPath(p.dir.filePath(u"Sistemi"_s)));
        QVERIFY(QFile::exists(p.dir.filePath(u"Opzioni.sys"_s)));
        const QByteArray teams = TestSystems::fileContent(p.dir.filePath(u"Squadre.sys"_s));
        QVERIFY(teams.startsWith("\"SQUADRA 1\"\r\n\"SQUADRA 2\"\r\n"));
        QVERIFY(teams.endsWith("\"SQUADRA 74\"\r\n"));
        QCOMPARE(p.session->teams().name(74), u"SQUADRA 74     "_s);
        QCOMPARE(p.window->windowTitle(), u"QUADRIGO 13"_s);
    }

    void newPredictionThroughTheDialogs()
    {
        StartedProgram p;
        p.start();
        // Only the commands that need no system are available at start-up.
        QCOMPARE(enabledOf(p, {"mnuNuovo", "mnuApri", "mnuSalva", "mnuSalvaCome", "mnuModifica",
                               "mnuQuote", "mnuEsci", "mnuSquadre", "mnuApplicazione", "tmSalva",
                               "tmNuovo", "tmPronostico", "mnuAbout", "tmAbout"}),
                 (QStringList{"mnuNuovo", "mnuApri", "mnuEsci", "mnuSquadre", "mnuApplicazione",
                              "tmNuovo", "mnuAbout", "tmAbout"}));
        QVERIFY(!p.window->reducedStatus()->isVisible());
        QCOMPARE(p.window->integralStatus()->panelText(1), u"Sistema INTEGRALE"_s);
        QVERIFY(p.window->integralStatus()->panelText(2).isEmpty());

        p.prompts.expectInput(u"Nome del Nuovo Pronostico"_s, u"Giro"_s);
        whenModal(u"frmINCONTRI"_s, [](QWidget* dialog) { clickOn(dialog, u"cmdOK"_s); });
        p.window->runCommand(u"mnuNuovo"_s);
        QCOMPARE(p.window->windowTitle(), u"QUADRIGO 13 - Giro *"_s);
        QCOMPARE(enabledOf(p, {"mnuSalva", "mnuPronostico", "tmPronostico", "mnuCond", "tmSegni"}),
                 (QStringList{"mnuSalva", "mnuPronostico", "tmPronostico"}));

        p.window->runCommand(u"mnuPronostico"_s);
        auto* prediction = p.window->findChild<QWidget*>(u"frmPRONOSTICO"_s);
        QVERIFY(prediction);
        for (int i = 1; i <= 13; ++i) {
            auto* field = child<QLineEdit>(prediction, u"txtPro(%1)"_s.arg(i));
            field->setFocus();
            QTest::keyClicks(field, i == 1 ? u"1x"_s : i == 2 ? u"12x"_s : u"1"_s);
        }
        clickOn(prediction, u"cmdOK"_s);
        QCOMPARE(p.document().IntegralCount, 6);
        QCOMPARE(p.window->integralStatus()->panelText(2), u"Colonne: 6"_s);
        QCOMPARE(p.window->integralStatus()->panelText(5), u"Fi=11      Do=1      Tr=1"_s);
        QCOMPARE(
            enabledOf(p, {"mnuCond", "tmSegni", "mnuVediColInt", "mnuVediColRid", "mnuSchedine"}),
            (QStringList{"mnuCond", "tmSegni", "mnuVediColInt"}));
        clickOn(prediction, u"cmdAnnulla"_s);
        p.window->runCommand(u"mnuSalva"_s);
        QCOMPARE(p.window->windowTitle(), u"QUADRIGO 13 - Giro"_s);
        QVERIFY(QFile::exists(QDir(p.systems()).filePath(u"Giro.ntg"_s)));

        // Shares through the menu.
        p.prompts.expectInput(u"Quote (1...999)"_s, u"4"_s);
        p.window->runCommand(u"mnuQuote"_s);
        QCOMPARE(p.command("mnuQuote")->text(), u"&Quote (4)"_s);
        QCOMPARE(p.window->windowTitle(), u"QUADRIGO 13 - Giro *"_s);

        // The printer panel opens the printer set-up.
        p.prompts.expectPrinterSetup(false);
        QVERIFY(!p.window->integralStatus()->panel(6)->text().isEmpty());
        QTest::mouseClick(p.window->integralStatus()->panel(6), Qt::LeftButton);
    }

    void openOfASavedSystemFollowsItsProgress()
    {
        StartedProgram p;
        p.start();
        SystemDocument saved = TestSystems::withPrediction(
            {"1X", "12X", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"}, u"Giro"_s);
        saved.WorkColumns = TestSystems::columnsOf({"1111111111111", "X111111111111"});
        saved.ReducedCount = 2;
        QVERIFY(SystemFiles::save(saved, p.systems()));
        p.prompts.expectOpenFile(QDir(p.systems()).filePath(u"Giro.pro"_s));
        p.window->runCommand(u"mnuApri"_s);
        QCOMPARE(p.window->windowTitle(), u"QUADRIGO 13 - Giro"_s);
        QVERIFY(p.window->reducedStatus()->isVisible());
        QCOMPARE(p.window->reducedStatus()->panelText(2), u"Colonne: 2"_s);
        QCOMPARE(p.window->reducedStatus()->panelText(5), u"Rid. : 33 %"_s);
        QCOMPARE(p.command("mnuQuote")->text(), u"&Quote (1)"_s);
        QCOMPARE(enabledOf(p, {"mnuPronostico", "mnuCond", "mnuSalva", "tmIncontri"}),
                 (QStringList{"mnuPronostico", "mnuCond", "mnuSalva", "tmIncontri"}));
    }
};

QTEST_MAIN(TestMainWindow)
#include "testMainWindow.moc"
