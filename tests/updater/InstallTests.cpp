// Installing the connection manager's package: the running applications,
// administrator rights through pkexec or as root, the engine launcher's
// checks, the installer tool's results and the mode-switch daemon around it.
#include "jCommon/UpdateLink.h"
#include "platform/authorization/Authorization.h"
#include "platform/modeswitch/ModeSwitchControl.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/RuntimeDirectory.h"
#include "platform/ns/appkit/Workspace.h"
#include "tests/updater/EngineScript.h"
#include "tests/updater/FakeApplication.h"
#include "tests/updater/UpdaterTestSupport.h"
#include "tests/updater/VarnockFixture.h"
#include "updater/UpdateTextKeys.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <sys/stat.h>
#include <unistd.h>

using namespace updater_test;

namespace
{

const QString kEngine = QStringLiteral(TRELVAN_BUILD_DIR "/tests/updater/Engine");
const QString kLauncher = kVarnockBundle + QStringLiteral("/Contents/MacOS/EngineLauncher");

class InstallTest : public VarnockTest
{
protected:
    void SetUp() override
    {
        VarnockTest::SetUp();
        authorization::Authorization::setRunsAsRoot(false);
        authorization::Authorization::setPkexecPath(work_.filePath("pkexec"));
    }

    // A package whose installer tool is the test Engine with the script.
    SampleContents engineContents(const EngineScript& script) const
    {
        SampleContents contents;
        contents.engine = readFile(kEngine);
        EngineScript recorded = script;
        recorded.record = record();
        contents.engineScript = engineScriptData(recorded);
        return contents;
    }
    QString record() const { return work_.filePath("engine-run.plist"); }
    std::optional<ns::Dictionary> engineRun() const { return ns::PropertyList::readDictionary(record()); }
    QString lastLine() const { return nib().m_ProcessInfoView->string().split("\r\n").last(); }

    // Downloads the connection manager's package alone, which is installed at once.
    void install(const EngineScript& script)
    {
        openSelection(engineContents(script));
        downloadChosen(false, true);
    }

    QTemporaryDir work_;
};

} // namespace

TEST(RunningApplications, NameTheUsersBundlesEvenReplacedOnes)
{
    QTemporaryDir folder;
    const QString identifier =
        QStringLiteral("org.trelvan.test.Fake.%1").arg(QCoreApplication::applicationPid());
    FakeApplication fake(folder.path(), "Fake", identifier);
    auto found = [&] {
        for (const ns::Dictionary& application : ns::Workspace::sharedWorkspace().runningApplications())
            if (application.value(ns::kApplicationBundleIdentifierKey).stringValue() == identifier)
                return application;
        return ns::Dictionary();
    };
    EXPECT_TRUE(found().isEmpty());
    ASSERT_TRUE(fake.start());
    ASSERT_TRUE(waitFor([&] { return !found().isEmpty(); }));
    EXPECT_EQ(found().value(ns::kApplicationPathKey).stringValue(), folder.filePath("Fake.app"));
    EXPECT_EQ(found().value(ns::kApplicationProcessIdentifierKey).intValue(), fake.processId());

    ASSERT_TRUE(fake.removeExecutable());
    EXPECT_FALSE(found().isEmpty());
    fake.stop();
    EXPECT_TRUE(found().isEmpty());
}

namespace
{

struct ResultCase {
    const char* name;
    int result;
    QString line; // empty: the last step's line stays the last
    int module;
};

void PrintTo(const ResultCase& c, std::ostream* out)
{
    *out << c.name;
}

class InstallerResult : public InstallTest, public testing::WithParamInterface<ResultCase>
{
};

} // namespace

TEST_P(InstallerResult, ShowsItsLineAndEndsWithTheReinsertSheet)
{
    const ResultCase& c = GetParam();
    // pkexec as a user's polkit agent grants it: the launcher runs with the caller's environment.
    ASSERT_TRUE(writeScript(work_.filePath("pkexec"), "#!/bin/sh\nexec \"$@\"\n"));
    install({{{0.25, 1}, {0.5, 3}}, c.result, {}});
    ASSERT_TRUE(waitFor([&] { return control_->updateState() == 7; }));
    EXPECT_EQ(lastLine(), text(c.line.isEmpty() ? CM_UPDATER_UPDATE_CM_STR : c.line));
    EXPECT_EQ(control_->selectedModule(), c.module);
    EXPECT_EQ(nib().m_ProcessBar->doubleValue(), 100);
    EXPECT_EQ(nib().m_OKCancelBtn->title(), text(CM_UPDATER_STR_OK));
    EXPECT_TRUE(nib().m_OKCancelBtn->isEnabled());
    EXPECT_EQ(sheet(), nib().m_ReInsertModemWnd.get());

    // The tool ran in the launcher's own folder, which goes with it.
    const std::optional<ns::Dictionary> run = engineRun();
    ASSERT_TRUE(run);
    const QString folder = run->value("directory").stringValue();
    EXPECT_TRUE(folder.endsWith("/CMUpdatePackage"));
    EXPECT_FALSE(folder.startsWith(library_.path()));
    EXPECT_TRUE(waitFor([&] { return !QFileInfo::exists(folder); }));
}

