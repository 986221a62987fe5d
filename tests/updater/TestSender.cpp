#include "tests/updater/TestSender.h"

#include "jCommon/UpdateLink.h"
#include "platform/ae/AESend.h"
#include "platform/ns/PropertyList.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace updater_test
{

ae::OSErr sendUpdateCommand(const ns::Dictionary& command, Delivery delivery)
{
    ae::AppleEvent event(kUpdateEventClass, kUpdateEventID,
                         ae::Descriptor::fromBundleIdentifier(kUpdaterBundleIdentifier));
    event.setParamDescriptor(keyUpdateCommand,
                             ae::Descriptor{typeUpdateCommand, ns::PropertyList::toXml(command)});
    if (delivery == Delivery::WaitHandled)
        return ae::AESend(event, nullptr, ae::kAEWaitReply, ae::kAEHighPriority, ae::kAEDefaultTimeout);
    return ae::AESend(event, nullptr, ae::kAENoReply, ae::kAEHighPriority, 1);
}

ns::Dictionary sampleLocalInfo()
{
    return ns::Dictionary{
        {kOS, "Linux"},
        {kDEVICE_TYPE, "TV-3G Stick"},
        {kUI_VERSION, "1.0.0.05"},
        {kFW_VERSION, "11.608.12.02"},
        {kUNSIGNED_ID, "356938035643809"},
        {kCLIENT_GROUP, "Default"},
        {kLANGUAGE, "en"},
        {kEXTERN_PARA, ""},
        {kSV, "V1.0.0B05"},
        {kGP_MCCMNC, "26201"},
    };
}

ns::Dictionary initCommand()
{
    return ns::Dictionary{{kCMD_ID, int(CMD_ID_INIT)}};
}

ns::Dictionary updateCommand(int mode, const ns::Dictionary& localInfo, bool deviceState,
                             const QString& uiLanguage)
{
    ns::Dictionary command = localInfo.copy();
    command.setValue(kCMD_ID, int(CMD_ID_UPDATE));
    command.setValue(kUPDATE_MODE, mode);
    command.setValue(kDEVICE_STATE, deviceState);
    command.setValue(kUI_Language, uiLanguage);
    if (mode == UPDATE_MODE_AUTOMATIC)
        command.setValue(kKPath, QStringLiteral("/Applications/Trelvan.app/Contents/Resources"));
    return command;
}

ns::Dictionary deviceStateCommand(bool present, const ns::Dictionary& localInfo, const QString& uiLanguage)
{
    ns::Dictionary command = localInfo.copy();
    command.setValue(kCMD_ID, int(CMD_ID_DEVICE_STATE));
    command.setValue(kDEVICE_STATE, present);
    command.setValue(kUI_Language, uiLanguage);
    return command;
}

bool writeUpdateSettings(const QString& iniPath, const QString& serviceURL, bool enableUpdate)
{
    QDir().mkpath(QFileInfo(iniPath).absolutePath());
    QSaveFile file(iniPath);
    const QByteArray text = "ENABLE_UPDATE=" + QByteArray(enableUpdate ? "1" : "0") +
                            "\n\nServiceURL=" + serviceURL.toUtf8() + "\n\nUPDATE_FREQUENCE=30\n\n";
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
}

} // namespace updater_test
