#include "platform/ColumnDatabase.h"
#include "support/PdfPages.h"
#include "support/StartedProgram.h"
#include "support/TestSystems.h"

#include <QPushButton>
#include <QTest>

// The print commands of the main window and the column viewer's Stampa, each through the
// printer-selection step into a PDF file.
class TestReportCommands : public QObject {
    Q_OBJECT

    // A started program whose system has 41 reduced columns of its 144; merged into rows when
    // `merged` is given.
    struct Started : StartedProgram {
        explicit Started(int merged)
        {
            QStringList signs = {"1X", "1X", "1X", "1X", "1X2", "1X2"};
            while (signs.size() < 13)
                signs << "1";
            session->document() = TestSystems::withPrediction(signs);
            SystemDocument& document = session->document();
            for (int i = 0; i < 41; ++i)
                document.WorkColumns.append(document.IntegralColumns.column(i));
            document.ReducedCount = 41;
            session->applyRule(CommandRule::MatchesConfirmed);
            session->applyRule(CommandRule::PredictionConfirmed);
            session->applyRule(CommandRule::ReductionConfirmed);
            session->refreshStatus();
            if (merged > 0) {
                MergedColumns rows;
                for (int i = 0; i < merged; ++i)
                    rows.appendPair(document.WorkColumns.columnData(i), 12, 'X');
                ColumnDatabase::writeMergedRows(dir.path(), rows, nullptr);
                session->setMerged(merged);
            }
        }
    };

private slots:
    void commands_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("merged");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("printMode");
        QTest::newRow("prospect") << QByteArray("mnuStampaPro") << 0 << false << 1 << "StPr";
        QTest::newRow("reduced") << QByteArray("mnuRidotto") << 0 << false << 2 << "SPCR";
        QTest::newRow("integral") << QByteArray("mnuIntegrale") << 0 << false << 3 << "SPCI";
        QTest::newRow("columns") << QByteArray("tmRidotto") << 0 << false << 1 << "";
        QTest::newRow("cancelled") << QByteArray("mnuStampaPro") << 0 << true << 0 << "StPr";
        // 29 merged rows: 8 bands of 4 strips, more than one page holds.
        QTest::newRow("merged, prospect") << QByteArray("mnuRidotto") << 29 << false << 3 << "";
        QTest::newRow("merged") << QByteArray("tmRidotto") << 29 << false << 2 << "";
    }
    void commands()
    {
        QFETCH(QByteArray, command);
        QFETCH(int, merged);
        QFETCH(bool, cancel);
        QFETCH(int, pages);
        QFETCH(QString, printMode);
        Started program(merged);
        const QString pdf = program.dir.filePath(QStringLiteral("stampa.pdf"));
        program.prompts.expectPrinterChoice(cancel ? std::nullopt : std::optional<QString>(pdf));
        QVERIFY(program.command(command.constData())->isEnabled());
        program.window->runCommand(QLatin1String(command));
        QVERIFY(program.prompts.allConsumed());
        QCOMPARE(program.session->PrintMode, printMode);
        QCOMPARE(QFile::exists(pdf), !cancel);
        if (!cancel)
            QCOMPARE(PdfPages(pdf).count(), pages);
    }

    void viewerPrintsTheColumnsShown_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("pages");
        QTest::newRow("reduced") << QByteArray("mnuVediColRid") << 1;
        QTest::newRow("integral") << QByteArray("mnuVediColInt") << 2;
    }
    void viewerPrintsTheColumnsShown()
    {
        QFETCH(QByteArray, command);
        QFETCH(int, pages);
        Started program(0);
        const QString pdf = program.dir.filePath(QStringLiteral("colonne.pdf"));
        program.prompts.expectPrinterChoice(pdf);
        whenModal(QStringLiteral("frmVEDICOL"), [](QWidget* viewer) {
            QTest::mouseClick(viewer->findChild<QPushButton*>(QStringLiteral("cmdStampa")),
                              Qt::LeftButton);
            viewer->close();
        });
        QVERIFY(program.command(command.constData())->isEnabled());
        program.window->runCommand(QLatin1String(command));
        QCOMPARE(PdfPages(pdf).count(), pages);
    }
};

QTEST_MAIN(TestReportCommands)
#include "testReportCommands.moc"
