#include "updater/UpdateControl.h"

#include "jCommon/UpdateLink.h"
#include "jCommon/Utf8Cut.h"
#include "platform/ae/AppleEventManager.h"
#include "platform/authorization/Authorization.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/Timer.h"
#include "updater/UCInterface.h"
#include "updater/UpdatePaths.h"
#include "updater/UpdateTextKeys.h"
#include "updater/XMLParse.h"
#include "updater/firmControl.h"

#include <QFileInfo>
#include <QtDebug>

#include <cstring>

UpdateControl* pUpdateControl = nullptr;

namespace
{

constexpr double kWaitTimeOutSeconds = 120;

const QString kFlagKey = QStringLiteral("Flag");
const QString kUpdateFileKey = QStringLiteral("UpdateFile");
const QString kCheckStateKey = QStringLiteral("checkstate");

} // namespace

UpdateControl::UpdateControl()
{
    registerSelector(QStringLiteral("clickcheck:"), &UpdateControl::clickcheck);
    registerSelector(QStringLiteral("WaitInfoOK:"), &UpdateControl::WaitInfoOK);
    registerSelector(QStringLiteral("UpdateInfoCancel:"), &UpdateControl::UpdateInfoCancel);
    registerSelector(QStringLiteral("UpdateInfoNext:"), &UpdateControl::UpdateInfoNext);
    registerSelector(QStringLiteral("UpdateSelBack:"), &UpdateControl::UpdateSelBack);
    registerSelector(QStringLiteral("UpdateSelCancel:"), &UpdateControl::UpdateSelCancel);
    registerSelector(QStringLiteral("UpdateSelStartUpdate:"), &UpdateControl::UpdateSelStartUpdate);
    registerSelector(QStringLiteral("UpdateCancelOK:"), &UpdateControl::UpdateCancelOK);
    registerSelector(QStringLiteral("WaitInfoTimeOut:"), &UpdateControl::WaitInfoTimeOut);
    registerSelector(QStringLiteral("UpdateElapseTime:"), &UpdateControl::UpdateElapseTime);
    registerSelector(QStringLiteral("CancelFirmwareUpdate:"), &UpdateControl::CancelFirmwareUpdate);
    registerSelector(QStringLiteral("MakeSureCancel:"), &UpdateControl::MakeSureCancel);
    registerSelector(QStringLiteral("CloseUICancel:"), &UpdateControl::CloseUICancel);
    registerSelector(QStringLiteral("CloseUIOK:"), &UpdateControl::CloseUIOK);
    registerSelector(QStringLiteral("MakeSureOK:"), &UpdateControl::MakeSureOK);
    registerSelector(QStringLiteral("ReInsertModemOK:"), &UpdateControl::ReInsertModemOK);

    LoadCfgFile();
    m_CurLang = QStringLiteral("NULL");
    m_UpdateState = 0;
    m_pUCInterface = std::make_unique<UCInterface>();
    UpdatePaths::ensureDownloadFolder();
    m_XMLParse = XMLParse::initWithFilePath(UpdatePaths::localPath(UpdatePaths::kDescriptionXML));
    m_FirmWareControl = std::make_unique<firmControl>();
    m_pUCInterface->RegisterSelf();
    m_pUCInterface->GetAgent();
    m_pUCInterface->SetFilePath(
        QFile::encodeName(UpdatePaths::localPath(UpdatePaths::kUpdateCfgIni)).constData());
    m_pUCInterface->Init();
    m_haveDevice = false;

    const ns::Bundle& bundle = ns::Bundle::mainBundle();
    if (bundle.infoDictionary().contains(kDataCardBundleNameKey)) {
        kUI_BundleName = bundle.objectForInfoDictionaryKey(kDataCardBundleNameKey).stringValue();
        kNewUI_BundleName = bundle.objectForInfoDictionaryKey(kNewDataCardBundleNameKey).stringValue();
    } else {
        kUI_BundleName = kDefaultDataCardBundleName;
        kNewUI_BundleName = kDefaultNewDataCardBundleName;
    }
    connect(this, this, this);
    pUpdateControl = this;
}

