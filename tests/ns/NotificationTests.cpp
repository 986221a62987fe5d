#include "platform/ns/DistributedNotificationCenter.h"
#include "platform/ns/NotificationCenter.h"
#include "platform/ns/RuntimeDirectory.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace ns;

namespace
{

class Listener : public Object
{
public:
    Listener()
    {
        registerSelector("heard:", &Listener::heard);
        registerSelector("removeOther:", &Listener::removeOther);
    }
    void heard(Notification* n)
    {
        names.append(n ? n->name() + ":" + n->userInfo().value("k").stringValue() : "?");
    }
    void removeOther(Notification*)
    {
        NotificationCenter::defaultCenter().removeObserver(other);
        DistributedNotificationCenter::defaultCenter().removeObserver(other);
    }

    QStringList names;
    Listener* other = nullptr;
};

} // namespace

TEST(NotificationCenter, DeliversByNameAndObjectAndSkipsWhatItCannotPerform)
{
    auto& center = NotificationCenter::defaultCenter();
    Listener any, fromSender, unimplemented;
    Listener sender;
    center.addObserver(&any, "heard:", "", nullptr);
    center.addObserver(&fromSender, "heard:", "Ping", &sender);
    center.addObserver(&unimplemented, "noSuchSelector:", "Ping", nullptr);

    center.postNotificationName("Ping", &sender, Dictionary{{"k", 1}});
    center.postNotificationName("Ping", nullptr, Dictionary{{"k", 2}});
    center.postNotificationName("Pong", &sender);

    EXPECT_EQ(any.names, (QStringList{"Ping:1", "Ping:2", "Pong:"}));
    EXPECT_EQ(fromSender.names, (QStringList{"Ping:1"}));
    EXPECT_FALSE(unimplemented.respondsToSelector("noSuchSelector:"));
}

TEST(NotificationCenter, AnObserverRemovedDuringAPostIsNotCalledAndDestroyedOnesAreForgotten)
{
    auto& center = NotificationCenter::defaultCenter();
    Listener first, second;
    first.other = &second;
    center.addObserver(&first, "removeOther:", "Go", nullptr);
    center.addObserver(&second, "heard:", "Go", nullptr);
    {
        Listener shortLived;
        center.addObserver(&shortLived, "heard:", "Go", nullptr);
    }
    center.postNotificationName("Go", nullptr);
    EXPECT_TRUE(second.names.isEmpty());
    center.removeObserver(&first);
}

TEST(NotificationCenter, ABlockObserverStillRegisteredAtExitEndsTheProcessCleanly)
{
    QProcess peer;
    peer.setProcessChannelMode(QProcess::ForwardedChannels);
    peer.start(TRELVAN_BUILD_DIR "/tests/ns/ns_notification_peer", {"--block-observer-at-exit"});
    ASSERT_TRUE(peer.waitForFinished(10000));
    EXPECT_EQ(peer.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(peer.exitCode(), 0);
}

TEST(DistributedNotificationCenter, ReachesAnotherProcessAndThePosterItself)
{
    QTemporaryDir runtime;
    qputenv("TRELVAN_RUNTIME_DIR", runtime.path().toUtf8());
    int argc = 0;
    QCoreApplication app(argc, nullptr);

    auto& center = DistributedNotificationCenter::defaultCenter();
    Listener mine, remover, removed;
    center.addObserver(&mine, "heard:", "SettingsChanged", "");
    // An observer removed by an earlier one while a notification is delivered is not called.
    remover.other = &removed;
    center.addObserver(&remover, "removeOther:", "SettingsChanged", "");
    center.addObserver(&removed, "heard:", "SettingsChanged", "");

    // The child observes, tells us it is ready, then prints what it hears.
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(TRELVAN_BUILD_DIR "/tests/ns/ns_notification_peer", {});
    ASSERT_TRUE(child.waitForReadyRead(10000));
    EXPECT_EQ(child.readLine().trimmed(), "ready");

    ASSERT_TRUE(center.postNotificationName("SettingsChanged", "", Dictionary{{"k", "Grüße"}}));
    ASSERT_TRUE(child.waitForReadyRead(10000));
    EXPECT_EQ(QString::fromUtf8(child.readLine().trimmed()), QString::fromUtf8("SettingsChanged:Grüße"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !mine.names.isEmpty(); }, 5000));
    EXPECT_EQ(mine.names, QStringList{QString::fromUtf8("SettingsChanged:Grüße")});
    EXPECT_TRUE(removed.names.isEmpty());
    child.kill();
    child.waitForFinished();
    center.removeObserver(&mine);
    center.removeObserver(&remover);
}

TEST(DistributedNotificationCenter, ItsSocketIsPrivateAndGoesWithItsProcessAndThoseLeftBehindAreCleared)
{
    QTemporaryDir runtime;
    qputenv("TRELVAN_RUNTIME_DIR", runtime.path().toUtf8());
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    const QString folder = runtimeSubdirectory("notifications");
    ASSERT_FALSE(folder.isEmpty());
    // Sockets named for a process that has ended and for one that lives.
    QProcess ended;
    ended.start("true", {});
    ASSERT_TRUE(ended.waitForStarted());
    const QString leftBehind = folder + QStringLiteral("/%1.sock").arg(ended.processId());
    ASSERT_TRUE(ended.waitForFinished());
    const QString living = folder + "/1.sock";
    for (const QString& path : {leftBehind, living}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    const mode_t umaskBefore = ::umask(0);
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(TRELVAN_BUILD_DIR "/tests/ns/ns_notification_peer", {});
    ::umask(umaskBefore);
    ASSERT_TRUE(child.waitForReadyRead(10000));
    EXPECT_EQ(child.readLine().trimmed(), "ready");

    EXPECT_FALSE(QFile::exists(leftBehind));
    EXPECT_TRUE(QFile::exists(living));
    const QString own = folder + QStringLiteral("/%1.sock").arg(child.processId());
    struct stat st {
    };
    ASSERT_EQ(::stat(QFile::encodeName(own).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    ASSERT_TRUE(DistributedNotificationCenter::defaultCenter().postNotificationName("PeerQuit", "", {}));
    ASSERT_TRUE(child.waitForFinished(10000));
    EXPECT_EQ(child.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(own));
    qunsetenv("TRELVAN_RUNTIME_DIR");
}
