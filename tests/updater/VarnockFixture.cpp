#include "tests/updater/VarnockFixture.h"

#include "jCommon/UpdateLink.h"
#include "platform/ae/AppleEventManager.h"
#include "platform/authorization/Authorization.h"
#include "platform/modeswitch/ModeSwitchControl.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/PropertyList.h"
#include "tests/updater/TestSender.h"
#include "tests/updater/UpdaterTestSupport.h"
#include "updater/UpdateTextKeys.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTreeView>

#include <csignal>

namespace updater_test
{

bool waitFor(const std::function<bool()>& condition)
{
    return QTest::qWaitFor(condition, 20000);
}

bool writeScript(const QString& path, const QByteArray& text)
{
    return writeFile(path, text) &&
           QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void VarnockTest::SetUp()
{
    qputenv("VARNOCK_LIBRARY_ROOT", QFile::encodeName(library_.path()));
    qputenv("TRELVAN_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
    qputenv("VARNOCK_DOWNLOAD_LIBRARIES", TRELVAN_BUILD_DIR "/download-libraries");
    // Varnock.app of the build, with an Info.plist of its own.
    const QString contents = bundle_.filePath("Varnock.app/Contents");
    ASSERT_TRUE(QDir().mkpath(contents));
    ASSERT_TRUE(QFile::link(kVarnockBundle + "/Contents/MacOS", contents + "/MacOS"));
    ASSERT_TRUE(QFile::link(kVarnockBundle + "/Contents/Resources", contents + "/Resources"));
    ns::Dictionary info = ns::PropertyList::readDictionary(kVarnockBundle + "/Contents/Info.plist").value();
    info.setValue(kDataCardBundleNameKey, connectionManagerIdentifier());
    info.setValue(kNewDataCardBundleNameKey, connectionManagerIdentifier() + "New");
    ASSERT_TRUE(ns::PropertyList::writeFile(contents + "/Info.plist", info));
    ns::Bundle::setMainBundlePath(bundle_.filePath("Varnock.app"));
    ns::Clock::setCurrent(&clock_);
    ns::Application::sharedApplication().setDelegate(&quit_);
    ASSERT_TRUE(writeFile(
        library_.filePath("ModemList/Update/UpdateCfg.plist"),
        readFile(QStringLiteral(TRELVAN_SOURCE_DIR "/resources/ModemList/Update/UpdateCfg.plist"))));
    ASSERT_TRUE(server_.start());
    ASSERT_TRUE(
        writeUpdateSettings(library_.filePath("ModemList/Update/UpdateCfg.ini"), server_.baseUrl(), true));
    ASSERT_TRUE(ae::AppleEventManager::sharedAppleEventManager().listen(kUpdaterBundleIdentifier));
    control_ = std::make_unique<UpdateControl>();
    control_->awakeFromNib();
    control_->applicationWillFinishLaunching(ns::Notification(QStringLiteral("launching")));
}

void VarnockTest::TearDown()
{
    for (ns::Window* window : {nib().m_FirmwareCancelWnd.get(), nib().m_CloseUIWnd.get(),
                               nib().m_MakeSureModemWnd.get(), nib().m_ReInsertModemWnd.get()})
        ns::Application::sharedApplication().endSheet(window);
    control_.reset();
    // The daemons the tests started end with them.
    if (const std::optional<pid_t> daemon = modeswitch::ModeSwitchControl::runningDaemon())
        ::kill(*daemon, SIGTERM);
    ae::AppleEventManager::sharedAppleEventManager().stopListening();
    server_.releaseHeld();
    ns::Application::sharedApplication().setDelegate(nullptr);
    ns::Clock::setCurrent(nullptr);
    ns::Bundle::setMainBundlePath(QString());
    authorization::Authorization::setPkexecPath(QString());
    authorization::Authorization::setRunsAsRoot(std::nullopt);
    for (const char* name : {"VARNOCK_LIBRARY_ROOT", "TRELVAN_RUNTIME_DIR", "VARNOCK_DOWNLOAD_LIBRARIES",
                             "VARNOCK_DOWNLOAD_PORT"})
        qunsetenv(name);
}

QString VarnockTest::connectionManagerIdentifier() const
{
    return QStringLiteral("org.trelvan.test.Trelvan.%1").arg(QCoreApplication::applicationPid());
}

void VarnockTest::sendUpdate(int mode, const ns::Dictionary& localInfo, bool deviceState)
{
    ASSERT_EQ(sendUpdateCommand(updateCommand(mode, localInfo, deviceState, "en"), Delivery::WaitHandled),
              ae::noErr);
}

void VarnockTest::sendUpdate(int mode)
{
    sendUpdate(mode, sampleLocalInfo());
}

QList<SitePackage> VarnockTest::openSelection(const SampleContents& contents, bool deviceState)
{
    const QList<SitePackage> packages = makeSampleSite(site_.path(), contents);
    EXPECT_EQ(packages.size(), 2);
    sendUpdate(UPDATE_MODE_MANUAL, sampleLocalInfo(), deviceState);
    EXPECT_TRUE(waitFor([&] { return nib().m_UpdateInfoWnd->isVisible(); }));
    nib().m_InfoNextBtn->performClick(nullptr);
    EXPECT_TRUE(nib().m_ModuleSelWnd->isVisible());
    return packages;
}

void VarnockTest::tick(int row)
{
    ns::TableView* table = nib().m_PackageListView;
    const ns::Rect cell = table->frameOfCellAtColumn(table->columnWithIdentifier("checkstate"), row);
    QTest::mouseClick(table->treeView()->viewport(), Qt::LeftButton, {},
                      QPoint(int(cell.minX() + 8), int(cell.midY())));
}

void VarnockTest::downloadChosen(bool firmware, bool connectionManager)
{
    // The sample offer lists the connection manager's package first.
    if (!connectionManager)
        tick(0);
    if (!firmware)
        tick(1);
    nib().m_UpdateBtn->performClick(nullptr);
    ASSERT_TRUE(waitFor([&] {
        return !nib().m_OKCancelBtn->isEnabled() || nib().m_OKCancelBtn->title() == text(CM_UPDATER_STR_OK);
    }));
}

void VarnockTest::grab(ns::Window* window, const char* name)
{
    const QString grabs = QStringLiteral(TRELVAN_BUILD_DIR "/grabs");
    QDir().mkpath(grabs);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->grab().save(grabs + "/varnock-" + name + ".png"));
}

} // namespace updater_test
