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
        QCOMPARE(integral.lines().mid(0, 3), QStringList({"I: 1", "II: 3", "III: 2"}));
        // A dash matches no sign.
        const Run dash = runCli({QStringLiteral("check"), pro, QStringLiteral("X1111-111111X")});
        QCOMPARE(dash.status, 0);
        QCOMPARE(dash.lines().mid(0, 3), QStringList({"I: 0", "II: 1", "III: 2"}));
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
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("merge without reduced system")
            << QStringList{"merge", "@/Solo.pro", "--app-folder", "@"} << "Sistema Ridotto";
        QTest::newRow("list without integral system")
            << QStringList{"list", "@/Vuoto.pro", "--integral"} << "Sistema Integrale";
        QTest::newRow("missing system") << QStringList{"list", "@/Nessuno.pro"} << "Nessuno";
        for (const char* winning :
             {"X11111111111", "X11111111111XX", "X1111A111111X", "311111111111X"})
            QTest::newRow(winning)
                << QStringList{"check", "@/Prova.pro", winning} << "Colonna Vincente";
    }

    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QTemporaryDir dir;
        saveSystem(dir.path(), QStringLiteral("Prova"), true);
        saveSystem(dir.path(), QStringLiteral("Solo"), false);
        SystemDocument empty;
        empty.SystemName = QStringLiteral("Vuoto");
        QVERIFY(SystemFiles::save(empty, dir.path()));
        const Run run = runCli(arguments.replaceInStrings(QStringLiteral("@"), dir.path()));
        QCOMPARE(run.status, 1);
        QVERIFY(run.lines().isEmpty());
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(TestOutputCommands)
#include "testOutputCommands.moc"
