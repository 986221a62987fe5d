// The texts of the Internet tab and its profile windows, set at start and
// again on every change of language.
#include "connection/DialController.h"

#include "connection/StatisticsController/statisticsView.h"
#include "platform/ns/appkit/Box.h"
#include "platform/ns/appkit/ComboBox.h"
#include "platform/ns/appkit/TextField.h"

void DialController::initWording()
{
    Init_config_nib();
    Init_editConfig_nib();
    Init_internet_nib();
    initCustomWeblinks();
}

void DialController::Init_config_nib()
{
    configNibWording_.apply(&DialController::localized);
    if (checkUsernameFlag_)
        wordCheckAccountWindow();
    if (connectStatus_ == Idle)
        sendResetStatisticsNotification();
}

void DialController::Init_editConfig_nib()
{
    editConfigNibWording_.apply(&DialController::localized);
}

void DialController::Init_internet_nib()
{
    if (!m_ConnectButton)
        return;
    profileBox_->setTitle(localized(QStringLiteral("Profile")));
    connectStateTitle_->setStringValue(localized(QStringLiteral("Status:")));
    for (const auto& [caption, key] : std::as_const(connectStateCaptions_))
        caption->setStringValue(localized(key));
    initConnectStatusWording();
    changeControlsPosForProfile();
    if (m_DialConfigList->usesDataSource())
        m_DialConfigList->reloadData();
}

void DialController::updateLanguages(ns::Notification*)
{
    initWording();
    updateLanguagesOfDynamicItem(QStringLiteral("InternetViewItems"));
    if (speedView)
        speedView->setNeedsDisplay();
}
