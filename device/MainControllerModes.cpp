// The window modes: the complete and the simple form of the main window,
// swapped by the zoom button, the mode menu, the simple window's buttons and
// the desktop's reopen, keeping the window's top-left corner; miniaturising;
// and the mode remembered in the configuration.
#include "device/MainController.h"

#include "app/config/ConfigService.h"
#include "app/interfaces/SMSControlling.h"
#include "platform/ns/appkit/Matrix.h"

namespace
{

const QString kMainForm = QStringLiteral("MAINFORM");

// Gives the cell with tag 0 of the matrix its tool tip; nothing without matrix or cell.
void setButtonMatrixToolTip(ns::Matrix* matrix, const QString& toolTip)
{
    if (matrix && matrix->cellWithTag(0))
        matrix->setToolTip(toolTip);
}

// The frame that puts a window of the size where the top-left corner of the frame is.
ns::Rect keepingTopLeft(const ns::Rect& frame, const ns::Size& size)
{
    return {frame.minX(), frame.minY() + frame.height() - size.height, size.width, size.height};
}

} // namespace

void MainController::showMainUI()
{
    wndFlag = 1;
    switch (ConfigService(configStore()).getUIModelConfig()) {
    case kSimpleModel:
        // One form of the main window shows at a time.
        wndCompleteMain_->orderOut(this);
        wndSimpleMain_->center();
        wndSimpleMain_->makeKeyAndOrderFront(this);
        modeCurrent = modePrev = kSimpleModel;
        wndMain = wndSimpleMain_;
        notifyMainWindowChanged();
        break;
    case kMinimizedModel:
        if (ns::Window* main = ns::Application::sharedApplication().mainWindow())
            main->miniaturize(this);
        else
            wndMain->miniaturize(this);
        modePrev = kMinimizedModel;
        break;
    case kCompleteModel:
        wndCompleteMain_->center();
        wndCompleteMain_->makeKeyAndOrderFront(this);
        modeCurrent = modePrev = kCompleteModel;
        wndMain = wndCompleteMain_;
        notifyMainWindowChanged();
        break;
    default:
        break;
    }
}

void MainController::getSimpleFrame()
{
    ns::Window* main = ns::Application::sharedApplication().mainWindow();
    rectOfCurrentWnd_ = keepingTopLeft((main ? main : wndMain)->frame(), rectOfWndSimpleMain_.size);
}

void MainController::getCompleteFrame()
{
    ns::Window* main = ns::Application::sharedApplication().mainWindow();
    rectOfCurrentWnd_ = keepingTopLeft((main ? main : wndMain)->frame(), rectOfwndMain_.size);
}

void MainController::switchToSimPleUI()
{
    getSimpleFrame();
    wndCompleteMain_->orderOut(this);
    wndSimpleMain_->setFrame(rectOfCurrentWnd_, true);
    wndSimpleMain_->setTitle(wording(QStringLiteral("Title")));
    wndSimpleMain_->makeKeyAndOrderFront(this);
}

void MainController::switchToCompleteUI()
{
    getCompleteFrame();
    wndSimpleMain_->orderOut(this);
    wndCompleteMain_->setFrame(rectOfCurrentWnd_, true);
    wndCompleteMain_->makeKeyAndOrderFront(this);
}

ns::Rect MainController::windowWillUseStandardFrame(ns::Window*, const ns::Rect& defaultFrame)
{
    ns::Window* main = ns::Application::sharedApplication().mainWindow();
    if (main == wndSimpleMain_) {
        wndMain = wndCompleteMain_;
        notifyMainWindowChanged();
        switchToCompleteUI();
        saveCurrentUIModel(kCompleteModel);
        modeCurrent = modePrev = kCompleteModel;
        return rectOfCurrentWnd_;
    }
    if (main == wndCompleteMain_) {
        wndMain = wndSimpleMain_;
        notifyMainWindowChanged();
        switchToSimPleUI();
        saveCurrentUIModel(kSimpleModel);
        modeCurrent = modePrev = kSimpleModel;
        return rectOfCurrentWnd_;
    }
    return defaultFrame;
}

void MainController::goBackToMainWnd(ns::Object* sender)
{
    if (ns::Application::sharedApplication().mainWindow() == wndSimpleMain_) {
        wndMain = wndCompleteMain_;
        notifyMainWindowChanged();
        switchToCompleteUI();
        saveCurrentUIModel(kCompleteModel);
        modeCurrent = modePrev = kCompleteModel;
    }
    auto* control = dynamic_cast<ns::Control*>(sender);
    switch (control ? control->tag() : -1) {
    case 0:
        selectTab(QStringLiteral("SMS"));
        break;
    case 1:
        selectTab(QStringLiteral("Phonebook"));
        break;
    case 2:
        selectTab(QStringLiteral("Setting"));
        break;
    case 3:
        tbiMainHelpAction(sender);
        break;
    case 4:
        selectTab(QStringLiteral("DialRecord"));
        break;
    default:
        break;
    }
}

void MainController::menuCompleteModelClicked(ns::Object*)
{
    if (!ConfigService(configStore()).doNotCloseApp() || wndFlag != 1)
        return;
    if (ConfigService(configStore()).getUIModelConfig() == kMinimizedModel) {
        if (modePrev == kCompleteModel) {
            wndSimpleMain_->orderOut(this);
            wndMain = wndCompleteMain_;
            wndCompleteMain_->center();
            wndCompleteMain_->makeKeyAndOrderFront(this);
        } else {
            wndCompleteMain_->orderOut(this);
            wndSimpleMain_->center();
            wndSimpleMain_->makeKeyAndOrderFront(this);
            wndMain = wndCompleteMain_;
            switchToCompleteUI();
        }
        notifyMainWindowChanged();
    } else {
        if (ns::Application::sharedApplication().mainWindow() != wndSimpleMain_)
            return;
        wndMain = wndCompleteMain_;
        notifyMainWindowChanged();
        switchToCompleteUI();
    }
    saveCurrentUIModel(kCompleteModel);
    modeCurrent = modePrev = kCompleteModel;
}

