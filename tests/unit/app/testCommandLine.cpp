#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// --help and --version of both programs: they print and end before anything is set up.
class TestCommandLine final : public QObject {
    Q_OBJECT
private slots:
    void printsAndEnds_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("printed");
        const QString version = QStringLiteral("%1.%2.%3")
                                    .arg(QUADRIGO_VERSION_MAJOR)
                                    .arg(QUADRIGO_VERSION_MINOR)
                                    .arg(QUADRIGO_VERSION_PATCH);
        const QString gui = QStringLiteral(QUADRIGO_GUI_PATH);
        const QString cli = QStringLiteral(QUADRIGO_CLI_PATH);
        QTest::newRow("quadrigo13 --help") << gui << "--help"
                                           << "--app-folder <CARTELLA>";
        QTest::newRow("quadrigo13 --version") << gui << "--version"
                                              << "QUADRIGO 13 " + version;
        QTest::newRow("quadrigo13-cli --help") << cli << "--help"
                                               << "generate PERCORSO.pro";
        QTest::newRow("quadrigo13-cli --version") << cli << "--version"
                                                  << "quadrigo13-cli " + version;
    }
    void printsAndEnds()
    {
        QFETCH(QString, program);
        QFETCH(QString, option);
        QFETCH(QString, printed);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("Programma"));
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(program, {option, QStringLiteral("--app-folder"), folder});
        if (!process.waitForFinished(30000)) {
            process.kill();
            process.waitForFinished();
            QFAIL("the program kept running");
        }
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QVERIFY2(QString::fromUtf8(process.readAllStandardOutput()).contains(printed),
                 qPrintable(printed));
        // Nothing was created: neither the application folder nor anything in the working one.
        QVERIFY(!QFileInfo::exists(folder));
        QVERIFY(QDir(dir.path()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "testCommandLine.moc"
