#include "app/AppFolder.h"
#include "document/SystemFiles.h"
#include "platform/LegacyTextFile.h"
#include "session/Session.h"
#include "support/ScriptedPrompts.h"
#include "support/TestSystems.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using TestSystems::Prediction;

namespace {

const QString NewName = u"Nome del Nuovo Pronostico"_s;
const QString SaveCurrent = u"Vuoi salvare il Pronostico corrente ?"_s;
const QString FolderChanged = u"La cartella dei Sistemi è stata cambiata"_s;
const QString Exit = u"Uscire dal programma ?"_s;

// Fails naming the commands among the blank-separated `names` not `enabled`.
void expect(const CommandState& state, bool enabled, const QString& names)
{
    QStringList wrong;
    for (const QString& name : names.split(u' ')) {
        if (state.isEnabled(name) != enabled)
            wrong << name;
    }
    QCOMPARE(wrong, QStringList());
}

const QString AlwaysAvailable = u"mnuNuovo mnuApri mnuImposta mnuEsci mnuSquadre mnuApplicazione "
                                "mnuToolBar mnuAggiungiCol mnuStatistiche mnuAbout"_s;
const QString PredictionLevel = u"mnuStampa mnuCond mnuColVincente mnuVediColInt tmStampaPro "
                                "tmSegni tmInt tmSim tmPar tmParP3 tmSequele tmVediColInt"_s;
const QString ReducedLevel = u"mnuSchedine tmSchedine mnuRidotto tmRidotto tmStCompl mnuConColRid "
                             "tmConColRid mnuDetta tmDetta mnuVediColRid tmVediColRid mnuAccorpa"_s;

// A session on a fresh application folder whose systems folder is its "Sistemi".
struct Fixture {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    Session session{dir.path(), prompts};
    Fixture()
    {
        QDir(dir.path()).mkdir(u"Sistemi"_s);
        session.options() = Options::dialogDefaults(session.defaultSystemsFolder());
        session.resetDocument();
    }
    ~Fixture()
    {
        if (!QTest::currentTestFailed())
            QVERIFY2(prompts.allConsumed(), "a scripted prompt was not shown");
    }
    SystemDocument& document() { return session.document(); }
    QString systems() const { return session.systemsFolder(); }
    QString pro(const QString& name) const { return QDir(systems()).filePath(name + u".pro"_s); }
    void save(const QString& name, const QString& folder = {}) const
    {
        SystemDocument saved = TestSystems::withPrediction(Prediction, name);
        QVERIFY(SystemFiles::save(saved, folder.isEmpty() ? systems() : folder));
    }
    const MessageRequest& message() const { return prompts.lastMessage(); }
};

} // namespace

