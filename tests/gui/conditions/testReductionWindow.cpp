#include "conditions/Measures.h"
#include "conditions/ui/ReductionWindow.h"
#include "document/StatusTexts.h"
#include "platform/ColumnDatabase.h"
#include "platform/ProgressReporter.h"
#include "session/Session.h"
#include "support/DialogDriver.h"
#include "support/TestSystems.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Records, at every step of the progress bar, what the count labels show at that moment.
class WatchingProgress final : public ProgressReporter {
public:
    void setValue(int value) override
    {
        if (value == 0 || !window)
            return;
        for (const char* name : {"lblSegniMinMax", "lblInterruzioni", "lblSeq2"}) {
            const auto* label = window->findChild<QLabel*>(QLatin1String(name));
            if (label->isVisible() && !label->text().isEmpty())
                texts[QLatin1String(name)].append(label->text());
        }
    }
    QWidget* window = nullptr;
    QHash<QString, QStringList> texts;
};

const QStringList PassLabelNames = {"lblSegniMinMax", "lblSegniCons", "lblInterruzioni", "lblSim",
                                    "lblPar",         "lblSeq1",      "lblSeq2",         "lblSeq3",
                                    "lblSeq4",        "lblSeq5",      "lblSeq6",         "lblSeq7",
                                    "lblParalleliP3"};

} // namespace

class TestReductionWindow final : public QObject, private DialogDriver<ReductionWindow> {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void runningCountsAndTable();
    void allKindsOffKeepTheIntegralSystem();
    void emptySignsPassClosesTheWindow();
    void emptyLaterPassKeepsTheWindow();
    void leavingTheWindowWithdrawsTheConfirmation();
    void confirmationMakesTheReducedSystem();
    void annullaLeavesTheDocument();

private:
    QLabel* label(const QString& name) const { return m_dialog->findChild<QLabel*>(name); }
    void open()
    {
        m_dialog = std::make_unique<ReductionWindow>(*m_session, [this] { return m_flags; });
        m_dialog->show();
        QApplication::setActiveWindow(m_dialog.get());
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    }
    void start() { click("cmdAvvia"); }
    // Columns of the integral system the conditions of init() keep, found with the plain
    // measures: 11..13 signs 1, at most one X and one 2, at most 2 interruptions, and not
    // 2 at match 1 with X at match 2.
    ColumnBuffer expectedSurvivors() const
    {
        ColumnBuffer kept;
        const ColumnBuffer& integral = m_session->document().IntegralColumns;
        for (qsizetype i = 0; i < integral.count(); ++i) {
            const QByteArrayView column = integral.column(i);
            const ColumnMeasures m = Measures::measure(column);
            if (m.S1 >= 11 && m.SX <= 1 && m.S2 <= 1 && m.IG <= 2 &&
                !(column[0] == '2' && column[1] == 'X'))
                kept.append(column);
        }
        return kept;
    }
    ColumnBuffer table() const
    {
        ColumnBuffer columns;
        QString error;
        if (!ColumnDatabase::readReducedColumns(m_folder->path(), columns, &error))
            qWarning("%s", qPrintable(error));
        return columns;
    }
    void setBounds(int first, const QList<double>& values)
    {
        for (int k = 0; k < values.size(); ++k)
            m_session->document().Conditions.set(first + k, values[k]);
    }

    QString m_flags;
};

void TestReductionWindow::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void TestReductionWindow::init()
{
    startSession();
    m_session->options()[Options::ColumnCost] = QStringLiteral("0.5");
    // 81 columns: the first four matches triple, the other nine fixed 1.
    m_session->document() = TestSystems::withPrediction(
        {"1X2", "1X2", "1X2", "1X2", "1", "1", "1", "1", "1", "1", "1", "1", "1"});
    setBounds(1, {11, 13, 0, 1, 0, 1});
    // Left at 0..0 the runs would remove everything, but their kind is off.
    setBounds(13, {0, 2, 0, 12});
    ConditionSet& conditions = m_session->document().Conditions;
    conditions.set(25, QStringLiteral("11"));
    conditions.set(26, QStringLiteral("1-2"));
    conditions.set(27, QStringLiteral("N"));
    conditions.set(28, QStringLiteral("2X"));
    conditions.set(29, QStringLiteral("1-2"));
    conditions.set(30, QStringLiteral("S"));
    m_flags = QStringLiteral("1010010");
}

