#pragma once

#include "output/DictationSequence.h"
#include "output/SlipsLogic.h"
#include "platform/MergedColumns.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class BoxLeaveGuard;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class Session;
class SoundPlayer;
class WaitTimer;

// frmDETTA: reads the columns aloud slip by slip, showing the slip, the column's frame on the
// slip picture and its thirteen plays with the one being spoken marked. Every sound and pause
// runs from the event loop, so the window answers at once: the buttons only change the run
// state, which the dictation reads at each of its check points.
class DictationWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DictationWindow)
public:
    DictationWindow(Session& session, SoundPlayer& player, WaitTimer& timer,
                    QWidget* parent = nullptr);
    ~DictationWindow() override;

    // "Detta", "Stop", "Pausa", "Riprendi", "Esci".
    const QString& runState() const { return m_state; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void startOrStop();
    void pauseOrResume();
    // Goes on with `next` unless the state says to stop (clean-up done) or to pause (kept for
    // the resume). False when the run is over.
    void checkPoint(std::function<void()> next);
    void playStep();
    void soundFinished(bool played, const QString& reason);
    void stepDone();
    void stopped();
    void showPosition(int position);
    void setHighlighted(int match, bool highlighted);
    void refuse(QLineEdit* box);
    bool checkBox(QLineEdit* box);
    void updateRemaining();
    QString soundPath(const QString& file) const;

    Session& m_session;
    SoundPlayer& m_player;
    WaitTimer& m_timer;
    MergedColumns m_merged;
    std::unique_ptr<SlipLayout::SlipSource> m_source;
    SlipsLogic m_range;
    std::unique_ptr<DictationSequence> m_sequence;
    std::optional<DictationSequence::Step> m_step;
    std::function<void()> m_resume;
    QString m_state;
    double m_delay = 1.0;
    bool m_silent = false; // a sound failed: the run goes on showing only
    bool m_running = false;

    std::array<QLabel*, 16> m_labels{};
    std::array<QFrame*, 4> m_frames{};
    QLabel* m_totalSlips = nullptr;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QSlider* m_slider = nullptr;
    QPushButton* m_dictate = nullptr;
    QPushButton* m_pause = nullptr;
    QPushButton* m_close = nullptr;
    BoxLeaveGuard* m_guard = nullptr;
};