class TestSession : public QObject {
    Q_OBJECT
private slots:
    void commandsFollowTheSystem()
    {
        SystemDocument document;
        CommandState state;
        state.apply(CommandRule::Reset, document);
        expect(state, true, AlwaysAvailable);
        expect(state, false,
               u"mnuSalva mnuSalvaCome mnuModifica mnuQuote tmSalva tmIncontri "
               "tmElabora mnuElabora"_s);
        QVERIFY(state.isVisible(u"tmAccorpa"_s) && !state.isVisible(u"tmDisaccorpa"_s));

        state.apply(CommandRule::MatchesConfirmed, document);
        expect(state, true, u"mnuSalva mnuModifica mnuPronostico mnuQuote tmIncontri tmConcData"_s);
        expect(state, false, PredictionLevel);
        state.apply(CommandRule::PredictionConfirmed, document);
        expect(state, true, PredictionLevel);
        expect(state, false, ReducedLevel + u" mnuElabora"_s);
        state.apply(CommandRule::ConditionsConfirmed, document);
        QVERIFY(state.isEnabled(u"mnuElabora"_s));
        document.ReducedCount = 5;
        state.apply(CommandRule::ReductionConfirmed, document);
        expect(state, true, ReducedLevel);
        document.MergedCount = 2;
        state.apply(CommandRule::ReducedStatus, document);
        QVERIFY(!state.isVisible(u"tmAccorpa"_s) && state.isVisible(u"tmDisaccorpa"_s));
        document.ReducedCount = 0;
        state.apply(CommandRule::ReducedStatus, document);
        expect(state, false,
               u"mnuVediColRid mnuConColRid mnuRidotto mnuSchedine mnuDetta mnuAccorpa"_s);

        // A command the program cannot offer stays disabled whatever the rules say.
        state.setAvailable(u"mnuSchedine"_s, false);
        document.ReducedCount = 1;
        state.apply(CommandRule::ReductionConfirmed, document);
        QVERIFY(!state.isEnabled(u"mnuSchedine"_s));
        state.setAvailable(u"mnuSchedine"_s, true);
        QVERIFY(state.isEnabled(u"mnuSchedine"_s));

        // Open goes as far as the system got; without matches, only saving and the matches dialog.
        document = SystemDocument();
        state.apply(CommandRule::Reset, document);
        state.apply(CommandRule::Opened, document);
        expect(state, true, u"mnuSalvaCome mnuSalva mnuModifica tmSalva tmIncontri"_s);
        expect(state, false, u"mnuPronostico mnuCond tmElabora"_s);
        document.setHomeTeam(1, u"ROMA"_s);
        document.IntegralCount = 6;
        document.ReducedCount = 2;
        state.apply(CommandRule::Reset, document);
        state.apply(CommandRule::Opened, document);
        expect(state, true,
               u"mnuPronostico mnuCond mnuElabora tmElabora mnuVediColInt "
               "mnuVediColRid tmSchedine mnuAccorpa"_s);
    }

    // The answer typed (none: cancelled) | the shares afterwards | the message shown, if any.
    void shares_data()
    {
        QTest::addColumn<QString>("row");
        QTest::newRow("zero") << u"0|12"_s;
        QTest::newRow("empty") << u"|12"_s;
        QTest::newRow("cancel") << u"none|12"_s;
        QTest::newRow("out of range") << u"1000|12|Valore delle Quote non ammesso !"_s;
        QTest::newRow("overflows a byte") << u"300|12|Errore nel valore delle Quote ! (6)"_s;
        QTest::newRow("unchanged") << u"12|12"_s;
        QTest::newRow("new value") << u"25.7|25"_s;
    }
    void shares()
    {
        QFETCH(QString, row);
        const QStringList fields = row.split(u'|');
        const std::optional<QString> answer =
            fields[0] == u"none"_s ? std::nullopt : std::optional(fields[0]);
        const int quote = fields[1].toInt();
        const QString message = fields.value(2);
        Fixture f;
        f.document().SystemName = u"Giro"_s;
        f.document().Quote = 12;
        f.prompts.expectInput(u"Quote (1...999)"_s, answer);
        if (!message.isEmpty())
            f.prompts.expectMessage(message);
        f.session.shares();
        QCOMPARE(f.prompts.records().first().input.title, u"Giro - Quote"_s);
        QCOMPARE(f.prompts.records().first().input.defaultText, u"12"_s);
        QCOMPARE(int(f.document().Quote), quote);
        // The caption marks the system modified.
        QCOMPARE(f.session.caption(),
                 quote != 12 ? u"QUADRIGO 13 - Giro *"_s : u"QUADRIGO 13 - Giro"_s);
        if (message.startsWith(u"Errore"_s)) {
            QCOMPARE(f.message().icon, MessageIcon::Critical);
            QCOMPARE(f.message().title, u"QUADRIGO 13"_s);
        } else if (!message.isEmpty()) {
            QCOMPARE(f.message().title, u"Quote del Sistema"_s);
        }
    }

