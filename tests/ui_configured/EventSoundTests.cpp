#include "ConfiguredTestSupport.h"

#include "app/ui/controller/EventSoundPlayer.h"
#include "platform/ns/Clock.h"
#include "platform/ns/appkit/Sound.h"
#include "tests/support/AppKitTestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

using configured_test::ConfiguredController;
using configured_test::fixture;

namespace
{

// Each sound file's length: short 0.5 s, long 6 s, ring 4 s.
ns::Dictionary soundSettings()
{
    return ns::Dictionary{
        {"onlineSoundFileName", fixture("sound/short.wav")},
        {"offlineSoundFileName", fixture("sound/long.wav")},
        {"smsSoundFileName", "sound/sms.wav"}, // in the data folder
        {"callSoundFileName", fixture("sound/ring.wav")},
        {"quitUISoundFileName", fixture("sound/long.wav")},
    };
}

// Sounds play silently on a manual clock; a controller over settings that name the files.
class EventSounds : public testing::Test
{
protected:
    EventSounds() : bundle(soundSettings()), controller(store) {}

    void SetUp() override
    {
        outputWasEnabled_ = ns::Sound::isOutputEnabled();
        ns::Sound::setOutputEnabled(false);
        ns::Clock::setCurrent(&clock);
        const QString folder = bundle.dataFolder() + "/sound";
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(QFile::copy(fixture("sound/long.wav"), folder + "/sms.wav"));
    }
    void TearDown() override
    {
        player.stopSound();
        ns::Clock::setCurrent(nullptr);
        ns::Sound::setOutputEnabled(outputWasEnabled_);
    }

    QString playingPath() const { return player.isPlaying() ? player.sound()->path() : QString(); }

    ns::ManualClock clock;
    TemporaryAppBundle bundle;
    ConfigManager store;
    ConfiguredController controller;
    EventSoundPlayer& player = EventSoundPlayer::sharedEventSoundPlayer();

private:
    bool outputWasEnabled_ = true;
};

} // namespace

TEST_F(EventSounds, OneSoundPlaysAtATime)
{
    controller.playSound(kSoundOffline);
    EXPECT_EQ(player.soundType(), kSoundOffline);
    EXPECT_EQ(playingPath(), fixture("sound/long.wav"));

    controller.playSound(kSoundSMS);
    EXPECT_EQ(player.soundType(), kSoundSMS);
    EXPECT_EQ(playingPath(), bundle.dataFolder() + "/sound/sms.wav");

    controller.stopSound(kSoundOffline);
    EXPECT_TRUE(player.isPlaying());
    controller.stopSound(kSoundSMS);
    EXPECT_EQ(player.sound(), nullptr);
    EXPECT_EQ(player.soundType(), -1);

    // A controller going away takes the sound with it.
    {
        ConfiguredController other(store);
        other.playSound(kSoundOnline);
        EXPECT_TRUE(player.isPlaying());
    }
    EXPECT_EQ(player.sound(), nullptr);
}

TEST_F(EventSounds, TheRingIsNeverCut)
{
    // A short sound leaves a stop pending for 3 seconds on; the ring drops it.
    controller.playShortSound(kSoundSMS);
    clock.advance(1);
    controller.playSound(kSoundIncomingCall);
    ASSERT_TRUE(player.isRinging());
    const ns::Sound* ring = player.sound();

    const std::function<void()> requests[] = {
        [&] { controller.playSound(kSoundOnline); },   [&] { controller.playSound(kSoundOffline); },
        [&] { controller.playSound(kSoundSMS); },      [&] { controller.playSound(kSoundQuitUI); },
        [&] { controller.playSound(kSoundSMS, 0.5); }, [&] { controller.playShortSound(kSoundOnline); },
        [&] { controller.stopSound(kSoundSMS); },
    };
    for (const auto& request : requests) {
        request();
        EXPECT_EQ(player.sound(), ring);
        EXPECT_TRUE(player.isRinging());
    }

    clock.advance(2.5); // past the stale stop, within the ring's 4 seconds
    EXPECT_TRUE(player.isRinging());

    clock.advance(2); // the ring has ended by itself
    EXPECT_FALSE(player.isRinging());
    controller.playSound(kSoundSMS);
    EXPECT_EQ(player.soundType(), kSoundSMS);
    EXPECT_TRUE(player.isPlaying());
}

TEST_F(EventSounds, TheIncomingCallPreviewStartsAndStopsTheRing)
{
    controller.experienceIncomingcallSond(kSoundIncomingCall);
    EXPECT_TRUE(player.isRinging());
    controller.experienceIncomingcallSond(kSoundIncomingCall);
    EXPECT_EQ(player.sound(), nullptr);
    EXPECT_EQ(player.soundType(), -1);

    controller.experienceIncomingcallSond(kSoundSMS);
    EXPECT_EQ(player.soundType(), kSoundSMS);
    EXPECT_TRUE(player.isPlaying());
}

