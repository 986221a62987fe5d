// The objects of the main nib, built in code: the two forms of the main
// window with the tab view, status area and titles, the splash, welcome,
// broadcast, balance, record, settings and close windows, and the main menu.
// Texts are set by the wording (Init_mainWindow_nib, Init_UIMenu); the skin
// then moves and dresses what it describes.
#include "device/MainController.h"

#include "app/ui/widgets/NSViewExt.h"
#include "app/ui/widgets/NSWindowExt.h"
#include "device/NibControls.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ImageView.h"
#include "platform/ns/appkit/Matrix.h"
#include "platform/ns/appkit/Menu.h"
#include "platform/ns/appkit/TabView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/WebView.h"

using nib::makeLabel;
using nib::makePanel;
using nib::makePushButton;

namespace
{

// The content sizes of the two forms of the main window.
const ns::Size kCompleteSize{720, 480};
const ns::Size kSimpleSize{360, 112};
constexpr double kStatusHeight = 26;
constexpr double kTitleHeight = 36;

// The pages of the tab view: identifier, wording key of the label.
const char* const kPages[][2] = {
    {"Internet", "Internet"},
    {"SMS", "SMS"},
    {"Phonebook", "Phonebook"},
    {"Call", "Call"},
    {"USSD1", "USSD"},
    {"Setting", "Settings"},
    {"DialRecord", "DialRecord"},
    {"Statistics", "Statistics"},
    {"HomePage", "HomePage"},
};

const QString kEntertainmentPage = QStringLiteral("Entertainment");

// The buttons of the simple window: image name; the tag is the position.
const char* const kSimpleButtons[] = {"SimpleSMS", "SimplePhonebook", "SimpleSetting", "SimpleHelp",
                                      "SimpleDialRecord"};

// The pages of the separate settings window, in the order of its list.
const char* const kSettingModules[] = {"Connection", "Selection", "Preference",     "Sounds",
                                       "Security",   "System",    "Update settings"};

} // namespace

void MainController::loadNib()
{
    if (completeWindow_)
        return;
    buildMainWindows();
    buildSimpleWindow();
    buildStartupWindow();
    buildWelcomeWindow();
    buildBroadcastWindow();
    buildUSSDBalanceWindow();
    buildDialRecordAndSettingWindows();
    buildCloseAppForZuderaWindow();
    buildOperatorVariants();
    buildUserRegisteWindow();
    buildLowPowerSwitch();
    buildMainMenu();
}

void MainController::buildMainWindows()
{
    completeWindow_ = std::make_unique<ns::Window>(ns::Rect(0, 0, kCompleteSize.width, kCompleteSize.height),
                                                   ns::TitledWindowMask | ns::ClosableWindowMask |
                                                       ns::MiniaturizableWindowMask);
    completeWindow_->setDelegate(this);
    completeWindow_->setShowsMainMenu(true);
    wndCompleteMain_ = completeWindow_.get();
    wndMain = wndCompleteMain_;
    ns::View* content = completeWindow_->contentView();

    viewStatus_ = new NSViewExt(ns::Rect(0, 0, kCompleteSize.width, kStatusHeight));
    content->addSubview(viewStatus_);

    buildTabView();
    tabviewMain->setFrame(
        ns::Rect(0, kStatusHeight, kCompleteSize.width, kCompleteSize.height - kStatusHeight - kTitleHeight));
    content->addSubview(tabviewMain);

    viewTitle_ =
        new NSViewExt(ns::Rect(0, kCompleteSize.height - kTitleHeight, kCompleteSize.width, kTitleHeight));
    textfieldWindowTitle_ =
        ns::TextField::labelWithFrame(ns::Rect(16, 8, 200, 20), ns::Font::boldSystemFontOfSize(13));
    textfieldTabviewItemTitle_ =
        ns::TextField::labelWithFrame(ns::Rect(kCompleteSize.width / 2 - 150, 8, 300, 20),
                                      ns::Font::boldSystemFontOfSize(13), ns::CenterTextAlignment);
    viewextProviderLogo_ = new ns::ImageView(ns::Rect(kCompleteSize.width - 136, 2, 120, 32));
    viewTitle_->addSubview(textfieldWindowTitle_);
    viewTitle_->addSubview(textfieldTabviewItemTitle_);
    viewTitle_->addSubview(viewextProviderLogo_);
    content->addSubview(viewTitle_);

    // The pop-up window of the mini skin, which takes the status area and the pages.
    wndMainPopup = new NSWindowExt(ns::Rect(0, 0, kCompleteSize.width, kCompleteSize.height - kTitleHeight));
    popupWindow_.reset(wndMainPopup);
}

