#include "document/ui/ContestDialog.h"
#include "document/ui/FolderDialog.h"
#include "document/ui/MatchesDialog.h"
#include "document/ui/OptionsDialog.h"
#include "document/ui/PredictionDialog.h"
#include "document/ui/TeamsDialog.h"
#include "support/GuiDriver.h"
#include "support/TestSystems.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QFileSystemModel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableView>
#include <QTreeView>

using namespace Qt::StringLiterals;
using TestSystems::fileContent;

namespace {

const QString CountLabels = u"lblFISSE lblDOPPIE lblTRIPLE lblINTEGRALE lblEURO lblLIRE"_s;
const QRegularExpression Elapsed(u"^\\d\\d:\\d\\d:\\d\\d$"_s);

QLineEdit* box(QWidget* dialog, const char* name, int i)
{
    return child<QLineEdit>(dialog, u"%1(%2)"_s.arg(QLatin1String(name)).arg(i));
}

// The 13 sign fields: the first as given, the others 1.
void typeSigns(QWidget* dialog, const QStringList& first)
{
    for (int i = 1; i <= 13; ++i)
        typeInto(box(dialog, "txtPro", i), first.value(i - 1, u"1"_s));
}

// A named system at the column cost 0.5, JUVENTUS - ROMA on match 1, the signs given.
void preparePrediction(StartedProgram& p, const QStringList& signs)
{
    p.session->options()[Options::ColumnCost] = u"0.5"_s;
    p.session->resetDocument();
    p.document().SystemName = u"Prova"_s;
    p.document().setHomeTeam(1, u"JUVENTUS"_s);
    p.document().setAwayTeam(1, u"ROMA"_s);
    for (int i = 1; i <= signs.size(); ++i)
        p.document().setSigns(i, signs[i - 1]);
}

// The field of team position k (1..74).
QString teamField(int k)
{
    if (k <= 18)
        return u"txtSerieA(%1)"_s.arg(k);
    if (k <= 38)
        return u"txtSerieB(%1)"_s.arg(k - 18);
    return k <= 56 ? u"txtSerieC1A(%1)"_s.arg(k - 38) : u"txtSerieC1B(%1)"_s.arg(k - 56);
}

QByteArray teamsFile(const QMap<int, QByteArray>& typed = {})
{
    QByteArray expected;
    for (int k = 1; k <= 74; ++k)
        expected += '"' + typed.value(k, "SQUADRA " + QByteArray::number(k)) + "\"\r\n";
    return expected;
}

} // namespace

class TestDocumentDialogs final : public QObject {
    Q_OBJECT
private slots:
    void predictionShowsAndFiltersTheSigns()
    {
        StartedProgram p;
        preparePrediction(p, {"1X", "12X", "2"});
        p.document().IntegralCount = 6;
        p.document().NumFisse = 11;
        p.document().NumDoppie = p.document().NumTriple = 1;
        auto d = p.open<PredictionDialog>();
        QCOMPARE(d->windowTitle(), u"Prova - Pronostico"_s);
        QCOMPARE(QApplication::focusWidget(), box(d.get(), "txtPro", 1));
        QCOMPARE(textsOf(d.get(), u"lblF(1) txtPro(2) "_s + CountLabels),
                 u" JUVENTUS       |12X|11|1|1| 6|3 €|5808.81 £"_s);
        // Without an integral system the count labels stay empty until the user types.
        p.document().IntegralCount = 0;
        d->load();
        QCOMPARE(textsOf(d.get(), CountLabels), u"|||||"_s);

        // Signs mapped and filtered, at most three; typing over a selection maps as well.
        QLineEdit* second = box(d.get(), "txtPro", 2);
        const QList<std::pair<const char*, const char*>> keys = {
            {"x3a", "XX"}, {"1 0,2?X1", "12X"}, {"3", "X"}};
        for (const auto& [typed, shown] : keys) {
            typeInto(second, QLatin1String(typed));
            QCOMPARE(second->text(), QLatin1String(shown));
        }
        QTest::keyClicks(second, u"1"_s);
        QTest::keyClick(second, Qt::Key_Backspace);
        QCOMPARE(second->text(), u"X"_s);
        typeSigns(d.get(), {"1X", "X2", "12X"});
        QCOMPARE(textsOf(d.get(), CountLabels), u"10|2|1| 12|6 €|11617.62 £"_s);

        // Which refusal comes first is the validation's business; the window shows it and stays,
        // storing nothing and keeping what was typed.
        typeSigns(d.get(), {"1X", "1X1"});
        p.prompts.expectMessage(u"Ripetizione segni su Triple!"_s);
        clickOn(d.get(), u"cmdOK"_s);
        QVERIFY(p.warned() && d->isVisible());
        QCOMPARE(second->text(), u"1X1"_s);
        QCOMPARE(p.document().signsOf(1) + p.document().signsOf(2), u"1X12X"_s);
        QCOMPARE(p.document().Modified, 0);
    }

