#include "conditions/ui/ConditionsDialog.h"
#include "platform/ui/StatusPanels.h"
#include "session/Session.h"
#include "support/DialogDriver.h"
#include "support/ScriptedPrompts.h"
#include "support/TestSystems.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestConditionsDialog final : public QObject, private DialogDriver<ConditionsDialog> {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void signsModeShowsBoxesPanelAndCounts();
    void keysAndSelection();
    void refusedOnLeave();
    void admissibleValueMovesOn();
    void okMarksModifiedEvenWhenACheckFails();
    void refusedLeaveStopsTheClickOnOk();
    void enterChecksTheBoxItLeaves();
    void annullaStoresNothing();
    void interruptionsMode();
    void interruptionsCorrectedOnConfirm();

private:
    QString label(const QString& name) const { return m_dialog->findChild<QLabel*>(name)->text(); }
};

void TestConditionsDialog::init()
{
    startSession();
    // Four fixed 1 and nine other matches of which seven include 1: Segni1 = 11, Fissi1 = 4.
    m_session->document() = TestSystems::withPrediction(
        {"1", "1", "1", "1", "1X", "1X", "1X", "1X", "1X", "1X", "1X", "X2", "X2"});
    ConditionSet& conditions = m_session->document().Conditions;
    const QList<double> bounds = {4, 11, 0, 9, 0, 2, 1, 4, 0, 3, 0, 2, 0, 12, 0, 12};
    for (int i = 1; i <= 16; ++i)
        conditions.set(i, bounds[i - 1]);
}

void TestConditionsDialog::cleanup()
{
    endSession();
}

void TestConditionsDialog::signsModeShowsBoxesPanelAndCounts()
{
    open("SEGN");
    QCOMPARE(m_dialog->objectName(), QStringLiteral("frmCOND"));
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Prova - Segni"));
    for (int i = 1; i <= 16; ++i) {
        QVERIFY(box(i));
        QCOMPARE(box(i)->isEnabled(), i <= 12);
    }
    QCOMPARE(box(2)->text(), QStringLiteral("11"));
    QCOMPARE(box(14)->text(), QStringLiteral("12"));
    QCOMPARE(label(QStringLiteral("lblCa(5)")), QStringLiteral("CASA 5"));
    QCOMPARE(label(QStringLiteral("lblFc(13)")), QStringLiteral("OSPITE 13"));
    QCOMPARE(label(QStringLiteral("lblPro(5)")), QStringLiteral("1X"));
    QCOMPARE(button("cmdChiudi")->text(), QStringLiteral("&Annulla"));

    auto* info = m_dialog->findChild<StatusPanels*>(QStringLiteral("BarraInfo"));
    QVERIFY(info && info->isVisible());
    QCOMPARE(info->panelText(1), QStringLiteral(" Segni 1:  11"));
    QCOMPARE(info->panelText(2), QStringLiteral(" Segni 1 Fissi:  4"));
    QCOMPARE(info->panelText(3), QStringLiteral(" Segni X:  9"));
    QCOMPARE(info->panelText(4), QStringLiteral(" Segni X Fissi:  0"));
    QCOMPARE(info->panelText(5), QStringLiteral(" Segni 2:  2"));
    QCOMPARE(info->panelText(6), QStringLiteral(" Segni 2 Fissi:  0"));
}

void TestConditionsDialog::keysAndSelection()
{
    open("SEGN");
    type(8, QStringLiteral("a3-x"));
    QCOMPARE(box(8)->text(), QStringLiteral("3"));
    QTest::keyClicks(box(8), QStringLiteral("12"));
    QCOMPARE(box(8)->text(), QStringLiteral("31"));
    QTest::keyClick(box(8), Qt::Key_Backspace);
    QCOMPARE(box(8)->text(), QStringLiteral("3"));

    box(10)->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(box(10)->selectedText(), QStringLiteral("3"));
}

void TestConditionsDialog::refusedOnLeave()
{
    open("SEGN");
    // The prediction bounds the count of 1: at least the 4 fixed, at most the 11 played.
    refuse(1, "12", "11", "Valore dei Segni 1 Minimi non ammesso !");
    refuse(1, "2", "4", "Valore dei Segni 1 Minimi non ammesso !");
    // At least three X make a run of at least one X.
    type(3, QStringLiteral("3"));
    leave(3);
    QVERIFY(box(4)->hasFocus());
    refuse(9, "0", "1", "Valore dei Segni X Minimi consecutivi non ammesso !");
    refuse(5, "", "", "Casella Vuota !");
    open("INTE");
    refuse(14, "13", "12", "Valore delle Interruzioni Massime non ammesso (Max. 12) !");
}

void TestConditionsDialog::admissibleValueMovesOn()
{
    open("SEGN");
    type(1, QStringLiteral("7"));
    leave(1);
    QVERIFY(box(2)->hasFocus());
    QVERIFY(m_prompts->records().isEmpty());
}

