#include "document/ui/MatchesDialog.h"
#include "platform/ProgressReporter.h"
#include "session/Session.h"
#include "support/DialogDriver.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

class RecordingProgress final : public ProgressReporter {
public:
    void setRange(int minimum, int maximum) override { ranges.append({minimum, maximum}); }
    void setValue(int value) override { values.append(value); }
    QList<QPair<int, int>> ranges;
    QList<int> values;
};

QString padded(const QString& name)
{
    return name.leftJustified(15, u' ', true);
}

} // namespace

class TestMatchesDialog final : public QObject, private DialogDriver<MatchesDialog> {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listsTheTeamsAndShowsTheMatches();
    void allEmptyGetsTheDefaults();
    void shorterNameOverLongerOne();
    void annullaOfANamedSystem();
    void annullaWithoutAName();

private:
    QComboBox* home(int i) const
    {
        return m_dialog->findChild<QComboBox*>(QStringLiteral("cboCasa(%1)").arg(i));
    }
    QComboBox* away(int i) const
    {
        return m_dialog->findChild<QComboBox*>(QStringLiteral("cboFuori(%1)").arg(i));
    }
    void type(QComboBox* box, const QString& keys)
    {
        QTest::keyClick(box->lineEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box->lineEdit(), Qt::Key_Backspace);
        QTest::keyClicks(box->lineEdit(), keys);
    }
};

void TestMatchesDialog::init()
{
    startSession();
    std::array<QString, TeamList::Count> teams;
    for (int k = 1; k <= TeamList::Count; ++k)
        teams[k - 1] = TeamList::defaultName(k);
    teams[0] = QStringLiteral("JUVENTUS");
    teams[1] = QStringLiteral("ROMA");
    QVERIFY(m_session->writeTeams(teams));
    m_session->resetDocument();
    m_session->document().SystemName = QStringLiteral("Prova");
}

void TestMatchesDialog::cleanup()
{
    endSession();
}

void TestMatchesDialog::listsTheTeamsAndShowsTheMatches()
{
    SystemDocument& document = m_session->document();
    document.setHomeTeam(3, QStringLiteral("JUVENTUS"));
    document.setAwayTeam(3, QStringLiteral("LAZIO"));
    RecordingProgress progress;
    m_session->setProgress(&progress);
    open();
    m_session->setProgress(nullptr);

    QCOMPARE(m_dialog->objectName(), QStringLiteral("frmINCONTRI"));
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Prova - Incontri"));
    QCOMPARE(progress.ranges, (QList<QPair<int, int>>{{0, 74}}));
    QCOMPARE(progress.values.size(), 75);
    QCOMPARE(progress.values[73], 74);
    QCOMPARE(progress.values.last(), 0);

    for (int i = 1; i <= 13; ++i) {
        QCOMPARE(m_dialog->findChild<QLabel*>(QStringLiteral("lblNum(%1)").arg(i))->text(),
                 QString::number(i));
        for (QComboBox* box : {home(i), away(i)}) {
            QVERIFY(box->isEditable());
            QCOMPARE(box->count(), 74);
        }
    }
    QCOMPARE(away(13)->itemText(0), QStringLiteral("JUVENTUS       "));
    QCOMPARE(away(13)->itemText(1), QStringLiteral("ROMA           "));
    QCOMPARE(home(1)->itemText(73), QStringLiteral("SQUADRA 74     "));
    QCOMPARE(home(3)->currentText(), QStringLiteral("JUVENTUS"));
    QCOMPARE(away(3)->currentText(), QStringLiteral("LAZIO"));
    QCOMPARE(home(1)->currentText(), QString());
}

void TestMatchesDialog::allEmptyGetsTheDefaults()
{
    QVERIFY(!m_session->commands().isEnabled(QStringLiteral("mnuPronostico")));
    QSignalSpy caption(m_session.get(), &Session::captionChanged);
    open();
    click("cmdOK");
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));

    const SystemDocument& document = m_session->document();
    for (int i = 1; i <= 13; ++i) {
        QCOMPARE(document.homeTeam(i), padded(QStringLiteral("SQUADRA CASA %1").arg(i)));
        QCOMPARE(document.awayTeam(i), QStringLiteral("SQUADRA OSPITE "));
        QCOMPARE(document.MatchRecords[i].size(), 33);
        QCOMPARE(document.MatchRecords[i].right(3), QStringLiteral("   "));
    }
    QCOMPARE(document.Modified, 1);
    QCOMPARE(caption.last().first().toString(), QStringLiteral("QUADRIGO 13 - Prova *"));
    QVERIFY(m_session->commands().isEnabled(QStringLiteral("mnuPronostico")));
}

void TestMatchesDialog::shorterNameOverLongerOne()
{
    SystemDocument& document = m_session->document();
    document.setHomeTeam(1, QStringLiteral("JUVENTUS"));
    document.setAwayTeam(1, QStringLiteral("SQUADRA 5"));
    document.setSigns(1, QStringLiteral("1X"));
    open();
    type(home(1), QStringLiteral("ROMA"));
    // A choice from the list.
    away(1)->setCurrentIndex(0);
    type(home(2), QStringLiteral("A NAME LONGER THAN FIFTEEN"));
    click("cmdOK");

    QCOMPARE(document.homeTeam(1), QStringLiteral("ROMA           "));
    QCOMPARE(document.awayTeam(1), QStringLiteral("JUVENTUS       "));
    QCOMPARE(document.signsOf(1), QStringLiteral("1X"));
    QCOMPARE(document.homeTeam(2), QStringLiteral("A NAME LONGER T"));
    QCOMPARE(document.awayTeam(2), QStringLiteral("SQUADRA OSPITE "));
    // Typed names do not join the list.
    QCOMPARE(home(1)->count(), 74);
}

void TestMatchesDialog::annullaOfANamedSystem()
{
    open();
    type(home(1), QStringLiteral("ROMA"));
    click("cmdAnnulla");
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    const SystemDocument& document = m_session->document();
    QCOMPARE(document.homeTeam(1), QString(15, u' '));
    QCOMPARE(document.Modified, 1);
    QVERIFY(m_session->commands().isEnabled(QStringLiteral("mnuSalva")));
    QVERIFY(!m_session->commands().isEnabled(QStringLiteral("mnuPronostico")));
}

void TestMatchesDialog::annullaWithoutAName()
{
    m_session->document().SystemName.clear();
    open();
    QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_session->document().Modified, 0);
    QVERIFY(!m_session->commands().isEnabled(QStringLiteral("mnuSalva")));
}

QTEST_MAIN(TestMatchesDialog)
#include "testMatchesDialog.moc"
