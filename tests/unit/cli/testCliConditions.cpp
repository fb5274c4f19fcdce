#include "document/SystemFiles.h"
#include "support/CliRunner.h"
#include "support/TestSystems.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Five triples before eight fixed 1s, S1 bounded 8..9 (at most one 1 among the triples).
QString savedSystem(const QTemporaryDir& dir)
{
    SystemDocument document = TestSystems::withPrediction(
        {"1X2", "1X2", "1X2", "1X2", "1X2", "1", "1", "1", "1", "1", "1", "1", "1"});
    const QList<double> bounds = {8, 9, 0, 13, 0, 13};
    for (int k = 1; k <= 6; ++k)
        document.Conditions.set(k, bounds[k - 1]);
    SystemFiles::save(document, dir.path());
    return dir.filePath(u"Prova.pro"_s);
}

QByteArray filesOf(const QTemporaryDir& dir)
{
    QByteArray all;
    for (const QString& name : TestSystems::filesIn(dir.path()))
        all += name.toUtf8() + '\n' + TestSystems::fileContent(dir.filePath(name));
    return all;
}

} // namespace

class TestCliConditions : public QObject {
    Q_OBJECT

private slots:
    // S1 breaks with two 1s or more among the triples (131 columns); the reference of thirteen
    // 1s at 13..13 breaks everywhere but on the one column of five 1s. With one error admitted:
    // the 112 columns that keep S1, and the column of five 1s.
    void setPrintReduceClear()
    {
        QTemporaryDir dir;
        const QString pro = savedSystem(dir);
        const QString app = dir.filePath(u"app"_s);
        CliRun run = runCli({u"conditions"_s, pro, u"--errors"_s, u"0-1"_s, u"--reference"_s,
                             u"1111111111111:13-13"_s, u"--strict"_s, u"3,R"_s});
        QCOMPARE(run.err, QString());
        run = runCli({u"conditions"_s, pro});
        QCOMPARE(run.lines(), (QStringList{u"Errori ammessi da 0 a 1"_s,
                                           u"Sempre rispettate: Interruzioni, Colonne di "
                                           "riferimento"_s,
                                           u"Colonna di riferimento 1: 1111111111111 punti da 13 "
                                           "a 13"_s}));

        QCOMPARE(runCli({u"conditions"_s, pro, u"--strict"_s, u"3"_s}).status, 0);
        run = runCli({u"reduce"_s, pro, u"--app-folder"_s, app});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, u"Colonne Condizionate con Tolleranza Errori: 113\n"_s);

        QCOMPARE(runCli({u"conditions"_s, pro, u"--clear"_s}).status, 0);
        QVERIFY(!TestSystems::filesIn(dir.path()).contains(u"Prova.adv"_s));
        QCOMPARE(runCli({u"conditions"_s, pro}).out, u"Nessuna Condizione Avanzata\n"_s);
    }

    void badArgumentsChangeNothing_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("error");
        QTest::newRow("errors reversed")
            << QStringList{u"--errors"_s, u"2-1"_s}
            << u"Errori ammessi non validi: '2-1' (da A a B, 0-32) !"_s;
        QTest::newRow("strict kind 8") << QStringList{u"--strict"_s, u"1,8"_s}
                                       << u"Condizione sempre rispettata non valida: '8' (1-7, V, "
                                          "R) !"_s;
        QTest::newRow("short reference")
            << QStringList{u"--reference"_s, u"1X2:1-2"_s}
            << u"Colonna di riferimento non valida: '1X2:1-2' (13 segni fra 1, X, 2, ':' e i "
               "punti da A a B) !"_s;
        QTest::newRow("points beyond 13")
            << QStringList{u"--reference"_s, u"1111111111111:9-14"_s}
            << u"Colonna di riferimento non valida: '1111111111111:9-14' (13 segni fra 1, X, 2, "
               "':' e i punti da A a B) !"_s;
        QTest::newRow("sum without values")
            << QStringList{u"--errors"_s, u"0-1"_s, u"--sum"_s, u"400-500"_s}
            << u"La somma e le colonne più probabili richiedono i valori dei segni (--values o "
               "--odds) !"_s;
        QTest::newRow("option without value")
            << QStringList{u"--top"_s} << u"Manca il valore di --top !"_s;
    }
    void badArgumentsChangeNothing()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString pro = savedSystem(dir);
        QCOMPARE(runCli({u"conditions"_s, pro, u"--errors"_s, u"1-2"_s}).status, 0);
        const QByteArray before = filesOf(dir);
        const CliRun run = runCli(QStringList{u"conditions"_s, pro} + options);
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err.trimmed(), error);
        QCOMPARE(filesOf(dir), before);
    }

    // Odds of a fair book become the values, kept to the hundredth.
    void oddsFileTakenFromTheCommandLine()
    {
        QTemporaryDir dir;
        const QString pro = savedSystem(dir);
        const QString odds = dir.filePath(u"quote.txt"_s);
        QVERIFY(TestSystems::writeBytes(odds, QByteArray("2;3;6\r\n").repeated(13)));
        QCOMPARE(runCli({u"conditions"_s, pro, u"--odds"_s, odds, u"--sum"_s, u"650,01-1300"_s,
                         u"--top"_s, u"5"_s})
                     .status,
                 0);
        SystemDocument loaded;
        QCOMPARE(SystemFiles::load(loaded, dir.path(), u"Prova"_s).status,
                 SystemFiles::LoadStatus::Ok);
        QCOMPARE((*loaded.Advanced.values())[4][2], 16.67);
        QCOMPARE(loaded.Advanced.sum->from, 650.01);
        QCOMPARE(loaded.Advanced.topCount, 5);
    }
};

QTEST_GUILESS_MAIN(TestCliConditions)
#include "testCliConditions.moc"
