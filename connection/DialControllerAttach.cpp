// The packet-domain attach before a PPP connect: with "PSDomainSettings" the
// device attaches first (0x0102/76 with 2), the connect follows its answer
// (0x0102/64), and the end of the connection detaches again (with 0).
#include "connection/DialController.h"

#include "app/interfaces/SettingControlling.h"
#include "jCommon/ConnectionMessages.h"
#include "jCommon/PayloadWriter.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ComboBox.h"

namespace
{

const QString kInternet = QStringLiteral("Internet");
const QString kPSDomainSettings = QStringLiteral("PSDomainSettings");
constexpr double kDefaultAttachDelay = 3.0;

// The attach request's second word.
constexpr int32_t kAttach = 2;
constexpr int32_t kDetach = 0;

QByteArray attachPayload(int32_t action)
{
    const int32_t mode = g_SettingController ? g_SettingController->getNetworkMode() : 0;
    return PayloadWriter(8).setInt32(0, mode).setInt32(4, action).bytes();
}

} // namespace

void DialController::checkIsAttachPSForConnect()
{
    if (!configFlag(kInternet, kPSDomainSettings)) {
        DialConnect();
        return;
    }
    const ns::Value interval =
        configStore().getConfigurationByModuleAndKey(kInternet, QStringLiteral("AttachPSInterval"));
    willConnectToInternet_ = true;
    setConnectStateText(QStringLiteral("Init"));
    if (m_DialConfigList)
        m_DialConfigList->setEnabled(false);
    ns::performSelectorAfterDelay(this, QStringLiteral("attachPS"), nullptr,
                                  interval.isNull() ? kDefaultAttachDelay : interval.doubleValue());
}

void DialController::attachPS()
{
    bAttatchPS_ = true;
    sendDialMessage(msg::connection::kAttachPS.majorID, msg::connection::kAttachPS.minorID,
                    attachPayload(kAttach));
}

void DialController::deattachPS()
{
    bAttatchPS_ = false;
    sendDialMessage(msg::connection::kAttachPS.majorID, msg::connection::kAttachPS.minorID,
                    attachPayload(kDetach));
}

void DialController::dealWithSetNetworkModeResult(ns::Notification* notification)
{
    _UI_MSG msg;
    if (!readRecord(notification, &msg) || !willConnectToInternet_ || connectStatus_ != Idle ||
        !configFlag(kInternet, kPSDomainSettings))
        return;
    willConnectToInternet_ = false;
    if (msg.result == kResultSuccess) {
        DialConnect();
        return;
    }
    // The device refused to attach: no connect follows, so the controls the
    // attach held back are the user's again.
    bAttatchPS_ = false;
    setConnectStateText(QStringLiteral("Idle"));
    if (m_DialConfigList)
        m_DialConfigList->setEnabled(true);
    setConnectBtnEnable(true);
}

void DialController::checkISDetatchPS()
{
    if (!configFlag(kInternet, kPSDomainSettings) || !bAttatchPS_)
        return;
    willConnectToInternet_ = false;
    deattachPS();
}
