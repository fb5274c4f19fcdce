#include "document/SystemFiles.h"

#include "support/CliRunner.h"
#include "support/PdfPages.h"
#include "support/TestSystems.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPrintCli : public QObject {
    Q_OBJECT
private slots:
    // Arguments | reduced system saved | pages (0: refused, no file) | error | where a slip's
    // first dot (match 1, sign 1, column 1) lands, with A = -1, S = 2 and a 2 mm dot in
    // DefPrnV.sys: 1.4 mm to its right is paper.
    void print_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("prospect") << "prospect|1|1|";
        QTest::newRow("prospect, columns") << "prospect-reduced|1|2|";
        QTest::newRow("integral") << "integral|0|1|";
        QTest::newRow("full test") << "slip-test-full|0|1|";
        QTest::newRow("test, file") << "slip-test|0|1||33.1 128.3";
        QTest::newRow("full test, options")
            << "slip-test-full --horizontal -5 --dot 1.6|0|1||26.1 129.3";
        QTest::newRow("slips, file") << "slips|1|1||33.1 128.3";
        QTest::newRow("slips, blank") << "slips --horizontal -5|1|1||26.1 129.3";
        QTest::newRow("slips, equals") << "slips --horizontal=-5 --vertical=3|1|1||26.1 132.3";
        QTest::newRow("no reduced")
            << "reduced|0|0|Il Sistema Ridotto non è stato ancora elaborato !";
        QTest::newRow("no merged") << "merged|1|0|Le Colonne Accorpate non sono disponibili !";
        QTest::newRow("range") << "slips --from 2|1|0|Valore non consentito !";
        QTest::newRow("dot") << "slips --dot=2.55|1|0|Valore Diametro Massimo = 2,5 mm !";
        QTest::newRow("dot 0") << "slips --dot 0|1|0|Valore non consentito !";
        QTest::newRow("dot nan") << "slips --dot nan|1|0|Valore non consentito !";
        QTest::newRow("offset inf") << "slips --vertical inf|1|0|Valore non consentito !";
        QTest::newRow("range in halves") << "slips --to 1.5|1|0|Valore non consentito !";
        QTest::newRow("unknown") << "schedine|1|0|Uso: quadrigo13-cli print";
        QTest::newRow("range elsewhere") << "prospect --to 1|1|0|Uso: quadrigo13-cli print";
        QTest::newRow("no value") << "slips --from|1|0|Uso: quadrigo13-cli print";
        QTest::newRow("unwritable") << "prospect --pdf no/out.pdf|1|0|Impossibile creare il File";
    }
    void print()
    {
        QFETCH(QString, row);
        const int pages = row.section(u'|', 2, 2).toInt();
        QTemporaryDir dir;
        QVERIFY(TestSystems::writeBytes(dir.filePath(u"DefPrnV.sys"_s), "-1\r\n2\r\n2\r\n"));
        // Match 1 played 1X2, the others 1: the reduced system keeps 1.. and X.. of the three.
        SystemDocument document =
            TestSystems::withPrediction(QStringList{"1X2"} + QStringList(12, "1"));
        if (row.section(u'|', 1, 1) == u'1') {
            document.WorkColumns.append("1111111111111");
            document.WorkColumns.append("X111111111111");
            document.ReducedCount = 2;
        }
        QVERIFY(SystemFiles::save(document, dir.path()));
        const QString pdf = dir.filePath(u"out.pdf"_s);
        QStringList arguments = row.section(u'|', 0, 0).split(u' ');
        arguments.insert(1, dir.filePath(u"Prova.pro"_s));
        if (!arguments.contains(u"--pdf"_s))
            arguments << u"--pdf"_s << pdf;
        const CliRun run =
            runCli(QStringList{"print"} + arguments + QStringList{"--app-folder", dir.path()});
        QCOMPARE(run.status, pages > 0 ? 0 : 1);
        QVERIFY2(run.err.contains(row.section(u'|', 3, 3)), qPrintable(run.err));
        QCOMPARE(QDir(dir.path()).entryList({u"*.pdf*"_s}, QDir::Files).size(), pages > 0 ? 1 : 0);
        PdfPages printed(pdf);
        QCOMPARE(printed.count(), pages);
        if (const QStringList dot = row.section(u'|', 4).split(u' '); dot.size() == 2) {
            QVERIFY(printed.isDark(0, dot[0].toDouble(), dot[1].toDouble()));
            QVERIFY(!printed.isDark(0, dot[0].toDouble() + 1.4, dot[1].toDouble()));
        }
    }

    // Ten reduced columns, pairs apart in match 1 only, merged into five rows: printouts of the
    // merged system count and print the rows' two slips, the reduced columns make three.
    void mergedSystem_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("text");
        QTest::newRow("merged prospect") << "merged-prospect" << 2 << "NumeroSchedine:2";
        QTest::newRow("merged slips") << "slips --merged" << 2 << "N.2-";
        QTest::newRow("reduced slips") << "slips" << 3 << "N.3-";
        QTest::newRow("prospect") << "prospect" << 1 << "NumeroSchedine:3";
    }
    void mergedSystem()
    {
        QFETCH(QString, arguments);
        QFETCH(int, pages);
        QFETCH(QString, text);
        QTemporaryDir dir;
        SystemDocument document =
            TestSystems::withPrediction(QStringList(9, "1X") + QStringList(4, "1"));
        for (const char* rest :
             {"111111111111", "XX1111111111", "11XX11111111", "1111XX111111", "111111XX1111"}) {
            document.WorkColumns.append(QByteArray("1") + rest);
            document.WorkColumns.append(QByteArray("X") + rest);
        }
        document.ReducedCount = 10;
        QVERIFY(SystemFiles::save(document, dir.path()));
        const QString pro = dir.filePath(u"Prova.pro"_s), pdf = dir.filePath(u"out.pdf"_s);
        const CliRun merge = runCli({u"merge"_s, pro, u"--app-folder"_s, dir.path()});
        QVERIFY2(merge.status == 0, qPrintable(merge.err));
        const CliRun run = runCli(QStringList{"print"} + arguments.split(u' ') +
                                  QStringList{pro, "--pdf", pdf, "--app-folder", dir.path()});
        QCOMPARE(run.status, 0);
        PdfPages printed(pdf);
        QCOMPARE(printed.count(), pages);
        QString all;
        for (int page = 0; page < pages; ++page)
            all += printed.text(page);
        QVERIFY2(all.remove(QRegularExpression(u"\\s"_s)).contains(text), qPrintable(all));
    }
};

QTEST_GUILESS_MAIN(TestPrintCli)
#include "testPrintCli.moc"
