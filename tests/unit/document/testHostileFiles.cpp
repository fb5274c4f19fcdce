#include "document/SystemFiles.h"
#include "platform/Cp1252.h"
#include "session/Session.h"
#include "support/CliRunner.h"
#include "support/ScriptedPrompts.h"
#include "support/TestSystems.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

const QString Name = QStringLiteral("H");

QByteArray record(const char* text)
{
    return '"' + QByteArray(text).leftJustified(SystemDocument::RecordWidth) + '"';
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A saved system of 12 integral and 2 reduced columns, alone in its folder.
struct SavedSystem {
    QTemporaryDir dir;
    explicit SavedSystem(const QString& awayTeam = QStringLiteral("OSPITE 2"))
    {
        SystemDocument document = TestSystems::withPrediction(
            {"1X", "12X", "2", "X", "1", "X2", "1", "2", "X", "1", "2", "X", "1"}, Name);
        document.setAwayTeam(2, awayTeam);
        document.ReducedCount = 2;
        document.WorkColumns.append(document.IntegralColumns.column(3));
        document.WorkColumns.append(document.IntegralColumns.column(10));
        SystemFiles::save(document, dir.path());
    }
    QString path(const char* extension) const
    {
        return SystemFiles::pathOf(dir.path(), Name, QLatin1String(extension));
    }
    // Line `line` of the file becomes `text`; one past the last line is appended.
    void replaceLine(const char* extension, int line, const QByteArray& text) const
    {
        QList<QByteArray> lines = TestSystems::fileContent(path(extension)).split('\n');
        lines.removeLast(); // after the last line end
        if (line == lines.size())
            lines.append(QByteArray());
        lines[line] = text + '\r';
        writeBytes(path(extension), lines.join('\n') + '\n');
    }
};

} // namespace

class TestHostileFiles : public QObject {
    Q_OBJECT
private slots:
    void systemFilesAreChecked_data()
    {
        QTest::addColumn<QByteArray>("extension");
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message"); // empty: the file is taken
        const auto row = [](const char* tag, const char* extension, int line, QByteArray text,
                            const char* message) {
            QTest::newRow(tag) << QByteArray(extension) << line << text
                               << QString::fromUtf8(message);
        };
        const char* pro = "Il File H.pro non è un Pronostico valido !";
        row("integral count beyond any system", ".pro", 14, record(" 2000000000"), pro);
        row("integral count not the prediction's", ".pro", 14, record(" 13"), pro);
        row("reduced count above the integral", ".pro", 0, record(" 13"), pro);
        row("negative reduced count", ".pro", 0, record("-1"), pro);
        row("count in words", ".pro", 0, record(" 2 colonne"), pro);
        row("enable flags of other characters", ".pro", 15, record("10x0000"), pro);
        row("eighteen records", ".pro", 17, record(""), pro);
        row("sign other than 1 X 2", ".pro", 3, record("CASA 3         OSPITE 3       2A"),
            "Segno non valido nella partita 3: \"2A\" !");
        const char* cln = "Il File H.cln non contiene 2 colonne valide !";
        const char* ntg = "Il File H.ntg non contiene 12 colonne valide !";
        row("letters", ".cln", 1, "\"ABCDEFGHIJKLM\"", cln);
        row("NUL bytes", ".cln", 0, '"' + QByteArray(13, '\0') + '"', cln);
        row("lower-case x", ".ntg", 1, "\"x22X1X12X12X1\"", ntg);
        row("outside the integral system", ".ntg", 0, "\"2222222222222\"", ntg);
        const char* cnd = "Il File H.cnd non contiene Condizioni valide !";
        row("shares beyond a byte", ".cnd", 0, "300", cnd);
        row("shares not finite", ".cnd", 0, "1e999", cnd);
        row("shares in part", ".cnd", 0, "2.5", cnd);
        row("bound not finite", ".cnd", 1, "1e999", cnd);
        row("bound beyond any box", ".cnd", 2, "100", cnd);
        row("negative bound", ".cnd", 3, "-1", cnd);
        row("bound as text", ".cnd", 4, "\"3\"", cnd);
        row("sequence of letters", ".cnd", 25, "\"2A1\"", cnd);
        row("fields of letters", ".cnd", 26, "\"4-5-x\"", cnd);
        row("fifty-one entries", ".cnd", 50, "0", cnd);
        row("widest bound", ".cnd", 2, "99", "");
        row("no shares yet", ".cnd", 0, "0", "");
        row("sequence in use", ".cnd", 25, "\"2X1\"", "");
    }

    void systemFilesAreChecked()
    {
        QFETCH(QByteArray, extension);
        QFETCH(int, line);
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        SavedSystem saved;
        saved.replaceLine(extension.constData(), line, text);
        SystemDocument loaded;
        const SystemFiles::LoadResult result = SystemFiles::load(loaded, saved.dir.path(), Name);
        QCOMPARE(result.message, message);
        QCOMPARE(result.status, message.isEmpty() ? SystemFiles::LoadStatus::Ok
                                                  : SystemFiles::LoadStatus::Malformed);
        // A refused prediction leaves the document as it was.
        if (extension == ".pro")
            QCOMPARE(loaded.MatchRecords[1].trimmed(), QString());
    }

