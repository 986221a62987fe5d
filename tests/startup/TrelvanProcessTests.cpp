// The real program: one instance at a time, and a clean end on SIGTERM.
#include "platform/ns/PropertyList.h"
#include "tests/support/CopyTree.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

namespace
{

int runningProcessesNamed(const QString& name)
{
    QProcess pgrep;
    pgrep.start("pgrep", {"-x", name});
    pgrep.waitForFinished();
    return int(pgrep.readAllStandardOutput().count('\n'));
}

class TrelvanProcess : public ::testing::Test
{
protected:
    TrelvanProcess()
    {
        copyTree(TRELVAN_BUILD_DIR "/Trelvan.app", app_.filePath("Trelvan.app"));
        // Without the update feature the program launches no Varnock that would outlive the test.
        QDir(app_.filePath("Trelvan.app/Contents/Resources/ModemList/Update")).removeRecursively();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TRELVAN_RUNTIME_DIR", runtime_.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("LANGUAGE", "en");
        first_.setProcessEnvironment(env);
        second_.setProcessEnvironment(env);
    }
    ~TrelvanProcess() override
    {
        for (QProcess* p : {&first_, &second_}) {
            p->kill();
            p->waitForFinished();
        }
        QProcess::execute("killall", {"-q", "Halvex"});
    }
    QString program() const { return app_.filePath("Trelvan.app/Contents/MacOS/Trelvan"); }

    QTemporaryDir app_, runtime_;
    QProcess first_, second_;
};

} // namespace

TEST_F(TrelvanProcess, ASecondLaunchExitsAtOnceAndSigtermEndsBothProcesses)
{
    // Synchronised settings make the program listen for distributed notifications.
    const QString settingsPath = app_.filePath("Trelvan.app/Contents/Resources/ModemList/settings.plist");
    ns::Dictionary settings = ns::PropertyList::readDictionary(settingsPath).value_or(ns::Dictionary());
    settings.setValue("SynchronousControllerAndUI", true);
    ASSERT_TRUE(ns::PropertyList::writeFile(settingsPath, settings));

    first_.start(program(), {});
    ASSERT_TRUE(first_.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([] { return runningProcessesNamed("Halvex") == 1; }, 10000));
    const QString notificationSocket =
        runtime_.filePath(QStringLiteral("notifications/%1.sock").arg(first_.processId()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(notificationSocket); }, 10000));

    second_.start(program(), {});
    ASSERT_TRUE(second_.waitForFinished(10000));
    EXPECT_EQ(second_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second_.exitCode(), 0);
    EXPECT_EQ(first_.state(), QProcess::Running);

    ::kill(pid_t(first_.processId()), SIGTERM);
    ASSERT_TRUE(first_.waitForFinished(10000));
    EXPECT_EQ(first_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first_.exitCode(), 0);
    EXPECT_TRUE(QTest::qWaitFor([] { return runningProcessesNamed("Halvex") == 0; }, 5000));
    EXPECT_FALSE(QFile::exists(notificationSocket));
}
