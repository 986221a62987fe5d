#pragma once

// What the dial controller's tests share: the initialisation controller
// faked, the controller alone over private settings with time on a manual
// clock, and the main nib against the simulated modem.
#include "app/interfaces/DialRecordControlling.h"
#include "app/interfaces/InitControlling.h"
#include "app/msgcenter/JOVMsgCenter.h"
#include "app/ui/controller/UINotifications.h"
#include "connection/DialController.h"
#include "platform/lindora/Lindora.h"
#include "platform/ns/Clock.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/PropertyList.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/TabView.h"
#include "tests/device/DeviceTestSupport.h"
#include "tests/support/HalvexControl.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace dial_test
{

// The history's controller: the totals a test gives it, the refreshes
// asked of it and the records it was given, in order.
struct FakeHistory : DialRecordControlling {
    FakeHistory() { g_DialRecordController = this; }
    ~FakeHistory() override { g_DialRecordController = nullptr; }
    void loadRecordList(const QString&) override {}
    void getTotalDataAndTime() override {}
    float getTotalData() override { return kilobytes; }
    long gettotalTime() override { return seconds; }
    QString autoChangeKBDataToMBGBUnit(double kb) override { return QString::number(kb); }
    void updateInterface() override { ++updates; }
    void periodRecordReset() override {}
    void loadDefaultRecordSetting() override {}
    ns::View* volumeLimitPage() const override { return nullptr; }
    bool appendDialRecord(const ns::Dictionary& record) override
    {
        appended << record;
        return true;
    }
    void getDayRecordReceive(float*, float*, unsigned*) override {}
    void getMonthRecordReceive(float* receive, float* send, unsigned*) override
    {
        *receive = monthReceivedKB;
        *send = monthSentKB;
    }
    void getYearRecordReceive(float*, float*, unsigned*) override {}
    float kilobytes = 0;
    long seconds = 0;
    int updates = 0;
    QList<ns::Dictionary> appended;
    float monthReceivedKB = 0, monthSentKB = 0;
};

// The initialisation controller as the connection procedures ask it.
struct FakeInit : InitControlling {
    FakeInit() { g_InitControlling = this; }
    ~FakeInit() override { g_InitControlling = nullptr; }
    int networkRoamStatus() const override { return roamStatus; }
    bool isInWhiteList() const override { return false; }
    bool roamTipWhenInWhiteList() const override { return false; }
    int roamTransferMode() const override { return transferMode; }
    bool checkToReturnPSDomain() const override { return psDomain; }
    void openUnlockDeviceWindow(ns::Window*) override { ++unlockWindows; }
    void setDeviceLockFunctionModule(int module) override { lockModule = module; }
    int getDeviceLockFunctionModule() const override { return lockModule; }
    bool getSmartUITopFrontSizeFlag() const override { return largeFont; }
    void setSmartUITopFrontSizeFlag(bool flag) override { largeFont = flag; }
    int roamStatus = 1;   // home
    int transferMode = 2; // no change
    bool psDomain = true;
    int unlockWindows = 0;
    int lockModule = -1;
    bool largeFont = false;
};

// The English wording of the key, as the window shows it.
inline QString translated(const char* key)
{
    return Map_Name_Item_of_IndexString(QString::fromLatin1(key));
}

// Plain settings with those top-level entries and that "Internet" module.
inline ns::Dictionary withSettings(const ns::Dictionary& top,
                                   const ns::Dictionary& internet = ns::Dictionary())
{
    ns::Dictionary changes = top;
    changes.setValue(QStringLiteral("Internet"), internet);
    return device_test::plainSettings(changes);
}

// The controller over a private bundle, its view built into an Internet page
// of its own; no device server, so requests go nowhere. With a message
// center the device's answers can be handed to it. The data folder may be
// given files before the controller sets itself up.
struct DialApp {
    enum class Answers { None, Delivered };
    explicit DialApp(const ns::Dictionary& settings = device_test::plainSettings(),
                     Answers answers = Answers::None,
                     const std::function<void(const QString& dataFolder)>& prepareData = {})
        : bundle(settings)
    {
        if (prepareData)
            prepareData(bundle.dataFolder());
        ns::Clock::setCurrent(&clock);
        auto page = std::make_unique<ns::TabViewItem>(QStringLiteral("Internet"));
        tabs.setFrame(ns::Rect(0, 0, 720, 418));
        tabs.addTabViewItem(std::move(page));
        dial.tabviewMain = &tabs;
        if (answers == Answers::Delivered)
            dial.jovMsgCenter = &center;
        dial.awakeFromNib();
        dial.btnConnectSimple = &simpleButton;
    }
    ~DialApp() { ns::Clock::setCurrent(nullptr); }
    // The connect controls as the status handlers leave them.
    void enableButtons() { dial.setConnectBtnEnable(true); }
    // Time for the delayed action.
    void settle() { clock.advance(0.1); }
    // An answer of the device, as the message center hands it on.
    void deliver(MessageID id, const QByteArray& payload, int32_t type = kTypeReport)
    {
        center.msgDispatch(
            recordBytes(makeUIMsg(kModuleDialUp, id.majorID, id.minorID, type, kResultSuccess, payload)));
    }

    ns::ManualClock clock;
    device_test::DeviceBundle bundle;
    ConfigManager store;
    JOVMsgCenter center;
    device_test::FakeSettings settings;
    FakeInit init;
    device_test::FakeCall call;
    ns::TabView tabs;
    ns::Button simpleButton;
    DialController dial{store};
};

// The user information of every notification of the names, in order of posting.
class PostedInfo
{
public:
    explicit PostedInfo(const QStringList& names)
    {
        for (const QString& name : names)
            observers_ << ns::NotificationCenter::defaultCenter().addObserverForName(
                name, nullptr, [this](const ns::Notification& notification) {
                    seen.emplace_back(notification.name(), notification.userInfo().copy());
                });
    }
    ~PostedInfo()
    {
        for (ns::Object* observer : observers_)
            ns::NotificationCenter::defaultCenter().removeObserver(observer);
    }
    PostedInfo(const PostedInfo&) = delete;
    PostedInfo& operator=(const PostedInfo&) = delete;

    // The user information of the last notification of the name; empty when none came.
    ns::Dictionary last(const QString& name) const
    {
        for (auto it = seen.rbegin(); it != seen.rend(); ++it)
            if (it->first == name)
                return it->second;
        return ns::Dictionary();
    }

    std::vector<std::pair<QString, ns::Dictionary>> seen;

private:
    QList<ns::Object*> observers_;
};

// Only a guard against a modem that went silent; time itself moves on the clock.
inline constexpr int kGuardMs = 60000;

// Trelvan in its main nib with the modem started on a scenario of its own,
// its clock manual, up to the SIM ready; with profiles, the profile file
// holds them.
struct PPPSession {
    explicit PPPSession(const std::vector<std::pair<QString, ns::Value>>& scenario,
                        const ns::Dictionary& internet = ns::Dictionary(),
                        const ns::Dictionary& top = ns::Dictionary(), const ns::Array& profiles = ns::Array())
    {
        ns::Clock::setCurrent(&clock);
        started = halvex.start(device_test::writeScenario(folder.path(), scenario));
        if (!started)
            return;
        ns::Dictionary settings = top;
        settings.setValue(QStringLiteral("Internet"), internet);
        app = std::make_unique<device_test::DeviceApp>(device_test::shippedSettings(settings),
                                                       device_test::Runtime::Current);
        if (!profiles.isEmpty())
            ns::PropertyList::writeFile(app->bundle.dataFolder() + QStringLiteral("/dialConfig.plist"),
                                        profiles);
        app->nib.awakeFromNib();
        ready = runUntil([&] { return posted.contains(kSimReadyNotification); });
    }
    ~PPPSession()
    {
        app.reset();
        ns::Clock::setCurrent(nullptr);
    }

    DialController& dial() { return app->nib.dialController(); }
    // Moves Trelvan's time on in small steps while the modem answers, until
    // the condition holds; false when the guard runs out first. Each change
    // of the status text is noted.
    bool runUntil(const std::function<bool()>& done)
    {
        QElapsedTimer guard;
        guard.start();
        while (!done()) {
            if (guard.elapsed() > kGuardMs)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
            clock.advance(0.005);
            if (app && app->nib.dialController().m_ConnectState) {
                const QString text = app->nib.dialController().m_ConnectState->stringValue();
                if (texts.isEmpty() || texts.last() != text)
                    texts << text;
            }
        }
        return true;
    }
    bool received(MessageID id, _UI_MSG* found = nullptr)
    {
        for (const _UI_MSG& record : halvex.receivedRecords())
            if (record.majorID == id.majorID && record.minorID == id.minorID) {
                if (found)
                    *found = record;
                return true;
            }
        return false;
    }

    ns::ManualClock clock;
    QTemporaryDir folder;
    HalvexControl halvex;
    device_test::Posted posted{{kSimReadyNotification, QStringLiteral("ConnectFailed")}};
    std::unique_ptr<device_test::DeviceApp> app;
    QStringList texts;
    bool started = false;
    bool ready = false;
};

} // namespace dial_test
