// The download: its start from the selection, the agent's progress and end,
// the update window's lines, step styles and clock, and its button.
#include "updater/UpdateControl.h"

#include "platform/ns/Clock.h"
#include "platform/ns/Timer.h"
#include "platform/ns/appkit/Color.h"
#include "platform/ns/appkit/Font.h"
#include "updater/UCInterface.h"
#include "updater/UpdatePaths.h"
#include "updater/UpdateTextKeys.h"
#include "updater/XMLParse.h"

namespace
{

const QString kUpdateFileKey = QStringLiteral("UpdateFile");
const QString kFirmwarePackage = QStringLiteral("FirmwareUpdatePackage.zip");
const QString kCMPackage = QStringLiteral("CMUpdatePackage.zip");

// Module numbers of the packages; the ticked ones add up to the choice.
constexpr int kFirmwareModule = 1;
constexpr int kCMModule = 2;

enum class StepStyle { Strong, Normal, Dim };

void applyStyle(ns::TextField* label, StepStyle style)
{
    if (style == StepStyle::Strong) {
        label->setFont(ns::Font::boldSystemFontOfSize(14));
        label->setTextColor(ns::Color::blackColor());
        return;
    }
    label->setFont(
        ns::Font::fontWithName(QStringLiteral("LucidaGrande"), 13).value_or(ns::Font::systemFontOfSize(13)));
    label->setTextColor(style == StepStyle::Dim ? ns::Color::grayColor() : ns::Color::blackColor());
}

} // namespace

void UpdateControl::UpdateSelStartUpdate(ns::Object*)
{
    m_ModuleSelWnd->orderOut(nullptr);

    m_SelectDic = m_DescriptDic.copy();
    m_SelectedModule = 0;
    ns::Array selected = m_SelectDic.value(kUpdateFileKey).toArray().copy();
    for (int i = int(m_PackageList.size()) - 1; i >= 0; --i) {
        const ns::Dictionary& package = m_PackageList.at(i);
        if (!package.value(QStringLiteral("checkstate")).boolValue()) {
            if (i < selected.count())
                selected.removeAt(i);
            continue;
        }
        const QString filename = package.value(QStringLiteral("Filename")).stringValue();
        if (filename == kFirmwarePackage)
            m_SelectedModule += kFirmwareModule;
        else if (filename == kCMPackage)
            m_SelectedModule += kCMModule;
    }
    m_SelectDic.setValue(kUpdateFileKey, selected);

    m_XMLParse->createResult(UpdatePaths::localPath(UpdatePaths::kUserSelectionXML), m_SelectDic);
    m_UpdateState = 4;
    m_OKCancelBtn->setTitle(MapLangString(CM_UPDATER_STR_CANCEL));
    m_OKCancelBtn->setEnabled(false);
    m_ProcessViewList.clear();
    m_ProcessInfoView->setString(QString());
    m_ProcessBar->setDoubleValue(0);
    UpdateTextColorFor(m_UpdateState, m_SelectedModule);
    m_UpdateWnd->makeKeyAndOrderFront(nullptr);

    m_isDownfailed = false;
    m_pUCInterface->Download();
    m_OKCancelBtn->setEnabled(true);
    m_OKCancelBtn->setTitle(MapLangString(CM_UPDATER_STR_CANCEL));

    m_StartTime = ns::Clock::current().now();
    UpdateElapseTime(nullptr);
    stopElapseTimer();
    m_ProcessTimer =
        ns::Timer::scheduledTimer(1, this, QStringLiteral("UpdateElapseTime:"), ns::Value(), true);
    m_ProcessBar->startAnimation(nullptr);
}

void UpdateControl::DownloadProcess(const QString& text, double percent)
{
    AddProcessInfo(text, true);
    m_ProcessBar->setDoubleValue(percent);
}

void UpdateControl::DownloadFinished(bool ok)
{
    if (m_UpdateState != 4)
        return;
    if (!ok) {
        AddProcessInfo(MapLangString(CM_UPDATER_CHECKSTATE_DOWNLOADFAILED_STR), true);
        m_isDownfailed = true;
        m_ProcessBar->setDoubleValue(100);
        m_OKCancelBtn->setEnabled(true);
        m_OKCancelBtn->setTitle(MapLangString(CM_UPDATER_STR_OK));
        return;
    }
    m_ProcessBar->setDoubleValue(100);
    m_OKCancelBtn->setEnabled(false);
    continueAfterDownload();
}

void UpdateControl::UpdateCancelOK(ns::Object*)
{
    if (m_UpdateState == 4) {
        if (!m_isDownfailed)
            m_pUCInterface->StopDownload();
        ResetUpdateProcess();
        m_UpdateWnd->orderOut(nullptr);
        return;
    }
    if (m_UpdateState != 7)
        return;
    stopWaitTimer();
    stopElapseTimer();
    m_UpdateWnd->orderOut(nullptr);
    startMacSwapper();
    releaseAuthorization();
    ns::Application::sharedApplication().terminate(this);
}

void UpdateControl::AddProcessInfo(const QString& line, bool needCheck)
{
    if (line.isNull())
        return;
    if (needCheck && !m_ProcessViewList.isEmpty() && m_ProcessViewList.last() == line)
        return;
    m_ProcessViewList.append(line);
    m_ProcessInfoView->setString(m_ProcessViewList.join(QStringLiteral("\r\n")));
    m_ProcessInfoView->scrollToEndOfDocument(nullptr);
}

void UpdateControl::UpdateTextColorFor(int state, int selectedModule)
{
    const bool firmware = selectedModule == 1 || selectedModule == 3;
    const bool connectionManager = selectedModule == 2 || selectedModule == 3;
    using enum StepStyle;
    StepStyle download = Normal, firmwareStep = Normal, cmStep = Normal, end = Normal;
    switch (state) {
    case 4:
        download = Strong;
        firmwareStep = firmware ? Normal : Dim;
        cmStep = connectionManager ? Normal : Dim;
        break;
    case 5:
        download = Strong;
        firmwareStep = firmware ? Strong : Dim;
        cmStep = connectionManager ? Normal : Dim;
        break;
    case 6:
    case 7:
        download = Strong;
        firmwareStep = firmware ? Strong : Dim;
        cmStep = connectionManager ? Strong : Dim;
        end = state == 7 ? Strong : Normal;
        break;
    default:
        break;
    }
    applyStyle(m_DownLoadText, download);
    applyStyle(m_UpdateFWText, firmwareStep);
    applyStyle(m_UpdateUIText, cmStep);
    applyStyle(m_UpdateEndText, end);
    if (state == 7)
        stopElapseTimer();
}

void UpdateControl::UpdateElapseTime(ns::Timer*)
{
    const qint64 seconds = m_StartTime.msecsTo(ns::Clock::current().now()) / 1000;
    m_ElapseTime->setStringValue(
        QString::asprintf("%02d:%02d:%02d", int(seconds / 3600), int(seconds / 60 % 60), int(seconds % 60)));
}

void UpdateControl::stopElapseTimer()
{
    if (m_ProcessTimer)
        m_ProcessTimer->invalidate();
    m_ProcessTimer.reset();
}
