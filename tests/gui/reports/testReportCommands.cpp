#include "platform/ColumnDatabase.h"
#include "support/GuiDriver.h"
#include "support/PdfPages.h"
#include "support/ScriptedPrinterQueue.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

// The print commands of the main window and the column viewer's Stampa, each through the
// printer-selection step into a PDF file.
class TestReportCommands : public QObject {
    Q_OBJECT

    // A started program whose system has 41 reduced columns of its 144; merged into rows when
    // `merged` is given.
    struct Started : StartedProgram {
        explicit Started(int merged)
        {
            start();
            prepare(QStringList{"1X", "1X", "1X", "1X", "1X2", "1X2"} + QStringList(7, "1"), {},
                    41);
            if (merged > 0) {
                MergedColumns rows;
                for (int i = 0; i < merged; ++i)
                    rows.appendPair(document().WorkColumns.columnData(i), 12, 'X');
                ColumnDatabase::writeMergedRows(dir.path(), rows, nullptr);
                session->setMerged(merged);
            }
        }
    };

private slots:
    // Command, merged rows, PDF chosen ("-": cancelled; in a missing folder: the printout
    // fails), pages printed, PrintMode after it ("-": none). The viewers print from Stampa.
    void commands_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("prospect") << "mnuStampaPro 0 stampa.pdf 1 StPr";
        QTest::newRow("reduced") << "mnuRidotto 0 stampa.pdf 2 SPCR";
        QTest::newRow("integral") << "mnuIntegrale 0 stampa.pdf 3 SPCI";
        QTest::newRow("columns") << "tmRidotto 0 stampa.pdf 1 -";
        QTest::newRow("cancelled") << "mnuStampaPro 0 - 0 StPr";
        QTest::newRow("failed") << "mnuIntegrale 0 no/stampa.pdf 0 SPCI";
        // 29 merged rows: 8 bands of 4 strips, more than one page holds.
        QTest::newRow("merged, prospect") << "mnuRidotto 29 stampa.pdf 3 -";
        QTest::newRow("merged") << "tmRidotto 29 stampa.pdf 2 -";
        QTest::newRow("viewer, reduced") << "mnuVediColRid 0 stampa.pdf 1 -";
        QTest::newRow("viewer, integral") << "mnuVediColInt 0 stampa.pdf 2 -";
    }
    void commands()
    {
        QFETCH(QString, row);
        const QStringList fields = row.split(u' ');
        Started program(fields[1].toInt());
        const QString path = program.dir.filePath(fields[2]);
        program.prompts.expectPrinterChoice(fields[2] == u'-' ? std::nullopt
                                                              : std::optional<QString>(path));
        if (fields[2].contains(u'/'))
            program.prompts.expectMessage({});
        if (fields[0].startsWith(QStringLiteral("mnuVediCol")))
            whenModal(QStringLiteral("frmVEDICOL"), [](QWidget* viewer) {
                QTest::mouseClick(viewer->findChild<QPushButton*>(QStringLiteral("cmdStampa")),
                                  Qt::LeftButton);
                viewer->close();
            });
        QVERIFY(program.command(fields[0].toLatin1().constData())->isEnabled());
        program.window->runCommand(fields[0]);
        QVERIFY(program.prompts.allConsumed());
        QCOMPARE(program.session->PrintMode, fields[4] == u'-' ? QString() : fields[4]);
        QCOMPARE(PdfPages(path).count(), fields[3].toInt());
        if (fields[2].contains(u'/'))
            QVERIFY(program.prompts.messageTexts().first().startsWith(
                QStringLiteral("Errore 482 (Impossibile creare il File")));
        QVERIFY(!QApplication::overrideCursor());
    }

    // A prospect the printer refuses, before the job or once handed over, says so with the
    // error's number and the printer's reason.
    void refusingPrinter_data()
    {
        QTest::addColumn<bool>("before");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not accepting") << true << u"non accetta lavori"_s;
        QTest::newRow("dropped") << false << u"ha rifiutato il lavoro"_s;
    }
    void refusingPrinter()
    {
        QFETCH(bool, before);
        QFETCH(QString, reason);
        Started program(0);
        ScriptedPrinterQueue queue(program.dir.filePath(u"coda.pdf"_s), 1,
                                   before ? ScriptedPrinterQueue::When::Before
                                          : ScriptedPrinterQueue::When::After);
        program.prompts.expectPrinterChoice(QString());
        program.prompts.expectMessage({});
        program.window->runCommand(u"mnuStampaPro"_s);
        QVERIFY(program.prompts.allConsumed());
        const QString shown = program.prompts.messageTexts().value(0);
        QVERIFY2(shown.startsWith(u"Errore 482 (La stampante "_s) &&
                     shown.endsWith(u' ' + reason + u')'),
                 qPrintable(shown));
        QCOMPARE(queue.jobs, before ? 0 : 1);
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(TestReportCommands)
#include "testReportCommands.moc"
