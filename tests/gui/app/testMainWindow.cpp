#include "app/ui/QuadrigoApplication.h"
#include "app/ui/ToolbarIcons.h"
#include "platform/ui/QtUserPrompts.h"
#include "platform/ui/StatusPanels.h"
#include "platform/ui/WindowSizing.h"
#include "support/GuiDriver.h"
#include "support/TestSystems.h"

#include <QLibraryInfo>
#include <QMessageBox>
#include <QProgressBar>
#include <QScopeGuard>
#include <QToolBar>

using namespace Qt::StringLiterals;

namespace {

// The commands among `names` (separated by blanks) that are enabled.
QString enabledOf(const StartedProgram& p, const QString& names)
{
    QStringList enabled;
    for (const QString& name : names.split(u' '))
        if (p.window->command(name)->isEnabled())
            enabled << name;
    return enabled.join(u' ');
}

const QStringList SmallPrediction = {"1X", "12X", "1", "1", "1", "1", "1",
                                     "1",  "1",   "1", "1", "1", "1"};

QWidget* subWindowOf(const StartedProgram& p, const char* name)
{
    auto* content = p.window->findChild<QWidget*>(QLatin1String(name));
    return content ? content->parentWidget() : nullptr;
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
        QCOMPARE(p.session->teams().name(74), u"SQUADRA 74     "_s);
        QCOMPARE(p.window->windowTitle(), u"QUADRIGO 13"_s);
    }

    void newPredictionThroughTheDialogs()
    {
        StartedProgram p;
        p.start();
        // Only the commands that need no system are available at start-up.
        QCOMPARE(enabledOf(p, u"mnuNuovo mnuSalva mnuQuote tmSalva tmNuovo tmPronostico tmAbout"_s),
                 u"mnuNuovo tmNuovo tmAbout"_s);
        QVERIFY(!p.window->reducedStatus()->isVisible());
        QCOMPARE(p.window->integralStatus()->panelText(1) +
                     p.window->integralStatus()->panelText(2),
                 u"Sistema INTEGRALE"_s);

        p.prompts.expectInput(u"Nome del Nuovo Pronostico"_s, u"Giro"_s);
        whenModal(u"frmINCONTRI"_s, [](QWidget* dialog) { clickOn(dialog, u"cmdOK"_s); });
        p.window->runCommand(u"mnuNuovo"_s);
        QCOMPARE(p.window->windowTitle(), u"QUADRIGO 13 - Giro *"_s);
        QCOMPARE(enabledOf(p, u"mnuSalva mnuPronostico tmPronostico mnuCond tmSegni"_s),
                 u"mnuSalva mnuPronostico tmPronostico"_s);

        p.window->runCommand(u"mnuPronostico"_s);
        auto* prediction = p.window->findChild<QWidget*>(u"frmPRONOSTICO"_s);
        QVERIFY(prediction);
        for (int i = 1; i <= 13; ++i)
            typeInto(child(prediction, u"txtPro(%1)"_s.arg(i)),
                     QStringList{"1x", "12x"}.value(i - 1, u"1"_s));
        clickOn(prediction, u"cmdOK"_s);
        QCOMPARE(p.window->integralStatus()->panelText(2), u"Colonne: 6"_s);
        QCOMPARE(p.window->integralStatus()->panelText(5), u"Fi=11      Do=1      Tr=1"_s);
        clickOn(prediction, u"cmdAnnulla"_s);
        p.window->runCommand(u"mnuSalva"_s);
        QCOMPARE(p.window->windowTitle(), u"QUADRIGO 13 - Giro"_s);
        QVERIFY(QFile::exists(QDir(p.systems()).filePath(u"Giro.ntg"_s)));

        // Shares through the menu.
        p.prompts.expectInput(u"Quote (1...999)"_s, u"4"_s);
        p.window->runCommand(u"mnuQuote"_s);
        QCOMPARE(p.command("mnuQuote")->text(), u"&Quote (4)"_s);

        // The printer panel opens the printer set-up.
        p.prompts.expectPrinterSetup(false);
        QVERIFY(!p.window->integralStatus()->panel(6)->text().isEmpty());
        QTest::mouseClick(p.window->integralStatus()->panel(6), Qt::LeftButton);
    }

