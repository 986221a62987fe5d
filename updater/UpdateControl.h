#pragma once

#include "platform/ae/AppleEvent.h"
#include "platform/modeswitch/ModeSwitchControl.h"
#include "platform/ns/Object.h"
#include "platform/ns/Value.h"
#include "platform/ns/appkit/Application.h"
#include "platform/ns/appkit/TableView.h"
#include "updater/UpdateNib.h"

#include <QDateTime>
#include <QList>
#include <QStringList>

#include <memory>
#include <mutex>
#include <optional>

class UCInterface;
class XMLParse;
class firmControl;

namespace authorization
{
class Authorization;
}

namespace ns
{
class Timer;
}

// Varnock's controller: the application's delegate, the target of every
// button and the package table's data source and delegate. It takes the
// connection manager's commands from the update link, has the update agent
// check for and download new packages, shows the offer, the choice and the
// progress, and keeps the update files.
//
// The update state: 0 idle, 1 waiting for the answer of a manual check, 2
// information shown, 3 selection shown, 4 downloading (and installing the
// connection manager's package), 5 firmware updating (and installing after
// it), 6 connection-manager update after the keep-settings answer (no sheet
// asks it here), 7 finished.
class UpdateControl : public ns::Object,
                      public ns::ApplicationDelegate,
                      public ns::TableViewDataSource,
                      public ns::TableViewDelegate,
                      private UpdateNib
{
public:
    UpdateControl();
    ~UpdateControl() override;

    void awakeFromNib();
    // Starts the mode-switch daemon again when an update manager that ended
    // without doing so had it stopped.
    void applicationWillFinishLaunching(const ns::Notification& notification) override;
    // The daemon is not left stopped whichever way the application ends.
    void applicationWillTerminate(const ns::Notification& notification) override;

    // The update link: an event of class and ID 'GURL' whose 'UCMS' parameter
    // holds the command dictionary, dispatched on its "CMD_ID".
    void handleAppleEvent(const ae::AppleEvent& event, ae::AppleEvent& reply);
    void handleInitMessage(const ns::Dictionary& message);
    void handleUpdateMessage(const ns::Dictionary& message);
    void handleDeviceStateMessage(const ns::Dictionary& message);
    // The installer tool's reports: "UPDA_PROCESS" and "UPDA_STATE", then "UPDA_RESULT".
    void handleUEProcessMessage(const ns::Dictionary& message);
    void handleUEResultMessage(const ns::Dictionary& message);
    void UpdateUIProcess(double process, int processState);
    void UpdateUIResult(int result);

    // The agent's reports, on the main thread.
    void HaveNewVersion();
    void ManualUpdateState(int state);
    void DownloadFinished(bool ok);
    void DownloadProcess(const QString& text, double percent);

    // The firmware's reports, on the main thread: a progress value and the
    // index of its text, then the result (1 success, 0 failure).
    bool UpdateFWProcess(double value, int index);
    bool UpdateFWResult(int result);

    // A device is present and is the model the packages are for.
    bool HaveCompatibleDevice() const;
    // A running application of the user has the bundle identifier.
    bool isProcExist(const QString& bundleIdentifier) const;

    // Installation: the mode-switch daemon stopped and started again, the
    // firmware archive unpacked beside itself, administrator rights and the
    // installer tool started with them; and the way out when they fail.
    bool killMacSwapper();
    bool startMacSwapper();
    void UnZipFile(const QString& path);
    int creatAuthorization();
    int AuthStartEngine();
    void releaseAuthorization();
    void CancelUIUpdate();

    // Localisation: the text table of a language (type 0: the user's first
    // language, type 1: the given code), its texts, and the windows' wording.
    void LoadLanguage(const QString& code, int type);
    QString MapLangString(const QString& key) const;
    void UpdateNibWording();

    // The update window: a progress line, the step styles, and the way back to idle.
    void AddProcessInfo(const QString& line, bool needCheck);
    void UpdateTextColorFor(int state, int selectedModule);
    void ResetUpdateProcess();

    int numberOfRowsInTableView(ns::TableView* tableView) override;
    QVariant objectValueForTableColumn(ns::TableView* tableView, ns::TableColumn* column, int row) override;
    void willDisplayCell(ns::TableView* tableView, ns::Cell* cell, ns::TableColumn* column, int row) override;
    bool shouldEditTableColumn(ns::TableView*, ns::TableColumn*, int) override { return true; }
    void tableViewSelectionDidChange(const ns::Notification& notification) override;

    // The windows and controls, for whoever looks at them.
    const UpdateNib& nib() const { return *this; }
    int updateState() const { return m_UpdateState; }
    int selectedModule() const { return m_SelectedModule; }

private:
    // Actions of the buttons and the package table, and the timers.
    void clickcheck(ns::Object* sender);
    void WaitInfoOK(ns::Object* sender);
    void UpdateInfoCancel(ns::Object* sender);
    void UpdateInfoNext(ns::Object* sender);
    void UpdateSelBack(ns::Object* sender);
    void UpdateSelCancel(ns::Object* sender);
    void UpdateSelStartUpdate(ns::Object* sender);
    void UpdateCancelOK(ns::Object* sender);
    void CancelFirmwareUpdate(ns::Object* sender);
    void MakeSureCancel(ns::Object* sender);
    void CloseUICancel(ns::Object* sender);
    void CloseUIOK(ns::Object* sender);
    void MakeSureOK(ns::Object* sender);
    void ReInsertModemOK(ns::Object* sender);
    void WaitInfoTimeOut(ns::Timer* timer);
    void UpdateElapseTime(ns::Timer* timer);

    void ParseUpdatePackageInfo();
    // The check ended without an answer to show: the wait says it failed and can be closed.
    void showCheckFailed();
    bool hasTickedPackage() const;
    void stopWaitTimer();
    void stopElapseTimer();

    // What follows a complete download, by the chosen packages.
    void continueAfterDownload();
    // The sheets on the update window.
    void beginSheet(ns::Window* sheet);
    void endSheet(ns::Window* sheet);
    // A sheet was cancelled: the connection manager's package alone goes on
    // when both were chosen, else the update ends.
    void sheetCancelled(ns::Window* sheet);
    // The end of the update: state 7, its step styles, the button OK.
    void finishUpdate();
    // The connection manager's package alone goes on.
    void connectionManagerPath();
    // Installs the connection manager's package, once the connection manager is closed.
    void installConnectionManager();
    bool isConnectionManagerRunning() const;

    // The downloaded archive of the chosen package, when it has the size and
    // SHA-256 digest of its entry in the selection (a digest is required when
    // requireDigest is set); nullopt, logged, otherwise.
    struct VerifiedPackage {
        QString path;
        qint64 size = 0;
        QString sha256; // hexadecimal
    };
    std::optional<VerifiedPackage> verifiedPackage(const QString& filename, bool requireDigest) const;
    modeswitch::ModeSwitchControl modeSwitchControl() const;

    // The update files.
    void LoadCfgFile();
    void writeDateTimeToPlist();
    // Kept downloads whose version the new offer no longer has are deleted,
    // and the offer becomes the last download.
    void reconcileKeptDownloads();

    ns::Dictionary m_LangDict;
    bool m_hasLangDict = false;
    mutable std::mutex m_DictLock;
    QString m_CurLang;
    std::optional<ns::Dictionary> m_ConfigDict;
    std::unique_ptr<UCInterface> m_pUCInterface;
    std::unique_ptr<authorization::Authorization> m_AuthRef;
    XMLParse* m_XMLParse = nullptr;
    int m_UpdateState = 0;
    int m_SelectedModule = 0;
    ns::Dictionary m_DescriptDic;
    ns::Dictionary m_SelectDic;
    std::unique_ptr<firmControl> m_FirmWareControl;
    QStringList m_ProcessViewList;
    int m_UpdateMode = 0;
    std::shared_ptr<ns::Timer> m_WaitInfoTimeOut;
    bool m_WaitOKBtnState = false;
    bool m_WaitInfoCanceled = false;
    QString m_PackageInfo;
    QList<ns::Dictionary> m_PackageList;
    QString m_DeviceType;
    QString m_PackageDeviceType;
    QString m_FirmwareVersion;
    bool m_haveDevice = false;
    std::shared_ptr<ns::Timer> m_ProcessTimer;
    QDateTime m_StartTime;
    bool m_isDownfailed = false;
    QString kUI_BundleName;
    QString kNewUI_BundleName;
};

// The one controller, once it is set up.
extern UpdateControl* pUpdateControl;