INSTANTIATE_TEST_SUITE_P(Cases, InstallerResult,
                         testing::Values(ResultCase{"Success", 0, QString(), 2},
                                         ResultCase{"UpdateFailed1", 1, CM_UPDATER_UPDATE_CM_FAILED_STR, 0},
                                         ResultCase{"UpdateFailed2", 2, CM_UPDATER_UPDATE_CM_FAILED_STR, 0},
                                         ResultCase{"UpdateFailed5", 5, CM_UPDATER_UPDATE_CM_FAILED_STR, 0},
                                         ResultCase{"UnpackingFailed", 3, CM_UPDATER_UNZIP_FAILED_STR, 0},
                                         ResultCase{"BackupFailed", 4, CM_UPDATER_BACKUPVERSION_FAILED, 0},
                                         ResultCase{"RollbackFailed", 6, CM_UPDATER_ROLLBACK_FAILED_STR, 0},
                                         ResultCase{"Other", 8, QString(), 2}),
                         [](const testing::TestParamInfo<ResultCase>& info) {
                             return std::string(info.param.name);
                         });

namespace
{

struct RefusalCase {
    const char* name;
    QByteArray pkexec; // empty: no pkexec
    QString logged;
};

void PrintTo(const RefusalCase& c, std::ostream* out)
{
    *out << c.name;
}

class Refusal : public InstallTest, public testing::WithParamInterface<RefusalCase>
{
};

} // namespace

