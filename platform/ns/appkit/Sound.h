#pragma once

#include "platform/ns/Object.h"

#include <QString>

#include <memory>

class QSoundEffect;

namespace ns
{

class Sound;
class Timer;

class SoundDelegate
{
public:
    virtual ~SoundDelegate() = default;
    // finishedPlaying is false when the sound was stopped before its end.
    virtual void soundDidFinishPlaying(Sound* /*sound*/, bool /*finishedPlaying*/) {}
};

// A sound read from a WAV file. A sound plays for its duration, timed by the
// run loop's clock, whether or not the machine has a sound device: without
// one it plays silently, so what depends on "still playing" behaves the same.
class Sound : public Object
{
public:
    // Null when the file is missing or is not a WAV file that can be read.
    static std::unique_ptr<Sound> soundWithContentsOfFile(const QString& path);
    ~Sound() override;

    // Whether sounds reach the sound device (on by default). Off, every sound
    // plays silently, as on a machine without one.
    static void setOutputEnabled(bool enabled);
    static bool isOutputEnabled();

    // False when the sound is already playing.
    bool play();
    // False when the sound is not playing.
    bool stop();
    bool isPlaying() const { return playing_; }
    double duration() const { return duration_; }
    const QString& path() const { return path_; }

    void setDelegate(SoundDelegate* delegate) { delegate_ = delegate; }
    SoundDelegate* delegate() const { return delegate_; }

private:
    Sound(const QString& path, double duration);
    void finish(bool reachedEnd);

    QString path_;
    double duration_;
    bool playing_ = false;
    SoundDelegate* delegate_ = nullptr;
    std::shared_ptr<Timer> endTimer_;
    std::unique_ptr<QSoundEffect> effect_;
};

} // namespace ns
