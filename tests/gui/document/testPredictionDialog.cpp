#include "document/ui/PredictionDialog.h"
#include "platform/ProgressReporter.h"
#include "session/Session.h"
#include "support/DialogDriver.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Notes, at each step of the progress bar, what the wait window shows.
class WatchingProgress final : public ProgressReporter {
public:
    void setRange(int, int maximum) override { maxima.append(maximum); }
    void setValue(int) override
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String("frmATTESA") && window->isVisible())
                seen.append(window->windowTitle() + QLatin1Char('|') +
                            window->findChild<QLabel*>(QStringLiteral("lblMessaggio"))->text() +
                            QLatin1Char('|') +
                            window->findChild<QLabel*>(QStringLiteral("lblProgressivo"))->text());
    }
    QList<int> maxima;
    QStringList seen;
};

} // namespace

class TestPredictionDialog final : public QObject, private DialogDriver<PredictionDialog> {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opensWithTeamsSignsAndCounts();
    void keyFilterMapsAndDrops();
    void recountsAfterEveryKey();
    void validationMessagesInOrder();
    void unchangedOkClosesLikeChiudi();
    void changedPredictionGenerates();
    void allFixedStoresAnEmptySystem();
    void chiudiDropsTypedSigns();

private:
    QLineEdit* field(int i) const
    {
        return m_dialog->findChild<QLineEdit*>(QStringLiteral("txtPro(%1)").arg(i));
    }
    QString label(const char* name) const
    {
        return m_dialog->findChild<QLabel*>(QLatin1String(name))->text();
    }
    // Fixed, doubles, triples, integral columns, euro, lire.
    QStringList counts() const
    {
        QStringList texts;
        for (const char* name :
             {"lblFISSE", "lblDOPPIE", "lblTRIPLE", "lblINTEGRALE", "lblEURO", "lblLIRE"})
            texts << label(name);
        return texts;
    }
    // Replaces a field's text the way a user does: select all, then type.
    void type(int i, const QString& keys)
    {
        QTest::keyClick(field(i), Qt::Key_A, Qt::ControlModifier);
        if (keys.isEmpty())
            QTest::keyClick(field(i), Qt::Key_Backspace);
        else
            QTest::keyClicks(field(i), keys);
    }
    void typeAll(const QStringList& first)
    {
        for (int i = 1; i <= 13; ++i)
            type(i, i <= first.size() ? first[i - 1] : QStringLiteral("1"));
    }
    // A named system with teams on the first matches and the signs given.
    void prepare(const QStringList& signs)
    {
        SystemDocument& document = m_session->document();
        document.SystemName = QStringLiteral("Prova");
        document.setHomeTeam(1, QStringLiteral("JUVENTUS"));
        document.setAwayTeam(1, QStringLiteral("ROMA"));
        for (int i = 1; i <= signs.size(); ++i)
            document.setSigns(i, signs[i - 1]);
    }
};

void TestPredictionDialog::init()
{
    startSession();
    m_session->options()[Options::ColumnCost] = QStringLiteral("0.5");
    m_session->resetDocument();
}

void TestPredictionDialog::cleanup()
{
    endSession();
}

void TestPredictionDialog::opensWithTeamsSignsAndCounts()
{
    prepare({"1X", "12X", "2"});
    SystemDocument& document = m_session->document();
    document.IntegralCount = 6;
    document.NumFisse = 11;
    document.NumDoppie = 1;
    document.NumTriple = 1;
    open();

    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Prova - Pronostico"));
    QCOMPARE(label("lblF(1)"), QStringLiteral(" JUVENTUS       "));
    QCOMPARE(field(2)->text(), QStringLiteral("12X"));
    QCOMPARE(counts(), (QStringList{"11", "1", "1", " 6", "3 €", "5808.81 £"}));
    // Without an integral system the count labels stay empty until the user types.
    m_dialog.reset();
    document.IntegralCount = 0;
    open();
    QCOMPARE(label("lblINTEGRALE"), QString());
    QCOMPARE(label("lblEURO"), QString());
}

