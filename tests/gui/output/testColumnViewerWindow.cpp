#include "app/AppFolder.h"
#include "app/ui/MainWindow.h"
#include "output/ui/ColumnViewerWindow.h"
#include "platform/ColumnDatabase.h"
#include "session/Session.h"
#include "support/ModalDriver.h"
#include "support/ScriptedPrompts.h"
#include "support/TestSystems.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString lineAt(const QListView* list, int row)
{
    return list->model()->index(row, 0).data().toString();
}

} // namespace

class TestColumnViewerWindow final : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<ColumnViewerWindow> m_window;

    void open(const char* mode)
    {
        m_session->DialogMode = QLatin1String(mode);
        m_window = std::make_unique<ColumnViewerWindow>(*m_session);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    template <typename T> T* named(const char* name) const
    {
        return child<T>(m_window.get(), QLatin1String(name));
    }
    QListView* list() const { return named<QListView>("lstCOL"); }

    // Seven doubles: an integral system of 128 columns.
    static QStringList sevenDoubles()
    {
        return {"1X", "1X", "X2", "12", "1X", "1X", "X2", "1", "1", "1", "1", "1", "1"};
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        AppFolder::prepare(m_dir->path());
        m_prompts = std::make_unique<ScriptedPrompts>();
        m_session = std::make_unique<Session>(m_dir->path(), *m_prompts);
        SystemDocument& document = m_session->document();
        document = TestSystems::withPrediction(sevenDoubles());
        document.WorkColumns = document.IntegralColumns;
        document.ReducedCount = document.IntegralCount;
    }

    void cleanup()
    {
        m_window.reset();
        QVERIFY(m_prompts->allConsumed());
    }

    void reducedListingWithHeadingAndCaption()
    {
        open("CRid");
        QCOMPARE(m_window->objectName(), QStringLiteral("frmVEDICOL"));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Prova - Colonne Sistema Ridotto"));
        QCOMPARE(named<QLabel>("lblCol")->text(),
                 QStringLiteral("Colonne del Sistema Ridotto - 128"));
        QCOMPARE(list()->model()->rowCount(), 128);
        QCOMPARE(lineAt(list(), 0), QStringLiteral("0000001  -  11X 111 X11 1111"));
        QCOMPARE(lineAt(list(), 127), QStringLiteral("0000128  -  XX2 2XX 211 1111"));
        QAbstractItemModelTester tester(list()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    void copySelectedLines()
    {
        open("CRid");
        QListView* view = list();
        view->setFocus();
        const QAbstractItemModel* model = view->model();
        view->selectionModel()->select(model->index(4, 0), QItemSelectionModel::Select);
        view->selectionModel()->select(model->index(1, 0), QItemSelectionModel::Select);
        view->selectionModel()->select(model->index(2, 0), QItemSelectionModel::Select);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 lineAt(view, 1) + u'\n' + lineAt(view, 2) + u'\n' + lineAt(view, 4));
    }

    void exportWritesTheColumnsWithTheirMeasures()
    {
        SystemDocument& document = m_session->document();
        document.WorkColumns.clear();
        document.WorkColumns.append("1111111111111");
        document.WorkColumns.append("1X1X1X1X1X1X1");
        document.WorkColumns.append("X111111111112");
        document.ReducedCount = 3;
        open("CRid");
        const QString done = QStringLiteral("File 'Export.mdb' creato con successo !");
        m_prompts->expectMessage(done).expectMessage(done);
        auto* exportButton = named<QPushButton>("cmdCreaMDB");
        QTest::mouseClick(exportButton, Qt::LeftButton);
        // Exporting again replaces the rows of the first export.
        QTest::mouseClick(exportButton, Qt::LeftButton);
        QVERIFY(m_prompts->allConsumed());
        QCOMPARE(m_prompts->lastMessage().icon, MessageIcon::None);
        QCOMPARE(m_prompts->lastMessage().title, QStringLiteral("QUADRIGO 13"));
        QCOMPARE(m_prompts->lastMessage().buttons, MessageButtons::Ok);

        QList<ColumnDatabase::StoredWinningRow> rows;
        QString error;
        QVERIFY2(ColumnDatabase::readWinningRows(m_dir->path(), ColumnDatabase::Database::Export,
                                                 rows, &error),
                 qPrintable(error));
        QCOMPARE(rows.size(), 3);
        for (int r = 0; r < 3; ++r) {
            QByteArray signs;
            for (int k = 2; k <= 14; ++k)
                signs += rows[r].texts[k];
            QCOMPARE(signs, document.WorkColumns.column(r).toByteArray());
            QCOMPARE(rows[r].texts[17], QByteArray("Si"));
            QVERIFY(rows[r].texts[0].isEmpty());
            QVERIFY(rows[r].texts[16].isEmpty());
        }
        using Measures = std::array<std::optional<int>, 14>;
        // S1 SX S2 SC1 SCX SC2 IG IC SG SC PG PC FG FC
        QCOMPARE(rows[0].measures, (Measures{13, 0, 0, 13, {}, {}, 0, 0, 6, 6, 6, 6, {}, {}}));
        QCOMPARE(rows[1].measures, (Measures{7, 6, 0, 1, 1, {}, 12, 12, 6, 6, 0, 0, {}, {}}));
        QCOMPARE(rows[2].measures, (Measures{11, 1, 1, 11, 1, 1, 2, 1, 5, 5, 4, 4, {}, {}}));
    }

    void fullIntegralSystemOpens()
    {
        SystemDocument& document = m_session->document();
        document = TestSystems::withPrediction(TestSystems::allTriples());
        QCOMPARE(document.IntegralCount, 1594323);
        open("CInt");
        QCOMPARE(named<QLabel>("lblCol")->text(),
                 QStringLiteral("Colonne del Sistema Integrale - 1594323"));
        QCOMPARE(list()->model()->rowCount(), 1594323);
        list()->scrollToBottom();
        QCOMPARE(lineAt(list(), 1594322), QStringLiteral("1594323  -  222 222 222 2222"));
    }

    void commandsOpenTheViewerInTheirMode_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("caption");
        QTest::newRow("reduced") << "mnuVediColRid"
                                 << "CRid"
                                 << "Prova - Colonne Sistema Ridotto";
        QTest::newRow("integral") << "mnuVediColInt"
                                  << "CInt"
                                  << "Prova - Colonne Sistema Integrale";
    }

    void commandsOpenTheViewerInTheirMode()
    {
        QFETCH(QString, command);
        QFETCH(QString, mode);
        QFETCH(QString, caption);
        m_session->document().WorkColumns.resize(5);
        m_session->document().ReducedCount = 5;
        m_session->applyRule(CommandRule::MatchesConfirmed);
        m_session->applyRule(CommandRule::PredictionConfirmed);
        m_session->applyRule(CommandRule::ReductionConfirmed);
        m_session->refreshStatus();
        MainWindow main(*m_session);
        main.show();
        QString title;
        int rows = 0;
        int progressMaximum = -1;
        whenModal(QStringLiteral("frmVEDICOL"), [&](QWidget* window) {
            title = window->windowTitle();
            rows = child<QListView>(window, QStringLiteral("lstCOL"))->model()->rowCount();
            m_prompts->expectMessage(QStringLiteral("File 'Export.mdb' creato con successo !"));
            QTest::mouseClick(child<QPushButton>(window, QStringLiteral("cmdCreaMDB")),
                              Qt::LeftButton);
            progressMaximum = main.progressBar()->maximum();
            QTest::mouseClick(child<QPushButton>(window, QStringLiteral("cmdEsci")),
                              Qt::LeftButton);
        });
        main.runCommand(command);
        QCOMPARE(m_session->DialogMode, mode);
        QCOMPARE(title, caption);
        const int count = mode == QLatin1String("CInt") ? 128 : 5;
        QCOMPARE(rows, count);
        // The export drives the main window's progress bar over the columns, then clears it.
        QCOMPARE(progressMaximum, count);
        QCOMPARE(main.progressBar()->value(), 0);
    }
};

QTEST_MAIN(TestColumnViewerWindow)
#include "testColumnViewerWindow.moc"
