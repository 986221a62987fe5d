#include "platform/ae/AESend.h"
#include "platform/ae/AppleEventManager.h"
#include "platform/ae/RuntimeDirectory.h"
#include "platform/ns/RuntimeDirectory.h"
#include "tests/ae/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

using namespace ae;
using namespace aetest;

TEST(AeRuntimeDirectory, OnlyAPrivateFolderOfThisUserIsAccepted)
{
    struct Case {
        const char* name;
        std::function<bool(const QString& folder)> prepare; // false: the case cannot be set up here
        bool accepted;
    };
    const Case cases[] = {
        {"missing, with its parent", [](const QString&) { return true; }, true},
        {"private", [](const QString& f) { return QDir().mkpath(f) && chmod(qPrintable(f), 0700) == 0; },
         true},
        {"open to the group and others",
         [](const QString& f) { return QDir().mkpath(f) && chmod(qPrintable(f), 0755) == 0; }, false},
        {"open to the group",
         [](const QString& f) { return QDir().mkpath(f) && chmod(qPrintable(f), 0770) == 0; }, false},
        {"not searchable",
         [](const QString& f) { return QDir().mkpath(f) && chmod(qPrintable(f), 0600) == 0; }, false},
        {"a file",
         [](const QString& f) {
             QDir().mkpath(QFileInfo(f).path());
             QFile file(f);
             return file.open(QIODevice::WriteOnly);
         },
         false},
        {"a link to a private folder",
         [](const QString& f) {
             const QString real = f + QStringLiteral(".real");
             return QDir().mkpath(real) && chmod(qPrintable(real), 0700) == 0 &&
                    QDir().mkpath(QFileInfo(f).path()) && QFile::link(real, f);
         },
         false},
        {"another user's",
         [](const QString& f) {
             return QDir().mkpath(f) && chmod(qPrintable(f), 0700) == 0 &&
                    chown(qPrintable(f), 65534, 65534) == 0;
         },
         false},
    };
    ensureApplication();
    for (const Case& c : cases) {
        QTemporaryDir base;
        const QString folder = base.filePath(QStringLiteral("nested/run"));
        if (!c.prepare(folder)) {
            ASSERT_STREQ(c.name, "another user's"); // only this one may need privileges we lack
            continue;
        }
        EnvironmentOverride env("TRELVAN_RUNTIME_DIR", folder.toLocal8Bit());
        const QString got = ns::runtimeDirectory();
        if (c.accepted) {
            EXPECT_EQ(got, folder) << c.name;
            struct stat st {
            };
            ASSERT_EQ(lstat(qPrintable(folder), &st), 0) << c.name;
            EXPECT_EQ(st.st_mode & 0777, 0700u) << c.name;
        } else {
            EXPECT_TRUE(got.isEmpty()) << c.name;
            EXPECT_FALSE(
                AppleEventManager::sharedAppleEventManager().listen(QStringLiteral("com.trelvan.refused")))
                << c.name;
            const AppleEvent event(fourCharCode("test"), fourCharCode("echo"),
                                   Descriptor::fromBundleIdentifier(QStringLiteral("com.trelvan.refused")));
            EXPECT_EQ(AESend(event, nullptr, kAENoReply, kAENormalPriority, 60), procNotFound) << c.name;
        }
    }
}

TEST(AeRuntimeDirectory, WithoutItsOwnVariableUsesTheSessionFolder)
{
    QTemporaryDir session;
    EnvironmentOverride own("TRELVAN_RUNTIME_DIR", QByteArray());
    EnvironmentOverride xdg("XDG_RUNTIME_DIR", session.path().toLocal8Bit());
    EXPECT_EQ(ns::runtimeDirectory(), session.filePath(QStringLiteral("trelvan")));
}

TEST(AeRuntimeDirectory, SocketNamesStayInsideTheFolder)
{
    PrivateRuntimeDirectory runtime;
    const QString dir = runtime.path() + QLatin1Char('/');
    EXPECT_EQ(socketPath(QStringLiteral("com.trelvan.Halvex")),
              dir + QStringLiteral("com.trelvan.Halvex.sock"));
    EXPECT_EQ(socketPath(QStringLiteral("../a/b c")), dir + QStringLiteral("%2E.%2Fa%2Fb%20c.sock"));
    EXPECT_NE(socketPath(QStringLiteral("a/b")), socketPath(QStringLiteral("a_b")));
    EXPECT_TRUE(socketPath(QString()).isEmpty());
    EXPECT_TRUE(socketPath(QString(200, QLatin1Char('x'))).isEmpty()); // longer than a socket address holds
}
