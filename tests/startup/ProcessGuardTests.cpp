#include "../config/ConfigTestSupport.h"

#include "app/log/KLog.h"
#include "app/startup/ProcessGuard.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

TEST(ProcessGuard, CountsEveryProcessWhoseNameEndsWithTheName)
{
    QTemporaryDir dir;
    const QString exact = dir.filePath("Zqvx"), longer = dir.filePath("aZqvx");
    ASSERT_TRUE(QFile::copy("/bin/sleep", exact));
    ASSERT_TRUE(QFile::copy("/bin/sleep", longer));
    EXPECT_EQ(countProcessesEndingWith("Zqvx"), 0);
    QProcess one, two;
    one.start(exact, {"30"});
    two.start(longer, {"30"});
    ASSERT_TRUE(one.waitForStarted() && two.waitForStarted());
    EXPECT_EQ(countProcessesEndingWith("Zqvx"), 2);
    EXPECT_EQ(countProcessesEndingWith("aZqvx"), 1);
    one.kill();
    two.kill();
    one.waitForFinished();
    two.waitForFinished();
}

TEST(ProcessGuard, LoggingIsOnOnlyWhenIsLogOnIsABooleanOrNumber)
{
    QTemporaryDir logs;
    struct Case {
        ns::Value isLogOn;
        bool on;
    } cases[] = {
        {ns::Value("YES"), false}, {ns::Value(true), true}, {ns::Value(), false}, {ns::Value(1), true}};
    ns::Dictionary settings{{"LogFileDir", logs.path()}};
    TemporaryAppBundle app(settings);
    for (const Case& c : cases) {
        if (c.isLogOn.isNull())
            settings.remove("IsLogOn");
        else
            settings.setValue("IsLogOn", c.isLogOn);
        ns::PropertyList::writeFile(app.settingsPath(), settings);
        setKLog();
        EXPECT_EQ(IsKLogOpen(), c.on) << c.isLogOn.stringValue().toStdString();
    }
    SetKLogOpen(false);
}
