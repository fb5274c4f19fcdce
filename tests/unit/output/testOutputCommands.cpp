#include "document/IntegralGenerator.h"
#include "document/SystemFiles.h"
#include "output/WinningsCheck.h"
#include "platform/ColumnDatabase.h"

#include "support/CliRunner.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

using Run = CliRun;

// A saved system: matches 1 and 13 played 1X2 and X2, the others fixed 1; the reduced system
// keeps the four columns without 2 on match 1, in the order given here.
QString saveSystem(const QString& folder, const QString& name, bool reduced)
{
    SystemDocument document;
    document.SystemName = name;
    std::array<QString, 13> signs;
    signs.fill(QStringLiteral("1"));
    signs[0] = QStringLiteral("1X2");
    signs[12] = QStringLiteral("X2");
    for (int i = 1; i <= 13; ++i)
        document.setSigns(i, signs[i - 1]);
    document.IntegralColumns = IntegralGenerator::generate(signs);
    document.IntegralCount = static_cast<qint32>(document.IntegralColumns.count());
    if (reduced) {
        for (const char* column :
             {"111111111111X", "X11111111111X", "1111111111112", "X111111111112"})
            document.WorkColumns.append(column);
        document.ReducedCount = static_cast<qint32>(document.WorkColumns.count());
    }
    document.countSigns();
    document.countKinds();
    QString error;
    if (!SystemFiles::save(document, folder, &error))
        qWarning() << error;
    return QDir(folder).filePath(name + QStringLiteral(".pro"));
}

} // namespace

class TestOutputCommands : public QObject {
    Q_OBJECT
private slots:
    void mergePrintsAndStoresTheRows()
    {
        QTemporaryDir dir;
        const QString pro = saveSystem(dir.path(), QStringLiteral("Prova"), true);
        const Run run =
            runCli({QStringLiteral("merge"), pro, QStringLiteral("--app-folder"), dir.path()});
        QCOMPARE(run.status, 0);
        // Reduced order: 1..X, X..X, 1..2, X..2; each pair differs in match 1 only.
        QCOMPARE(run.lines(), QStringList({QStringLiteral("1X 1 1 1 1 1 1 1 1 1 1 1 X"),
                                           QStringLiteral("1X 1 1 1 1 1 1 1 1 1 1 1 2"),
                                           QStringLiteral("Accorpate: 2")}));
        MergedColumns stored;
        QString error;
        QVERIFY(ColumnDatabase::readMergedRows(dir.path(), stored, &error));
        QCOMPARE(stored.count(), 2);
        QCOMPARE(stored.play(1, 12), QLatin1StringView("2"));
    }

    void mergeWithoutReducedSystemFails()
    {
        QTemporaryDir dir;
        const QString pro = saveSystem(dir.path(), QStringLiteral("Solo"), false);
        const Run run =
            runCli({QStringLiteral("merge"), pro, QStringLiteral("--app-folder"), dir.path()});
        QCOMPARE(run.status, 1);
        QVERIFY(run.lines().isEmpty());
        QVERIFY(run.err.contains(QStringLiteral("Sistema Ridotto")));
    }

    void checkCountsByCategory()
    {
        QTemporaryDir dir;
        const QString pro = saveSystem(dir.path(), QStringLiteral("Prova"), true);
        const QString winning = QStringLiteral("X11111111111X");
        const Run reduced = runCli(
            {QStringLiteral("check"), pro, winning, QStringLiteral("--app-folder"), dir.path()});
        QCOMPARE(reduced.status, 0);
        // Reduced columns: 1..X (12 points), X..X (13), 1..2 (11), X..2 (12).
        QCOMPARE(
            reduced.lines(),
            QStringList({QStringLiteral("I: 1"), QStringLiteral("II: 2"), QStringLiteral("III: 1"),
                         QStringLiteral("IV: 0"), QStringLiteral("V: 0"), QStringLiteral("VI: 0"),
                         QStringLiteral("VII: 0"), QStringLiteral("VIII: 0")}));
        const Run integral =
            runCli({QStringLiteral("check"), pro, winning, QStringLiteral("--integral")});
        QCOMPARE(integral.status, 0);
        // The integral adds 2..X (12 points) and 2..2 (11).
        QCOMPARE(integral.lines().mid(0, 3),
                 QStringList(
                     {QStringLiteral("I: 1"), QStringLiteral("II: 3"), QStringLiteral("III: 2")}));
    }

