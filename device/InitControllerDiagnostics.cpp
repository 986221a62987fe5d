// What the diagnostics window shows and does: its values from the device's
// identity and state, the computer and the other features; the dictionary
// of those values for "prepareDiagInfo"; the text file; the modem logs; the
// report SMS; clearing the device's values when it goes.
#include "device/DiagnosticsLines.h"
#include "device/InitConfigModules.h"
#include "device/InitController.h"

#include "app/config/ConfigFileKeys.h"
#include "app/interfaces/DialControlling.h"
#include "app/interfaces/PhonebookControlling.h"
#include "app/interfaces/SMSControlling.h"
#include "app/interfaces/SettingControlling.h"
#include "app/log/KLog.h"
#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/controller/RuntimeKeys.h"
#include "device/GetSystemInfo.h"
#include "device/InitService.h"
#include "jCommon/DeviceMessages.h"
#include "platform/ns/AtomicFile.h"
#include "platform/ns/Bundle.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/Workspace.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

using namespace init_config;

namespace
{

// The card status of the SMS feature that means no usable device.
constexpr int kNoNetCard = 1;

// The modem logs, opened in this order.
constexpr const char* kLogFiles[] = {"at_read.log", "at_write.log", "at_Modem_read.log",
                                     "at_Modem_write.log"};

QString textOf(const ns::TextField* field)
{
    return field ? field->stringValue() : QString();
}

} // namespace

void InitController::prepareForDicDiagWindowInfo(ns::TextField* field, const QString& key)
{
    dicDiagWindowInfo_.setValue(key, field ? field->stringValue() : QStringLiteral(""));
}

void InitController::showDiagLine(const char* name, const QString& value)
{
    ns::TextField* field = diagValueField(QString::fromLatin1(name));
    if (!field)
        return;
    // A missing value shows as empty.
    field->setStringValue(value.isNull() ? QStringLiteral("") : value);
    if (const DiagLine* line = diagLineNamed(QString::fromLatin1(name)); line && line->dictionaryKey)
        prepareForDicDiagWindowInfo(field, QString::fromLatin1(line->dictionaryKey));
}

