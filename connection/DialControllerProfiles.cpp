// The profiles: the list shown in the profile box and the parameters handed
// to the device.
#include "connection/DialController.h"

#include "platform/ns/appkit/ComboBox.h"

void DialController::registerProfileSelectors() {}

void DialController::setDialParams() {}

void DialController::resetDefaultProfileWithImsiAll(const QString&) {}

void DialController::resetGlobalDefaultProfileWithImsi(const QString&) {}

void DialController::resetDefaultProfileWithMCCMNC(const QString&) {}

void DialController::resetDefaultProfileWithMcc(const QString&, const QString&) {}

void DialController::loadDialConfig() {}

QString DialController::getDefaultProfileAPN()
{
    return localized(QStringLiteral("Automatic"));
}

void DialController::updateInterface()
{
    loadDialConfig();
}

void DialController::dialConfigListSelectItemAtIndex(int index)
{
    if (m_DialConfigList && index < m_DialConfigList->numberOfItems())
        m_DialConfigList->selectItemAtIndex(index);
}
