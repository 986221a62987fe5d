#include "platform/ns/Bundle.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/Task.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace ns;

TEST(Bundle, FindsResourcesPlugInsAndInfoValues)
{
    QTemporaryDir dir;
    const QString app = dir.filePath("Demo.app");
    QDir().mkpath(app + "/Contents/Resources/English.lproj");
    QDir().mkpath(app + "/Contents/Resources/Halvex.app/Contents/MacOS");
    QFile(app + "/Contents/Resources/English.lproj/LanguageTokenList.txt").open(QIODevice::WriteOnly);
    PropertyList::writeFile(
        app + "/Contents/Info.plist",
        Dictionary{{"CFBundleIdentifier", "org.example.demo"}, {"CFBundleExecutable", "Demo"}});

    Bundle::setMainBundlePath(app);
    Bundle& b = Bundle::mainBundle();
    EXPECT_EQ(b.bundleIdentifier(), "org.example.demo");
    EXPECT_EQ(b.executablePath(), app + "/Contents/MacOS/Demo");
    EXPECT_EQ(b.builtInPlugInsPath(), app + "/Contents/PlugIns");
    EXPECT_EQ(b.pathForResource("Halvex", "app"), app + "/Contents/Resources/Halvex.app");
    EXPECT_EQ(b.pathForResource("LanguageTokenList", "txt"),
              app + "/Contents/Resources/English.lproj/LanguageTokenList.txt");
    EXPECT_TRUE(b.pathForResource("Missing", "png").isEmpty());
    Bundle::setMainBundlePath(QString());
    EXPECT_TRUE(Bundle::mainBundle().bundlePath().endsWith("tests/ns"));
}

TEST(Task, LaunchesReportsRunningAndTerminates)
{
    Task sleeper("/bin/sleep", {"30"});
    ASSERT_TRUE(sleeper.launch());
    EXPECT_TRUE(sleeper.isRunning());
    EXPECT_FALSE(sleeper.launch());
    sleeper.terminate();
    EXPECT_EQ(sleeper.waitUntilExit(), 128 + 15);
    EXPECT_FALSE(sleeper.isRunning());

    // One that ignores SIGTERM is ended by kill() after a bounded wait.
    QTemporaryDir dir;
    const QString ready = dir.filePath("ready");
    Task stubborn("/bin/sh", {"-c", "trap '' TERM; touch '" + ready + "'; exec sleep 30"});
    ASSERT_TRUE(stubborn.launch());
    for (int i = 0; i < 1000 && !QFile::exists(ready); ++i)
        QThread::msleep(5);
    stubborn.terminate();
    EXPECT_FALSE(stubborn.waitUntilExit(0.3));
    stubborn.kill();
    EXPECT_TRUE(stubborn.waitUntilExit(5.0));
    EXPECT_EQ(stubborn.terminationStatus(), 128 + 9);

    Task missing("/no/such/program", {});
    EXPECT_FALSE(missing.launch());

    EXPECT_EQ(readFirstLineOfShellCommand("printf '3\\nrest'", 512), "3\n");
}