void MainController::buildTabView()
{
    tabviewMain = new ns::TabView;
    tabviewMain->setTabViewType(ns::NoTabsNoBorder);
    tabviewMain->setDrawsBackground(false);
    const auto addPage = [this](const QString& identifier, const QString& label) {
        auto item = std::make_unique<ns::TabViewItem>(identifier);
        item->setLabel(label);
        tabviewMain->addTabViewItem(std::move(item));
    };
    for (const auto& [identifier, label] : kPages)
        addPage(QString::fromLatin1(identifier), QString::fromLatin1(label));
    // The operator's entertainment page, only where the toolbar offers it.
    if (hasModuleWith(kEntertainmentPage))
        addPage(kEntertainmentPage, kEntertainmentPage);
    // The local page of the resources, on the home page.
    ns::TabViewItem* home =
        tabviewMain->tabViewItemAtIndex(tabviewMain->indexOfTabViewItemWithIdentifier("HomePage"));
    webViewForShowLocalWebUI_ = new ns::WebView(
        ns::Rect(0, 0, kCompleteSize.width, kCompleteSize.height - kStatusHeight - kTitleHeight));
    home->view()->addSubview(webViewForShowLocalWebUI_);
}

void MainController::buildSimpleWindow()
{
    simpleWindow_ = std::make_unique<ns::Window>(ns::Rect(0, 0, kSimpleSize.width, kSimpleSize.height),
                                                 ns::TitledWindowMask | ns::ClosableWindowMask |
                                                     ns::MiniaturizableWindowMask);
    simpleWindow_->setDelegate(this);
    simpleWindow_->setShowsMainMenu(true);
    wndSimpleMain_ = simpleWindow_.get();

    ns::Matrix** matrices[] = {&matrixSms_, &matrixPhoneBook_, &matrixSet_, &matrixHelp_, &matrixRecord_};
    const double size = 56, spacing = 12;
    double x = (kSimpleSize.width - 5 * size - 4 * spacing) / 2;
    for (int tag = 0; tag < 5; ++tag) {
        auto* matrix = new ns::Matrix(
            ns::Rect(x, (kSimpleSize.height - size) / 2, size, size), ns::HighlightModeMatrix,
            [] {
                auto cell = std::make_unique<ns::ButtonCell>();
                cell->setButtonType(ns::MomentaryChangeButton);
                cell->setBordered(false);
                cell->setImagePosition(ns::ImageOnly);
                return cell;
            },
            1, 1);
        matrix->setCellSize({size, size});
        matrix->setIntercellSpacing({0, 0});
        matrix->cellAtRow(0, 0)->setImage(ns::Image::imageNamed(QString::fromLatin1(kSimpleButtons[tag])));
        matrix->cellAtRow(0, 0)->setTag(0);
        matrix->setTag(tag);
        matrix->setTarget(this);
        matrix->setAction(QStringLiteral("goBackToMainWnd:"));
        simpleWindow_->contentView()->addSubview(matrix);
        *matrices[tag] = matrix;
        x += size + spacing;
    }
}

void MainController::buildStartupWindow()
{
    wndStartup_ = std::make_unique<NSWindowExt>(ns::Rect(0, 0, 400, 260));
    startupImageView_ = new NSViewExt(ns::Rect(0, 0, 400, 260));
    // The window's own empty content view gives way to the image view.
    delete wndStartup_->setContentView(startupImageView_);
    tfdStartWndInfo_ =
        ns::TextField::labelWithFrame(ns::Rect(16, 12, 260, 18), ns::Font::systemFontOfSize(11));
    tfdSoftwareVersionAlias_ = ns::TextField::labelWithFrame(
        ns::Rect(284, 12, 100, 18), ns::Font::systemFontOfSize(11), ns::RightTextAlignment);
    startupImageView_->addSubview(tfdStartWndInfo_);
    startupImageView_->addSubview(tfdSoftwareVersionAlias_);
}