    void newSystemAndExit()
    {
        Fixture f;
        f.save(u"Giro"_s);
        // An existing name: No asks again.
        f.prompts.expectInput(NewName, u"Giro"_s)
            .expectMessage(u"Il File Giro.pro esiste ! Sovrascriverlo ?"_s, MessageAnswer::No)
            .expectInput(NewName, u"  Nuovo  "_s);
        QVERIFY(f.session.newSystem());
        const MessageRequest& ask = f.prompts.records().at(1).message;
        QCOMPARE(std::tuple(ask.buttons, ask.defaultAnswer, ask.title),
                 std::tuple(MessageButtons::YesNo, MessageAnswer::No, u"QUADRIGO 13"_s));
        QCOMPARE(f.session.caption(), u"QUADRIGO 13 - Nuovo"_s);
        QVERIFY(!QFile::exists(f.pro(u"Nuovo"_s)));

        // A modified system: Cancel keeps it.
        f.session.markModified();
        f.prompts.expectInput(NewName, u"Altro"_s)
            .expectMessage(SaveCurrent, MessageAnswer::Cancel);
        QVERIFY(!f.session.newSystem());
        QCOMPARE(f.document().SystemName, u"Nuovo"_s);
        QCOMPARE(f.message().title, u"Nuovo"_s);
        f.prompts.expectInput(NewName, u"   "_s);
        QVERIFY(!f.session.newSystem());

        // Leaving: No keeps the program running; with a modified system, Cancel does too.
        f.prompts.expectMessage(Exit, MessageAnswer::No);
        QVERIFY(!f.session.confirmExit());
        f.prompts.expectMessage(Exit, MessageAnswer::Yes)
            .expectMessage(SaveCurrent, MessageAnswer::Cancel);
        QVERIFY(!f.session.confirmExit());
        QCOMPARE(f.document().Modified, 1);
        QCOMPARE(f.message().icon, MessageIcon::Exclamation);
        f.session.resetDocument();
        f.prompts.expectMessage(Exit, MessageAnswer::Yes);
        QVERIFY(f.session.confirmExit());
    }

    void openingSystems()
    {
        Fixture f;
        f.save(u"Giro"_s);
        // A modified system is saved first when the user says so.
        f.document().SystemName = u"Altro"_s;
        f.session.markModified();
        f.prompts.expectMessage(SaveCurrent, MessageAnswer::Yes).expectOpenFile(f.pro(u"Giro"_s));
        QVERIFY(f.session.open());
        QVERIFY(QFile::exists(f.pro(u"Altro"_s)));
        QCOMPARE(f.document().Modified, 0);
        // Cancel in the file dialog leaves the open system untouched.
        f.session.markModified();
        f.prompts.expectMessage(SaveCurrent, MessageAnswer::No).expectOpenFile(std::nullopt);
        QVERIFY(!f.session.open());
        QCOMPARE(f.session.caption(), u"QUADRIGO 13 - Giro *"_s);

        // Without its conditions the system is not opened: the bare caption stays.
        f.session.resetDocument();
        QFile::remove(QDir(f.systems()).filePath(u"Giro.cnd"_s));
        f.prompts.expectOpenFile(f.pro(u"Giro"_s))
            .expectMessage(u"Impossibile trovare il File ! (53)  "_s);
        QVERIFY(!f.session.open());
        QCOMPARE(f.message().icon, MessageIcon::Exclamation);
        QCOMPARE(f.message().title, u"QUADRIGO 13"_s);
        QCOMPARE(f.session.caption(), u"QUADRIGO 13"_s);
        QCOMPARE(f.document().signsOf(2), u"12X"_s);

        // From another folder, which becomes the systems folder, said once.
        QTemporaryDir elsewhere;
        f.save(u"Giro"_s, elsewhere.path());
        const QString pro = QDir(elsewhere.path()).filePath(u"Giro.pro"_s);
        f.prompts.expectOpenFile(pro).expectMessage(FolderChanged);
        QSignalSpy opened(&f.session, &Session::systemOpened);
        QVERIFY(f.session.open());
        QCOMPARE(opened.count(), 1);
        QCOMPARE(QDir(f.systems()), QDir(elsewhere.path()));
        const auto options =
            LegacyTextFile::read(f.session.appFilePath(u"Opzioni.sys"_s),
                                 {Options::Count, LegacyTextFile::LongestTypedText});
        QCOMPARE(QDir(options.values.value(0).toString()), QDir(elsewhere.path()));
        QCOMPARE(f.session.caption(), u"QUADRIGO 13 - Giro"_s);
        QCOMPARE(f.document().IntegralColumns.count(), 12);
        f.prompts.expectOpenFile(pro);
        QVERIFY(f.session.open());
    }