void InitController::showDiagnosticInfo()
{
    GetSystemInfo& system = GetSystemInfo::sharedGetSystemInfo();
    showDiagLine("SoftwareVersion",
                 ns::Bundle::mainBundle()
                     .objectForInfoDictionaryKey(QStringLiteral("CFBundleShortVersionString"))
                     .toString());
    showDiagLine("DriverVersion", getDriverVersion());
    showDiagLine("PCModel", system.getPCModel());
    showDiagLine("OSVer", system.getOSVersion());
    showDiagLine("OSLang", system.getOSLanguage());
    showDiagLine("ManuName", localized(QStringLiteral("the name of Manufacturer")));
    showDiagLine("ManuHomePage", localized(QStringLiteral("the web site of Manufacturer")));
    // Without a device the device, SIM and network values stay as they were.
    if (g_SMSController && g_SMSController->getNetCardStatus() == kNoNetCard)
        return;

    const ns::Value imei = runtimeObjectForKey(kRTIMEI);
    if (imei.isString()) {
        showDiagLine("IMEI", imei.toString());
        textImeiInDiagnostics_->setStringValue(imei.toString());
        prepareForDicDiagWindowInfo(textImeiInDiagnostics_, QStringLiteral("IMEI"));
    }
    showDiagLine("FWV", m_FWVersion);
    showDiagLine("HWV", m_HWVersion);
    showDiagLine("CNum", getPhoneNum());
    refreshDiagIMSI(true);
    showDiagLine("SerialNum", m_SerialNumber);
    showDiagLine("DeviceName", m_Devicemodel);
    showDiagLine("sms", g_SMSController ? g_SMSController->getDiagnosticsSMS() : QString());
    showDiagLine("contact", g_PBController ? g_PBController->getDiagnosticsContact() : QString());
    showNetworkNameInDiagnostic();
    showDiagLine("PinStatus", g_SettingController ? g_SettingController->getPinStatus() : QString());
    showDiagLine("NetworkMode",
                 g_SettingController ? g_SettingController->getNetworkSelectionMode() : QString());
    showDiagLine("PreferredMode",
                 g_SettingController ? g_SettingController->getNetworkFindModeSelection() : QString());
    QString signal = m_SignalStrength != 0 ? QString::number(m_SignalStrength) : QString();
    if (const QString measured = InitService::sharedInitService().signalStrength(); !measured.isEmpty())
        signal = measured;
    showDiagLine("SignalStrength", signal);
    const QString registered = localized(QStringLiteral("Registration"));
    const QString notRegistered = localized(QStringLiteral("Not Registration"));
    showDiagLine("CSRegistration", hasCSDomain() ? registered : notRegistered);
    showDiagLine("PSRegistration", hasPSDomain() ? registered : notRegistered);
    const bool dialling = g_DialController && g_DialController->GetisDialNow();
    showDiagLine("PSAttachment",
                 localized(dialling ? QStringLiteral("Attached") : QStringLiteral("Detached")));
    showDiagLine("APN", g_DialController ? g_DialController->getDefaultProfileAPN() : QString());

    tfdDiagRSCP_->setStringValue(rscp_);
    tfdDiagRSSI_->setStringValue(rssi_);
    prepareForDicDiagWindowInfo(tfdDiagRSSI_, QStringLiteral("RSSI"));
    tfdDiagECNO_->setStringValue(ecno_);
    labelSmsCenter_->setStringValue(g_SettingController ? g_SettingController->readMessageCenter()
                                                        : QStringLiteral(""));
    prepareForDicDiagWindowInfo(labelSmsCenter_, QStringLiteral("MessageCenterNumber"));
    lalbelTechnology_->setStringValue(localized(networkName_));
    tfdDiagIccid->setStringValue(iccid_);
    const std::pair<ns::TextField*, const QString*> cellDetails[] = {
        {tfdDiagRAC_, &diagRAC_},         {tfdDiagRXqual_, &diagRXqual_},
        {tfdDiagRXlev_, &diagRXlev_},     {tfdDiagFrequency_, &diagFrequency_},
        {tfdDiagChannel_, &diagChannel_},
    };
    for (const auto& [field, value] : cellDetails)
        field->setStringValue(*value);
    prepareForDicDiagWindowInfo(diagValueField(QStringLiteral("SerCell")), QStringLiteral("CellID"));
}

void InitController::refreshDiagIMSI(bool ask)
{
    const bool askDevice = configFlag(kSetting, QStringLiteral("CheckIMSIForDiag"));
    if (askDevice && ask) {
        checkIMSI();
        return;
    }
    if (askDevice == ask || m_IMSI.isNull())
        return;
    diagValueField(QStringLiteral("IMSI"))->setStringValue(m_IMSI);
}

void InitController::checkIMSI()
{
    if (jovMsgCenter)
        jovMsgCenter->sendMessageModuleID(kModuleInit, msg::device::kCheckCIMI.majorID,
                                          msg::device::kCheckCIMI.minorID, kTypeRequest, 0);
}

void InitController::setIMEINumInDiagWindow()
{
    textImeiInDiagnostics_->setStringValue(runtimeObjectForKey(kRTIMEI).toString());
}

void InitController::showNetworkNameInDiagnostic()
{
    const QString unknown = localized(QStringLiteral("unknown"));
    if (configFlag(kInit, QStringLiteral("DisPlayBelonetoSPNAtDiagWin"))) {
        showDiagLine("NetworkName", m_SPN.isEmpty() ? unknown : m_SPN);
        return;
    }
    const QString local = textOf(m_NameOfLocalSPN);
    showDiagLine("NetworkName", local.isEmpty() ? unknown : local);
    if (local.isEmpty())
        displaySPNNameAtDiagWindow();
}

void InitController::displaySPNNameAtDiagWindow()
{
    const QString home = textOf(m_NameOfBelonetoSPN);
    if (configFlag(kInternet, QStringLiteral("DisPlaySPNAtDiagWin")) && !home.isEmpty())
        showDiagLine("NetworkName", home);
}

