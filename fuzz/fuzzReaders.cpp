// Feeds mutated copies of valid files to every file reader of the program. Each input must be
// refused with an Italian message, or taken and then written back to a file that reads again.
// A crash or sanitizer report ends the run; an input that takes longer than the watchdog allows
// ends it too, and the input stays in the work folder printed at the start.
//
//   fuzzReaders [--inputs N] [--seed S] [--reader Giro.pro|Giro.cnd|...|ColonneVincenti.csv]

#include "archive/ArchiveCsv.h"
#include "document/Options.h"
#include "document/SystemFiles.h"
#include "document/TeamList.h"
#include "output/SlipCalibration.h"
#include "platform/Cp1252.h"
#include "support/TestSystems.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <random>

#include <unistd.h>

namespace {

std::mt19937_64 rng;

qsizetype below(qsizetype n)
{
    return n <= 0 ? 0 : qsizetype(rng() % quint64(n));
}

// Values on or past the edges of what the files hold, and texts that mix the two encodings.
const QList<QByteArray> Tokens =
    QByteArray("1e999 -1e999 nan inf 1e308 -0 2147483648 1594323 1594324 2000000000 -1 0 255 256 "
               "300 99 100 2.5 9999 10000 1e . 1X2 x ABCDEFGHIJKLM 1X21X21X21X21 4-5-11 0-14 S "
               "1111111 10x0000 \" \xC3\x80 \xC0 \xE2\x82\xAC \x80 \xEF\xBB\xBF \xC3 "
               "\xF0\x9F\x98\x80 \xED\xA0\x80 \xC0\xAF")
        .split(' ') +
    QList<QByteArray>{QByteArray(400, '9'), QByteArray(8, '\0')};

QByteArray token()
{
    const QByteArray& t = Tokens[below(Tokens.size())];
    const qsizetype form = below(3);
    return form == 0 ? t : form == 1 ? '"' + t + '"' : "\" " + t.leftJustified(32) + '"';
}

void mutateOnce(QByteArray& data)
{
    const qsizetype at = below(data.size() + 1);
    QList<QByteArray> lines = data.split('\n');
    const qsizetype line = below(lines.size());
    switch (below(10)) {
    case 0: // bit flip
        if (!data.isEmpty())
            data[at % data.size()] ^= char(1 << below(8));
        return;
    case 1: // random byte
        if (!data.isEmpty())
            data[at % data.size()] = char(below(256));
        return;
    case 2:
        data.truncate(at);
        return;
    case 3:
        data.insert(at, token());
        return;
    case 4: // the whole file as a text editor saves it in UTF-8
        data = Cp1252::decode(data).toUtf8();
        return;
    case 5: // line ends changed
        data.replace("\r\n", below(2) ? "\n" : "\r");
        return;
    case 6: // a line repeated, now and then past the largest file of its kind
        lines.insert(line, below(16) ? 1 + below(3) : 1 + below(5000), lines[line]);
        break;
    case 7:
        lines.removeAt(line);
        break;
    case 8:
        lines[line] = token() + '\r';
        break;
    default:
        lines.swapItemsAt(line, below(lines.size()));
        break;
    }
    data = lines.join('\n');
}

bool italian(const QString& message)
{
    return message.startsWith(QLatin1String("Il File ")) ||
           message.startsWith(QLatin1String("Il file ")) ||
           message.startsWith(QLatin1String("Segno "));
}

QString In;  // the folder of the files read
QString Out; // where what was taken is written and read again
const QString Giro = QStringLiteral("Giro");
const QString ArchiveCsvName = QStringLiteral("ColonneVincenti.csv");

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// What went wrong with one input: empty when it was refused with an Italian message, or taken
// and then written to a file that reads again.
QString check(const QString& file, bool& refused)
{
    QString error;
    bool readBack = false;
    if (file == Options::fileName()) {
        Options options;
        Options again;
        refused = !options.read(QDir(In).filePath(file), QStringLiteral("/s"), &error);
        readBack = refused || (options.write(QDir(Out).filePath(file)) &&
                               again.read(QDir(Out).filePath(file), QStringLiteral("/s"), &error));
    } else if (file == TeamList::fileName()) {
        TeamList teams;
        TeamList again;
        refused = !teams.read(QDir(In).filePath(file), &error);
        std::array<QString, TeamList::Count> names;
        for (int k = 1; k <= TeamList::Count; ++k)
            names[k - 1] = teams.name(k);
        readBack = refused || (TeamList::write(QDir(Out).filePath(file), names) &&
                               again.read(QDir(Out).filePath(file), &error));
    } else if (file == ArchiveCsvName) {
        // Refused lines are the reader's answer too; what it takes must export and read back
        // as the same records, with nothing refused.
        ArchiveCsv::Parsed parsed;
        refused = !ArchiveCsv::readFile(QDir(In).filePath(file), parsed, &error);
        QList<ArchiveRecord> records;
        for (const ArchiveRecord::TypedFields& typed : parsed.records)
            records << ArchiveRecord::fromTyped(typed);
        const QString again = QDir(Out).filePath(file);
        ArchiveCsv::Parsed reread;
        readBack = refused || (writeBytes(again, ArchiveCsv::format(records)) &&
                               ArchiveCsv::readFile(again, reread, &error) &&
                               reread.refusedCount == 0 && reread.records == parsed.records);
        if (!refused && parsed.refusedCount > 0)
            error = parsed.refused.constFirst().reason;
    } else if (file == SlipCalibration::fileName()) {
        // The calibration is never refused: what cannot be read falls back to the defaults.
        const SlipCalibration calibration = SlipCalibration::read(QDir(In).filePath(file));
        refused = false;
        readBack = calibration.write(QDir(Out).filePath(file), &error) &&
                   SlipCalibration::read(QDir(Out).filePath(file)) == calibration;
    } else {
        SystemDocument document;
        SystemDocument again;
        const SystemFiles::LoadResult loaded = SystemFiles::load(document, In, Giro);
        refused = loaded.status != SystemFiles::LoadStatus::Ok;
        error = loaded.message;
        document.SystemName = Giro;
        readBack =
            refused || (SystemFiles::save(document, Out, &error) &&
                        SystemFiles::load(again, Out, Giro).status == SystemFiles::LoadStatus::Ok);
    }
    if (refused)
        return italian(error) ? QString() : QStringLiteral("refused with: ") + error;
    return readBack ? QString() : QStringLiteral("taken but not read back: ") + error;
}

// The seeds: a system with doubles, triples, a sequence and reduced columns, and the settings.
void writeSeeds(const QString& folder)
{
    SystemDocument system = TestSystems::withPrediction(
        {"1X", "12X", "2", "X", "1", "X2", "1", "1X2", "X", "1", "2", "X", "12"}, Giro);
    system.setAwayTeam(2, QStringLiteral("CITTÀ"));
    system.Conditions.set(ConditionSet::sequenceIndex(0), QStringLiteral("2X1"));
    system.Conditions.set(ConditionSet::sequenceIndex(0) + 1, QStringLiteral("4-5-11"));
    system.Conditions.set(ConditionSet::sequenceIndex(0) + 2, QStringLiteral("S"));
    system.Conditions.set(2, 9.0);
    system.Quote = 12;
    for (qsizetype i = 0; i < system.IntegralColumns.count(); i += 5)
        system.WorkColumns.append(system.IntegralColumns.column(i));
    system.ReducedCount = qint32(system.WorkColumns.count());
    SystemFiles::save(system, folder);
    Options options = Options::dialogDefaults(QStringLiteral("/home/utente/Sistemi"));
    options[Options::StatsLastColumns] = QStringLiteral("50");
    options.write(QDir(folder).filePath(Options::fileName()));
    std::array<QString, TeamList::Count> teams;
    for (int k = 1; k <= TeamList::Count; ++k)
        teams[k - 1] = k == 7 ? QStringLiteral("CITTÀ €") : TeamList::defaultName(k);
    TeamList::write(QDir(folder).filePath(TeamList::fileName()), teams);
    SlipCalibration{-0.7, 1.5, 1.8}.write(QDir(folder).filePath(SlipCalibration::fileName()));
    writeBytes(QDir(folder).filePath(ArchiveCsvName),
               "Anno;Conc;Colonna;Serie;Post\r\n2004-2005;7;1X2X11X2-1X21;ABC;No\r\n"
               "'=1+2+3+45;'=1;'-X2X11X2-1X21;IND;Si\r\n\"2004;2005\";8;XXXXXXXXXXXXX;A__;si\r\n"
               "2005-2006,9,1,X,2,X,1,1,X,2,-,1,X,2,1,BOC,Sì\n");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // a long run shows how far it has got
    const QStringList arguments = app.arguments();
    const auto option = [&](const char* name, qint64 otherwise) {
        const qsizetype at = arguments.indexOf(QLatin1String(name));
        return at > 0 && at + 1 < arguments.size() ? arguments[at + 1].toLongLong() : otherwise;
    };
    const qint64 inputs = option("--inputs", 5000);
    rng.seed(quint64(option("--seed", 13)));

    // Inputs go to memory when the machine offers it: a long run writes millions of files.
    const QString base =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    QTemporaryDir work(base + QStringLiteral("/fuzzReaders-XXXXXX"));
    In = work.filePath(QStringLiteral("in"));
    Out = work.filePath(QStringLiteral("out"));
    QDir().mkpath(In);
    QDir().mkpath(Out);
    writeSeeds(In);
    std::printf("%lld inputs per reader, in %s\n", inputs, qPrintable(work.path()));

    int faults = 0;
    for (const QString& name :
         {QStringLiteral("Giro.pro"), QStringLiteral("Giro.cnd"), QStringLiteral("Giro.cln"),
          QStringLiteral("Giro.ntg"), Options::fileName(), TeamList::fileName(),
          SlipCalibration::fileName(), ArchiveCsvName}) {
        if (const qsizetype at = arguments.indexOf(QLatin1String("--reader"));
            at > 0 && arguments.value(at + 1) != name)
            continue;
        const QString path = QDir(In).filePath(name);
        QFile seedFile(path);
        seedFile.open(QIODevice::ReadOnly);
        const QByteArray seed = seedFile.readAll();
        seedFile.close();
        bool refused = false;
        if (const QString fault = check(name, refused); refused || !fault.isEmpty()) {
            std::printf("%s: the seed itself is not taken %s\n", qPrintable(name),
                        qPrintable(fault));
            return 1;
        }
        qint64 refusals = 0;
        QElapsedTimer timer;
        timer.start();
        for (qint64 i = 0; i < inputs; ++i) {
            QByteArray input = seed;
            for (qsizetype round = 1 + below(3); round > 0; --round)
                mutateOnce(input);
            if (!writeBytes(path, input))
                return 1;
            ::alarm(20); // a hang ends the run with the signal, the input left in place
            const QString fault = check(name, refused);
            ::alarm(0);
            refusals += refused;
            if ((i + 1) % 100000 == 0)
                std::printf("%s: %lld inputs so far, %lld refused, %.1f s\n", qPrintable(name),
                            i + 1, refusals, timer.elapsed() / 1000.0);
            if (!fault.isEmpty()) {
                ++faults;
                const QString kept = QStringLiteral("fuzz-fault-%1-%2").arg(name).arg(i);
                writeBytes(kept, input);
                std::printf("%s input %lld: %s (kept in %s)\n", qPrintable(name), i,
                            qPrintable(fault), qPrintable(kept));
            }
        }
        writeBytes(path, seed);
        std::printf("%s: %lld inputs, %lld refused, %lld taken, %.1f s\n", qPrintable(name), inputs,
                    refusals, inputs - refusals, timer.elapsed() / 1000.0);
        std::fflush(stdout);
    }
    std::printf("%d faults\n", faults);
    return faults == 0 ? 0 : 1;
}
