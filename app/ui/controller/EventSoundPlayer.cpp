#include "app/ui/controller/EventSoundPlayer.h"

#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Sound.h"

EventSoundPlayer& EventSoundPlayer::sharedEventSoundPlayer()
{
    static EventSoundPlayer player;
    return player;
}

bool EventSoundPlayer::isPlaying() const
{
    return sound_ && sound_->isPlaying();
}

bool EventSoundPlayer::isRinging() const
{
    return soundType_ == kSoundIncomingCall && isPlaying();
}

void EventSoundPlayer::playSound(int type, const QString& path, bool muted)
{
    if (isRinging())
        return;
    cancelDelayedStop();
    stopSound();
    if (type < 0 || type >= kEventSoundTypeCount || path.isEmpty())
        return;
    soundType_ = type;
    sound_ = ns::Sound::soundWithContentsOfFile(path);
    if (sound_ && !muted)
        sound_->play();
}

void EventSoundPlayer::playSound(int type, const QString& path, bool muted, double seconds)
{
    if (seconds < 0)
        return;
    playSound(type, path, muted);
    if (isRinging())
        return;
    delayedStop_ = ns::Timer::scheduledTimer(seconds, false, [this](ns::Timer&) {
        delayedStop_.reset();
        stopSound();
    });
}

void EventSoundPlayer::stopSound()
{
    if (sound_) {
        sound_->stop();
        sound_.reset();
    }
    soundType_ = -1;
}

void EventSoundPlayer::stopSound(int type)
{
    if (type == soundType_)
        stopSound();
}

void EventSoundPlayer::cancelDelayedStop()
{
    if (delayedStop_) {
        delayedStop_->invalidate();
        delayedStop_.reset();
    }
}
