#include "archive/ArchiveCsv.h"
#include "archive/ArchiveStore.h"
#include "archive/RecordEditorLogic.h"
#include "support/CliRunner.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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
                              u"2005-2006 10 1111111111111"_s})
                     .mid(0, 3));
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
        {
            QSqlDatabase old = QSqlDatabase::addDatabase(u"QSQLITE"_s, u"old"_s);
            old.setDatabaseName(folder.filePath(u"ColVin13.mdb"_s));
            QVERIFY(old.open());
            QSqlQuery query(old);
            QVERIFY(query.exec(
                u"CREATE TABLE ColonneVincenti (Anno TEXT, Conc TEXT, P1 TEXT, P2 TEXT, P3 TEXT, P4 TEXT, P5 TEXT, P6 TEXT, P7 TEXT, P8 TEXT, P9 TEXT, P10 TEXT, P11 TEXT, P12 TEXT, P13 TEXT, Serie TEXT, Post TEXT, Comp TEXT, S1 INTEGER, SX INTEGER, S2 INTEGER, SC1 INTEGER, SCX INTEGER, SC2 INTEGER, IG INTEGER, IC INTEGER, SG INTEGER, SC INTEGER, PG INTEGER, PC INTEGER, FG INTEGER, FC INTEGER)"_s));
            for (const char* contest : {"10", "9"})
                QVERIFY(query.exec(
                    u"INSERT INTO ColonneVincenti (Anno, Conc, P1) VALUES ('2004-2005', '%1', '1')"_s
                        .arg(QLatin1String(contest))));
        }
        QSqlDatabase::removeDatabase(u"old"_s);
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
                                "2004-2005;0;1X2X11X2-1X21;ABC;No\n"
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
                              u"6: numero di concorso non valido '0'"_s,
                              u"7: colonna non valida '1X2X11X2-1X2' (13 segni tra 1, X, 2 e -)"_s,
                              u"8: serie non valida 'ABD' (A__, ABC, BOC, VAR o IND)"_s,
                              u"9: valore di Posticipo/i in fondo non valido 'Forse' (Si o No)"_s,
                              u"10: numero di campi errato (4 invece di 5 o 17)"_s}));

        QList<ArchiveRecord> records;
        for (const Typed& fields : parsed.records)
            records << ArchiveRecord::fromTyped(fields);
        const QByteArray written = ArchiveCsv::format(records);
        QCOMPARE(written, QByteArray("Anno;Conc;Colonna;Serie;Post\r\n"
                                     "2004-2005;7;1X2X11X2-1X21;ABC;No\r\n"
                                     "2004-2005;8;1X2X11X2-1X21;IND;Si\r\n"));
        QCOMPARE(ArchiveCsv::parse(written).records, parsed.records);
    }

    void commandLine()
    {
        QTemporaryDir folder;
        const QStringList app = {u"--app-folder"_s, folder.path()};
        QCOMPARE(
            runCli(QStringList{u"archive"_s, u"add"_s, u"2004-2005"_s, u"7"_s, u"1X2X11X2-1X21"_s} +
                   app)
                .status,
            0);
        const CliRun refused = runCli(
            QStringList{u"archive"_s, u"add"_s, u"2004/05"_s, u"8"_s, u"1X2X11X2-1X21"_s} + app);
        QCOMPARE(refused.status, 1);
        QCOMPARE(refused.err.trimmed(),
                 u"Colonna vincente rifiutata: stagione non valida '2004/05' (AAAA-AAAA)"_s);
        const QString csv = folder.filePath(u"in.csv"_s);
        QFile file(csv);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("2004-2005;8;XXXXXXXXXXXXX;A__;Si\n2004-2005;7;2222222222222;ABC;No\n");
        file.close();
        // A duplicate without --replace or --skip imports nothing.
        QCOMPARE(runCli(QStringList{u"archive"_s, u"import"_s, csv} + app).status, 1);
        QCOMPARE(
            runCli(QStringList{u"archive"_s, u"list"_s} + app).lines(),
            QStringList({u"2004-2005 7 1X2X11X2-1X21 ABC No No 5 4 3 2 1 1 11 7 1 1 2 1 1 1"_s}));
        QCOMPARE(
            runCli(QStringList{u"archive"_s, u"import"_s, csv, u"--skip"_s} + app).out.trimmed(),
            u"Colonne importate: 1, sostituite: 0, saltate: 1"_s);
        QCOMPARE(
            runCli(QStringList{u"archive"_s, u"delete"_s, u"2004-2005"_s, u"7"_s} + app).status, 0);
        QCOMPARE(
            runCli(QStringList{u"archive"_s, u"delete"_s, u"2004-2005"_s, u"7"_s} + app).status, 1);
        const QString out = folder.filePath(u"out.csv"_s);
        QCOMPARE(runCli(QStringList{u"archive"_s, u"export"_s, out} + app).status, 0);
        QFile exported(out);
        QVERIFY(exported.open(QIODevice::ReadOnly));
        QCOMPARE(
            exported.readAll(),
            QByteArray("Anno;Conc;Colonna;Serie;Post\r\n2004-2005;8;XXXXXXXXXXXXX;A__;Si\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestArchive)
#include "testArchive.moc"
