#include "document/SystemFiles.h"
#include "output/WinningsCheck.h"
#include "reports/PropertiesLogic.h"
#include "reports/ResultsLogic.h"
#include "reports/ResultsPrintout.h"

#include "support/CliRunner.h"
#include "support/PrintChecks.h"
#include "support/TestSystems.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace ResultsLogic;

namespace {

// Winning signs of the 13 matches from one text ("1X2-..."; a blank leaves the field empty).
Fields withSigns(const QString& signs)
{
    Fields fields;
    for (int match = 1; match <= Matches; ++match) {
        const QChar sign = signs.at(match - 1);
        fields[signField(match) - 1] = sign == u' ' ? QString() : QString(sign);
    }
    return fields;
}

// 1X, 1X2, then fixed 1s.
SystemDocument doublesAndTriple()
{
    return TestSystems::withPrediction(QStringList{"1X", "1X2"} + QStringList(11, "1"));
}

} // namespace

class TestResults : public QObject {
    Q_OBJECT

private slots:
    // Typed | shown | sign: two digits a side, and anything without a valid score is "*".
    void scores()
    {
        for (const char* row :
             {"2-1|2-1|1", "0-0|0-0|X", "1-3|1-3|2", "10-9|10-9|1", "9-10|9-10|2", "21|*|-",
              "  |*|-", "-|*|-", "---|*|-", "2-|*|-", "-1|*|-", "*|*|-"}) {
            const QStringList parts = QString::fromLatin1(row).split(u'|');
            const Score score = parseScore(parts[0]);
            QCOMPARE(score.text + u'|' + score.sign, parts[1] + u'|' + parts[2]);
        }
    }

    void keys()
    {
        QVERIFY(acceptsKey(scoreField(1), u'7') && acceptsKey(scoreField(13), u'-'));
        QVERIFY(!acceptsKey(scoreField(1), u'/') && !acceptsKey(scoreField(1), u'*'));
        QVERIFY(acceptsKey(PrizePool, u',') && acceptsKey(Contest, u'/'));
        QVERIFY(!acceptsKey(PrizePool, u'-') && !acceptsKey(MatchDate, u'a'));
        QVERIFY(!acceptsKey(signField(1), u'1'));
    }

    // Typed in the desktop's form or the announced one; anything else counts as nothing.
    void amounts()
    {
        const QLocale c = QLocale::c();
        QCOMPARE(amountOf(u"20.25"_s, c), 20.25);
        QCOMPARE(amountOf(u"2500,5"_s, c), 2500.5);
        QCOMPARE(amountOf(u"1.234.567,89"_s, c), 1234567.89);
        QCOMPARE(amountOf(u"1/2"_s, c) + amountOf(QString(), c), 0.0);
    }

    // Each line is the text in quotes in CP1252, CR LF, and every field comes back as written.
    void fileRoundTrip()
    {
        QTemporaryDir dir;
        Fields fields;
        fields[Contest - 1] = u"27\u00b0"_s;
        fields[MatchDate - 1] = u"06/12/2026"_s;
        fields[scoreField(1) - 1] = u"2-1"_s;
        fields[scoreField(2) - 1] = u"*"_s;
        fields[PrizePool - 1] = u"1.234.567,89"_s;
        fields[FirstWinners - 1] = u"3"_s;
        fields[FirstPrize - 1] = u"411.522,63"_s;
        fields[signField(1) - 1] = u"1"_s;
        fields[signField(2) - 1] = u"-"_s;
        const QString path = filePath(dir.path(), u"Prova"_s);
        QCOMPARE(path, dir.filePath(u"Prova.rsl"_s));
        QVERIFY(write(path, fields));
        const QByteArray empty11 = QByteArray("\"\"\r\n").repeated(11);
        QCOMPARE(TestSystems::fileContent(path),
                 "\"27\xb0\"\r\n\"06/12/2026\"\r\n\"2-1\"\r\n\"*\"\r\n" + empty11 +
                     "\"1.234.567,89\"\r\n\"3\"\r\n\"411.522,63\"\r\n\"\"\r\n\"\"\r\n"
                     "\"1\"\r\n\"-\"\r\n" +
                     empty11);
        Fields read;
        QCOMPARE(ResultsLogic::read(path, read), LegacyTextFile::ReadStatus::Ok);
        QCOMPARE(read, fields);
        // A shorter file leaves the rest empty.
        QVERIFY(TestSystems::writeBytes(path, "\"12\"\r\n\"01/02/2025\"\r\n"));
        QCOMPARE(ResultsLogic::read(path, read), LegacyTextFile::ReadStatus::Ok);
        QCOMPARE(read[MatchDate - 1], u"01/02/2025"_s);
        QVERIFY(read[PrizePool - 1].isEmpty());
    }

