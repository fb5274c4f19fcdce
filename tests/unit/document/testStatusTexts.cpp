#include "document/StatusTexts.h"
#include "support/TestSystems.h"

#include <QTest>

namespace {
const QLocale Italian(QLocale::Italian, QLocale::Italy);
}

class TestStatusTexts : public QObject {
    Q_OBJECT
private slots:
    void integralPanelsOfThirteenTriples()
    {
        SystemDocument document;
        document.IntegralCount = 1594323;
        document.NumTriple = 13;
        const auto panels = StatusTexts::integralPanels(document, 0.5, Italian);
        QCOMPARE(panels[0], QStringLiteral("Colonne: 1.594.323"));
        QCOMPARE(panels[1], QStringLiteral("Costo (€): 797.161,50"));
        // 797161.5 x 1936 = 1543304664, + 797161.5 x 0.27 = 215233.605: 1543519897.605 rounds up
        QCOMPARE(panels[2], QStringLiteral("Costo (£): 1.543.519.898"));
        QCOMPARE(panels[3], QStringLiteral("Fi=0      Do=0      Tr=13"));
    }

    void noIntegralSystemEmptiesThePanels()
    {
        SystemDocument document;
        const auto panels = StatusTexts::integralPanels(document, 0.5, Italian);
        for (const QString& panel : panels)
            QVERIFY(panel.isEmpty());
    }

    void reducedPanels()
    {
        SystemDocument document;
        document.IntegralCount = 729;
        document.ReducedCount = 10;
        document.Quote = 4;
        auto status = StatusTexts::reducedStatus(document, 0.5, Italian);
        QVERIFY(status.hasReduced);
        QVERIFY(!status.merged);
        QCOMPARE(status.panels[0], QStringLiteral("Colonne: 10"));
        QCOMPARE(status.panels[1], QStringLiteral("Costo (€): 5,00"));
        QCOMPARE(status.panels[2], QStringLiteral("Costo (£): 9.681"));
        QCOMPARE(status.panels[3], QStringLiteral("Rid. : 1 %"));
        QCOMPARE(status.panels[4], QStringLiteral("Quote: 4"));
        QCOMPARE(status.panels[5], QStringLiteral("Car. (€): 1,25"));
        QCOMPARE(status.panels[6], QString());
        QCOMPARE(status.sharesCaption, QStringLiteral("&Quote (4)"));
        QCOMPARE(status.slipCount, 3.0); // Int(10 / 4 + 0.9)

        document.MergedCount = 9;
        status = StatusTexts::reducedStatus(document, 0.5, Italian);
        QVERIFY(status.merged);
        QCOMPARE(status.panels[6], QStringLiteral("Accorpate: 9"));
        QCOMPARE(status.slipCount, 3.0); // Int(9 / 4 + 0.9) = Int(3.15)

        document.ReducedCount = 0;
        status = StatusTexts::reducedStatus(document, 0.5, Italian);
        QVERIFY(!status.hasReduced);
        QVERIFY(status.panels[0].isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStatusTexts)
#include "testStatusTexts.moc"
