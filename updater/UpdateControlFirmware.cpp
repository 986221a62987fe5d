// The firmware step: its start from the keep-power sheet, its progress lines
// and its result, after which the connection manager's package or the end follows.
#include "updater/UpdateControl.h"

#include "updater/UpdatePaths.h"
#include "updater/UpdateTextKeys.h"
#include "updater/firmControl.h"

namespace
{

const QString kFirmwarePackage = QStringLiteral("FirmwareUpdatePackage.zip");

} // namespace

void UpdateControl::MakeSureOK(ns::Object*)
{
    endSheet(m_MakeSureModemWnd.get());
    const std::optional<VerifiedPackage> package = verifiedPackage(kFirmwarePackage, false);
    if (package)
        UnZipFile(package->path);
    else
        AddProcessInfo(MapLangString(CM_UPDATER_UNZIP_FAILED_STR), true);
    m_UpdateState = 5;
    UpdateTextColorFor(m_UpdateState, m_SelectedModule);

    const ns::Dictionary parameters{{QStringLiteral("platform"), m_DeviceType}};
    killMacSwapper();
    if (!package ||
        !m_FirmWareControl->StartUpdateFW(UpdatePaths::localPath(UpdatePaths::kDownloadFolder), parameters))
        UpdateFWResult(0);
}

bool UpdateControl::UpdateFWProcess(double value, int index)
{
    m_ProcessBar->setDoubleValue(value);
    m_ProcessBar->display();
    if (index >= 0 && index < firmControl::kProgressTextCount)
        AddProcessInfo(MapLangString(firmControl::m_progress[index]), true);
    return true;
}

bool UpdateControl::UpdateFWResult(int result)
{
    if (result == 1)
        AddProcessInfo(MapLangString(CM_UPDATER_UPDATE_FIRMWARE_SUCCEED_STR), true);
    else if (result == 0)
        AddProcessInfo(MapLangString(CM_UPDATER_UPDATE_FIRMWARE_FAILED_STR), true);
    if (m_SelectedModule == 2 || m_SelectedModule == 3) {
        installConnectionManager();
        return true;
    }
    finishUpdate();
    beginSheet(m_ReInsertModemWnd.get());
    return true;
}