UpdateControl::~UpdateControl()
{
    if (pUpdateControl == this)
        pUpdateControl = nullptr;
    ae::AppleEventManager::sharedAppleEventManager().removeEventHandler(kUpdateEventClass, kUpdateEventID);
    stopWaitTimer();
    stopElapseTimer();
    // A firmware download under way ends first: nothing it reports reaches the controller now.
    m_FirmWareControl.reset();
    m_pUCInterface.reset();
    XMLParse::cleanupXMLParse();
}

void UpdateControl::awakeFromNib()
{
    UpdateNibWording();
    LoadLanguage(QString(), 0);
    m_PackageListView->setTarget(this);
    m_PackageListView->setAction(QStringLiteral("clickcheck:"));
}

void UpdateControl::applicationWillFinishLaunching(const ns::Notification&)
{
    ae::AppleEventManager::sharedAppleEventManager().setEventHandler(
        kUpdateEventClass, kUpdateEventID,
        [this](const ae::AppleEvent& event, ae::AppleEvent& reply) { handleAppleEvent(event, reply); });
    if (modeSwitchControl().isStoppedForUpdate()) {
        qInfo("An earlier update manager left the mode-switch daemon stopped; it is started again");
        startMacSwapper();
    }
}

void UpdateControl::applicationWillTerminate(const ns::Notification&)
{
    if (modeSwitchControl().isStoppedForUpdate())
        startMacSwapper();
}

// ---- the update link ----

void UpdateControl::handleAppleEvent(const ae::AppleEvent& event, ae::AppleEvent&)
{
    if (event.eventClass() != kUpdateEventClass || event.eventID() != kUpdateEventID)
        return;
    const std::optional<ae::Descriptor> parameter = event.paramDescriptor(keyUpdateCommand);
    const std::optional<ns::Value> list =
        parameter ? ns::PropertyList::fromData(parameter->data) : std::nullopt;
    if (!list || !list->isDictionary() || !list->toDictionary().contains(kCMD_ID)) {
        qWarning("An update command without a readable command dictionary is dropped");
        return;
    }
    const ns::Dictionary message = list->toDictionary();
    switch (message.value(kCMD_ID).intValue()) {
    case CMD_ID_INIT:
        handleInitMessage(message);
        break;
    case CMD_ID_UPDATE:
        handleUpdateMessage(message);
        break;
    case CMD_ID_DEVICE_STATE:
        handleDeviceStateMessage(message);
        break;
    case CMD_ID_CLOSE_NET:
    case CMD_ID_CLOSE_UI:
        break; // nobody sends them; they ask for nothing
    case CMD_ID_UE_PROCESS:
        handleUEProcessMessage(message);
        break;
    case CMD_ID_UE_RESULT:
        handleUEResultMessage(message);
        break;
    default:
        qWarning("An update command with an unknown CMD_ID is dropped");
        break;
    }
}

void UpdateControl::handleInitMessage(const ns::Dictionary&)
{
    m_pUCInterface->Init();
}

void UpdateControl::handleUpdateMessage(const ns::Dictionary& message)
{
    if (m_UpdateState != 0) {
        qInfo("An update command while an update is under way is ignored");
        return;
    }
    if (message.contains(kUI_Language))
        LoadLanguage(message.value(kUI_Language).stringValue(), 1);

    _CLIENT_INFO info;
    for (int i = 0; i < _CLIENT_INFO::kFieldCount; ++i) {
        const ns::Value& value = message.value(kClientInfoKeys[i]);
        if (!value.isString())
            continue;
        const QByteArray text = utf8Prefix(value.toString().toUtf8(), _CLIENT_INFO::kFieldSize - 1);
        std::memcpy(info.field(i), text.constData(), size_t(text.size()));
    }

    const int mode = message.value(kUPDATE_MODE).intValue();
    m_UpdateMode = mode;
    if (message.contains(kDEVICE_STATE)) {
        m_haveDevice = message.value(kDEVICE_STATE).boolValue();
        m_DeviceType = message.value(kDEVICE_TYPE).stringValue();
    }
    if (mode == UPDATE_MODE_MANUAL) {
        m_UpdateState = 1;
        m_WaitInfoView->setString(QString());
        m_WaitOKBtn->setTitle(MapLangString(CM_UPDATER_STR_OK));
        m_WaitOKBtn->setEnabled(false);
        m_WaitOKBtnState = true;
        m_WaitInfoCanceled = false;
        stopWaitTimer();
        m_WaitInfoTimeOut = ns::Timer::scheduledTimer(kWaitTimeOutSeconds, this,
                                                      QStringLiteral("WaitInfoTimeOut:"), ns::Value(), true);
        m_WaitWnd->makeKeyAndOrderFront(nullptr);
    }
    m_pUCInterface->Update(_UpdateMode(mode), info);
}

