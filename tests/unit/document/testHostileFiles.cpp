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

using namespace Qt::StringLiterals;

namespace {

const QString Name = u"H"_s;

QByteArray record(const char* text)
{
    return '"' + QByteArray(text).leftJustified(SystemDocument::RecordWidth) + '"';
}

// A saved system of 12 integral and 2 reduced columns, alone in its folder.
struct SavedSystem {
    QTemporaryDir dir;
    explicit SavedSystem(const QString& awayTeam = u"OSPITE 2"_s)
    {
        SystemDocument document = TestSystems::withPrediction(TestSystems::Prediction, Name);
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
        QVERIFY(TestSystems::writeBytes(path(extension), lines.join('\n') + '\n'));
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
        row("shares in part", ".cnd", 0, "2.5", cnd);
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
    // the tool is stopped instead of hanging it. Every command loads its system the same way.
    // The file and what takes its place (a prediction with a huge count, a pipe, a link to an
    // endless device, a folder).
    void commandsRefuseWhatCannotBeRead_data()
    {
        QTest::addColumn<QString>("row");
        for (const char* row : {".pro count", ".cnd pipe", ".ntg link", ".cln folder"})
            QTest::newRow(row) << QString::fromLatin1(row);
    }

    void commandsRefuseWhatCannotBeRead()
    {
        QFETCH(QString, row);
        const QString extension = row.section(u' ', 0, 0), kind = row.section(u' ', 1);
        SavedSystem saved;
        const QString path = saved.path(extension.toLatin1().constData());
        if (kind == u"count"_s) {
            saved.replaceLine(".pro", 14, record(" 2000000000"));
        } else {
            QVERIFY(QFile::remove(path));
            if (kind == u"pipe"_s)
                QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            else if (kind == u"folder"_s)
                QVERIFY(QDir().mkdir(path));
            else
                QVERIFY(QFile::link(u"/dev/zero"_s, path));
        }
        const CliRun run =
            runCli({u"list"_s, saved.path(".pro"), u"--app-folder"_s, saved.dir.path()});
        QCOMPARE(run.err, kind == u"count"_s
                              ? u"Il File H.pro non è un Pronostico valido !\n"_s
                              : u"Il File H%1 non è un file ordinario !\n"_s.arg(extension));
        QCOMPARE(run.status, 1);
    }

    // Without a byte order mark: the reader tells UTF-8 from the code page by the bytes alone.
    void predictionSavedAsUtf8ReadsAsWritten()
    {
        SavedSystem saved(u"CITTÀ"_s);
        const QString pro = saved.path(".pro");
        const QByteArray codePage = TestSystems::fileContent(pro);
        QVERIFY(TestSystems::writeBytes(pro, Cp1252::decode(codePage).toUtf8()));
        SystemDocument loaded;
        QCOMPARE(SystemFiles::load(loaded, saved.dir.path(), Name).status,
                 SystemFiles::LoadStatus::Ok);
        QCOMPARE(loaded.awayTeam(2), u"CITTÀ          "_s);
        QCOMPARE(loaded.signsOf(2), u"12X"_s);
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
                               << (*what ? u"Il File %1 non contiene %2 valide !"_s.arg(
                                               QLatin1String(file), QLatin1String(what))
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
        QVERIFY(TestSystems::writeBytes(dir.filePath(file), content));
        ScriptedPrompts prompts;
        Session session(dir.path(), prompts);
        session.options()[Options::ColumnCost] = u"2"_s;
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