void TestReductionWindow::cleanup()
{
    endSession();
}

void TestReductionWindow::runningCountsAndTable()
{
    WatchingProgress progress;
    m_session->setProgress(&progress);
    open();
    progress.window = m_dialog.get();
    start();
    m_session->setProgress(nullptr);

    // The signs pass writes " su" without the blank that the other passes add.
    // Each label shows its running count while its pass runs, then keeps its final count.
    QCOMPARE(progress.texts.value(QStringLiteral("lblSegniMinMax")),
             (QStringList{" 81 su 81", " 21", " 21"}));
    QCOMPARE(progress.texts.value(QStringLiteral("lblInterruzioni")),
             (QStringList{" 21 su  21", " 11"}));
    QCOMPARE(progress.texts.value(QStringLiteral("lblSeq2")), (QStringList{" 11 su  11"}));
    const QList<std::pair<const char*, const char*>> texts = {
        {"lblCapSegniMinMax", "Colonne Condizionate con Segni Min/Max"},
        {"lblSegniMinMax", " 21"},
        {"lblSMM", "10.50 €"},
        {"lblCapInterruzioni", "Colonne Condizionate con Interruzioni"},
        {"lblInterruzioni", " 11"},
        {"lblInt", "5.50 €"},
        {"lblCapSeq2", "Colonne Condizionate con Sequela 2"},
        {"lblSeq2", " 10"},
        {"lblSQ2", "5.00 €"}};
    for (const auto& [name, text] : texts) {
        QVERIFY2(label(QLatin1String(name))->isVisible(), name);
        QCOMPARE(label(QLatin1String(name))->text(), QString::fromUtf8(text));
    }
    const QStringList shown = {"lblSegniMinMax", "lblInterruzioni", "lblSeq2"};
    for (const QString& name : PassLabelNames)
        QCOMPARE(label(name)->isVisible(), shown.contains(name));
    for (const char* name : {"lblCapSegniCons", "lblSC", "lblCapSeq1", "lblSQ1", "lblPar3"})
        QVERIFY(!label(QLatin1String(name))->isVisible());

    QVERIFY(label(QStringLiteral("lblTempo"))->isVisible());
    QVERIFY(label(QStringLiteral("lblStrTmp"))->isVisible());
    QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"))
                .match(label(QStringLiteral("lblTempo"))->text())
                .hasMatch());
    for (const char* name : {"cmdAvvia", "cmdAnnulla", "cmdOK"})
        QVERIFY(button(name)->isVisible());

    const ColumnBuffer expected = expectedSurvivors();
    QCOMPARE(expected.count(), 10);
    QCOMPARE(table(), expected);
    QCOMPARE(m_dialog->tableCount(), 10);
}

void TestReductionWindow::allKindsOffKeepTheIntegralSystem()
{
    m_flags = QStringLiteral("0000000");
    open();
    start();
    for (const QString& name : PassLabelNames)
        QVERIFY(!label(name)->isVisible());
    QVERIFY(label(QStringLiteral("lblTempo"))->isVisible());
    QVERIFY(button("cmdOK")->isVisible());
    QCOMPARE(table(), m_session->document().IntegralColumns);
    QCOMPARE(m_dialog->tableCount(), 81);
}

void TestReductionWindow::emptySignsPassClosesTheWindow()
{
    ColumnBuffer previous;
    previous.append("1111111111111");
    previous.append("X111111111111");
    QVERIFY(ColumnDatabase::writeReducedColumns(m_folder->path(), previous, nullptr));
    setBounds(1, {0, 0});
    open();
    m_prompts->expectMessage(QStringLiteral("Il Sistema Ridotto non prevede alcuna Colonna !"));
    start();
    QCOMPARE(m_prompts->lastMessage().icon, MessageIcon::Exclamation);
    QCOMPARE(m_prompts->lastMessage().title, QStringLiteral("Prova"));
    QVERIFY(!m_dialog->isVisible());
    QVERIFY(table().isEmpty());
    QCOMPARE(m_dialog->tableCount(), 0);
    QCOMPARE(m_session->document().ReducedCount, 0);
}

