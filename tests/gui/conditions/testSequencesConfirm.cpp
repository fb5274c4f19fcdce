#include "conditions/ui/SequencesDialog.h"
#include "session/Session.h"
#include "support/DialogDriver.h"
#include "support/TestSystems.h"

#include <QCheckBox>
#include <QTest>

// However frmSEQUELE is confirmed, a row left without signs is never stored active.
class TestSequencesConfirm final : public QObject, private DialogDriver<SequencesDialog> {
    Q_OBJECT
private slots:
    void init()
    {
        startSession();
        m_session->document() = TestSystems::withPrediction(TestSystems::allTriples());
    }
    void cleanup() { endSession(); }

    void rowWithoutSignsIsCleared_data()
    {
        QTest::addColumn<QString>("confirmFrom");
        QTest::newRow("Enter in a signs box") << QStringLiteral("txtCond(25)");
        QTest::newRow("Enter in a fields box") << QStringLiteral("txtCond(29)");
        QTest::newRow("Enter on a switch") << QStringLiteral("ckATT(30)");
        QTest::newRow("space on OK") << QStringLiteral("cmdOK");
    }
    void rowWithoutSignsIsCleared()
    {
        QFETCH(QString, confirmFrom);
        open();
        type(25, QStringLiteral("2X"));
        type(26, QStringLiteral("1-2"));
        type(29, QStringLiteral("4-5"));
        m_dialog->findChild<QCheckBox*>(QStringLiteral("ckATT(30)"))->setChecked(true);

        auto* control = m_dialog->findChild<QWidget*>(confirmFrom);
        control->setFocus(Qt::TabFocusReason);
        QTest::keyClick(control, control == button("cmdOK") ? Qt::Key_Space : Qt::Key_Return);
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        const ConditionSet& conditions = m_session->document().Conditions;
        QCOMPARE(conditions.text(25), QStringLiteral("2X"));
        QCOMPARE(conditions.text(26), QStringLiteral("1-2"));
        QCOMPARE(conditions.text(28), QString());
        QCOMPARE(conditions.text(29), QString());
        QCOMPARE(conditions.text(30), QStringLiteral("N"));
    }
};

QTEST_MAIN(TestSequencesConfirm)
#include "testSequencesConfirm.moc"
