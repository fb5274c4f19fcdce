#include "document/IntegralGenerator.h"
#include "document/SystemFiles.h"
#include "platform/ColumnDatabase.h"

#include "support/CliRunner.h"
#include "support/PdfPages.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// Match 1 played 1X2, the others fixed 1: three integral columns; the reduced system keeps
// 1.. and X.., the first without a 2.
QString saveSystem(const QString& folder, bool reduced)
{
    SystemDocument document;
    document.SystemName = QStringLiteral("Prova");
    std::array<QString, 13> signs;
    signs.fill(QStringLiteral("1"));
    signs[0] = QStringLiteral("1X2");
    for (int i = 1; i <= 13; ++i)
        document.setSigns(i, signs[i - 1]);
    document.IntegralColumns = IntegralGenerator::generate(signs);
    document.IntegralCount = qint32(document.IntegralColumns.count());
    if (reduced) {
        document.WorkColumns.append("1111111111111");
        document.WorkColumns.append("X111111111111");
        document.ReducedCount = 2;
    }
    document.countSigns();
    document.countKinds();
    SystemFiles::save(document, folder);
    return QDir(folder).filePath(QStringLiteral("Prova.pro"));
}

} // namespace

class TestPrintCli : public QObject {
    Q_OBJECT
private slots:
    void print_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("reduced");
        QTest::addColumn<int>("pages"); // 0: refused, no file
        QTest::addColumn<QString>("error");
        QTest::newRow("prospect") << QStringList{"prospect"} << true << 1 << "";
        QTest::newRow("prospect, columns") << QStringList{"prospect-reduced"} << true << 2 << "";
        QTest::newRow("integral") << QStringList{"integral"} << false << 1 << "";
        QTest::newRow("slips") << QStringList{"slips"} << true << 1 << "";
        QTest::newRow("full test") << QStringList{"slip-test-full"} << false << 1 << "";
        QTest::newRow("no reduced") << QStringList{"reduced"} << false << 0
                                    << "Il Sistema Ridotto non è stato ancora elaborato !";
        QTest::newRow("no merged")
            << QStringList{"merged"} << true << 0 << "Le Colonne Accorpate non sono disponibili !";
        QTest::newRow("range") << QStringList{"slips", "--from", "2"} << true << 0
                               << "Valore non consentito !";
        QTest::newRow("dot") << QStringList{"slips", "--dot=2.55"} << true << 0
                             << "Valore Diametro Massimo = 2,5 mm !";
        QTest::newRow("unknown") << QStringList{"schedine"} << true << 0 << "Uso: print";
        QTest::newRow("range elsewhere")
            << QStringList{"prospect", "--to", "1"} << true << 0 << "Uso: print";
    }
    void print()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, reduced);
        QFETCH(int, pages);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
        const QString pro = saveSystem(dir.path(), reduced);
        arguments.insert(1, pro);
        const CliRun run = runCli(QStringList{"print"} + arguments +
                                  QStringList{"--pdf", pdf, "--app-folder", dir.path()});
        QCOMPARE(run.status, pages > 0 ? 0 : 1);
        QVERIFY2(run.err.contains(error), qPrintable(run.err));
        QCOMPARE(QFile::exists(pdf), pages > 0);
        if (pages > 0)
            QCOMPARE(PdfPages(pdf).count(), pages);
    }

    // A calibration given on the command line wins over DefPrnV.sys; a negative offset is a
    // value, not an option, in either form.
    void slipsTakeTheCalibration_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<double>("x"); // centre of the dot of match 1, sign 1, column 1
        QTest::addColumn<double>("y");
        QTest::newRow("file") << QStringList{} << 31.1 + 2 << 129.3 - 1;
        QTest::newRow("blank") << QStringList{"--horizontal", "-5"} << 31.1 - 5 << 129.3;
        QTest::newRow("equals") << QStringList{"--horizontal=-5", "--vertical=3"} << 31.1 - 5
                                << 129.3 + 3;
    }
    void slipsTakeTheCalibration()
    {
        QFETCH(QStringList, options);
        QFETCH(double, x);
        QFETCH(double, y);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("DefPrnV.sys")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("-1\r\n2\r\n2\r\n");
        file.close();
        const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
        const CliRun run = runCli(QStringList{"print", "slips", saveSystem(dir.path(), true),
                                              "--pdf", pdf, "--app-folder", dir.path()} +
                                  options);
        QCOMPARE(run.status, 0);
        PdfPages pages(pdf);
        QVERIFY(pages.isDark(0, x, y));
        QVERIFY(!pages.isDark(0, x + 2, y));
    }

    void unwritableOutput()
    {
        QTemporaryDir dir;
        const CliRun run = runCli({"print", "prospect", saveSystem(dir.path(), true), "--pdf",
                                   dir.filePath(QStringLiteral("missing/out.pdf"))});
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.contains(QStringLiteral("Impossibile scrivere il File")));
    }
};

QTEST_GUILESS_MAIN(TestPrintCli)
#include "testPrintCli.moc"
