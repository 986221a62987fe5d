// The service-provider code window that some builds show once before the
// first start: a valid code leaves the connection-profile file with the one
// profile it selects and may change the provider's logo.
#include "device/MainController.h"

#include "app/config/ConfigFileKeys.h"
#include "app/ui/controller/NSRunAlertPanelExt.h"
#include "app/ui/controller/UINotifications.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Alert.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/TextField.h"

#include <QtDebug>

namespace
{

const QString kCheckSPCode = QStringLiteral("CheckSPCode");

} // namespace

void MainController::initCheckSPCodeWin()
{
    if (!configStore().getConfigurationByModule(kCheckSPCode).boolValue()) {
        wndCheckSPCode_.reset();
        return;
    }
    wndMain->setAlphaValue(0);
    labelCheckWnd_->setStringValue(
        wording(QStringLiteral("Please input service provider code, code can be found in the box:")));
    btnCheckOK_->setTitle(wording(QStringLiteral("OK")));
    btnCheckCancel_->setTitle(wording(QStringLiteral("Cancel")));
    wndCheckSPCode_->setBackgroundColor(ns::Color::windowBackgroundColor());
    textfieldSPCode_->setStringValue(QString());
    textfieldSPCode_->setDelegate(this);
    btnCheckOK_->setEnabled(false);
}

void MainController::popUpCheckSPCodeWin()
{
    if (!wndCheckSPCode_) {
        qInfo("The service-provider code window is not part of this build; starting without it");
        runDatacard();
        return;
    }
    wndCheckSPCode_->center();
    wndCheckSPCode_->makeKeyAndOrderFront(this);
}

void MainController::spCodeTextDidChange()
{
    btnCheckOK_->setEnabled(!textfieldSPCode_->stringValue().isEmpty());
}

void MainController::checkSPCode(ns::Object*)
{
    const QString code = textfieldSPCode_->stringValue();
    if (code.isEmpty())
        return;
    if (findAPNInfoBySPCode(code)) {
        closeCheckSPCodeWin();
        return;
    }
    NSRunAlertPanelExt(wording(QStringLiteral("Warning")),
                       wording(QStringLiteral("Invalid service provider code")),
                       wording(QStringLiteral("OK")), QString());
    textfieldSPCode_->setStringValue(QString());
    btnCheckOK_->setEnabled(false);
}

bool MainController::findAPNInfoBySPCode(const QString& code)
{
    const ns::Array profiles =
        configStore().getConfigurationByModule(QStringLiteral("AllDialConfig")).toArray();
    const ns::Value entry =
        configStore().getConfigurationByModule(QStringLiteral("AllSPCodeIndex")).toDictionary().value(code);
    const ns::Value index = entry.toDictionary().value(QStringLiteral("Index"));
    if (profiles.isEmpty() || !entry.isDictionary() || index.isNull() || index.intValue() < 0 ||
        index.intValue() >= profiles.count()) {
        qInfo("The service provider code selects no profile");
        return false;
    }
    // The profile file first: when it cannot be written, the old one stays
    // and the logo is left as it was.
    const QString path = configStore().configFilePathOfKey(kCMDialConfigFile);
    if (!ns::PropertyList::writeFile(path, ns::Array{profiles.at(index.intValue())})) {
        qWarning("The connection profiles cannot be written to %s", qPrintable(path));
        return false;
    }
    const QString logo = entry.toDictionary().value(QStringLiteral("ProviderLogo")).stringValue();
    if (!logo.isEmpty()) {
        configStore().setConfigurationByModule(QStringLiteral("ProviderLogoImage"), logo);
        configStore().setConfigurationByModule(QStringLiteral("ChangeProviderLogo"), true);
        configStore().writeToFile();
    }
    return true;
}

void MainController::checkSPCodeWndCancel(ns::Object*)
{
    if (NSRunAlertPanelExt(
            wording(QStringLiteral("Warning")), wording(QStringLiteral("STRING_INPUT_SPCODE_WARNING")),
            wording(QStringLiteral("Cancel")), wording(QStringLiteral("Continue"))) == ns::AlertDefaultReturn)
        return;
    closeCheckSPCodeWin();
}

void MainController::closeCheckSPCodeWin()
{
    if (wndCheckSPCode_) {
        wndCheckSPCode_->close();
        // The window's own button may be the caller: it goes once the event is done.
        wndCheckSPCode_.release()->deleteLater();
    }
    setToolbarProviderLogo(customLogoToolbarItem_.get());
    wndMain->setAlphaValue(1);
    configStore().setConfigurationByModule(kCheckSPCode, false);
    configStore().writeToFile();
    notificationCenter.postNotificationName(
        kTabViewItemWillChangeNotification, nullptr,
        ns::Dictionary{{kTabViewItemWillChangeNotification, QStringLiteral("Internet")}});
    runDatacard();
}
