// The Varnock program itself, started from the connection manager's bundle.
#include "jCommon/UpdateLink.h"
#include "platform/modeswitch/ModeSwitchControl.h"
#include "platform/ns/Bundle.h"
#include "tests/support/CopyTree.h"
#include "tests/updater/PackageSite.h"
#include "tests/updater/TestSender.h"
#include "tests/updater/TestUpdateServer.h"
#include "tests/updater/UpdaterTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace updater_test;

TEST(VarnockProgram, RunsOnceFromTheBundleAndChecksWhereTheDataFolderIs)
{
    QTemporaryDir app, runtime, site;
    ASSERT_TRUE(copyTree(TRELVAN_BUILD_DIR "/Trelvan.app", app.filePath("Trelvan.app")));
    const QString resources = app.filePath("Trelvan.app/Contents/Resources");
    // The built bundle holds the agent's folder once Trelvan has run from it and
    // launched its Varnock; this Varnock makes its own.
    QDir(resources + "/Auto_Update").removeRecursively();
    TestUpdateServer server(site.path());
    ASSERT_TRUE(server.start());
    writeNoOffer(site.path(), 3, "up to date");
    ASSERT_TRUE(writeUpdateSettings(resources + "/ModemList/Update/UpdateCfg.ini", server.baseUrl(), true));

    qputenv("TRELVAN_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.remove("VARNOCK_LIBRARY_ROOT");
    // As the connection manager starts it: the resource Varnock.app of its bundle, detached.
    const std::optional<ns::Bundle> trelvan = ns::Bundle::bundleWithPath(app.filePath("Trelvan.app"));
    ASSERT_TRUE(trelvan);
    const QString program = trelvan->pathForResource("Varnock", "app") + "/Contents/MacOS/Varnock";
    QProcess first, second;
    first.setProgram(program);
    first.setProcessEnvironment(environment);
    second.setProcessEnvironment(environment);
    qint64 pid = 0;
    ASSERT_TRUE(first.startDetached(&pid));
    const std::unique_ptr<qint64, void (*)(qint64*)> stop(
        &pid, [](qint64* started) { ::kill(pid_t(*started), SIGKILL); });
    ASSERT_TRUE(QTest::qWaitFor([] { return sendUpdateCommand(initCommand()) == ae::noErr; }, 20000));

    // A second one finds the link taken and leaves.
    second.start(program, {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    // The first one checks, keeping its files in the folder that holds the data folder.
    ASSERT_EQ(sendUpdateCommand(updateCommand(UPDATE_MODE_AUTOMATIC, sampleLocalInfo(), true, "en")),
              ae::noErr);
    const QString download = resources + "/Auto_Update/download";
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return QFile::exists(download + "/lastUpdateDateTime.plist"); }, 20000));
    EXPECT_EQ(QFileInfo(download).permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup |
                                                   QFile::WriteOther | QFile::ExeGroup | QFile::ExeOther),
              QFile::Permissions());
    ASSERT_EQ(server.requestCount("/check"), 1);
    EXPECT_EQ(server.requests().first().query.queryItemValue("DEVICE_TYPE", QUrl::FullyDecoded),
              "TV-3G Stick");
    EXPECT_EQ(::kill(pid_t(pid), 0), 0); // still running
    qunsetenv("TRELVAN_RUNTIME_DIR");
}

TEST(VarnockProgram, LeavesNoDaemonStoppedAfterACrashOrOnSIGTERM)
{
    QTemporaryDir app, runtime;
    ASSERT_TRUE(copyTree(TRELVAN_BUILD_DIR "/Trelvan.app", app.filePath("Trelvan.app")));
    qputenv("TRELVAN_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const std::unique_ptr<void, void (*)(void*)> cleanUp(nullptr, [](void*) {
        if (const std::optional<pid_t> daemon = modeswitch::ModeSwitchControl::runningDaemon())
            ::kill(*daemon, SIGTERM);
        qunsetenv("TRELVAN_RUNTIME_DIR");
    });
    // An update manager that crashed left the daemon stopped.
    ASSERT_TRUE(modeswitch::ModeSwitchControl(QString()).stop());
    ASSERT_TRUE(QFileInfo::exists(modeswitch::ModeSwitchControl::markerPath()));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    QProcess varnock;
    varnock.setProcessEnvironment(environment);
    varnock.start(app.filePath("Trelvan.app/Contents/Resources/Varnock.app/Contents/MacOS/Varnock"), {});
    ASSERT_TRUE(varnock.waitForStarted(20000));
    const std::unique_ptr<QProcess, void (*)(QProcess*)> stop(&varnock, [](QProcess* process) {
        process->kill();
        process->waitForFinished(20000);
    });
    ASSERT_TRUE(
        QTest::qWaitFor([] { return modeswitch::ModeSwitchControl::runningDaemon().has_value(); }, 20000));
    // Varnock clears the marker once the daemon it started runs.
    EXPECT_TRUE(QTest::qWaitFor(
        [] { return !QFileInfo::exists(modeswitch::ModeSwitchControl::markerPath()); }, 20000));

    // Stopped for an update, then Varnock is ended.
    ASSERT_TRUE(modeswitch::ModeSwitchControl(QString()).stop());
    ASSERT_FALSE(modeswitch::ModeSwitchControl::runningDaemon());
    ::kill(pid_t(varnock.processId()), SIGTERM);
    ASSERT_TRUE(varnock.waitForFinished(20000));
    EXPECT_EQ(varnock.exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE(modeswitch::ModeSwitchControl::runningDaemon().has_value());
    EXPECT_FALSE(QFileInfo::exists(modeswitch::ModeSwitchControl::markerPath()));
}
