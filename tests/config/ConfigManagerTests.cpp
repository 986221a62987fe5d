#include "ConfigTestSupport.h"

#include "app/config/ConfigManager.h"
#include "app/config/JOVDatacardConfig.h"
#include "platform/ns/DistributedNotificationCenter.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

using ns::Array;
using ns::Dictionary;
using ns::Value;

TEST(ConfigManager, ModuleLookupsAndChangesFollowTheModuleKind)
{
    TemporaryAppBundle app(
        Dictionary{{"Langs", Array{"A", "B"}}, {"Main", Dictionary{{"k", 1}}}, {"Name", "x"}});
    ConfigManager store;

    EXPECT_EQ(store.getConfigurationByModuleAndKey("Langs", "B").toString(), "B");
    EXPECT_TRUE(store.getConfigurationByModuleAndKey("Langs", "C").isNull());
    EXPECT_TRUE(store.getConfigurationByModuleAndKey("Name", "x").isNull());
    EXPECT_EQ(store.getConfigurationByModuleAndKey("Main", "k").intValue(), 1);
    EXPECT_TRUE(store.getConfigurationByModuleAndKey("Nope", "k").isNull());
    EXPECT_EQ(store.getConfigurationByModule("Name").toString(), "x");

    EXPECT_TRUE(store.setConfigurationByModuleKeyAndValue("Langs", "ignored", "C"));
    EXPECT_TRUE(store.setConfigurationByModuleKeyAndValue("Langs", "ignored", "A"));
    EXPECT_EQ(store.getConfigurationByModule("Langs").toArray(), (Array{"A", "B", "C"}));
    EXPECT_FALSE(store.setConfigurationByModuleKeyAndValue("Missing", "k", 1));
    EXPECT_FALSE(store.getConfiguration().contains("Missing"));
    EXPECT_TRUE(store.setConfigurationByModuleKeyAndValue("Name", "k", 1)); // exists, neither kind
    EXPECT_FALSE(store.setConfigurationByModule("", 1));
    EXPECT_FALSE(store.setConfigurationByModule("k", Value()));
    EXPECT_FALSE(store.setConfigurationByModuleKeyAndValue("Main", "none", Value())); // has no file form
    EXPECT_FALSE(store.getConfigurationByModule("Main").toDictionary().contains("none"));

    EXPECT_TRUE(store.removeConfigurationByModuleAndKey("Main", "k"));
    EXPECT_FALSE(store.removeConfigurationByModuleAndKey("Missing", "k"));
    EXPECT_TRUE(store.removeConfigurationByModule("Name"));

    ASSERT_TRUE(store.writeToFile());
    EXPECT_EQ(app.settingsOnDisk(), store.getConfiguration());
}

TEST(ConfigManager, FileKeysMapToPathsInTheDataFolder)
{
    TemporaryAppBundle app;
    ConfigManager store;
    const QString folder = app.dataFolder();
    EXPECT_EQ(store.configFilePathOfKey(kCMSettingFile), folder + "/settings.plist");
    EXPECT_EQ(store.configFilePathOfKey(kCMSoundOnlineFile), folder + "/sound/online.wav");
    EXPECT_EQ(store.configFilePathOfKey(kCMVideoCallFolder), folder + "/videocall");
    EXPECT_EQ(store.configFilePathOfKey(kIMEIInfoPath), folder + "/Update/IMEIInfo.plist");
    EXPECT_TRUE(store.configFilePathOfKey("unknown.plist").isEmpty());
    EXPECT_EQ(store.getFilePathWithFileName("any/file.txt"), folder + "/any/file.txt");
    store.setConfigFilePath("/elsewhere/x", "custom");
    EXPECT_EQ(store.configFilePathOfKey("custom"), "/elsewhere/x");
}

