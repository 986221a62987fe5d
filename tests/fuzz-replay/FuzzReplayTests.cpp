// Every input that once crashed, hung or broke a promise of a fuzz target
// (fuzz/) is kept in tests/fixtures/fuzz/<target>/ and checked here again,
// through the very check the target runs.

#include "fuzz/checks/FuzzChecks.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(FuzzReplay, EveryInputThatOnceBrokeATargetNowPasses)
{
    const QDir fixtures(QStringLiteral(TRELVAN_FIXTURES_DIR "/fuzz"));
    QStringList replayed;
    for (const fuzz::Target& target : fuzz::targets()) {
        const QDir folder(fixtures.filePath(QString::fromLatin1(target.name)));
        for (const QString& name : folder.entryList(QDir::Files)) {
            SCOPED_TRACE((folder.dirName() + u'/' + name).toStdString());
            QFile file(folder.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(target.check(file.readAll()), QString());
            replayed.append(folder.dirName() + u'/' + name);
        }
    }
    // Every fixture folder belongs to a target.
    for (const QString& folder : fixtures.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        EXPECT_TRUE(fuzz::findTarget(folder.toLatin1())) << folder.toStdString();
    EXPECT_TRUE(replayed.contains("plist_binary/utf16-key-with-nul.bplist"));
}
