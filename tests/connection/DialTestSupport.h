#pragma once

// What the dial controller's tests share: the initialisation controller
// faked, and the controller alone over private settings with time on a
// manual clock.
#include "app/interfaces/InitControlling.h"
#include "app/msgcenter/JOVMsgCenter.h"
#include "connection/DialController.h"
#include "platform/ns/Clock.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/appkit/Button.h"
#include "platform/ns/appkit/TabView.h"
#include "tests/device/DeviceTestSupport.h"

#include <memory>
#include <utility>
#include <vector>

namespace dial_test
{

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
    int roamStatus = 1;   // home
    int transferMode = 2; // no change
    bool psDomain = true;
    int unlockWindows = 0;
    int lockModule = -1;
};

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
// center the device's answers can be handed to it.
struct DialApp {
    enum class Answers { None, Delivered };
    explicit DialApp(const ns::Dictionary& settings = device_test::plainSettings(),
                     Answers answers = Answers::None)
        : bundle(settings)
    {
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

} // namespace dial_test
