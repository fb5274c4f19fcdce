#pragma once

#include <QString>

#include <functional>

// Plays one sound file to its end. The program's player sits on the desktop's audio; tests use
// one that records what was played.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // `played` is false, with the reason in Italian, when the file is missing or cannot be played.
    using Finished = std::function<void(bool played, const QString& reason)>;
    // Starts `path`; `finished` is called once, from the event loop, when it has ended.
    virtual void play(const QString& path, Finished finished) = 0;
    // Silences the sound at once; its `finished` is never called.
    virtual void stop() = 0;
};