TEST(ConfigManager, DataFolderFallbacksAreTriedInOrder)
{
    QTemporaryDir root;
    const QString app = root.filePath("Apps/Trelvan.app");
    QDir().mkpath(app + "/Contents/Resources");
    ns::Bundle::setMainBundlePath(app);
    struct Step {
        QString folder;
    } steps[] = {{root.filePath("Resources/ModemList")},
                 {root.filePath("Apps/ModemList")},
                 {app + "/Contents/Resources/ModemList"}};
    EXPECT_TRUE(
        ConfigManager().modemListPath().isEmpty()); // "/System/Library/ModemList/" does not exist here
    for (const Step& step : steps) {
        QDir().mkpath(step.folder);
        EXPECT_EQ(QDir::cleanPath(ConfigManager().modemListPath()), step.folder);
    }
    ns::Bundle::setMainBundlePath(QString());
}

TEST(ConfigManager, WithoutADataFolderEverythingIsNilAndNothingIsWritten)
{
    QTemporaryDir root;
    ns::Bundle::setMainBundlePath(root.filePath("Lonely.app"));
    ConfigManager store;
    EXPECT_FALSE(store.initPathDict());
    EXPECT_TRUE(store.configFilePathOfKey(kCMSettingFile).isEmpty());
    EXPECT_TRUE(store.getConfigurationByModule("Main").isNull());
    EXPECT_FALSE(store.writeToFile());
    ns::Bundle::setMainBundlePath(QString());
}

TEST(ConfigManager, AnUnreadableSettingsFileIsSetAsideBeforeTheFirstWrite)
{
    TemporaryAppBundle app;
    const QByteArray garbage("<?xml version=\"1.0\"?><plist><dict><key>Main</key><dict><key>trunc");
    const QByteArray cutBinary("bplist00\xD1\x01\x02\x62\x00\x41", 14);
    for (const QByteArray& content : {garbage, QByteArray("<plist><array/></plist>"), cutBinary}) {
        QFile file(app.settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();

        ConfigManager store;
        EXPECT_TRUE(store.getConfiguration().isEmpty());
        store.setConfigurationByModule("CurrentLanguage", "English");
        ASSERT_TRUE(store.writeToFile());

        QFile aside(app.settingsPath() + ".unreadable");
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), content);
        EXPECT_EQ(app.settingsOnDisk().value("CurrentLanguage").toString(), "English");
    }
}

// Settings files as other writers leave them: libplist once aborted on the
// first (a key holding U+0000), and a UID or a null made every later save fail.
TEST(ConfigManager, SettingsFilesOfOtherWritersAreReadAndSavedBack)
{
    auto fixture = [](const char* name) {
        QFile file(QString::fromUtf8(TRELVAN_FIXTURES_DIR "/") + QString::fromUtf8(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const std::pair<QByteArray, Dictionary> cases[] = {
        {fixture("fuzz/plist_binary/utf16-key-with-nul.bplist"),
         Dictionary{{QStringLiteral("A") + QChar(0), 1}}},
        // {"$top": UID 5, "list": [null, true]}
        {fixture("ns/uid-and-null.bplist"), Dictionary{{"$top", ns::Uid{5}}, {"list", Array{true}}}},
    };
    for (const auto& [content, expected] : cases) {
        TemporaryAppBundle app;
        QFile file(app.settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();

        ConfigManager store;
        EXPECT_EQ(store.getConfiguration(), expected);
        store.setConfigurationByModule("CurrentLanguage", "English");
        ASSERT_TRUE(store.writeToFile());
        Dictionary saved = expected.deepCopy();
        saved.setValue("CurrentLanguage", "English");
        EXPECT_EQ(app.settingsOnDisk(), saved);
        EXPECT_FALSE(QFile::exists(app.settingsPath() + ".unreadable"));
    }
}

TEST(ConfigManager, AFileRewrittenElsewhereIsNoLongerSetAside)
{
    TemporaryAppBundle app;
    QFile file(app.settingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("garbage");
    file.close();
    ConfigManager store;

    // Another store sets the unreadable file aside and writes a good one.
    ASSERT_TRUE(QFile::rename(app.settingsPath(), app.settingsPath() + ".unreadable"));
    ASSERT_TRUE(ns::PropertyList::writeFile(app.settingsPath(), Dictionary{{"Main", Dictionary{{"k", 2}}}}));
    store.resetSettings();
    ASSERT_TRUE(store.writeToFile());

    QFile aside(app.settingsPath() + ".unreadable");
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), "garbage");
    EXPECT_EQ(app.settingsOnDisk().value("Main").toDictionary().value("k").intValue(), 2);
}

class SynchronisedStores : public ::testing::Test
{
protected:
    SynchronisedStores() { qputenv("TRELVAN_RUNTIME_DIR", runtime_.path().toUtf8()); }
    QTemporaryDir runtime_;
    int argc_ = 0;
    QCoreApplication app_{argc_, nullptr};
    TemporaryAppBundle bundle_{
        Dictionary{{"SynchronousControllerAndUI", true}, {"Main", Dictionary{{"k", 1}}}}};
};

TEST_F(SynchronisedStores, AWriteRefillsEveryStoreInPlace)
{
    ConfigManager writer, reader;
    Dictionary held = reader.getConfiguration();
    writer.setConfigurationByModuleKeyAndValue("Main", "k", 2);
    ASSERT_TRUE(writer.writeToFile());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return held.value("Main").toDictionary().value("k").intValue() == 2; }, 5000));
    EXPECT_TRUE(held.isSameObject(reader.getConfiguration()));
}

