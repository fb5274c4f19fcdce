#include "document/Options.h"
#include "document/TeamList.h"
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

using DiskFaults::Step;

namespace {

// Version `v` of a file one writer keeps, and the program's own reading of it.
struct Writer {
    const char* file;
    std::function<bool(const QString& folder, int v, QString* error)> write;
    std::function<QByteArray(const QString& folder)> read;
};

ColumnBuffer columns(int count)
{
    ColumnBuffer buffer;
    for (int i = 0; i < count; ++i) {
        QByteArray column;
        for (int k = 0, rest = i; k < ColumnBuffer::Width; ++k, rest /= 3)
            column += "1X2"[rest % 3];
        buffer.append(column);
    }
    return buffer;
}

QByteArray content(const QString& folder, const char* file)
{
    return TestSystems::fileContent(QDir(folder).filePath(QString::fromLatin1(file)));
}

const std::vector<Writer>& writers()
{
    static const std::vector<Writer> all = {
        {"Opzioni.sys",
         [](const QString& folder, int v, QString* error) {
             Options options = Options::dialogDefaults(QStringLiteral("Sistemi"));
             options[Options::ColumnCost] = QString::number(v + 0.5);
             return options.write(QDir(folder).filePath(Options::fileName()), error);
         },
         [](const QString& folder) { return content(folder, "Opzioni.sys"); }},
        {"Squadre.sys",
         [](const QString& folder, int v, QString* error) {
             std::array<QString, TeamList::Count> names;
             names.fill(QStringLiteral("SQUADRA %1").arg(v));
             return TeamList::write(QDir(folder).filePath(TeamList::fileName()), names, error);
         },
         [](const QString& folder) { return content(folder, "Squadre.sys"); }},
        // Two blocks of rows and a tail, so that the engine writes more than once.
        {"Ridotto.mdb",
         [](const QString& folder, int v, QString* error) {
             return ColumnDatabase::writeReducedColumns(folder, columns(130 + v), error);
         },
         [](const QString& folder) {
             ColumnBuffer read;
             ColumnDatabase::readReducedColumns(folder, read, nullptr);
             return read.records();
         }},
        {"ColVin13.mdb",
         [](const QString& folder, int v, QString* error) {
             return ColumnDatabase::writeWinningRows(
                 folder, ColumnDatabase::Database::Archive, 70 + v,
                 [](qsizetype i, ColumnDatabase::WinningRow& row) { row.measures[0] = int(i); },
                 error);
         },
         [](const QString& folder) {
             QList<ColumnDatabase::StoredWinningRow> rows;
             ColumnDatabase::readWinningRows(folder, ColumnDatabase::Database::Archive, rows,
                                             nullptr);
             return QByteArray::number(rows.size());
         }},
    };
    return all;
}

} // namespace

class TestSafeWrites : public QObject {
    Q_OBJECT
private slots:
    void fullDiskAtAnyStepKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("writer");
        for (int i = 0; i < int(writers().size()); ++i)
            QTest::newRow(writers()[i].file) << i;
    }
    void fullDiskAtAnyStepKeepsTheOldFile()
    {
        QFETCH(int, writer);
        const Writer& w = writers()[writer];
        const auto withOldFile = [&](QTemporaryDir& dir) {
            QVERIFY(w.write(dir.path(), 0, nullptr));
        };
        QTemporaryDir clean;
        withOldFile(clean);
        const QByteArray oldState = w.read(clean.path());
        const QStringList files = QDir(clean.path()).entryList(QDir::Files);
        const QList<Step> steps =
            DiskFaults::stepsOf([&] { QVERIFY(w.write(clean.path(), 1, nullptr)); });
        const QByteArray newState = w.read(clean.path());
        QVERIFY(newState != oldState);
        QCOMPARE(QDir(clean.path()).entryList(QDir::Files), files);
        // A new file takes the old one's name only once it is on disk, and the name change is
        // put on disk at once.
        // The archive alone is rewritten in place, inside the engine's own transaction.
        const qsizetype rename = steps.indexOf(Step::Rename);
        QCOMPARE(rename >= 0, QByteArray(w.file) != "ColVin13.mdb");
        if (rename >= 0) {
            QVERIFY(steps.mid(0, rename).contains(Step::Sync));
            QCOMPARE(steps.value(rename + 1), Step::SyncFolder);
        }

        for (int k = 1; k <= steps.size(); ++k) {
            QTemporaryDir dir;
            withOldFile(dir);
            QString error;
            const bool written =
                DiskFaults::failingAt(k, ENOSPC, [&] { return w.write(dir.path(), 1, &error); });
            const QByteArray state = w.read(dir.path());
            const bool renamed = rename >= 0 && k - 1 > rename;
            QVERIFY2(state == (written || renamed ? newState : oldState), qPrintable(error));
            if (!written) {
                QVERIFY2(error.contains(QStringLiteral("disco pieno")), qPrintable(error));
                QVERIFY2(error.contains(QString::fromLatin1(w.file).chopped(4)), qPrintable(error));
            }
            if (steps[k - 1] != Step::Remove)
                QCOMPARE(QDir(dir.path()).entryList(QDir::Files), files);
        }
    }

    void permissionsAreThoseOfTheFileReplaced()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(Options::fileName());
        const mode_t umask = ::umask(027);
        const Options options = Options::dialogDefaults(QStringLiteral("Sistemi"));
        QVERIFY(options.write(path));
        const auto mode = [&] {
            struct stat status {};
            ::stat(QFile::encodeName(path).constData(), &status);
            return status.st_mode & 0777;
        };
        QCOMPARE(mode(), 0640u);
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(options.write(path));
        ::umask(umask);
        QCOMPARE(mode(), 0600u);
    }

    // A real refusal of the kernel, not one of the seam: the file may grow no further.
    void writeRefusedByTheSystemKeepsTheOldFile()
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
            names.fill(QStringLiteral("NOME LUNGO"));
            QString error;
            const bool written = TeamList::write(path, names, &error);
            ::_exit(!written && error.contains(QStringLiteral("file troppo grande")) ? 0 : 1);
        }
        int status = -1;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(TestSystems::fileContent(path), QByteArray("\"\"\r\n").repeated(TeamList::Count));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{TeamList::fileName()});
    }
};

QTEST_GUILESS_MAIN(TestSafeWrites)
#include "testSafeWrites.moc"
