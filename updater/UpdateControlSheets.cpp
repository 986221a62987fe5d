// After the download: the sheets that lead to the firmware and the connection
// manager's installation, the installer tool's reports and the end.
#include "updater/UpdateControl.h"

#include "jCommon/UpdateLink.h"
#include "updater/UpdateTextKeys.h"

namespace
{

bool hasFirmware(int module)
{
    return module == 1 || module == 3;
}

} // namespace

void UpdateControl::continueAfterDownload()
{
    switch (m_SelectedModule) {
    case 1:
    case 3:
        if (!HaveCompatibleDevice())
            beginSheet(m_FirmwareCancelWnd.get());
        else
            beginSheet(isConnectionManagerRunning() ? m_CloseUIWnd.get() : m_MakeSureModemWnd.get());
        return;
    case 2:
        installConnectionManager();
        return;
    default:
        return;
    }
}

bool UpdateControl::HaveCompatibleDevice() const
{
    return m_haveDevice && m_DeviceType == m_PackageDeviceType;
}

bool UpdateControl::isConnectionManagerRunning() const
{
    return isProcExist(kUI_BundleName) || isProcExist(kNewUI_BundleName);
}

void UpdateControl::beginSheet(ns::Window* sheet)
{
    if (!ns::Application::sharedApplication().beginSheet(sheet, m_UpdateWnd.get()))
        qWarning("A sheet cannot be shown: the update window has another");
}

void UpdateControl::endSheet(ns::Window* sheet)
{
    sheet->orderOut(nullptr);
    ns::Application::sharedApplication().endSheet(sheet);
}

void UpdateControl::finishUpdate()
{
    m_UpdateState = 7;
    UpdateTextColorFor(m_UpdateState, m_SelectedModule);
    m_OKCancelBtn->setEnabled(true);
    m_OKCancelBtn->setTitle(MapLangString(CM_UPDATER_STR_OK));
}

void UpdateControl::connectionManagerPath()
{
    m_SelectedModule = 2;
    installConnectionManager();
}

// ---- the sheets' answers ----

void UpdateControl::sheetCancelled(ns::Window* sheet)
{
    endSheet(sheet);
    if (m_SelectedModule == 3) {
        connectionManagerPath();
        return;
    }
    m_SelectedModule = 0;
    finishUpdate();
}

void UpdateControl::CancelFirmwareUpdate(ns::Object*)
{
    sheetCancelled(m_FirmwareCancelWnd.get());
}

void UpdateControl::MakeSureCancel(ns::Object*)
{
    sheetCancelled(m_MakeSureModemWnd.get());
}

void UpdateControl::CloseUICancel(ns::Object*)
{
    sheetCancelled(m_CloseUIWnd.get());
}

void UpdateControl::CloseUIOK(ns::Object*)
{
    if (isConnectionManagerRunning())
        return;
    endSheet(m_CloseUIWnd.get());
    // The firmware comes first unless it has been written already.
    if (hasFirmware(m_SelectedModule) && m_UpdateState == 4)
        beginSheet(m_MakeSureModemWnd.get());
    else
        installConnectionManager();
}

void UpdateControl::ReInsertModemOK(ns::Object*)
{
    endSheet(m_ReInsertModemWnd.get());
}

// ---- the installer tool's reports ----

void UpdateControl::handleUEProcessMessage(const ns::Dictionary& message)
{
    UpdateUIProcess(message.value(kUPDA_PROCESS).doubleValue(), message.value(kUPDA_STATE).intValue());
}

void UpdateControl::handleUEResultMessage(const ns::Dictionary& message)
{
    UpdateUIResult(message.value(kUPDA_RESULT).intValue());
}

void UpdateControl::UpdateUIProcess(double process, int processState)
{
    m_ProcessBar->setDoubleValue(100 * process);
    m_ProcessBar->display();
    static const QString stateTexts[] = {CM_UPDATER_STARTUPDATE_CM_STR, CM_UPDATER_UNZIP_PACKAGE_STR,
                                         CM_UPDATER_BACKUPVERSION,      CM_UPDATER_UPDATE_CM_STR,
                                         CM_UPDATER_STARTROLLBACK_STR,  CM_UPDATER_UPDATESUCCESS};
    if (processState >= 0 && processState < int(std::size(stateTexts)))
        AddProcessInfo(MapLangString(stateTexts[processState]), true);
}

void UpdateControl::UpdateUIResult(int result)
{
    QString failure;
    switch (result) {
    case 1:
    case 2:
    case 5:
        failure = CM_UPDATER_UPDATE_CM_FAILED_STR;
        break;
    case 3:
        failure = CM_UPDATER_UNZIP_FAILED_STR;
        break;
    case 4:
        failure = CM_UPDATER_BACKUPVERSION_FAILED;
        break;
    case 6:
        failure = CM_UPDATER_ROLLBACK_FAILED_STR;
        break;
    default:
        break;
    }
    if (!failure.isEmpty()) {
        AddProcessInfo(MapLangString(failure), true);
        m_SelectedModule = m_SelectedModule == 3 ? 1 : 0;
    }
    m_ProcessBar->setDoubleValue(100);
    finishUpdate();
    beginSheet(m_ReInsertModemWnd.get());
}