void TestReductionWindow::emptyLaterPassKeepsTheWindow()
{
    m_flags = QStringLiteral("1010000");
    setBounds(13, {13, 14});
    open();
    m_prompts->expectMessage(QStringLiteral("Il Sistema Ridotto non prevede alcuna Colonna !"));
    start();
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(label(QStringLiteral("lblSegniMinMax"))->text(), QStringLiteral(" 21"));
    QCOMPARE(label(QStringLiteral("lblSMM"))->text(), QStringLiteral("10.50 €"));
    QVERIFY(label(QStringLiteral("lblInterruzioni"))->isVisible());
    QCOMPARE(label(QStringLiteral("lblInterruzioni"))->text(), QStringLiteral(" 0"));
    QCOMPARE(label(QStringLiteral("lblInt"))->text(), QString());
    // The signs pass had kept columns, so start and cancel stay hidden; nothing to confirm.
    for (const char* name : {"cmdAvvia", "cmdAnnulla", "cmdOK"})
        QVERIFY(!button(name)->isVisible());
    QVERIFY(!label(QStringLiteral("lblTempo"))->isVisible());
    QVERIFY(!label(QStringLiteral("lblStrTmp"))->isVisible());
    QVERIFY(table().isEmpty());
}

void TestReductionWindow::leavingTheWindowWithdrawsTheConfirmation()
{
    open();
    start();
    QVERIFY(button("cmdOK")->isVisible());
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(!button("cmdOK")->isVisible());
    QVERIFY(button("cmdAvvia")->isVisible());
}

void TestReductionWindow::confirmationMakesTheReducedSystem()
{
    SystemDocument& document = m_session->document();
    document.MergedCount = 4;
    QSignalSpy merge(m_session.get(), &Session::mergeCaptionChanged);
    QSignalSpy status(m_session.get(), &Session::statusChanged);
    open();
    start();
    // The boxes of the enabling window are read again at the confirmation.
    m_flags = QStringLiteral("1010011");
    clickOk();

    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(document.WorkColumns, expectedSurvivors());
    QCOMPARE(document.ReducedCount, 10);
    QCOMPARE(document.EnableFlags, QStringLiteral("1010011"));
    QCOMPARE(document.Modified, 1);
    QCOMPARE(m_session->caption(), QStringLiteral("QUADRIGO 13 - Prova *"));
    QCOMPARE(document.MergedCount, 0);
    QCOMPARE(merge.size(), 1);
    QCOMPARE(merge.first().first().toString(), QStringLiteral("&Accorpa Colonne"));
    QVERIFY(!status.isEmpty());
    QCOMPARE(StatusTexts::reducedStatus(document, 0.5).panels[0], QStringLiteral("Colonne: 10"));
    QVERIFY(m_session->commands().isEnabled(QStringLiteral("mnuRidotto")));
    QVERIFY(m_session->commands().isVisible(QStringLiteral("tmAccorpa")));
    QVERIFY(!m_session->commands().isVisible(QStringLiteral("tmDisaccorpa")));
}

void TestReductionWindow::annullaLeavesTheDocument()
{
    open();
    start();
    click("cmdAnnulla");
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(table().count(), 10);
    const SystemDocument& document = m_session->document();
    QCOMPARE(document.ReducedCount, 0);
    QVERIFY(document.WorkColumns.isEmpty());
    QCOMPARE(document.EnableFlags, QStringLiteral("1000000"));
    QCOMPARE(document.Modified, 0);
    QVERIFY(!m_session->commands().isEnabled(QStringLiteral("mnuVediColRid")));
}

QTEST_MAIN(TestReductionWindow)
#include "testReductionWindow.moc"
