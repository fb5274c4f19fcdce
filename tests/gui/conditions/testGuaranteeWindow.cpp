#include "conditions/ui/GuaranteeWindow.h"
#include "platform/ColumnDatabase.h"
#include "support/GuiDriver.h"

#include <QRadioButton>
#include <QSpinBox>

using namespace Qt::StringLiterals;

// Four triples, the rest fixed: 81 columns, which 9 cover at one error and 3 at two.
class TestGuaranteeWindow : public QObject {
    Q_OBJECT
private slots:
    void coversChecksAndConfirms()
    {
        StartedProgram p;
        p.document() =
            TestSystems::withPrediction(QStringList(4, u"1X2"_s) + QStringList(9, u"1"_s));
        GuaranteeWindow window(*p.session);
        QVERIFY(activate(&window));
        QCOMPARE(textOf(&window, u"lblPrima"_s), u"Colonne prima: 81"_s);
        // The search improves its cover for as long as it is given.
        child<QSpinBox>(&window, u"txtSecondi"_s)->setValue(1);
        clickOn(&window, u"cmdAvvia"_s);
        QTRY_VERIFY(child(&window, u"cmdConferma"_s)->isEnabled());
        QCOMPARE(textsOf(&window, u"lblDopo lblGaranzia lblDistanze"_s),
                 u"Colonne dopo: 9|Garanzia: 12 punti|Colonne a distanza 0: 9,  1: 72,  2: 0"_s);

        // Two errors allowed.
        child<QRadioButton>(&window, u"optUndici"_s)->setChecked(true);
        clickOn(&window, u"cmdAvvia"_s);
        QTRY_VERIFY(child(&window, u"cmdConferma"_s)->isEnabled());
        QCOMPARE(textsOf(&window, u"lblDopo lblGaranzia"_s),
                 u"Colonne dopo: 3|Garanzia: 11 punti"_s);
        clickOn(&window, u"cmdConferma"_s);
        QVERIFY(!window.isVisible());
        SystemDocument& document = p.document();
        QVERIFY(document.ReducedCount == 3 && document.WorkColumns.count() == 3);
        ColumnBuffer stored;
        QVERIFY(ColumnDatabase::readReducedColumns(p.dir.path(), stored, nullptr));
        QCOMPARE(stored, document.WorkColumns);
        QVERIFY(p.session->commands().isEnabled(u"mnuRidotto"_s));
    }

    // Interrupted at once, the run still offers a complete cover; the command opens the window.
    void interruptAndCommand()
    {
        StartedProgram p;
        p.start();
        p.document() =
            TestSystems::withPrediction(QStringList(8, u"1X2"_s) + QStringList(5, u"1"_s));
        GuaranteeWindow window(*p.session);
        clickOn(&window, u"optUndici"_s);
        clickOn(&window, u"chkIntegrale"_s);
        clickOn(&window, u"cmdAvvia"_s);
        clickOn(&window, u"cmdInterrompi"_s);
        QTRY_VERIFY_WITH_TIMEOUT(child(&window, u"cmdConferma"_s)->isEnabled(), 30000);
        QCOMPARE(textOf(&window, u"lblGaranzia"_s), u"Garanzia: 11 punti"_s);

        p.session->applyRule(CommandRule::PredictionConfirmed);
        QVERIFY(p.command("mnuGaranzia")->isEnabled());
        bool opened = false;
        whenModal(u"frmGARANZIA"_s, [&opened](QWidget* dialog) {
            opened = true;
            dialog->close();
        });
        p.window->runCommand(u"mnuGaranzia"_s);
        QVERIFY(opened);
    }
};

QTEST_MAIN(TestGuaranteeWindow)
#include "testGuaranteeWindow.moc"