void MainController::buildWelcomeWindow()
{
    // Only the builds that greet the user at start have the welcome window.
    if (!configStore()
             .getConfigurationByModuleAndKey(QStringLiteral("MAINFORM"), QStringLiteral("WelcomeWindow"))
             .boolValue())
        return;
    wndWelcom_ = makePanel({360, 150}, ns::TitledWindowMask | ns::ClosableWindowMask);
    labelWelcome_ = ns::TextField::labelWithFrame(ns::Rect(20, 56, 320, 74), ns::Font::systemFontOfSize(13));
    wndWelcom_->contentView()->addSubview(labelWelcome_);
    btnWelcomeOK_ = makePushButton(ns::Rect(256, 14, 88, 30), wndWelcom_.get(), QStringLiteral("orderOut:"));
    wndWelcom_->contentView()->addSubview(btnWelcomeOK_);
}

void MainController::buildBroadcastWindow()
{
    wndBroadcastReport_ = makePanel({380, 170}, ns::TitledWindowMask | ns::ClosableWindowMask);
    ns::View* content = wndBroadcastReport_->contentView();
    tfdBroadCast_ = ns::TextField::labelWithFrame(ns::Rect(20, 56, 340, 96), ns::Font::systemFontOfSize(13));
    content->addSubview(tfdBroadCast_);
    btnOkBroadcastReport_ =
        makePushButton(ns::Rect(276, 14, 88, 30), this, QStringLiteral("broadcastReportOK:"));
    content->addSubview(btnOkBroadcastReport_);
}

void MainController::buildUSSDBalanceWindow()
{
    ussdBalancewnd_ = makePanel({300, 140}, ns::TitledWindowMask | ns::ClosableWindowMask);
    ns::View* content = ussdBalancewnd_->contentView();
    labelUSSDBalance_ =
        ns::TextField::labelWithFrame(ns::Rect(20, 56, 260, 64), ns::Font::systemFontOfSize(13));
    content->addSubview(labelUSSDBalance_);
    btnCloseUSSDBalance_ =
        makePushButton(ns::Rect(196, 14, 88, 30), this, QStringLiteral("closeUSSDPopUPAction:"));
    content->addSubview(btnCloseUSSDBalance_);
}

void MainController::buildDialRecordAndSettingWindows()
{
    const unsigned style = ns::TitledWindowMask | ns::ClosableWindowMask;
    wndDialRecord_ = makePanel({520, 360}, style);
    btnCloseDialRecord_ = makePushButton(ns::Rect(416, 14, 88, 30), this, QStringLiteral("closeAllWindow:"));
    wndDialRecord_->contentView()->addSubview(btnCloseDialRecord_);

    wndSetting_ = makePanel({560, 380}, style);
    ns::View* content = wndSetting_->contentView();
    const int modules = int(std::size(kSettingModules));
    matrixSettingModules_ = new ns::Matrix(
        ns::Rect(16, 60, 150, 300), ns::RadioModeMatrix,
        [] {
            auto cell = std::make_unique<ns::ButtonCell>();
            cell->setButtonType(ns::PushOnPushOffButton);
            cell->setBezelStyle(ns::ShadowlessSquareBezelStyle);
            return cell;
        },
        modules, 1);
    matrixSettingModules_->setCellSize({150, 26});
    matrixSettingModules_->setIntercellSpacing({0, 2});
    matrixSettingModules_->sizeToCells();
    matrixSettingModules_->setFrameOrigin({16, 360 - 16 - matrixSettingModules_->frame().height()});
    matrixSettingModules_->setTarget(this);
    matrixSettingModules_->setAction(QStringLiteral("selectModule:"));
    content->addSubview(matrixSettingModules_);

    lableSettingTabViewTitle_ =
        ns::TextField::labelWithFrame(ns::Rect(182, 330, 360, 22), ns::Font::boldSystemFontOfSize(14));
    content->addSubview(lableSettingTabViewTitle_);
    tabViewModuleTabSetting_ = new ns::TabView(ns::Rect(182, 60, 362, 262));
    tabViewModuleTabSetting_->setTabViewType(ns::NoTabsBezelBorder);
    for (const char* module : kSettingModules) {
        auto item = std::make_unique<ns::TabViewItem>(QString::fromLatin1(module));
        item->setLabel(QString::fromLatin1(module));
        tabViewModuleTabSetting_->addTabViewItem(std::move(item));
    }
    content->addSubview(tabViewModuleTabSetting_);
    btnCloseSetting_ = makePushButton(ns::Rect(456, 14, 88, 30), this, QStringLiteral("closeAllWindow:"));
    content->addSubview(btnCloseSetting_);
}

