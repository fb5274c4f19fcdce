#include "output/ui/DictationWindow.h"
#include "platform/SoundPlayer.h"
#include "platform/WaitTimer.h"
#include "platform/WatchdogSoundPlayer.h"
#include "platform/ui/SinkSoundPlayer.h"
#include "support/GuiDriver.h"
#include "support/TestSystems.h"

#include <QRegularExpression>
#include <QSlider>

using namespace Qt::StringLiterals;

namespace {

// Logs every sound and pause ("Col1.wav", "0.8") and ends each from the event loop at once;
// `onEntry` may act at any logged instant, as a user pressing a button would. Stopping drops what
// is still pending.
struct RecordingDictation final : SoundPlayer, WaitTimer {
    QStringList log;
    QStringList missing;
    std::function<void(const QString&)> onEntry;
    int generation = 0;
    QObject context;

    void later(const std::function<void()>& act)
    {
        QTimer::singleShot(0, &context, [this, act, run = generation] {
            if (run == generation)
                act();
        });
    }
    void play(const QString& path, Finished finished) override
    {
        const QString name = path.section(u'/', -1);
        const bool found = !missing.contains(name);
        later([finished, found, name] {
            finished(found, u"Il file audio '%1' non esiste."_s.arg(name));
        });
        note(name);
    }
    void wait(double seconds, std::function<void()> done) override
    {
        later(done);
        note(QString::number(seconds));
    }
    void note(const QString& entry)
    {
        log << entry;
        if (onEntry)
            onEntry(entry);
    }
    void stop() override { ++generation; }
    void cancel() override { ++generation; }
};

} // namespace

// Dictation of a system of five reduced columns: slip 1 with three, slip 2 with two.
class TestDictationWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<StartedProgram> m_p;
    RecordingDictation m_sound;
    std::unique_ptr<DictationWindow> m_window;

    template <typename T = QWidget> T* get(const QString& name) const
    {
        return child<T>(m_window.get(), name);
    }
    // Runs until the dictation has nothing more to play.
    void settle()
    {
        qsizetype seen = -1;
        while (seen != m_sound.log.size()) {
            seen = m_sound.log.size();
            QTest::qWait(20);
        }
    }
    // Column i of the system as its plays.
    QString plays(qsizetype i) const
    {
        return QString::fromLatin1(m_p->document().WorkColumns.column(i));
    }
    // The log of a whole uninterrupted run at the fastest speed.
    QStringList expectedRun() const
    {
        QStringList run = {u"Nuova.wav"_s, u"0.5"_s};
        for (qsizetype c = 0; c < 5; ++c) {
            if (c == 3)
                run << u"Nuova.wav"_s << u"0.5"_s;
            run << u"Col%1.wav"_s.arg(c < 3 ? c + 1 : c - 2) << u"0.8"_s;
            for (const QChar sign : plays(c))
                run << QString(sign) + u".wav"_s << u"0.25"_s;
        }
        return run;
    }

