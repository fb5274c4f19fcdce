#include "document/IntegralGenerator.h"
#include "document/Options.h"
#include "document/PredictionLogic.h"
#include "document/StatusTexts.h"
#include "document/SystemFiles.h"
#include "document/TeamList.h"
#include "output/ExportWriter.h"
#include "output/Merger.h"
#include "platform/ColumnDatabase.h"
#include "support/DiskFaults.h"
#include "support/TestSystems.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace TestSystems;

namespace {

// The first fields as given, the rest fixed on 1.
PredictionLogic::Fields fieldsWith(const QStringList& first)
{
    PredictionLogic::Fields fields;
    fields.fill(u"1"_s);
    std::copy(first.begin(), first.end(), fields.begin());
    return fields;
}

// The order stated by the definition: the d-th double by floor(j / 2^d) mod 2, the t-th triple
// by floor(j / 3^t) mod 3, computed column by column.
QByteArray columnByDefinition(const PredictionLogic::Fields& signs, qint64 j)
{
    QByteArray column;
    qint64 doubleBlock = 1, tripleBlock = 1;
    for (const QString& field : signs) {
        const QByteArray s = field.toLatin1();
        if (s.size() == 1) {
            column.append(s[0]);
        } else if (s.size() == 2) {
            column.append(s[(j / doubleBlock) % 2]);
            doubleBlock *= 2;
        } else {
            column.append(s[(j / tripleBlock) % 3]);
            tripleBlock *= 3;
        }
    }
    return column;
}

// Version 0 (old) or 1 (new) of a system: the new one has a third triple, a reduced system,
// other shares and conditions, and so one file more.
SystemDocument version(int v)
{
    QStringList signs(13, u"1"_s);
    for (int i = 0; i < 2 + v; ++i)
        signs[i] = u"1X2"_s;
    SystemDocument document = withPrediction(signs);
    if (v == 1) {
        for (qsizetype i = 0; i < 5; ++i)
            document.WorkColumns.append(document.IntegralColumns.column(i * 5));
        document.ReducedCount = 5;
        document.Quote = 3;
        document.Conditions.set(1, 4.0);
    }
    return document;
}

// One writer of the program in its old (0) or new (1) version, into the application folder
// `app` (systems go to its "Sistemi"), and what the program reads back of it.
struct Writer {
    const char* name;
    const char* stem; // as the error message names the file; nullptr: no message to check
    std::function<bool(const QString& app, int v, QString* error)> write;
    std::function<QByteArray(const QString& app)> read;
};

const std::vector<Writer>& writers()
{
    static const std::vector<Writer> all = {
        {"options", "Opzioni",
         [](const QString& app, int v, QString* error) {
             Options options = Options::dialogDefaults(u"Sistemi"_s);
             options[Options::ColumnCost] = QString::number(v + 0.5);
             return options.write(QDir(app).filePath(Options::fileName()), error);
         },
         [](const QString& app) { return fileContent(QDir(app).filePath(Options::fileName())); }},
        // Two blocks of rows and a tail, so that the engine writes more than once.
        {"reduced columns", "Ridotto",
         [](const QString& app, int v, QString* error) {
             return ColumnDatabase::writeReducedColumns(app, randomColumns(130 + v, 3), error);
         },
         [](const QString& app) {
             ColumnBuffer read;
             ColumnDatabase::readReducedColumns(app, read, nullptr);
             return read.records();
         }},
        // The archive alone is rewritten in place, inside the engine's own transaction.
        {"archive", "ColVin13",
         [](const QString& app, int v, QString* error) {
             return ColumnDatabase::writeWinningRows(
                 app, ColumnDatabase::Database::Archive, 70 + v,
                 [](qsizetype i, ColumnDatabase::WinningRow& row) { row.measures[0] = int(i); },
                 error);
         },
         [](const QString& app) {
             QList<ColumnDatabase::StoredWinningRow> rows;
             ColumnDatabase::readWinningRows(app, ColumnDatabase::Database::Archive, rows, nullptr);
             return QByteArray::number(rows.size());
         }},
        {"merge", "Accorpa",
         [](const QString& app, int v, QString* error) {
             MergedColumns rows;
             return Merger::mergeAndStore(app, version(v).IntegralColumns, rows, error);
         },
         [](const QString& app) {
             MergedColumns rows;
             ColumnDatabase::readMergedRows(app, rows, nullptr);
             return QByteArray::number(rows.count());
         }},
        {"export", "Export",
         [](const QString& app, int v, QString* error) {
             return ExportWriter::exportColumns(app, version(v).IntegralColumns, error);
         },
         [](const QString& app) {
             QList<ColumnDatabase::StoredWinningRow> rows;
             ColumnDatabase::readWinningRows(app, ColumnDatabase::Database::Export, rows, nullptr);
             QByteArray signs;
             for (const auto& row : rows)
                 signs += row.texts[2] + row.texts[3] + row.texts[4];
             return signs;
         }},
        // What Open finds: the loaded system and every file left in the folder.
        {"system", nullptr,
         [](const QString& app, int v, QString*) {
             SystemDocument document = version(v);
             return SystemFiles::save(document, QDir(app).filePath(u"Sistemi"_s));
         },
         [](const QString& app) {
             const QString folder = QDir(app).filePath(u"Sistemi"_s);
             SystemDocument document;
             const auto result = SystemFiles::load(document, folder, u"Prova"_s);
             QByteArray state = QByteArray::number(int(result.status)) + '\n';
             for (const QString& record : document.MatchRecords)
                 state += record.toUtf8() + '\n';
             for (const QVariant& condition : document.Conditions.toList())
                 state += condition.toString().toUtf8() + '\n';
             return state + document.WorkColumns.records() + '\n' +
                    document.IntegralColumns.records() + '\n' + DiskFaults::folderSnapshot(folder);
         }},
    };
    return all;
}

// An application folder holding the old version of what `writer` writes.
std::unique_ptr<QTemporaryDir> withOldVersion(const Writer& writer)
{
    auto app = std::make_unique<QTemporaryDir>();
    QDir(app->path()).mkpath(u"Sistemi"_s);
    return writer.write(app->path(), 0, nullptr) ? std::move(app) : nullptr;
}

QStringList filesOf(const QString& app)
{
    return filesIn(app) + filesIn(QDir(app).filePath(u"Sistemi"_s));
}

} // namespace

