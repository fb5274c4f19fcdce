#include "conditions/ui/SequencesDialog.h"
#include "session/Session.h"
#include "support/DialogDriver.h"
#include "support/ScriptedPrompts.h"
#include "support/TestSystems.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestSequencesDialog final : public QObject, private DialogDriver<SequencesDialog> {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void opensWithRowsAndHeadings();
    void keys();
    void boldGuidesTheTyping();
    void outerDashesRemoved();
    void refusalsAndAcceptedEntries();
    void okFocusClearsRowsWithoutSigns();
    void okStoresTextsWithoutMarkingModified();
    void annullaStoresNothing();

private:
    QCheckBox* active(int i) const
    {
        return m_dialog->findChild<QCheckBox*>(QStringLiteral("ckATT(%1)").arg(i));
    }
    QLabel* label(const QString& name) const { return m_dialog->findChild<QLabel*>(name); }
    // Row 1 with its signs typed and left, the focus in its fields box.
    void typeSigns(const QString& keys)
    {
        type(25, keys);
        leave(25);
        QVERIFY(box(26)->hasFocus());
    }
    bool bold(const QString& name) const { return label(name)->font().bold(); }
};

void TestSequencesDialog::init()
{
    startSession();
    m_session->document() = TestSystems::withPrediction(TestSystems::allTriples());
    ConditionSet& conditions = m_session->document().Conditions;
    conditions.set(31, QStringLiteral("12X "));
    conditions.set(32, QStringLiteral("1-2-3"));
    conditions.set(33, QStringLiteral("S"));
    conditions.set(34, QStringLiteral("X1"));
    conditions.set(35, QStringLiteral("7-9"));
    conditions.set(36, QStringLiteral("N"));
}

void TestSequencesDialog::cleanup()
{
    endSession();
}

void TestSequencesDialog::opensWithRowsAndHeadings()
{
    open();
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Prova - Elimina Sequele"));
    // A new system's entries, the number 0, show as empty rows.
    QCOMPARE(box(25)->text(), QString());
    QCOMPARE(box(26)->text(), QString());
    QVERIFY(!active(27)->isChecked());
    QCOMPARE(box(31)->text(), QStringLiteral("12X"));
    QCOMPARE(box(32)->text(), QStringLiteral("1-2-3"));
    QVERIFY(active(33)->isChecked());
    QVERIFY(box(33)->isHidden());
    QCOMPARE(box(33)->text(), QStringLiteral("S"));
    QVERIFY(!active(36)->isChecked());
    for (int b = 25; b <= 43; b += 3) {
        QVERIFY(box(b) && box(b + 1) && box(b + 2) && active(b + 2));
        QVERIFY(box(b + 2)->isHidden());
    }
}

void TestSequencesDialog::keys()
{
    open();
    type(25, QStringLiteral("2x3a0 1"));
    QCOMPARE(box(25)->text(), QStringLiteral("2XX1"));
    type(26, QStringLiteral("4-a5 -x11"));
    QCOMPARE(box(26)->text(), QStringLiteral("4-5-11"));
    QTest::keyClick(box(26), Qt::Key_Backspace);
    QCOMPARE(box(26)->text(), QStringLiteral("4-5-1"));
}

void TestSequencesDialog::boldGuidesTheTyping()
{
    open();
    QVERIFY(!bold(QStringLiteral("lblN(1)")));
    QVERIFY(!bold(QStringLiteral("lblPro(1)")));
    box(25)->setFocus(Qt::MouseFocusReason);
    QVERIFY(bold(QStringLiteral("lblPro(1)")));
    QVERIFY(bold(QStringLiteral("lblPro(13)")));
    QVERIFY(!bold(QStringLiteral("lblN(1)")));
    leave(25);
    QVERIFY(!bold(QStringLiteral("lblPro(1)")));
    QVERIFY(bold(QStringLiteral("lblN(1)")));
    QVERIFY(bold(QStringLiteral("lblN(13)")));
    box(28)->setFocus(Qt::MouseFocusReason);
    QVERIFY(!bold(QStringLiteral("lblN(1)")));
    QVERIFY(bold(QStringLiteral("lblPro(1)")));
}

void TestSequencesDialog::outerDashesRemoved()
{
    open();
    typeSigns(QStringLiteral("231"));
    QCOMPARE(box(25)->text(), QStringLiteral("2X1"));
    type(26, QStringLiteral("-4-5-11-"));
    leave(26);
    QCOMPARE(box(26)->text(), QStringLiteral("4-5-11"));
    QVERIFY(!box(26)->hasFocus());
}

