#include "conditions/Measures.h"
#include "document/SystemFiles.h"
#include "platform/ColumnDatabase.h"
#include "platform/FileLock.h"
#include "support/CliRunner.h"
#include "support/TestSystems.h"

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestSystems;

namespace {

// Every file under `folder` with its content, to see that a run left everything alone.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString path = it.next();
        files.insert(path, fileContent(path));
    }
    return files;
}

// Matches 1 and 13 played 1X2 and X2, the others fixed 1; when reduced, the system keeps the
// four columns without 2 on match 1, in the order given here.
SystemDocument playedSystem(const QString& name, bool reduced)
{
    SystemDocument document =
        withPrediction({"1X2", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "X2"}, name);
    if (reduced)
        document.WorkColumns =
            columnsOf({"111111111111X", "X11111111111X", "1111111111112", "X111111111112"});
    document.ReducedCount = qint32(document.WorkColumns.count());
    return document;
}

// Five triples on matches 1..5, a fixed 1 on the other eight: 243 columns.
SystemDocument fiveTriples(const QString& name = u"Prova"_s)
{
    return withPrediction(
        {"1X2", "1X2", "1X2", "1X2", "1X2", "1", "1", "1", "1", "1", "1", "1", "1"}, name);
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void generateSavesAsSaveWould()
    {
        QTemporaryDir dir, reference;
        // A saved system that had been reduced and merged, without integral columns on disk.
        SystemDocument stale = withPrediction(Prediction, u"Giro"_s);
        stale.Quote = 3;
        stale.WorkColumns = columnsOf({"X12X1X12X12X1", "112X1212X12X1"});
        stale.ReducedCount = 2;
        stale.MergedCount = 1;
        QVERIFY(SystemFiles::save(stale, dir.path()));
        // Extensions in upper case are kept.
        for (const QString& name : filesIn(dir.path()))
            QVERIFY(QFile::rename(dir.filePath(name), dir.filePath(name.toUpper())));
        QFile::remove(dir.filePath(u"GIRO.NTG"_s));

        const CliRun run = runCli({u"generate"_s, dir.filePath(u"GIRO.PRO"_s)});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        QCOMPARE(filesIn(dir.path()),
                 (QStringList{"GIRO.CLN", "GIRO.CND", "GIRO.NTG", "GIRO.PRO"}));
        SystemDocument expected = withPrediction(Prediction, u"Giro"_s);
        expected.Quote = 3;
        expected.DataConcorso = stale.DataConcorso;
        QVERIFY(SystemFiles::save(expected, reference.path()));
        for (const QString& name : {u"Giro.pro"_s, u"Giro.cnd"_s, u"Giro.ntg"_s})
            QCOMPARE(fileContent(dir.filePath(name.toUpper())),
                     fileContent(reference.filePath(name)));

        QVERIFY(writeBytes(dir.filePath(u"Opzioni.sys"_s), "\"\"\r\n\"0.5\"\r\n\"1\"\r\n"));
        const CliRun info =
            runCli({u"info"_s, dir.filePath(u"GIRO.PRO"_s), u"--app-folder"_s, dir.path()});
        QCOMPARE(info.status, 0);
        QCOMPARE(info.out.split(u'\n', Qt::SkipEmptyParts),
                 (QStringList{"Colonne: 12", "Costo (€): 6.00", "Costo (£): 11,618",
                              "Fi=10      Do=2      Tr=1"}));
    }

    void reducesAndSaves()
    {
        QTemporaryDir dir;
        const QString app = dir.filePath(u"app/nuova"_s); // made by the run
        SystemDocument document = fiveTriples();
        // S1 from 8 to 9: at most one 1 among the five triples, 2^5 + 5 x 2^4 = 112 columns.
        const QList<double> bounds = {8, 9, 0, 13, 0, 13};
        for (int k = 1; k <= 6; ++k)
            document.Conditions.set(k, bounds[k - 1]);
        // 2 on matches 1 and 2 removes 2^3 + 3 x 2^2 = 20 of them.
        document.Conditions.set(25, u" 22 "_s);
        document.Conditions.set(26, u"1-2"_s);
        document.Conditions.set(27, u"S"_s);
        // Interruptions are bounded out of reach but not enabled.
        document.Conditions.set(13, 13.0);
        document.Conditions.set(14, 13.0);
        document.EnableFlags = u"1000010"_s;
        QVERIFY(SystemFiles::save(document, dir.path()));

        const CliRun run =
            runCli({u"reduce"_s, dir.filePath(u"Prova.pro"_s), u"--app-folder"_s, app});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, u"Colonne Condizionate con Segni Min/Max: 112\n"
                          "Colonne Condizionate con Sequela 1: 92\n"_s);

        // The reduced columns by definition, in integral order.
        ColumnBuffer expected;
        for (qsizetype i = 0; i < document.IntegralColumns.count(); ++i) {
            const QByteArrayView column = document.IntegralColumns.column(i);
            const ColumnMeasures m = Measures::measure(column);
            if (m.S1 >= 8 && m.S1 <= 9 && !(column[0] == '2' && column[1] == '2'))
                expected.append(column);
        }
        ColumnBuffer stored;
        QVERIFY(ColumnDatabase::readReducedColumns(app, stored, nullptr));
        QCOMPARE(columnsText(stored), columnsText(expected));
        SystemDocument loaded;
        QCOMPARE(SystemFiles::load(loaded, dir.path(), u"Prova"_s).status,
                 SystemFiles::LoadStatus::Ok);
        QCOMPARE(columnsText(loaded.WorkColumns), columnsText(expected));
        QCOMPARE(loaded.MatchRecords[0], u" 92"_s.leftJustified(33));
        QCOMPARE(loaded.EnableFlags, u"1000010"_s);
        // The sequence that ran is saved trimmed; the other conditions as they were.
        QCOMPARE(loaded.Conditions.text(25), u"22"_s);
        QCOMPARE(loaded.Conditions.text(26), u"1-2"_s);
        QCOMPARE(loaded.Conditions.number(13), 13.0);

        // The bounds 0..0 of a new system: every column has at least eight 1.
        QVERIFY(SystemFiles::save(document = fiveTriples(u"Zero"_s), dir.path()));
        const auto before = snapshot(dir.path());
        const CliRun none =
            runCli({u"reduce"_s, dir.filePath(u"Zero.pro"_s), u"--app-folder"_s, app});
        QCOMPARE(none.status, 3);
        QCOMPARE(none.out, u"Colonne Condizionate con Segni Min/Max: 0\n"_s);
        QCOMPARE(none.err, u"Il Sistema Ridotto non prevede alcuna Colonna !\n"_s);
        QCOMPARE(snapshot(dir.path()), before);
    }

    void measures()
    {
        const CliRun run = runCli({u"measures"_s, u"11X2X2211X112"_s, u"XXXX-XXXXXXXX"_s});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.lines(),
                 (QStringList{"11X2X2211X112 S1=6 SX=3 S2=4 SC1=2 SCX=1 SC2=2 IG=8 IC=4 SG=1 SC=1 "
                              "PG=4 PC=3 FG=3 FC=2",
                              "XXXX-XXXXXXXX S1=0 SX=12 S2=0 SC1=0 SCX=8 SC2=0 IG=2 IC=2 SG=5 SC=4 "
                              "PG=5 PC=4 FG=9 FC=6 Comp=No"}));
    }

    void outputCommandsAndADatabaseInUse()
    {
        QTemporaryDir dir;
        SystemDocument document = playedSystem(u"Prova"_s, true);
        QVERIFY(SystemFiles::save(document, dir.path()));
        const QString pro = dir.filePath(u"Prova.pro"_s), app = dir.filePath(u"app/nuova"_s);
        const CliRun merge = runCli({u"merge"_s, pro, u"--app-folder"_s, app});
        QCOMPARE(merge.status, 0);
        // Reduced order: 1..X, X..X, 1..2, X..2; each pair differs in match 1 only.
        QCOMPARE(merge.lines(), (QStringList{"1X 1 1 1 1 1 1 1 1 1 1 1 X",
                                             "1X 1 1 1 1 1 1 1 1 1 1 1 2", "Accorpate: 2"}));
        MergedColumns stored;
        QVERIFY(ColumnDatabase::readMergedRows(app, stored, nullptr));
        QCOMPARE(stored.count(), 2);
        QCOMPARE(stored.play(1, 12), QLatin1StringView("2"));

        // Reduced columns: 1..X (12 points), X..X (13), 1..2 (11), X..2 (12).
        const QString winning = u"X11111111111X"_s;
        const CliRun check = runCli({u"check"_s, pro, winning, u"--app-folder"_s, dir.path()});
        QCOMPARE(check.status, 0);
        QCOMPARE(check.lines(), (QStringList{"I: 1", "II: 2", "III: 1", "IV: 0", "V: 0", "VI: 0",
                                             "VII: 0", "VIII: 0"}));
        // The integral adds 2..X (12 points) and 2..2 (11).
        const CliRun integral = runCli({u"check"_s, pro, winning, u"--integral"_s});
        QCOMPARE(integral.lines().mid(0, 3), QStringList({"I: 1", "II: 3", "III: 2"}));

        const CliRun list = runCli({u"list"_s, pro});
        QCOMPARE(list.status, 0);
        QCOMPARE(list.lines(),
                 (QStringList{"0000001  -  111 111 111 111X", "0000002  -  X11 111 111 111X",
                              "0000003  -  111 111 111 1112", "0000004  -  X11 111 111 1112"}));
        QCOMPARE(runCli({u"list"_s, pro, u"--integral"_s}).lines().size(), 6);

        // Another program replacing the reduced database holds the name its new content is
        // built under: the reduction says so and changes nothing.
        for (int k = 1; k <= 6; ++k) // bounds that keep every column
            document.Conditions.set(k, k % 2 ? 0.0 : 13.0);
        document.EnableFlags = u"1000000"_s;
        QVERIFY(SystemFiles::save(document, dir.path()));
        const QStringList reduce = {u"reduce"_s, pro, u"--app-folder"_s, dir.path()};
        FileLock other;
        QCOMPARE(other.tryLockFile(dir.filePath(u"Ridotto.mdb.new"_s), nullptr),
                 FileLock::Result::Locked);
        const auto before = snapshot(dir.path());
        const CliRun run = runCli(reduce);
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, u"Impossibile scrivere il Sistema Ridotto ! (Il database "
                          "Ridotto.mdb è in uso da un altro programma.)\n"_s);
        QCOMPARE(snapshot(dir.path()), before);
        other.unlock();
        QCOMPARE(runCli(reduce).status, 0);
    }

    void refusalsChangeNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* tag, const QStringList& arguments, const char* message) {
            QTest::newRow(tag) << arguments << QString::fromUtf8(message);
        };
        row("generate: sign other than 1 X 2", {"generate", "@/Segno.pro"}, "partita 2");
        row("generate: repeated sign", {"generate", "@/Doppio.pro"}, "partita 2");
        row("generate: missing file", {"generate", "@/Manca.PRO"},
            "Impossibile trovare il File '@/Manca.PRO' !\n");
        row("generate: malformed file", {"generate", "@/Rotto.pro"}, "Rotto.pro");
        row("reduce: no system", {"reduce"}, "Indicare un solo Pronostico (.pro) !");
        row("reduce: missing file", {"reduce", "@/Manca.pro"}, "Impossibile trovare il File");
        row("reduce: not a .pro", {"reduce", "@/Prova.cnd"}, "non è un Pronostico (.pro) !");
        row("reduce: empty match", {"reduce", "@/Nove.pro"}, "partita 9");
        row("merge without reduced system", {"merge", "@/Solo.pro"}, "Sistema Ridotto");
        // No folder can be made below a file: refused before any work.
        for (const char* command : {"reduce", "merge"})
            row(command, {command, "@/Prova.pro", "--app-folder", "@/Prova.pro/app"},
                "Impossibile creare la cartella '@/Prova.pro/app' ! (non è una cartella)\n");
        row("list without integral system", {"list", "@/Vuoto.pro", "--integral"},
            "Sistema Integrale");
        row("list: missing system", {"list", "@/Nessuno.pro"}, "Nessuno");
        for (const char* winning :
             {"X11111111111", "X11111111111XX", "X1111A111111X", "311111111111X"})
            row(winning, {"check", "@/Prova.pro", winning}, "Colonna Vincente");
        row("measures: none", {"measures"}, "");
        // Without its value the folder option is refused, whatever the command.
        for (const QStringList& command :
             {QStringList{"reduce", "@/Prova.pro"}, QStringList{"archive", "list"},
              QStringList{"stats", "S1"}})
            row(qPrintable(command.first() + u" --app-folder"_s),
                command + QStringList{"--app-folder"}, "Manca il valore di --app-folder.\n");
        for (const char* column :
             {"11X2X2211X11", "11X2X2211X1122", "11x2X2211X112", "1132X2211X112", "11X2X2211X11A"})
            row(column, {"measures", "11X2X2211X112", column}, "");
    }
    void refusalsChangeNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QTemporaryDir dir;
        SystemDocument empty;
        empty.SystemName = u"Vuoto"_s;
        SystemDocument nine = fiveTriples(u"Nove"_s), sign = fiveTriples(u"Segno"_s),
                       twice = fiveTriples(u"Doppio"_s), reduced = playedSystem(u"Prova"_s, true),
                       alone = playedSystem(u"Solo"_s, false);
        nine.setSigns(9, QString());
        sign.setSigns(2, u"1A"_s);
        twice.setSigns(2, u"1X1"_s);
        for (SystemDocument* document : {&empty, &nine, &sign, &twice, &reduced, &alone})
            QVERIFY(SystemFiles::save(*document, dir.path()));
        QVERIFY(writeBytes(dir.filePath(u"Rotto.pro"_s), "\"only one line\"\r\nabc\r\n"));
        const auto before = snapshot(dir.path());
        arguments.replaceInStrings(u"@"_s, dir.path());
        if (!arguments.contains(u"--app-folder"_s))
            arguments << u"--app-folder"_s << dir.path();
        const CliRun run = runCli(arguments);
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, QString());
        QVERIFY2(!run.err.isEmpty() && run.err.contains(message.replace(u'@', dir.path())),
                 qPrintable(run.err));
        QCOMPARE(snapshot(dir.path()), before);
    }

    // Both programs print and end before anything is set up, not even the application folder.
    void helpAndVersionPrintAndEnd()
    {
        const QString version = u"%1.%2.%3"_s.arg(QUADRIGO_VERSION_MAJOR)
                                    .arg(QUADRIGO_VERSION_MINOR)
                                    .arg(QUADRIGO_VERSION_PATCH);
        const QList<std::array<QString, 3>> cases = {
            {QUADRIGO_GUI_PATH, u"--help"_s, u"--app-folder <CARTELLA>"_s},
            {QUADRIGO_GUI_PATH, u"--version"_s, "QUADRIGO 13 " + version},
            {QUADRIGO_CLI_PATH, u"--help"_s, u"  generate     genera il Sistema Integrale"_s},
            {QUADRIGO_CLI_PATH, u"--version"_s, "quadrigo13-cli " + version},
            {QUADRIGO_CLI_PATH, u"merge --help"_s,
             u"Uso: quadrigo13-cli merge PERCORSO.pro [--app-folder CARTELLA]\n"
             "accorpa il Sistema Ridotto"_s}};
        for (const auto& [program, option, printed] : cases) {
            QTemporaryDir dir;
            const CliRun run = runProgram(
                program,
                option.split(u' ') + QStringList{u"--app-folder"_s, dir.filePath(u"Programma"_s)},
                dir.path());
            QCOMPARE(run.status, 0);
            QVERIFY2(run.out.contains(printed), qPrintable(run.out));
            QVERIFY(QDir(dir.path()).isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "testCli.moc"
