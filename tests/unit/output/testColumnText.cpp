#include "document/SystemFiles.h"
#include "output/ColumnText.h"
#include "platform/ColumnDatabase.h"
#include "support/CliRunner.h"
#include "support/TestSystems.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestSystems;
using ColumnText::Format;

namespace {

// Every other column of the integral system, in its order.
ColumnBuffer everyOther(const ColumnBuffer& integral)
{
    ColumnBuffer columns;
    for (qsizetype i = 0; i < integral.count(); i += 2)
        columns.append(integral.column(i));
    return columns;
}

} // namespace

class TestColumnText : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QByteArray>("firstLine");
        QTest::newRow("plain") << int(Format::Plain) << "112X1X12X12X1\r\n"_ba;
        QTest::newRow("csv") << int(Format::Csv) << "1;1;2;X;1;X;1;2;X;1;2;X;1\r\n"_ba;
    }
    void roundTrip()
    {
        QFETCH(int, format);
        QFETCH(QByteArray, firstLine);
        // Match 1 played 1X, match 2 12X, match 6 X2: 12 columns.
        const SystemDocument document = withPrediction(Prediction);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"colonne.txt"_s);
        const ColumnBuffer columns = everyOther(document.IntegralColumns);
        QVERIFY(ColumnText::writeColumns(path, columns, Format(format), nullptr));
        const QByteArray written = fileContent(path);
        QVERIFY(written.startsWith(firstLine));
        QCOMPARE(written.count('\n'), columns.count());

        ColumnText::Import imported;
        QString error;
        QVERIFY(ColumnText::read(path, document, imported, &error));
        QVERIFY(imported.ok());
        QCOMPARE(imported.columns, columns);
        QCOMPARE(ColumnText::columnsText(imported.columns, Format(format)), written);
    }

    void mergedRowsSeparatePlays()
    {
        MergedColumns rows;
        rows.appendPair("1X2X11X2X1X21", 0, 'X');
        rows.appendPair("1X2X11X2X1X21", 12, '2');
        const QByteArray plain = "1X X 2 X 1 1 X 2 X 1 X 2 1\r\n1 X 2 X 1 1 X 2 X 1 X 2 12\r\n";
        QTemporaryDir dir;
        for (const Format format : {Format::Plain, Format::Csv}) {
            QVERIFY(ColumnText::writeMerged(dir.filePath(u"m"_s), rows, format, nullptr));
            QCOMPARE(fileContent(dir.filePath(u"m"_s)),
                     format == Format::Csv ? QByteArray(plain).replace(' ', ';') : plain);
        }
    }

    void acceptsEveryLayoutOnce()
    {
        const SystemDocument document = withPrediction(Prediction);
        const ColumnBuffer& integral = document.IntegralColumns;
        // Out of order, repeated, in three layouts, with a byte order mark and blank lines.
        QByteArray text = "\xEF\xBB\xBF"_ba + integral.column(7).toByteArray().toLower() + "\n\n";
        QByteArray csv, spaced;
        for (char sign : integral.column(3))
            csv += QByteArray(1, sign) + ';';
        for (char sign : integral.column(0))
            spaced += ' ' + QByteArray(1, sign);
        text += csv.chopped(1) + "\r\n  " + integral.column(3).toByteArray() + " \r\n";
        text += spaced + '\n';
        const ColumnText::Import imported = ColumnText::parse(text, document);
        QVERIFY(imported.ok());
        QCOMPARE(imported.duplicates, qsizetype(1));
        QCOMPARE(imported.columns,
                 columnsOf({integral.column(0).toByteArray(), integral.column(3).toByteArray(),
                            integral.column(7).toByteArray()}));
        QCOMPARE(ColumnText::summary(imported), u"Colonne importate: 3 (ripetute e ignorate: 1)"_s);
    }

    void refusesBadLines()
    {
        const SystemDocument document = withPrediction(Prediction);
        const QByteArray text = "112X1X12X12X1\n"
                                "112X1X12X12X\n"
                                "112X1X12A12X1\n"
                                "212X1X12X12X1\n"
                                "\n"
                                "1X 1 2 X 1 X 1 2 X 1 2 X 1\n"
                                "1;1;2;X;1;X;1;2;X;1;2;X;1;1\n";
        const ColumnText::Import imported = ColumnText::parse(text, document);
        QVERIFY(!imported.ok());
        QCOMPARE(imported.refusedLines, qsizetype(5));
        QCOMPARE(imported.errors,
                 (QStringList{u"Riga 2: 12 segni invece di 13"_s,
                              u"Riga 3: partita 9, 'A' non è un segno (1, X, 2)"_s,
                              u"Riga 4: partita 1, il segno 2 non è nel Pronostico (1X)"_s,
                              u"Riga 6: partita 1, '1X' non è un segno (1, X, 2)"_s,
                              u"Riga 7: 14 segni invece di 13"_s}));
    }

    void cliImportSavesAndRefusalChangesNothing()
    {
        QTemporaryDir dir;
        const QString app = dir.filePath(u"app"_s);
        SystemDocument document = withPrediction(Prediction);
        QVERIFY(SystemFiles::save(document, dir.path()));
        const QString pro = dir.filePath(u"Prova.pro"_s);
        const ColumnBuffer columns = everyOther(document.IntegralColumns);
        QByteArray reversed;
        for (qsizetype i = columns.count() - 1; i >= 0; --i)
            reversed += columns.column(i).toByteArray() + "\r\n";
        QVERIFY(writeBytes(dir.filePath(u"in.txt"_s), reversed));
        QVERIFY(writeBytes(dir.filePath(u"bad.txt"_s), reversed + "1112X1121X21\r\n"));

        const QStringList saved = filesIn(dir.path());
        const QByteArray pristine = fileContent(pro);
        const CliRun refused =
            runCli({u"import-text"_s, pro, dir.filePath(u"bad.txt"_s), u"--app-folder"_s, app});
        QCOMPARE(refused.status, 1);
        QVERIFY(refused.err.contains(u"Riga 7: 12 segni invece di 13"_s));
        QCOMPARE(fileContent(pro), pristine);
        QCOMPARE(filesIn(dir.path()), saved);
        QVERIFY(!QFileInfo::exists(app));

        const CliRun run =
            runCli({u"import-text"_s, pro, dir.filePath(u"in.txt"_s), u"--app-folder"_s, app});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, u"Colonne importate: 6\n"_s);
        SystemDocument loaded;
        QCOMPARE(SystemFiles::load(loaded, dir.path(), u"Prova"_s).status,
                 SystemFiles::LoadStatus::Ok);
        QCOMPARE(qsizetype(loaded.ReducedCount), columns.count());
        QCOMPARE(loaded.WorkColumns, columns);
        ColumnBuffer stored;
        QVERIFY(ColumnDatabase::readReducedColumns(app, stored, nullptr));
        QCOMPARE(stored, columns);

        const QString out = dir.filePath(u"out.csv"_s);
        QCOMPARE(runCli({u"export-text"_s, pro, out, u"--csv"_s}).status, 0);
        QCOMPARE(fileContent(out), ColumnText::columnsText(columns, Format::Csv));
    }
};

QTEST_GUILESS_MAIN(TestColumnText)
#include "testColumnText.moc"