    // Field | its text in a file otherwise valid | taken. Signs and amounts the window could
    // not have saved are refused and nothing read changes.
    void impossibleContent_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("taken");
        QTest::newRow("sign X") << signField(1) << u"X"_s << true;
        QTest::newRow("sign dash") << signField(13) << u"-"_s << true;
        QTest::newRow("sign 1X") << signField(1) << u"1X"_s << false;
        QTest::newRow("sign 0") << signField(13) << u"0"_s << false;
        QTest::newRow("amount announced") << int(FirstPrize) << u" 1.000,50 "_s << true;
        QTest::newRow("amount nan") << int(FirstPrize) << u"nan"_s << false;
        QTest::newRow("amount inf") << int(SecondPrize) << u"inf"_s << false;
        QTest::newRow("amount negative") << int(FirstPrize) << u"-5"_s << false;
        QTest::newRow("pool with exponent") << int(PrizePool) << u"1e308"_s << false;
        QTest::newRow("winners negative") << int(SecondWinners) << u"-1"_s << false;
    }
    void impossibleContent()
    {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(bool, taken);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"P.rsl"_s);
        QByteArray content = QByteArray("\"\"\r\n").repeated(FieldCount);
        content.replace(4 * (field - 1), 4, '"' + text.toLatin1() + "\"\r\n");
        QVERIFY(TestSystems::writeBytes(path, content));
        Fields read;
        read[Contest - 1] = u"before"_s;
        QCOMPARE(ResultsLogic::read(path, read),
                 taken ? LegacyTextFile::ReadStatus::Ok : LegacyTextFile::ReadStatus::Malformed);
        QCOMPARE(read[field - 1], taken ? text : QString());
        QCOMPARE(read[Contest - 1], taken ? QString() : u"before"_s);
    }

    void points_data()
    {
        QTest::addColumn<QString>("signs");
        QTest::addColumn<QString>("uncovered");
        QTest::newRow("all covered") << "X211111111111"
                                     << "";
        QTest::newRow("double missed, triple any") << "2X11111111112"
                                                   << "1 13";
        QTest::newRow("dash and blank never score") << "-1 1111111111"
                                                    << "1 3";
    }
    void points()
    {
        QFETCH(QString, signs);
        QFETCH(QString, uncovered);
        const SystemDocument document = doublesAndTriple();
        const Fields fields = withSigns(signs);
        QStringList missed;
        for (const int match : ResultsLogic::uncovered(fields, document))
            missed << QString::number(match);
        QCOMPARE(missed.join(u' '), uncovered);
        QCOMPARE(ResultsLogic::points(fields, document), 13 - int(missed.size()));
    }

    // The first four categories of the winnings check, the prizes of the first two.
    void winnings()
    {
        // Six triples: 729 columns, the fourth match without a result.
        SystemDocument document =
            TestSystems::withPrediction(QStringList(6, "1X2") + QStringList(7, "1"));
        QVERIFY(!winningsOf(withSigns(u"1111111111111"_s), document));
        document.WorkColumns = document.IntegralColumns;
        document.ReducedCount = document.IntegralCount;
        Fields fields = withSigns(u"1X2 X21111111"_s);
        fields[FirstPrize - 1] = u"1.000,50"_s;
        fields[SecondPrize - 1] = u"20.25"_s;
        const QLocale italian(QLocale::Italian);
        const auto won = winningsOf(fields, document, italian);
        QVERIFY(won);
        WinningsCheck::Ticked ticked;
        ticked.fill(true);
        const auto counts = WinningsCheck::count(document.WorkColumns, "1X2-X21111111", ticked);
        // The twelve others right: the three columns that differ only on the fourth.
        QVERIFY(counts[0].value() == 0 && counts[1].value() == 3);
        for (int k = 0; k < Winnings::Categories; ++k)
            QCOMPARE(won->counts[k], counts[k].value());
        QCOMPARE(won->total, counts[0].value() * 1000.5 + counts[1].value() * 20.25);
        QCOMPARE(totalText(1234.5, italian), u"Vincita totale: 1.234,50 \u20ac"_s);
    }

    // Winning signs | the line of the points, none when no match is covered.
    void printout_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("points") << "2X11111111112|Punti11";
        QTest::newRow("no points") << "-------------|";
    }
    void printout()
    {
        QFETCH(QString, row);
        const QString signs = row.section(u'|', 0, 0), points = row.section(u'|', 1);
        SystemDocument document = doublesAndTriple();
        document.DataConcorso = u"01/02/2025"_s;
        Fields fields = withSigns(signs);
        fields[Contest - 1] = u"12"_s;
        fields[MatchDate - 1] = u"02/02/2025"_s;
        fields[scoreField(1) - 1] = u"1-3"_s;
        fields[scoreField(2) - 1] = u"*"_s;
        fields[PrizePool - 1] = u"1234567,5"_s;
        fields[FirstWinners - 1] = u"3"_s;
        fields[FirstPrize - 1] = u"1000"_s;
        RecordingPrinter recorder;
        {
            PrintSurface surface(recorder);
            ResultsPrintout::PrintResults(surface, document, fields, QLocale(QLocale::Italian));
        }
        QCOMPARE(recorder.documentsEnded(), 1);
        const QStringList lines = recorder.lines();
        QCOMPARE(lines.mid(0, 5),
                 QStringList({u"Concorso n. 12 del 01/02/2025"_s, u"Partite del 02/02/2025"_s,
                              u" Col."_s, u"CONCORSOPro.Risultati"_s, u"Vinc."_s}));
        QCOMPARE(lines.at(5), u"1CASA 1 - OSPITE 11X1-3%1"_s.arg(signs.at(0)));
        QCOMPARE(lines.at(6), u"2CASA 2 - OSPITE 21X2-%1"_s.arg(signs.at(1)));
        QCOMPARE(lines.mid(18).join(u'|'),
                 (points.isEmpty() ? QString() : points + u'|') +
                     u"Montepremi1.234.567,50|Quote per n. 3 vincite di I\u00aa categoria1.000,00|"
                     u"Quote per n.  vincite di II\u00aa categoria0,00"_s);
        // Rows 7 mm apart, the winning signs centred in their column, red when missed.
        const auto texts = recorder.items(RecordingPrinter::Kind::Text);
        for (const auto& item : texts) {
            if (item.text.size() != 1 || item.atMillimetres().x() < 170)
                continue;
            const int match = int((item.atMillimetres().y() - 55.5) / 7 + 1.5);
            const QString played = document.signsOf(match);
            QCOMPARE(item.colour == QColor(255, 0, 0), !isCovered(item.text, played));
            QVERIFY(PrintChecks::near(item.atMillimetres().y(), 55.5 + (match - 1) * 7));
        }
        // The heading centred between the frame and the signs' rule.
        const auto heading = std::find_if(
            texts.begin(), texts.end(), [](const auto& item) { return item.text == u"CONCORSO"; });
        PrintSurface surface(recorder);
        surface.setScaleMode(PrintSurface::Millimetres);
        surface.Font = heading->font;
        QVERIFY(PrintChecks::near(
            heading->atMillimetres().x() + surface.TextWidth(u"CONCORSO"_s) / 2, (15 + 125) / 2.0));
        QCOMPARE(recorder.items(RecordingPrinter::Kind::Line).size(), 2 + 13 + 5 + 1);
    }

    void integralFrame()
    {
        SystemDocument document = doublesAndTriple();
        PropertiesLogic::Texts texts =
            PropertiesLogic::textsOf(document, 0.5, QLocale(QLocale::Italian));
        QCOMPARE(texts.integralTitles[0], u"Fisse\rDoppie\rTriple\rColonne\rCosto (\u20ac)"_s);
        QCOMPARE(texts.integralValues[0], u"11\r1\r1\r6\r3,00"_s);
        QCOMPARE(texts.integralValues[1], u"13\r2\r1"_s);
        QCOMPARE(texts.integralValues[2], u"11\r0\r0"_s);
        QCOMPARE(texts.home[0] + texts.signs[1], u" CASA 1          1X2"_s);
        document = SystemDocument();
        texts = PropertiesLogic::textsOf(document, 0.5);
        QCOMPARE(texts.integralTitles[0], u"Non Presente"_s);
        QCOMPARE(texts.integralValues[0], u"-\r\n-\r\n-\r\n-\r\n-"_s);
        QCOMPARE(texts.integralValues[2], u"-\r\n-\r\n-"_s);
        QCOMPARE(texts.reducedTitles[0], u"Non Presente"_s);
        QCOMPARE(texts.reducedValues[1], u"-\r\n-\r\n-\r\n-\r\n-\r\n-\r\n-"_s);
    }

    void reducedFrame()
    {
        SystemDocument document =
            TestSystems::withPrediction(QStringList(6, "1X2") + QStringList(7, "1"));
        QCOMPARE(document.IntegralCount, 729);
        document.ReducedCount = 10;
        document.Quote = 4;
        document.SlipCount = 3;
        document.EnableFlags = u"0010011"_s;
        for (int entry = 13; entry <= 16; ++entry)
            document.Conditions.set(entry, entry - 10);
        document.Conditions.set(46, 1);
        document.Conditions.set(49, 12);
        document.Conditions.set(28, u"1X2"_s);
        document.Conditions.set(29, u"1-5-9"_s);
        document.Conditions.set(30, u"S"_s);
        document.Conditions.set(33, u"N"_s);
        const PropertiesLogic::Texts texts =
            PropertiesLogic::textsOf(document, 0.5, QLocale(QLocale::Italian));
        QCOMPARE(texts.reducedValues[0], u"10\r5,00\r1 %\r4\r1,25\r3"_s);
        QCOMPARE(texts.reducedValues[1], u" \r\n \r\n \r\n 3... 4\r\n \r\n \r\n 1... 0"_s);
        QCOMPARE(texts.reducedValues[2], u" \r\n \r\n \r\n 5... 6\r\n \r\n \r\n 0... 12"_s);
        QCOMPARE(texts.sequences, u" Sequele Escluse:\r\n   1X2 in campo 1-5-9\r\n"_s);
        QVERIFY(texts.reducedTitles[1].startsWith(u"Segni 1\rSegni X\r"_s));
    }

    // The saved results of a saved system from the command line.
    void command()
    {
        QTemporaryDir dir;
        SystemDocument document = doublesAndTriple();
        document.WorkColumns = TestSystems::columnsOf({"X211111111111", "1111111111111"});
        document.ReducedCount = 2;
        QVERIFY(SystemFiles::save(document, dir.path()));
        const QString pro = dir.filePath(u"Prova.pro"_s);
        const QString rsl = dir.filePath(u"altro.rsl"_s);
        QVERIFY(write(rsl, withSigns(u"X211111111112"_s)));
        const CliRun run = runCli({u"results"_s, pro, u"--rsl"_s, rsl});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(run.lines().mid(0, 6),
                 QStringList({u"Punti: 12"_s, u"Partite non coperte: 13"_s,
                              u"Colonne con 13 punti: 0"_s, u"Colonne con 12 punti: 1"_s,
                              u"Colonne con 11 punti: 0"_s, u"Colonne con 10 punti: 1"_s}));
        // 13 points with no column of 13 is refused, not printed.
        Fields impossible = withSigns(u"X211111111111"_s);
        impossible[signField(1) - 1] = u"1X"_s;
        QVERIFY(write(rsl, impossible));
        const CliRun refused = runCli({u"results"_s, pro, u"--rsl"_s, rsl});
        QCOMPARE(refused.status, 1);
        QCOMPARE(refused.err, u"Il File altro.rsl non contiene Risultati validi !\n"_s);
        const CliRun missing = runCli({u"results"_s, pro});
        QCOMPARE(missing.status, 1);
        QVERIFY(missing.err.startsWith(u"Impossibile trovare il File"_s));
    }
};

QTEST_MAIN(TestResults)
#include "testResults.moc"