void TestSequencesDialog::refusalsAndAcceptedEntries()
{
    open();
    refuse(25, "2 ", "2", "Inserire almeno 2 segni !");
    // The predicted signs stay bold while a signs box is being corrected.
    QVERIFY(bold(QStringLiteral("lblPro(1)")));
    typeSigns(QStringLiteral("2X1"));
    refuse(26, "4--5-11", "4--5-11", "Rilevati trattini Doppi (--) !");
    refuse(26, "4-5", "4-5", "Numero di campi non valido !");
    // An empty list counts as one field.
    refuse(26, "", "", "Numero di campi non valido !");
    refuse(26, "4-5-14", "4-5-14", "Numero di campo non valido (1...13) !");
    refuse(26, "0-5-4", "0-5-4", "Numero di campo non valido (1...13) !");
    type(26, QStringLiteral("13-5-1"));
    leave(26);
    QVERIFY(!box(26)->hasFocus());
    // Beside an empty signs box the row is unused: its fields are not counted.
    type(29, QStringLiteral("4-5"));
    leave(29);
    QVERIFY(!box(29)->hasFocus());
    refuse(28, "11111111111111", "11111111111111", "Inserire al massimo 13 segni !");
    type(28, QStringLiteral("1111111111111"));
    leave(28);
    QVERIFY(box(29)->hasFocus());
}

void TestSequencesDialog::okFocusClearsRowsWithoutSigns()
{
    open();
    typeSigns(QStringLiteral("2X1"));
    type(26, QStringLiteral("4-5-11"));
    active(27)->setChecked(true);
    type(38, QStringLiteral("1-2"));
    active(39)->setChecked(true);
    QTest::keyClick(box(38), Qt::Key_Tab);

    button("cmdOK")->setFocus(Qt::TabFocusReason);
    QCOMPARE(box(38)->text(), QString());
    QVERIFY(!active(39)->isChecked());
    QCOMPARE(box(39)->text(), QString());
    QCOMPARE(box(26)->text(), QStringLiteral("4-5-11"));
    QVERIFY(active(27)->isChecked());
    QVERIFY(active(33)->isChecked());
}

void TestSequencesDialog::okStoresTextsWithoutMarkingModified()
{
    open();
    typeSigns(QStringLiteral("2X1"));
    type(26, QStringLiteral("-4-5-11-"));
    active(27)->setChecked(true);
    active(33)->setChecked(false);
    type(40, QStringLiteral("12"));
    clickOk();
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));

    const ConditionSet& conditions = m_session->document().Conditions;
    QCOMPARE(conditions.at(25), QVariant(QStringLiteral("2X1")));
    QCOMPARE(conditions.at(26), QVariant(QStringLiteral("4-5-11")));
    QCOMPARE(conditions.at(27), QVariant(QStringLiteral("S")));
    QCOMPARE(conditions.at(31), QVariant(QStringLiteral("12X")));
    QCOMPARE(conditions.at(33), QVariant(QStringLiteral("N")));
    QCOMPARE(conditions.at(34), QVariant(QStringLiteral("X1")));
    QCOMPARE(conditions.at(40), QVariant(QStringLiteral("12")));
    QCOMPARE(conditions.at(41), QVariant(QString()));
    QCOMPARE(conditions.at(42), QVariant(QStringLiteral("N")));
    QCOMPARE(conditions.at(45), QVariant(QStringLiteral("N")));
    QCOMPARE(conditions.at(46), QVariant(0.0));
    QCOMPARE(m_session->document().Modified, 0);
    QCOMPARE(m_session->caption(), QStringLiteral("QUADRIGO 13 - Prova"));
    QVERIFY(m_session->commands().isEnabled(QStringLiteral("mnuElabora")));
    QVERIFY(m_session->commands().isEnabled(QStringLiteral("tmElabora")));
}

void TestSequencesDialog::annullaStoresNothing()
{
    open();
    type(25, QStringLiteral("2"));
    QTest::mouseClick(button("cmdChiudi"), Qt::LeftButton);
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QCOMPARE(m_session->document().Conditions.at(25), QVariant(0.0));
    QVERIFY(!m_session->commands().isEnabled(QStringLiteral("mnuElabora")));
}

QTEST_MAIN(TestSequencesDialog)
#include "testSequencesDialog.moc"
