#include "conditions/ui/EnablingWindow.h"
#include "reports/ResultsLogic.h"
#include "reports/ui/ResultsWindow.h"
#include "support/GuiDriver.h"
#include "support/TestSystems.h"

using namespace Qt::StringLiterals;
using namespace ResultsLogic;

namespace {

// Match 1 plays 1X, match 2 the triple, the others 1.
const QStringList Played = QStringList{"1X", "1X2"} + QStringList(11, "1");

QLineEdit* box(QWidget* window, int field)
{
    return child<QLineEdit>(window, u"txtPro(%1)"_s.arg(field));
}

bool isRed(QLineEdit* sign)
{
    return sign->palette().color(QPalette::Text) == QColor(255, 0, 0);
}

ResultsWindow* resultsOf(StartedProgram& p)
{
    p.window->runCommand(u"mnuRisultati"_s);
    auto* window = p.window->findChild<ResultsWindow*>(u"frmRISULTATI"_s);
    if (window && !activate(window))
        qWarning("the results window did not become active");
    return window;
}

} // namespace

class TestResultsWindows : public QObject {
    Q_OBJECT

private slots:
    // Scores typed and left give the signs, the missed ones red; OK keeps them in the system's
    // file, which the window shows again next time.
    void results()
    {
        StartedProgram p;
        p.start();
        p.prepare(Played, {"1X1X111111111", "1X11111111112", "2222222222222"});
        p.document().NumConcorso = u"12"_s;
        p.document().DataConcorso = u"01/02/2025"_s;
        ResultsWindow* window = resultsOf(p);
        QVERIFY(window && window->isVisible() && !window->isModal());
        QCOMPARE(window->windowTitle(), u"Prova - Risultati Finali"_s);
        QCOMPARE(textsOf(window, u"txtPro(1) txtPro(2) lblF(2) lblC(2) txtMioPro(2) txtPro(3)"_s),
                 u"12|01/02/2025|"_s + u"CASA 2"_s.leftJustified(15) + u'|' +
                     u"OSPITE 2"_s.leftJustified(15) + u"|1X2|"_s);
        clickOn(window, u"cmdAnnulla"_s);
        QTRY_VERIFY(!p.window->findChild<ResultsWindow*>());

        // Matches 6 to 13 saved already, the first five typed now.
        Fields fields = initial(p.document());
        for (int match = 6; match <= Matches; ++match) {
            fields[scoreField(match) - 1] = u"1-0"_s;
            fields[signField(match) - 1] = u"1"_s;
        }
        fields[SecondPrize - 1] = u"50"_s;
        QVERIFY(write(filePath(p.systems(), u"Prova"_s), fields));
        window = resultsOf(p);
        const QStringList typed = {"2-1", "1-1", "2-a0", "0-0", "21"};
        for (int match = 1; match <= 5; ++match) {
            box(window, scoreField(match))->setFocus();
            typeInto(box(window, scoreField(match)), typed[match - 1]);
            QTest::keyClick(box(window, scoreField(match)), Qt::Key_Tab);
        }
        QCOMPARE(textsOf(window, u"txtPro(5) txtPro(21) txtPro(22) txtPro(23) txtPro(24) "
                                 "txtPro(7) txtPro(25) lblPunti"_s),
                 u"2-0|1|X|1|X|*|-|11"_s);
        QVERIFY(!isRed(box(window, signField(1))) && !isRed(box(window, signField(3))));
        QVERIFY(isRed(box(window, signField(4))) && isRed(box(window, signField(5))));

        box(window, FirstPrize)->setFocus();
        typeInto(box(window, FirstPrize), u"10-0"_s);
        QCOMPARE(box(window, FirstPrize)->text(), u"100"_s);
        QTest::keyClick(box(window, FirstPrize), Qt::Key_Tab);
        // 1X1X-11111111: the first column misses only the fifth match, the second three.
        const auto won = winningsOf(window->fields(), p.document());
        QVERIFY(won->counts[1] == 1 && won->counts[3] == 1);
        QCOMPARE(textsOf(window, u"lblCategoria(1) lblCategoria(2) lblCategoria(4) lblVincita"_s),
                 u"0|1|1|"_s + totalText(50));
        // The total follows a prize as it is typed, before its box is left.
        box(window, SecondPrize)->setFocus();
        typeInto(box(window, SecondPrize), u"70"_s);
        QCOMPARE(textOf(window, u"lblVincita"_s),
                 u"Vincita totale: 70"_s + QLocale().decimalPoint() + u"00 \u20ac"_s);

        const Fields entered = window->fields();
        clickOn(window, u"cmdOK"_s);
        QTRY_VERIFY(!p.window->findChild<ResultsWindow*>());
        Fields saved;
        QCOMPARE(read(filePath(p.systems(), u"Prova"_s), saved), LegacyTextFile::ReadStatus::Ok);
        QCOMPARE(saved, entered);
        window = resultsOf(p);
        QCOMPARE(window->fields(), entered);
        QVERIFY(isRed(box(window, signField(4))));
        QCOMPARE(textOf(window, u"lblPunti"_s), u"11"_s);
        // Another system closes them.
        p.session->resetDocument();
        QTRY_VERIFY(!p.window->findChild<ResultsWindow*>());
    }

    // Proprietà opens after Open when the options ask, once the other windows show the opened
    // system; its Stampa prints the prospect alone.
    void properties()
    {
        StartedProgram p;
        p.start();
        p.session->options()[Options::ShowPropertiesOnOpen] = u"S"_s;
        SystemDocument system = TestSystems::withPrediction(Played);
        system.EnableFlags = u"0100100"_s;
        QString shown, behind;
        whenModal(u"frmPRESENTA"_s, [&shown, &behind, &p](QWidget* properties) {
            behind = p.window->findChild<EnablingWindow*>()->flagsText() + u'|' +
                     textOf(p.window->findChild<QWidget*>(u"frmPROCOND"_s), u"lblPro(2)"_s);
            shown = properties->windowTitle() + u'|' +
                    textsOf(properties, u"lblCa(1) lblPro(2) lblINT1 lblRID1 LblSeqCamp"_s);
            p.prompts.expectPrinterChoice(p.dir.filePath(u"prospetto.pdf"_s));
            clickOn(properties, u"cmdStampa"_s);
            clickOn(properties, u"cmdChiudi"_s);
        });
        p.openSaved(system);
        QCOMPARE(behind, u"0100100|1X2"_s);
        QCOMPARE(shown,
                 u"Prova - Propriet\u00e0|"_s + u" CASA 1"_s.leftJustified(16) +
                     u"| 1X2|Fisse\nDoppie\nTriple\nColonne\nCosto (\u20ac)|Non Presente|"_s);
        QCOMPARE(p.session->PrintMode, u"StPr"_s);
        QVERIFY(TestSystems::fileContent(p.dir.filePath(u"prospetto.pdf"_s)).startsWith("%PDF"));
    }
};

QTEST_MAIN(TestResultsWindows)
#include "testResultsWindows.moc"