void MainController::menuSimpleModelClicked(ns::Object*)
{
    if (!ConfigService(configStore()).doNotCloseApp() || wndFlag != 1)
        return;
    if (ConfigService(configStore()).getUIModelConfig() == kMinimizedModel) {
        if (modePrev == kCompleteModel) {
            wndSimpleMain_->orderOut(this);
            wndCompleteMain_->center();
            wndCompleteMain_->makeKeyAndOrderFront(this);
            wndMain = wndSimpleMain_;
            switchToSimPleUI();
        } else {
            wndCompleteMain_->orderOut(this);
            wndMain = wndSimpleMain_;
            wndSimpleMain_->center();
            wndSimpleMain_->makeKeyAndOrderFront(this);
        }
        notifyMainWindowChanged();
    } else {
        if (ns::Application::sharedApplication().mainWindow() != wndCompleteMain_)
            return;
        wndMain = wndSimpleMain_;
        notifyMainWindowChanged();
        switchToSimPleUI();
    }
    saveCurrentUIModel(kSimpleModel);
    modeCurrent = modePrev = kSimpleModel;
}

void MainController::menuMinimizedModelClicked(ns::Object*)
{
    if (!ConfigService(configStore()).doNotCloseApp() || wndFlag != 1)
        return;
    modePrev = modeCurrent;
    if (ns::Window* main = ns::Application::sharedApplication().mainWindow())
        main->miniaturize(this);
}

bool MainController::applicationShouldHandleReopen(ns::Application*, bool)
{
    const ConfigService config(configStore());
    const int stored = config.getUIModelConfig();
    if (stored != kMinimizedModel) {
        if (!config.doNotCloseApp() || wndFlag != 0)
            return true;
        wndFlag = 1;
        ns::Window* window = stored == kCompleteModel ? wndCompleteMain_
                             : stored == kSimpleModel ? wndSimpleMain_
                                                      : nullptr;
        if (window) {
            window->center();
            window->makeKeyAndOrderFront(this);
        }
        return true;
    }
    if (modePrev == kSimpleModel || modePrev == kCompleteModel) {
        saveCurrentUIModel(modePrev);
        modeCurrent = modePrev;
        ns::Window* shown = modePrev == kSimpleModel ? wndSimpleMain_ : wndCompleteMain_;
        ns::Window* hidden = modePrev == kSimpleModel ? wndCompleteMain_ : wndSimpleMain_;
        hidden->orderOut(this);
        shown->center();
        shown->makeKeyAndOrderFront(this);
        return true;
    }
    wndCompleteMain_->orderOut(this);
    wndSimpleMain_->orderOut(this);
    wndCompleteMain_->center();
    wndCompleteMain_->makeKeyAndOrderFront(this);
    return true;
}

void MainController::windowDidMiniaturize(const ns::Notification&)
{
    scheduleCheckLPM();
    saveCurrentUIModel(kMinimizedModel);
    modeCurrent = kMinimizedModel;
}

void MainController::windowDidDeminiaturize(const ns::Notification&)
{
    if (g_SMSController)
        g_SMSController->startAnimationWhenMaximizeWithNewSms();
    leaveLPM();
}

void MainController::saveCurrentUIModel(int model)
{
    ConfigService(configStore()).saveCurrentUIModel(model);
}

void MainController::saveCurrentUIModelWhenAppClosed()
{
    saveCurrentUIModel(modeCurrent);
}

void MainController::miniaturizeMainWindowWhenAppFinishLaunching()
{
    if (wndMain && configStore()
                       .getConfigurationByModuleAndKey(kMainForm, QStringLiteral("MiniaturizeMainWindow"))
                       .boolValue())
        wndMain->miniaturize(this);
}

void MainController::miniaturizeMainWindowWhenConnectSucced()
{
    if (wndMain && configStore()
                       .getConfigurationByModuleAndKey(
                           kMainForm, QStringLiteral("MainForm_miniaturizeWindowAtConnectSucced"))
                       .boolValue())
        wndMain->miniaturize(this);
}

void MainController::openMainWindow()
{
    if (wndMain && wndMain->isMiniaturized() &&
        configStore().getConfigurationByModuleAndKey(kMainForm, QStringLiteral("OpenMainWindow")).boolValue())
        wndMain->orderFront(this);
}

void MainController::zoomMainWindow(bool zoom)
{
    if (zoom && wndMain && wndMain->isMiniaturized())
        wndMain->orderFront(this);
}

void MainController::loadSimpleModeWording()
{
    setButtonMatrixToolTip(matrixSms_, wording(QStringLiteral("SMS")));
    setButtonMatrixToolTip(matrixPhoneBook_, wording(QStringLiteral("Phonebook")));
    setButtonMatrixToolTip(matrixSet_, wording(QStringLiteral("Settings")));
    setButtonMatrixToolTip(matrixHelp_, wording(QStringLiteral("Help")));
    setButtonMatrixToolTip(matrixRecord_, wording(QStringLiteral("DialRecord")));
}