    // Through the command-line tool, so that a reader blocking on a pipe fails the test when
    // the tool is stopped instead of hanging it.
    void commandsRefuseWhatCannotBeRead_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("extension");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* command, const char* extension, const char* kind,
                            const char* message) {
            QTest::addRow("%s %s %s", command, extension, kind)
                << QString::fromLatin1(command) << QByteArray(extension)
                << QString::fromLatin1(kind) << QString::fromUtf8(message);
        };
        const char* count = "Il File H.pro non è un Pronostico valido !";
        for (const char* command : {"list", "check", "merge"})
            row(command, ".pro", "huge count", count);
        row("list", ".cnd", "pipe", "Il File H.cnd non è un file ordinario !");
        row("list", ".ntg", "link to /dev/zero", "Il File H.ntg non è un file ordinario !");
        row("list", ".cln", "folder", "Il File H.cln non è un file ordinario !");
    }

    void commandsRefuseWhatCannotBeRead()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, extension);
        QFETCH(QString, kind);
        QFETCH(QString, message);
        SavedSystem saved;
        const QString path = saved.path(extension.constData());
        if (kind == QLatin1String("huge count")) {
            saved.replaceLine(".pro", 14, record(" 2000000000"));
        } else {
            QVERIFY(QFile::remove(path));
            if (kind == QLatin1String("pipe"))
                QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            else if (kind == QLatin1String("folder"))
                QVERIFY(QDir().mkdir(path));
            else
                QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        }
        QStringList arguments = {command, saved.path(".pro")};
        if (command == QLatin1String("check"))
            arguments << QStringLiteral("1111111111111");
        const CliRun run = runCli(arguments << QStringLiteral("--app-folder") << saved.dir.path());
        QCOMPARE(run.err, message + u'\n');
        QCOMPARE(run.status, 1);
    }

    void predictionSavedAsUtf8ReadsAsWritten_data()
    {
        QTest::addColumn<QByteArray>("mark");
        QTest::newRow("with byte order mark") << QByteArray("\xEF\xBB\xBF");
        QTest::newRow("without") << QByteArray();
    }

    void predictionSavedAsUtf8ReadsAsWritten()
    {
        QFETCH(QByteArray, mark);
        SavedSystem saved(QStringLiteral("CITTÀ"));
        const QString pro = saved.path(".pro");
        const QByteArray codePage = TestSystems::fileContent(pro);
        writeBytes(pro, mark + Cp1252::decode(codePage).toUtf8());
        SystemDocument loaded;
        QCOMPARE(SystemFiles::load(loaded, saved.dir.path(), Name).status,
                 SystemFiles::LoadStatus::Ok);
        QCOMPARE(loaded.awayTeam(2), QStringLiteral("CITTÀ          "));
        QCOMPARE(loaded.signsOf(2), QStringLiteral("12X"));
        QCOMPARE(loaded.IntegralColumns.count(), 12);
        // Written back in the code page, as it was first saved.
        QTemporaryDir again;
        loaded.SystemName = Name;
        QVERIFY(SystemFiles::save(loaded, again.path()));
        QCOMPARE(TestSystems::fileContent(SystemFiles::pathOf(again.path(), Name, ".pro")),
                 codePage);
    }

    void settingsOutOfRangeAreRefused_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("kept");    // the column cost or the first team afterwards
        QTest::addColumn<QString>("message"); // empty: the file is taken
        const auto options = [](const char* cost, const char* shares) {
            return "\"/sistemi\"\r\n\"" + QByteArray(cost) + "\"\r\n\"" + shares +
                   "\"\r\n\" \"\r\n\" \"\r\n\"\"\r\n\"N\"\r\n";
        };
        const auto row = [](const char* tag, const char* file, QByteArray content, const char* kept,
                            const char* what) {
            QTest::newRow(tag) << QString::fromLatin1(file) << content << QString::fromLatin1(kept)
                               << (*what ? QStringLiteral("Il File %1 non contiene %2 valide !")
                                               .arg(QLatin1String(file), QLatin1String(what))
                                         : QString());
        };
        // A refused options file leaves the dialog's defaults to be corrected.
        row("options in range", "Opzioni.sys", options("0.75", "255"), "0.75", "");
        row("options never confirmed", "Opzioni.sys", options("", " "), "", "");
        row("cost beyond the field", "Opzioni.sys", options("1e308", "1"), "0.5", "Opzioni");
        row("negative cost", "Opzioni.sys", options("-1", "1"), "0.5", "Opzioni");
        // The dialog's OK stores shares it has warned about: they are read back as stored.
        row("shares beyond a byte", "Opzioni.sys", options("0.75", "300"), "0.75", "");
        row("negative shares", "Opzioni.sys", options("0.75", "-1"), "0.5", "Opzioni");
        row("eight options", "Opzioni.sys", options("0.75", "1") + "\"\"\r\n", "0.5", "Opzioni");
        row("74 teams", "Squadre.sys", QByteArray("\"ROMA\"\r\n").repeated(74), "ROMA", "");
        row("75 teams", "Squadre.sys", QByteArray("\"ROMA\"\r\n").repeated(75), "SQUADRA 1",
            "Squadre");
        row("team with NUL", "Squadre.sys", QByteArray("\"RO\0MA\"\r\n", 9), "SQUADRA 1",
            "Squadre");
    }

    void settingsOutOfRangeAreRefused()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, kept);
        QFETCH(QString, message);
        QTemporaryDir dir;
        writeBytes(dir.filePath(file), content);
        ScriptedPrompts prompts;
        Session session(dir.path(), prompts);
        session.options()[Options::ColumnCost] = QStringLiteral("2");
        if (!message.isEmpty())
            prompts.expectMessage(message);
        const bool options = file == Options::fileName();
        QCOMPARE(options ? session.loadOptions() : session.loadTeams(), message.isEmpty());
        QVERIFY(prompts.allConsumed());
        QCOMPARE(options ? session.options()[Options::ColumnCost]
                         : session.teams().name(1).trimmed(),
                 kept);
    }
};

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "testHostileFiles.moc"
