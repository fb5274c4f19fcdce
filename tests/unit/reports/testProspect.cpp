#include "document/StatusTexts.h"
#include "platform/ProgressReporter.h"
#include "reports/SystemPrintout.h"

#include "support/PdfPages.h"
#include "support/PrintChecks.h"
#include "support/TestSystems.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// 4 doubles and 2 triples: 144 columns; `reduced` columns whose first sign runs 1, X, 2, 1, ...
SystemDocument system144(int reduced)
{
    SystemDocument document = TestSystems::withPrediction(
        QStringList{"1X", "1X", "1X", "1X", "1X2", "1X2"} + QStringList(7, "1"));
    for (int i = 0; i < reduced; ++i)
        document.WorkColumns.append(QByteArray(1, "1X2"[i % 3]) + QByteArray(12, '1'));
    document.ReducedCount = reduced;
    document.SlipCount = StatusTexts::slipCountFor(reduced);
    return document;
}

void print(RecordingPrinter& recorder, const SystemDocument& document, const QString& code)
{
    PrintSurface surface(recorder);
    ProgressReporter progress;
    SystemPrintout::PrintSystem(surface, {document, 1, QLocale(QLocale::Italian)}, code, progress);
}

// "page:first-last" group numbers of each block heading (the bold italic lines).
QString blocks(const RecordingPrinter& recorder)
{
    QStringList result;
    for (const auto& item : recorder.items(RecordingPrinter::Kind::Text)) {
        const QStringList numbers = item.text.split(u' ', Qt::SkipEmptyParts);
        if (item.font.Bold && item.font.Italic)
            result << u"%1:%2-%3"_s.arg(item.page).arg(numbers.first(), numbers.last());
    }
    return result.join(u' ');
}

} // namespace