void MainController::buildCloseAppForZuderaWindow()
{
    windowOfCloseAppForZudera_ = makePanel({460, 170}, ns::TitledWindowMask);
    ns::View* content = windowOfCloseAppForZudera_->contentView();
    imageViewOfCloseAppForZudera_ = new ns::ImageView(ns::Rect(20, 86, 64, 64));
    content->addSubview(imageViewOfCloseAppForZudera_);
    labelOfCloseAppForZudera_ =
        ns::TextField::labelWithFrame(ns::Rect(96, 60, 344, 90), ns::Font::systemFontOfSize(12));
    content->addSubview(labelOfCloseAppForZudera_);
    btnShutDownForZudera_ =
        makePushButton(ns::Rect(20, 14, 130, 30), this, QStringLiteral("shutDownDeviceForZudera:"));
    btnQuitForZudera_ =
        makePushButton(ns::Rect(226, 14, 110, 30), this, QStringLiteral("quitApplicationForZudera:"));
    btnCancelForZudera_ =
        makePushButton(ns::Rect(344, 14, 96, 30), this, QStringLiteral("cancelCloseWindowForZudera:"));
    for (ns::Button* button : {btnShutDownForZudera_, btnQuitForZudera_, btnCancelForZudera_})
        content->addSubview(button);
}

// ---- the main menu ----

ns::MenuItem* MainController::addMenuItem(ns::Menu* menu, const QString& key, const QString& action)
{
    ns::MenuItem* item = menu->addItemWithTitle(key, action);
    // Entries of features this build does not have stay disabled.
    item->setEnabled(!action.isEmpty());
    if (!action.isEmpty() && respondsToSelector(action))
        item->setTarget(this);
    menuWording_.append({key, item});
    return item;
}

ns::Menu* MainController::addSubmenu(ns::Menu* menu, const QString& key)
{
    ns::MenuItem* item = addMenuItem(menu, key, QString());
    item->setEnabled(true);
    item->setSubmenu(std::make_unique<ns::Menu>(key));
    return item->submenu();
}