void TestConditionsDialog::okMarksModifiedEvenWhenACheckFails()
{
    open("SEGN");
    type(10, QStringLiteral("2"));
    type(9, QStringLiteral("3"));
    leave(9);
    QVERIFY(!m_session->commands().isEnabled(QStringLiteral("mnuElabora")));

    const QString message = QStringLiteral("Valore dei Segni X Massimi consecutivi non ammesso !");
    m_prompts->expectMessage(message);
    clickOk();
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(box(10)->text(), QStringLiteral("3"));
    QVERIFY(box(10)->hasFocus());
    QCOMPARE(m_session->document().Modified, 1);
    QCOMPARE(m_session->caption(), QStringLiteral("QUADRIGO 13 - Prova *"));
    QCOMPARE(m_session->document().Conditions.number(9), 0.0);
    QVERIFY(!m_session->commands().isEnabled(QStringLiteral("mnuElabora")));

    clickOk();
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    const ConditionSet& conditions = m_session->document().Conditions;
    QCOMPARE(conditions.at(9), QVariant(3.0));
    QCOMPARE(conditions.at(10), QVariant(3.0));
    QCOMPARE(conditions.at(2), QVariant(11.0));
    QVERIFY(m_session->commands().isEnabled(QStringLiteral("mnuElabora")));
    QVERIFY(m_session->commands().isEnabled(QStringLiteral("tmElabora")));
}

void TestConditionsDialog::refusedLeaveStopsTheClickOnOk()
{
    open("SEGN");
    m_prompts->expectMessage(QStringLiteral("Valore dei Segni 2 Massimi non ammesso !"));
    type(6, QStringLiteral("5"));
    clickOk();
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(box(6)->text(), QStringLiteral("2"));
    QVERIFY(box(6)->hasFocus());
    QCOMPARE(m_session->document().Modified, 0);

    // The corrected value passes on the next click.
    clickOk();
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_session->document().Modified, 1);
}

void TestConditionsDialog::enterChecksTheBoxItLeaves()
{
    open("SEGN");
    m_prompts->expectMessage(
        QStringLiteral("Valore dei Segni 1 Massimi consecutivi non ammesso !"));
    type(8, QStringLiteral("12"));
    QTest::keyClick(box(8), Qt::Key_Return);
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(box(8)->text(), QStringLiteral("11"));
    QCOMPARE(m_session->document().Modified, 0);

    QTest::keyClick(box(8), Qt::Key_Return);
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_session->document().Conditions.at(8), QVariant(11.0));
}

void TestConditionsDialog::annullaStoresNothing()
{
    open("SEGN");
    type(1, QString());
    // Leaving for Annulla checks nothing: the typed values are dropped anyway.
    QTest::mouseClick(button("cmdChiudi"), Qt::LeftButton);
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QCOMPARE(m_session->document().Conditions.at(1), QVariant(4.0));
    QCOMPARE(m_session->document().Modified, 0);
    QVERIFY(!m_session->commands().isEnabled(QStringLiteral("mnuElabora")));
}

void TestConditionsDialog::interruptionsMode()
{
    open("INTE");
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Prova - Interruzioni"));
    QVERIFY(!m_dialog->findChild<StatusPanels*>(QStringLiteral("BarraInfo"))->isVisible());
    for (int i = 1; i <= 16; ++i)
        QCOMPARE(box(i)->isEnabled(), i >= 13);
}

void TestConditionsDialog::interruptionsCorrectedOnConfirm()
{
    open("INTE");
    type(13, QStringLiteral("2"));
    type(15, QStringLiteral("1"));
    type(16, QStringLiteral("13"));
    leave(16);
    QCOMPARE(box(16)->text(), QStringLiteral("13"));
    QVERIFY(m_prompts->records().isEmpty());

    const QString message =
        QStringLiteral("Valore delle Interruzioni Massime consecutive non ammesso !");
    m_prompts->expectMessage(message);
    clickOk();
    QVERIFY(m_dialog->isVisible());
    QCOMPARE(box(16)->text(), QStringLiteral("12"));
    QVERIFY(box(16)->hasFocus());
    checkLastMessage(message);
    QCOMPARE(m_session->document().Conditions.at(13), QVariant(0.0));

    clickOk();
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    const ConditionSet& conditions = m_session->document().Conditions;
    QCOMPARE(conditions.at(13), QVariant(2.0));
    QCOMPARE(conditions.at(14), QVariant(12.0));
    QCOMPARE(conditions.at(15), QVariant(1.0));
    QCOMPARE(conditions.at(16), QVariant(12.0));
    // The signs boxes are not this mode's.
    QCOMPARE(conditions.at(1), QVariant(4.0));
    QVERIFY(m_session->commands().isEnabled(QStringLiteral("mnuElabora")));
}

QTEST_MAIN(TestConditionsDialog)
#include "testConditionsDialog.moc"
