#include "app/AppFolder.h"
#include "app/ui/MainWindow.h"
#include "document/SystemFiles.h"
#include "platform/ui/StatusPanels.h"
#include "session/Session.h"
#include "support/ModalDriver.h"
#include "support/ScriptedPrompts.h"
#include "support/StartedProgram.h"
#include "support/TestSystems.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

namespace {

void clickNamed(QWidget* window, const char* name)
{
    auto* button = child<QPushButton>(window, QLatin1String(name));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

QStringList enabledOf(const MainWindow& window, const QStringList& names)
{
    QStringList enabled;
    for (const QString& name : names) {
        if (window.command(name)->isEnabled())
            enabled.append(name);
    }
    return enabled;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    using Started = StartedProgram;

private slots:
    void firstStartAsksForOptionsThenTeams()
    {
        QTemporaryDir dir;
        AppFolder::prepare(dir.path());
        QVERIFY(QDir(dir.path()).exists(QStringLiteral("Sistemi")));
        ScriptedPrompts prompts;
        Session session(dir.path(), prompts);
        MainWindow window(session);
        window.show();
        QStringList opened;
        QString shownFolder;
        whenModal(QStringLiteral("frmOPZIONI"), [&](QWidget* dialog) {
            opened << dialog->objectName();
            auto* folder = child<QLineEdit>(dialog, QStringLiteral("txtOpt(1)"));
            shownFolder = QDir::cleanPath(folder->text());
            // The statistics defaults start as a blank, which OK refuses.
            child<QLineEdit>(dialog, QStringLiteral("txtOpt(4)"))->setText(QStringLiteral("20"));
            child<QLineEdit>(dialog, QStringLiteral("txtOpt(5)"))
                ->setText(QStringLiteral("2025-2026"));
            whenModal(QStringLiteral("frmSQUADRE"), [&](QWidget* teams) {
                opened << teams->objectName();
                clickNamed(teams, "cmdOK");
            });
            clickNamed(dialog, "cmdOK");
        });
        window.startUp(false);
        QCOMPARE(opened, (QStringList{"frmOPZIONI", "frmSQUADRE"}));
        QCOMPARE(shownFolder,
                 QDir::cleanPath(QDir(dir.path()).filePath(QStringLiteral("Sistemi"))));
        QVERIFY(QFile::exists(QDir(dir.path()).filePath(QStringLiteral("Opzioni.sys"))));
        const QByteArray teams =
            TestSystems::fileContent(QDir(dir.path()).filePath(QStringLiteral("Squadre.sys")));
        QVERIFY(teams.startsWith("\"SQUADRA 1\"\r\n\"SQUADRA 2\"\r\n"));
        QVERIFY(teams.endsWith("\"SQUADRA 74\"\r\n"));
        QCOMPARE(session.teams().name(74), QStringLiteral("SQUADRA 74     "));
        QCOMPARE(window.windowTitle(), QStringLiteral("QUADRIGO 13"));
    }

    void startUpLeavesOnlyTheAlwaysAvailableCommands()
    {
        Started s;
        const QStringList names = {"mnuNuovo",        "mnuApri",  "mnuSalva", "mnuSalvaCome",
                                   "mnuModifica",     "mnuQuote", "mnuEsci",  "mnuSquadre",
                                   "mnuApplicazione", "tmSalva",  "tmNuovo",  "tmPronostico",
                                   "mnuAbout",        "tmAbout"};
        QCOMPARE(enabledOf(*s.window, names),
                 (QStringList{"mnuNuovo", "mnuApri", "mnuEsci", "mnuSquadre", "mnuApplicazione",
                              "tmNuovo", "mnuAbout", "tmAbout"}));
        QVERIFY(!s.window->reducedStatus()->isVisible());
        QCOMPARE(s.window->integralStatus()->panelText(1), QStringLiteral("Sistema INTEGRALE"));
        QVERIFY(s.window->integralStatus()->panelText(2).isEmpty());
    }

    void newPredictionThroughTheDialogs()
    {
        Started s;
        MainWindow& w = *s.window;
        s.prompts.expectInput(QStringLiteral("Nome del Nuovo Pronostico"), QStringLiteral("Giro"));
        whenModal(QStringLiteral("frmINCONTRI"),
                  [](QWidget* dialog) { clickNamed(dialog, "cmdOK"); });
        w.runCommand(QStringLiteral("mnuNuovo"));
        QCOMPARE(w.windowTitle(), QStringLiteral("QUADRIGO 13 - Giro *"));
        QCOMPARE(enabledOf(w, {"mnuSalva", "mnuPronostico", "tmPronostico", "mnuCond", "tmSegni"}),
                 (QStringList{"mnuSalva", "mnuPronostico", "tmPronostico"}));

        w.runCommand(QStringLiteral("mnuPronostico"));
        auto* prediction = w.findChild<QWidget*>(QStringLiteral("frmPRONOSTICO"));
        QVERIFY(prediction);
        const QStringList signs = {"1x", "12x", "1", "1", "1", "1", "1",
                                   "1",  "1",   "1", "1", "1", "1"};
        for (int i = 1; i <= 13; ++i) {
            auto* field = child<QLineEdit>(prediction, QStringLiteral("txtPro(%1)").arg(i));
            QVERIFY(field);
            field->setFocus();
            QTest::keyClicks(field, signs[i - 1]);
        }
        clickNamed(prediction, "cmdOK");
        QCOMPARE(s.session->document().IntegralCount, 6);
        QCOMPARE(w.integralStatus()->panelText(2), QStringLiteral("Colonne: 6"));
        QCOMPARE(w.integralStatus()->panelText(5), QStringLiteral("Fi=11      Do=1      Tr=1"));
        QCOMPARE(
            enabledOf(w, {"mnuCond", "tmSegni", "mnuVediColInt", "mnuVediColRid", "mnuSchedine"}),
            (QStringList{"mnuCond", "tmSegni", "mnuVediColInt"}));
        clickNamed(prediction, "cmdAnnulla");

        w.runCommand(QStringLiteral("mnuSalva"));
        QCOMPARE(w.windowTitle(), QStringLiteral("QUADRIGO 13 - Giro"));
        QVERIFY(QFile::exists(QDir(s.systems()).filePath(QStringLiteral("Giro.ntg"))));
    }

    void openOfASavedSystemFollowsItsProgress()
    {
        Started s;
        SystemDocument saved = TestSystems::withPrediction(
            {"1X", "12X", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"},
            QStringLiteral("Giro"));
        saved.ReducedCount = 2;
        saved.WorkColumns.append("1111111111111");
        saved.WorkColumns.append("X111111111111");
        QVERIFY(SystemFiles::save(saved, s.systems()));
        s.prompts.expectOpenFile(QDir(s.systems()).filePath(QStringLiteral("Giro.pro")));
        s.window->runCommand(QStringLiteral("mnuApri"));
        QVERIFY(s.prompts.allConsumed());
        QCOMPARE(s.window->windowTitle(), QStringLiteral("QUADRIGO 13 - Giro"));
        QVERIFY(s.window->reducedStatus()->isVisible());
        QCOMPARE(s.window->reducedStatus()->panelText(2), QStringLiteral("Colonne: 2"));
        QCOMPARE(s.window->reducedStatus()->panelText(5), QStringLiteral("Rid. : 33 %"));
        QCOMPARE(s.window->command(QStringLiteral("mnuQuote"))->text(),
                 QStringLiteral("&Quote (1)"));
        QCOMPARE(enabledOf(*s.window, {"mnuPronostico", "mnuCond", "mnuSalva", "tmIncontri"}),
                 (QStringList{"mnuPronostico", "mnuCond", "mnuSalva", "tmIncontri"}));
    }

    void sharesThroughTheMenu()
    {
        Started s;
        s.session->document().SystemName = QStringLiteral("Giro");
        s.session->applyRule(CommandRule::MatchesConfirmed);
        s.prompts.expectInput(QStringLiteral("Quote (1...999)"), QStringLiteral("4"));
        s.window->runCommand(QStringLiteral("mnuQuote"));
        QCOMPARE(s.window->command(QStringLiteral("mnuQuote"))->text(),
                 QStringLiteral("&Quote (4)"));
        QCOMPARE(s.window->windowTitle(), QStringLiteral("QUADRIGO 13 - Giro *"));
    }

    void printerPanelOpensThePrinterSetUp()
    {
        Started s;
        s.prompts.expectPrinterSetup(false);
        QLabel* panel = s.window->integralStatus()->panel(6);
        QVERIFY(!panel->text().isEmpty());
        QTest::mouseClick(panel, Qt::LeftButton);
        QVERIFY(s.prompts.allConsumed());
    }
};

QTEST_MAIN(TestMainWindow)
#include "testMainWindow.moc"
