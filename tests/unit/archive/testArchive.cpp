#include "archive/ArchiveCsv.h"
#include "archive/ArchiveStatistics.h"
#include "archive/ArchiveStore.h"
#include "archive/RecordEditorLogic.h"
#include "support/CliRunner.h"
#include "support/TestArchives.h"
#include "support/TestSystems.h"

#include <QDir>
#include <QScopeGuard>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using Typed = ArchiveRecord::TypedFields;

namespace {

// "2004-2005;7;1X2X11X2-1X21;ABC;No" as typed fields.
Typed typed(const QString& line)
{
    const QStringList parts = line.split(u';');
    Typed fields;
    fields[ArchiveRecord::Anno] = parts[0];
    fields[ArchiveRecord::Conc] = parts[1];
    for (int k = 0; k < 13; ++k)
        fields[ArchiveRecord::FirstSign + k] = parts[2].mid(k, 1);
    fields[ArchiveRecord::Serie] = parts[3];
    fields[ArchiveRecord::Post] = parts[4];
    return fields;
}

// "season contest column" of every record in the store's order.
QStringList contents(const ArchiveStore& store)
{
    QList<ArchiveRecord> records;
    QString error;
    if (!store.load(records, &error))
        return {error};
    QStringList lines;
    for (const ArchiveRecord& record : records)
        lines << record[ArchiveRecord::Anno] + u' ' + record[ArchiveRecord::Conc] + u' ' +
                     QString::fromLatin1(record.column());
    return lines;
}

} // namespace