TEST_P(Refusal, EndsTheInstallationWithoutTheTool)
{
    const RefusalCase& c = GetParam();
    if (!c.pkexec.isEmpty()) {
        ASSERT_TRUE(writeScript(work_.filePath("pkexec"), c.pkexec));
    }
    LogCapture log;
    install({{}, 0, {}});
    EXPECT_EQ(control_->updateState(), 7);
    EXPECT_EQ(lastLine(), text(CM_UPDATE_AUTHFAILED_STR));
    EXPECT_EQ(control_->selectedModule(), 0);
    EXPECT_TRUE(log.contains(c.logged));
    EXPECT_FALSE(engineRun());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Refusal,
    testing::Values(RefusalCase{"WithoutPkexec", {}, "pkexec is not installed"},
                    RefusalCase{"Dismissed", "#!/bin/sh\nexit 126\n", "The installer tool's start: -60006"},
                    RefusalCase{"Refused", "#!/bin/sh\nexit 127\n", "The installer tool's start: -60005"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

TEST_F(InstallTest, PkexecRunsTheToolForTheUserInTheUsersRuntimeFolder)
{
    // As pkexec does: a bare environment with the caller's uid.
    ASSERT_TRUE(writeScript(work_.filePath("pkexec"),
                            "#!/bin/sh\nexec env -i PKEXEC_UID=$(id -u) PATH=/usr/bin:/bin \"$@\"\n"));
    const QByteArray oldTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(work_.filePath("gone")));
    install({{}, std::nullopt, {}});
    EXPECT_EQ(qEnvironmentVariable("TMPDIR"), "/tmp");
    qputenv("TMPDIR", oldTmp);

    // The tool runs and the update waits for its reports.
    ASSERT_TRUE(waitFor([&] { return engineRun().has_value(); }));
    EXPECT_EQ(control_->updateState(), 4);
    const ns::Dictionary run = *engineRun();
    EXPECT_EQ(run.value("uid").intValue(), qint64(::getuid()));
    EXPECT_EQ(run.value("TRELVAN_RUNTIME_DIR").stringValue(), ns::runtimeDirectoryOfUser(::getuid()));
}

TEST_F(InstallTest, TheDaemonIsStoppedForTheInstallationAndStartedAgainOnOK)
{
    ASSERT_TRUE(modeswitch::ModeSwitchControl(kVarnockBundle + "/Contents/MacOS/Pernask").start());
    ASSERT_TRUE(waitFor([] { return modeswitch::ModeSwitchControl::runningDaemon().has_value(); }));
    install({{}, 0, {}}); // refused: no pkexec
    ASSERT_EQ(control_->updateState(), 7);
    EXPECT_FALSE(modeswitch::ModeSwitchControl::runningDaemon());
    EXPECT_TRUE(QFileInfo::exists(modeswitch::ModeSwitchControl::markerPath()));

    nib().m_OKCancelBtn->performClick(nullptr);
    EXPECT_TRUE(quit_.asked);
    EXPECT_FALSE(nib().m_UpdateWnd->isVisible());
    EXPECT_TRUE(waitFor([] { return modeswitch::ModeSwitchControl::runningDaemon().has_value(); }));
    EXPECT_FALSE(QFileInfo::exists(modeswitch::ModeSwitchControl::markerPath()));
}

namespace
{

class ChangedArchive : public InstallTest, public testing::WithParamInterface<bool>
{
};

} // namespace

TEST_P(ChangedArchive, AsksNoAuthorization)
{
    const bool missing = GetParam();
    ASSERT_TRUE(writeScript(work_.filePath("pkexec"), "#!/bin/sh\ntouch \"$0.asked\"\nexec \"$@\"\n"));
    FakeApplication trelvan(work_.path(), "Trelvan", connectionManagerIdentifier());
    ASSERT_TRUE(trelvan.start());
    install({{}, 0, {}});
    ASSERT_EQ(sheet(), nib().m_CloseUIWnd.get());
    // Changed or gone after the agent checked it, before the installation.
    if (missing) {
        ASSERT_TRUE(QFile::remove(downloaded("CMUpdatePackage.zip")));
    } else {
        QByteArray bytes = readFile(downloaded("CMUpdatePackage.zip"));
        bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 1);
        ASSERT_TRUE(writeFile(downloaded("CMUpdatePackage.zip"), bytes));
    }
    trelvan.stop();
    nib().m_CloseUIOK->performClick(nullptr);
    EXPECT_EQ(control_->updateState(), 7);
    EXPECT_EQ(lastLine(), text(CM_UPDATER_UNZIP_FAILED_STR));
    EXPECT_FALSE(QFileInfo::exists(work_.filePath("pkexec.asked")));
    EXPECT_FALSE(engineRun());
}

INSTANTIATE_TEST_SUITE_P(Cases, ChangedArchive, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Missing" : "Tampered");
                         });

namespace
{

// Archives made entry by entry, a link or a name zip would not write among them.
bool writeArchive(const QString& path, const QList<std::tuple<QString, QByteArray, bool>>& entries)
{
    QString script = QStringLiteral("import sys, zipfile\nz = zipfile.ZipFile(sys.argv[1], 'w')\n");
    for (const auto& [name, bytes, link] : entries) {
        script +=
            QStringLiteral("i = zipfile.ZipInfo(%1)\n").arg(QString::fromLatin1("'" + name.toLatin1() + "'"));
        script += link ? QStringLiteral("i.external_attr = 0o120777 << 16\n")
                       : QStringLiteral("i.external_attr = 0o100644 << 16\n");
        script +=
            QStringLiteral("z.writestr(i, bytes.fromhex('%1'))\n").arg(QString::fromLatin1(bytes.toHex()));
    }
    script += QStringLiteral("z.close()\n");
    QProcess python;
    python.start("python3", {"-c", script, path});
    return python.waitForFinished(30000) && python.exitCode() == 0;
}

struct LauncherCase {
    const char* name;
    QList<std::tuple<QString, QByteArray, bool>> entries;
    bool tamper;
    int status;
};

void PrintTo(const LauncherCase& c, std::ostream* out)
{
    *out << c.name;
}

class Launcher : public testing::TestWithParam<LauncherCase>
{
};

} // namespace