void UpdateControl::handleDeviceStateMessage(const ns::Dictionary& message)
{
    m_haveDevice = message.value(kDEVICE_STATE).boolValue();
    if (m_haveDevice) {
        m_DeviceType = message.value(kDEVICE_TYPE).stringValue();
        m_FirmwareVersion = message.value(kFW_VERSION).stringValue();
        if (m_FirmwareCancelWnd->isSheet() && HaveCompatibleDevice()) {
            endSheet(m_FirmwareCancelWnd.get());
            beginSheet(isConnectionManagerRunning() ? m_CloseUIWnd.get() : m_MakeSureModemWnd.get());
        }
    } else {
        m_DeviceType.clear();
        m_FirmwareVersion.clear();
    }
}

// ---- the check ----

void UpdateControl::HaveNewVersion()
{
    if (m_WaitInfoCanceled && m_UpdateMode == UPDATE_MODE_MANUAL) {
        qInfo("The answer to a check whose wait has ended is ignored");
        return;
    }
    stopWaitTimer();
    m_WaitOKBtnState = true;
    m_WaitOKBtn->setTitle(MapLangString(CM_UPDATER_STR_OK));

    if (!QFileInfo::exists(UpdatePaths::localPath(UpdatePaths::kDescriptionXML))) {
        const bool waiting = m_UpdateState == 1;
        ResetUpdateProcess();
        if (waiting)
            showCheckFailed();
        return;
    }
    writeDateTimeToPlist();
    m_DescriptDic.removeAll();
    m_XMLParse->getUpdateInfo(m_DescriptDic);

    if (m_DescriptDic.contains(kFlagKey)) {
        if (m_UpdateState != 1 || !m_WaitWnd->isVisible())
            return;
        static const QString flagTexts[] = {
            CM_UPDATER_CHECK_VERSION_FAILED_STR, CM_UPDATER_CHECKSTATE_ILLEGAL_ID_STR,
            CM_UPDATER_CHECKSTATE_NOTFOUND_PACKAGE_STR, CM_UPDATER_CHECKSTATE_NOTFOUND_VERSION_STR};
        const int flag = m_DescriptDic.value(kFlagKey).intValue();
        if (flag >= 0 && flag < int(std::size(flagTexts)))
            m_WaitInfoView->setString(MapLangString(flagTexts[flag]));
        m_WaitOKBtn->setEnabled(true);
        return;
    }

    reconcileKeptDownloads();
    ParseUpdatePackageInfo();
    if (m_UpdateState == 1 && m_WaitWnd->isVisible())
        m_WaitWnd->orderOut(nullptr);
    if (m_UpdateState != 0 && m_UpdateState != 1)
        return;
    m_UpdateState = 2;
    m_PackageInfoView->setString(m_PackageInfo);
    m_PackageListView->reloadData();
    m_UpdateBtn->setEnabled(hasTickedPackage());
    m_UpdateInfoWnd->makeKeyAndOrderFront(nullptr);
}

void UpdateControl::ParseUpdatePackageInfo()
{
    m_PackageInfo = MapLangString(CM_UPDATER_CONFIRM_UPDATE_STR) + QStringLiteral("\r\n\r\n") +
                    QStringLiteral("%1:%2\r\n")
                        .arg(MapLangString(CM_UPDATER_VERSION_STR),
                             m_DescriptDic.value(QStringLiteral("Version")).stringValue()) +
                    QStringLiteral("%1:%2\r\n")
                        .arg(MapLangString(CM_UPDATER_DESCRIPTION_STR),
                             m_DescriptDic.value(QStringLiteral("Description")).stringValue());
    m_PackageDeviceType = m_DescriptDic.value(QStringLiteral("Device")).stringValue();
    m_PackageList.clear();
    for (const ns::Value& entry : m_DescriptDic.value(kUpdateFileKey).toArray()) {
        ns::Dictionary row = entry.toDictionary().copy();
        row.setValue(kCheckStateKey, true);
        m_PackageList.append(row);
    }
}

