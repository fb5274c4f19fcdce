#include "archive/ArchivePrintout.h"
#include "platform/PrintSurface.h"
#include "platform/ProgressReporter.h"
#include "platform/RecordingPrinter.h"
#include "support/TestArchives.h"

#include <QTest>

using namespace ArchiveStatistics;
using namespace Qt::StringLiterals;
using Item = RecordingPrinter::Item;

namespace {

const QString Labels = u"Stagione  Conc"_s + u"Colonna"_s + u"Serie"_s + u"Po"_s + u"Ok"_s +
                       u"S1   SX   S2  SC1  SCX  SC2   IG   IC   SG   SC   PG   PC  P3G  P3C"_s;
const QString EnRule(113, QChar(0x2013));
const QString EmRule(113, QChar(0x2014));

// The print column an item starts at, in the printouts' Courier New 11.
int columnOf(const Item& item)
{
    RecordingPrinter recorder;
    PrintSurface surface(recorder);
    surface.Font.Name = u"Courier New"_s;
    surface.Font.Size = 11;
    return qRound(item.at.x() / surface.columnWidth()) + 1;
}

QList<Item> textsOn(const RecordingPrinter& recorder, int page)
{
    QList<Item> texts;
    for (const Item& item : recorder.items(RecordingPrinter::Kind::Text))
        if (item.page == page)
            texts << item;
    return texts;
}

struct Progress final : ProgressReporter {
    int maximum = -1, value = -1, highest = -1;
    void setRange(int, int top) override { maximum = top; }
    void setValue(int now) override
    {
        value = now;
        highest = std::max(highest, now);
    }
};

QList<ArchiveRecord> records(int count)
{
    return TestArchives::generated(count);
}

} // namespace

