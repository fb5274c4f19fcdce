#include "document/SystemFiles.h"
#include "support/TestSystems.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using TestSystems::fileContent;

namespace {
const QStringList Prediction = {"1X", "12X", "2", "X", "1", "X2", "1",
                                "2",  "X",   "1", "2", "X", "1"};
}

class TestSystemFiles : public QObject {
    Q_OBJECT
private slots:
    void savedSystemReadsBackByteForByte()
    {
        QTemporaryDir first, second;
        SystemDocument document = TestSystems::withPrediction(Prediction, QStringLiteral("Giro"));
        document.Quote = 12;
        document.EnableFlags = QStringLiteral("1101001");
        document.NumConcorso = QStringLiteral("27");
        document.DataConcorso = QStringLiteral("06/12/2026");
        document.Conditions.set(1, 3.0);
        document.Conditions.set(25, QStringLiteral("2X1"));
        document.Conditions.set(26, QStringLiteral("4-5-11"));
        document.Conditions.set(27, QStringLiteral("S"));
        document.ReducedCount = 2;
        document.WorkColumns.append(document.IntegralColumns.column(0));
        document.WorkColumns.append(document.IntegralColumns.column(7));
        document.Modified = 1;
        QVERIFY(SystemFiles::save(document, first.path()));
        QCOMPARE(document.Modified, 0);

        SystemDocument loaded;
        const auto result = SystemFiles::load(loaded, first.path(), QStringLiteral("Giro"));
        QCOMPARE(result.status, SystemFiles::LoadStatus::Ok);
        QCOMPARE(loaded.IntegralCount, 12);
        QCOMPARE(loaded.ReducedCount, 2);
        QCOMPARE(loaded.NumDoppie, quint8(2));
        QCOMPARE(loaded.NumTriple, quint8(1));

        // Saved again, what was read gives the same files; their texts are checked below.
        loaded.SystemName = QStringLiteral("Giro");
        QVERIFY(SystemFiles::save(loaded, second.path()));
        for (const char* extension : {".pro", ".cnd", ".cln", ".ntg"}) {
            const QString name = QStringLiteral("Giro") + QLatin1String(extension);
            QCOMPARE(fileContent(QDir(second.path()).filePath(name)),
                     fileContent(QDir(first.path()).filePath(name)));
        }
        const QByteArray pro = fileContent(QDir(first.path()).filePath(QStringLiteral("Giro.pro")));
        QVERIFY(pro.startsWith(
            "\" 2                               \"\r\n\"CASA 1         OSPITE 1       1X \"\r\n"));
        QVERIFY(pro.endsWith(
            "\"1101001                          \"\r\n\"2706/12/2026                     \"\r\n"));
        const QByteArray cnd = fileContent(QDir(first.path()).filePath(QStringLiteral("Giro.cnd")));
        QVERIFY(cnd.startsWith("12\r\n3\r\n0\r\n"));
        QVERIFY(cnd.contains("\r\n\"2X1\"\r\n\"4-5-11\"\r\n\"S\"\r\n"));
    }

    void reducedCountRecordIsLeftAligned()
    {
        QTemporaryDir dir;
        SystemDocument document = TestSystems::withPrediction(Prediction, QStringLiteral("R"));
        document.ReducedCount = 1234;
        document.WorkColumns.resize(1234);
        document.WorkColumns.records().fill('1');
        QVERIFY(SystemFiles::save(document, dir.path()));
        const QByteArray pro = fileContent(QDir(dir.path()).filePath(QStringLiteral("R.pro")));
        QCOMPARE(pro.left(pro.indexOf("\r\n")), QByteArray("\" 1234") + QByteArray(28, ' ') + '"');
    }

    void allFixedPredictionWritesAnEmptyIntegralFileAndNoReduced()
    {
        QTemporaryDir dir;
        SystemDocument document =
            TestSystems::withPrediction(QStringList(13, QStringLiteral("1")), QStringLiteral("F"));
        QCOMPARE(document.IntegralCount, 0);
        QVERIFY(SystemFiles::save(document, dir.path()));
        QDir folder(dir.path());
        QVERIFY(folder.exists(QStringLiteral("F.pro")));
        QVERIFY(folder.exists(QStringLiteral("F.cnd")));
        QVERIFY(folder.exists(QStringLiteral("F.ntg")));
        QCOMPARE(QFileInfo(folder.filePath(QStringLiteral("F.ntg"))).size(), 0);
        QVERIFY(!folder.exists(QStringLiteral("F.cln")));
    }

    void largeSystemReadsBackWhole()
    {
        // 3^11 columns make a .ntg of 3 MB, read through several buffer refills.
        QTemporaryDir dir;
        QStringList signs = TestSystems::allTriples();
        signs[0] = QStringLiteral("1");
        signs[7] = QStringLiteral("X");
        SystemDocument document = TestSystems::withPrediction(signs, QStringLiteral("L"));
        QCOMPARE(document.IntegralCount, 177147);
        QVERIFY(SystemFiles::save(document, dir.path()));
        SystemDocument loaded;
        QCOMPARE(SystemFiles::load(loaded, dir.path(), QStringLiteral("L")).status,
                 SystemFiles::LoadStatus::Ok);
        QCOMPARE(loaded.IntegralColumns, document.IntegralColumns);
    }

    void truncatedColumnFileIsMalformed()
    {
        QTemporaryDir dir;
        SystemDocument document = TestSystems::withPrediction(Prediction, QStringLiteral("T"));
        QVERIFY(SystemFiles::save(document, dir.path()));
        QFile ntg(QDir(dir.path()).filePath(QStringLiteral("T.ntg")));
        QVERIFY(ntg.open(QIODevice::ReadWrite));
        ntg.resize(17 * 5);
        ntg.close();
        SystemDocument loaded;
        QCOMPARE(SystemFiles::load(loaded, dir.path(), QStringLiteral("T")).status,
                 SystemFiles::LoadStatus::Malformed);
    }
};

QTEST_GUILESS_MAIN(TestSystemFiles)
#include "testSystemFiles.moc"
