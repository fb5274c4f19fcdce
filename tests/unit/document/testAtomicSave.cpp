#include "document/SystemFiles.h"
#include "output/ExportWriter.h"
#include "output/Merger.h"
#include "platform/ColumnDatabase.h"
#include "support/DiskFaults.h"
#include "support/TestSystems.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using DiskFaults::Step;

namespace {

// Version 0 (old) or 1 (new) of a system: the new one has a third triple, a reduced system,
// other shares and conditions, and so one file more.
SystemDocument version(int v)
{
    QStringList signs(13, QStringLiteral("1"));
    for (int i = 0; i < 2 + v; ++i)
        signs[i] = QStringLiteral("1X2");
    SystemDocument document = TestSystems::withPrediction(signs);
    if (v == 1) {
        for (qsizetype i = 0; i < 5; ++i)
            document.WorkColumns.append(document.IntegralColumns.column(i * 5));
        document.ReducedCount = 5;
        document.Quote = 3;
        document.Conditions.set(1, 4.0);
    }
    return document;
}

// What Open finds in the systems folder of `root`: the loaded system and every file left there.
QByteArray openedSystem(const QString& root)
{
    const QString folder = QDir(root).filePath(QStringLiteral("Sistemi"));
    SystemDocument document;
    const auto result = SystemFiles::load(document, folder, QStringLiteral("Prova"));
    QByteArray state = QByteArray::number(int(result.status)) + '\n';
    for (const QString& record : document.MatchRecords)
        state += record.toUtf8() + '\n';
    for (const QVariant& condition : document.Conditions.toList())
        state += condition.toString().toUtf8() + '\n';
    return state + document.WorkColumns.records() + '\n' + document.IntegralColumns.records() +
           '\n' + DiskFaults::folderSnapshot(folder);
}

QString appOf(const QString& root)
{
    return QDir(root).filePath(QStringLiteral("app"));
}

// One operation that writes, run in its old or new version, and how the program reads back
// what it wrote: one text per file or database.
struct Operation {
    const char* name;
    std::function<bool(const QString& root, int v)> run;
    std::function<QList<QByteArray>(const QString& root)> read;
};

bool saveSystem(const QString& root, int v)
{
    SystemDocument document = version(v);
    return SystemFiles::save(document, QDir(root).filePath(QStringLiteral("Sistemi")));
}

const std::vector<Operation>& operations()
{
    static const std::vector<Operation> all = {
        {"save", saveSystem, [](const QString& root) { return QList{openedSystem(root)}; }},
        {"reduction",
         [](const QString& root, int v) {
             return ColumnDatabase::writeReducedColumns(appOf(root), version(v).WorkColumns,
                                                        nullptr) &&
                    saveSystem(root, v);
         },
         [](const QString& root) {
             ColumnBuffer reduced;
             ColumnDatabase::readReducedColumns(appOf(root), reduced, nullptr);
             return QList{reduced.records(), openedSystem(root)};
         }},
        {"merge",
         [](const QString& root, int v) {
             MergedColumns rows;
             return Merger::mergeAndStore(appOf(root), version(v).IntegralColumns, rows, nullptr);
         },
         [](const QString& root) {
             MergedColumns rows;
             ColumnDatabase::readMergedRows(appOf(root), rows, nullptr);
             return QList{QByteArray::number(rows.count())};
         }},
        {"export",
         [](const QString& root, int v) {
             return ExportWriter::exportColumns(appOf(root), version(v).IntegralColumns, nullptr);
         },
         [](const QString& root) {
             QList<ColumnDatabase::StoredWinningRow> rows;
             ColumnDatabase::readWinningRows(appOf(root), ColumnDatabase::Database::Export, rows,
                                             nullptr);
             QByteArray signs;
             for (const auto& row : rows)
                 signs += row.texts[2] + row.texts[3] + row.texts[4];
             return QList{signs};
         }},
    };
    return all;
}

// A folder holding the old version of what `operation` writes.
std::unique_ptr<QTemporaryDir> withOldVersion(const Operation& operation)
{
    auto root = std::make_unique<QTemporaryDir>();
    QDir(root->path()).mkpath(QStringLiteral("Sistemi"));
    QDir(root->path()).mkpath(QStringLiteral("app"));
    if (!operation.run(root->path(), 0))
        return nullptr;
    return root;
}

} // namespace

class TestAtomicSave : public QObject {
    Q_OBJECT
private slots:
    void interruptedAtAnyStepReadsOldOrNew_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<bool>("crash");
        for (int i = 0; i < int(operations().size()); ++i) {
            QTest::addRow("%s, disk failing", operations()[i].name) << i << false;
            QTest::addRow("%s, program stopping", operations()[i].name) << i << true;
        }
    }
    void interruptedAtAnyStepReadsOldOrNew()
    {
        QFETCH(int, operation);
        QFETCH(bool, crash);
        const Operation& op = operations()[operation];
        const auto clean = withOldVersion(op);
        QVERIFY(clean);
        const QList<QByteArray> oldState = op.read(clean->path());
        const QList<Step> steps = DiskFaults::stepsOf([&] { QVERIFY(op.run(clean->path(), 1)); });
        const QList<QByteArray> newState = op.read(clean->path());
        QVERIFY(steps.contains(Step::Rename));

        int endedNew = 0;
        for (int k = 1; k <= steps.size(); ++k) {
            const auto root = withOldVersion(op);
            QVERIFY(root);
            bool completed = false;
            if (crash)
                QVERIFY(DiskFaults::crashingAt(k, [&] { op.run(root->path(), 1); }));
            else
                completed = DiskFaults::failingAt(k, EIO, [&] { return op.run(root->path(), 1); });
            const QList<QByteArray> state = op.read(root->path());
            for (qsizetype part = 0; part < state.size(); ++part) {
                QVERIFY2(state[part] == newState[part] ||
                             (!completed && state[part] == oldState[part]),
                         qPrintable(QStringLiteral("step %1 of %2, part %3")
                                        .arg(k)
                                        .arg(steps.size())
                                        .arg(part)));
            }
            endedNew += state.last() == newState.last();
        }
        // Interruptions before the new version was committed, and after.
        QVERIFY(endedNew > 0 && endedNew < steps.size());
    }
};

QTEST_GUILESS_MAIN(TestAtomicSave)
#include "testAtomicSave.moc"