private slots:
    void init()
    {
        m_p = std::make_unique<StartedProgram>();
        SystemDocument& document = m_p->document() =
            TestSystems::withPrediction(QStringList(11, "1") + QStringList{"1X", "12X"});
        document.WorkColumns = document.IntegralColumns;
        document.ReducedCount = 5;
        m_sound.log.clear();
        m_sound.missing.clear();
        m_sound.onEntry = nullptr;
        m_window = std::make_unique<DictationWindow>(*m_p->session, m_sound, m_sound);
        QVERIFY(activate(m_window.get()));
        get<QSlider>(u"Slider"_s)->setValue(1);
    }
    void cleanup() { m_window.reset(); }

    void dictatesEverySlipInOrderWithPauseAndResume()
    {
        QCOMPARE(textsOf(m_window.get(), u"lblTotSched txtDA txtA lblCol(15)"_s), u"di 2|1|2|2"_s);
        // Paused while column 2 is announced, the run waits after that sound. The highlight of
        // the first sign spoken finds its room kept: the window does not grow.
        const QSize idle = m_window->size();
        QSize spoken;
        m_sound.onEntry = [this, &spoken](const QString& entry) {
            if (entry == "1.wav"_L1 && spoken.isEmpty()) {
                m_window->layout()->activate();
                spoken = m_window->size();
            }
            if (entry == "Col2.wav"_L1)
                clickOn(m_window.get(), u"cmdPausa"_s);
        };
        clickOn(m_window.get(), u"cmdDetta"_s);
        settle();
        QCOMPARE(m_sound.log.last(), u"Col2.wav"_s);
        QCOMPARE(spoken, idle);
        QCOMPARE(m_window->runState(), u"Pausa"_s);
        QVERIFY(!get(u"cmdDetta"_s)->isEnabled());
        QCOMPARE(visibleOf(m_window.get(), u"Cornice(1) Cornice(2) Cornice(3) Cornice(4)"_s),
                 u"Cornice(2)"_s);
        m_sound.onEntry = nullptr;
        clickOn(m_window.get(), u"cmdPausa"_s);
        settle();
        QCOMPARE(m_sound.log, expectedRun());
        // At the end the last column stays shown until Stop clears it.
        QCOMPARE(
            textsOf(m_window.get(), u"lblCol(0) lblCol(14) lblCol(15) lblCol(12) lblCol(13)"_s),
            u"2|2|0|"_s + plays(4).at(11) + u'|' + plays(4).at(12));
        clickOn(m_window.get(), u"cmdDetta"_s);
        QCOMPARE(textsOf(m_window.get(), u"lblCol(0) lblCol(14) lblCol(13) cmdDetta"_s),
                 u"|||&Detta"_s);
        QCOMPARE(visibleOf(m_window.get(), u"Cornice(1) Cornice(2) Cornice(3) Cornice(4)"_s),
                 QString());
    }

    void stopRangeAndMissingSound()
    {
        // Slip 2 alone, at the slowest speed; the missing X is reported once and the run goes on
        // without sound.
        typeInto(get<QLineEdit>(u"txtDA"_s), u"2"_s);
        get<QSlider>(u"Slider"_s)->setValue(10);
        m_sound.missing = {u"X.wav"_s};
        m_p->prompts.expectMessage(
            u"Il file audio 'X.wav' non esiste.\nLa dettatura prosegue senza voce."_s);
        clickOn(m_window.get(), u"cmdDetta"_s);
        settle();
        const qsizetype spoken = m_sound.log.indexOf(u"X.wav"_s);
        QCOMPARE(m_sound.log.mid(0, 6), (QStringList{u"Nuova.wav"_s, u"0.5"_s, u"Col1.wav"_s,
                                                     u"0.8"_s, u"1.wav"_s, u"2.5"_s}));
        QVERIFY(spoken > 0 && m_sound.log.mid(spoken + 1).filter(u".wav"_s).isEmpty());
        // Every pause of slip 2 still came: the new slip, then two columns of 1 + 13.
        QCOMPARE(m_sound.log.filter(QRegularExpression(u"^[0-9.]+$"_s)).size(), 1 + 2 * 14);
        clickOn(m_window.get(), u"cmdDetta"_s);

        // Stop in the middle of a pause ends the run there and clears the display.
        m_sound.missing.clear();
        m_sound.log.clear();
        m_sound.onEntry = [this](const QString& entry) {
            if (m_sound.log.size() == 6 && entry == "2.5"_L1)
                clickOn(m_window.get(), u"cmdDetta"_s);
        };
        clickOn(m_window.get(), u"cmdDetta"_s);
        settle();
        QCOMPARE(m_sound.log.size(), 6);
        QCOMPARE(m_window->runState(), u"Stop"_s);
        QCOMPARE(textsOf(m_window.get(), u"lblCol(1) lblCol(14) txtDA"_s), u"||2"_s);
        QVERIFY(!get(u"Cornice(1)"_s)->isVisible());

        // A last slip beyond the system is refused, the box keeps the focus.
        m_p->prompts.expectMessage(u"Valore non consentito !"_s);
        get<QLineEdit>(u"txtA"_s)->setFocus();
        typeInto(get<QLineEdit>(u"txtA"_s), u"3"_s);
        get<QLineEdit>(u"txtDA"_s)->setFocus();
        QVERIFY(m_p->warned(u"QUADRIGO 13"_s) && get(u"txtA"_s)->hasFocus());
    }

    // A sound whose end never comes is cut, its player silenced, and the dictation told why.
    void watchdogCutsASoundThatNeverEnds()
    {
        struct Endless final : SoundPlayer {
            int stops = 0;
            void play(const QString&, Finished) override {}
            void stop() override { ++stops; }
        } endless;
        WatchdogSoundPlayer player(endless, std::chrono::milliseconds(1));
        QString reason;
        player.play(u"/suoni/Col1.wav"_s, [&reason](bool played, const QString& why) {
            reason = played ? u"played"_s : why;
        });
        // The player keeps its output open from one sound to the next: playing stops nothing.
        QCOMPARE(endless.stops, 0);
        QTRY_COMPARE(reason, u"La riproduzione del file audio '/suoni/Col1.wav' non \u00e8 "
                             "terminata in tempo."_s);
        QCOMPARE(endless.stops, 1);
    }

    // The program's player reports a missing or unreadable recording instead of waiting for it.
    void desktopPlayerRefusesABadFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QByteArray() << u"Il file audio '%1' non esiste."_s;
        QTest::newRow("not a wave") << QByteArray("RIFF\4\0\0\0AVI ", 12)
                                    << u"Impossibile riprodurre il file audio '%1' (non \u00e8 "
                                       "un file WAVE)."_s;
        // A compressed recording, ADPCM, 8 kHz mono.
        QTest::newRow("compressed")
            << QByteArray("RIFF\44\0\0\0WAVEfmt \20\0\0\0\2\0\1\0\x40\x1f\0\0"
                          "\0\x10\0\0\0\1\4\0data\0\0\0\0",
                          44)
            << u"Impossibile riprodurre il file audio '%1' (formato audio non supportato)."_s;
    }
    void desktopPlayerRefusesABadFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        const QString path = m_p->dir.filePath(u"Nuova.wav"_s);
        if (!content.isEmpty())
            QVERIFY(TestSystems::writeBytes(path, content));
        SinkSoundPlayer player;
        QString shown;
        player.play(path, [&shown](bool played, const QString& why) {
            shown = played ? u"played"_s : why;
        });
        QTRY_COMPARE(shown, reason.arg(QDir::toNativeSeparators(path)));
    }
};

QTEST_MAIN(TestDictationWindow)
#include "testDictationWindow.moc"
