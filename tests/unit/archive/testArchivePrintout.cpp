#include "archive/ArchivePrintout.h"
#include "platform/PrintSurface.h"
#include "platform/ProgressReporter.h"
#include "platform/RecordingPrinter.h"

#include <QTest>

using namespace ArchiveStatistics;
using namespace Qt::StringLiterals;
using Item = RecordingPrinter::Item;

namespace {

const QString Labels = u"Stagione  Conc"_s + u"Colonna"_s + u"Serie"_s + u"Po"_s + u"Ok"_s +
                       u"S1   SX   S2  SC1  SCX  SC2   IG   IC   SG   SC   PG   PC  P3G  P3C"_s;
const QString EnRule(113, QChar(0x2013));
const QString EmRule(113, QChar(0x2014));
const ArchiveRecord Contest =
    ArchiveRecord::fromTyped({"2004-2005", "7", "X", "X", "X", "X", "X", "X", "X", "X", "X", "X",
                              "X", "X", "X", "BOC", "Si"});

// The print column an item starts at, and its font, in the printouts' Courier New 11.
QString placed(const Item& item)
{
    RecordingPrinter recorder;
    PrintSurface surface(recorder);
    surface.Font = {u"Courier New"_s, 11, false, false};
    return u"%1%2%3:%4"_s.arg(qRound(item.at.x() / surface.columnWidth()) + 1)
        .arg(item.font.Bold ? "b" : "")
        .arg(item.font.Italic ? "i" : "")
        .arg(item.text);
}

struct Progress final : ProgressReporter {
    int maximum = -1, value = -1, highest = -1;
    void setRange(int, int top) override { maximum = top; }
    void setValue(int now) override { highest = std::max(highest, value = now); }
};

} // namespace

class TestArchivePrintout : public QObject {
    Q_OBJECT
private slots:
    void header_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<QString>("flags"); // complete, postponed, then the five series
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("filters");
        QTest::newRow("season")
            << int(Interval::Season) << "11 11001"
            << "Statistiche sulle Colonne Vincenti della Stagione 2004-2005"
            << QStringList{u"Solo Colonne Complete (Ok) e Posticipo/i di Serie A in Fondo (Po)"_s,
                           u"Serie elaborate: A, ABC, Indefinita"_s};
        QTest::newRow("latest") << int(Interval::Last) << "01 00111"
                                << "Statistiche sulle ultime 30 Colonne Vincenti"
                                << QStringList{
                                       u"Solo Colonne con Posticipo/i di Serie A in Fondo (Po)"_s,
                                       u"Serie elaborate:  B e/o C, Indefinita, Varie"_s};
        QTest::newRow("all") << int(Interval::All) << "10 01010"
                             << "Statistiche su tutte le Colonne Vincenti"
                             << QStringList{u"Solo Colonne Complete (Ok)"_s,
                                            u"Serie elaborate:  ABC, Varie"_s};
        QTest::newRow("every column")
            << int(Interval::All) << "00 10000"
            << "Statistiche su tutte le Colonne Vincenti" << QStringList{u"Serie elaborate: A"_s};
    }

    void header()
    {
        QFETCH(int, interval);
        QFETCH(QString, flags);
        QFETCH(QString, title);
        QFETCH(QStringList, filters);
        Choice choice{0,       Interval(interval), u"2004-2005"_s,
                      u"30"_s, flags[0] == u'1',   flags[1] == u'1'};
        for (int k = 0; k < 5; ++k)
            choice.series[k] = flags[3 + k] == u'1';
        RecordingPrinter recorder;
        PrintSurface surface(recorder);
        ArchivePrintout::PrintArchiveHeader(surface, u"Parziale"_s, 7, &choice);
        QCOMPARE(recorder.lines(),
                 QStringList({title + u"Pagina 1"_s, u"Colonne Effettive : 7"_s, EnRule})
                     << filters << EmRule << Labels << EmRule);
    }

    void columnsAndFonts()
    {
        RecordingPrinter recorder;
        PrintSurface surface(recorder);
        Progress progress;
        ArchivePrintout::PrintArchive(surface, {Contest}, progress);
        QStringList printed;
        for (const Item& item : recorder.items(RecordingPrinter::Kind::Text))
            printed << placed(item);
        QCOMPARE(printed.join(u'|'),
                 u"4bi:Archivio Colonne Vincenti|109i:Pagina 1|4i:Totale Colonne : 1|4:"_s +
                     EnRule + u"|4b:Stagione  Conc|24b:Colonna|35b:Serie|41b:Po|45b:Ok|50b:"_s +
                     Labels.right(67) + u"|4:"_s + EmRule +
                     u"|4:2004-2005|13: 7|21:XXXXXXXXXXXXX|36:BOC|41:Si|45:Si|49: 0|54: 13|59: 0|"
                     u"64: 0|69: 13|74: 0|79: 0|84: 0|89: 6|94: 6|99: 6|104: 6|109: 11|114: 11"_s);
    }

    void pages_data()
    {
        QTest::addColumn<bool>("interval");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("onLastPage");
        QTest::newRow("archive, one full page") << false << 40 << 1 << 40;
        QTest::newRow("archive, one more") << false << 41 << 2 << 1;
        QTest::newRow("archive, 12 pages") << false << 441 << 12 << 1;
        QTest::newRow("interval, one full page") << true << 36 << 1 << 36;
        QTest::newRow("interval, one more") << true << 37 << 2 << 1;
    }

    void pages()
    {
        QFETCH(bool, interval);
        QFETCH(int, count);
        QFETCH(int, pages);
        QFETCH(int, onLastPage);
        RecordingPrinter recorder;
        PrintSurface surface(recorder);
        Progress progress;
        Choice choice;
        choice.completeOnly = choice.postOnly = true;
        if (interval)
            ArchivePrintout::PrintInterval(surface, QList<ArchiveRecord>(count, Contest), choice,
                                           progress);
        else
            ArchivePrintout::PrintArchive(surface, QList<ArchiveRecord>(count, Contest), progress);

        QCOMPARE(recorder.documentsEnded(), 1);
        QList<int> labels, perPage(pages + 1);
        for (const Item& item : recorder.items(RecordingPrinter::Kind::Text)) {
            const QString text = placed(item);
            perPage[std::min(item.page, pages + 1) - 1] += text.startsWith("21:"_L1);
            // Whatever its number of digits, the page label ends at column 116.
            if (text.contains(u"i:Pagina "_s))
                labels << text.section(u'i', 0, 0).toInt() + int(text.section(u':', 1).size()) - 1;
        }
        QCOMPARE(perPage[pages - 1], onLastPage);
        QCOMPARE(perPage[pages], 0);
        QCOMPARE(labels, QList<int>(pages, 116));
        QCOMPARE(progress.maximum, count);
        QCOMPARE(progress.highest, count - 1);
        QCOMPARE(progress.value, 0);
        QCOMPARE(surface.Orientation(), 1);
        QCOMPARE(surface.Font.Size, 12.0);
    }
};

QTEST_MAIN(TestArchivePrintout)
#include "testArchivePrintout.moc"
