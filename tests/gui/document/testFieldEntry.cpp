#include "document/ui/MatchesDialog.h"
#include "document/ui/OptionsDialog.h"
#include "document/ui/PredictionDialog.h"
#include "session/Session.h"
#include "support/ScriptedPrompts.h"
#include "support/TestSystems.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// Where the focus lands and what a click into a field selects, in the document's dialogs.
class TestFieldEntry final : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_prompts.clear();
        m_folder = std::make_unique<QTemporaryDir>();
        m_session = std::make_unique<Session>(m_folder->path(), m_prompts);
        m_session->document() = TestSystems::withPrediction(TestSystems::allTriples());
    }
    void cleanup()
    {
        m_dialog.reset();
        QVERIFY2(m_prompts.allConsumed(), "a scripted message was not shown");
        m_session.reset();
    }

    void clickedTeamNameIsReplaced_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("over a name") << "JUVENTUS"
                                     << "ROMA"
                                     << "ROMA";
        QTest::newRow("over the blanks") << ""
                                         << "ROMA"
                                         << "ROMA";
        QTest::newRow("too long") << ""
                                  << "A NAME LONGER THAN FIFTEEN"
                                  << "A NAME LONGER T";
    }
    void clickedTeamNameIsReplaced()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        m_session->document().setHomeTeam(2, stored);
        auto* dialog = open<MatchesDialog>();
        auto* box = dialog->findChild<QComboBox*>(QStringLiteral("cboCasa(2)"));
        QLineEdit* edit = box->lineEdit();
        // A click at the right end of a box the focus is not in, where the blanks of the record
        // were.
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() / 2));
        QVERIFY(box->hasFocus());
        QTest::keyClicks(edit, typed);
        QCOMPARE(box->currentText(), shown);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        QCOMPARE(m_session->document().homeTeam(2), shown.leftJustified(15));
    }

    void refusedSharesKeepTheFocus()
    {
        auto* dialog = open<OptionsDialog>();
        type(dialog, 3, QStringLiteral("300"));
        m_prompts.expectMessage(QStringLiteral("Valore Quote errato"));
        QTest::keyClick(field(dialog, 3), Qt::Key_Tab);
        QVERIFY(field(dialog, 3)->hasFocus());
    }

    void emptyFieldGetsTheFocus()
    {
        auto* dialog = open<OptionsDialog>();
        type(dialog, 4, QStringLiteral("10"));
        // Field 5 starts as a blank, which counts as empty.
        m_prompts.expectMessage(QStringLiteral("Errore nei dati! Riprovare"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        QVERIFY(field(dialog, 5)->hasFocus());
    }

    void predictionStartsAtTheFirstSign()
    {
        auto* dialog = open<PredictionDialog>();
        QCOMPARE(QApplication::focusWidget(),
                 dialog->findChild<QLineEdit*>(QStringLiteral("txtPro(1)")));
    }

private:
    template <typename Dialog> Dialog* open()
    {
        auto* dialog = new Dialog(*m_session);
        m_dialog.reset(dialog);
        dialog->show();
        QApplication::setActiveWindow(dialog);
        if (!QTest::qWaitForWindowActive(dialog))
            qWarning("dialog not active");
        return dialog;
    }
    static QLineEdit* field(QWidget* dialog, int k)
    {
        return dialog->findChild<QLineEdit*>(QStringLiteral("txtOpt(%1)").arg(k));
    }
    static void type(QWidget* dialog, int k, const QString& keys)
    {
        field(dialog, k)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(field(dialog, k), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field(dialog, k), keys);
    }

    ScriptedPrompts m_prompts;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<QWidget> m_dialog;
};

QTEST_MAIN(TestFieldEntry)
#include "testFieldEntry.moc"
