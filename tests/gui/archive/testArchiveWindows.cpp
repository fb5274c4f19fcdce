#include "archive/ArchiveCsv.h"
#include "archive/ArchiveModel.h"
#include "archive/ArchiveStore.h"
#include "archive/ui/ArchiveWindow.h"
#include "archive/ui/RecordWindow.h"
#include "archive/ui/StatisticsWindow.h"
#include "support/GuiDriver.h"
#include "support/TestArchives.h"
#include "support/TestSystems.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QDir>
#include <QTableView>
#include <QTableWidget>

using namespace Qt::StringLiterals;

namespace {

ArchiveRecord::TypedFields typed(const QString& season, const QString& contest,
                                 const QString& column, const QString& series, const QString& post)
{
    ArchiveRecord::TypedFields fields{season, contest};
    for (int i = 0; i < 13; ++i)
        fields[ArchiveRecord::FirstSign + i] = column.mid(i, 1);
    fields[ArchiveRecord::Serie] = series;
    fields[ArchiveRecord::Post] = post;
    return fields;
}

// Five contests in archive order; the last is incomplete.
const QList<ArchiveRecord::TypedFields> Seeds = {
    typed(u"2002-2003"_s, u"1"_s, u"1X21X21X21X21"_s, u"ABC"_s, u"Si"_s),
    typed(u"2003-2004"_s, u"5"_s, u"111111111111X"_s, u"ABC"_s, u"No"_s),
    typed(u"2003-2004"_s, u"7"_s, u"XXXXXXXXXXXXX"_s, u"IND"_s, u"Si"_s),
    typed(u"2004-2005"_s, u"2"_s, u"1X1X1X1X1X1X1"_s, u"A__"_s, u"No"_s),
    typed(u"2004-2005"_s, u"3"_s, u"2-21X21X21X21"_s, u"ABC"_s, u"Si"_s),
};

// A program whose archive holds the seeds.
struct Archive {
    StartedProgram p;
    ArchiveStore store{p.dir.path()};
    Archive()
    {
        AppFolder::prepare(p.dir.path());
        QString error;
        qint64 id = 0;
        QVERIFY2(store.open(&error), qPrintable(error));
        for (const auto& seed : Seeds)
            QVERIFY2(store.add(seed, &id, &error), qPrintable(error));
    }
    QList<ArchiveRecord> stored() const
    {
        QList<ArchiveRecord> records;
        return store.load(records, nullptr) ? records : QList<ArchiveRecord>();
    }
    std::unique_ptr<ArchiveWindow> browser()
    {
        auto window = std::make_unique<ArchiveWindow>(*p.session);
        activate(window.get());
        return window;
    }
};

QLineEdit* box(QWidget* editor, int field)
{
    return child<QLineEdit>(editor, u"txtPro(%1)"_s.arg(field));
}

QTableView* grid(QWidget* browser)
{
    return child<QTableView>(browser, u"dtaGrid"_s);
}

// The typed fields a grid row shows.
QStringList rowTexts(QWidget* browser, int row)
{
    QStringList texts;
    for (int field = 0; field < ArchiveRecord::TypedCount; ++field)
        texts << grid(browser)->model()->index(row, field).data().toString();
    return texts;
}

// The pages of a PDF file as its page objects.
int pdfPages(const QString& path)
{
    return int(TestSystems::fileContent(path).count("/Type /Page\n"));
}

QStringList texts(const ArchiveRecord::TypedFields& fields)
{
    return QStringList(fields.cbegin(), fields.cend());
}

void typeKeys(const QString& keys)
{
    for (QChar key : keys)
        QTest::keyClicks(QApplication::focusWidget(), QString(key));
}

} // namespace

