#pragma once

#include <QString>

#include <memory>

namespace ns
{
class Sound;
class Timer;
} // namespace ns

// The event sounds, numbered as the settings keys of their files and mute
// switches are (see JOVUIController::soundFileName).
enum EventSoundType {
    kSoundOnline = 0,
    kSoundOffline = 1,
    kSoundSMS = 2,
    kSoundIncomingCall = 3,
    kSoundQuitUI = 4,
};
inline constexpr int kEventSoundTypeCount = 5;

// The one event sound of the process. One sound plays at a time: a new sound
// ends the current one, except that nothing cuts the ring of an incoming
// call while it plays. A sound may be given a time after which it stops;
// starting another sound drops that pending stop, so it never cuts the
// newer sound. Sounds play through ns::Sound, silently on a machine without
// a sound device. Main thread only.
class EventSoundPlayer
{
public:
    static EventSoundPlayer& sharedEventSoundPlayer();
    EventSoundPlayer(const EventSoundPlayer&) = delete;
    EventSoundPlayer& operator=(const EventSoundPlayer&) = delete;

    // Makes the sound file the current sound of the type and plays it unless
    // muted. Nothing while the ring plays; otherwise the current sound stops
    // first. A type outside the five, or an empty path, leaves no sound; a
    // file that cannot be read leaves the type set with no sound.
    void playSound(int type, const QString& path, bool muted);
    // playSound(), then, unless the ring plays, a stop after the given
    // seconds. Nothing for a negative time.
    void playSound(int type, const QString& path, bool muted, double seconds);
    // Stops and drops the current sound; the current type becomes -1.
    void stopSound();
    // Stops the current sound only when it is of the type.
    void stopSound(int type);

    // The current sound (null when none) and its type: -1 after a stop, 0
    // before the first one.
    const ns::Sound* sound() const { return sound_.get(); }
    int soundType() const { return soundType_; }
    bool isPlaying() const;
    // Whether the ring of an incoming call is playing.
    bool isRinging() const;

private:
    EventSoundPlayer() = default;
    void cancelDelayedStop();

    std::unique_ptr<ns::Sound> sound_;
    int soundType_ = 0;
    std::shared_ptr<ns::Timer> delayedStop_;
};
