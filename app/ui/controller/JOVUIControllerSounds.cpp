// The event sounds of the feature controllers: which file each type plays
// and whether it is muted (top-level settings), played through the one
// process-wide EventSoundPlayer.

#include "app/ui/controller/EventSoundPlayer.h"
#include "app/ui/controller/JOVUIController.h"
#include "platform/ns/Timer.h"

#include <QDir>
#include <QEventLoop>

#include <algorithm>
#include <memory>

namespace
{

// soundKeySet and soundMuteKeySet: by type, the settings keys of the file
// name and of the mute switch.
const QString soundKeySet[kEventSoundTypeCount] = {
    QStringLiteral("onlineSoundFileName"), QStringLiteral("offlineSoundFileName"),
    QStringLiteral("smsSoundFileName"),    QStringLiteral("callSoundFileName"),
    QStringLiteral("quitUISoundFileName"),
};
const QString soundMuteKeySet[kEventSoundTypeCount] = {
    QStringLiteral("onlineSoundMute"), QStringLiteral("offlineSoundMute"), QStringLiteral("smsSoundMute"),
    QStringLiteral("callSoundMute"),   QStringLiteral("quitUISoundMute"),
};

const QString kPlaySoundTime = QStringLiteral("PlaySoundTime");
// When this switch is set, setSoundType stores the negation of what it is given.
const QString kSettingModule = QStringLiteral("Setting");
const QString kAlertNotMuteSet = QStringLiteral("AlertNotMuteSet");
constexpr double kDefaultShortSoundTime = 3.0; // seconds
constexpr double kCloseSoundTime = 2.0;        // seconds

bool isSoundType(int type)
{
    return type >= 0 && type < kEventSoundTypeCount;
}

EventSoundPlayer& player()
{
    return EventSoundPlayer::sharedEventSoundPlayer();
}

// Holds the main thread for the given seconds while the sound goes on: the
// event loop runs, as Qt's sound output needs it to, but takes no user input.
void waitWithoutUserInput(double seconds)
{
    QEventLoop loop;
    const std::shared_ptr<ns::Timer> timer =
        ns::Timer::scheduledTimer(seconds, false, [&loop](ns::Timer&) { loop.quit(); });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    // The wait may end early (the application quits): the timer must not
    // reach the loop once it is gone.
    timer->invalidate();
}

} // namespace

QString JOVUIController::soundFilePath(int type) const
{
    const QString name = soundFileName(type);
    if (name.isEmpty() || QDir::isAbsolutePath(name))
        return name;
    return configStore().getFilePathWithFileName(name);
}

void JOVUIController::playSound(int type)
{
    player().playSound(type, soundFilePath(type), isSoundMute(type));
}

void JOVUIController::playSound(int type, double time)
{
    player().playSound(type, soundFilePath(type), isSoundMute(type), time);
}

void JOVUIController::stopSound()
{
    player().stopSound();
}

void JOVUIController::stopSound(int type)
{
    player().stopSound(type);
}

void JOVUIController::playShortSound(int type)
{
    const ns::Value configured = settingDict_.value(kPlaySoundTime);
    playSound(type, configured.isNull() ? kDefaultShortSoundTime : std::max(0.0, configured.doubleValue()));
}

void JOVUIController::experienceIncomingcallSond(int type)
{
    if (type == kSoundIncomingCall && player().isPlaying())
        player().stopSound();
    else
        playSound(type);
}

void JOVUIController::playCloseSound()
{
    playSound(kSoundQuitUI);
    waitWithoutUserInput(kCloseSoundTime);
    stopSound(kSoundQuitUI);
}

bool JOVUIController::isSoundMute(int type) const
{
    return isSoundType(type) && settingDict_.value(soundMuteKeySet[type]).boolValue();
}

void JOVUIController::setSoundType(int type, bool mute)
{
    if (!isSoundType(type))
        return;
    const bool inverted =
        configStore().getConfigurationByModuleAndKey(kSettingModule, kAlertNotMuteSet).boolValue();
    configStore().setConfigurationByModule(soundMuteKeySet[type], inverted ? !mute : mute);
    configStore().writeToFile();
}

void JOVUIController::setSoundFileName(int type, const QString& name)
{
    if (!isSoundType(type) || name.isNull())
        return;
    configStore().setConfigurationByModule(soundKeySet[type], name);
    configStore().writeToFile();
}

QString JOVUIController::soundFileName(int type) const
{
    return isSoundType(type) ? settingDict_.value(soundKeySet[type]).toString() : QString();
}

QString JOVUIController::filenameKeyOfSound(int type) const
{
    return isSoundType(type) ? soundKeySet[type] : QString();
}