void MainController::buildMainMenu()
{
    auto mainMenu = std::make_unique<ns::Menu>(QStringLiteral("MainMenu"));

    ns::Menu* application = addSubmenu(mainMenu.get(), QStringLiteral("Title"));
    addMenuItem(application, QStringLiteral("About..."), QString());
    addMenuItem(application, QStringLiteral("Preferences..."), QStringLiteral("gotoSetting:"));
    addMenuItem(application, QStringLiteral("Update"), QString());
    // The diagnostics entries are the initialisation controller's; the nib hands them to it.
    addMenuItem(application, QStringLiteral("Diagnostics"), QStringLiteral("showDiagInfo:"));
    addMenuItem(application, QStringLiteral("Logs"), QStringLiteral("showLogs:"));
    application->addItem(ns::MenuItem::separatorItem());
    addMenuItem(application, QStringLiteral("Hide"), QStringLiteral("minimizeMainWindow:"));
    addMenuItem(application, QStringLiteral("Hide Others"), QString());
    addMenuItem(application, QStringLiteral("Show All"), QString());
    application->addItem(ns::MenuItem::separatorItem());
    addMenuItem(application, QStringLiteral("Quit"), QStringLiteral("closeApp:"))->setKeyEquivalent("q");

    ns::Menu* file = addSubmenu(mainMenu.get(), QStringLiteral("File"));
    addMenuItem(file, QStringLiteral("Close"), QStringLiteral("performClose:"))->setKeyEquivalent("w");

    ns::Menu* edit = addSubmenu(mainMenu.get(), QStringLiteral("Edit"));
    addMenuItem(edit, QStringLiteral("Undo"), QStringLiteral("undo:"))->setKeyEquivalent("z");
    addMenuItem(edit, QStringLiteral("Redo"), QStringLiteral("redo:"))->setKeyEquivalent("Z");
    edit->addItem(ns::MenuItem::separatorItem());
    addMenuItem(edit, QStringLiteral("Cut"), QStringLiteral("cut:"))->setKeyEquivalent("x");
    addMenuItem(edit, QStringLiteral("Copy"), QStringLiteral("copy:"))->setKeyEquivalent("c");
    addMenuItem(edit, QStringLiteral("Paste"), QStringLiteral("paste:"))->setKeyEquivalent("v");
    addMenuItem(edit, QStringLiteral("Delete"), QStringLiteral("delete:"));
    addMenuItem(edit, QStringLiteral("Clear"), QStringLiteral("clear:"));
    addMenuItem(edit, QStringLiteral("Select All"), QStringLiteral("selectAll:"))->setKeyEquivalent("a");

    ns::Menu* operation = addSubmenu(mainMenu.get(), QStringLiteral("Operation"));
    labelInternet_ = addMenuItem(operation, QStringLiteral("Internet"), QStringLiteral("gotoInternet:"));
    labelStatistics_ = addMenuItem(operation, QStringLiteral("Statistics"), QString());
    labelCall_ = addMenuItem(operation, QStringLiteral("Call"), QStringLiteral("gotoCall:"));
    labelSMS_ = addMenuItem(operation, QStringLiteral("SMS"), QStringLiteral("gotoSMS:"));
    labelPhonebook_ = addMenuItem(operation, QStringLiteral("Phonebook"), QStringLiteral("gotoPhonebook:"));
    labelUSSD_ =
        addMenuItem(operation, QStringLiteral("AccountBalance"), QStringLiteral("tbiMainUSSDPopUPAction:"));
    addMenuItem(operation, QStringLiteral("Support"), QString());
    addMenuItem(operation, QStringLiteral("HomePage"), QStringLiteral("gotoWebsiteMainpage:"));
    labelDialRecord_ =
        addMenuItem(operation, QStringLiteral("DialRecord"), QStringLiteral("gotoDialRecord:"));
    operation->addItem(ns::MenuItem::separatorItem());
    // Answer and reject get their actions while a call rings (setCallMenuItemEnable).
    acceptMenuItem = addMenuItem(operation, QStringLiteral("Accept"), QString());
    rejectMenuItem = addMenuItem(operation, QStringLiteral("Reject"), QString());

    ns::Menu* tools = addSubmenu(mainMenu.get(), QStringLiteral("Tools"));
    addMenuItem(tools, QStringLiteral("Language"), QString());
    // The PIN entries are the initialisation controller's; the nib hands them to it.
    ns::Menu* pinOperations = addSubmenu(tools, QStringLiteral("PIN Operations"));
    addMenuItem(pinOperations, QStringLiteral("Enter PIN"), QStringLiteral("enterPIN:"));
    addMenuItem(pinOperations, QStringLiteral("Unlock PIN"), QStringLiteral("unlockPIN:"));
    addMenuItem(tools, QStringLiteral("Internet"), QString());
    labelSetting_ = addMenuItem(tools, QStringLiteral("Options"), QStringLiteral("gotoSetting:"));
    addMenuItem(tools, QStringLiteral("Online Help"), QStringLiteral("tbiMainHelpAction:"));
    addMenuItem(tools, QStringLiteral("Prepaid guide"), QString());

    ns::Menu* window = addSubmenu(mainMenu.get(), QStringLiteral("Window"));
    addMenuItem(window, QStringLiteral("Minimize"), QStringLiteral("performMiniaturize:"))
        ->setKeyEquivalent("m");
    window->addItem(ns::MenuItem::separatorItem());
    addMenuItem(window, QStringLiteral("Complete Model"), QStringLiteral("menuCompleteModelClicked:"));
    addMenuItem(window, QStringLiteral("Simple Model"), QStringLiteral("menuSimpleModelClicked:"));
    addMenuItem(window, QStringLiteral("Minimized Model"), QStringLiteral("menuMinimizedModelClicked:"));

    ns::Menu* help = addSubmenu(mainMenu.get(), QStringLiteral("Help"));
    addMenuItem(help, QStringLiteral("MyApp Help"), QStringLiteral("tbiMainHelpAction:"));

    mainMenu_ = mainMenu.get();
    ns::Application::sharedApplication().setMainMenu(std::move(mainMenu));
}

ns::MenuItem* MainController::menuItemForKey(const QString& key) const
{
    for (const auto& [itemKey, item] : menuWording_)
        if (itemKey == key)
            return item;
    return nullptr;
}

QList<ns::Matrix*> MainController::simpleWindowMatrices() const
{
    return {matrixSms_, matrixPhoneBook_, matrixSet_, matrixHelp_, matrixRecord_};
}