class TestDocument : public QObject {
    Q_OBJECT
private slots:
    void integralFollowsTheDefinition_data()
    {
        QTest::addColumn<QStringList>("fields");
        // The typed order of a field orders the columns.
        QTest::newRow("interleaved") << QStringList{"12X", "1X", "X21", "2X",  "1", "X2", "12X",
                                                    "1",   "21", "X",   "2X1", "2", "X1"};
        QTest::newRow("thirteen triples") << allTriples();
    }
    void integralFollowsTheDefinition()
    {
        QFETCH(QStringList, fields);
        const PredictionLogic::Fields signs = fieldsWith(fields);
        qint64 count = 1;
        for (const QString& field : signs)
            count *= field.size();
        const ColumnBuffer columns = IntegralGenerator::generate(signs);
        QCOMPARE(IntegralGenerator::integralCount(signs), count);
        QCOMPARE(columns.count(), count);
        for (qsizetype j = 0; j < columns.count(); ++j) {
            if (columns.column(j) != columnByDefinition(signs, j))
                QCOMPARE(columns.column(j).toByteArray(), columnByDefinition(signs, j));
        }
    }

    void predictionValidation_data()
    {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QString>("message"); // empty: valid
        const QString empty = u"Una o più caselle vuote !"_s;
        const QString doubles = u"Ripetizione segni su Doppie!"_s;
        const QString triples = u"Ripetizione segni su Triple!"_s;
        QTest::newRow("valid") << QStringList{"1X", "12X", "2", "X2"} << QString();
        QTest::newRow("empty field") << QStringList{"1", ""} << empty;
        QTest::newRow("blanks only") << QStringList{"1", "  "} << empty;
        QTest::newRow("empty after a repetition") << QStringList{"11", "", "1X1"} << empty;
        QTest::newRow("double 11") << QStringList{"11"} << doubles;
        QTest::newRow("double XX late") << QStringList{"1", "2", "1X", "XX"} << doubles;
        QTest::newRow("triple 1X1") << QStringList{"1X1"} << triples;
        QTest::newRow("triple 11X") << QStringList{"11X"} << triples;
        QTest::newRow("triple X22") << QStringList{"X22"} << triples;
        QTest::newRow("first repetition wins") << QStringList{"1X1", "22"} << triples;
        QTest::newRow("double with a blank") << QStringList{" 1"} << QString();
        QTest::newRow("triple around a blank") << QStringList{"1 1"} << triples;
    }
    void predictionValidation()
    {
        QFETCH(QStringList, first);
        QFETCH(QString, message);
        QCOMPARE(PredictionLogic::validationError(fieldsWith(first)).value_or(QString()), message);
    }