    void predictionUnchangedOrChangedOnLastMatch()
    {
        StartedProgram p;
        p.document() =
            TestSystems::withPrediction(QStringList{"1X", "12X"} + QStringList(11, u"1"_s));
        p.document().WorkColumns = TestSystems::columnsOf({"1111111111111", "X211111111111"});
        p.document().ReducedCount = 2;
        auto d = p.open<PredictionDialog>();
        QSignalSpy summary(d.get(), &PredictionDialog::conditionsSummaryRequested);
        // OK without changes closes like Chiudi.
        clickOn(d.get(), u"cmdOK"_s);
        QVERIFY(!d->isVisible() && d->result() == QDialog::Rejected);
        QCOMPARE(summary.count(), 1);
        QVERIFY(p.document().ReducedCount == 2 && p.document().Modified == 0);

        // A change on the last match alone is a change.
        activate(d.get());
        typeInto(box(d.get(), "txtPro", 13), u"2"_s);
        clickOn(d.get(), u"cmdOK"_s);
        QCOMPARE(summary.count(), 1);
        QCOMPARE(p.document().IntegralColumns.column(5), QByteArrayView("XX11111111112"));
        QVERIFY(p.document().ReducedCount == 0 && p.document().Modified == 1);

        // Chiudi drops the typed signs; shown again, the window starts from the stored ones.
        p.document().Modified = 0;
        typeInto(box(d.get(), "txtPro", 1), u"12"_s);
        clickOn(d.get(), u"cmdAnnulla"_s);
        QVERIFY(summary.count() == 2 && !d->isVisible());
        QVERIFY(p.document().signsOf(1) == "1X"_L1 && p.document().Modified == 0);
        d->load();
        QCOMPARE(box(d.get(), "txtPro", 1)->text(), u"1X"_s);
        // Escape answers like Chiudi; closing the window from outside asks for no summary.
        d->show();
        QTest::keyClick(box(d.get(), "txtPro", 2), Qt::Key_Escape);
        QVERIFY(summary.count() == 3 && !d->isVisible());
        d->show();
        d->close();
        QVERIFY(summary.count() == 3 && !d->isVisible());
    }

    void predictionChangedGenerates()
    {
        StartedProgram p;
        preparePrediction(p, {});
        SystemDocument& document = p.document();
        document.ReducedCount = 3;
        document.WorkColumns.append("1111111111111");
        document.MergedCount = 2;
        QVERIFY(!p.session->commands().isEnabled(u"mnuCond"_s));
        QSignalSpy merge(p.session.get(), &Session::mergeCaptionChanged);
        QSignalSpy caption(p.session.get(), &Session::captionChanged);
        // At each step of the progress bar, what the wait window shows.
        WatchingProgress progress;
        QStringList seen;
        const auto waitWindow = [] {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->objectName() == "frmATTESA"_L1 && window->isVisible())
                    return window;
            return static_cast<QWidget*>(nullptr);
        };
        progress.note = [&](int) {
            if (QWidget* window = waitWindow())
                seen << window->windowTitle() + u'|' +
                            textsOf(window, u"lblMessaggio lblProgressivo"_s);
        };
        p.session->setProgress(&progress);
        auto d = p.open<PredictionDialog>();
        QSignalSpy summary(d.get(), &PredictionDialog::conditionsSummaryRequested);
        typeSigns(d.get(), {"1X", "12X"});
        clickOn(d.get(), u"cmdOK"_s);
        p.session->setProgress(nullptr);