class TestArchiveWindows final : public QObject {
    Q_OBJECT
private slots:
    void signAndPostKeys_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("movesOn");
        QTest::newRow("3 is X") << 2 << u"3"_s << u"X"_s << true;
        QTest::newRow("minus") << 14 << u"-"_s << u"-"_s << true;
        QTest::newRow("A ignored") << 2 << u"A"_s << QString() << false;
        QTest::newRow("s is Si") << 16 << u"s"_s << u"Si"_s << true;
        QTest::newRow("season takes any key") << 0 << u"A"_s << u"A"_s << false;
    }
    void signAndPostKeys()
    {
        QFETCH(int, field);
        QFETCH(QString, key);
        Archive a;
        ArchiveModel model;
        a.p.session->ArchiveMode = u"NUOV"_s;
        RecordWindow editor(*a.p.session, a.store, model, -1);
        QVERIFY(activate(&editor));
        box(&editor, field)->setFocus();
        QTest::keyClicks(box(&editor, field), key);
        QTEST(box(&editor, field)->text(), "shown");
        QTEST(QApplication::focusWidget() != box(&editor, field), "movesOn");
    }

    void newRecordIsTypedInFullBeforeOk()
    {
        Archive a;
        auto browser = a.browser();
        a.p.document().NumConcorso = u"12"_s;
        whenModal(u"frmRECORD"_s, [](QWidget* editor) {
            // Typing follows the focus, which only an active window has.
            QVERIFY(activate(editor));
            QCOMPARE(editor->windowTitle(), u"Archivio - Nuova Colonna 6"_s);
            QCOMPARE(textsOf(editor, u"cboSerie txtPro(1) txtPro(15)"_s), u"ABC|12|"_s);
            QWidget* ok = child(editor, u"cmdOK"_s);
            box(editor, 2)->setFocus();
            typeKeys(u"1x2-11122233X"_s);
            QCOMPARE(QApplication::focusWidget(), box(editor, 0));
            typeKeys(u"2005-2006"_s);
            QVERIFY(!ok->isEnabled());
            box(editor, 16)->setFocus();
            typeKeys(u"n"_s);
            QVERIFY(ok->isEnabled());
            QCOMPARE(box(editor, 15)->text(), u"ABC"_s);
            clickOn(editor, u"cmdOK"_s);
        });
        clickOn(browser.get(), u"cmdNuova"_s);
        QCOMPARE(a.p.session->ArchiveMode, u"CLSE"_s);
        const auto added = typed(u"2005-2006"_s, u"12"_s, u"1X2-111222XXX"_s, u"ABC"_s, u"No"_s);
        QCOMPARE(rowTexts(browser.get(), 5), texts(added));
        QCOMPARE(browser->currentRow(), 5);
        QCOMPARE(browser->windowTitle(), u"QUADRIGO 13 - Archivio Colonne Vincenti   ( 6 )"_s);
        QCOMPARE(a.stored().last().fields, ArchiveRecord::fromTyped(added).fields);
    }

    void checksComeInOrder()
    {
        Archive a;
        auto browser = a.browser();
        const auto before = a.stored();
        a.p.prompts.expectMessage(u"Rilevata casella vuota su Colonna Vincente !"_s)
            .expectMessage(u"Inserire correttamente i Dati del Concorso !"_s)
            .expectMessage(u"Inserire il valore 'Posticipo/i in fondo'"_s);
        whenModal(u"frmRECORD"_s, [&a](QWidget* editor) {
            box(editor, 16)->clear();
            box(editor, 0)->setText(u"2004/05"_s);
            box(editor, 9)->setText(u" "_s);
            clickOn(editor, u"cmdOK"_s);
            box(editor, 9)->setText(u"1"_s);
            clickOn(editor, u"cmdOK"_s);
            box(editor, 0)->setText(u"2004-2005"_s);
            clickOn(editor, u"cmdOK"_s);
            QVERIFY(a.p.warned(u"QUADRIGO 13"_s));
            clickOn(editor, u"cmdAnnulla"_s);
        });
        clickOn(browser.get(), u"cmdModifica"_s);
        QVERIFY(a.p.prompts.allConsumed());
        QCOMPARE(a.p.session->ArchiveMode, QString());
        QCOMPARE(a.stored().size(), before.size());
        QCOMPARE(a.stored().last().fields, before.last().fields);
    }

    void modifyRewritesTheRowInPlace()
    {
        Archive a;
        auto browser = a.browser();
        clickOn(browser.get(), u"cmdPri"_s);
        clickOn(browser.get(), u"cmdSucc"_s);
        const auto changed = typed(u"2003-2004"_s, u"5"_s, u"211111111111X"_s, u"VAR"_s, u"Si"_s);
        whenModal(u"frmRECORD"_s, [](QWidget* editor) {
            QCOMPARE(editor->windowTitle(), u"Archivio - Modifica Colonna 5 del 2003-2004"_s);
            QTest::keyClicks(box(editor, 2), u"2"_s);
            child<QComboBox>(editor, u"cboSerie"_s)->setCurrentText(u"VAR"_s);
            QTest::keyClicks(box(editor, 16), u"S"_s);
            clickOn(editor, u"cmdOK"_s);
        });
        // The view takes a double click only on the row the button went down on.
        QTableView* view = grid(browser.get());
        const QPoint middle = view->visualRect(view->currentIndex()).center();
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, middle);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, middle);
        QCOMPARE(a.p.session->ArchiveMode, u"MODI"_s);
        QCOMPARE(rowTexts(browser.get(), 1), texts(changed));
        QCOMPARE(browser->currentRow(), 1);
        QCOMPARE(textOf(browser.get(), u"lblRecord"_s),
                 u"Stagione 2003-2004     -     Concorso 5     -     Serie VAR"_s);
        QCOMPARE(a.stored().at(1).fields, ArchiveRecord::fromTyped(changed).fields);
    }

    void deleteOrCancel_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("selected");
        QTest::newRow("deleted") << u"cmdOK"_s << 4 << 3;
        QTest::newRow("cancelled") << u"cmdAnnulla"_s << 5 << 1;
    }
    void deleteOrCancel()
    {
        QFETCH(QString, button);
        QFETCH(int, rows);
        Archive a;
        auto browser = a.browser();
        clickOn(browser.get(), u"cmdPri"_s);
        clickOn(browser.get(), u"cmdSucc"_s);
        whenModal(u"frmRECORD"_s, [button](QWidget* editor) {
            QCOMPARE(editor->windowTitle(), u"Archivio - Cancella Colonna 5 del 2003-2004"_s);
            QCOMPARE(textOf(editor, u"cmdOK"_s), u"&Cancella"_s);
            QVERIFY(!box(editor, 2)->isEnabled() && !child(editor, u"cboSerie"_s)->isEnabled());
            clickOn(editor, button);
        });
        clickOn(browser.get(), u"cmdCancella"_s);
        QCOMPARE(grid(browser.get())->model()->rowCount(), rows);
        QTEST(browser->currentRow(), "selected");
        QCOMPARE(a.stored().size(), rows);
        QCOMPARE(a.stored().at(1)[ArchiveRecord::Conc], rows == 5 ? u"5"_s : u"7"_s);
        QVERIFY(browser->windowTitle().endsWith(u"( %1 )"_s.arg(rows)));
    }

    void emptyArchiveMovesNothing()
    {
        StartedProgram p;
        ArchiveWindow browser(*p.session);
        for (const char* name :
             {"cmdPri", "cmdPrec", "cmdSucc", "cmdUlt", "cmdModifica", "cmdCancella"})
            clickOn(&browser, QLatin1String(name));
        QCOMPARE(browser.currentRow(), -1);
        QCOMPARE(browser.windowTitle(), u"QUADRIGO 13 - Archivio Colonne Vincenti   ( 0 )"_s);
    }

    void goToSeason_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("selected");
        QTest::newRow("2003-2004") << u"2003-2004"_s << 1;
        QTest::newRow("2004 alone") << u"2004"_s << 3;
        QTest::newRow("1990") << u"1990"_s << 4;
        QTest::newRow("empty") << QString() << 4;
    }
    void goToSeason()
    {
        QFETCH(QString, answer);
        Archive a;
        auto browser = a.browser();
        a.p.prompts.expectInput(u"Digitare l'Anno iniziale (AAAA)"_s, answer);
        clickOn(browser.get(), u"cmdVaiAnno"_s);
        QTEST(browser->currentRow(), "selected");
        const int year = QDate::currentDate().year();
        QCOMPARE(a.p.prompts.records().last().input.defaultText,
                 u"%1-%2"_s.arg(year - 1).arg(year));
    }

    // As on the command line, a refused line imports nothing. Two contests of the file are in the
    // archive already: "Sì a tutti" and "No a tutti" answer the second with the first; Annulla
    // undoes the whole import.
    void importAsksOnDuplicatesAndReports_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("series"); // of the two contests afterwards, "" when unchanged
        const QByteArray good = "Anno;Conc;Colonna;Serie;Post\r\n"
                                "2003-2004;5;2222222222222;BOC;Si\r\n"
                                "2004-2005;2;2222222222222;VAR;Si\r\n"
                                "2005-2006;1;1111111111111;ABC;No\r\n";
        const auto counts = [](int replaced, int skipped) {
            return u"Colonne aggiunte: 1\nColonne sostituite: %1\nColonne saltate: %2"_s
                .arg(replaced)
                .arg(skipped);
        };
        QTest::newRow("one by one")
            << good << QStringList{u"S\u00ec"_s, u"No"_s} << counts(1, 1) << u"BOC A__"_s;
        QTest::newRow("yes to all")
            << good << QStringList{u"S\u00ec a tutti"_s} << counts(2, 0) << u"BOC VAR"_s;
        QTest::newRow("no to all")
            << good << QStringList{u"No a tutti"_s} << counts(0, 2) << u"ABC A__"_s;
        QTest::newRow("cancel") << good << QStringList{u"Annulla"_s}
                                << u"Importazione annullata: l'archivio non è cambiato."_s
                                << QString();
        QTest::newRow("a refused line") << good + "2005/06;2;111;ABC;No\r\n"
                                        << QStringList()
                                        << u"Il file @ non è stato importato: righe scartate: 1\n"
                                           "Riga 5: stagione non valida '2005/06' (AAAA-AAAA)"_s
                                        << QString();
    }
    void importAsksOnDuplicatesAndReports()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QStringList, answers);
        QFETCH(QString, report);
        QFETCH(QString, series);
        const QHash<QString, MessageAnswer> answerOf = {
            {u"S\u00ec"_s, MessageAnswer::Yes},
            {u"No"_s, MessageAnswer::No},
            {u"S\u00ec a tutti"_s, MessageAnswer::YesToAll},
            {u"No a tutti"_s, MessageAnswer::NoToAll},
            {u"Annulla"_s, MessageAnswer::Cancel}};
        Archive a;
        auto browser = a.browser();
        const QString path = a.p.dir.filePath(u"in.csv"_s);
        QVERIFY(TestSystems::writeBytes(path, csv));
        const auto before = a.stored();
        a.p.prompts.expectOpenFile(path);
        const QStringList asked = {u"Il Concorso 5 della Stagione 2003-2004"_s,
                                   u"Il Concorso 2 della Stagione 2004-2005"_s};
        for (int i = 0; i < answers.size(); ++i)
            a.p.prompts.expectMessage(asked[i] + u" è già in archivio.\n"
                                                 "Sostituirlo con quello del file ?"_s,
                                      answerOf.value(answers[i]));
        a.p.prompts.expectMessage({});
        clickOn(browser.get(), u"cmdImporta"_s);
        QCOMPARE(a.p.prompts.lastMessage().text,
                 report.replace(u'@', QDir::toNativeSeparators(path)));
        const QList<ArchiveRecord> after = a.stored();
        if (series.isEmpty()) {
            QCOMPARE(after.size(), before.size());
            for (int i = 0; i < after.size(); ++i)
                QCOMPARE(after[i].fields, before[i].fields);
            return;
        }
        QCOMPARE(after.size(), 6);
        QCOMPARE(after[1][ArchiveRecord::Serie] + u' ' + after[3][ArchiveRecord::Serie], series);
        QCOMPARE(grid(browser.get())->model()->rowCount(), 6);
        QCOMPARE(browser->currentRow(), 5);
    }

    // Alt+I goes to the first contest (Importa has a key of its own); the one-letter buttons say
    // what they do.
    void navigationKeysAndTips()
    {
        Archive a;
        auto browser = a.browser();
        QCOMPARE(browser->currentRow(), 4);
        QTest::keyClick(browser.get(), Qt::Key_I, Qt::AltModifier);
        QTRY_COMPARE(browser->currentRow(), 0);
        QStringList tips;
        for (const char* name : {"cmdPri", "cmdPrec", "cmdSucc", "cmdUlt"})
            tips << child(browser.get(), QLatin1String(name))->toolTip();
        QCOMPARE(tips.join(u' '), u"Inizio Precedente Successivo Fine"_s);
    }

    void exportWritesTheArchive()
    {
        Archive a;
        auto browser = a.browser();
        const QString path = a.p.dir.filePath(u"out.csv"_s);
        a.p.prompts.expectSaveFile(path).expectMessage({});
        clickOn(browser.get(), u"cmdEsporta"_s);
        QCOMPARE(TestSystems::fileContent(path), ArchiveCsv::format(a.stored()));
    }

    void statisticsStartsFromTheOptions()
    {
        Archive a;
        a.p.session->options()[Options::StatsLastColumns] = u"50"_s;
        a.p.session->options()[Options::StatsSeason] = u"2004-2005"_s;
        StatisticsWindow window(*a.p.session);
        QCOMPARE(window.windowTitle(), u"QUADRIGO 13 - Statistiche"_s);
        QCOMPARE(textsOf(&window, u"cboTipo txtUltime txtStagione lblColArc"_s),
                 u"Presenze Segni 1|50|2004-2005|5"_s);
        QStringList ticked;
        for (auto* box : window.findChildren<QAbstractButton*>())
            if (box->isCheckable() && box->isChecked())
                ticked << box->objectName();
        ticked.sort();
        QCOMPARE(ticked.join(u' '), u"ckComplete ckSerieABC ckSerieIND ckUltime"_s);
        QVERIFY(!child(&window, u"cmdStampa"_s)->isEnabled());
    }

    void searchFillsTableAndChart_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("keepsPrint");
        QTest::newRow("measure") << u"cboTipo"_s << true;
        QTest::newRow("check box") << u"ckPosticipo"_s << false;
        QTest::newRow("series") << u"ckSerieA"_s << false;
        QTest::newRow("option") << u"ckStagione"_s << false;
        QTest::newRow("latest") << u"txtUltime"_s << false;
    }
    void searchFillsTableAndChart()
    {
        QFETCH(QString, change);
        Archive a;
        StatisticsWindow window(*a.p.session);
        QVERIFY(activate(&window));
        clickOn(&window, u"ckTutte"_s);
        child<QComboBox>(&window, u"cboTipo"_s)->setCurrentIndex(6);
        clickOn(&window, u"cmdRicerca"_s);
        // The complete ABC and IND columns: the first three seeds.
        QCOMPARE(textOf(&window, u"lblTOT"_s), u"Tot Colonne: 3"_s);
        auto* table = child<QTableWidget>(&window, u"GridSTAT"_s);
        QCOMPARE(table->horizontalHeaderItem(1)->text(), u"Interruzioni"_s);
        const QChart* chart = child<QChartView>(&window, u"chartDistribuzione"_s)->chart();
        auto* bars = static_cast<QBarSeries*>(chart->series().first());
        QBarSet* archived = bars->barSets().first();
        QCOMPARE(archived->label(), u"Colonne vincenti"_s);
        double shown = 0;
        int total = 0;
        for (int row = 0; row < table->rowCount(); ++row) {
            const int count = table->item(row, 0)->text().toInt();
            total += count;
            QCOMPARE(archived->at(table->item(row, 1)->text().toInt()), count * 100.0 / 3);
        }
        for (int value = 0; value < 14; ++value)
            shown += archived->at(value);
        QCOMPARE(total, 3);
        QCOMPARE(shown, 100.0);
        // Thirteen signs change at most 12 times: the axis runs from 0 to 12, the interruptions
        // of all X and of 1X21X21X21X21.
        const auto* values = static_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).first());
        QCOMPARE(values->min() + u".."_s + values->max(), u"0..12"_s);
        QVERIFY(child(&window, u"cmdStampa"_s)->isEnabled());

        if (change == u"cboTipo"_s)
            child<QComboBox>(&window, change)->setCurrentIndex(0);
        else if (change == u"txtUltime"_s)
            QTest::keyClicks(child(&window, change), u"9"_s);
        else
            clickOn(&window, change);
        QTEST(child(&window, u"cmdStampa"_s)->isEnabled(), "keepsPrint");
    }

    void printoutsGoToPdf()
    {
        StartedProgram p;
        AppFolder::prepare(p.dir.path());
        QVERIFY(TestArchives::write(p.dir.path(), TestArchives::generated(41)));
        const QString whole = p.dir.filePath(u"archivio.pdf"_s);
        const QString interval = p.dir.filePath(u"intervallo.pdf"_s);
        p.prompts.expectPrinterChoice(whole).expectPrinterChoice(interval);
        ArchiveWindow browser(*p.session);
        clickOn(&browser, u"cmdStampa"_s);
        QCOMPARE(pdfPages(whole), 2); // 40 records a page
        StatisticsWindow window(*p.session);
        // Every record: all series, complete or not.
        for (const char* name :
             {"ckTutte", "ckComplete", "ckSerieA", "ckSerieBOC", "ckSerieVAR", "cmdRicerca"})
            clickOn(&window, QLatin1String(name));
        QCOMPARE(textOf(&window, u"lblTOT"_s), u"Tot Colonne: 41"_s);
        clickOn(&window, u"cmdStampa"_s);
        QCOMPARE(pdfPages(interval), 2); // 36 records a page
        QVERIFY(!child(&window, u"cmdStampa"_s)->isEnabled());
    }

    void mainWindowOffersBothWindows()
    {
        StartedProgram p;
        p.start();
        for (const char* name :
             {"mnuAggiungiCol", "tmAggiungiCol", "mnuStatistiche", "tmStatistiche"})
            QVERIFY2(p.command(name)->isEnabled(), name);
        bool browsed = false;
        whenModal(u"frmARCHIVIO"_s, [&browsed](QWidget* browser) {
            browsed = true;
            clickOn(browser, u"cmdEsci"_s);
        });
        p.window->runCommand(u"mnuAggiungiCol"_s);
        QVERIFY(browsed);
        for (int twice = 0; twice < 2; ++twice)
            p.window->runCommand(u"mnuStatistiche"_s);
        const auto open = p.window->findChildren<StatisticsWindow*>();
        QCOMPARE(open.size(), 1);
        QVERIFY(open.first()->isVisible() && !open.first()->isModal());
    }
};

QTEST_MAIN(TestArchiveWindows)
#include "testArchiveWindows.moc"