void TestPredictionDialog::keyFilterMapsAndDrops()
{
    open();
    QTest::keyClicks(field(1), QStringLiteral("x3a"));
    QCOMPARE(field(1)->text(), QStringLiteral("XX"));
    QTest::keyClicks(field(2), QStringLiteral("1 0,2?X"));
    QCOMPARE(field(2)->text(), QStringLiteral("12X"));
    // At most three characters.
    QTest::keyClicks(field(2), QStringLiteral("1"));
    QCOMPARE(field(2)->text(), QStringLiteral("12X"));
    QTest::keyClick(field(2), Qt::Key_Backspace);
    QCOMPARE(field(2)->text(), QStringLiteral("12"));
    // Typing over a selection replaces it, mapped as well.
    QTest::keyClick(field(2), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field(2), QStringLiteral("3"));
    QCOMPARE(field(2)->text(), QStringLiteral("X"));
}

void TestPredictionDialog::recountsAfterEveryKey()
{
    open();
    typeAll({"1X", "X2", "12X"});
    QCOMPARE(counts(), (QStringList{"10", "2", "1", " 12", "6 €", "11617.62 £"}));

    type(1, QStringLiteral("1"));
    type(2, QStringLiteral("2"));
    type(3, QStringLiteral("X"));
    QCOMPARE(counts(), (QStringList{"13", "0", "0", " 0", "0 €", "0 £"}));

    // An emptied field counts as nothing.
    type(3, QString());
    QCOMPARE(label("lblFISSE"), QStringLiteral("12"));
}

void TestPredictionDialog::validationMessagesInOrder()
{
    prepare({});
    open();
    type(1, QStringLiteral("11"));
    m_prompts->expectMessage(QStringLiteral("Una o più caselle vuote !"));
    clickOk();
    QCOMPARE(m_prompts->lastMessage().icon, MessageIcon::Exclamation);
    QCOMPARE(m_prompts->lastMessage().title, QStringLiteral("Prova"));
    QVERIFY(m_dialog->isVisible());

    typeAll({"11", "1X1"});
    m_prompts->expectMessage(QStringLiteral("Ripetizione segni su Doppie!"));
    clickOk();

    type(1, QStringLiteral("1X"));
    m_prompts->expectMessage(QStringLiteral("Ripetizione segni su Triple!"));
    clickOk();
    QCOMPARE(m_prompts->lastMessage().title, QStringLiteral("Prova"));

    // Nothing was stored and the fields keep what was typed.
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(field(2)->text(), QStringLiteral("1X1"));
    QCOMPARE(m_session->document().signsOf(1), QString());
    QCOMPARE(m_session->document().IntegralCount, 0);
    QCOMPARE(m_session->document().Modified, 0);
}

