#include "BenchSupport.h"

#include "app/AppFolder.h"
#include "app/ui/MainWindow.h"
#include "archive/ui/ArchiveWindow.h"
#include "archive/ui/StatisticsWindow.h"
#include "conditions/ui/ReductionWindow.h"
#include "document/Options.h"
#include "document/ui/PredictionDialog.h"
#include "output/ui/ColumnViewerWindow.h"
#include "output/ui/MergeWindow.h"
#include "output/ui/WinningsCheckWindow.h"
#include "session/Session.h"
#include "support/GuiDriver.h"
#include "support/TestArchives.h"
#include "support/TestSystems.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// Answers every question with yes and every file dialog with the path set last.
struct ProbePrompts final : UserPrompts {
    QString path;
    MessageAnswer message(const MessageRequest&) override { return MessageAnswer::Yes; }
    std::optional<QString> input(const InputRequest&) override { return std::nullopt; }
    std::optional<QString> openFile(const FileRequest&) override { return path; }
    std::optional<QString> saveFile(const FileRequest&) override { return path; }
    bool printerSetup() override { return false; }
    std::optional<PrintChoice> choosePrinter(const QString&) override { return std::nullopt; }
};

// How long the event loop went without serving a 10 ms timer while an operation ran: the time
// a user would see the program frozen.
class StallMeter final {
public:
    StallMeter()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            m_longest = std::max(m_longest, m_sinceTick.nsecsElapsed() / 1e6);
            m_sinceTick.restart();
        });
    }

    void measure(const QString& what, const std::function<void()>& operation)
    {
        m_timer.start();
        QTest::qWait(40);
        m_longest = 0;
        m_sinceTick.restart();
        QElapsedTimer total;
        total.start();
        operation();
        const double elapsed = total.nsecsElapsed() / 1e6;
        // A loop blocked to the end is seen at the first tick after it.
        QTest::qWait(40);
        m_timer.stop();
        QTextStream(stdout) << QStringLiteral("%1 %2 ms %3 ms")
                                   .arg(what, -44)
                                   .arg(elapsed, 9, 'f', 0)
                                   .arg(m_longest, 9, 'f', 0)
                            << Qt::endl;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_sinceTick;
    double m_longest = 0;
};

// `count` contests of one winning column each, seasons of 38 from 1000-1001 on; with
// `refused`, every line names a contest that cannot be.
bool writeCsv(const QString& path, int count, bool refused)
{
    QByteArray text;
    quint32 state = 7;
    for (int i = 0; i < count; ++i) {
        QByteArray column = TestArchives::randomColumn(state);
        const int year = 1000 + i / 38;
        text += QByteArray::number(year) + '-' + QByteArray::number(year + 1) + ';' +
                (refused ? QByteArray("0") : QByteArray::number(1 + i % 38)) + ';' + column +
                ";ABC;No\n";
    }
    return TestSystems::writeBytes(path, text);
}

} // namespace

