#include "platform/BackgroundWork.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

// Work that waits for a stop, checking every 2 ms; after about ten seconds it ends by itself, so
// that a stop that never arrives fails the test instead of hanging it.
void untilStopped(BackgroundWork& work)
{
    for (int round = 0; round < 5000; ++round) {
        work.checkStop();
        QThread::msleep(2);
    }
}

} // namespace

class TestBackgroundWork final : public QObject {
    Q_OBJECT

private slots:
    // While the work runs, its window's cancel button takes clicks and nothing else does: no
    // other command can start on the data the work holds.
    void onlyTheAnsweringButtonTakesInput()
    {
        QWidget window;
        auto* cancel = new QPushButton(u"Annulla"_s, &window);
        auto* other = new QPushButton(u"Elabora"_s, &window);
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(cancel);
        layout->addWidget(other);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int otherClicks = 0;
        connect(other, &QPushButton::clicked, &window, [&otherClicks] { ++otherClicks; });
        BackgroundWork work({cancel});
        connect(cancel, &QPushButton::clicked, &work, &BackgroundWork::requestStop);
        QTimer::singleShot(0, &window, [&] {
            QTest::mouseClick(other, Qt::LeftButton);
            other->setFocus();
            QTest::keyClick(other, Qt::Key_Space);
            QTest::mouseClick(cancel, Qt::LeftButton);
        });
        QVERIFY(!work.run([&work] { untilStopped(work); }));
        QCOMPARE(otherClicks, 0);
        QTest::mouseClick(other, Qt::LeftButton);
        QCOMPARE(otherClicks, 1);
    }

    // The window that holds the cancel button, closed while the work runs, stays open until the
    // work has stopped and closes then.
    void closingTheWindowStopsTheWorkFirst()
    {
        QWidget window;
        auto* cancel = new QPushButton(u"Annulla"_s, &window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        BackgroundWork work({cancel});
        bool openWhileWorking = false;
        QTimer::singleShot(0, &window, [&] {
            window.close();
            openWhileWorking = window.isVisible();
        });
        QVERIFY(!work.run([&work] { untilStopped(work); }));
        QVERIFY(openWhileWorking);
        QTRY_VERIFY(!window.isVisible());
    }

    // A cancel the GUI thread took while the work ran is seen at the next checkpoint, before the
    // work goes on to a step that cannot be undone.
    void checkpointIsNeverOvertaken()
    {
        BackgroundWork work;
        QVERIFY(!work.run([&work] {
            work.toGui([&work] { work.requestStop(); });
            work.checkpoint();
        }));
    }

    void failureReachesTheCaller()
    {
        BackgroundWork work;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 work.run([] { throw std::runtime_error("disco pieno"); }));
    }
};

QTEST_MAIN(TestBackgroundWork)
#include "testBackgroundWork.moc"
