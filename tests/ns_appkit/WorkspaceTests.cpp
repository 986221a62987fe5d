#include "platform/ns/appkit/Workspace.h"
#include "tests/support/RecordingProgram.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(Workspace, OpensAFileWithTheNamedApplication)
{
    QTemporaryDir dir;
    const QString document = newEmptyFile(dir.path(), QStringLiteral("notes.txt"));

    RecordingProgram program;
    ASSERT_TRUE(ns::Workspace::sharedWorkspace().openFile(document, program.path()));
    EXPECT_EQ(program.arguments(), QStringList{document});
}

TEST(Workspace, RefusesAMissingFileOrApplication)
{
    QTemporaryDir dir;
    const QString document = newEmptyFile(dir.path(), QStringLiteral("notes.txt"));
    RecordingProgram program;

    ns::Workspace& workspace = ns::Workspace::sharedWorkspace();
    EXPECT_FALSE(workspace.openFile(dir.filePath(QStringLiteral("missing.txt")), program.path()));
    EXPECT_FALSE(workspace.openFile(dir.path(), program.path()));
    EXPECT_FALSE(workspace.openFile(document, dir.filePath(QStringLiteral("no-such-program"))));
    EXPECT_FALSE(workspace.openFile(document, QString()));
    EXPECT_FALSE(workspace.launchApplication(dir.filePath(QStringLiteral("no-such-program"))));
    EXPECT_FALSE(program.hasRun());
}

TEST(Workspace, LaunchesAnApplicationWithoutArguments)
{
    RecordingProgram program;
    ASSERT_TRUE(ns::Workspace::sharedWorkspace().launchApplication(program.path()));
    EXPECT_EQ(program.arguments(), QStringList());
}