    void openOfASavedSystem()
    {
        StartedProgram p;
        p.start();
        SystemDocument saved = TestSystems::withPrediction(SmallPrediction, u"Giro"_s);
        saved.WorkColumns = TestSystems::columnsOf({"1111111111111", "X111111111111"});
        saved.ReducedCount = 2;
        p.openSaved(saved);
        QCOMPARE(p.window->windowTitle(), u"QUADRIGO 13 - Giro"_s);
        QVERIFY(p.window->reducedStatus()->isVisible());
        QCOMPARE(p.window->reducedStatus()->panelText(5), u"Rid. : 33 %"_s);
        QCOMPARE(p.command("mnuQuote")->text(), u"&Quote (1)"_s);
        // Ctrl+W reaches its command with a sub-window beside.
        QVERIFY(subWindowOf(p, "frmPROCOND")->isVisible());
        // The floating summary carries the program's icon, as the main window does.
        const QIcon icon = subWindowOf(p, "frmPROCOND")->windowIcon();
        QVERIFY(!icon.isNull() && icon.cacheKey() == p.window->windowIcon().cacheKey());
        QVERIFY(activate(p.window.get()));
        QString mode;
        whenModal(u"frmVEDICOL"_s, [&](QWidget* viewer) {
            mode = p.session->DialogMode;
            viewer->close();
        });
        QTest::keyClick(p.window.get(), Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(mode, u"CInt"_s);

        // The summary goes beside the enabling window after every Open.
        for (const char* name : {"Giro", "Altro"}) {
            p.openSaved(TestSystems::withPrediction(SmallPrediction, QLatin1String(name)));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QWidget* summary = subWindowOf(p, "frmPROCOND");
            QVERIFY2(summary && summary->isVisible(), name);
            QVERIFY(!summary->geometry().intersects(subWindowOf(p, "frmABILITA")->geometry()));
            QVERIFY(summary->width() >= WindowSizing::captionWidth(u"Pronostico"_s));
        }
        // An all-fixed prediction: the system counts no columns, and the bar rests.
        p.window->runCommand(u"mnuPronostico"_s);
        auto* prediction = p.window->findChild<QWidget*>(u"frmPRONOSTICO"_s);
        for (int i = 1; i <= 2; ++i)
            typeInto(child(prediction, u"txtPro(%1)"_s.arg(i)), u"2"_s);
        clickOn(prediction, u"cmdOK"_s);
        QVERIFY(p.document().IntegralCount == 0 && p.document().IntegralColumns.isEmpty());
        const QProgressBar* bar = p.window->progressBar();
        QVERIFY(bar->maximum() > bar->minimum());
        QCOMPARE(bar->value(), bar->minimum());
    }

    // Long amounts of a large reduced system are shown whole, and again as the panel's tip.
    void statusPanelsFitTheirText()
    {
        const auto locale = qScopeGuard([previous = QLocale()] { QLocale::setDefault(previous); });
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        StartedProgram p;
        p.start(u"0.5"_s);
        SystemDocument& document = p.document();
        document.IntegralCount = 1594323;
        document.ReducedCount = 330397;
        document.MergedCount = 123456;
        p.session->refreshStatus();
        QCoreApplication::processEvents();
        StatusPanels* bar = p.window->reducedStatus();
        QCOMPARE(bar->panelText(4), u"Costo (\u00a3): 319.868.900"_s);
        for (int panel = 1; panel <= 8; ++panel) {
            const QLabel* label = bar->panel(panel);
            QVERIFY2(label->contentsRect().width() >=
                             label->fontMetrics().horizontalAdvance(label->text()) &&
                         label->toolTip() == label->text(),
                     qPrintable(label->text()));
        }
    }

    // The first start fills the screen; later ones open where the window was left.
    void mainWindowKeepsItsPlace()
    {
        StartedProgram p;
        AppFolder::prepare(p.dir.path());
        p.window = std::make_unique<MainWindow>(*p.session);
        p.window->showAtRememberedPlace();
        QVERIFY(p.window->isMaximized());
        p.window->showNormal();
        p.window->setGeometry(20, 30, 760, 520);
        p.window->rememberPlace();
        p.window = std::make_unique<MainWindow>(*p.session);
        p.window->showAtRememberedPlace();
        QVERIFY(!p.window->isMaximized());
        QCOMPARE(p.window->geometry(), QRect(20, 30, 760, 520));
    }

    // The input box shows its whole caption.
    void inputBoxIsAsWideAsItsCaption()
    {
        const QString caption = u"Nuovo Pronostico per il concorso della domenica"_s;
        QtUserPrompts prompts;
        int width = 0;
        whenModal(u"InputBox"_s, [&width](QWidget* box) {
            width = box->width();
            box->close();
        });
        QVERIFY(!prompts.input({caption, u"Nome del Nuovo Pronostico"_s, {}, {}}));
        QFont title = QApplication::font("QMdiSubWindowTitleBar");
        title.setBold(true);
        QVERIFY(width >= QFontMetrics(title).horizontalAdvance(caption));
    }

    void dialogsAreAsWideAsTheirCaption_data()
    {
        QTest::addColumn<QString>("command");
        for (const char* command :
             {"mnuAbout", "mnuConcData", "mnuIncontri", "mnuSegni", "mnuSim", "mnuSequele",
              "mnuCondAvanzate", "mnuApplicazione", "mnuSquadre"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }
    void dialogsAreAsWideAsTheirCaption()
    {
        QFETCH(QString, command);
        StartedProgram p;
        p.start();
        p.openSaved(TestSystems::withPrediction(SmallPrediction,
                                                u"Sistema della domenica con le doppie"_s));
        QString caption;
        int width = 0;
        QVERIFY(modalOpenedDuring([&] {
            QTimer::singleShot(0, p.window.get(), [&] {
                if (QWidget* dialog = QApplication::activeModalWidget()) {
                    caption = dialog->windowTitle();
                    width = dialog->width();
                }
            });
            p.window->runCommand(command);
        }));
        QVERIFY(!caption.isEmpty());
        QVERIFY2(width >= WindowSizing::captionWidth(caption), qPrintable(caption));
    }

    void looks()
    {
        StartedProgram p;
        p.start();
        // Every toolbar button has a picture of its own.
        QList<QImage> drawings;
        for (QAction* action : p.window->findChild<QToolBar*>(u"BarraStrumenti"_s)->actions()) {
            if (action->isSeparator())
                continue;
            const QString name = action->objectName(), file = ToolbarIcons::fileFor(name);
            const QImage drawing = QIcon(file).pixmap(24, 24).toImage();
            QVERIFY2(!action->icon().isNull() && QFile::exists(file) && !drawing.isNull() &&
                         !drawings.contains(drawing),
                     qPrintable(name));
            drawings << drawing;
        }
        QCOMPARE(drawings.size(), 28);

        QPoint centre;
        whenModal(u"frmSPLASH"_s, [&](QWidget* splash) {
            centre = splash->frameGeometry().center();
            splash->close();
        });
        p.window->startUp(true);
        QCOMPARE(centre, p.window->screen()->availableGeometry().center());

        const QString path = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (!QFile::exists(QDir(path).filePath(u"qtbase_it.qm"_s)))
            QSKIP("Qt's Italian translations are not installed");
        QVERIFY(QuadrigoApplication::installQtTranslations());
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QStringList texts;
        for (const auto button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            texts << box.button(button)->text().remove(u'&');
        QCOMPARE(texts, (QStringList{"Sì", "No", "Annulla"}));
    }
};

QTEST_MAIN(TestMainWindow)
#include "testMainWindow.moc"
