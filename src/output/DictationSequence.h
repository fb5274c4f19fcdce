#pragma once

#include "output/SlipLayout.h"

#include <QString>
#include <QStringList>

#include <optional>

// What the dictation plays, one sound after another: for each slip of the chosen range the
// new-slip sound, then for each of its columns the column sound and the thirteen plays. Slips are
// numbered and filled as slip printing does, so dictated slip n is printed slip n. Steps are made
// one at a time, so the largest system is never laid out whole.
class DictationSequence final {
public:
    enum class Kind { NewSlip, Column, Play };
    struct Step {
        Kind kind = Kind::NewSlip;
        qsizetype slip = 0;   // 1-based, in the whole system's numbering
        int position = 0;     // of the column on its slip, 1..4
        qsizetype column = 0; // 0-based index in the dictated list
        int match = 0;        // 1..13 for a play
        QString file;         // "Nuova.wav", "Col2.wav", "X.wav", "1X.wav", ...
    };

    // Slips `from` to `to` of `source`.
    DictationSequence(const SlipLayout::SlipSource& source, qsizetype from, qsizetype to);

    std::optional<Step> next();

    // The pause after a step's sound: half a second after a new slip, 0.8 s after a column
    // sound, `delay` after a play.
    static double waitAfter(Kind kind, double delay);
    // Every sound file the dictation may play, in the application folder.
    static const QStringList& soundFiles();
    // The slider's 1..10 as the pause after each play: a quarter of a second per notch.
    static double delayOf(int sliderValue) { return sliderValue / 4.0; }

private:
    // Moves to the next column of the range; false at the end.
    bool enterColumn();

    const SlipLayout::SlipSource& m_source;
    qsizetype m_from;
    qsizetype m_to;
    qsizetype m_index = -1; // the column being dictated
    qsizetype m_slip = 1;   // slip and position of column m_index + 1
    int m_position = 1;
    qsizetype m_columnSlip = 0;
    int m_columnPosition = 0;
    int m_match = 14; // 0 = column sound next, 1..13 = that play next, 14 = column done
    bool m_newSlipPending = false;
};