namespace
{

class ChangeCounter : public ns::Object
{
public:
    ChangeCounter()
    {
        registerSelector("changed:", [this](ns::Object*) { ++count; });
        ns::DistributedNotificationCenter::defaultCenter().addObserver(
            this, "changed:", kSettingsChangedNotification, QString());
    }
    int count = 0;
};

} // namespace

TEST_F(SynchronisedStores, AFailedWriteAnnouncesNothingAndAnUnreadableFileKeepsTheSettings)
{
    ConfigManager writer, reader;
    ChangeCounter changes;
    writer.setConfigurationByModule("Unsaved", "change");
    writer.setConfigFilePath(runtime_.filePath("no/such/folder/settings.plist"), kCMSettingFile);
    EXPECT_FALSE(writer.writeToFile());
    EXPECT_EQ(writer.getConfiguration().value("Unsaved").toString(), "change");

    QFile file(bundle_.settingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("garbage");
    file.close();
    ns::DistributedNotificationCenter::defaultCenter().postNotificationName(kSettingsChangedNotification, "",
                                                                            Dictionary());
    // Every observer of this process hears a post in one delivery: once the
    // counter has heard it, so has the reader. It is the only post heard.
    ASSERT_TRUE(QTest::qWaitFor([&] { return changes.count > 0; }, 10000));
    EXPECT_EQ(changes.count, 1);
    EXPECT_EQ(reader.getConfiguration().value("Main").toDictionary().value("k").intValue(), 1);
    EXPECT_EQ(writer.getConfiguration().value("Unsaved").toString(), "change");
}

TEST(JOVDatacardConfig, ReadsAndWritesSingleKeysOnDisk)
{
    TemporaryAppBundle app(Dictionary{{"CurrentLanguage", "German"}, {"Keep", 7}});
    EXPECT_EQ(JOVDatacardConfig::configListName(13), "Help.pdf");
    EXPECT_TRUE(JOVDatacardConfig::configListName(14).isEmpty());

    JOVDatacardConfig::setSettingDictWorkPath(QString());
    EXPECT_TRUE(JOVDatacardConfig::settingDictKey("CurrentLanguage").isNull());
    JOVDatacardConfig::setSettingDictKey("CurrentLanguage", "French"); // no work path: nothing
    EXPECT_EQ(app.settingsOnDisk().value("CurrentLanguage").toString(), "German");

    JOVDatacardConfig::setSettingDictWorkPath(app.settingsPath());
    JOVDatacardConfig::setSettingDictKey("CurrentLanguage", "French");
    EXPECT_EQ(JOVDatacardConfig::settingDictKey("CurrentLanguage").toString(), "French");
    EXPECT_EQ(app.settingsOnDisk().value("Keep").intValue(), 7);
}