TEST_F(EventSounds, ShortSoundsStopAfterTheConfiguredTime)
{
    struct Case {
        const char* name;
        ns::Value playSoundTime;
        double stopsAfter;
    };
    const Case cases[] = {
        {"not set", ns::Value(), 3.0},
        {"set", 1.5, 1.5},
        {"zero", 0, 0},
        {"negative", -2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.playSoundTime.isNull())
            store.removeConfigurationByModule("PlaySoundTime");
        else
            store.setConfigurationByModule("PlaySoundTime", c.playSoundTime);

        controller.playShortSound(kSoundOffline); // a 6-second sound
        if (c.stopsAfter > 0) {
            clock.advance(c.stopsAfter - 0.01);
            EXPECT_TRUE(player.isPlaying());
        }
        clock.advance(0.02);
        EXPECT_EQ(player.sound(), nullptr);
        EXPECT_EQ(player.soundType(), -1);
    }

    // A negative time plays nothing and leaves the current sound alone.
    controller.playSound(kSoundOnline);
    controller.playSound(kSoundOffline, -1.0);
    EXPECT_EQ(player.soundType(), kSoundOnline);
    EXPECT_TRUE(player.isPlaying());
}

TEST_F(EventSounds, MutedMissingAndUnreadableSounds)
{
    struct Case {
        const char* name;
        int type;
        ns::Dictionary settings;
        bool loaded;
        int currentType;
    };
    const Case cases[] = {
        {"muted", kSoundOffline, {{"offlineSoundMute", true}}, true, kSoundOffline},
        {"no file name", kSoundOffline, {{"offlineSoundFileName", ns::Value()}}, false, -1},
        {"unreadable file",
         kSoundOffline,
         {{"offlineSoundFileName", fixture("sound/broken.wav")}},
         false,
         kSoundOffline},
        {"missing file",
         kSoundOffline,
         {{"offlineSoundFileName", fixture("sound/none.wav")}},
         false,
         kSoundOffline},
        {"not a sound type", 5, {}, false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        controller.playSound(kSoundOnline);
        ns::Dictionary settings = store.getConfiguration();
        const ns::Dictionary saved = settings.deepCopy();
        for (const auto& [key, value] : c.settings) {
            if (value.isNull())
                settings.remove(key);
            else
                settings.setValue(key, value);
        }

        controller.playSound(c.type);

        EXPECT_EQ(player.sound() != nullptr, c.loaded);
        EXPECT_FALSE(player.isPlaying());
        EXPECT_EQ(player.soundType(), c.currentType);
        settings.setDictionary(saved);
    }
}

TEST_F(EventSounds, TheCloseSoundPlaysWhileTheQuitWaits)
{
    bool playingMeanwhile = false;
    appkit_test::whenRunning([&] {
        playingMeanwhile = player.isPlaying() && player.soundType() == kSoundQuitUI;
        clock.advance(2);
    });

    controller.playCloseSound();

    EXPECT_TRUE(playingMeanwhile);
    EXPECT_EQ(player.sound(), nullptr);
    EXPECT_EQ(player.soundType(), -1);
}

TEST_F(EventSounds, SoundSettingsAreStoredAndWritten)
{
    EXPECT_EQ(controller.filenameKeyOfSound(kSoundIncomingCall), "callSoundFileName");
    EXPECT_EQ(controller.soundFileName(kSoundIncomingCall), fixture("sound/ring.wav"));
    for (int outside : {-1, 5}) {
        EXPECT_TRUE(controller.filenameKeyOfSound(outside).isNull());
        EXPECT_TRUE(controller.soundFileName(outside).isNull());
        EXPECT_FALSE(controller.isSoundMute(outside));
    }

    controller.setSoundFileName(kSoundSMS, "sound/other.wav");
    EXPECT_EQ(bundle.settingsOnDisk().value("smsSoundFileName").toString(), "sound/other.wav");
    controller.setSoundFileName(kSoundSMS, QString());
    controller.setSoundFileName(5, "sound/five.wav");
    EXPECT_EQ(controller.soundFileName(kSoundSMS), "sound/other.wav");
    EXPECT_FALSE(bundle.settingsOnDisk().contains("5"));

    struct Case {
        const char* name;
        bool alertNotMuteSet;
        bool mute;
        bool stored;
    };
    const Case cases[] = {
        {"mute", false, true, true},
        {"sound on", false, false, false},
        {"mute, inverted switch", true, true, false},
        {"sound on, inverted switch", true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        store.setConfigurationByModule("Setting", ns::Dictionary{{"AlertNotMuteSet", c.alertNotMuteSet}});
        controller.setSoundType(kSoundOnline, c.mute);
        EXPECT_EQ(controller.isSoundMute(kSoundOnline), c.stored);
        EXPECT_EQ(bundle.settingsOnDisk().value("onlineSoundMute"), ns::Value(c.stored));
    }
}