class TestArchivePrintout : public QObject {
    Q_OBJECT
private slots:
    void header_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("interval");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<bool>("post");
        QTest::addColumn<QStringList>("lines");
        const QString partial = u"Colonne Effettive : 7"_s;
        QTest::newRow("whole archive")
            << "Totale" << 0 << true << true
            << QStringList{u"Archivio Colonne VincentiPagina 1"_s, u"Totale Colonne : 7"_s, EnRule,
                           Labels, EmRule};
        QTest::newRow("season, complete and postponed")
            << "Parziale" << int(Interval::Season) << true << true
            << QStringList{u"Statistiche sulle Colonne Vincenti della Stagione 2004-2005Pagina 1"_s,
                           partial,
                           EnRule,
                           u"Solo Colonne Complete (Ok) e Posticipo/i di Serie A in Fondo (Po)"_s,
                           u"Serie elaborate: A, ABC, Indefinita"_s,
                           EmRule,
                           Labels,
                           EmRule};
        QTest::newRow("latest, postponed")
            << "Parziale" << int(Interval::Last) << false << true
            << QStringList{u"Statistiche sulle ultime 30 Colonne Vincenti"_s + u"Pagina 1"_s,
                           partial,
                           EnRule,
                           u"Solo Colonne con Posticipo/i di Serie A in Fondo (Po)"_s,
                           u"Serie elaborate: A, ABC, Indefinita"_s,
                           EmRule,
                           Labels,
                           EmRule};
        QTest::newRow("all, complete")
            << "Parziale" << int(Interval::All) << true << false
            << QStringList{u"Statistiche su tutte le Colonne VincentiPagina 1"_s,
                           partial,
                           EnRule,
                           u"Solo Colonne Complete (Ok)"_s,
                           u"Serie elaborate: A, ABC, Indefinita"_s,
                           EmRule,
                           Labels,
                           EmRule};
        QTest::newRow("all, every column")
            << "Parziale" << int(Interval::All) << false << false
            << QStringList{u"Statistiche su tutte le Colonne VincentiPagina 1"_s,
                           partial,
                           EnRule,
                           u"Serie elaborate: A, ABC, Indefinita"_s,
                           EmRule,
                           Labels,
                           EmRule};
    }

    void header()
    {
        QFETCH(QString, kind);
        QFETCH(int, interval);
        QFETCH(bool, complete);
        QFETCH(bool, post);
        QFETCH(QStringList, lines);
        Choice choice;
        choice.interval = Interval(interval);
        choice.season = u"2004-2005"_s;
        choice.last = u"30"_s;
        choice.completeOnly = complete;
        choice.postOnly = post;
        choice.series = {true, true, false, false, true};
        RecordingPrinter recorder;
        PrintSurface surface(recorder);
        ArchivePrintout::PrintArchiveHeader(surface, kind, 7, &choice);
        QCOMPARE(recorder.lines(), lines);
    }

    void headerColumns_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::newRow("title") << "Archivio Colonne Vincenti" << 4 << true << true;
        QTest::newRow("page") << "Pagina 1" << 109 << false << true;
        QTest::newRow("count") << "Totale Colonne : 40" << 4 << false << true;
        QTest::newRow("rule") << EnRule << 4 << false << false;
        QTest::newRow("season") << "Stagione  Conc" << 4 << true << false;
        QTest::newRow("column") << "Colonna" << 24 << true << false;
        QTest::newRow("series") << "Serie" << 35 << true << false;
        QTest::newRow("postponed") << "Po" << 41 << true << false;
        QTest::newRow("complete") << "Ok" << 45 << true << false;
        QTest::newRow("measures") << Labels.right(67) << 50 << true << false;
    }

    void headerColumns()
    {
        QFETCH(QString, text);
        QFETCH(int, column);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        RecordingPrinter recorder;
        PrintSurface surface(recorder);
        Progress progress;
        ArchivePrintout::PrintArchive(surface, records(40), progress);
        const QList<Item> texts = textsOn(recorder, 1);
        const auto item = std::find_if(texts.begin(), texts.end(),
                                       [&](const Item& printed) { return printed.text == text; });
        QVERIFY(item != texts.end());
        QCOMPARE(columnOf(*item), column);
        QCOMPARE(item->font, (PrintFont{u"Courier New"_s, 11, bold, italic}));
    }

    void recordLine()
    {
        RecordingPrinter recorder;
        PrintSurface surface(recorder);
        surface.Font = {u"Courier New"_s, 11, false, false};
        ArchivePrintout::PrintRecordLine(
            surface, TestArchives::record(u"2004-2005"_s, 7, "XXXXXXXXXXXXX", u"BOC"_s, u"Si"_s));
        QStringList printed;
        for (const Item& item : recorder.items(RecordingPrinter::Kind::Text))
            printed << u"%1:%2"_s.arg(columnOf(item)).arg(item.text);
        QCOMPARE(printed, QStringList({"4:2004-2005", "13: 7",  "21:XXXXXXXXXXXXX",
                                       "36:BOC",      "41:Si",  "45:Si",
                                       "49: 0",       "54: 13", "59: 0",
                                       "64: 0",       "69: 13", "74: 0",
                                       "79: 0",       "84: 0",  "89: 6",
                                       "94: 6",       "99: 6",  "104: 6",
                                       "109: 11",     "114: 11"}));
    }

    void pages_data()
    {
        QTest::addColumn<bool>("interval");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("onLastPage");
        QTest::newRow("archive, one full page") << false << 40 << 1 << 40;
        QTest::newRow("archive, one more") << false << 41 << 2 << 1;
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
            ArchivePrintout::PrintInterval(surface, records(count), choice, progress);
        else
            ArchivePrintout::PrintArchive(surface, records(count), progress);

        QCOMPARE(recorder.documentsEnded(), 1);
        int lastPage = 0;
        for (const Item& item : recorder.items(RecordingPrinter::Kind::Text))
            lastPage = std::max(lastPage, item.page);
        QCOMPARE(lastPage, pages);
        const QList<Item> last = textsOn(recorder, pages);
        QCOMPARE(std::count_if(last.begin(), last.end(),
                               [](const Item& item) { return columnOf(item) == 21; }),
                 onLastPage);
        QVERIFY(std::any_of(last.begin(), last.end(), [&](const Item& item) {
            return item.text == u"Pagina %1"_s.arg(pages);
        }));
        QCOMPARE(progress.maximum, count);
        QCOMPARE(progress.highest, count - 1);
        QCOMPARE(progress.value, 0);
        QCOMPARE(surface.Orientation(), 1);
        QCOMPARE(surface.Font.Size, 12.0);
    }

    void pageLabelEndsInOneColumn()
    {
        RecordingPrinter recorder;
        PrintSurface surface(recorder);
        Progress progress;
        ArchivePrintout::PrintArchive(surface, records(12 * 40), progress);
        for (const QString& label : {u"Pagina 3"_s, u"Pagina 12"_s}) {
            const QList<Item> texts = recorder.items(RecordingPrinter::Kind::Text);
            const auto item = std::find_if(texts.begin(), texts.end(), [&](const Item& printed) {
                return printed.text == label;
            });
            QVERIFY(item != texts.end());
            QCOMPARE(columnOf(*item) + label.size() - 1, 116);
        }
    }
};

QTEST_MAIN(TestArchivePrintout)
#include "testArchivePrintout.moc"
