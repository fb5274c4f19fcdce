#include "document/SystemFiles.h"
#include "platform/FileLock.h"
#include "support/CliRunner.h"
#include "support/DiskFaults.h"
#include "support/TestSystems.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Two triples, bounds that keep all nine columns, and a reduced system to merge.
SystemDocument reducible()
{
    QStringList signs(13, QStringLiteral("1"));
    signs[0] = signs[1] = QStringLiteral("1X2");
    SystemDocument document = TestSystems::withPrediction(signs, QStringLiteral("S"));
    const QList<double> bounds = {0, 13, 0, 13, 0, 13};
    for (int k = 1; k <= 6; ++k)
        document.Conditions.set(k, bounds[k - 1]);
    document.EnableFlags = QStringLiteral("1000000");
    document.WorkColumns = document.IntegralColumns;
    document.ReducedCount = 9;
    return document;
}

} // namespace

class TestCliFolders : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        SystemDocument document = reducible();
        QVERIFY(SystemFiles::save(document, m_dir->path()));
        m_pro = m_dir->filePath(QStringLiteral("S.pro"));
    }

    void missingAppFolderIsCreatedOrRefusedAtOnce_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("database");
        QTest::newRow("reduce") << QStringLiteral("reduce") << QStringLiteral("Ridotto.mdb");
        QTest::newRow("merge") << QStringLiteral("merge") << QStringLiteral("Accorpa.mdb");
    }
    void missingAppFolderIsCreatedOrRefusedAtOnce()
    {
        QFETCH(QString, command);
        QFETCH(QString, database);
        const QString created = m_dir->filePath(QStringLiteral("nuova/cartella"));
        const CliRun run = runCli({command, m_pro, QStringLiteral("--app-folder"), created});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QVERIFY(QFile::exists(QDir(created).filePath(database)));

        // Below a file no folder can be made: refused before any work is printed.
        const QString impossible = m_pro + QStringLiteral("/app");
        const QByteArray before = DiskFaults::folderSnapshot(m_dir->path());
        const CliRun refused = runCli({command, m_pro, QStringLiteral("--app-folder"), impossible});
        QCOMPARE(refused.status, 1);
        QCOMPARE(refused.out, QString());
        QCOMPARE(refused.err,
                 QStringLiteral("Impossibile creare la cartella '%1' ! (non è una cartella)\n")
                     .arg(impossible));
        QCOMPARE(DiskFaults::folderSnapshot(m_dir->path()), before);
    }

    void upperCaseExtensionsAreKept()
    {
        for (const char* extension : {".pro", ".cnd", ".ntg", ".cln"}) {
            const QString name = QStringLiteral("S") + QLatin1String(extension);
            QVERIFY(QFile::rename(m_dir->filePath(name), m_dir->filePath(name.toUpper())));
        }
        const QString upper = m_dir->filePath(QStringLiteral("S.PRO"));
        QFile::remove(m_dir->filePath(QStringLiteral("S.NTG")));
        const CliRun run = runCli({QStringLiteral("generate"), upper});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files),
                 (QStringList{"S.CLN", "S.CND", "S.NTG", "S.PRO"}));
        SystemDocument document;
        QCOMPARE(SystemFiles::load(document, m_dir->path(), QStringLiteral("S")).status,
                 SystemFiles::LoadStatus::Ok);
        QCOMPARE(document.IntegralColumns.records(), reducible().IntegralColumns.records());

        const QString missing = m_dir->filePath(QStringLiteral("Manca.PRO"));
        const CliRun notFound = runCli({QStringLiteral("generate"), missing});
        QCOMPARE(notFound.status, 1);
        QCOMPARE(notFound.err, QStringLiteral("Impossibile trovare il File '%1' !\n").arg(missing));
    }

    void databaseInUseIsSaid()
    {
        const QString app = m_dir->filePath(QStringLiteral("app"));
        QVERIFY(QDir().mkpath(app));
        // Another program replacing the database holds the name its new content is built under.
        FileLock other;
        QCOMPARE(other.tryLockFile(QDir(app).filePath(QStringLiteral("Ridotto.mdb.new")), nullptr),
                 FileLock::Result::Locked);
        const QByteArray before = DiskFaults::folderSnapshot(m_dir->path());
        const CliRun run =
            runCli({QStringLiteral("reduce"), m_pro, QStringLiteral("--app-folder"), app});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err, QStringLiteral("Impossibile scrivere il Sistema Ridotto ! (Il database "
                                         "Ridotto.mdb è in uso da un altro programma.)\n"));
        QCOMPARE(DiskFaults::folderSnapshot(m_dir->path()), before);
        QVERIFY(!QFile::exists(QDir(app).filePath(QStringLiteral("Ridotto.mdb"))));

        other.unlock();
        QCOMPARE(
            runCli({QStringLiteral("reduce"), m_pro, QStringLiteral("--app-folder"), app}).status,
            0);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_pro;
};

QTEST_GUILESS_MAIN(TestCliFolders)
#include "testCliFolders.moc"
