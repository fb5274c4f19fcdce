#include "conditions/ui/AdvancedConditionsDialog.h"
#include "support/GuiDriver.h"

#include <QCheckBox>
#include <QTableWidget>

using namespace Qt::StringLiterals;

namespace {

QString tableText(QWidget* dialog)
{
    auto* table = child<QTableWidget>(dialog, u"tblErrori"_s);
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row)
        rows << table->item(row, 0)->text() + u'=' + table->item(row, 1)->text();
    return rows.join(u' ');
}

void typeIn(QWidget* dialog, const QString& name, const QString& keys)
{
    auto* box = child<QLineEdit>(dialog, name);
    box->setFocus(Qt::MouseFocusReason);
    typeInto(box, keys);
}

} // namespace

class TestAdvancedConditionsDialog final : public QObject {
    Q_OBJECT
private slots:
    // Three triples before ten fixed 1s: 27 columns. SX at most 1 breaks on the 7 columns with
    // two or three X; the reference of thirteen 1s at 12..13 holds on the 7 with two or three 1s
    // among the triples. So 7 columns have no error, 13 one (the reference), 7 two.
    void typedByKeysCountedAndConfirmed()
    {
        StartedProgram p;
        p.document() = TestSystems::withPrediction(
            {"1X2", "1X2", "1X2", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"});
        p.document().EnableFlags = u"1000000"_s;
        for (int i : {2, 4, 6})
            p.document().Conditions.set(i, 13.0);
        p.document().Conditions.set(4, 1.0);
        auto d = p.open<AdvancedConditionsDialog>();
        auto* count = child<QLabel>(d.get(), u"lblRimaste"_s);
        QTRY_COMPARE(count->text(), u"Colonne rimaste: 20"_s);
        QCOMPARE(tableText(d.get()), u"0=20 1=7 2=0 3=0 Sempre rispettate violate=0"_s);
        // Both columns whole in sight: the longest label and room for the largest count.
        auto* table = child<QTableWidget>(d.get(), u"tblErrori"_s);
        QVERIFY(table->columnViewportPosition(1) + table->columnWidth(1) <=
                table->viewport()->width());
        QVERIFY(table->columnWidth(1) > table->fontMetrics().horizontalAdvance(u"1.594.323"_s));

        typeIn(d.get(), u"txtErrA"_s, u"1"_s);
        QTRY_COMPARE(count->text(), u"Colonne rimaste: 27"_s);
        typeIn(d.get(), u"txtRif(0)"_s, u"1111111111111"_s);
        typeIn(d.get(), u"txtRifDa(0)"_s, u"12"_s);
        typeIn(d.get(), u"txtRifA(0)"_s, u"13"_s);
        QTRY_COMPARE(count->text(), u"Colonne rimaste: 20"_s);
        QCOMPARE(tableText(d.get()), u"0=7 1=13 2=7 3=0 4=0 Sempre rispettate violate=0"_s);
        child<QCheckBox>(d.get(), u"chkSempre(8)"_s)->click();
        QTRY_COMPARE(count->text(), u"Colonne rimaste: 7"_s);
        QCOMPARE(tableText(d.get()), u"0=7 1=0 2=0 3=0 Sempre rispettate violate=20"_s);
        QCOMPARE(p.document().Advanced, AdvancedConditions{});

        // Odds of a fair book; the lowest sum takes 16,67 on the triples and 50 elsewhere.
        const QString odds = p.dir.filePath(u"quote.txt"_s);
        QVERIFY(TestSystems::writeBytes(odds, QByteArray("2;3;6\n").repeated(13)));
        p.prompts.expectOpenFile(odds);
        clickOn(d.get(), u"cmdImporta"_s);
        QCOMPARE(textsOf(d.get(), u"txtValore(0) txtValore(1) txtValore(2) lblSommaPossibile"_s),
                 u"50,00|33,33|16,67|Somma possibile da 550,01 a 650,00"_s);
        typeIn(d.get(), u"txtValore(5)"_s, u"20"_s);
        QCOMPARE(textOf(d.get(), u"lblValori"_s), u"Non sommano a 100: partite 2"_s);

        p.prompts.expectMessage(u"I valori delle partite 2 non sommano a 100 !"_s);
        clickOn(d.get(), u"cmdOK"_s);
        const AdvancedConditions& set = p.document().Advanced;
        QCOMPARE(set.errorsTo, 1);
        QCOMPARE(set.references.size(), 1);
        QCOMPARE(set.references[0].pointsFrom, 12);
        QVERIFY(set.strict[8]);
        QCOMPARE((*set.values())[1][2], 20.0);
        QCOMPARE(p.document().Modified, 1);
    }
};

QTEST_MAIN(TestAdvancedConditionsDialog)
#include "testAdvancedConditionsDialog.moc"
