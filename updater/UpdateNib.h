#pragma once

#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/ProgressIndicator.h"
#include "platform/ns/appkit/TableView.h"
#include "platform/ns/appkit/TextField.h"
#include "platform/ns/appkit/TextView.h"
#include "platform/ns/appkit/Window.h"

#include <memory>

// The update manager's windows, built in code with their controls, and the
// actions of their buttons; whoever owns the nib becomes the buttons' target
// and the package table's data source and delegate. Texts are set later,
// through the controller's wording.
struct UpdateNib {
    UpdateNib();
    ~UpdateNib();
    UpdateNib(const UpdateNib&) = delete;
    UpdateNib& operator=(const UpdateNib&) = delete;

    // The wait window of a manual check.
    std::unique_ptr<ns::Window> m_WaitWnd;
    ns::TextView* m_WaitInfoView;
    ns::Button* m_WaitOKBtn; // "WaitInfoOK:"

    // The information window: what the new version brings.
    std::unique_ptr<ns::Window> m_UpdateInfoWnd;
    ns::TextView* m_PackageInfoView;
    ns::Button* m_InfoCancelBtn; // "UpdateInfoCancel:"
    ns::Button* m_InfoNextBtn;   // "UpdateInfoNext:"

    // The selection window: the package table (columns "checkstate",
    // "Version", "Size", "PriorityFlag") and the chosen package's description.
    std::unique_ptr<ns::Window> m_ModuleSelWnd;
    ns::TableView* m_PackageListView;
    ns::TextView* m_InfoView;
    ns::Button* m_UpdateBtn;    // "UpdateSelStartUpdate:"
    ns::Button* m_SelBackBtn;   // "UpdateSelBack:"
    ns::Button* m_SelCancelBtn; // "UpdateSelCancel:"

    // The update window: the steps, the progress lines, the bar and the clock.
    std::unique_ptr<ns::Window> m_UpdateWnd;
    ns::TextField* m_DownLoadText;
    ns::TextField* m_UpdateFWText;
    ns::TextField* m_UpdateUIText;
    ns::TextField* m_UpdateEndText;
    ns::TextView* m_ProcessInfoView;
    ns::ProgressIndicator* m_ProcessBar;
    ns::TextField* m_ElapseTime;
    ns::Button* m_OKCancelBtn; // "UpdateCancelOK:"

    // Sheets on the update window. No device for the firmware:
    std::unique_ptr<ns::Window> m_FirmwareCancelWnd;
    ns::TextField* m_ModemText;
    ns::Button* m_FirmwareCancelBtn; // "CancelFirmwareUpdate:"
    // The connection manager must be closed first:
    std::unique_ptr<ns::Window> m_CloseUIWnd;
    ns::TextField* m_CloseUIText;
    ns::Button* m_CloseUIOK;     // "CloseUIOK:"
    ns::Button* m_CloseUICancel; // "CloseUICancel:"
    // The device must keep its power while the firmware is written:
    std::unique_ptr<ns::Window> m_MakeSureModemWnd;
    ns::TextField* m_MakeSureText;
    ns::Button* m_MakeSureOKBtn;     // "MakeSureOK:"
    ns::Button* m_MakeSureCancelBtn; // "MakeSureCancel:"
    // The device must be inserted again:
    std::unique_ptr<ns::Window> m_ReInsertModemWnd;
    ns::TextField* m_ReInsertModemText;
    ns::Button* m_ReInsertModemOK; // "ReInsertModemOK:"

    // Makes the object the target of every button and the table's data source and delegate.
    void connect(ns::Object* target, ns::TableViewDataSource* dataSource, ns::TableViewDelegate* delegate);
};