    // The first fields | column cost | fixed, doubles, triples, integral, euro and lire texts.
    void recountAndCostTexts_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("one double one triple") << u"1X 12X|0.5|11|1|1| 6|3 €|5808.81 £"_s;
        QTest::newRow("two doubles one triple") << u"1X X2 12X|0.5|10|2|1| 12|6 €|11617.62 £"_s;
        QTest::newRow("all fixed: no system") << u"1|0.5|13|0|0| 0|0 €|0 £"_s;
        QTest::newRow("one triple, unrounded lire") << u"12X|0.5|12|0|1| 3|1.5 €|2904.405 £"_s;
        QTest::newRow("empty fields count nothing") << u" 1X |1|10|1|0| 2|2 €|3872.54 £"_s;
        QTest::newRow("no cost") << u"1X||12|1|0| 2|0 €|0 £"_s;
        QTest::newRow("13 triples") << QStringList(13, u"12X"_s).join(u' ') +
                                           u"|0.5|0|0|13| 1594323|797161.5 €|1543519897.605 £"_s;
    }
    void recountAndCostTexts()
    {
        QFETCH(QString, row);
        const QStringList fields = row.split(u'|');
        Options options;
        options[Options::ColumnCost] = fields[1];
        const PredictionLogic::LabelTexts texts = PredictionLogic::labelTexts(
            PredictionLogic::recount(fieldsWith(fields[0].split(u' '))), options.columnCost());
        QCOMPARE((QStringList{texts.fixed, texts.doubles, texts.triples, texts.integral, texts.euro,
                              texts.lire}),
                 fields.mid(2));
    }

    void statusPanels()
    {
        const QLocale italian(QLocale::Italian, QLocale::Italy);
        SystemDocument document;
        const auto integral = [&] {
            const auto panels = StatusTexts::integralPanels(document, 0.5, italian);
            return QStringList(panels.begin(), panels.end());
        };
        QCOMPARE(integral(), QStringList(4, QString()));
        document.IntegralCount = 1594323;
        document.NumTriple = 13;
        // 797161.5 x 1936.27 = 1543519897.605, rounded up
        QCOMPARE(integral(),
                 (QStringList{"Colonne: 1.594.323", "Costo (€): 797.161,50",
                              "Costo (£): 1.543.519.898", "Fi=0      Do=0      Tr=13"}));

        document.IntegralCount = 729;
        document.ReducedCount = 10;
        document.Quote = 4;
        auto status = StatusTexts::reducedStatus(document, 0.5, italian);
        QVERIFY(status.hasReduced && !status.merged);
        QCOMPARE(QStringList(status.panels.begin(), status.panels.end()),
                 (QStringList{"Colonne: 10", "Costo (€): 5,00", "Costo (£): 9.681", "Rid. : 1 %",
                              "Quote: 4", "Car. (€): 1,25", ""}));
        QCOMPARE(status.sharesCaption, u"&Quote (4)"_s);
        QCOMPARE(status.slipCount, 3.0); // Int(10 / 4 + 0.9)
        document.MergedCount = 5;
        status = StatusTexts::reducedStatus(document, 0.5, italian);
        QVERIFY(status.merged);
        QCOMPARE(status.panels[6], u"Accorpate: 5"_s);
        QCOMPARE(status.slipCount, 2.0); // Int(5 / 4 + 0.9) = Int(2.15)
        document.ReducedCount = 0;
        status = StatusTexts::reducedStatus(document, 0.5, italian);
        QVERIFY(!status.hasReduced);
        QVERIFY(status.panels[0].isEmpty());
    }

    void savedSystemReadsBackByteForByte_data()
    {
        QTest::addColumn<QStringList>("signs");
        QTest::addColumn<ColumnBuffer>("reduced");
        QTest::newRow("one reduced column") << Prediction << columnsOf({"X12X1X12X12X1"});
        // 3^11 columns make a .ntg of 3 MB, read through several buffer refills.
        QStringList large = allTriples();
        large[0] = u"1"_s;
        large[7] = u"X"_s;
        QByteArray records = randomColumns(1234, 5).records();
        for (qsizetype i = 0; i < records.size(); i += ColumnBuffer::Width) {
            records[i] = '1';
            records[i + 7] = 'X';
        }
        QTest::newRow("large") << large << ColumnBuffer(records);
    }
    void savedSystemReadsBackByteForByte()
    {
        QFETCH(QStringList, signs);
        QFETCH(ColumnBuffer, reduced);
        QTemporaryDir first, second;
        SystemDocument document = withPrediction(signs, u"Giro"_s);
        document.Quote = 12;
        document.EnableFlags = u"1101001"_s;
        document.NumConcorso = u"27"_s;
        document.DataConcorso = u"06/12/2026"_s;
        document.Conditions.set(1, 3.0);
        document.Conditions.set(25, u"2X1"_s);
        document.Conditions.set(26, u"4-5-11"_s);
        document.Conditions.set(27, u"S"_s);
        document.WorkColumns = reduced;
        document.ReducedCount = qint32(reduced.count());
        document.Modified = 1;
        QVERIFY(SystemFiles::save(document, first.path()));
        QCOMPARE(document.Modified, 0);

        SystemDocument loaded;
        QCOMPARE(SystemFiles::load(loaded, first.path(), u"Giro"_s).status,
                 SystemFiles::LoadStatus::Ok);
        QCOMPARE(columnsText(loaded.WorkColumns), columnsText(reduced));
        QCOMPARE(std::pair(loaded.NumDoppie, loaded.NumTriple),
                 std::pair(document.NumDoppie, document.NumTriple));

        // Saved again, what was read gives the same files.
        loaded.SystemName = u"Giro"_s;
        QVERIFY(SystemFiles::save(loaded, second.path()));
        for (const char* name : {"Giro.pro", "Giro.cnd", "Giro.cln", "Giro.ntg"})
            QCOMPARE(fileContent(second.filePath(QLatin1String(name))),
                     fileContent(first.filePath(QLatin1String(name))));
        // The integral system is the same at every save: a .ntg that holds it is left in
        // place, one that differs from it by a sign is written anew.
        const auto inode = [&](const char* name) {
            struct stat status {};
            ::stat(QFile::encodeName(first.filePath(QLatin1String(name))).constData(), &status);
            return status.st_ino;
        };
        const ino_t ntg = inode("Giro.ntg");
        QVERIFY(SystemFiles::save(loaded, first.path()));
        QCOMPARE(inode("Giro.ntg"), ntg);
        QFile altered(first.filePath(u"Giro.ntg"_s));
        QVERIFY(altered.open(QIODevice::ReadWrite) && altered.seek(altered.size() - 4));
        QCOMPARE(altered.write("9"), 1);
        altered.close();
        QVERIFY(SystemFiles::save(loaded, first.path()));
        QCOMPARE(fileContent(first.filePath(u"Giro.ntg"_s)),
                 fileContent(second.filePath(u"Giro.ntg"_s)));
        const QByteArray pro = fileContent(first.filePath(u"Giro.pro"_s));
        QCOMPARE(pro.left(37),
                 '"' + QByteArray(" " + QByteArray::number(reduced.count())).leftJustified(33) +
                     "\"\r\n");
        QVERIFY(pro.endsWith(
            "\"1101001                          \"\r\n\"2706/12/2026                     \"\r\n"));
        QVERIFY(fileContent(first.filePath(u"Giro.cnd"_s)).startsWith("12\r\n3\r\n0\r\n"));
        QVERIFY(fileContent(first.filePath(u"Giro.cnd"_s))
                    .contains("\r\n\"2X1\"\r\n\"4-5-11\"\r\n\"S\"\r\n"));
        if (signs == Prediction)
            QVERIFY(pro.contains("\"\r\n\"CASA 1         OSPITE 1       1X \"\r\n"));
    }

    void systemFilesWithoutColumns()
    {
        QTemporaryDir dir;
        SystemDocument document = withPrediction(QStringList(13, u"1"_s), u"F"_s);
        QCOMPARE(document.IntegralCount, 0);
        QVERIFY(SystemFiles::save(document, dir.path()));
        QCOMPARE(filesIn(dir.path()), (QStringList{"F.cnd", "F.ntg", "F.pro"}));
        QCOMPARE(fileContent(dir.filePath(u"F.ntg"_s)), QByteArray());

        // A column file shorter than its count is malformed.
        document = withPrediction(Prediction, u"T"_s);
        QVERIFY(SystemFiles::save(document, dir.path()));
        QFile ntg(dir.filePath(u"T.ntg"_s));
        QVERIFY(ntg.resize(17 * 5));
        SystemDocument loaded;
        QCOMPARE(SystemFiles::load(loaded, dir.path(), u"T"_s).status,
                 SystemFiles::LoadStatus::Malformed);
    }

    void interruptedWritesLeaveTheOldOrTheNewVersion_data()
    {
        QTest::addColumn<int>("writer");
        QTest::addColumn<bool>("crash");
        for (int i = 0; i < int(writers().size()); ++i) {
            QTest::addRow("%s, disk full", writers()[i].name) << i << false;
            if (QByteArrayView(writers()[i].name) != "archive")
                QTest::addRow("%s, program stopped", writers()[i].name) << i << true;
        }
    }
    void interruptedWritesLeaveTheOldOrTheNewVersion()
    {
        QFETCH(int, writer);
        QFETCH(bool, crash);
        const Writer& w = writers()[writer];
        const auto clean = withOldVersion(w);
        QVERIFY(clean);
        const QByteArray oldState = w.read(clean->path());
        const QStringList oldFiles = filesOf(clean->path());
        const QList<DiskFaults::Step> steps =
            DiskFaults::stepsOf([&] { QVERIFY(w.write(clean->path(), 1, nullptr)); });
        const QByteArray newState = w.read(clean->path());
        QVERIFY(newState != oldState);
        // A new file takes the old one's name only once it is on disk, and the name change is
        // put on disk at once.
        const qsizetype rename = steps.indexOf(DiskFaults::Step::Rename);
        QCOMPARE(rename < 0, QByteArrayView(w.name) == "archive");
        if (rename >= 0) {
            QVERIFY(steps.mid(0, rename).contains(DiskFaults::Step::Sync));
            QCOMPARE(steps.value(rename + 1), DiskFaults::Step::SyncFolder);
        }

        int endedNew = 0;
        for (int k = 1; k <= steps.size(); ++k) {
            const auto app = withOldVersion(w);
            QVERIFY(app);
            QString error;
            bool written = false;
            if (crash)
                QVERIFY(DiskFaults::crashingAt(k, [&] { w.write(app->path(), 1, nullptr); }));
            else
                written = DiskFaults::failingAt(k, ENOSPC,
                                                [&] { return w.write(app->path(), 1, &error); });
            // Up to the first name change nothing has changed, and a failure there is reported
            // (a leftover that cannot be removed is harmless).
            const QByteArray state = w.read(app->path());
            const bool mayBeNew = written || (rename >= 0 && k - 1 > rename);
            QVERIFY(!written || k - 1 > rename || steps[k - 1] == DiskFaults::Step::Remove);
            QVERIFY2((mayBeNew && state == newState) || (!written && state == oldState),
                     qPrintable(u"step %1 of %2 %3"_s.arg(k).arg(steps.size()).arg(error)));
            endedNew += state == newState;
            if (crash || written)
                continue;
            if (w.stem)
                QVERIFY2(error.contains(u"disco pieno"_s) && error.contains(QLatin1String(w.stem)),
                         qPrintable(error));
            if (steps[k - 1] != DiskFaults::Step::Remove)
                QVERIFY(filesOf(app->path()) == oldFiles ||
                        filesOf(app->path()) == filesOf(clean->path()));
        }
        if (crash)
            QVERIFY(endedNew > 0 && endedNew < steps.size());
    }

    void permissionsAreThoseOfTheFileReplaced()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(Options::fileName());
        // A group-writable file under a umask that takes group writing away from new files.
        const mode_t umask = ::umask(022);
        const Options options = Options::dialogDefaults(u"Sistemi"_s);
        QVERIFY(options.write(path));
        const auto mode = [&] {
            struct stat status {};
            ::stat(QFile::encodeName(path).constData(), &status);
            return status.st_mode & 0777;
        };
        QCOMPARE(mode(), 0644u);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0664) == 0);
        QVERIFY(options.write(path));
        ::umask(umask);
        QCOMPARE(mode(), 0664u);
    }

    // A real refusal of the system: a file that may grow no further.
    void refusedWritesKeepTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(TeamList::fileName());
        std::array<QString, TeamList::Count> names;
        QVERIFY(TeamList::write(path, names));
        const pid_t child = ::fork();
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{512, 512};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            names.fill(u"NOME LUNGO"_s);
            QString error;
            const bool written = TeamList::write(path, names, &error);
            ::_exit(!written && error.contains(u"file troppo grande"_s) ? 0 : 1);
        }
        int status = -1;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        QCOMPARE(fileContent(path), QByteArray("\"\"\r\n").repeated(TeamList::Count));
        QCOMPARE(filesIn(dir.path()), QStringList{TeamList::fileName()});
    }
};

QTEST_GUILESS_MAIN(TestDocument)
#include "testDocument.moc"