    // A system named on the command line opens as a chosen one would, without the file dialog.
    void openingANamedFile()
    {
        Fixture f;
        f.save(u"Giro"_s);
        QVERIFY(f.session.openFile(f.pro(u"Giro"_s)));
        QCOMPARE(f.session.caption(), u"QUADRIGO 13 - Giro"_s);
        QCOMPARE(f.document().IntegralColumns.count(), 12);

        f.document().SystemName = u"Altro"_s;
        f.session.markModified();
        f.prompts.expectMessage(SaveCurrent, MessageAnswer::Cancel);
        QVERIFY(!f.session.openFile(f.pro(u"Giro"_s)));
        QCOMPARE(f.session.caption(), u"QUADRIGO 13 - Altro *"_s);

        f.session.resetDocument();
        f.prompts.expectMessage(u"Il file '/srv/Giro.txt' non è un Pronostico (.pro) !"_s);
        QVERIFY(!f.session.openFile(u"/srv/Giro.txt"_s));
        QCOMPARE(f.message().icon, MessageIcon::Exclamation);
        f.prompts.expectMessage(u"Impossibile trovare il File ! (53)  "_s);
        QVERIFY(!f.session.openFile(f.pro(u"Manca"_s)));
        QCOMPARE(f.session.caption(), u"QUADRIGO 13"_s);
    }

    // Run from a prefix holding share/quadrigo13, the program is installed: its recordings come
    // from there and its settings go to the user's folder, never into the prefix.
    void installedProgramFolders()
    {
        QTemporaryDir prefix;
        const QString bin = prefix.filePath(u"bin"_s);
        QVERIFY(QDir().mkpath(bin));
        QCOMPARE(AppFolder::soundsFolder(bin), u":/sounds"_s);
        QCOMPARE(AppFolder::resolve({}, bin), bin);
        QVERIFY(QDir().mkpath(prefix.filePath(u"share/quadrigo13/sounds"_s)));
        QCOMPARE(AppFolder::soundsFolder(bin), prefix.filePath(u"share/quadrigo13/sounds"_s));
        QVERIFY(!AppFolder::resolve({}, bin).startsWith(prefix.path()));
        QCOMPARE(AppFolder::resolve(u"/srv/q"_s, bin), u"/srv/q"_s);
    }

    void saveAsRenamesAndFollowsTheFolder()
    {
        Fixture f;
        QTemporaryDir elsewhere;
        f.document() = TestSystems::withPrediction(Prediction, u"Giro"_s);
        f.session.markModified();
        f.prompts.expectSaveFile(QDir(elsewhere.path()).filePath(u"Copia.pro"_s))
            .expectMessage(FolderChanged);
        QVERIFY(f.session.saveAs());
        QCOMPARE(f.prompts.records().first().file.fileName, u"Giro.pro"_s);
        QCOMPARE(f.prompts.records().first().file.selectedFilter, 1);
        QCOMPARE(f.session.caption(), u"QUADRIGO 13 - Copia"_s);
        QVERIFY(QFile::exists(QDir(elsewhere.path()).filePath(u"Copia.ntg"_s)));
        f.prompts.expectSaveFile(std::nullopt);
        QVERIFY(!f.session.saveAs());
    }

    void systemsWithoutConfirmedOptionsGoToSistemi()
    {
        QTemporaryDir dir;
        AppFolder::prepare(dir.path());
        ScriptedPrompts prompts;
        Session session(dir.path(), prompts);
        session.document() = TestSystems::withPrediction(Prediction, u"Giro"_s);
        session.save();
        QVERIFY(QFile::exists(dir.filePath(u"Sistemi/Giro.pro"_s)));
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "testSession.moc"