void UpdateControl::ManualUpdateState(int state)
{
    if (m_UpdateState == 0 || m_WaitInfoCanceled)
        return;
    static const QString stateTexts[] = {
        CM_UPDATER_CHECKSTATE_LOCALVERSION_STR,   CM_UPDATER_CHECKSTATE_SERVICEVERSION_STR,
        CM_UPDATER_CHECKSTATE_DOWNLOADING_STR,    CM_UPDATER_CHECKSTATE_DOWNLOADSUCCEED_STR,
        CM_UPDATER_CHECKSTATE_DOWNLOADFAILED_STR, CM_UPDATER_CHECKSTATE_DOWNLOADREFUSED_STR,
        CM_UPDATER_CHECKSTATE_NODOWNLOAD_STR};
    if (state < 1 || state > 7)
        return;
    m_WaitInfoView->setString(MapLangString(stateTexts[state - 1]));
    if (state >= 5) {
        stopWaitTimer();
        m_WaitOKBtn->setTitle(MapLangString(CM_UPDATER_STR_OK));
        m_WaitOKBtn->setEnabled(true);
    }
}

void UpdateControl::WaitInfoTimeOut(ns::Timer*)
{
    // Two minutes without an answer: the check has failed, and an answer that
    // still comes is not shown.
    stopWaitTimer();
    if (m_UpdateState != 1)
        return;
    m_WaitInfoCanceled = true;
    showCheckFailed();
}

void UpdateControl::showCheckFailed()
{
    m_WaitInfoView->setString(MapLangString(CM_UPDATER_CHECK_VERSION_FAILED_STR));
    m_WaitOKBtn->setTitle(MapLangString(CM_UPDATER_STR_OK));
    m_WaitOKBtn->setEnabled(true);
}

void UpdateControl::WaitInfoOK(ns::Object*)
{
    if (!m_WaitOKBtnState)
        m_WaitInfoCanceled = true;
    stopWaitTimer();
    m_WaitWnd->orderOut(nullptr);
    if (m_UpdateState == 1)
        m_UpdateState = 0;
}

void UpdateControl::stopWaitTimer()
{
    if (m_WaitInfoTimeOut)
        m_WaitInfoTimeOut->invalidate();
    m_WaitInfoTimeOut.reset();
}

// ---- the information and selection windows ----

void UpdateControl::UpdateInfoNext(ns::Object*)
{
    m_UpdateInfoWnd->orderOut(nullptr);
    m_InfoView->setString(QString());
    m_PackageListView->deselectAll(nullptr);
    m_PackageListView->reloadData();
    m_ModuleSelWnd->makeKeyAndOrderFront(nullptr);
    m_UpdateState = 3;
}

void UpdateControl::UpdateInfoCancel(ns::Object*)
{
    m_pUCInterface->RefuseDownload();
    m_UpdateInfoWnd->orderOut(nullptr);
    ResetUpdateProcess();
}

void UpdateControl::UpdateSelBack(ns::Object*)
{
    m_ModuleSelWnd->orderOut(nullptr);
    m_UpdateInfoWnd->makeKeyAndOrderFront(nullptr);
    m_UpdateState = 2;
}

void UpdateControl::UpdateSelCancel(ns::Object*)
{
    m_pUCInterface->RefuseDownload();
    m_ModuleSelWnd->orderOut(nullptr);
    ResetUpdateProcess();
}

void UpdateControl::ResetUpdateProcess()
{
    switch (m_UpdateState) {
    case 1:
        m_UpdateState = 0;
        return;
    case 4:
    case 5:
    case 6:
        stopElapseTimer();
        m_StartTime = QDateTime();
        m_ProcessBar->setDoubleValue(0);
        [[fallthrough]];
    case 2:
    case 3:
        m_DescriptDic.removeAll();
        m_SelectDic.removeAll();
        m_PackageList.clear();
        m_PackageListView->reloadData();
        m_PackageInfoView->setString(QString());
        m_PackageInfo.clear();
        m_UpdateState = 0;
        return;
    default:
        return;
    }
}