class TestProspect : public QObject {
    Q_OBJECT

private slots:
    // 40 columns to a block, three blocks to a page, groups of 4 numbered across blocks.
    void columnBlocks_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("blocks");
        QTest::newRow("41") << 41 << "1:1-10 1:11-11";
        QTest::newRow("120") << 120 << "1:1-10 1:11-20 1:21-30";
        QTest::newRow("121") << 121 << "1:1-10 1:11-20 1:21-30 2:31-31";
        QTest::newRow("7") << 7 << "1:1-2";
    }
    void columnBlocks()
    {
        QFETCH(int, count);
        QFETCH(QString, blocks);
        RecordingPrinter recorder;
        print(recorder, system144(count), u"VCCR"_s);
        QCOMPARE(::blocks(recorder), blocks);
        const QStringList page1 = recorder.lines(1, 1);
        QCOMPARE(page1.first(),
                 u"Nome File: Prova.pro     Ridotto %1 colonnePagina 1"_s.arg(count));
        // Match 1 of the first block's columns, four to a group.
        QCOMPARE(page1.at(4),
                 count == 7 ? u"     1X21   X21"_s
                            : u"     "_s + u"1X21   X21X   21X2   "_s.repeated(3) + u"1X21   "_s);
        QCOMPARE(recorder.documentsEnded(), 1);
        QVERIFY(!PrintChecks::texts(recorder).join(u'\n').contains(u"CONCORSO"_s));
        if (count == 41) // the last block stops after the last column
            QCOMPARE(page1.mid(page1.size() - 15, 3),
                     QStringList({u"     11     "_s, u"        "_s + QString(4, QChar(0x2014)),
                                  u"     X"_s}));
    }

    // A header too long to leave room for the page number puts it on a line of its own.
    void longHeaderPageNumber()
    {
        SystemDocument document = system144(7);
        document.SystemName = u"Sistema con un nome davvero molto lungo"_s;
        document.NumConcorso = u"12"_s;
        document.DataConcorso = u"01/02/2025"_s;
        RecordingPrinter recorder;
        print(recorder, document, u"VCCR"_s);
        const QStringList page1 = recorder.lines(1, 1);
        QCOMPARE(page1.at(0), u"Nome File: Sistema con un nome davvero molto lungo.pro      "
                              u"Concorso 12 del 01/02/2025     Ridotto 7 colonne"_s);
        QCOMPARE(page1.at(1), u"Pagina 1"_s);
    }

    void prospectSections_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("reduced");
        QTest::addColumn<int>("shares");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("absent");
        const QStringList reducedLines = {"SISTEMA RIDOTTO:41 colonne  (Riduzione 28 %)",
                                          "\u2022 Costo : 41,00 \u20ac   (79.387,07 lire)",
                                          "\u2022 Quote : 2 x 20,50 \u20ac",
                                          "\u2022 Numero Schedine : 11"};
        const QStringList always = {"CONCORSO 12 DEL 01/02/2025",
                                    "NOME FILE:        Prova.pro",
                                    "SISTEMA INTEGRALE:4 doppie 2 triple 144 colonne",
                                    "\u2022 Costo : 144,00 \u20ac   (278.822,88 lire)",
                                    "CONDIZIONI:",
                                    "      1. CASA 1          - OSPITE 1         1X  _____   "
                                    "_____   _____   _____"};
        QTest::newRow("StPr") << "StPr" << 41 << 2 << always + reducedLines << "Pagina 1";
        QTest::newRow("StPr none reduced") << "StPr" << 0 << 2 << always << "SISTEMA RIDOTTO:";
        QTest::newRow("SPCR") << "SPCR" << 41 << 2 << always + reducedLines << "Pagina 1";
        QTest::newRow("SPCI") << "SPCI" << 41 << 2 << always << "SISTEMA RIDOTTO:";
        // No shares recorded: the whole cost is one share, never a division by nought.
        QTest::newRow("SPCR no shares")
            << "SPCR" << 41 << 0 << QStringList{"\u2022 Quote : 1 x 41,00 \u20ac"} << "inf";
    }
    void prospectSections()
    {
        QFETCH(QString, code);
        QFETCH(int, reduced);
        QFETCH(int, shares);
        QFETCH(QStringList, present);
        QFETCH(QString, absent);
        SystemDocument document = system144(reduced);
        document.NumConcorso = u"12"_s;
        document.DataConcorso = u"01/02/2025"_s;
        document.Quote = quint8(shares);
        RecordingPrinter recorder;
        print(recorder, document, code);
        const QStringList page1 = recorder.lines(1, 1);
        for (const QString& line : present)
            QVERIFY2(page1.contains(line), qPrintable(line));
        QVERIFY2(!page1.join(u'\n').contains(absent), qPrintable(absent));
        QCOMPARE(page1.count(u"     "_s + QString(72, QChar(0x2013))), 3);
        // The column pages start on a page of their own, with their header.
        const bool columns = code != QLatin1String("StPr");
        QCOMPARE(recorder.items().last().page > 1, columns);
        QVERIFY(!columns || recorder.lines(1, 2).first().startsWith(u"Nome File: "_s));
    }

    // EnableFlags | the lines after "CONDIZIONI:".
    void conditionLines_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("counts and runs")
            << "1100000|Segni 1 : 3,4,5   consecutivi : 1,2 |Segni X : 0,1,2   consecutivi : 2 "
               "|Segni 2 : 5   consecutivi : 0 ";
        QTest::newRow("runs") << "0100000|Segni 1 consecutivi : 1,2 |Segni X consecutivi : 2 "
                                 "|Segni 2 consecutivi : 0 ";
        QTest::newRow("interruptions and step 3") << "0010001|Interruzioni : 4   consecutive : "
                                                     "0,1,2 |Paralleli P3 : 1,2   consecutivi : 3 ";
        QTest::newRow("sequences") << "0000010|Sequele escluse:|2X1in campo  4-5-11";
    }
    void conditionLines()
    {
        QFETCH(QString, row);
        const QStringList lines = row.split(u'|').mid(1);
        SystemDocument document = system144(0);
        document.EnableFlags = row.section(u'|', 0, 0);
        // Entries 1..16, then 46..49, as (minimum, maximum) pairs.
        const int bounds[] = {3, 5, 0, 2, 5, 5, 1, 2, 2, 2, 0, 0, 4, 4, 0, 2, 1, 2, 3, 3};
        for (int i = 0; i < 20; ++i)
            document.Conditions.set(i < 16 ? i + 1 : i + 30, bounds[i]);
        document.Conditions.set(25, u"2X1"_s);
        document.Conditions.set(26, u"4-5-11"_s);
        document.Conditions.set(27, u"S"_s);
        document.Conditions.set(29, u"N"_s);
        RecordingPrinter recorder;
        print(recorder, document, u"StPr"_s);
        const QStringList page = recorder.lines();
        const qsizetype at = page.indexOf(u"CONDIZIONI:"_s);
        QCOMPARE(page.mid(at + 1, lines.size()), lines);
        QVERIFY(page.at(at + 1 + lines.size()).startsWith(u"     "_s));
    }

    // Every kind enabled with the widest bounds, on the largest system: read back from the PDF,
    // every value is there and nothing ends past 200 mm from the page's left edge.
    void wideConditionsStayOnThePage()
    {
        SystemDocument document = system144(41);
        document.IntegralCount = 1594323;
        document.EnableFlags = u"1111111"_s;
        // Minimum 0 and maximum 13 in every pair: 1..24, then 46..49.
        for (int i = 1; i <= 24; ++i)
            document.Conditions.set(i, i % 2 ? 0 : 13);
        for (int i = 46; i <= 49; ++i)
            document.Conditions.set(i, i % 2 ? 13 : 0);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"prospect.pdf"_s);
        QVERIFY(PrintChecks::toPdf(path, [&](PrintSurface& surface) {
            SystemPrintout::PrintProspect(surface, {document, 1, QLocale(QLocale::Italian)},
                                          u"StPr"_s);
        }));
        PdfPages pdf(path);
        QCOMPARE(pdf.count(), 1);
        QVERIFY2(pdf.textRight(0) <= 200, qPrintable(QString::number(pdf.textRight(0))));
        const QString text = pdf.text(0).remove(QRegularExpression(u"\\s"_s));
        const QString all = u"0,1,2,3,4,5,6,7,8,9,10,11,12,13"_s;
        QVERIFY2(text.contains(u"Costo:1.594.323,00€(3.087.039.795,21lire)"_s), qPrintable(text));
        QVERIFY2(text.contains(u"Segni1:%1consecutivi:%1SegniX:%1consecutivi:%1Segni2:%1"
                               u"consecutivi:%1Interruzioni:%1consecutive:%1Simmetrie:%1"
                               u"consecutive:%1Paralleli:%1consecutivi:%1ParalleliP3:%1"
                               u"consecutivi:%1Sequeleescluse:"_s.arg(all)),
                 qPrintable(text));
    }
};

QTEST_MAIN(TestProspect)
#include "testProspect.moc"