        QVERIFY(d->isVisible() && summary.count() == 0);
        QCOMPARE(document.MatchRecords[1], u"JUVENTUS       ROMA           1X "_s);
        QVERIFY(document.ReducedCount == 0 && document.WorkColumns.isEmpty());
        QVERIFY(document.MergedCount == 0 && merge.count() == 1);
        QCOMPARE(merge.last().first().toString(), u"&Accorpa Colonne"_s);
        QCOMPARE((QList<int>{document.IntegralCount, document.Segni1, document.SegniX,
                             document.Segni2, document.Fissi1, document.NumDoppie,
                             document.NumTriple, document.Modified}),
                 (QList<int>{6, 13, 2, 1, 11, 1, 1, 1}));
        QCOMPARE(caption.last().first().toString(), u"QUADRIGO 13 - Prova *"_s);
        QVERIFY(p.session->commands().isEnabled(u"mnuCond"_s) &&
                !p.session->commands().isEnabled(u"mnuRidotto"_s));

        // The wait window showed the stages while the progress bar moved, and is gone.
        QCOMPARE(p.session->TaskMode, u"TEMP"_s);
        QCOMPARE(progress.maxima.mid(0, 2), (QList<int>{13, 6}));
        QCOMPARE(seen.first(),
                 u"Prova|Inizializzazione del Sistema Integrale. Attendere...| 1 di 13"_s);
        QVERIFY(seen.contains(
            u"Prova|Generazione Colonne del Sistema Integrale. Attendere...| 13 di 13"_s));
        QVERIFY(!waitWindow());
        // The dialog now shows how long it took.
        QCOMPARE(visibleOf(d.get(), u"lblTempo lblDescr"_s), u"lblTempo lblDescr"_s);
        QVERIFY(Elapsed.match(textOf(d.get(), u"lblTempo"_s)).hasMatch());

