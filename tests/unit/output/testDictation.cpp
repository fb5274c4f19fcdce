#include "app/AppFolder.h"
#include "document/SystemFiles.h"
#include "output/DictationSequence.h"
#include "support/CliRunner.h"
#include "support/TestSystems.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// "N2" for a new slip, "C3:4" for the column sound of position 3 (column index 4); each column
// sound must be followed by the thirteen plays of that column, which are checked here.
QString summary(const SlipLayout::SlipSource& source, qsizetype from, qsizetype to)
{
    DictationSequence sequence(source, from, to);
    QStringList steps;
    int match = 0;
    while (const auto step = sequence.next()) {
        switch (step->kind) {
        case DictationSequence::Kind::NewSlip:
            steps << u"N"_s + QString::number(step->slip);
            break;
        case DictationSequence::Kind::Column:
            if (match != 0 && match != 13)
                return u"plays cut short"_s;
            steps << u"C%1:%2"_s.arg(step->position).arg(step->column);
            match = 0;
            break;
        case DictationSequence::Kind::Play:
            if (step->match != ++match ||
                step->file !=
                    MergedColumns::playText(source.play(step->column, match - 1)) + u".wav"_s)
                return u"play %1 of column %2 wrong"_s.arg(match).arg(step->column);
            break;
        }
    }
    return steps.join(u' ');
}

} // namespace

class TestDictation : public QObject {
    Q_OBJECT
private slots:
    // Slips are filled as slip printing fills them: four to a slip, and when one column would
    // be left alone the last two slips share five.
    void slipsAndColumns_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1") << 1 << 1 << 1 << u"N1 C1:0"_s;
        QTest::newRow("5") << 5 << 1 << 2 << u"N1 C1:0 C2:1 C3:2 N2 C1:3 C2:4"_s;
        QTest::newRow("5, slip 2 only") << 5 << 2 << 2 << u"N2 C1:3 C2:4"_s;
        QTest::newRow("9") << 9 << 1 << 3
                           << u"N1 C1:0 C2:1 C3:2 C4:3 N2 C1:4 C2:5 C3:6 N3 C1:7 C2:8"_s;
        QTest::newRow("8, slip 1 only") << 8 << 1 << 1 << u"N1 C1:0 C2:1 C3:2 C4:3"_s;
    }
    void slipsAndColumns()
    {
        QFETCH(int, columns);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, expected);
        const ColumnBuffer buffer = TestSystems::randomColumns(columns, 13);
        QCOMPARE(summary(SlipLayout::SlipSource(buffer, columns), from, to), expected);
    }

    void mergedDoublesAndWaits()
    {
        MergedColumns rows;
        rows.appendPair("1111112111111", 6, 'X');
        rows.appendColumn("XXXXXXXXXXXXX");
        const SlipLayout::SlipSource source(rows);
        QCOMPARE(summary(source, 1, 1), u"N1 C1:0 C2:1"_s);
        DictationSequence sequence(source, 1, 1);
        QStringList files;
        while (const auto step = sequence.next())
            files << step->file;
        QCOMPARE(files.mid(2, 8).join(u' '), u"1.wav 1.wav 1.wav 1.wav 1.wav 1.wav X2.wav 1.wav"_s);
        QCOMPARE(files.size(), 1 + 2 * 14);
        QVERIFY(DictationSequence::soundFiles().contains(files.last()));

        // Half a second after a new slip, 0.8 after a column, a quarter second per notch after
        // a play.
        using Kind = DictationSequence::Kind;
        QCOMPARE(DictationSequence::waitAfter(Kind::NewSlip, 2.5), 0.5);
        QCOMPARE(DictationSequence::waitAfter(Kind::Column, 2.5), 0.8);
        QCOMPARE(DictationSequence::waitAfter(Kind::Play, DictationSequence::delayOf(1)), 0.25);
        QCOMPARE(DictationSequence::waitAfter(Kind::Play, DictationSequence::delayOf(10)), 2.5);
    }

    // The plan the command line prints is the window's order with its pauses; the recordings
    // the program installs cover every file it names.
    void commandLinePlanAndRecordings()
    {
        QTemporaryDir dir;
        SystemDocument document =
            TestSystems::withPrediction(QStringList(11, u"1"_s) + QStringList{u"1X"_s, u"12X"_s});
        document.WorkColumns = document.IntegralColumns;
        document.ReducedCount = 5;
        QVERIFY(SystemFiles::save(document, dir.path()));
        const QStringList app = {u"--app-folder"_s, dir.path()};
        const CliRun run =
            runCli(QStringList{u"dictate"_s, dir.filePath(u"Prova.pro"_s), u"--plan"_s, u"--from"_s,
                               u"2"_s, u"--speed"_s, u"2"_s} +
                   app);
        QCOMPARE(run.status, 0);
        QStringList expected = {u"Nuova.wav 0.5"_s};
        for (int c = 3; c < 5; ++c) {
            expected << u"Col%1.wav 0.8"_s.arg(c - 2);
            for (const char sign : QByteArrayView(document.WorkColumns.column(c)))
                expected << QLatin1Char(sign) + u".wav 0.5"_s;
        }
        QCOMPARE(run.lines(), expected);
        QCOMPARE(runCli(QStringList{u"dictate"_s, dir.filePath(u"Prova.pro"_s), u"--plan"_s,
                                    u"--to"_s, u"3"_s} +
                        app)
                     .err.trimmed(),
                 u"Valore non consentito !"_s);

        const QString resources =
            QDir::cleanPath(QStringLiteral(QUADRIGO_TEST_DATA "/../../src/app/sounds"));
        QCOMPARE(AppFolder::installSounds(dir.path(), resources), QStringList());
        for (const QString& name : DictationSequence::soundFiles())
            QCOMPARE(TestSystems::fileContent(dir.filePath(name)),
                     TestSystems::fileContent(resources + u'/' + name));
        // A recording the user replaced stays theirs.
        QVERIFY(TestSystems::writeBytes(dir.filePath(u"X.wav"_s), "mine"));
        QCOMPARE(AppFolder::installSounds(dir.path(), resources), QStringList());
        QCOMPARE(TestSystems::fileContent(dir.filePath(u"X.wav"_s)), "mine");
    }
};

QTEST_GUILESS_MAIN(TestDictation)
#include "testDictation.moc"