TEST_P(Launcher, RunsNothingFromAPackageItRefuses)
{
    const LauncherCase& c = GetParam();
    QTemporaryDir work;
    const QString archive = work.filePath("CMUpdatePackage.zip");
    ASSERT_TRUE(writeArchive(archive, c.entries));
    const QByteArray bytes = readFile(archive);
    const QByteArray digest = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    if (c.tamper) {
        QByteArray changed = bytes;
        changed[changed.size() - 1] = char(changed[changed.size() - 1] ^ 1);
        ASSERT_TRUE(writeFile(archive, changed));
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TMPDIR", work.path());
    QProcess launcher;
    launcher.setProcessEnvironment(environment);
    launcher.start(kLauncher, {archive, QString::number(bytes.size()), QString::fromLatin1(digest)});
    ASSERT_TRUE(launcher.waitForFinished(30000));
    EXPECT_EQ(launcher.exitCode(), c.status) << launcher.readAllStandardError().constData();
    EXPECT_EQ(launcher.readAllStandardOutput(), "");
    // Nothing is left of its folder, and nothing landed beside it.
    EXPECT_EQ(QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"CMUpdatePackage.zip"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Launcher,
    testing::Values(LauncherCase{"Tampered",
                                 {{"CMUpdatePackage/Engine", "#!/bin/sh\ntouch ../../ran\n", false}},
                                 true,
                                 4},
                    LauncherCase{"EntryClimbingOut",
                                 {{"CMUpdatePackage/Engine", "#!/bin/sh\n", false},
                                  {"CMUpdatePackage/../../escaped", "x", false}},
                                 false,
                                 5},
                    LauncherCase{"EntryOutsideTheFolder", {{"Other/Engine", "#!/bin/sh\n", false}}, false, 5},
                    LauncherCase{"LinkedEngine", {{"CMUpdatePackage/Engine", "/bin/true", true}}, false, 6},
                    LauncherCase{"NoEngine", {{"CMUpdatePackage/Readme", "text", false}}, false, 6}),
    [](const testing::TestParamInfo<LauncherCase>& info) { return std::string(info.param.name); });

TEST(LauncherArchive, ALinkIsNotFollowed)
{
    QTemporaryDir work;
    ASSERT_TRUE(writeArchive(work.filePath("real.zip"), {{"CMUpdatePackage/Engine", "#!/bin/sh\n", false}}));
    ASSERT_TRUE(QFile::link(work.filePath("real.zip"), work.filePath("CMUpdatePackage.zip")));
    const QByteArray bytes = readFile(work.filePath("real.zip"));
    QProcess launcher;
    launcher.start(kLauncher, {work.filePath("CMUpdatePackage.zip"), QString::number(bytes.size()),
                               QString::fromLatin1(
                                   QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex())});
    ASSERT_TRUE(launcher.waitForFinished(30000));
    EXPECT_EQ(launcher.exitCode(), 4);
}

TEST_F(InstallTest, InfoPlistCommandsReplaceTheDaemonsStopAndStart)
{
    const QString info = bundle_.filePath("Varnock.app/Contents/Info.plist");
    ns::Dictionary dictionary = ns::PropertyList::readDictionary(info).value();
    dictionary.setValue("PernaskStopCommand",
                        ns::Array{"/bin/sh", "-c", "echo stop >> " + work_.filePath("calls")});
    dictionary.setValue("PernaskStartCommand",
                        ns::Array{"/bin/sh", "-c", "echo start >> " + work_.filePath("calls")});
    ASSERT_TRUE(ns::PropertyList::writeFile(info, dictionary));
    ns::Bundle::setMainBundlePath(bundle_.filePath("Varnock.app"));

    install({{}, 0, {}}); // refused: no pkexec
    EXPECT_EQ(readFile(work_.filePath("calls")), "stop\n");
    nib().m_OKCancelBtn->performClick(nullptr);
    EXPECT_EQ(readFile(work_.filePath("calls")), "stop\nstart\n");
    EXPECT_FALSE(modeswitch::ModeSwitchControl::runningDaemon());
}

TEST(RuntimeFolder, ARootProcessStartedByPkexecTakesTheUsersFolder)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can hand a folder to another user";
    QTemporaryDir base;
    const QString folder = base.filePath("user");
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0700), 0);
    ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), 4321, 4321), 0);
    qputenv("TRELVAN_RUNTIME_DIR", QFile::encodeName(folder));
    EXPECT_EQ(ns::runtimeDirectory(), ""); // another user's
    qputenv("PKEXEC_UID", "4321");
    EXPECT_EQ(ns::runtimeDirectory(), folder);
    qputenv("PKEXEC_UID", "4322");
    EXPECT_EQ(ns::runtimeDirectory(), "");
    qunsetenv("PKEXEC_UID");
    qunsetenv("TRELVAN_RUNTIME_DIR");
}
