#include "output/ColumnText.h"
#include "output/Merger.h"
#include "output/ui/ColumnViewerWindow.h"
#include "platform/ColumnDatabase.h"
#include "support/GuiDriver.h"

#include <QListView>

using namespace Qt::StringLiterals;
using TestSystems::fileContent;
using TestSystems::writeBytes;

class TestColumnTextWindow : public QObject {
    Q_OBJECT
private slots:
    void viewerImportsAndExportsText()
    {
        StartedProgram p;
        AppFolder::prepare(p.dir.path());
        p.prepare(TestSystems::Prediction, {});
        const ColumnBuffer& integral = p.document().IntegralColumns;
        const QString in = p.dir.filePath(u"in.txt"_s), bad = p.dir.filePath(u"bad.txt"_s);
        QVERIFY(writeBytes(in, integral.column(9).toByteArray() + "\r\n" +
                                   integral.column(0).toByteArray() + "\r\n"));
        QVERIFY(writeBytes(bad, "212X1X12X12X1\r\n"));
        auto v = p.open<ColumnViewerWindow>(u"CRid"_s);

        // A refused file leaves the system as it was.
        p.prompts.expectOpenFile(bad).expectMessage(
            u"Il File 'bad.txt' non è stato importato: 1 righe errate.\n"
            "Riga 1: partita 1, il segno 2 non è nel Pronostico (1X)"_s);
        clickOn(v.get(), u"cmdImportaTesto"_s);
        QVERIFY(p.warned());
        QCOMPARE(p.document().ReducedCount, 0);
        QCOMPARE(p.document().Modified, 0);

        p.prompts.expectOpenFile(in).expectMessage(u"Colonne importate: 2"_s);
        clickOn(v.get(), u"cmdImportaTesto"_s);
        const ColumnBuffer expected = TestSystems::columnsOf(
            {integral.column(0).toByteArray(), integral.column(9).toByteArray()});
        QCOMPARE(p.document().WorkColumns, expected);
        QCOMPARE(p.document().ReducedCount, 2);
        QCOMPARE(p.document().Modified, 1);
        QCOMPARE(textOf(v.get(), u"lblCol"_s), u"Colonne del Sistema Ridotto - 2"_s);
        QCOMPARE(child<QListView>(v.get(), u"lstCOL"_s)->model()->rowCount(), 2);
        ColumnBuffer stored;
        QVERIFY(ColumnDatabase::readReducedColumns(p.dir.path(), stored, nullptr));
        QCOMPARE(stored, expected);

        // Merged, the rows go out when the user says so; CSV by the file's name.
        MergedColumns rows;
        QVERIFY(Merger::mergeAndStore(p.dir.path(), expected, rows, nullptr));
        QCOMPARE(rows.count(), 1);
        p.document().MergedCount = qint32(rows.count());
        const QString out = p.dir.filePath(u"out.csv"_s);
        for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
            p.prompts.expectMessage(u"Esportare le Colonne Accorpate ?"_s, answer)
                .expectSaveFile(out)
                .expectMessage(u"File 'out.csv' creato con successo !"_s);
            clickOn(v.get(), u"cmdEsportaTesto"_s);
            QCOMPARE(fileContent(out),
                     answer == MessageAnswer::Yes
                         ? ColumnText::mergedText(rows, ColumnText::Format::Csv)
                         : ColumnText::columnsText(expected, ColumnText::Format::Csv));
        }

        // Over a reduced system the import asks first: No keeps the system, Yes replaces it.
        const QString one = p.dir.filePath(u"one.txt"_s);
        QVERIFY(writeBytes(one, integral.column(5).toByteArray() + "\r\n"));
        const QString question = u"Il Sistema Ridotto di 2 colonne sarà sostituito dalle 1 "
                                 "colonne del file.\nContinuare ?"_s;
        p.prompts.expectOpenFile(one).expectMessage(question, MessageAnswer::No);
        clickOn(v.get(), u"cmdImportaTesto"_s);
        QCOMPARE(p.document().WorkColumns, expected);
        p.prompts.expectOpenFile(one)
            .expectMessage(question, MessageAnswer::Yes)
            .expectMessage(u"Colonne importate: 1"_s);
        clickOn(v.get(), u"cmdImportaTesto"_s);
        QCOMPARE(p.document().WorkColumns,
                 TestSystems::columnsOf({integral.column(5).toByteArray()}));
    }
};

QTEST_MAIN(TestColumnTextWindow)
#include "testColumnTextWindow.moc"
