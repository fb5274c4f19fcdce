#include "output/ui/SlipPicture.h"
#include "output/ui/SlipsWindow.h"
#include "platform/RecordingPrinter.h"
#include "session/Session.h"
#include "support/PdfPages.h"
#include "support/ScriptedPrompts.h"
#include "support/TestSystems.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

// The slip window on a system of nine reduced columns (three slips: 4, 3, 2 columns).
class TestSlipsWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<SlipsWindow> m_window;

    template <typename T> T* get(const char* name) const
    {
        return m_window->findChild<T*>(QLatin1String(name));
    }
    QString text(const char* name) const
    {
        if (auto* box = get<QLineEdit>(name))
            return box->text();
        return get<QLabel>(name)->text();
    }
    void open()
    {
        m_window = std::make_unique<SlipsWindow>(*m_session);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    // Replaces a box's text by typing, then leaves it for `next`.
    void type(const char* name, const QString& keys, const char* next = nullptr)
    {
        QLineEdit* box = get<QLineEdit>(name);
        box->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        if (keys.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClicks(box, keys);
        if (next)
            get<QWidget>(next)->setFocus(Qt::TabFocusReason);
    }
    QString calibrationPath() const { return m_folder->filePath(QStringLiteral("DefPrnV.sys")); }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void init()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        m_prompts = std::make_unique<ScriptedPrompts>();
        m_session = std::make_unique<Session>(m_folder->path(), *m_prompts);
        m_session->options()[Options::ColumnCost] = QStringLiteral("0.5");
        QStringList signs(11, QStringLiteral("1"));
        signs << QStringLiteral("1X2") << QStringLiteral("1X2");
        SystemDocument& document = m_session->document() = TestSystems::withPrediction(signs);
        document.WorkColumns = document.IntegralColumns;
        document.ReducedCount = 9;
    }
    void cleanup()
    {
        m_window.reset();
        QVERIFY2(m_prompts->allConsumed(), "a scripted prompt did not come");
    }

    void opening_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("shown"); // lblVert, lblOriz, txtDIA, lblTotSched
        QTest::addColumn<int>("vertical");
        QTest::newRow("defaults") << QByteArray() << QStringList{"0", "0", "1,6", "3 su 3"} << 0;
        QTest::newRow("saved") << QByteArray("1.5\r\n-0.3\r\n2\r\n")
                               << QStringList{"1.5", "-0.3", "2", "3 su 3"} << 15;
    }
    void opening()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, shown);
        QFETCH(int, vertical);
        if (!file.isEmpty()) {
            QFile out(calibrationPath());
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(file);
        }
        open();
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Prova - Stampa Schedine"));
        QCOMPARE(
            QStringList({text("lblVert"), text("lblOriz"), text("txtDIA"), text("lblTotSched")}),
            shown);
        QCOMPARE(get<QScrollBar>("vscAlto")->value(), vertical);
        QCOMPARE(text("txtDA"), QStringLiteral("1"));
        QCOMPARE(QFile::exists(calibrationPath()), !file.isEmpty());
    }

    void memorizzaWritesTheCalibration()
    {
        open();
        get<QScrollBar>("vscAlto")->setValue(15);
        get<QScrollBar>("vscSini")->setValue(-3);
        type("txtDIA", QStringLiteral("1,25"));
        QTest::mouseClick(get<QPushButton>("cmdOK"), Qt::LeftButton);
        QCOMPARE(TestSystems::fileContent(calibrationPath()),
                 QByteArray("1.5\r\n-0.3\r\n1.25\r\n"));
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("box");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("message"); // empty: accepted
        QTest::newRow("dot 2,54") << QByteArray("txtDIA") << "2,54"
                                  << "";
        QTest::newRow("dot 2,55") << QByteArray("txtDIA") << "2,55"
                                  << "Valore Diametro Massimo = 2,5 mm !";
        QTest::newRow("dot empty") << QByteArray("txtDIA") << ""
                                   << "Valore non consentito !";
        QTest::newRow("first emptied") << QByteArray("txtDA") << ""
                                       << "Valore non consentito !";
        QTest::newRow("first beyond") << QByteArray("txtDA") << "4"
                                      << "Valore non consentito !";
        QTest::newRow("last beyond") << QByteArray("txtA") << "4"
                                     << "Valore non consentito !";
        QTest::newRow("last 2") << QByteArray("txtA") << "2"
                                << "";
        QTest::newRow("letters dropped") << QByteArray("txtA") << "x2"
                                         << "";
    }
    void refusals()
    {
        QFETCH(QByteArray, box);
        QFETCH(QString, keys);
        QFETCH(QString, message);
        open();
        if (!message.isEmpty())
            m_prompts->expectMessage(message);
        // The first slip is checked as it changes, the others when left.
        type(box.constData(), keys, box == "txtDA" ? nullptr : "cmdTest");
        QCOMPARE(m_prompts->messageTexts(),
                 message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(QApplication::focusWidget() == get<QWidget>(box.constData()), !message.isEmpty());
        if (message.isEmpty() && box == "txtA")
            QCOMPARE(text("lblTotSched"), QStringLiteral("2 su 3"));
    }

    // One PDF page per slip sent; the tests print one page; cancelling prints nothing.
    void printing_data()
    {
        QTest::addColumn<QString>("to");
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("pages");
        QTest::newRow("all") << "3" << QByteArray("cmdStampa") << false << 3;
        QTest::newRow("first two") << "2" << QByteArray("cmdStampa") << false << 2;
        QTest::newRow("cancelled") << "3" << QByteArray("cmdStampa") << true << 0;
        QTest::newRow("test") << "3" << QByteArray("cmdTest") << false << 1;
        QTest::newRow("advanced test") << "3" << QByteArray("cmdTestAV") << false << 1;
    }
    void printing()
    {
        QFETCH(QString, to);
        QFETCH(QByteArray, button);
        QFETCH(bool, cancel);
        QFETCH(int, pages);
        open();
        type("txtA", to, "txtDA");
        const QString pdf = m_folder->filePath(QStringLiteral("schedine.pdf"));
        m_prompts->expectPrinterChoice(cancel ? std::nullopt : std::optional<QString>(pdf));
        QTest::mouseClick(get<QPushButton>(button.constData()), Qt::LeftButton);
        QCOMPARE(QFile::exists(pdf), pages > 0);
        if (pages > 0) {
            PdfPages printed(pdf);
            QCOMPARE(printed.count(), pages);
            // Slip 1 column 1 is all 1: its dot of match 13 on the base line.
            QVERIFY(printed.isDark(0, 83.45, 129.3));
        }
        QVERIFY(m_window->isEnabled());
        QCOMPARE(m_session->TaskMode == QLatin1String("STAM"), button == "cmdStampa");
    }

    void pictureFollowsTheCalibration()
    {
        open();
        const auto dotX = [this] {
            return get<SlipPicture>("picSchedina")
                ->recorded()
                .items(RecordingPrinter::Kind::Circle)
                .first()
                .atMillimetres()
                .x();
        };
        QVERIFY(qAbs(dotX() - 31.1) < 1e-9);
        get<QScrollBar>("vscSini")->setValue(-12);
        QVERIFY(qAbs(dotX() - 29.9) < 1e-9);
        type("txtDIA", QStringLiteral("2"));
        QCOMPARE(get<SlipPicture>("picSchedina")->recorded().items().first().radius,
                 1.0 * 1440 / 25.4);
    }
};

QTEST_MAIN(TestSlipsWindow)
#include "testSlipsWindow.moc"
