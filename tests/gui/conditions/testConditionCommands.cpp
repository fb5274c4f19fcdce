#include "app/AppFolder.h"
#include "app/ui/MainWindow.h"
#include "conditions/ui/EnablingWindow.h"
#include "document/SystemFiles.h"
#include "platform/ui/StatusPanels.h"
#include "session/Session.h"
#include "support/ModalDriver.h"
#include "support/ScriptedPrompts.h"
#include "support/StartedProgram.h"
#include "support/TestSystems.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

void clickNamed(QWidget* window, const char* name)
{
    auto* button = child<QPushButton>(window, QLatin1String(name));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class TestConditionCommands final : public QObject {
    Q_OBJECT

    // A started program with a saved system open: four triples, the rest fixed 1, and its
    // enable flags "1010000".
    struct Started : StartedProgram {
        Started()
            : StartedProgram({.columnCost = QStringLiteral("0.5")})
        {}
        void openSaved()
        {
            SystemDocument saved = TestSystems::withPrediction(
                {"1X2", "1X2", "1X2", "1X2", "1", "1", "1", "1", "1", "1", "1", "1", "1"},
                QStringLiteral("Giro"));
            saved.EnableFlags = QStringLiteral("1010000");
            const QList<double> bounds = {11, 13, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2};
            for (int i = 1; i <= 16; ++i)
                saved.Conditions.set(i, bounds[i - 1]);
            QVERIFY(SystemFiles::save(saved, session->systemsFolder()));
            prompts.expectOpenFile(
                QDir(session->systemsFolder()).filePath(QStringLiteral("Giro.pro")));
            window->runCommand(QStringLiteral("mnuApri"));
            QVERIFY(prompts.allConsumed());
        }
        EnablingWindow* enabling() const
        {
            return window->mdiArea()->findChild<EnablingWindow*>(QStringLiteral("frmABILITA"));
        }
        QString boxes() const { return enabling()->flagsText(); }
    };

private slots:
    void enablingWindowAtStartUp()
    {
        Started s;
        EnablingWindow* enabling = s.enabling();
        QVERIFY(enabling);
        QVERIFY(enabling->isVisible());
        QCOMPARE(enabling->windowTitle(), QStringLiteral("Abilitazioni"));
        auto* frame = qobject_cast<QMdiSubWindow*>(enabling->parentWidget());
        QVERIFY(frame);
        QCOMPARE(frame->pos(), QPoint(7, 7));
        const QStringList names = {"ckSegniMinMax", "ckSegniCons", "ckInt",        "ckSim",
                                   "ckPar",         "ckSequele",   "ckParalleliP3"};
        const QStringList captions = {"Segni Min./Max.",    "Segni Consecutivi", "Interruzioni",
                                      "Simmetrie",          "Paralleli",         "Elimina Sequele",
                                      "Paralleli a Passo 3"};
        for (int k = 0; k < 7; ++k) {
            auto* box = enabling->findChild<QCheckBox*>(names[k]);
            QVERIFY(box);
            QCOMPARE(box->text(), captions[k]);
            QCOMPARE(box->isChecked(), k == 0);
        }
        QCOMPARE(s.boxes(), QStringLiteral("1000000"));
        // Started again, the window is not doubled.
        s.window->startUp(false);
        QCOMPARE(s.window->mdiArea()->findChildren<EnablingWindow*>().size(), 1);
    }

    void enablingBoxesFollowOpenAndReset()
    {
        Started s;
        s.openSaved();
        QCOMPARE(s.boxes(), QStringLiteral("1010000"));
        s.enabling()->findChild<QCheckBox*>(QStringLiteral("ckSim"))->click();
        QCOMPARE(s.boxes(), QStringLiteral("1011000"));
        // The user's ticks alone do not change the system.
        QCOMPARE(s.session->document().EnableFlags, QStringLiteral("1010000"));
        s.session->resetDocument();
        QCOMPARE(s.boxes(), QStringLiteral("1000000"));
    }

    void conditionCommandsOpenTheirDialogsInTheirModes()
    {
        Started s;
        s.openSaved();
        const QList<std::array<const char*, 3>> commands = {
            {"mnuSegni", "frmCOND", "Giro - Segni"},
            {"mnuInt", "frmCOND", "Giro - Interruzioni"},
            {"mnuSim", "frmCONDSP", "Giro - Simmetrie"},
            {"mnuPar", "frmCONDSP", "Giro - Paralleli"},
            {"mnuParP3", "frmCONDSP", "Giro - Paralleli a Passo 3"},
            {"mnuSequele", "frmSEQUELE", "Giro - Elimina Sequele"}};
        for (const auto& [command, name, caption] : commands) {
            QVERIFY2(s.window->command(QLatin1String(command))->isEnabled(), command);
            QString shown;
            whenModal(QLatin1String(name), [&shown](QWidget* dialog) {
                shown = dialog->windowTitle();
                clickNamed(dialog, "cmdChiudi");
            });
            s.window->runCommand(QLatin1String(command));
            QCOMPARE(shown, QLatin1String(caption));
        }
        // The toolbar buttons run the same dialogs.
        QString mode;
        whenModal(QStringLiteral("frmCONDSP"), [&](QWidget* dialog) {
            mode = s.session->DialogMode;
            clickNamed(dialog, "cmdChiudi");
        });
        s.window->command(QStringLiteral("tmPar"))->trigger();
        QCOMPARE(mode, QStringLiteral("PARA"));
    }

    void reductionThroughTheMainWindow()
    {
        Started s;
        s.openSaved();
        // Confirming the interruptions enables the reduction again after an Open.
        whenModal(QStringLiteral("frmCOND"), [](QWidget* dialog) { clickNamed(dialog, "cmdOK"); });
        s.window->runCommand(QStringLiteral("mnuInt"));
        QVERIFY(s.window->command(QStringLiteral("mnuElabora"))->isEnabled());

        s.window->runCommand(QStringLiteral("mnuElabora"));
        auto* reduction = s.window->findChild<QDialog*>(QStringLiteral("frmELABORA"));
        QVERIFY(reduction);
        QVERIFY(reduction->isVisible());
        QVERIFY(!reduction->isModal());
        s.window->runCommand(QStringLiteral("tmElabora"));
        QCOMPARE(s.window->findChildren<QDialog*>(QStringLiteral("frmELABORA")).size(), 1);

        // The run follows the boxes: the interruptions are ticked, the signs are not.
        s.enabling()->findChild<QCheckBox*>(QStringLiteral("ckSegniMinMax"))->click();
        QCOMPARE(s.boxes(), QStringLiteral("0010000"));
        QApplication::setActiveWindow(reduction);
        QVERIFY(QTest::qWaitForWindowActive(reduction));
        clickNamed(reduction, "cmdAvvia");
        clickNamed(reduction, "cmdOK");
        QTRY_VERIFY(s.window->findChild<QDialog*>(QStringLiteral("frmELABORA")) == nullptr);

        // Columns with at most two interruptions among the first five matches, the fifth being
        // 1: C(4,c) * 2^c for c = 0, 1, 2 gives 1 + 8 + 24.
        const SystemDocument& document = s.session->document();
        QCOMPARE(document.ReducedCount, 33);
        QCOMPARE(document.EnableFlags, QStringLiteral("0010000"));
        QCOMPARE(s.window->windowTitle(), QStringLiteral("QUADRIGO 13 - Giro *"));
        QVERIFY(s.window->reducedStatus()->isVisible());
        QCOMPARE(s.window->reducedStatus()->panelText(2), QStringLiteral("Colonne: 33"));
        QCOMPARE(s.window->reducedStatus()->panelText(5), QStringLiteral("Rid. : 40 %"));
    }
};

QTEST_MAIN(TestConditionCommands)
#include "testConditionCommands.moc"
