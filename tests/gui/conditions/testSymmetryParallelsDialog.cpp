#include "conditions/ui/SymmetryParallelsDialog.h"
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

class TestSymmetryParallelsDialog final : public QObject,
                                          private DialogDriver<SymmetryParallelsDialog> {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void symmetriesOpenWithTheirGroup();
    void parallelsAndStep3Captions();
    void symmetriesKeyboardStopsAtSix();
    void step3TakesTwoDigits();
    void refusedOnLeave();
    void minimumCountAboveMaximumCount();
    void okStoresEveryGroup();
    void annullaStoresNothing();

private:
    QLabel* signs(int match) const
    {
        return m_dialog->findChild<QLabel*>(QStringLiteral("lblPro(%1)").arg(match));
    }
    void setBounds(int first, const QList<double>& values)
    {
        for (int k = 0; k < values.size(); ++k)
            m_session->document().Conditions.set(first + k, values[k]);
    }
    QColor fill(int match) const { return signs(match)->palette().color(QPalette::Window); }
};

void TestSymmetryParallelsDialog::init()
{
    startSession();
    m_session->document() = TestSystems::withPrediction(
        {"1X", "1X", "1X2", "1", "1", "1", "X", "2", "2", "1X", "12", "1", "1"});
    setBounds(17, {0, 3, 0, 3});
    setBounds(21, {1, 5, 1, 3});
    setBounds(46, {2, 9, 1, 4});
}

void TestSymmetryParallelsDialog::cleanup()
{
    endSession();
}

void TestSymmetryParallelsDialog::symmetriesOpenWithTheirGroup()
{
    open("SIMM");
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Prova - Simmetrie"));
    for (int i : {17, 18, 19, 20})
        QVERIFY(box(i)->isEnabled());
    for (int i : {21, 22, 23, 24, 46, 47, 48, 49})
        QVERIFY(!box(i)->isEnabled());
    QCOMPARE(box(18)->text(), QStringLiteral("3"));
    QCOMPARE(box(47)->text(), QStringLiteral("9"));

    // Each symmetric pair has a colour of its own; match 7 is white on black.
    QCOMPARE(fill(1), fill(13));
    QCOMPARE(fill(2), fill(12));
    QCOMPARE(fill(6), fill(8));
    QVERIFY(fill(1) != fill(2));
    QVERIFY(fill(5) != fill(6));
    QCOMPARE(fill(7), QColor(Qt::black));
    QCOMPARE(signs(7)->palette().color(QPalette::WindowText), QColor(Qt::white));
    QVERIFY(signs(7)->autoFillBackground());
}

void TestSymmetryParallelsDialog::parallelsAndStep3Captions()
{
    open("PARA");
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Prova - Paralleli"));
    QVERIFY(box(21)->isEnabled() && box(24)->isEnabled());
    QVERIFY(!box(17)->isEnabled() && !box(46)->isEnabled());
    QCOMPARE(fill(1), fill(8));
    QCOMPARE(fill(6), fill(13));
    QVERIFY(fill(1) != fill(13));
    QCOMPARE(fill(7), QColor(Qt::black));

    open("PAR3");
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("Prova - Paralleli a Passo 3"));
    QVERIFY(box(46)->isEnabled() && box(49)->isEnabled());
    QVERIFY(!box(20)->isEnabled() && !box(21)->isEnabled());
    // A step-3 pair joins two matches of the same parity.
    QCOMPARE(fill(1), fill(3));
    QCOMPARE(fill(7), fill(13));
    QCOMPARE(fill(2), fill(12));
    QVERIFY(fill(1) != fill(2));
}

void TestSymmetryParallelsDialog::symmetriesKeyboardStopsAtSix()
{
    open("SIMM");
    type(17, QStringLiteral("7"));
    QCOMPARE(box(17)->text(), QStringLiteral("0"));
    type(17, QStringLiteral("a8-2"));
    QCOMPARE(box(17)->text(), QStringLiteral("2"));
    box(20)->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(box(20)->selectedText(), QStringLiteral("3"));
}

void TestSymmetryParallelsDialog::step3TakesTwoDigits()
{
    open("PAR3");
    type(47, QStringLiteral("11"));
    QCOMPARE(box(47)->text(), QStringLiteral("11"));
    leave(47);
    QVERIFY(box(48)->hasFocus());
}

void TestSymmetryParallelsDialog::refusedOnLeave()
{
    open("SIMM");
    refuse(19, "4", "3", "Valore delle Simmetrie consecutive Minime non ammesso !");
    // The step-3 message keeps its wording.
    open("PAR3");
    refuse(48, "10", "9", "Valore dei Paralleili P3 consecutivi Minimi non ammesso !");
    open("PARA");
    refuse(22, "", "", "Casella Vuota !");
}

void TestSymmetryParallelsDialog::minimumCountAboveMaximumCount()
{
    setBounds(17, {0, 6, 0, 0});
    open("SIMM");
    type(17, QStringLiteral("5"));
    leave(17);
    QVERIFY(box(18)->hasFocus());

    m_prompts->expectMessage(QStringLiteral("Valore delle Simmetrie Massime non ammesso !"));
    type(18, QStringLiteral("2"));
    // The check runs on leaving any box of the group.
    box(20)->setFocus(Qt::MouseFocusReason);
    QCOMPARE(box(18)->text(), QStringLiteral("5"));
    QVERIFY(box(18)->hasFocus());
}

void TestSymmetryParallelsDialog::okStoresEveryGroup()
{
    // A parallels bound loaded as text is stored back as its number.
    m_session->document().Conditions.set(22, QStringLiteral(" 5"));
    open("SIMM");
    type(17, QStringLiteral("2"));
    clickOk();
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));

    const ConditionSet& conditions = m_session->document().Conditions;
    const QList<double> expected = {2, 3, 0, 3, 1, 5, 1, 3, 2, 9, 1, 4};
    const std::array<int, 12> boxes = {17, 18, 19, 20, 21, 22, 23, 24, 46, 47, 48, 49};
    for (int k = 0; k < 12; ++k)
        QCOMPARE(conditions.at(boxes[k]), QVariant(expected[k]));
    QCOMPARE(m_session->document().Modified, 1);
    QCOMPARE(m_session->caption(), QStringLiteral("QUADRIGO 13 - Prova *"));
    QVERIFY(m_session->commands().isEnabled(QStringLiteral("mnuElabora")));
    QVERIFY(m_session->commands().isEnabled(QStringLiteral("tmElabora")));
}

void TestSymmetryParallelsDialog::annullaStoresNothing()
{
    open("PARA");
    type(21, QStringLiteral("4"));
    QTest::mouseClick(button("cmdChiudi"), Qt::LeftButton);
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QCOMPARE(m_session->document().Conditions.at(21), QVariant(1.0));
    QCOMPARE(m_session->document().Modified, 0);
}

QTEST_MAIN(TestSymmetryParallelsDialog)
#include "testSymmetryParallelsDialog.moc"