class TestArchive : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void storedFields_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("computed"); // Comp S1 SX S2 SC1 SCX SC2 IG IC SG SC PG PC FG FC
        QTest::newRow("all X") << u"XXXXXXXXXXXXX"_s << u"Si 0 13 0 0 13 0 0 0 6 6 6 6 11 11"_s;
        QTest::newRow("alternating")
            << u"1X1X1X1X1X1X1"_s << u"Si 7 6 0 1 1 0 12 12 6 6 0 0 11 11"_s;
        QTest::newRow("one void") << u"1X2X11X2-1X21"_s << u"No 5 4 3 2 1 1 11 7 1 1 2 1 1 1"_s;
        QTest::newRow("all void") << u"-------------"_s << u"No 0 0 0 0 0 0 0 0 6 6 6 6 11 11"_s;
        QTest::newRow("no 1") << u"X2X2X2XX22XX2"_s << u"Si 0 7 6 0 2 2 9 6 2 2 4 2 5 5"_s;
        // A missing sign makes the column incomplete and equals nothing, not even another one.
        QTest::newRow("one blank") << u"XXXXXX XXXXXX"_s << u"No 0 12 0 0 6 0 2 2 6 6 6 6 9 4"_s;
        QTest::newRow("all blank") << u"             "_s << u"No 0 0 0 0 0 0 12 12 0 0 0 0 0 0"_s;
    }
    void storedFields()
    {
        QFETCH(QString, column);
        QFETCH(QString, computed);
        const ArchiveRecord record =
            ArchiveRecord::fromTyped(typed("2004-2005;7;" + column + ";ABC;No"));
        QCOMPARE(QString::fromLatin1(record.column()), column);
        QStringList fields(record.fields.begin() + ArchiveRecord::Comp, record.fields.end());
        QCOMPARE(fields.join(u' '), computed);
    }

    // The editor's window checks the rest of its rules; a blank contest is refused like a
    // badly typed season.
    void blankContestIsRefused()
    {
        Typed fields = typed(u"2004-2005;7;1X2X11X2-1X21;ABC;No"_s);
        fields[ArchiveRecord::Conc] = u" "_s;
        QCOMPARE(RecordEditorLogic::validate(fields),
                 u"Inserire correttamente i Dati del Concorso !"_s);
    }

    void storeEdits()
    {
        QTemporaryDir folder;
        ArchiveStore store(folder.path());
        QString error;
        QVERIFY2(store.open(&error), qPrintable(error));
        qint64 ten = 0;
        for (const char* line :
             {"2005-2006;10;1111111111111;ABC;No", "2005-2006;9;2222222222222;ABC;No",
              "2004-2005;33;XXXXXXXXXXXXX;IND;Si"}) {
            QVERIFY2(store.add(typed(QString::fromLatin1(line)), &ten, &error), qPrintable(error));
        }
        QCOMPARE(contents(store),
                 QStringList({u"2004-2005 33 XXXXXXXXXXXXX"_s, u"2005-2006 9 2222222222222"_s,
                              u"2005-2006 10 1111111111111"_s}));
        const qint64 nine = store.find(u"2005-2006"_s, u"9"_s, &error);
        QVERIFY(nine > 0);
        QCOMPARE(store.find(u"2005-2006"_s, u"11"_s, &error), 0);
        QVERIFY(store.modify(nine, typed(u"2005-2006;9;1X1X1X1X1X1X1;BOC;No"_s), &error));
        QVERIFY(store.remove(store.find(u"2004-2005"_s, u"33"_s, &error), &error));
        QList<ArchiveRecord> records;
        QVERIFY(store.load(records, &error));
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[0].fields,
                 ArchiveRecord::fromTyped(typed(u"2005-2006;9;1X1X1X1X1X1X1;BOC;No"_s)).fields);

        // Measures changed behind the program's back are put right by the recompute pass.
        QSqlQuery(store.database()).exec(u"UPDATE ColonneVincenti SET S1 = 99, Comp = 'No'"_s);
        QVERIFY(store.recomputeAll(&error));
        QList<ArchiveRecord> recomputed;
        QVERIFY(store.load(recomputed, &error));
        QCOMPARE(recomputed[0].fields, records[0].fields);
        QCOMPARE(recomputed[1].fields, records[1].fields);
    }

    // An archive whose contests were stored as text is rebuilt once, keeping every row.
    void textContestsSortAsNumbers()
    {
        QTemporaryDir folder;
        const QString create =
            u"CREATE TABLE ColonneVincenti (Anno TEXT, Conc TEXT, P1 TEXT, P2 TEXT, P3 TEXT, P4 TEXT, P5 TEXT, P6 TEXT, P7 TEXT, P8 TEXT, P9 TEXT, P10 TEXT, P11 TEXT, P12 TEXT, P13 TEXT, Serie TEXT, Post TEXT, Comp TEXT, S1 INTEGER, SX INTEGER, S2 INTEGER, SC1 INTEGER, SCX INTEGER, SC2 INTEGER, IG INTEGER, IC INTEGER, SG INTEGER, SC INTEGER, PG INTEGER, PC INTEGER, FG INTEGER, FC INTEGER)"_s;
        const QString insert = u"INSERT INTO ColonneVincenti (Anno, Conc, P1) VALUES "
                               "('2004-2005', '10', '1'), ('2004-2005', '9', '1')"_s;
        QCOMPARE(TestArchives::rowsOf(folder.filePath(u"ColVin13.mdb"_s), {create, insert}),
                 QStringList());
        ArchiveStore store(folder.path());
        QString error;
        QVERIFY2(store.open(&error), qPrintable(error));
        QCOMPARE(contents(store), QStringList({u"2004-2005 9 1"_s, u"2004-2005 10 1"_s}));
    }

    void importIsAllOrNothing()
    {
        QTemporaryDir folder;
        ArchiveStore store(folder.path());
        QString error;
        QVERIFY(store.open(&error));
        QVERIFY(store.add(typed(u"2004-2005;7;1111111111111;ABC;No"_s), nullptr, &error));
        const QList<Typed> incoming = {typed(u"2004-2005;8;2222222222222;ABC;No"_s),
                                       typed(u"2004-2005;7;XXXXXXXXXXXXX;ABC;No"_s)};
        const QStringList before = contents(store);
        ArchiveStore::ImportCount counted;
        const auto answer = [](ArchiveStore::Duplicate duplicate) {
            return [duplicate](const Typed&) { return duplicate; };
        };
        QVERIFY(!store.importRecords(incoming, answer(ArchiveStore::Duplicate::Cancel), counted,
                                     &error));
        QCOMPARE(contents(store), before);
        // A write the engine refuses half-way undoes the lines already added.
        QVERIFY(
            QSqlQuery(store.database())
                .exec(
                    u"CREATE TRIGGER refuse BEFORE UPDATE ON ColonneVincenti BEGIN SELECT RAISE(ABORT, 'disco pieno'); END"_s));
        QVERIFY(!store.importRecords(incoming, answer(ArchiveStore::Duplicate::Replace), counted,
                                     &error));
        QVERIFY2(error.contains(u"disco pieno"_s), qPrintable(error));
        QCOMPARE(contents(store), before);
        QVERIFY(QSqlQuery(store.database()).exec(u"DROP TRIGGER refuse"_s));

        QVERIFY(
            store.importRecords(incoming, answer(ArchiveStore::Duplicate::Skip), counted, &error));
        QCOMPARE(counted.added, 1);
        QCOMPARE(counted.skipped, 1);
        QVERIFY(store.importRecords(incoming, answer(ArchiveStore::Duplicate::Replace), counted,
                                    &error));
        QCOMPARE(counted.replaced, 2);
        QCOMPARE(contents(store),
                 QStringList({u"2004-2005 7 XXXXXXXXXXXXX"_s, u"2004-2005 8 2222222222222"_s}));
    }

    void csvLines()
    {
        const QByteArray text = "Anno;Conc;Colonna;Serie;Post\r\n"
                                "2004-2005;7;1x2x11x2-1x21;abc;no\r\n"
                                "\r\n"
                                "2004-2005,8,1,X,2,X,1,1,X,2,-,1,X,2,1,IND,Si\n"
                                "2004/05;9;1X2X11X2-1X21;ABC;No\n"
                                "2004-2005;123;1X2X11X2-1X21;ABC;No\n"
                                "2004-2005;9;1X2X11X2-1X2;ABC;No\n"
                                "2004-2005;9;1X2X11X2-1X21;ABD;No\n"
                                "2004-2005;9;1X2X11X2-1X21;ABC;Forse\n"
                                "2004-2005;9;1X2X11X2-1X21;ABC\n";
        const ArchiveCsv::Parsed parsed = ArchiveCsv::parse(text);
        QCOMPARE(parsed.lines, QList<int>({2, 4}));
        QCOMPARE(parsed.records[0], typed(u"2004-2005;7;1X2X11X2-1X21;ABC;No"_s));
        QCOMPARE(parsed.records[1], typed(u"2004-2005;8;1X2X11X2-1X21;IND;Si"_s));
        QStringList refused;
        for (const ArchiveCsv::Refused& line : parsed.refused)
            refused << QString::number(line.line) + u": "_s + line.reason;
        QCOMPARE(refused,
                 QStringList({u"5: stagione non valida '2004/05' (AAAA-AAAA)"_s,
                              u"6: numero di concorso non valido '123'"_s,
                              u"7: colonna non valida '1X2X11X2-1X2' (13 segni tra 1, X, 2 e -)"_s,
                              u"8: serie non valida 'ABD' (A__, ABC, BOC, VAR o IND)"_s,
                              u"9: valore di Posticipo/i in fondo non valido 'Forse' (Si o No)"_s,
                              u"10: numero di campi errato (4 invece di 5 o 17)"_s}));
    }

    // Every spelling of the postponed flag a user may type is read, in any case.
    void csvPostponedFlag_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // empty: the line is refused
        for (const char* yes : {"Si", "si", "SI", "Sì", "sì", "SÌ"})
            QTest::newRow(yes) << QString::fromUtf8(yes) << u"Si"_s;
        for (const char* no : {"No", "no", "NO"})
            QTest::newRow(no) << QString::fromUtf8(no) << u"No"_s;
        for (const char* neither : {"S", "Sii", "N"})
            QTest::newRow(neither) << QString::fromUtf8(neither) << QString();
    }
    void csvPostponedFlag()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        const ArchiveCsv::Parsed parsed =
            ArchiveCsv::parse(u"2004-2005;7;1X2X11X2-1X21;ABC;%1\n"_s.arg(typed).toUtf8());
        QCOMPARE(parsed.records.isEmpty() ? QString() : parsed.records[0][ArchiveRecord::Post],
                 stored);
    }

    // Whatever the record editor stores comes back from its export: quoted as CSV quotes, and a
    // cell a spreadsheet would run as a formula kept behind an apostrophe.
    void csvRoundTrip_data()
    {
        QTest::addColumn<QString>("season");
        QTest::addColumn<QString>("contest");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QByteArray>("line");
        const auto row = [](const char* tag, const char* season, const char* contest,
                            const char* column, const char* line) {
            QTest::newRow(tag) << QString::fromUtf8(season) << QString::fromUtf8(contest)
                               << QString::fromUtf8(column) << QByteArray(line);
        };
        row("plain", "2004-2005", "7", "1X2X11X2-1X21", "2004-2005;7;1X2X11X2-1X21;ABC;No");
        row("formula season", "=1+2+3+45", "7", "1X2X11X2-1X21",
            "'=1+2+3+45;7;1X2X11X2-1X21;ABC;No");
        row("formula contest", "2004-2005", "=1", "1X2X11X2-1X21",
            "2004-2005;'=1;1X2X11X2-1X21;ABC;No");
        row("column starting with -", "2004-2005", "@", "-X2X11X2-1X21",
            "2004-2005;'@;'-X2X11X2-1X21;ABC;No");
        row("apostrophe kept", "'+04-2005", "7", "1X2X11X2-1X21",
            "''+04-2005;7;1X2X11X2-1X21;ABC;No");
        row("separator", "2004;2005", "7", "1X2X11X2-1X21", "\"2004;2005\";7;1X2X11X2-1X21;ABC;No");
        row("quotes and comma", "a\"b,c\"d e", "7", "1X2X11X2-1X21",
            "\"a\"\"b,c\"\"d e\";7;1X2X11X2-1X21;ABC;No");
    }
    void csvRoundTrip()
    {
        QFETCH(QString, season);
        QFETCH(QString, contest);
        QFETCH(QString, column);
        QFETCH(QByteArray, line);
        Typed fields = typed(u"2004-2005;7;"_s + column + u";ABC;No"_s);
        fields[ArchiveRecord::Anno] = season;
        fields[ArchiveRecord::Conc] = contest;
        const QByteArray written = ArchiveCsv::format({ArchiveRecord::fromTyped(fields)});
        QCOMPARE(written, "Anno;Conc;Colonna;Serie;Post\r\n" + line + "\r\n");
        const ArchiveCsv::Parsed parsed = ArchiveCsv::parse(written);
        QCOMPARE(ArchiveCsv::refusalReport(parsed), QString());
        QCOMPARE(parsed.records, QList<Typed>{fields});
    }

    // What an import is given that is no archive text is refused at once, naming the file; '@'
    // stands for its path, '#' for its name. A file that is read gives its refused lines instead.
    void hostileImports_data()
    {
        QTest::addColumn<QByteArray>("content"); // "fifo", "device", "folder", "huge" or the text
        QTest::addColumn<QString>("outcome");
        const QByteArray good = "2004-2005;7;1X2X11X2-1X21;ABC;No\n";
        const QString notRegular = u"Il File # non è un file ordinario !"_s;
        QTest::newRow("fifo") << QByteArray("fifo") << notRegular;
        QTest::newRow("device") << QByteArray("device") << notRegular;
        QTest::newRow("folder") << QByteArray("folder") << notRegular;
        QTest::newRow("over 100 MB")
            << QByteArray("huge")
            << u"Il file '@' è troppo grande per un archivio di colonne (più di 100 MB)."_s;
        QTest::newRow("line over 1 KB")
            << good + QByteArray(1025, 'x') + '\n' + good
            << u"Il file '@' non è un archivio di colonne: la riga 2 è troppo lunga (più di 1024 "
               "caratteri)."_s;
        QTest::newRow("line of 1 KB") << good + QByteArray(1024, 'x') + "\r\n"
                                      << u"Riga 2: numero di campi errato (1 invece di 5 o 17)"_s;
        QString utf16 = QString::fromLatin1(good);
        QTest::newRow("UTF-16")
            << QByteArray("\xFF\xFE") +
                   QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2)
            << u"Il file '@' non è un archivio di colonne: il testo è in UTF-16: salvarlo come "
               "UTF-8 o ANSI."_s;
        QTest::newRow("UTF-16 without its mark")
            << QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2)
            << u"Il file '@' non è un archivio di colonne: la riga 1 contiene caratteri nulli "
               "(testo UTF-16 o file binario)."_s;
        QTest::newRow("contest repeated in the file")
            << good + "2004-2005;8;1X2X11X2-1X21;ABC;No\n2004-2005;07;XXXXXXXXXXXXX;ABC;No\n"
            << u"Riga 3: il Concorso 7 del 2004-2005 è ripetuto nel file (già alla riga 1)"_s;
        // The first twenty refused lines are listed, the rest counted.
        QByteArray bad = good;
        QString listed;
        for (int line = 2; line <= 23; ++line) {
            bad += "2004/05;7;1X2X11X2-1X21;ABC;No\n";
            if (line <= 21)
                listed += u"Riga %1: stagione non valida '2004/05' (AAAA-AAAA)\n"_s.arg(line);
        }
        QTest::newRow("22 refused lines") << bad << listed + u"… e altre 2 righe scartate."_s;
    }
    void hostileImports()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, outcome);
        QTemporaryDir folder;
        QString path = folder.filePath(u"in.csv"_s);
        // A reader that waited on the pipe would wait for ever: its other end is held open so
        // that opening it does not wait, and closed by a watchdog so that reading ends too.
        std::atomic<bool> finished = false;
        std::thread watchdog;
        const auto stopWatchdog = qScopeGuard([&] {
            finished = true;
            if (watchdog.joinable())
                watchdog.join();
        });
        if (content == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            const int writer = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK);
            QVERIFY(writer >= 0);
            watchdog = std::thread([&finished, writer] {
                for (int wait = 0; wait < 100 && !finished; ++wait)
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
                ::close(writer);
            });
        } else if (content == "device") {
            path = u"/dev/zero"_s;
        } else if (content == "folder") {
            path = folder.path();
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (content == "huge")
                QVERIFY(file.resize(ArchiveCsv::LargestFile + 1));
            else
                QCOMPARE(file.write(content), content.size());
        }
        ArchiveCsv::Parsed parsed;
        QString error;
        const bool read = ArchiveCsv::readFile(path, parsed, &error);
        QCOMPARE(read ? ArchiveCsv::refusalReport(parsed) : error,
                 outcome.replace(u'@', QDir::toNativeSeparators(path))
                     .replace(u'#', QFileInfo(path).fileName()));
    }

    // A damaged page or a table of another layout: every read says so in Italian, naming the
    // file, fails, and leaves nothing that could pass for the whole archive.
    void damagedArchive_data()
    {
        QTest::addColumn<QString>("damage"); // "page" or "layout"
        QTest::addColumn<QString>("reader");
        for (const char* reader : {"list", "export", "print", "stats", "recompute", "browser",
                                   "statistics", "selection", "export after opening"})
            QTest::newRow(qPrintable(u"page, "_s + QLatin1String(reader)))
                << u"page"_s << QString::fromLatin1(reader);
        for (const char* reader : {"list", "export", "browser"})
            QTest::newRow(qPrintable(u"layout, "_s + QLatin1String(reader)))
                << u"layout"_s << QString::fromLatin1(reader);
    }
    void damagedArchive()
    {
        QFETCH(QString, damage);
        QFETCH(QString, reader);
        QTemporaryDir folder;
        const QString archive = folder.filePath(u"ColVin13.mdb"_s);
        QString error;
        // A page in the middle zeroed, and the file's change counter moved on so that a
        // connection already open reads it again.
        const auto zeroPage = [&archive] {
            QFile file(archive);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QByteArray head = file.read(28);
            const int pageSize =
                head[16] == 0 && head[17] == 1 ? 65536 : (uchar(head[16]) << 8) | uchar(head[17]);
            const qint64 pages = file.size() / pageSize;
            QVERIFY(pages >= 4);
            QVERIFY(file.seek(pages / 2 * pageSize));
            QCOMPARE(file.write(QByteArray(pageSize, '\0')), pageSize);
            head[27] = char(head[27] + 1);
            QVERIFY(file.seek(0) && file.write(head) == head.size());
        };
        ArchiveStore opened(folder.path());
        if (damage == "page"_L1) {
            QVERIFY(TestArchives::write(folder.path(), TestArchives::generated(3000)));
            if (reader == "export after opening"_L1) {
                QVERIFY2(opened.open(&error), qPrintable(error));
                QCOMPARE(opened.count(), 3000);
            }
            zeroPage();
        } else {
            QCOMPARE(TestArchives::rowsOf(
                         archive,
                         {u"CREATE TABLE ColonneVincenti (Anno TEXT, Conc TEXT, Colonna TEXT)"_s,
                          u"INSERT INTO ColonneVincenti VALUES ('2004-2005', '7', "
                          "'1X2X11X2-1X21')"_s}),
                     QStringList());
        }
        const QString expected =
            damage == "page"_L1
                ? u"Errore sull'Archivio Colonne Vincenti '%1': il file è danneggiato"_s.arg(
                      QDir::toNativeSeparators(archive))
                : u"Il file '%1' non è un Archivio Colonne Vincenti: la tabella ColonneVincenti "
                  "non ha i 32 campi previsti."_s.arg(QDir::toNativeSeparators(archive));
        const QString exported = folder.filePath(u"copia.csv"_s);
        const QString pdf = folder.filePath(u"copia.pdf"_s);
        QVERIFY(TestSystems::writeBytes(exported, "copia di prima\n"));
        const QStringList app = {u"--app-folder"_s, folder.path()};
        const QMap<QString, QStringList> commands = {
            {u"list"_s, {u"archive"_s, u"list"_s}},
            {u"export"_s, {u"archive"_s, u"export"_s, exported}},
            {u"print"_s, {u"print"_s, u"archive"_s, u"--pdf"_s, pdf}},
            {u"stats"_s, {u"stats"_s, u"S1"_s, u"--all"_s}},
            {u"recompute"_s, {u"archive"_s, u"recompute"_s}}};
        if (commands.contains(reader)) {
            const CliRun run = runCli(commands[reader] + app);
            QCOMPARE(run.status, 1);
            QCOMPARE(run.out, QString());
            error = run.err;
        } else if (reader == "export after opening"_L1) {
            // The read fails half-way, after the file to export was opened.
            qsizetype written = -1;
            QVERIFY(!ArchiveCsv::exportArchive(opened, exported, written, &error));
            QCOMPARE(written, -1);
        } else if (reader == "browser"_L1) {
            ArchiveStore store(folder.path());
            QList<ArchiveRecord> records;
            QVERIFY(!(store.open(&error) && store.load(records, &error)));
            QCOMPARE(records.size(), 0);
        } else {
            // The statistics read on a connection of their own, past the store's checks.
            QSqlDatabase own = TestArchives::open(folder.path(), u"own"_s);
            ArchiveStatistics::Choice all;
            all.interval = ArchiveStatistics::Interval::All;
            all.completeOnly = false;
            all.series.fill(true);
            ArchiveStatistics::Result result;
            QList<ArchiveRecord> records;
            QString filter;
            const bool done = reader == "statistics"_L1
                                  ? ArchiveStatistics::Search(own, all, result, filter, &error)
                                  : ArchiveStatistics::SelectRecords(own, all, records, &error);
            QVERIFY(!done);
            QCOMPARE(result.rows.size() + records.size(), 0);
            own.close();
            own = QSqlDatabase();
            QSqlDatabase::removeDatabase(u"own"_s);
        }
        QVERIFY2(error.startsWith(expected), qPrintable(error));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
                 QStringList({u"ColVin13.mdb"_s, u"copia.csv"_s}));
        QCOMPARE(TestSystems::fileContent(exported), QByteArray("copia di prima\n"));
    }

    // Another program holding the archive: every command says so in the same words.
    void archiveInUse_data()
    {
        QTest::addColumn<QStringList>("command");
        QTest::newRow("archive add")
            << QStringList{u"archive"_s, u"add"_s, u"2004-2005"_s, u"7"_s, u"1X2X11X2-1X21"_s};
        QTest::newRow("stats") << QStringList{u"stats"_s, u"S1"_s, u"--all"_s};
    }
    void archiveInUse()
    {
        QFETCH(QStringList, command);
        QTemporaryDir folder;
        QVERIFY(TestArchives::write(folder.path(), TestArchives::generated(10)));
        QSqlDatabase holder = TestArchives::open(folder.path(), u"holder"_s);
        QVERIFY(QSqlQuery(holder).exec(u"BEGIN EXCLUSIVE"_s));
        const CliRun run = runCli(command + QStringList{u"--app-folder"_s, folder.path()});
        QVERIFY(QSqlQuery(holder).exec(u"ROLLBACK"_s));
        holder.close();
        holder = QSqlDatabase();
        QSqlDatabase::removeDatabase(u"holder"_s);
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err,
                 u"L'Archivio Colonne Vincenti '%1' è in uso da un altro programma.\n"_s.arg(
                     QDir::toNativeSeparators(folder.filePath(u"ColVin13.mdb"_s))));
    }

    void commandLine()
    {
        QTemporaryDir folder;
        const auto cli = [&folder](const QStringList& arguments) {
            return runCli(arguments + QStringList{u"--app-folder"_s, folder.path()});
        };
        QCOMPARE(cli({u"archive"_s, u"add"_s, u"2004-2005"_s, u"7"_s, u"1X2X11X2-1X21"_s}).status,
                 0);
        const CliRun refused =
            cli({u"archive"_s, u"add"_s, u"2004/05"_s, u"8"_s, u"1X2X11X2-1X21"_s});
        QCOMPARE(refused.status, 1);
        QCOMPARE(refused.err.trimmed(),
                 u"Colonna vincente rifiutata: stagione non valida '2004/05' (AAAA-AAAA)"_s);
        const QString csv = folder.filePath(u"in.csv"_s);
        QVERIFY(TestSystems::writeBytes(
            csv, "2004-2005;8;XXXXXXXXXXXXX;A__;Si\n2004-2005;7;2222222222222;ABC;No\n"));
        // A duplicate without --replace or --skip imports nothing.
        QCOMPARE(cli({u"archive"_s, u"import"_s, csv}).status, 1);
        QCOMPARE(
            cli({u"archive"_s, u"list"_s}).lines(),
            QStringList({u"2004-2005 7 1X2X11X2-1X21 ABC No No 5 4 3 2 1 1 11 7 1 1 2 1 1 1"_s}));
        QCOMPARE(cli({u"archive"_s, u"import"_s, csv, u"--skip"_s}).out.trimmed(),
                 u"Colonne importate: 1, sostituite: 0, saltate: 1"_s);
        QCOMPARE(cli({u"archive"_s, u"delete"_s, u"2004-2005"_s, u"7"_s}).status, 0);
        QCOMPARE(cli({u"archive"_s, u"delete"_s, u"2004-2005"_s, u"7"_s}).status, 1);
        const QString out = folder.filePath(u"out.csv"_s);
        QCOMPARE(cli({u"archive"_s, u"export"_s, out}).status, 0);
        QCOMPARE(
            TestSystems::fileContent(out),
            QByteArray("Anno;Conc;Colonna;Serie;Post\r\n2004-2005;8;XXXXXXXXXXXXX;A__;Si\r\n"));

        // A contest repeated inside the file is told as such, and nothing is imported.
        QVERIFY(TestSystems::writeBytes(
            csv, "2004-2005;9;XXXXXXXXXXXXX;A__;Si\n2004-2005;9;2222222222222;ABC;No\n"));
        const CliRun repeated = cli({u"archive"_s, u"import"_s, csv});
        QCOMPARE(repeated.status, 1);
        QCOMPARE(repeated.err, u"Riga 2: il Concorso 9 del 2004-2005 è ripetuto nel file (già "
                               "alla riga 1)\nNessuna colonna importata.\n"_s);

        // Texts a spreadsheet would run come back from an export into another archive as typed.
        QCOMPARE(cli({u"archive"_s, u"add"_s, u"=1+2+3+45"_s, u"=1"_s, u"-X2X11X2-1X21"_s,
                      u"--post"_s, u"sì"_s})
                     .status,
                 0);
        QCOMPARE(cli({u"archive"_s, u"export"_s, out}).status, 0);
        QTemporaryDir other;
        const QStringList otherApp = {u"--app-folder"_s, other.path()};
        QCOMPARE(runCli(QStringList{u"archive"_s, u"import"_s, out} + otherApp).status, 0);
        const QStringList listed = cli({u"archive"_s, u"list"_s}).lines();
        QCOMPARE(listed.size(), 2);
        QCOMPARE(runCli(QStringList{u"archive"_s, u"list"_s} + otherApp).lines(), listed);
    }
};

QTEST_GUILESS_MAIN(TestArchive)
#include "testArchive.moc"