    void checkRefusesABadWinningColumn_data()
    {
        QTest::addColumn<QString>("winning");
        QTest::newRow("short") << QStringLiteral("X11111111111");
        QTest::newRow("long") << QStringLiteral("X11111111111XX");
        QTest::newRow("letter") << QStringLiteral("X1111A111111X");
        QTest::newRow("three") << QStringLiteral("311111111111X");
    }

    void checkRefusesABadWinningColumn()
    {
        QFETCH(QString, winning);
        QTemporaryDir dir;
        const QString pro = saveSystem(dir.path(), QStringLiteral("Prova"), true);
        const Run run = runCli({QStringLiteral("check"), pro, winning});
        QCOMPARE(run.status, 1);
        QVERIFY(run.lines().isEmpty());
        QVERIFY(run.err.contains(QStringLiteral("Colonna Vincente")));
    }

    void checkWithADash()
    {
        QTemporaryDir dir;
        const QString pro = saveSystem(dir.path(), QStringLiteral("Prova"), true);
        const Run run = runCli({QStringLiteral("check"), pro, QStringLiteral("X1111-111111X")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.lines().mid(0, 3),
                 QStringList(
                     {QStringLiteral("I: 0"), QStringLiteral("II: 1"), QStringLiteral("III: 2")}));
    }

    void listPrintsNumberedLines()
    {
        QTemporaryDir dir;
        const QString pro = saveSystem(dir.path(), QStringLiteral("Prova"), true);
        const Run reduced = runCli({QStringLiteral("list"), pro});
        QCOMPARE(reduced.status, 0);
        QCOMPARE(reduced.lines(), QStringList({QStringLiteral("0000001  -  111 111 111 111X"),
                                               QStringLiteral("0000002  -  X11 111 111 111X"),
                                               QStringLiteral("0000003  -  111 111 111 1112"),
                                               QStringLiteral("0000004  -  X11 111 111 1112")}));
        const Run integral = runCli({QStringLiteral("list"), pro, QStringLiteral("--integral")});
        QCOMPARE(integral.status, 0);
        QCOMPARE(integral.lines().size(), 6);
        SystemDocument saved;
        QVERIFY(SystemFiles::load(saved, dir.path(), QStringLiteral("Prova")).status ==
                SystemFiles::LoadStatus::Ok);
        for (int i = 0; i < 6; ++i) {
            const QByteArrayView column = saved.IntegralColumns.column(i);
            QCOMPARE(integral.lines().at(i), QStringLiteral("%1  -  %2 %3 %4 %5")
                                                 .arg(i + 1, 7, 10, QLatin1Char('0'))
                                                 .arg(QLatin1StringView(column.sliced(0, 3)),
                                                      QLatin1StringView(column.sliced(3, 3)),
                                                      QLatin1StringView(column.sliced(6, 3)),
                                                      QLatin1StringView(column.sliced(9, 4))));
        }
    }

    void listWithoutIntegralSystemFails()
    {
        QTemporaryDir dir;
        SystemDocument document;
        document.SystemName = QStringLiteral("Vuoto");
        QVERIFY(SystemFiles::save(document, dir.path()));
        const Run run = runCli({QStringLiteral("list"), dir.filePath(QStringLiteral("Vuoto.pro")),
                                QStringLiteral("--integral")});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains(QStringLiteral("Sistema Integrale")));
    }

    void missingSystemFails()
    {
        QTemporaryDir dir;
        const Run run =
            runCli({QStringLiteral("list"), dir.filePath(QStringLiteral("Nessuno.pro"))});
        QCOMPARE(run.status, 1);
        QVERIFY(!run.err.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestOutputCommands)
#include "testOutputCommands.moc"