void InitController::clearDiagWindow()
{
    diagValueField(QStringLiteral("IMEI"))->setStringValue(QStringLiteral(""));
    // After a cancelled unlock the IMEI stays readable once.
    if (cancelUnlockbtnFlag_)
        cancelUnlockbtnFlag_ = false;
    else
        textImeiInDiagnostics_->setStringValue(QStringLiteral(""));
    for (const char* name : {"FWV", "HWV", "CNum", "IMSI", "SerialNum", "DeviceName", "sms", "contact",
                             "PinStatus", "NetworkName", "NetworkMode", "SignalStrength", "CSRegistration",
                             "PSRegistration", "PSAttachment", "PreferredMode", "SerCell"})
        diagValueField(QString::fromLatin1(name))->setStringValue(QStringLiteral(""));
    // The number belonged to the SIM that went.
    tfdDiagMSISDN_->setStringValue(QStringLiteral(""));
}

void InitController::prepareToShowDiagWindow(ns::Notification*)
{
    showDiagnosticInfo();
    ns::NotificationCenter::defaultCenter().postNotificationName(QStringLiteral("diagInfo"), this,
                                                                 dicDiagWindowInfo_);
}

QString InitController::diagInfoFileText() const
{
    QList<DiagTextLine> lines;
    for (const DiagLine& line : diagLines()) {
        const DiagRow row = diagLineRows_.value(QString::fromLatin1(line.name));
        DiagTextLine text{textOf(row.caption), std::nullopt, line.heading};
        if (row.value)
            text.value = row.value->stringValue();
        lines.append(text);
    }
    return diagInfoText(lines);
}

void InitController::OpenDiagInfoInTextEdit(ns::Object*)
{
    const QString path = configStore().configFilePathOfKey(kCMDiagInfoFile);
    if (path.isEmpty() || !ns::writeFileAtomically(path, diagInfoFileText().toUtf8())) {
        qWarning("The diagnostics could not be written to %s", qPrintable(path));
        return;
    }
    // The desktop's program for text files stands for the system's text editor.
    if (!ns::Workspace::sharedWorkspace().openFile(path))
        qWarning("No program opened %s", qPrintable(path));
}

void InitController::showLogs(ns::Object*)
{
    // The folder the log writer uses, whether or not the settings name one.
    const QString folder = KLog::folderOf(configStore());
    bool opened = false;
    for (const char* name : kLogFiles)
        opened |= ns::Workspace::sharedWorkspace().openFile(QDir(folder).filePath(QString::fromLatin1(name)));
    // Before anything was logged there is no file: the folder shows where they go.
    if (!opened &&
        !(QFileInfo(folder).isDir() && ns::Workspace::sharedWorkspace().openURL(QUrl::fromLocalFile(folder))))
        qInfo("No modem log to show in %s", qPrintable(folder));
}

void InitController::openAboutURL(ns::Object*)
{
    openSafari(localized(QStringLiteral("STRING_ABOUT_URL")));
}

void InitController::sendReport(ns::Object*)
{
    const QString recipient = settingDict_.value(QStringLiteral("SendReportTo")).toString();
    if (recipient.isEmpty() || !g_SMSController)
        return;
    ReportSmsFields fields;
    fields.cellId = textOf(labelRssiLacCiWindowCiValue_);
    fields.lac = textOf(labelRssiLacCiWindowLacValue_);
    fields.rssi = textOf(tfdDiagRSSI_);
    fields.rscp = textOf(tfdDiagRSCP_);
    fields.ecno = textOf(tfdDiagECNO_);
    fields.psAttachment = textOf(diagValueField(QStringLiteral("PSAttachment")));
    fields.apn = textOf(diagValueField(QStringLiteral("APN")));
    fields.deviceName = textOf(diagValueField(QStringLiteral("DeviceName")));
    setReportSendFlag(true);
    g_SMSController->sendSmsTo(recipient, reportSmsText(fields), false, true, false);
}
