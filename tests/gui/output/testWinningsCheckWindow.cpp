#include "app/AppFolder.h"
#include "app/ui/MainWindow.h"
#include "output/ui/WinningsCheckWindow.h"
#include "session/Session.h"
#include "support/ModalDriver.h"
#include "support/ScriptedPrompts.h"
#include "support/TestSystems.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Match 1 plays 1X, match 5 the triple, match 13 the double 12, the others one sign each.
const QStringList Prediction = {"1X", "1", "2", "X", "1X2", "1", "1",
                                "1",  "1", "1", "1", "1",   "12"};

} // namespace

class TestWinningsCheckWindow final : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<WinningsCheckWindow> m_window;

    void open(const char* mode)
    {
        m_session->TaskMode = QLatin1String(mode);
        m_window = std::make_unique<WinningsCheckWindow>(*m_session);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    template <typename T> T* named(const QString& name) const
    {
        return child<T>(m_window.get(), name);
    }
    QLineEdit* box(int i) const { return named<QLineEdit>(QStringLiteral("txtColVin(%1)").arg(i)); }
    QLabel* played(int i) const { return named<QLabel>(QStringLiteral("lblPro(%1)").arg(i)); }
    QLabel* counter(int k) const { return named<QLabel>(QStringLiteral("lblV(%1)").arg(k)); }
    QLabel* mark(int k) const { return named<QLabel>(QStringLiteral("AB(%1)").arg(k)); }
    QCheckBox* tick(int k) const { return named<QCheckBox>(QStringLiteral("chkAb(%1)").arg(k)); }
    QPushButton* start() const { return named<QPushButton>(QStringLiteral("cmdAvvia")); }
    QWidget* focused() const { return QApplication::focusWidget(); }

    // Enters a box as the user does, by giving it the focus; its text ends up selected.
    void enter(int i)
    {
        box(i)->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
    }
    // Types the keys into whatever box has the focus, as the user sees it move on.
    void typeColumn(const QString& keys)
    {
        enter(1);
        for (QChar key : keys)
            QTest::keyClicks(focused(), QString(key));
    }
    QStringList counters() const
    {
        QStringList texts;
        for (int k = 1; k <= 8; ++k)
            texts << counter(k)->text();
        return texts;
    }
    QList<bool> marks() const
    {
        QList<bool> shown;
        for (int k = 1; k <= 8; ++k)
            shown << mark(k)->isVisible();
        return shown;
    }
    static bool isMissed(const QLabel* label)
    {
        return label->font().bold() &&
               label->palette().color(QPalette::WindowText) == QColor(Qt::red);
    }
    static bool isNormal(const QLabel* label)
    {
        return !label->font().bold() &&
               label->palette().color(QPalette::WindowText) == QColor(Qt::black);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_prompts = std::make_unique<ScriptedPrompts>();
        m_session = std::make_unique<Session>(m_dir->path(), *m_prompts);
        SystemDocument& document = m_session->document();
        document = TestSystems::withPrediction(Prediction);
        // W below is the first column; the second misses it on one match, the third on three.
        for (const char* column : {"112X111111111", "X12X111111111", "X12XX11111112"})
            document.WorkColumns.append(column);
        document.ReducedCount = 3;
    }

    void cleanup()
    {
        m_window.reset();
        QVERIFY(m_prompts->records().isEmpty());
    }

    void opensWithThePredictionAndNothingCounted()
    {
        open("CRid");
        QCOMPARE(played(1)->text(), QStringLiteral("1X"));
        QCOMPARE(played(2)->text(), QStringLiteral("1"));
        QCOMPARE(played(5)->text(), QStringLiteral("1X2"));
        for (int k = 1; k <= 8; ++k) {
            QVERIFY(tick(k)->isChecked());
            QVERIFY(counter(k)->text().isEmpty());
            QVERIFY(!mark(k)->isVisible());
        }
        QVERIFY(!start()->isEnabled());
        QCOMPARE(focused(), box(1));
    }

    void keysAreMappedOrDropped()
    {
        open("CRid");
        enter(1);
        // Each key: the box it goes to, what that box then shows, the box with the focus.
        const QList<std::tuple<int, const char*, const char*, int>> steps = {
            {1, "3", "X", 2}, {2, "a", "", 2},  {2, " ", "", 2},
            {2, "x", "X", 3}, {3, "-", "-", 4}, {4, "2", "2", 5}};
        for (const auto& [i, key, shown, next] : steps) {
            QTest::keyClicks(box(i), QLatin1String(key));
            QCOMPARE(box(i)->text(), QLatin1String(shown));
            QCOMPARE(focused(), box(next));
        }

        // Entering a box selects its entry, so a key replaces it; Backspace stays in the box.
        enter(2);
        QCOMPARE(box(2)->selectedText(), QStringLiteral("X"));
        QTest::keyClicks(box(2), QStringLiteral("1"));
        QCOMPARE(box(2)->text(), QStringLiteral("1"));
        QCOMPARE(focused(), box(3));
        QTest::keyClick(box(3), Qt::Key_Backspace);
        QVERIFY(box(3)->text().isEmpty());
        QCOMPARE(focused(), box(3));
    }

    void aMissedMatchIsMarkedUntilCorrected()
    {
        open("CRid");
        QVERIFY(isNormal(played(1)));
        enter(1);
        QTest::keyClicks(box(1), QStringLiteral("2"));
        QCOMPARE(focused(), box(2));
        QVERIFY(isMissed(played(1)));
        // An entry among the played signs, or none, is no miss.
        QTest::keyClicks(box(2), QStringLiteral("1"));
        QVERIFY(isNormal(played(2)));
        QTest::keyClick(box(3), Qt::Key_Tab);
        QVERIFY(isNormal(played(3)));

        enter(1);
        QTest::keyClicks(box(1), QStringLiteral("1"));
        QVERIFY(isNormal(played(1)));
    }

    void countStartsOnlyOnceTheColumnIsComplete()
    {
        open("CRid");
        typeColumn(QStringLiteral("112X"));
        QCOMPARE(focused(), box(5));

        // Leaving the last box with an earlier one empty goes to the first empty one.
        enter(13);
        QTest::keyClicks(box(13), QStringLiteral("1"));
        QCOMPARE(focused(), box(5));
        QVERIFY(!start()->isEnabled());
        for (QChar key : QStringLiteral("11111111"))
            QTest::keyClicks(focused(), QString(key));
        QCOMPARE(focused(), box(13));
        QVERIFY(!start()->isEnabled());
        // Nor can the last box be left empty while the others are filled.
        QTest::keyClick(box(13), Qt::Key_Backspace);
        enter(2);
        QCOMPARE(focused(), box(13));
        QVERIFY(!start()->isEnabled());

        QTest::keyClicks(box(13), QStringLiteral("2"));
        QVERIFY(start()->isEnabled());
        QCOMPARE(focused(), start());

        // Once offered, the count stays available.
        enter(3);
        QTest::keyClick(box(3), Qt::Key_Backspace);
        enter(13);
        QTest::keyClick(box(13), Qt::Key_Tab);
        QCOMPARE(focused(), box(3));
        QVERIFY(start()->isEnabled());
    }

    void columnEqualToTheWinningOneCountsInTheFirstCategoryOnly()
    {
        open("CRid");
        typeColumn(QStringLiteral("112X111111111"));
        QCOMPARE(focused(), start());
        QTest::mouseClick(start(), Qt::LeftButton);
        QCOMPARE(counters(), (QStringList{"1", "1", "0", "1", "0", "0", "0", "0"}));
        QCOMPARE(marks(), (QList<bool>(8, true)));
        QVERIFY(named<QLabel>(QStringLiteral("lblDescr"))->isVisible());
        QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"))
                    .match(named<QLabel>(QStringLiteral("lblTempo"))->text())
                    .hasMatch());
        QVERIFY(!named<QProgressBar>(QStringLiteral("BarraWait"))->isVisible());
        QVERIFY(start()->isEnabled());
        QVERIFY(named<QPushButton>(QStringLiteral("cmdEsci"))->isEnabled());
        QCOMPARE(focused(), box(1));

        // A merged system plays no part in the check.
        m_session->document().MergedCount = 1;
        QTest::mouseClick(start(), Qt::LeftButton);
        QCOMPARE(counters(), (QStringList{"1", "1", "0", "1", "0", "0", "0", "0"}));
    }

    void untickedCategoriesStayEmpty()
    {
        open("CRid");
        // A '-' equals no sign: the first two columns score 12 points, the third 10.
        typeColumn(QStringLiteral("-12X111111111"));
        for (int k = 3; k <= 8; ++k)
            QTest::mouseClick(tick(k), Qt::LeftButton, {}, QPoint(4, tick(k)->height() / 2));
        for (int k = 3; k <= 8; ++k)
            QVERIFY(!tick(k)->isChecked());
        QTest::mouseClick(start(), Qt::LeftButton);
        QCOMPARE(counters(), (QStringList{"0", "2", "", "", "", "", "", ""}));
        QCOMPARE(marks(), (QList<bool>{true, true, false, false, false, false, false, false}));

        // The column stays for a second count with other categories.
        tick(4)->setChecked(true);
        QTest::mouseClick(start(), Qt::LeftButton);
        QCOMPARE(counters(), (QStringList{"0", "2", "", "1", "", "", "", ""}));
        QCOMPARE(marks(), (QList<bool>{true, true, false, true, false, false, false, false}));
    }

    void integralSystemHoldsAPlayedColumnOnce()
    {
        open("CInt");
        QCOMPARE(m_session->document().IntegralCount, 12);
        // Every entry among the played signs: one column scores 13, and one column for each
        // other sign played on a match scores 12.
        typeColumn(QStringLiteral("X12X211111112"));
        QTest::mouseClick(start(), Qt::LeftButton);
        QCOMPARE(counter(1)->text(), QStringLiteral("1"));
        QCOMPARE(counter(2)->text(), QStringLiteral("4"));
    }

    void commandsOpenTheWindowInTheirMode_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("mode");
        QTest::newRow("reduced") << "mnuConColRid"
                                 << "CRid";
        QTest::newRow("integral") << "mnuConColInt"
                                  << "CInt";
    }

    void commandsOpenTheWindowInTheirMode()
    {
        QFETCH(QString, command);
        QFETCH(QString, mode);
        AppFolder::prepare(m_dir->path());
        m_session->options() = Options::dialogDefaults(m_session->defaultSystemsFolder());
        m_session->applyRule(CommandRule::MatchesConfirmed);
        m_session->applyRule(CommandRule::ReductionConfirmed);
        m_session->refreshStatus();
        MainWindow main(*m_session);
        main.show();
        QString title;
        whenModal(QStringLiteral("frmCONTROLLA"), [&](QWidget* window) {
            title = window->windowTitle();
            window->close();
        });
        main.runCommand(command);
        QCOMPARE(m_session->TaskMode, mode);
        QCOMPARE(title, QStringLiteral("Prova - Spoglio Schedine"));
    }

    void checkKeyFollowsTheSpoglioMenu()
    {
        const SystemDocument prepared = m_session->document();
        m_session->resetDocument();
        MainWindow main(*m_session);
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QVERIFY(!main.command(QStringLiteral("mnuColVincente"))->isEnabled());
        // F2 is the shortcut key of the check on the integral system.
        QVERIFY(!modalOpenedDuring([&main] {
            QTest::keyClick(&main, Qt::Key_F2);
            QTest::qWait(50);
        }));
        QVERIFY(m_session->TaskMode.isEmpty());

        m_session->document() = prepared;
        m_session->applyRule(CommandRule::PredictionConfirmed);
        QVERIFY(main.command(QStringLiteral("mnuColVincente"))->isEnabled());
        QString title;
        whenModal(QStringLiteral("frmCONTROLLA"), [&title](QWidget* window) {
            title = window->windowTitle();
            window->close();
        });
        QTest::keyClick(&main, Qt::Key_F2);
        QCOMPARE(title, QStringLiteral("Prova - Spoglio Schedine"));
        QCOMPARE(m_session->TaskMode, QStringLiteral("CInt"));
    }
};

QTEST_MAIN(TestWinningsCheckWindow)
#include "testWinningsCheckWindow.moc"
