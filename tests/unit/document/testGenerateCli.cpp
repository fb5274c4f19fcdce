#include "document/SystemFiles.h"
#include "support/CliRunner.h"
#include "support/TestSystems.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestGenerateCli : public QObject {
    Q_OBJECT
private slots:
    void generateSavesAsSaveWould()
    {
        QTemporaryDir dir, reference;
        const QStringList prediction = {"1X", "12X", "2", "X", "1", "X2", "1",
                                        "2",  "X",   "1", "2", "X", "1"};
        // A saved system with a stale reduced count and no integral columns on disk.
        SystemDocument stale = TestSystems::withPrediction(prediction, QStringLiteral("Giro"));
        stale.Quote = 3;
        stale.IntegralCount = 0;
        stale.IntegralColumns.clear();
        QVERIFY(SystemFiles::save(stale, dir.path()));
        QFile::remove(QDir(dir.path()).filePath(QStringLiteral("Giro.ntg")));

        const CliRun run = runCli(
            {QStringLiteral("generate"), QDir(dir.path()).filePath(QStringLiteral("Giro.pro"))});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));

        SystemDocument expected = TestSystems::withPrediction(prediction, QStringLiteral("Giro"));
        expected.Quote = 3;
        expected.DataConcorso = stale.DataConcorso;
        QVERIFY(SystemFiles::save(expected, reference.path()));
        for (const char* extension : {".pro", ".cnd", ".ntg"}) {
            const QString name = QStringLiteral("Giro") + QLatin1String(extension);
            QCOMPARE(TestSystems::fileContent(QDir(dir.path()).filePath(name)),
                     TestSystems::fileContent(QDir(reference.path()).filePath(name)));
        }

        const CliRun info =
            runCli({QStringLiteral("info"), QDir(dir.path()).filePath(QStringLiteral("Giro.pro")),
                    QStringLiteral("--app-folder"), dir.path()});
        QCOMPARE(info.status, 0);
        const QStringList lines = info.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QStringLiteral("Colonne: 12"));
        QCOMPARE(lines[3], QStringLiteral("Fi=10      Do=2      Tr=1"));
    }

    void badInputWritesNothing_data()
    {
        QTest::addColumn<QByteArray>("secondMatch");
        QTest::newRow("sign other than 1 X 2") << QByteArray("1A ");
        QTest::newRow("repeated sign") << QByteArray("1X1");
    }

    void badInputWritesNothing()
    {
        QFETCH(QByteArray, secondMatch);
        QTemporaryDir dir;
        QByteArray pro = "\" 0                               \"\r\n";
        for (int i = 1; i <= 13; ++i) {
            const QByteArray signs = i == 2 ? secondMatch : QByteArray("1  ");
            pro += "\"" + QByteArray(30, 'T') + signs + "\"\r\n";
        }
        pro += "\" 0                               \"\r\n\"1000000                          \"\r\n"
               "\"0 06/12/2026                     \"\r\n";
        writeBytes(QDir(dir.path()).filePath(QStringLiteral("Bad.pro")), pro);
        const CliRun run = runCli(
            {QStringLiteral("generate"), QDir(dir.path()).filePath(QStringLiteral("Bad.pro"))});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains(QStringLiteral("partita 2")));
        QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("Bad.pro")});
    }

    void missingOrMalformedFile()
    {
        QTemporaryDir dir;
        CliRun run = runCli(
            {QStringLiteral("generate"), QDir(dir.path()).filePath(QStringLiteral("None.pro"))});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.startsWith(QStringLiteral("Impossibile trovare il File")));

        writeBytes(QDir(dir.path()).filePath(QStringLiteral("Odd.pro")),
                   "\"only one line\"\r\nabc\r\n");
        run = runCli(
            {QStringLiteral("generate"), QDir(dir.path()).filePath(QStringLiteral("Odd.pro"))});
        QCOMPARE(run.status, 1);
        QVERIFY(!run.err.isEmpty());
        QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("Odd.pro")});
    }
};

QTEST_GUILESS_MAIN(TestGenerateCli)
#include "testGenerateCli.moc"