void benchStalls()
{
    QTemporaryDir dir;
    ProbePrompts prompts;
    Session session(dir.path(), prompts);
    AppFolder::prepare(dir.path());
    session.options() = Options::dialogDefaults(session.defaultSystemsFolder());
    session.writeOptions();
    session.writeTeams({});
    MainWindow main(session);
    main.show();
    main.startUp(false);
    session.document() = TestSystems::withPrediction(QStringList(13, QStringLiteral("1")));
    session.applyRule(CommandRule::MatchesConfirmed);
    session.refreshStatus();

    StallMeter meter;
    QTextStream(stdout) << QStringLiteral("%1 %2 %3")
                               .arg(QStringLiteral("operation through its window, 3^13"), -44)
                               .arg(QStringLiteral("total"), 12)
                               .arg(QStringLiteral("longest stall"), 12)
                        << Qt::endl;

    {
        PredictionDialog prediction(session);
        activate(&prediction);
        for (int i = 1; i <= 13; ++i)
            child<QLineEdit>(&prediction, QStringLiteral("txtPro(%1)").arg(i))
                ->setText(QStringLiteral("1X2"));
        meter.measure(QStringLiteral("generation (Pronostico OK)"),
                      [&] { clickOn(&prediction, QStringLiteral("cmdOK")); });
    }

    {
        // Sign counts and interruptions leave about two thirds of the columns.
        ConditionSet& conditions = session.document().Conditions;
        const QList<double> bounds = {1, 9, 1, 9, 1, 9, 0, 0, 0, 0, 0, 0, 4, 12, 0, 12};
        for (int k = 0; k < bounds.size(); ++k)
            conditions.set(k + 1, bounds[k]);
        ReductionWindow reduction(session, [] { return QStringLiteral("1010000"); });
        activate(&reduction);
        meter.measure(QStringLiteral("reduction (Elabora)"),
                      [&] { clickOn(&reduction, QStringLiteral("cmdAvvia")); });
        activate(&reduction);
        meter.measure(QStringLiteral("confirm (Conferma)"),
                      [&] { clickOn(&reduction, QStringLiteral("cmdOK")); });
        QTextStream(stdout)
            << QStringLiteral("  (reduced system: %1 columns)").arg(session.document().ReducedCount)
            << Qt::endl;
    }

    {
        MergeWindow merge(session);
        activate(&merge);
        meter.measure(QStringLiteral("merge (Accorpa)"),
                      [&] { clickOn(&merge, QStringLiteral("cmdAccorpa")); });
    }

    {
        session.TaskMode = QStringLiteral("CInt");
        WinningsCheckWindow check(session);
        activate(&check);
        // Typed as the user types: the last sign makes the count available.
        child(&check, QStringLiteral("txtColVin(1)"))->setFocus();
        for (int i = 1; i <= 13; ++i)
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("1"));
        meter.measure(QStringLiteral("winnings check, integral (Avvia)"),
                      [&] { clickOn(&check, QStringLiteral("cmdAvvia")); });
        QTextStream(stdout) << QStringLiteral("  (columns of 13 and 12 points: %1, %2)")
                                   .arg(textOf(&check, QStringLiteral("lblV(1)")),
                                        textOf(&check, QStringLiteral("lblV(2)")))
                            << Qt::endl;
    }

    {
        session.DialogMode = QStringLiteral("CInt");
        std::unique_ptr<ColumnViewerWindow> viewer;
        meter.measure(QStringLiteral("viewer open, integral"), [&] {
            viewer = std::make_unique<ColumnViewerWindow>(session);
            activate(viewer.get());
        });
        meter.measure(QStringLiteral("export to Export.mdb, integral"),
                      [&] { clickOn(viewer.get(), QStringLiteral("cmdCreaMDB")); });
        prompts.path = dir.filePath(QStringLiteral("colonne.txt"));
        meter.measure(QStringLiteral("export to text, integral"),
                      [&] { clickOn(viewer.get(), QStringLiteral("cmdEsportaTesto")); });
    }

    {
        constexpr int Contests = 20000;
        const QString good = dir.filePath(QStringLiteral("archivio.csv"));
        const QString bad = dir.filePath(QStringLiteral("scartate.csv"));
        if (!writeCsv(good, Contests, false) || !writeCsv(bad, 100000, true))
            qFatal("CSV files not written");
        ArchiveWindow archive(session);
        activate(&archive);
        prompts.path = bad;
        meter.measure(QStringLiteral("archive import, 100,000 refused lines"),
                      [&] { clickOn(&archive, QStringLiteral("cmdImporta")); });
        prompts.path = good;
        meter.measure(QStringLiteral("archive import, %1 contests").arg(Contests),
                      [&] { clickOn(&archive, QStringLiteral("cmdImporta")); });

        StatisticsWindow statistics(session);
        activate(&statistics);
        clickOn(&statistics, QStringLiteral("ckTutte"));
        meter.measure(QStringLiteral("statistics, all %1 contests").arg(Contests),
                      [&] { clickOn(&statistics, QStringLiteral("cmdRicerca")); });
    }
}
