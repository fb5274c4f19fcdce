#include "document/ui/ContestDialog.h"
#include "session/Session.h"
#include "support/DialogDriver.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

class TestContestDialog final : public QObject, private DialogDriver<ContestDialog> {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void unchangedOkLeavesModified();
    void numberKeys();
    void changedNumberMarksModified();
    void clickedDateShowsAndFocusesOk();
    void annullaChangesNothing();

private:
    QLineEdit* number() const { return m_dialog->findChild<QLineEdit*>(QStringLiteral("txtConc")); }
    QCalendarWidget* calendar() const
    {
        return m_dialog->findChild<QCalendarWidget*>(QStringLiteral("Calendario"));
    }
    QString dateLabel() const
    {
        return m_dialog->findChild<QLabel*>(QStringLiteral("lblData"))->text();
    }
    void type(const QString& keys)
    {
        QTest::keyClick(number(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(number(), keys);
    }
};

void TestContestDialog::init()
{
    startSession();
    SystemDocument& document = m_session->document();
    document.SystemName = QStringLiteral("Prova");
    document.NumConcorso = QStringLiteral("12");
    document.DataConcorso = QStringLiteral("05/03/2001");
}

void TestContestDialog::cleanup()
{
    endSession();
}

void TestContestDialog::unchangedOkLeavesModified()
{
    open();
    QTest::mouseClick(button("cmdOK"), Qt::LeftButton);
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    QCOMPARE(m_session->document().Modified, 0);
    QCOMPARE(m_session->document().NumConcorso, QStringLiteral("12"));
    QCOMPARE(m_session->document().DataConcorso, QStringLiteral("05/03/2001"));

    m_session->document().Modified = 1;
    open();
    QTest::mouseClick(button("cmdOK"), Qt::LeftButton);
    QCOMPARE(m_session->document().Modified, 1);
}

void TestContestDialog::numberKeys()
{
    open();
    type(QStringLiteral("a7b"));
    QCOMPARE(number()->text(), QStringLiteral("7"));
    QTest::keyClicks(number(), QStringLiteral(" x4"));
    QCOMPARE(number()->text(), QStringLiteral("74"));
    QTest::keyClicks(number(), QStringLiteral("5"));
    QCOMPARE(number()->text(), QStringLiteral("74"));
    QTest::keyClick(number(), Qt::Key_Backspace);
    QCOMPARE(number()->text(), QStringLiteral("7"));

    // Entering the field selects its text, so that typing replaces it.
    button("cmdOK")->setFocus(Qt::MouseFocusReason);
    number()->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(number()->selectedText(), QStringLiteral("7"));
}

void TestContestDialog::changedNumberMarksModified()
{
    open();
    type(QStringLiteral("5"));
    QTest::mouseClick(button("cmdOK"), Qt::LeftButton);
    QCOMPARE(m_session->document().NumConcorso, QStringLiteral("5 "));
    QCOMPARE(m_session->document().DataConcorso, QStringLiteral("05/03/2001"));
    QCOMPARE(m_session->document().Modified, 1);
    QCOMPARE(m_session->caption(), QStringLiteral("QUADRIGO 13 - Prova *"));
}

void TestContestDialog::clickedDateShowsAndFocusesOk()
{
    open();
    number()->setFocus(Qt::MouseFocusReason);
    auto* view = calendar()->findChild<QTableView*>();
    QVERIFY(view);
    // The cell of the 12th in the month shown (rows after the header; the first week row may
    // hold the end of the previous month).
    QModelIndex twelfth;
    for (int row = 1; row < view->model()->rowCount() && !twelfth.isValid(); ++row) {
        for (int column = 0; column < view->model()->columnCount(); ++column) {
            const QModelIndex index = view->model()->index(row, column);
            if (row < 4 && index.data().toString() == QLatin1String("12")) {
                twelfth = index;
                break;
            }
        }
    }
    QVERIFY(twelfth.isValid());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(twelfth).center());
    QCOMPARE(calendar()->selectedDate(), QDate(2001, 3, 12));
    QCOMPARE(dateLabel(), QStringLiteral("12/03/2001"));
    QVERIFY(button("cmdOK")->hasFocus());

    QTest::mouseClick(button("cmdOK"), Qt::LeftButton);
    QCOMPARE(m_session->document().DataConcorso, QStringLiteral("12/03/2001"));
    QCOMPARE(m_session->document().NumConcorso, QStringLiteral("12"));
    QCOMPARE(m_session->document().Modified, 1);
}

void TestContestDialog::annullaChangesNothing()
{
    open();
    type(QStringLiteral("40"));
    calendar()->setSelectedDate(QDate(2002, 1, 1));
    QCOMPARE(dateLabel(), QStringLiteral("01/01/2002"));
    QTest::mouseClick(button("cmdAnnulla"), Qt::LeftButton);
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QCOMPARE(m_session->document().NumConcorso, QStringLiteral("12"));
    QCOMPARE(m_session->document().DataConcorso, QStringLiteral("05/03/2001"));
    QCOMPARE(m_session->document().Modified, 0);
}

QTEST_MAIN(TestContestDialog)
#include "testContestDialog.moc"
