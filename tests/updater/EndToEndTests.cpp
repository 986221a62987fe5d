// The whole road of an update with both packages, with real processes: the
// download from the test server, the firmware written into the flash target,
// the connection manager closed, the test installer tool run as
// administrator by the engine launcher, and the mode-switch daemon stopped
// and started again.
#include "platform/modeswitch/ModeSwitchControl.h"
#include "platform/ns/PropertyList.h"
#include "tests/updater/EngineScript.h"
#include "tests/updater/FakeApplication.h"
#include "tests/updater/FlashTarget.h"
#include "tests/updater/UpdaterTestSupport.h"
#include "tests/updater/VarnockFixture.h"
#include "updater/UpdateTextKeys.h"
#include "updater/firmControl.h"

#include <gtest/gtest.h>

#include <QFile>

#include <unistd.h>

using namespace updater_test;

TEST_F(VarnockTest, UpdatesFirmwareAndConnectionManagerAsAdministrator)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "the direct road to administrator rights needs root";
    QTemporaryDir work;
    FlashTarget target(work.filePath("flashed.bin"));
    ASSERT_TRUE(target.start());
    qputenv("VARNOCK_DOWNLOAD_PORT", QFile::encodeName(target.portName()));
    ASSERT_TRUE(modeswitch::ModeSwitchControl(kVarnockBundle + "/Contents/MacOS/Pernask").start());
    ASSERT_TRUE(waitFor([] { return modeswitch::ModeSwitchControl::runningDaemon().has_value(); }));

    SampleContents contents;
    contents.engine = readFile(TRELVAN_BUILD_DIR "/tests/updater/Engine");
    contents.engineScript = engineScriptData(
        {{{0.1, 0}, {0.3, 1}, {0.5, 2}, {0.8, 3}, {1.0, 5}}, 0, work.filePath("engine-run.plist")});
    openSelection(contents);
    downloadChosen(true, true);
    ASSERT_EQ(sheet(), nib().m_MakeSureModemWnd.get());
    grab(nib().m_MakeSureModemWnd.get(), "sheet-keep-power");

    // The connection manager starts while the firmware is written.
    FakeApplication trelvan(work.path(), "Trelvan", connectionManagerIdentifier());
    ASSERT_TRUE(trelvan.start());
    nib().m_MakeSureOKBtn->performClick(nullptr);
    EXPECT_EQ(control_->updateState(), 5);
    EXPECT_FALSE(modeswitch::ModeSwitchControl::runningDaemon());
    ASSERT_TRUE(waitFor([&] { return sheet() == nib().m_CloseUIWnd.get(); }));
    EXPECT_EQ(readFile(work.filePath("flashed.bin")), contents.firmwareImage);
    grab(nib().m_CloseUIWnd.get(), "sheet-close-connection-manager");

    nib().m_CloseUIOK->performClick(nullptr);
    EXPECT_EQ(sheet(), nib().m_CloseUIWnd.get());
    trelvan.stop();
    nib().m_CloseUIOK->performClick(nullptr);
    ASSERT_TRUE(waitFor([&] { return sheet() == nib().m_ReInsertModemWnd.get(); }));
    grab(nib().m_ReInsertModemWnd.get(), "sheet-reinsert");

    EXPECT_EQ(control_->updateState(), 7);
    EXPECT_EQ(control_->selectedModule(), 3);
    QStringList expected;
    for (const QString& key :
         {firmControl::m_progress[1], firmControl::m_progress[0], firmControl::m_progress[15],
          firmControl::m_progress[18], CM_UPDATER_UPDATE_FIRMWARE_SUCCEED_STR, CM_UPDATER_STARTUPDATE_CM_STR,
          CM_UPDATER_UNZIP_PACKAGE_STR, CM_UPDATER_BACKUPVERSION, CM_UPDATER_UPDATE_CM_STR,
          CM_UPDATER_UPDATESUCCESS})
        expected.append(text(key));
    const QStringList lines = nib().m_ProcessInfoView->string().split("\r\n");
    EXPECT_EQ(lines.mid(lines.size() - expected.size()), expected);
    EXPECT_EQ(nib().m_ProcessBar->doubleValue(), 100);
    const std::optional<ns::Dictionary> run =
        ns::PropertyList::readDictionary(work.filePath("engine-run.plist"));
    ASSERT_TRUE(run);
    EXPECT_EQ(run->value("euid").intValue(), 0);

    nib().m_ReInsertModemOK->performClick(nullptr);
    EXPECT_EQ(sheet(), nullptr);
    grab(nib().m_UpdateWnd.get(), "finished");
    nib().m_OKCancelBtn->performClick(nullptr);
    EXPECT_TRUE(quit_.asked);
    EXPECT_FALSE(nib().m_UpdateWnd->isVisible());
    EXPECT_TRUE(waitFor([] { return modeswitch::ModeSwitchControl::runningDaemon().has_value(); }));
}