void TestPredictionDialog::unchangedOkClosesLikeChiudi()
{
    prepare({"1X", "12X", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"});
    SystemDocument& document = m_session->document();
    document.IntegralCount = 6;
    document.ReducedCount = 2;
    document.WorkColumns.append("1111111111111");
    document.WorkColumns.append("X211111111111");
    open();
    QSignalSpy summary(m_dialog.get(), &PredictionDialog::conditionsSummaryRequested);

    clickOk();
    QCOMPARE(summary.count(), 1);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QCOMPARE(document.ReducedCount, 2);
    QCOMPARE(document.WorkColumns.count(), 2);
    QCOMPARE(document.Modified, 0);
}

void TestPredictionDialog::changedPredictionGenerates()
{
    prepare({});
    SystemDocument& document = m_session->document();
    document.ReducedCount = 3;
    document.WorkColumns.append("1111111111111");
    document.MergedCount = 2;
    QVERIFY(!m_session->commands().isEnabled(QStringLiteral("mnuCond")));
    QSignalSpy merge(m_session.get(), &Session::mergeCaptionChanged);
    QSignalSpy caption(m_session.get(), &Session::captionChanged);
    WatchingProgress progress;
    m_session->setProgress(&progress);
    open();
    QSignalSpy summary(m_dialog.get(), &PredictionDialog::conditionsSummaryRequested);

    typeAll({"1X", "12X"});
    clickOk();

    QVERIFY(m_dialog->isVisible());
    QCOMPARE(summary.count(), 0);
    QCOMPARE(document.IntegralCount, 6);
    QStringList columns;
    for (qsizetype k = 0; k < document.IntegralColumns.count(); ++k)
        columns.append(QString::fromLatin1(document.IntegralColumns.column(k)));
    QCOMPARE(columns, (QStringList{"1111111111111", "X211111111111", "1X11111111111",
                                   "X111111111111", "1211111111111", "XX11111111111"}));
    QCOMPARE(document.MatchRecords[1].right(3), QStringLiteral("1X "));
    QCOMPARE(document.MatchRecords[1].left(15), QStringLiteral("JUVENTUS       "));
    QCOMPARE(document.ReducedCount, 0);
    QVERIFY(document.WorkColumns.isEmpty());
    QCOMPARE(document.MergedCount, 0);
    QCOMPARE(merge.count(), 1);
    QCOMPARE(merge.last().first().toString(), QStringLiteral("&Accorpa Colonne"));
    QCOMPARE(document.Segni1, 13);
    QCOMPARE(document.SegniX, 2);
    QCOMPARE(document.Segni2, 1);
    QCOMPARE(document.Fissi1, 11);
    QCOMPARE(document.NumDoppie, 1);
    QCOMPARE(document.NumTriple, 1);
    QCOMPARE(document.Modified, 1);
    QCOMPARE(caption.last().first().toString(), QStringLiteral("QUADRIGO 13 - Prova *"));

    QVERIFY(m_session->commands().isEnabled(QStringLiteral("mnuCond")));
    QVERIFY(!m_session->commands().isEnabled(QStringLiteral("mnuRidotto")));

    // The wait window showed the stages while the progress bar moved, and is gone.
    QCOMPARE(m_session->TaskMode, QStringLiteral("TEMP"));
    QCOMPARE(progress.maxima.mid(0, 2), (QList<int>{13, 6}));
    QCOMPARE(progress.seen.first(),
             QStringLiteral("Prova|Inizializzazione del Sistema Integrale. Attendere...| 1 di 13"));
    QVERIFY(progress.seen.contains(
        QStringLiteral("Prova|Generazione Colonne del Sistema Integrale. Attendere...| 13 di 13")));
    for (QWidget* window : QApplication::topLevelWidgets())
        QVERIFY(window->objectName() != QLatin1String("frmATTESA") || !window->isVisible());

    // The dialog now shows how long it took.
    auto* time = m_dialog->findChild<QLabel*>(QStringLiteral("lblTempo"));
    QVERIFY(time->isVisible());
    QVERIFY(m_dialog->findChild<QLabel*>(QStringLiteral("lblDescr"))->isVisible());
    QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$"))
                .match(time->text())
                .hasMatch());
    m_session->setProgress(nullptr);

    // Confirming the same prediction again changes nothing more.
    document.Modified = 0;
    clickOk();
    QCOMPARE(document.Modified, 0);
    QCOMPARE(summary.count(), 1);
}

void TestPredictionDialog::allFixedStoresAnEmptySystem()
{
    prepare({"1X"});
    m_session->document().IntegralCount = 2;
    m_session->document().IntegralColumns.append("1111111111111");
    m_session->document().IntegralColumns.append("X111111111111");
    open();
    typeAll({"2"});
    QCOMPARE(label("lblEURO"), QStringLiteral("0 €"));
    QCOMPARE(label("lblLIRE"), QStringLiteral("0 £"));
    clickOk();
    QCOMPARE(m_session->document().IntegralCount, 0);
    QVERIFY(m_session->document().IntegralColumns.isEmpty());
    QCOMPARE(m_session->document().signsOf(1), QStringLiteral("2"));
    QCOMPARE(m_session->document().signsOf(13), QStringLiteral("1"));
    QCOMPARE(m_session->document().Modified, 1);
}

void TestPredictionDialog::chiudiDropsTypedSigns()
{
    prepare({"1"});
    open();
    QSignalSpy summary(m_dialog.get(), &PredictionDialog::conditionsSummaryRequested);
    type(1, QStringLiteral("12"));
    QTest::mouseClick(button("cmdAnnulla"), Qt::LeftButton);
    QCOMPARE(summary.count(), 1);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_session->document().signsOf(1), QStringLiteral("1"));
    QCOMPARE(m_session->document().Modified, 0);

    // Shown again, the window starts from the stored prediction.
    m_dialog->load();
    QCOMPARE(field(1)->text(), QStringLiteral("1"));

    // Escape answers like Chiudi; closing the window from outside asks for no summary.
    m_dialog->show();
    QTest::keyClick(field(2), Qt::Key_Escape);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(summary.count(), 2);
    m_dialog->show();
    m_dialog->close();
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(summary.count(), 2);
}

QTEST_MAIN(TestPredictionDialog)
#include "testPredictionDialog.moc"
