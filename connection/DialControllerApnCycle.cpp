// The APN cycle: after a failed connect the other profiles are tried one
// after another. And the connect controls and the automatic connection
// following the device's packet-domain status.
#include "connection/DialController.h"

#include "app/interfaces/SettingControlling.h"
#include "connection/ApnCycleList.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/TextField.h"

namespace
{

const QString kInternet = QStringLiteral("Internet");

} // namespace

bool DialController::isDefaultAPN() const
{
    return m_IndexOfComboBoxSelectionNow <= switches_.readDefaultProfileNum();
}

void DialController::apnCycleStart()
{
    if (!apnCycleEnabled_ || !configFlag(kInternet, QStringLiteral("apnCycle")))
        return;
    if (configFlag(kInternet, QStringLiteral("noApnCyleWhenCurrentIsUserApn")) && !isDefaultAPN())
        return;
    if (!apnCycleArray.isEmpty())
        return;
    const int current =
        (m_DialConfigList ? m_DialConfigList->indexOfSelectedItem() : m_IndexOfComboBoxSelectionNow) - 1;
    const int total =
        configStore().getConfigurationByModuleAndKey(kInternet, QStringLiteral("apnCycleTotal")).intValue();
    const ns::Value times =
        configStore().getConfigurationByModuleAndKey(kInternet, QStringLiteral("apnCycleTimes"));
    apnCycleArray =
        apn_cycle::cycleList(current, total, dialConfigArray.count(),
                             times.isNull() ? std::nullopt : std::optional<int>(times.intValue()));
    if (apnCycleArray.isEmpty())
        return;
    apnCycleCurrentAPN = 0;
    setCurrentProfile();
}

bool DialController::apnCycleTryNext()
{
    if (apnCycleArray.isEmpty())
        return false;
    // Past the end the position stays put: the list lives on until the cycle ends.
    if (apnCycleCurrentAPN + 1 >= apnCycleArray.size())
        return false;
    ++apnCycleCurrentAPN;
    dialConfigListSelectItemAtIndex(apnCycleArray.at(apnCycleCurrentAPN) + 1);
    setCurrentProfile();
    // The polls already on their way were asked before this connect: their
    // answers still tell of the attempt that failed.
    apnCycleStaleAnswers_ = pppStatusAnswersDue_;
    return true;
}

bool DialController::apnCycleTakesStatus()
{
    if (apnCycleStaleAnswers_ == 0)
        return true;
    --apnCycleStaleAnswers_;
    return false;
}

bool DialController::apnCycleLastTry() const
{
    return apnCycleArray.isEmpty() || apnCycleCurrentAPN >= apnCycleArray.size() - 1;
}

void DialController::apnCycleEnd()
{
    apnCycleArray.clear();
    apnCycleCurrentAPN = 0;
    apnCycleStaleAnswers_ = 0;
}

bool DialController::checkIsAutoConnectOnline() const
{
    return !configFlag(kInternet, QStringLiteral("NotAutoConnectOnline")) || hadConnectAction_;
}

void DialController::setPSDomainStatus(bool attached)
{
    const bool wasAttached = bLastPSDomain_;
    bLastPSDomain_ = attached;
    const bool buttonEnabled = m_ConnectButton && m_ConnectButton->isEnabled();
    const bool keepButtonOnDetach =
        configFlag(kInternet, QStringLiteral("DoNotCheckPSDomainWhileAutoConnect"));

    if (attached) {
        if (!isDoingConnect() && (!buttonEnabled || !wasAttached) && !willConnectToInternet_) {
            setConnectBtnEnable(true);
            const bool blocked =
                configFlag(kInternet, QStringLiteral("noNeedAutoConnectIfHadManualDisconnect")) &&
                hadDoManualDisconnect();
            if (!blocked && !wasAttached && checkIsAutoConnectOnline() && g_SettingController &&
                g_SettingController->allowAutoConnect())
                reconnect(true);
        }
        if (connectStatus_ != Idle)
            return;
        setConnectStateText(QStringLiteral("Idle"));
        setConnectStateForZudera(0);
        return;
    }

    if (connectStatus_ == Idle && m_ConnectState)
        m_ConnectState->setStringValue(QString());
    if (buttonEnabled) {
        // Idle: nothing to connect over any more. Otherwise a connection
        // exists or is being made and keeps its controls.
        if (connectStatus_ == Idle) {
            if (!keepButtonOnDetach)
                setConnectBtnEnable(false);
            hadConnectAction_ = false;
        }
        return;
    }
    if (isDoingConnect() || !keepButtonOnDetach || isDeviceRemoved)
        return;
    setConnectBtnEnable(true);
}
