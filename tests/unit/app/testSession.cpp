#include "document/SystemFiles.h"
#include "platform/LegacyTextFile.h"
#include "session/Session.h"
#include "support/ScriptedPrompts.h"
#include "support/TestSystems.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QStringList Prediction = {"1X", "12X", "2", "X", "1", "X2", "1",
                                "2",  "X",   "1", "2", "X", "1"};
const QString FileNotFound = QStringLiteral("Impossibile trovare il File ! (53)  ");
const QString SaveCurrent = QStringLiteral("Vuoi salvare il Pronostico corrente ?");
const QString FolderChanged = QStringLiteral("La cartella dei Sistemi è stata cambiata");
} // namespace

class TestSession : public QObject {
    Q_OBJECT

    // A session on a fresh application folder whose systems folder is its "Sistemi".
    struct Fixture {
        QTemporaryDir dir;
        ScriptedPrompts prompts;
        Session session{dir.path(), prompts};
        Fixture()
        {
            QDir(dir.path()).mkdir(QStringLiteral("Sistemi"));
            session.options() = Options::dialogDefaults(session.defaultSystemsFolder());
            session.resetDocument();
        }
        QString systems() const { return session.systemsFolder(); }
    };

    static void saveSystem(const QString& folder, const QString& name)
    {
        SystemDocument document = TestSystems::withPrediction(Prediction, name);
        QVERIFY(SystemFiles::save(document, folder));
    }

private slots:
    void shares_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("quote");
        QTest::addColumn<bool>("modified");
        const auto row = [](const char* tag, std::optional<QString> answer, const char* message,
                            int quote, bool modified) {
            QTest::newRow(tag) << answer << QString::fromLatin1(message) << quote << modified;
        };
        row("zero", QStringLiteral("0"), "", 12, false);
        row("empty", QString(), "", 12, false);
        row("cancel", std::nullopt, "", 12, false);
        row("out of range", QStringLiteral("1000"), "Valore delle Quote non ammesso !", 12, false);
        row("overflows a byte", QStringLiteral("300"), "Errore nel valore delle Quote ! (6)", 12,
            false);
        row("unchanged", QStringLiteral("12"), "", 12, false);
        row("new value", QStringLiteral("25.7"), "", 25, true);
    }

    void shares()
    {
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, message);
        QFETCH(int, quote);
        QFETCH(bool, modified);
        Fixture f;
        f.session.document().SystemName = QStringLiteral("Giro");
        f.session.document().Quote = 12;
        f.prompts.expectInput(QStringLiteral("Quote (1...999)"), answer);
        if (!message.isEmpty())
            f.prompts.expectMessage(message);
        f.session.shares();
        QVERIFY(f.prompts.allConsumed());
        QCOMPARE(f.prompts.records().first().input.title, QStringLiteral("Giro - Quote"));
        QCOMPARE(f.prompts.records().first().input.defaultText, QStringLiteral("12"));
        QCOMPARE(int(f.session.document().Quote), quote);
        QCOMPARE(f.session.document().Modified == 1, modified);
        QCOMPARE(f.session.caption().endsWith(QStringLiteral(" *")), modified);
        if (message.startsWith(QStringLiteral("Errore"))) {
            QCOMPARE(f.prompts.lastMessage().icon, MessageIcon::Critical);
            QCOMPARE(f.prompts.lastMessage().title, QStringLiteral("QUADRIGO 13"));
        } else if (!message.isEmpty()) {
            QCOMPARE(f.prompts.lastMessage().title, QStringLiteral("Quote del Sistema"));
        }
    }

    void newWithAnExistingNameAsksAgainOnNo()
    {
        Fixture f;
        saveSystem(f.systems(), QStringLiteral("Giro"));
        f.prompts.expectInput(QStringLiteral("Nome del Nuovo Pronostico"), QStringLiteral("Giro"))
            .expectMessage(QStringLiteral("Il File Giro.pro esiste ! Sovrascriverlo ?"),
                           MessageAnswer::No)
            .expectInput(QStringLiteral("Nome del Nuovo Pronostico"), QStringLiteral("  Nuovo  "));
        QVERIFY(f.session.newSystem());
        QVERIFY(f.prompts.allConsumed());
        const auto& ask = f.prompts.records().at(1).message;
        QCOMPARE(ask.buttons, MessageButtons::YesNo);
        QCOMPARE(ask.defaultAnswer, MessageAnswer::No);
        QCOMPARE(ask.title, QStringLiteral("QUADRIGO 13"));
        QCOMPARE(f.session.document().SystemName, QStringLiteral("Nuovo"));
        QCOMPARE(f.session.caption(), QStringLiteral("QUADRIGO 13 - Nuovo"));
        QVERIFY(!QFile::exists(QDir(f.systems()).filePath(QStringLiteral("Nuovo.pro"))));
    }

    void newAsksToSaveAModifiedSystemAndCancelKeepsIt()
    {
        Fixture f;
        f.session.document().SystemName = QStringLiteral("Vecchio");
        f.session.markModified();
        f.prompts.expectInput(QStringLiteral("Nome del Nuovo Pronostico"), QStringLiteral("Altro"))
            .expectMessage(SaveCurrent, MessageAnswer::Cancel);
        QVERIFY(!f.session.newSystem());
        QCOMPARE(f.session.document().SystemName, QStringLiteral("Vecchio"));
        QCOMPARE(f.prompts.lastMessage().title, QStringLiteral("Vecchio"));

        f.prompts.expectInput(QStringLiteral("Nome del Nuovo Pronostico"), QStringLiteral("   "));
        QVERIFY(!f.session.newSystem());
    }

    void openOfASystemWithoutConditionsLeavesTheBareCaption()
    {
        Fixture f;
        saveSystem(f.systems(), QStringLiteral("Giro"));
        QFile::remove(QDir(f.systems()).filePath(QStringLiteral("Giro.cnd")));
        f.prompts.expectOpenFile(QDir(f.systems()).filePath(QStringLiteral("Giro.pro")))
            .expectMessage(FileNotFound);
        QVERIFY(!f.session.open());
        QVERIFY(f.prompts.allConsumed());
        QCOMPARE(f.prompts.lastMessage().icon, MessageIcon::Exclamation);
        QCOMPARE(f.prompts.lastMessage().title, QStringLiteral("QUADRIGO 13"));
        QCOMPARE(f.session.caption(), QStringLiteral("QUADRIGO 13"));
        QCOMPARE(f.session.document().signsOf(2), QStringLiteral("12X"));
    }

    void openFromAnotherFolderMovesTheSystemsFolderOnce()
    {
        Fixture f;
        QTemporaryDir elsewhere;
        saveSystem(elsewhere.path(), QStringLiteral("Giro"));
        const QString pro = QDir(elsewhere.path()).filePath(QStringLiteral("Giro.pro"));
        f.prompts.expectOpenFile(pro).expectMessage(FolderChanged);
        QSignalSpy opened(&f.session, &Session::systemOpened);
        QVERIFY(f.session.open());
        QCOMPARE(opened.count(), 1);
        QCOMPARE(QDir(f.systems()), QDir(elsewhere.path()));
        const auto options =
            LegacyTextFile::read(f.session.appFilePath(QStringLiteral("Opzioni.sys")),
                                 {Options::Count, LegacyTextFile::LongestTypedText});
        QCOMPARE(QDir(options.values.value(0).toString()), QDir(elsewhere.path()));
        QCOMPARE(f.session.caption(), QStringLiteral("QUADRIGO 13 - Giro"));
        QCOMPARE(f.session.document().IntegralCount, 12);
        QCOMPARE(f.session.document().IntegralColumns.count(), 12);

        // The same folder again: no message.
        f.prompts.expectOpenFile(pro);
        QVERIFY(f.session.open());
        QVERIFY(f.prompts.allConsumed());
    }

    void openAsksToSaveAModifiedSystem()
    {
        Fixture f;
        saveSystem(f.systems(), QStringLiteral("Giro"));
        f.session.document().SystemName = QStringLiteral("Altro");
        f.session.markModified();
        f.prompts.expectMessage(SaveCurrent, MessageAnswer::Yes)
            .expectOpenFile(QDir(f.systems()).filePath(QStringLiteral("Giro.pro")));
        QVERIFY(f.session.open());
        QVERIFY(QFile::exists(QDir(f.systems()).filePath(QStringLiteral("Altro.pro"))));
        QCOMPARE(f.session.document().Modified, 0);

        // Cancel in the file dialog leaves the open system untouched.
        f.session.markModified();
        f.prompts.expectMessage(SaveCurrent, MessageAnswer::No).expectOpenFile(std::nullopt);
        QVERIFY(!f.session.open());
        QCOMPARE(f.session.document().SystemName, QStringLiteral("Giro"));
        QCOMPARE(f.session.document().Modified, 1);
    }

    void saveAsRenamesAndFollowsTheFolder()
    {
        Fixture f;
        QTemporaryDir elsewhere;
        SystemDocument& document = f.session.document();
        document = TestSystems::withPrediction(Prediction, QStringLiteral("Giro"));
        f.session.markModified();
        f.prompts.expectSaveFile(QDir(elsewhere.path()).filePath(QStringLiteral("Copia.pro")))
            .expectMessage(FolderChanged);
        QVERIFY(f.session.saveAs());
        QCOMPARE(f.prompts.records().first().file.fileName, QStringLiteral("Giro.pro"));
        QCOMPARE(f.prompts.records().first().file.selectedFilter, 1);
        QCOMPARE(document.SystemName, QStringLiteral("Copia"));
        QCOMPARE(f.session.caption(), QStringLiteral("QUADRIGO 13 - Copia"));
        QVERIFY(QFile::exists(QDir(elsewhere.path()).filePath(QStringLiteral("Copia.ntg"))));

        f.prompts.expectSaveFile(std::nullopt);
        QVERIFY(!f.session.saveAs());
    }

    void exitAsksAndCancelKeepsTheProgramRunning()
    {
        Fixture f;
        f.prompts.expectMessage(QStringLiteral("Uscire dal programma ?"), MessageAnswer::No);
        QVERIFY(!f.session.confirmExit());
        f.prompts.expectMessage(QStringLiteral("Uscire dal programma ?"), MessageAnswer::Yes);
        QVERIFY(f.session.confirmExit());

        f.session.document().SystemName = QStringLiteral("Giro");
        f.session.markModified();
        f.prompts.expectMessage(QStringLiteral("Uscire dal programma ?"), MessageAnswer::Yes)
            .expectMessage(SaveCurrent, MessageAnswer::Cancel);
        QVERIFY(!f.session.confirmExit());
        QCOMPARE(f.session.document().Modified, 1);
        QCOMPARE(f.prompts.lastMessage().icon, MessageIcon::Exclamation);
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "testSession.moc"