        // Confirming the same prediction again changes nothing more.
        document.Modified = 0;
        clickOn(d.get(), u"cmdOK"_s);
        QVERIFY(document.Modified == 0 && summary.count() == 1);
    }

    void optionsKeysRefusalsFileAndFolder()
    {
        StartedProgram p;
        auto d = p.open<OptionsDialog>();
        QCOMPARE(d->windowTitle(), u"QUADRIGO 13 - Opzioni"_s);
        QCOMPARE(textsOf(d.get(), u"txtOpt(2) txtOpt(3) txtOpt(4) txtOpt(5) txtOpt(6) chkInfo"_s),
                 u"0.5|1| | ||Visualizza finestra Informazioni Pronostico all'apertura"_s);
        QCOMPARE(textOf(d.get(), u"txtOpt(1)"_s), p.session->defaultSystemsFolder());
        QCOMPARE(visibleOf(d.get(), u"txtOpt(5) txtOpt(6) txtOpt(7)"_s), u"txtOpt(5)"_s);
        QVERIFY(!child<QCheckBox>(d.get(), u"chkInfo"_s)->isChecked());
        // Field|keys|shown.
        for (const char* row :
             {"2|0,5|05", "2|1.25|1.25", "2|0.555|0.55", "2|a 1| 1", "3|1.5x|15", "3|1234|123",
              "4|abcde|abcd", "5|2000/2001x|2000/2001", "1|D:\\Gioco, 13\\|D:\\Gioco, 13\\"}) {
            const QStringList field = QString::fromLatin1(row).split(u'|');
            typeInto(box(d.get(), "txtOpt", field[0].toInt()), field[1]);
            QCOMPARE(box(d.get(), "txtOpt", field[0].toInt())->text(), field[2]);
        }

        // Refusals, on a named system whose name titles them.
        p.document().SystemName = u"Prova"_s;
        d = p.open<OptionsDialog>();
        // The shares are checked on leaving their field for another.
        const auto leaveShares = [&](const char* keys, int to, const char* shown, bool refused) {
            if (refused)
                p.prompts.expectMessage(u"Valore Quote errato"_s);
            typeInto(box(d.get(), "txtOpt", 3), QLatin1String(keys));
            box(d.get(), "txtOpt", 3)->setFocus(Qt::MouseFocusReason);
            box(d.get(), "txtOpt", to)->setFocus(Qt::MouseFocusReason);
            QCOMPARE(box(d.get(), "txtOpt", 3)->text(), QLatin1String(shown));
            QVERIFY(box(d.get(), "txtOpt", refused ? 3 : to)->hasFocus());
        };
        leaveShares("300", 4, "300", true);
        QVERIFY(p.warned());
        leaveShares("007", 2, "7", false);
        leaveShares("255", 2, "255", false);
        leaveShares("0", 1, "0", true);

        // The statistics defaults start as a blank, which is empty: the user must fill them. Each
        // OK refused puts the focus on the field at fault.
        typeInto(box(d.get(), "txtOpt", 3), u"1"_s);
        const QList<std::tuple<int, const char*, int>> fixes = {{4, "10", 5}, {5, "2001", 0}};
        int atFault = 4;
        for (const auto& [k, keys, next] : fixes) {
            p.prompts.expectMessage(u"Errore nei dati! Riprovare"_s);
            clickOn(d.get(), u"cmdOK"_s);
            QVERIFY(p.warned() && d->isVisible() && box(d.get(), "txtOpt", atFault)->hasFocus());
            typeInto(box(d.get(), "txtOpt", k), QLatin1String(keys));
            atFault = next;
        }
        typeInto(box(d.get(), "txtOpt", 2), u"  "_s);
        p.prompts.expectMessage(u"Errore nei dati! Riprovare"_s);
        clickOn(d.get(), u"cmdOK"_s);
        QVERIFY(box(d.get(), "txtOpt", 2)->hasFocus());
        // Chiudi leaves everything as it was.
        clickOn(d.get(), u"cmdChiudi"_s);
        QVERIFY(d->result() == QDialog::Rejected &&
                !QFile::exists(p.dir.filePath(u"Opzioni.sys"_s)));
        QCOMPARE(p.session->options()[Options::StatsLastColumns], QString());

        // OK writes Opzioni.sys and takes the systems folder.
        const QString path = p.dir.filePath(u"Opzioni.sys"_s);
        d = p.open<OptionsDialog>();
        const QStringList typed = {"  C:\\Giochi\\Sistemi\\ ", "0.5", "12", "50", "2000/2001"};
        for (int k = 1; k <= 5; ++k)
            typeInto(box(d.get(), "txtOpt", k), typed[k - 1]);
        clickOn(d.get(), u"chkInfo"_s);
        clickOn(d.get(), u"cmdOK"_s);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(fileContent(path), "\"C:\\Giochi\\Sistemi\"\r\n\"0.5\"\r\n\"12\"\r\n\"50\"\r\n"
                                    "\"2000/2001\"\r\n\"\"\r\n\"S\"\r\n");
        QCOMPARE(p.systems(), u"C:\\Giochi\\Sistemi"_s);
        QCOMPARE(p.session->options().defaultQuote(), 12);

        // Only one final separator goes; unchecked gives "N".
        d = p.open<OptionsDialog>();
        typeInto(box(d.get(), "txtOpt", 1), u"/home/gioco//"_s);
        clickOn(d.get(), u"chkInfo"_s);
        clickOn(d.get(), u"cmdOK"_s);
        QVERIFY(fileContent(path).startsWith("\"/home/gioco/\"\r\n"));
        QVERIFY(fileContent(path).endsWith("\"\"\r\n\"N\"\r\n"));

        // Stored options come back, the hidden value too, and survive a confirmation.
        const QByteArray stored = "\"E:\\Sistemi\"\r\n\"1\"\r\n\"3\"\r\n\"20\"\r\n\"1999/2000\"\r\n"
                                  "\"riservato\"\r\n\"S\"\r\n";
        QVERIFY(TestSystems::writeBytes(path, stored));
        QVERIFY(p.session->loadOptions());
        d = p.open<OptionsDialog>();
        QCOMPARE(textsOf(d.get(), u"txtOpt(1) txtOpt(2) txtOpt(3) txtOpt(4) txtOpt(5) txtOpt(6)"_s),
                 u"E:\\Sistemi|1|3|20|1999/2000|riservato"_s);
        QVERIFY(child<QCheckBox>(d.get(), u"chkInfo"_s)->isChecked());
        clickOn(d.get(), u"cmdOK"_s);
        QCOMPARE(fileContent(path), stored);

        // Cerca picks a folder, stored only on OK.
        QVERIFY(QDir(p.dir.path()).mkpath(u"Sistemi/Vecchi"_s));
        const QString target = p.dir.filePath(u"Sistemi/Vecchi"_s);
        d = p.open<OptionsDialog>();
        typeInto(box(d.get(), "txtOpt", 1), QDir::toNativeSeparators(p.dir.filePath(u"Sistemi"_s)));
        QString opened;
        QTimer::singleShot(0, d.get(), [&] {
            auto* chooser = d->findChild<FolderDialog*>();
            QVERIFY(chooser);
            opened = chooser->objectName() + u'|' + chooser->windowTitle();
            auto* tree = child<QTreeView>(chooser, u"DirCerca"_s);
            auto* model = qobject_cast<QFileSystemModel*>(tree->model());
            // The list opens at the folder of field 1.
            QCOMPARE(model->filePath(tree->currentIndex()), p.dir.filePath(u"Sistemi"_s));
            tree->setCurrentIndex(model->index(target));
            clickOn(chooser, u"cmdOK"_s);
        });
        clickOn(d.get(), u"cmdCerca"_s);
        QCOMPARE(opened, u"frmCARTELLA|QUADRIGO 13 - Cartella dei Sistemi"_s);
        QCOMPARE(box(d.get(), "txtOpt", 1)->text(), QDir::toNativeSeparators(target));
        QCOMPARE(fileContent(path), stored);
    }

    void teamsAreWrittenAndReadBack()
    {
        StartedProgram p;
        const QString path = p.dir.filePath(u"Squadre.sys"_s);
        auto d = p.open<TeamsDialog>();
        typeInto(child(d.get(), teamField(1)), u"JUVENTUS"_s);
        clickOn(d.get(), u"cmdAnnulla"_s);
        QVERIFY(d->result() == QDialog::Rejected && !QFile::exists(path));
        QCOMPARE(p.session->teams().name(1), u"SQUADRA 1      "_s);

        // OK with nothing typed writes the default names, shown the next time.
        d = p.open<TeamsDialog>();
        QCOMPARE(textOf(d.get(), teamField(1)), QString());
        clickOn(d.get(), u"cmdOK"_s);
        QCOMPARE(fileContent(path), teamsFile());
        d = p.open<TeamsDialog>();
        QCOMPARE(textOf(d.get(), teamField(19)), u"SQUADRA 19     "_s);

        // Typed names are written as typed and listed 15 characters wide.
        StartedProgram q;
        d = q.open<TeamsDialog>();
        const QList<std::pair<int, const char*>> typed = {
            {1, "JUVENTUS"}, {23, "ROMA"}, {40, "   "}, {74, "A NAME LONGER THAN FIFTEEN"}};
        for (const auto& [k, name] : typed)
            typeInto(child(d.get(), teamField(k)), QLatin1String(name));
        clickOn(d.get(), u"cmdOK"_s);
        QCOMPARE(fileContent(q.dir.filePath(u"Squadre.sys"_s)),
                 teamsFile({{1, "JUVENTUS"}, {23, "ROMA"}, {74, "A NAME LONGER THAN FIFTEEN"}}));
        QCOMPARE(q.session->teams().name(1), u"JUVENTUS       "_s);
        QCOMPARE(q.session->teams().name(74), u"A NAME LONGER T"_s);
    }

    void contestNumberAndDate()
    {
        StartedProgram p;
        SystemDocument& document = p.document();
        document.SystemName = u"Prova"_s;
        document.NumConcorso = u"12"_s;
        document.DataConcorso = u"05/03/2001"_s;
        // OK without changes leaves Modified as it was; Annulla drops the changes.
        for (const char* button : {"cmdOK", "cmdOK", "cmdAnnulla"}) {
            document.Modified = button == "cmdAnnulla"_L1 ? 0 : !document.Modified;
            const int modified = document.Modified;
            auto d = p.open<ContestDialog>();
            if (button == "cmdAnnulla"_L1) {
                typeInto(child(d.get(), u"txtConc"_s), u"40"_s);
                child<QCalendarWidget>(d.get(), u"Calendario"_s)->setSelectedDate({2002, 1, 1});
                QCOMPARE(textOf(d.get(), u"lblData"_s), u"01/01/2002"_s);
            }
            clickOn(d.get(), QLatin1String(button));
            QCOMPARE(d->result() == QDialog::Accepted, button == "cmdOK"_L1);
            QCOMPARE(document.Modified, modified);
            QCOMPARE(document.NumConcorso + document.DataConcorso, u"1205/03/2001"_s);
        }

        auto d = p.open<ContestDialog>();
        auto* number = child<QLineEdit>(d.get(), u"txtConc"_s);
        typeInto(number, u"a7b"_s);
        QTest::keyClicks(number, u" x45"_s);
        QCOMPARE(number->text(), u"74"_s);
        QTest::keyClick(number, Qt::Key_Backspace);
        // Entering the field selects its text, so that typing replaces it.
        child(d.get(), u"cmdOK"_s)->setFocus(Qt::MouseFocusReason);
        number->setFocus(Qt::MouseFocusReason);
        QTRY_COMPARE(number->selectedText(), u"7"_s);

        // A day chosen on the calendar shows and gives the focus to OK.
        auto* calendar = child<QCalendarWidget>(d.get(), u"Calendario"_s);
        calendar->setSelectedDate({2001, 3, 12});
        QTest::keyClick(calendar->findChild<QTableView*>(), Qt::Key_Return);
        QCOMPARE(textOf(d.get(), u"lblData"_s), u"12/03/2001"_s);
        QVERIFY(child(d.get(), u"cmdOK"_s)->hasFocus());
        typeInto(number, u"5"_s);
        clickOn(d.get(), u"cmdOK"_s);
        QCOMPARE(document.NumConcorso + document.DataConcorso, u"5 12/03/2001"_s);
        QCOMPARE(p.session->caption(), u"QUADRIGO 13 - Prova *"_s);
    }

    void matchesListTheTeamsAndStoreTheChoicesOrNot()
    {
        StartedProgram p;
        std::array<QString, TeamList::Count> teams;
        for (int k = 1; k <= TeamList::Count; ++k)
            teams[k - 1] = TeamList::defaultName(k);
        teams[0] = u"JUVENTUS"_s;
        teams[1] = u"ROMA"_s;
        QVERIFY(p.session->writeTeams(teams));
        p.session->resetDocument();
        SystemDocument& document = p.document();
        document.SystemName = u"Prova"_s;
        document.setHomeTeam(3, u"JUVENTUS"_s);
        document.setAwayTeam(3, u"LAZIO"_s);
        document.setAwayTeam(1, u"SQUADRA 5"_s);
        document.setSigns(1, u"1X"_s);
        WatchingProgress progress;
        p.session->setProgress(&progress);
        QSignalSpy caption(p.session.get(), &Session::captionChanged);
        auto d = p.open<MatchesDialog>();
        p.session->setProgress(nullptr);
        QCOMPARE(d->windowTitle(), u"Prova - Incontri"_s);
        QCOMPARE(progress.maxima, QList<int>{74});
        const auto combo = [&](const char* side, int i) {
            return child<QComboBox>(d.get(), u"%1(%2)"_s.arg(QLatin1String(side)).arg(i));
        };
        for (int i = 1; i <= 13; ++i) {
            QCOMPARE(textOf(d.get(), u"lblNum(%1)"_s.arg(i)), QString::number(i));
            for (QComboBox* box : {combo("cboCasa", i), combo("cboFuori", i)})
                QVERIFY(box->isEditable() && box->count() == 74);
        }
        QCOMPARE(combo("cboFuori", 13)->itemText(1), u"ROMA           "_s);
        QCOMPARE(combo("cboCasa", 1)->itemText(73), u"SQUADRA 74     "_s);
        QCOMPARE(textsOf(d.get(), u"cboCasa(3) cboFuori(3) cboCasa(1)"_s), u"JUVENTUS|LAZIO|"_s);

        // A click into a box the focus is not in, at its right end, selects the name there so
        // that typing replaces it; a name cannot grow past 15 characters.
        const QList<std::pair<int, const char*>> typed = {
            {1, "ROMA"}, {3, "LECCE"}, {2, "A NAME LONGER THAN FIFTEEN"}};
        for (const auto& [i, keys] : typed) {
            QLineEdit* edit = combo("cboCasa", i)->lineEdit();
            QTest::mouseClick(edit, Qt::LeftButton, {},
                              QPoint(edit->width() - 4, edit->height() / 2));
            QVERIFY(combo("cboCasa", i)->hasFocus());
            QTest::keyClicks(edit, QLatin1String(keys));
        }
        QCOMPARE(textsOf(d.get(), u"cboCasa(1) cboCasa(2) cboCasa(3)"_s),
                 u"ROMA|A NAME LONGER T|LECCE"_s);
        combo("cboFuori", 1)->setCurrentIndex(0); // a choice from the list
        clickOn(d.get(), u"cmdOK"_s);
        QCOMPARE(d->result(), int(QDialog::Accepted));
        // Empty matches get the default names; typed names do not join the list.
        QCOMPARE(QStringList({document.MatchRecords[1], document.MatchRecords[2],
                              document.MatchRecords[3], document.MatchRecords[13]})
                     .join(u'|'),
                 u"ROMA           JUVENTUS       1X |A NAME LONGER TSQUADRA OSPITE    |"
                 "LECCE          LAZIO             |SQUADRA CASA 13SQUADRA OSPITE    "_s);
        QCOMPARE(combo("cboCasa", 1)->count(), 74);
        QCOMPARE(caption.last().first().toString(), u"QUADRIGO 13 - Prova *"_s);
        QVERIFY(p.session->commands().isEnabled(u"mnuPronostico"_s));

        // A new system without a name: Escape changes nothing.
        p.session->resetDocument();
        d = p.open<MatchesDialog>();
        QTest::keyClick(d.get(), Qt::Key_Escape);
        QVERIFY(!d->isVisible() && p.document().Modified == 0);
        QVERIFY(!p.session->commands().isEnabled(u"mnuSalva"_s));
        // A named system: the typed names are dropped, but the system can be saved.
        p.document().SystemName = u"Prova"_s;
        d = p.open<MatchesDialog>();
        typeInto(child<QComboBox>(d.get(), u"cboCasa(1)"_s)->lineEdit(), u"ROMA"_s);
        clickOn(d.get(), u"cmdAnnulla"_s);
        QVERIFY(d->result() == QDialog::Rejected && p.document().Modified == 1);
        QCOMPARE(p.document().homeTeam(1), QString(15, u' '));
        QVERIFY(p.session->commands().isEnabled(u"mnuSalva"_s) &&
                !p.session->commands().isEnabled(u"mnuPronostico"_s));
    }
};

QTEST_MAIN(TestDocumentDialogs)
#include "testDocumentDialogs.moc"
