#include "conditions/Measures.h"
#include "document/SystemDocument.h"
#include "document/SystemFiles.h"
#include "platform/ColumnDatabase.h"

#include "support/CliRunner.h"
#include "support/TestSystems.h"
#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

using Run = CliRun;

// Five triples on matches 1..5, a fixed 1 on the other eight: 243 columns.
SystemDocument fiveTriples()
{
    return TestSystems::withPrediction(
        {"1X2", "1X2", "1X2", "1X2", "1X2", "1", "1", "1", "1", "1", "1", "1", "1"});
}

// Every file under `folder` with its content, to see that a run left everything alone.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            files.insert(path, file.readAll());
    }
    return files;
}

QByteArray columnsText(const ColumnBuffer& columns)
{
    QByteArray text;
    for (qsizetype i = 0; i < columns.count(); ++i)
        text += columns.column(i).toByteArray() + '\n';
    return text;
}

} // namespace

class TestReduceCli : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_systems = m_dir->filePath(QStringLiteral("Sistemi"));
        m_app = m_dir->filePath(QStringLiteral("app"));
        QVERIFY(QDir().mkpath(m_systems));
        QVERIFY(QDir().mkpath(m_app));
        m_pro = QDir(m_systems).filePath(QStringLiteral("Prova.pro"));
    }

    void reducesAndSaves()
    {
        SystemDocument document = fiveTriples();
        // S1 from 8 to 9: at most one 1 among the five triples, 2^5 + 5 x 2^4 = 112 columns.
        const QList<double> bounds = {8, 9, 0, 13, 0, 13};
        for (int k = 1; k <= 6; ++k)
            document.Conditions.set(k, bounds[k - 1]);
        // 2 on matches 1 and 2 removes 2^3 + 3 x 2^2 = 20 of them.
        document.Conditions.set(25, QStringLiteral(" 22 "));
        document.Conditions.set(26, QStringLiteral("1-2"));
        document.Conditions.set(27, QStringLiteral("S"));
        // Interruptions are bounded out of reach but not enabled.
        document.Conditions.set(13, 13.0);
        document.Conditions.set(14, 13.0);
        document.EnableFlags = QStringLiteral("1000010");
        QVERIFY(SystemFiles::save(document, m_systems));

        const Run run =
            runCli({QStringLiteral("reduce"), m_pro, QStringLiteral("--app-folder"), m_app});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QStringLiteral("Colonne Condizionate con Segni Min/Max: 112\n"
                                         "Colonne Condizionate con Sequela 1: 92\n"));

        // The reduced columns by definition, in integral order.
        ColumnBuffer expected;
        for (qsizetype i = 0; i < document.IntegralColumns.count(); ++i) {
            const QByteArrayView column = document.IntegralColumns.column(i);
            const ColumnMeasures m = Measures::measure(column);
            if (m.S1 >= 8 && m.S1 <= 9 && !(column[0] == '2' && column[1] == '2'))
                expected.append(column);
        }
        QCOMPARE(expected.count(), 92);

        ColumnBuffer stored;
        QString error;
        QVERIFY2(ColumnDatabase::readReducedColumns(m_app, stored, &error), qPrintable(error));
        QCOMPARE(columnsText(stored), columnsText(expected));

        SystemDocument loaded;
        const auto result = SystemFiles::load(loaded, m_systems, QStringLiteral("Prova"));
        QCOMPARE(int(result.status), int(SystemFiles::LoadStatus::Ok));
        QCOMPARE(loaded.ReducedCount, 92);
        QCOMPARE(columnsText(loaded.WorkColumns), columnsText(expected));
        QCOMPARE(loaded.MatchRecords[0], QStringLiteral(" 92").leftJustified(33));
        QCOMPARE(loaded.EnableFlags, QStringLiteral("1000010"));
        // The sequence that ran is saved trimmed; the other conditions as they were.
        QCOMPARE(loaded.Conditions.text(25), QStringLiteral("22"));
        QCOMPARE(loaded.Conditions.text(26), QStringLiteral("1-2"));
        QCOMPARE(loaded.Conditions.number(13), 13.0);
    }

    void emptyResultWritesNothing()
    {
        // The bounds 0..0 of a new system: every column has at least eight 1.
        SystemDocument document = fiveTriples();
        QVERIFY(SystemFiles::save(document, m_systems));
        const auto before = snapshot(m_dir->path());

        const Run run =
            runCli({QStringLiteral("reduce"), m_pro, QStringLiteral("--app-folder"), m_app});
        QCOMPARE(run.status, 3);
        QCOMPARE(run.out, QStringLiteral("Colonne Condizionate con Segni Min/Max: 0\n"));
        QCOMPARE(run.err, QStringLiteral("Il Sistema Ridotto non prevede alcuna Colonna !\n"));
        QCOMPARE(snapshot(m_dir->path()), before);
        QVERIFY(!QFile::exists(QDir(m_app).filePath(QStringLiteral("Ridotto.mdb"))));
    }

    void badInput_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("no system") << QStringList{QStringLiteral("reduce")}
                                   << QStringLiteral("Indicare un solo Pronostico (.pro) !");
        QTest::newRow("missing file")
            << QStringList{QStringLiteral("reduce"), QStringLiteral("@/Manca.pro")}
            << QStringLiteral("Impossibile trovare il File");
        QTest::newRow("not a .pro")
            << QStringList{QStringLiteral("reduce"), QStringLiteral("@/Prova.cnd")}
            << QStringLiteral("non è un Pronostico (.pro) !");
        // A system saved with match 9 left without signs.
        QTest::newRow("empty match")
            << QStringList{QStringLiteral("reduce"), QStringLiteral("@/Prova.pro")}
            << QStringLiteral("partita 9");
    }
    void badInput()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        SystemDocument document = fiveTriples();
        if (QByteArray(QTest::currentDataTag()) == "empty match")
            document.setSigns(9, QString());
        QVERIFY(SystemFiles::save(document, m_systems));
        arguments.replaceInStrings(QStringLiteral("@"), m_systems);
        arguments << QStringLiteral("--app-folder") << m_app;
        const auto before = snapshot(m_dir->path());
        const Run run = runCli(arguments);
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(snapshot(m_dir->path()), before);
    }

    void measures()
    {
        const Run run = runCli({QStringLiteral("measures"), QStringLiteral("11X2X2211X112"),
                                QStringLiteral("1X1X1X1X1X1X1"), QStringLiteral("XXXX-XXXXXXXX")});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, QStringLiteral("11X2X2211X112 S1=6 SX=3 S2=4 SC1=2 SCX=1 SC2=2 IG=8 "
                                         "IC=4 SG=1 SC=1 PG=4 PC=3 FG=3 FC=2\n"
                                         "1X1X1X1X1X1X1 S1=7 SX=6 S2=0 SC1=1 SCX=1 SC2=0 IG=12 "
                                         "IC=12 SG=6 SC=6 PG=0 PC=0 FG=11 FC=11\n"
                                         "XXXX-XXXXXXXX S1=0 SX=12 S2=0 SC1=0 SCX=8 SC2=0 IG=2 "
                                         "IC=2 SG=5 SC=4 PG=5 PC=4 FG=9 FC=6 Comp=No\n"));
    }

    void measuresRefusesBadColumns_data()
    {
        QTest::addColumn<QStringList>("columns");
        QTest::newRow("none") << QStringList{};
        QTest::newRow("twelve signs") << QStringList{QStringLiteral("11X2X2211X11")};
        QTest::newRow("fourteen signs") << QStringList{QStringLiteral("11X2X2211X1122")};
        QTest::newRow("lower-case x") << QStringList{QStringLiteral("11x2X2211X112")};
        QTest::newRow("3 for X") << QStringList{QStringLiteral("1132X2211X112")};
        QTest::newRow("one bad among good")
            << QStringList{QStringLiteral("11X2X2211X112"), QStringLiteral("11X2X2211X11A")};
    }
    void measuresRefusesBadColumns()
    {
        QFETCH(QStringList, columns);
        const Run run = runCli(QStringList{QStringLiteral("measures")} + columns);
        QCOMPARE(run.status, 1);
        QCOMPARE(run.out, QString());
        QVERIFY(!run.err.isEmpty());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_systems;
    QString m_app;
    QString m_pro;
};

QTEST_GUILESS_MAIN(TestReduceCli)
#include "testReduceCli.moc"
