#include "main/MainNib.h"

#include "device/InitService.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/Menu.h"

MainNib::MainNib(ConfigManager& store)
    : jovSkinManager_(store), settingStandIn_(jovMsgCenter_, store), aeMessage_(store),
      initController_(store), mainController_(store), dialController_(store), dialRecordController_(store),
      entertainController_(store), statisticSource_(store), transferSource_(store)
{
}

void MainNib::awakeFromNib()
{
    jovMsgCenter_.awakeFromNib();

    mainController_.jovMsgCenter = &jovMsgCenter_;
    mainController_.jovSkinManager = &jovSkinManager_;
    mainController_.awakeFromNib();

    // The initialisation controller works on the main window the main controller built.
    initController_.jovMsgCenter = &jovMsgCenter_;
    initController_.jovSkinManager = &jovSkinManager_;
    initController_.wndMain = mainController_.wndMain;
    initController_.wndCompleteMain_ = mainController_.wndCompleteMain_;
    initController_.wndSimpleMain_ = mainController_.wndSimpleMain_;
    initController_.tabviewMain = mainController_.mainTabView();
    initController_.viewStatus = mainController_.statusView();
    initController_.labelPINEnter_ = mainController_.menuItemForKey(QStringLiteral("Enter PIN"));
    initController_.labelPINUnlock_ = mainController_.menuItemForKey(QStringLiteral("Unlock PIN"));
    for (ns::MenuItem* item : {initController_.labelPINEnter_, initController_.labelPINUnlock_})
        item->setTarget(&initController_);
    for (const char* key : {"Diagnostics", "Logs"})
        mainController_.menuItemForKey(QString::fromLatin1(key))->setTarget(&initController_);
    initController_.awakeFromNib();

    // The dial controller builds the Internet view into the main tab view.
    dialController_.jovMsgCenter = &jovMsgCenter_;
    dialController_.jovSkinManager = &jovSkinManager_;
    dialController_.wndMain = mainController_.wndMain;
    dialController_.tabviewMain = mainController_.mainTabView();
    // The special roaming rule of the profile matching reads the SIM's card number.
    dialController_.dialServiceTransplant().setIccidSource(
        [] { return InitService::sharedInitService().iccidStr(); });
    dialController_.awakeFromNib();
    // The number a plug-in learns reaches the diagnostics window's SIM page.
    dialController_.tfdDiagMSISDN_ = initController_.tfdDiagMSISDN_;

    // The connection history builds its tab into the main tab view.
    dialRecordController_.jovMsgCenter = &jovMsgCenter_;
    dialRecordController_.jovSkinManager = &jovSkinManager_;
    dialRecordController_.wndMain = mainController_.wndMain;
    dialRecordController_.tabviewMain = mainController_.mainTabView();
    dialRecordController_.awakeFromNib();

    // The entertainment tab, when the main window has one; after the dial
    // controller, whose set-up chose the link list it shows from.
    entertainController_.jovMsgCenter = &jovMsgCenter_;
    entertainController_.jovSkinManager = &jovSkinManager_;
    entertainController_.wndMain = mainController_.wndMain;
    entertainController_.tabviewMain = mainController_.mainTabView();
    entertainController_.awakeFromNib();

    // The usage outlines share the statistics page the history tab goes to.
    for (JOVUIController* outline :
         std::initializer_list<JOVUIController*>{&statisticSource_, &transferSource_}) {
        outline->jovMsgCenter = &jovMsgCenter_;
        outline->jovSkinManager = &jovSkinManager_;
        outline->wndMain = mainController_.wndMain;
        outline->tabviewMain = mainController_.mainTabView();
        outline->awakeFromNib();
    }

    // The delegate starts the device server when launching ends.
    ns::Application::sharedApplication().setDelegate(&mainController_);
}
