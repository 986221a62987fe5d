// The low-power mode of the builds that have it: when the main window has
// stayed miniaturised for the configured time and the line is idle or has
// carried little data, the device goes off-line; when the window comes back
// it goes on-line again.
#include "device/MainController.h"

#include "app/interfaces/CompoundCallControlling.h"
#include "app/interfaces/DialControlling.h"
#include "device/InitController.h"
#include "device/NibControls.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/TabView.h"

namespace
{

const QString kLPMinfo = QStringLiteral("LPMinfo");
// Its presence switches the mode on, whatever its value.
const QString kHasLPMmode = QStringLiteral("hasLPMmode");
// Seconds miniaturised before the check.
const QString kEnterLPMTime = QStringLiteral("enterLPMTime");
// Kilobytes of traffic up to which a connection counts as little used.
const QString kEnterLPMData = QStringLiteral("enterLPMData");
// The user's choice, kept with the settings.
const QString kLPMState = QStringLiteral("btnLPMBState");

} // namespace

void MainController::buildLowPowerSwitch()
{
    const int system = tabViewModuleTabSetting_->indexOfTabViewItemWithIdentifier(QStringLiteral("System"));
    btnLPMStatus_ = nib::makeCheckBox(ns::Rect(16, 220, 340, 22), this, QStringLiteral("switchLPMStatus:"));
    btnLPMStatus_->setTitle(wording(QStringLiteral("Low power mode")));
    tabViewModuleTabSetting_->tabViewItemAtIndex(system)->view()->addSubview(btnLPMStatus_);
    const ns::Value stored = configStore().getConfigurationByModuleAndKey(kLPMinfo, kLPMState);
    btnLPMStatus_->setState(stored.isNull() || stored.boolValue() ? ns::OnState : ns::OffState);
    btnLPMStatus_->setHidden(configStore().getConfigurationByModuleAndKey(kLPMinfo, kHasLPMmode).isNull());
}

void MainController::switchLPMStatus(ns::Object*)
{
    if (configStore().getConfigurationByModule(kLPMinfo).isNull())
        return;
    configStore().setConfigurationByModuleKeyAndValue(kLPMinfo, kLPMState,
                                                      btnLPMStatus_->state() != ns::OffState);
    configStore().writeToFile();
}

bool MainController::isLPMActive() const
{
    return !configStore().getConfigurationByModuleAndKey(kLPMinfo, kHasLPMmode).isNull() &&
           btnLPMStatus_->state() != ns::OffState;
}

void MainController::scheduleCheckLPM()
{
    if (!isLPMActive())
        return;
    releaseTimerCheckLPM();
    const double delay = configStore().getConfigurationByModuleAndKey(kLPMinfo, kEnterLPMTime).doubleValue();
    timerCheckLPM_ = ns::Timer::scheduledTimer(delay, this, QStringLiteral("checkLPM:"), ns::Value(), false);
}

void MainController::checkLPM(ns::Timer*)
{
    // The one-shot timer is spent.
    timerCheckLPM_.reset();
    if (configStore().getConfigurationByModuleAndKey(kLPMinfo, kHasLPMmode).isNull())
        return;
    if (g_CompoundCallController && g_CompoundCallController->callStage() != 0)
        return;
    const int status = g_DialController ? g_DialController->connectStatus() : DialControlling::Idle;
    const double total = g_DialController ? g_DialController->getCurrentTotalData() : 0;
    const double limit = configStore().getConfigurationByModuleAndKey(kLPMinfo, kEnterLPMData).floatValue();
    const bool offline =
        status == DialControlling::Idle || (status == DialControlling::Connected && limit * 1024 >= total);
    if (offline && g_InitController) {
        qInfo("Low-power mode: taking the device off-line (state %d, %.0f bytes)", status, total);
        g_InitController->setDeviceOffline();
    }
}

void MainController::leaveLPM()
{
    // On-line whether or not the check took the device off-line.
    if (!isLPMActive())
        return;
    releaseTimerCheckLPM();
    if (g_InitController)
        g_InitController->setDeviceOnline();
}

void MainController::releaseTimerCheckLPM()
{
    if (!timerCheckLPM_)
        return;
    timerCheckLPM_->invalidate();
    timerCheckLPM_.reset();
}
